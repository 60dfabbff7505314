// The statistics dialogs: one game and player (totals, session, series),
// every game of a player, the best players of a game and the log of
// finished deals.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/state.h"
#include "core/stats.h"
#include "ui/bar_chart.h"
#include "ui/game_won.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QFontMetrics;
class QTableView;
class QTableWidget;

namespace tw {

// "Current: 2 won", "Current: 1 lost", "Current" without a streak.
QString CurrentStreakText(const StatRecord& r);

// The five best players of a game, greatest first: the won percentage, or
// the average score (truncated toward zero, 0 without deals). Equal values
// keep the later player of the list first.
std::vector<ChartBar> BestPlayersBars(GameContext& ctx, int game, const StringList& players,
                                      bool averageScore);

// The grid rows of the log, newest deal first; an empty game or player
// takes every line, otherwise the trimmed columns must equal it exactly.
using LogRow = std::array<QString, 8>;
std::vector<LogRow> ReadLogRows(const GameContext& ctx, const std::string& game,
                                const std::string& player, bool allGames, bool allPlayers);
// The same choice over lines already read: their indices, newest first.
std::vector<size_t> FilterLogLines(const std::vector<std::string_view>& lines,
                                   const std::string& game, const std::string& player,
                                   bool allGames, bool allPlayers);
// One cell of a log line's grid row (columns as in LogRow).
QString LogCellText(std::string_view line, int column);

// The log grid's rows over the lines read when the dialog opens: a cell's
// text is made when the view shows it, so a long log costs no more to open
// than a short one beyond reading it.
class LogTableModel : public QAbstractTableModel {
 public:
  static constexpr int kColumns = 8;
  explicit LogTableModel(QObject* parent = nullptr);
  // The log file's bytes, split into lines here.
  void SetLog(std::string bytes);
  void Filter(const std::string& game, const std::string& player, bool allGames,
              bool allPlayers);
  // The widest text of each column over every line, from the font's figures
  // and the distinct names.
  std::array<int, kColumns> TextWidths(const QFontMetrics& metrics) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  std::string bytes_;
  std::vector<std::string_view> lines_;
  std::vector<size_t> rows_;
};

// What the statistics dialog opens that lives elsewhere; an empty hook
// leaves its button disabled.
struct StatisticsHooks {
  std::function<void(int context)> Help;
  std::function<void(int game)> HiScores;
  std::function<void()> OverallScore;
  std::function<void()> ClearStatistics;
  // Runs once each dialog exists, before it is shown (tests).
  std::function<void(QDialog&)> Prepare;
};

class StatisticsDialog : public QDialog {
  Q_OBJECT

 public:
  StatisticsDialog(GameContext& ctx, StatisticsHooks hooks, QWidget* parent = nullptr);

  void RefreshStatistics();
  void UpdateStatisticsCaption();
  int ShownGame() const { return shown_game_; }
  const std::vector<ChartBar>& SeriesBars() const { return series_bars_; }
  QComboBox* Players() const { return cbo_players_; }
  QComboBox* Games() const { return cbo_games_; }
  QLabel* Label(const char* name) const;

  // The other dialogs, opened modally over this one.
  void ShowAllGames();
  void ShowPlayers();
  void ShowLog();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  GameContext& ctx_;
  StatisticsHooks hooks_;
  StringList players_;
  int shown_game_ = -1;
  int start_game_ = -1;
  QComboBox *cbo_players_ = nullptr, *cbo_games_ = nullptr;
  TotalsLabels total_, session_;
  QLabel *ser_won_caption_ = nullptr, *ser_lost_caption_ = nullptr, *ser_current_ = nullptr;
  QLabel *ser_won_ = nullptr, *ser_lost_ = nullptr;
  QLabel *ser_won_percent_ = nullptr, *ser_lost_percent_ = nullptr;
  QWidget* chart_ = nullptr;
  std::vector<ChartBar> series_bars_;
};

class AllGamesStatisticsDialog : public QDialog {
  Q_OBJECT

 public:
  AllGamesStatisticsDialog(GameContext& ctx, const StringList& players, int playerIndex,
                           std::function<void(int)> help, QWidget* parent = nullptr);
  void FillAllGamesGrid();
  QTableWidget* Grid() const { return grid_; }
  QComboBox* Players() const { return cbo_players_; }
  // 0 total, 1 current session, 2 series.
  void SetValueType(int type);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  GameContext& ctx_;
  QComboBox* cbo_players_ = nullptr;
  QButtonGroup* type_ = nullptr;
  QTableWidget* grid_ = nullptr;
};

class PlayersStatisticsDialog : public QDialog {
  Q_OBJECT

 public:
  PlayersStatisticsDialog(GameContext& ctx, const StringList& players, int gameIndex,
                          std::function<void(int)> help, QWidget* parent = nullptr);
  void DrawPlayersChart();
  const std::vector<ChartBar>& Bars() const { return bars_; }
  QListWidget* GamesList() const { return lsb_games_; }
  // 0 % games won, 1 average score.
  void SetValueType(int type);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  GameContext& ctx_;
  StringList players_;
  QListWidget* lsb_games_ = nullptr;
  QButtonGroup* type_ = nullptr;
  QWidget* chart_ = nullptr;
  std::vector<ChartBar> bars_;
};

class LogStatisticsDialog : public QDialog {
  Q_OBJECT

 public:
  // Item 0 of each combo is "[All players]" / "[All games]".
  LogStatisticsDialog(GameContext& ctx, const StringList& players, const StringList& games,
                      std::function<void(int)> help, QWidget* parent = nullptr);
  void FillLogGrid();
  QTableView* Grid() const { return grid_; }
  QComboBox* Players() const { return cbo_players_; }
  QComboBox* Games() const { return cbo_games_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  GameContext& ctx_;
  QComboBox *cbo_players_ = nullptr, *cbo_games_ = nullptr;
  LogTableModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
};

// The menu's ways in: which = 0 the game statistics, 1 players, 2 all
// games, 3 the log (the last three through an unshown statistics dialog).
// A game >= 0 and a player name select those instead of the current ones.
void ShowStatistics(GameContext& ctx, QWidget* parent, int which, const StatisticsHooks& hooks,
                    int game = -1, const std::string& player = {});

}  // namespace tw
