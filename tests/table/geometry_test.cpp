#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "core/cfg.h"
#include "table/geometry.h"
#include "table_fixture.h"

namespace tw {
namespace {

std::string Codes(std::initializer_list<int> cards) {
  std::string s;
  for (int c : cards) {
    std::string t = std::to_string(c);
    s += std::string(3 - t.size(), '0') + t;
  }
  return s;
}

class GeometryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitCardsAndPiles(ctx);
    Use(1, "B");
  }
  void Use(int tableauLayout, const char* size) {
    ctx.GameRules.TableauLayout() = static_cast<int16_t>(tableauLayout);
    testing::UseCardSize(ctx, size);
    SetFanSteps(ctx);
  }
  void FaceDown(std::initializer_list<int> cards) {
    for (int c : cards) ctx.CardRecords[static_cast<size_t>(c - 1)][19] = '0';
  }
  // Tableau pile i at (x, y) holding the cards, bottom first.
  void Tableau(int i, int x, int y, const std::string& pile) {
    ctx.TableauX[static_cast<size_t>(i)] = static_cast<int16_t>(x);
    ctx.TableauY[static_cast<size_t>(i)] = static_cast<int16_t>(y);
    ctx.FilaPiles[static_cast<size_t>(i)] = pile;
    int16_t& n = ctx.GameRules.TableauCount();
    n = static_cast<int16_t>(std::max<int>(n, i + 1));
  }
  GameContext ctx;
};

TEST(CardSizeTest, LettersSetTheSize) {
  struct {
    const char* letter;
    int w, h;
    bool known;
  } cases[] = {{"B", 71, 96, true}, {"M", 59, 80, true}, {"L", 25, 32, true},
               {"X", 25, 32, false}};
  GameContext ctx;
  for (auto c : cases) {
    ctx.SetCfg(cfg::Card_Size, c.letter);
    EXPECT_EQ(SetCardSize(ctx), c.known) << c.letter;
    EXPECT_EQ(ctx.CardWidth, c.w) << c.letter;
    EXPECT_EQ(ctx.CardHeight, c.h) << c.letter;
    EXPECT_EQ(ctx.TfrmMain.CardRect.Right, c.w);
    EXPECT_EQ(ctx.TfrmMain.CardRect.Bottom, c.h);
  }
}

TEST(FanStepsTest, FromLayoutsAndSize) {
  struct {
    int tableau, reserve;
    const char* size;
    int downUp, rightUp, downDown, rightDown, right6;
  } cases[] = {
      {1, 0, "B", 18, 0, 4, 0, 0}, {1, 0, "M", 14, 0, 4, 0, 0}, {1, 0, "L", 3, 0, 3, 0, 0},
      {1, 2, "M", 14, 10, 4, 4, 0}, {2, 0, "B", 0, 12, 0, 4, 0}, {2, 0, "L", 0, 3, 0, 3, 0},
      {6, 0, "M", 0, 0, 0, 0, 5},  {6, 0, "B", 0, 0, 0, 0, 7},  {3, 3, "B", 0, 0, 0, 0, 0},
  };
  for (auto c : cases) {
    GameContext ctx;
    ctx.GameRules.TableauLayout() = static_cast<int16_t>(c.tableau);
    ctx.GameRules.ReserveLayout() = static_cast<int16_t>(c.reserve);
    ctx.SetCfg(cfg::Card_Size, c.size);
    SetFanSteps(ctx);
    const auto& s = ctx.GameState;
    SCOPED_TRACE(std::to_string(c.tableau) + "/" + std::to_string(c.reserve) + c.size);
    EXPECT_EQ(s.FanStepDownUp(), c.downUp);
    EXPECT_EQ(s.FanStepRightUp(), c.rightUp);
    EXPECT_EQ(s.FanStepDownDown(), c.downDown);
    EXPECT_EQ(s.FanStepRightDown(), c.rightDown);
    EXPECT_EQ(s.FanStepRight6(), c.right6);
    EXPECT_EQ(s.FanStepRight6Down(), c.right6);
    EXPECT_EQ(s.FanStep5(), 3);
    EXPECT_EQ(s.FanStepRight4(), 6);
  }
}

TEST_F(GeometryTest, DownwardFanSteps) {
  FaceDown({1, 2, 3});
  Tableau(0, 100, 200, Codes({1, 2, 3, 4, 5}));
  // Three face-down steps of 4, then face-up steps of 18.
  int expected[] = {230, 212, 208, 204, 200};  // k = 0 (top) .. 4 (bottom)
  for (int k = 0; k < 5; ++k) EXPECT_EQ(CardTopY(ctx, "Fila1", 0, k, false), expected[k]) << k;
  EXPECT_EQ(CardTopY(ctx, "Fila1", 0, 0, true), 248);
  EXPECT_EQ(CardTopY(ctx, "Fila1", 0, 5, true), 200);
  EXPECT_EQ(PileBottomY(ctx, "Fila1"), 326);
  ctx.GameState.ScrollOffsetY() = 50;
  EXPECT_EQ(CardTopY(ctx, "Fila1", 0, 0, false), 180);
  ctx.GameState.ScrollOffsetY() = 0;

  // Layout 7: the cards lie one face-up step below the pile's place.
  ctx.GameRules.ReserveLayout() = 7;
  ctx.ReserveX[0] = 300;
  ctx.ReserveY[0] = 400;
  EXPECT_EQ(CardTopY(ctx, "Appogg1", 0, 0, false), 400);  // empty
  ctx.AppoggPiles[0] = Codes({20, 21});
  EXPECT_EQ(CardTopY(ctx, "Appogg1", 0, 0, false), 418);
  EXPECT_EQ(CardTopY(ctx, "Appogg1", 0, 1, false), 418);

  // L cards: 3 and 3, a 13-card column stays within 32 + 12 x 3.
  Use(1, "L");
  Tableau(1, 10, 10, Codes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
  EXPECT_EQ(PileBottomY(ctx, "Fila2"), 10 + 32 + 12 * 3);
}

TEST_F(GeometryTest, SidewaysFans) {
  FaceDown({1, 2, 3});
  struct {
    int layout;
    int x[5];
  } cases[] = {{2, {100, 104, 108, 112, 124}},
               {6, {100, 107, 114, 121, 128}},
               {4, {100, 177, 254, 331, 408}}};
  for (auto c : cases) {
    Use(c.layout, "B");
    Tableau(0, 100, 200, Codes({1, 2, 3, 4, 5}));
    for (int j = 0; j < 5; ++j)
      EXPECT_EQ(CardLeftX(ctx, "Fila1", 0, 4 - j, false), c.x[j]) << c.layout << " " << j;
    EXPECT_EQ(CardTopY(ctx, "Fila1", 0, 0, false), 200);
  }
}

TEST_F(GeometryTest, IrregularPilesShiftTableauCards) {
  ctx.SetCfg(cfg::Piles_TT, "Y");
  for (size_t p = 0; p < 7; ++p)
    for (size_t e = 0; e < 13; ++e)
      ctx.JitterPatterns[p][e] = static_cast<int16_t>(e == 0 ? 0 : (p + 1) * 100 + e);
  Tableau(0, 100, 0, Codes({1, 2, 3, 4, 5}));
  EXPECT_EQ(CardLeftX(ctx, "Fila1", 0, 0, false), 100 + 104);  // top: entry 4
  EXPECT_EQ(CardLeftX(ctx, "Fila1", 0, 2, false), 100 + 103);  // Nearest(9 / 3) + 1 - 1
  EXPECT_EQ(CardLeftX(ctx, "Fila1", 0, 5, true), 100);          // entry 0
  Tableau(8, 100, 0, Codes({1}));
  EXPECT_EQ(CardLeftX(ctx, "Fila9", 8, 0, false), 100);  // pattern 3, entry 0
  Tableau(8, 100, 0, Codes({1, 2}));
  EXPECT_EQ(CardLeftX(ctx, "Fila9", 8, 0, false), 100 + 301);
  Tableau(6, 100, 0, Codes({1, 2}));
  EXPECT_EQ(CardLeftX(ctx, "Fila7", 6, 0, false), 100 + 701);  // index 6 keeps pattern 7
  Tableau(1, 100, 0, Codes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
  EXPECT_EQ(CardLeftX(ctx, "Fila2", 1, 0, false), 100 + 201);  // entry 13 -> 1
  ctx.SetCfg(cfg::Piles_TT, "N");
  EXPECT_EQ(CardLeftX(ctx, "Fila2", 1, 0, false), 100);
}

TEST_F(GeometryTest, DownwardBandsAndEdges) {
  FaceDown({1, 2, 3});
  Tableau(0, 100, 200, Codes({1, 2, 3, 4, 5}));
  struct {
    int y, card, top;
  } cases[] = {{200, 1, 200}, {212, 3, 208}, {213, 4, 212}, {229, 4, 212},
               {230, 4, 212}, {231, 5, 230}, {325, 5, 230}, {326, 0, 0}};
  for (auto c : cases) {
    HitResult h = HitTest(ctx, 120, c.y);
    EXPECT_EQ(h.Card, c.card) << c.y;
    if (c.card == 0) {
      EXPECT_TRUE(h.Pile.empty()) << c.y;
      continue;
    }
    EXPECT_EQ(h.Pile, "Fila1");
    EXPECT_EQ(h.Top, c.top) << c.y;
    EXPECT_EQ(h.Left, 100);
    EXPECT_EQ(h.Right, 171);
    EXPECT_EQ(h.Bottom, c.top + 96);
  }
}

TEST_F(GeometryTest, SidewaysBands) {
  FaceDown({1, 2, 3});
  Use(2, "B");
  Tableau(0, 100, 200, Codes({1, 2, 3, 4, 5}));
  struct {
    int x, card;
  } cases[] = {{100, 1}, {112, 3}, {113, 4}, {124, 4}, {125, 5}, {194, 5}, {195, 0}};
  for (auto c : cases) EXPECT_EQ(HitTest(ctx, c.x, 250).Card, c.card) << c.x;
}

TEST_F(GeometryTest, LaterOfOverlappingSideBySidePilesWins) {
  Use(4, "B");
  Tableau(0, 100, 200, Codes({1}));
  Tableau(1, 64, 248, Codes({2, 3}));
  HitResult h = HitTest(ctx, 110, 260);
  EXPECT_EQ(h.Pile, "Fila2");
  EXPECT_EQ(h.Card, 2);
  // A hole of the later pile lets the earlier pile take the point.
  ctx.FilaPiles[1] = Codes({0, 3});
  h = HitTest(ctx, 110, 260);
  EXPECT_EQ(h.Pile, "Fila1");
  EXPECT_EQ(h.Card, 1);
  // Side by side, so covered cards are found too.
  Rect r;
  ASSERT_TRUE(FindCardRect(ctx, 3, r));
  EXPECT_EQ(r.Left, 141);
  EXPECT_EQ(r.Top, 248);
}

TEST_F(GeometryTest, StockFoundationsAndReserves) {
  ctx.GameRules.FoundationLayout() = 3;
  ctx.GameRules.ReserveLayout() = 1;
  ctx.GameRules.ReserveCount() = 2;
  Tableau(0, 100, 200, Codes({7}));
  // Stock lying over the tableau pile wins.
  ctx.StockX[0] = 100;
  ctx.StockY[0] = 200;
  ctx.MazzoPiles[0] = Codes({50, 51});
  EXPECT_EQ(HitTest(ctx, 110, 210).Pile, "Mazzo");
  EXPECT_EQ(HitTest(ctx, 110, 210).Card, 51);
  ctx.StockX[0] = kUnusedStock;

  // An empty foundation answers its name without a card.
  ctx.FoundationX[2] = 500;
  ctx.FoundationY[2] = 50;
  HitResult h = HitTest(ctx, 571, 146);
  EXPECT_EQ(h.Pile, "Dest3");
  EXPECT_EQ(h.Card, 0);
  ctx.DestPiles[2] = Codes({8, 9});
  EXPECT_EQ(HitTest(ctx, 510, 60).Card, 9);

  // Side-by-side foundations are hit on their top card.
  ctx.GameRules.FoundationLayout() = 4;
  EXPECT_EQ(HitTest(ctx, 580, 60).Card, 9);
  EXPECT_TRUE(HitTest(ctx, 510, 60).Pile.empty());
  Rect r;
  ASSERT_TRUE(FindCardRect(ctx, 9, r));
  EXPECT_EQ(r.Left, 577);

  // An empty reserve is passed over for the next one at the same place.
  for (size_t i = 0; i < 2; ++i) {
    ctx.ReserveX[i] = 300;
    ctx.ReserveY[i] = 400;
  }
  ctx.AppoggPiles[1] = Codes({10, 11});
  h = HitTest(ctx, 310, 405);
  EXPECT_EQ(h.Pile, "Appogg2");
  EXPECT_EQ(h.Card, 10);
  EXPECT_EQ(h.Bottom, 418 + 96);  // the run down to the pile's bottom
  ctx.GameRules.SingleCardPick() = -11;
  EXPECT_EQ(HitTest(ctx, 310, 405).Bottom, 400 + 96);

  h = HitTest(ctx, 900, 700);
  EXPECT_TRUE(h.Pile.empty());
  EXPECT_EQ(h.Card, 0);
  EXPECT_EQ(h.Left + h.Top + h.Right + h.Bottom, 0);
}

TEST_F(GeometryTest, TightReserveFanAndScrolledTable) {
  ctx.GameRules.ReserveLayout() = 5;
  ctx.GameRules.ReserveCount() = 1;
  ctx.ReserveX[0] = 300;
  ctx.ReserveY[0] = 400;
  ctx.AppoggPiles[0] = Codes({20, 21, 22});
  ctx.GameState.ScrollOffsetY() = 100;  // window y = table y - 100
  struct {
    int y, card, top;
  } cases[] = {{300, 20, 300}, {303, 20, 300}, {304, 21, 303}, {306, 21, 303},
               {307, 22, 306}, {401, 22, 306}, {402, 0, 0}};
  for (auto c : cases) {
    HitResult h = HitTest(ctx, 320, c.y);
    EXPECT_EQ(h.Card, c.card) << c.y;
    EXPECT_EQ(h.Top, c.top) << c.y;
  }
  EXPECT_EQ(PileBottomY(ctx, "Appogg1"), 306 + 96);
  Rect r;
  ASSERT_TRUE(FindCardRect(ctx, 22, r));
  EXPECT_EQ(r.Top, 306);
  EXPECT_FALSE(FindCardRect(ctx, 21, r));
}

// A squared reserve stands on its edge like the stock: its cards lie up and
// left of its place by the edge's depth, and are hit, found and dropped on
// there; a fanned reserve keeps its place.
TEST_F(GeometryTest, SquaredReserveCardsLieOnTheEdge) {
  ctx.GameRules.ReserveCount() = 1;
  ctx.ReserveX[0] = 300;
  ctx.ReserveY[0] = 400;
  ctx.GameState.ScrollOffsetY() = 100;  // the reserve's place is at y 300 on the window
  struct {
    int layout, cards, depth;
  } cases[] = {{3, 1, 0},   {3, 2, 1},  {3, 3, 1},   {3, 6, 1},  {3, 7, 2},  {3, 20, 3},
               {3, 104, 15}, {0, 13, 2}, {1, 13, 0}, {5, 13, 0}, {7, 13, 0}};
  for (auto c : cases) {
    ctx.GameRules.ReserveLayout() = static_cast<int16_t>(c.layout);
    std::string pile;
    for (int k = 1; k <= c.cards; ++k) pile += Codes({k});
    ctx.AppoggPiles[0] = pile;
    const int top = c.cards, d = c.depth;
    EXPECT_EQ(ReserveEdgeDepth(ctx, 0), d) << c.layout << "/" << c.cards;
    if (c.layout != 3) continue;
    EXPECT_EQ(CardLeftX(ctx, "Appogg1", 0, 0, false), 300 - d) << c.cards;
    EXPECT_EQ(CardTopY(ctx, "Appogg1", 0, 0, false), 300 - d) << c.cards;
    EXPECT_EQ(PileBottomY(ctx, "Appogg1"), 300 - d + 96) << c.cards;
    // The moved card's corners are hit, the edge beyond it is not.
    HitResult h = HitTest(ctx, 300 - d, 300 - d);
    EXPECT_EQ(h.Card, top) << c.cards;
    EXPECT_EQ(h.Left, 300 - d);
    EXPECT_EQ(h.Top, 300 - d);
    EXPECT_EQ(h.Bottom, 300 - d + 96);
    EXPECT_EQ(HitTest(ctx, 300 - d + 71, 300 - d + 95).Card, top) << c.cards;
    if (d > 0) EXPECT_TRUE(HitTest(ctx, 300 + 71, 300 + 96).Pile.empty()) << c.cards;
    Rect r;
    ASSERT_TRUE(FindCardRect(ctx, top, r)) << c.cards;
    EXPECT_EQ(r.Left, 300 - d);
    EXPECT_EQ(r.Top, 300 - d);
  }
  // An empty reserve shows its marker at its own place.
  ctx.GameRules.ReserveLayout() = 3;
  ctx.AppoggPiles[0].clear();
  EXPECT_EQ(CardLeftX(ctx, "Appogg1", 0, 0, false), 300);
  EXPECT_EQ(CardTopY(ctx, "Appogg1", 0, 0, false), 300);
}

TEST_F(GeometryTest, FindCardRectFindsTopCards) {
  FaceDown({1, 2, 3});
  Tableau(0, 100, 200, Codes({1, 2, 3, 4, 5}));
  Rect r;
  ASSERT_TRUE(FindCardRect(ctx, 5, r));
  EXPECT_EQ(r.Left, 100);
  EXPECT_EQ(r.Top, 230);
  EXPECT_EQ(r.Bottom, 326);
  EXPECT_FALSE(FindCardRect(ctx, 4, r));
  EXPECT_EQ(r.Left + r.Top + r.Right + r.Bottom, 0);
  ctx.StockX[1] = 20;
  ctx.StockY[1] = 30;
  ctx.MazzoPiles[1] = Codes({60, 61});
  ASSERT_TRUE(FindCardRect(ctx, 60, r));
  EXPECT_EQ(r.Top, 30);
  EXPECT_EQ(r.Right, 91);
}

// Overlap tests: rectangle 1, rectangle 2, expected overlap and area.
TEST(OverlapTest, CornersThenSteppedWalk) {
  struct {
    int a[4], b[4];
    bool overlap;
    int area;
  } cases[] = {
      {{10, 10, 30, 30}, {0, 0, 20, 20}, true, 100},     // top-left inside
      {{0, 0, 15, 15}, {10, 10, 40, 40}, true, 25},      // bottom-right
      {{0, 10, 15, 30}, {10, 0, 40, 20}, true, 50},      // top-right
      {{10, 0, 30, 15}, {0, 10, 20, 40}, true, 50},      // bottom-left
      {{10, 0, 20, 100}, {0, 40, 50, 60}, true, 4000},   // walk reaches y 50
      {{-10, 0, 20, 100}, {0, 40, 50, 60}, true, 2000},  // right edge only
      {{10, 0, 20, 200}, {0, 60, 50, 80}, false, 0},     // the walk steps over it
      {{10, 0, 20, 100}, {0, 10, 50, 42}, false, 0},     // a small card skipped
      {{0, 0, 100, 100}, {10, 10, 50, 50}, false, 0},    // wider on both sides
      {{0, 0, 10, 10}, {20, 20, 30, 30}, false, 0},      // apart
  };
  for (auto c : cases) {
    SCOPED_TRACE(std::to_string(c.a[0]) + "," + std::to_string(c.a[1]) + " / " +
                 std::to_string(c.b[0]) + "," + std::to_string(c.b[1]));
    EXPECT_EQ(RectsOverlapStepped(c.a[0], c.a[1], c.a[2], c.a[3], c.b[0], c.b[1], c.b[2], c.b[3]),
              c.overlap);
    EXPECT_EQ(OverlapAreaStepped(c.a[0], c.a[1], c.a[2], c.a[3], c.b[0], c.b[1], c.b[2], c.b[3]),
              c.area);
  }
}

TEST(PileNameTest, NamesAndIndexes) {
  struct {
    const char* name;
    PileKind kind;
    int index;
  } cases[] = {{"Mazzo", PileKind::Stock, 0},      {"Mazzo_Vis", PileKind::Waste, 1},
               {"Mazzo_Waste", PileKind::Talon, 2}, {"Dest16", PileKind::Foundation, 15},
               {"Fila1", PileKind::Tableau, 0},     {"Appogg8", PileKind::Reserve, 7},
               {"Fila27", PileKind::None, -1},      {"Dest0", PileKind::None, -1},
               {"Fila01", PileKind::None, -1},      {"Appogg", PileKind::None, -1}};
  for (auto c : cases) {
    int i = 0;
    EXPECT_EQ(ParsePileName(c.name, i), c.kind) << c.name;
    EXPECT_EQ(i, c.index) << c.name;
    if (c.kind != PileKind::None) {
      EXPECT_EQ(PileName(c.kind, c.index), c.name);
    }
  }
}

// The row of the row games: every cell of a two-deck row has its own place,
// odd rows run back, and the last column stays on the table.
TEST(GridTest, CellsAreDistinctAndOnTheTable) {
  for (const char* size : {"B", "M", "L"}) {
    for (int width : {640, 800, 1024, 1280, 1920}) {
      GameContext ctx;
      InitCardsAndPiles(ctx);
      ctx.GameRules.TableauLayout() = 8;
      ctx.GameRules.TableauCount() = 1;
      testing::SetCodes(ctx.GameRules, {"1000", "0000", "1096", "0000", "0000", 1, 0, 1, 0, 1});
      LayoutInput in = testing::Window(width, width * 3 / 4);
      testing::LayOut(ctx, in, size);
      int columns = ctx.GameState.GridColumns();
      ASSERT_GE(columns, 1);
      std::set<std::pair<int, int>> seen;
      for (int c = 0; c < 104; ++c) {
        int x = 0, y = 0;
        GridCellPos(ctx, c, x, y);
        EXPECT_TRUE(seen.insert({x, y}).second) << size << width << " cell " << c;
        EXPECT_GE(x, ctx.TableauX[0]);
        EXPECT_LE(x + ctx.CardWidth, LayoutAreaFromInput(in).Width) << size << width;
        int row = c / columns, col = c % columns;
        int expectX = ctx.TableauX[0] +
                      (row % 2 ? columns - 1 - col : col) * (ctx.CardWidth + 12);
        EXPECT_EQ(x, expectX);
        EXPECT_EQ(y, ctx.TableauY[0] + row * (ctx.CardHeight + 8));
      }
    }
  }
}

TEST(GridTest, HitAndFindByCell) {
  GameContext ctx;
  InitCardsAndPiles(ctx);
  ctx.GameRules.TableauLayout() = 8;
  testing::SetCodes(ctx.GameRules, {"1000", "0000", "1096", "0000", "0000", 1, 0, 1, 0, 1});
  testing::LayOut(ctx, testing::Window(800, 600), "B");
  // The row as the stock deals it, a hole before every card: cells 0, 1
  // and 2 hold cards 5, 6 and 7. The hit test, the card search and the
  // drawn places agree on every cell.
  ctx.FilaPiles[0] = Codes({0, 5, 0, 6, 0, 7});
  for (int cell = 0; cell < 3; ++cell) {
    const int card = 5 + cell;
    int x = 0, y = 0;
    GridCellPos(ctx, cell, x, y);
    HitResult h = HitTest(ctx, x + 10, y + 10);
    EXPECT_EQ(h.Pile, "Fila1");
    EXPECT_EQ(h.Card, card);
    EXPECT_EQ(h.Left, x);
    Rect r;
    ASSERT_TRUE(FindCardRect(ctx, card, r));
    EXPECT_EQ(r.Left, x);
    // Where the whole-table drawing puts the card (code 2 * cell + 1).
    EXPECT_EQ(CardLeftX(ctx, "Fila1", 0, 6 - (2 * cell + 1), true), x) << cell;
  }
  EXPECT_EQ(CardLeftX(ctx, "Fila1", 0, 0, false), ctx.TableauX[0] + 2 * (71 + 12));
  EXPECT_EQ(CardTopY(ctx, "Fila1", 0, 2, false), ctx.TableauY[0]);
  int x = 0, y = 0;
  EXPECT_FALSE(GetWrappedCardPos(ctx, 9, x, y));
}

}  // namespace
}  // namespace tw
