// The hi-score table dialog (viewing, a new entry, clearing the tables) and
// the clear-statistics dialog.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <cstdlib>

#include "core/datafiles.h"
#include "core/hiscores.h"
#include "core/overall.h"
#include "core/stats.h"
#include "core/util.h"
#include "engine/gameover.h"
#include "platform/sys/files.h"
#include "platform/sys/ini.h"
#include "tests/ui/ui_fixture.h"
#include "ui/clear_stats.h"
#include "ui/game_lists.h"
#include "ui/game_won.h"
#include "ui/hiscores_dialog.h"

namespace tw::testing {
namespace {

constexpr int kKlondike = 0, kFreeCell = 1;

TEST(HiScoreRows, ShowTheStoredFieldsAndLeaveBlankRecordsEmpty) {
  const std::string record =
      FormatHiScoreRecord(-52, 3725, "20261210", "12:00:00", "Tester", "0000000003", true);
  const HiScoreRow row = HiScoreRowOf(5, record);
  EXPECT_EQ(row.Place, "05");
  EXPECT_EQ(row.Player, "Tester");
  EXPECT_EQ(row.Score, "-52");
  EXPECT_EQ(row.Time, "1:02:05");
  EXPECT_EQ(row.WonLost, "Won");
  EXPECT_EQ(row.Date, QLocale().toString(QDate(2026, 12, 10), QLocale::ShortFormat));
  EXPECT_EQ(row.Deal, "0000000003");
  EXPECT_EQ(HiScoreRowOf(1, FormatHiScoreRecord(7, 0, "20261210", "", "A", "1", false)).WonLost,
            "Lost");

  const HiScoreRow blank = HiScoreRowOf(20, EmptyHiScoreRecord());
  EXPECT_EQ(blank.Place, "20");
  for (const QString& cell : {blank.Player, blank.Score, blank.Time, blank.Date, blank.Deal}) {
    EXPECT_TRUE(cell.isEmpty()) << cell.toStdString();
  }
}

class HiScoresTest : public WindowTest {
 protected:
  // The cells of a grid row.
  static std::vector<QString> Cells(const QTableWidget* grid, int row) {
    std::vector<QString> cells;
    for (int c = 0; c < grid->columnCount(); ++c) {
      const QTableWidgetItem* item = grid->item(row, c);
      cells.push_back(item ? item->text() : QString());
    }
    return cells;
  }
  static std::vector<QString> Cells(const HiScoreRow& r) {
    return {r.Place, r.Player, r.Score, r.Time, r.WonLost, r.Date, r.Deal};
  }
  // Opens the view from the menu and runs act inside it; the dialog closes.
  void View(std::function<void(HiScoresDialog&)> act) {
    bool ran = false;
    window().SetHiScoresPrepare([&](HiScoresDialog& d) {
      WhenShown(&d, [&, shown = &d] {
        HiScoresDialog& d = *shown;
        ran = true;
        act(d);
        d.accept();
      });
    });
    window().Action("mnuHiScores")->trigger();
    window().SetHiScoresPrepare(nullptr);
    EXPECT_TRUE(ran);
  }
  void SelectGame(HiScoresDialog& d, const char* name) {
    const int index = IndexOfTrimmedText(d.Games(), name);
    ASSERT_GE(index, 0) << name;
    d.Games()->setCurrentRow(index);
  }
  void Save(QWidget& w, const char* name) {
    if (const char* out = std::getenv("TW_SCREENSHOT_DIR")) {
      EXPECT_TRUE(w.grab().toImage().save(QString::fromLocal8Bit(out) + "/" + name));
    }
  }
};

TEST_F(HiScoresTest, ViewingANeverPlayedGameShowsItsPlaceholders) {
  Deal(kFreeCell, "3");
  ASSERT_TRUE(window().Action("mnuHiScores")->isEnabled());
  View([&](HiScoresDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Hi-Scores [FreeCell]");
    EXPECT_FALSE(d.ShowsNewEntryPicture());
    EXPECT_TRUE(d.Grid()->selectedItems().isEmpty());
    ASSERT_EQ(d.Grid()->rowCount(), 20);
    const QStringList header = {"N.", "Player", "Score", "Time", "W/L", "Date", "Game number"};
    for (int c = 0; c < 7; ++c) EXPECT_EQ(d.Grid()->horizontalHeaderItem(c)->text(), header[c]);
    StringList records;
    LoadHiScores(ctx(), kFreeCell, ctx().Cfg(cfg::ScoreKind), records);
    ASSERT_EQ(records.size(), 20u);
    for (int r = 0; r < 20; ++r) {
      EXPECT_EQ(Cells(d.Grid(), r), Cells(HiScoreRowOf(r + 1, records[size_t(r)]))) << r;
    }
    // Seeded placeholders, not empty rows.
    EXPECT_FALSE(d.Grid()->item(0, 1)->text().isEmpty());
    EXPECT_FALSE(d.Grid()->item(0, 2)->text().isEmpty());
    // Another game of the list shows its own table.
    SelectGame(d, "Klondike");
    EXPECT_EQ(d.windowTitle(), "Hi-Scores [Klondike]");
  });
}

class NewHiScoreTest : public HiScoresTest {
 protected:
  std::vector<std::string> ExtraPreferences() override { return {"ConfirmEnterHiScores=Y"}; }
};

TEST_F(NewHiScoreTest, ANewEntryIsHighlightedUnderItsTitleShownOnce) {
  // Empty tables (no placeholders): any result enters.
  prompts.answer = true;
  ASSERT_TRUE(ClearAllHiScores(ctx()));
  Deal(kFreeCell, "3");
  struct Seen {
    bool shown = false, newPicture = false;
    QString title, afterOther, afterBack;
    std::vector<QString> selected;
  } seen;
  window().SetHiScoresPrepare([&](HiScoresDialog& d) {
    WhenShown(&d, [&, shown = &d] {
      HiScoresDialog& d = *shown;
      seen.shown = true;
      seen.title = d.windowTitle();
      seen.newPicture = d.ShowsNewEntryPicture();
      const QList<QTableWidgetItem*> items = d.Grid()->selectedItems();
      if (!items.isEmpty()) seen.selected = Cells(d.Grid(), items.front()->row());
      Save(d, "hiscores-dialog.png");
      SelectGame(d, "Klondike");
      seen.afterOther = d.windowTitle();
      SelectGame(d, "FreeCell");
      seen.afterBack = d.windowTitle();
      d.accept();
    });
  });
  WhenShown(window().GameWonForm(), [&] { window().GameWonForm()->CancelButton()->click(); });
  ctx().TfrmMain.GameWon = 1;
  GameOver(ctx());
  window().SetHiScoresPrepare(nullptr);
  ASSERT_TRUE(seen.shown);
  EXPECT_EQ(seen.title, "Compliments! You entered the FreeCell Hi-Scores!");
  EXPECT_TRUE(seen.newPicture);
  ASSERT_EQ(seen.selected.size(), 7u);
  EXPECT_EQ(seen.selected[1], "Tester");
  EXPECT_EQ(seen.selected[4], "Won");
  EXPECT_EQ(seen.selected[6], QString::fromStdString(Trim(ctx().Cfg(cfg::DealNumber))));
  EXPECT_EQ(seen.afterOther, "Hi-Scores [Klondike]");
  EXPECT_EQ(seen.afterBack, "Hi-Scores [FreeCell]");
}

TEST_F(HiScoresTest, ClearHiScoresAsksAndEmptiesTheTables) {
  Deal(kFreeCell, "3");
  View([&](HiScoresDialog& d) {
    const std::vector<QString> first = Cells(d.Grid(), 0);
    prompts.answer = false;
    d.ClearHiScores();
    EXPECT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(Cells(d.Grid(), 0), first);
    prompts.answer = true;
    d.ClearHiScores();
    for (int r = 0; r < 20; ++r) {
      EXPECT_TRUE(d.Grid()->item(r, 1)->text().isEmpty()) << r;
      EXPECT_TRUE(d.Grid()->item(r, 2)->text().isEmpty()) << r;
    }
    // Every table, not only the one shown; and they stay empty.
    SelectGame(d, "Klondike");
    EXPECT_TRUE(d.Grid()->item(0, 1)->text().isEmpty());
  });
}

class ClearStatisticsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (IsSkipped()) return;
    Deal(kFreeCell, "3");
    sys::IniFile(dir_->Path() + "DATA/CFG.DAT").WriteString("Users", "User002", "Other");
  }
  void Record(int game, const char* player) {
    const std::string g = ctx().Cfg(cfg::Game), p = ctx().Cfg(cfg::UserDefault);
    ctx().SetCfg(cfg::Game, IntToStrPad(game, 4));
    ctx().SetCfg(cfg::UserDefault, player);
    EXPECT_TRUE(UpdateGameStatistics(ctx(), true));
    ctx().SetCfg(cfg::Game, g);
    ctx().SetCfg(cfg::UserDefault, p);
  }
  int64_t Won(int game, const char* player) {
    return ReadGameStatistics(ctx(), game, player).Record.Won;
  }
  int64_t SessionWon() {
    int64_t v = -1;
    ParseInt(Trim(ctx().Cfg(cfg::SessionWon)), v);
    return v;
  }
};

TEST_F(ClearStatisticsTest, ClearsWhatTheChoiceSaysAndNothingElse) {
  struct Case {
    const char* player;  // combo text
    const char* game;
    bool testerFreeCell, testerKlondike, otherFreeCell, otherKlondike;  // kept
    bool sessionReset;
  };
  const Case cases[] = {
      {"Tester", "FreeCell", false, true, true, true, true},
      {"Tester", "Klondike", true, false, true, true, false},
      {kAllPlayersItem, "Klondike", true, false, true, false, true},
      {"Other", kAllGamesItem, true, true, false, false, true},
      {kAllPlayersItem, kAllGamesItem, false, false, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.player) + " / " + c.game);
    for (const char* player : {"Tester", "Other"}) {
      Record(kFreeCell, player);
      Record(kKlondike, player);
    }
    ctx().SetCfg(cfg::SessionWon, "0005");
    prompts.messages.clear();
    prompts.questions.clear();
    prompts.answer = true;
    bool closed = false;
    ShowClearStatisticsDialog(ctx(), prompts, &window(), {}, [&](ClearStatisticsDialog& d) {
      // Opened on the current player and game.
      EXPECT_EQ(d.Players()->currentText(), "Tester");
      EXPECT_EQ(d.Players()->itemText(0), kAllPlayersItem);
      EXPECT_EQ(d.GamesCombo()->currentText(), "FreeCell");
      EXPECT_EQ(d.GamesCombo()->itemText(0), kAllGamesItem);
      d.Players()->setCurrentIndex(d.Players()->findText(c.player));
      d.GamesCombo()->setCurrentIndex(d.GamesCombo()->findText(c.game));
      WhenShown(&d, [&, shown = &d] {
        auto& d = *shown;
        d.Confirm();
        closed = !d.isVisible();
        if (!closed) d.reject();
      });
    });
    EXPECT_TRUE(closed);
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0], std::string("Are you sure you want to clear statistics for "
                                                "player: ") +
                                        c.player + "\nfor game: " + c.game + "?");
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"Statistics cleared."});
    EXPECT_EQ(Won(kFreeCell, "Tester") > 0, c.testerFreeCell);
    EXPECT_EQ(Won(kKlondike, "Tester") > 0, c.testerKlondike);
    EXPECT_EQ(Won(kFreeCell, "Other") > 0, c.otherFreeCell);
    EXPECT_EQ(Won(kKlondike, "Other") > 0, c.otherKlondike);
    EXPECT_EQ(SessionWon(), c.sessionReset ? 0 : 5);
  }
}

TEST_F(ClearStatisticsTest, NoKeepsTheDialogOpenAndClearsNothing) {
  Record(kFreeCell, "Tester");
  prompts.answer = false;
  bool open = false;
  ShowClearStatisticsDialog(ctx(), prompts, &window(), {}, [&](ClearStatisticsDialog& d) {
    WhenShown(&d, [&, shown = &d] {
      auto& d = *shown;
      d.Confirm();
      open = d.isVisible();
      if (std::getenv("TW_SCREENSHOT_DIR")) {
        d.grab().toImage().save(QString::fromLocal8Bit(std::getenv("TW_SCREENSHOT_DIR")) +
                                "/clear-statistics-dialog.png");
      }
      d.reject();
    });
  });
  EXPECT_TRUE(open);
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_GT(Won(kFreeCell, "Tester"), 0);
}

}  // namespace
}  // namespace tw::testing
