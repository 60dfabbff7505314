#include "ui/main_window.h"

#include <QApplication>
#include <QBackingStore>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegion>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QWindow>

#include "core/cards.h"
#include "core/datafiles.h"
#include "core/util.h"
#include "engine/autoplay.h"
#include "engine/caption.h"
#include "engine/executor.h"
#include "engine/gameover.h"
#include "engine/newgame.h"
#include "engine/undo.h"
#include "platform/gfx/reslib.h"
#include "platform/qt/prompts.h"
#include "platform/sys/ini.h"
#include "table/layout.h"
#include "table/view/animate.h"
#include "table/view/mouse.h"
#include "table/view/setup.h"
#include "table/view/table_view.h"
#include "ui/card_counter.h"
#include "ui/game_start.h"

namespace tw {

namespace {

MouseButton ToMouseButton(TableButton b) {
  switch (b) {
    case TableButton::Right:
      return MouseButton::Right;
    case TableButton::Middle:
      return MouseButton::Middle;
    case TableButton::Left:
      break;
  }
  return MouseButton::Left;
}

bool ToTableButton(Qt::MouseButton b, TableButton& out) {
  switch (b) {
    case Qt::LeftButton:
      out = TableButton::Left;
      return true;
    case Qt::RightButton:
      out = TableButton::Right;
      return true;
    case Qt::MiddleButton:
      out = TableButton::Middle;
      return true;
    default:
      return false;
  }
}

// Shift state as the table handlers read it: 1 shift, 2 ctrl, 4 alt, 16 double.
int ShiftBits(Qt::KeyboardModifiers m) {
  int bits = 0;
  if (m & Qt::ShiftModifier) bits |= 1;
  if (m & Qt::ControlModifier) bits |= 2;
  if (m & Qt::AltModifier) bits |= 4;
  return bits;
}

constexpr int kToolbarHeight = 46;
constexpr int kPanelWidth = 110;
constexpr int kPanelHeight = 24;

QFrame* Line(QWidget* parent, const char* colour) {
  auto* f = new QFrame(parent);
  // Filled from its palette: an opaque child, which animations draw around.
  QPalette palette = f->palette();
  palette.setColor(QPalette::Window, QColor(colour));
  f->setPalette(palette);
  f->setAutoFillBackground(true);
  f->setFixedHeight(1);
  return f;
}

QFrame* LabelPanel(QWidget* parent, const QString& caption, QLabel*& value) {
  auto* panel = new QFrame(parent);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->resize(kPanelWidth, kPanelHeight);
  auto* layout = new QHBoxLayout(panel);
  layout->setContentsMargins(6, 0, 6, 0);
  layout->addWidget(new QLabel(caption, panel));
  value = new QLabel(panel);
  value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  layout->addWidget(value, 1);
  return panel;
}

}  // namespace

// ---- Surface ----

TableSurface::TableSurface(MainWindow& owner, QWidget* parent) : QWidget(parent), owner_(owner) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TableSurface::paintEvent(QPaintEvent* event) { owner_.Paint(event); }

void TableSurface::mousePressEvent(QMouseEvent* event) {
  TableButton b;
  if (!ToTableButton(event->button(), b)) return;
  const QPoint p = event->position().toPoint();
  owner_.TableMouseDownAt(b, event->modifiers(), p.x(), p.y());
}

void TableSurface::mouseReleaseEvent(QMouseEvent* event) {
  TableButton b;
  if (!ToTableButton(event->button(), b)) return;
  const QPoint p = event->position().toPoint();
  owner_.TableMouseUpAt(b, event->modifiers(), p.x(), p.y());
}

void TableSurface::mouseDoubleClickEvent(QMouseEvent* event) {
  TableButton b;
  if (!ToTableButton(event->button(), b)) return;
  const QPoint p = event->position().toPoint();
  // The double-click stands for the second press.
  if (b == TableButton::Left) {
    owner_.TableDoubleClickAt(p.x(), p.y());
  } else {
    owner_.TableMouseDownAt(b, event->modifiers(), p.x(), p.y());
  }
}

void TableSurface::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  owner_.TableMouseMoveAt(event->modifiers(), p.x(), p.y());
}

void TableSurface::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  owner_.MainWindowResized();
}

bool MainWindow::InputAllowed() const { return !HandlerRunning() && !InputBusy(ctx_); }

void MainWindow::AfterHandler() {
  if (closing_) return;
  UpdateCommandStates();
  if (after_handler_) {
    // Left by the handler that has just ended (a game-won choice).
    auto work = std::move(after_handler_);
    after_handler_ = nullptr;
    work();
  }
  if (play_after_handler_) {
    auto play = std::move(play_after_handler_);
    play_after_handler_ = nullptr;
    play();
  }
  if (!release_missed_) return;
  // The button went up while a move was being carried out: finish the
  // press now, so no drag is left hanging.
  release_missed_ = false;
  TableMouseUpAt(missed_button_, Qt::NoModifier, missed_pos_.x(), missed_pos_.y());
}

// ---- Window ----

MainWindow::MainWindow(GameContext& ctx, TableView& view, PlayView& play, qt::Prompts& prompts)
    : ctx_(ctx), view_(view), play_(play), prompts_(prompts) {
  setWindowTitle(kProductName);
  surface_ = new TableSurface(*this, this);
  setCentralWidget(surface_);
  filter_ = new InputFilter(this);
  filter_->SetOnWonInput([this] { StopWonAnimation(); });
  filter_->SetOnPauseInput([this] { SetPause(false); });
  pause_drawing_ = std::make_unique<TablePlayDrawing>(ctx_, view_);
  pause_screen_ = std::make_unique<PauseScreen>(*pause_drawing_);
  pause_timer_.setInterval(80);
  connect(&pause_timer_, &QTimer::timeout, this, [this] { pause_screen_->Step(); });
  BuildMenus();
  BuildPanels();
  BuildToolbars();
  timer1_.setInterval(1000);
  connect(&timer1_, &QTimer::timeout, this, [this] { Timer1Timer(); });
  timer1_.start();

  pacer_ = std::make_unique<FramePacer>([this](const QRegion& region) {
    // Animations draw from inside one handler: they cannot wait for the
    // paint event.
    if (surface_->isVisible()) {
      if (const QScreen* screen = surface_->screen(); screen && screen->refreshRate() >= 24) {
        pacer_->SetFrameTime(std::chrono::microseconds(
            static_cast<int64_t>(1e6 / std::min<qreal>(screen->refreshRate(), 240))));
      }
      if (!ShowOnStore(region)) surface_->repaint(region);
    }
    if (on_frame_shown_) on_frame_shown_();
    if (on_first_table_ && ctx_.TfrmMain.GameInProgress && ctx_.GameState.TableDrawn()) {
      const std::function<void()> first = std::move(on_first_table_);
      on_first_table_ = nullptr;
      first();
    }
  });
  prompts_.SetBeforeWait([this] { return pacer_->BeforeWait(); },
                         [this](int ms) { pacer_->WaitStarted(ms); });
  TableViewHooks hooks;
  hooks.Repaint = [this](QRect r) { pacer_->Show(r); };
  hooks.FrameDue = [this] { return pacer_->FrameDue(); };
  hooks.SkipFrame = [this] { pacer_->Skip(); };
  hooks.ScrollToTop = [this] {
    QSignalBlocker block(scr_bar_main_);
    scr_bar_main_->setValue(0);
  };
  hooks.UpdateTableScroll = [this] { UpdateTableScroll(); };
  hooks.DrawGameKindExtras = [this](int kind) { play_.DrawGameKindExtras(kind); };
  view_.SetHooks(std::move(hooks));
}

MainWindow::~MainWindow() {
  closing_ = true;
  view_.SetHooks({});
  prompts_.SetBeforeWait(nullptr, nullptr);
}

void MainWindow::BuildPanels() {
  pnl_tb_ = new QFrame(surface_);
  pnl_tb_->setAutoFillBackground(true);
  pnl_tb_->setFrameShape(QFrame::NoFrame);
  pnl_linea_grigia_ = Line(surface_, "#808080");
  pnl_linea_nera_ = Line(surface_, "#000000");
  pnl_tempo_ = LabelPanel(pnl_tb_, "Time:", lbl_tempo_);
  pnl_score_ = LabelPanel(pnl_tb_, "Score:", lbl_score_);
  pnl_tempo_->setObjectName("pnlTempo");
  pnl_score_->setObjectName("pnlScore");
  lbl_tempo_->setText("0:00:00");
  lbl_score_->setText("0");
  // The panels' own menus hide them; the toolbar's menu shows them again.
  auto popup = [this](QWidget* w, const QString& caption, std::function<void()> f) {
    w->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* a = new QAction(caption, w);
    connect(a, &QAction::triggered, this, f);
    w->addAction(a);
    return a;
  };
  popup(pnl_tempo_, "&Hide", [this] { ShowTimePanel(false, true); });
  popup(pnl_score_, "Hide", [this] { ShowScorePanel(false, true); });
  act_show_time_ = popup(pnl_tb_, "Show time", [this] { ShowTimePanel(true, true); });
  act_show_score_ = popup(pnl_tb_, "Show score", [this] { ShowScorePanel(true, true); });
  act_show_time_->setEnabled(false);
  act_show_score_->setEnabled(false);

  BuildDemoBar();

  scr_bar_main_ = new QScrollBar(Qt::Vertical, surface_);
  scr_bar_main_->setPageStep(50);
  scr_bar_main_->setSingleStep(2);
  scr_bar_main_->setRange(0, 100);
  scr_bar_main_->hide();
  connect(scr_bar_main_, &QScrollBar::valueChanged, this, [this](int value) {
    ctx_.GameState.ScrollOffsetY() = static_cast<int16_t>(value);
    for (int i = 0; i < kStockSlots; ++i) {
      const size_t u = static_cast<size_t>(i);
      ctx_.StockBaseY[u] = static_cast<int16_t>(ctx_.StockBaseYUnscrolled[u] - value);
    }
    ctx_.GameState.PokerPanelY() = static_cast<int16_t>(ctx_.GameState.PokerPanelBaseY() - value);
    view_.RefreshScreen();
  });

  pnl_status_bar_ = new QFrame(surface_);
  pnl_status_bar_->setFrameShape(QFrame::Panel);
  pnl_status_bar_->hide();
}

void MainWindow::LoadCursors(const gfx::ResourceLibrary& library) {
  cursor_library_ = &library;
  cursors_.clear();
}

void MainWindow::SetTableCursor(int slot) {
  static const struct {
    int slot;
    const char* name;
  } kCursors[] = {{10, "CUR_ARROW1A"}, {11, "CUR_ARROW2A"}, {12, "CUR_HAND1A"},  {13, "CUR_HAND2A"},
                  {14, "CUR_CROSS1A"}, {20, "CUR_ARROW1B"}, {21, "CUR_ARROW2B"}, {22, "CUR_HAND1B"},
                  {23, "CUR_HAND2B"},  {24, "CUR_CROSS1B"}};
  auto it = cursors_.find(slot);
  if (it == cursors_.end() && cursor_library_) {
    for (const auto& c : kCursors) {
      if (c.slot != slot) continue;
      const gfx::CursorImage image = cursor_library_->LoadCursor(c.name);
      if (!image.Empty()) it = cursors_.emplace(slot, gfx::ToQCursor(image)).first;
    }
  }
  if (it != cursors_.end()) {
    surface_->setCursor(it->second);
  } else {
    surface_->unsetCursor();
  }
}

LayoutInput MainWindow::CurrentLayoutInput() const {
  LayoutInput in;
  in.FormWidth = surface_->width() + kNonClientWidth;
  in.FormHeight = surface_->height() + kNonClientHeight;
  in.ClientHeight = surface_->height();
  in.ScrollBarWidth = TableScrollVisible() ? scr_bar_main_->width() : 0;
  in.ScrollPosition = scr_bar_main_->value();
  in.Demo = {!pnl_demo_->isHidden(), pnl_demo_->y(), pnl_demo_->height()};
  in.Toolbar = {!pnl_tb_->isHidden(), pnl_tb_->y(), pnl_tb_->height()};
  in.StatusBarVisible = !pnl_status_bar_->isHidden();
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const QSize s = screen ? screen->size() : QSize(1024, 768);
  in.ScreenWidth = s.width();
  in.ScreenHeight = s.height();
  in.ShadowOffset = ctx_.TfrmMain.ShadowOffset;
  return in;
}

LayoutInput MainWindow::LayoutInputForDrawing() const { return CurrentLayoutInput(); }

int MainWindow::ToolbarBottom() const {
  return !pnl_tb_->isHidden() ? pnl_tb_->y() + pnl_tb_->height() : 5;
}

void MainWindow::ApplyStartupSettings(const WindowPreferences& prefs) {
  ShowTimePanel(ctx_.CfgIs(cfg::Show_Time, "Y"), false);
  ShowScorePanel(ctx_.CfgIs(cfg::Show_Score, "Y"), false);
  autoplay_checked_ = prefs.AutoPlay;
  SetToolbarLarge(prefs.ToolbarLarge, false);
  SetToolbarFlat(prefs.ToolbarFlat, false);
  // No game commands until a game is set up and dealt.
  EnableGameControls(false);
  if (ctx_.CfgIs(cfg::StatusBar, "N")) pnl_status_bar_->hide();
  EnableUndoRedo(!ctx_.CfgIs(cfg::Undo_Enabled, "2"));
  SetTableCursor(std::atoi(ctx_.Cfg(cfg::Cursor).c_str()));

  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const QSize s = screen ? screen->size() : QSize(1024, 768);
  view_.SetTableSize(s.width() + 30, s.height() + 30);
  MainWindowResized();
  view_.PaintBackgroundFromSettings(view_.TableBmp());
  view_.RefreshScreen();
}

void MainWindow::MainWindowResized() {
  const int w = surface_->width(), h = surface_->height();
  const QFrame* bar = toolbar_large_ ? pnl_tb_large_ : pnl_tb_small_;
  pnl_tb_->setGeometry(0, 0, w, bar ? bar->height() : kToolbarHeight);
  LayoutStatusPanels();
  view_.SetWindowSize(std::max(w, 1), std::max(h, 1));
  // The table covers the screen and 30 pixels more; a window larger than the
  // screen (a second monitor, a test) grows it. Its pictures hold only what
  // the window can show.
  const QSize pictures(view_.TableBmp().Width(), view_.TableBmp().Height());
  view_.LimitPictures(w + 30, h + 30);
  const QSize table = view_.TableSize();
  if (table.width() < w + 30 || table.height() < h + 30) {
    view_.SetTableSize(std::max(table.width(), w + 30), std::max(table.height(), h + 30));
  }
  const bool resized = pictures != QSize(view_.TableBmp().Width(), view_.TableBmp().Height());
  if (TableScrollVisible()) PlaceTableScrollBar();
  if (!pnl_status_bar_->isHidden()) {
    pnl_status_bar_->setGeometry(0, h - 20, w, 20);
  }
  if (closing_) return;
  if (ctx_.TfrmMain.FirstActivation == 1) {
    // No game yet: pictures of a new size get the bare table.
    if (resized) view_.PaintBackgroundFromSettings(view_.TableBmp());
    return;
  }
  // The cards stay hidden while paused.
  if (Paused()) {
    ShowPauseScreen();
    return;
  }
  if (ctx_.GameRules.CardCount() == 0) {
    view_.PaintBackgroundFromSettings(view_.TableBmp());
    view_.RefreshScreen();
    return;
  }
  // The piles follow the bars above the table even while no cards are on
  // show, so that the next deal is drawn in place.
  ComputeLayout(ctx_, CurrentLayoutInput());
  if (ctx_.TfrmMain.GameInProgress || ctx_.DemoMode || view_.KeepsIdleTable()) {
    view_.RedrawWholeTable();
  } else {
    view_.PaintBackgroundFromSettings(view_.TableBmp());
    view_.RefreshScreen();
  }
}

bool MainWindow::TableScrollVisible() const { return !scr_bar_main_->isHidden(); }

void MainWindow::PlaceTableScrollBar() {
  const int width = scr_bar_main_->sizeHint().width();
  const int top = pnl_tb_->y() + pnl_tb_->height() + 2;
  scr_bar_main_->setGeometry(surface_->width() - width, top, width, surface_->height() - top);
}

void MainWindow::UpdateTableScroll() {
  // Redrawing the grown table asks again; that answer is already given.
  if (updating_scroll_) return;
  updating_scroll_ = true;
  const bool allowed = ctx_.CfgIs(cfg::VertScrollBar, "Y");
  const int client = surface_->height();
  const int needed = ctx_.GameState.TableHeight();
  const bool shown = TableScrollVisible();
  int slack = 0;
  const bool grow =
      shown ? view_.TableSize().height() - 2 * ctx_.CardHeight < needed : client < needed;
  const int growth = 2 * ctx_.CardHeight + (needed - client);
  if (!allowed && shown) slack = -10000;
  if (shown && client - slack >= needed) {
    scr_bar_main_->setValue(0);
    scr_bar_main_->setMaximum(100);
    scr_bar_main_->hide();
    updating_scroll_ = false;
    MainWindowResized();
    return;
  }
  if (grow && allowed && growth > 0) {
    view_.SetTableSize(view_.TableSize().width(), view_.TableSize().height() + growth);
    scr_bar_main_->setMaximum(scr_bar_main_->maximum() + std::max(0, growth - 30));
    scr_bar_main_->show();
    view_.SetScrollBarVisible(true);
    PlaceTableScrollBar();
    ComputeLayout(ctx_, CurrentLayoutInput());
    view_.RedrawWholeTable();
  }
  view_.SetScrollBarVisible(TableScrollVisible());
  updating_scroll_ = false;
}

void MainWindow::LayoutStatusPanels() {
  const int w = surface_->width();
  const int tempoLeft = w - kPanelWidth - 15;
  const int scoreLeft = ctx_.CfgIs(cfg::Show_Time, "Y") ? tempoLeft - kPanelWidth - 5 : tempoLeft;
  const int top = Nearest((pnl_tb_->height() - pnl_tempo_->height()) / 2.0) + 2;
  pnl_tempo_->move(tempoLeft, top);
  pnl_score_->move(scoreLeft, top);
  int barTop = pnl_tb_->y(), barHeight = pnl_tb_->height();
  if (ctx_.DemoMode) {
    pnl_demo_->setGeometry(0, barTop + barHeight, w, pnl_demo_->height());
    pnl_demo_->show();
    barTop += pnl_demo_->height();
  } else {
    pnl_demo_->hide();
  }
  const int y = barTop + barHeight;
  pnl_linea_grigia_->setGeometry(0, y, w, 1);
  pnl_linea_nera_->setGeometry(0, y + 1, w, 1);
  // A panel that would touch the toolbar's buttons stays hidden.
  int buttonsEnd = 0;
  const auto& buttons = toolbar_large_ ? tb_large_ : tb_small_;
  if (!buttons.empty()) buttonsEnd = buttons.back()->x() + buttons.back()->width();
  pnl_score_->setVisible(scoreLeft > buttonsEnd + 3 && ctx_.CfgIs(cfg::Show_Score, "Y"));
  pnl_tempo_->setVisible(tempoLeft > buttonsEnd + 3 && ctx_.CfgIs(cfg::Show_Time, "Y"));
}

void MainWindow::UpdateMainWindows() { repaint(); }

void MainWindow::ShowTimePanel(bool show, bool save) {
  pnl_tempo_->setVisible(show);
  act_show_time_->setEnabled(!show);
  if (save) {
    ctx_.SetCfg(cfg::Show_Time, show ? "Y" : "N");
    sys::IniFile(CfgFilePath(ctx_)).WriteString("Preference", "Show_Time", show ? "Y" : "N");
  }
  LayoutStatusPanels();
}

void MainWindow::ShowScorePanel(bool show, bool save) {
  pnl_score_->setVisible(show);
  act_show_score_->setEnabled(!show);
  if (save) {
    ctx_.SetCfg(cfg::Show_Score, show ? "Y" : "N");
    sys::IniFile(CfgFilePath(ctx_)).WriteString("Preference", "Show_Score", show ? "Y" : "N");
  }
  LayoutStatusPanels();
}

void MainWindow::EnableUndoRedo(bool enabled) {
  undo_enabled_ = enabled;
  UpdateCommandStates();
}

void MainWindow::Paint(QPaintEvent* event) {
  // Runs once this frame is drawn.
  if (ctx_.TfrmMain.FirstActivation == 1 && !first_activation_posted_) {
    first_activation_posted_ = true;
    QTimer::singleShot(0, this, [this] { RunFirstActivation(); });
  }
  QPainter p(surface_);
  const gfx::Bitmap& canvas = view_.WindowCanvas();
  const QRect r = event->rect();
  if (canvas.Empty()) {
    p.fillRect(r, Qt::darkGreen);
    return;
  }
  for (const QRect& part : event->region()) canvas.PaintTo(p, part);
  const QRegion outside = QRegion(r).subtracted(QRegion(canvas.Bounds()));
  for (const QRect& o : outside) p.fillRect(o, Qt::darkGreen);
}

bool MainWindow::ShowOnStore(const QRegion& region) {
  // An animation's frames are written straight into the window's picture
  // and sent to the screen: a paint event costs several times the copying of
  // a frame's pixels. What an opaque child of the surface covers stays as
  // it is; what shows through another one, and any part off the table, is
  // painted as usual.
  QWidget* top = surface_->window();
  QBackingStore* store = surface_->backingStore();
  QWindow* handle = top->windowHandle();
  const gfx::Bitmap& canvas = view_.WindowCanvas();
  if (!store || !handle || !handle->isExposed() || !surface_->updatesEnabled() || canvas.Empty())
    return false;
  auto picture = [store]() -> QImage* {
    QPaintDevice* device = store->paintDevice();
    if (!device || device->devType() != QInternal::Image) return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format f = image->format();
    const bool words = f == QImage::Format_RGB32 || f == QImage::Format_ARGB32_Premultiplied ||
                       f == QImage::Format_ARGB32;
    return words && image->devicePixelRatio() == 1 ? image : nullptr;
  };
  // A store not yet the window's size is made so by a paint.
  if (!picture() || store->size() != top->size() || picture()->size() != top->size()) return false;
  // A frame's region has many rectangles: it is cut only where it has to be.
  auto clip = [](QRegion& r, const QRect& to) {
    if (!to.contains(r.boundingRect())) r &= to;
  };
  QRegion direct = region, painted;
  clip(direct, surface_->rect());
  for (QObject* child : surface_->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (!w || !w->isVisible() || !direct.boundingRect().intersects(w->geometry())) continue;
    const bool opaque = w->testAttribute(Qt::WA_OpaquePaintEvent) ||
                        (w->autoFillBackground() && w->palette().brush(w->backgroundRole()).isOpaque());
    if (!opaque) painted += direct & w->geometry();
    direct -= w->geometry();
  }
  if (!canvas.Bounds().contains(direct.boundingRect())) {
    painted += direct - canvas.Bounds();
    direct &= canvas.Bounds();
  }
  const QPoint offset = surface_->mapTo(top, QPoint(0, 0));
  direct.translate(offset);
  clip(direct, QRect(QPoint(0, 0), picture()->size()));
  if (!direct.isEmpty()) {
    store->beginPaint(direct);
    if (QImage* image = picture(); image && image->size() == top->size()) {
      const std::ptrdiff_t stride = image->bytesPerLine() / 4;
      auto* words = reinterpret_cast<std::uint32_t*>(image->bits());
      for (const QRect& part : direct)
        canvas.CopyTo(part.translated(-offset), words + part.top() * stride + part.left(), stride);
    }
    store->endPaint();
    store->flush(direct, handle, QPoint(0, 0));
  }
  if (!painted.isEmpty()) surface_->repaint(painted);
  return true;
}

void MainWindow::Timer1Timer() {
  if (ctx_.TfrmMain.ClockRunning) lbl_tempo_->setText(QString::fromStdString(ClockLabelText(ctx_)));
}

// ---- Table input ----

void MainWindow::TableMouseDownAt(TableButton button, Qt::KeyboardModifiers shift, int x, int y) {
  if (!InputAllowed()) return;
  HandlerScope scope(*this);
  TableMouseDown(ctx_, play_, ToMouseButton(button), ShiftBits(shift), x, y);
}

void MainWindow::TableDoubleClickAt(int x, int y) {
  if (!InputAllowed()) return;
  HandlerScope scope(*this);
  TableDoubleClick(ctx_, play_, MouseButton::Left, 16, x, y);
}

void MainWindow::TableMouseMoveAt(Qt::KeyboardModifiers, int x, int y) {
  if (!InputAllowed()) return;
  HandlerScope scope(*this);
  if (ctx_.GameState.MovingCard() != 0) {
    SetTableCursor(std::atoi(ctx_.Cfg(cfg::Cursor).c_str()) + 10);
    // Dragging near the black line or the bottom edge scrolls the table.
    if (TableScrollVisible()) {
      if (scr_bar_main_->value() > 0 && y - 5 < pnl_linea_nera_->y()) {
        scr_bar_main_->setValue(scr_bar_main_->value() - scr_bar_main_->singleStep());
      } else if (surface_->height() < y + 5 && scr_bar_main_->value() != scr_bar_main_->maximum()) {
        scr_bar_main_->setValue(scr_bar_main_->value() + scr_bar_main_->singleStep());
      }
    }
  }
  TableMouseMove(ctx_, play_, x, y);
}

void MainWindow::TableMouseUpAt(TableButton button, Qt::KeyboardModifiers, int x, int y) {
  if (HandlerRunning() || InputBusy(ctx_)) {
    // Kept for when the move under way has ended.
    release_missed_ = true;
    missed_button_ = button;
    missed_pos_ = QPoint(x, y);
    return;
  }
  HandlerScope scope(*this);
  SetTableCursor(std::atoi(ctx_.Cfg(cfg::Cursor).c_str()));
  TableMouseUp(ctx_, play_);
}

int MainWindow::GetPileTopCard(const std::string& name) const {
  const std::string* pile = nullptr;
  auto entry = [](const StringList& list, int n) -> const std::string* {
    if (n < 1 || n > static_cast<int>(list.size())) return nullptr;
    return &list[static_cast<size_t>(n - 1)];
  };
  auto number = [&](size_t at, size_t len) {
    if (name.size() < at + 1) return 0;
    return std::atoi(name.substr(at, len).c_str());
  };
  if (name == "Mazzo") {
    pile = entry(ctx_.MazzoPiles, 1);
  } else if (name == "Mazzo_Vis") {
    pile = entry(ctx_.MazzoPiles, 2);
  } else if (name.rfind("Dest", 0) == 0) {
    pile = entry(ctx_.DestPiles, number(4, 2));
  } else if (name.rfind("Fila", 0) == 0) {
    pile = entry(ctx_.FilaPiles, number(4, 2));
  } else if (name.rfind("Appogg", 0) == 0) {
    pile = entry(ctx_.AppoggPiles, number(6, 1));
  }
  if (!pile || pile->size() < 3) return 0;
  return std::atoi(pile->substr(pile->size() - 3).c_str());
}

bool MainWindow::FindTableauPileByTopCard(int card, int& index) const {
  const int n =
      std::min<int>(ctx_.GameRules.TableauCount(), static_cast<int>(ctx_.FilaPiles.size()));
  for (int i = 0; i < n; ++i) {
    const std::string& pile = ctx_.FilaPiles[static_cast<size_t>(i)];
    if (pile.size() >= 3 && std::atoi(pile.substr(pile.size() - 3).c_str()) == card) {
      index = i;
      return true;
    }
  }
  return false;
}

bool MainWindow::StopWonAnimation() {
  if (ctx_.TfrmMain.WinAnimationRunning != 1) return false;
  ctx_.TfrmMain.WinAnimationRunning = 0;
  return true;
}

// ---- Commands ----

bool MainWindow::PlayGame(int game, const std::string& deal) {
  HandlerScope scope(*this);
  EndDemoForDeal();
  if (!SelectGame(ctx_, game)) return false;
  if (!SetupGame(ctx_, play_)) {
    setup_game_ = -1;
    return false;
  }
  setup_game_ = game;
  // Before the deal: its autoplay reads the switch these commands carry.
  if (!game_controls_) EnableGameControls(true);
  return StartDeal(ctx_, play_, deal, true);
}

bool MainWindow::NewDeal(const std::string& deal) {
  HandlerScope scope(*this);
  EndDemoForDeal();
  if (ctx_.GameRules.CardCount() == 0) return false;
  return StartDeal(ctx_, play_, deal, true);
}

void MainWindow::NewGameCommand() {
  if (!InputAllowed() || !act_new_->isEnabled() || setup_game_ < 0) return;
  HandlerScope scope(*this);
  if (ConfirmQuitGame(ctx_, "") == 0) return;
  GameOver(ctx_);
  EndDemoForDeal();
  PlayEventSound(ctx_, "New", cfg::Sounds_NewGame, SoundMode::Sync);
  StartDeal(ctx_, play_, "", true);
}

void MainWindow::UndoCommand() {
  if (!InputAllowed() || !undo_enabled_ || !ctx_.TfrmMain.GameInProgress) return;
  HandlerScope scope(*this);
  UndoRedo(ctx_, true, false);
}

void MainWindow::RedoCommand() {
  if (!InputAllowed() || !undo_enabled_ || !ctx_.TfrmMain.GameInProgress) return;
  HandlerScope scope(*this);
  UndoRedo(ctx_, false, false);
}

// ---- Start-up and close ----

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The first activation follows the first frame of the table (Paint), so that
  // what it draws reaches the screen; a window that is not painted (minimized)
  // is activated anyway.
  if (ctx_.TfrmMain.FirstActivation == 1) {
    QTimer::singleShot(kFirstActivationLatestMs, this, [this] { RunFirstActivation(); });
  }
}

void MainWindow::UpdateMainCaption() { tw::UpdateMainCaption(ctx_); }

void MainWindow::RunFirstActivation() {
  if (ctx_.TfrmMain.FirstActivation != 1) return;
  if (after_first_frame_) {
    const std::function<void()> after = std::move(after_first_frame_);
    after_first_frame_ = nullptr;
    after();
  }
  UpdateMainCaption();
  ctx_.TfrmMain.FirstActivation = 0;
  WaitUntilOnScreen();
  UpgradeDataFiles(ctx_);
  MainWindowResized();
  ShowStartupDialogs();
  if (first_deal_direct_ || !HasOpenGame()) {
    // The current game of the preferences, without asking.
    int64_t game = -1;
    if (ParseInt(ctx_.Cfg(cfg::Game), game) && game >= 0) PlayGame(static_cast<int>(game), "");
  } else {
    RunOpenGame();
  }
  RestoreCardCounter();
  // Without a deal the bare table is the first one.
  if (on_first_table_) {
    const std::function<void()> first = std::move(on_first_table_);
    on_first_table_ = nullptr;
    first();
  }
}

void MainWindow::WaitUntilOnScreen() {
  // The window system shows a new window a little after show(); until then
  // a repaint reaches nothing, and the deal's busy waits would keep the
  // dealt table off the screen until they end.
  auto onScreen = [this] {
    return !isVisible() ||
           (windowHandle() && windowHandle()->isExposed() && testAttribute(Qt::WA_Mapped));
  };
  if (onScreen()) return;
  QEventLoop loop;
  QTimer poll;
  connect(&poll, &QTimer::timeout, &loop, [&] {
    if (onScreen()) loop.quit();
  });
  poll.start(10);
  QTimer::singleShot(kOnScreenWaitMs, &loop, &QEventLoop::quit);
  loop.exec();
}

bool MainWindow::FormCloseQuery() {
  sys::IniFile ini(CfgFilePath(ctx_));
  const std::string confirm = ini.ReadString("Preference", "ConfirmQuit", "N");
  MainWindowState state;
  state.Maximized = isMaximized();
  const QRect g = geometry();
  state.Left = g.x();
  state.Top = g.y();
  state.Width = g.width();
  state.Height = g.height();
  SaveMainWindowState(ini, state);
  if (ctx_.TfrmMain.WinAnimationRunning == 1) {
    // The game-over routine closes the window once the animation has ended.
    StopWonAnimation();
    filter_->Set(InputFilter::Mode::None);
    ctx_.GameState.ClosePending() = 1;
    return false;
  }
  bool canClose = true;
  if (confirm != "N") canClose = prompts_.AskOkCancel(kExitQuestion);
  if (!canClose) ctx_.GameState.ClosePending() = 0;
  return canClose;
}

void MainWindow::FormClose() {
  closing_ = true;
  if (card_counter_) card_counter_->SaveCounterSettings();
  GameOver(ctx_);
  sys::IniFile(CfgFilePath(ctx_))
      .WriteString("Preference", "AutoPlay", autoplay_checked_ ? "Y" : "N");
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  // A close request while a move runs waits for it.
  if (HandlerRunning() && ctx_.TfrmMain.WinAnimationRunning != 1) {
    event->ignore();
    QTimer::singleShot(50, this, [this] { close(); });
    return;
  }
  // The deal's time ends where the pause began.
  if (Paused()) SetPause(false);
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

// ---- WindowPort ----

std::string MainWindow::Caption() const { return qt::ToLatin(windowTitle()); }

void MainWindow::SetCaption(const std::string& text) {
  const QString title = qt::FromLatin(text);
  if (windowTitle() != title) setWindowTitle(title);
}

void MainWindow::ShowScore(const std::string& text) {
  lbl_score_->setText(qt::FromLatin(text));
  lbl_score_->repaint();
}

void MainWindow::EnableDealMenus(bool enabled) {
  deal_menus_ = enabled;
  // A deal in play replaces a deal left on show.
  if (enabled) view_.KeepIdleTable(false);
  // A deal has begun: the game commands come on (they may be off while no
  // game was set up).
  if (enabled && !game_controls_) {
    EnableGameControls(true);
  } else {
    UpdateCommandStates();
  }
}

void MainWindow::SetWonAnimationFilter(bool on) {
  filter_->Set(on ? InputFilter::Mode::WonAnimation : InputFilter::Mode::None);
}

void MainWindow::CloseMainWindow() {
  QTimer::singleShot(0, this, [this] { close(); });
}

void MainWindow::ShowClock(const std::string& text) {
  lbl_tempo_->setText(qt::FromLatin(text));
  lbl_tempo_->repaint();
}

void MainWindow::EnableCustomize(bool enabled) {
  customize_allowed_ = enabled;
  if (QAction* a = Action("mnuCustomize")) a->setEnabled(enabled);
}

void MainWindow::EnableAutoPlay(bool enabled) {
  autoplay_allowed_ = enabled;
  UpdateCommandStates();
}

void MainWindow::SetBusyFilter(bool on) {
  filter_->Set(on ? InputFilter::Mode::Busy : InputFilter::Mode::None);
}

QString MainWindow::ClockText() const { return lbl_tempo_->text(); }
QString MainWindow::ScoreText() const { return lbl_score_->text(); }

// ---- DialogPort ----

// ShowGameWon and ShowHiScores: ui/main_window_results.cpp.

}  // namespace tw
