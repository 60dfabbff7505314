// The list of game names that every combo and list box of games shows, and
// the lookup of a name in such a list. Names keep the trailing blanks of
// the catalogue and of the custom games file; lookups ignore them.
#pragma once

#include <string>

#include "core/state.h"

namespace tw {

// The one order of every sorted list of names: letter case ignored (ASCII and
// the accented letters of the single-byte set), the original text as the
// tie-break, so the order never depends on the machine's locale.
bool GameNameLess(const std::string& a, const std::string& b);
void SortGameNames(StringList& names);

// Every catalogue name (50 characters, as stored) and every custom game name
// (as loaded), sorted once; duplicate names stay.
StringList BuildSortedGameNames(const GameContext& ctx);

// The first item that equals text once trailing blanks are removed from both;
// exact, letter case included. -1 when none.
int IndexOfTrimmedText(const StringList& items, const std::string& text);

}  // namespace tw
