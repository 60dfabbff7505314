// The overall-score ranking and its publishing page over the real program.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QAction>
#include <algorithm>
#include <cstdlib>

#include "core/cfg.h"
#include "core/gamesfile.h"
#include "core/overall.h"
#include "core/util.h"
#include "tests/ui/ui_fixture.h"
#include "ui/overall_dialog.h"

namespace tw::testing {
namespace {

class OverallTest : public WindowTest {
 protected:
  QString Cell(OverallDialog& d, int row, int column) {
    const QTableWidgetItem* item = d.Grid()->item(row, column);
    return item ? item->text() : QString();
  }
};

TEST_F(OverallTest, WithoutScoresTenEmptyRowsAndNothingToPublish) {
  OverallDialog d(ctx(), &window());
  ASSERT_EQ(d.Grid()->rowCount(), 10);
  EXPECT_EQ(d.Grid()->horizontalHeaderItem(0)->text(), "N.");
  d.Grid()->selectRow(0);
  EXPECT_TRUE(Cell(d, 0, 1).isEmpty());
  EXPECT_FALSE(d.InternetButton()->isEnabled());
}

TEST_F(OverallTest, PlayersRankedByScoreAndTheGridGrowsForMany) {
  UpdateOverallScore(ctx(), 0, "Low", 65, 10);
  UpdateOverallScore(ctx(), 0, "High", 3725, 40);
  {
    OverallDialog d(ctx(), &window());
    ASSERT_EQ(d.Ranking().Players.size(), 2u);
    EXPECT_EQ(Cell(d, 0, 0), "1");
    EXPECT_EQ(Cell(d, 0, 1), "High");
    EXPECT_EQ(Cell(d, 0, 2), "40");
    EXPECT_EQ(Cell(d, 0, 3), "01:02:05");
    EXPECT_EQ(Cell(d, 1, 1), "Low");
    EXPECT_TRUE(Cell(d, 2, 1).isEmpty());
    d.Grid()->selectRow(1);
    EXPECT_TRUE(d.InternetButton()->isEnabled());
    d.Grid()->selectRow(4);
    EXPECT_FALSE(d.InternetButton()->isEnabled());

    // The publishing page shows the stored text of the selected player.
    d.Grid()->selectRow(0);
    QString shown;
    d.SetPublishPrepare([&shown](OverallPublishDialog& p) {
      WhenShown(&p, [&shown, pp = &p] {
        shown = pp->ScoreEdit()->text();
        if (const char* out = std::getenv("TW_SCREENSHOT_DIR")) {
          pp->grab().save(QString::fromLocal8Bit(out) + "/overall-publish.png");
        }
        pp->reject();
      });
    });
    if (const char* out = std::getenv("TW_SCREENSHOT_DIR")) {
      d.show();
      QApplication::processEvents();
      d.grab().save(QString::fromLocal8Bit(out) + "/overall-score-dialog.png");
    }
    // The ranking comes back after the publishing page.
    int shownAgain = 0;
    WhenShown(&d, [&d] { d.InternetButton()->click(); });
    QObject::connect(&d, &QDialog::finished, &d, [&d, &shownAgain] {
      if (d.LastAction() == OverallDialog::Action::Publish) {
        WhenShown(&d, [&d, &shownAgain] {
          ++shownAgain;
          d.reject();
        });
      }
    });
    EXPECT_EQ(RunOverallDialog(d), -1);
    EXPECT_EQ(shownAgain, 1);
    EXPECT_EQ(shown.toStdString(), OverallPublishDialog::ScoreText(d.Ranking().Raw[0]));
    EXPECT_FALSE(shown.isEmpty());
  }
  for (int i = 0; i < 23; ++i) UpdateOverallScore(ctx(), 0, "P" + std::to_string(i), 10, 1);
  OverallDialog d(ctx(), &window());
  EXPECT_EQ(d.Grid()->rowCount(), 25);
  // Cleared: every row empty, the grid keeps its size.
  prompts.answer = true;
  d.mnuClearScoresClick();
  EXPECT_TRUE(d.Ranking().Players.empty());
  EXPECT_EQ(d.Grid()->rowCount(), 25);
  EXPECT_TRUE(Cell(d, 0, 1).isEmpty());
}

TEST_F(OverallTest, DetailsShowEachGameBestAndMaxAndPlayStartsTheGame) {
  constexpr int kKlondike = 0, kFreeCell = 1;
  // The maximum of both games is 208 (every card on a foundation).
  UpdateOverallScore(ctx(), kKlondike, "Ann", 125, 208);
  UpdateOverallScore(ctx(), kFreeCell, "Ann", 3725, 30);
  UpdateOverallScore(ctx(), kFreeCell, "Bob", 10, 1);
  const std::vector<OverallDetail> rows = ReadOverallDetails(ctx(), "Ann");
  ASSERT_EQ(rows.size(), ctx().GameList.size());
  EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
    return QString::compare(QString::fromStdString(a.Name), QString::fromStdString(b.Name),
                            Qt::CaseInsensitive) < 0;
  }));
  int scored = 0;
  for (const OverallDetail& d : rows) {
    if (d.Score == 0) {
      EXPECT_FALSE(d.Max) << d.Name;
      continue;
    }
    ++scored;
    EXPECT_EQ(d.Max, d.Game == kKlondike) << d.Name;
    EXPECT_EQ(d.Time, d.Game == kKlondike ? 125 : 3725) << d.Name;
  }
  EXPECT_EQ(scored, 2);

  // From the menu over a deal: Details of the first player, then "Play
  // this game" on FreeCell. Keeping the deal brings the details back;
  // quitting it starts FreeCell for the current player.
  Deal(kKlondike, "5");
  prompts.answer = false;
  std::string caption, klondikeRow;
  int detailsShown = 0;
  window().SetOverallPrepare([&](OverallDialog& ranking) {
    ranking.SetDetailsPrepare([&](OverallDetailsDialog& details) {
      WhenShown(&details, [&] {
        if (++detailsShown == 2) prompts.answer = true;
        caption = details.windowTitle().toStdString();
        QTableWidget* grid = details.Grid();
        for (int r = 0; r < grid->rowCount(); ++r) {
          const std::string name = grid->item(r, 0) ? grid->item(r, 0)->text().toStdString() : "";
          if (name == TrimRightSpaces(GameNameFromNumber(ctx(), kKlondike))) {
            klondikeRow = name + "|" + grid->item(r, 1)->text().toStdString() + "|" +
                          grid->item(r, 2)->text().toStdString() + "|" +
                          grid->item(r, 3)->text().toStdString();
          }
          if (name == TrimRightSpaces(GameNameFromNumber(ctx(), kFreeCell))) grid->selectRow(r);
        }
        QTest::mouseClick(details.PlayButton(), Qt::LeftButton);
      });
    });
    WhenShown(&ranking, [&ranking] {
      ranking.Grid()->selectRow(0);
      QTest::mouseClick(ranking.DetailsButton(), Qt::LeftButton);
    });
  });
  QAction* command = window().Action("mnuOverallScore");
  ASSERT_TRUE(command->isEnabled());
  command->trigger();
  window().SetOverallPrepare({});
  EXPECT_EQ(detailsShown, 2);
  EXPECT_EQ(prompts.questions.size(), 2u);
  EXPECT_EQ(caption, "Overall score details [Ann]");
  EXPECT_EQ(klondikeRow,
            TrimRightSpaces(GameNameFromNumber(ctx(), kKlondike)) + "|208|Yes|00:02:05");
  EXPECT_EQ(ctx().Cfg(cfg::Game), "0001");
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
  EXPECT_TRUE(window().Action("mnuPublishOvrScore")->isEnabled());
}

TEST(OverallPublishText, PartsLoseTheirTrailingBlanks) {
  const std::string raw = std::string("AB") + std::string(26, ' ') + "CD" + std::string(26, ' ') +
                          "EF" + std::string(10, ' ');
  EXPECT_EQ(OverallPublishDialog::ScoreText(raw), "ABCDEF");
}

}  // namespace
}  // namespace tw::testing
