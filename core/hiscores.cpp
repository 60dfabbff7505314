#include "core/hiscores.h"

#include "core/customgames.h"
#include "core/datafiles.h"
#include "core/gamesfile.h"
#include "core/overall.h"
#include "core/textfile.h"
#include "core/util.h"
#include "platform/sys/files.h"
#include "platform/sys/services.h"

namespace tw {

namespace {

constexpr int64_t kBlankScore = -999999;
constexpr int64_t kBlankTime = 999999;
constexpr int kSeedMultipliers[kHiScorePlaces] = {52, 45, 40, 30, 25, 20, 15, 14, 13, 12,
                                                  11, 10, 9,  8,  7,  6,  5,  4,  3,  2};
constexpr const char* kSeedNames[kHiScorePlaces] = {
    "Alice", "Bruno", "Clara", "Diego", "Elena", "Felix", "Greta", "Hugo", "Irene", "Jonas",
    "Karin", "Luca",  "Marta", "Nils",  "Olga",  "Paolo", "Rosa",  "Sven", "Tina",  "Walter"};

std::string GameSection(int game) { return IntToStrPad(game, 4); }

bool ValidKind(const std::string& kind) { return kind.size() == 2 && IsAllDigits(kind); }

constexpr int kCardCountWord = 263;

// The games file's card count of the game (of its base game for a variant);
// 52 when it cannot be told, so a variant without its record still seeds.
int DefaultCardCount(GameContext& ctx, int game) {
  int column = game;
  if (game >= kFirstCustomGame) {
    std::string ruleLine;
    if (!FindCustomGame(ctx, game, column, ruleLine) || column < 0) return 52;
  }
  std::vector<int16_t> v = ReadGamesDatValues(ctx, column, {kCardCountWord});
  return !v.empty() && v[0] > 0 ? v[0] : 52;
}

StringList ReadPlaces(const SectionedTextFile& file, int game, const std::string& kind) {
  StringList list;
  for (int i = 1; i <= kHiScorePlaces; ++i) {
    std::string v;
    if (!file.GetValue(GameSection(game), HiScoreKey(kind, i), v)) v.clear();
    list.push_back(v);
  }
  return list;
}

void WritePlaces(SectionedTextFile& file, int game, const std::string& kind,
                 const StringList& list) {
  for (int i = 1; i <= kHiScorePlaces; ++i) {
    file.SetValue(GameSection(game), HiScoreKey(kind, i), list[static_cast<size_t>(i - 1)]);
  }
}

bool Seed(GameContext& ctx, const SectionedTextFile& file, StringList& list, int game,
          const CardCountOfGame& cardCount) {
  list.resize(kHiScorePlaces);
  std::string first = list[0].substr(0, 6);
  if (!first.empty() && first != "      ") return false;
  std::string cleared = "N";
  file.GetValue("Clear scores", "Cleared", cleared);
  if (TrimRightSpaces(cleared) == "Y") return false;
  int n = cardCount ? cardCount(game) : DefaultCardCount(ctx, game);
  if (n <= 0) n = 52;
  sys::LocalDateTime now = ctx.Clock ? ctx.Clock->Now() : sys::LocalDateTime{};
  for (int i = 0; i < kHiScorePlaces; ++i) {
    int64_t score = static_cast<int64_t>(n) * kSeedMultipliers[i] / 52;
    list[static_cast<size_t>(i)] =
        FormatHiScoreRecord(score, 5 * score, sys::DateText(now), sys::TimeText(now),
                            std::string("* ") + kSeedNames[i], std::string(15, '0'), true);
  }
  return true;
}

}  // namespace

std::string EmptyHiScoreRecord() { return std::string(84, ' ') + "x"; }

std::string HiScoreKey(const std::string& kind, int place) {
  return kind + "-" + IntToStrPad(place, 2);
}

std::string FormatHiScoreRecord(int64_t score, int64_t seconds, const std::string& date,
                                const std::string& time, const std::string& player,
                                const std::string& deal, bool won) {
  return SaturatedField(score, 6) + " " + SaturatedField(ClampTo(seconds, 0, 999999), 6) + " " +
         PadRight(date, 8) + " " + PadRight(time, 8) + " " + PadRight(player, 30) + " " +
         PadRight(deal, 15) + " " + (won ? "Won " : "Lost") + " x";
}

int64_t HiScoreOf(const std::string& record) {
  return FieldNumber(record.substr(0, 6), kBlankScore);
}

int64_t HiScoreTimeOf(const std::string& record) {
  return record.size() > 7 ? FieldNumber(record.substr(7, 6), kBlankTime) : kBlankTime;
}

int HiScorePlace(const StringList& places, int64_t score, int64_t seconds) {
  for (int i = 0; i < kHiScorePlaces; ++i) {
    std::string rec = static_cast<size_t>(i) < places.size() ? places[static_cast<size_t>(i)] : "";
    int64_t s = HiScoreOf(rec), t = HiScoreTimeOf(rec);
    if (s < score || (s == score && t > seconds)) return i;
  }
  return -1;
}

void LoadHiScores(GameContext& ctx, int game, const std::string& kind, StringList& list,
                  const CardCountOfGame& cardCount) {
  list.clear();
  EnsureStatScrFile(ctx);
  const std::string path = StatScrFilePath(ctx);
  SectionedTextFile file;
  if (!file.Load(path)) return;
  list = ReadPlaces(file, game, kind);
  if (ValidKind(kind) && Seed(ctx, file, list, game, cardCount)) {
    WritePlaces(file, game, kind, list);
    if (!file.Save(path)) ShowMsg(ctx, "Write error on file " + path);
  }
}

bool EnsureHiScoreTable(GameContext& ctx, StringList& list, int game,
                        const CardCountOfGame& cardCount) {
  SectionedTextFile file;
  file.Load(StatScrFilePath(ctx));
  return Seed(ctx, file, list, game, cardCount);
}

int RecordHiScore(GameContext& ctx, int game, const std::string& player, const std::string& kind,
                  const HiScoreResult& result, const HiScoreDialog& dialog,
                  const CardCountOfGame& cardCount, sys::FileBatch* batch) {
  const std::string name = TrimRightSpaces(player);
  if (!IsValidPlayerName(name) || !ValidKind(kind) || game < 0 || game > 9999) return -1;
  EnsureStatScrFile(ctx);
  const std::string path = StatScrFilePath(ctx);
  SectionedTextFile file;
  int place = -1;
  const bool readable = file.Load(path);
  if (!readable) {
    // Left alone, and told; the rest of the deal is still recorded.
    ShowMsg(ctx, "Open error: " + path);
  } else {
    StringList places = ReadPlaces(file, game, kind);
    bool seeded = Seed(ctx, file, places, game, cardCount);
    // Ranked by what the fields can hold, as they will be read back.
    const int64_t score = ClampTo(result.Score, -99999, 999999);
    const int64_t seconds = ClampTo(result.Seconds, 0, 999999);
    place = HiScorePlace(places, score, seconds);
    if (place >= 0) {
      places.insert(places.begin() + place,
                    FormatHiScoreRecord(score, seconds, result.Date, result.Time, name,
                                        ctx.Cfg(cfg::DealNumber), result.Won));
      places.resize(kHiScorePlaces);
    }
    for (auto& p : places) p = PadRight(p.substr(0, 83), 83) + " x";
    if ((seeded || place >= 0)) {
      WritePlaces(file, game, kind, places);
      // With a batch, its commit tells of the failure.
      if (!file.Save(path, batch) && !batch) ShowMsg(ctx, "Write error on file " + path);
    }
  }
  UpdateOverallScore(ctx, game, name, result.Seconds, result.Score, batch);
  if (place >= 0 && ctx.Cfg(cfg::ConfirmEnterHiScores) != "N" && dialog) {
    dialog(place, HiScoreDialogTitle(ctx));
  }
  return place;
}

std::string HiScoreDialogTitle(const GameContext& ctx) {
  return "Compliments! You entered the " + TrimRightSpaces(ctx.Cfg(cfg::Game_name)) +
         " Hi-Scores!";
}

bool StageClearGameHiScores(GameContext& ctx, int game, const std::string& kind,
                            sys::FileBatch& batch) {
  const std::string path = StatScrFilePath(ctx);
  SectionedTextFile file;
  if (!ValidKind(kind) || game < 0 || game > 9999 || !file.Load(path)) {
    batch.Fail(path);
    return false;
  }
  if (!file.Existed()) file.Lines() = {kVersionHeader, kVersionLine};
  WritePlaces(file, game, kind, StringList(kHiScorePlaces, EmptyHiScoreRecord()));
  return file.Save(path, &batch);
}

bool ClearGameHiScores(GameContext& ctx, int game, const std::string& kind) {
  sys::FileBatch batch;
  if (StageClearGameHiScores(ctx, game, kind, batch) && batch.Commit()) return true;
  ShowMsg(ctx, "Write error on file " + StatScrFilePath(ctx));
  return false;
}

}  // namespace tw
