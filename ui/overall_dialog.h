// The overall-score ranking of every player and the page that shows a
// player's stored score text for publishing.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "core/overall.h"
#include "core/state.h"

class QEvent;

class QLabel;
class QPushButton;
class QTableWidget;
class QLineEdit;

namespace tw {

inline constexpr int kOverallHelpContext = 4022;
inline constexpr int kOverallPublishHelpContext = 4023;
inline constexpr int kOverallDetailsHelpContext = 4024;

class OverallPublishDialog : public QDialog {
  Q_OBJECT

 public:
  // raw: the stored 68-character text (three parts of 28, 28 and 12).
  OverallPublishDialog(const std::string& raw, const std::string& webPage, QWidget* parent);
  // The three parts, trailing blanks removed, joined.
  static std::string ScoreText(const std::string& raw);
  QLineEdit* ScoreEdit() const { return edt_score_; }
  void SetOpenUrl(std::function<void(const std::string&)> f) { open_url_ = std::move(f); }
  void SetShowHelp(std::function<void(int)> f) { show_help_ = std::move(f); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* edt_score_ = nullptr;
  QLineEdit* edt_web_ = nullptr;
  std::function<void(const std::string&)> open_url_;
  std::function<void(int)> show_help_;
};

// One player's best result of every game. "Play this game" ends the dialog
// with the selected game for the opener to start.
class OverallDetailsDialog : public QDialog {
  Q_OBJECT

 public:
  OverallDetailsDialog(GameContext& ctx, const std::string& player, const QString& score,
                       const QString& time, QWidget* parent);

  QTableWidget* Grid() const { return sl_details_; }
  QPushButton* PlayButton() const { return btn_play_; }
  // The game chosen with "Play this game", -1 when none.
  int PlayGame() const { return play_game_; }
  void btnPlayClick();
  void SetShowHelp(std::function<void(int)> f) { show_help_ = std::move(f); }

 private:
  GameContext& ctx_;
  QTableWidget* sl_details_ = nullptr;
  QPushButton* btn_play_ = nullptr;
  int play_game_ = -1;
  std::function<void(int)> show_help_;
};

class OverallDialog : public QDialog {
  Q_OBJECT

 public:
  OverallDialog(GameContext& ctx, QWidget* parent);

  // Reads the ranking and fills the grid (it never shrinks).
  void FillGrid();
  void GridSelectionChanged();
  void btnDetailsClick();
  void btnInternetClick();
  // How the last exec() ended: the opener carries out the action.
  enum class Action { None, Publish, Play };
  Action LastAction() const { return action_; }
  // The game chosen with "Play this game" in the details.
  int PlayGame() const { return play_game_; }
  // The publishing page of the selected player (the ranking is not shown
  // meanwhile).
  void ShowPublishPage();
  // The pop-up menu's "Clear Hi-Scores and Overall score...".
  void mnuClearScoresClick();

  QTableWidget* Grid() const { return sl_scores_; }
  QPushButton* InternetButton() const { return btn_internet_; }
  QPushButton* DetailsButton() const { return btn_details_; }
  QLabel* ChampionsLink() const { return lbl_www_champion_; }
  const OverallRanking& Ranking() const { return ranking_; }

  void SetOpenUrl(std::function<void(const std::string&)> f) { open_url_ = std::move(f); }
  void SetShowHelp(std::function<void(int)> f) { show_help_ = std::move(f); }
  // Runs once the publishing dialog exists, before it is shown (tests).
  void SetPublishPrepare(std::function<void(OverallPublishDialog&)> f) {
    publish_prepare_ = std::move(f);
  }
  void SetDetailsPrepare(std::function<void(OverallDetailsDialog&)> f) {
    details_prepare_ = std::move(f);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  GameContext& ctx_;
  QTableWidget* sl_scores_ = nullptr;
  QPushButton* btn_internet_ = nullptr;
  QPushButton* btn_details_ = nullptr;
  QLabel* lbl_www_champion_ = nullptr;
  OverallRanking ranking_;
  int play_game_ = -1;
  int publish_row_ = -1;
  Action action_ = Action::None;
  std::function<void(const std::string&)> open_url_;
  std::function<void(int)> show_help_;
  std::function<void(OverallPublishDialog&)> publish_prepare_;
  std::function<void(OverallDetailsDialog&)> details_prepare_;
};

// Shows the ranking until the player leaves it, with the publishing page
// in between; the game chosen to play, -1 when none.
int RunOverallDialog(OverallDialog& dialog);

}  // namespace tw
