// Play driven through the table's mouse handlers on dealt games of the
// generated games file: new games, drags that drop or go back, double-clicks,
// stock clicks, the discard games, peeks, input during flights, and the
// flight and drag-picture arithmetic.
#include <gtest/gtest.h>

#include "core/util.h"
#include "engine/newgame.h"
#include "table/view/drop.h"
#include "tests/view/play_fixture.h"

namespace tw {
namespace {

using testing::PlayTest;

constexpr int kKlondike = 0;
constexpr int kFreeCell = 1;
constexpr int kGolf = 3;
constexpr int kBlackHole = 16;

// The first tableau pile whose top card is not an Ace (FreeCell's empty
// foundations refuse it).
int PileWithoutAceOnTop(const GameContext& ctx) {
  for (int i = 0; i < ctx.GameRules.TableauCount(); ++i) {
    const int top = TopCard(ctx.FilaPiles[static_cast<size_t>(i)]);
    if (top > 0 && CardRank(top) != 1) return i;
  }
  return -1;
}

TEST_F(PlayTest, NewGameDealsDrawsTheTableAndStartsTheClock) {
  Start(kFreeCell);
  EXPECT_EQ(CardCount(), 52);
  EXPECT_TRUE(ctx.TfrmMain.GameInProgress);
  EXPECT_TRUE(ctx.TfrmMain.ClockRunning);
  EXPECT_EQ(ctx.GameState.MovesMade(), 0);
  EXPECT_NE(fakes.window.caption.find("[Tester]"), std::string::npos);
  EXPECT_NE(fakes.window.caption.find("  [1]"), std::string::npos);
  // Every tableau top is on the window where hit testing finds it.
  for (int i = 0; i < 8; ++i) {
    const int top = TopCard(ctx.FilaPiles[static_cast<size_t>(i)]);
    Rect r;
    ASSERT_TRUE(FindCardRect(ctx, top, r));
    EXPECT_TRUE(ShowsFace(view.WindowCanvas(), top, r.Left, r.Top)) << "pile " << i;
  }
  // A second new game of the same deal number deals the same table.
  const Table first = Piles();
  ctx.SetCfg(cfg::DealNumber, "1");
  ASSERT_TRUE(NewGame(ctx, play, true, false, 1, false));
  EXPECT_EQ(Piles(), first);
}

TEST_F(PlayTest, DraggedCardDropsOnAFreeCell) {
  Start(kFreeCell);
  const int top = TopCard(ctx.FilaPiles[0]);
  const size_t before = ctx.FilaPiles[0].size();
  Drag(CentreOf(top), ReserveCentre(0));
  EXPECT_EQ(ctx.AppoggPiles[0], CardCodeText(top));
  EXPECT_EQ(ctx.FilaPiles[0].size(), before - 3);
  EXPECT_EQ(CardCount(), 52);
  EXPECT_EQ(ctx.GameState.MovingCard(), 0);
  EXPECT_TRUE(ShowsFace(view.TableBmp(), top, ctx.GetReserveX(0), ctx.GetReserveY(0)));
  EXPECT_TRUE(ShowsFace(view.WindowCanvas(), top, ctx.GetReserveX(0), ctx.GetReserveY(0)));
  EXPECT_EQ(WindowMismatches(), 0);
  // The card under it is the pile's top now, and shows.
  const int uncovered = TopCard(ctx.FilaPiles[0]);
  Rect r;
  ASSERT_TRUE(FindCardRect(ctx, uncovered, r));
  EXPECT_TRUE(ShowsFace(view.TableBmp(), uncovered, r.Left, r.Top));
}

TEST_F(PlayTest, RefusedDropAndPressWithoutMoveLeaveTheTableAsItWas) {
  Start(kFreeCell);
  const int pile = PileWithoutAceOnTop(ctx);
  ASSERT_GE(pile, 0);
  const int top = TopCard(ctx.FilaPiles[static_cast<size_t>(pile)]);
  const Table before = Piles();
  Rect r;
  ASSERT_TRUE(FindCardRect(ctx, top, r));

  Drag(CentreOf(top), FoundationCentre(0));  // an empty foundation takes only an Ace
  EXPECT_EQ(Piles(), before);
  EXPECT_EQ(ctx.GameState.MovingCard(), 0);
  EXPECT_TRUE(ShowsFace(view.TableBmp(), top, r.Left, r.Top));
  EXPECT_TRUE(ShowsFace(view.WindowCanvas(), top, r.Left, r.Top));
  EXPECT_EQ(ctx.UndoMazzo.size(), 0u) << "a refused drop is no move";

  Click(CentreOf(top));
  EXPECT_EQ(Piles(), before);
  EXPECT_TRUE(ShowsFace(view.WindowCanvas(), top, r.Left, r.Top));
  EXPECT_EQ(WindowMismatches(), 0);
}

TEST_F(PlayTest, DoubleClickSendsATopAceToAFoundationOnce) {
  Start(kFreeCell);
  // Bring the Ace of hearts to the top of pile 1 by swapping two codes.
  std::string* holder = nullptr;
  for (std::string& p : ctx.FilaPiles) {
    if (p.find("001") != std::string::npos && p.find("001") % 3 == 0) holder = &p;
  }
  ASSERT_NE(holder, nullptr);
  std::string& first = ctx.FilaPiles[0];
  const std::string topCode = first.substr(first.size() - 3);
  holder->replace(holder->find("001"), 3, topCode);
  first.replace(first.size() - 3, 3, "001");
  view.RedrawWholeTable();
  const Table before = Piles();

  DoubleClick(CentreOf(1));
  int onFoundations = 0;
  for (const std::string& d : ctx.DestPiles) onFoundations += PileCardCount(d);
  EXPECT_EQ(onFoundations, 1);
  EXPECT_EQ(ctx.FilaPiles[0], before.fila[0].substr(0, before.fila[0].size() - 3));
  EXPECT_EQ(ctx.AppoggPiles, before.appogg) << "the press after the double-click did nothing";
  EXPECT_EQ(ctx.TfrmMain.DoubleClicked, 0);
  EXPECT_EQ(CardCount(), 52);

  // A double-click on a covered card does nothing.
  const Table now = Piles();
  DoubleClick(QPoint(ctx.TableauX[1] + 10, ctx.TableauY[1] + 5));
  EXPECT_EQ(Piles(), now);
}

TEST_F(PlayTest, StockClicksTurnCardsAndADoubleClickCountsTwice) {
  Start(kKlondike);
  const int perTurn = std::max<int>(1, ctx.GameRules.CardsPerStockTurn());
  const int stock = PileCardCount(ctx.MazzoPiles[0]);
  ASSERT_GT(stock, 3 * perTurn);
  Click(StockCentre(0));
  EXPECT_EQ(PileCardCount(ctx.MazzoPiles[0]), stock - perTurn);
  EXPECT_EQ(PileCardCount(ctx.MazzoPiles[1]), perTurn);
  const int waste = TopCard(ctx.MazzoPiles[1]);
  EXPECT_TRUE(ShowsFace(view.WindowCanvas(), waste, ctx.GetStockX(1), ctx.GetStockY(1)));

  DoubleClick(StockCentre(0));
  EXPECT_EQ(PileCardCount(ctx.MazzoPiles[0]), stock - 3 * perTurn);
  EXPECT_EQ(CardCount(), 52);
}

// Golf (kind 2) and Black Hole (kind 12) play a card at the press.
TEST_F(PlayTest, DiscardPlayedOnThePressIsNotDraggedAgainByTheRelease) {
  for (const auto& [game, kind] : {std::pair{kGolf, 2}, std::pair{kBlackHole, 12}}) {
    bool played = false;
    for (int deal = 1; deal <= 30 && !played; ++deal) {
      Start(game, std::to_string(deal).c_str());
      ASSERT_EQ(ctx.GameRules.GameKind(), kind);
      const int piles = ctx.GameRules.TableauCount();
      for (int i = 0; i < piles && !played; ++i) {
        const int top = TopCard(ctx.FilaPiles[static_cast<size_t>(i)]);
        if (top <= 0) continue;
        const int discards = PileCardCount(ctx.MazzoPiles[2]);
        Press(CentreOf(top));
        if (PileCardCount(ctx.MazzoPiles[2]) == discards) {
          EXPECT_EQ(ctx.GameState.MovingCard(), 0) << "a refused discard lifts nothing";
          Release();
          continue;
        }
        played = true;
        EXPECT_EQ(TopCard(ctx.MazzoPiles[2]), top);
        EXPECT_EQ(ctx.GameState.MovingCard(), 0);
        const Table afterPress = Piles();
        // The pointer wanders over another pile before the release.
        const int other = TopCard(ctx.FilaPiles[static_cast<size_t>((i + 1) % piles)]);
        if (other > 0) {
          const QPoint to = CentreOf(other);
          TableMouseMove(ctx, play, to.x(), to.y());
        }
        Release();
        EXPECT_EQ(Piles(), afterPress) << "game " << game;
        EXPECT_EQ(WindowMismatches(), 0) << "no picture of the played card is left behind";
        EXPECT_TRUE(ShowsFace(view.WindowCanvas(), top, ctx.GetStockX(2), ctx.GetStockY(2)));
      }
    }
    EXPECT_TRUE(played) << "no deal of game " << game << " offered a discard play";
  }
}

class BusyWindow : public testing::FakeWindow {
 public:
  std::vector<bool> busy;
  void SetBusyFilter(bool on) override { busy.push_back(on); }
};

TEST_F(PlayTest, InputArrivingDuringAFlightNeverReachesTheEngine) {
  BusyWindow window;
  ports.Window = &window;
  Start(kFreeCell);
  const int top = TopCard(ctx.FilaPiles[0]);
  const int other = TopCard(ctx.FilaPiles[1]);
  const QPoint otherAt = CentreOf(other);
  int reentered = 0;
  duringPresent = [&] {
    if (!InputBusy(ctx) || reentered > 3) return;
    ++reentered;
    // A click, a double-click and a drag on another card while cards fly.
    Press(otherAt);
    TableMouseMove(ctx, play, otherAt.x() + 40, otherAt.y() + 40);
    Release();
    TableDoubleClick(ctx, play, MouseButton::Left, 0, otherAt.x(), otherAt.y());
    Release();
  };
  Drag(CentreOf(top), ReserveCentre(0));
  duringPresent = nullptr;
  EXPECT_GT(reentered, 0) << "the drop flew no card";
  EXPECT_EQ(ctx.AppoggPiles[0], CardCodeText(top));
  EXPECT_EQ(TopCard(ctx.FilaPiles[1]), other);
  EXPECT_EQ(CardCount(), 52);
  EXPECT_EQ(ctx.UndoMazzo.size(), static_cast<size_t>(kStockSlots)) << "exactly one move";
  ASSERT_FALSE(window.busy.empty());
  EXPECT_FALSE(window.busy.back()) << "input is let through again";
  EXPECT_EQ(ctx.TfrmMain.BusyDepth, 0);
}

TEST_F(PlayTest, RightButtonShowsACoveredCardUntilTheRelease) {
  Start(kFreeCell);
  const int covered = PileCardAt(ctx.FilaPiles[0], 0);
  const int cw = ctx.CardWidth, ch = ctx.CardHeight;
  const int left = ctx.TableauX[0], top = ctx.TableauY[0];
  const QPoint centre(left + cw / 2, top + ch / 2);
  ASSERT_NE(At(view.WindowCanvas(), centre.x(), centre.y()),
            At(view.Pictures().CardFaces[static_cast<size_t>(covered - 1)], cw / 2, ch / 2))
      << "the covered card's centre must not show before the peek";
  const Table before = Piles();
  Press(QPoint(left + cw / 2, top + 4), MouseButton::Right);
  EXPECT_TRUE(ShowsFace(view.WindowCanvas(), covered, left, top));
  EXPECT_EQ(ui.beeps, 0);
  Release();
  EXPECT_EQ(At(view.WindowCanvas(), centre.x(), centre.y()),
            At(view.TableBmp(), centre.x(), centre.y()));
  EXPECT_EQ(ctx.TfrmMain.PeekShown, 0);
  EXPECT_EQ(Piles(), before);

  // Nothing to show: a beep.
  Press(QPoint(2, 715), MouseButton::Right);
  Release();
  EXPECT_EQ(ui.beeps, 1);
}

// A card peeked at the window's corner (0, 0) is still a peek: no beep, and
// the release ends it.
TEST_F(PlayTest, APeekAtTheTopEdgeIsNoRefusal) {
  Start(kFreeCell);
  ctx.TableauX[0] = 0;
  view.RedrawWholeTable();
  ctx.GameState.ScrollOffsetY() = ctx.TableauY[0];
  view.RefreshScreen();
  const int covered = PileCardAt(ctx.FilaPiles[0], 0);
  Press(QPoint(ctx.TableauX[0] + ctx.CardWidth / 2, 4), MouseButton::Right);
  EXPECT_TRUE(ShowsFace(view.WindowCanvas(), covered, ctx.TableauX[0], 0));
  EXPECT_EQ(ui.beeps, 0);
  Release();
  const int x = ctx.TableauX[0] + ctx.CardWidth / 2, y = ctx.CardHeight / 2;
  EXPECT_EQ(At(view.WindowCanvas(), x, y), At(view.TableBmp(), x, y)) << "the peek ended";
}

TEST_F(PlayTest, PressesOutsidePlayDoNothingOrBeep) {
  Start(kFreeCell);
  const Table before = Piles();
  const QPoint at = CentreOf(TopCard(ctx.FilaPiles[0]));
  ctx.DemoMode = 1;
  Press(at);
  EXPECT_EQ(ui.beeps, 1);
  EXPECT_EQ(ctx.GameState.MovingCard(), 0);
  ctx.DemoMode = 0;
  ctx.TfrmMain.GameInProgress = 0;
  Press(at);
  EXPECT_EQ(ctx.GameState.MovingCard(), 0);
  Release();
  EXPECT_EQ(Piles(), before);
}

TEST_F(PlayTest, ShadowedPickLiftsTheCardSevenPixels) {
  ctx.SetCfg(cfg::Cards_Shadowed, "Y");
  Start(kFreeCell);
  ASSERT_EQ(ctx.TfrmMain.ShadowOffset, 9);
  const int top = TopCard(ctx.FilaPiles[0]);
  Rect r;
  ASSERT_TRUE(FindCardRect(ctx, top, r));
  const QPoint at = CentreOf(top);
  const Table before = Piles();
  Press(at);
  EXPECT_EQ(ctx.TfrmMain.DragRect.Left, r.Left - 7);
  EXPECT_EQ(ctx.TfrmMain.DragRect.Top, r.Top - 7);
  EXPECT_EQ(ctx.TfrmMain.DragOffsetX, at.x() - r.Left + 7);
  EXPECT_TRUE(ShowsFace(view.WindowCanvas(), top, r.Left - 7, r.Top - 7));
  // The drag picture is the card's face.
  EXPECT_TRUE(ShowsFace(view.Pictures().DragBmp, top, 0, 0));
  Release();
  EXPECT_EQ(Piles(), before);
  EXPECT_TRUE(ShowsFace(view.WindowCanvas(), top, r.Left, r.Top));
  EXPECT_EQ(WindowMismatches(), 0) << "the shadow is gone";
}

TEST_F(PlayTest, SmallScreensUseThePredefinedCardsAndGiveThemBack) {
  layout.ScreenWidth = 640;
  ctx.SetCfg(cfg::Game, "0016");
  ctx.SetCfg(cfg::Game_name, GameNameFromNumber(ctx, kBlackHole));
  ASSERT_TRUE(SetupGame(ctx, play));
  ASSERT_EQ(ctx.GameRules.PredefinedCardsAt640(), 1);
  EXPECT_EQ(ctx.Cfg(cfg::Card_Size), "M");
  EXPECT_EQ(ctx.Cfg(cfg::Card), "003");
  EXPECT_EQ(ctx.Cfg(cfg::Back_Card), "006");
  EXPECT_EQ(ctx.Cfg(cfg::SavedCard), "001");
  EXPECT_EQ(ctx.CardWidth, 59);
  EXPECT_EQ(ui.messages.size(), 1u);
  // The player's own look can't be chosen while the predefined one is in force.
  EXPECT_EQ(fakes.window.customize, std::vector<bool>{false});

  layout.ScreenWidth = 1280;
  ASSERT_TRUE(SetupGame(ctx, play));
  EXPECT_EQ(ctx.Cfg(cfg::Card_Size), "B");
  EXPECT_EQ(ctx.Cfg(cfg::Card), "001");
  EXPECT_EQ(ctx.Cfg(cfg::Back_Card), "011");
  EXPECT_EQ(ctx.Cfg(cfg::SavedCard), "");
  EXPECT_EQ(ctx.CardWidth, 71);
  EXPECT_EQ(fakes.window.customize, std::vector<bool>({false, true}));
}

TEST_F(PlayTest, QuitQuestionAndClock) {
  Start(kFreeCell);
  ui.answer = false;
  EXPECT_EQ(ConfirmQuitGame(ctx, ""), 0);
  EXPECT_EQ(ui.questions, 1);
  ctx.SetCfg(cfg::ConfirmQuitGame, "N");
  EXPECT_EQ(ConfirmQuitGame(ctx, ""), 1);
  ctx.SetCfg(cfg::ConfirmQuitGame, "Y");
  ctx.TfrmMain.WinAnimationRunning = 1;
  EXPECT_EQ(ConfirmQuitGame(ctx, ""), 0);
  ctx.TfrmMain.WinAnimationRunning = 0;
  ctx.TfrmMain.GameWon = 1;
  EXPECT_EQ(ConfirmQuitGame(ctx, "Restart?"), 1);
  EXPECT_EQ(ui.questions, 1) << "a won deal is left without asking";

  clock.step = 0;
  ctx.TfrmMain.ClockRunning = 0;
  StartClock(ctx);
  clock.ms += 3900 * 1000;
  EXPECT_EQ(ElapsedSinceStart(ctx), 3900);
  EXPECT_EQ(ClockLabelText(ctx), "1:05:00");
  // A day later the count goes on.
  clock.ms += 86400 * 1000;
  EXPECT_EQ(ElapsedSinceStart(ctx), 3900 + 86400);
  ResetClock(ctx);
  EXPECT_EQ(ElapsedSinceStart(ctx), 0);
}

TEST_F(PlayTest, WonAnimationStopsWhenTheFilterClearsItsFlag) {
  Start(kFreeCell);
  ctx.SetCfg(cfg::Winning_Animation, "N");
  const int before = presents;
  play.PlayWinAnimation(1);
  EXPECT_EQ(presents, before);

  ctx.SetCfg(cfg::Winning_Animation, "Y");
  random.answers = std::vector<int32_t>(200, 51);  // the King of spades
  int pumps = 0;
  ui.onProcessMessages = [&] {
    if (++pumps == 30) ctx.TfrmMain.WinAnimationRunning = 0;
  };
  for (int mode : {1, 2}) {
    pumps = 0;
    random.next = 0;
    const int start = presents;
    play.PlayWinAnimation(mode);
    EXPECT_EQ(ctx.TfrmMain.WinAnimationRunning, 0);
    EXPECT_GT(presents, start);
    EXPECT_LT(presents - start, 40) << "mode " << mode;
  }
  ui.onProcessMessages = nullptr;
}

TEST(FlightPathTest, StepsFollowTheDistance) {
  std::vector<QPoint> path = FlightPath(0, 0, 500, 0, false);
  ASSERT_EQ(path.size(), 10u);
  EXPECT_EQ(path[0], QPoint(48, 0));
  EXPECT_EQ(path[9], QPoint(480, 0));
  EXPECT_EQ(FlightStep(500, true), 14);
  EXPECT_EQ(FlightPath(0, 0, 500, 0, true).front(), QPoint(14, 0));
  EXPECT_TRUE(FlightPath(30, 40, 30, 40, false).empty());
  EXPECT_TRUE(FlightPath(0, 0, 2, 0, false).empty());
  EXPECT_TRUE(FlightPath(0, 0, 14, 0, true).empty());
  // The minor axis moves by the major axis' share, backwards too.
  path = FlightPath(100, 500, 0, 0, false);
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path[0], QPoint(90, 452));
  for (const QPoint& p : path) {
    EXPECT_GE(p.x(), 0);
    EXPECT_LE(p.x(), 100);
  }
}

TEST(FlightPathTest, UncoveredStripsCoverTheOldPlace) {
  const Rect old{100, 100, 171, 196};
  QRect a, b;
  UncoveredStrips(old, 110, 120, 71, 96, a, b);  // down and right
  EXPECT_EQ(a, QRect(100, 100, 73, 21));
  EXPECT_EQ(b, QRect(100, 100, 11, 97));
  UncoveredStrips(old, 90, 80, 71, 96, a, b);  // up and left
  EXPECT_EQ(a, QRect(100, 176, 73, 21));
  EXPECT_EQ(b, QRect(161, 100, 13, 97));
}

}  // namespace
}  // namespace tw
