#include "core/overall.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "core/datafiles.h"
#include "core/gamesfile.h"
#include "core/textfile.h"
#include "core/util.h"
#include "platform/sys/files.h"
#include "platform/sys/paths.h"
#include "platform/sys/services.h"

namespace tw {

const char* const kOverallKey = "58204";

namespace {

constexpr int64_t kTotalMax = 999999999999LL;  // 12 digits
constexpr int64_t kBestMax = 999999;           // 6 digits

const std::string kZeros(30, '0');

char Filler(GameContext& ctx) {
  return static_cast<char>('0' + (ctx.Random ? ctx.Random->Next(9) : 0));
}

std::string Fillers(GameContext& ctx, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += Filler(ctx);
  return s;
}

// Each digit followed by a filler digit.
std::string Interleave(GameContext& ctx, const std::string& digits) {
  std::string s;
  for (char d : digits) {
    s += d;
    s += Filler(ctx);
  }
  return s;
}

std::string WithCheck(const std::string& ten, int width) {
  return ten + IntToStrPad(StringCheckValue(ten), width);
}

bool DigitsOf(const std::string& text, int64_t& value) {
  if (text.empty() || !IsAllDigits(text)) return false;
  return ParseInt(text, value);
}

std::string Plain(const SectionedTextFile& file, const std::string& player, const std::string& key,
                  const std::string& def) {
  std::string v;
  return file.GetValue(player, key, v) ? SubKeyChars(v, kOverallKey) : def;
}

// Totals of T01/T02 and the check of T03; false when spoiled.
bool CheckTotals(const std::string& t01, const std::string& t02, const std::string& t03,
                 int64_t& total, int64_t& time) {
  int64_t check = 0;
  if (!DigitsOf(PickChars(t01, 3), total) || !DigitsOf(PickChars(t02, 4), time) ||
      t03.size() < 12 || !DigitsOf(t03.substr(4, 8), check)) {
    return false;
  }
  if (total != 0 || time != 0 || check != 0) {
    return StringCheckValue(t03.substr(0, 4) + t01 + t02) == check;
  }
  return true;
}

// A best-score or best-time value; false when spoiled.
bool CheckBest(const std::string& plain, int mode, int64_t& value) {
  int64_t check = 0;
  if (!DigitsOf(PickChars(plain, mode), value) || plain.size() < 16 ||
      !DigitsOf(plain.substr(10, 6), check)) {
    return false;
  }
  if (value != 0 || check != 0) return StringCheckValue(plain.substr(0, 10)) == check;
  return true;
}

std::string Key4(const char* prefix, int game) { return prefix + IntToStrPad(game, 4); }

}  // namespace

std::string PlainTotalScore(GameContext& ctx, int64_t total) {
  std::string digits = IntToStrPad(ClampTo(total, 0, kTotalMax), 12);
  return Fillers(ctx, 2) + Interleave(ctx, digits) + Fillers(ctx, 2);
}

std::string PlainTotalTime(GameContext& ctx, int64_t total) {
  std::string digits = IntToStrPad(ClampTo(total, 0, kTotalMax), 12);
  return Fillers(ctx, 1) + Interleave(ctx, digits) + Fillers(ctx, 3);
}

std::string PlainTotalsCheck(const std::string& t01, const std::string& t02) {
  return "0360" + IntToStrPad(StringCheckValue("0360" + t01 + t02), 8);
}

std::string PlainBestScore(GameContext& ctx, int64_t score) {
  std::string d = IntToStrPad(ClampTo(score, 0, kBestMax), 6);
  std::string ten = std::string(1, Filler(ctx)) + d.substr(0, 2) + Filler(ctx) + d.substr(2, 2) +
                    Filler(ctx) + d.substr(4, 2) + Filler(ctx);
  return WithCheck(ten, 6);
}

std::string PlainBestTime(GameContext& ctx, int64_t seconds) {
  std::string d = IntToStrPad(ClampTo(seconds, 0, kBestMax), 6);
  std::string ten = Fillers(ctx, 2) + d.substr(0, 2) + Filler(ctx) + d.substr(2, 2) + Filler(ctx) +
                    d.substr(4, 2);
  return WithCheck(ten, 6);
}

void UpdateOverallScore(GameContext& ctx, int game, const std::string& player, int64_t elapsed,
                        int64_t score, sys::FileBatch* batch) {
  const std::string name = TrimRightSpaces(player);
  if (game >= kFirstCustomGame || game < 0 || score < 0 || !IsValidPlayerName(name)) return;
  const std::string path = StatGloFilePath(ctx);
  sys::MakeDirectory(sys::DirectoryOf(path));
  SectionedTextFile file;
  if (!file.Load(path)) {
    // Left alone, and told; the rest of the deal is still recorded.
    ShowMsg(ctx, "Open error: " + path);
    return;
  }

  const std::string t01 = Plain(file, name, "T01", kZeros);
  const std::string t02 = Plain(file, name, "T02", kZeros);
  const std::string t03 = Plain(file, name, "T03", "0360" + kZeros);
  const std::string gs = Plain(file, name, Key4("GS-", game), kZeros);
  const std::string gt = Plain(file, name, Key4("GT-", game), kZeros);
  int64_t total = 0, totalTime = 0, best = 0, bestTime = 0;
  if (!CheckTotals(t01, t02, t03, total, totalTime) || !CheckBest(gs, 1, best) ||
      !CheckBest(gt, 2, bestTime)) {
    ResetSpoiledOverallScores(ctx);
    return;
  }

  // What the 6-digit fields can hold; a wider result is kept at the limit.
  const int64_t newBest = ClampTo(score, 0, kBestMax);
  const int64_t newTime = ClampTo(elapsed, 0, kBestMax);
  if (newBest == 0) return;
  if (!(newBest > best || (newBest == best && newTime < bestTime))) return;

  const std::string n01 = PlainTotalScore(ctx, ClampTo(total - best + newBest, 0, kTotalMax));
  const std::string n02 =
      PlainTotalTime(ctx, ClampTo(totalTime - bestTime + newTime, 0, kTotalMax));
  const std::pair<std::string, std::string> values[] = {
      {"T01", n01},
      {"T02", n02},
      {"T03", PlainTotalsCheck(n01, n02)},
      {Key4("GS-", game), PlainBestScore(ctx, newBest)},
      {Key4("GT-", game), PlainBestTime(ctx, newTime)}};
  // All five keys reach the file together: a half-written set would read
  // as tampering and cost every player's scores.
  for (const auto& [key, plain] : values) file.SetValue(name, key, AddKeyChars(plain, kOverallKey));
  // With a batch, its commit tells of the failure.
  if (!file.Save(path, batch) && !batch) ShowMsg(ctx, "Write error on file " + path);
}

OverallRanking ReadOverallScores(GameContext& ctx) {
  OverallRanking out;
  const std::string path = StatGloFilePath(ctx);
  SectionedTextFile file;
  if (!sys::FileExists(path) || !file.Load(path)) return out;
  struct Entry {
    std::string name, raw;
    int64_t total, time;
  };
  std::vector<Entry> ranked;
  const std::string zeros = AddKeyChars(kZeros, kOverallKey);
  const std::string zeros03 = AddKeyChars("0360" + kZeros, kOverallKey);
  for (const auto& name : file.SectionNames()) {
    std::string r01 = zeros, r02 = zeros, r03 = zeros03;
    file.GetValue(name, "T01", r01);
    file.GetValue(name, "T02", r02);
    file.GetValue(name, "T03", r03);
    r01 = r01.substr(0, 28), r02 = r02.substr(0, 28), r03 = r03.substr(0, 12);
    Entry e{name, r01 + r02 + r03, 0, 0};
    if (!CheckTotals(SubKeyChars(r01, kOverallKey), SubKeyChars(r02, kOverallKey),
                     SubKeyChars(r03, kOverallKey), e.total, e.time)) {
      ResetSpoiledOverallScores(ctx);
      return OverallRanking{};
    }
    auto at = ranked.begin();
    while (at != ranked.end() &&
           !(at->total < e.total || (at->total == e.total && at->time > e.time))) {
      ++at;
    }
    ranked.insert(at, e);
  }
  for (const auto& e : ranked) {
    out.Players.push_back(e.name);
    out.TotalScores.push_back(std::to_string(e.total));
    out.TotalTimes.push_back(std::to_string(e.time));
    out.Raw.push_back(e.raw);
  }
  return out;
}

std::vector<OverallDetail> ReadOverallDetails(GameContext& ctx, const std::string& player) {
  std::vector<OverallDetail> rows;
  const std::string path = StatGloFilePath(ctx);
  SectionedTextFile file;
  if (!sys::FileExists(path) || !file.Load(path)) return rows;
  const std::string name = TrimRightSpaces(player);
  StringList words;
  // The games file's words OverallMax (32) and CardCount (263) of every game.
  ListGamesDatColumns(ctx, 32, 263, words);
  for (size_t i = 0; i < ctx.GameList.size(); ++i) {
    OverallDetail d;
    d.Game = CatalogueNumber(ctx.GameList[i]);
    d.Name = CatalogueName(ctx.GameList[i]);
    if (!CheckBest(Plain(file, name, Key4("GS-", d.Game), kZeros), 1, d.Score) ||
        !CheckBest(Plain(file, name, Key4("GT-", d.Game), kZeros), 2, d.Time)) {
      return {};
    }
    int64_t max = 0, cards = 0;
    if (i < words.size() && words[i].size() >= 20) {
      ParseInt(Trim(words[i].substr(0, 10)), max);
      ParseInt(Trim(words[i].substr(10, 10)), cards);
    }
    if (max == -1) max = cards;
    d.Max = d.Score != 0 && d.Score >= max;
    rows.push_back(d);
  }
  auto lower = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  };
  std::stable_sort(rows.begin(), rows.end(),
                   [&lower](const OverallDetail& a, const OverallDetail& b) {
                     return lower(a.Name) < lower(b.Name);
                   });
  return rows;
}

bool ResetSpoiledOverallScores(GameContext& ctx) {
  sys::DeleteFile(StatGloFilePath(ctx));
  ShowMsg(ctx,
          "It looks as if the Overall Score Values are wrong or spoiled.\n"
          "The Overall Score Values will be deleted and its calculation will start again from "
          "zero.");
  if (ctx.Ui) {
    ctx.Ui->ProcessMessages();
    ctx.Ui->SetHourglass(true);
  }
  Delay(ctx, 2000);
  if (ctx.Ui) ctx.Ui->SetHourglass(false);
  return true;
}

bool ClearAllHiScores(GameContext& ctx) {
  if (ctx.Ui == nullptr || !ctx.Ui->AskYesNo("Are you sure you want to clear Hi-Scores\n"
                                             "and Overall score for all players and all games?")) {
    return false;
  }
  const std::string scr = StatScrFilePath(ctx);
  sys::MakeDirectory(sys::DirectoryOf(scr));
  // Both files or neither: the hi-score tables and the overall scores.
  sys::FileBatch batch;
  batch.Stage(scr, {kVersionHeader, kVersionLine, "", "[Clear scores]", "Cleared=Y"});
  batch.StageDelete(StatGloFilePath(ctx));
  if (!batch.Commit()) {
    ShowMsg(ctx, "Write error on file " + batch.FailedPath() + "\rThe hi-scores were not cleared.");
    return false;
  }
  return true;
}

}  // namespace tw
