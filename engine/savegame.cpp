#include "engine/savegame.h"

#include <algorithm>
#include <vector>

#include "core/cards.h"
#include "core/datafiles.h"
#include "core/gamesfile.h"
#include "core/stats.h"
#include "core/util.h"
#include "engine/demo_source.h"
#include "engine/executor.h"
#include "engine/gameover.h"
#include "engine/newgame.h"
#include "engine/poker.h"
#include "engine/ports.h"
#include "engine/score.h"
#include "engine/undo.h"
#include "platform/sys/files.h"
#include "platform/sys/ini.h"
#include "platform/sys/paths.h"
#include "platform/sys/services.h"

namespace tw {

namespace {

constexpr const char* kPrefs = "Preference";
constexpr const char* kDirSave = "Dir_Save";
constexpr int kLine0Length = 95;
constexpr int kLine1Length = 98;
constexpr int kTableLines = kSnapshotLines;
constexpr int kFirstSectionLine = kSavedGameTableLine + kTableLines;  // 65
constexpr int kReserveDealCode = 2;
constexpr int64_t kMaxSeconds = 999999;

const char* const kSections[] = {"[UNDO - Stock]", "[UNDO - Foundations]", "[UNDO - Piles]",
                                 "[UNDO - Reserves]", "[UNDO - Log]"};
constexpr int kSectionCount = 5;

// Older files held 12 foundations and 21 tableau piles.
constexpr int kOldFoundations = 12;
constexpr int kOldTableaus = 21;

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// A fixed-width decimal field: digits only, or a minus sign then digits.
bool FixedNumber(const std::string& field, bool sign, int64_t& value) {
  size_t pos = sign && !field.empty() && field[0] == '-' ? 1 : 0;
  if (pos >= field.size()) return false;
  if (!IsAllDigits(field.substr(pos))) return false;
  value = 0;
  for (size_t k = pos; k < field.size(); ++k) value = value * 10 + (field[k] - '0');
  if (pos == 1) value = -value;
  return true;
}

int SectionOf(const std::string& line) {
  for (int s = 0; s < kSectionCount; ++s) {
    if (StartsWith(line, kSections[s])) return s;
  }
  return -1;
}

// The rules the file's game plays by, loaded aside.
bool ProbeRules(const GameContext& ctx, int game, GameRulesRecord& rules) {
  GameContext probe;
  probe.CfgRecord = ctx.CfgRecord;
  probe.ProgramDir = ctx.ProgramDir;
  probe.GamesData = ctx.GamesData;
  probe.SetCfg(cfg::Game, IntToStrPad(game, 4));
  if (!LoadGameRules(probe)) return false;
  rules = probe.GameRules;
  return true;
}

bool IsSelectionGame(const GameRulesRecord& rules) {
  return rules.SelectionFoundation() != 0 || rules.GameKind() == 3 || rules.GameKind() == 4;
}

struct Check {
  int cards = 0;
  int foundations = 0, tableaus = 0, reserves = 0;
  // Foundation 1 holds the selection: copies of cards that lie on their
  // own piles.
  bool selection = false;
  std::string error;

  bool Fail(const std::string& why) {
    if (error.empty()) error = why;
    return false;
  }

  // Snapshot line index: stock slots, foundations, tableau piles, reserves.
  // Foundation 1 also holds the selection of games that count none.
  bool PileInUse(int index) const {
    if (index < kStockSlots) return true;
    index -= kStockSlots;
    if (index < kMaxFoundations) return index < std::max(foundations, 1);
    index -= kMaxFoundations;
    if (index < kMaxTableaus) return index < tableaus;
    return index - kMaxTableaus < reserves;
  }

  // One snapshot line of pile `index` of the 53; tally counts the cards.
  bool PileLine(const std::string& line, int index, std::vector<int>& tally) {
    if (line.size() % 4 != 0) return Fail("a pile line has a broken card entry");
    const bool used = PileInUse(index);
    for (size_t i = 0; i < line.size(); i += 4) {
      int64_t code = 0;
      if (!FixedNumber(line.substr(i, 3), false, code)) return Fail("a card code is not a number");
      const char face = line[i + 3];
      if (face != '0' && face != '1') return Fail("a card has no valid face flag");
      if (code == 0) {
        if (face != '0') return Fail("a gap is marked face up");
        continue;
      }
      if (code > cards) {
        return Fail("card code " + std::to_string(code) + " is not in a deck of " +
                    std::to_string(cards) + " cards");
      }
      if (!used) return Fail("a card lies on a pile the game does not use");
      ++tally[static_cast<size_t>(code)];
    }
    return true;
  }

  // 53 lines taken from the four lists at the given step.
  bool Table(const StringList& lines, bool allowMissing, const char* what) {
    std::vector<int> tally(static_cast<size_t>(cards) + 1, 0);
    std::vector<int> selected(tally.size(), 0);
    for (int i = 0; i < kTableLines; ++i) {
      const bool isSelection = selection && i == kStockSlots;
      if (!PileLine(lines[static_cast<size_t>(i)], i, isSelection ? selected : tally)) return false;
    }
    for (int c = 1; c <= cards; ++c) {
      const int s = selected[static_cast<size_t>(c)];
      if (s > 1) return Fail(std::string(what) + " selects card " + std::to_string(c) + " twice");
      // A selected card that lies nowhere else would vanish at the removal;
      // only a step of the history may hold one (see below).
      if (s == 1 && tally[static_cast<size_t>(c)] == 0 && !allowMissing) {
        return Fail(std::string(what) + " selects card " + std::to_string(c) +
                    ", which lies on no pile");
      }
    }
    for (int c = 1; c <= cards; ++c) {
      const int n = tally[static_cast<size_t>(c)];
      if (n > 1) return Fail(std::string(what) + " holds card " + std::to_string(c) + " twice");
      // A step may lack a card only while it is selected in that step.
      if (n == 0 && !(allowMissing && selected[static_cast<size_t>(c)] == 1)) {
        return Fail(std::string(what) + " lacks card " + std::to_string(c));
      }
    }
    return true;
  }
};

// Widens the lines of a file older than "0301" in place: four foundation
// lines and five tableau lines more in the table and in every undo step.
bool UpgradeTable(StringList& lines, std::string& error) {
  if (lines.size() < 56 || lines[1].size() < static_cast<size_t>(kLine1Length - 8)) {
    error = "the file is cut short";
    return false;
  }
  lines[1] = lines[1].substr(0, kLine1Length - 8) + "00000000";
  lines.insert(lines.begin() + 23, 4, std::string());
  lines.insert(lines.begin() + 47, 5, std::string());
  return true;
}

bool WidenSteps(StringList& stack, int oldPiles, int piles, int keep, std::string& error) {
  if (stack.size() % static_cast<size_t>(oldPiles) != 0) {
    error = "the undo history is damaged";
    return false;
  }
  StringList wide;
  for (size_t step = 0; step < stack.size(); step += static_cast<size_t>(oldPiles)) {
    for (int i = 0; i < keep; ++i) wide.push_back(stack[step + static_cast<size_t>(i)]);
    wide.insert(wide.end(), static_cast<size_t>(piles - oldPiles), std::string());
    for (int i = keep; i < oldPiles; ++i) wide.push_back(stack[step + static_cast<size_t>(i)]);
  }
  stack = std::move(wide);
  return true;
}

bool GoodLog(const std::string& log, int steps) {
  int groups = 0;
  size_t digits = 0;
  for (char c : log) {
    if (c == ',') {
      if (digits % 3 != 0) return false;
      digits = 0;
      ++groups;
    } else if (c >= '0' && c <= '9') {
      ++digits;
    } else {
      return false;
    }
  }
  return digits == 0 && groups == steps;
}

void Hourglass(GameContext& ctx, bool on) {
  if (ctx.Ui) ctx.Ui->SetHourglass(on);
}

void EndDealInProgress(GameContext& ctx) {
  if (!ctx.TfrmMain.GameInProgress) return;
  if (GameFlowPort* flow = FlowOf(ctx)) {
    flow->GameOver(ctx);
  } else {
    GameOver(ctx);
  }
}

void EnsurePileStore(GameContext& ctx) {
  if (ctx.CardRecords.size() != static_cast<size_t>(kCardCodes) ||
      ctx.MazzoPiles.size() != kStockSlots || ctx.DestPiles.size() != kMaxFoundations ||
      ctx.FilaPiles.size() != kMaxTableaus || ctx.AppoggPiles.size() != kMaxReserves) {
    InitCardsAndPiles(ctx);
  }
}

void RestoreTable(GameContext& ctx, const StringList& lines) {
  size_t k = 0;
  for (int i = 0; i < kStockSlots; ++i) RestorePileFromSnapshot(ctx, ctx.MazzoPiles, i, lines[k++]);
  for (int i = 0; i < kMaxFoundations; ++i) {
    RestorePileFromSnapshot(ctx, ctx.DestPiles, i, lines[k++]);
  }
  for (int i = 0; i < kMaxTableaus; ++i) RestorePileFromSnapshot(ctx, ctx.FilaPiles, i, lines[k++]);
  for (int i = 0; i < kMaxReserves; ++i) {
    RestorePileFromSnapshot(ctx, ctx.AppoggPiles, i, lines[k++]);
  }
}

void StartPlayOnTable(GameContext& ctx, const PlayStartHooks& hooks, PlayStart how) {
  if (hooks.StartPlay) {
    hooks.StartPlay(ctx, how);
  } else {
    ResetPlayState(ctx, false);
    BeginDealPlay(ctx);
    StartClock(ctx);
  }
  ctx.GameState.MovesMade() = static_cast<int16_t>(ctx.UndoMazzo.empty() ? 0 : 2);
  // Alternating reserve deals go on with the right reserve.
  ctx.ReserveDealCounter = CountCodeInGroups(ctx.UndoLog, kReserveDealCode);
}

bool Refuse(GameContext& ctx, std::string& error, const std::string& text) {
  error = text;
  ShowMsg(ctx, text);
  return false;
}

}  // namespace

bool TableHoldsCards(const GameContext& ctx) {
  for (const StringList* list :
       {&ctx.MazzoPiles, &ctx.DestPiles, &ctx.FilaPiles, &ctx.AppoggPiles}) {
    for (const std::string& pile : *list) {
      if (!pile.empty()) return true;
    }
  }
  return false;
}

void BuildSavedGameLines(const GameContext& ctx, StringList& lines) {
  lines.clear();
  int64_t game = 0, back = 0, score = 0;
  if (!ParseInt(ctx.Cfg(cfg::Game), game)) game = 0;
  if (!ParseInt(ctx.Cfg(cfg::Back_Card), back)) back = 0;
  if (!ParseInt(ctx.Cfg(cfg::Score), score)) score = 0;
  const int64_t seconds = std::clamp<int64_t>(GameElapsedSeconds(ctx), 0, kMaxSeconds);
  std::string scoreKind = ctx.Cfg(cfg::ScoreKind);
  if (scoreKind.size() != 2 || !IsAllDigits(scoreKind)) scoreKind = "00";

  std::string line0 = kSavedGameTag;
  line0 += IntToStrPad(game, 4);
  line0 += PadRight(ctx.Cfg(cfg::Background_bmp), 30);
  line0 += PadRight(ctx.Cfg(cfg::Background_Col), 15);
  line0 += PadRight(ctx.Cfg(cfg::Background_def), 1) + "   ";
  line0 += PadRight(ctx.Cfg(cfg::Card_Size), 1);
  line0 += PadRight(ctx.Cfg(cfg::Card), 9);
  line0 += IntToStrPad(back, 4);
  line0 += IntToStrPad(seconds, 6);
  line0 += scoreKind;
  line0 += IntToStrPad(score, 6);
  line0 += IntToStrPad(ctx.GameState.RedealsDone(), 6);
  lines.push_back(line0);

  std::string line1 = PadRight(ctx.Cfg(cfg::UserDefault), 50);
  line1 += PadRight(ctx.Cfg(cfg::DealNumber), 15) + " ";
  for (int i = 0; i < kMaxFoundations; ++i)
    line1 += IntToStrPad(ctx.GameRules.FoundationBase(i), 2);
  lines.push_back(line1);
  lines.resize(kSavedGameTableLine);

  StringList table;
  SaveTableSnapshot(ctx, table);
  // The selection's copies on foundation 1 are not part of the table.
  if (IsSelectionGame(ctx.GameRules)) table[kStockSlots].clear();
  lines.insert(lines.end(), table.begin(), table.end());
  WriteUndoSections(ctx, lines);
}

bool ParseSavedGame(const GameContext& ctx, const StringList& input, SavedGame& out,
                    std::string& error) {
  error.clear();
  if (input.empty() || input[0].size() < 8 || !StartsWith(input[0], "[S-") || input[0][7] != ']' ||
      !IsAllDigits(input[0].substr(3, 4))) {
    error = "it is not a saved game (wrong header)";
    return false;
  }
  const std::string version = input[0].substr(3, 4);
  if (version > "0302") {
    error = "it was saved in a newer format (" + version + ")";
    return false;
  }
  const bool old = version < "0301";
  StringList lines = input;
  if (old && !UpgradeTable(lines, error)) return false;
  if (static_cast<int>(lines.size()) < kFirstSectionLine) {
    error = "the file is cut short";
    return false;
  }
  const std::string& l0 = lines[0];
  const std::string& l1 = lines[1];
  if (static_cast<int>(l0.size()) < kLine0Length || static_cast<int>(l1.size()) < kLine1Length) {
    error = "a header line is cut short";
    return false;
  }

  SavedGame g;
  int64_t v = 0;
  if (!FixedNumber(l0.substr(8, 4), false, v)) {
    error = "the game number is not a number";
    return false;
  }
  g.Game = static_cast<int>(v);
  if (!FixedNumber(l0.substr(75, 6), false, g.Seconds)) {
    error = "the time played is not a number";
    return false;
  }
  g.ScoreKind = l0.substr(81, 2);
  if (!IsAllDigits(g.ScoreKind)) {
    error = "the score kind is not a number";
    return false;
  }
  if (!FixedNumber(l0.substr(83, 6), true, g.Score)) {
    error = "the score is not a number";
    return false;
  }
  if (!FixedNumber(l0.substr(89, 6), false, v) || v > INT16_MAX) {
    error = "the redeal count is not a number";
    return false;
  }
  g.RedealsDone = static_cast<int>(v);
  g.Player = TrimRightSpaces(l1.substr(0, 30));
  // The deal would end under a name no results file can hold.
  std::string nameProblem;
  if (g.Player.empty()) {
    error = "the player name is blank, so the deal could be recorded for nobody";
    return false;
  }
  if (!IsValidPlayerName(g.Player, &nameProblem)) {
    // "A player name cannot ..." read on from the colon.
    if (!nameProblem.empty()) nameProblem[0] = 'a';
    if (!nameProblem.empty() && nameProblem.back() == '.') nameProblem.pop_back();
    error = "the player name \"" + g.Player + "\" cannot be recorded: " + nameProblem;
    return false;
  }
  g.DealNumber = TrimRightSpaces(l1.substr(50, 15));
  if (g.DealNumber.empty() || !IsAllDigits(g.DealNumber)) {
    error = "the deal number is not a number";
    return false;
  }
  for (int i = 0; i < kMaxFoundations; ++i) {
    if (!FixedNumber(l1.substr(66 + 2 * static_cast<size_t>(i), 2), true, v)) {
      error = "a foundation base is not a number";
      return false;
    }
    g.Bases[static_cast<size_t>(i)] = static_cast<int16_t>(v);
  }

  GameRulesRecord rules;
  if (!ProbeRules(ctx, g.Game, rules)) {
    error = "game " + std::to_string(g.Game) + " is not among the games";
    return false;
  }
  Check check;
  check.cards = rules.CardCount();
  check.foundations = std::clamp<int>(rules.FoundationCount(), 0, kMaxFoundations);
  check.tableaus = std::clamp<int>(rules.TableauCount(), 0, kMaxTableaus);
  check.reserves = std::clamp<int>(rules.ReserveCount(), 0, kMaxReserves);
  check.selection = IsSelectionGame(rules);
  if (check.cards < 1 || check.cards > kCardCodes) {
    error = "game " + std::to_string(g.Game) + " has no deck";
    return false;
  }

  g.Table.assign(lines.begin() + kSavedGameTableLine, lines.begin() + kFirstSectionLine);
  if (!check.Table(g.Table, false, "the table")) {
    error = check.error;
    return false;
  }
  // A selection is not carried over: the deal goes on with none.
  if (check.selection) g.Table[kStockSlots].clear();

  // The sections follow the table, each once and in order.
  StringList* stacks[] = {&g.UndoMazzo, &g.UndoDest, &g.UndoFila, &g.UndoAppogg};
  int section = -1;
  bool logTaken = false;
  for (size_t k = kFirstSectionLine; k < lines.size(); ++k) {
    const std::string& line = lines[k];
    const int s = SectionOf(line);
    if (s >= 0) {
      if (s != section + 1) {
        error = "the undo history is out of order";
        return false;
      }
      section = s;
      continue;
    }
    if (section < 0) {
      error = "the undo history is missing";
      return false;
    }
    if (section < 4) {
      stacks[section]->push_back(line);
    } else if (!logTaken) {
      g.UndoLog = line;
      logTaken = true;
    } else if (!line.empty()) {
      error = "there are stray lines after the undo log";
      return false;
    }
  }
  if (section != kSectionCount - 1) {
    error = "the undo history is cut short";
    return false;
  }
  if (old && (!WidenSteps(g.UndoDest, kOldFoundations, kMaxFoundations, 8, error) ||
              !WidenSteps(g.UndoFila, kOldTableaus, kMaxTableaus, 16, error))) {
    return false;
  }
  const size_t steps = g.UndoMazzo.size() / kStockSlots;
  if (g.UndoMazzo.size() % kStockSlots != 0 || g.UndoDest.size() != steps * kMaxFoundations ||
      g.UndoFila.size() != steps * kMaxTableaus || g.UndoAppogg.size() != steps * kMaxReserves) {
    error = "the undo history is damaged (its piles do not add up)";
    return false;
  }
  if (!GoodLog(g.UndoLog, static_cast<int>(steps))) {
    error = "the undo log does not match the undo history";
    return false;
  }
  // A step of a selection game may lack the cards selected in it, and only
  // those: any other card missing would be lost by an undo to that step.
  const bool allowMissing = IsSelectionGame(rules);
  StringList step(kTableLines);
  for (size_t s = 0; s < steps; ++s) {
    size_t k = 0;
    for (int i = 0; i < kStockSlots; ++i) step[k++] = g.UndoMazzo[s * kStockSlots + i];
    for (int i = 0; i < kMaxFoundations; ++i) step[k++] = g.UndoDest[s * kMaxFoundations + i];
    for (int i = 0; i < kMaxTableaus; ++i) step[k++] = g.UndoFila[s * kMaxTableaus + i];
    for (int i = 0; i < kMaxReserves; ++i) step[k++] = g.UndoAppogg[s * kMaxReserves + i];
    if (!check.Table(step, allowMissing, "the undo history")) {
      error = check.error;
      return false;
    }
  }
  out = std::move(g);
  return true;
}

bool SaveGame(GameContext& ctx, const std::string& path, std::string& error) {
  error.clear();
  if (!ctx.TfrmMain.GameInProgress) return Refuse(ctx, error, "There is no game in progress.");
  StringList lines;
  BuildSavedGameLines(ctx, lines);
  // Never write a file that could not be opened again.
  SavedGame check;
  std::string why;
  if (!ParseSavedGame(ctx, lines, check, why)) {
    return Refuse(ctx, error, "The game cannot be saved: " + why + ".");
  }
  Hourglass(ctx, true);
  // The file and its folder as the next one's start go in together; a
  // preferences file that cannot be read is left out (and told).
  sys::FileBatch batch;
  batch.Stage(path, lines);
  sys::IniFile ini(CfgFilePath(ctx));
  if (ini.Hold() && ini.WriteString(kPrefs, kDirSave, sys::DirectoryOf(path))) ini.StageTo(batch);
  const bool written = batch.Commit();
  Hourglass(ctx, false);
  if (!written) return Refuse(ctx, error, "Write error on file " + batch.FailedPath());
  return true;
}

namespace {

bool OpenGameFile(GameContext& ctx, const std::string& path, std::string& error,
                  const PlayStartHooks& hooks, bool demo) {
  error.clear();
  if (ctx.TfrmMain.WinAnimationRunning) return false;
  if (!sys::FileExists(path)) return Refuse(ctx, error, "File not found: " + path);
  StringList lines;
  if (!sys::ReadFileLines(path, lines)) return Refuse(ctx, error, "Cannot read file " + path);
  SavedGame saved;
  std::string why;
  if (!ParseSavedGame(ctx, lines, saved, why)) {
    return Refuse(ctx, error, "Cannot open the saved game " + path + ":\r" + why + ".");
  }
  // Only a good file may end the deal in play.
  if (ConfirmQuitGame(ctx, "") == 0) return false;
  EndDealInProgress(ctx);
  Hourglass(ctx, true);

  int64_t current = -1;
  const bool gameChanged = !ParseInt(ctx.Cfg(cfg::Game), current) || current != saved.Game;
  ctx.SetCfg(cfg::ScoreKind, saved.ScoreKind);
  ctx.SetCfg(cfg::Score, std::to_string(saved.Score));
  ctx.GameState.RedealsDone() = static_cast<int16_t>(saved.RedealsDone);
  if (gameChanged) ctx.GameState.SmallScreenState() = 0;
  ctx.SetCfg(cfg::Game, IntToStrPad(saved.Game, 4));
  ctx.SetCfg(cfg::Game_name, GameNameFromNumber(ctx, saved.Game));
  ctx.SetCfg(cfg::Show_Time, sys::IniFile(CfgFilePath(ctx)).ReadString(kPrefs, "Show_Time", "Y"));
  // A demonstration is played for whoever is playing.
  if (!demo) ctx.SetCfg(cfg::UserDefault, saved.Player);
  ctx.SetCfg(cfg::DealNumber, saved.DealNumber);

  EnsurePileStore(ctx);
  RestoreTable(ctx, saved.Table);
  ctx.UndoMazzo = saved.UndoMazzo;
  ctx.UndoDest = saved.UndoDest;
  ctx.UndoFila = saved.UndoFila;
  ctx.UndoAppogg = saved.UndoAppogg;
  ctx.UndoLog = saved.UndoLog;
  ctx.RedoMazzo.clear();
  ctx.RedoDest.clear();
  ctx.RedoFila.clear();
  ctx.RedoAppogg.clear();
  ctx.RedoLog.clear();

  // The clock goes on from the saved time.
  ctx.TfrmMain.ClockRunning = 1;
  ctx.GameStartTime = ClockSeconds(ctx) - saved.Seconds;
  ctx.GameEndTime = ctx.GameStartTime;
  ctx.PauseStartTime = 0;

  const bool ready = hooks.Setup ? hooks.Setup(ctx) : LoadGameRules(ctx);
  if (!ready) {
    ClearTable(ctx, true, true);
    ctx.TfrmMain.ClockRunning = 0;
    Hourglass(ctx, false);
    return Refuse(ctx, error, "Game " + std::to_string(saved.Game) + " cannot be set up.");
  }
  for (int i = 0; i < kMaxFoundations; ++i) {
    ctx.GameRules.FoundationBase(i) = saved.Bases[static_cast<size_t>(i)];
  }
  // The deal turned code 91 into the rank below foundation 1's base; the
  // rules were loaded afresh, so do it again.
  for (int i = 0; i < kMaxTableaus; ++i) {
    if (ctx.GameRules.TableauStart(i) == 91) {
      ctx.GameRules.TableauStart(i) =
          static_cast<int16_t>(PrevRank(ctx.GameRules.FoundationBase(0)));
    }
  }
  if (gameChanged) ResetSessionCounters(ctx);
  if (!demo) sys::IniFile(CfgFilePath(ctx)).WriteString(kPrefs, kDirSave, sys::DirectoryOf(path));

  StartPlayOnTable(ctx, hooks, demo ? PlayStart::Demo : PlayStart::Opened);
  if (!demo && ctx.GameRules.GameKind() == 9) ScorePokerGrid(ctx, -1);
  Hourglass(ctx, false);
  return true;
}

}  // namespace

bool OpenSavedGame(GameContext& ctx, const std::string& path, std::string& error,
                   const PlayStartHooks& hooks) {
  return OpenGameFile(ctx, path, error, hooks, false);
}

bool OpenDemoGame(GameContext& ctx, std::string& error, const PlayStartHooks& hooks) {
  return OpenGameFile(ctx, DemoFilePath(ctx), error, hooks, true);
}

bool RestartGame(GameContext& ctx, const PlayStartHooks& hooks) {
  if (ctx.TfrmMain.WinAnimationRunning) return false;
  // Nothing has been dealt yet.
  if (ctx.UndoMazzo.empty() && !TableHoldsCards(ctx)) return false;
  if (ctx.TfrmMain.GameInProgress && !ctx.TfrmMain.GameWon && ctx.Ui) {
    const std::string question = "Restart this game?\rGame number: " + ctx.Cfg(cfg::DealNumber);
    if (!ctx.Ui->AskOkCancel(question)) return false;
  }
  Hourglass(ctx, true);
  if (ViewPort* view = ViewOf(ctx)) view->ShowBareTable();
  EndDealInProgress(ctx);

  EnsurePileStore(ctx);
  // The oldest step is the dealt table; a stack without a whole step is
  // left alone.
  auto restore = [&](StringList& piles, const StringList& stack, int count) {
    if (stack.size() < static_cast<size_t>(count)) return;
    for (int i = 0; i < count; ++i) {
      RestorePileFromSnapshot(ctx, piles, i, stack[static_cast<size_t>(i)]);
    }
  };
  restore(ctx.MazzoPiles, ctx.UndoMazzo, kStockSlots);
  restore(ctx.DestPiles, ctx.UndoDest, kMaxFoundations);
  restore(ctx.FilaPiles, ctx.UndoFila, kMaxTableaus);
  restore(ctx.AppoggPiles, ctx.UndoAppogg, kMaxReserves);
  for (StringList* stack : {&ctx.UndoMazzo, &ctx.UndoDest, &ctx.UndoFila, &ctx.UndoAppogg,
                            &ctx.RedoMazzo, &ctx.RedoDest, &ctx.RedoFila, &ctx.RedoAppogg}) {
    stack->clear();
  }
  ctx.UndoLog.clear();
  ctx.RedoLog.clear();

  ResetClock(ctx);
  ctx.GameState.RedealsDone() = 1;
  RecalcScore(ctx);
  PlayEventSound(ctx, "Restart", cfg::Sounds_Restart);
  StartPlayOnTable(ctx, hooks, PlayStart::Restarted);
  Hourglass(ctx, false);
  return true;
}

std::string ReplaceFileQuestion(const std::string& path) {
  return "This file already exists.\rReplace existing file?\r" + path;
}

std::string SavedGamesFolder(const GameContext& ctx) {
  const std::string dir = sys::IniFile(CfgFilePath(ctx)).ReadString(kPrefs, kDirSave, "");
  return dir.empty() ? ctx.ProgramDir : dir;
}

std::string DemoFilePath(const GameContext& ctx) {
  int64_t game = 0;
  if (!ParseInt(ctx.Cfg(cfg::Game), game)) game = 0;
  return ctx.DataPath("Demos\\" + DemoFileName(static_cast<int>(game)));
}

}  // namespace tw
