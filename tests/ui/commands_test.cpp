// The main window's commands: menus and toolbars enabled by the game state,
// shortcuts that reach their handlers only while enabled, the toolbar's size
// and style, switching game and player, links, and the first deal chosen in
// the open-game dialog.
#include "ui/commands.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>

#include "core/cards.h"
#include "core/datafiles.h"
#include "engine/gameover.h"
#include "engine/savegame.h"
#include "engine/undo.h"
#include "platform/sys/files.h"
#include "platform/sys/ini.h"
#include "tests/ui/ui_fixture.h"
#include "ui/game_won.h"
#include "ui/help_viewer.h"
#include "ui/open_game.h"

namespace tw::testing {
namespace {

constexpr int kKlondike = 0, kFreeCell = 1, kYukon = 5;

class CommandsTest : public WindowTest {
 protected:
  QAction* A(const char* name) {
    QAction* a = window().Action(name);
    EXPECT_NE(a, nullptr) << name;
    return a;
  }
  bool On(const char* name) { return A(name) && A(name)->isEnabled(); }
  void Key(int key, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(handle(), static_cast<Qt::Key>(key), m);
    QApplication::processEvents();
  }
  // A legal move of the deal (FreeCell: any tableau top to a free cell).
  void MoveACard() {
    const int card = TopCard(ctx().FilaPiles[0]);
    const QPoint from = Grip(card);
    const QPoint to(CardLeftX(ctx(), "Appogg1", 0, 0, true),
                    CardTopY(ctx(), "Appogg1", 0, 0, true));
    Drag(from, to + Offset(card, from));
  }
  std::string Pref(const char* key) {
    return sys::IniFile(dir_->Path() + "DATA/CFG.DAT").ReadString("Preference", key, "");
  }
};

// The game commands and their buttons in each state of play.
TEST_F(CommandsTest, EnabledStatesFollowTheGameState) {
  enum State { NoDeal, Playing, Won, Demo };
  struct Row {
    const char* name;
    bool on[4];  // no deal, deal in progress, won, demo
  };
  const Row rows[] = {
      {"mnuNew", {false, true, true, true}},
      {"mnuOpen", {true, true, true, true}},
      {"mnuRestartGame", {false, true, true, false}},
      {"mnuSave", {false, true, false, false}},
      {"mnuUndo", {false, true, false, false}},
      {"mnuRedo", {false, true, false, false}},
      {"mnuQuitGame", {false, true, false, false}},
      {"mnuAutoPlay", {false, true, true, false}},
      {"mnuRules", {false, true, true, true}},
      {"mnuEsci", {true, true, true, true}},
      {"Sommario1", {true, true, true, true}},
      {"mnuSeeChampions", {true, true, true, true}},
      {"mnuSelect", {false, true, true, false}},
      {"mnuGameStatistics", {true, true, true, true}},
      {"mnuCustomize", {true, true, true, true}},
      {"Generali1", {true, true, true, true}},
      {"mnuDemo", {false, true, true, true}},
  };
  // Buttons New .. Exit and the command each repeats.
  const char* const buttons[] = {"mnuNew",   "mnuOpen", "mnuRestartGame", "mnuSave",
                                 "mnuUndo",  "mnuRedo", "mnuAutoPlay",    "mnuGameStatistics",
                                 "mnuRules", "mnuEsci"};
  auto check = [&](State s, const char* label) {
    for (const Row& r : rows) EXPECT_EQ(On(r.name), r.on[s]) << label << " " << r.name;
    for (size_t i = 0; i < 10; ++i) {
      EXPECT_EQ(window().LargeButtons()[i]->isEnabled(), On(buttons[i])) << label << " " << i;
      EXPECT_EQ(window().SmallButtons()[i]->isEnabled(), On(buttons[i])) << label << " " << i;
    }
  };
  check(NoDeal, "no deal");
  Deal(kFreeCell, "3");
  check(Playing, "playing");
  ctx().TfrmMain.GameWon = 1;
  WhenShown(window().GameWonForm(), [&] { window().GameWonForm()->CancelButton()->click(); });
  GameOver(ctx());
  check(Won, "won");
  Deal(kFreeCell, "3");
  ctx().TfrmMain.GameInProgress = 0;
  ctx().DemoMode = 1;
  window().EnableGameControls(true);
  check(Demo, "demo");
  ctx().DemoMode = 0;
}

TEST_F(CommandsTest, ShortcutsReachTheirHandlersOnlyWhileEnabled) {
  // No deal: F2, Ctrl+F2, Ctrl+Z and F7 change nothing; F7's switch stays.
  Key(Qt::Key_F2);
  Key(Qt::Key_F2, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_F7);
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 0);
  EXPECT_FALSE(A("mnuAutoPlay")->isChecked());
  EXPECT_EQ(ctx().Cfg(cfg::DealNumber).find_first_not_of('0'), std::string::npos)
      << ctx().Cfg(cfg::DealNumber);

  Deal(kFreeCell, "3");
  const std::string first = ctx().Cfg(cfg::DealNumber);
  Key(Qt::Key_F2);  // a new deal
  EXPECT_NE(ctx().Cfg(cfg::DealNumber), first);
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
  const StringList dealt = ctx().FilaPiles;
  MoveACard();
  ASSERT_NE(ctx().FilaPiles, dealt);
  const StringList moved = ctx().FilaPiles;
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(ctx().FilaPiles, dealt);
  Key(Qt::Key_Y, Qt::ControlModifier);  // Ctrl+Y is always Redo
  EXPECT_EQ(ctx().FilaPiles, moved);
  Key(Qt::Key_F2, Qt::ControlModifier);  // restart: the dealt table again
  EXPECT_EQ(ctx().FilaPiles, dealt);
  EXPECT_EQ(UndoDepth(ctx()), 0);

  // F7 twice returns to the first state; both toggle buttons follow.
  Key(Qt::Key_F7);
  EXPECT_TRUE(A("mnuAutoPlay")->isChecked());
  EXPECT_EQ(ctx().TfrmMain.AutoPlayOn, 1);
  EXPECT_TRUE(window().LargeButtons()[6]->isChecked());
  EXPECT_TRUE(window().SmallButtons()[6]->isChecked());
  Key(Qt::Key_F7);
  EXPECT_FALSE(A("mnuAutoPlay")->isChecked());
  EXPECT_EQ(ctx().TfrmMain.AutoPlayOn, 0);
  EXPECT_FALSE(window().SmallButtons()[6]->isChecked());
  // The toolbar button runs the same command.
  window().SmallButtons()[6]->click();
  EXPECT_TRUE(A("mnuAutoPlay")->isChecked());
  EXPECT_TRUE(window().LargeButtons()[6]->isChecked());

  // F1: the rules of the current game in the help's "rules" window.
  Key(Qt::Key_F1);
  HelpWindow* rules = program->Help().Window("rules");
  ASSERT_NE(rules, nullptr);
  EXPECT_EQ(rules->CurrentPage(), QString::number(kFreeCell + kRulesContextBase) + ".html");
  rules->hide();
  window().activateWindow();
  QApplication::processEvents();

  // The hidden Demo command keeps its shortcut as an action of the window:
  // Ctrl+D switches demo mode on and off while the command is enabled.
  QAction* demo = A("mnuDemo");
  for (QAction* m : window().menuBar()->actions())
    EXPECT_FALSE(m->menu()->actions().contains(demo));
  EXPECT_TRUE(window().actions().contains(demo));
  EXPECT_EQ(demo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
  Key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(ctx().DemoMode, 1);
  Key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(ctx().DemoMode, 0);
  demo->setEnabled(false);
  Key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(ctx().DemoMode, 0);
}

TEST_F(CommandsTest, MenusCarryTheirCaptionsShortcutsAndHelpContexts) {
  QStringList menus;
  for (QAction* m : window().menuBar()->actions()) menus << m->text();
  EXPECT_EQ(menus, QStringList({"&File", "&Game", "&Statistics", "&Tools", "&?"}));
  struct Row {
    const char* name;
    const char* caption;
    QKeySequence key;
    int context;
  };
  const Row rows[] = {
      {"mnuNew", "&New game", QKeySequence(Qt::Key_F2), 4014},
      {"mnuOpen", "&Open a game", QKeySequence(Qt::CTRL | Qt::Key_F12), 4015},
      {"mnuRestartGame", "&Restart game", QKeySequence(Qt::CTRL | Qt::Key_F2), 4001},
      {"mnuSave", "&Save...", QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F12), 4003},
      {"mnuUndo", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z), 4005},
      {"mnuRedo", "&Redo", QKeySequence(Qt::CTRL | Qt::Key_Y), 4006},
      {"mnuQuitGame", "&Quit game", QKeySequence(Qt::CTRL | Qt::Key_Q), 0},
      {"mnuAutoPlay", "Au&toplay", QKeySequence(Qt::Key_F7), 4007},
      {"mnuHiScores", "&Hi-Scores...", QKeySequence(Qt::Key_F9), 4009},
      {"mnuCardCounter", "&Card counter...", QKeySequence(Qt::Key_F8), 1022},
      {"mnuRules", "&Rules", QKeySequence(Qt::Key_F1), 4013},
      {"mnuWeb", "Tarnwell 2000 &Update...", QKeySequence(), 4021},
      {"mnuSeeChampions", "Check \"Tarnwell 2000 Champions\" out on the Web...", QKeySequence(), 0},
  };
  for (const Row& r : rows) {
    QAction* a = A(r.name);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->text(), r.caption) << r.name;
    EXPECT_EQ(a->shortcut(), r.key) << r.name;
    EXPECT_EQ(a->property("helpContext").toInt(), r.context) << r.name;
  }
}

TEST_F(CommandsTest, F1OnAHighlightedMenuItemShowsItsHelpTopic) {
  QMenu* file = nullptr;
  for (QAction* m : window().menuBar()->actions()) {
    if (m->text() == "&File") file = m->menu();
  }
  ASSERT_NE(file, nullptr);
  window().menuBar()->setActiveAction(file->menuAction());
  QApplication::processEvents();
  file->setActiveAction(A("mnuOpen"));
  QTest::keyClick(file, Qt::Key_F1);
  QApplication::processEvents();
  HelpWindow* proc = program->Help().Window("proc");
  ASSERT_NE(proc, nullptr);
  EXPECT_EQ(proc->CurrentPage(), "4015.html");
  EXPECT_FALSE(file->isVisible());
  proc->hide();
}

TEST_F(CommandsTest, ToolbarSizeAndStyle) {
  // Small and flat by default: buttons 23 wide at their lefts, 22 high, at top 1.
  EXPECT_FALSE(window().ToolbarLarge());
  EXPECT_TRUE(window().SmallToolbar()->isVisibleTo(&window()));
  EXPECT_FALSE(window().LargeToolbar()->isVisibleTo(&window()));
  EXPECT_EQ(window().SmallToolbar()->height(), 24);
  const int smallLefts[] = {5, 28, 59, 82, 113, 136, 159, 190, 213, 242};
  for (size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(window().SmallButtons()[i]->geometry(), QRect(smallLefts[i], 1, 23, 22)) << i;
  }
  EXPECT_EQ(window().SmallButtons()[0]->toolTip(), "New");
  EXPECT_TRUE(window().SmallButtons()[0]->autoRaise());
  auto separatorsShown = [this](QFrame* bar) {
    int n = 0;
    for (QFrame* f : bar->findChildren<QFrame*>()) {
      if (f->frameShape() == QFrame::VLine && f->isVisibleTo(bar)) ++n;
    }
    return n;
  };
  EXPECT_EQ(separatorsShown(window().SmallToolbar()), 4);

  A("popLargeIcons")->trigger();
  EXPECT_TRUE(window().ToolbarLarge());
  EXPECT_TRUE(A("popLargeIcons")->isChecked());
  EXPECT_FALSE(A("popSmallIcons")->isChecked());
  EXPECT_TRUE(window().LargeToolbar()->isVisibleTo(&window()));
  EXPECT_FALSE(window().SmallToolbar()->isVisibleTo(&window()));
  EXPECT_EQ(window().LargeToolbar()->height(), 46);
  const int largeLefts[] = {5, 49, 101, 145, 197, 241, 285, 337, 381, 433};
  for (size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(window().LargeButtons()[i]->geometry(), QRect(largeLefts[i], 2, 44, 42)) << i;
  }
  EXPECT_EQ(Pref("ToolBar_Large"), "Y");

  A("popNoFlat")->trigger();
  EXPECT_FALSE(window().ToolbarFlat());
  EXPECT_FALSE(window().LargeButtons()[3]->autoRaise());
  EXPECT_EQ(window().LargeToolbar()->height(), 45);
  EXPECT_EQ(window().SmallToolbar()->height(), 25);
  EXPECT_EQ(Pref("ToolBar_Flat"), "N");
  EXPECT_EQ(separatorsShown(window().LargeToolbar()), 0);
  // The table starts below the larger bar.
  EXPECT_EQ(window().ToolbarBottom(), 45);

  // Without saving nothing is written.
  window().SetToolbarLarge(false, false);
  EXPECT_EQ(Pref("ToolBar_Large"), "Y");
}

TEST_F(CommandsTest, RestartBeforeAnyDealMakesNoPhantomGame) {
  Key(Qt::Key_F2, Qt::ControlModifier);
  window().RestartCommand();
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 0);
  window().close();
  EXPECT_FALSE(std::filesystem::exists(StatLogFilePath(ctx())));
}

TEST_F(CommandsTest, AutoplayAfterTheDealHasEndedMovesNothing) {
  Deal(kFreeCell, "1");
  GameOver(ctx());  // given up
  ASSERT_TRUE(On("mnuAutoPlay"));
  const StringList piles = ctx().FilaPiles;
  const StringList undo = ctx().UndoFila;
  Key(Qt::Key_F7);
  EXPECT_TRUE(A("mnuAutoPlay")->isChecked());
  EXPECT_EQ(ctx().FilaPiles, piles);
  EXPECT_EQ(ctx().UndoFila, undo);
}

class AutoplayOnTest : public CommandsTest {
 protected:
  std::vector<std::string> ExtraPreferences() override { return {"AutoPlay=Y"}; }
};

// The first deal of the run already plays with the stored switch.
TEST_F(AutoplayOnTest, TheFirstDealAutoplays) {
  EXPECT_TRUE(A("mnuAutoPlay")->isChecked());
  Deal(kFreeCell, "1");  // the Ace of hearts goes up at once
  int onFoundations = 0;
  for (const std::string& p : ctx().DestPiles) onFoundations += PileCardCount(p);
  EXPECT_GE(onFoundations, 1);
  EXPECT_EQ(ctx().TfrmMain.AutoPlayOn, 1);
}

TEST_F(CommandsTest, SwitchingGameAndPlayer) {
  Deal(kFreeCell, "3");
  const std::string deal = ctx().Cfg(cfg::DealNumber);
  // Same game, same player, a deal running: nothing happens.
  EXPECT_FALSE(window().SelectGameAndPlayer(kFreeCell, "FreeCell", "Tester", false));
  EXPECT_EQ(ctx().Cfg(cfg::DealNumber), deal);
  EXPECT_TRUE(prompts.questions.empty());

  // A refused quit question leaves the deal.
  prompts.answer = false;
  EXPECT_FALSE(window().SelectGameAndPlayer(kYukon, "Yukon", "Tester", true));
  EXPECT_EQ(ctx().Cfg(cfg::DealNumber), deal);
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
  EXPECT_EQ(Pref("Game"), "-1");
  prompts.answer = true;

  // Only the player: a new deal of the same game for the other player.
  ASSERT_TRUE(window().SelectGameAndPlayer(kFreeCell, "FreeCell", "Bob", false));
  EXPECT_EQ(ctx().Cfg(cfg::UserDefault), "Bob");
  EXPECT_EQ(Pref("UserDefault"), "Bob");
  EXPECT_NE(window().Caption().find("[Bob]"), std::string::npos);
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
  EXPECT_EQ(ctx().GameRules.TableauCount(), 8);

  // Another game, saved as the preference.
  ASSERT_TRUE(window().SelectGameAndPlayer(kYukon, "Yukon", "Bob", true));
  EXPECT_EQ(ctx().GameRules.TableauCount(), 7);
  EXPECT_EQ(Pref("Game"), "5");
  EXPECT_EQ(Pref("Game_Name"), "Yukon");
  EXPECT_EQ(Pref("Game_TreeNum"), "-30");

  // The game deleted: no game, game commands off.
  window().NoGameSelected();
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 0);
  EXPECT_FALSE(On("mnuNew"));
  EXPECT_FALSE(On("mnuRules"));
  EXPECT_EQ(window().Caption().find("Yukon"), std::string::npos);
}

TEST_F(CommandsTest, LinksAndTheirQuestions) {
  struct Row {
    const char* kind;
    const char* address;
    const char* target;
  };
  const Row rows[] = {
      {"http", "www.example.org/a.htm", "http://www.example.org/a.htm"},
      {"HTTP", "https://example.org", "https://example.org"},
      {"Http", "http://example.org", "http://example.org"},
      {"email", "me@example.org", "mailto:me@example.org"},
      {"ftp", "example.org", ""},
  };
  for (const Row& r : rows) EXPECT_EQ(WebOrMailTarget(r.kind, r.address), r.target) << r.kind;

  std::vector<std::string> opened;
  window().SetUrlOpener([&](const std::string& url) {
    opened.push_back(url);
    return true;
  });
  EXPECT_FALSE(window().OpenWebOrMail("ftp", "example.org"));
  EXPECT_EQ(prompts.messages.back(), "Error in parameters");
  prompts.answer = false;
  A("mnuWeb")->trigger();
  EXPECT_TRUE(opened.empty());
  prompts.answer = true;
  A("mnuWeb")->trigger();
  A("mnuSeeChampions")->trigger();
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], std::string("http://") + kDownloadPage);
  EXPECT_EQ(opened[1], std::string("http://") + kChampionsPage);
  EXPECT_EQ(prompts.questions.back(), ChampionsQuestion(kChampionsPage));
}

// Yes replaces the file, No asks for another name, Cancel writes nothing.
TEST_F(CommandsTest, SavingOverAFileAsksYesNoOrCancel) {
  Deal(kFreeCell, "3");
  const std::string first = dir_->Path() + "first.GAM", other = dir_->Path() + "other.GAM";
  window().SetFileNameAsker([&](bool) { return first; });
  A("mnuSave")->trigger();
  ASSERT_TRUE(std::filesystem::exists(first));
  EXPECT_TRUE(prompts.questions.empty()) << "a new file is written without a question";
  std::string before;
  ASSERT_TRUE(sys::ReadFileBytes(first, before));
  MoveACard();

  struct Case {
    qt::Prompts::Reply reply;
    int dialogs;            // file dialogs run
    bool firstReplaced, otherWritten;
  } cases[] = {
      {qt::Prompts::Reply::Cancel, 1, false, false},
      {qt::Prompts::Reply::No, 2, false, true},
      {qt::Prompts::Reply::Yes, 1, true, false},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(other);
    int asked = 0;
    window().SetFileNameAsker([&](bool save) {
      EXPECT_TRUE(save);
      return ++asked == 1 ? first : other;
    });
    prompts.questions.clear();
    prompts.buttons.clear();
    prompts.replies = {c.reply};
    A("mnuSave")->trigger();
    const int reply = static_cast<int>(c.reply);
    EXPECT_EQ(asked, c.dialogs) << reply;
    EXPECT_EQ(prompts.questions, StringList{ReplaceFileQuestion(first)}) << reply;
    EXPECT_EQ(prompts.buttons, StringList{"Yes/No/Cancel"}) << reply;
    std::string now;
    ASSERT_TRUE(sys::ReadFileBytes(first, now));
    EXPECT_EQ(now != before, c.firstReplaced) << reply;
    EXPECT_EQ(std::filesystem::exists(other), c.otherWritten) << reply;
  }
}

// Restart and Quit game confirm with OK and Cancel; Cancel keeps the deal.
TEST_F(CommandsTest, RestartAndQuitGameAskOkOrCancel) {
  for (const char* command : {"mnuRestartGame", "mnuQuitGame"}) {
    Deal(kFreeCell, "3");
    MoveACard();
    const StringList moved = ctx().FilaPiles;
    prompts.questions.clear();
    prompts.buttons.clear();
    prompts.answer = false;
    A(command)->trigger();
    EXPECT_EQ(prompts.buttons, StringList{"OK/Cancel"}) << command;
    EXPECT_EQ(ctx().FilaPiles, moved) << command;
    EXPECT_TRUE(ctx().TfrmMain.GameInProgress) << command;
    prompts.answer = true;
  }
}

TEST_F(CommandsTest, SaveAndOpenAGame) {
  Deal(kFreeCell, "3");
  MoveACard();
  const StringList moved = ctx().FilaPiles;
  const std::string path = dir_->Path() + "saved";
  window().SetFileNameAsker([&](bool) { return path; });
  A("mnuSave")->trigger();
  ASSERT_TRUE(std::filesystem::exists(path + ".GAM"));
  window().SetFileNameAsker([&](bool) { return path + ".GAM"; });
  Key(Qt::Key_F2);
  ASSERT_NE(ctx().FilaPiles, moved);
  window().OpenGameFile();
  EXPECT_EQ(ctx().FilaPiles, moved);
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
}

TEST_F(CommandsTest, QuitGameEndsTheDealAndOpensTheDialog) {
  Deal(kFreeCell, "3");
  OpenGameDialog* dialog = &program->OpenGame();
  bool shown = false;
  WhenShown(dialog, [&] {
    shown = true;
    dialog->reject();
  });
  Key(Qt::Key_Q, Qt::ControlModifier);
  EXPECT_TRUE(shown);
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 0);
  // The game stays set up: New game deals it again.
  EXPECT_TRUE(On("mnuNew"));
  EXPECT_FALSE(On("mnuQuitGame"));
  A("mnuNew")->trigger();
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
}

// The first deal of the run chosen in the open-game dialog.
class FirstStartTest : public CommandsTest {
 protected:
  bool FirstDealDirect() override { return false; }
  std::vector<std::string> ExtraPreferences() override { return {"Game=1"}; }
  void SetUp() override {
    // The fixture's first activation opens the dialog: answered once shown.
    QTimer poll;
    bool answered = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<OpenGameDialog*>(QApplication::activeModalWidget());
      if (!dialog || answered) return;
      answered = true;
      poll.stop();
      if (pick) {
        pick(*dialog);
      } else {
        dialog->reject();
      }
    });
    poll.start(0);
    CommandsTest::SetUp();
    EXPECT_TRUE(answered);
  }
  static QTreeWidgetItem* Child(QTreeWidgetItem* folder, const QString& caption) {
    for (int i = 0; folder && i < folder->childCount(); ++i)
      if (folder->child(i)->text(0) == caption) return folder->child(i);
    return nullptr;
  }
  static inline std::function<void(OpenGameDialog&)> pick;
};

class FirstStartByNameTest : public FirstStartTest {
 protected:
  void SetUp() override {
    pick = [](OpenGameDialog& d) {
      QTreeWidgetItem* all = d.FindNode(tree_id::kAllGames);
      d.SelectNode(all);
      d.SelectNode(Child(all, "Klondike"));
      d.btnOKClick();
    };
    FirstStartTest::SetUp();
  }
};

TEST_F(FirstStartByNameTest, TheChosenGameIsDealtAndNamedInTheCaption) {
  EXPECT_EQ(std::stoi(ctx().Cfg(cfg::Game)), kKlondike);
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
  EXPECT_EQ(ctx().GameRules.TableauCount(), 7);
  int cards = 0;
  for (const std::string& p : ctx().FilaPiles) cards += PileCardCount(p);
  EXPECT_EQ(cards, 28);
  EXPECT_EQ(window().Caption().rfind("Tarnwell 2000 [Klondike]  [Tester]", 0), 0u)
      << window().Caption();
  EXPECT_TRUE(On("mnuNew"));
  EXPECT_EQ(Pref("Game"), "0");
}

class FirstStartByFamilyTest : public FirstStartTest {
 protected:
  void SetUp() override {
    pick = [](OpenGameDialog& d) {
      QTreeWidgetItem* klondikes = d.FindNode(-202030);
      d.SelectNode(klondikes);
      d.SelectNode(Child(klondikes, "Yukon"));
      d.btnOKClick();
    };
    FirstStartTest::SetUp();
  }
};

TEST_F(FirstStartByFamilyTest, TheChosenGameIsDealt) {
  EXPECT_EQ(std::stoi(ctx().Cfg(cfg::Game)), kYukon);
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
  EXPECT_EQ(window().Caption().rfind("Tarnwell 2000 [Yukon]", 0), 0u) << window().Caption();
  EXPECT_EQ(Pref("Game_TreeNum"), "-202030");
}

class FirstStartCancelledTest : public FirstStartTest {
 protected:
  void SetUp() override {
    pick = nullptr;
    FirstStartTest::SetUp();
  }
};

// Cancelled with a valid current game: still no deal, so the game
// commands stay off and Restart cannot make a phantom deal.
TEST_F(FirstStartCancelledTest, NoDealMeansNoGameCommands) {
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 0);
  EXPECT_FALSE(On("mnuNew"));
  EXPECT_FALSE(On("mnuRestartGame"));
  EXPECT_FALSE(On("mnuAutoPlay"));
  EXPECT_TRUE(On("mnuOpen"));
  Key(Qt::Key_F2, Qt::ControlModifier);
  Key(Qt::Key_F7);
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 0);
  window().close();
  EXPECT_FALSE(std::filesystem::exists(StatLogFilePath(ctx())));
}

}  // namespace
}  // namespace tw::testing
