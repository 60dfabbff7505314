// Per-player statistics of every game (DATA\STAT.DAT), the game log
// (DATA\STAT_LOG.DAT), clearing and renaming in the results files, and the
// deletion of a customized game with everything recorded about it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/state.h"

namespace tw {

namespace sys {
class FileBatch;
}

constexpr int kStatRecordWidth = 67;
constexpr int kStatLogLineWidth = 147;

// A player's totals for one game. Counters hold up to 999999, the score
// -99999999999..999999999999: they stop there rather than overflow the field.
struct StatRecord {
  int64_t Won = 0, Lost = 0;
  int64_t LongestWinStreak = 0, LongestLoseStreak = 0;
  int64_t CurrentWinStreak = 0, CurrentLoseStreak = 0;
  int64_t Score = 0;
  bool operator==(const StatRecord&) const = default;
};

// "000000 000000 ... 000000000000 000000000000"
std::string FormatStatRecord(const StatRecord& r);
// A field that is not a number reads as 0.
StatRecord ParseStatRecord(const std::string& text);
// One finished deal: counters, streaks and the cumulative score.
void AddResult(StatRecord& r, bool won, int64_t score);

struct GameStatistics {
  StatRecord Record;
  int SessionWon = 0, SessionLost = 0;
};

// The current game, player and score of the configuration record go into the
// player's record. False (nothing written) when the file cannot be updated or
// the player name is not one the files can hold. With a batch the new file
// is only staged; the session counters count at once.
bool UpdateGameStatistics(GameContext& ctx, bool won, sys::FileBatch* batch = nullptr);
// Zeros for a missing record; the session counters only for the current
// player and game.
GameStatistics ReadGameStatistics(GameContext& ctx, int game, const std::string& player);
void ResetSessionCounters(GameContext& ctx);

// The 147-character log line of a finished deal from the configuration
// record's game, name, player, score kind, score and deal number.
std::string BuildStatLogLine(const GameContext& ctx, bool won, int64_t elapsed,
                             const std::string& date, const std::string& time);
// The log with the line added, staged in batch (which fails when the log
// cannot be read or the player name not held).
bool StageStatLogLine(GameContext& ctx, bool won, int64_t elapsed, const std::string& date,
                      const std::string& time, sys::FileBatch& batch);
bool AppendStatLog(GameContext& ctx, bool won, int64_t elapsed, const std::string& date,
                   const std::string& time);

// One or all games times one or all players, in the statistics and the log,
// both or neither. False (and told) when a file cannot be read or written.
bool ClearStatistics(GameContext& ctx, int game, const std::string& player, bool allGames,
                     bool allPlayers);
// Statistics key, log column, hi-score column and overall-score section, all
// or none. False when the new name is refused or a file cannot be read or
// written (then told).
// With players, the player list of DATA\CFG.DAT ("Users", and "UserDefault"
// when it named the old player) goes in the same change, so a kill never
// leaves records under a name no list holds.
struct PlayerList {
  StringList Names;  // in the order of "User001".."User020"
};
bool RenamePlayerInStatFiles(GameContext& ctx, const std::string& oldName,
                             const std::string& newName, const PlayerList* players = nullptr);

// What deleting the game in play asks of the window: end the deal and leave
// no game selected; afterwards the open-game tree is rebuilt.
struct DeleteGameHooks {
  std::function<void()> EndDealAndDeselect;
  std::function<void()> RebuildGameTree;
};
// caller 1: the open-game dialog, 2: the custom-rules dialog. The record,
// its favourite entry, statistics, log lines and hi-scores go together. False
// when the user says no or a file cannot be changed (then told, and nothing
// is).
bool DeleteGame(GameContext& ctx, int game, int caller, const std::string& name,
                const DeleteGameHooks& hooks);

}  // namespace tw
