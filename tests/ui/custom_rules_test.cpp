// The custom-rules dialog: deriving, starting and deleting custom games.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <cstdlib>

#include "core/customgames.h"
#include "core/gamesfile.h"
#include "core/util.h"
#include "core/datafiles.h"
#include "engine/gameover.h"
#include "platform/sys/ini.h"
#include "tests/ui/ui_fixture.h"
#include "ui/custom_rules.h"
#include "ui/open_game.h"

namespace tw::testing {
namespace {

constexpr int kKlondike = 0;

class CustomRulesTest : public WindowTest {
 protected:
  int CustomCount() {
    StringList names, numbers, bases, rules;
    if (!LoadCustomGameList(ctx(), names, numbers, bases, rules)) return 0;
    return static_cast<int>(names.size());
  }
};

TEST(CustomRulesTextTest, TotalDealsLabel) {
  EXPECT_EQ(TotalDealsText(-1), "");
  EXPECT_EQ(TotalDealsText(0), "(1 deal in all)");
  EXPECT_EQ(TotalDealsText(1), "(1 deals in all)");
  EXPECT_EQ(TotalDealsText(4), "(4 deals in all)");
}

TEST_F(CustomRulesTest, KlondikeVariantIsWrittenStartedAndDeleted) {
  Deal(kKlondike, "5");
  ASSERT_TRUE(window().Action("mnuCustomizeRules")->isEnabled());
  bool okAtOpening = true, okAfterChangeBack = true;
  std::string total;
  window().SetCustomRulesPrepare([&](CustomRulesDialog& dialog) {
    dialog.SetNameAsker([](std::string& name) {
      EXPECT_EQ(name, "Klondike");
      name = "  Klondike easy ";
      return true;
    });
    WhenShown(&dialog, [&, shown = &dialog] {
      CustomRulesDialog& dialog = *shown;
      okAtOpening = dialog.OkButton()->isEnabled();
      const int cards = dialog.CardsBox()->value();
      dialog.CardsBox()->setValue(cards == 1 ? 2 : 1);
      dialog.CardsBox()->setValue(cards);
      okAfterChangeBack = dialog.OkButton()->isEnabled();
      dialog.CardsBox()->setValue(1);
      dialog.RedealsSpecified()->setChecked(true);
      dialog.RedealsBox()->setValue(2);
      total = dialog.TotalLabel()->text().toStdString();
      ASSERT_TRUE(dialog.OkButton()->isEnabled());
      if (const char* out = std::getenv("TW_SCREENSHOT_DIR")) {
        EXPECT_TRUE(dialog.grab().save(QString::fromLocal8Bit(out) + "/custom-rules-dialog.png"));
      }
      dialog.btnOKClick();
      if (dialog.isVisible()) dialog.reject();
    });
  });
  prompts.answer = true;
  window().Action("mnuCustomizeRules")->trigger();
  window().SetCustomRulesPrepare(nullptr);
  EXPECT_FALSE(okAtOpening);
  EXPECT_FALSE(okAfterChangeBack);
  EXPECT_EQ(total, "(3 deals in all)");
  EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front();

  // The record, then the new game in play with its rules.
  const int number = CustomGameNumberByName(ctx(), "Klondike easy");
  ASSERT_EQ(number, kFirstCustomGame);
  int base = -1;
  std::string rule;
  ASSERT_TRUE(FindCustomGame(ctx(), number, base, rule));
  EXPECT_EQ(base, kKlondike);
  EXPECT_EQ(rule.substr(0, 6), "001003");
  ASSERT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(prompts.questions[0],
            "Do you want to start the new game\rKlondike easy\rand quit the current game now?");
  EXPECT_EQ(std::atoi(ctx().Cfg(cfg::Game).c_str()), number);
  // Remembered for the next run, in its own folder.
  {
    sys::IniFile ini(CfgFilePath(ctx()));
    EXPECT_EQ(ini.ReadInteger("Preference", "Game", -1), number);
    EXPECT_EQ(ini.ReadString("Preference", "Game_Name", ""), "Klondike easy");
    EXPECT_EQ(ini.ReadInteger("Preference", "Game_TreeNum", 0), tree_id::kCustom);
  }
  EXPECT_EQ(ctx().GameRules.CardsPerStockTurn(), 1);
  EXPECT_EQ(ctx().GameRules.Deals(), 3);
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
  EXPECT_EQ(PileCardCount(ctx().MazzoPiles[0]) + PileCardCount(ctx().MazzoPiles[1]) > 0, true);

  // A variant of the variant keeps Klondike as its base.
  {
    CustomRulesDialog dialog(ctx(), prompts, &window());
    EXPECT_TRUE(dialog.DeleteButton()->isEnabled());
    EXPECT_EQ(dialog.CardsBox()->value(), 1);
    EXPECT_TRUE(dialog.RedealsSpecified()->isChecked());
    EXPECT_EQ(dialog.RedealsBox()->value(), 2);
    dialog.RedealsNone()->setChecked(true);
    EXPECT_EQ(dialog.TotalLabel()->text().toStdString(), "(1 deal in all)");
    if (dialog.TableauGroup()->isEnabled()) {
      dialog.NoCard()->setChecked(true);
      QTest::mouseClick(dialog.KingOnlyLine(), Qt::LeftButton);
      EXPECT_TRUE(dialog.KingOnly()->isChecked());
    }
    dialog.SetNameAsker([](std::string& name) {
      name = "Klondike once";
      return true;
    });
    dialog.btnOKClick();
    ASSERT_EQ(dialog.CreatedGame(), kFirstCustomGame + 1);
    ASSERT_TRUE(FindCustomGame(ctx(), dialog.CreatedGame(), base, rule));
    EXPECT_EQ(base, kKlondike);
    EXPECT_EQ(rule.substr(0, 6), "001000");
  }

  // Deleting the game in play: asked, the record gone, no game selected.
  prompts.questions.clear();
  bool deselected = false;
  {
    CustomRulesDialog dialog(ctx(), prompts, &window());
    DeleteGameHooks hooks;
    hooks.EndDealAndDeselect = [&] {
      deselected = true;
      window().NoGameSelected();
    };
    dialog.SetDeleteHooks(hooks);
    dialog.btnDeleteClick();
    EXPECT_TRUE(dialog.Deleted());
  }
  EXPECT_EQ(prompts.questions.size(), 1u);
  EXPECT_TRUE(deselected);
  EXPECT_FALSE(FindCustomGame(ctx(), number, base, rule));
  EXPECT_EQ(CustomGameNumberByName(ctx(), "Klondike once"), kFirstCustomGame + 1);
  EXPECT_FALSE(window().Action("mnuCustomizeRules")->isEnabled());
}

TEST_F(CustomRulesTest, BadNamesAreRefusedAndNothingIsWritten) {
  Deal(kKlondike, "5");
  const std::string catalogue = TrimRightSpaces(GameNameFromNumber(ctx(), 1));
  ASSERT_FALSE(catalogue.empty());
  std::string lower = catalogue;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  struct Case {
    std::string name;
    const char* message;
  };
  const Case cases[] = {
      {"", "Please enter at least 3 characters."},
      {"   ab  ", "Please enter at least 3 characters."},
      {lower, "This name already exists."},
      {"Tab\there", "The name of the game may not hold control characters."},
  };
  for (const Case& c : cases) {
    prompts.messages.clear();
    CustomRulesDialog dialog(ctx(), prompts, &window());
    dialog.CardsBox()->setValue(dialog.CardsBox()->value() == 1 ? 2 : 1);
    dialog.SetNameAsker([&](std::string& name) {
      name = c.name;
      return true;
    });
    dialog.btnOKClick();
    EXPECT_EQ(dialog.CreatedGame(), -1) << c.name;
    ASSERT_EQ(prompts.messages.size(), 1u) << c.name;
    EXPECT_EQ(prompts.messages[0], c.message) << c.name;
    EXPECT_EQ(CustomCount(), 0) << c.name;
  }

  // The name dialog keeps itself open on a refused name.
  prompts.messages.clear();
  CustomNameDialog names(ctx(), prompts, "Klondike", &window());
  EXPECT_EQ(names.NameBox()->text().toStdString(), "Klondike");
  names.show();
  names.OkButton()->click();
  EXPECT_EQ(prompts.messages, std::vector<std::string>{"This name already exists."});
  EXPECT_TRUE(names.isVisible());
  names.NameBox()->setText("Klondike gentle");
  names.OkButton()->click();
  EXPECT_EQ(names.result(), QDialog::Accepted);

  // Cancelling the name writes nothing.
  CustomRulesDialog dialog(ctx(), prompts, &window());
  dialog.CardsBox()->setValue(dialog.CardsBox()->value() == 1 ? 2 : 1);
  dialog.SetNameAsker([](std::string&) { return false; });
  dialog.btnOKClick();
  EXPECT_EQ(CustomCount(), 0);
}

TEST_F(CustomRulesTest, WithoutADealTheVariantIsWrittenButNotStarted) {
  Deal(kKlondike, "5");
  GameOver(ctx());
  ASSERT_EQ(ctx().TfrmMain.GameInProgress, 0);
  window().SetCustomRulesPrepare([&](CustomRulesDialog& dialog) {
    dialog.SetNameAsker([](std::string& name) {
      name = "Klondike later";
      return true;
    });
    WhenShown(&dialog, [&, shown = &dialog] {
      CustomRulesDialog& dialog = *shown;
      dialog.RedealsNone()->setChecked(true);
      dialog.btnOKClick();
      if (dialog.isVisible()) dialog.reject();
    });
  });
  window().Action("mnuCustomizeRules")->trigger();
  window().SetCustomRulesPrepare(nullptr);
  EXPECT_EQ(CustomGameNumberByName(ctx(), "Klondike later"), kFirstCustomGame);
  EXPECT_TRUE(prompts.questions.empty());
  EXPECT_EQ(std::atoi(ctx().Cfg(cfg::Game).c_str()), kKlondike);
}

TEST_F(CustomRulesTest, DisallowedRulesAreDisabled) {
  // Every catalogued game against the permissions it declares.
  bool sawDisabled = false;
  const int games = static_cast<int>(ctx().GameList.size());
  for (int game = 0; game < games && !sawDisabled; ++game) {
    bool cards = false, deals = false, start = false;
    if (!GetCustomizableRules(ctx(), game, cards, deals, start)) continue;
    if (cards && deals && start) continue;
    if (!window().PlayGame(game, "3")) continue;
    CustomRulesDialog dialog(ctx(), prompts, &window());
    EXPECT_EQ(dialog.CardsBox()->isEnabled(), cards) << game;
    EXPECT_EQ(dialog.RedealsUnlimited()->isEnabled(), deals) << game;
    EXPECT_EQ(dialog.RedealsNone()->isEnabled(), deals) << game;
    EXPECT_EQ(dialog.TableauGroup()->isEnabled(), start) << game;
    if (!start) {
      EXPECT_FALSE(dialog.KingOnly()->isChecked() || dialog.AnyCard()->isChecked() ||
                   dialog.NoCard()->isChecked())
          << game;
    }
    EXPECT_FALSE(dialog.DeleteButton()->isEnabled());
    sawDisabled = true;
  }
  EXPECT_TRUE(sawDisabled) << "no game forbids a rule";
}

}  // namespace
}  // namespace tw::testing
