#include "engine/pause.h"

#include <gtest/gtest.h>

#include "engine/gameover.h"
#include "engine/newgame.h"
#include "platform/sys/services.h"
#include "tests/engine/engine_fixture.h"

namespace tw {
namespace {

class ManualClock : public sys::Clock {
 public:
  uint64_t TickMs() override { return ms; }
  sys::LocalDateTime Now() override { return {}; }
  uint64_t ms = 5000000;
};

class Pause : public testing::EngineTest {
 protected:
  Pause() {
    ctx.Clock = &clock;
    ctx.TfrmMain.GameInProgress = 1;
    StartClock(ctx);
    Advance(95);
  }
  void Advance(int seconds) { clock.ms += static_cast<uint64_t>(seconds) * 1000; }
  ManualClock clock;
};

TEST_F(Pause, TheTimePausedDoesNotCount) {
  ASSERT_EQ(ClockLabelText(ctx), "0:01:35");
  ASSERT_TRUE(BeginPause(ctx));
  EXPECT_TRUE(IsPaused(ctx));
  EXPECT_EQ(ctx.TfrmMain.ClockRunning, 0);
  Advance(600);
  EXPECT_EQ(ClockLabelText(ctx), "0:01:35");
  EXPECT_FALSE(BeginPause(ctx));  // a second pause changes nothing
  ASSERT_TRUE(EndPause(ctx));
  EXPECT_FALSE(IsPaused(ctx));
  EXPECT_EQ(ctx.TfrmMain.ClockRunning, 1);
  EXPECT_EQ(ClockLabelText(ctx), "0:01:35");
  EXPECT_EQ(fakes.window.clocks.back(), "0:01:35");
  Advance(5);
  EXPECT_EQ(GameElapsedSeconds(ctx), 100);
  EXPECT_FALSE(EndPause(ctx));

  // Two pauses add up.
  BeginPause(ctx);
  Advance(3600);
  EndPause(ctx);
  Advance(1);
  EXPECT_EQ(GameElapsedSeconds(ctx), 101);
}

TEST_F(Pause, ADealEndedWhilePausedRecordsTheTimeBeforeThePause) {
  BeginPause(ctx);
  Advance(600);
  EXPECT_EQ(GameElapsedSeconds(ctx), 95);
  // The deal ends (the window closes) during the pause.
  ctx.TfrmMain.GameInProgress = 0;
  ctx.GameEndTime = ctx.GameStartTime + 95;
  EndPause(ctx);
  EXPECT_EQ(ctx.TfrmMain.ClockRunning, 0);
  Advance(50);
  EXPECT_EQ(GameElapsedSeconds(ctx), 95);
}

TEST_F(Pause, NoPauseWithoutADeal) {
  ctx.TfrmMain.GameInProgress = 0;
  EXPECT_FALSE(BeginPause(ctx));
  EXPECT_FALSE(IsPaused(ctx));
}

}  // namespace
}  // namespace tw
