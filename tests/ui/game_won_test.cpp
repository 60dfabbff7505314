// The dialog after a won deal: its totals and pie, and each next-game choice.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <cstdlib>

#include "core/cards.h"
#include "core/stats.h"
#include "core/util.h"
#include "engine/gameover.h"
#include "engine/random_player.h"
#include "tests/ui/solver.h"
#include "tests/ui/ui_fixture.h"
#include "ui/game_won.h"
#include "ui/open_game.h"

namespace tw::testing {
namespace {

constexpr int kFreeCell = 1;

TEST(PiePicture, ShowsTheLargerShareAndSwapsColoursBelowHalf) {
  struct Case {
    int p;
    PieChoice want;
  };
  const Case cases[] = {
      {-1, {-1, false}}, {0, {1000, true}},  {25, {750, true}},  {49, {500, true}},
      {50, {500, false}}, {67, {650, false}}, {99, {975, false}}, {100, {1000, false}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChoosePiePicture(c.p), c.want) << "p = " << c.p;
  }
  // A won deal without losses is all lime; all lost is all red; no deals
  // keeps the grey picture as it is.
  auto count = [](const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) | 0xff000000u) == colour;
    }
    return n;
  };
  const QRgb red = qRgb(255, 0, 0), lime = qRgb(0, 255, 0);
  const QImage allWon = DrawPiePicture(0, QSize(130, 100), Qt::white);
  EXPECT_EQ(count(allWon, red), 0);
  EXPECT_GT(count(allWon, lime), 1000);
  const QImage allLost = DrawPiePicture(100, QSize(130, 100), Qt::white);
  EXPECT_EQ(count(allLost, lime), 0);
  EXPECT_GT(count(allLost, red), 1000);
  const QImage none = DrawPiePicture(-1, QSize(130, 100), Qt::white);
  EXPECT_EQ(count(none, red) + count(none, lime), 0);
  // Silver is see-through: the corners show the background.
  EXPECT_EQ(allWon.pixel(0, 0), QColor(Qt::white).rgb());
  // A quarter lost: about three times as much lime as red.
  const QImage quarter = DrawPiePicture(25, QSize(130, 100), Qt::white);
  const double ratio = double(count(quarter, lime)) / std::max(1, count(quarter, red));
  EXPECT_GT(ratio, 2.5);
  EXPECT_LT(ratio, 3.5);
}

TEST(PiePicture, TotalsRoundTheWonShare) {
  struct Case {
    int won, lost, wonPercent, lostPercent;
  };
  for (const Case& c : {Case{1, 0, 100, 0}, Case{3, 1, 75, 25}, Case{1, 2, 33, 67},
                        Case{2, 1, 67, 33}, Case{0, 0, 0, 0}, Case{0, 5, 0, 100}}) {
    const GameTotals t = ComputeTotals(c.won, c.lost);
    EXPECT_EQ(t.WonPercent, c.wonPercent) << c.won << "/" << c.lost;
    EXPECT_EQ(t.LostPercent, c.lostPercent) << c.won << "/" << c.lost;
    EXPECT_EQ(t.Any(), c.won + c.lost > 0);
  }
}

class GameWonTest : public WindowTest {
 protected:
  GameWonDialog& Form() { return *window().GameWonForm(); }
  // Ends the deal as won (no handler running) and answers the dialog.
  void WinAndChoose(GameWonChoice choice) {
    ctx().TfrmMain.GameWon = 1;
    WhenShown(&Form(), [this, choice] { Form().Button(choice)->click(); });
    GameOver(ctx());
  }
  void Save(QWidget& w, const char* name) {
    const QImage shot = w.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    if (const char* out = std::getenv("TW_SCREENSHOT_DIR")) {
      EXPECT_TRUE(shot.save(QString::fromLocal8Bit(out) + "/" + name));
    }
  }
};

// A deal won with the mouse: the dialog shows the player's first win, and
// New game deals again once the winning drop has been handled.
TEST_F(GameWonTest, AWonDealShowsItsTotalsAndNewGameDealsAgain) {
  Deal(kFreeCell, "3");
  DropSolver solver(ctx());
  ASSERT_TRUE(solver.Solve(40000));
  struct Seen {
    bool shown = false;
    QString caption, group, won, lost, total, wonPercent, lostPercent;
  } seen;
  WhenShown(&Form(), [&] {
    const TotalsLabels& l = Form().Labels();
    seen = {true,         Form().windowTitle(), Form().GroupTitle(),      l.Won->text(),
            l.Lost->text(), l.Total->text(),   l.WonPercent->text(), l.LostPercent->text()};
    Save(Form(), "game-won-dialog.png");
    Form().Button(GameWonChoice::NewGame)->click();
  });
  for (const PlayerMove& m : solver.Line()) {
    if (ctx().TfrmMain.GameInProgress == 0) break;
    const QPoint from = Grip(m.card);
    int index = 0;
    ParsePileName(m.target, index);
    const QPoint to(CardLeftX(ctx(), m.target, index, 0, true),
                    CardTopY(ctx(), m.target, index, 0, true));
    Drag(from, to + Offset(m.card, from));
  }
  ASSERT_TRUE(seen.shown);
  EXPECT_EQ(seen.caption, "Game won");
  EXPECT_EQ(seen.group, "Total [FreeCell]");
  EXPECT_EQ(seen.won, "1");
  EXPECT_EQ(seen.lost, "0");
  EXPECT_EQ(seen.total, "1");
  EXPECT_EQ(seen.wonPercent, "(100%)");
  EXPECT_EQ(seen.lostPercent, "(0%)");
  // The new deal is on the table.
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
  EXPECT_NE(Trim(ctx().Cfg(cfg::DealNumber)), "3");
  EXPECT_EQ(ctx().GameState.MovesMade(), 0);
}

TEST_F(GameWonTest, RestartDealsTheSameDealAndCancelLeavesNone) {
  Deal(kFreeCell, "3");
  const std::string deal = ctx().Cfg(cfg::DealNumber);
  WinAndChoose(GameWonChoice::Restart);
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
  EXPECT_EQ(ctx().Cfg(cfg::DealNumber), deal);

  // A second win and a loss in between: the totals count them all.
  ctx().TfrmMain.GameWon = 0;
  GameOver(ctx());
  Deal(kFreeCell, "4");
  QString lost, wonPercent;
  ctx().TfrmMain.GameWon = 1;
  WhenShown(&Form(), [&] {
    lost = Form().Labels().Lost->text();
    wonPercent = Form().Labels().WonPercent->text();
    Form().CancelButton()->click();
  });
  GameOver(ctx());
  EXPECT_EQ(lost, "1");
  EXPECT_EQ(wonPercent, "(67%)");
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 0);
  EXPECT_FALSE(Form().isVisible());
}

TEST_F(GameWonTest, OpenCancelledBringsTheDialogBackOpenChosenDeals) {
  Deal(kFreeCell, "3");
  int shown = 0;
  // First showing: Open; the chooser is cancelled; the dialog is back and
  // Open again, and this time the chooser plays its selected game.
  std::function<void()> answer = [&] {
    ++shown;
    auto* chooser = &program->OpenGame();
    if (shown == 1) {
      WhenShown(chooser, [chooser] { chooser->reject(); });
      WhenShown(&Form(), answer);
      Form().Button(GameWonChoice::Open)->click();
    } else {
      WhenShown(chooser, [chooser] { chooser->btnOKClick(); });
      Form().Button(GameWonChoice::Open)->click();
    }
  };
  ctx().TfrmMain.GameWon = 1;
  WhenShown(&Form(), answer);
  GameOver(ctx());
  EXPECT_EQ(shown, 2);
  EXPECT_FALSE(Form().isVisible());
  // The chooser's current game (FreeCell) was dealt afresh.
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
}

TEST_F(GameWonTest, ChoicesWithoutTheirDialogsAreOff) {
  Deal(kFreeCell, "3");
  bool select = true, stats = true;
  ctx().TfrmMain.GameWon = 1;
  WhenShown(&Form(), [&] {
    select = Form().Button(GameWonChoice::Select)->isEnabled();
    stats = Form().StatisticsButton()->isEnabled();
    Form().CancelButton()->click();
  });
  GameOver(ctx());
  const QAction* selectAction = window().Action("mnuSelect");
  EXPECT_EQ(select, selectAction && selectAction->isEnabled());
  const QAction* statsAction = window().Action("mnuGameStatistics");
  EXPECT_EQ(stats, statsAction && statsAction->isEnabled());
}

}  // namespace
}  // namespace tw::testing
