// Presses of the selection games: the player picks cards that together
// satisfy the game kind's condition; the selection lies on foundation 1 as
// card codes in click order, highlighted on the table, and is played away
// ("Selezionate_Dest") as soon as it is complete.
#pragma once

#include <string>
#include <vector>

#include "core/state.h"
#include "table/geometry.h"

namespace tw {

class PlayView;

// The selected cards in click order.
std::vector<int> SelectedCards(const GameContext& ctx);

enum class SelectionVerdict { Refused, Accepted, Complete };

// Whether the selection (with the clicked card already in it) may stand for
// the current game kind, and whether it is complete. clickedIsTop: the
// clicked card is its pile's top card; firstPile and clickedPile are the
// 0-based tableau piles of the first selected and the clicked card.
SelectionVerdict JudgeSelection(const GameContext& ctx, const std::vector<int>& selection,
                                int clicked, bool clickedIsTop, int firstPile, int clickedPile);

// A left press of a game with a selection foundation.
void SelectionPress(GameContext& ctx, PlayView& view, const HitResult& h);

// Kinds 3 and 4: pairs summing to 14 (kind 3) or 13 (kind 4), at most two
// cards selected.
void PairPress(GameContext& ctx, PlayView& view, const HitResult& h);

}  // namespace tw
