#include "ui/clear_stats.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/datafiles.h"
#include "core/gamesfile.h"
#include "core/stats.h"
#include "core/util.h"
#include "platform/qt/prompts.h"
#include "ui/game_lists.h"

namespace tw {

ClearStatisticsDialog::ClearStatisticsDialog(GameContext& ctx, qt::Prompts& prompts,
                                             QWidget* parent)
    : QDialog(parent), ctx_(ctx), prompts_(prompts) {
  setObjectName("frmStatisCanc");
  setWindowTitle("Clear statistics");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

  auto* group = new QGroupBox("Clear statistics", this);
  players_ = new QComboBox(group);
  players_->setObjectName("cboPlayers");
  games_ = new QComboBox(group);
  games_->setObjectName("cboGames");
  games_->setMaxVisibleItems(10);
  players_->setMinimumWidth(240);
  games_->setMinimumWidth(240);
  auto* form = new QFormLayout;
  auto* playerLabel = new QLabel("For player:", group);
  auto* gameLabel = new QLabel("For game:", group);
  form->addRow(playerLabel, players_);
  form->addRow(gameLabel, games_);
  auto* note = new QLabel("Select [All players] and [All games] to delete all statistics.", group);
  note->setWordWrap(true);
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addLayout(form);
  groupLayout->addSpacing(4);
  groupLayout->addWidget(note);

  // Player names: the sorted list after the "all" item.
  StringList users;
  LoadUserList(ctx_, users);
  players_->addItem(kAllPlayersItem);
  for (const std::string& u : users) players_->addItem(qt::FromLatin(u));
  const QString current = qt::FromLatin(TrimRightSpaces(ctx_.Cfg(cfg::UserDefault)));
  for (int i = 1; i < players_->count(); ++i) {
    if (players_->itemText(i).compare(current, Qt::CaseInsensitive) == 0) {
      players_->setCurrentIndex(i);
      break;
    }
  }
  int64_t game = -1;
  if (!ParseInt(Trim(ctx_.Cfg(cfg::Game)), game)) game = -1;
  FillGamesCombo(ctx_, games_, static_cast<int>(game));
  const int chosen = games_->currentIndex();
  games_->insertItem(0, kAllGamesItem);
  games_->setCurrentIndex(chosen < 0 ? 0 : chosen + 1);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("btnOK");
  ok->setAutoDefault(false);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("btnAnnulla");
  cancel->setDefault(true);
  auto* help = new QPushButton("&?", this);
  help->setObjectName("btnAiuto");
  help->setAutoDefault(false);
  help->setFixedWidth(help->sizeHint().height() + 6);
  connect(ok, &QPushButton::clicked, this, &ClearStatisticsDialog::Confirm);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] {
    if (help_) help_(1010);
  });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->addWidget(group);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ClearStatisticsDialog::Confirm() {
  const std::string player = qt::ToLatin(players_->currentText());
  const std::string gameText = games_->currentIndex() <= 0
                                   ? std::string(kAllGamesItem)
                                   : ItemGameName(games_, games_->currentIndex());
  if (!prompts_.AskYesNo("Are you sure you want to clear statistics for player: " + player +
                         "\nfor game: " + TrimRightSpaces(gameText) + "?")) {
    return;
  }
  const bool allPlayers = players_->currentIndex() <= 0;
  const bool allGames = games_->currentIndex() <= 0;
  const int game = allGames ? -1 : GameNumberFromName(ctx_, gameText);
  // A name without a number clears nothing rather than some other game.
  if (!allGames && game < 0) return;
  // A failure has been told; the dialog stays for another try.
  if (!ClearStatistics(ctx_, game, player, allGames, allPlayers)) return;
  int64_t current = -1;
  if (!ParseInt(Trim(ctx_.Cfg(cfg::Game)), current)) current = -1;
  if (allGames || allPlayers || game == current) ResetSessionCounters(ctx_);
  prompts_.ShowMessage("Statistics cleared.");
  accept();
}

void ShowClearStatisticsDialog(GameContext& ctx, qt::Prompts& prompts, QWidget* parent,
                               std::function<void(int)> help,
                               const std::function<void(ClearStatisticsDialog&)>& prepare) {
  ClearStatisticsDialog dialog(ctx, prompts, parent);
  dialog.SetHelp(std::move(help));
  if (prepare) prepare(dialog);
  dialog.exec();
  if (parent) parent->repaint();
}

}  // namespace tw
