// Services that run after moves: the win test of every game kind, autoplay
// to the foundations and the automatic face-up of uncovered tableau cards.
#pragma once

#include "core/state.h"

namespace tw {

// Decided from the piles alone by GameRules.GameKind; foundations and the
// third stock slot are not examined.
bool IsGameWon(const GameContext& ctx);

// While TfrmMain.AutoPlayOn: passes over the tableau tops (turned face up
// first with automatic face-up on), the waste top and the reserve tops,
// offering each to the foundations, until a pass moves nothing or
// TfrmMain.StopAutoPlay is set. Ends the deal when it is won. True when a
// card moved.
bool AutoPlay(GameContext& ctx);

// With automatic face-up on, every tableau pile whose top is face down gets
// it turned up, each an undo step of its own. True when a card was turned.
bool AutoFaceUp(GameContext& ctx);

// Turns the top card of tableau pile i (0-based) face up as an undo step of
// its own; a face-up is a new step, so redo is no longer possible.
void FaceUpTableauTop(GameContext& ctx, int card, int i);

// Calls the game-over routine when TfrmMain.GameWon is set; true then.
bool EndDealIfWon(GameContext& ctx);

}  // namespace tw
