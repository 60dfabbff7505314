// The dialog after a won deal: the player's totals for the game with a pie
// of the won share, and what to do next. The next-game choices end the
// dialog with a choice its opener carries out (a modal dialog cannot hide
// itself while the main window deals and show itself again).
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

#include "core/state.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace tw {

// Which of the 21 pie pictures shows a lost share p (percent, -1 without
// deals): Step in tenths of a percent (500, 525 .. 975, 1000), -1 for the
// no-values picture; Swapped when its colours change places.
struct PieChoice {
  int Step = -1;
  bool Swapped = false;
  bool operator==(const PieChoice&) const = default;
};
PieChoice ChoosePiePicture(int p);

// The stored picture of a step: a pie with the step's share red (maroon
// edge), the rest lime (green edge), on silver; -1: an empty grey pie.
QImage PieSourcePicture(int step);
// Red and lime change places, maroon and yellow become green and lime.
QImage SwapPieColours(const QImage& picture);
// The chart for a lost share p on a background of the given colour, centred
// in an image of the given size (silver is see-through).
QImage DrawPiePicture(int p, QSize size, QColor background);

// Won and lost deals as the totals show them.
struct GameTotals {
  int64_t Won = 0, Lost = 0;
  int WonPercent = 0, LostPercent = 0;  // both 0 without deals
  bool Any() const { return Won + Lost > 0; }
};
GameTotals ComputeTotals(int64_t won, int64_t lost);

// The labels one set of totals fills (any may be null).
struct TotalsLabels {
  QLabel *WonCaption = nullptr, *LostCaption = nullptr, *TotalCaption = nullptr;
  QLabel *Won = nullptr, *WonPercent = nullptr, *Lost = nullptr, *LostPercent = nullptr;
  QLabel* Total = nullptr;
  QLabel* Chart = nullptr;
};
// Fills the labels and the chart for the game (catalogue name) and player;
// returns the won percentage.
int ShowTotals(GameContext& ctx, const std::string& gameName, const std::string& player,
               const TotalsLabels& labels);

enum class GameWonChoice { None, NewGame, Restart, Open, Select };

struct GameWonHooks {
  // The statistics dialog; empty leaves its button off.
  std::function<void()> Statistics;
  // Whether the main window can choose a deal number now.
  std::function<bool()> CanSelect;
  std::function<void(int context)> Help;
};

class GameWonDialog : public QDialog {
  Q_OBJECT

 public:
  GameWonDialog(GameContext& ctx, QWidget* parent);
  void SetHooks(GameWonHooks hooks) { hooks_ = std::move(hooks); }

  // Shows the dialog modally (totals read afresh) and returns the choice.
  GameWonChoice Run();
  void RefreshTotals();
  GameWonChoice Choice() const { return choice_; }

  QPushButton* Button(GameWonChoice c) const;
  QPushButton* StatisticsButton() const { return btn_stats_; }
  QPushButton* CancelButton() const { return btn_cancel_; }
  const TotalsLabels& Labels() const { return labels_; }
  QString GroupTitle() const;

 private:
  void Choose(GameWonChoice c);

  GameContext& ctx_;
  GameWonHooks hooks_;
  GameWonChoice choice_ = GameWonChoice::None;
  QGroupBox* group_ = nullptr;
  TotalsLabels labels_;
  QPushButton *btn_new_ = nullptr, *btn_restart_ = nullptr, *btn_open_ = nullptr;
  QPushButton *btn_select_ = nullptr, *btn_stats_ = nullptr, *btn_cancel_ = nullptr;
  QPushButton* btn_help_ = nullptr;
};

}  // namespace tw
