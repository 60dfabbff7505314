// The parts of starting and ending play that need no pixels: clearing the
// table, the quit question, the deal clock, the reset and deal of a new game,
// the autoplay that follows a move, and the guard that keeps input out while
// a move is being carried out.
#pragma once

#include <cstdint>
#include <string>

#include "core/state.h"

namespace tw {

// clearAll empties every pile and the undo stacks; the redo stacks always go
// and no deal is in progress afterwards. redraw shows the bare table.
void ClearTable(GameContext& ctx, bool redraw, bool clearAll);

// 1 to go ahead, 0 to stay. Asks (text, or "Quit this game?" when empty) only
// while a deal is being played and not won, and unless CfgRecord's
// ConfirmQuitGame is "N"; always 0 while the won animation runs.
int ConfirmQuitGame(GameContext& ctx, const std::string& text);

// The clock counts whole seconds of ctx.Clock's tick counter from
// GameStartTime. StartClock does nothing while it runs.
void StartClock(GameContext& ctx);
// Stopped, and the label shows "0:00:00".
void ResetClock(GameContext& ctx);
// Seconds since the start while the clock runs, 0 when it is stopped.
int64_t ElapsedSinceStart(const GameContext& ctx);
// "h:nn:ss" of the deal's running time.
std::string ClockLabelText(const GameContext& ctx);
// Shows the running time on the clock label now.
void RefreshClock(GameContext& ctx);

// Play state of a new game (or of an opened saved game, newDeal false):
// moves, the redeal marker, the reserve deal count, the undo/redo used
// marks, and the table cleared (the piles only with newDeal).
void ResetPlayState(GameContext& ctx, bool newDeal);
// With the current game's rules loaded: the pile rules of the last deal
// undone, the clock reset, one pass, no score, a new deal number when
// numberMode is 2 (1 keeps CfgRecord.DealNumber), and the deal. False when
// nothing could be dealt.
bool DealNewGame(GameContext& ctx, int numberMode);
// The deal is under way: the number joins the recent ones, the flags are
// set, the card counter starts again, and the score is shown.
void BeginDealPlay(GameContext& ctx);

// After a move: the empty tableau piles filled, then autoplay to the
// foundations while it is on, filling again after every pass that moved.
// Only while a deal is being played outside demo mode; stops as soon as the
// deal ends or another deal starts (a new game from the game-won dialog).
void RunAutoPlayAfterMove(GameContext& ctx);

// While one lives, TfrmMain.BusyDepth is above 0: the table's mouse handlers
// ignore input and the window is asked to swallow it, so nothing arriving
// during a flight or a move can start another move. Nests.
class BusyInputGuard {
 public:
  explicit BusyInputGuard(GameContext& ctx);
  ~BusyInputGuard();
  BusyInputGuard(const BusyInputGuard&) = delete;
  BusyInputGuard& operator=(const BusyInputGuard&) = delete;

 private:
  GameContext& ctx_;
};

inline bool InputBusy(const GameContext& ctx) { return ctx.TfrmMain.BusyDepth > 0; }

}  // namespace tw
