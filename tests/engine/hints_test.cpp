#include "engine/hints.h"

#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace tw {
namespace {

using testing::C;
using testing::D;
using testing::H;
using testing::S;

class Hints : public testing::EngineTest {
 protected:
  Hints() {
    ctx.GameRules.GameKind() = 10;
    ctx.GameRules.FoundationMaxCards() = 13;
  }
};

TEST_F(Hints, EachFoundationAsksForTopPlusItsInterval) {
  Lay(ctx.DestPiles, 0, {H(12)});            // Q + 1 = K (13 stays 13)
  Lay(ctx.DestPiles, 1, {D(12)});            // Q + 2 = 14 -> A
  Lay(ctx.DestPiles, 2, {C(3), C(6)});       // 6 + 3 = 9
  Lay(ctx.DestPiles, 3, {S(4), S(8)});       // 8 + 4 = 12 -> Q
  const char* const expected[] = {"K", "A", "9", "Q"};
  for (int i = 0; i < kHintFoundations; ++i) {
    EXPECT_EQ(FoundationHintText(ctx, i), expected[i]) << "foundation " << i + 1;
  }
  Lay(ctx.DestPiles, 3, {S(13)});  // K + 4 = 17 -> 4
  EXPECT_EQ(FoundationHintText(ctx, 3), "4");
  Lay(ctx.DestPiles, 2, {C(7)});  // 7 + 3 = 10
  EXPECT_EQ(FoundationHintText(ctx, 2), "10");
}

TEST_F(Hints, EmptyFullOrOtherFoundationsShowNone) {
  EXPECT_EQ(FoundationHintText(ctx, 0), "");
  Lay(ctx.DestPiles, 0, {H(1), H(2), H(3)});
  ctx.GameRules.FoundationMaxCards() = 3;
  EXPECT_EQ(FoundationHintText(ctx, 0), "");
  ctx.GameRules.FoundationMaxCards() = 4;
  EXPECT_EQ(FoundationHintText(ctx, 0), "4");
  Lay(ctx.DestPiles, 4, {H(5)});
  EXPECT_EQ(FoundationHintText(ctx, 4), "");
  EXPECT_EQ(FoundationHintText(ctx, -1), "");
}

TEST_F(Hints, BatchCounterCountsThePlaysOfTheBatch) {
  ctx.GameRules.GameKind() = 23;
  std::initializer_list<int> full = {S(1), S(2), S(3), S(4), S(5), S(6), S(7), S(8), S(9), S(10),
                                     S(11), S(12), S(13), H(1), H(2), H(3), H(4), H(5), H(6),
                                     H(7), H(8), H(9), H(10), H(11), H(12)};
  Lay(ctx.MazzoPiles, 1, full);
  EXPECT_EQ(BatchCounterText(ctx), "0/20");
  for (int k = 0; k < 5; ++k) ctx.UndoLog += "001,";
  ctx.UndoLog += "002,";  // other codes do not count
  EXPECT_EQ(BatchCounterText(ctx), "5/20");
  // A batch start with only 3 cards left on the waste.
  ctx.UndoLog.clear();
  for (int k = 0; k < 40; ++k) ctx.UndoLog += "001,";
  Lay(ctx.MazzoPiles, 1, {S(1), S(2), S(3)});
  EXPECT_EQ(BatchCounterText(ctx), "17/20");
  ctx.MazzoPiles[1].clear();
  EXPECT_EQ(BatchCounterText(ctx), "20/20");
}

}  // namespace
}  // namespace tw
