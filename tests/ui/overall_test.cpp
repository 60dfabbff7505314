// The overall-score ranking and its publishing page over the real program.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <cstdlib>

#include "core/overall.h"
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
    d.btnInternetClick();
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

TEST(OverallPublishText, PartsLoseTheirTrailingBlanks) {
  const std::string raw = std::string("AB") + std::string(26, ' ') + "CD" + std::string(26, ' ') +
                          "EF" + std::string(10, ' ');
  EXPECT_EQ(OverallPublishDialog::ScoreText(raw), "ABCDEF");
}

}  // namespace
}  // namespace tw::testing
