// The move executor: every move of the game is carried out by PlayToPile,
// named by its target pile ("Dest"n, "Dest_Autoplay"n, "Fila"n, "Appogg"n,
// "Waste", "Stock02") or by a pseudo-target that stands for a whole
// operation (stock clicks "Mazzo...", the batch deals "Add_Tableaus",
// "Add_Tableaus_Last", "Fill_Tableaus", "Add_Reserves", "Add_Reserve_"d and
// the pair targets). Legality is decided by the caller.
#pragma once

#include <string>

#include "core/cfg.h"
#include "core/state.h"
#include "engine/ports.h"

namespace tw {

// Carries out the move; true when something moved. A card target takes the
// card (with GameState.LiftedCards above 1 and the card on a tableau pile or
// reserve, the run above it too) off wherever it lies and lays it face up.
// Every call past the opening test ends with the common tail: rescore,
// automatic face-up, redo cleared, MovesMade, the fill after the first move.
// TfrmMain.GameWon is recomputed after every move; starting the game-over
// routine is the caller's business.
bool PlayToPile(GameContext& ctx, int card, const std::string& pileName);

// A redeal of the waste or tableau is still allowed (GameRules.Deals -1 for
// no limit).
bool RedealAvailable(const GameContext& ctx);

// Plays a sound when the master switch and the event's own switch are on;
// the Always form for events without a switch of their own.
void PlayEventSound(GameContext& ctx, const std::string& name, CfgField own,
                    SoundMode mode = SoundMode::Async);
void PlayEventSoundAlways(GameContext& ctx, const std::string& name);

// The card counter told that a card left pile kind `from` for kind `to`
// (only while it is shown). wasteTop false skips the waste-top update.
void TellCounterMove(GameContext& ctx, int card, int from, int to, bool wasteTop = true);

}  // namespace tw
