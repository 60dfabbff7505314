// Two rule-driven operations on the tableau: the tableau redeal (every
// tableau card gathered, re-mixed by a fixed permutation and dealt out
// again) and the transfer of a completed King-to-Ace run to a foundation
// that takes only such runs (start code 82 or 83).
#pragma once

#include <vector>

#include "core/state.h"

namespace tw {

// The fixed re-mix of the redeal: no random numbers, so a replayed deal
// redeals the same way.
std::vector<int> RemixRedealCards(std::vector<int> gathered);

// Gathers the used tableau piles (each from its top card down), re-mixes
// the cards and deals them out again: with GameRules.TableauRedeal 1 each
// pile is filled to pile 1's card count, otherwise one card to each pile in
// turn. The caller has made the undo step and counted the redeal.
void RedealTableau(GameContext& ctx);

// Tableau pile i (0-based) changed: when its top thirteen cards are a
// completed face-up run, Ace on top down to the King, they move to the first
// empty foundation of code 82 or 83 (the discard when that foundation is not
// on the table), within the current undo step. True when a run moved.
bool CheckKingRunToFoundation(GameContext& ctx, int i);
// The same for every used tableau pile.
bool MoveKingRunsToFoundations(GameContext& ctx);

}  // namespace tw
