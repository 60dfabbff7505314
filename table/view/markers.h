// Which empty-pile marker a pile shows, from the game's rules and the state
// of the deal. Pure; the drawing blits the chosen picture.
#pragma once

#include "core/state.h"

namespace tw {

// Marker kinds of DrawPileBase.
enum class MarkerKind {
  Stock = 1,
  Waste = 2,
  Foundation = 3,
  None = 4,
  Reserve = 5,
  Tableau = 6,
  Talon = 7,
};

enum class Marker {
  None,
  StockBase,     // the stock can be turned again
  StockEmpty,    // no pass left
  StockBaseAlt,  // empty waste or third slot
  DealMarker,    // stock of a game that deals rows to the tableau (kind 8)
  FoundationBase,
  Rank,  // FoundationRankBmp[rank]
  TableauBase,
  TableauNoFill,
  ReserveBase,
  ReserveBase9,
};

struct MarkerChoice {
  Marker marker = Marker::None;
  int rank = -1;  // index into the rank markers for Marker::Rank
  bool operator==(const MarkerChoice&) const = default;
};

// index is 0-based; -1 (and below) stands for the first pile.
MarkerChoice ChooseMarker(const GameContext& ctx, MarkerKind kind, int index);

}  // namespace tw
