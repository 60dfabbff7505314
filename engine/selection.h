// Clicks of the selection and pair games, judged one at a time as the table
// judges them: the selection lies on foundation 1 in click order, and it is
// played away the moment it is complete, so a card list counts as a move
// only when every click before the last leaves it incomplete. The table's
// press handling, the headless player and the demo search share this.
#pragma once

#include <vector>

#include "core/state.h"

namespace tw {

// The selected cards in click order.
std::vector<int> SelectedCards(const GameContext& ctx);

enum class SelectionVerdict { Refused, Accepted, Complete };

// Whether the selection (with the clicked card already in it) may stand for
// the current game kind, and whether it is complete. clickedIsTop: the
// clicked card is its pile's top card; firstPile and clickedPile are the
// 0-based tableau piles of the first selected and the clicked card.
SelectionVerdict JudgeSelection(const GameContext& ctx, const std::vector<int>& selection,
                                int clicked, bool clickedIsTop, int firstPile, int clickedPile);

enum class SelectionClick {
  Ignored,     // the card cannot be clicked for a selection where it lies
  Refused,     // a beep; the selection is as before
  Deselected,  // taken out again
  Selected,    // added and highlighted, not complete yet
  Complete     // the selection is complete and must be played away now
};

// A left click on the card (a face-up tableau card; in the pyramid also the
// waste's top card, and the stock's while a card is selected). The
// selection on foundation 1 is changed as the click changes it; nothing is
// drawn and nothing played away.
SelectionClick ClickSelectionCard(GameContext& ctx, int card);

// A complete selection played away as the table plays it: the cards to the
// discard, then, in the selection games that refill, the empty piles from
// the stock. True when something moved.
bool PlayCompleteSelection(GameContext& ctx);

// Clicks the cards in this order on an empty selection; true when every
// click was taken and the last completed it (it is then still to be played
// away). The selection is left empty when they do not make a move.
bool ClicksCompleteSelection(GameContext& ctx, const std::vector<int>& cards);

// An order of these cards whose clicks make the move (the given order when
// it does); empty when no order does.
std::vector<int> ClickOrder(GameContext& ctx, const std::vector<int>& cards);

}  // namespace tw
