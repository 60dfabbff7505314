// A small control that shows one frame of a horizontal strip picture and,
// while playing, steps through the frames on a timer of its own. Frame f
// occupies the strip's columns f x width .. (f + 1) x width - 1, so the
// control's width cuts the frames.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class QTimer;

namespace tw {

class C_TBitmapAnimated : public QWidget {
  Q_OBJECT

 public:
  explicit C_TBitmapAnimated(QWidget* parent = nullptr);

  int Interval() const { return interval_; }
  void SetInterval(int value);
  int FrameCount() const { return frame_count_; }
  // Below 1 counts as 1: a strip always has a frame to show.
  void SetFrameCount(int value) { frame_count_ = value < 1 ? 1 : value; }
  int Frame() const { return frame_; }
  // A negative value shows the last frame; others wrap modulo FrameCount.
  void SetFrame(int value);
  const QImage& BitMap() const { return bitmap_; }
  // The control takes the strip's height (30 for an empty one).
  void SetBitMap(const QImage& value);
  bool Play() const { return play_; }
  void SetPlay(bool value);
  bool Reverse() const { return reverse_; }
  void SetReverse(bool value) { reverse_ = value; }
  bool Loop() const { return loop_; }
  void SetLoop(bool value) { loop_ = value; }
  // Shown as the control's background colour; invalid: none.
  QColor TransparentColor() const { return transparent_; }
  void SetTransparentColor(const QColor& value);
  void SetOnChangeFrame(std::function<void(C_TBitmapAnimated&)> f) {
    on_change_frame_ = std::move(f);
  }

  // A timer tick: the next frame in the playing direction.
  void Tick();
  // The running timer, null while none runs.
  const QTimer* Timer() const { return timer_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void StartTimer();
  void StopTimer();

  QImage bitmap_;
  int frame_count_ = 1;
  int frame_ = 0;
  QTimer* timer_ = nullptr;
  int interval_ = 0;
  bool loop_ = true;
  bool reverse_ = false;
  bool play_ = false;
  QColor transparent_;
  std::function<void(C_TBitmapAnimated&)> on_change_frame_;
};

}  // namespace tw
