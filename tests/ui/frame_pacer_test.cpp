// The window's frames: parts asked for are gathered and shown once a frame,
// before a wait that would leave them unseen, or from the event loop; each
// part keeps a time of its own.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

#include "ui/frame_pacer.h"

namespace tw {
namespace {

using namespace std::chrono_literals;

class FramePacerTest : public ::testing::Test {
 protected:
  std::vector<QRegion> shown;
  FramePacer pacer{[this](const QRegion& r) { shown.push_back(r); }};
};

TEST_F(FramePacerTest, PartsWithinAFrameAreShownTogether) {
  pacer.SetFrameTime(50ms);
  pacer.Show(QRect(0, 0, 10, 10));  // the first is shown at once
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_FALSE(pacer.FrameDue());
  pacer.Show(QRect(20, 0, 10, 10));
  pacer.Show(QRect(40, 0, 10, 10));
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_TRUE(pacer.Pending());
  // A wait that ends before the next frame leaves them for it...
  pacer.WaitStarted(5);
  EXPECT_EQ(shown.size(), 1u);
  // ...one that ends after it shows them now.
  pacer.WaitStarted(100);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1], QRegion(QRect(20, 0, 10, 10)) + QRect(40, 0, 10, 10));
  EXPECT_FALSE(pacer.Pending());
}

TEST_F(FramePacerTest, TheEventLoopShowsWhatDrawingLeftGathered) {
  pacer.SetFrameTime(20ms);
  pacer.Show(QRect(0, 0, 10, 10));
  pacer.Show(QRect(5, 5, 10, 10));
  ASSERT_EQ(shown.size(), 1u);
  QElapsedTimer t;
  t.start();
  while (shown.size() < 2 && t.elapsed() < 2000) QCoreApplication::processEvents();
  ASSERT_EQ(shown.size(), 2u) << "nothing showed the gathered part";
  EXPECT_GE(t.elapsed(), 15) << "shown before its frame";
  // Once a frame has passed, the next part is shown at once.
  std::this_thread::sleep_for(25ms);
  EXPECT_TRUE(pacer.FrameDue());
  pacer.Show(QRect(0, 0, 1, 1));
  EXPECT_EQ(shown.size(), 3u);
}

TEST_F(FramePacerTest, EachPartKeepsItsTime) {
  // Steps asked for one after another take their time, whether shown,
  // gathered or left out; a wait begins only once theirs is over, and is
  // told what is left of it.
  const auto start = std::chrono::steady_clock::now();
  constexpr int kSteps = 40;
  for (int i = 0; i < kSteps; ++i) {
    if (i % 2)
      pacer.Show(QRect(i, 0, 5, 5));
    else
      pacer.Skip();
  }
  const std::chrono::microseconds owed = pacer.BeforeWait();
  EXPECT_GE(std::chrono::steady_clock::now() - start + owed, kSteps * FramePacer::kStepTime);
  EXPECT_LE(owed, std::chrono::milliseconds(4)) << "ran further ahead than a sleep's slice";
}

// What a frame shows is exactly the parts gathered for it, whether they
// overlap, meet, nest or lie apart, a few or many.
TEST_F(FramePacerTest, AFrameShowsTheUnionOfItsParts) {
  std::mt19937 random(7);
  auto any = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const std::vector<std::vector<QRect>> fixed = {
      {QRect(0, 0, 10, 10), QRect(10, 0, 10, 10)},                      // side by side
      {QRect(0, 0, 10, 10), QRect(0, 10, 10, 10)},                      // one above the other
      {QRect(0, 0, 30, 30), QRect(5, 5, 5, 5)},                         // nested
      {QRect(0, 0, 10, 30), QRect(20, 10, 10, 10), QRect(0, 0, 10, 30)},  // twice
      {QRect(0, 0, 10, 10), QRect(12, 3, 10, 10), QRect(5, 8, 20, 2)},
  };
  std::vector<std::vector<QRect>> cases = fixed;
  for (int count : {3, 30, 300}) {
    std::vector<QRect> rects;
    for (int i = 0; i < count; ++i) rects.emplace_back(any(400) - 20, any(300) - 20, 1 + any(71), 1 + any(96));
    cases.push_back(rects);
  }
  pacer.SetFrameTime(1h);
  pacer.Show(QRect(-100, -100, 1, 1));  // shown at once: the next frame is an hour away
  for (const std::vector<QRect>& rects : cases) {
    SCOPED_TRACE(rects.size());
    shown.clear();
    QRegion expected;
    for (const QRect& r : rects) {
      pacer.Show(r);
      expected += r;
    }
    pacer.Flush();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], expected);
    EXPECT_EQ(shown[0].rectCount(), expected.rectCount());
  }
}

TEST_F(FramePacerTest, AtOnceShowsEveryPart) {
  pacer.ShowAtOnce();
  pacer.SetFrameTime(50ms);  // a screen's rate does not change it
  for (int i = 0; i < 20; ++i) pacer.Show(QRect(i, 0, 5, 5));
  EXPECT_EQ(shown.size(), 20u);
  EXPECT_TRUE(pacer.FrameDue());
}

}  // namespace
}  // namespace tw
