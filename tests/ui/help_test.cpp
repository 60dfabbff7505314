// The help viewer over the generated help file, and the rules summary of a
// custom game.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTextBrowser>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <cstdlib>
#include <filesystem>

#include "core/gamesfile.h"
#include "core/util.h"
#include "tests/ui/program_dir.h"
#include "ui/custom_help.h"
#include "ui/help_viewer.h"

namespace tw {
namespace {

class HelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = std::string(TW_DIST_DIR) + "/" + kHelpFileName;
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "help file not built";
    ASSERT_TRUE(help.Open(path));
  }
  std::string path;
  HelpService help;
};

TEST_F(HelpTest, EveryCatalogueGameHasItsRulesTopic) {
  GameContext ctx;
  CreateSharedGlobals(ctx, std::string(TW_DIST_DIR) + "/");
  std::string error;
  ASSERT_TRUE(LoadGameCatalogue(ctx, error)) << error;
  ASSERT_FALSE(ctx.GameList.empty());
  for (const std::string& line : ctx.GameList) {
    const int game = CatalogueNumber(line);
    EXPECT_EQ(help.Title(game + kRulesContextBase).toStdString(), CatalogueName(line));
    ASSERT_TRUE(help.ShowTopic("rules", game + kRulesContextBase));
    EXPECT_FALSE(help.Window("rules")->Browser()->toPlainText().contains("not written yet"))
        << CatalogueName(line) << ": the rules are still to be written in data/help/";
  }
  EXPECT_TRUE(help.HasTopic(1000));
  EXPECT_TRUE(help.HasTopic(kContentsContext));
}

// What a rules topic says of autoplay and double-clicks follows the game's
// data: games without autoplay do not offer it, and autoplay has no safety
// test to speak of.
TEST_F(HelpTest, RulesTopicsOfferAutoplayOnlyWhereTheGameAllowsIt) {
  GameContext ctx;
  CreateSharedGlobals(ctx, std::string(TW_DIST_DIR) + "/");
  std::string error;
  ASSERT_TRUE(LoadGameCatalogue(ctx, error)) << error;
  int without = 0;
  for (const std::string& line : ctx.GameList) {
    const int game = CatalogueNumber(line);
    const bool autoplay = ReadGamesDatValues(ctx, game, {16})[0] != 0;
    ASSERT_TRUE(help.ShowTopic("rules", game + kRulesContextBase));
    const QString text = help.Window("rules")->Browser()->toPlainText();
    EXPECT_FALSE(text.contains("safely")) << CatalogueName(line);
    if (autoplay) continue;
    ++without;
    EXPECT_FALSE(text.contains("double-click it to send it to a foundation"))
        << CatalogueName(line);
    EXPECT_FALSE(text.contains("With Autoplay on")) << CatalogueName(line);
  }
  EXPECT_GE(without, 4);
}

TEST_F(HelpTest, TopicsShowTheirMarkdownRenderedTablesIncluded) {
  int topics = 0;
  for (int context = 0; context < 10000; ++context) {
    if (!help.HasTopic(context)) continue;
    ++topics;
    ASSERT_TRUE(help.ShowTopic("proc", context));
    const QString text = help.Window("proc")->Browser()->toPlainText();
    for (const QString& line : text.split(QChar::ParagraphSeparator).join('\n').split('\n')) {
      const QString l = line.trimmed();
      EXPECT_FALSE(l.startsWith('|') || l.startsWith("## ") || l.contains("**") ||
                   l.contains("](") || l.contains("|---"))
          << context << ": " << l.toStdString();
    }
  }
  EXPECT_GT(topics, 50);
  // The hands of Poker Squares are a table of ten rows.
  ASSERT_TRUE(help.ShowTopic("rules", kRulesContextBase + 13));
  QTextDocument* doc = help.Window("rules")->Browser()->document();
  int tableRows = 0;
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
    if (QTextTable* table = QTextCursor(b).currentTable()) tableRows = table->rows();
  }
  EXPECT_EQ(tableRows, 10);
}

TEST_F(HelpTest, TopicsOpenInTheirNamedWindowWithBackAndForward) {
  EXPECT_EQ(help.Window("rules"), nullptr);
  EXPECT_TRUE(help.ShowTopic("rules", kRulesContextBase + 1));
  HelpWindow* rules = help.Window("rules");
  ASSERT_NE(rules, nullptr);
  EXPECT_TRUE(rules->isVisible());
  EXPECT_EQ(rules->CurrentPage(), "3001.html");
  EXPECT_TRUE(rules->Browser()->toPlainText().contains("free cells"));
  EXPECT_EQ(rules->Browser()->documentTitle(), "FreeCell");

  // The same window is reused; a link and the way back.
  EXPECT_TRUE(help.ShowTopic("rules", kRulesContextBase + 2));
  EXPECT_EQ(help.Window("rules"), rules);
  rules->Browser()->setSource(QUrl("3045.html"));
  EXPECT_EQ(rules->CurrentPage(), "3045.html");
  rules->Browser()->backward();
  EXPECT_EQ(rules->CurrentPage(), "3002.html");
  rules->Browser()->forward();
  EXPECT_EQ(rules->CurrentPage(), "3045.html");

  // The program's topics go to a window of their own.
  EXPECT_TRUE(help.ShowTopic("proc", 1000));
  EXPECT_NE(help.Window("proc"), rules);
  EXPECT_TRUE(help.Window("proc")->Browser()->toPlainText().contains("Favorite games"));
}

TEST_F(HelpTest, UnknownContextShowsTheContentsAndAMissingFileOpensNothing) {
  EXPECT_FALSE(help.ShowTopic("proc", 9999));
  EXPECT_EQ(help.Window("proc")->CurrentPage(), "contents.html");
  EXPECT_TRUE(help.Window("proc")->Browser()->toPlainText().contains("Klondike"));

  HelpService none;
  EXPECT_FALSE(none.Open("/nonexistent/tarnwell.hlp"));
  EXPECT_FALSE(none.ShowTopic("proc", 1000));
  EXPECT_EQ(none.Window("proc"), nullptr);
}

TEST_F(HelpTest, AFileOpenedWhenUsedIsReadByTheFirstQuestion) {
  HelpService later;
  later.OpenWhenUsed(path);
  EXPECT_FALSE(later.Title(kRulesContextBase).isEmpty());
  EXPECT_EQ(later.Title(kRulesContextBase), help.Title(kRulesContextBase));
  EXPECT_TRUE(later.ShowTopic("rules", kRulesContextBase));

  HelpService none;
  none.OpenWhenUsed("/nonexistent/tarnwell.hlp");
  EXPECT_FALSE(none.IsOpen());
  EXPECT_FALSE(none.ShowTopic("proc", 1000));
}

// A picture of the rules window for the documentation, written only when
// TW_SCREENSHOT_DIR names a folder.
TEST_F(HelpTest, Screenshot) {
  ASSERT_TRUE(help.ShowTopic("rules", kRulesContextBase));
  HelpWindow* w = help.Window("rules");
  w->resize(760, 560);
  QApplication::processEvents();
  const QImage shot = w->grab().toImage();
  ASSERT_FALSE(shot.isNull());
  if (const char* out = std::getenv("TW_SCREENSHOT_DIR")) {
    EXPECT_TRUE(shot.save(QString::fromLocal8Bit(out) + "/help-rules-window.png"));
  }
}

TEST(CustomHelpTest, SummaryBesideTheBaseGameAndRulesOfTheBase) {
  testing::TestProgramDir dir;
  if (!dir.Ready()) GTEST_SKIP() << "program directory not built";
  GameContext ctx;
  CreateSharedGlobals(ctx, dir.Dir());
  std::string error;
  ASSERT_TRUE(LoadGameCatalogue(ctx, error)) << error;
  // A Klondike (game 0) with one card a turn, four deals, any card in spaces.
  std::string record = "8000" + PadRight("Gentle Klondike", 50) + "0000\r\n0010042\r\n";
  for (int i = 0; i < 28; ++i) record += "\r\n";
  dir.Write("DATA/GAM_CUST.DAT", "[R-0301]\r\n" + record);

  CustomHelpDialog dialog(ctx, 8000, "Gentle Klondike", nullptr);
  EXPECT_EQ(dialog.windowTitle(), "Help [Gentle Klondike]");
  EXPECT_EQ(dialog.BaseGame(), 0);
  EXPECT_EQ(dialog.Value(0, 0), "1");
  EXPECT_EQ(dialog.Value(0, 1), "3");
  EXPECT_EQ(dialog.Value(1, 0), "3");
  EXPECT_EQ(dialog.Value(1, 1), "Unlimited");
  EXPECT_EQ(dialog.Value(2, 0), "Any card");
  EXPECT_EQ(dialog.Value(2, 1), "King only");
  int shown = -1;
  dialog.SetShowBaseRules([&](int base) { shown = base; });
  dialog.btnHelpStandardClick();
  EXPECT_EQ(shown, 0);

  EXPECT_EQ(RedealsText(-1), "Unlimited");
  EXPECT_EQ(RedealsText(0), "0");
  EXPECT_EQ(RedealsText(1), "0");
  EXPECT_EQ(RedealsText(4), "3");
}

}  // namespace
}  // namespace tw
