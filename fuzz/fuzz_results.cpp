// The results files: the first byte picks DATA\STAT.DAT, STAT_LOG.DAT,
// STAT_SCR.DAT or STAT_GLO.DAT, the rest is its content. Each is read, then
// one finished deal is recorded in it. A refused update leaves the file as
// it was; an accepted one reads back, and every other section keeps its
// lines.
#include "core/datafiles.h"
#include "core/hiscores.h"
#include "core/overall.h"
#include "core/stats.h"
#include "core/util.h"
#include "core/textfile.h"
#include "fuzz/fuzz_common.h"

using namespace tw;

namespace {

const std::string kPlayer = "Player 1";
constexpr int kGame = 1;

std::vector<std::pair<std::string, StringList>> Sections(const std::string& file) {
  StringList names;
  ListSections(file, names);
  std::vector<std::pair<std::string, StringList>> all;
  for (const std::string& name : names) {
    StringList lines;
    ReadSectionLines(file, name, lines);
    all.emplace_back(name, lines);
  }
  return all;
}

// Sections other than `changed` (and a version header added to a file that
// had none) keep their lines.
void CheckOthers(const std::string& file,
                 const std::vector<std::pair<std::string, StringList>>& before,
                 const std::string& changed) {
  const auto after = Sections(file);
  for (const auto& [name, lines] : before) {
    if (name == changed) continue;
    StringList now;
    ReadSectionLines(file, name, now);
    FUZZ_CHECK(now == lines);
  }
  FUZZ_CHECK(after.size() >= before.size());
}

void Statistics(fuzz::Table& t, const std::string& path, bool won) {
  const GameStatistics before = ReadGameStatistics(t.ctx, kGame, kPlayer);
  const auto sections = Sections(path);
  const std::string bytes = fuzz::ReadBytes(path);
  if (!UpdateGameStatistics(t.ctx, won)) {
    FUZZ_CHECK(fuzz::ReadBytes(path) == bytes);
    return;
  }
  const GameStatistics after = ReadGameStatistics(t.ctx, kGame, kPlayer);
  const StatRecord& b = before.Record;
  const StatRecord& a = after.Record;
  FUZZ_CHECK(a.Won == (won ? std::min<int64_t>(b.Won + 1, 999999) : b.Won));
  FUZZ_CHECK(a.Lost == (won ? b.Lost : std::min<int64_t>(b.Lost + 1, 999999)));
  CheckOthers(path, sections, "0001");
}

void Log(fuzz::Table& t, const std::string& path, bool won) {
  const std::string bytes = fuzz::ReadBytes(path);
  const std::string line = BuildStatLogLine(t.ctx, won, 65, "20260102", "03:04:05");
  if (!AppendStatLog(t.ctx, won, 65, "20260102", "03:04:05")) {
    FUZZ_CHECK(fuzz::ReadBytes(path) == bytes);
    return;
  }
  const std::string now = fuzz::ReadBytes(path);
  FUZZ_CHECK(now.compare(0, bytes.size(), bytes) == 0);
  const std::string tail = line + "\r\n";
  FUZZ_CHECK(now.size() >= tail.size() && now.compare(now.size() - tail.size(), tail.size(), tail) == 0);
}

void HiScores(fuzz::Table& t, const std::string& path, bool won) {
  StringList list;
  LoadHiScores(t.ctx, kGame, "01", list);
  const auto sections = Sections(path);
  HiScoreResult result;
  result.Score = 999999;
  result.Seconds = 1;
  result.Date = "20260102";
  result.Time = "03:04:05";
  result.Won = won;
  const int place = RecordHiScore(t.ctx, kGame, kPlayer, "01", result);
  FUZZ_CHECK(place >= -1 && place < kHiScorePlaces);
  if (place < 0) return;
  LoadHiScores(t.ctx, kGame, "01", list);
  FUZZ_CHECK(list.size() == static_cast<size_t>(kHiScorePlaces));
  FUZZ_CHECK(HiScoreOf(list[static_cast<size_t>(place)]) == 999999);
  CheckOthers(path, sections, "0001");
}

// A spoiled file is deleted, with a message, and the result is not kept;
// otherwise the player is ranked.
void Overall(fuzz::Table& t, const std::string& path) {
  ReadOverallScores(t.ctx);
  UpdateOverallScore(t.ctx, kGame, kPlayer, 100, 50);
  if (!std::filesystem::exists(path)) {
    FUZZ_CHECK(t.ui.messages > 0);
    return;
  }
  const OverallRanking ranking = ReadOverallScores(t.ctx);
  FUZZ_CHECK(ranking.Players.size() == ranking.TotalScores.size() &&
             ranking.Players.size() == ranking.TotalTimes.size());
  bool found = false;
  for (const std::string& p : ranking.Players) found |= TrimRightSpaces(p) == kPlayer;
  FUZZ_CHECK(found);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  fuzz::Table t;
  t.LoadSeedGames();
  t.ctx.SetCfg(cfg::Game, "0001");
  t.ctx.SetCfg(cfg::Score, "52");
  t.ctx.SetCfg(cfg::DealNumber, "1234567");
  fuzz::RemoveFolderFiles(fuzz::ScratchDir() + "DATA");
  const int which = data[0] % 4;
  const bool won = (data[0] & 4) != 0;
  const std::string paths[4] = {StatFilePath(t.ctx), StatLogFilePath(t.ctx),
                                StatScrFilePath(t.ctx), StatGloFilePath(t.ctx)};
  fuzz::WriteBytes(paths[which], data + 1, size - 1);
  switch (which) {
    case 0: Statistics(t, paths[0], won); break;
    case 1: Log(t, paths[1], won); break;
    case 2: HiScores(t, paths[2], won); break;
    default: Overall(t, paths[3]); break;
  }
  return 0;
}
