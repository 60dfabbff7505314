// The main window's small dialogs and the card-counter command.
#include <QAction>
#include <QSignalBlocker>

#include "core/datafiles.h"
#include "engine/caption.h"
#include "engine/gameover.h"
#include "engine/newgame.h"
#include "platform/qt/prompts.h"
#include "platform/sys/ini.h"
#include "table/view/table_view.h"
#include "ui/about.h"
#include "ui/card_counter.h"
#include "ui/deal_number.h"
#include "ui/favourites.h"
#include "ui/help_viewer.h"
#include "ui/main_window.h"
#include "ui/newsletter.h"
#include "ui/open_game.h"
#include "ui/tips.h"

namespace tw {

void MainWindow::SelectDealNumberCommand() {
  if (!InputAllowed() || setup_game_ < 0) return;
  DealNumberDialog dialog(ctx_, prompts_, this);
  if (help_) dialog.SetShowHelp([this](int context) { help_->ShowTopic("proc", context); });
  if (dialog.exec() != QDialog::Accepted) return;
  const std::string number = dialog.Number();
  UpdateMainWindows();
  HandlerScope scope(*this);
  if (ConfirmQuitGame(ctx_, "") == 0) return;
  GameOver(ctx_);
  ctx_.SetCfg(cfg::DealNumber, number);
  UpdateMainCaption();
  NewDeal(number);
}

void MainWindow::FavoriteGamesCommand() {
  if (!InputAllowed()) return;
  FavouritesDialog dialog(ctx_, this);
  if (help_) dialog.SetShowHelp([this](int context) { help_->ShowTopic("proc", context); });
  const bool changed = dialog.exec() == QDialog::Accepted;
  if (changed && open_game_) open_game_->RefreshFavouriteGamesFolder();
  UpdateMainWindows();
}

void MainWindow::CardCounterCommand() {
  QAction* item = Action("mnuCardCounter");
  if (!card_counter_) {
    if (item) {
      QSignalBlocker block(item);
      item->setChecked(false);
    }
    return;
  }
  const bool wasVisible = card_counter_->isVisible();
  card_counter_->hide();
  UpdateMainWindows();
  card_counter_->ResetCounter();
  card_counter_->RefreshIfPlaying();
  if (!wasVisible) {
    if (!card_counter_->Placed()) card_counter_->move(CardCounterHome(card_counter_->size()));
    card_counter_->show();
    card_counter_->raise();
  }
  if (item) {
    QSignalBlocker block(item);
    item->setChecked(card_counter_->isVisible());
  }
}

void MainWindow::TipsCommand() {
  {
    TipsDialog dialog(ctx_, this);
    dialog.exec();
  }
  UpdateMainWindows();
}

void MainWindow::NewsCommand() {
  RunNewsletter(
      view_.Library(), prompts_,
      [this](const std::string& kind, const std::string& address) { OpenWebOrMail(kind, address); },
      false, this);
  UpdateMainWindows();
}

void MainWindow::AboutCommand() {
  AboutDialog dialog(
      ctx_, view_.Library(),
      [this](const std::string& kind, const std::string& address) { OpenWebOrMail(kind, address); },
      this);
  dialog.exec();
  UpdateMainWindows();
}

void MainWindow::ShowStartupDialogs() {
  sys::IniFile ini(CfgFilePath(ctx_));
  if (ReadRunExeParameter(ctx_) >= 5 && ini.ReadString("Preference", "News_Question", "Y") != "N") {
    const bool offerNotAgain = ini.ReadString("Preference", "News_First_Display", "Y") != "Y";
    const bool notAgain = RunNewsletter(
        view_.Library(), prompts_,
        [this](const std::string& kind, const std::string& address) {
          OpenWebOrMail(kind, address);
        },
        offerNotAgain, this);
    if (notAgain) ini.WriteString("Preference", "News_Question", "N");
    ini.WriteString("Preference", "News_First_Display", "N");
    UpdateMainWindows();
  }
  if (ini.ReadString("Preference", "Tips_StartUp", "N") != "N") TipsCommand();
}

QPoint MainWindow::CardCounterHome(QSize counter) const {
  // The top row is the highest row of piles in use.
  const GameRulesRecord& rules = ctx_.GameRules;
  int top = kUnusedBelow;
  auto take = [&top](int y) {
    if (y > kUnusedBelow && (top == kUnusedBelow || y < top)) top = y;
  };
  if (rules.HasStock() == 1) take(ctx_.GetStockY(0));
  for (int i = 0; i < rules.FoundationCount(); ++i) take(ctx_.GetFoundationY(i));
  for (int i = 0; i < rules.ReserveCount(); ++i) take(ctx_.GetReserveY(i));
  for (int i = 0; i < rules.TableauCount(); ++i) take(ctx_.TableauY[static_cast<size_t>(i)]);
  const int below = std::max(top, 0) + ctx_.CardHeight + 12;
  const int left = std::max(surface_->width() - counter.width() - 24, 0);
  return surface_->mapToGlobal(QPoint(left, below));
}

void MainWindow::RestoreCardCounter() {
  if (!card_counter_) return;
  if (card_counter_->LoadCounterSettings() && !card_counter_->isVisible()) CardCounterCommand();
}

}  // namespace tw
