// Starting play: the setup of the current game (rules, the small-screen card
// set, positions, fan steps and layout) and a new deal of it, drawn and
// timed, with autoplay to follow.
#pragma once

#include "core/state.h"

namespace tw {

class PlayView;

// The small-screen card set: used on screens narrower than 650 pixels by
// games that ask for it.
constexpr int kSmallScreenWidth = 650;

// Prepares CfgRecord.Game for play; false (nothing changed but the rule
// words) when its rules cannot be loaded.
bool SetupGame(GameContext& ctx, PlayView& view);

// numberMode 2 draws a new deal number, 1 deals CfgRecord.DealNumber;
// newDeal false keeps the piles (an opened saved game) and only resets the
// play state and the drawing. noRedraw leaves the table picture alone.
// False when nothing could be dealt.
bool NewGame(GameContext& ctx, PlayView& view, bool newDeal, bool animate, int numberMode,
             bool noRedraw);

}  // namespace tw
