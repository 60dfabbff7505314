// The main window caption: product, game, player and deal number.
#pragma once

#include <string>

#include "core/state.h"

namespace tw {

std::string MainCaptionText(const GameContext& ctx);
// Assigns the caption only when it differs from the window's current one.
void UpdateMainCaption(GameContext& ctx);

}  // namespace tw
