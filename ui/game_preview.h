// The picture of a game's table in the open-game dialog: the game dealt on
// a table of its own (its own context, so the game in play is untouched),
// laid out and drawn by the program's own layout and drawing code, then
// cut to the cards and scaled into the preview box.
#pragma once

#include <QImage>
#include <QSize>

#include "core/state.h"
#include "platform/gfx/reslib.h"

namespace tw {

// The table of game (a catalogue number) as deal 1 leaves it, on a
// transparent ground, at most box in size. Null when the game cannot be set
// up or dealt.
QImage RenderGamePreview(const GameContext& ctx, const gfx::ResourceLibrary& library, int game,
                         QSize box);

}  // namespace tw
