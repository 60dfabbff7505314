// Starting play from the window: the current game chosen and a deal of it
// made with a new or a given deal number.
#pragma once

#include <string>

#include "core/state.h"

namespace tw {

class PlayView;

// CfgRecord's Game and Game_name for the catalogued game; false for a
// number the catalogue does not know.
bool SelectGame(GameContext& ctx, int game);
// A new deal of the set-up game: deal empty draws a new random number,
// otherwise the given one (up to 13 digits) is dealt.
bool StartDeal(GameContext& ctx, PlayView& play, const std::string& deal, bool animate);

// Deal number text as the record stores it: 13 digits, zero-padded; "" when
// the text is not 1..13 digits.
std::string DealNumberText(const std::string& deal);

}  // namespace tw
