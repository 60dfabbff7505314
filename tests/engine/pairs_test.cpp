// Pair and removal games: the selection on foundation 1 removed to the
// discard, empty piles refilled from the stock, the grid's gaps closed.
#include "engine/pairs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/cards.h"
#include "engine/executor.h"
#include "engine/selection.h"
#include "engine/undo.h"
#include "tests/engine/play_fixture.h"

namespace tw {
namespace {

using namespace testing;

class Pairs : public PlayTest {
 protected:
  // A selection game of `piles` tableau piles and no foundations.
  void Game(int kind, int layout, int piles) {
    GameRulesRecord& r = ctx.GameRules;
    r.GameKind() = static_cast<int16_t>(kind);
    r.SelectionFoundation() = kind == 3 || kind == 4 ? 0 : 1;
    r.TableauLayout() = static_cast<int16_t>(layout);
    r.TableauCount() = static_cast<int16_t>(piles);
    r.FoundationCount() = 0;
    r.ReserveCount() = 0;
    r.HasWaste() = 0;
    ctx.SetCfg(cfg::Sounds_Pairing, "Y");
  }
  void Select(std::initializer_list<int> cards) { ctx.DestPiles[0] = Pile(cards); }
  // Tableau piles of one card each: card k + 1 on pile k.
  void OneCardPiles(int piles) {
    for (int k = 0; k < piles; ++k) Lay(ctx.FilaPiles, k, {k + 1});
  }
  int Animations() const {
    return static_cast<int>(
        std::count_if(fakes.view.calls.begin(), fakes.view.calls.end(),
                      [](const std::string& c) { return c.rfind("animate", 0) == 0; }));
  }
};

const std::string kHole = "000";

TEST_F(Pairs, RemovalByLayoutAndSource) {
  struct Case {
    const char* name;
    int kind, layout;
    std::vector<std::string> piles;  // tableau piles 1..3 as pile strings
    std::vector<int> stock, waste, selection;
    std::vector<std::string> pilesAfter;
    std::vector<int> stockAfter, wasteAfter;
    bool redrawsTable;
  };
  const std::string p1 = Pile({H(5)}), p2 = Pile({C(5)}), p3 = Pile({H(1), D(12)});
  const Case cases[] = {
      {"grid cells are emptied", 8, 3, {p1, p2, p3}, {}, {}, {H(5), C(5)},
       {"", "", p3}, {}, {}, true},
      {"a lone King", 4, 4, {Pile({S(13)}), p2, p3}, {}, {}, {S(13)},
       {kHole, p2, p3}, {}, {}, true},
      {"pyramid: a hole on the tableau, the stock top taken out", 4, 4, {p1, p2, p3},
       {D(2), C(1)}, {}, {D(12), C(1)}, {p1, p2, Pile({H(1)}) + kHole}, {D(2)}, {}, true},
      {"pyramid: the waste top taken out", 4, 4, {p1, p2, p3}, {}, {S(3), S(8)},
       {S(8), H(5)}, {kHole, p2, p3}, {}, {S(3)}, true},
      {"row: the cell and the hole before it", 21, 8,
       {kHole + Pile({H(2)}) + kHole + Pile({H(3)}) + kHole + Pile({H(4)})}, {}, {}, {H(3)},
       {kHole + Pile({H(2)}) + kHole + Pile({H(4)})}, {}, {}, true},
      {"row: the last cell", 21, 8,
       {kHole + Pile({H(2)}) + kHole + Pile({H(3)})}, {}, {}, {H(3)}, {kHole + Pile({H(2)})},
       {}, {}, true},
      {"row: a stock card is taken out of the stock", 21, 8, {kHole + Pile({H(2)})},
       {D(9), D(8)}, {}, {H(2), D(8)}, {""}, {D(9)}, {}, true},
      // Cards off the tableau uncover what lay under them: the whole table
      // is drawn again; the stock and the waste redraw only themselves.
      {"pyramid: the stock and the waste tops", 4, 4, {p1, p2, p3}, {D(2), C(1)}, {S(3), D(12)},
       {D(12), C(1)}, {p1, p2, p3}, {D(2)}, {S(3)}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Game(c.kind, c.layout, 3);
    for (int k = 0; k < 3; ++k) {
      ctx.FilaPiles[static_cast<size_t>(k)] =
          k < static_cast<int>(c.piles.size()) ? c.piles[static_cast<size_t>(k)] : "";
    }
    ctx.MazzoPiles[0].clear();
    for (int s : c.stock) ctx.MazzoPiles[0] += CardCodeText(s);
    ctx.MazzoPiles[1].clear();
    for (int w : c.waste) ctx.MazzoPiles[1] += CardCodeText(w);
    ctx.MazzoPiles[2] = Pile({S(1)});
    ctx.DestPiles[0].clear();
    for (int s : c.selection) ctx.DestPiles[0] += CardCodeText(s);
    for (int s : c.selection) SetCardFace(ctx, s, "0");
    fakes.view.calls.clear();

    ASSERT_TRUE(PlayToPile(ctx, 0, "Selezionate_Dest"));
    for (int k = 0; k < 3; ++k) {
      const std::string want =
          k < static_cast<int>(c.pilesAfter.size()) ? c.pilesAfter[static_cast<size_t>(k)] : "";
      EXPECT_EQ(ctx.FilaPiles[static_cast<size_t>(k)], want) << "pile " << k + 1;
    }
    std::string stock, waste, discard = Pile({S(1)});
    for (int s : c.stockAfter) stock += CardCodeText(s);
    for (int w : c.wasteAfter) waste += CardCodeText(w);
    for (int s : c.selection) discard += CardCodeText(s);
    EXPECT_EQ(ctx.MazzoPiles[0], stock);
    EXPECT_EQ(ctx.MazzoPiles[1], waste);
    EXPECT_EQ(ctx.MazzoPiles[2], discard) << "in selection order";
    for (int s : c.selection) EXPECT_TRUE(IsFaceUp(ctx, s));
    EXPECT_TRUE(ctx.DestPiles[0].empty());
    const bool redrewTable = std::find(fakes.view.calls.begin(), fakes.view.calls.end(),
                                       "table") != fakes.view.calls.end();
    EXPECT_EQ(redrewTable, c.redrawsTable);
    EXPECT_EQ(Animations(), static_cast<int>(c.selection.size()));
  }
}

TEST_F(Pairs, PyramidHolesStayOnTheTableau) {
  Game(4, 4, 2);
  ctx.GameRules.ReserveCount() = 1;
  Lay(ctx.FilaPiles, 0, {C(2)});
  Lay(ctx.FilaPiles, 1, {D(3), D(10)});
  Lay(ctx.AppoggPiles, 0, {S(3)});
  Select({D(10), S(3)});
  ASSERT_TRUE(PlayToPile(ctx, 0, "Selezionate_Dest"));
  EXPECT_EQ(ctx.FilaPiles[1], Pile({D(3)}) + kHole);
  EXPECT_TRUE(ctx.AppoggPiles[0].empty()) << "a reserve is left empty, not holed";
}

TEST_F(Pairs, RemovalIsOneStepAndUndoBringsNoSelectionBack) {
  Game(3, 3, 4);
  Lay(ctx.FilaPiles, 0, {D(4), H(13)});
  Lay(ctx.FilaPiles, 1, {C(1)});
  Select({H(13), C(1)});
  const std::string before = [&] {
    const std::string selection = ctx.DestPiles[0];
    ctx.DestPiles[0].clear();
    const std::string s = Snapshot();
    ctx.DestPiles[0] = selection;
    return s;
  }();
  ASSERT_TRUE(PlayToPile(ctx, 0, "Selezionate_Dest"));
  const std::string after = Snapshot();
  EXPECT_EQ(UndoDepth(ctx), 1);
  EXPECT_EQ(Sounds("Pairing"), 1);
  // Counter: tableau to the discard, each card.
  EXPECT_EQ(fakes.counter.updates.size(), 4u);
  EXPECT_EQ(fakes.counter.updates[1], (std::vector<int>{H(13), 3, 1, 1}));
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(Snapshot(), before);
  EXPECT_TRUE(ctx.DestPiles[0].empty());
  ASSERT_TRUE(UndoRedo(ctx, false, false));
  EXPECT_EQ(Snapshot(), after);
}

TEST_F(Pairs, StaleSelectionCodesAreDroppedAndNothingLeftIsNoMove) {
  Game(8, 3, 4);
  Lay(ctx.FilaPiles, 0, {H(7)});
  Lay(ctx.FilaPiles, 1, {D(7)});
  Lay(ctx.MazzoPiles, 2, {S(2)});
  // A hole, a code out of range, a card twice and a card already discarded.
  ctx.DestPiles[0] = "000" + Pile({H(7)}) + "200" + Pile({H(7), S(2)});
  ASSERT_TRUE(PlayToPile(ctx, 0, "Selezionate_Dest"));
  EXPECT_EQ(ctx.FilaPiles[0], "");
  EXPECT_EQ(ctx.FilaPiles[1], Pile({D(7)}));
  EXPECT_EQ(ctx.MazzoPiles[2], Pile({S(2), H(7)}));
  EXPECT_EQ(UndoDepth(ctx), 1);

  ctx.DestPiles[0] = Pile({H(7), S(2)});
  EXPECT_FALSE(PlayToPile(ctx, 0, "Selezionate_Dest"));
  EXPECT_TRUE(ctx.DestPiles[0].empty());
  EXPECT_EQ(UndoDepth(ctx), 1) << "no empty step";
  EXPECT_EQ(ctx.MazzoPiles[2], Pile({S(2), H(7)}));
  EXPECT_FALSE(PlayToPile(ctx, 0, "Selezionate_Dest")) << "empty selection";
}

TEST_F(Pairs, FaceDownKindsTurnTheUncoveredTopUp) {
  for (int kind : {25, 26, 8}) {
    SCOPED_TRACE(kind);
    Game(kind, 1, 4);
    ctx.UndoMazzo.clear();
    ctx.UndoDest.clear();
    ctx.UndoFila.clear();
    ctx.UndoAppogg.clear();
    ctx.UndoLog.clear();
    Lay(ctx.FilaPiles, 0, {C(9), H(9)}, 1);
    Lay(ctx.FilaPiles, 1, {D(9)});
    ctx.MazzoPiles[2].clear();
    Select({H(9), D(9)});
    ASSERT_TRUE(PlayToPile(ctx, 0, "Selezionate_Dest"));
    const bool turns = kind != 8;
    EXPECT_EQ(IsFaceUp(ctx, C(9)), turns);
    EXPECT_EQ(UndoDepth(ctx), turns ? 2 : 1) << "the face-up is a step of its own";
  }
}

TEST_F(Pairs, RefillDealsTheStockTopToEachEmptyPileInOrder) {
  Game(17, 3, 4);
  Lay(ctx.FilaPiles, 1, {H(3)});
  Lay(ctx.MazzoPiles, 0, {C(4), C(5)}, 2);
  // A step to undo and one to redo: a refill that moves nothing keeps redo.
  Lay(ctx.FilaPiles, 3, {H(8)});
  Select({H(8)});
  ASSERT_TRUE(PlayToPile(ctx, 0, "Selezionate_Dest"));
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  Lay(ctx.FilaPiles, 0, {H(9)});
  Lay(ctx.FilaPiles, 2, {H(10)});
  EXPECT_FALSE(PlayToPile(ctx, 0, "Selezionate_Fila"));
  EXPECT_EQ(RedoDepth(ctx), 1);
  ctx.FilaPiles[0].clear();
  ctx.FilaPiles[2].clear();
  ctx.FilaPiles[3].clear();
  const int depth = UndoDepth(ctx);

  ASSERT_TRUE(PlayToPile(ctx, 0, "Selezionate_Fila"));
  EXPECT_EQ(ctx.FilaPiles[0], Pile({C(5)}));
  EXPECT_EQ(ctx.FilaPiles[1], Pile({H(3)}));
  EXPECT_EQ(ctx.FilaPiles[2], Pile({C(4)}));
  EXPECT_EQ(ctx.FilaPiles[3], "") << "the stock ran out";
  EXPECT_TRUE(ctx.MazzoPiles[0].empty());
  EXPECT_TRUE(IsFaceUp(ctx, C(4)) && IsFaceUp(ctx, C(5)));
  EXPECT_EQ(UndoDepth(ctx), depth) << "no step of its own";
  EXPECT_EQ(Sounds("Shuffle"), 2);
}

TEST_F(Pairs, GridClosesGapsInReadingOrderThenRefills) {
  Game(8, 3, 25);
  OneCardPiles(25);
  ctx.FilaPiles[2].clear();
  ctx.FilaPiles[6].clear();
  Lay(ctx.MazzoPiles, 0, {S(1), S(2), S(3)}, 3);
  Select({D(1)});
  const int depth = UndoDepth(ctx);
  ASSERT_TRUE(PlayToPile(ctx, 0, "Stock_To_Pile_Monte_Carlo"));
  std::vector<int> want = {1, 2, 4, 5, 6};
  for (int c = 8; c <= 25; ++c) want.push_back(c);
  want.push_back(S(3));
  want.push_back(S(2));
  for (int k = 0; k < 25; ++k) {
    EXPECT_EQ(ctx.FilaPiles[static_cast<size_t>(k)], Pile({want[static_cast<size_t>(k)]}))
        << "pile " << k + 1;
  }
  EXPECT_EQ(ctx.MazzoPiles[0], Pile({S(1)}));
  EXPECT_TRUE(IsFaceUp(ctx, S(2)) && IsFaceUp(ctx, S(3)));
  EXPECT_TRUE(ctx.DestPiles[0].empty()) << "the selection is dropped";
  EXPECT_EQ(UndoDepth(ctx), depth);
}

TEST_F(Pairs, GridWithoutGapsIsNoMove) {
  struct Case {
    const char* name;
    std::vector<int> emptyPiles;
    bool stock;
    bool moved;
    std::vector<int> emptyAfter;
  };
  const Case cases[] = {
      {"every cell full", {}, true, false, {}},
      {"empty cells at the end, no stock", {23, 24}, false, false, {23, 24}},
      {"empty cells at the end, a stock", {24}, true, true, {}},
      {"a gap, no stock", {3, 24}, false, true, {23, 24}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Game(8, 3, 25);
    OneCardPiles(25);
    for (int e : c.emptyPiles) ctx.FilaPiles[static_cast<size_t>(e)].clear();
    ctx.MazzoPiles[0] = c.stock ? Pile({S(1), S(2), S(3)}) : "";
    EXPECT_EQ(PlayToPile(ctx, 0, "Stock_To_Pile_Monte_Carlo"), c.moved);
    std::vector<int> empty;
    for (int k = 0; k < 25; ++k) {
      if (ctx.FilaPiles[static_cast<size_t>(k)].empty()) empty.push_back(k);
    }
    EXPECT_EQ(empty, c.emptyAfter);
  }
}

TEST(PairText, AllZero) {
  EXPECT_TRUE(IsAllZeroText(""));
  EXPECT_TRUE(IsAllZeroText("000"));
  EXPECT_TRUE(IsAllZeroText("000000000"));
  EXPECT_FALSE(IsAllZeroText("000001"));
  EXPECT_FALSE(IsAllZeroText(" 0"));
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

using namespace testing;

// Selections judged click by click: a card list is a move only in an order
// whose clicks before the last leave it incomplete, because the table plays
// a selection away at the click that completes it.
TEST_F(Pairs, ClickOrdersThatMakeTheMove) {
  struct Case {
    const char* name;
    int kind, layout;
    std::vector<int> row;            // kind 20: the row; kind 4: the bottom pyramid row
    std::vector<int> stock, waste;   // kind 4
    std::vector<int> cards;          // as listed
    std::vector<int> order;          // an order that makes the move; empty: none does
  };
  const Case cases[] = {
      {"decade: a pair adding to ten", 20, 8, {H(3), S(7), D(9)}, {}, {}, {H(3), S(7)},
       {H(3), S(7)}},
      // 10 + 10 completes at the second card: the third only from the middle.
      {"decade: thirty over a twenty", 20, 8, {D(12), H(11), S(10)}, {}, {}, {D(12), H(11), S(10)},
       {D(12), S(10), H(11)}},
      {"decade: not neighbours", 20, 8, {H(3), D(9), S(7)}, {}, {}, {H(3), S(7)}, {}},
      {"pyramid: a King alone on the stock", 4, 4, {C(2)}, {D(5), S(13)}, {}, {S(13)}, {}},
      {"pyramid: the stock top second", 4, 4, {C(2)}, {D(5), S(11)}, {}, {S(11), C(2)},
       {C(2), S(11)}},
      {"pyramid: a King alone on the waste", 4, 4, {C(2)}, {D(5)}, {S(13)}, {S(13)}, {S(13)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Game(c.kind, c.layout, 1);
    std::string row;
    for (int card : c.row) row += (c.layout == 8 ? kHole : "") + CardCodeText(card);
    ctx.FilaPiles[0] = row;
    for (int card : c.row) SetCardFace(ctx, card, "1");
    ctx.MazzoPiles[0].clear();
    for (int card : c.stock) ctx.MazzoPiles[0] += CardCodeText(card);
    ctx.MazzoPiles[1].clear();
    for (int card : c.waste) ctx.MazzoPiles[1] += CardCodeText(card);
    ctx.DestPiles[0].clear();
    EXPECT_EQ(ClickOrder(ctx, c.cards), c.order);
    EXPECT_TRUE(ctx.DestPiles[0].empty()) << "the trial clicks leave no selection";
    EXPECT_EQ(ClicksCompleteSelection(ctx, c.cards), c.order == c.cards);
  }
}

}  // namespace
}  // namespace tw
