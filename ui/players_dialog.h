// The players dialog (choose, add, rename and delete players) and its small
// name-entry dialog.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "core/state.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tw {

namespace qt {
class Prompts;
}

inline constexpr int kPlayersHelpContext = 1002;
inline constexpr int kAddPlayerHelpContext = 1003;
inline constexpr int kEditPlayerHelpContext = 1018;
// "Users" holds "User001".."User020".
inline constexpr int kMaxPlayers = 20;
// The width of a player name in the files.
inline constexpr int kPlayerNameLength = 30;

// The name-entry dialog: OK asks check for the typed text and stays open
// with its message while check refuses it.
class PlayerNameDialog : public QDialog {
  Q_OBJECT

 public:
  // check returns "" for an accepted name (latin receives its single-byte
  // text), otherwise the message to show.
  using NameCheck = std::function<std::string(const QString& typed, std::string& latin)>;
  PlayerNameDialog(bool edit, const std::string& name, qt::Prompts& prompts, NameCheck check,
                   QWidget* parent);

  void btnOKClick();
  const std::string& Name() const { return name_; }
  QLineEdit* NameEdit() const { return edt_name_; }
  void SetShowHelp(std::function<void(int)> f) { show_help_ = std::move(f); }

 private:
  qt::Prompts& prompts_;
  NameCheck check_;
  QLineEdit* edt_name_ = nullptr;
  std::string name_;
  int help_context_;
  std::function<void(int)> show_help_;
};

class PlayersDialog : public QDialog {
  Q_OBJECT

 public:
  PlayersDialog(GameContext& ctx, qt::Prompts& prompts, QWidget* parent);

  // Fills the list from "Users" and selects the current player.
  void FormShow();
  void btnNuovoClick();
  void btnModificaClick();
  void btnCancellaClick();
  // Select: a different player asks through change_player (false keeps the
  // dialog open); the players are saved and the dialog accepted.
  void btnOKClick();

  // Selects the entry with that name; false when it is not in the list.
  bool SelectPlayer(const std::string& name);
  std::string SelectedPlayer() const;
  bool PlayerChanged() const { return player_changed_; }

  QListWidget* List() const { return lbo_players_; }
  QPushButton* SelectButton() const { return btn_ok_; }
  QPushButton* EditButton() const { return btn_edit_; }
  QPushButton* DeleteButton() const { return btn_delete_; }

  // Asked before the player changes to the given one: ends the deal of the
  // old player; false keeps the dialog open.
  void SetChangePlayer(std::function<bool(const std::string&)> f) { change_player_ = std::move(f); }
  // After the players were saved (the main caption).
  void SetPlayersSaved(std::function<void()> f) { players_saved_ = std::move(f); }
  // Runs once each name-entry dialog exists, before it is shown (tests).
  void SetNamePrepare(std::function<void(PlayerNameDialog&)> f) { name_prepare_ = std::move(f); }
  void SetShowHelp(std::function<void(int)> f) { show_help_ = std::move(f); }

  void done(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // "" when the typed name may be added (or may replace oldName).
  std::string CheckName(const QString& typed, std::string& latin, bool edit,
                        const std::string& oldName) const;
  bool AskName(bool edit, const std::string& oldName, std::string& name);
  void SavePlayers(const std::string& player);
  void UpdateButtons();

  GameContext& ctx_;
  qt::Prompts& prompts_;
  QListWidget* lbo_players_ = nullptr;
  QPushButton* btn_ok_ = nullptr;
  QPushButton* btn_edit_ = nullptr;
  QPushButton* btn_delete_ = nullptr;
  std::string opening_player_;
  bool changed_ = false;
  bool save_on_close_ = true;
  bool player_changed_ = false;
  std::function<bool(const std::string&)> change_player_;
  std::function<void()> players_saved_;
  std::function<void(PlayerNameDialog&)> name_prepare_;
  std::function<void(int)> show_help_;
};

}  // namespace tw
