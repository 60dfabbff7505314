// Custom games: variants 8000..9999 of catalogued games stored in
// DATA\GAM_CUST.DAT, each a 30-line record (number, name, base game; then
// cards per stock click, passes and the empty-tableau start code).
#pragma once

#include <string>

#include "core/state.h"

namespace tw {

constexpr const char* kCustomGamesFileName = "DATA\\GAM_CUST.DAT";
constexpr const char* kCustomGamesHeader = "[R-0301]";
constexpr int kCustomRecordStride = 30;
constexpr int kLastCustomGame = 9999;

// Four parallel lists sorted by name (letter case ignored), then number:
// names (50 characters), numbers (4), base games (4), rule lines (first 7).
// False when the file does not exist.
bool LoadCustomGameList(const GameContext& ctx, StringList& names, StringList& numbers,
                        StringList& baseGames, StringList& ruleLines);
// The smallest number from 8000 that no record carries; 10000 when all are
// taken.
int NextFreeCustomGameNumber(const GameContext& ctx);
// The first record of that number: its base game and whole rule line. False
// (base -1, rule line "") when there is no such record.
bool FindCustomGame(const GameContext& ctx, int number, int& baseGame, std::string& ruleLine);
// Number of the last record with that name (right-trimmed); -1 when none.
int CustomGameNumberByName(const GameContext& ctx, const std::string& name);
// Right-trimmed name of the first record with that number; "" when none.
std::string CustomGameName(const GameContext& ctx, int number);
// Which of the three rules a variant of `game` may change (for a custom
// game, of its base game). False, all three false, when the custom record is
// missing.
bool GetCustomizableRules(GameContext& ctx, int game, bool& cardsPerTurn, bool& deals,
                          bool& tableauStart);

// A new record appended to the file (written back whole): name (cut to 50),
// base game (the base of a custom game is followed), cards per click and
// passes (-1 unlimited; both kept to what three characters hold) and the
// start code 1 King only / 2 any card / 3 none (0 leaves the base game's).
// Refused, with a message, when no number is free, the name is empty, holds
// control characters or is a catalogue name, or the base game is unknown.
bool AddCustomGame(GameContext& ctx, const std::string& name, int baseGame, int cardsPerTurn,
                   int passes, int startCode, int& number, std::string& error);

}  // namespace tw
