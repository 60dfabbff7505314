// One game's table of the 20 best results, for viewing or after a deal made
// the table; the list beside it shows any other game's table.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

#include "core/state.h"

class QLabel;
class QListWidget;
class QMenu;
class QTableWidget;

namespace tw {

namespace qt {
class Prompts;
}

// The seven cells of a stored record, as the grid shows them (place
// 1-based). A blank record leaves score, time and date empty.
struct HiScoreRow {
  QString Place, Player, Score, Time, WonLost, Date, Deal;
};
HiScoreRow HiScoreRowOf(int place, const std::string& record);

class HiScoresDialog : public QDialog {
  Q_OBJECT

 public:
  HiScoresDialog(GameContext& ctx, QWidget* parent);

  // Before showing: the game (-1: the current one), a one-time caption, the
  // new-entry picture and the row of the new entry (0-based, -1: none).
  void SetGame(int game) { game_ = game; }
  void SetTitleOnce(const std::string& title) { title_ = title; }
  void SetNewEntry(bool isNew, int place);
  void SetHelp(std::function<void(int context)> help) { help_ = std::move(help); }

  // Fills the grid from the game selected in the list.
  void FillGrid();
  // The popup's "Clear Hi-Scores...".
  void ClearHiScores();

  QTableWidget* Grid() const { return grid_; }
  QListWidget* Games() const { return games_; }
  QMenu* Popup() const { return popup_; }
  bool ShowsNewEntryPicture() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  GameContext& ctx_;
  int game_ = -1;
  std::string title_;
  int place_ = -1;
  bool filled_list_ = false;
  std::function<void(int)> help_;
  QTableWidget* grid_ = nullptr;
  QListWidget* games_ = nullptr;
  QLabel* img_score_ = nullptr;
  QLabel* img_new_score_ = nullptr;
  QMenu* popup_ = nullptr;
};

// Shows the table modally: view only, or a new entry at place (0-based)
// with a one-time title (empty: the normal caption); game -1 is the current
// game. Plays the table's sound. Runs prepare (tests) once the dialog exists.
void ShowHiScores(GameContext& ctx, QWidget* parent, bool viewOnly, int place,
                  const std::string& title, int game, std::function<void(int)> help,
                  const std::function<void(HiScoresDialog&)>& prepare = {});

}  // namespace tw
