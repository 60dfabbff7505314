// The pause: the clock stands still and the cards are hidden behind the
// pause screen until the first key or mouse button, which the input filter
// swallows. The slide of the first picture runs on a timer, so nothing waits
// on the stack while paused and a close request simply ends the pause first.
#include <QSignalBlocker>

#include "engine/pause.h"
#include "platform/gfx/reslib.h"
#include "platform/qt/prompts.h"
#include "table/layout.h"
#include "table/view/table_view.h"
#include "ui/main_window.h"

namespace tw {

bool MainWindow::Paused() const { return IsPaused(ctx_); }

void MainWindow::PauseCommand() {
  const bool pause = !Paused();
  if (QAction* a = Action("mnuPause")) {
    // The action has toggled itself; SetPause decides the check mark.
    QSignalBlocker block(a);
    a->setChecked(Paused());
  }
  // Not while a move runs or cards are held: the pause screen would hide them
  // in mid-air.
  if (pause && (!InputAllowed() || !Action("mnuPause")->isEnabled() ||
                ctx_.GameState.MovingCard() != 0)) {
    return;
  }
  SetPause(pause);
}

void MainWindow::SetPause(bool on) {
  QAction* item = Action("mnuPause");
  if (on) {
    if (!BeginPause(ctx_)) return;
    {
      QSignalBlocker block(item);
      item->setChecked(true);
    }
    filter_->Set(InputFilter::Mode::Pause);
    ShowPauseScreen();
    pause_timer_.start();
    return;
  }
  if (!EndPause(ctx_)) return;
  pause_timer_.stop();
  pause_screen_->Hide();
  {
    QSignalBlocker block(item);
    item->setChecked(false);
  }
  prompts_.SetHourglass(true);
  // The background held the pause screen: the table is built again whole.
  if (ctx_.TfrmMain.GameInProgress && ctx_.GameRules.CardCount() != 0) {
    ComputeLayout(ctx_, CurrentLayoutInput());
    view_.RedrawWholeTable();
  } else {
    view_.PaintBackgroundFromSettings(view_.TableBmp());
    view_.RefreshScreen();
  }
  prompts_.SetHourglass(false);
  filter_->Set(InputFilter::Mode::None);
  UpdateMainWindows();
}

void MainWindow::ShowPauseScreen() {
  const gfx::ResourceLibrary& library = view_.Library();
  const gfx::Bitmap p1 = library.LoadBitmap("BMP_PAUSE_1");
  const gfx::Bitmap p2 = library.LoadBitmap("BMP_PAUSE_2");
  // Centred on the table, not on the frame around it.
  pause_screen_->Show(p1, p2, surface_->width(), surface_->height(), view_.ColourCount() > 256);
}

}  // namespace tw
