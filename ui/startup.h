// The window-free steps of starting and ending the program: the preferences
// read into the configuration record, the players, the run counter, the
// current game, the version marker and the main window's saved geometry.
#pragma once

#include <string>

#include "core/state.h"
#include "platform/sys/ini.h"

namespace tw {

// The product's name and the version marker's file and text.
inline constexpr const char* kProductName = "Tarnwell 2000";
inline constexpr const char* kVersionMarkerFile = "QEXV0360.DAT";
inline constexpr const char* kVersionMarkerText = "Tarnwell version: 03.60";
inline constexpr const char* kExitQuestion = "Exit Tarnwell 2000?";

// Preferences that set up the window rather than a record field.
struct WindowPreferences {
  bool ToolbarLarge = false;
  bool ToolbarFlat = true;
  bool AutoPlay = true;
};

// Section "Preference" read into CfgRecord in the order of the start-up,
// with its corrections (a size other than "B" takes back "006", back 0 is
// "001", colour 0 is -2147483633, an empty picture "0", an unknown size
// letter "B"); ScoreKind "01". colorCount below 257 makes set 3 the default
// card set.
WindowPreferences ReadPreferences(GameContext& ctx, const sys::IniFile& ini, int colorCount);

// With no current player: when "Users" names nobody, "Player 1".."Player 3"
// are created and "Player 1" becomes current; otherwise the first listed
// player does (the list is never overwritten).
void EnsureCurrentPlayer(GameContext& ctx, sys::IniFile& ini);

// "Parameters" "Run_Exe" counted up to 9.
void CountProgramRun(sys::IniFile& ini);

// A current game the catalogue does not know becomes "no game" ("-001" and
// no name); a known one gets its catalogue name.
void CheckCurrentGame(GameContext& ctx);

// The version marker written when missing; the markers and leftovers of
// older versions removed when present.
void WriteVersionMarker(const GameContext& ctx);
void RemoveOldVersionFiles(const GameContext& ctx);

// The main window's geometry in "Preference".
struct MainWindowState {
  int Left = 50, Top = 50, Width = 0, Height = 0;
  bool Maximized = true;
};
MainWindowState ReadMainWindowState(const sys::IniFile& ini, int screenWidth, int screenHeight);
// Maximized writes only the flag; otherwise the flag "N" and the four numbers.
void SaveMainWindowState(sys::IniFile& ini, const MainWindowState& state);

}  // namespace tw
