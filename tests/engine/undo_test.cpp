#include "engine/undo.h"

#include <gtest/gtest.h>

#include "core/cards.h"
#include "engine/executor.h"
#include "tests/engine/play_fixture.h"

namespace tw {
namespace {

using namespace testing;

using Undo = PlayTest;

TEST_F(Undo, SnapshotKeepsFacesAndHolesOfAll53Piles) {
  Lay(ctx.FilaPiles, 25, {S(1), H(2)}, 1);
  Lay(ctx.AppoggPiles, 7, {D(3)});
  ctx.FilaPiles[3] = Pile({0, C(4), 0});
  SetCardFace(ctx, C(4), "1");
  StringList lines;
  SaveTableSnapshot(ctx, lines);
  ASSERT_EQ(lines.size(), 53u);
  EXPECT_EQ(lines[3 + 16 + 25], "04000021");
  EXPECT_EQ(lines[3 + 16 + 3], "000003010000");
  EXPECT_EQ(lines[52], "0161");

  const std::string before = Snapshot();
  PushUndoState(ctx, true, true);
  for (StringList* list : {&ctx.MazzoPiles, &ctx.DestPiles, &ctx.FilaPiles, &ctx.AppoggPiles}) {
    for (std::string& pile : *list) pile.clear();
  }
  SetCardFace(ctx, S(1), "1");
  SetCardFace(ctx, H(2), "0");
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(Snapshot(), before);
  EXPECT_FALSE(IsFaceUp(ctx, S(1)));
  EXPECT_TRUE(IsFaceUp(ctx, H(2)));
  // A malformed line lays what it can and stops.
  RestorePileFromSnapshot(ctx, ctx.FilaPiles, 0, "00110x210031");
  EXPECT_EQ(ctx.FilaPiles[0], Pile({H(1)}));
}

TEST_F(Undo, RefusedRequestsBeepAndChangeNothing) {
  Lay(ctx.FilaPiles, 0, {H(1)});
  EXPECT_FALSE(UndoRedo(ctx, true, false));  // nothing to undo
  EXPECT_FALSE(UndoRedo(ctx, false, false));
  ASSERT_TRUE(PlayToPile(ctx, H(1), "Dest1"));
  ctx.SetCfg(cfg::Undo_Enabled, "2");
  EXPECT_FALSE(UndoRedo(ctx, true, false));
  ctx.SetCfg(cfg::Undo_Enabled, "0");
  ctx.TfrmMain.GameInProgress = 0;
  EXPECT_FALSE(UndoRedo(ctx, true, false));
  EXPECT_EQ(beeper.beeps, 4);
  EXPECT_EQ(ctx.DestPiles[0], Pile({H(1)}));
  // The demo replay steps without the checks.
  EXPECT_TRUE(UndoRedo(ctx, true, true));
  EXPECT_EQ(ctx.FilaPiles[0], Pile({H(1)}));
  EXPECT_EQ(Sounds("Undo"), 0);
  EXPECT_FALSE(UndoRedo(ctx, true, true));
  EXPECT_EQ(beeper.beeps, 4);
}

TEST_F(Undo, OneStepMode) {
  ctx.SetCfg(cfg::Undo_Enabled, "1");
  Lay(ctx.FilaPiles, 0, {H(1), H(2)});
  ASSERT_TRUE(PlayToPile(ctx, H(2), "Fila2"));
  ASSERT_TRUE(PlayToPile(ctx, H(1), "Dest1"));
  EXPECT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_FALSE(UndoRedo(ctx, true, false));
  EXPECT_EQ(beeper.beeps, 1);
  EXPECT_TRUE(UndoRedo(ctx, false, false));
  EXPECT_FALSE(UndoRedo(ctx, false, false));
  EXPECT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(Sounds("Undo"), 2);
  EXPECT_EQ(Sounds("Redo"), 1);
}

TEST_F(Undo, MovesMadeAfterUndoAllAndRedo) {
  ctx.GameRules.FoundationOnlyOpening() = 1;
  Lay(ctx.FilaPiles, 0, {H(2), H(1)});
  ASSERT_TRUE(PlayToPile(ctx, H(1), "Dest1"));
  ASSERT_TRUE(PlayToPile(ctx, H(2), "Fila2"));
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(ctx.GameState.MovesMade(), 2);
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  // Back at the deal the opening applies again...
  EXPECT_EQ(ctx.GameState.MovesMade(), 0);
  EXPECT_FALSE(PlayToPile(ctx, H(1), "Fila3"));
  // ...and once a move is redone it no longer does.
  ASSERT_TRUE(UndoRedo(ctx, false, false));
  EXPECT_EQ(ctx.GameState.MovesMade(), 2);
  EXPECT_TRUE(PlayToPile(ctx, H(2), "Fila3"));
}

TEST_F(Undo, MergedStepsKeepEveryEventCode) {
  Lay(ctx.FilaPiles, 0, {H(1), H(2), H(3)});
  ASSERT_TRUE(PlayToPile(ctx, H(3), "Fila2"));
  const std::string start = Snapshot();
  ASSERT_TRUE(PlayToPile(ctx, H(2), "Fila3"));
  ReplaceLastUndoGroup(ctx, 2);
  ASSERT_TRUE(PlayToPile(ctx, H(1), "Dest1"));
  ReplaceLastUndoGroup(ctx, 1);
  ASSERT_EQ(UndoDepth(ctx), 3);
  MergeLastUndoSteps(ctx, 1);
  EXPECT_EQ(UndoDepth(ctx), 2);
  EXPECT_EQ(ctx.UndoLog, ",002001,");
  EXPECT_EQ(ctx.UndoMazzo.size(), 6u);
  EXPECT_EQ(ctx.UndoFila.size(), 52u);
  ctx.ReserveDealCounter = 5;
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(Snapshot(), start);
  EXPECT_EQ(ctx.ReserveDealCounter, 4);
  EXPECT_EQ(ctx.UndoLog, ",");
  EXPECT_EQ(ctx.RedoLog, "002001,");
  ASSERT_TRUE(UndoRedo(ctx, false, false));
  EXPECT_EQ(ctx.ReserveDealCounter, 5);
  EXPECT_EQ(ctx.UndoLog, ",002001,");
  EXPECT_TRUE(ctx.RedoLog.empty());
  // A single step is left alone.
  MergeLastUndoSteps(ctx, 5);
  EXPECT_EQ(UndoDepth(ctx), 1);
  EXPECT_EQ(ctx.UndoLog, "002001,");
}

TEST_F(Undo, PairSelectionIsNeverRestored) {
  ctx.GameRules.GameKind() = 3;
  Lay(ctx.DestPiles, 0, {H(13)});
  Lay(ctx.DestPiles, 1, {D(1)});
  Lay(ctx.FilaPiles, 0, {C(5)});
  ASSERT_TRUE(PlayToPile(ctx, C(5), "Fila2"));
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(ctx.DestPiles[0], "");
  EXPECT_EQ(ctx.DestPiles[1], Pile({D(1)}));
  EXPECT_EQ(ctx.FilaPiles[0], Pile({C(5)}));
}

TEST_F(Undo, SavedGameSections) {
  Lay(ctx.FilaPiles, 0, {H(1)});
  ASSERT_TRUE(PlayToPile(ctx, H(1), "Dest1"));
  StringList out;
  WriteUndoSections(ctx, out);
  ASSERT_EQ(out.size(), 5u + 53u + 1u);
  EXPECT_EQ(out[0], "[UNDO - Stock]");
  EXPECT_EQ(out[4], "[UNDO - Foundations]");
  EXPECT_EQ(out[21], "[UNDO - Piles]");
  EXPECT_EQ(out[22], "0011");
  EXPECT_EQ(out[48], "[UNDO - Reserves]");
  EXPECT_EQ(out[57], "[UNDO - Log]");
  EXPECT_EQ(out[58], ",");
}

}  // namespace
}  // namespace tw
