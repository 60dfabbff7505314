#include <gtest/gtest.h>

#include "core/state.h"

namespace tw {
namespace {

class StateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateSharedGlobals(ctx, "/opt/tw");
    InitCardsAndPiles(ctx);
  }
  GameContext ctx;
};

TEST_F(StateTest, EveryPileEntryExistsAndIsEmpty) {
  struct {
    const StringList* list;
    size_t count;
  } lists[] = {
      {&ctx.MazzoPiles, 3},        {&ctx.DestPiles, 16},        {&ctx.FilaPiles, 26},
      {&ctx.AppoggPiles, 8},       {&ctx.MazzoPilesBackup, 3},  {&ctx.DestPilesBackup, 16},
      {&ctx.FilaPilesBackup, 26},  {&ctx.AppoggPilesBackup, 8},
  };
  for (const auto& l : lists) {
    ASSERT_EQ(l.list->size(), l.count);
    for (const std::string& pile : *l.list) EXPECT_EQ(pile, "");
  }
  EXPECT_TRUE(ctx.UndoLog.empty());
  EXPECT_TRUE(ctx.UndoFila.empty());
}

TEST_F(StateTest, CardRecordFormat) {
  ASSERT_EQ(ctx.CardRecords.size(), 104u);
  struct {
    int code;
    std::string record;
  } cases[] = {
      {1, "CUORI_A" + std::string(8, ' ') + "1" + "001" + "1"},
      {10, "CUORI_10" + std::string(7, ' ') + "1" + "010" + "1"},
      {15, "QUADR_02" + std::string(7, ' ') + "2" + "015" + "1"},
      {37, "FIORI_J" + std::string(8, ' ') + "3" + "037" + "1"},
      {52, "PICCH_K" + std::string(8, ' ') + "4" + "052" + "1"},
      {53, "CUORI_A" + std::string(8, ' ') + "1" + "053" + "1"},
      {104, "PICCH_K" + std::string(8, ' ') + "4" + "104" + "1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ctx.CardRecords[static_cast<size_t>(c.code - 1)], c.record) << c.code;
  }
  for (const std::string& r : ctx.CardRecords) EXPECT_EQ(r.size(), 20u);
}

TEST_F(StateTest, UnusedPileStaysUnusedAtAnyScrollOffset) {
  ctx.SetFoundationY(2, 40);  // a used pile moves with the scroll offset
  for (int offset : {0, 1, 500, 20000, 32767}) {
    ctx.GameState.ScrollOffsetY() = static_cast<int16_t>(offset);
    EXPECT_LT(ctx.GetStockY(0), kUnusedBelow) << offset;
    EXPECT_LT(ctx.GetFoundationY(0), kUnusedBelow) << offset;
    EXPECT_LT(ctx.GetReserveY(7), kUnusedBelow) << offset;
    EXPECT_LT(ctx.TableauY[25], kUnusedBelow);
    EXPECT_EQ(ctx.GetFoundationY(2), 40 - offset);
  }
}

TEST_F(StateTest, FreeEmptiesEveryList) {
  ctx.UndoLog = "001,";
  ctx.UndoFila.push_back("x");
  FreeSharedGlobals(ctx);
  EXPECT_TRUE(ctx.FilaPiles.empty());
  EXPECT_TRUE(ctx.CardRecords.empty());
  EXPECT_TRUE(ctx.UndoFila.empty());
  EXPECT_TRUE(ctx.UndoLog.empty());
  FreeSharedGlobals(ctx);  // a second free is harmless
}

}  // namespace
}  // namespace tw
