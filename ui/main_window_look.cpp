// Tools/Customize and Tools/Options: the dialogs and their settings applied
// to the window and the table at once.
#include <QApplication>
#include <QFrame>
#include <cstdlib>
#include <memory>

#include "platform/qt/prompts.h"
#include "table/geometry.h"
#include "table/layout.h"
#include "table/view/table_view.h"
#include "ui/clear_stats.h"
#include "ui/customize_dialog.h"
#include "ui/help_viewer.h"
#include "ui/main_window.h"
#include "ui/options_dialog.h"

namespace tw {

void MainWindow::ApplyTableLook() {
  SetFanSteps(ctx_);
  SetCardSize(ctx_);
  view_.ReloadCardPictures();
  if ((ctx_.TfrmMain.GameInProgress || view_.KeepsIdleTable()) && ctx_.GameRules.CardCount() != 0) {
    ComputeLayout(ctx_, CurrentLayoutInput());
    view_.RedrawWholeTable();
  } else {
    ShowBareTable();
  }
  UpdateMainWindows();
}

void MainWindow::CustomizeCommand() {
  if (!InputAllowed() || !customize_allowed_) return;
  HandlerScope scope(*this);
  std::unique_ptr<TfrmCustomize> dialog;
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    dialog = std::make_unique<TfrmCustomize>(ctx_, view_.Library(), prompts_, view_.ColourCount(),
                                             this);
    QApplication::restoreOverrideCursor();
  }
  dialog->SetApplyLook([this] { ApplyTableLook(); });
  if (help_) dialog->SetHelp([this](int context) { help_->ShowTopic("proc", context); });
  if (customize_prepare_) customize_prepare_(*dialog);
  dialog->exec();
  SetTableCursor(std::atoi(ctx_.Cfg(cfg::Cursor).c_str()));
}

void MainWindow::OptionsCommand() {
  if (!InputAllowed()) return;
  HandlerScope scope(*this);
  TfrmOpzioni dialog(ctx_, this);
  if (help_) dialog.SetHelp([this](int context) { help_->ShowTopic("proc", context); });
  dialog.SetClearStatistics([this, d = &dialog] {
    ShowClearStatisticsDialog(ctx_, prompts_, d, [this](int context) {
      if (help_) help_->ShowTopic("proc", context);
    });
  });
  if (options_prepare_) options_prepare_(dialog);
  if (dialog.exec() == QDialog::Accepted) {
    SetToolbarLarge(dialog.ToolbarLarge(), false);
    SetToolbarFlat(dialog.ToolbarFlat(), false);
    ShowTimePanel(ctx_.CfgIs(cfg::Show_Time, "Y"), false);
    ShowScorePanel(ctx_.CfgIs(cfg::Show_Score, "Y"), false);
    pnl_status_bar_->setVisible(!ctx_.CfgIs(cfg::StatusBar, "N"));
    EnableUndoRedo(!ctx_.CfgIs(cfg::Undo_Enabled, "2"));
    if (dialog.ScrollBarChanged()) UpdateTableScroll();
  } else {
    UpdateMainWindows();
  }
  // The dialog may have covered the selected cards of a pair game.
  if (!ctx_.FilaPiles.empty()) {
    view_.HighlightSelectedCards(view_.TableBmp(), false);
    view_.HighlightSelectedCards(view_.WindowCanvas(), true);
  }
  SetTableCursor(std::atoi(ctx_.Cfg(cfg::Cursor).c_str()));
  UpdateMainWindows();
}

}  // namespace tw
