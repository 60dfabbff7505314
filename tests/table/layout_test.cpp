#include <gtest/gtest.h>

#include <vector>

#include "table/layout.h"
#include "table_fixture.h"

namespace tw {
namespace {

using testing::SetCodes;
using testing::Window;

TEST(NearestTest, HalvesGoToEven) {
  struct {
    double in;
    int out;
  } cases[] = {{22.5, 22}, {23.5, 24}, {202.5, 202}, {-0.5, 0}, {106.5, 106}, {65.625, 66},
               {-1.5, -2}, {2.49, 2}};
  for (auto c : cases) EXPECT_EQ(Nearest(c.in), c.out) << c.in;
}

TEST(PlacementCodeTest, RowDigitThenThreeDigitStyle) {
  EXPECT_EQ(PlacementCode(2, 14), "2014");
  EXPECT_EQ(PlacementCode(1, 5), "1005");
  EXPECT_EQ(PlacementCode(0, 104), "0104");
  EXPECT_EQ(PlacementCode(12, 3), "1003");
}

// Expected place of one pile: kind S (stock-area slot), F, T or R, 0-based.
struct Pos {
  char kind;
  int index;
  int x, y;
};

struct Rules {
  int hasStock = 1, hasWaste = 1, tableauLayout = 1, tableauRows = 1;
};

struct LayoutCase {
  const char* name;
  PileCodes codes;
  LayoutInput window;
  const char* size;
  Rules rules;
  std::vector<Pos> expected;
  int passes = 1;
};

int XOf(const GameContext& c, const Pos& p) {
  size_t i = static_cast<size_t>(p.index);
  switch (p.kind) {
    case 'S': return c.StockX[i];
    case 'F': return c.FoundationX[i];
    case 'T': return c.TableauX[i];
    default: return c.ReserveX[i];
  }
}
int YOf(const GameContext& c, const Pos& p) {
  size_t i = static_cast<size_t>(p.index);
  switch (p.kind) {
    case 'S': return c.StockY[i];
    case 'F': return c.FoundationY[i];
    case 'T': return c.TableauY[i];
    default: return c.ReserveY[i];
  }
}

int RunCase(GameContext& ctx, const LayoutCase& c) {
  ctx.GameRules.Clear();
  SetCodes(ctx.GameRules, c.codes);
  ctx.GameRules.HasStock() = static_cast<int16_t>(c.rules.hasStock);
  ctx.GameRules.HasWaste() = static_cast<int16_t>(c.rules.hasWaste);
  ctx.GameRules.TableauLayout() = static_cast<int16_t>(c.rules.tableauLayout);
  ctx.GameRules.TableauRows() = static_cast<int16_t>(c.rules.tableauRows);
  return testing::PlaceByRules(ctx, c.window, c.size);
}

void CheckCase(const LayoutCase& c) {
  GameContext ctx;
  int passes = RunCase(ctx, c);
  EXPECT_EQ(passes, c.passes) << c.name;
  for (const Pos& p : c.expected) {
    EXPECT_EQ(XOf(ctx, p), p.x) << c.name << " " << p.kind << p.index << " x";
    EXPECT_EQ(YOf(ctx, p), p.y) << c.name << " " << p.kind << p.index << " y";
  }
}

// Windows used below: 1024 x 768 (W 1022, top 5, bottom 739, Row 1 = 15 or
// 30 with a stock on row 1), 800 x 600 (W 798) and 640 x 480 (W 628, m 5).
const LayoutInput k1024 = Window(1024, 768);
const LayoutInput k800 = Window(800, 600);

// Placement styles, positions worked out by hand from the frame rules.
const std::vector<LayoutCase>& StyleCases() {
  static const std::vector<LayoutCase> cases = {
      // Gap Nearest(525 / 8) = 66 -> 20; X0 = Nearest(202.5) = 202; stock at the
      // margin 10 + 15; foundations over piles 4..7; rows 30 and 136.
      {"klondike 1005/1007/2001",
       {"1005", "1007", "2001", "0000", "0000", 2, 4, 7, 0, 0},
       k1024, "B", {}, {{'S', 0, 25, 30}, {'S', 1, 121, 30}, {'T', 0, 202, 136},
                        {'T', 6, 748, 136}, {'F', 0, 475, 30}, {'F', 3, 748, 30}}},
      // 014 on 800: X0 = 8 < margin 25, Gap 8 - Nearest(17 / 9 + 0.99) = 5; the
      // two piles under the stock slots step CW + 15.
      {"two decks 1004/1007/2014",
       {"1004", "1007", "2014", "0000", "0000", 2, 8, 10, 0, 0},
       k800, "B", {}, {{'T', 0, 25, 136}, {'T', 1, 111, 136}, {'T', 2, 197, 136},
                       {'T', 3, 273, 136}, {'T', 9, 729, 136}, {'S', 0, 25, 30},
                       {'S', 1, 111, 30}, {'F', 0, 197, 30}, {'F', 7, 729, 30}}},
      // 003: Gap 35 -> 15, X0 = 119 + 93; Row 2 = 151 (stock style 003);
      // foundations 009 leftwards from the last pile by CW + FGap 5.
      {"left stock 1003/1009/2003",
       {"1003", "1009", "2003", "0000", "0000", 2, 8, 8, 0, 0},
       k1024, "B", {}, {{'T', 0, 212, 151}, {'T', 7, 814, 151}, {'S', 0, 119, 30},
                        {'S', 1, 119, 151}, {'F', 7, 814, 30}, {'F', 0, 282, 30}}},
      // Free cells over the first piles; no stock: margin 10, Row 1 = 15.
      {"free cells 1004 reserves",
       {"0000", "1007", "2001", "1004", "0000", 0, 4, 8, 4, 0},
       k1024, "B", {}, {{'T', 0, 157, 121}, {'T', 7, 794, 121}, {'F', 0, 521, 15},
                        {'R', 0, 157, 15}, {'R', 3, 430, 15}}},
      // Reserve 012 left of a 4-pile tableau: X0 - CW - 45.
      {"canfield reserve 2012",
       {"1005", "1007", "2001", "2012", "0000", 2, 4, 4, 1, 0},
       k1024, "B", {}, {{'T', 0, 339, 136}, {'R', 0, 223, 136}, {'F', 3, 612, 30}}},
      // Reserves from the margin touch a 002 tableau at X0 232: one retry
      // starts it at 253 + 71 + 86 = 410. Foundations 001: g = 147.
      {"reserve row 2005 pushes 2002",
       {"0000", "1001", "2002", "2005", "0000", 0, 4, 7, 4, 0},
       k1024, "B", {}, {{'R', 0, 10, 121}, {'R', 3, 253, 121}, {'T', 0, 410, 121},
                        {'T', 6, 896, 121}, {'F', 0, 147, 15}, {'F', 3, 801, 15}}, 2},
      // The same reserves with a 001 tableau: the tableau cannot move, so the
      // layout ends after one pass.
      {"reserve row 2005 with 2001",
       {"0000", "1001", "2001", "2005", "0000", 0, 4, 7, 4, 0},
       k1024, "B", {}, {{'T', 0, 202, 121}, {'R', 3, 253, 121}}, 1},
      // Small screen: tableau 013 X0 = 2 x -11 + 30; stock 013 at 0 + 15;
      // foundations 017 (10, 1) after the waste. M cards, W 628, m 5.
      {"small screen 1013/1017/2013",
       {"1013", "1017", "2013", "0000", "0000", 2, 4, 7, 0, 0},
       Window(640, 480, 640, 480, 9), "M", {},
       {{'T', 0, 8, 110}, {'T', 1, 71, 110}, {'S', 0, 15, 25}, {'S', 1, 89, 25},
        {'F', 0, 158, 25}, {'F', 1, 218, 25}}},
      // Foundations 013 on a small screen: from the last pile leftwards by CW + 1.
      {"small screen foundations 1013",
       {"1013", "1013", "2013", "0000", "0000", 2, 4, 7, 0, 0},
       Window(640, 480, 640, 480, 9), "M", {},
       {{'F', 3, 386, 25}, {'F', 2, 326, 25}, {'F', 0, 206, 25}}},
      // Large screen: s = 9 gives X0 48, the stock at Nearest(4.5) + 15 = 19 and
      // foundations (20, 3).
      {"large screen 1013/1017/2013",
       {"1013", "1017", "2013", "0000", "0000", 2, 4, 7, 0, 0},
       Window(1024, 768, 1024, 768, 9), "B", {},
       {{'T', 0, 48, 136}, {'T', 1, 123, 136}, {'S', 0, 19, 30}, {'S', 1, 105, 30},
        {'F', 0, 196, 30}, {'F', 1, 270, 30}}},
      // 018, two rows of Nearest(6.5) = 6 from Centre4 line 3 (377); the third
      // row continues one line lower (589). Gap = Nearest(1.5 CW) = 106.
      {"rows 3018",
       {"0000", "0000", "3018", "0000", "0000", 0, 0, 13, 0, 0},
       k1024, "B", {1, 1, 1, 2}, {{'T', 0, 20, 377}, {'T', 5, 905, 377}, {'T', 6, 20, 483},
                                  {'T', 12, 20, 589}}},
      // 010 in one row on Centre3 line 1 (218), Gap Nearest(60.35) = 60.
      {"one row 2010",
       {"0000", "0000", "2010", "0000", "0000", 0, 0, 4, 0, 0},
       k1024, "B", {}, {{'T', 0, 15, 218}, {'T', 3, 408, 218}}},
      // 010 in two rows of two on the row lines 15 and 121.
      {"two rows 2010",
       {"0000", "0000", "2010", "0000", "0000", 0, 0, 4, 0, 0},
       k1024, "B", {1, 1, 1, 2}, {{'T', 0, 15, 15}, {'T', 1, 146, 15}, {'T', 2, 15, 121},
                                  {'T', 3, 146, 121}}},
      // Golf: stock 004 over pile 1 on Row 4, talon 006 over pile 2.
      {"golf 4004 talon 4006",
       {"4004", "0000", "1001", "0000", "4006", 1, 0, 7, 0, 1},
       k1024, "B", {1, 0, 1, 1}, {{'T', 0, 202, 15}, {'S', 0, 202, 333}, {'S', 2, 293, 333},
                                  {'S', 1, kUnusedStock, 333}}},
      // Talon 016 under the stock: Row 1 + CH + 20.
      {"talon 2016 under the stock",
       {"1005", "1007", "2001", "0000", "2016", 1, 4, 7, 0, 1},
       k1024, "B", {}, {{'S', 0, 25, 30}, {'S', 2, 25, 146}}},
      // 011: two stock columns, X0 = 119 + 2 x 93 + 15; waste and stock left.
      {"stock 2011 tableau 2011",
       {"2011", "0000", "2011", "0000", "0000", 2, 0, 7, 0, 0},
       k1024, "B", {}, {{'T', 0, 320, 136}, {'T', 1, 406, 136}, {'S', 1, 204, 136},
                        {'S', 0, 118, 136}}},
      // 021: gap 2, X0 = Nearest(164.5) + 186.
      {"stock 2021 tableau 2021",
       {"2021", "0000", "2021", "0000", "0000", 2, 0, 7, 0, 0},
       k1024, "B", {}, {{'T', 0, 350, 136}, {'T', 1, 423, 136}, {'S', 1, 264, 136},
                        {'S', 0, 173, 136}}},
      // 012 with a lone waste 016 (no stock) at X0 - CW - 30, or 019 at - 60.
      {"waste 2016 tableau 2012",
       {"2016", "0000", "2012", "0000", "0000", 1, 0, 7, 0, 0},
       k1024, "B", {0, 1, 1, 1}, {{'T', 0, 270, 136}, {'S', 1, 169, 136},
                                  {'S', 0, kUnusedStock, 136}}},
      {"waste 2019 tableau 2012",
       {"2019", "0000", "2012", "0000", "0000", 1, 0, 7, 0, 0},
       k1024, "B", {0, 1, 1, 1}, {{'T', 0, 270, 136}, {'S', 1, 139, 136}}},
      // 015 moves the rows up: Row 1 = 20, Row 2 = 121.
      {"rows of 2015",
       {"0000", "1007", "2015", "0000", "0000", 0, 4, 7, 0, 0},
       k1024, "B", {}, {{'T', 0, 202, 121}, {'F', 0, 475, 20}}},
      // 020 under eight 001 foundations (g 50): X0 = 50 + Nearest(221).
      {"tableau 2020 under foundations",
       {"0000", "1001", "2020", "0000", "0000", 0, 8, 6, 0, 0},
       k1024, "B", {}, {{'F', 0, 50, 15}, {'F', 7, 897, 15}, {'T', 0, 271, 121},
                        {'T', 5, 676, 121}}},
      // Foundations 002 centred (g = Nearest(20 / 2)) and 008 from the right.
      {"foundations 1002",
       {"0000", "1002", "2001", "0000", "0000", 0, 4, 7, 0, 0},
       k1024, "B", {}, {{'F', 0, 354, 15}, {'F', 3, 597, 15}}},
      // Reserves 006 from X0 by CW + FGap 7; talon 007 over the last pile.
      {"foundations 1008, reserves 3006, talon 3007",
       {"0000", "1008", "2001", "3006", "3007", 0, 4, 7, 3, 1},
       k1024, "B", {}, {{'F', 3, 936, 15}, {'F', 0, 693, 15}, {'R', 0, 202, 227},
                        {'R', 2, 358, 227}, {'S', 2, 748, 227}}},
      // Reserves 007 over the last piles, 011 at the waste.
      {"reserves 3007",
       {"1005", "1007", "2001", "3007", "0000", 2, 4, 7, 2, 0},
       k1024, "B", {}, {{'R', 0, 657, 242}, {'R', 1, 748, 242}}},
      {"reserve 2011",
       {"1005", "1007", "2001", "2011", "0000", 2, 4, 7, 1, 0},
       k1024, "B", {}, {{'R', 0, 121, 136}}},
  };
  return cases;
}

TEST(CalcPilePositionsTest, PlacementStyles) {
  for (const LayoutCase& c : StyleCases()) CheckCase(c);
}

// Templates, worked out by hand (1024 x 768, B cards unless said).
const std::vector<LayoutCase>& TemplateCases() {
  static const std::vector<LayoutCase> cases = {
      // 051: X0 = Nearest((1022 - 324) / 2) = 349, d = 70; rows from 165.
      {"grid 051 wide",
       {"0000", "0000", "1051", "0000", "0000", 1, 0, 16, 0, 1},
       k1024, "B", {}, {{'T', 0, 349, 165}, {'T', 15, 592, 483}, {'S', 0, 208, 324},
                        {'S', 2, 733, 324}, {'S', 1, kUnusedStock, kUnusedStock}}},
      // Narrower: X0 147 gives d 35; X0 113 gives d 15; X0 88 moves the grid
      // to CW + 15 + margin 3.
      {"grid 051 d 35",
       {"0000", "0000", "1051", "0000", "0000", 1, 0, 16, 0, 1},
       Window(620, 768), "B", {}, {{'T', 0, 147, 165}, {'S', 0, 41, 324}}},
      {"grid 051 d 15",
       {"0000", "0000", "1051", "0000", "0000", 1, 0, 16, 0, 1},
       Window(552, 768), "B", {}, {{'T', 0, 113, 165}, {'S', 0, 27, 324}}},
      {"grid 051 moved right",
       {"0000", "0000", "1051", "0000", "0000", 1, 0, 16, 0, 1},
       Window(502, 768), "B", {}, {{'T', 0, 89, 165}, {'S', 0, 3, 324}}},
      // 052 cross: X1 = 316 + 86, centre 508, right 614; Y0 = 5 + 170.
      {"cross 052",
       {"0000", "0000", "1052", "0000", "0000", 2, 0, 5, 0, 0},
       k1024, "B", {}, {{'T', 0, 508, 175}, {'T', 1, 402, 306}, {'T', 2, 508, 306},
                        {'T', 3, 614, 306}, {'T', 4, 508, 437}, {'S', 0, 226, 175},
                        {'S', 1, 226, 306}}},
      // 055: fixed columns 65, 215, 510 on any width; L1 = 5 + Nearest(152.5).
      {"columns 055",
       {"0000", "0000", "1055", "0000", "0000", 2, 4, 4, 0, 0},
       k1024, "B", {}, {{'T', 0, 65, 157}, {'T', 3, 65, 475}, {'F', 0, 215, 157},
                        {'S', 0, 510, 258}, {'S', 1, 510, 374}}},
      {"columns 055 narrow",
       {"0000", "0000", "1055", "0000", "0000", 2, 4, 4, 0, 0},
       k800, "B", {}, {{'T', 0, 65, 73}, {'F', 1, 215, 179}, {'S', 0, 510, 174}}},
      // 082 with eight foundations and a stock and waste: s 3, g 8, e 30.
      {"082 eight foundations and stock",
       {"0000", "0000", "1082", "0000", "0000", 2, 8, 12, 0, 0},
       k1024, "B", {}, {{'S', 0, 140, 15}, {'S', 1, 140, 132}, {'T', 0, 230, 15},
                        {'T', 5, 625, 15}, {'F', 0, 726, 15}, {'F', 3, 726, 633},
                        {'F', 4, 805, 15}, {'T', 6, 230, 475}, {'T', 11, 625, 475}}},
      // Four foundations, no stock: s 1, g 15, e 60, X0 = Nearest(187.5).
      {"082 four foundations no stock",
       {"0000", "0000", "1082", "0000", "0000", 0, 4, 12, 0, 0},
       k1024, "B", {}, {{'T', 0, 188, 15}, {'T', 5, 618, 15}, {'F', 0, 749, 15},
                        {'F', 1, 749, 221}, {'T', 6, 188, 475}}},
      // Thirteen piles, eight foundations, one stock slot: k 6, e 13.
      {"082 thirteen piles",
       {"0000", "0000", "1082", "0000", "0000", 1, 8, 13, 0, 0},
       k1024, "B", {}, {{'S', 0, 114, 15}, {'T', 0, 195, 15}, {'T', 6, 669, 15},
                        {'F', 0, 751, 15}, {'F', 4, 830, 15}, {'T', 7, 195, 475}}},
      // 104: t = Nearest(38.4); X0 = Nearest(366.5); stock at Nearest(147.5).
      {"frame 104",
       {"0000", "0000", "1104", "0000", "0000", 2, 1, 7, 0, 0},
       k1024, "B", {}, {{'T', 0, 366, 180}, {'T', 1, 475, 180}, {'T', 2, 584, 180},
                        {'T', 3, 366, 314}, {'T', 6, 584, 448}, {'F', 0, 475, 381},
                        {'S', 0, 148, 246}, {'S', 1, 148, 382}}},
  };
  return cases;
}

TEST(CalcPilePositionsTest, Templates) {
  for (const LayoutCase& c : TemplateCases()) CheckCase(c);
}

TEST(CalcPilePositionsTest, TemplatePlacesOnlyCountedPiles) {
  GameContext ctx;
  LayoutCase c{"", {"0000", "0000", "1051", "0000", "0000", 1, 0, 9, 0, 1}, k1024, "B", {}, {}};
  RunCase(ctx, c);
  EXPECT_GT(ctx.TableauX[8], kUnusedBelow);
  EXPECT_EQ(ctx.TableauX[9], kUnusedTableau);
  EXPECT_EQ(ctx.TableauY[15], kUnusedTableau);
}

LayoutCase StyleCase(const std::string& name) {
  for (const LayoutCase& c : StyleCases())
    if (name == c.name) return c;
  ADD_FAILURE() << "no case " << name;
  return StyleCases()[0];
}

TEST(CalcPilePositionsTest, RoomPitchAndScroll) {
  GameContext ctx;
  LayoutCase golf = StyleCase("golf 4004 talon 4006");
  RunCase(ctx, golf);
  // Tableau on row 1 fans down to the stock's row 4: 333 - 15.
  EXPECT_EQ(ctx.GameState.TableauRoomY(), 318);
  EXPECT_EQ(ctx.GameState.TableauPitchX(), 71);

  LayoutCase klondike = StyleCase("klondike 1005/1007/2001");
  klondike.rules.tableauLayout = 2;
  klondike.window.ScrollPosition = 40;
  RunCase(ctx, klondike);
  EXPECT_EQ(ctx.GameState.TableauPitchX(), 91);
  EXPECT_EQ(ctx.GameState.TableauRoomY(), 96);
  EXPECT_EQ(ctx.GameState.ScrollOffsetY(), 40);
  EXPECT_EQ(ctx.StockBaseYUnscrolled[0], 30);
  EXPECT_EQ(ctx.StockBaseY[0], -10);
  EXPECT_EQ(ctx.StockBaseX[1], 121);
  EXPECT_EQ(ctx.GetStockY(0), -10);
}

TEST(CalcPilePositionsTest, OnePileShrinkingStyleOnNarrowWindow) {
  // One 71-pixel pile in a 60-pixel area: X0 below the margin, nothing to
  // divide the shortfall by.
  for (const char* code : {"2014", "2015"}) {
    GameContext ctx;
    LayoutCase c{code, {"0000", "0000", code, "0000", "0000", 0, 0, 1, 0, 0},
                 Window(60, 480), "B", {}, {}};
    RunCase(ctx, c);
    EXPECT_EQ(ctx.TableauX[0], 1) << code;  // margin 3 - 2 on a narrow screen
  }
}

TEST(CalcPilePositionsTest, NoTableauPlacesNoTableauPile) {
  GameContext ctx;
  LayoutCase c{"", {"1005", "1001", "2001", "0000", "0000", 2, 4, 0, 0, 0}, k1024, "B", {}, {}};
  RunCase(ctx, c);
  EXPECT_EQ(ctx.TableauX[0], kUnusedTableau);
  EXPECT_EQ(ctx.StockX[0], 25);
}

TEST(CalcPilePositionsTest, BottomLineStaysInSmallWindow) {
  // Reserves on the bottom line of a window much smaller than the screen.
  GameContext ctx;
  LayoutCase c{"", {"0000", "0000", "2001", "5004", "0000", 0, 0, 7, 2, 0},
               Window(1024, 600, 1920, 1080), "B", {}, {}};
  RunCase(ctx, c);
  EXPECT_EQ(ctx.ReserveY[0], 600 - 50 - 96);
}

TEST(CalcPilePositionsTest, EveryStyleTerminatesAndFits) {
  // Every style of every kind on three windows: the layout ends and every
  // placed position is a 16-bit value the table can hold.
  const LayoutInput windows[] = {Window(640, 480), Window(1024, 768), Window(1920, 1080)};
  for (int style = 0; style <= 110; ++style) {
    for (const LayoutInput& w : windows) {
      GameContext ctx;
      std::string s = PlacementCode(2, style);
      LayoutCase c{"", {s, s, s, s, s, 2, 4, 8, 4, 1}, w, "M", {1, 1, 1, 2}, {}};
      int passes = RunCase(ctx, c);
      EXPECT_LE(passes, 2) << style;
      for (int i = 0; i < 8; ++i) {
        int x = ctx.TableauX[static_cast<size_t>(i)];
        EXPECT_TRUE(x < kUnusedBelow || (x > -2000 && x < 4000)) << style << " pile " << i;
      }
      // Nothing beyond the counts gets a place.
      for (int i = 8; i < kMaxTableaus; ++i)
        EXPECT_LT(ctx.TableauX[static_cast<size_t>(i)], kUnusedBelow) << style << " pile " << i;
      for (int i = 4; i < kMaxFoundations; ++i)
        EXPECT_LT(ctx.FoundationX[static_cast<size_t>(i)], kUnusedBelow) << style << " f " << i;
      for (int i = 4; i < kMaxReserves; ++i)
        EXPECT_LT(ctx.ReserveX[static_cast<size_t>(i)], kUnusedBelow) << style << " r " << i;
    }
  }
}

// Every template with every pile counted: no two placed piles overlap, but
// for the rows of the pyramid (054), each of which lies over the one above.
TEST(TemplateSweepTest, PlacedPilesDoNotOverlap) {
  for (int style = 51; style <= 106; ++style) {
    if (!IsTemplateStyle(style)) continue;
    for (const char* size : {"B", "M"}) {
      GameContext ctx;
      std::string code = PlacementCode(1, style);
      LayoutCase c{"", {"0000", "0000", code, "0000", "0000", 2, 16, 26, 8, 1},
                   Window(1280, 1024), size, {1, 1, 3, 2}, {}};
      RunCase(ctx, c);
      struct P { char k; int i; int x, y; };
      std::vector<P> ps;
      for (int i = 0; i < 3; ++i) ps.push_back({'S', i, ctx.StockX[i], ctx.StockY[i]});
      for (int i = 0; i < 16; ++i) ps.push_back({'F', i, ctx.FoundationX[i], ctx.FoundationY[i]});
      for (int i = 0; i < 26; ++i) ps.push_back({'T', i, ctx.TableauX[i], ctx.TableauY[i]});
      for (int i = 0; i < 8; ++i) ps.push_back({'R', i, ctx.ReserveX[i], ctx.ReserveY[i]});
      std::erase_if(ps, [](const P& p) { return p.x < kUnusedBelow || p.y < kUnusedBelow; });
      int w = ctx.CardWidth, h = ctx.CardHeight;
      for (size_t a = 0; a < ps.size(); ++a)
        for (size_t b = a + 1; b < ps.size(); ++b) {
          if (style == 54 && ps[a].k == 'T' && ps[b].k == 'T') continue;
          bool overlap = ps[a].x < ps[b].x + w && ps[b].x < ps[a].x + w &&
                         ps[a].y < ps[b].y + h && ps[b].y < ps[a].y + h;
          EXPECT_FALSE(overlap) << style << size << " " << ps[a].k << ps[a].i + 1 << " "
                                << ps[b].k << ps[b].i + 1;
        }
    }
  }
}

}  // namespace
}  // namespace tw
