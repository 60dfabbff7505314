// Pair and removal games: the cards the player selected (held on foundation
// 1 in click order) go to the discard, the third stock slot; empty tableau
// piles are refilled from the stock; a grid closes its gaps in reading order.
// The executor carries these out for its targets "Selezionate_Dest",
// "Selezionate_Fila" and "Stock_To_Pile_Monte_Carlo".
#pragma once

#include <string>

#include "core/state.h"

namespace tw {

// True for the three pair targets of the executor.
bool IsPairTarget(const std::string& pileName);
// Carries out a pair target; true when something moved.
bool PlayPairTarget(GameContext& ctx, const std::string& pileName);

// "Selezionate_Dest": every selected card leaves its pile (layout 4 leaves a
// hole on a tableau pile, layout 8 also drops the hole before the card) and is
// laid face up on the discard, one undo step. Selected codes that are not on
// the table any more are dropped from the selection. False, with no step,
// when nothing was left to remove.
bool RemoveSelection(GameContext& ctx);

// "Selezionate_Fila": each empty tableau pile in order gets the stock's top
// card face up while the stock lasts; no undo step of its own.
bool RefillEmptyTableaus(GameContext& ctx);

// "Stock_To_Pile_Monte_Carlo": the cards move up over the empty piles in
// reading order and the piles left empty at the end are refilled from the
// stock; no undo step of its own. False when there is no gap to close.
bool CloseGridGaps(GameContext& ctx);

// The text holds nothing but "0" characters (an empty text included).
bool IsAllZeroText(const std::string& text);

// The pyramid test of kind 4: no card of the next row covers the card.
bool IsCardUncovered(const GameContext& ctx, int card);

}  // namespace tw
