#include "ui/bitmap_animated.h"

#include <QPainter>
#include <QTimer>

namespace tw {

C_TBitmapAnimated::C_TBitmapAnimated(QWidget* parent) : QWidget(parent) {
  resize(30, 30);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void C_TBitmapAnimated::StartTimer() {
  StopTimer();
  timer_ = new QTimer(this);
  timer_->setInterval(interval_);
  connect(timer_, &QTimer::timeout, this, [this] { Tick(); });
  timer_->start();
}

void C_TBitmapAnimated::StopTimer() {
  delete timer_;
  timer_ = nullptr;
}

void C_TBitmapAnimated::SetInterval(int value) {
  if (value == interval_) return;
  StopTimer();
  interval_ = value;
  if (play_ && value >= 1) StartTimer();
}

void C_TBitmapAnimated::SetPlay(bool value) {
  if (value == play_) return;
  play_ = value;
  if (!value) {
    StopTimer();
  } else if (interval_ > 0) {
    StartTimer();
  }
}

void C_TBitmapAnimated::SetFrame(int value) {
  const int frame = value < 0 ? frame_count_ - 1 : value % frame_count_;
  if (frame == frame_) return;
  frame_ = frame;
  if (on_change_frame_) on_change_frame_(*this);
  update();
}

void C_TBitmapAnimated::SetBitMap(const QImage& value) {
  bitmap_ = value;
  resize(width(), bitmap_.height() > 0 ? bitmap_.height() : 30);
  update();
}

void C_TBitmapAnimated::SetTransparentColor(const QColor& value) {
  if (value == transparent_) return;
  transparent_ = value;
  update();
}

void C_TBitmapAnimated::Tick() {
  if (reverse_) {
    SetFrame(frame_ - 1);
    if (frame_ != 0) return;
  } else {
    SetFrame(frame_ + 1);
    if (frame_ != frame_count_ - 1) return;
  }
  if (!loop_) {
    play_ = false;
    StopTimer();
  }
}

void C_TBitmapAnimated::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect d(0, 0, width(), height());
  if (bitmap_.height() < 1) {
    p.fillRect(d, Qt::white);
    return;
  }
  QImage part = bitmap_.copy(width() * frame_, 0, width(), height());
  if (transparent_.isValid()) {
    // The key colour shows the control's own background.
    const QRgb key = transparent_.rgb();
    const QRgb fill = palette().color(backgroundRole()).rgb();
    part = part.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < part.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
      for (int x = 0; x < part.width(); ++x)
        if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) line[x] = fill;
    }
  }
  p.drawImage(d.topLeft(), part);
}

}  // namespace tw
