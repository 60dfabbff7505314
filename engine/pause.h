// The clock side of a pause: the time spent paused does not count toward the
// deal's time. The window shows the pause screen and ends the pause on the
// first key or mouse button.
#pragma once

#include "core/state.h"

namespace tw {

bool IsPaused(const GameContext& ctx);
// Stops the clock where it stands; false (nothing done) when already paused
// or no deal is in progress.
bool BeginPause(GameContext& ctx);
// Starts the clock again with the pause's length added to GameStartTime, so
// the time shown before the pause stays; false when not paused. A deal that
// ended meanwhile keeps its clock stopped.
bool EndPause(GameContext& ctx);

}  // namespace tw
