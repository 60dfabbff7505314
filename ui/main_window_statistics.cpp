// The statistics commands of the main window.
#include <QAction>
#include <QApplication>

#include "ui/clear_stats.h"
#include "ui/help_viewer.h"
#include "ui/hiscores_dialog.h"
#include "ui/main_window.h"
#include "ui/statistics_dialog.h"

namespace tw {

void MainWindow::StatisticsCommand(int which, int game, const std::string& player, QWidget* over) {
  // From a dialog over a running handler (the game-won dialog) the request
  // can only come from that dialog.
  if (HandlerRunning() && !QApplication::activeModalWidget()) return;
  const std::function<void(int)> help = [this](int context) {
    if (help_) help_->ShowTopic("proc", context);
  };
  StatisticsHooks hooks;
  hooks.Help = help;
  hooks.HiScores = [this, help](int game) {
    tw::ShowHiScores(ctx_, this, true, -1, "", game, help, hiscores_prepare_);
  };
  if (QAction* overall = Action("mnuOverallScore"); overall && overall->isEnabled()) {
    hooks.OverallScore = [overall] { overall->trigger(); };
  }
  hooks.ClearStatistics = [this, help] {
    ShowClearStatisticsDialog(ctx_, prompts_, this, help);
    UpdateMainWindows();
  };
  hooks.Prepare = statistics_prepare_;
  ShowStatistics(ctx_, over ? over : this, which, hooks, game, player);
  // The table under the dialog shows its selection again.
  UpdateMainWindows();
}

}  // namespace tw
