// The statistics dialogs over results recorded the way finished deals
// record them.
#include <gtest/gtest.h>

#include <QChartView>
#include <QComboBox>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QPushButton>
#include <QListWidget>
#include <QTableWidget>
#include <cstdlib>

#include "core/cfg.h"
#include "core/datafiles.h"
#include "core/gamelists.h"
#include "core/gamesfile.h"
#include "core/stats.h"
#include "core/util.h"
#include "platform/qt/prompts.h"
#include "tests/ui/ui_fixture.h"
#include "engine/gameover.h"
#include "ui/game_lists.h"
#include "ui/game_won.h"
#include "ui/statistics_dialog.h"

namespace tw::testing {
namespace {

constexpr int kKlondike = 0, kFreeCell = 1;

TEST(BarChartTest, ChartsAreDrawnByTheChartModule) {
  QWidget parent;
  QWidget* chart = MakeBarChart(&parent, true);
  ASSERT_TRUE(chart->inherits("QChartView"));
  SetBarChartBars(chart, {{"Won", 5, Qt::green}, {"Lost", 3, Qt::red}});
  SetBarChartBars(chart, {});
}

TEST(StatisticsTexts, CurrentStreakSingularPluralAndNone) {
  struct Case {
    int64_t win, lose;
    const char* want;
  };
  for (const Case& c : {Case{1, 0, "Current: 1 won"}, Case{4, 0, "Current: 4 won"},
                        Case{0, 1, "Current: 1 lost"}, Case{0, 3, "Current: 3 lost"},
                        Case{0, 0, "Current"}}) {
    StatRecord r;
    r.CurrentWinStreak = c.win;
    r.CurrentLoseStreak = c.lose;
    EXPECT_EQ(CurrentStreakText(r).toStdString(), c.want);
  }
}

class StatisticsTest : public WindowTest {
 protected:
  // Finishes deals of the game for the player as the end of a deal does.
  void Record(int game, const std::string& player, const std::string& results,
              int64_t score = 0) {
    ctx().SetCfg(cfg::Game, IntToStrPad(game, 4));
    ctx().SetCfg(cfg::Game_name, GameNameFromNumber(ctx(), game));
    ctx().SetCfg(cfg::UserDefault, player);
    ctx().SetCfg(cfg::Score, std::to_string(score));
    for (char r : results) {
      ASSERT_TRUE(UpdateGameStatistics(ctx(), r == 'W'));
      ASSERT_TRUE(AppendStatLog(ctx(), r == 'W', 75, "20261210", "12:30:00"));
    }
  }
  void Use(int game, const std::string& player) {
    ctx().SetCfg(cfg::Game, IntToStrPad(game, 4));
    ctx().SetCfg(cfg::UserDefault, player);
  }
  static QString Text(const StatisticsDialog& d, const char* name) {
    QLabel* l = d.Label(name);
    EXPECT_NE(l, nullptr) << name;
    return l ? l->text() : QString();
  }
  // What the grid shows in a column, top to bottom (item grids and model
  // views alike).
  static std::vector<std::string> Column(QTableView* grid, int column) {
    std::vector<std::string> out;
    const QAbstractItemModel* model = grid->model();
    for (int r = 0; r < model->rowCount(); ++r) {
      out.push_back(model->index(r, column).data().toString().toStdString());
    }
    return out;
  }
  static QString Cell(QTableView* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
  }
  int GameIndex(const StatisticsDialog& d, int game) {
    return IndexOfTrimmedText(d.Games(), GameNameFromNumber(ctx(), game));
  }
  static bool HasPie(const StatisticsDialog& d, const char* name) {
    QLabel* l = d.Label(name);
    return l && !l->pixmap().isNull();
  }
};

TEST_F(StatisticsTest, GameDialogShowsTotalsSessionAndSeries) {
  Record(kFreeCell, "Tester", "WWLLLW");  // 3 won, 3 lost; streaks 2 won, 3 lost
  Record(kFreeCell, "Tester", "W");       // 4 won, 3 lost; current 2 won
  Record(kKlondike, "Tester", "L");
  Use(kFreeCell, "Tester");
  ResetSessionCounters(ctx());
  Record(kFreeCell, "Tester", "WWWL");  // session 3/1; totals 7 won, 4 lost; current 1 lost

  StatisticsDialog dialog(ctx(), {});
  dialog.show();
  EXPECT_EQ(dialog.ShownGame(), kFreeCell);
  EXPECT_EQ(dialog.windowTitle().toStdString(),
            "Statistics [" + TrimRightSpaces(GameNameFromNumber(ctx(), kFreeCell)) + "]");
  EXPECT_EQ(Text(dialog, "lblGraphTotWon"), "7");
  EXPECT_EQ(Text(dialog, "lblGraphTotLost"), "4");
  EXPECT_EQ(Text(dialog, "lblGraphTotTotal"), "11");
  EXPECT_EQ(Text(dialog, "lblGraphTotPercWon"), "(64%)");
  EXPECT_EQ(Text(dialog, "lblGraphTotPercLost"), "(36%)");
  EXPECT_EQ(Text(dialog, "lblGraphSesWon"), "3");
  EXPECT_EQ(Text(dialog, "lblGraphSesLost"), "1");
  EXPECT_EQ(Text(dialog, "lblGraphSesTotal"), "4");
  EXPECT_EQ(Text(dialog, "lblGraphSesPercWon"), "(75%)");
  EXPECT_EQ(Text(dialog, "lblGraphSesPercLost"), "(25%)");
  EXPECT_EQ(Text(dialog, "lblSesVin"), "Won:");
  EXPECT_EQ(Text(dialog, "lblTotNumPar"), "Total: ");
  // Longest streaks: WWW (after W W) makes 5 won in a row; LLL 3 lost.
  EXPECT_EQ(Text(dialog, "lblGraphSerWon"), "5");
  EXPECT_EQ(Text(dialog, "lblGraphSerLost"), "3");
  EXPECT_EQ(Text(dialog, "lblGraphSerPercWon"), "(63%)");
  EXPECT_EQ(Text(dialog, "lblGraphSerPercLost"), "(37%)");
  EXPECT_EQ(Text(dialog, "lblSerCur"), "Current: 1 lost");
  const std::vector<ChartBar> want = {{"Won", 5, QColor(0, 255, 0)},
                                      {"Lost", 3, QColor(255, 0, 0)}};
  EXPECT_EQ(dialog.SeriesBars(), want);
  EXPECT_TRUE(HasPie(dialog, "imgGraphTot"));

  // Another game: its figures, and no session figures (they belong to the
  // current game only).
  const int klondike = GameIndex(dialog, kKlondike);
  ASSERT_GE(klondike, 0);
  dialog.Games()->setCurrentIndex(klondike);
  EXPECT_EQ(dialog.ShownGame(), kKlondike);
  EXPECT_EQ(Text(dialog, "lblGraphTotLost"), "1");
  EXPECT_EQ(Text(dialog, "lblGraphTotPercLost"), "(100%)");
  EXPECT_EQ(Text(dialog, "lblGraphSesWon"), "0");
  EXPECT_EQ(Text(dialog, "lblGraphSesLost"), "0");
  EXPECT_EQ(Text(dialog, "lblGraphSesPercWon"), "");
  EXPECT_EQ(Text(dialog, "lblSerCur"), "Current: 1 lost");

  if (const char* out = std::getenv("TW_SCREENSHOT_DIR")) {
    dialog.Games()->setCurrentIndex(GameIndex(dialog, kFreeCell));
    EXPECT_TRUE(dialog.grab().save(QString::fromLocal8Bit(out) + "/statistics.png"));
  }
  dialog.close();
}

TEST_F(StatisticsTest, PlayerWithoutDealsShowsZerosAndEmptyPercentages) {
  Record(kFreeCell, "Other", "WW");
  Use(kFreeCell, "Tester");
  ResetSessionCounters(ctx());  // as choosing another player does
  StatisticsDialog dialog(ctx(), {});
  dialog.show();
  for (const char* name : {"lblGraphTotWon", "lblGraphTotLost", "lblGraphTotTotal",
                           "lblGraphSesWon", "lblGraphSerWon", "lblGraphSerLost"}) {
    EXPECT_EQ(Text(dialog, name), "0") << name;
  }
  for (const char* name : {"lblGraphTotPercWon", "lblGraphTotPercLost", "lblGraphSesPercWon",
                           "lblGraphSerPercWon", "lblGraphSerPercLost"}) {
    EXPECT_EQ(Text(dialog, name), "") << name;
  }
  EXPECT_EQ(Text(dialog, "lblSerCur"), "Current");
  dialog.close();
}

TEST_F(StatisticsTest, PlayersChartShowsTheFiveBestGreatestFirst) {
  // Won shares 100, 67, 50, 50, 33, 0, 0 (A..G); D is listed after C.
  const StringList players = {"Ann", "Bob", "Cid", "Dan", "Eve", "Fay", "Gus"};
  const char* results[] = {"WW", "WWL", "WL", "LW", "WLL", "L", ""};
  for (size_t i = 0; i < players.size(); ++i) Record(kFreeCell, players[i], results[i], 0);
  const std::vector<ChartBar> bars = BestPlayersBars(ctx(), kFreeCell, players, false);
  ASSERT_EQ(bars.size(), 5u);
  const char* names[] = {"Ann", "Bob", "Dan", "Cid", "Eve"};
  const double values[] = {100, 67, 50, 50, 33};
  const QColor colours[] = {QColor(0, 0, 255), QColor(255, 255, 0), QColor(255, 0, 0),
                            QColor(0, 255, 0), QColor(255, 255, 255)};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(bars[i].Label.toStdString(), names[i]) << i;
    EXPECT_EQ(bars[i].Value, values[i]) << i;
    EXPECT_EQ(bars[i].Colour, colours[i]) << i;
  }

  // Average score, negative values ordered as numbers, truncated to zero.
  Record(kKlondike, "Ann", "W", -300);   // -300 / 1
  Record(kKlondike, "Bob", "WL", 15);    // 15 + 15 = 30 over 2 = 15
  Record(kKlondike, "Cid", "LLL", -5);   // -15 / 3 = -5
  Record(kKlondike, "Dan", "WW", 7);     // 14 / 2 = 7
  const std::vector<ChartBar> avg =
      BestPlayersBars(ctx(), kKlondike, {"Ann", "Bob", "Cid", "Dan"}, true);
  ASSERT_EQ(avg.size(), 4u);
  EXPECT_EQ(avg[0].Label, "Bob");
  EXPECT_EQ(avg[0].Value, 15);
  EXPECT_EQ(avg[1].Value, 7);
  EXPECT_EQ(avg[2].Value, -5);
  EXPECT_EQ(avg[3].Label, "Ann");
  EXPECT_EQ(avg[3].Value, -300);

  // The dialog draws the selected game's chart and follows the choices.
  Use(kFreeCell, "Tester");
  PlayersStatisticsDialog dialog(ctx(), players, -1, {});
  dialog.show();
  ASSERT_EQ(dialog.Bars().size(), 5u);
  EXPECT_EQ(dialog.Bars()[0].Label, "Ann");
  dialog.SetValueType(1);
  EXPECT_EQ(dialog.Bars()[0].Value, 0);
  dialog.GamesList()->setCurrentRow(
      IndexOfTrimmedText(dialog.GamesList(), GameNameFromNumber(ctx(), kKlondike)));
  EXPECT_EQ(dialog.Bars()[0].Label, "Bob");
  if (const char* out = std::getenv("TW_SCREENSHOT_DIR")) {
    QApplication::processEvents();
    EXPECT_TRUE(dialog.grab().save(QString::fromLocal8Bit(out) + "/players-statistics.png"));
  }
  dialog.close();
}

TEST_F(StatisticsTest, AllGamesGridByTotalsSessionAndSeries) {
  Record(kKlondike, "Tester", "L");
  Record(kFreeCell, "Other", "LL");
  Use(kFreeCell, "Tester");
  ResetSessionCounters(ctx());
  Record(kFreeCell, "Tester", "WWWLW");
  AllGamesStatisticsDialog dialog(ctx(), {"Other", "Tester"}, 1, {});
  dialog.show();
  QTableWidget* grid = dialog.Grid();
  EXPECT_EQ(grid->rowCount(), static_cast<int>(BuildSortedGameNames(ctx()).size()));
  const std::string freeCell = TrimRightSpaces(GameNameFromNumber(ctx(), kFreeCell));
  const std::string klondike = TrimRightSpaces(GameNameFromNumber(ctx(), kKlondike));
  auto row = [&](const std::string& name) {
    const std::vector<std::string> names = Column(grid, 0);
    for (size_t r = 0; r < names.size(); ++r) {
      if (names[r] == name) {
        return std::vector<std::string>{Column(grid, 1)[r], Column(grid, 2)[r],
                                        Column(grid, 3)[r]};
      }
    }
    return std::vector<std::string>{};
  };
  EXPECT_EQ(row(freeCell), (std::vector<std::string>{"4", "1", "80 %"}));
  EXPECT_EQ(row(klondike), (std::vector<std::string>{"0", "1", "0 %"}));

  dialog.SetValueType(2);
  EXPECT_EQ(row(freeCell), (std::vector<std::string>{"3", "1", "75 %"}));
  dialog.SetValueType(1);
  ASSERT_EQ(grid->rowCount(), 1);
  EXPECT_EQ(row(freeCell), (std::vector<std::string>{"4", "1", "80 %"}));
  dialog.Players()->setCurrentIndex(0);  // another player has no session
  EXPECT_EQ(row(freeCell), (std::vector<std::string>{"0", "0", ""}));
  dialog.close();
}

TEST_F(StatisticsTest, LogListsNewestFirstAndFilters) {
  Record(kFreeCell, "Tester", "W", 120);
  Record(kKlondike, "Tester", "L");
  Record(kFreeCell, "Other", "L");
  ctx().SetCfg(cfg::DealNumber, "0000000000042");
  Record(kKlondike, "Other", "W");
  const std::string freeCell = GameNameFromNumber(ctx(), kFreeCell);
  const std::string klondike = GameNameFromNumber(ctx(), kKlondike);
  LogStatisticsDialog dialog(ctx(), {"Other", "Tester"}, {freeCell, klondike}, {});
  dialog.show();
  QTableView* grid = dialog.Grid();
  ASSERT_EQ(grid->model()->rowCount(), 4);
  EXPECT_EQ(Column(grid, 6), (std::vector<std::string>{"Other", "Other", "Tester", "Tester"}));
  EXPECT_EQ(Column(grid, 4), (std::vector<std::string>{"Won", "Lost", "Lost", "Won"}));
  EXPECT_EQ(Column(grid, 3)[0], TrimRightSpaces(klondike));
  EXPECT_EQ(Column(grid, 1)[0], "12:30");
  EXPECT_EQ(Column(grid, 2)[0], "0:01:15");
  EXPECT_EQ(Column(grid, 7)[0], "0000000000042");
  EXPECT_EQ(Column(grid, 5)[3], "120");
  EXPECT_FALSE(Column(grid, 0)[0].empty());

  // The log is read when the dialog opens; the lists filter what was read.
  std::filesystem::remove(StatLogFilePath(ctx()));
  dialog.Players()->setCurrentIndex(2);  // Tester
  EXPECT_EQ(Column(grid, 4), (std::vector<std::string>{"Lost", "Won"}));
  dialog.Games()->setCurrentIndex(1);  // FreeCell
  EXPECT_EQ(Column(grid, 4), (std::vector<std::string>{"Won"}));
  dialog.Players()->setCurrentIndex(0);
  EXPECT_EQ(Column(grid, 6), (std::vector<std::string>{"Other", "Tester"}));
  dialog.close();

  // No log at all: one empty row.
  std::filesystem::remove(StatLogFilePath(ctx()));
  LogStatisticsDialog empty(ctx(), {}, {}, {});
  empty.show();
  EXPECT_EQ(empty.Grid()->model()->rowCount(), 1);
  EXPECT_EQ(Cell(empty.Grid(), 0, 0), "");
  empty.close();
}

TEST_F(StatisticsTest, MenuCommandsOpenEachDialog) {
  Record(kFreeCell, "Tester", "W");
  struct Case {
    const char* command;
    const char* form;
  };
  for (const Case& c : {Case{"mnuGameStatistics", "frmStatistics"},
                        Case{"mnuPlayersStatistics", "frmStatisOperat"},
                        Case{"mnuAllGamesStatistics", "frmStatisGiochi"},
                        Case{"mnuLogStatistics", "frmStatisLog"}}) {
    std::string shown;
    window().SetStatisticsPrepare([&](QDialog& d) {
      WhenShown(&d, [&shown, &d] {
        shown = d.objectName().toStdString();
        d.accept();
      });
    });
    QAction* action = window().Action(c.command);
    ASSERT_NE(action, nullptr) << c.command;
    EXPECT_TRUE(action->isEnabled()) << c.command;
    action->trigger();
    EXPECT_EQ(shown, c.form) << c.command;
  }
  window().SetStatisticsPrepare({});
}

TEST_F(StatisticsTest, GameWonDialogOpensTheStatistics) {
  Deal(kFreeCell, "3");
  std::string shown;
  window().SetStatisticsPrepare([&](QDialog& d) {
    WhenShown(&d, [&shown, &d] {
      shown = d.windowTitle().toStdString();
      d.accept();
    });
  });
  GameWonDialog* won = window().GameWonForm();
  WhenShown(won, [won] {
    won->StatisticsButton()->click();
    won->CancelButton()->click();
  });
  ctx().TfrmMain.GameWon = 1;
  GameOver(ctx());
  EXPECT_EQ(shown, "Statistics [" + TrimRightSpaces(GameNameFromNumber(ctx(), kFreeCell)) + "]");
  window().SetStatisticsPrepare({});
}

// The texts a chart shows on its axes, once laid out.
QStringList AxisLabels(QWidget* chart) {
  QApplication::processEvents();
  QStringList out;
  auto* view = qobject_cast<QChartView*>(chart);
  if (!view) return out;
  for (QGraphicsItem* item : view->scene()->items()) {
    auto* text = dynamic_cast<QGraphicsTextItem*>(item);
    if (text && text->isVisible()) out << text->toPlainText();
  }
  return out;
}

// Labels read whole, and the numbers on an axis are all different.
void ExpectWholeDistinct(const QStringList& labels, const std::string& where) {
  EXPECT_FALSE(labels.isEmpty()) << where;
  QStringList numbers;
  for (const QString& l : labels) {
    EXPECT_FALSE(l.contains(QChar(0x2026))) << where << ": " << l.toStdString();
    bool number = false;
    l.toDouble(&number);
    if (number) numbers << l;
  }
  EXPECT_GE(numbers.size(), 2) << where;
  EXPECT_EQ(numbers.removeDuplicates(), 0) << where << ": " << numbers.join(",").toStdString();
}

TEST_F(StatisticsTest, ChartAxesAndLogColumnsShowTheirValuesWhole) {
  // Longest streaks 0/0, 1/0, 3/1, then 14 won.
  Use(kFreeCell, "Tester");
  for (const char* more : {"", "W", "LWWW", "WWWWWWWWWWW"}) {
    Record(kFreeCell, "Tester", more);
    StatisticsDialog dialog(ctx(), {});
    dialog.show();
    ExpectWholeDistinct(AxisLabels(dialog.findChild<QWidget*>("GraphSer")),
                        std::string("series after ") + more);
    dialog.close();
  }
  // Players without deals: every value 0.
  PlayersStatisticsDialog players(ctx(), {"Nobody", "Noone"}, -1, {});
  players.show();
  ExpectWholeDistinct(AxisLabels(players.findChild<QWidget*>("grafPlayer")), "players at 0");
  players.close();

  ctx().SetCfg(cfg::DealNumber, "1286754060816");
  Record(kFreeCell, "Tester", "W", 123456);
  const std::string freeCell = GameNameFromNumber(ctx(), kFreeCell);
  LogStatisticsDialog log(ctx(), {"Tester"}, {freeCell}, {});
  log.show();
  QApplication::processEvents();
  QTableView* grid = log.Grid();
  ASSERT_EQ(Cell(grid, 0, 7), "1286754060816");
  const QFontMetrics metrics = grid->fontMetrics();
  for (int c = 0; c < grid->model()->columnCount(); ++c) {
    const QString text = Cell(grid, 0, c);
    // The cell's text and its margins fit in the column.
    EXPECT_LE(metrics.horizontalAdvance(text) + 8, grid->columnWidth(c)) << text.toStdString();
  }
  log.close();
}

}  // namespace
}  // namespace tw::testing
