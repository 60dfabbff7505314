#include <gtest/gtest.h>

#include <vector>

#include "core/cards.h"
#include "tests/core/fake_table_port.h"

namespace tw {
namespace {

TEST(CardCodeTest, SuitRankAndColourBoundaries) {
  struct {
    int code, suit, rank;
    bool red, face;
  } cases[] = {
      {0, 0, 0, true, false},    {1, 0, 1, true, false},    {13, 0, 13, true, true},
      {14, 1, 1, true, false},   {26, 1, 13, true, true},   {27, 2, 1, false, false},
      {39, 2, 13, false, true},  {40, 3, 1, false, false},  {50, 3, 11, false, true},
      {52, 3, 13, false, true},  {53, 0, 1, true, false},   {63, 0, 11, true, true},
      {78, 1, 13, true, true},   {79, 2, 1, false, false},  {104, 3, 13, false, true},
      {105, -1, -1, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CardSuit(c.code), c.suit) << c.code;
    EXPECT_EQ(CardRank(c.code), c.rank) << c.code;
    EXPECT_EQ(IsRedCard(c.code), c.red) << c.code;
    EXPECT_EQ(IsFaceCard(c.code), c.face) << c.code;
  }
  EXPECT_EQ(PrevRank(1), 13);
  EXPECT_EQ(PrevRank(7), 6);
  EXPECT_EQ(NextRank(13), 1);
  EXPECT_EQ(NextRank(7), 8);
  EXPECT_EQ(RankText(1) + RankText(10) + RankText(11) + RankText(12) + RankText(13), "A10JQK");
  EXPECT_EQ(CardCodeText(7), "007");
  EXPECT_EQ(CardCodeText(104), "104");
}

TEST(CodeStringTest, DuplicatesAndMembership) {
  EXPECT_TRUE(NoDuplicateRanks(""));
  EXPECT_FALSE(NoDuplicateRanks("005044"));   // 5 of hearts, 5 of spades
  EXPECT_FALSE(NoDuplicateRanks("001053"));   // both decks' aces
  EXPECT_TRUE(NoDuplicateRanks("000005000"));  // holes never count
  EXPECT_TRUE(NoDuplicateRanks("001002003"));
  EXPECT_TRUE(CodeInCodeString("44", "005044"));
  EXPECT_TRUE(CodeInCodeString("005", "005044"));
  EXPECT_FALSE(CodeInCodeString("50", "005044"));  // not across code boundaries
  EXPECT_FALSE(CodeInCodeString("x", "005044"));
}

TEST(GroupLogTest, Routines) {
  struct {
    std::string log, stripped, last, removedPrev;
  } cases[] = {
      {"", "", "", ""},
      {"001,", "", "001", "001,"},
      {"001002,", "", "001002", "001002,"},
      {"001,002,", "001,", "002", "002,"},
      {"001,002003,004,", "001,002003,", "004", "001,004,"},
  };
  for (const auto& c : cases) {
    std::string s = c.log;
    StripLastGroup(s);
    EXPECT_EQ(s, c.stripped) << c.log;
    EXPECT_EQ(LastGroup(c.log), c.last) << c.log;
    s = c.log;
    RemovePrevGroup(s);
    EXPECT_EQ(s, c.removedPrev) << c.log;
  }
  const std::string log = "001005,005,009,005";
  EXPECT_EQ(CountCodeInGroups(log, 5), 2);  // the unterminated tail is not counted
  EXPECT_EQ(CountCodeInGroups(log, 7), 0);
  EXPECT_TRUE(CodeInLastGroup("001,002003,", 3));
  EXPECT_FALSE(CodeInLastGroup("001,002003,", 1));

  GameContext ctx;
  ctx.UndoLog = "001,002,";
  ReplaceLastUndoGroup(ctx, 7);
  EXPECT_EQ(ctx.UndoLog, "001,007,");
  ctx.UndoLog.clear();
  ReplaceLastUndoGroup(ctx, 81);
  EXPECT_EQ(ctx.UndoLog, "081,");
}

class PileStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateSharedGlobals(ctx, "/opt/tw");
    InitCardsAndPiles(ctx);
    ctx.GameRules.TableauCount() = 8;
    ctx.GameRules.ReserveCount() = 4;
    ctx.SetCfg(cfg::Piles_TT, "N");
  }
  std::string Face(int card) const {
    return ctx.CardRecords[static_cast<size_t>(card - 1)].substr(19);
  }
  GameContext ctx;
};

TEST_F(PileStoreTest, AppendByName) {
  struct {
    const char* name;
    bool appended;
  } cases[] = {
      {"Fila1", true},    {"Fila26", true},   {"Fila0", false},  {"Fila27", false},
      {"Dest16", true},   {"Dest17", false},  {"Appogg8", true}, {"Appogg9", false},
      {"Appogg10", false}, {"Mazzo_Vis", true}, {"Mazzo", false}, {"Mazzo_Waste", false},
      {"Tableau1", false}, {"Fila", false},    {"Fila-1", false},
  };
  for (const auto& c : cases) {
    GameContext fresh = ctx;
    EXPECT_EQ(AppendCardToPile(fresh, c.name, 12, "0"), c.appended) << c.name;
    std::string* pile = PileByName(fresh, c.name);
    if (c.appended) {
      ASSERT_NE(pile, nullptr) << c.name;
      EXPECT_EQ(*pile, "012") << c.name;
    }
    EXPECT_EQ(fresh.MazzoPiles[0], "") << c.name;
  }
  AppendCardToPile(ctx, "Fila3", 5, "");
  AppendCardToPile(ctx, "Fila3", 60, "0");
  EXPECT_EQ(ctx.FilaPiles[2], "005060");
  EXPECT_EQ(Face(5), "1");
  EXPECT_EQ(Face(60), "0");
  // A hole appended with a flag touches no record.
  EXPECT_TRUE(AppendCardToPile(ctx, "Fila3", 0, "0"));
  EXPECT_EQ(ctx.FilaPiles[2], "005060000");
}

TEST_F(PileStoreTest, AppendByListIndex) {
  EXPECT_TRUE(AppendCardToList(ctx, ctx.DestPiles, 15, 104, "0"));
  EXPECT_EQ(ctx.DestPiles[15], "104");
  EXPECT_EQ(Face(104), "0");
  EXPECT_FALSE(AppendCardToList(ctx, ctx.DestPiles, 16, 1, "0"));
  EXPECT_FALSE(AppendCardToList(ctx, ctx.DestPiles, -1, 1, "0"));
  EXPECT_EQ(Face(1), "1");
  EXPECT_TRUE(AppendCardToList(ctx, ctx.MazzoPiles, 0, 0, "0"));
  EXPECT_EQ(ctx.MazzoPiles[0], "000");
}

TEST_F(PileStoreTest, SetPileFacesModes) {
  const std::string pile = "001002003004";
  struct {
    int mode;
    std::string flag, faces;
  } cases[] = {
      {2, "0", "1100"},  {4, "0", "0000"}, {9, "0", "0000"},  {-1, "0", "1010"},
      {-2, "1", "0101"}, {-3, "1", "1000"}, {0, "0", "1111"}, {-4, "0", "1111"},
  };
  for (const auto& c : cases) {
    for (int card = 1; card <= 4; ++card) SetCardFace(ctx, card, "1");
    SetPileFaces(ctx, pile, c.mode, c.flag);
    EXPECT_EQ(Face(1) + Face(2) + Face(3) + Face(4), c.faces) << c.mode;
  }
  // Holes and codes past the deck are skipped, the rest still set.
  SetPileFaces(ctx, "000105001", 5, "0");
  EXPECT_EQ(Face(1), "0");
  SetCardFace(ctx, 0, "0");
  SetCardFace(ctx, 105, "0");
  EXPECT_EQ(ctx.CardRecords.size(), 104u);
  EXPECT_FALSE(IsFaceUp(ctx, 1));
  EXPECT_TRUE(IsFaceUp(ctx, 2));
  EXPECT_FALSE(IsFaceUp(ctx, 0));
}

TEST_F(PileStoreTest, FindModes) {
  ctx.FilaPiles[0] = "001002003";
  EXPECT_TRUE(FindCardInList(ctx.FilaPiles, 0, 2, 0));
  EXPECT_EQ(ctx.FilaPiles[0], "001002003");
  EXPECT_TRUE(FindCardInList(ctx.FilaPiles, 0, 2, 2));
  EXPECT_EQ(ctx.FilaPiles[0], "001000003");
  EXPECT_TRUE(FindCardInList(ctx.FilaPiles, 0, 3, 1));
  EXPECT_EQ(ctx.FilaPiles[0], "001000");
  EXPECT_FALSE(FindCardInList(ctx.FilaPiles, 0, 3, 1));
  EXPECT_FALSE(FindCardInList(ctx.FilaPiles, 26, 1, 0));
  EXPECT_FALSE(FindCardInList(ctx.FilaPiles, -1, 1, 0));
}

TEST_F(PileStoreTest, SearchOrderAndRanges) {
  // Both decks: code 1 and code 53 are different cards.
  ctx.MazzoPiles[0] = "053";
  ctx.MazzoPiles[1] = "001";
  ctx.MazzoPiles[2] = "030";
  ctx.DestPiles[15] = "040";
  ctx.FilaPiles[7] = "020";
  ctx.FilaPiles[8] = "021";     // past TableauCount
  ctx.AppoggPiles[3] = "104";
  ctx.AppoggPiles[5] = "090";   // past ReserveCount
  struct {
    int card, located, found;
  } cases[] = {
      {53, -99, 1}, {1, -98, 2}, {30, 0, 3}, {40, -16, 5}, {20, 8, 4},
      {21, 0, -1},  {104, -24, 6}, {90, 0, 6}, {77, 0, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LocateCard(ctx, c.card), c.located) << c.card;
    EXPECT_EQ(FindCardInPiles(ctx, c.card, 0), c.found) << c.card;
  }
  // The third slot: taken (3) though LocateCard does not see it.
  EXPECT_EQ(TakeCard(ctx, 30), 3);
  EXPECT_EQ(ctx.MazzoPiles[2], "");
  EXPECT_EQ(BlankCard(ctx, 104), 6);
  EXPECT_EQ(ctx.AppoggPiles[3], "000");
  EXPECT_EQ(TakeCard(ctx, 30), -1);
}

// The index LocateCard may answer from gives what the search gives: the
// first pile in the search order wins, holes, damaged codes and piles past
// the used counts are not seen, codes outside 1..104 are still searched.
TEST_F(PileStoreTest, LocationIndexAnswersAsTheSearch) {
  ctx.MazzoPiles[0] = "053";
  ctx.MazzoPiles[1] = "001";
  ctx.MazzoPiles[2] = "030";
  ctx.DestPiles[15] = "040";
  ctx.FilaPiles[0] = "0530x1000";  // 53 again, a damaged code, a hole
  ctx.FilaPiles[2] = "040007";
  ctx.FilaPiles[7] = "020";
  ctx.FilaPiles[8] = "021";  // past TableauCount
  ctx.AppoggPiles[3] = "104007";
  ctx.AppoggPiles[5] = "090";  // past ReserveCount
  ctx.AppoggPiles[0] = "200";
  std::vector<int> searched;
  for (int card = -1; card <= 200; ++card) searched.push_back(LocateCard(ctx, card));
  CardLocationIndex index;
  ctx.CardLocations = &index;
  for (int card = -1; card <= 200; ++card) {
    EXPECT_EQ(LocateCard(ctx, card), searched[static_cast<size_t>(card + 1)]) << card;
  }
  EXPECT_TRUE(index.filled);
  ctx.CardLocations = nullptr;
}

TEST_F(PileStoreTest, PileHelpers) {
  EXPECT_EQ(PileCardCount("001002"), 2);
  EXPECT_EQ(PileCardAt("001002", 1), 2);
  EXPECT_EQ(PileCardAt("001002", 2), 0);
  EXPECT_EQ(TopCard("001002"), 2);
  EXPECT_EQ(TopCard(""), 0);
  EXPECT_EQ(PileAtLocation(ctx, -21), &ctx.AppoggPiles[0]);
  EXPECT_EQ(PileAtLocation(ctx, -16), &ctx.DestPiles[15]);
  EXPECT_EQ(PileAtLocation(ctx, 0), nullptr);
  EXPECT_EQ(PileAtLocation(ctx, -17), nullptr);
}

class RedrawTest : public PileStoreTest {
 protected:
  void SetUp() override {
    PileStoreTest::SetUp();
    ctx.Table = &port;
    ctx.CardWidth = 71;
    for (int i = 0; i < 8; ++i) {
      ctx.TableauX[static_cast<size_t>(i)] = static_cast<int16_t>(10 + 80 * i);
      ctx.TableauY[static_cast<size_t>(i)] = 200;
    }
    ctx.FilaPiles[0] = "001002003";
    ctx.FilaPiles[1] = "010";
    ctx.AppoggPiles[0] = "020021";
    ctx.MazzoPiles[1] = "030031";
    ctx.DestPiles[2] = "040";
  }
  test::FakeTablePort port;
};

TEST_F(RedrawTest, RemoveAndRedrawByLocation) {
  RemoveCardAndRedraw(ctx, 31, true);
  EXPECT_EQ(ctx.MazzoPiles[1], "030");
  EXPECT_EQ(port.calls, std::vector<std::string>({"top -98"}));
  port.calls.clear();
  RemoveCardAndRedraw(ctx, 40, true);
  EXPECT_EQ(port.calls, std::vector<std::string>({"top -3"}));
  port.calls.clear();
  RemoveCardAndRedraw(ctx, 3, true);
  EXPECT_EQ(ctx.FilaPiles[0], "001002");
  EXPECT_EQ(port.calls, std::vector<std::string>({"erase 1 001002003>001002", "top 1"}));
  port.calls.clear();
  RemoveCardAndRedraw(ctx, 21, true);
  EXPECT_EQ(port.calls, std::vector<std::string>({"erase -21 020021>020", "top -21"}));
}

TEST_F(RedrawTest, LayoutsAndNeighbours) {
  struct {
    int layout;
    int card;
    std::vector<std::string> calls;
    std::string pile2;
  } cases[] = {
      {4, 10, {"repaint"}, "000"},
      {8, 10, {"cell 2 10", "pile 2"}, ""},  // the emptied row shows its place
      {2, 10, {"erase 2 010>", "top 2", "pile 1", "present"}, ""},
      {6, 10, {"erase 2 010>", "top 2", "pile 1", "present"}, ""},
      {1, 10, {"erase 2 010>", "top 2"}, ""},
  };
  for (const auto& c : cases) {
    ctx.FilaPiles[1] = "010";
    port.calls.clear();
    ctx.GameRules.TableauLayout() = static_cast<int16_t>(c.layout);
    RemoveCardAndRedraw(ctx, c.card, true);
    EXPECT_EQ(port.calls, c.calls) << c.layout;
    EXPECT_EQ(ctx.FilaPiles[1], c.pile2) << c.layout;
  }
  // Layout 1: the nearest lower pile straddling this one's left edge, above it.
  ctx.GameRules.TableauLayout() = 1;
  ctx.TableauX[0] = 100;
  ctx.TableauY[0] = 20;
  ctx.TableauX[2] = 100;
  ctx.TableauY[2] = 300;
  ctx.FilaPiles[2] = "011";
  port.calls.clear();
  RemoveCardAndRedraw(ctx, 11, true);
  EXPECT_EQ(port.calls, std::vector<std::string>({"erase 3 011>", "top 3", "pile 1"}));
  // Irregular piles repaint their edges.
  ctx.SetCfg(cfg::Piles_TT, "Y");
  port.calls.clear();
  RemoveCardAndRedraw(ctx, 2, true);
  EXPECT_EQ(port.calls.back(), "edges 1");
}

TEST_F(RedrawTest, ReserveModes) {
  ctx.GameRules.ReserveLayout() = 3;
  ctx.ReserveX[0] = 10;
  ctx.ReserveY[0] = 300;
  RemoveCardAndRedraw(ctx, 21, true);
  EXPECT_EQ(port.calls,
            std::vector<std::string>({"erase -21 020021>020", "top -21", "pile 1"}));
  ctx.GameRules.SingleCardPick() = -11;
  port.calls.clear();
  RemoveCardAndRedraw(ctx, 20, true);
  EXPECT_EQ(port.calls, std::vector<std::string>({"erase -21 020>", "pile -21", "present"}));
}

TEST_F(RedrawTest, LiftingARunAndRedrawingWithoutIt) {
  RedrawWithoutCard(ctx, 2, false);
  EXPECT_EQ(ctx.FilaPiles[0], "001002003");  // strings unchanged
  EXPECT_EQ(port.calls, std::vector<std::string>({"erase 1 001002003>001", "top 1"}));
  RemoveCardAndRedraw(ctx, 2, false);
  EXPECT_EQ(ctx.FilaPiles[0], "001");
  // Lifting from other piles is not defined and changes nothing.
  port.calls.clear();
  RemoveCardAndRedraw(ctx, 30, false);
  RemoveCardAndRedraw(ctx, 40, false);
  EXPECT_EQ(ctx.MazzoPiles[1], "030031");
  EXPECT_EQ(ctx.DestPiles[2], "040");
  EXPECT_TRUE(port.calls.empty());
  // Reserve runs lift too.
  RemoveCardAndRedraw(ctx, 20, false);
  EXPECT_EQ(ctx.AppoggPiles[0], "");
}

TEST_F(RedrawTest, NoPortDrawsNothingAndThirdSlotRedrawsNothing) {
  ctx.MazzoPiles[2] = "050";
  RemoveCardAndRedraw(ctx, 50, true);
  EXPECT_EQ(ctx.MazzoPiles[2], "");
  EXPECT_TRUE(port.calls.empty());
  ctx.Table = nullptr;
  RemoveCardAndRedraw(ctx, 3, true);
  EXPECT_EQ(ctx.FilaPiles[0], "001002");
}

}  // namespace
}  // namespace tw
