// Overall scores across the standard games (DATA\STAT_GLO.DAT): per player
// the best score and its time of every game and their totals, stored mixed
// with filler digits, with check values, scrambled with a fixed key. A file
// whose check values do not match is deleted and the scores start again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/state.h"

namespace tw {

namespace sys {
class FileBatch;
}

// Key of the scramble.
extern const char* const kOverallKey;  // "58204"

// Plain (unscrambled) values; random filler digits come from ctx.Random.
// Numbers too wide for their digits are clamped first.
std::string PlainTotalScore(GameContext& ctx, int64_t total);                  // T01, 28 characters
std::string PlainTotalTime(GameContext& ctx, int64_t total);                   // T02, 28 characters
std::string PlainTotalsCheck(const std::string& t01, const std::string& t02);  // T03, 12
std::string PlainBestScore(GameContext& ctx, int64_t score);                   // GS-, 16 characters
std::string PlainBestTime(GameContext& ctx, int64_t seconds);                  // GT-, 16 characters

// Called for every finished deal. Custom games, negative games and negative
// scores do not count; a spoiled file is reset. The player's five values are
// written in one step (staged when a batch is given).
void UpdateOverallScore(GameContext& ctx, int game, const std::string& player, int64_t elapsed,
                        int64_t score, sys::FileBatch* batch = nullptr);

struct OverallRanking {
  StringList Players, TotalScores, TotalTimes;
  StringList Raw;  // scrambled T01 + T02 + T03, 68 characters
};
// Every player ranked by total score, then shorter total time, then file
// order. A spoiled file gives an empty ranking and is reset.
OverallRanking ReadOverallScores(GameContext& ctx);

// One game of a player's details: the best score and its time (0: none)
// and whether it reaches the game's maximum (its overall-score rule word,
// or its card count when that word is -1).
struct OverallDetail {
  int Game = 0;
  std::string Name;
  int64_t Score = 0, Time = 0;
  bool Max = false;
};
// Every catalogued game, sorted by name; empty when the player has no file
// or a stored value is damaged.
std::vector<OverallDetail> ReadOverallDetails(GameContext& ctx, const std::string& player);

// Deletes the file and tells the user. True.
bool ResetSpoiledOverallScores(GameContext& ctx);
// After the user agrees: empty hi-score tables that stay empty, no overall
// scores, both or neither. False when the user says no or the files could
// not be changed (then told).
bool ClearAllHiScores(GameContext& ctx);

}  // namespace tw
