#include "core/stats.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/datafiles.h"
#include "core/hiscores.h"
#include "core/textfile.h"
#include "core/util.h"
#include "platform/sys/files.h"
#include "platform/sys/ini.h"
#include "platform/sys/paths.h"
#include "platform/sys/services.h"

namespace tw {

namespace {

constexpr int64_t kCounterMax = 999999;
constexpr int kSessionWidth = 4;
constexpr int kPlayerColumns = 30;
constexpr int kCustomRecordLines = 30;
// Favourite keys "Game000".."Game999".
constexpr int kFavouriteKeys = 1000;

// Column (1-based) and width of each number of a record.
struct Field {
  int column, width;
};
constexpr Field kFields[7] = {{1, 6}, {8, 6}, {15, 6}, {22, 6}, {29, 6}, {36, 6}, {43, 12}};

std::string GameSection(int game) { return IntToStrPad(game, 4); }

int64_t Inc(int64_t v) { return v < kCounterMax ? v + 1 : kCounterMax; }

int64_t CfgNumber(const GameContext& ctx, CfgField f, int64_t def) {
  return FieldNumber(ctx.Cfg(f), def);
}

class Hourglass {
 public:
  explicit Hourglass(GameContext& ctx) : ctx_(ctx) {
    if (ctx_.Ui) ctx_.Ui->SetHourglass(true);
  }
  ~Hourglass() {
    if (ctx_.Ui) ctx_.Ui->SetHourglass(false);
  }
  Hourglass(const Hourglass&) = delete;
  Hourglass& operator=(const Hourglass&) = delete;

 private:
  GameContext& ctx_;
};

bool SaveOrReport(GameContext& ctx, const SectionedTextFile& file, const std::string& path,
                  sys::FileBatch* batch = nullptr) {
  if (file.Save(path, batch)) return true;
  ShowMsg(ctx, "Write error on file " + path);
  return false;
}

// The log line's game (columns 26-29) and player (82-111); false for a line
// too short to hold them.
bool LogLineFields(const std::string& line, int64_t& game, std::string& player) {
  if (line.size() < 111) return false;
  if (!ParseInt(line.substr(25, 4), game)) return false;
  player = TrimRightSpaces(line.substr(81, kPlayerColumns));
  return true;
}

// The game's 30-line record out of the custom-games file; false when the
// file is there but cannot be read or staged.
bool StageCustomGameRemoval(const std::string& path, int game, sys::FileBatch& batch) {
  std::vector<std::string> lines;
  const sys::ReadStatus status = sys::ReadLinesChecked(path, lines);
  if (status == sys::ReadStatus::Missing) return true;
  if (status == sys::ReadStatus::Unreadable) {
    batch.Fail(path);
    return false;
  }
  const std::string number = IntToStrPad(game, 4);
  for (size_t first = 1; first < lines.size(); first += kCustomRecordLines) {
    if (lines[first].compare(0, number.size(), number) != 0) continue;
    size_t last = std::min(lines.size(), first + kCustomRecordLines);
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(first),
                lines.begin() + static_cast<std::ptrdiff_t>(last));
    return batch.Stage(path, lines);
  }
  return true;
}

// The favourite of that name out of the list, the later ones moving up.
bool StageFavouriteRemoval(GameContext& ctx, const std::string& name, sys::FileBatch& batch) {
  sys::IniFile ini(CfgFilePath(ctx));
  if (!ini.Hold()) {
    batch.Fail(CfgFilePath(ctx));
    return false;
  }
  StringList list;
  for (int i = 0; i < kFavouriteKeys; ++i) {
    std::string v = ini.ReadString("Favourite Games", "Game" + IntToStrPad(i, 3), "");
    if (v.empty()) break;
    list.push_back(v);
  }
  const std::string target = TrimRightSpaces(name);
  for (size_t i = 0; i < list.size(); ++i) {
    if (TrimRightSpaces(list[i]) != target) continue;
    for (size_t j = i; j + 1 < list.size(); ++j) {
      ini.WriteString("Favourite Games", "Game" + IntToStrPad(static_cast<int>(j), 3), list[j + 1]);
    }
    ini.DeleteKey("Favourite Games", "Game" + IntToStrPad(static_cast<int>(list.size() - 1), 3));
    if (!ini.StageTo(batch)) batch.Fail(CfgFilePath(ctx));
    break;
  }
  return !batch.Failed();
}

// Loads a results file for a change; a file that cannot be read fails the
// batch and is left alone.
bool LoadForChange(const std::string& path, SectionedTextFile& file, sys::FileBatch& batch) {
  if (file.Load(path)) return true;
  batch.Fail(path);
  return false;
}

// The cleared statistics and log staged in batch.
void StageClearStatistics(GameContext& ctx, int game, const std::string& player, bool allGames,
                          bool allPlayers, sys::FileBatch& batch) {
  const std::string name = TrimRightSpaces(player);
  const std::string empty = FormatStatRecord(StatRecord{});
  const std::string path = StatFilePath(ctx);
  // A name the files cannot hold has no record to clear.
  const bool keyUsable = allPlayers || IsValidPlayerName(name);
  SectionedTextFile file;
  if (keyUsable && LoadForChange(path, file, batch) && file.Existed()) {
    if (allGames && allPlayers) {
      file.Lines() = {kVersionHeader, kVersionLine};
    } else {
      StringList sections;
      if (allGames) {
        for (const auto& s : file.SectionNames()) {
          if (!SameText(s, "version")) sections.push_back(s);
        }
      } else {
        sections.push_back(GameSection(game));
      }
      for (const auto& s : sections) {
        if (allPlayers) {
          int h = file.FindSection(s);
          if (h < 0) continue;
          int end = file.BodyEnd(h);
          for (int i = h + 1; i < end; ++i) {
            std::string& line = file.Lines()[static_cast<size_t>(i)];
            size_t eq = line.find('=');
            if (eq != std::string::npos) line = line.substr(0, eq + 1) + empty;
          }
        } else if (allGames || file.FindKey(s, name) >= 0) {
          file.SetValue(s, name, empty);
        }
      }
    }
    file.Save(path, &batch);
  }

  const std::string logPath = StatLogFilePath(ctx);
  SectionedTextFile log;
  if (!LoadForChange(logPath, log, batch) || !log.Existed()) return;
  std::vector<std::string> kept;
  for (const auto& line : log.Lines()) {
    int64_t lineGame = 0;
    std::string linePlayer;
    bool known = LogLineFields(line, lineGame, linePlayer);
    bool gameMatches = allGames || (known && lineGame == game);
    bool playerMatches =
        allPlayers || (known && linePlayer == TrimRightSpaces(PadRight(name, kPlayerColumns)));
    if (!(gameMatches && playerMatches)) kept.push_back(line);
  }
  if (kept.size() != log.Lines().size()) batch.Stage(logPath, kept);
}

// Commits the batch; a failure is told, naming the file.
bool CommitOrReport(GameContext& ctx, sys::FileBatch& batch) {
  if (batch.Commit()) return true;
  ShowMsg(ctx, "The file " + batch.FailedPath() +
                   " could not be read or written.\rNothing was changed.");
  return false;
}

}  // namespace

std::string FormatStatRecord(const StatRecord& r) {
  const int64_t values[7] = {r.Won,
                             r.Lost,
                             r.LongestWinStreak,
                             r.LongestLoseStreak,
                             r.CurrentWinStreak,
                             r.CurrentLoseStreak,
                             r.Score};
  std::string out;
  for (int i = 0; i < 7; ++i) {
    out += SaturatedField(i < 6 ? ClampTo(values[i], 0, kCounterMax) : values[i], kFields[i].width);
    out += ' ';
  }
  return out + "000000000000";
}

StatRecord ParseStatRecord(const std::string& text) {
  int64_t v[7];
  for (int i = 0; i < 7; ++i) {
    size_t at = static_cast<size_t>(kFields[i].column - 1);
    v[i] = at < text.size() ? FieldNumber(text.substr(at, static_cast<size_t>(kFields[i].width)), 0)
                            : 0;
  }
  return StatRecord{v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
}

void AddResult(StatRecord& r, bool won, int64_t score) {
  if (won) {
    r.Won = Inc(r.Won);
    r.CurrentWinStreak = Inc(r.CurrentWinStreak);
    r.CurrentLoseStreak = 0;
  } else {
    r.Lost = Inc(r.Lost);
    r.CurrentLoseStreak = Inc(r.CurrentLoseStreak);
    r.CurrentWinStreak = 0;
  }
  r.LongestWinStreak = std::max(r.LongestWinStreak, r.CurrentWinStreak);
  r.LongestLoseStreak = std::max(r.LongestLoseStreak, r.CurrentLoseStreak);
  // The field holds 12 columns; stop at its limits.
  r.Score = ClampTo(r.Score + ClampTo(score, -999999999999LL, 999999999999LL), -99999999999LL,
                    999999999999LL);
}

bool UpdateGameStatistics(GameContext& ctx, bool won, sys::FileBatch* batch) {
  const std::string player = TrimRightSpaces(ctx.Cfg(cfg::UserDefault));
  const int64_t game = CfgNumber(ctx, cfg::Game, -1);
  if (!IsValidPlayerName(player) || game < 0 || game > 9999) return false;
  const std::string path = StatFilePath(ctx);
  EnsureStatFile(ctx);
  SectionedTextFile file;
  if (!file.Load(path) || !file.Existed()) {
    // With a batch, its commit tells of the failure.
    if (batch) {
      batch->Fail(path);
    } else {
      ShowMsg(ctx, "Open error: " + path);
    }
    return false;
  }
  const std::string section = GameSection(static_cast<int>(game));
  std::string value;
  StatRecord r = file.GetValue(section, player, value) ? ParseStatRecord(value) : StatRecord{};
  AddResult(r, won, CfgNumber(ctx, cfg::Score, 0));
  file.SetValue(section, player, FormatStatRecord(r));
  if (batch ? !file.Save(path, batch) : !SaveOrReport(ctx, file, path)) return false;

  CfgField f = won ? cfg::SessionWon : cfg::SessionLost;
  int64_t session = ClampTo(CfgNumber(ctx, f, 0), 0, 9998) + 1;
  ctx.SetCfg(f, IntToStrPad(session, kSessionWidth));
  return true;
}

GameStatistics ReadGameStatistics(GameContext& ctx, int game, const std::string& player) {
  GameStatistics out;
  EnsureStatFile(ctx);
  SectionedTextFile file;
  std::string value;
  const std::string key = TrimRightSpaces(player);
  if (file.Load(StatFilePath(ctx)) && file.GetValue(GameSection(game), key, value)) {
    out.Record = ParseStatRecord(value);
  }
  if (Trim(player) == Trim(ctx.Cfg(cfg::UserDefault)) && CfgNumber(ctx, cfg::Game, -1) == game) {
    out.SessionWon = static_cast<int>(CfgNumber(ctx, cfg::SessionWon, 0));
    out.SessionLost = static_cast<int>(CfgNumber(ctx, cfg::SessionLost, 0));
  }
  return out;
}

void ResetSessionCounters(GameContext& ctx) {
  ctx.SetCfg(cfg::SessionWon, "0000");
  ctx.SetCfg(cfg::SessionLost, "0000");
}

std::string BuildStatLogLine(const GameContext& ctx, bool won, int64_t elapsed,
                             const std::string& date, const std::string& time) {
  int64_t game = 0;
  std::string gameText = PadRight(ctx.Cfg(cfg::Game), 4);
  if (ParseInt(gameText, game)) gameText = SaturatedField(game, 4);
  std::string line;
  line += PadRight(date, 8) + " ";
  line += PadRight(time, 8) + " ";
  line += SaturatedField(ClampTo(elapsed, 0, 999999), 6) + " ";
  line += gameText + " ";
  line += PadRight(ctx.Cfg(cfg::Game_name), 50) + " ";
  line += PadRight(TrimRightSpaces(ctx.Cfg(cfg::UserDefault)), kPlayerColumns) + " ";
  line += won ? "Won  " : "Lost ";
  line += PadRight(ctx.Cfg(cfg::ScoreKind), 2) + " ";
  line += PadRight(ctx.Cfg(cfg::Score), 6) + " ";
  line += PadRight(ctx.Cfg(cfg::DealNumber), 15) + " ";
  return line + "0360";
}

bool StageStatLogLine(GameContext& ctx, bool won, int64_t elapsed, const std::string& date,
                      const std::string& time, sys::FileBatch& batch) {
  const std::string path = StatLogFilePath(ctx);
  if (!IsValidPlayerName(TrimRightSpaces(ctx.Cfg(cfg::UserDefault)))) {
    batch.Fail(path);
    return false;
  }
  // Only the last byte is read: the end of a deal costs the same however
  // long the log has grown.
  std::string data;
  if (sys::PathExists(path)) {
    sys::RawFile f;
    const int64_t size = f.Open(path, sys::RawFile::Mode::Read) ? f.Size() : -1;
    char last = '\n';
    if (size < 0 || (size > 0 && (!f.Seek(size - 1) || f.Read(&last, 1) != 1))) {
      batch.Fail(path);
      return false;
    }
    // A last line without its line end would swallow the new line.
    if (last != '\n') data = "\r\n";
  }
  data += BuildStatLogLine(ctx, won, elapsed, date, time) + "\r\n";
  batch.StageAppend(path, data);
  return true;
}

bool AppendStatLog(GameContext& ctx, bool won, int64_t elapsed, const std::string& date,
                   const std::string& time) {
  if (!IsValidPlayerName(TrimRightSpaces(ctx.Cfg(cfg::UserDefault)))) return false;
  const std::string path = StatLogFilePath(ctx);
  sys::MakeDirectory(sys::DirectoryOf(path));
  const bool created = sys::CreateEmptyFile(path);
  sys::RawFile f;
  bool ok = f.Open(path, sys::RawFile::Mode::ReadWrite);
  const int64_t size = ok ? f.Size() : -1;
  if (ok) {
    std::string data;
    // A last line without its line end would swallow the new line.
    char last = '\n';
    if (size > 0 && (!f.Seek(size - 1) || f.Read(&last, 1) != 1)) ok = false;
    if (last != '\n') data = "\r\n";
    data += BuildStatLogLine(ctx, won, elapsed, date, time) + "\r\n";
    ok = ok && size >= 0 && f.Seek(size) && f.Write(data) && f.Flush();
    f.Close();
    if (!ok) {
      // A line written in part is cut off again, so the log stays as it was.
      std::error_code ec;
      if (created) {
        sys::DeleteFile(path);
      } else if (size >= 0) {
        std::filesystem::resize_file(sys::NativePath(path), static_cast<uintmax_t>(size), ec);
      }
    }
  }
  if (!ok) ShowMsg(ctx, "Write error on file " + path);
  return ok;
}

bool ClearStatistics(GameContext& ctx, int game, const std::string& player, bool allGames,
                     bool allPlayers) {
  Hourglass hourglass(ctx);
  sys::FileBatch batch;
  StageClearStatistics(ctx, game, player, allGames, allPlayers, batch);
  return CommitOrReport(ctx, batch);
}

bool RenamePlayerInStatFiles(GameContext& ctx, const std::string& oldName,
                             const std::string& newName, const PlayerList* players) {
  const std::string from = TrimRightSpaces(oldName), to = TrimRightSpaces(newName);
  if (!IsValidPlayerName(to) || from.empty()) return false;
  Hourglass hourglass(ctx);
  sys::FileBatch batch;

  // Statistics: only the whole key, so renaming Bob leaves Bobby alone; a
  // stale record under the new name gives way.
  const std::string stat = StatFilePath(ctx);
  SectionedTextFile file;
  if (LoadForChange(stat, file, batch) && file.Existed()) {
    bool changed = false;
    StringList sections;
    // A name given twice (a hand-edited file) is still one section: the
    // readers see only its first body.
    for (const auto& section : file.SectionNames()) {
      if (std::find(sections.begin(), sections.end(), section) == sections.end()) {
        sections.push_back(section);
      }
    }
    for (const auto& section : sections) {
      int at = file.FindKey(section, from);
      if (at < 0) continue;
      file.Lines()[static_cast<size_t>(at)] =
          to + file.Lines()[static_cast<size_t>(at)].substr(from.size());
      for (int stale = file.FindKey(section, to); stale >= 0 && stale != at;
           stale = file.FindKey(section, to)) {
        file.Lines().erase(file.Lines().begin() + stale);
        if (stale < at) --at;
      }
      changed = true;
    }
    if (changed) file.Save(stat, &batch);
  }

  // Log and hi-scores: the fixed 30-column player field.
  const std::string oldField = PadRight(from, kPlayerColumns);
  const std::string newField = PadRight(to, kPlayerColumns);
  auto replaceColumn = [&](const std::string& path, size_t at, bool hiScoreLine) {
    SectionedTextFile text;
    if (!LoadForChange(path, text, batch) || !text.Existed()) return;
    bool changed = false;
    for (auto& line : text.Lines()) {
      if (hiScoreLine && (line.size() < 6 || line[5] != '=')) continue;
      if (line.size() >= at + kPlayerColumns && line.compare(at, kPlayerColumns, oldField) == 0) {
        line.replace(at, kPlayerColumns, newField);
        changed = true;
      }
    }
    if (changed) text.Save(path, &batch);
  };
  replaceColumn(StatLogFilePath(ctx), 81, false);
  replaceColumn(StatScrFilePath(ctx), 38, true);

  // Overall scores: the player's section takes the new name.
  const std::string glo = StatGloFilePath(ctx);
  SectionedTextFile overall;
  if (LoadForChange(glo, overall, batch) && overall.FindSection(from) >= 0) {
    overall.RemoveSection(to);
    overall.Lines()[static_cast<size_t>(overall.FindSection(from))] = "[" + to + "]";
    overall.Save(glo, &batch);
  }

  if (players) {
    const std::string cfgPath = CfgFilePath(ctx);
    sys::IniFile ini(cfgPath);
    if (!ini.Hold()) {
      batch.Fail(cfgPath);
    } else {
      StagePlayerList(ini, players->Names);
      if (TrimRightSpaces(ini.ReadString("Preference", "UserDefault", "")) == from) {
        ini.WriteString("Preference", "UserDefault", to);
      }
      if (!ini.StageTo(batch)) batch.Fail(cfgPath);
    }
  }
  return CommitOrReport(ctx, batch);
}

bool DeleteGame(GameContext& ctx, int game, int caller, const std::string& name,
                const DeleteGameHooks& hooks) {
  const std::string otherGame = "Are you sure you want to delete this customized game\n" + name +
                                "?\nNote: also statistics of this game will be deleted.";
  auto ask = [&](const std::string& q) { return ctx.Ui != nullptr && ctx.Ui->AskYesNo(q); };
  if (CfgNumber(ctx, cfg::Game, -1) == game) {
    std::string q = caller == 1 ? "Now you are playing " + name +
                                      ".\nAre you sure you want to delete this game?\n"
                                      "Note: also statistics of this game will be deleted."
                                : otherGame;
    if (!ask(q)) return false;
    if (hooks.EndDealAndDeselect) hooks.EndDealAndDeselect();
  } else if (!ask(otherGame)) {
    return false;
  }
  bool done = false;
  {
    Hourglass hourglass(ctx);
    // The record, the favourite, the statistics, the log lines and the
    // hi-scores go together or not at all.
    sys::FileBatch batch;
    StageCustomGameRemoval(ctx.DataPath("DATA\\GAM_CUST.DAT"), game, batch);
    StageFavouriteRemoval(ctx, name, batch);
    StageClearStatistics(ctx, game, "", false, true, batch);
    StageClearGameHiScores(ctx, game, "01", batch);
    done = CommitOrReport(ctx, batch);
  }
  ResetSessionCounters(ctx);
  if (hooks.RebuildGameTree) hooks.RebuildGameTree();
  return done;
}

}  // namespace tw
