// The end of a deal, won or abandoned: the clock stops, the log line, the
// statistics, the hi-score table and the overall scores get the result, and
// a won deal is celebrated with the "Won" sound, the won animation and the
// game-won dialog.
#pragma once

#include <cstdint>

#include "core/state.h"

namespace tw {

// Seconds on the engine's monotonic clock (ctx.Clock's tick counter); the
// unit of GameStartTime, GameEndTime and PauseStartTime. 0 without a clock.
int64_t ClockSeconds(const GameContext& ctx);
// Seconds the deal has run: up to now while the clock runs, up to the start
// of a pause while paused (PauseStartTime), up to GameEndTime once the deal
// has ended; never negative, no wrap after a day.
int64_t GameElapsedSeconds(const GameContext& ctx);

// Poker squares: every grid pile holds a card.
bool PokerGridFull(const GameContext& ctx);

// Ends the deal in progress (nothing when none is). The verdict is
// TfrmMain.GameWon, so a deal abandoned by a command counts as lost; a poker
// squares deal counts as won only with its grid full and 100 points or more.
// Errors of the results files are reported by their writers and the deal
// still ends.
void GameOver(GameContext& ctx);

}  // namespace tw
