// The open-game dialog driven as a player would: folders opened, games picked
// by family and by name, started through the opener on a real main window.
#include "ui/open_game.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>

#include "core/cards.h"
#include "core/gamelists.h"
#include "core/gamesfile.h"
#include "core/util.h"
#include "platform/sys/ini.h"
#include "tests/ui/program_dir.h"
#include "ui/help_viewer.h"
#include "ui/main_window.h"
#include "ui/program.h"

namespace tw {
namespace {

constexpr int kKlondike = 0, kFreeCell = 1, kSpider = 2, kYukon = 5;

std::string Cfg(const std::string& prefs, const std::string& extra = "") {
  // Autoplay off: the tests count the dealt cards on the tableau.
  return "[Preference]\r\nUserDefault=Alice\r\nAutoPlay=N\r\n" + prefs +
         "[Users]\r\nUser001=Alice\r\nUser002=Bob\r\n" + extra;
}

std::string CustomRecord(int number, const std::string& name, int base, const std::string& rule) {
  std::string text =
      std::to_string(number) + PadRight(name, 50) + IntToStrPad(base, 4) + "\r\n" + rule + "\r\n";
  for (int i = 0; i < 28; ++i) text += "\r\n";
  return text;
}

class OpenGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!dir.Ready()) GTEST_SKIP() << "program directory not built";
  }
  // The program started on these preferences and a dialog for it.
  void Start(const std::string& cfg) {
    dir.Write("DATA/CFG.DAT", cfg);
    ProgramOptions options;
    options.Muted = true;
    options.Splash = false;
    options.Prompts = &prompts;
    options.FixedWidth = 800;
    options.FixedHeight = 600;
    program = std::make_unique<Program>(dir.Dir(), options);
    int code = 0;
    ASSERT_TRUE(program->Start(code));
    ASSERT_TRUE(library.Open(dir.File("QEX.RGF")));
    dialog = std::make_unique<OpenGameDialog>(ctx(), library, prompts);
    opener.SelectGameAndPlayer = [this](int game, const std::string&, const std::string& player) {
      ctx().SetCfg(cfg::UserDefault, player);
      return program->Window().PlayGame(game, "");
    };
    opener.OpenSavedGame = [this] {
      ++saved_opened;
      if (on_open_saved) on_open_saved();
    };
    opener.NoGameChosen = [this] { ++no_game; };
  }
  GameContext& ctx() { return program->Context(); }

  // Runs the dialog through its opener; act runs once it is shown, and a
  // dialog still open afterwards is cancelled.
  bool Run(std::function<void()> act) {
    OpenGameDialog* d = dialog.get();
    QTimer::singleShot(0, d, [d, act] {
      act();
      QTimer::singleShot(0, d, [d] {
        if (d->isVisible()) d->reject();
      });
    });
    return RunOpenGameDialog(*dialog, ctx(), opener);
  }
  void ShowDialog() {
    dialog->show();
    QApplication::processEvents();
  }
  QTreeWidgetItem* Open(int folder) {
    QTreeWidgetItem* node = dialog->FindNode(folder);
    EXPECT_NE(node, nullptr) << folder;
    if (node) dialog->SelectNode(node);
    return node;
  }
  static std::vector<std::string> Captions(QTreeWidgetItem* folder) {
    std::vector<std::string> out;
    for (int i = 0; i < folder->childCount(); ++i)
      out.push_back(folder->child(i)->text(0).toStdString());
    return out;
  }
  static QTreeWidgetItem* Child(QTreeWidgetItem* folder, const QString& caption) {
    for (int i = 0; i < folder->childCount(); ++i)
      if (folder->child(i)->text(0) == caption) return folder->child(i);
    return nullptr;
  }
  int CardsIn(const StringList& piles) const {
    int n = 0;
    for (const std::string& p : piles) n += PileCardCount(p);
    return n;
  }
  std::string Pref(const char* key) const {
    return sys::IniFile(dir.File("DATA/CFG.DAT")).ReadString("Preference", key, "");
  }

  testing::TestProgramDir dir;
  testing::RecordingPrompts prompts;
  gfx::ResourceLibrary library;
  std::unique_ptr<Program> program;
  std::unique_ptr<OpenGameDialog> dialog;
  OpenGameOpener opener;
  std::function<void()> on_open_saved;
  int saved_opened = 0, no_game = 0;
};

TEST_F(OpenGameTest, FirstShowSelectsTheCurrentGameInAllGamesAndLaterShowsKeepTheChoice) {
  Start(Cfg("Game=1\r\n"));
  ShowDialog();
  EXPECT_EQ(dialog->windowTitle(), "Open a game");
  EXPECT_EQ(dialog->SelectedId(), kFreeCell);
  QTreeWidgetItem* all = dialog->FindNode(tree_id::kAllGames);
  ASSERT_EQ(dialog->Tree()->currentItem()->parent(), all);
  EXPECT_EQ(all->childCount(), static_cast<int>(ctx().GameList.size()));
  std::vector<std::string> names = Captions(all), sorted = names;
  SortGameNames(sorted);
  EXPECT_EQ(names, sorted);
  EXPECT_EQ(dialog->Players()->currentText(), "Alice");
  EXPECT_TRUE(dialog->DescriptionShown());
  EXPECT_EQ(dialog->DescriptionTexts()[0], "FreeCell");

  dialog->SelectNode(Child(all, "Spider"));
  dialog->hide();
  ShowDialog();
  EXPECT_EQ(dialog->SelectedId(), kSpider);
  // Folders are filled once.
  EXPECT_EQ(all->childCount(), static_cast<int>(ctx().GameList.size()));
}

TEST_F(OpenGameTest, FirstShowOpensTheFolderOfTheLastChoice) {
  Start(Cfg("Game=5\r\nGame_TreeNum=-202030\r\n"));
  ShowDialog();
  EXPECT_EQ(dialog->SelectedId(), kYukon);
  EXPECT_EQ(dialog->Tree()->currentItem()->parent(), dialog->FindNode(-202030));
  EXPECT_TRUE(dialog->FindNode(-202030)->isExpanded());
  // The other folders wait for their games.
  EXPECT_EQ(dialog->FindNode(tree_id::kAllGames)->child(0)->text(0), "nil");
}

TEST_F(OpenGameTest, PickedByFamilyTheGameIsDealtAndNamedInTheCaption) {
  Start(Cfg("Game=1\r\n"));
  bool started = Run([this] {
    QTreeWidgetItem* klondikes = Open(-202030);
    ASSERT_NE(klondikes, nullptr);
    // The family's games, by name.
    const std::vector<std::string> captions = Captions(klondikes);
    EXPECT_TRUE(std::is_sorted(captions.begin(), captions.end()));
    for (const std::string& name : captions)
      EXPECT_EQ(GameFamilyFromNumber(ctx(), GameNumberFromName(ctx(), name)), 5) << name;
    for (const char* name : {"Klondike", "Klondike (one card)", "Yukon"})
      EXPECT_NE(std::find(captions.begin(), captions.end(), name), captions.end()) << name;
    dialog->SelectNode(Child(klondikes, "Yukon"));
    EXPECT_EQ(dialog->DescriptionTexts()[0], "Yukon");
    dialog->btnOKClick();
  });
  ASSERT_TRUE(started);
  EXPECT_EQ(GameNameFromNumber(ctx(), kYukon), "Yukon");
  EXPECT_EQ(std::stoi(ctx().Cfg(cfg::Game)), kYukon);
  EXPECT_EQ(ctx().GameRules.TableauCount(), 7);
  EXPECT_EQ(CardsIn(ctx().FilaPiles), 52);
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
  EXPECT_EQ(program->Window().windowTitle().left(28), "Tarnwell 2000 [Yukon]  [Alic");
  EXPECT_EQ(Pref("Game"), "5");
  EXPECT_EQ(Pref("Game_Name"), "Yukon");
  EXPECT_EQ(Pref("Game_TreeNum"), "-202030");
}

TEST_F(OpenGameTest, PickedByNameForAnotherPlayerTheGameIsDealtForThatPlayer) {
  Start(Cfg("Game=1\r\n"));
  ASSERT_TRUE(Run([this] {
    QTreeWidgetItem* all = Open(tree_id::kAllGames);
    dialog->SelectNode(Child(all, "Spider"));
    dialog->Players()->setCurrentText("Bob");
    dialog->btnOKClick();
  }));
  EXPECT_EQ(std::stoi(ctx().Cfg(cfg::Game)), kSpider);
  EXPECT_EQ(ctx().GameRules.TableauCount(), 10);
  EXPECT_EQ(CardsIn(ctx().FilaPiles), 54);
  EXPECT_EQ(CardsIn(ctx().MazzoPiles), 50);
  EXPECT_TRUE(program->Window().windowTitle().startsWith("Tarnwell 2000 [Spider]"));
  EXPECT_TRUE(program->Window().windowTitle().contains("[Bob"));
  EXPECT_EQ(Pref("Game_TreeNum"), "-30");
}

TEST_F(OpenGameTest, OkOnAFolderAsksForAGameAndARefusedSwitchWritesNoPreference) {
  Start(Cfg("Game=1\r\n"));
  EXPECT_FALSE(Run([this] {
    Open(tree_id::kGameType);
    dialog->btnOKClick();
    EXPECT_TRUE(dialog->isVisible());
    dialog->btnRulesClick();
  }));
  EXPECT_EQ(prompts.messages, (std::vector<std::string>{"Open a game", "Select a game"}));
  EXPECT_EQ(no_game, 0);

  opener.SelectGameAndPlayer = [](int, const std::string&, const std::string&) { return false; };
  EXPECT_FALSE(Run([this] {
    dialog->SelectNode(Child(dialog->FindNode(tree_id::kAllGames), "Klondike"));
    dialog->btnOKClick();
  }));
  EXPECT_EQ(Pref("Game"), "1");  // still the game of the start
}

TEST_F(OpenGameTest, OpenSavedGameEndsTheDialogAndComesBackUnlessADealRuns) {
  Start(Cfg("Game=-1\r\n"));
  int shown = 0;
  on_open_saved = [&] {
    ++shown;
    // The second time the file dialog opens a game.
    if (shown == 2) ctx().TfrmMain.GameInProgress = 1;
    QTimer::singleShot(0, dialog.get(), [this] { dialog->btnOpenClick(); });
  };
  EXPECT_FALSE(Run([this] { dialog->btnOpenClick(); }));
  EXPECT_EQ(saved_opened, 2);
  EXPECT_EQ(no_game, 0);

  ctx().TfrmMain.GameInProgress = 0;
  EXPECT_FALSE(Run([this] { dialog->reject(); }));
  EXPECT_EQ(no_game, 1);  // no game set up: the game commands go off
}

TEST_F(OpenGameTest, DescriptionOfBuiltInAndCustomGames) {
  Start(Cfg("Game=0\r\n"));
  dir.Write("DATA/GAM_CUST.DAT",
            "[R-0301]\r\n" + CustomRecord(8000, "Gentle Klondike", 0, "0010041"));
  ShowDialog();
  auto texts = dialog->DescriptionTexts();
  EXPECT_EQ(texts[0], "Klondike");
  EXPECT_EQ(texts[1], "Medium");
  EXPECT_EQ(texts[4], "1");
  EXPECT_EQ(texts[5], "Unlimited");
  dialog->SelectNode(Child(Open(tree_id::kAllGames), "Spider"));
  EXPECT_EQ(dialog->DescriptionTexts()[4], "2");

  QTreeWidgetItem* custom = Open(tree_id::kCustom);
  ASSERT_EQ(custom->childCount(), 1);
  dialog->SelectNode(custom->child(0));
  texts = dialog->DescriptionTexts();
  EXPECT_EQ(texts[0], "Gentle Klondike");
  EXPECT_EQ(texts[1], "Customized game");
  EXPECT_EQ(texts[3], "Customized game");
  EXPECT_EQ(texts[5], "3");  // deals 4 of the custom record
  EXPECT_EQ(texts[4], "1");  // the base game's decks

  Open(tree_id::kFolders);
  EXPECT_FALSE(dialog->DescriptionShown());
  EXPECT_FALSE(dialog->OkButton()->isEnabled());
}

// The custom game played last is the one offered at the next start, whatever
// folder was noted with it.
TEST_F(OpenGameTest, ACustomGamePlayedLastIsSelectedAtTheFirstShow) {
  for (const char* folder : {"", "Game_TreeNum=-30\r\n", "Game_TreeNum=-203020\r\n",
                             "Game_TreeNum=-2070\r\n", "Game_TreeNum=-10\r\n"}) {
    dialog.reset();
    program.reset();
    dir.Write("DATA/GAM_CUST.DAT",
              "[R-0301]\r\n" + CustomRecord(8000, "My Klondike", 0, "0010041"));
    Start(Cfg("Game=8000\r\nGame_Name=My Klondike\r\n" + std::string(folder),
              "[Favourite Games]\r\nGame000=My Klondike\r\n"));
    ASSERT_EQ(ctx().Cfg(cfg::Game), "8000") << folder;
    ShowDialog();
    EXPECT_EQ(dialog->SelectedId(), 8000) << folder;
    EXPECT_EQ(dialog->DescriptionTexts()[0], "My Klondike") << folder;
  }
}

TEST_F(OpenGameTest, FavouritesStopAtTheFirstMissingKeyAndSkipUnknownNames) {
  Start(Cfg("Game=0\r\n",
            "[Favourite Games]\r\nGame000=Spider\r\nGame001=No Such Game\r\n"
            "Game002=Gentle Klondike\r\nGame004=Yukon\r\n"));
  dir.Write("DATA/GAM_CUST.DAT",
            "[R-0301]\r\n" + CustomRecord(8000, "Gentle Klondike", 0, "0010041"));
  ShowDialog();
  QTreeWidgetItem* fav = Open(tree_id::kFavourites);
  EXPECT_EQ(Captions(fav), (std::vector<std::string>{"Spider", "Gentle Klondike"}));
  EXPECT_EQ(fav->child(1)->data(0, Qt::UserRole).toInt(), 8000);

  // Without "Game000" the folder only guides.
  sys::IniFile ini(dir.File("DATA/CFG.DAT"));
  ini.DeleteKey("Favourite Games", "Game000");
  dialog->RefreshFavouriteGamesFolder();
  ASSERT_EQ(fav->childCount(), 1);
  EXPECT_EQ(fav->child(0)->data(0, Qt::UserRole).toInt(), tree_id::kFavouritesGuide);
  int edited = 0;
  OpenGameHooks hooks;
  hooks.EditFavourites = [&] { ++edited; };
  dialog->SetHooks(hooks);
  dialog->trvGamesDblClick(fav->child(0));
  EXPECT_EQ(edited, 1);
}

TEST_F(OpenGameTest, AttributeFoldersPartitionTheCatalogueAndSelectedGamesAreNamed) {
  Start(Cfg("Game=0\r\n"));
  ShowDialog();
  const int folders[][5] = {{-203010, -203020, -203030, 0, 0},
                            {-204010, -204020, -204030, 0, 0},
                            {-205010, -205020, -205030, 0, 0},
                            {-206010, -206020, -206030, -206040, -206050}};
  for (const auto& group : folders) {
    int total = 0;
    for (int id : group)
      if (id != 0) total += Open(id)->childCount();
    EXPECT_EQ(total, static_cast<int>(ctx().GameList.size())) << group[0];
  }
  QTreeWidgetItem* selected = Open(tree_id::kSelected);
  ASSERT_GT(selected->childCount(), 0);
  EXPECT_EQ(selected->childCount(), static_cast<int>(ctx().GamesData->SelectedGames().size()));
  for (int i = 0; i < selected->childCount(); ++i)
    EXPECT_FALSE(selected->child(i)->text(0).isEmpty());
}

TEST_F(OpenGameTest, PreviewIsTheDealtTableAndFollowsTheCheckBox) {
  Start(Cfg("Game=1\r\nOpen_Preview_Game=N\r\n"));
  ShowDialog();
  EXPECT_FALSE(dialog->PreviewBox()->isChecked());
  const QImage bare = dialog->PreviewPicture();
  dialog->PreviewBox()->click();
  const QImage table = dialog->PreviewPicture();
  EXPECT_NE(bare, table);
  // Cards are white where the bare box is green to black.
  int white = 0;
  for (int y = 0; y < table.height(); ++y)
    for (int x = 0; x < table.width(); ++x)
      if (table.pixel(x, y) == qRgb(255, 255, 255)) ++white;
  EXPECT_GT(white, 1000);
  ASSERT_TRUE(Run([this] { dialog->btnOKClick(); }));
  EXPECT_EQ(Pref("Open_Preview_Game"), "Y");
}

TEST_F(OpenGameTest, CustomGamesFolderGuidesAndDeleteRemovesACustomGame) {
  Start(Cfg("Game=0\r\n"));
  ShowDialog();
  QTreeWidgetItem* custom = Open(tree_id::kCustom);
  ASSERT_EQ(custom->childCount(), 1);
  EXPECT_EQ(custom->child(0)->data(0, Qt::UserRole).toInt(), tree_id::kCustomGuide);
  dialog->trvGamesDblClick(custom->child(0));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_NE(prompts.messages[0].find("\"Customize rules\""), std::string::npos);

  dir.Write("DATA/GAM_CUST.DAT",
            "[R-0301]\r\n" + CustomRecord(8000, "Gentle Klondike", 0, "0010041"));
  dialog->RefreshCustomGamesFolder();
  ASSERT_EQ(Captions(custom), std::vector<std::string>{"Gentle Klondike"});
  dialog->SelectNode(custom->child(0));
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(dialog->Tree(), &del);
  EXPECT_FALSE(prompts.questions.empty());
  ASSERT_EQ(custom->childCount(), 1);
  EXPECT_EQ(custom->child(0)->data(0, Qt::UserRole).toInt(), tree_id::kCustomGuide);
}

TEST_F(OpenGameTest, RulesAndHelpOpenOurHelpViewer) {
  Start(Cfg("Game=5\r\n"));
  HelpService help;
  if (!help.Open(dir.File(kHelpFileName))) GTEST_SKIP() << "help file not built";
  OpenGameHooks hooks;
  UseHelpService(hooks, ctx(), help, dialog.get());
  dialog->SetHooks(hooks);
  ShowDialog();
  dialog->btnRulesClick();
  ASSERT_NE(help.Window("rules"), nullptr);
  EXPECT_EQ(help.Window("rules")->CurrentPage(), "3005.html");
  for (QPushButton* b : dialog->findChildren<QPushButton*>())
    if (b->text() == "&?") b->click();
  ASSERT_NE(help.Window("proc"), nullptr);
  EXPECT_EQ(help.Window("proc")->CurrentPage(), "1000.html");
  help.Window("rules")->close();
  help.Window("proc")->close();
}

// A picture of the dialog for the documentation, written only when
// TW_SCREENSHOT_DIR names a folder.
TEST_F(OpenGameTest, Screenshot) {
  Start(Cfg("Game=0\r\n"));
  ShowDialog();
  QTreeWidgetItem* types = dialog->FindNode(tree_id::kGameType);
  dialog->FindNode(tree_id::kFolders)->setExpanded(true);
  types->setExpanded(true);
  QTreeWidgetItem* klondikes = dialog->FindNode(-202030);
  dialog->SelectNode(klondikes);
  klondikes->setExpanded(true);
  dialog->SelectNode(Child(klondikes, "Klondike"));
  QApplication::processEvents();
  const QImage shot = dialog->grab().toImage();
  ASSERT_FALSE(shot.isNull());
  const char* out = std::getenv("TW_SCREENSHOT_DIR");
  if (!out) return;
  EXPECT_TRUE(shot.save(QString::fromLocal8Bit(out) + "/open-game-dialog.png"));
  dialog->SelectNode(types);
  QApplication::processEvents();
  EXPECT_TRUE(dialog->grab().save(QString::fromLocal8Bit(out) + "/open-game-folder.png"));
  // Every game's preview on one sheet, for looking them over.
  const int n = static_cast<int>(ctx().GameList.size()), columns = 5;
  QImage sheet(columns * 310, (n + columns - 1) / columns * 195, QImage::Format_RGB32);
  sheet.fill(Qt::gray);
  QPainter p(&sheet);
  for (int i = 0; i < n; ++i) {
    dialog->SelectNode(Child(dialog->FindNode(tree_id::kAllGames),
                             QString::fromStdString(CatalogueName(ctx().GameList[i]))));
    p.drawImage((i % columns) * 310 + 5, (i / columns) * 195 + 5, dialog->PreviewPicture());
  }
  p.end();
  EXPECT_TRUE(sheet.save(QString::fromLocal8Bit(out) + "/open-game-previews.png"));
}

}  // namespace
}  // namespace tw
