// Which piles a lifted picture is offered to, and in what order.
#include <gtest/gtest.h>

#include "core/state.h"
#include "table/view/drop.h"

namespace tw {
namespace {

class DropCandidatesTest : public ::testing::Test {
 protected:
  DropCandidatesTest() {
    CreateSharedGlobals(ctx, "/nonexistent/");
    InitCardsAndPiles(ctx);
    ResetPilePositions(ctx);
    ctx.CardWidth = 71;
    ctx.CardHeight = 96;
  }
  GameContext ctx;
};

TEST_F(DropCandidatesTest, EqualOverlapsGoToTheHigherKindAndIndexFirst) {
  ctx.GameRules.FoundationCount() = 1;
  ctx.GameRules.ReserveCount() = 1;
  ctx.SetFoundationX(0, 0);
  ctx.SetFoundationY(0, 0);
  ctx.SetReserveX(0, 100);
  ctx.SetReserveY(0, 0);
  // 21 pixels over each pile's card.
  std::vector<DropCandidate> c = FindDropCandidates(ctx, 50, 0, 121, 96);
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(c[0].Kind, kDropReserve);
  EXPECT_EQ(c[1].Kind, kDropFoundation);
  EXPECT_EQ(c[0].Area, c[1].Area);

  // Shifted towards the foundation, it wins on area.
  c = FindDropCandidates(ctx, 40, 0, 111, 96);
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(c[0].Kind, kDropFoundation);
  EXPECT_GT(c[0].Area, c[1].Area);
}

TEST_F(DropCandidatesTest, AtMostFourAndUnusedPilesNever) {
  ctx.GameRules.TableauCount() = 6;
  for (int i = 0; i < 5; ++i) {
    ctx.TableauX[static_cast<size_t>(i)] = static_cast<int16_t>(10 * i);
    ctx.TableauY[static_cast<size_t>(i)] = 200;
  }
  // Pile 6 is not used (its position stays -10002).
  std::vector<DropCandidate> c = FindDropCandidates(ctx, 20, 210, 91, 306);
  ASSERT_EQ(c.size(), 4u);
  for (size_t k = 1; k < c.size(); ++k) EXPECT_GE(c[k - 1].Area, c[k].Area);
  for (const DropCandidate& d : c) EXPECT_LT(d.Index, 5);
  // Nothing overlapped: no candidate.
  EXPECT_TRUE(FindDropCandidates(ctx, 900, 900, 971, 996).empty());
}

TEST_F(DropCandidatesTest, TheWasteIsATargetUnlessTheGameForbidsIt) {
  ctx.SetStockX(1, 300);
  ctx.SetStockY(1, 0);
  EXPECT_EQ(FindDropCandidates(ctx, 300, 0, 371, 96).size(), 1u);
  ctx.GameRules.NoStockDrop() = 4;
  EXPECT_TRUE(FindDropCandidates(ctx, 300, 0, 371, 96).empty());
}

}  // namespace
}  // namespace tw
