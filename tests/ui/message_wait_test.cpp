// A wait that lets messages through, on the real clock and event loop: it
// ends on the tick it waits for, never before it, and what arrives sooner
// is handled at once.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <chrono>

#include "core/state.h"
#include "core/util.h"
#include "platform/qt/prompts.h"
#include "platform/sys/services.h"

namespace tw::testing {
namespace {

TEST(MessageWait, EndsOnItsTickAndLetsMessagesThroughAtOnce) {
  qt::QtPrompts prompts("Tarnwell 2000");
  sys::SystemClock clock;
  QCoreApplication::processEvents();
  // Nothing arrives: the wait returns once its tick has begun (what the
  // event loop has of its own may wake it once before).
  const uint64_t tick = clock.TickMs() + 30;
  int wakes = 0;
  while (clock.TickMs() < tick && wakes < 3) {
    ASSERT_TRUE(prompts.WaitForMessagesUntil(tick)) << "no exact wait on this system";
    ++wakes;
  }
  EXPECT_GE(clock.TickMs(), tick);
  EXPECT_LE(wakes, 2);
  // A timer of the event loop's that fires first is handled, and the wait
  // returns then, well before its tick.
  bool fired = false;
  QTimer::singleShot(5, [&] { fired = true; });
  const uint64_t later = clock.TickMs() + 2000;
  ASSERT_TRUE(prompts.WaitForMessagesUntil(later));
  EXPECT_TRUE(fired);
  EXPECT_LT(clock.TickMs(), later);
  // A tick already begun does not wait at all, and leaves nothing behind
  // that would end the next wait early.
  EXPECT_TRUE(prompts.WaitForMessagesUntil(clock.TickMs() - 1));
  const uint64_t next = clock.TickMs() + 20;
  wakes = 0;
  while (clock.TickMs() < next && wakes < 3) {
    ASSERT_TRUE(prompts.WaitForMessagesUntil(next));
    ++wakes;
  }
  EXPECT_GE(clock.TickMs(), next);
  EXPECT_LE(wakes, 2);
  // A whole wait with messages on these hooks keeps its length.
  GameContext ctx;
  ctx.Clock = &clock;
  ctx.Ui = &prompts;
  const uint64_t start = clock.TickMs();
  DelayWithMessages(ctx, 25);
  EXPECT_GE(clock.TickMs(), start + 25);
}

}  // namespace
}  // namespace tw::testing
