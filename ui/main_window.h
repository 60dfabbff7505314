// The main window: the card table, on which every game is played, with its
// time and score panels, the demo bar, the clock and the input
// filters. The table is a surface widget that only copies the window canvas
// of the table drawing; the drawing repaints the parts it changes at once.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/state.h"
#include "engine/ports.h"
#include "engine/savegame.h"
#include "table/layout.h"
#include "table/view/hints.h"
#include "table/view/table_play_drawing.h"
#include "ui/frame_pacer.h"
#include "ui/input_filter.h"
#include "ui/startup.h"

class QDialog;
class QLabel;
class QFrame;
class QScrollBar;
class QPushButton;
class QToolButton;

namespace tw {

class TableView;
namespace gfx {
class ResourceLibrary;
}
class PlayView;
class OpenGameDialog;
class HelpService;
class OverallDialog;
class GameWonDialog;
class HiScoresDialog;
class CustomRulesDialog;
class PlayersDialog;
class TfrmCustomize;
class TfrmOpzioni;
enum class GameWonChoice;
class CardCounterWindow;
namespace qt {
class Prompts;
}

class MainWindow;

// The client area of the main window: table mouse, paint and size.
class TableSurface : public QWidget {
  Q_OBJECT

 public:
  TableSurface(MainWindow& owner, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  MainWindow& owner_;
};

// Mouse buttons as the table handlers count them.
enum class TableButton { Left = 0, Right = 1, Middle = 2 };

class MainWindow : public QMainWindow, public WindowPort, public DialogPort {
  Q_OBJECT

 public:
  MainWindow(GameContext& ctx, TableView& view, PlayView& play, qt::Prompts& prompts);
  ~MainWindow() override;

  TableSurface* Surface() const { return surface_; }
  InputFilter& Filter() { return *filter_; }

  // Start-up, after the preferences are read: panels, autoplay, undo
  // commands, the table pictures sized to the screen and the bare table.
  void ApplyStartupSettings(const WindowPreferences& prefs);
  // Runs once when the window is first shown (queued from the show event):
  // the caption, the data upgrade and the first deal of the current game.
  void RunFirstActivation();
  bool FirstActivationDone() const { return ctx_.TfrmMain.FirstActivation == 0; }
  // Called once, when the first dealt table is on the screen (or, without a
  // deal, after the first activation): start-up timing.
  void SetOnFirstTable(std::function<void()> f) { on_first_table_ = std::move(f); }
  // Runs once the first frame is on the screen, before the first activation
  // does anything else (work that need not delay the window).
  void SetAfterFirstFrame(std::function<void()> f) { after_first_frame_ = std::move(f); }
  // A command or a move is being carried out (its animations let timers run).
  bool Busy() const { return HandlerRunning(); }
  // Runs after every part of the table shown at once (animation frames).
  void SetOnFrameShown(std::function<void()> f) { on_frame_shown_ = std::move(f); }
  // Each frame drawn is shown at once rather than once a screen frame (a
  // clock whose waits take no real time).
  void ShowEveryFrame() { pacer_->ShowAtOnce(); }

  // The open-game dialog and the help file the commands use (owned by the
  // program); either may be missing, which leaves their commands without
  // effect.
  // The open-game window comes from openGame on first use.
  void SetDialogs(std::function<OpenGameDialog*()> openGame, HelpService* help);
  OpenGameDialog* OpenGameWindow();
  bool HasOpenGame() const { return open_game_ || make_open_game_; }
  // The first activation deals the preferences' game instead of showing the
  // open-game dialog (tests and the start-up timing).
  void SetFirstDealDirect(bool direct) { first_deal_direct_ = direct; }
  // The toolbar pictures ("TB_" + name at 16 pixels, "TBL_" + name at 32,
  // each with its "_DIS" twin for the disabled state).
  void LoadToolbarGlyphs(const gfx::ResourceLibrary& library);
  // The file dialogs of Save and Open: returns the chosen path, "" when
  // cancelled. Tests replace the window system's dialog.
  using FileNameAsker = std::function<std::string(bool save)>;
  void SetFileNameAsker(FileNameAsker ask) { ask_file_name_ = std::move(ask); }
  // Opens a web or mail address; false when it could not be opened.
  using UrlOpener = std::function<bool(const std::string& url)>;
  void SetUrlOpener(UrlOpener open) { open_url_ = std::move(open); }

  // Game commands (also the menu's). game: catalogue number; deal: deal
  // number, empty for a new random one. False when nothing was dealt.
  bool PlayGame(int game, const std::string& deal);
  bool NewDeal(const std::string& deal);
  void NewGameCommand();
  void RestartCommand();
  void UndoCommand();
  void RedoCommand();
  void AutoPlayCommand();
  void OpenCommand();
  void SaveCommand();
  // Open a saved game (from the menu's dialog and the open-game dialog).
  void OpenGameFile();
  void QuitGameCommand();
  void RulesCommand();
  void ContentsCommand();
  void WebUpdateCommand();
  void ChampionsCommand();
  // The small dialogs and the card counter (ui/main_window_dialogs.cpp).
  void SelectDealNumberCommand();
  void FavoriteGamesCommand();
  void CardCounterCommand();
  void TipsCommand();
  void NewsCommand();
  void AboutCommand();
  // The card-counter window (owned by the program); null leaves its command
  // without effect.
  void SetCardCounter(CardCounterWindow* counter) { card_counter_ = counter; }
  CardCounterWindow* CardCounter() const { return card_counter_; }
  // First activation: the newsletter and the tip of the day before the first
  // deal, the card counter's saved state after it.
  void ShowStartupDialogs();
  void RestoreCardCounter();
  // kind "HTTP" (a bare address gets "http://") or "EMAIL"; any other kind
  // is refused with "Error in parameters".
  bool OpenWebOrMail(const std::string& kind, const std::string& address);
  // Ends the deal, clears the table and shows the open-game dialog.
  void QuitGameAndOpen();
  // The current game is gone (deleted): no game, game commands off.
  void NoGameSelected();
  // Switches to a game and a player and deals; false when nothing changed
  // with a deal in progress or the player would not quit the deal.
  bool SelectGameAndPlayer(int game, const std::string& name, const std::string& player, bool save);
  // A game chosen in a dialog over other dialogs: started for the current
  // player, and the dialogs close; false when the player kept the deal.
  bool PlayFromDialogs(int game);
  // The open-game dialog, modally, with its outcome carried out.
  bool RunOpenGame();

  // The game commands on or off together (off: no game to play).
  void EnableGameControls(bool enabled);
  bool GameControlsEnabled() const { return game_controls_; }
  void SetToolbarLarge(bool large, bool save);
  void SetToolbarFlat(bool flat, bool save);
  void LayoutToolbarButtons();
  bool ToolbarLarge() const { return toolbar_large_; }
  bool ToolbarFlat() const { return toolbar_flat_; }

  // Menu and popup commands by their names ("mnuNew", "mnuAutoPlay",
  // "popLargeIcons" ...); null for an unknown name.
  QAction* Action(const std::string& name) const;
  // Names of every menu command, in menu order.
  std::vector<std::string> ActionNames() const { return action_order_; }
  // The toolbars' buttons in order (New .. Exit).
  const std::vector<QToolButton*>& LargeButtons() const { return tb_large_; }
  const std::vector<QToolButton*>& SmallButtons() const { return tb_small_; }
  QFrame* LargeToolbar() const { return pnl_tb_large_; }
  QFrame* SmallToolbar() const { return pnl_tb_small_; }

  // Table handlers in table coordinates (the surface calls them; tests may too).
  void TableMouseDownAt(TableButton button, Qt::KeyboardModifiers shift, int x, int y);
  void TableMouseMoveAt(Qt::KeyboardModifiers shift, int x, int y);
  void TableMouseUpAt(TableButton button, Qt::KeyboardModifiers shift, int x, int y);
  void TableDoubleClickAt(int x, int y);
  void Paint(QPaintEvent* event);
  // Shows a part of the table at once, written into the window's picture
  // and sent to the screen without a paint event; false where that cannot
  // be done (nothing is shown then).
  bool ShowOnStore(const QRegion& region);
  void MainWindowResized();
  // The clock tick.
  void Timer1Timer();

  // The pile's top card by pile name ("Mazzo", "Mazzo_Vis", "Dest"n,
  // "Fila"n, "Appogg"n); 0 when empty or unknown.
  int GetPileTopCard(const std::string& pileName) const;
  // The first non-empty tableau pile whose top card is card.
  bool FindTableauPileByTopCard(int card, int& index) const;
  bool StopWonAnimation();
  // Game/Pause: the table hidden behind the pause screen and the clock
  // stopped until the first key or mouse button, which does nothing else.
  void PauseCommand();
  void SetPause(bool on);
  bool Paused() const;
  const PauseScreen& PauseView() const { return *pause_screen_; }

  // Labels (tests read them).
  QString ClockText() const;
  QString ScoreText() const;
  QAction* AutoPlayAction() const { return act_autoplay_; }

  // WindowPort.
  std::string Caption() const override;
  void SetCaption(const std::string& text) override;
  void ShowScore(const std::string& text) override;
  void EnableDealMenus(bool enabled) override;
  void SetWonAnimationFilter(bool on) override;
  void CloseMainWindow() override;
  void ShowClock(const std::string& text) override;
  void EnableCustomize(bool enabled) override;
  void EnableAutoPlay(bool enabled) override;
  void SetBusyFilter(bool on) override;

  // DialogPort.
  void ShowGameWon() override;
  void ShowHiScores(int place, const std::string& title) override;
  // The results dialogs (ui/main_window_results.cpp). The game-won dialog
  // is made on first use and kept; its next-game choice runs once the
  // handler that won the deal has ended.
  GameWonDialog* GameWonForm();
  void HiScoresCommand();
  void ClearStatisticsCommand();
  // The statistics dialogs (ui/main_window_statistics.cpp): 0 game, 1
  // players, 2 all games, 3 log. A game >= 0 and a player name are shown
  // instead of the current ones, over the given dialog.
  void StatisticsCommand(int which, int game = -1, const std::string& player = {},
                         QWidget* over = nullptr);
  void SetStatisticsPrepare(std::function<void(QDialog&)> f) {
    statistics_prepare_ = std::move(f);
  }
  // The players dialog (ui/main_window_players.cpp).
  void PlayersCommand();
  // The overall-score ranking.
  void OverallScoreCommand();
  void SetOverallPrepare(std::function<void(OverallDialog&)> f) { overall_prepare_ = std::move(f); }
  // Runs once each players dialog exists, before it is shown (tests).
  void SetPlayersPrepare(std::function<void(PlayersDialog&)> f) {
    players_prepare_ = std::move(f);
  }
  // Runs once each hi-score dialog exists, before it is shown (tests).
  void SetHiScoresPrepare(std::function<void(HiScoresDialog&)> f) {
    hiscores_prepare_ = std::move(f);
  }
  // Tools/Customize rules (ui/main_window_custom.cpp): a variant of the
  // game in play, offered to start at once; or the custom game deleted.
  void CustomizeRulesCommand();
  // Runs once the custom-rules dialog exists, before it is shown (tests).
  void SetCustomRulesPrepare(std::function<void(CustomRulesDialog&)> f) {
    custom_rules_prepare_ = std::move(f);
  }

  // Game/Demo (ui/main_window_demo.cpp): on, the current game's
  // demonstration is loaded and shown at its dealt position, the demo bar
  // steps through it and the table only beeps; off, the table is cleared
  // with no deal in progress. False when nothing changed (the player kept
  // the deal in progress, or the demonstration could not be opened).
  bool ToggleDemo();
  // From one position of the demonstration to another (0: dealt): a single
  // step is an undo or redo with its sound, a jump is made silently and
  // drawn once.
  void DemoGoTo(int from, int to);
  // The position shown and the number of recorded moves.
  int DemoPosition() const { return demo_position_; }
  int DemoMoves() const;
  // The demo bar's controls by name ("btnDemoFirst", "scbDemoMove", ...).
  QWidget* DemoControl(const char* name) const;
  QString DemoCounterText() const;

  // Tools/Customize and Tools/Options (ui/main_window_look.cpp): the table's
  // look and the window's options, applied at once.
  void CustomizeCommand();
  void OptionsCommand();
  // The table reloaded and redrawn from the settings record (card size,
  // faces, back, background, irregular piles).
  void ApplyTableLook();
  // Run once each dialog exists, before it is shown (tests).
  void SetCustomizePrepare(std::function<void(TfrmCustomize&)> f) {
    customize_prepare_ = std::move(f);
  }
  void SetOptionsPrepare(std::function<void(TfrmOpzioni&)> f) { options_prepare_ = std::move(f); }

  // The panels and lines under the toolbar placed for the window's width.
  void LayoutStatusPanels();
  // Repaints the window at once (after a dialog closed).
  void UpdateMainWindows();
  void ShowTimePanel(bool show, bool save);
  void ShowScorePanel(bool show, bool save);
  void EnableUndoRedo(bool enabled);
  // The vertical table scroll bar: shown, with the table pictures grown,
  // when a table taller than the window may scroll; hidden again when it
  // fits or scrolling is off.
  void UpdateTableScroll();
  void PlaceTableScrollBar();
  bool TableScrollVisible() const;
  // The ten table cursors (slots 10-14 and their dragging twins 20-24), each
  // read from the library when first set.
  void LoadCursors(const gfx::ResourceLibrary& library);
  // What the layout and the won animation read of the window.
  LayoutInput LayoutInputForDrawing() const;
  int ToolbarBottom() const;
  // Where the card counter first opens: at the table's right edge, below
  // its top row of cards (global coordinates of the window's frame).
  QPoint CardCounterHome(QSize counter) const;

 protected:
  void showEvent(QShowEvent* event) override;
  // Runs the event loop until the window system shows the window (at most
  // kOnScreenWaitMs): drawings made before a busy wait must reach it.
  void WaitUntilOnScreen();
  static constexpr int kOnScreenWaitMs = 3000;
  void closeEvent(QCloseEvent* event) override;
  // F1 on a highlighted menu item opens its help topic.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Handlers run one at a time: input that arrives while one runs (the
  // animations let events through) is dropped, a release is replayed after.
  class HandlerScope;
  bool HandlerRunning() const { return handler_depth_ > 0; }
  bool InputAllowed() const;
  void AfterHandler();

  void BuildMenus();
  void BuildToolbars();
  void BuildPanels();
  void BuildDemoBar();
  // The demo bar's buttons: First, Prior, Next, Last go to the position.
  void DemoButton(int target);
  void DemoPlayStep();
  void ResetDemoPlayButtons();
  void ShowDemoCounter(int position);
  // A deal or a saved game about to start ends demo mode.
  void EndDemoForDeal();
  QAction* AddCommand(QMenu* menu, const char* name, const QString& caption,
                      const QKeySequence& shortcut, int helpContext, std::function<void()> run);
  // Enabled states of the commands from the game state.
  void UpdateCommandStates();
  void SyncAutoPlayButtons();
  void ShowBareTable();
  std::string AskFileName(bool save);
  tw::PlayStartHooks StartHooks();
  bool OpenUrl(const std::string& url);
  LayoutInput CurrentLayoutInput() const;
  void UpdateMainCaption();
  bool FormCloseQuery();
  void FormClose();
  void SetTableCursor(int slot);
  void ShowPauseScreen();

  friend class TableSurface;

  GameContext& ctx_;
  TableView& view_;
  PlayView& play_;
  qt::Prompts& prompts_;
  TableSurface* surface_ = nullptr;
  InputFilter* filter_ = nullptr;

  QFrame* pnl_tb_ = nullptr;  // toolbar area
  QFrame* pnl_linea_grigia_ = nullptr;
  QFrame* pnl_linea_nera_ = nullptr;
  QFrame* pnl_tempo_ = nullptr;
  QLabel* lbl_tempo_ = nullptr;
  QFrame* pnl_score_ = nullptr;
  QLabel* lbl_score_ = nullptr;
  QFrame* pnl_demo_ = nullptr;
  QLabel* pnl_demo_count_ = nullptr;
  QScrollBar* scb_demo_move_ = nullptr;
  QPushButton* btn_demo_play_ = nullptr;
  QPushButton* btn_demo_stop_ = nullptr;
  QTimer demo_play_timer_;
  int demo_position_ = 0;
  QScrollBar* scr_bar_main_ = nullptr;
  QFrame* pnl_status_bar_ = nullptr;
  QTimer timer1_;

  QAction* act_new_ = nullptr;
  QAction* act_restart_ = nullptr;
  QAction* act_undo_ = nullptr;
  QAction* act_redo_ = nullptr;
  QAction* act_autoplay_ = nullptr;
  QAction* act_exit_ = nullptr;
  QAction* act_show_time_ = nullptr;
  QAction* act_show_score_ = nullptr;
  QAction* act_large_icons_ = nullptr;
  QAction* act_small_icons_ = nullptr;
  QAction* act_flat_ = nullptr;
  QAction* act_no_flat_ = nullptr;
  std::map<std::string, QAction*> actions_;
  std::vector<std::string> action_order_;

  QFrame* pnl_tb_large_ = nullptr;
  QFrame* pnl_tb_small_ = nullptr;
  std::vector<QToolButton*> tb_large_, tb_small_;
  std::vector<QFrame*> tb_separators_;
  bool toolbar_large_ = false;
  bool toolbar_flat_ = true;

  // Null until made; the refreshes of its folders only reach a made one.
  OpenGameDialog* open_game_ = nullptr;
  std::function<OpenGameDialog*()> make_open_game_;
  HelpService* help_ = nullptr;
  GameWonDialog* game_won_ = nullptr;
  std::function<void(HiScoresDialog&)> hiscores_prepare_;
  std::function<void(QDialog&)> statistics_prepare_;
  std::function<void(CustomRulesDialog&)> custom_rules_prepare_;
  std::function<void(PlayersDialog&)> players_prepare_;
  std::function<void(TfrmCustomize&)> customize_prepare_;
  std::function<void(TfrmOpzioni&)> options_prepare_;
  // Off while the small-screen card set is in force.
  bool customize_allowed_ = true;
  // Work left for when the running handler has ended (a game-won choice).
  std::function<void()> after_handler_;
  // A game chosen in the overall-score details while a handler ran.
  std::function<void()> play_after_handler_;
  std::function<void(OverallDialog&)> overall_prepare_;
  void RunGameWonChoice(GameWonChoice choice);
  CardCounterWindow* card_counter_ = nullptr;
  bool first_deal_direct_ = false;
  FileNameAsker ask_file_name_;
  UrlOpener open_url_;
  // Game commands on: a game is set up (off until the first deal).
  bool game_controls_ = false;
  bool autoplay_allowed_ = true;
  // A deal is being played (the engine's deal menus on).
  bool deal_menus_ = false;
  // The Autoplay command's check mark (the user's switch).
  bool autoplay_checked_ = false;
  // The game last set up for play (-1: none).
  int setup_game_ = -1;

  // Each read from the library when first set.
  std::map<int, QCursor> cursors_;
  const gfx::ResourceLibrary* cursor_library_ = nullptr;
  int handler_depth_ = 0;
  bool release_missed_ = false;
  TableButton missed_button_ = TableButton::Left;
  QPoint missed_pos_;
  bool undo_enabled_ = true;
  bool closing_ = false;
  bool updating_scroll_ = false;
  std::function<void()> on_first_table_;
  std::function<void()> after_first_frame_;
  std::function<void()> on_frame_shown_;
  // Shows the table's drawing on the screen a frame at a time.
  std::unique_ptr<FramePacer> pacer_;
  bool first_activation_posted_ = false;
  static constexpr int kFirstActivationLatestMs = 500;
  // The pause screen draws on the table pictures; its slide runs on a timer.
  std::unique_ptr<TablePlayDrawing> pause_drawing_;
  std::unique_ptr<PauseScreen> pause_screen_;
  QTimer pause_timer_;
};

// Counts a handler running for the length of its scope.

class MainWindow::HandlerScope {
 public:
  explicit HandlerScope(MainWindow& w) : w_(w) { ++w_.handler_depth_; }
  ~HandlerScope() {
    if (--w_.handler_depth_ == 0) w_.AfterHandler();
  }
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;

 private:
  MainWindow& w_;
};

// Non-client allowance: the layout reads outer window sizes, which differ
// between window managers; these constants keep it independent of them.
inline constexpr int kNonClientWidth = 8;
inline constexpr int kNonClientHeight = 45;

}  // namespace tw
