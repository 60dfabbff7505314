// What is drawn afresh at random for each deal: the sideways offsets of
// irregular piles, and, when the player asked for it, the table look
// (background, card faces, card back). The look changes the settings record
// in memory only: the player's own choice returns at the next start.
#pragma once

#include <string>
#include <vector>

#include "core/state.h"

namespace tw {

// Pattern k (1..7): entry 0 is 0, entries 1..12 are steps of -1 .. 2 pixels
// whose running sum stays within -2 .. 2.
void MakeJitterPattern(GameContext& ctx, int k);
void MakeJitterPatterns(GameContext& ctx);

// The pictures that really exist, to draw from.
struct TableLookChoices {
  // Background picture file names ("B101.bmp" ...), sorted by name.
  std::vector<std::string> Backgrounds;
  // Face sets and backs that exist at the current card size, ascending.
  std::vector<int> FaceSets;
  std::vector<int> Backs;
  int ColourCount = 1 << 24;
};

// The six colours a random background may be.
inline constexpr int kRandomBackgroundColours[6] = {0xFF0000, 0x008000, 0x800000,
                                                    0x008080, 0x808000, 0xFFFFFF};

struct TableLookChange {
  bool Faces = false;  // CfgRecord.Card changed: the faces need reloading
  bool Back = false;   // CfgRecord.Back_Card changed
};

// The random background, face set and back the Random_* switches ask for;
// faces and back only with big cards.
TableLookChange RandomizeTableLook(GameContext& ctx, const TableLookChoices& choices);

}  // namespace tw
