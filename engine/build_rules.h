// Build rules: whether one card may be laid on another, or on an empty pile,
// under the rule words of the target pile. Nothing here changes the table.
#pragma once

#include "core/state.h"

namespace tw {

// The target value of an empty pile (a signed 16-bit -1). Any target of 0 or
// less counts as empty: rank -1, hearts, red.
constexpr int kEmptyTarget = 65535;

// True while the lifted group is a single card (the pick-up, the executor
// and the automatic moves keep GameState.LiftedCards).
bool IsSingleCardLifted(const GameContext& ctx);
void SetLiftedCards(GameContext& ctx, int count);

bool CanBuildOn(GameContext& ctx, int top, int card, int startCode, int baseRank, int direction,
                int suitRule, bool isFoundation, bool wrap, int pileIndex, bool dropTest);

// May card start an empty pile of start code 81, 84 or 85, balancing colours
// (and for 84 and 85 suits) over the foundations of the same code.
bool CanStartFoundation(GameContext& ctx, int code, int card);

// Cells 0..24 of a grid five wide: the eight neighbours of a cell.
bool IsGridNeighbour(int a, int b);
// Rule code 5.
bool CanBuildOnNeighbourFoundation(const GameContext& ctx, int card, int pileIndex);

}  // namespace tw
