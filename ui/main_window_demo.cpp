// Demo mode: the current game's demonstration stepped through on the table
// with the demo bar.
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cstdlib>

#include "engine/executor.h"
#include "engine/newgame.h"
#include "engine/savegame.h"
#include "engine/score.h"
#include "engine/undo.h"
#include "platform/qt/prompts.h"
#include "table/view/table_view.h"
#include "ui/main_window.h"

namespace tw {

namespace {

// Prior and Next move this many steps.
constexpr int kDemoStride = 3;
// Play steps forward once per interval.
constexpr int kDemoPlayMs = 700;

}  // namespace

void MainWindow::BuildDemoBar() {
  pnl_demo_ = new QFrame(surface_);
  pnl_demo_->setObjectName("pnlDemo");
  pnl_demo_->setAutoFillBackground(true);
  pnl_demo_->setFixedHeight(26);
  auto* row = new QHBoxLayout(pnl_demo_);
  row->setContentsMargins(4, 1, 4, 1);
  auto button = [this, row](const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, pnl_demo_);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::NoFocus);
    row->addWidget(b);
    return b;
  };
  btn_demo_play_ = button("btnDemoPlay", "Play");
  btn_demo_stop_ = button("btnDemoStop", "Stop");
  for (QPushButton* b : {btn_demo_play_, btn_demo_stop_}) b->setCheckable(true);
  auto* group = new QButtonGroup(pnl_demo_);
  group->setExclusive(false);
  group->addButton(btn_demo_play_);
  group->addButton(btn_demo_stop_);
  connect(btn_demo_play_, &QPushButton::clicked, this, [this] {
    if (!InputAllowed()) return;
    btn_demo_play_->setChecked(true);
    btn_demo_stop_->setChecked(false);
    demo_play_timer_.start(kDemoPlayMs);
  });
  connect(btn_demo_stop_, &QPushButton::clicked, this, [this] { ResetDemoPlayButtons(); });
  demo_play_timer_.setSingleShot(false);
  connect(&demo_play_timer_, &QTimer::timeout, this, [this] { DemoPlayStep(); });

  connect(button("btnDemoFirst", "First"), &QPushButton::clicked, this,
          [this] { DemoButton(scb_demo_move_->minimum()); });
  connect(button("btnDemoPrior", "Previous 3 moves"), &QPushButton::clicked, this, [this] {
    DemoButton(std::max(demo_position_ - kDemoStride, scb_demo_move_->minimum()));
  });
  scb_demo_move_ = new QScrollBar(Qt::Horizontal, pnl_demo_);
  scb_demo_move_->setObjectName("scbDemoMove");
  scb_demo_move_->setRange(0, 0);
  scb_demo_move_->setSingleStep(1);
  scb_demo_move_->setPageStep(kDemoStride);
  scb_demo_move_->setToolTip("Previous/Next move");
  row->addWidget(scb_demo_move_, 1);
  // A thumb drag moves once, when it ends, from where it began; every other
  // change of the bar moves at once.
  connect(scb_demo_move_, &QScrollBar::sliderPressed, this, [this] {
    ResetDemoPlayButtons();
    if (ctx_.GameState.DemoTrackFrom() == 0) {
      ctx_.GameState.DemoTrackFrom() = static_cast<int16_t>(demo_position_ + 1);
    }
  });
  connect(scb_demo_move_, &QScrollBar::valueChanged, this, [this](int value) {
    if (scb_demo_move_->isSliderDown()) {
      ShowDemoCounter(value);
      return;
    }
    ResetDemoPlayButtons();
    if (!InputAllowed()) return;
    HandlerScope scope(*this);
    DemoGoTo(demo_position_, value);
  });
  connect(scb_demo_move_, &QScrollBar::sliderReleased, this, [this] {
    const int from = ctx_.GameState.DemoTrackFrom() > 0 ? ctx_.GameState.DemoTrackFrom() - 1
                                                        : demo_position_;
    ctx_.GameState.DemoTrackFrom() = 0;
    if (!InputAllowed()) return;
    HandlerScope scope(*this);
    DemoGoTo(from, scb_demo_move_->value());
  });
  connect(button("btnDemoNext", "Next 3 moves"), &QPushButton::clicked, this, [this] {
    DemoButton(std::min(demo_position_ + kDemoStride, scb_demo_move_->maximum()));
  });
  connect(button("btnDemoLast", "Last"), &QPushButton::clicked, this,
          [this] { DemoButton(scb_demo_move_->maximum()); });
  pnl_demo_count_ = new QLabel("0/0", pnl_demo_);
  pnl_demo_count_->setObjectName("pnlDemoCount");
  pnl_demo_count_->setFrameShape(QFrame::Panel);
  pnl_demo_count_->setFrameShadow(QFrame::Sunken);
  pnl_demo_count_->setAlignment(Qt::AlignCenter);
  pnl_demo_count_->setMinimumWidth(70);
  row->addWidget(pnl_demo_count_);
  connect(button("btnDemoClose", "Close"), &QPushButton::clicked, this, [this] { ToggleDemo(); });
  pnl_demo_->hide();
}

QWidget* MainWindow::DemoControl(const char* name) const {
  return pnl_demo_->findChild<QWidget*>(name);
}

QString MainWindow::DemoCounterText() const { return pnl_demo_count_->text(); }

int MainWindow::DemoMoves() const { return scb_demo_move_->maximum(); }

void MainWindow::ResetDemoPlayButtons() {
  demo_play_timer_.stop();
  btn_demo_play_->setChecked(false);
  btn_demo_stop_->setChecked(false);
}

void MainWindow::ShowDemoCounter(int position) {
  pnl_demo_count_->setText(QString("%1/%2").arg(position).arg(scb_demo_move_->maximum()));
  pnl_demo_count_->repaint();
}

void MainWindow::DemoButton(int target) {
  ResetDemoPlayButtons();
  if (!ctx_.DemoMode || !InputAllowed()) return;
  HandlerScope scope(*this);
  DemoGoTo(demo_position_, target);
}

void MainWindow::DemoPlayStep() {
  if (!ctx_.DemoMode || demo_position_ >= scb_demo_move_->maximum()) {
    ResetDemoPlayButtons();
    return;
  }
  if (!InputAllowed()) return;
  HandlerScope scope(*this);
  DemoGoTo(demo_position_, demo_position_ + 1);
}

void MainWindow::DemoGoTo(int from, int to) {
  if (!ctx_.DemoMode) return;
  from = std::clamp(from, 0, scb_demo_move_->maximum());
  to = std::clamp(to, 0, scb_demo_move_->maximum());
  const bool undo = to < from;
  const int steps = std::abs(to - from);
  prompts_.SetHourglass(true);
  int made = 0;
  while (made < steps && UndoRedo(ctx_, undo, true)) ++made;
  demo_position_ = from + (undo ? -made : made);
  if (steps == 1 && made == 1) {
    PlayEventSound(ctx_, undo ? "Undo" : "Redo", undo ? cfg::Sounds_Undo : cfg::Sounds_Redo);
  }
  {
    QSignalBlocker block(scb_demo_move_);
    scb_demo_move_->setValue(demo_position_);
  }
  ShowDemoCounter(demo_position_);
  if (made > 0) {
    RecalcScore(ctx_);
    view_.RedrawWholeTable();
  }
  prompts_.SetHourglass(false);
}

bool MainWindow::ToggleDemo() {
  if (!InputAllowed()) return false;
  QAction* command = Action("mnuDemo");
  HandlerScope scope(*this);
  ResetDemoPlayButtons();
  if (!ctx_.DemoMode) {
    if (setup_game_ < 0) return false;
    // The demonstration is checked before the deal in play is given up; a
    // missing or damaged file is refused with a message and changes nothing.
    ctx_.DemoMode = 1;
    std::string error;
    if (!OpenDemoGame(ctx_, error, StartHooks())) {
      ctx_.DemoMode = 0;
      QSignalBlocker block(command);
      command->setChecked(false);
      return false;
    }
    prompts_.SetHourglass(true);
    view_.KeepIdleTable(false);
    ctx_.TfrmMain.GameInProgress = 0;
    ctx_.TfrmMain.GameWon = 0;
    ResetClock(ctx_);
    int moves = 0;
    while (UndoRedo(ctx_, true, true)) ++moves;
    RecalcScore(ctx_);
    demo_position_ = 0;
    ctx_.GameState.DemoTrackFrom() = 0;
    {
      QSignalBlocker block(scb_demo_move_);
      scb_demo_move_->setRange(0, moves);
      scb_demo_move_->setValue(0);
    }
    ShowDemoCounter(0);
  } else {
    prompts_.SetHourglass(true);
    ctx_.DemoMode = 0;
    ctx_.TfrmMain.GameInProgress = 0;
    ctx_.TfrmMain.GameWon = 0;
    // The deal shown stays, back at its first position, under the title
    // that names it; no deal is in progress until the player starts one.
    while (UndoRedo(ctx_, true, true)) {
    }
    demo_position_ = 0;
    RecalcScore(ctx_);
    view_.KeepIdleTable(true);
  }
  {
    QSignalBlocker block(command);
    command->setChecked(ctx_.DemoMode != 0);
  }
  // The table moves under the bar or back up, and is drawn again.
  LayoutStatusPanels();
  MainWindowResized();
  UpdateCommandStates();
  UpdateMainWindows();
  prompts_.SetHourglass(false);
  return true;
}

}  // namespace tw

namespace tw {

void MainWindow::EndDemoForDeal() {
  if (!ctx_.DemoMode) return;
  ResetDemoPlayButtons();
  ctx_.DemoMode = 0;
  if (QAction* command = Action("mnuDemo")) {
    QSignalBlocker block(command);
    command->setChecked(false);
  }
  LayoutStatusPanels();
}

}  // namespace tw
