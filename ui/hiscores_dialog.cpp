#include "ui/hiscores_dialog.h"

#include <QContextMenuEvent>
#include <QDate>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/gamesfile.h"
#include "core/hiscores.h"
#include "core/overall.h"
#include "core/util.h"
#include "engine/executor.h"
#include "platform/qt/prompts.h"
#include "ui/game_lists.h"

namespace tw {

namespace {

std::string Field(const std::string& record, size_t from1, size_t count) {
  return from1 - 1 < record.size() ? record.substr(from1 - 1, count) : std::string();
}

// The podium of the plain view and the star of a new entry.
QPixmap HiScorePicture(bool isNew) {
  QPixmap pm(56, 56);
  pm.fill(Qt::transparent);
  QPainter g(&pm);
  g.setRenderHint(QPainter::Antialiasing);
  if (isNew) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
      const double a = -M_PI / 2 + i * M_PI / 5;
      const double r = (i % 2 == 0) ? 26.0 : 11.0;
      const QPointF pt(28 + r * std::cos(a), 29 + r * std::sin(a));
      i == 0 ? star.moveTo(pt) : star.lineTo(pt);
    }
    star.closeSubpath();
    QLinearGradient fill(0, 0, 0, 56);
    fill.setColorAt(0, QColor(255, 236, 120));
    fill.setColorAt(1, QColor(230, 160, 20));
    g.setPen(QPen(QColor(150, 90, 0), 1.5));
    g.setBrush(fill);
    g.drawPath(star);
  } else {
    const struct {
      int x, h;
      QColor c;
      const char* n;
    } steps[] = {{2, 22, QColor(205, 127, 50), "3"},
                 {19, 38, QColor(240, 200, 40), "1"},
                 {36, 30, QColor(180, 180, 190), "2"}};
    QFont f = g.font();
    f.setBold(true);
    f.setPixelSize(11);
    g.setFont(f);
    for (const auto& s : steps) {
      const QRectF r(s.x, 54 - s.h, 17, s.h);
      g.setPen(QPen(s.c.darker(160), 1));
      g.setBrush(s.c);
      g.drawRect(r);
      g.setPen(s.c.darker(250));
      g.drawText(r.adjusted(0, 2, 0, 0), Qt::AlignHCenter | Qt::AlignTop, s.n);
    }
  }
  return pm;
}

}  // namespace

HiScoreRow HiScoreRowOf(int place, const std::string& record) {
  HiScoreRow row;
  row.Place = QString("%1").arg(place, 2, 10, QChar('0'));
  row.Player = qt::FromLatin(TrimRightSpaces(Field(record, 33, 30)));
  row.WonLost = qt::FromLatin(TrimRightSpaces(Field(record, 80, 4)));
  row.Deal = qt::FromLatin(Trim(Field(record, 64, 15)));
  const std::string head = Field(record, 1, 6);
  if (head.empty() || head.find_first_not_of(' ') == std::string::npos) return row;
  row.Score = QString::number(HiScoreOf(record));
  row.Time = qt::FromLatin(FormatSeconds(HiScoreTimeOf(record), 1));
  const QDate date = QDate::fromString(QString::fromLatin1(Field(record, 15, 8)), "yyyyMMdd");
  row.Date = date.isValid() ? QLocale().toString(date, QLocale::ShortFormat) : QString();
  return row;
}

HiScoresDialog::HiScoresDialog(GameContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frmHiScore");
  setWindowTitle("Hi-Scores");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

  grid_ = new QTableWidget(kHiScorePlaces, 7, this);
  grid_->setObjectName("slScores");
  grid_->setHorizontalHeaderLabels(
      {"N.", "Player", "Score", "Time", "W/L", "Date", "Game number"});
  grid_->verticalHeader()->hide();
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setAlternatingRowColors(true);
  grid_->setWordWrap(false);
  grid_->horizontalHeader()->setHighlightSections(false);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  // Each column as wide as its header or its widest value, the player's
  // name cut short: the dialog fits an 800x600 screen.
  const QFontMetrics cells = grid_->fontMetrics();
  const QFontMetrics heads = grid_->horizontalHeader()->fontMetrics();
  const QString widest[] = {"00",       "",           "-00000",       "0:00:00",
                            "Lost",     QLocale().toString(QDate(2026, 12, 28), QLocale::ShortFormat),
                            "0000000000000"};
  int total = 2 * grid_->frameWidth();
  for (int c = 0; c < 7; ++c) {
    const int head = heads.horizontalAdvance(grid_->horizontalHeaderItem(c)->text()) + 14;
    const int width =
        c == 1 ? 130 : std::max(head, cells.horizontalAdvance(widest[c]) + 24);
    grid_->setColumnWidth(c, width);
    total += width;
  }
  grid_->setFixedSize(total, grid_->horizontalHeader()->sizeHint().height() +
                                 kHiScorePlaces * grid_->verticalHeader()->defaultSectionSize() +
                                 2 * grid_->frameWidth());
  grid_->setContextMenuPolicy(Qt::NoContextMenu);

  img_score_ = new QLabel(this);
  img_score_->setObjectName("imgScore");
  img_score_->setPixmap(HiScorePicture(false));
  img_new_score_ = new QLabel(this);
  img_new_score_->setObjectName("imgNewScore");
  img_new_score_->setPixmap(HiScorePicture(true));
  img_new_score_->hide();
  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFixedSize(72, 72);
  auto* panelLayout = new QHBoxLayout(panel);
  panelLayout->addWidget(img_score_, 0, Qt::AlignCenter);
  panelLayout->addWidget(img_new_score_, 0, Qt::AlignCenter);

  auto* gameLabel = new QLabel("&Game:", this);
  games_ = new QListWidget(this);
  games_->setObjectName("lsbGames");
  games_->setFixedWidth(170);
  gameLabel->setBuddy(games_);
  connect(games_, &QListWidget::currentRowChanged, this, [this] {
    if (filled_list_) FillGrid();
  });

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("btnOK");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* help = new QPushButton("&?", this);
  help->setObjectName("btnAiuto");
  help->setFixedWidth(help->sizeHint().height() + 6);
  connect(help, &QPushButton::clicked, this, [this] {
    if (help_) help_(1020);
  });

  popup_ = new QMenu(this);
  QAction* clear = popup_->addAction("Clear Hi-Scores...");
  clear->setObjectName("mnuClearScores");
  connect(clear, &QAction::triggered, this, [this] { ClearHiScores(); });

  auto* side = new QVBoxLayout;
  side->addWidget(panel, 0, Qt::AlignHCenter);
  side->addSpacing(6);
  side->addWidget(gameLabel);
  side->addWidget(games_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok, 1);
  buttons->addWidget(help);
  side->addLayout(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->setSpacing(12);
  layout->addWidget(grid_);
  layout->addLayout(side);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void HiScoresDialog::SetNewEntry(bool isNew, int place) {
  img_new_score_->setVisible(isNew);
  img_score_->setVisible(!isNew);
  place_ = place;
}

bool HiScoresDialog::ShowsNewEntryPicture() const { return !img_new_score_->isHidden(); }

void HiScoresDialog::showEvent(QShowEvent* event) {
  if (!filled_list_) {
    int game = game_;
    if (game < 0) {
      int64_t current = -1;
      if (ParseInt(Trim(ctx_.Cfg(cfg::Game)), current)) game = static_cast<int>(current);
    }
    FillGamesListBox(ctx_, games_, game);
    filled_list_ = true;
    FillGrid();
    if (place_ >= 0 && place_ < kHiScorePlaces) {
      grid_->selectRow(place_);
    } else {
      grid_->clearSelection();
    }
  }
  QDialog::showEvent(event);
}

void HiScoresDialog::contextMenuEvent(QContextMenuEvent* event) {
  popup_->popup(event->globalPos());
}

void HiScoresDialog::FillGrid() {
  const int index = games_->currentRow();
  if (index < 0) return;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  const std::string name = ItemGameName(games_, index);
  if (!title_.empty()) {
    setWindowTitle(qt::FromLatin(title_));
    title_.clear();
  } else {
    setWindowTitle("Hi-Scores [" + qt::FromLatin(TrimRightSpaces(name)) + "]");
  }
  const int game = GameNumberFromName(ctx_, name);
  if (game >= 0) {
    StringList records;
    LoadHiScores(ctx_, game, ctx_.Cfg(cfg::ScoreKind), records);
    for (int r = 0; r < kHiScorePlaces; ++r) {
      const std::string record =
          r < static_cast<int>(records.size()) ? records[static_cast<size_t>(r)] : std::string();
      const HiScoreRow row = HiScoreRowOf(r + 1, record);
      const QString cells[] = {row.Place, row.Player, row.Score, row.Time,
                               row.WonLost, row.Date, row.Deal};
      for (int c = 0; c < 7; ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        const bool right = c == 0 || c == 2 || c == 3;
        item->setTextAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        grid_->setItem(r, c, item);
      }
    }
  }
  QGuiApplication::restoreOverrideCursor();
}

void HiScoresDialog::ClearHiScores() {
  if (ClearAllHiScores(ctx_)) FillGrid();
}

void ShowHiScores(GameContext& ctx, QWidget* parent, bool viewOnly, int place,
                  const std::string& title, int game, std::function<void(int)> help,
                  const std::function<void(HiScoresDialog&)>& prepare) {
  HiScoresDialog dialog(ctx, parent);
  dialog.SetGame(game);
  if (!title.empty()) dialog.SetTitleOnce(title);
  dialog.SetHelp(std::move(help));
  dialog.SetNewEntry(!viewOnly, place);
  if (viewOnly) {
    PlayEventSound(ctx, "Hi-Scor", cfg::Sounds_HiScores);
  } else {
    PlayEventSound(ctx, "Scores", cfg::Sounds_NewHiScores);
  }
  if (prepare) prepare(dialog);
  dialog.exec();
}

}  // namespace tw
