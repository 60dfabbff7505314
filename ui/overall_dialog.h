// The overall-score ranking of every player and the page that shows a
// player's stored score text for publishing.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "core/overall.h"
#include "core/state.h"

class QPushButton;
class QTableWidget;
class QLineEdit;

namespace tw {

inline constexpr int kOverallHelpContext = 4022;
inline constexpr int kOverallPublishHelpContext = 4023;

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

class OverallDialog : public QDialog {
  Q_OBJECT

 public:
  OverallDialog(GameContext& ctx, QWidget* parent);

  // Reads the ranking and fills the grid (it never shrinks).
  void FillGrid();
  void GridSelectionChanged();
  void btnInternetClick();
  // The pop-up menu's "Clear Hi-Scores and Overall score...".
  void mnuClearScoresClick();

  QTableWidget* Grid() const { return sl_scores_; }
  QPushButton* InternetButton() const { return btn_internet_; }
  const OverallRanking& Ranking() const { return ranking_; }

  void SetOpenUrl(std::function<void(const std::string&)> f) { open_url_ = std::move(f); }
  void SetShowHelp(std::function<void(int)> f) { show_help_ = std::move(f); }
  // Runs once the publishing dialog exists, before it is shown (tests).
  void SetPublishPrepare(std::function<void(OverallPublishDialog&)> f) {
    publish_prepare_ = std::move(f);
  }

 private:
  GameContext& ctx_;
  QTableWidget* sl_scores_ = nullptr;
  QPushButton* btn_internet_ = nullptr;
  OverallRanking ranking_;
  std::function<void(const std::string&)> open_url_;
  std::function<void(int)> show_help_;
  std::function<void(OverallPublishDialog&)> publish_prepare_;
};

}  // namespace tw
