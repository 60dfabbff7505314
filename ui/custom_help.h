// The rules summary of a custom game: its three changeable rules beside
// those of the game it comes from, and the way to that game's rules.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "core/state.h"

class QLabel;
class QPushButton;

namespace tw {

class CustomHelpDialog : public QDialog {
  Q_OBJECT

 public:
  // name: the custom game's name as shown.
  CustomHelpDialog(GameContext& ctx, int game, const std::string& name, QWidget* parent);

  // "&Rules": the rules of the base game.
  void SetShowBaseRules(std::function<void(int baseGame)> show) { show_rules_ = std::move(show); }
  int BaseGame() const { return base_game_; }
  // Custom and base values: cards dealt, redeals, tableau spaces.
  QString Value(int row, int column) const;
  void btnHelpStandardClick();

 private:
  int base_game_ = -1;
  QLabel* values_[3][2] = {};
  QPushButton* btn_help_standard_ = nullptr;
  std::function<void(int)> show_rules_;
};

// Redeals from a deals word: -1 "Unlimited", 0 "0", otherwise one less.
QString RedealsText(int deals);

}  // namespace tw
