// The 20 best results of every game (DATA\STAT_SCR.DAT).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/state.h"

namespace tw {

namespace sys {
class FileBatch;
}

constexpr int kHiScoreRecordWidth = 85;
constexpr int kHiScorePlaces = 20;

// 84 blanks + "x".
std::string EmptyHiScoreRecord();
// "01-01" .. "01-20" for kind "01"; place is 1-based.
std::string HiScoreKey(const std::string& kind, int place);

// Score -99999..999999 and time 0..999999: wider values stop at the limit.
std::string FormatHiScoreRecord(int64_t score, int64_t seconds, const std::string& date,
                                const std::string& time, const std::string& player,
                                const std::string& deal, bool won);
// Ranking values of a stored record: blank or not a number gives -999999 /
// 999999.
int64_t HiScoreOf(const std::string& record);
int64_t HiScoreTimeOf(const std::string& record);
// Where the new result goes (0-based), -1 below all 20; a tie in score and
// time goes below the stored entry.
int HiScorePlace(const StringList& places, int64_t score, int64_t seconds);

// Card count used for the placeholder scores of a game (52 or 104).
using CardCountOfGame = std::function<int(int game)>;

// The 20 places of the game's table (empty text for a missing key), seeded
// and written when the table is empty.
void LoadHiScores(GameContext& ctx, int game, const std::string& kind, StringList& list,
                  const CardCountOfGame& cardCount = {});
// Fills an empty table with placeholders unless all hi-scores were cleared
// once. True when seeded.
bool EnsureHiScoreTable(GameContext& ctx, StringList& list, int game,
                        const CardCountOfGame& cardCount = {});

// Shown after a deal entered the table: the new place (0-based), the title.
using HiScoreDialog = std::function<void(int place, const std::string& title)>;

struct HiScoreResult {
  int64_t Score = 0;
  int64_t Seconds = 0;
  std::string Date, Time;  // "yyyymmdd", "hh:nn:ss"
  bool Won = false;
};

// Offers a finished deal to the table and passes it on to the overall
// scores. The place 0..19, or -1. With a batch both files are only staged
// (and the dialog is left to the caller, to show once they are committed).
int RecordHiScore(GameContext& ctx, int game, const std::string& player, const std::string& kind,
                  const HiScoreResult& result, const HiScoreDialog& dialog = {},
                  const CardCountOfGame& cardCount = {}, sys::FileBatch* batch = nullptr);
// "Compliments! You entered the <game name> Hi-Scores!"
std::string HiScoreDialogTitle(const GameContext& ctx);

// Every place of the game's table of that kind becomes empty.
bool ClearGameHiScores(GameContext& ctx, int game, const std::string& kind);
// The same staged in batch; false (and the batch failed) when the file
// cannot be read or written.
bool StageClearGameHiScores(GameContext& ctx, int game, const std::string& kind,
                            sys::FileBatch& batch);

}  // namespace tw
