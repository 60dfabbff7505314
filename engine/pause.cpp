#include "engine/pause.h"

#include "engine/gameover.h"
#include "engine/newgame.h"

namespace tw {

bool IsPaused(const GameContext& ctx) { return ctx.TfrmMain.Paused != 0; }

bool BeginPause(GameContext& ctx) {
  if (IsPaused(ctx) || !ctx.TfrmMain.GameInProgress) return false;
  ctx.TfrmMain.Paused = 1;
  ctx.TfrmMain.PausedClockRunning = ctx.TfrmMain.ClockRunning;
  ctx.PauseStartTime = ClockSeconds(ctx);
  ctx.TfrmMain.ClockRunning = 0;
  RefreshClock(ctx);
  return true;
}

bool EndPause(GameContext& ctx) {
  if (!IsPaused(ctx)) return false;
  ctx.TfrmMain.Paused = 0;
  // A deal that has ended keeps the times it was recorded with.
  if (ctx.TfrmMain.GameInProgress) {
    const int64_t now = ClockSeconds(ctx);
    if (now > ctx.PauseStartTime) ctx.GameStartTime += now - ctx.PauseStartTime;
    if (ctx.TfrmMain.PausedClockRunning) ctx.TfrmMain.ClockRunning = 1;
  }
  ctx.TfrmMain.PausedClockRunning = 0;
  ctx.PauseStartTime = 0;
  RefreshClock(ctx);
  return true;
}

}  // namespace tw
