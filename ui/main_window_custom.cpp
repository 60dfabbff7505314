// The custom-rules command: derive, start or delete a custom game.
#include "core/gamesfile.h"
#include "core/util.h"
#include "engine/gameover.h"
#include "platform/qt/prompts.h"
#include "ui/custom_rules.h"
#include "ui/help_viewer.h"
#include "ui/main_window.h"
#include "ui/open_game.h"

namespace tw {

void MainWindow::CustomizeRulesCommand() {
  // The dialog reads the rules of the game set up for play.
  if (!InputAllowed() || setup_game_ < 0 || ctx_.GameRules.CardCount() == 0) return;
  CustomRulesDialog dialog(ctx_, prompts_, this);
  if (help_) dialog.SetShowHelp([this](int context) { help_->ShowTopic("proc", context); });
  DeleteGameHooks hooks;
  hooks.EndDealAndDeselect = [this] { NoGameSelected(); };
  hooks.RebuildGameTree = [this] {
    if (open_game_) open_game_->RefreshCustomGamesFolder();
  };
  dialog.SetDeleteHooks(hooks);
  if (custom_rules_prepare_) custom_rules_prepare_(dialog);
  const bool done = dialog.exec() == QDialog::Accepted;
  UpdateMainWindows();
  if (open_game_) open_game_->RefreshCustomGamesFolder();
  if (!done) return;
  if (dialog.Deleted()) {
    if (HasOpenGame()) RunOpenGame();
    return;
  }
  if (dialog.CreatedGame() < 0) return;
  if (ctx_.TfrmMain.GameInProgress == 0 || ctx_.TfrmMain.GameWon != 0) return;
  const std::string name = dialog.CreatedName();
  if (!prompts_.AskYesNo("Do you want to start the new game\r" + name +
                         "\rand quit the current game now?")) {
    return;
  }
  // The question above stands for the quit confirmation.
  const std::string confirm = ctx_.Cfg(cfg::ConfirmQuitGame);
  ctx_.SetCfg(cfg::ConfirmQuitGame, "N");
  // Remembered as a game chosen in its folder: the next run offers it.
  if (SelectGameAndPlayer(dialog.CreatedGame(), name, ctx_.Cfg(cfg::UserDefault), false)) {
    WriteGamePreference(ctx_, dialog.CreatedGame(), name, tree_id::kCustom);
  }
  ctx_.SetCfg(cfg::ConfirmQuitGame, confirm);
}

}  // namespace tw
