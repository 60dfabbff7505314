// The custom-rules dialog: a variant of the current game with other cards
// per stock click, redeals or empty-tableau start, stored as a custom game;
// for a custom game it also deletes it. The name dialog asks the variant's
// name.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "core/state.h"
#include "core/stats.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QGroupBox;

namespace tw {

namespace qt {
class Prompts;
}

inline constexpr int kCustomRulesHelpContext = 1023;
inline constexpr int kCustomNameHelpContext = 1024;
// A redeal count that, plus the first deal, still fits the record's three
// digits.
inline constexpr int kMaxRedeals = 998;
inline constexpr int kMaxCardsPerClick = 104;

// The three rule values of the dialog: cards per click, deals (-1
// unlimited) and start code (1 King only, 2 any card, 3 none, 0 unchanged).
struct CustomRuleValues {
  int cards = 1;
  int deals = 1;
  int start = 0;
  bool operator==(const CustomRuleValues&) const = default;
};

// The total label for a deals value (0: no redeals, -1: unlimited, "").
std::string TotalDealsText(int deals);

// Why a typed variant name is refused ("" when accepted): fewer than 3
// characters or a catalogue or custom game's name (letter case ignored).
std::string CheckCustomName(const GameContext& ctx, const std::string& name);

class CustomNameDialog : public QDialog {
  Q_OBJECT

 public:
  CustomNameDialog(GameContext& ctx, qt::Prompts& prompts, const std::string& gameName,
                   QWidget* parent);
  QLineEdit* NameBox() const { return edt_name_; }
  QPushButton* OkButton() const { return btn_ok_; }
  // Accepts when the name passes the check; otherwise explains and stays.
  void btnOKClick();

 private:
  GameContext& ctx_;
  qt::Prompts& prompts_;
  QLineEdit* edt_name_ = nullptr;
  QPushButton* btn_ok_ = nullptr;
};

class CustomRulesDialog : public QDialog {
  Q_OBJECT

 public:
  CustomRulesDialog(GameContext& ctx, qt::Prompts& prompts, QWidget* parent);

  // Controls from the current game's rules, the disallowed ones off.
  void FormShow();
  // Asks the name, then appends the record; accepts when written.
  void btnOKClick();
  // Deletes the current custom game; accepts when it is gone.
  void btnDeleteClick();
  CustomRuleValues Values() const;
  void UpdateControls();

  // Asks the variant's name (the name dialog by default); false: cancelled.
  using NameAsker = std::function<bool(std::string& name)>;
  void SetNameAsker(NameAsker ask) { ask_name_ = std::move(ask); }
  void SetDeleteHooks(DeleteGameHooks hooks) { delete_hooks_ = std::move(hooks); }
  void SetShowHelp(std::function<void(int)> f) { show_help_ = std::move(f); }

  // The outcome: the new game's number and name (-1 when none), or deleted.
  int CreatedGame() const { return created_; }
  const std::string& CreatedName() const { return created_name_; }
  bool Deleted() const { return deleted_; }

  QSpinBox* CardsBox() const { return spn_cards_; }
  QSpinBox* RedealsBox() const { return spn_redeals_; }
  QRadioButton* RedealsUnlimited() const { return rbt_unlimited_; }
  QRadioButton* RedealsSpecified() const { return rbt_specified_; }
  QRadioButton* RedealsNone() const { return rbt_none_; }
  QRadioButton* KingOnly() const { return rb_king_; }
  QRadioButton* AnyCard() const { return rb_any_; }
  QRadioButton* NoCard() const { return rb_no_; }
  QLabel* KingOnlyLine() const { return lbl_king_; }
  QGroupBox* TableauGroup() const { return grb_tableau_; }
  QLabel* TotalLabel() const { return lbl_total_; }
  QPushButton* OkButton() const { return btn_ok_; }
  QPushButton* DeleteButton() const { return btn_delete_; }

 protected:
  // A click on the King-only rule's second line checks that rule.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool AskName(std::string& name);

  GameContext& ctx_;
  qt::Prompts& prompts_;
  QTabWidget* pages_ = nullptr;
  QLabel* lbl_cards_ = nullptr;
  QSpinBox* spn_cards_ = nullptr;
  QGroupBox* grb_redeals_ = nullptr;
  QRadioButton* rbt_unlimited_ = nullptr;
  QRadioButton* rbt_specified_ = nullptr;
  QRadioButton* rbt_none_ = nullptr;
  QSpinBox* spn_redeals_ = nullptr;
  QLabel* lbl_total_ = nullptr;
  QGroupBox* grb_tableau_ = nullptr;
  QRadioButton* rb_king_ = nullptr;
  QRadioButton* rb_any_ = nullptr;
  QRadioButton* rb_no_ = nullptr;
  QLabel* lbl_king_ = nullptr;
  QPushButton* btn_ok_ = nullptr;
  QPushButton* btn_cancel_ = nullptr;
  QPushButton* btn_help_ = nullptr;
  QPushButton* btn_delete_ = nullptr;
  bool allow_cards_ = false, allow_deals_ = false, allow_start_ = false;
  CustomRuleValues shown_;
  int game_ = -1;
  int created_ = -1;
  std::string created_name_;
  bool deleted_ = false;
  NameAsker ask_name_;
  DeleteGameHooks delete_hooks_;
  std::function<void(int)> show_help_;
};

}  // namespace tw
