#include "ui/splash.h"

#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace tw {

SplashWindow::SplashWindow(QImage picture) : picture_(std::move(picture)) {
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setFixedSize(kWidth, kHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect s = screen->geometry();
    move(s.center() - QPoint(kWidth / 2, kHeight / 2));
  }
}

void SplashWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  // The strip across the top.
  QLinearGradient strip(0, 0, kWidth, 0);
  strip.setColorAt(0, QColor(0, 70, 20));
  strip.setColorAt(0.5, QColor(20, 130, 50));
  strip.setColorAt(1, QColor(0, 70, 20));
  p.fillRect(0, 0, kWidth, 24, strip);
  p.setPen(QColor(255, 255, 255, 200));
  QFont suits = font();
  suits.setPixelSize(16);
  p.setFont(suits);
  const QString marks = QString::fromUtf8("\u2660  \u2665  \u2663  \u2666");
  p.drawText(QRect(0, 0, kWidth, 24), Qt::AlignCenter, marks);

  const int footer = 44;
  p.fillRect(0, 24, kWidth, kHeight - 24 - footer, Qt::white);
  const QRect area(0, 24, kWidth, kHeight - 24 - footer);
  if (!picture_.isNull()) {
    const QImage shown =
        picture_.scaled(area.size() - QSize(24, 24), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    p.drawImage(area.center() - QPoint(shown.width() / 2, shown.height() / 2), shown);
  } else {
    QFont title = font();
    title.setPixelSize(30);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0, 80, 30));
    p.drawText(area, Qt::AlignCenter, "Tarnwell 2000");
  }
  p.fillRect(0, kHeight - footer, kWidth, footer, Qt::black);
  QFont small = font();
  small.setPixelSize(10);
  p.setFont(small);
  p.setPen(Qt::white);
  p.drawText(QRect(10, kHeight - footer + 6, kWidth - 20, 16), Qt::AlignLeft | Qt::AlignVCenter,
             "Tarnwell 2000 - a collection of patience games for one player.");
  p.drawText(QRect(10, kHeight - footer + 22, kWidth - 20, 16), Qt::AlignLeft | Qt::AlignVCenter,
             "Free software: GNU General Public License, version 3 or later.");
}

}  // namespace tw
