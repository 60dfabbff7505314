// Presses of the selection games: the player picks cards that together
// satisfy the game kind's condition; the selection lies on foundation 1 as
// card codes in click order, highlighted on the table, and is played away
// ("Selezionate_Dest") as soon as it is complete.
#pragma once

#include <string>
#include <vector>

#include "core/state.h"
#include "engine/selection.h"
#include "table/geometry.h"

namespace tw {

class PlayView;

// A left press of a game with a selection foundation; false when it is a
// stock click of a game that deals from the stock like the building games.
bool SelectionPress(GameContext& ctx, PlayView& view, const HitResult& h);

// Kinds 3 and 4: pairs summing to 14 (kind 3) or 13 (kind 4), at most two
// cards selected.
void PairPress(GameContext& ctx, PlayView& view, const HitResult& h);

}  // namespace tw
