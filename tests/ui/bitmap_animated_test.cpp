// The animated strip control: frames, its timer and its paint.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "ui/bitmap_animated.h"

namespace tw {
namespace {

// A strip of n frames of 10 x 8, frame f filled with grey level 20 f.
QImage Strip(int n) {
  QImage s(10 * n, 8, QImage::Format_RGB32);
  for (int f = 0; f < n; ++f)
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 10; ++x) s.setPixel(10 * f + x, y, qRgb(20 * f, 20 * f, 20 * f));
  return s;
}

TEST(BitmapAnimatedTest, FramesWrapAndReportChangesOnce) {
  C_TBitmapAnimated a;
  a.resize(10, 8);
  a.SetFrameCount(4);
  int changes = 0;
  a.SetOnChangeFrame([&](C_TBitmapAnimated&) { ++changes; });
  a.SetFrame(4);
  EXPECT_EQ(a.Frame(), 0);
  EXPECT_EQ(changes, 0);
  a.SetFrame(-1);
  EXPECT_EQ(a.Frame(), 3);
  a.SetFrame(3);
  EXPECT_EQ(changes, 1);
  // A frame count of 0 counts as one frame instead of dividing by zero.
  a.SetFrameCount(0);
  EXPECT_EQ(a.FrameCount(), 1);
  a.SetFrame(5);
  EXPECT_EQ(a.Frame(), 0);
  a.Tick();
  EXPECT_EQ(a.Frame(), 0);
}

TEST(BitmapAnimatedTest, TimerOnlyWhilePlayingWithAnInterval) {
  C_TBitmapAnimated a;
  a.SetInterval(50);
  EXPECT_EQ(a.Timer(), nullptr);
  a.SetPlay(true);
  ASSERT_NE(a.Timer(), nullptr);
  EXPECT_EQ(a.Timer()->interval(), 50);
  a.SetInterval(70);
  ASSERT_NE(a.Timer(), nullptr);
  EXPECT_EQ(a.Timer()->interval(), 70);
  a.SetInterval(0);
  EXPECT_EQ(a.Timer(), nullptr);
  EXPECT_TRUE(a.Play());
  a.SetPlay(false);
  a.SetInterval(20);
  EXPECT_EQ(a.Timer(), nullptr);
}

TEST(BitmapAnimatedTest, WithoutLoopStopsAtTheEndOfItsDirection) {
  const struct {
    bool reverse;
    std::vector<int> frames;
  } cases[] = {{false, {1, 2, 3}}, {true, {3, 2, 1, 0}}};
  for (const auto& c : cases) {
    C_TBitmapAnimated a;
    a.SetFrameCount(4);
    a.SetLoop(false);
    a.SetReverse(c.reverse);
    a.SetInterval(10);
    a.SetPlay(true);
    std::vector<int> seen;
    while (a.Play() && seen.size() < 10) {
      a.Tick();
      seen.push_back(a.Frame());
    }
    EXPECT_EQ(seen, c.frames);
    EXPECT_EQ(a.Timer(), nullptr);
  }
}

TEST(BitmapAnimatedTest, PaintsTheFrameWithTheKeyAsBackground) {
  C_TBitmapAnimated a;
  QImage strip = Strip(3);
  strip.setPixel(22, 3, qRgb(0xC0, 0xC0, 0xC0));
  a.SetBitMap(strip);
  EXPECT_EQ(a.height(), 8);
  a.resize(10, 8);
  a.SetFrameCount(3);
  a.SetFrame(2);
  QPalette pal = a.palette();
  pal.setColor(a.backgroundRole(), QColor(1, 2, 3));
  a.setPalette(pal);
  a.SetTransparentColor(QColor(0xC0, 0xC0, 0xC0));
  const QImage shown = a.grab().toImage();
  EXPECT_EQ(shown.pixel(0, 0), qRgb(40, 40, 40));
  EXPECT_EQ(shown.pixel(2, 3), qRgb(1, 2, 3));
  // Without a strip the control is white.
  C_TBitmapAnimated empty;
  empty.resize(5, 5);
  EXPECT_EQ(empty.grab().toImage().pixel(2, 2), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace tw
