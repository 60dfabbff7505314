// The players dialog and the name-entry dialog.
#include "ui/players_dialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "core/datafiles.h"
#include "core/stats.h"
#include "core/util.h"
#include "platform/qt/prompts.h"

namespace tw {

namespace {

QPushButton* MakeButton(const char* text, const char* name, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  return b;
}

// Sorted as the stored list is: without regard to case.
class PlayerItem : public QListWidgetItem {
 public:
  explicit PlayerItem(const QString& text) : QListWidgetItem(text) {}
  bool operator<(const QListWidgetItem& other) const override {
    return text().compare(other.text(), Qt::CaseInsensitive) < 0;
  }
};

}  // namespace

// ---- Name entry ----

PlayerNameDialog::PlayerNameDialog(bool edit, const std::string& name, qt::Prompts& prompts,
                                   NameCheck check, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      prompts_(prompts),
      check_(std::move(check)),
      help_context_(edit ? kEditPlayerHelpContext : kAddPlayerHelpContext) {
  setObjectName("frmOperatori2");
  setWindowTitle(edit ? "Edit a player" : "Add a player");
  auto* group = new QGroupBox("&Player name: ", this);
  edt_name_ = new QLineEdit(qt::FromLatin(name), group);
  edt_name_->setObjectName("edtOperatore");
  edt_name_->setMaxLength(kPlayerNameLength);
  edt_name_->setMinimumWidth(220);
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(edt_name_);
  auto* ok = MakeButton("OK", "btnOK", this);
  ok->setDefault(true);
  auto* cancel = MakeButton("Cancel", "btnAnnulla", this);
  auto* help = MakeButton("&?", "btnAiuto", this);
  help->setFixedWidth(32);

  auto* grid = new QGridLayout(this);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  grid->setContentsMargins(12, 12, 12, 12);
  grid->addWidget(group, 0, 0, 2, 1);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help, 0, Qt::AlignRight);
  buttons->addStretch();
  grid->addLayout(buttons, 0, 1, 2, 1);

  connect(ok, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] {
    if (show_help_) show_help_(help_context_);
  });
  setProperty("helpContext", help_context_);
  edt_name_->selectAll();
  edt_name_->setFocus();
}

void PlayerNameDialog::btnOKClick() {
  std::string latin;
  const std::string message = check_ ? check_(edt_name_->text(), latin) : "";
  if (message.empty()) {
    name_ = latin;
    accept();
    return;
  }
  prompts_.ShowMessage(message);
  edt_name_->setFocus();
  edt_name_->selectAll();
}

// ---- Players ----

PlayersDialog::PlayersDialog(GameContext& ctx, qt::Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ctx_(ctx),
      prompts_(prompts) {
  setObjectName("frmOperatori");
  setWindowTitle("Players");
  auto* label = new QLabel("&Select a player:", this);
  lbo_players_ = new QListWidget(this);
  lbo_players_->setObjectName("lboOperatori");
  lbo_players_->setSortingEnabled(true);
  lbo_players_->setMinimumSize(220, 220);
  label->setBuddy(lbo_players_);
  btn_ok_ = MakeButton("Select", "btnOK", this);
  btn_ok_->setDefault(true);
  auto* cancel = MakeButton("Cancel", "btnAnnulla", this);
  auto* help = MakeButton("&?", "btnAiuto", this);
  help->setFixedWidth(32);
  auto* add = MakeButton(" &New", "btnNuovo", this);
  btn_edit_ = MakeButton("&Edit", "btnModifica", this);
  btn_delete_ = MakeButton("&Delete", "btnCancella", this);

  auto* grid = new QGridLayout(this);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  grid->setContentsMargins(12, 12, 12, 12);
  grid->addWidget(label, 0, 0);
  grid->addWidget(lbo_players_, 1, 0);
  auto* side = new QVBoxLayout;
  side->addWidget(btn_ok_);
  side->addWidget(cancel);
  side->addWidget(help, 0, Qt::AlignRight);
  side->addSpacing(18);
  side->addWidget(add);
  side->addWidget(btn_edit_);
  side->addWidget(btn_delete_);
  side->addStretch();
  grid->addLayout(side, 1, 1);

  connect(btn_ok_, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] {
    if (show_help_) show_help_(kPlayersHelpContext);
  });
  connect(add, &QPushButton::clicked, this, [this] { btnNuovoClick(); });
  connect(btn_edit_, &QPushButton::clicked, this, [this] { btnModificaClick(); });
  connect(btn_delete_, &QPushButton::clicked, this, [this] { btnCancellaClick(); });
  connect(lbo_players_, &QListWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
  connect(lbo_players_, &QListWidget::itemDoubleClicked, this, [this] { btnOKClick(); });
  setProperty("helpContext", kPlayersHelpContext);
  FormShow();
}

void PlayersDialog::FormShow() {
  save_on_close_ = true;
  changed_ = false;
  lbo_players_->clear();
  StringList users;
  LoadUserList(ctx_, users);
  for (const std::string& u : users) lbo_players_->addItem(new PlayerItem(qt::FromLatin(u)));
  opening_player_ = TrimRightSpaces(ctx_.Cfg(cfg::UserDefault));
  SelectPlayer(opening_player_);
  UpdateButtons();
  lbo_players_->setFocus();
}

bool PlayersDialog::SelectPlayer(const std::string& name) {
  for (int i = 0; i < lbo_players_->count(); ++i) {
    if (TrimRightSpaces(qt::ToLatin(lbo_players_->item(i)->text())) == TrimRightSpaces(name)) {
      lbo_players_->setCurrentRow(i);
      return true;
    }
  }
  lbo_players_->setCurrentRow(-1);
  return false;
}

std::string PlayersDialog::SelectedPlayer() const {
  const QListWidgetItem* item = lbo_players_->currentItem();
  if (!item || !item->isSelected()) return "";
  return qt::ToLatin(item->text());
}

void PlayersDialog::UpdateButtons() {
  const bool selected = !SelectedPlayer().empty();
  btn_ok_->setEnabled(selected);
  btn_edit_->setEnabled(selected);
  btn_delete_->setEnabled(selected);
}

std::string PlayersDialog::CheckName(const QString& typed, std::string& latin, bool edit,
                                     const std::string& oldName) const {
  // Blanks around a name would keep it from ever matching its record.
  const QString text = typed.trimmed();
  if (text.isEmpty()) return "Please enter at least 1 character.";
  std::string message;
  if (!IsValidPlayerNameUtf8(text.toStdString(), &latin, &message)) return message;
  latin = TrimRightSpaces(latin);
  if (edit && latin == TrimRightSpaces(oldName)) return "";
  for (int i = 0; i < lbo_players_->count(); ++i) {
    if (TrimRightSpaces(qt::ToLatin(lbo_players_->item(i)->text())) == latin) {
      return "This player name already exists.";
    }
  }
  return "";
}

bool PlayersDialog::AskName(bool edit, const std::string& oldName, std::string& name) {
  PlayerNameDialog dialog(
      edit, oldName, prompts_,
      [this, edit, oldName](const QString& typed, std::string& latin) {
        return CheckName(typed, latin, edit, oldName);
      },
      this);
  if (show_help_) dialog.SetShowHelp(show_help_);
  if (name_prepare_) name_prepare_(dialog);
  if (dialog.exec() != QDialog::Accepted) return false;
  name = dialog.Name();
  return true;
}

void PlayersDialog::btnNuovoClick() {
  // A player beyond the stored ones would be lost when the list is saved.
  if (lbo_players_->count() >= kMaxPlayers) {
    prompts_.ShowMessage("No more than " + std::to_string(kMaxPlayers) +
                         " players can be kept. Delete a player first.");
    return;
  }
  std::string name;
  if (!AskName(false, "", name)) return;
  changed_ = true;
  lbo_players_->addItem(new PlayerItem(qt::FromLatin(name)));
  SelectPlayer(name);
  UpdateButtons();
}

void PlayersDialog::btnModificaClick() {
  const std::string oldName = SelectedPlayer();
  if (oldName.empty()) {
    prompts_.ShowMessage("Select a player.");
    return;
  }
  std::string name;
  if (!AskName(true, oldName, name)) return;
  changed_ = true;
  if (name == TrimRightSpaces(oldName)) return;
  // The results files and the stored player list change together: a rename
  // refused leaves both as they were, and a kill never splits them.
  PlayerList players;
  for (int i = 0; i < lbo_players_->count(); ++i) {
    const std::string entry = qt::ToLatin(lbo_players_->item(i)->text());
    players.Names.push_back(i == lbo_players_->currentRow() ? name : entry);
  }
  if (!RenamePlayerInStatFiles(ctx_, TrimRightSpaces(oldName), name, &players)) return;
  lbo_players_->currentItem()->setText(qt::FromLatin(name));
  lbo_players_->sortItems();
  SelectPlayer(name);
  if (TrimRightSpaces(oldName) == opening_player_) opening_player_ = name;
  if (TrimRightSpaces(oldName) == TrimRightSpaces(ctx_.Cfg(cfg::UserDefault))) {
    ctx_.SetCfg(cfg::UserDefault, name);
  }
  UpdateButtons();
}

void PlayersDialog::btnCancellaClick() {
  const std::string player = TrimRightSpaces(SelectedPlayer());
  if (player.empty()) return;
  if (player == TrimRightSpaces(ctx_.Cfg(cfg::UserDefault))) {
    prompts_.ShowMessage("It is impossible to delete the selected player.");
    return;
  }
  if (!prompts_.AskOkCancel("Are you sure you want to delete the selected player?\r"
                            "Note: also statistics of this player will be deleted.")) {
    return;
  }
  // Statistics that cannot be cleared keep their player.
  if (!ClearStatistics(ctx_, 0, player, true, false)) return;
  changed_ = true;
  delete lbo_players_->takeItem(lbo_players_->currentRow());
  lbo_players_->setCurrentRow(lbo_players_->count() > 0 ? 0 : -1);
  UpdateButtons();
}

void PlayersDialog::btnOKClick() {
  const std::string selected = TrimRightSpaces(SelectedPlayer());
  if (selected.empty()) {
    prompts_.ShowMessage("Select a player.");
    return;
  }
  player_changed_ = selected != opening_player_;
  if (player_changed_ && change_player_) {
    // The deal in play ends for the player who played it.
    const std::string current = ctx_.Cfg(cfg::UserDefault);
    ctx_.SetCfg(cfg::UserDefault, opening_player_);
    if (!change_player_(selected)) {
      ctx_.SetCfg(cfg::UserDefault, current);
      player_changed_ = false;
      return;
    }
  }
  save_on_close_ = false;
  SavePlayers(selected);
  accept();
}

void PlayersDialog::SavePlayers(const std::string& player) {
  prompts_.SetHourglass(true);
  prompts_.ProcessMessages();
  ctx_.SetCfg(cfg::UserDefault, player);
  std::vector<std::string> names;
  for (int i = 0; i < lbo_players_->count(); ++i) {
    names.push_back(qt::ToLatin(lbo_players_->item(i)->text()));
  }
  SavePlayerList(ctx_, changed_ ? &names : nullptr, player);
  if (players_saved_) players_saved_();
  prompts_.SetHourglass(false);
}

void PlayersDialog::done(int result) {
  if (save_on_close_) {
    save_on_close_ = false;
    SavePlayers(opening_player_);
  }
  QDialog::done(result);
}

void PlayersDialog::keyPressEvent(QKeyEvent* event) {
  if (lbo_players_->hasFocus() || event->modifiers() == Qt::NoModifier) {
    if (event->key() == Qt::Key_Delete) {
      btnCancellaClick();
      return;
    }
    if (event->key() == Qt::Key_Insert) {
      btnNuovoClick();
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

}  // namespace tw
