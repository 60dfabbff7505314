// The players and overall-score commands of the main window.
#include <QApplication>
#include <QTimer>

#include "core/gamesfile.h"
#include "core/stats.h"
#include "engine/gameover.h"
#include "engine/newgame.h"
#include "platform/qt/prompts.h"
#include "table/view/table_view.h"
#include "ui/help_viewer.h"
#include "ui/main_window.h"
#include "ui/overall_dialog.h"
#include "ui/players_dialog.h"

namespace tw {

void MainWindow::PlayersCommand() {
  if (!InputAllowed()) return;
  bool changed = false;
  {
    PlayersDialog dialog(ctx_, prompts_, this);
    if (help_) dialog.SetShowHelp([this](int context) { help_->ShowTopic("proc", context); });
    dialog.SetChangePlayer([this](const std::string& player) {
      if (ConfirmQuitGame(ctx_, "Start new game for player " + player + "?") == 0) return false;
      HandlerScope scope(*this);
      GameOver(ctx_);
      ResetSessionCounters(ctx_);
      return true;
    });
    dialog.SetPlayersSaved([this] { UpdateMainCaption(); });
    if (players_prepare_) players_prepare_(dialog);
    changed = dialog.exec() == QDialog::Accepted && dialog.PlayerChanged();
  }
  UpdateMainWindows();
  if (!changed) return;
  ShowBareTable();
  RunOpenGame();
}

void MainWindow::OverallScoreCommand() {
  // From the statistics dialog over the game-won dialog a handler runs.
  if (HandlerRunning() ? !QApplication::activeModalWidget() : !InputAllowed()) return;
  OverallDialog dialog(ctx_, this);
  if (help_) dialog.SetShowHelp([this](int context) { help_->ShowTopic("proc", context); });
  dialog.SetOpenUrl([this](const std::string& url) { OpenWebOrMail("HTTP", url); });
  if (overall_prepare_) overall_prepare_(dialog);
  for (;;) {
    const int game = RunOverallDialog(dialog);
    UpdateMainWindows();
    if (game < 0 || PlayFromDialogs(game)) return;
    // The player kept the deal: the ranking comes back with the details.
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.btnDetailsClick(); });
  }
}

bool MainWindow::PlayFromDialogs(int game) {
  const std::string player = ctx_.Cfg(cfg::UserDefault);
  const std::string name = GameNameFromNumber(ctx_, game);
  // The dialogs it was chosen over (statistics, chooser, game won) close.
  auto closeDialogs = [] {
    while (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      dialog->reject();
    }
  };
  if (HandlerRunning()) {
    // A won deal's handler is still on the stack: play once it has ended.
    closeDialogs();
    play_after_handler_ = [this, game, name, player] {
      SelectGameAndPlayer(game, name, player, true);
    };
    return true;
  }
  if (!SelectGameAndPlayer(game, name, player, true)) return false;
  closeDialogs();
  return true;
}

}  // namespace tw
