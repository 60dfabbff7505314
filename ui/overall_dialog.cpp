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

#include "core/util.h"
#include "platform/qt/prompts.h"

namespace tw {

namespace {

constexpr int kColumnWidths[] = {17, 165, 54, 52};
constexpr int kMinRows = 11;
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
  edt_score_->setMinimumWidth(420);
  auto* close = new QPushButton("Close", this);
  close->setObjectName("btnCancel");
  close->setDefault(true);
  auto* help = new QPushButton("&?", this);
  help->setObjectName("btnHelp");
  help->setFixedWidth(32);

  auto* grid = new QGridLayout(this);
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
  sl_scores_ = new QTableWidget(kMinRows - 1, 4, this);
  sl_scores_->setObjectName("slScores");
  sl_scores_->setHorizontalHeaderLabels({"N.", "Player", "Score", "Time"});
  sl_scores_->verticalHeader()->hide();
  sl_scores_->setSelectionBehavior(QAbstractItemView::SelectRows);
  sl_scores_->setSelectionMode(QAbstractItemView::SingleSelection);
  sl_scores_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sl_scores_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  int width = 0;
  for (int c = 0; c < 4; ++c) {
    // Room for the text of this platform's font beside the design's widths.
    sl_scores_->setColumnWidth(c, kColumnWidths[c] + 14);
    width += kColumnWidths[c] + 14;
  }
  sl_scores_->setMinimumWidth(width + 24);
  sl_scores_->setMinimumHeight(260);
  auto* close = new QPushButton("Close", this);
  close->setObjectName("btnOK");
  close->setDefault(true);
  auto* help = new QPushButton("&?", this);
  help->setObjectName("btnAiuto");
  help->setFixedWidth(32);
  btn_internet_ = new QPushButton("Publishing on the Internet...", this);
  btn_internet_->setObjectName("btnInternet");
  btn_internet_->setEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->addWidget(sl_scores_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btn_internet_);
  buttons->addStretch();
  buttons->addWidget(close);
  buttons->addWidget(help);
  layout->addLayout(buttons);

  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(help, &QPushButton::clicked, this, [this] {
    if (show_help_) show_help_(kOverallHelpContext);
  });
  connect(btn_internet_, &QPushButton::clicked, this, [this] { btnInternetClick(); });
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
}

void OverallDialog::mnuClearScoresClick() {
  if (ClearAllHiScores(ctx_)) FillGrid();
}

void OverallDialog::btnInternetClick() {
  const int row = sl_scores_->currentRow();
  if (row < 0 || row >= static_cast<int>(ranking_.Raw.size())) return;
  hide();
  {
    OverallPublishDialog dialog(ranking_.Raw[static_cast<size_t>(row)], kScorePage,
                                parentWidget());
    if (open_url_) dialog.SetOpenUrl(open_url_);
    if (show_help_) dialog.SetShowHelp(show_help_);
    if (publish_prepare_) publish_prepare_(dialog);
    dialog.exec();
  }
  show();
}

}  // namespace tw
