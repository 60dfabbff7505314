// The end of a drag: dropping the lifted cards on the pile they overlap
// most that takes them, or flying them back to their place; and the
// double-click that sends a card to a foundation.
#pragma once

#include <vector>

#include "core/state.h"

namespace tw {

class PlayView;

// Drop-target kinds (and the kinds of FindCardInPiles).
constexpr int kDropWaste = 2;
constexpr int kDropTableau = 4;
constexpr int kDropFoundation = 5;
constexpr int kDropReserve = 6;
constexpr int kNoDropTarget = 65535;

struct DropCandidate {
  int Area = 0;
  int Kind = kNoDropTarget;
  int Index = 0;  // 0-based
};

// The piles the lifted rectangle overlaps, best first: the larger overlap,
// then the higher kind, then the higher index; at most four.
std::vector<DropCandidate> FindDropCandidates(GameContext& ctx, int left, int top, int right,
                                              int bottom);

// Offers the card to the candidates (or to the one fixed target kind/index
// when kind is 0..65534) until one takes it through the move executor. A
// fixed target needs no overlap: the card flies there from the lifted
// rectangle. redrawFirst takes the card off the table picture before the
// flight (it is still drawn at its place); animate flies it. False when
// nothing took it; nothing has then changed.
bool DropCards(GameContext& ctx, PlayView& view, int card, int left, int top, int right, int bottom,
               bool redrawFirst, bool animate, bool autoplayName, int kind, int index);
bool TryDropOnPile(GameContext& ctx, PlayView& view, int card, int left, int top, int right,
                   int bottom, bool redrawFirst, bool animate, bool autoplayName, int kind,
                   int index, bool fixedTarget);

// Flies the lifted picture back to the card's place and draws its pile
// again; the piles are not changed. A card in no pile does nothing.
void PutCardBack(GameContext& ctx, PlayView& view, int card);

// The card under the last mouse-down goes to a foundation (or a reserve).
// swallowNext: the press Qt sends after the double-click is to be ignored
// (a double-click on the stock stays two stock clicks). topOnly: a tableau
// card must be its pile's face-up top card.
bool DoubleClickCard(GameContext& ctx, PlayView& view, bool swallowNext, bool topOnly);

}  // namespace tw
