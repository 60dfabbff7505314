#include "engine/undo.h"

#include <algorithm>

#include "core/cards.h"
#include "engine/ports.h"
#include "engine/score.h"
#include "platform/sys/services.h"

namespace tw {

namespace {

constexpr int kReserveDealCode = 2;

void AppendPileLines(const GameContext& ctx, const StringList& piles, int count, StringList& out) {
  for (int i = 0; i < count; ++i) {
    std::string line;
    if (i < static_cast<int>(piles.size())) {
      const std::string& pile = piles[static_cast<size_t>(i)];
      const int n = PileCardCount(pile);
      line.resize(static_cast<size_t>(n) * 4);
      char* at = line.data();
      for (int k = 0; k < n; ++k, at += 4) {
        const int card = PileCardAt(pile, k);
        // A hole or a damaged code is written as the hole "000".
        if (card == 0) {
          std::copy_n("0000", 4, at);
          continue;
        }
        pile.copy(at, 3, static_cast<size_t>(k) * 3);
        at[3] = IsFaceUp(ctx, card) ? '1' : '0';
      }
    }
    out.push_back(std::move(line));
  }
}

bool IsSelectionGame(const GameContext& ctx) {
  const GameRulesRecord& rules = ctx.GameRules;
  return rules.SelectionFoundation() != 0 || rules.GameKind() == 3 || rules.GameKind() == 4;
}

void Beep(GameContext& ctx) {
  if (ctx.Ui) ctx.Ui->Beep(0);
}

void DropLastLines(StringList& stack, int n) {
  for (int k = 0; k < n && !stack.empty(); ++k) stack.pop_back();
}

void PlayGated(GameContext& ctx, const char* name, CfgField own) {
  SoundPort* sound = SoundOf(ctx);
  if (sound && ctx.CfgIs(cfg::Sounds_Enabled, "Y") && ctx.CfgIs(own, "Y")) {
    sound->PlaySound(name, SoundMode::Async);
  }
}

}  // namespace

void SaveTableSnapshot(const GameContext& ctx, StringList& list) {
  list.clear();
  list.reserve(kSnapshotLines);
  AppendPileLines(ctx, ctx.MazzoPiles, kStockSlots, list);
  AppendPileLines(ctx, ctx.DestPiles, kMaxFoundations, list);
  AppendPileLines(ctx, ctx.FilaPiles, kMaxTableaus, list);
  AppendPileLines(ctx, ctx.AppoggPiles, kMaxReserves, list);
}

void RestorePileFromSnapshot(GameContext& ctx, StringList& piles, int index,
                             const std::string& line) {
  if (index < 0 || index >= static_cast<int>(piles.size())) return;
  static const std::string kFaceUp = "1", kFaceDown = "0";
  std::string& pile = piles[static_cast<size_t>(index)];
  pile.clear();
  pile.reserve(line.size() / 4 * 3);
  for (size_t i = 0; i + 4 <= line.size(); i += 4) {
    int code = 0;
    for (size_t k = i; k < i + 3; ++k) {
      const char c = line[k];
      if (c < '0' || c > '9') return;
      code = code * 10 + (c - '0');
    }
    if (code > kCardCodes) return;
    // The three digits are the card's code as the pile writes it.
    pile.append(line, i, 3);
    if (code != 0) SetCardFace(ctx, code, line[i + 3] == '1' ? kFaceUp : kFaceDown);
  }
}

bool PopPileFromStack(GameContext& ctx, StringList& piles, StringList& stack, int index) {
  if (stack.empty()) return false;
  RestorePileFromSnapshot(ctx, piles, index, stack.back());
  stack.pop_back();
  return true;
}

void PushUndoState(GameContext& ctx, bool toUndo, bool clearRedo) {
  ctx.SetCfg(toUndo ? cfg::UndoUsed : cfg::RedoUsed, "0");
  if (!toUndo && clearRedo) {
    ctx.RedoMazzo.clear();
    ctx.RedoDest.clear();
    ctx.RedoFila.clear();
    ctx.RedoAppogg.clear();
    ctx.RedoLog.clear();
    return;
  }
  StringList& mazzo = toUndo ? ctx.UndoMazzo : ctx.RedoMazzo;
  StringList& dest = toUndo ? ctx.UndoDest : ctx.RedoDest;
  StringList& fila = toUndo ? ctx.UndoFila : ctx.RedoFila;
  StringList& appogg = toUndo ? ctx.UndoAppogg : ctx.RedoAppogg;
  AppendPileLines(ctx, ctx.MazzoPiles, kStockSlots, mazzo);
  const size_t firstFoundation = dest.size();
  AppendPileLines(ctx, ctx.DestPiles, kMaxFoundations, dest);
  // The pair selection on foundation 1 is never brought back.
  if (IsSelectionGame(ctx)) dest[firstFoundation].clear();
  AppendPileLines(ctx, ctx.FilaPiles, kMaxTableaus, fila);
  AppendPileLines(ctx, ctx.AppoggPiles, kMaxReserves, appogg);
  (toUndo ? ctx.UndoLog : ctx.RedoLog) += ",";
}

int UndoDepth(const GameContext& ctx) { return static_cast<int>(ctx.UndoMazzo.size()) / 3; }

int RedoDepth(const GameContext& ctx) { return static_cast<int>(ctx.RedoMazzo.size()) / 3; }

bool UndoRedo(GameContext& ctx, bool undo, bool internal) {
  if (ctx.MazzoPiles.size() != kStockSlots || ctx.DestPiles.size() != kMaxFoundations ||
      ctx.FilaPiles.size() != kMaxTableaus || ctx.AppoggPiles.size() != kMaxReserves) {
    return false;  // the pile store is not set up
  }
  StringList& mazzo = undo ? ctx.UndoMazzo : ctx.RedoMazzo;
  StringList& dest = undo ? ctx.UndoDest : ctx.RedoDest;
  StringList& fila = undo ? ctx.UndoFila : ctx.RedoFila;
  StringList& appogg = undo ? ctx.UndoAppogg : ctx.RedoAppogg;
  // A step is whole only when every stack holds its lines.
  const bool stepThere = mazzo.size() >= kStockSlots && dest.size() >= kMaxFoundations &&
                         fila.size() >= kMaxTableaus && appogg.size() >= kMaxReserves;
  if (!internal) {
    const std::string mode = ctx.Cfg(cfg::Undo_Enabled);
    const bool oneStepUsed = mode == "1" && ctx.CfgIs(undo ? cfg::UndoUsed : cfg::RedoUsed, "1");
    if (!ctx.TfrmMain.GameInProgress || !stepThere || mode == "2" || oneStepUsed) {
      Beep(ctx);
      return false;
    }
    if (ctx.Ui) ctx.Ui->SetHourglass(true);
    ctx.SetCfg(undo ? cfg::UndoUsed : cfg::RedoUsed, "1");
    BackupPiles(ctx);
    if (undo) {
      PlayGated(ctx, "Undo", cfg::Sounds_Undo);
    } else {
      PlayGated(ctx, "Redo", cfg::Sounds_Redo);
    }
  } else if (!stepThere) {
    return false;
  }

  // The current table goes onto the other side first.
  PushUndoState(ctx, !undo, false);

  const bool stockHeld = !ctx.MazzoPiles[0].empty();
  for (int i = kStockSlots - 1; i >= 0; --i) PopPileFromStack(ctx, ctx.MazzoPiles, mazzo, i);
  const bool stockHolds = !ctx.MazzoPiles[0].empty();
  for (int i = kMaxFoundations - 1; i >= 0; --i) PopPileFromStack(ctx, ctx.DestPiles, dest, i);
  for (int i = kMaxTableaus - 1; i >= 0; --i) PopPileFromStack(ctx, ctx.FilaPiles, fila, i);
  for (int i = kMaxReserves - 1; i >= 0; --i) PopPileFromStack(ctx, ctx.AppoggPiles, appogg, i);

  std::string& fromLog = undo ? ctx.UndoLog : ctx.RedoLog;
  std::string& toLog = undo ? ctx.RedoLog : ctx.UndoLog;
  const int sign = undo ? -1 : 1;
  const bool redealStep = CodeInLastGroup(fromLog, kRedealStepCode);
  if (redealStep) {
    ctx.GameState.RedealsDone() = static_cast<int16_t>(ctx.GameState.RedealsDone() + sign);
  } else if (undo ? (stockHeld && !stockHolds) : (!stockHeld && stockHolds)) {
    // A waste turnover taken back or made again.
    ctx.GameState.RedealsDone() = static_cast<int16_t>(ctx.GameState.RedealsDone() + sign);
  }
  if (!fromLog.empty()) {
    if (CodeInLastGroup(fromLog, kReserveDealCode)) ctx.ReserveDealCounter += sign;
    const std::string group = LastGroup(fromLog);
    StripLastGroup(fromLog);
    StripLastGroup(toLog);  // the empty group the push just opened
    toLog += group + ",";
  }

  if (!internal) {
    if (ViewPort* view = ViewOf(ctx)) view->RedrawTable();
    RecalcScore(ctx);
    CardCounterPort* counter = CounterOf(ctx);
    if (counter && counter->Visible()) counter->UpdateCard(-1, 1, 1, 1);
    if (ctx.Ui) ctx.Ui->SetHourglass(false);
  }
  // Back at the deal the opening rules apply again; anywhere else the first
  // move has been made (and its follow-up fill with it).
  ctx.GameState.MovesMade() = static_cast<int16_t>(ctx.UndoMazzo.empty() ? 0 : 2);
  return true;
}

void MergeLastUndoSteps(GameContext& ctx, int n) {
  for (int k = 0; k < n; ++k) {
    if (UndoDepth(ctx) < 2) return;
    DropLastLines(ctx.UndoMazzo, kStockSlots);
    DropLastLines(ctx.UndoDest, kMaxFoundations);
    DropLastLines(ctx.UndoFila, kMaxTableaus);
    DropLastLines(ctx.UndoAppogg, kMaxReserves);
    if (ctx.UndoLog.empty()) continue;
    const std::string newest = LastGroup(ctx.UndoLog);
    StripLastGroup(ctx.UndoLog);
    const std::string older = LastGroup(ctx.UndoLog);
    StripLastGroup(ctx.UndoLog);
    ctx.UndoLog += older + newest + ",";
  }
}

void WriteUndoSections(const GameContext& ctx, StringList& list) {
  list.push_back("[UNDO - Stock]");
  list.insert(list.end(), ctx.UndoMazzo.begin(), ctx.UndoMazzo.end());
  list.push_back("[UNDO - Foundations]");
  list.insert(list.end(), ctx.UndoDest.begin(), ctx.UndoDest.end());
  list.push_back("[UNDO - Piles]");
  list.insert(list.end(), ctx.UndoFila.begin(), ctx.UndoFila.end());
  list.push_back("[UNDO - Reserves]");
  list.insert(list.end(), ctx.UndoAppogg.begin(), ctx.UndoAppogg.end());
  list.push_back("[UNDO - Log]");
  list.push_back(ctx.UndoLog);
}

}  // namespace tw
