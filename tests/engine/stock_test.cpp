// Stock clicks, waste turnovers within the game's passes, batch deals and
// the automatic fill of empty tableau piles.
#include <gtest/gtest.h>

#include "core/cards.h"
#include "engine/executor.h"
#include "engine/pileops.h"
#include "engine/random_player.h"
#include "engine/undo.h"
#include "tests/engine/play_fixture.h"

namespace tw {
namespace {

using namespace testing;

using Stock = PlayTest;

// A press and, when it asked for a redeal, the release.
bool Click(GameContext& ctx, const std::string& name = "Mazzo_Vis") {
  bool moved = PlayToPile(ctx, 0, name);
  if (ctx.GameState.RedealMarkerShown() == 1) moved = PlayToPile(ctx, 0, name) || moved;
  return moved;
}

TEST_F(Stock, PassesCardsPerTurnAndFaces) {
  struct Case {
    int deals, redealsDone, perTurn, faceDown;
    std::vector<int> stock, waste;
    bool moved;
    std::vector<int> stockAfter, wasteAfter;
    int redealsAfter;
  };
  const Case cases[] = {
      // Turns: one card, three cards, fewer left than a turn.
      {1, 1, 1, 1, {S(1), S(2), S(3)}, {}, true, {S(1), S(2)}, {S(3)}, 1},
      {1, 1, 3, 1, {S(1), S(2), S(3), S(4)}, {}, true, {S(1)}, {S(4), S(3), S(2)}, 1},
      {1, 1, 3, 1, {S(1), S(2)}, {H(9)}, true, {}, {H(9), S(2), S(1)}, 1},
      // Turnovers while passes remain, then the next turn in the same click.
      {2, 1, 1, 1, {}, {H(1), H(2), H(3)}, true, {H(3), H(2)}, {H(1)}, 2},
      {2, 2, 1, 1, {}, {H(1), H(2), H(3)}, false, {}, {H(1), H(2), H(3)}, 2},
      {-1, 40, 1, 0, {}, {H(1), H(2)}, true, {H(2)}, {H(1)}, 41},
      {3, 1, 3, 0, {}, {H(1), H(2)}, true, {}, {H(1), H(2)}, 2},
      // A one-card waste is never turned over.
      {3, 1, 1, 1, {}, {H(1)}, false, {}, {H(1)}, 1},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE("case " + std::to_string(n++));
    ctx.GameRules.Deals() = static_cast<int16_t>(c.deals);
    ctx.GameRules.CardsPerStockTurn() = static_cast<int16_t>(c.perTurn);
    ctx.GameRules.StockFaceDown() = static_cast<int16_t>(c.faceDown);
    ctx.GameState.RedealsDone() = static_cast<int16_t>(c.redealsDone);
    ctx.MazzoPiles[0] = ctx.MazzoPiles[1] = "";
    for (int card : c.stock) AppendCardToList(ctx, ctx.MazzoPiles, 0, card, "0");
    for (int card : c.waste) AppendCardToList(ctx, ctx.MazzoPiles, 1, card, "1");
    EXPECT_EQ(Click(ctx), c.moved);
    std::string stock, waste;
    for (int card : c.stockAfter) stock += CardCodeText(card);
    for (int card : c.wasteAfter) waste += CardCodeText(card);
    EXPECT_EQ(ctx.MazzoPiles[0], stock);
    EXPECT_EQ(ctx.MazzoPiles[1], waste);
    EXPECT_EQ(ctx.GameState.RedealsDone(), c.redealsAfter);
    // Turned-over cards take the stock's face; the others stay face down.
    const bool turnedOver = c.stock.empty() && c.moved;
    for (int card : c.stockAfter) EXPECT_EQ(IsFaceUp(ctx, card), turnedOver && c.faceDown == 0);
    for (int card : c.wasteAfter) EXPECT_TRUE(IsFaceUp(ctx, card));
    EXPECT_EQ(ctx.GameState.RedealMarkerShown(), 0);
  }
}

TEST_F(Stock, TurnoverIsOneUndoStepThatGivesThePassBack) {
  ctx.GameRules.Deals() = 3;
  for (int perTurn : {1, 3}) {
    SCOPED_TRACE(perTurn);
    ctx.GameRules.CardsPerStockTurn() = static_cast<int16_t>(perTurn);
    ctx.MazzoPiles[0] = "";
    Lay(ctx.MazzoPiles, 1, {H(1), H(2)});
    const std::string before = Snapshot();
    ASSERT_TRUE(Click(ctx));
    const std::string after = Snapshot();
    EXPECT_EQ(ctx.GameState.RedealsDone(), 2);
    ASSERT_TRUE(UndoRedo(ctx, true, false));
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(ctx.GameState.RedealsDone(), 1);
    ASSERT_TRUE(UndoRedo(ctx, false, false));
    EXPECT_EQ(Snapshot(), after);
    EXPECT_EQ(ctx.GameState.RedealsDone(), 2);
    ASSERT_TRUE(UndoRedo(ctx, true, false));
  }
}

TEST_F(Stock, TableauRedealAsksFirstAndIsGivenBackByUndo) {
  ctx.GameRules.TableauRedeal() = 1;
  ctx.GameRules.Deals() = 2;
  Lay(ctx.FilaPiles, 0, {H(5), H(6)});
  EXPECT_FALSE(PlayToPile(ctx, 0, "Mazzo_Vis"));
  EXPECT_EQ(ctx.GameState.RedealMarkerShown(), 1);
  EXPECT_EQ(ctx.FilaPiles[0], Pile({H(5), H(6)}));
  EXPECT_TRUE(PlayToPile(ctx, 0, "Mazzo_Vis"));
  // Redealt one card to each pile in turn.
  EXPECT_EQ(ctx.FilaPiles[0], Pile({H(5)}));
  EXPECT_EQ(ctx.FilaPiles[1], Pile({H(6)}));
  EXPECT_EQ(ctx.GameState.RedealsDone(), 2);
  EXPECT_EQ(ctx.GameState.RedealMarkerShown(), 0);
  // No pass is left.
  const std::string redealt = Snapshot();
  EXPECT_FALSE(Click(ctx));
  EXPECT_EQ(Snapshot(), redealt);
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(ctx.GameState.RedealsDone(), 1);
  ASSERT_TRUE(UndoRedo(ctx, false, false));
  EXPECT_EQ(ctx.GameState.RedealsDone(), 2);
}

TEST_F(Stock, OtherStockNamesTurnToTheThirdSlot) {
  Lay(ctx.MazzoPiles, 0, {S(1), S(2)}, 2);
  EXPECT_TRUE(PlayToPile(ctx, 0, "Mazzo_Waste"));
  EXPECT_EQ(ctx.MazzoPiles[2], Pile({S(2)}));
  EXPECT_EQ(fakes.counter.updates.front(), (std::vector<int>{S(2), 1, 2, 0}));
  EXPECT_EQ(fakes.counter.updates.back(), (std::vector<int>{S(2), 3, 1, 1}));
  EXPECT_EQ(Sounds("Stock"), 1);
}

TEST_F(Stock, BatchDeals) {
  struct Case {
    const char* target;
    std::vector<int> tableauCodes, reserveCodes;
    std::vector<bool> tableauFull;  // piles 1..4 hold a card before
    int stockCards;
    std::vector<int> tableauGains, reserveGains;
    bool ownStep;
  };
  const Case cases[] = {
      {"Add_Tableaus", {1, 0, 1, 1}, {}, {1, 1, 1, 1}, 5, {1, 0, 1, 1}, {0, 0}, true},
      {"Add_Tableaus", {1, 1, 1, 1}, {}, {1, 1, 1, 1}, 2, {1, 1, 0, 0}, {0, 0}, true},
      {"Add_Tableaus_Last", {0, 0, 0, 0}, {}, {1, 1, 1, 1}, 5, {1, 1, 1, 1}, {0, 0}, true},
      {"Fill_Tableaus", {}, {}, {0, 1, 0, 0}, 2, {1, 0, 1, 0}, {0, 0}, false},
      {"Add_Reserves", {}, {1, 1}, {1, 1, 1, 1}, 5, {0, 0, 0, 0}, {1, 1}, true},
      {"Add_Reserve_2", {}, {4, 4}, {1, 1, 1, 1}, 5, {0, 0, 0, 0}, {0, 1}, true},
      {"Add_Tableaus", {0, 0, 0, 0}, {}, {1, 1, 1, 1}, 5, {0, 0, 0, 0}, {0, 0}, false},
      {"Add_Tableaus", {1, 1, 1, 1}, {}, {1, 1, 1, 1}, 0, {0, 0, 0, 0}, {0, 0}, false},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.target) + " case " + std::to_string(n++));
    for (std::string& p : ctx.FilaPiles) p.clear();
    for (std::string& p : ctx.AppoggPiles) p.clear();
    ctx.MazzoPiles[0].clear();
    ctx.UndoMazzo.clear();
    for (int i = 0; i < 4; ++i) {
      ctx.GameRules.StockDealToTableau(i) =
          static_cast<int16_t>(i < static_cast<int>(c.tableauCodes.size()) ? c.tableauCodes[i] : 0);
      if (c.tableauFull[static_cast<size_t>(i)]) Lay(ctx.FilaPiles, i, {C(i + 1)});
    }
    for (int i = 0; i < 2; ++i) {
      ctx.GameRules.StockDealToReserve(i) =
          static_cast<int16_t>(i < static_cast<int>(c.reserveCodes.size()) ? c.reserveCodes[i] : 0);
    }
    for (int k = 0; k < c.stockCards; ++k) AppendCardToList(ctx, ctx.MazzoPiles, 0, S(k + 1), "0");
    std::vector<int> before;
    for (int i = 0; i < 4; ++i)
      before.push_back(PileCardCount(ctx.FilaPiles[static_cast<size_t>(i)]));
    const bool any = std::count(c.tableauGains.begin(), c.tableauGains.end(), 1) +
                         std::count(c.reserveGains.begin(), c.reserveGains.end(), 1) >
                     0;
    EXPECT_EQ(PlayToPile(ctx, 7, c.target), any);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(
          PileCardCount(ctx.FilaPiles[static_cast<size_t>(i)]) - before[static_cast<size_t>(i)],
          c.tableauGains[static_cast<size_t>(i)])
          << "pile " << i + 1;
      const int top = TopCard(ctx.FilaPiles[static_cast<size_t>(i)]);
      if (top > 0) {
        EXPECT_TRUE(IsFaceUp(ctx, top));
      }
    }
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(PileCardCount(ctx.AppoggPiles[static_cast<size_t>(i)]),
                c.reserveGains[static_cast<size_t>(i)])
          << "reserve " << i + 1;
    }
    EXPECT_EQ(UndoDepth(ctx), c.ownStep ? 1 : 0);
  }
}

TEST_F(Stock, BatchDealToAGridAddsAHoleFirst) {
  ctx.GameRules.TableauLayout() = 8;
  ctx.GameRules.TableauCount() = 1;
  Lay(ctx.FilaPiles, 0, {C(2)});
  Lay(ctx.MazzoPiles, 0, {S(7)}, 1);
  EXPECT_TRUE(PlayToPile(ctx, 7, "Add_Tableaus_Last"));
  EXPECT_EQ(ctx.FilaPiles[0], Pile({C(2), 0, S(7)}));
}

TEST_F(Stock, RefillCodes) {
  struct Case {
    int code;
    std::vector<int> reserve1, stock, waste;
    int expected;  // the card on the emptied pile 2, 0 for none
  };
  const Case cases[] = {
      {0, {H(9)}, {S(1)}, {D(1)}, 0},          {1, {}, {S(1)}, {D(1)}, 0},
      {1, {H(8), H(9)}, {S(1)}, {D(1)}, H(9)}, {2, {}, {S(1)}, {D(1), D(2)}, D(2)},
      {2, {}, {S(1), S(2)}, {}, S(2)},         {3, {}, {S(1), S(2)}, {D(1)}, S(2)},
      {3, {}, {}, {D(1), D(2)}, D(2)},         {3, {}, {}, {}, 0},
      {4, {}, {S(1)}, {D(1)}, D(1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("code " + std::to_string(c.code));
    ctx.GameRules.FillEmptyTableauFrom() = static_cast<int16_t>(c.code);
    ctx.UndoMazzo.clear();
    ctx.UndoDest.clear();
    ctx.UndoFila.clear();
    ctx.UndoAppogg.clear();
    ctx.UndoLog.clear();
    for (std::string& p : ctx.FilaPiles) p.clear();
    for (int i : {0, 2, 3}) Lay(ctx.FilaPiles, i, {C(i + 1)});
    Lay(ctx.FilaPiles, 1, {C(12), H(1)}, 1);
    ctx.AppoggPiles[0] = Pile({});
    for (int card : c.reserve1) AppendCardToList(ctx, ctx.AppoggPiles, 0, card, "1");
    ctx.MazzoPiles[0] = ctx.MazzoPiles[1] = "";
    for (int card : c.stock) AppendCardToList(ctx, ctx.MazzoPiles, 0, card, "0");
    for (int card : c.waste) AppendCardToList(ctx, ctx.MazzoPiles, 1, card, "1");
    ctx.SetCfg(cfg::Automatic_FaceUp, "N");
    ASSERT_TRUE(PlayToPile(ctx, H(1), "Dest1"));
    ctx.FilaPiles[1].clear();  // the C(12) left too
    const std::string beforeFill = Snapshot();
    EXPECT_EQ(AutoFillEmptyTableaus(ctx), c.code != 0 && c.expected != 0);
    EXPECT_EQ(TopCard(ctx.FilaPiles[1]), c.expected);
    // The fill is part of the move's step.
    EXPECT_EQ(UndoDepth(ctx), 1);
    if (c.expected) {
      EXPECT_NE(Snapshot(), beforeFill);
    }
  }
  // Code 4 waits while a batch move is logged.
  ctx.UndoLog = "001,";
  ctx.FilaPiles[1].clear();
  Lay(ctx.MazzoPiles, 1, {D(5)});
  EXPECT_FALSE(AutoFillEmptyTableaus(ctx));
}

TEST_F(Stock, OneUndoTakesBackAMoveAndItsFill) {
  ctx.GameRules.FillEmptyTableauFrom() = 3;
  Lay(ctx.FilaPiles, 0, {H(1)});
  Lay(ctx.FilaPiles, 1, {H(2)});
  Lay(ctx.MazzoPiles, 0, {S(4), S(5)}, 2);
  ASSERT_TRUE(PlayToPile(ctx, H(1), "Dest1"));
  const std::string before = Snapshot();
  ASSERT_TRUE(MakeDrop(ctx, {H(2), "Dest1", 1}));
  // Every empty pile is filled, in pile order.
  EXPECT_EQ(ctx.FilaPiles[0], Pile({S(5)}));
  EXPECT_EQ(ctx.FilaPiles[1], Pile({S(4)}));
  EXPECT_EQ(UndoDepth(ctx), 2);
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

using namespace testing;

TEST_F(PlayTest, PyramidTurnoverDropsSelectedCardsThatWentBackToTheStock) {
  ctx.GameRules.GameKind() = 4;
  ctx.GameRules.Deals() = 2;
  Lay(ctx.MazzoPiles, 1, {H(5), H(8), H(9)});
  Lay(ctx.FilaPiles, 0, {C(4)});
  Lay(ctx.DestPiles, 0, {C(4), H(9)});  // the selection
  EXPECT_FALSE(PlayToPile(ctx, 0, "Mazzo_Vis"));
  EXPECT_TRUE(PlayToPile(ctx, 0, "Mazzo_Vis"));
  EXPECT_EQ(ctx.MazzoPiles[0], Pile({H(9), H(8)}));
  EXPECT_EQ(ctx.DestPiles[0], Pile({C(4)}));
}

}  // namespace
}  // namespace tw
