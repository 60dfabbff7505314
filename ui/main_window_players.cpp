// The players and overall-score commands of the main window.
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
  if (!InputAllowed()) return;
  {
    OverallDialog dialog(ctx_, this);
    if (help_) dialog.SetShowHelp([this](int context) { help_->ShowTopic("proc", context); });
    dialog.SetOpenUrl([this](const std::string& url) { OpenWebOrMail("HTTP", url); });
    dialog.exec();
  }
  UpdateMainWindows();
}

}  // namespace tw
