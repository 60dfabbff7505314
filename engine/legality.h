// Move legality: whether a card (with the run above it) may go onto a pile,
// whether a run may be lifted, and the foundation search of double-clicks
// and autoplay. Only SendCardToFoundation moves a card, through the drop
// routine (DropPort).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/state.h"

namespace tw {

// "Dest"n, "Fila"n, "Appogg"n.
bool CanDropOnPile(GameContext& ctx, int card, const std::string& pileName);
bool CanPlaceOnFoundation(GameContext& ctx, StringList& piles, int index, int card);
bool CanPlaceOnTableau(GameContext& ctx, StringList& piles, int index, int card);

// The card and every card above it, bottom first, from the tableau pile
// (searched first) or reserve that holds it; empty when it is on neither.
std::vector<int> RunOfCard(const GameContext& ctx, int card);
bool IsValidRun(GameContext& ctx, int card, int pileIndex);
// Sets GameState.RunLastCard to the run's top card.
bool RunLengthAllowed(GameContext& ctx, int card, bool toEmptyPile);

// Batch games (kind 23): cards left in the current batch of 20 waste cards,
// and whether a new batch starts (or the waste is empty).
int BatchRemaining(const GameContext& ctx, bool& atBoundary);
bool IsBatchBoundary(const GameContext& ctx);

// Offers a face-up card to the used foundations in order, then (with
// tryReserves) to the used reserves; the first pile that takes it ends the
// search. x, y, width, height: the card's rectangle on the table.
bool SendCardToFoundation(GameContext& ctx, int card, int x, int y, int width, int height,
                          bool tryReserves, bool autoplay);

// Row games: tableau pile 1 against the selection on foundation 1.
bool RowRunOnFoundation(const GameContext& ctx);
bool RowEndsMatch(const GameContext& ctx);

// The pile number of "Dest"n / "Fila"n / "Appogg"n (1-based), or 0 when the
// name does not begin with prefix or has no number of at most two digits.
int PileNumber(std::string_view pileName, std::string_view prefix);

}  // namespace tw
