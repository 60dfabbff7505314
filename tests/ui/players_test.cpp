// The players dialog over the real program: adding, refused names,
// renaming, deleting and choosing a player.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <algorithm>
#include <QListWidget>
#include <cstdlib>

#include "core/stats.h"
#include "core/util.h"
#include "platform/sys/ini.h"
#include "tests/ui/ui_fixture.h"
#include "ui/open_game.h"
#include "ui/players_dialog.h"

namespace tw::testing {
namespace {

class PlayersTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (IsSkipped()) return;
    Deal(0, "21");
  }
  sys::IniFile Cfg() { return sys::IniFile(dir_->Path() + "DATA/CFG.DAT"); }
  std::string User(int i) { return Cfg().ReadString("Users", "User" + IntToStrPad(i, 3), ""); }
  void Record(const char* player) {
    const std::string p = ctx().Cfg(cfg::UserDefault);
    ctx().SetCfg(cfg::UserDefault, player);
    EXPECT_TRUE(UpdateGameStatistics(ctx(), true));
    ctx().SetCfg(cfg::UserDefault, p);
  }
  int64_t Won(const char* player) { return ReadGameStatistics(ctx(), 0, player).Record.Won; }
  // Each name dialog gets the texts typed in turn, OK after each; still
  // open after the last, it is cancelled.
  void Type(PlayersDialog& d, std::vector<QString> texts) {
    d.SetNamePrepare([this, texts](PlayerNameDialog& n) {
      ++name_dialogs;
      WhenShown(&n, [np = &n, texts] {
        PlayerNameDialog& n = *np;
        for (const QString& t : texts) {
          if (!n.isVisible()) break;
          n.NameEdit()->setText(t);
          n.btnOKClick();
        }
        if (n.isVisible()) n.reject();
      });
    });
  }
  QStringList Names(const PlayersDialog& d) {
    QStringList names;
    for (int i = 0; i < d.List()->count(); ++i) names << d.List()->item(i)->text();
    return names;
  }
  int name_dialogs = 0;
};

TEST_F(PlayersTest, AddAsksAgainUntilTheNameIsUsableAndCancelStillSaves) {
  {
    PlayersDialog d(ctx(), prompts, &window());
    Type(d, {"", "   ", " Tester ", "  bob  "});
    d.btnNuovoClick();
    EXPECT_EQ(prompts.messages,
              (std::vector<std::string>{"Please enter at least 1 character.",
                                        "Please enter at least 1 character.",
                                        "This player name already exists."}));
    EXPECT_EQ(Names(d), (QStringList{"bob", "Tester"}));
    EXPECT_EQ(d.SelectedPlayer(), "bob");
    d.reject();
  }
  EXPECT_EQ(User(1), "bob");
  EXPECT_EQ(User(2), "Tester");
  EXPECT_EQ(Cfg().ReadString("Preference", "UserDefault", ""), "Tester");
}

TEST_F(PlayersTest, UnsafeNamesAreRefusedWithTheirMessageAndNothingIsWritten) {
  struct Case {
    QString typed;
    const char* message;
  } cases[] = {
      {"Bo=b", "A player name cannot contain the characters =, [ and ]."},
      {"[Bob", "A player name cannot contain the characters =, [ and ]."},
      {"Bob]", "A player name cannot contain the characters =, [ and ]."},
      {QString("Bo") + QChar(0x2603), nullptr},
      {"Bo\tb", "A player name cannot contain line breaks or control characters."},
  };
  const std::string before = dir_->ReadCfg();
  for (const Case& c : cases) {
    prompts.messages.clear();
    {
      PlayersDialog d(ctx(), prompts, &window());
      Type(d, {c.typed});
      d.btnNuovoClick();
      ASSERT_EQ(prompts.messages.size(), 1u) << c.typed.toStdString();
      if (c.message) {
        EXPECT_EQ(prompts.messages[0], c.message);
      }
      EXPECT_EQ(Names(d), QStringList{"Tester"});
      d.reject();
    }
    EXPECT_EQ(dir_->ReadCfg(), before) << c.typed.toStdString();
  }
}

TEST_F(PlayersTest, RenameMovesTheStatisticsAndKeepsTheCurrentPlayer) {
  Cfg().WriteString("Users", "User002", "Bob");
  Cfg().WriteString("Users", "User003", "Bobby2");
  Record("Bob");
  Record("Tester");
  {
    PlayersDialog d(ctx(), prompts, &window());
    ASSERT_TRUE(d.SelectPlayer("Bob"));
    Type(d, {"Bobby2", "Bobby"});
    d.btnModificaClick();
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"This player name already exists."});
    EXPECT_EQ(d.SelectedPlayer(), "Bobby");
    // The current player renamed stays current; an unchanged name is taken at once.
    ASSERT_TRUE(d.SelectPlayer("Tester"));
    Type(d, {"Tester"});
    d.btnModificaClick();
    Type(d, {"Tess"});
    d.btnModificaClick();
    EXPECT_EQ(Names(d), (QStringList{"Bobby", "Bobby2", "Tess"}));
    // The stored list changed with the results files, before the dialog
    // closes: a kill now finds the records under names the list holds.
    std::vector<std::string> stored = {User(1), User(2), User(3)};
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(stored, (std::vector<std::string>{"Bobby", "Bobby2", "Tess"}));
    EXPECT_EQ(Cfg().ReadString("Preference", "UserDefault", ""), "Tess");
    d.reject();
  }
  EXPECT_EQ(Won("Bob"), 0);
  EXPECT_EQ(Won("Bobby"), 1);
  EXPECT_EQ(Won("Tess"), 1);
  EXPECT_EQ(TrimRightSpaces(ctx().Cfg(cfg::UserDefault)), "Tess");
  EXPECT_EQ(Cfg().ReadString("Preference", "UserDefault", ""), "Tess");
  EXPECT_EQ(User(1), "Bobby");
  EXPECT_EQ(User(3), "Tess");
}

TEST_F(PlayersTest, DeleteRefusesTheCurrentPlayerAndClearsTheStatisticsOfAnother) {
  Cfg().WriteString("Users", "User002", "Bob");
  Record("Bob");
  {
    PlayersDialog d(ctx(), prompts, &window());
    ASSERT_TRUE(d.SelectPlayer("Tester"));
    d.btnCancellaClick();
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{"It is impossible to delete the selected player."});
    ASSERT_TRUE(d.SelectPlayer("Bob"));
    prompts.answer = false;
    d.btnCancellaClick();
    EXPECT_EQ(Names(d), (QStringList{"Bob", "Tester"}));
    prompts.answer = true;
    d.btnCancellaClick();
    EXPECT_EQ(prompts.questions.back(),
              "Are you sure you want to delete the selected player?\r"
              "Note: also statistics of this player will be deleted.");
    EXPECT_EQ(Names(d), QStringList{"Tester"});
    EXPECT_EQ(d.SelectedPlayer(), "Tester");
    d.reject();
  }
  EXPECT_EQ(Won("Bob"), 0);
  EXPECT_EQ(User(1), "Tester");
  EXPECT_EQ(User(2), "");
}

TEST_F(PlayersTest, ATwentyFirstPlayerIsRefused) {
  for (int i = 2; i <= kMaxPlayers; ++i) {
    Cfg().WriteString("Users", "User" + IntToStrPad(i, 3), "P" + std::to_string(i));
  }
  PlayersDialog d(ctx(), prompts, &window());
  Type(d, {"Extra"});
  d.btnNuovoClick();
  EXPECT_EQ(name_dialogs, 0);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(d.List()->count(), kMaxPlayers);
}

TEST_F(PlayersTest, ChoosingAnotherPlayerAsksEndsTheDealAndChangesTheCaption) {
  Cfg().WriteString("Users", "User002", "Bob");
  ctx().TfrmMain.GameInProgress = 1;
  // Refused at the question: the dialog stays, nothing changes.
  prompts.answer = false;
  bool stayed = false;
  window().SetPlayersPrepare([&](PlayersDialog& dialog) {
    WhenShown(&dialog, [&, dp = &dialog] {
      PlayersDialog& d = *dp;
      if (const char* out = std::getenv("TW_SCREENSHOT_DIR")) {
        d.SelectPlayer("Bob");
        d.grab().save(QString::fromLocal8Bit(out) + "/players-dialog.png");
      }
      ASSERT_TRUE(d.SelectPlayer("Bob"));
      d.btnOKClick();
      stayed = d.isVisible();
      d.reject();
    });
  });
  window().PlayersCommand();
  EXPECT_TRUE(stayed);
  EXPECT_EQ(prompts.questions, std::vector<std::string>{"Start new game for player Bob?"});
  EXPECT_EQ(TrimRightSpaces(ctx().Cfg(cfg::UserDefault)), "Tester");

  prompts.answer = true;
  bool chooserShown = false;
  window().SetPlayersPrepare([&](PlayersDialog& dialog) {
    WhenShown(&dialog, [&, dp = &dialog] {
      PlayersDialog& d = *dp;
      ASSERT_TRUE(d.SelectPlayer("Bob"));
      d.btnOKClick();
    });
  });
  WhenShown(&program->OpenGame(), [&] {
    chooserShown = true;
    program->OpenGame().reject();
  });
  window().PlayersCommand();
  EXPECT_TRUE(chooserShown);
  EXPECT_EQ(TrimRightSpaces(ctx().Cfg(cfg::UserDefault)), "Bob");
  EXPECT_EQ(Cfg().ReadString("Preference", "UserDefault", ""), "Bob");
  EXPECT_TRUE(window().windowTitle().contains("Bob")) << window().windowTitle().toStdString();

  // The same player again: no question, no chooser.
  prompts.questions.clear();
  window().SetPlayersPrepare([&](PlayersDialog& dialog) {
    WhenShown(&dialog, [&, dp = &dialog] {
      PlayersDialog& d = *dp;
      EXPECT_EQ(d.SelectedPlayer(), "Bob");
      d.btnOKClick();
    });
  });
  window().PlayersCommand();
  EXPECT_TRUE(prompts.questions.empty());
}

}  // namespace
}  // namespace tw::testing
