// The main window's menus, toolbars and command handlers.
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QUrl>
#include <filesystem>

#include "core/datafiles.h"
#include "core/gamesfile.h"
#include "core/stats.h"
#include "core/util.h"
#include "engine/caption.h"
#include "engine/gameover.h"
#include "engine/newgame.h"
#include "engine/savegame.h"
#include "engine/undo.h"
#include "platform/gfx/reslib.h"
#include "platform/qt/prompts.h"
#include "platform/sys/ini.h"
#include "table/view/animate.h"
#include "table/view/setup.h"
#include "table/view/table_view.h"
#include "ui/commands.h"
#include "ui/game_start.h"
#include "ui/help_viewer.h"
#include "ui/main_window.h"
#include "ui/open_game.h"

namespace tw {

namespace {

// The ten buttons of each toolbar: hint, glyph, the menu command they run,
// and the left edges on the large and the small toolbar.
struct ButtonSpec {
  const char* hint;
  const char* glyph;
  const char* command;
  int largeLeft, smallLeft;
};
constexpr ButtonSpec kButtons[] = {
    {"New", "NEW", "mnuNew", 5, 5},
    {"Open", "OPEN", "mnuOpen", 49, 28},
    {"Restart", "RESTART", "mnuRestartGame", 101, 59},
    {"Save", "SAVE", "mnuSave", 145, 82},
    {"Undo", "UNDO", "mnuUndo", 197, 113},
    {"Redo", "REDO", "mnuRedo", 241, 136},
    {"Autoplay", "AUTOPLAY", "mnuAutoPlay", 285, 159},
    {"Statistics", "STAT", "mnuGameStatistics", 337, 190},
    {"Rules", "RULES", "mnuRules", 381, 213},
    {"Exit", "EXIT", "mnuEsci", 433, 242},
};
constexpr int kLargeSeparators[] = {96, 192, 332, 428};
constexpr int kSmallSeparators[] = {54, 108, 185, 239};
constexpr int kLargeButtonWidth = 44, kLargeButtonHeight = 42;
constexpr int kSmallButtonWidth = 23;

// Hourglass for the length of a command.
class Hourglass {
 public:
  explicit Hourglass(qt::Prompts& p) : p_(p) { p_.SetHourglass(true); }
  ~Hourglass() { p_.SetHourglass(false); }
  Hourglass(const Hourglass&) = delete;
  Hourglass& operator=(const Hourglass&) = delete;

 private:
  qt::Prompts& p_;
};

int CurrentGame(const GameContext& ctx) {
  int64_t game = -1;
  if (!ParseInt(Trim(ctx.Cfg(cfg::Game)), game)) return -1;
  return static_cast<int>(game);
}

}  // namespace

// ---- Building ----

QAction* MainWindow::AddCommand(QMenu* menu, const char* name, const QString& caption,
                                const QKeySequence& shortcut, int helpContext,
                                std::function<void()> run) {
  auto* a = new QAction(caption, this);
  if (!shortcut.isEmpty()) a->setShortcut(shortcut);
  a->setProperty("helpContext", helpContext);
  a->setObjectName(name);
  if (menu) {
    menu->addAction(a);
    if (!menu->property("helpKeys").toBool()) {
      menu->setProperty("helpKeys", true);
      menu->installEventFilter(this);
    }
  } else {
    // Not in any menu (hidden there): an invisible action would lose its
    // shortcut, an action of the window keeps it.
    addAction(a);
  }
  if (run) connect(a, &QAction::triggered, this, [run = std::move(run)] { run(); });
  actions_[name] = a;
  action_order_.push_back(name);
  return a;
}

QAction* MainWindow::Action(const std::string& name) const {
  auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::BuildMenus() {
  const QKeySequence none;
  auto key = [](QKeyCombination k) { return QKeySequence(k); };
  const QString program = kProductName;

  QMenu* file = menuBar()->addMenu("&File");
  act_new_ =
      AddCommand(file, "mnuNew", "&New game", key(Qt::Key_F2), 4014, [this] { NewGameCommand(); });
  AddCommand(file, "mnuOpen", "&Open a game", key(Qt::CTRL | Qt::Key_F12), 4015,
             [this] { OpenCommand(); });
  file->addSeparator();
  act_restart_ = AddCommand(file, "mnuRestartGame", "&Restart game", key(Qt::CTRL | Qt::Key_F2),
                            4001, [this] { RestartCommand(); });
  AddCommand(file, "mnuSelect", "S&elect a game number...", key(Qt::Key_F3), 4002,
             [this] { SelectDealNumberCommand(); });
  file->addSeparator();
  AddCommand(file, "mnuSave", "&Save...", key(Qt::SHIFT | Qt::CTRL | Qt::Key_F12), 4003,
             [this] { SaveCommand(); });
  file->addSeparator();
  AddCommand(file, "mnuPlayers", "&Players...", key(Qt::CTRL | Qt::Key_L), 1002,
             [this] { PlayersCommand(); });
  file->addSeparator();
  act_exit_ = AddCommand(file, "mnuEsci", "E&xit", none, 4004, [this] { close(); });

  QMenu* game = menuBar()->addMenu("&Game");
  act_undo_ = AddCommand(game, "mnuUndo", "&Undo", key(Qt::CTRL | Qt::Key_Z), 4005,
                         [this] { UndoCommand(); });
  act_redo_ = AddCommand(game, "mnuRedo", "&Redo", key(Qt::CTRL | Qt::Key_Y), 4006,
                         [this] { RedoCommand(); });
  game->addSeparator();
  AddCommand(game, "mnuPause", "P&ause", key(Qt::CTRL | Qt::Key_P), 0, [this] { PauseCommand(); })
      ->setCheckable(true);
  AddCommand(game, "mnuQuitGame", "&Quit game", key(Qt::CTRL | Qt::Key_Q), 0,
             [this] { QuitGameCommand(); });
  game->addSeparator();
  act_autoplay_ = AddCommand(game, "mnuAutoPlay", "Au&toplay", key(Qt::Key_F7), 4007, nullptr);
  act_autoplay_->setCheckable(true);
  // The action toggles itself before the handler runs; the handler decides.
  connect(act_autoplay_, &QAction::triggered, this, [this] {
    SyncAutoPlayButtons();
    AutoPlayCommand();
  });
  AddCommand(nullptr, "mnuDemo", "&Demo", key(Qt::CTRL | Qt::Key_D), 0, [this] { ToggleDemo(); })
      ->setCheckable(true);

  QMenu* stats = menuBar()->addMenu("&Statistics");
  AddCommand(stats, "mnuGameStatistics", "&Game statistics...", key(Qt::Key_F4), 0,
             [this] { StatisticsCommand(0); });
  stats->addSeparator();
  AddCommand(stats, "mnuPlayersStatistics", "&Players statistics...", none, 0,
             [this] { StatisticsCommand(1); });
  AddCommand(stats, "mnuAllGamesStatistics", "&All games statistics...", none, 0,
             [this] { StatisticsCommand(2); });
  AddCommand(stats, "mnuLogStatistics", "&Log statistics...", none, 0,
             [this] { StatisticsCommand(3); });
  stats->addSeparator();
  AddCommand(stats, "mnuHiScores", "&Hi-Scores...", key(Qt::Key_F9), 4009,
             [this] { HiScoresCommand(); });
  AddCommand(stats, "mnuOverallScore", "Overall score...", none, 4022,
             [this] { OverallScoreCommand(); });

  QMenu* tools = menuBar()->addMenu("&Tools");
  AddCommand(tools, "mnuCustomize", "C&ustomize...", key(Qt::CTRL | Qt::Key_U), 1019,
             [this] { CustomizeCommand(); });
  AddCommand(tools, "Generali1", "&Options...", key(Qt::CTRL | Qt::Key_O), 1004,
             [this] { OptionsCommand(); });
  tools->addSeparator();
  AddCommand(tools, "mnuCustomizeRules", "Customize &rules...", key(Qt::CTRL | Qt::Key_R), 1023,
             [this] { CustomizeRulesCommand(); });
  tools->addSeparator();
  AddCommand(tools, "mnuFavoriteGames", "&Favorite games...", key(Qt::CTRL | Qt::Key_F), 1011,
             [this] { FavoriteGamesCommand(); });
  tools->addSeparator();
  AddCommand(tools, "mnuCardCounter", "&Card counter...", key(Qt::Key_F8), 1022,
             [this] { CardCounterCommand(); })
      ->setCheckable(true);

  QMenu* help = menuBar()->addMenu("&?");
  AddCommand(help, "mnuRules", "&Rules", key(Qt::Key_F1), 4013, [this] { RulesCommand(); });
  AddCommand(help, "Sommario1", "&Contents", none, 4012, [this] { ContentsCommand(); });
  AddCommand(help, "mnuTips", "&Tip of the Day...", none, 4018, [this] { TipsCommand(); });
  help->addSeparator();
  QMenu* web = help->addMenu(program + " on the &Web...");
  web->menuAction()->setObjectName("mnuTarnwellontheWeb");
  AddCommand(web, "mnuWeb", program + " &Update...", none, 4021, [this] { WebUpdateCommand(); });
  web->addSeparator();
  AddCommand(web, "mnuNews", "&Newsletter...", none, 4017, [this] { NewsCommand(); });
  web->addSeparator();
  AddCommand(web, "mnuPublishOvrScore", "Publishing your Overall Score on the Internet...", none, 0,
             [this] { OverallScoreCommand(); });
  AddCommand(web, "mnuSeeChampions", "Check \"" + program + " Champions\" out on the Web...", none,
             0, [this] { ChampionsCommand(); });
  help->addSeparator();
  AddCommand(help, "Informazionisu1", "A&bout...", none, 4011, [this] { AboutCommand(); });
}

void MainWindow::BuildToolbars() {
  pnl_tb_large_ = new QFrame(pnl_tb_);
  pnl_tb_small_ = new QFrame(pnl_tb_);
  const int largeWidth = kButtons[9].largeLeft + kLargeButtonWidth + 5;
  const int smallWidth = kButtons[9].smallLeft + kSmallButtonWidth + 5;
  pnl_tb_large_->resize(largeWidth, 46);
  pnl_tb_small_->resize(smallWidth, 24);
  for (const ButtonSpec& b : kButtons) {
    for (bool large : {true, false}) {
      auto* button = new QToolButton(large ? pnl_tb_large_ : pnl_tb_small_);
      button->setObjectName(QString(large ? "tb" : "tb1_") + b.glyph);
      button->setToolButtonStyle(Qt::ToolButtonIconOnly);
      button->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
      button->setFocusPolicy(Qt::NoFocus);
      button->setProperty("hint", QString(b.hint));
      const std::string command = b.command;
      if (command == "mnuAutoPlay") button->setCheckable(true);
      connect(button, &QToolButton::clicked, this, [this, button, command] {
        button->repaint();
        if (QAction* a = Action(command); a && a->isEnabled()) a->trigger();
        SyncAutoPlayButtons();
      });
      (large ? tb_large_ : tb_small_).push_back(button);
    }
  }
  for (bool large : {true, false}) {
    for (int left :
         large ? std::vector<int>(std::begin(kLargeSeparators), std::end(kLargeSeparators))
               : std::vector<int>(std::begin(kSmallSeparators), std::end(kSmallSeparators))) {
      auto* sep = new QFrame(large ? pnl_tb_large_ : pnl_tb_small_);
      sep->setFrameShape(QFrame::VLine);
      sep->setFrameShadow(QFrame::Sunken);
      sep->setProperty("left", left);
      tb_separators_.push_back(sep);
    }
  }

  // The toolbar's popup, before its panel entries.
  auto popup = [this](const char* name, const QString& caption, std::function<void()> run) {
    auto* a = new QAction(caption, pnl_tb_);
    a->setObjectName(name);
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [run = std::move(run)] { run(); });
    actions_[name] = a;
    return a;
  };
  act_large_icons_ = popup("popLargeIcons", "Large icons", [this] { SetToolbarLarge(true, true); });
  act_small_icons_ =
      popup("popSmallIcons", "Small icons", [this] { SetToolbarLarge(false, true); });
  act_flat_ = popup("popFlat", "Flat button", [this] { SetToolbarFlat(true, true); });
  act_no_flat_ = popup("popNoFlat", "No flat button", [this] { SetToolbarFlat(false, true); });
  auto* sep = new QAction(pnl_tb_);
  sep->setSeparator(true);
  pnl_tb_->insertActions(act_show_time_,
                         {act_large_icons_, act_small_icons_, act_flat_, act_no_flat_, sep});
  actions_["popShowTime"] = act_show_time_;
  actions_["popShowScore"] = act_show_score_;
  pnl_tb_large_->setContextMenuPolicy(Qt::NoContextMenu);
  pnl_tb_small_->setContextMenuPolicy(Qt::NoContextMenu);
  // The start-up settings choose the size and style; until then small and flat.
  pnl_tb_large_->hide();
  {
    QSignalBlocker a(act_small_icons_), b(act_flat_);
    act_small_icons_->setChecked(true);
    act_flat_->setChecked(true);
  }
  for (QToolButton* b : tb_small_) b->setAutoRaise(true);
  for (QToolButton* b : tb_large_) b->setAutoRaise(true);
  LayoutToolbarButtons();
}

void MainWindow::LoadToolbarGlyphs(const gfx::ResourceLibrary& library) {
  for (size_t i = 0; i < std::size(kButtons); ++i) {
    for (bool large : {true, false}) {
      const std::string name = std::string(large ? "TBL_" : "TB_") + kButtons[i].glyph;
      QIcon icon;
      const QImage normal = library.LoadBitmap(name).Image();
      const QImage disabled = library.LoadBitmap(name + "_DIS").Image();
      if (!normal.isNull()) icon.addPixmap(QPixmap::fromImage(normal), QIcon::Normal);
      if (!disabled.isNull()) icon.addPixmap(QPixmap::fromImage(disabled), QIcon::Disabled);
      QToolButton* b = (large ? tb_large_ : tb_small_)[i];
      b->setIcon(icon);
      if (icon.isNull()) b->setText(b->property("hint").toString());
      // The menu shows the small glyphs too; a switch keeps its check mark.
      if (!large && !icon.isNull()) {
        QAction* a = Action(kButtons[i].command);
        if (a && !a->isCheckable()) a->setIcon(icon);
      }
    }
  }
}

// ---- Toolbars ----

void MainWindow::SetToolbarLarge(bool large, bool save) {
  toolbar_large_ = large;
  pnl_tb_large_->setVisible(large);
  pnl_tb_small_->setVisible(!large);
  {
    QSignalBlocker a(act_large_icons_), b(act_small_icons_);
    act_large_icons_->setChecked(large);
    act_small_icons_->setChecked(!large);
  }
  const int panelHeight = large ? 24 : 20;
  pnl_tempo_->resize(pnl_tempo_->width(), panelHeight);
  pnl_score_->resize(pnl_score_->width(), panelHeight);
  LayoutToolbarButtons();
  LayoutStatusPanels();
  MainWindowResized();
  if (save) {
    sys::IniFile(CfgFilePath(ctx_)).WriteString("Preference", "ToolBar_Large", large ? "Y" : "N");
  }
}

void MainWindow::SetToolbarFlat(bool flat, bool save) {
  toolbar_flat_ = flat;
  const bool tips = ctx_.CfgIs(cfg::Show_ToolTips, "Y");
  for (auto* list : {&tb_large_, &tb_small_}) {
    for (QToolButton* b : *list) {
      b->setAutoRaise(flat);
      b->setToolTip(tips ? b->property("hint").toString() : QString());
    }
  }
  {
    QSignalBlocker a(act_flat_), b(act_no_flat_);
    act_flat_->setChecked(flat);
    act_no_flat_->setChecked(!flat);
  }
  const int height = pnl_tb_->height();
  LayoutToolbarButtons();
  LayoutStatusPanels();
  // The table starts below the bar.
  if (pnl_tb_->height() != height) MainWindowResized();
  if (save) {
    sys::IniFile(CfgFilePath(ctx_)).WriteString("Preference", "ToolBar_Flat", flat ? "Y" : "N");
  }
}

void MainWindow::LayoutToolbarButtons() {
  const bool flat = tb_small_[0]->autoRaise();
  pnl_tb_small_->resize(pnl_tb_small_->width(), flat ? 24 : 25);
  pnl_tb_large_->resize(pnl_tb_large_->width(), flat ? 46 : 45);
  const int smallHeight = flat ? 22 : 23;
  const int top = (!pnl_tb_small_->isHidden() && pnl_tb_large_->isHidden()) ? 1 : 2;
  pnl_tb_->resize(pnl_tb_->width(), (toolbar_large_ ? pnl_tb_large_ : pnl_tb_small_)->height());
  for (size_t i = 0; i < std::size(kButtons); ++i) {
    tb_large_[i]->setGeometry(kButtons[i].largeLeft, top, kLargeButtonWidth, kLargeButtonHeight);
    tb_small_[i]->setGeometry(kButtons[i].smallLeft, top, kSmallButtonWidth, smallHeight);
  }
  for (QFrame* sep : tb_separators_) {
    const bool large = sep->parentWidget() == pnl_tb_large_;
    sep->setGeometry(sep->property("left").toInt(), top, 4,
                     large ? kLargeButtonHeight : smallHeight);
    sep->setVisible(flat);
  }
}

// ---- Enabled states ----

void MainWindow::EnableGameControls(bool enabled) {
  game_controls_ = enabled;
  UpdateCommandStates();
}

void MainWindow::UpdateCommandStates() {
  if (actions_.empty() || tb_large_.empty()) return;
  const bool game = game_controls_;
  // The game-over routine switches the deal menus off before the deal ends.
  const bool playing = game && deal_menus_ && ctx_.TfrmMain.GameInProgress != 0;
  const bool demo = ctx_.DemoMode != 0;
  auto set = [this](const char* name, bool on) {
    if (QAction* a = Action(name)) a->setEnabled(on);
  };
  set("mnuNew", game);
  set("mnuRestartGame", game && !demo && TableHoldsCards(ctx_));
  set("mnuSelect", game && !demo);
  set("mnuSave", playing && !demo);
  set("mnuUndo", playing && !demo && undo_enabled_);
  set("mnuRedo", playing && !demo && undo_enabled_);
  set("mnuQuitGame", playing && !demo);
  set("mnuPause", playing && !demo);
  set("mnuAutoPlay", game && autoplay_allowed_ && !demo);
  set("mnuRules", game);
  set("mnuCustomizeRules", game && !demo);
  set("mnuDemo", game);
  // The switch the engine reads: checked and enabled.
  ctx_.TfrmMain.AutoPlayOn = act_autoplay_->isChecked() && act_autoplay_->isEnabled() ? 1 : 0;
  for (size_t i = 0; i < std::size(kButtons); ++i) {
    const QAction* a = Action(kButtons[i].command);
    const bool on = a && a->isEnabled();
    tb_large_[i]->setEnabled(on);
    tb_small_[i]->setEnabled(on);
  }
  SyncAutoPlayButtons();
}

void MainWindow::SyncAutoPlayButtons() {
  const bool on = autoplay_checked_;
  {
    QSignalBlocker block(act_autoplay_);
    act_autoplay_->setChecked(on);
  }
  for (auto* list : {&tb_large_, &tb_small_}) {
    QToolButton* b = (*list)[6];
    QSignalBlocker block(b);
    b->setChecked(on);
  }
}

// ---- Commands ----

void MainWindow::AutoPlayCommand() {
  if (!InputAllowed() || !act_autoplay_->isEnabled()) return;
  HandlerScope scope(*this);
  autoplay_checked_ = !autoplay_checked_;
  SyncAutoPlayButtons();
  UpdateCommandStates();
  // Autoplay of a deal that has ended would move cards of a dead table.
  if (autoplay_checked_ && ctx_.TfrmMain.GameInProgress) RunAutoPlayAfterMove(ctx_);
}

tw::PlayStartHooks MainWindow::StartHooks() {
  tw::PlayStartHooks hooks;
  hooks.Setup = [this](GameContext& ctx) {
    const bool ok = SetupGame(ctx, play_);
    setup_game_ = ok ? CurrentGame(ctx) : -1;
    if (ok && !game_controls_) EnableGameControls(true);
    return ok;
  };
  hooks.StartPlay = [this](GameContext& ctx, PlayStart how) {
    NewGame(ctx, play_, false, how == PlayStart::Restarted, 1, how == PlayStart::Demo);
  };
  return hooks;
}

void MainWindow::RestartCommand() {
  if (!InputAllowed() || !act_restart_->isEnabled()) return;
  HandlerScope scope(*this);
  // Nothing dealt yet: nothing to restart (the engine refuses too).
  if (setup_game_ < 0) return;
  RestartGame(ctx_, StartHooks());
}

std::string MainWindow::AskFileName(bool save) {
  if (ask_file_name_) return ask_file_name_(save);
  const QString folder = qt::FromLatin(SavedGamesFolder(ctx_));
  const QString filter = "Game (*.gam *.GAM)";
  const QString name =
      save ? QFileDialog::getSaveFileName(this, kSaveGameTitle, folder, filter, nullptr,
                                          QFileDialog::DontConfirmOverwrite)
           : QFileDialog::getOpenFileName(this, kOpenGameTitle, folder, filter);
  return qt::ToLatin(name);
}

void MainWindow::SaveCommand() {
  if (!InputAllowed() || !ctx_.TfrmMain.GameInProgress) return;
  // No to the overwrite question asks for another name; Cancel gives up.
  std::string path;
  for (;;) {
    path = AskFileName(true);
    if (path.empty()) return;
    if (std::filesystem::path(path).extension().empty()) path += ".GAM";
    if (!std::filesystem::exists(path)) break;
    const qt::Prompts::Reply reply = prompts_.AskYesNoCancel(ReplaceFileQuestion(path));
    if (reply == qt::Prompts::Reply::Cancel) return;
    if (reply == qt::Prompts::Reply::Yes) break;
  }
  HandlerScope scope(*this);
  std::string error;
  SaveGame(ctx_, path, error);  // a failure is shown by the engine
}

void MainWindow::OpenGameFile() {
  if (HandlerRunning()) return;
  const std::string path = AskFileName(false);
  if (path.empty()) return;
  if (ctx_.DemoMode) ToggleDemo();
  HandlerScope scope(*this);
  std::string error;
  OpenSavedGame(ctx_, path, error, StartHooks());
}

void MainWindow::OpenCommand() {
  if (!InputAllowed()) return;
  RunOpenGame();
}

void MainWindow::QuitGameCommand() {
  if (!InputAllowed() || !ctx_.TfrmMain.GameInProgress) return;
  if (ConfirmQuitGame(ctx_, "") == 0) return;
  QuitGameAndOpen();
}

void MainWindow::ShowBareTable() {
  view_.KeepIdleTable(false);
  view_.PaintBackgroundFromSettings(view_.TableBmp());
  view_.RefreshScreen();
}

void MainWindow::QuitGameAndOpen() {
  {
    HandlerScope scope(*this);
    GameOver(ctx_);
    ShowBareTable();
  }
  RunOpenGame();
}

void MainWindow::NoGameSelected() {
  HandlerScope scope(*this);
  GameOver(ctx_);
  ctx_.SetCfg(cfg::Game, "-1");
  ctx_.SetCfg(cfg::Game_name, "");
  UpdateMainCaption();
  setup_game_ = -1;
  EnableGameControls(false);
  ShowBareTable();
}

bool MainWindow::SelectGameAndPlayer(int game, const std::string& name, const std::string& player,
                                     bool save) {
  Hourglass hourglass(prompts_);
  const bool gameChanged = CurrentGame(ctx_) != game;
  const bool playerChanged = ctx_.Cfg(cfg::UserDefault) != player;
  if (!gameChanged && !playerChanged && ctx_.TfrmMain.GameInProgress) return false;
  if (ConfirmQuitGame(ctx_, "") == 0) return false;
  HandlerScope scope(*this);
  GameOver(ctx_);
  EndDemoForDeal();
  if (gameChanged || playerChanged) ResetSessionCounters(ctx_);
  if (playerChanged) {
    ctx_.SetCfg(cfg::UserDefault, player);
    sys::IniFile(CfgFilePath(ctx_)).WriteString("Preference", "UserDefault", player);
    UpdateMainCaption();
  }
  if (gameChanged || ctx_.GameState.SmallScreenState() == 2) ctx_.GameState.SmallScreenState() = 0;
  ctx_.SetCfg(cfg::Game, IntToStrPad(game, 4));
  ctx_.SetCfg(cfg::Game_name, name);
  // A game not yet set up (the first deal of the run) needs its setup too.
  if (gameChanged || setup_game_ != game) {
    if (!SetupGame(ctx_, play_)) {
      setup_game_ = -1;
      EnableGameControls(false);
      return true;
    }
    setup_game_ = game;
  }
  if (!game_controls_) EnableGameControls(true);
  StartDeal(ctx_, play_, "", true);
  if (save) WriteGamePreference(ctx_, game, name, tree_id::kAllGames);
  return true;
}

bool MainWindow::RunOpenGame() {
  if (!HasOpenGame() || HandlerRunning()) return false;
  OpenGameOpener opener;
  opener.SelectGameAndPlayer = [this](int game, const std::string& name,
                                      const std::string& player) {
    return SelectGameAndPlayer(game, name, player, false);
  };
  opener.OpenSavedGame = [this] { OpenGameFile(); };
  opener.NoGameChosen = [this] { EnableGameControls(false); };
  const bool started = RunOpenGameDialog(*OpenGameWindow(), ctx_, opener);
  // Left without a deal while no game was ever set up: nothing to play.
  if (!started && setup_game_ < 0 && !ctx_.TfrmMain.GameInProgress) EnableGameControls(false);
  UpdateCommandStates();
  return started;
}

void MainWindow::RulesCommand() {
  if (!help_ || HandlerRunning()) return;
  ShowGameRules(ctx_, *help_, -1, "", this);
}

void MainWindow::ContentsCommand() {
  if (help_) help_->ShowContents();
}

bool MainWindow::OpenUrl(const std::string& url) {
  if (open_url_) return open_url_(url);
  return QDesktopServices::openUrl(QUrl(qt::FromLatin(url)));
}

bool MainWindow::OpenWebOrMail(const std::string& kind, const std::string& address) {
  const std::string target = WebOrMailTarget(kind, address);
  if (target.empty()) {
    prompts_.ShowMessage(kLinkError);
    return false;
  }
  return OpenUrl(target);
}

void MainWindow::WebUpdateCommand() {
  if (prompts_.AskOkCancel(kDownloadQuestion)) OpenWebOrMail("HTTP", kDownloadPage);
}

void MainWindow::ChampionsCommand() {
  if (prompts_.AskOkCancel(ChampionsQuestion(kChampionsPage))) {
    OpenWebOrMail("HTTP", kChampionsPage);
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* menu = qobject_cast<QMenu*>(watched);
  if (menu && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
    const QAction* item = menu->activeAction();
    const int context = item ? item->property("helpContext").toInt() : 0;
    if (context > 0 && help_) {
      // The menus close first, as after a command.
      for (QWidget* w = menu; auto* m = qobject_cast<QMenu*>(w); w = m->parentWidget()) m->hide();
      menuBar()->setActiveAction(nullptr);
      help_->ShowTopic("proc", context);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::SetDialogs(std::function<OpenGameDialog*()> openGame, HelpService* help) {
  make_open_game_ = std::move(openGame);
  help_ = help;
}

OpenGameDialog* MainWindow::OpenGameWindow() {
  if (!open_game_ && make_open_game_) open_game_ = make_open_game_();
  return open_game_;
}

}  // namespace tw
