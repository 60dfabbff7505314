// The table's mouse handlers: a press turns the stock, deals, turns a card
// face up, plays a discard, shows a covered card while the right button is
// held, or lifts a card or run; moving drags the lifted picture; the release
// drops it or puts it back, then fills and autoplays. Positions are window
// coordinates of the table area. The main window calls these; input that
// arrives while a move or flight is under way (InputBusy) is ignored.
#pragma once

#include "core/state.h"

namespace tw {

class PlayView;

enum class MouseButton { Left, Right, Middle };

void TableMouseDown(GameContext& ctx, PlayView& view, MouseButton button, int shift, int x, int y);
// The pointer moved (button held or not).
void TableMouseMove(GameContext& ctx, PlayView& view, int x, int y);
void TableMouseUp(GameContext& ctx, PlayView& view);
// Qt delivers press, release, double-click, release: the double-click event
// stands for the second press, so the card goes to a foundation first and the
// press that the double-click swallows comes after.
void TableDoubleClick(GameContext& ctx, PlayView& view, MouseButton button, int shift, int x,
                      int y);

}  // namespace tw
