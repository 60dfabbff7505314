// Rule-driven operations on piles shared by the executor, the pick-up and
// drop code: the automatic fill of empty tableau piles, the foundation sort,
// the run above a card and the two opening rules.
#pragma once

#include <string>
#include <vector>

#include "core/state.h"

namespace tw {

// Fills empty tableau piles from the source GameRules.FillEmptyTableauFrom
// names (1 reserve 1, 2 and 4 waste then stock, 3 stock then waste); each
// fill joins the undo step of the move that emptied the pile. True when an
// empty tableau pile was found.
bool AutoFillEmptyTableaus(GameContext& ctx);

// Foundation i (0-based) in ascending card-code order.
void SortFoundation(GameContext& ctx, int i);

// The card is the top of a used tableau pile or reserve.
bool IsTopCard(const GameContext& ctx, int card);

// The card and every card above it, bottom first, from the used tableau pile
// (searched first) or reserve that holds it; nothing is removed.
void CardsFromCard(const GameContext& ctx, std::vector<int>& list, int card);
// From the card to the top of piles[index]: copied into list (remove false)
// or cut off the pile (remove true, list left empty). True when found.
bool TakeCardsFromPile(StringList& piles, int index, int card, bool remove, std::vector<int>& list);
// The same for the first used tableau pile, then reserve, holding the card.
bool TakeCardsFromPiles(GameContext& ctx, std::vector<int>& list, int card, bool remove);

int GetTableauY(const GameContext& ctx, int i);

// The foundation-only opening (rule value 1 before the first move): only a
// tableau card to a foundation. pileName empty asks about the card alone;
// the candidate pile kinds that are not foundations (5) are struck out
// (65535). True in every other situation.
bool FoundationOnlyOpening(GameContext& ctx, int card, const std::string& pileName,
                           int* types = nullptr, int typeCount = 0);

// After the first move of a game that fills the tableau then: the empty
// tableau piles are dealt from the stock within that move's undo step.
void FillTableausPhase(GameContext& ctx);

}  // namespace tw
