// Deal numbers and the deck order they stand for.
#pragma once

#include <string>

#include "core/state.h"

namespace tw {

// Draws a new deal number into CfgRecord.DealNumber (13 digits) and
// refreshes the main window caption.
void NewGameNumber(GameContext& ctx);

// Fills orderList with the deck order of CfgRecord.DealNumber for
// GameRules.CardCount cards: three-digit codes, each of 1..N once. A card
// count other than 52 or 104, or a deal number with other than digits,
// shows "Error 01 - fnGameNumberCardsArray" and leaves only "000" entries
// (none for a count of 0 or below); the result is then false.
bool fnGameNumberCardsArray(GameContext& ctx, StringList& orderList);

// The deck order itself: a pure function of the 13-digit text and N.
// False (list of holes) for an N other than 52 or 104 or a bad text.
bool DeckOrderFor(const std::string& dealNumber, int cardCount, StringList& orderList);

// Index of a free ("000") entry at pos or beyond in the given direction,
// else the first free entry from 0; -1 when there is none.
int FindFreeSlot(const StringList& list, int pos, bool upward);

}  // namespace tw
