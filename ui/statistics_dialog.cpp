#include "ui/statistics_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "core/datafiles.h"
#include "core/gamelists.h"
#include "core/gamesfile.h"
#include "core/util.h"
#include "platform/qt/prompts.h"
#include "platform/sys/files.h"
#include "ui/game_lists.h"

namespace tw {

namespace {

constexpr int kHelpStatistics = 4008, kHelpAllGames = 1008, kHelpPlayers = 1007,
              kHelpLog = 1009;
const char* const kAllPlayers = "[All players]";
const char* const kAllGames = "[All games]";

QString Percent(int64_t won, int64_t lost, bool wonShare) {
  const GameTotals t = ComputeTotals(won, lost);
  if (!t.Any()) return QString();
  return QString("(%1%)").arg(wonShare ? t.WonPercent : t.LostPercent);
}

// Columns first..first+count-1 (from 1) of a line, short lines padded.
std::string Columns(std::string_view line, size_t first, size_t count) {
  if (line.size() < first) return std::string();
  return std::string(line.substr(first - 1, count));
}

int CurrentGame(const GameContext& ctx) {
  int64_t game = -1;
  if (!ParseInt(Trim(ctx.Cfg(cfg::Game)), game)) return -1;
  return static_cast<int>(game);
}

bool AllDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  return b;
}

void SetUpGrid(QTableView* grid, const char* name) {
  grid->setObjectName(name);
  grid->verticalHeader()->hide();
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setWordWrap(false);
}

void SetFirstWidths(QTableView* grid, const std::vector<int>& widths) {
  int total = 0;
  for (size_t i = 0; i < widths.size(); ++i) {
    grid->setColumnWidth(static_cast<int>(i), widths[i] + 10);
    total += widths[i] + 10;
  }
  grid->setMinimumWidth(total + 24);
}

QTableWidget* MakeGrid(QWidget* parent, const char* name, const std::vector<int>& widths) {
  auto* grid = new QTableWidget(parent);
  SetUpGrid(grid, name);
  grid->setColumnCount(static_cast<int>(widths.size()));
  SetFirstWidths(grid, widths);
  return grid;
}

// Columns grow to show every value whole (text widths given per column);
// the grid grows with them.
void WidenColumns(QTableView* grid, const std::vector<int>& textWidths) {
  int total = 0;
  for (int c = 0; c < grid->model()->columnCount(); ++c) {
    int wanted = grid->horizontalHeader()->sectionSizeHint(c);
    if (static_cast<size_t>(c) < textWidths.size())
      wanted = std::max(wanted, textWidths[static_cast<size_t>(c)] + 16);
    if (wanted > grid->columnWidth(c)) grid->setColumnWidth(c, wanted);
    total += grid->columnWidth(c);
  }
  grid->setMinimumWidth(std::max(grid->minimumWidth(), total + 24));
}

// The grid's rows, at least one empty row under the header.
void SetRows(QTableWidget* grid, const std::vector<std::vector<QString>>& rows) {
  grid->clearContents();
  grid->setRowCount(std::max<int>(1, static_cast<int>(rows.size())));
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      grid->setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(rows[r][c]));
    }
  }
  const QFontMetrics metrics = grid->fontMetrics();
  std::vector<int> widths(static_cast<size_t>(grid->columnCount()), 0);
  for (const std::vector<QString>& row : rows) {
    for (size_t c = 0; c < row.size() && c < widths.size(); ++c)
      widths[c] = std::max(widths[c], metrics.horizontalAdvance(row[c]));
  }
  WidenColumns(grid, widths);
}

QHBoxLayout* HelpAndOk(QDialog* dialog, std::function<void(int)> help, int context) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  QPushButton* ok = Button(dialog, "btnOK", "OK");
  ok->setDefault(true);
  QPushButton* aiuto = Button(dialog, "btnAiuto", "&?");
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(aiuto, &QPushButton::clicked, dialog, [help, context] {
    if (help) help(context);
  });
  row->addWidget(ok);
  row->addWidget(aiuto);
  return row;
}

}  // namespace

QString CurrentStreakText(const StatRecord& r) {
  const QString head = "Current";
  if (r.CurrentWinStreak > 0) {
    return QString("%1: %2 %3").arg(head).arg(r.CurrentWinStreak).arg("won");
  }
  if (r.CurrentLoseStreak > 0) {
    return QString("%1: %2 %3").arg(head).arg(r.CurrentLoseStreak).arg("lost");
  }
  return head;
}

std::vector<ChartBar> BestPlayersBars(GameContext& ctx, int game, const StringList& players,
                                      bool averageScore) {
  struct Entry {
    int64_t value;
    std::string name;
  };
  // Ascending, each new entry before the first greater one: among equal
  // values the later player ends up last, so it is drawn first.
  std::vector<Entry> sorted;
  for (const std::string& player : players) {
    const StatRecord r = ReadGameStatistics(ctx, game, player).Record;
    int64_t value = 0;
    if (averageScore) {
      value = r.Won + r.Lost > 0 ? r.Score / (r.Won + r.Lost) : 0;
    } else {
      value = ComputeTotals(r.Won, r.Lost).WonPercent;
    }
    auto at = std::find_if(sorted.begin(), sorted.end(),
                           [value](const Entry& e) { return e.value > value; });
    sorted.insert(at, Entry{value, player});
  }
  // Blue, yellow, red, lime, white.
  const QColor colours[] = {QColor(0, 0, 255), QColor(255, 255, 0), QColor(255, 0, 0),
                            QColor(0, 255, 0), QColor(255, 255, 255)};
  std::vector<ChartBar> bars;
  for (auto it = sorted.rbegin(); it != sorted.rend() && bars.size() < 5; ++it) {
    bars.push_back({qt::FromLatin(it->name.substr(0, 10)), static_cast<double>(it->value),
                    colours[bars.size()]});
  }
  return bars;
}

namespace {

// The trimmed text of columns first..first+count-1 (from 1) equals want,
// which has no trailing blanks; without copying the line.
bool ColumnIs(std::string_view line, size_t first, size_t count, const std::string& want) {
  if (line.size() < first) return want.empty();
  std::string_view cell = line.substr(first - 1, count);
  const size_t end = cell.find_last_not_of(' ');
  cell = end == std::string_view::npos ? std::string_view() : cell.substr(0, end + 1);
  return cell == want;
}

}  // namespace

std::vector<size_t> FilterLogLines(const std::vector<std::string_view>& lines,
                                   const std::string& game, const std::string& player,
                                   bool allGames, bool allPlayers) {
  std::vector<size_t> rows;
  const std::string wantGame = TrimRightSpaces(game), wantPlayer = TrimRightSpaces(player);
  for (size_t i = lines.size(); i-- > 0;) {
    const std::string_view line = lines[i];
    if (line.find_first_not_of(' ') == std::string::npos) continue;
    if (!allGames && !ColumnIs(line, 31, 50, wantGame)) continue;
    if (!allPlayers && !ColumnIs(line, 82, 30, wantPlayer)) continue;
    rows.push_back(i);
  }
  return rows;
}

QString LogCellText(std::string_view line, int column) {
  switch (column) {
    case 0: {
      const QDate date = QDate::fromString(QString::fromLatin1(Columns(line, 1, 8)), "yyyyMMdd");
      return date.isValid() ? QLocale().toString(date, QLocale::ShortFormat) : QString();
    }
    case 1:
      return qt::FromLatin(Trim(Columns(line, 10, 5)));
    case 2: {
      const std::string seconds = Trim(Columns(line, 19, 6));
      return AllDigits(seconds) ? qt::FromLatin(FormatSeconds(std::stoll(seconds), 1)) : QString();
    }
    case 3:
      return qt::FromLatin(TrimRightSpaces(Columns(line, 31, 50)));
    case 4:
      return Columns(line, 113, 4) == "Won " ? "Won" : "Lost";
    case 5:
      return qt::FromLatin(Trim(Columns(line, 121, 6)));
    case 6:
      return qt::FromLatin(TrimRightSpaces(Columns(line, 82, 30)));
    case 7:
      // The deal number sits in columns 128-142, after the score's blank.
      return qt::FromLatin(Trim(Columns(line, 128, 15)));
    default:
      return QString();
  }
}

std::vector<LogRow> ReadLogRows(const GameContext& ctx, const std::string& game,
                                const std::string& player, bool allGames, bool allPlayers) {
  std::vector<LogRow> rows;
  std::string bytes;
  if (!sys::ReadFileBytes(StatLogFilePath(ctx), bytes)) return rows;
  const std::vector<std::string_view> lines = sys::SplitLineViews(bytes);
  for (size_t i : FilterLogLines(lines, game, player, allGames, allPlayers)) {
    LogRow row;
    for (int c = 0; c < static_cast<int>(row.size()); ++c) row[c] = LogCellText(lines[i], c);
    rows.push_back(row);
  }
  return rows;
}

LogTableModel::LogTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void LogTableModel::SetLog(std::string bytes) {
  beginResetModel();
  bytes_ = std::move(bytes);
  lines_ = sys::SplitLineViews(bytes_);
  rows_.clear();
  endResetModel();
}

void LogTableModel::Filter(const std::string& game, const std::string& player, bool allGames,
                           bool allPlayers) {
  beginResetModel();
  rows_ = FilterLogLines(lines_, game, player, allGames, allPlayers);
  endResetModel();
}

int LogTableModel::rowCount(const QModelIndex& parent) const {
  // At least one empty row under the header.
  return parent.isValid() ? 0 : std::max<int>(1, static_cast<int>(rows_.size()));
}

int LogTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant LogTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const size_t row = static_cast<size_t>(index.row());
  if (row >= rows_.size()) return {};
  return LogCellText(lines_[rows_[row]], index.column());
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  static const char* const kHeads[kColumns] = {"Date",  "Start", "Time",   "Game",
                                               "W/L",   "Score", "Player", "Game number"};
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kColumns) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return QString(kHeads[section]);
}

std::array<int, LogTableModel::kColumns> LogTableModel::TextWidths(
    const QFontMetrics& metrics) const {
  // Measuring every cell costs as much as the log is long. Columns of
  // figures take their widest figure times their longest text; names come
  // from a short list and are measured once each.
  int figure = 0;
  for (char c : std::string("0123456789")) {
    figure = std::max(figure, metrics.horizontalAdvance(QChar(c)));
  }
  auto figures = [&](const QString& text) {
    int w = 0;
    for (QChar c : text) w += c.isDigit() ? figure : metrics.horizontalAdvance(c);
    return w;
  };
  std::array<int, kColumns> widths{};
  widths[0] = figures(QLocale().toString(QDate(2000, 12, 28), QLocale::ShortFormat));
  widths[4] = std::max(metrics.horizontalAdvance("Won"), metrics.horizontalAdvance("Lost"));
  size_t start = 0, score = 0, deal = 0;
  int64_t longest = 0;
  std::unordered_set<std::string_view> games, players;
  auto trimmed = [](std::string_view cell, bool left) {
    const size_t end = cell.find_last_not_of(' ');
    if (end == std::string_view::npos) return std::string_view();
    cell = cell.substr(0, end + 1);
    return left ? cell.substr(cell.find_first_not_of(' ')) : cell;
  };
  for (const std::string_view all : lines_) {
    auto cell = [&](size_t first, size_t count, bool left) {
      return all.size() < first ? std::string_view() : trimmed(all.substr(first - 1, count), left);
    };
    start = std::max(start, cell(10, 5, true).size());
    score = std::max(score, cell(121, 6, true).size());
    deal = std::max(deal, cell(128, 15, true).size());
    const std::string_view seconds = cell(19, 6, true);
    if (!seconds.empty() && AllDigits(std::string(seconds))) {
      longest = std::max<int64_t>(longest, std::stoll(std::string(seconds)));
    }
    games.insert(cell(31, 50, false));
    players.insert(cell(82, 30, false));
  }
  widths[1] = figures(QString(static_cast<int>(start), '0'));
  widths[2] = figures(qt::FromLatin(FormatSeconds(longest, 1)));
  widths[5] = figures(QString(static_cast<int>(score), '0'));
  widths[7] = figures(QString(static_cast<int>(deal), '0'));
  for (std::string_view g : games) {
    widths[3] = std::max(widths[3], metrics.horizontalAdvance(qt::FromLatin(std::string(g))));
  }
  for (std::string_view p : players) {
    widths[6] = std::max(widths[6], metrics.horizontalAdvance(qt::FromLatin(std::string(p))));
  }
  return widths;
}

// ---------------------------------------------------------------------------

StatisticsDialog::StatisticsDialog(GameContext& ctx, StatisticsHooks hooks, QWidget* parent)
    : QDialog(parent), ctx_(ctx), hooks_(std::move(hooks)) {
  setObjectName("frmStatistics");
  setWindowTitle("Statistics");

  cbo_players_ = new QComboBox(this);
  cbo_players_->setObjectName("cboPlayers");
  cbo_games_ = new QComboBox(this);
  cbo_games_->setObjectName("cboGames");
  cbo_games_->setMaxVisibleItems(10);
  auto* top = new QGridLayout;
  auto* lp = new QLabel("&Player:", this);
  lp->setBuddy(cbo_players_);
  auto* lg = new QLabel("&Game:", this);
  lg->setBuddy(cbo_games_);
  top->addWidget(lp, 0, 0);
  top->addWidget(cbo_players_, 0, 1);
  top->addWidget(lg, 1, 0);
  top->addWidget(cbo_games_, 1, 1);
  top->setColumnStretch(1, 1);

  auto label = [](QWidget* group, const char* name, Qt::Alignment align) {
    auto* l = new QLabel(group);
    l->setObjectName(name);
    l->setAlignment(align | Qt::AlignVCenter);
    return l;
  };
  auto totalsGroup = [&](const char* title, const char* tag, TotalsLabels& t) {
    auto* group = new QGroupBox(title, this);
    const QString k = tag;
    auto name = [&](const char* pattern) { return (QString(pattern).arg(k)).toLatin1(); };
    t.WonCaption = label(group, name("lbl%1Vin").constData(), Qt::AlignLeft);
    t.LostCaption = label(group, name("lbl%1Per").constData(), Qt::AlignLeft);
    t.TotalCaption = label(group, name("lbl%1NumPar").constData(), Qt::AlignLeft);
    t.Won = label(group, name("lblGraph%1Won").constData(), Qt::AlignRight);
    t.Lost = label(group, name("lblGraph%1Lost").constData(), Qt::AlignRight);
    t.Total = label(group, name("lblGraph%1Total").constData(), Qt::AlignRight);
    t.WonPercent = label(group, name("lblGraph%1PercWon").constData(), Qt::AlignRight);
    t.LostPercent = label(group, name("lblGraph%1PercLost").constData(), Qt::AlignRight);
    t.Chart = label(group, name("imgGraph%1").constData(), Qt::AlignCenter);
    t.Chart->setFixedSize(138, 108);
    for (QLabel* l : {t.WonCaption, t.LostCaption, t.TotalCaption}) l->setMinimumWidth(56);
    for (QLabel* l : {t.Won, t.Lost, t.Total}) l->setMinimumWidth(48);
    for (QLabel* l : {t.WonPercent, t.LostPercent}) l->setMinimumWidth(52);
    QFont bold = t.Total->font();
    bold.setBold(true);
    t.Total->setFont(bold);
    t.TotalCaption->setFont(bold);
    auto* g = new QGridLayout(group);
    g->addWidget(t.WonCaption, 0, 0);
    g->addWidget(t.Won, 0, 1);
    g->addWidget(t.WonPercent, 0, 2);
    g->addWidget(t.LostCaption, 1, 0);
    g->addWidget(t.Lost, 1, 1);
    g->addWidget(t.LostPercent, 1, 2);
    g->addWidget(t.TotalCaption, 2, 0);
    g->addWidget(t.Total, 2, 1);
    g->addWidget(t.Chart, 0, 3, 4, 1);
    g->setRowStretch(3, 1);
    return group;
  };
  QGroupBox* totalGroup = totalsGroup("Total ", "Tot", total_);
  QGroupBox* sessionGroup = totalsGroup("Current session ", "Ses", session_);

  auto* seriesGroup = new QGroupBox("Series ", this);
  ser_won_caption_ = label(seriesGroup, "lblSerVin", Qt::AlignLeft);
  ser_lost_caption_ = label(seriesGroup, "lblSerPer", Qt::AlignLeft);
  ser_current_ = label(seriesGroup, "lblSerCur", Qt::AlignLeft);
  ser_won_ = label(seriesGroup, "lblGraphSerWon", Qt::AlignRight);
  ser_lost_ = label(seriesGroup, "lblGraphSerLost", Qt::AlignRight);
  ser_won_percent_ = label(seriesGroup, "lblGraphSerPercWon", Qt::AlignRight);
  ser_lost_percent_ = label(seriesGroup, "lblGraphSerPercLost", Qt::AlignRight);
  for (QLabel* l : {ser_won_caption_, ser_lost_caption_}) l->setMinimumWidth(56);
  for (QLabel* l : {ser_won_, ser_lost_}) l->setMinimumWidth(48);
  for (QLabel* l : {ser_won_percent_, ser_lost_percent_}) l->setMinimumWidth(52);
  ser_current_->setMinimumWidth(160);
  chart_ = MakeBarChart(seriesGroup, false);
  chart_->setObjectName("GraphSer");
  chart_->setFixedSize(150, 120);
  auto* sg = new QGridLayout(seriesGroup);
  sg->addWidget(ser_won_caption_, 0, 0);
  sg->addWidget(ser_won_, 0, 1);
  sg->addWidget(ser_won_percent_, 0, 2);
  sg->addWidget(ser_lost_caption_, 1, 0);
  sg->addWidget(ser_lost_, 1, 1);
  sg->addWidget(ser_lost_percent_, 1, 2);
  sg->addWidget(ser_current_, 2, 0, 1, 3);
  sg->addWidget(chart_, 0, 3, 4, 1);
  sg->setRowStretch(3, 1);

  QPushButton* ok = Button(this, "btnOK", "OK");
  ok->setDefault(true);
  QPushButton* aiuto = Button(this, "btnAiuto", "&?");
  QPushButton* log = Button(this, "btnLog", "Log s&tatistics");
  QPushButton* players = Button(this, "btnPlayers", "Pla&yers statistics...");
  QPushButton* allGames = Button(this, "btnAllGames", "A&ll games...");
  QPushButton* hiScore = Button(this, "btnHiScore", "  &Hi-Scores...");
  QPushButton* overall = Button(this, "btnOverall", "Overall score...");
  hiScore->setEnabled(static_cast<bool>(hooks_.HiScores));
  overall->setEnabled(static_cast<bool>(hooks_.OverallScore));
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {ok, aiuto, log, players, allGames, hiScore, overall}) {
    buttons->addWidget(b);
  }
  buttons->addStretch();

  auto* groups = new QVBoxLayout;
  groups->addLayout(top);
  groups->addWidget(totalGroup);
  groups->addWidget(sessionGroup);
  groups->addWidget(seriesGroup);
  auto* main = new QHBoxLayout(this);
  main->setSizeConstraint(QLayout::SetFixedSize);
  main->addLayout(groups, 1);
  main->addLayout(buttons);

  // Popup menu.
  if (hooks_.ClearStatistics) {
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
      QMenu menu(this);
      QAction* clear = menu.addAction("Clear statistics");
      clear->setObjectName("mnuClearstatistics");
      if (menu.exec(mapToGlobal(at)) == clear) {
        hooks_.ClearStatistics();
        RefreshStatistics();
      }
    });
  }

  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(aiuto, &QPushButton::clicked, this, [this] {
    if (hooks_.Help) hooks_.Help(kHelpStatistics);
  });
  connect(log, &QPushButton::clicked, this, [this] { ShowLog(); });
  connect(players, &QPushButton::clicked, this, [this] { ShowPlayers(); });
  connect(allGames, &QPushButton::clicked, this, [this] { ShowAllGames(); });
  connect(hiScore, &QPushButton::clicked, this, [this] {
    if (hooks_.HiScores) hooks_.HiScores(shown_game_);
  });
  connect(overall, &QPushButton::clicked, this, [this] {
    if (hooks_.OverallScore) hooks_.OverallScore();
  });

  LoadUserList(ctx_, players_);
  for (const std::string& p : players_) cbo_players_->addItem(qt::FromLatin(p));
  const std::string user = ctx_.Cfg(cfg::UserDefault);
  for (size_t i = 0; i < players_.size(); ++i) {
    if (players_[i] == user) cbo_players_->setCurrentIndex(static_cast<int>(i));
  }
  start_game_ = CurrentGame(ctx_);
  FillGamesCombo(ctx_, cbo_games_, start_game_);

  connect(cbo_games_, &QComboBox::currentIndexChanged, this, [this] {
    UpdateStatisticsCaption();
    RefreshStatistics();
  });
  connect(cbo_players_, &QComboBox::currentIndexChanged, this, [this] { RefreshStatistics(); });
}

QLabel* StatisticsDialog::Label(const char* name) const { return findChild<QLabel*>(name); }

void StatisticsDialog::showEvent(QShowEvent* event) {
  RefreshStatistics();
  UpdateStatisticsCaption();
  QDialog::showEvent(event);
}

void StatisticsDialog::UpdateStatisticsCaption() {
  setWindowTitle("Statistics [" + cbo_games_->currentText().trimmed() + "]");
}

void StatisticsDialog::RefreshStatistics() {
  const std::string game =
      cbo_games_->currentIndex() >= 0 ? ItemGameName(cbo_games_, cbo_games_->currentIndex()) : "";
  const std::string player = qt::ToLatin(cbo_players_->currentText());
  shown_game_ = game.empty() ? -1 : GameNumberFromName(ctx_, game);
  const GameStatistics stats = ReadGameStatistics(ctx_, shown_game_, player);

  ShowTotals(ctx_, game, player, total_);

  session_.WonCaption->setText("Won:");
  session_.LostCaption->setText("Lost:");
  session_.TotalCaption->setText("Total: ");
  const int64_t sw = stats.SessionWon, sl = stats.SessionLost;
  session_.Won->setText(QString::number(sw));
  session_.Lost->setText(QString::number(sl));
  session_.Total->setText(QString::number(sw + sl));
  session_.WonPercent->setText(Percent(sw, sl, true));
  session_.LostPercent->setText(Percent(sw, sl, false));
  const GameTotals st = ComputeTotals(sw, sl);
  session_.Chart->setPixmap(QPixmap::fromImage(DrawPiePicture(
      st.Any() ? st.LostPercent : -1, session_.Chart->size(), QColor(Qt::transparent))));

  const StatRecord& r = stats.Record;
  series_bars_ = {{"Won", static_cast<double>(r.LongestWinStreak), QColor(0, 255, 0)},
                  {"Lost", static_cast<double>(r.LongestLoseStreak), QColor(255, 0, 0)}};
  SetBarChartBars(chart_, series_bars_);
  ser_won_caption_->setText("Won: ");
  ser_lost_caption_->setText("Lost: ");
  ser_won_->setText(QString::number(r.LongestWinStreak));
  ser_lost_->setText(QString::number(r.LongestLoseStreak));
  ser_won_percent_->setText(Percent(r.LongestWinStreak, r.LongestLoseStreak, true));
  ser_lost_percent_->setText(Percent(r.LongestWinStreak, r.LongestLoseStreak, false));
  ser_current_->setText(CurrentStreakText(r));
}

void StatisticsDialog::ShowAllGames() {
  AllGamesStatisticsDialog dialog(ctx_, players_, cbo_players_->currentIndex(), hooks_.Help,
                                  this);
  if (hooks_.Prepare) hooks_.Prepare(dialog);
  dialog.exec();
}

void StatisticsDialog::ShowPlayers() {
  PlayersStatisticsDialog dialog(ctx_, players_, cbo_games_->currentIndex(), hooks_.Help, this);
  if (hooks_.Prepare) hooks_.Prepare(dialog);
  dialog.exec();
}

void StatisticsDialog::ShowLog() {
  StringList games;
  for (int i = 0; i < cbo_games_->count(); ++i) games.push_back(ItemGameName(cbo_games_, i));
  LogStatisticsDialog dialog(ctx_, players_, games, hooks_.Help, this);
  if (hooks_.Prepare) hooks_.Prepare(dialog);
  dialog.exec();
}

// ---------------------------------------------------------------------------

AllGamesStatisticsDialog::AllGamesStatisticsDialog(GameContext& ctx, const StringList& players,
                                                   int playerIndex,
                                                   std::function<void(int)> help,
                                                   QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
  setObjectName("frmStatisGiochi");
  setWindowTitle("All games statistics");
  cbo_players_ = new QComboBox(this);
  cbo_players_->setObjectName("cboOperatore");
  for (const std::string& p : players) cbo_players_->addItem(qt::FromLatin(p));
  cbo_players_->setCurrentIndex(playerIndex);
  auto* group = new QGroupBox("Statistics values: ", this);
  group->setObjectName("rgbType");
  type_ = new QButtonGroup(this);
  auto* gl = new QHBoxLayout(group);
  int id = 0;
  for (const char* text : {"&Total", "&Current session", "&Series"}) {
    auto* b = new QRadioButton(text, group);
    type_->addButton(b, id++);
    gl->addWidget(b);
  }
  type_->button(0)->setChecked(true);
  grid_ = MakeGrid(this, "stgGiochi", {144, 40, 39, 44});
  grid_->setHorizontalHeaderLabels({"Game", "Won", "Lost", "Percent"});
  grid_->setMinimumHeight(300);

  auto* top = new QHBoxLayout;
  auto* lp = new QLabel("&Player:", this);
  lp->setBuddy(cbo_players_);
  top->addWidget(lp);
  top->addWidget(cbo_players_, 1);
  auto* main = new QVBoxLayout(this);
  main->addLayout(top);
  main->addWidget(group);
  main->addWidget(grid_, 1);
  main->addLayout(HelpAndOk(this, std::move(help), kHelpAllGames));

  connect(type_, &QButtonGroup::idClicked, this, [this] { FillAllGamesGrid(); });
  connect(cbo_players_, &QComboBox::currentIndexChanged, this, [this] { FillAllGamesGrid(); });
}

void AllGamesStatisticsDialog::showEvent(QShowEvent* event) {
  FillAllGamesGrid();
  QDialog::showEvent(event);
}

void AllGamesStatisticsDialog::SetValueType(int type) {
  if (QAbstractButton* b = type_->button(type)) b->setChecked(true);
  FillAllGamesGrid();
}

void AllGamesStatisticsDialog::FillAllGamesGrid() {
  // A statistics file not made yet holds no results: every row reads 0.
  const int type = type_->checkedId();
  const std::string player = qt::ToLatin(cbo_players_->currentText());
  StringList names;
  if (type == 1) {
    const std::string current = GameNameFromNumber(ctx_, CurrentGame(ctx_));
    if (!TrimRightSpaces(current).empty()) names.push_back(current);
  } else {
    names = BuildSortedGameNames(ctx_);
  }
  SortGameNames(names);
  std::vector<std::vector<QString>> rows;
  for (const std::string& name : names) {
    const GameStatistics s = ReadGameStatistics(ctx_, GameNumberFromName(ctx_, name), player);
    int64_t a = s.Record.Won, b = s.Record.Lost;
    if (type == 1) {
      a = s.SessionWon;
      b = s.SessionLost;
    } else if (type == 2) {
      a = s.Record.LongestWinStreak;
      b = s.Record.LongestLoseStreak;
    }
    const GameTotals t = ComputeTotals(a, b);
    rows.push_back({qt::FromLatin(TrimRightSpaces(name)), QString::number(a), QString::number(b),
                    t.Any() ? QString("%1 %").arg(t.WonPercent) : QString()});
  }
  SetRows(grid_, rows);
}

// ---------------------------------------------------------------------------

PlayersStatisticsDialog::PlayersStatisticsDialog(GameContext& ctx, const StringList& players,
                                                 int gameIndex, std::function<void(int)> help,
                                                 QWidget* parent)
    : QDialog(parent), ctx_(ctx), players_(players) {
  setObjectName("frmStatisOperat");
  setWindowTitle("Players statistics");
  lsb_games_ = new QListWidget(this);
  lsb_games_->setObjectName("lsbGames");
  FillGamesListBox(ctx_, lsb_games_, CurrentGame(ctx_));
  if (gameIndex >= 0 && gameIndex < lsb_games_->count()) lsb_games_->setCurrentRow(gameIndex);
  auto* group = new QGroupBox("Series values ", this);
  group->setObjectName("rgbTypeVal");
  type_ = new QButtonGroup(this);
  auto* gl = new QVBoxLayout(group);
  int id = 0;
  for (const char* text : {"% Games &won", "&Average score"}) {
    auto* b = new QRadioButton(text, group);
    type_->addButton(b, id++);
    gl->addWidget(b);
  }
  type_->button(0)->setChecked(true);
  chart_ = MakeBarChart(this, true);
  chart_->setObjectName("grafPlayer");
  chart_->setMinimumSize(380, 260);

  auto* left = new QVBoxLayout;
  auto* lg = new QLabel("&Game:", this);
  lg->setBuddy(lsb_games_);
  left->addWidget(lg);
  left->addWidget(lsb_games_, 1);
  left->addWidget(group);
  auto* row = new QHBoxLayout;
  row->addLayout(left);
  row->addWidget(chart_, 1);
  auto* main = new QVBoxLayout(this);
  main->addLayout(row, 1);
  main->addLayout(HelpAndOk(this, std::move(help), kHelpPlayers));

  connect(lsb_games_, &QListWidget::currentRowChanged, this, [this] { DrawPlayersChart(); });
  connect(type_, &QButtonGroup::idClicked, this, [this] { DrawPlayersChart(); });
}

void PlayersStatisticsDialog::showEvent(QShowEvent* event) {
  DrawPlayersChart();
  QDialog::showEvent(event);
}

void PlayersStatisticsDialog::SetValueType(int type) {
  if (QAbstractButton* b = type_->button(type)) b->setChecked(true);
  DrawPlayersChart();
}

void PlayersStatisticsDialog::DrawPlayersChart() {
  const int row = lsb_games_->currentRow();
  const int game = row >= 0 ? GameNumberFromName(ctx_, ItemGameName(lsb_games_, row)) : -1;
  bars_ = BestPlayersBars(ctx_, game, players_, type_->checkedId() == 1);
  SetBarChartBars(chart_, bars_);
}

// ---------------------------------------------------------------------------

LogStatisticsDialog::LogStatisticsDialog(GameContext& ctx, const StringList& players,
                                         const StringList& games, std::function<void(int)> help,
                                         QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
  setObjectName("frmStatisLog");
  setWindowTitle("Log statistics");
  cbo_players_ = new QComboBox(this);
  cbo_players_->setObjectName("cboPlayers");
  cbo_players_->addItem(kAllPlayers);
  for (const std::string& p : players) cbo_players_->addItem(qt::FromLatin(p));
  cbo_games_ = new QComboBox(this);
  cbo_games_->setObjectName("cboGames");
  cbo_games_->addItem(kAllGames);
  for (const std::string& g : games) {
    cbo_games_->addItem(qt::FromLatin(TrimRightSpaces(g)), qt::FromLatin(g));
  }
  cbo_players_->setCurrentIndex(0);
  cbo_games_->setCurrentIndex(0);
  model_ = new LogTableModel(this);
  grid_ = new QTableView(this);
  SetUpGrid(grid_, "stgLog");
  grid_->setModel(model_);
  // Every row is one line of text: no row asks the model for its height.
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  SetFirstWidths(grid_, {64, 35, 42, 99, 30, 36, 96, 90});
  grid_->setMinimumHeight(300);

  auto* top = new QHBoxLayout;
  auto* lp = new QLabel("&Player:", this);
  lp->setBuddy(cbo_players_);
  auto* lg = new QLabel("&Game:", this);
  lg->setBuddy(cbo_games_);
  top->addWidget(lp);
  top->addWidget(cbo_players_, 1);
  top->addWidget(lg);
  top->addWidget(cbo_games_, 1);
  auto* main = new QVBoxLayout(this);
  main->addLayout(top);
  main->addWidget(grid_, 1);
  main->addLayout(HelpAndOk(this, std::move(help), kHelpLog));

  connect(cbo_players_, &QComboBox::currentIndexChanged, this, [this] { FillLogGrid(); });
  connect(cbo_games_, &QComboBox::currentIndexChanged, this, [this] { FillLogGrid(); });
}

void LogStatisticsDialog::showEvent(QShowEvent* event) {
  // The log is read once each time the dialog opens; the lists only filter.
  std::string bytes;
  sys::ReadFileBytes(StatLogFilePath(ctx_), bytes);
  model_->SetLog(std::move(bytes));
  const std::array<int, LogTableModel::kColumns> widths = model_->TextWidths(grid_->fontMetrics());
  WidenColumns(grid_, std::vector<int>(widths.begin(), widths.end()));
  FillLogGrid();
  QDialog::showEvent(event);
}

void LogStatisticsDialog::FillLogGrid() {
  const int gi = cbo_games_->currentIndex(), pi = cbo_players_->currentIndex();
  const std::string game = gi > 0 ? ItemGameName(cbo_games_, gi) : "";
  const std::string player = pi > 0 ? qt::ToLatin(cbo_players_->currentText()) : "";
  model_->Filter(game, player, gi <= 0, pi <= 0);
}

// ---------------------------------------------------------------------------

void ShowStatistics(GameContext& ctx, QWidget* parent, int which, const StatisticsHooks& hooks,
                    int game, const std::string& player) {
  StatisticsDialog dialog(ctx, hooks, parent);
  if (game >= 0) {
    const int index = IndexOfTrimmedText(dialog.Games(), GameNameFromNumber(ctx, game));
    if (index >= 0) dialog.Games()->setCurrentIndex(index);
  }
  if (!player.empty()) {
    const int index = dialog.Players()->findText(qt::FromLatin(TrimRightSpaces(player)));
    if (index >= 0) dialog.Players()->setCurrentIndex(index);
  }
  switch (which) {
    case 1:
      dialog.ShowPlayers();
      return;
    case 2:
      dialog.ShowAllGames();
      return;
    case 3:
      dialog.ShowLog();
      return;
    default:
      break;
  }
  if (hooks.Prepare) hooks.Prepare(dialog);
  dialog.exec();
}

}  // namespace tw
