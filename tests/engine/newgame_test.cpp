// Clearing the table, the reset of a new deal and the input guard.
#include "engine/newgame.h"

#include <gtest/gtest.h>

#include "core/gamesfile.h"
#include "tests/engine/engine_fixture.h"

namespace tw {
namespace {

using testing::EngineTest;

class NewGameTest : public EngineTest {
 protected:
  void FillTable() {
    Lay(ctx.MazzoPiles, 0, {1, 2});
    Lay(ctx.FilaPiles, 3, {3});
    Lay(ctx.DestPiles, 0, {4});
    Lay(ctx.AppoggPiles, 1, {5});
    ctx.UndoMazzo = {"x"};
    ctx.UndoLog = "001,";
    ctx.RedoFila = {"y"};
    ctx.RedoLog = "002,";
    ctx.TfrmMain.GameInProgress = 1;
  }
};

TEST_F(NewGameTest, ClearTableAlwaysDropsRedoAndWithClearAllThePilesAndUndo) {
  FillTable();
  ClearTable(ctx, false, false);
  EXPECT_EQ(ctx.FilaPiles[3], testing::Pile({3}));
  EXPECT_EQ(ctx.UndoMazzo.size(), 1u);
  EXPECT_EQ(ctx.UndoLog, "001,");
  EXPECT_TRUE(ctx.RedoFila.empty());
  EXPECT_TRUE(ctx.RedoLog.empty());
  EXPECT_FALSE(ctx.TfrmMain.GameInProgress);

  FillTable();
  ClearTable(ctx, true, true);
  for (const StringList* l : {&ctx.MazzoPiles, &ctx.DestPiles, &ctx.FilaPiles, &ctx.AppoggPiles})
    for (const std::string& p : *l) EXPECT_TRUE(p.empty());
  EXPECT_EQ(ctx.FilaPiles.size(), static_cast<size_t>(kMaxTableaus)) << "entries stay";
  EXPECT_TRUE(ctx.UndoMazzo.empty());
  EXPECT_TRUE(ctx.UndoLog.empty());
}

TEST_F(NewGameTest, ANewDealStartsFromTheGamesOwnPileRules) {
  ctx.GameRules.CardCount() = 52;
  ctx.GameRules.TableauStart(0) = 13;
  ctx.GameRules.FoundationBase(2) = 1;
  SaveRestorePileRules(ctx, false);
  // The last deal rewrote them (start codes 91 and 92 do).
  ctx.GameRules.TableauStart(0) = 7;
  ctx.GameRules.FoundationBase(2) = 9;
  ctx.GameState.RedealsDone() = 4;
  ctx.SetCfg(cfg::Score, "-40");
  ctx.SetCfg(cfg::DealNumber, "1");
  ResetPlayState(ctx, true);
  DealNewGame(ctx, 1);
  EXPECT_EQ(ctx.GameRules.TableauStart(0), 13);
  EXPECT_EQ(ctx.GameRules.FoundationBase(2), 1);
  EXPECT_EQ(ctx.GameState.RedealsDone(), 1);
  EXPECT_EQ(ctx.Cfg(cfg::DealNumber), "1") << "number mode 1 keeps the number";
  EXPECT_FALSE(ctx.TfrmMain.ClockRunning);
}

class GuardWindow : public testing::FakeWindow {
 public:
  std::vector<bool> busy;
  void SetBusyFilter(bool on) override { busy.push_back(on); }
};

TEST_F(NewGameTest, TheInputGuardNestsAndTurnsTheFilterOnOnce) {
  GuardWindow window;
  fakes.ports.Window = &window;
  {
    BusyInputGuard outer(ctx);
    EXPECT_TRUE(InputBusy(ctx));
    {
      BusyInputGuard inner(ctx);
      EXPECT_EQ(ctx.TfrmMain.BusyDepth, 2);
    }
    EXPECT_TRUE(InputBusy(ctx));
  }
  EXPECT_FALSE(InputBusy(ctx));
  EXPECT_EQ(window.busy, (std::vector<bool>{true, false}));
}

TEST_F(NewGameTest, AutoplayAfterAMoveWaitsForAPlayedDeal) {
  Lay(ctx.FilaPiles, 0, {1});
  ctx.GameRules.TableauCount() = 1;
  ctx.GameRules.FoundationCount() = 1;
  ctx.SetFoundationX(0, 100);
  ctx.SetFoundationY(0, 10);
  ctx.TfrmMain.AutoPlayOn = 1;
  // Not after the deal ended, nor during a demo; then while playing it offers the Ace.
  for (int mode = 0; mode < 3; ++mode) {
    ctx.TfrmMain.GameInProgress = mode == 0 ? 0 : 1;
    ctx.DemoMode = mode == 1 ? 1 : 0;
    RunAutoPlayAfterMove(ctx);
    EXPECT_EQ(fakes.drop.offers.empty(), mode < 2) << "mode " << mode;
  }
}

// The game-won dialog may start the next deal from inside autoplay; the loop
// of the old deal must not play on in the new one.
TEST_F(NewGameTest, AutoplayStopsWhenAnotherDealHasStarted) {
  Lay(ctx.FilaPiles, 0, {1});
  Lay(ctx.MazzoPiles, 0, {20, 30});
  ctx.GameRules.TableauCount() = 1;
  ctx.GameRules.FoundationCount() = 1;
  ctx.GameRules.FillEmptyTableauFrom() = 3;
  ctx.SetFoundationX(0, 100);
  ctx.SetFoundationY(0, 10);
  ctx.TableauX[0] = 100;
  ctx.TfrmMain.AutoPlayOn = 1;
  ctx.TfrmMain.GameInProgress = 1;
  ctx.GameState.MovesMade() = 2;
  fakes.drop.accept = [](GameContext& c, int, int, int) {
    c.FilaPiles[0].clear();  // the Ace went; a new deal begins meanwhile
    ++c.TfrmMain.DealSerial;
    return true;
  };
  RunAutoPlayAfterMove(ctx);
  EXPECT_EQ(fakes.drop.offers.size(), 1u);
  EXPECT_TRUE(ctx.FilaPiles[0].empty()) << "the new deal's table was not filled by the old loop";
  EXPECT_EQ(ctx.MazzoPiles[0], testing::Pile({20, 30}));
}

}  // namespace
}  // namespace tw
