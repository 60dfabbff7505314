#include "engine/executor.h"

#include <gtest/gtest.h>

#include "core/cards.h"
#include "engine/build_rules.h"
#include "engine/pileops.h"
#include "engine/undo.h"
#include "tests/engine/play_fixture.h"

namespace tw {
namespace {

using namespace testing;

using Executor = PlayTest;

TEST_F(Executor, FoundationOnlyOpeningPlaysOnlyTableauCardsToFoundations) {
  ctx.GameRules.FoundationOnlyOpening() = 1;
  Lay(ctx.FilaPiles, 0, {S(9), H(1)});
  Lay(ctx.FilaPiles, 1, {C(10)});
  Lay(ctx.MazzoPiles, 1, {D(1)});
  Lay(ctx.MazzoPiles, 0, {S(2)}, 1);
  const std::string before = Snapshot();
  EXPECT_FALSE(PlayToPile(ctx, H(1), "Fila2"));
  EXPECT_FALSE(PlayToPile(ctx, D(1), "Dest1"));  // a waste card
  EXPECT_FALSE(PlayToPile(ctx, 0, "Mazzo_Vis"));
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(ctx.GameState.MovesMade(), 0);
  EXPECT_TRUE(PlayToPile(ctx, H(1), "Dest1"));
  EXPECT_EQ(ctx.DestPiles[0], Pile({H(1)}));
  // The opening is over: any move goes.
  EXPECT_TRUE(PlayToPile(ctx, D(1), "Dest2"));
}

TEST_F(Executor, AutoplayFoundationNameDiffersOnlyInItsSound) {
  Lay(ctx.FilaPiles, 0, {H(1)});
  Lay(ctx.FilaPiles, 1, {H(2)});
  EXPECT_TRUE(PlayToPile(ctx, H(1), "Dest3"));
  EXPECT_TRUE(PlayToPile(ctx, H(2), "Dest_Autoplay3"));
  EXPECT_EQ(ctx.DestPiles[2], Pile({H(1), H(2)}));
  EXPECT_EQ(Sounds("Foundation.wav"), 1);
  EXPECT_EQ(Sounds("Autoplay.wav"), 1);
  EXPECT_TRUE(IsFaceUp(ctx, H(2)));
}

TEST_F(Executor, BadNamesAndCardsMoveNothingButCountAsAMove) {
  Lay(ctx.FilaPiles, 0, {H(1)});
  const std::string before = Snapshot();
  for (const char* name : {"Dest_Autoplay", "Dest0", "Dest17", "Dest1x", "Fila27", "Fila",
                           "Appogg9", "Appogg12", "Nonsense", ""}) {
    EXPECT_FALSE(PlayToPile(ctx, H(1), name)) << name;
  }
  // A card that lies nowhere is not conjured up.
  EXPECT_FALSE(PlayToPile(ctx, S(5), "Dest1"));
  EXPECT_FALSE(PlayToPile(ctx, 0, "Fila2"));
  EXPECT_FALSE(PlayToPile(ctx, 200, "Fila2"));
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(UndoDepth(ctx), 0);
  EXPECT_EQ(ctx.GameState.MovesMade(), 2);
}

TEST_F(Executor, RunsMoveByTheLiftedCount) {
  Lay(ctx.FilaPiles, 0, {C(5), S(13), H(12), C(11)}, 1);
  SetLiftedCards(ctx, 3);
  EXPECT_TRUE(PlayToPile(ctx, S(13), "Fila2"));
  EXPECT_EQ(ctx.FilaPiles[1], Pile({S(13), H(12), C(11)}));
  for (int c : {S(13), H(12), C(11)}) EXPECT_TRUE(IsFaceUp(ctx, c));
  // The uncovered card is turned up as a step of its own.
  EXPECT_EQ(ctx.FilaPiles[0], Pile({C(5)}));
  EXPECT_TRUE(IsFaceUp(ctx, C(5)));
  EXPECT_EQ(UndoDepth(ctx), 2);
  // One lifted card is one card, even from the middle of a pile.
  SetLiftedCards(ctx, 1);
  EXPECT_TRUE(PlayToPile(ctx, H(12), "Fila3"));
  EXPECT_EQ(ctx.FilaPiles[1], Pile({S(13), C(11)}));
  EXPECT_EQ(ctx.FilaPiles[2], Pile({H(12)}));
}

TEST_F(Executor, ReserveWasteAndThirdSlotTargets) {
  Lay(ctx.FilaPiles, 0, {H(4), H(5)});
  Lay(ctx.MazzoPiles, 1, {D(7)});
  EXPECT_TRUE(PlayToPile(ctx, H(5), "Appogg2"));
  EXPECT_EQ(ctx.AppoggPiles[1], Pile({H(5)}));
  EXPECT_TRUE(PlayToPile(ctx, H(4), "Stock02"));
  EXPECT_EQ(ctx.MazzoPiles[1], Pile({D(7), H(4)}));
  ctx.GameRules.GameKind() = 12;
  EXPECT_TRUE(PlayToPile(ctx, H(4), "Waste"));
  EXPECT_EQ(ctx.MazzoPiles[2], Pile({H(4)}));
  EXPECT_EQ(Sounds("Eddy.wav"), 1);
  EXPECT_EQ(Sounds("Tableau"), 2);
}

TEST_F(Executor, WinsOnTheTableauAreSeen) {
  struct Case {
    int kind;
    std::vector<int> piles;  // one card each
    int last;                // played last onto an empty pile 4
  };
  for (const Case& c :
       {Case{27, {S(13), H(13), D(13)}, C(13)}, Case{9, {S(2), H(7), D(9)}, C(4)}}) {
    ctx.GameRules.GameKind() = static_cast<int16_t>(c.kind);
    for (int i = 0; i < 4; ++i) ctx.FilaPiles[static_cast<size_t>(i)].clear();
    for (size_t i = 0; i < c.piles.size(); ++i)
      Lay(ctx.FilaPiles, static_cast<int>(i), {c.piles[i]});
    Lay(ctx.AppoggPiles, 0, {c.last});
    ctx.TfrmMain.GameWon = 0;
    EXPECT_TRUE(PlayToPile(ctx, c.last, "Fila4"));
    EXPECT_TRUE(ctx.TfrmMain.GameWon) << "kind " << c.kind;
  }
  // The default kind is won by the last card to a foundation.
  ctx.GameRules.GameKind() = 0;
  for (int i = 0; i < 4; ++i) ctx.FilaPiles[static_cast<size_t>(i)].clear();
  Lay(ctx.AppoggPiles, 0, {H(1)});
  EXPECT_TRUE(PlayToPile(ctx, H(1), "Dest1"));
  EXPECT_TRUE(ctx.TfrmMain.GameWon);
}

TEST_F(Executor, NewMoveClearsRedoAndMovesMadeStopsAtTwo) {
  Lay(ctx.FilaPiles, 0, {H(1), H(2)});
  EXPECT_TRUE(PlayToPile(ctx, H(2), "Fila2"));
  EXPECT_EQ(ctx.GameState.MovesMade(), 1);
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(RedoDepth(ctx), 1);
  EXPECT_TRUE(PlayToPile(ctx, H(1), "Dest1"));
  EXPECT_EQ(RedoDepth(ctx), 0);
  EXPECT_TRUE(ctx.RedoLog.empty());
  EXPECT_TRUE(PlayToPile(ctx, H(2), "Dest1"));
  EXPECT_EQ(ctx.GameState.MovesMade(), 2);
}

TEST_F(Executor, FillAfterFirstMoveJoinsThatMove) {
  ctx.GameRules.FillTableausAfterFirstMove() = 1;
  Lay(ctx.FilaPiles, 0, {H(1)});
  Lay(ctx.FilaPiles, 1, {C(9)});
  Lay(ctx.MazzoPiles, 0, {S(3), S(4), S(5)}, 3);
  const std::string dealt = Snapshot();
  EXPECT_TRUE(PlayToPile(ctx, H(1), "Dest1"));
  // Piles 1, 3 and 4 were empty: the stock's top cards went there in order.
  EXPECT_EQ(ctx.FilaPiles[0], Pile({S(5)}));
  EXPECT_EQ(ctx.FilaPiles[2], Pile({S(4)}));
  EXPECT_EQ(ctx.FilaPiles[3], Pile({S(3)}));
  EXPECT_TRUE(IsFaceUp(ctx, S(3)));
  EXPECT_EQ(UndoDepth(ctx), 1);
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(Snapshot(), dealt);
  EXPECT_EQ(ctx.GameState.MovesMade(), 0);
  // Redo all: the fill stays made once; the next move is not a first move.
  ASSERT_TRUE(UndoRedo(ctx, false, false));
  EXPECT_EQ(ctx.GameState.MovesMade(), 2);
  const std::string redone = Snapshot();
  EXPECT_TRUE(PlayToPile(ctx, S(4), "Appogg1"));
  EXPECT_EQ(ctx.FilaPiles[2], "");
  EXPECT_TRUE(ctx.MazzoPiles[0].empty());
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(Snapshot(), redone);
}

TEST_F(Executor, FaceUpFollowsTableauMovesAndIsItsOwnStep) {
  Lay(ctx.FilaPiles, 0, {C(5), H(1)}, 1);
  EXPECT_TRUE(PlayToPile(ctx, H(1), "Dest1"));
  EXPECT_TRUE(IsFaceUp(ctx, C(5)));
  EXPECT_EQ(Sounds("Face_up"), 1);
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_FALSE(IsFaceUp(ctx, C(5)));
  EXPECT_EQ(ctx.DestPiles[0], Pile({H(1)}));
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(ctx.FilaPiles[0], Pile({C(5), H(1)}));

  ctx.SetCfg(cfg::Automatic_FaceUp, "N");
  EXPECT_TRUE(PlayToPile(ctx, H(1), "Dest1"));
  EXPECT_FALSE(IsFaceUp(ctx, C(5)));
  // Autoplay turns cards up itself.
  ctx.SetCfg(cfg::Automatic_FaceUp, "Y");
  ctx.TfrmMain.AutoPlayOn = 1;
  Lay(ctx.FilaPiles, 1, {D(6), H(2)}, 1);
  EXPECT_TRUE(PlayToPile(ctx, H(2), "Dest1"));
  EXPECT_FALSE(IsFaceUp(ctx, D(6)));
}

TEST_F(Executor, SortedFoundationsKeepCodeOrder) {
  ctx.GameRules.SortFoundations() = 1;
  Lay(ctx.DestPiles, 0, {S(5), H(1)});
  Lay(ctx.FilaPiles, 0, {H(13)});
  ctx.GameRules.FoundationRule(0) = 29;
  EXPECT_TRUE(PlayToPile(ctx, H(13), "Dest1"));
  EXPECT_EQ(ctx.DestPiles[0], Pile({H(1), H(13), S(5)}));
  EXPECT_EQ(Sounds("Reorder"), 1);
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

using namespace testing;

TEST_F(PlayTest, MovesTellTheCardCounterAndRescore) {
  Lay(ctx.MazzoPiles, 1, {H(1)});
  Lay(ctx.FilaPiles, 0, {H(2)});
  ASSERT_TRUE(PlayToPile(ctx, H(1), "Dest1"));
  EXPECT_EQ(fakes.counter.updates,
            (std::vector<std::vector<int>>{{H(1), 2, 2, 0}, {H(1), 5, 1, 1}}));
  EXPECT_EQ(fakes.counter.wasteTops, std::vector<int>{2});
  ASSERT_FALSE(fakes.window.scores.empty());
  const std::string oneCard = fakes.window.scores.back();
  ASSERT_TRUE(PlayToPile(ctx, H(2), "Dest1"));
  EXPECT_NE(fakes.window.scores.back(), oneCard);
  // Hidden, the counter hears nothing.
  fakes.counter.visible = false;
  fakes.counter.updates.clear();
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_TRUE(fakes.counter.updates.empty());
  EXPECT_EQ(fakes.window.scores.back(), oneCard);
}

}  // namespace
}  // namespace tw
