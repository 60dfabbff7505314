// Combo and list boxes of game names. Items show the names trimmed; each
// keeps the name as the list holds it (with its trailing blanks) in its
// user data, for lookups by name.
#pragma once

#include <QString>
#include <string>

#include "core/state.h"

class QComboBox;
class QListWidget;

namespace tw {

// The items := the sorted game names; with game >= 0 that game's name is
// selected (nothing when it is not found). A negative game selects nothing.
void FillGamesCombo(const GameContext& ctx, QComboBox* combo, int game);
void FillGamesListBox(const GameContext& ctx, QListWidget* list, int game);

// The first item equal to text once trailing blanks are removed from both;
// exact, letter case included; -1 when none.
int IndexOfTrimmedText(const QComboBox* combo, const std::string& text);
int IndexOfTrimmedText(const QListWidget* list, const std::string& text);

// The name an item holds (single-byte text, trailing blanks kept).
std::string ItemGameName(const QComboBox* combo, int index);
std::string ItemGameName(const QListWidget* list, int index);

}  // namespace tw
