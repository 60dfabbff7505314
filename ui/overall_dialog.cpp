// The overall-score dialogs.
#include "ui/overall_dialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "core/datafiles.h"
#include "core/util.h"
#include "platform/qt/prompts.h"
#include "ui/commands.h"

namespace tw {

namespace {

constexpr int kColumnWidths[] = {17, 165, 54, 52};
constexpr int kDetailWidths[] = {148, 46, 33, 47};
constexpr int kMinRows = 11;
constexpr int kDetailRows = 22;

// A read-only grid of whole rows with the design's column widths, widened
// for this platform's font.
QTableWidget* MakeGrid(QWidget* parent, const char* name, int rows, const int (&widths)[4],
                       const QStringList& header) {
  auto* grid = new QTableWidget(rows, 4, parent);
  grid->setObjectName(name);
  grid->setHorizontalHeaderLabels(header);
  grid->verticalHeader()->hide();
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
  int width = 0;
  for (int c = 0; c < 4; ++c) {
    grid->setColumnWidth(c, widths[c] + 14);
    width += widths[c] + 14;
  }
  grid->setMinimumWidth(width + 24);
  grid->setMinimumHeight(260);
  return grid;
}

// The buttons under a grid: the dialog's own on the left, "Close" (the
// default) and "&?" on the right. showHelp is the dialog's help hook.
QHBoxLayout* CloseAndHelpRow(QDialog* dialog, const std::vector<QWidget*>& left,
                             const std::function<void(int)>* showHelp, int context) {
  auto* close = new QPushButton("Close", dialog);
  close->setObjectName("btnOK");
  close->setDefault(true);
  auto* help = new QPushButton("&?", dialog);
  help->setObjectName("btnAiuto");
  help->setFixedWidth(32);
  auto* row = new QHBoxLayout;
  for (QWidget* w : left) row->addWidget(w);
  row->addStretch();
  row->addWidget(close);
  row->addWidget(help);
  QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::reject);
  QObject::connect(help, &QPushButton::clicked, dialog, [showHelp, context] {
    if (*showHelp) (*showHelp)(context);
  });
  return row;
}

// The score-submission page (the publisher's site of this build).
const char* const kScorePage = "www.tarnwell2000.example/scores.htm";

}  // namespace

// ---- Publishing ----

OverallPublishDialog::OverallPublishDialog(const std::string& raw, const std::string& webPage,
                                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName("frmStatisOverallInternet1");
  setWindowTitle("Publishing your Overall score on the Internet");
  edt_web_ = new QLineEdit(qt::FromLatin(webPage), this);
  edt_web_->setObjectName("edtWeb");
  edt_web_->setReadOnly(true);
  edt_web_->setFrame(false);
  edt_web_->setCursor(Qt::PointingHandCursor);
  edt_web_->setStyleSheet("background: palette(button);");
  edt_web_->installEventFilter(this);
  edt_score_ = new QLineEdit(qt::FromLatin(ScoreText(raw)), this);
  edt_score_->setObjectName("edtScore");
  edt_score_->setReadOnly(true);
  // The whole score shows, to be copied at a glance.
  edt_score_->setMinimumWidth(
      std::max(420, edt_score_->fontMetrics().horizontalAdvance(edt_score_->text()) + 24));
  auto* close = new QPushButton("Close", this);
  close->setObjectName("btnCancel");
  close->setDefault(true);
  auto* help = new QPushButton("&?", this);
  help->setObjectName("btnHelp");
  help->setFixedWidth(32);

  auto* grid = new QGridLayout(this);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  grid->setContentsMargins(12, 12, 12, 12);
  grid->addWidget(new QLabel("1.", this), 0, 0);
  auto* open = new QHBoxLayout;
  open->addWidget(new QLabel("Open:", this));
  open->addWidget(edt_web_, 1);
  open->addWidget(new QLabel("; then:", this));
  grid->addLayout(open, 0, 1);
  grid->addWidget(new QLabel("2.", this), 1, 0);
  grid->addWidget(new QLabel("fill in the Score field of the web page with the score shown below.",
                             this),
                  1, 1);
  grid->addWidget(new QLabel("This is your encrypted score:", this), 2, 1);
  grid->addWidget(edt_score_, 3, 1);
  grid->addWidget(new QLabel("(Ctrl+C and Ctr+V to copy and paste)", this), 4, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close);
  buttons->addWidget(help);
  grid->addLayout(buttons, 5, 0, 1, 2);

  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] {
    if (show_help_) show_help_(kOverallPublishHelpContext);
  });
  setProperty("helpContext", kOverallPublishHelpContext);
}

std::string OverallPublishDialog::ScoreText(const std::string& raw) {
  auto part = [&raw](size_t from, size_t length) {
    return from < raw.size() ? TrimRightSpaces(raw.substr(from, length)) : std::string();
  };
  return part(0, 28) + part(28, 28) + part(56, 12);
}

bool OverallPublishDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edt_web_ && event->type() == QEvent::MouseButtonRelease) {
    if (open_url_) open_url_(qt::ToLatin(edt_web_->text()));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

// ---- Ranking ----

OverallDialog::OverallDialog(GameContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), ctx_(ctx) {
  setObjectName("frmStatisOverall");
  setWindowTitle("Overall score");
  sl_scores_ = MakeGrid(this, "slScores", kMinRows - 1, kColumnWidths,
                        {"N.", "Player", "Score", "Time"});
  btn_details_ = new QPushButton("Details...", this);
  btn_details_->setObjectName("btnDetails");
  btn_details_->setEnabled(false);
  btn_internet_ = new QPushButton("Publishing on the Internet...", this);
  btn_internet_->setObjectName("btnInternet");
  btn_internet_->setEnabled(false);
  auto* champions = new QLabel(
      qt::FromLatin(ExpandProductPlaceholders("[Program_sw] Champions:")), this);
  champions->setObjectName("lblChampionship");
  lbl_www_champion_ = new QLabel(
      QString("<a href=\"#\">%1</a>").arg(qt::FromLatin(kChampionsPage)), this);
  lbl_www_champion_->setObjectName("lblWWWChampion");
  lbl_www_champion_->setCursor(Qt::PointingHandCursor);
  lbl_www_champion_->installEventFilter(this);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->addWidget(sl_scores_);
  auto* panel = new QHBoxLayout;
  panel->addWidget(champions);
  panel->addWidget(lbl_www_champion_);
  panel->addStretch();
  layout->addLayout(panel);
  layout->addLayout(
      CloseAndHelpRow(this, {btn_details_, btn_internet_}, &show_help_, kOverallHelpContext));

  connect(btn_internet_, &QPushButton::clicked, this, [this] { btnInternetClick(); });
  connect(btn_details_, &QPushButton::clicked, this, [this] { btnDetailsClick(); });
  connect(sl_scores_, &QTableWidget::cellDoubleClicked, this, [this] {
    if (btn_details_->isEnabled()) btnDetailsClick();
  });
  connect(sl_scores_, &QTableWidget::itemSelectionChanged, this,
          [this] { GridSelectionChanged(); });
  sl_scores_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(sl_scores_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu(this);
    menu.addAction("Clear Hi-Scores and Overall score...", this, [this] { mnuClearScoresClick(); });
    menu.exec(sl_scores_->viewport()->mapToGlobal(at));
  });
  setProperty("helpContext", kOverallHelpContext);
  FillGrid();
}

void OverallDialog::FillGrid() {
  ranking_ = ReadOverallScores(ctx_);
  const int players = static_cast<int>(ranking_.Players.size());
  if (players > sl_scores_->rowCount()) sl_scores_->setRowCount(players);
  for (int r = 0; r < sl_scores_->rowCount(); ++r) {
    const size_t k = static_cast<size_t>(r);
    QStringList cells = {"", "", "", ""};
    if (r < players) {
      int64_t seconds = 0;
      const bool timed = ParseInt(Trim(ranking_.TotalTimes[k]), seconds) && seconds != 0;
      cells = {QString::number(r + 1), qt::FromLatin(ranking_.Players[k]),
               qt::FromLatin(Trim(ranking_.TotalScores[k])),
               timed ? qt::FromLatin(FormatSeconds(seconds, 2)) : QString()};
    }
    for (int c = 0; c < 4; ++c) sl_scores_->setItem(r, c, new QTableWidgetItem(cells[c]));
  }
  GridSelectionChanged();
}

void OverallDialog::GridSelectionChanged() {
  const int row = sl_scores_->currentRow();
  const QTableWidgetItem* player = row >= 0 ? sl_scores_->item(row, 1) : nullptr;
  const bool named = player && !player->text().trimmed().isEmpty() &&
                     !sl_scores_->selectedItems().isEmpty();
  btn_internet_->setEnabled(named);
  btn_details_->setEnabled(named);
}

bool OverallDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lbl_www_champion_ && event->type() == QEvent::MouseButtonRelease) {
    if (open_url_) open_url_(kChampionsPage);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void OverallDialog::showEvent(QShowEvent* event) {
  action_ = Action::None;
  QDialog::showEvent(event);
}

void OverallDialog::btnDetailsClick() {
  const int row = sl_scores_->currentRow();
  if (row < 0 || row >= static_cast<int>(ranking_.Players.size())) return;
  OverallDetailsDialog details(ctx_, ranking_.Players[static_cast<size_t>(row)],
                               sl_scores_->item(row, 2)->text(), sl_scores_->item(row, 3)->text(),
                               this);
  if (show_help_) details.SetShowHelp(show_help_);
  if (details_prepare_) details_prepare_(details);
  details.exec();
  if (details.PlayGame() < 0) return;
  play_game_ = details.PlayGame();
  action_ = Action::Play;
  accept();
}

void OverallDialog::mnuClearScoresClick() {
  if (ClearAllHiScores(ctx_)) FillGrid();
}

void OverallDialog::btnInternetClick() {
  const int row = sl_scores_->currentRow();
  if (row < 0 || row >= static_cast<int>(ranking_.Raw.size())) return;
  publish_row_ = row;
  action_ = Action::Publish;
  accept();
}

void OverallDialog::ShowPublishPage() {
  if (publish_row_ < 0 || publish_row_ >= static_cast<int>(ranking_.Raw.size())) return;
  OverallPublishDialog dialog(ranking_.Raw[static_cast<size_t>(publish_row_)], kScorePage,
                              parentWidget());
  if (open_url_) dialog.SetOpenUrl(open_url_);
  if (show_help_) dialog.SetShowHelp(show_help_);
  if (publish_prepare_) publish_prepare_(dialog);
  dialog.exec();
}

int RunOverallDialog(OverallDialog& dialog) {
  for (;;) {
    dialog.exec();
    switch (dialog.LastAction()) {
      case OverallDialog::Action::Publish:
        dialog.ShowPublishPage();
        break;
      case OverallDialog::Action::Play:
        return dialog.PlayGame();
      case OverallDialog::Action::None:
        return -1;
    }
  }
}

// ---- Details ----

OverallDetailsDialog::OverallDetailsDialog(GameContext& ctx, const std::string& player,
                                           const QString& score, const QString& time,
                                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), ctx_(ctx) {
  setObjectName("frmStatisOverallDetails");
  setProperty("helpContext", kOverallDetailsHelpContext);
  if (ctx_.Ui) ctx_.Ui->SetHourglass(true);
  setWindowTitle("Overall score details [" + qt::FromLatin(player) + "]");
  sl_details_ =
      MakeGrid(this, "slDetails", kDetailRows - 1, kDetailWidths, {"Game", "Score", "Max", "Time"});
  sl_details_->setMinimumHeight(360);
  const std::vector<OverallDetail> rows = ReadOverallDetails(ctx_, player);
  if (static_cast<int>(rows.size()) > sl_details_->rowCount()) {
    sl_details_->setRowCount(static_cast<int>(rows.size()));
  }
  for (size_t r = 0; r < rows.size(); ++r) {
    const OverallDetail& d = rows[r];
    const QStringList cells = {qt::FromLatin(d.Name),
                               d.Score ? QString::number(d.Score) : QString(),
                               d.Max ? QString("Yes") : QString(),
                               d.Time ? qt::FromLatin(FormatSeconds(d.Time, 2)) : QString()};
    for (int c = 0; c < 4; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (c == 0) item->setData(Qt::UserRole, d.Game);
      sl_details_->setItem(static_cast<int>(r), c, item);
    }
  }
  auto* scoreCaption = new QLabel("Overall score:", this);
  auto* lblScore = new QLabel(score, this);
  lblScore->setObjectName("lblScore");
  auto* timeCaption = new QLabel("Overall time:", this);
  auto* lblTime = new QLabel(time, this);
  lblTime->setObjectName("lblTime");
  for (QLabel* l : {lblScore, lblTime}) {
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(80);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  auto* legend = new QLabel("'Max = Yes'  Max score for the Game", this);
  btn_play_ = new QPushButton("Play this game", this);
  btn_play_->setObjectName("btnPlay");

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  auto* totals = new QHBoxLayout;
  totals->addWidget(scoreCaption);
  totals->addWidget(lblScore);
  totals->addSpacing(16);
  totals->addWidget(timeCaption);
  totals->addWidget(lblTime);
  totals->addStretch();
  layout->addLayout(totals);
  layout->addWidget(sl_details_, 1);
  layout->addWidget(legend);
  layout->addLayout(CloseAndHelpRow(this, {btn_play_}, &show_help_, kOverallDetailsHelpContext));
  connect(btn_play_, &QPushButton::clicked, this, [this] { btnPlayClick(); });
  sl_details_->selectRow(0);
  if (ctx_.Ui) ctx_.Ui->SetHourglass(false);
}

void OverallDetailsDialog::btnPlayClick() {
  const int row = sl_details_->currentRow();
  const QTableWidgetItem* item = row >= 0 ? sl_details_->item(row, 0) : nullptr;
  if (!item || item->text().isEmpty()) return;
  play_game_ = item->data(Qt::UserRole).toInt();
  accept();
}

}  // namespace tw
