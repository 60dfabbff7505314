// Undo and redo through whole-table snapshots: before every move the table
// (all 53 piles, with the face of every card) goes onto the undo stacks;
// undo and redo swap the table with the newest snapshot of the other side.
// UndoLog and RedoLog keep one comma-terminated group of event codes per
// step ("001" tableau move of a batch game, "002" alternating reserve deal,
// "003" redeal of the waste or the tableau).
#pragma once

#include <string>

#include "core/state.h"

namespace tw {

constexpr int kSnapshotLines = kStockSlots + kMaxFoundations + kMaxTableaus + kMaxReserves;
constexpr int kRedealStepCode = 3;

// 53 lines: stock slots, foundations, tableau piles, reserves; each card as
// its 3-digit code plus its face flag, a hole as "0000".
void SaveTableSnapshot(const GameContext& ctx, StringList& list);
// Empties piles[index] and lays the cards of one snapshot line with their
// faces. A malformed entry ends the line.
void RestorePileFromSnapshot(GameContext& ctx, StringList& piles, int index,
                             const std::string& line);
// Restores piles[index] from the last line of stack and removes that line;
// false (nothing changed) when the stack is empty.
bool PopPileFromStack(GameContext& ctx, StringList& piles, StringList& stack, int index);

// toUndo: the table goes onto the undo stacks (a new, empty log group).
// Otherwise with clearRedo the redo stacks and RedoLog are emptied, and
// without it the table goes onto the redo stacks.
void PushUndoState(GameContext& ctx, bool toUndo, bool clearRedo);

// Steps held by the undo and the redo stacks.
int UndoDepth(const GameContext& ctx);
int RedoDepth(const GameContext& ctx);

// Takes back (undo) or makes again (redo) one step. internal (demo replay)
// skips the user checks, the sound and the redraw. Refused requests beep
// (not internal) and change nothing; the result says whether a step was
// made. Afterwards MovesMade is 0 with the undo stacks empty, else 2.
bool UndoRedo(GameContext& ctx, bool undo, bool internal);

// Folds the newest n steps into the step before them; their event codes
// join that step's group. A single remaining step is left alone.
void MergeLastUndoSteps(GameContext& ctx, int n);

// The saved-game sections "[UNDO - Stock]" .. "[UNDO - Log]".
void WriteUndoSections(const GameContext& ctx, StringList& list);

}  // namespace tw
