// The main window's results dialogs: the game-won dialog with the next-game
// choices it hands back, the hi-score table and clearing the statistics.
#include <QAction>

#include "ui/clear_stats.h"
#include "ui/game_won.h"
#include "ui/help_viewer.h"
#include "ui/hiscores_dialog.h"
#include "ui/main_window.h"

namespace tw {

GameWonDialog* MainWindow::GameWonForm() {
  if (!game_won_) game_won_ = new GameWonDialog(ctx_, this);
  return game_won_;
}

void MainWindow::ShowGameWon() {
  GameWonDialog* dialog = GameWonForm();
  GameWonHooks hooks;
  if (QAction* stats = Action("mnuGameStatistics"); stats && stats->isEnabled()) {
    hooks.Statistics = [stats] { stats->trigger(); };
  }
  hooks.CanSelect = [this] {
    const QAction* select = Action("mnuSelect");
    return select && select->isEnabled();
  };
  hooks.Help = [this](int context) {
    if (help_) help_->ShowTopic("proc", context);
  };
  dialog->SetHooks(std::move(hooks));
  const GameWonChoice choice = dialog->Run();
  // The won deal's handler is still running (the engine ended the deal from
  // a move): the choice waits until it has finished.
  if (HandlerRunning()) {
    after_handler_ = [this, choice] { RunGameWonChoice(choice); };
  } else {
    RunGameWonChoice(choice);
  }
}

void MainWindow::RunGameWonChoice(GameWonChoice choice) {
  switch (choice) {
    case GameWonChoice::NewGame:
      NewGameCommand();
      break;
    case GameWonChoice::Restart:
      RestartCommand();
      break;
    case GameWonChoice::Open:
    case GameWonChoice::Select:
      if (choice == GameWonChoice::Open) {
        RunOpenGame();
      } else if (QAction* select = Action("mnuSelect"); select && select->isEnabled()) {
        select->trigger();
      }
      // Nothing dealt: the dialog comes back.
      if (!ctx_.TfrmMain.GameInProgress) {
        ShowGameWon();
        return;
      }
      break;
    case GameWonChoice::None:
      break;
  }
  if (!ctx_.TfrmMain.GameInProgress) ShowBareTable();
}

void MainWindow::ShowHiScores(int place, const std::string& title) {
  tw::ShowHiScores(
      ctx_, this, false, place, title, -1,
      [this](int context) {
        if (help_) help_->ShowTopic("proc", context);
      },
      hiscores_prepare_);
  UpdateMainWindows();
}

void MainWindow::HiScoresCommand() {
  if (HandlerRunning()) return;
  tw::ShowHiScores(
      ctx_, this, true, -1, "", -1,
      [this](int context) {
        if (help_) help_->ShowTopic("proc", context);
      },
      hiscores_prepare_);
  UpdateMainWindows();
}

void MainWindow::ClearStatisticsCommand() {
  if (HandlerRunning()) return;
  ShowClearStatisticsDialog(ctx_, prompts_, this, [this](int context) {
    if (help_) help_->ShowTopic("proc", context);
  });
}

}  // namespace tw
