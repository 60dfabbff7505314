// Dealing a new deal from the deck order of the current deal number, driven
// by the rule words of the game. Nothing is drawn.
#pragma once

#include "core/state.h"

namespace tw {

// Lays out the deal on the empty table (ClearTable runs first). False, with
// nothing dealt, when the deck order cannot be made (bad card count). After
// a deal every card 1..N lies in exactly one pile.
bool DealCards(GameContext& ctx);

// Moves n cards from the front of orderList to entry index of list, face
// down; stops early when the order runs out.
void DealFromOrder(GameContext& ctx, int n, StringList& orderList, StringList& list, int index);
// foundation -1 tries every foundation in order.
bool PlayToFoundation(GameContext& ctx, int card, int foundation);
// Slots 0..3 try foundations 1..4, slots 6..9 foundations 5..8, any other
// slot all eight.
bool PlayToSuitFoundation(GameContext& ctx, int card, int slot);
void PlayBaseCardsToFoundations(GameContext& ctx);
void ReplaceKingsFromStock(GameContext& ctx, StringList& piles);
int LongestPileCards(const GameContext& ctx);
bool AddRankOnce(StringList& piles, int index, int card);
// King deal rule 3: the tableau cards dealt again so that no pile repeats a
// rank where the cards allow it; every card stays in the deal.
void DealRankOncePiles(GameContext& ctx);
// Every King above the bottom of a tableau pile goes to its bottom.
void MoveKingsToBottom(GameContext& ctx);

}  // namespace tw
