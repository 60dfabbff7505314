// Clearing the statistics of one player and/or game, or all of them.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "core/state.h"

class QComboBox;

namespace tw {

namespace qt {
class Prompts;
}

inline constexpr const char* kAllPlayersItem = "[All players]";
inline constexpr const char* kAllGamesItem = "[All games]";

class ClearStatisticsDialog : public QDialog {
  Q_OBJECT

 public:
  ClearStatisticsDialog(GameContext& ctx, qt::Prompts& prompts, QWidget* parent);
  void SetHelp(std::function<void(int context)> help) { help_ = std::move(help); }

  QComboBox* Players() const { return players_; }
  QComboBox* GamesCombo() const { return games_; }
  // OK: asks, clears what the combos say, tells the user and closes; a "no"
  // leaves the dialog open.
  void Confirm();

 private:
  GameContext& ctx_;
  qt::Prompts& prompts_;
  std::function<void(int)> help_;
  QComboBox* players_ = nullptr;
  QComboBox* games_ = nullptr;
};

// Modally; prepare (tests) runs once the dialog exists.
void ShowClearStatisticsDialog(GameContext& ctx, qt::Prompts& prompts, QWidget* parent,
                               std::function<void(int)> help,
                               const std::function<void(ClearStatisticsDialog&)>& prepare = {});

}  // namespace tw
