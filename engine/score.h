// The running money score of the deal, kept in CfgRecord.Score and shown on
// the main window's score label.
#pragma once

#include "core/state.h"

namespace tw {

// With reset the score becomes the cost of the deal (minus the card count),
// otherwise it grows by 5 per card; only score kind "01" counts. Poker
// squares keeps its own score and is left alone.
void AddScore(GameContext& ctx, int cards, bool reset = false);

}  // namespace tw
