#include "engine/executor.h"

#include <algorithm>
#include <vector>

#include "core/cards.h"
#include "core/util.h"
#include "engine/autoplay.h"
#include "engine/build_rules.h"
#include "engine/pairs.h"
#include "engine/pileops.h"
#include "engine/poker.h"
#include "engine/redeal.h"
#include "engine/score.h"
#include "engine/undo.h"

namespace tw {

namespace {

// Pile kinds of FindCardInPiles and the card counter.
constexpr int kStockKind = 1;
constexpr int kWasteKind = 2;
constexpr int kThirdSlotKind = 3;
constexpr int kTableauKind = 4;
constexpr int kFoundationKind = 5;
constexpr int kReserveKind = 6;

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// The pile number after prefix: 1..maxDigits digits, 1..count; 0 otherwise.
int NumberAfter(const std::string& name, size_t prefix, size_t maxDigits, int count) {
  const size_t digits = name.size() - prefix;
  if (digits < 1 || digits > maxDigits) return 0;
  int n = 0;
  for (size_t k = prefix; k < name.size(); ++k) {
    if (name[k] < '0' || name[k] > '9') return 0;
    n = n * 10 + (name[k] - '0');
  }
  return n >= 1 && n <= count ? n : 0;
}

std::string& Stock(GameContext& ctx) { return ctx.MazzoPiles[0]; }
std::string& WastePile(GameContext& ctx) { return ctx.MazzoPiles[1]; }

bool CardOnTable(GameContext& ctx, int card) {
  return card >= 1 && card <= kCardCodes && FindCardInPiles(ctx, card, 0) != -1;
}

void Redraw(GameContext& ctx, const std::string& pileName) {
  if (ViewPort* view = ViewOf(ctx)) view->RedrawPile(pileName);
}

void AddCodeToLastGroup(std::string& log, int code) {
  if (log.empty() || log.back() != ',') return;
  log.insert(log.size() - 1, CardCodeText(code));
}

struct MoveResult {
  bool moved = false;
  bool fromTableau = false;
};

// The card off wherever it lies, onto piles[index] face up.
int MoveCard(GameContext& ctx, int card, StringList& piles, int index, MoveResult& r) {
  PushUndoState(ctx, true, true);
  const int source = TakeCard(ctx, card);
  AppendCardToList(ctx, piles, index, card, "1");
  r.fromTableau = source == kTableauKind;
  r.moved = true;
  return source;
}

void PlayToFoundation(GameContext& ctx, int card, int i, bool autoplay, const std::string& name,
                      MoveResult& r) {
  const int source = MoveCard(ctx, card, ctx.DestPiles, i, r);
  Redraw(ctx, name);
  TellCounterMove(ctx, card, source, kFoundationKind);
  ctx.TfrmMain.GameWon = IsGameWon(ctx);
  if (autoplay) {
    PlayEventSound(ctx, "Autoplay.wav", cfg::Sounds_Autoplay);
  } else {
    PlayEventSound(ctx, "Foundation.wav", cfg::Sounds_Foundation);
  }
  if (ctx.GameRules.SortFoundations() == 1) SortFoundation(ctx, i);
}

void PlayToTableau(GameContext& ctx, int card, int i, const std::string& name, MoveResult& r) {
  std::vector<int> run;
  CardsFromCard(ctx, run, card);
  if (IsSingleCardLifted(ctx) || run.size() <= 1) {
    const int source = MoveCard(ctx, card, ctx.FilaPiles, i, r);
    TellCounterMove(ctx, card, source, kTableauKind);
  } else {
    PushUndoState(ctx, true, true);
    const int source = LocateCard(ctx, card) >= 1 ? kTableauKind : kReserveKind;
    std::vector<int> none;
    TakeCardsFromPiles(ctx, none, card, true);
    for (int c : run) {
      AppendCardToList(ctx, ctx.FilaPiles, i, c, "1");
      TellCounterMove(ctx, c, source, kTableauKind);
    }
    r.fromTableau = true;
    r.moved = true;
  }
  Redraw(ctx, name);
  PlayEventSound(ctx, "Tableau", cfg::Sounds_Tableau);
  // Some deals (one King on every pile) are won on the tableau.
  ctx.TfrmMain.GameWon = IsGameWon(ctx);
}

void PlayToReserve(GameContext& ctx, int card, int i, const std::string& name, MoveResult& r) {
  const int source = MoveCard(ctx, card, ctx.AppoggPiles, i, r);
  Redraw(ctx, name);
  TellCounterMove(ctx, card, source, kReserveKind);
  PlayEventSound(ctx, "Tableau", cfg::Sounds_Tableau);
  ctx.TfrmMain.GameWon = IsGameWon(ctx);
}

void PlayToThirdSlot(GameContext& ctx, int card, MoveResult& r) {
  const int source = MoveCard(ctx, card, ctx.MazzoPiles, 2, r);
  Redraw(ctx, "Mazzo_Waste");
  TellCounterMove(ctx, card, source, kThirdSlotKind);
  ctx.TfrmMain.GameWon = IsGameWon(ctx);
  if (ctx.GameRules.GameKind() == 12) PlayEventSound(ctx, "Eddy.wav", cfg::Sounds_Foundation);
}

void PlayToWaste(GameContext& ctx, int card, MoveResult& r) {
  const int source = MoveCard(ctx, card, ctx.MazzoPiles, 1, r);
  Redraw(ctx, "Mazzo_Vis");
  CardCounterPort* counter = CounterOf(ctx);
  if (counter && counter->Visible() && source != kWasteKind) {
    counter->UpdateCard(card, source, 2, 0);
  }
  ctx.TfrmMain.GameWon = IsGameWon(ctx);
  PlayEventSound(ctx, "Tableau", cfg::Sounds_Tableau);
}

void ShowRedealMarker(GameContext& ctx) {
  ctx.GameState.RedealMarkerShown() = 1;
  if (ViewPort* view = ViewOf(ctx)) view->ShowRedealMarker();
}

// The waste turned back over onto the stock: its first-turned card is the
// stock's top again.
void TurnWasteOver(GameContext& ctx) {
  ctx.GameState.RedealsDone() = static_cast<int16_t>(ctx.GameState.RedealsDone() + 1);
  ctx.GameState.RedealMarkerShown() = 0;
  PushUndoState(ctx, true, true);
  AddCodeToLastGroup(ctx.UndoLog, kRedealStepCode);
  const std::string face = ctx.GameRules.StockFaceDown() == 0 ? "1" : "0";
  const bool animate = !ctx.CfgIs(cfg::Redeal_Animation, "N");
  if (animate) PlayEventSound(ctx, "Redeal", cfg::Sounds_Redeal, SoundMode::Loop);
  std::string& stock = Stock(ctx);
  std::string& waste = WastePile(ctx);
  stock.clear();
  ViewPort* view = ViewOf(ctx);
  while (!waste.empty()) {
    const int card = TopCard(waste);
    if (animate && view) {
      view->AnimateCardMove(card, ctx.GetStockX(1), ctx.GetStockY(1), ctx.GetStockX(0),
                            ctx.GetStockY(0));
    }
    AppendCardToList(ctx, ctx.MazzoPiles, 0, card, face);
    waste.resize(waste.size() - 3);
  }
  if (animate) {
    Delay(ctx, 100);
    if (SoundPort* sound = SoundOf(ctx)) sound->StopSound();
  }
  // A pair selection that went back to the stock cannot be completed.
  if (ctx.GameRules.GameKind() == 4) {
    std::string& selection = ctx.DestPiles[0];
    std::string kept;
    for (int k = 0; k < PileCardCount(selection); ++k) {
      const int c = PileCardAt(selection, k);
      if (!CodeInCodeString(CardCodeText(c), stock)) kept += CardCodeText(c);
    }
    if (kept != selection) {
      selection = kept;
      if (view) view->RedrawTable();
    }
  }
  Redraw(ctx, "Mazzo");
  Redraw(ctx, "Mazzo_Vis");
  CardCounterPort* counter = CounterOf(ctx);
  if (counter && counter->Visible()) counter->UpdateCard(-1, 1, 1, 1);
}

void StockClick(GameContext& ctx, const std::string& name, MoveResult& r) {
  const GameRulesRecord& rules = ctx.GameRules;
  bool pushUndo = true;
  const bool toWaste = name == "Mazzo_Vis";
  // A redeal is asked for once the stock has run out.
  if (rules.TableauRedeal() >= 1 && RedealAvailable(ctx) && Stock(ctx).empty()) {
    if (ctx.GameState.RedealMarkerShown() == 1) {
      PushUndoState(ctx, true, true);
      AddCodeToLastGroup(ctx.UndoLog, kRedealStepCode);
      ctx.GameState.RedealsDone() = static_cast<int16_t>(ctx.GameState.RedealsDone() + 1);
      ctx.GameState.RedealMarkerShown() = 0;
      RedealTableau(ctx);
      r.moved = true;
    } else {
      ShowRedealMarker(ctx);
    }
  } else if (toWaste && Stock(ctx).empty() && PileCardCount(WastePile(ctx)) >= 2 &&
             RedealAvailable(ctx)) {
    if (ctx.GameState.RedealMarkerShown() == 0) {
      ShowRedealMarker(ctx);
    } else {
      TurnWasteOver(ctx);
      pushUndo = false;
      r.moved = true;
    }
  }

  if (Stock(ctx).empty()) return;
  if (pushUndo) PushUndoState(ctx, true, true);
  const int perTurn = std::max<int>(1, rules.CardsPerStockTurn());
  const int slot = toWaste ? 1 : 2;
  const char* slotName = toWaste ? "Mazzo_Vis" : "Mazzo_Waste";
  ViewPort* view = ViewOf(ctx);
  CardCounterPort* counter = CounterOf(ctx);
  for (int k = 0; k < perTurn && !Stock(ctx).empty(); ++k) {
    std::string& stock = Stock(ctx);
    const int card = TopCard(stock);
    AppendCardToList(ctx, ctx.MazzoPiles, slot, card, "1");
    stock.resize(stock.size() - 3);
    Redraw(ctx, "Mazzo");
    Redraw(ctx, slotName);
    if (view && !ctx.CfgIs(cfg::Cards_Animate, "N")) {
      view->AnimateCardMove(card, ctx.GetStockX(0), ctx.GetStockY(0), ctx.GetStockX(slot),
                            ctx.GetStockY(slot));
    }
    if (counter && counter->Visible()) {
      if (!toWaste) counter->UpdateCard(card, kStockKind, 2, 0);
      counter->UpdateCard(card, toWaste ? kWasteKind : kThirdSlotKind, 1, 1);
    }
    PlayEventSound(ctx, "Stock", cfg::Sounds_Stock);
    r.moved = true;
    ctx.TfrmMain.GameWon = IsGameWon(ctx);
  }
}

void BatchDeal(GameContext& ctx, const std::string& name, MoveResult& r) {
  const GameRulesRecord& rules = ctx.GameRules;
  if (Stock(ctx).empty()) return;
  const bool toReserves = StartsWith(name, "Add_Reserve");
  std::vector<int> receivers;
  if (toReserves) {
    int first = 1;
    int last = std::clamp<int>(rules.ReserveCount(), 0, kMaxReserves);
    if (name != "Add_Reserves") {
      const int d = StartsWith(name, "Add_Reserve_") ? NumberAfter(name, 12, 1, kMaxReserves) : 0;
      if (d == 0) return;
      first = last = d;
    }
    for (int p = first; p <= last; ++p) {
      const int code = rules.StockDealToReserve(p - 1);
      if (code >= 1 && code <= 4) receivers.push_back(p);
    }
  } else {
    const int piles = std::clamp<int>(rules.TableauCount(), 0, kMaxTableaus);
    for (int p = 1; p <= piles; ++p) {
      int code = 0;
      if (name == "Add_Tableaus") code = rules.StockDealToTableau(p - 1);
      if (name == "Add_Tableaus_Last") code = 1;
      if (name == "Fill_Tableaus") code = ctx.FilaPiles[static_cast<size_t>(p - 1)].empty();
      if (code >= 1 && code <= 4) receivers.push_back(p);
    }
  }
  // A deal that reaches no pile is no move.
  if (receivers.empty()) return;
  // The fill after the first move belongs to that move's step.
  if (name != "Fill_Tableaus") PushUndoState(ctx, true, true);

  const int targetKind = toReserves ? kReserveKind : kTableauKind;
  ViewPort* view = ViewOf(ctx);
  for (int p : receivers) {
    if (Stock(ctx).empty()) break;
    const int card = TopCard(Stock(ctx));
    const int source = TakeCard(ctx, card);
    Redraw(ctx, "Mazzo");
    if (!toReserves && rules.TableauLayout() == 8) AppendCardToList(ctx, ctx.FilaPiles, 0, 0, "");
    StringList& piles = toReserves ? ctx.AppoggPiles : ctx.FilaPiles;
    AppendCardToList(ctx, piles, p - 1, card, "1");
    const std::string pileName = (toReserves ? "Appogg" : "Fila") + std::to_string(p);
    if (view) {
      const size_t at = static_cast<size_t>(p - 1);
      const int toX = toReserves ? ctx.ReserveX[at] : ctx.TableauX[at];
      const int toY = toReserves ? ctx.GetReserveY(p - 1) : GetTableauY(ctx, p - 1);
      view->AnimateCardMove(card, ctx.GetStockX(0), ctx.GetStockY(0), toX, toY);
    }
    Redraw(ctx, pileName);
    TellCounterMove(ctx, card, source, targetKind);
    PlayEventSound(ctx, "Shuffle", cfg::Sounds_Shuffle);
  }
  ctx.TfrmMain.GameWon = IsGameWon(ctx);
  r.moved = true;
}

}  // namespace

bool RedealAvailable(const GameContext& ctx) {
  const int deals = ctx.GameRules.Deals();
  return deals == -1 || deals > ctx.GameState.RedealsDone();
}

void PlayEventSound(GameContext& ctx, const std::string& name, CfgField own, SoundMode mode) {
  if (!ctx.CfgIs(own, "Y")) return;
  if (!ctx.CfgIs(cfg::Sounds_Enabled, "Y")) return;
  if (SoundPort* sound = SoundOf(ctx)) sound->PlaySound(name, mode);
}

void PlayEventSoundAlways(GameContext& ctx, const std::string& name) {
  if (!ctx.CfgIs(cfg::Sounds_Enabled, "Y")) return;
  if (SoundPort* sound = SoundOf(ctx)) sound->PlaySound(name, SoundMode::Async);
}

void TellCounterMove(GameContext& ctx, int card, int from, int to, bool wasteTop) {
  CardCounterPort* counter = CounterOf(ctx);
  if (!counter || !counter->Visible()) return;
  if (from != to) {
    counter->UpdateCard(card, from, 2, 0);
    if (wasteTop) counter->UpdateWasteTop(from);
  }
  counter->UpdateCard(card, to, 1, 1);
}

bool PlayToPile(GameContext& ctx, int card, const std::string& pileName) {
  const GameRulesRecord& rules = ctx.GameRules;
  if (ctx.MazzoPiles.size() != kStockSlots || ctx.DestPiles.size() != kMaxFoundations ||
      ctx.FilaPiles.size() != kMaxTableaus || ctx.AppoggPiles.size() != kMaxReserves) {
    return false;  // the pile store is not set up
  }
  if (rules.FoundationOnlyOpening() != 0 && ctx.GameState.MovesMade() == 0 &&
      !FoundationOnlyOpening(ctx, card, pileName)) {
    return false;
  }
  const bool stockWasIdle = Stock(ctx).empty() && PileCardCount(WastePile(ctx)) <= 1;

  MoveResult r;
  if (StartsWith(pileName, "Mazzo")) {
    StockClick(ctx, pileName, r);
  } else if (StartsWith(pileName, "Dest")) {
    const bool autoplay = StartsWith(pileName, "Dest_Autoplay");
    const int n = NumberAfter(pileName, autoplay ? 13 : 4, 2, kMaxFoundations);
    if (n > 0 && CardOnTable(ctx, card)) PlayToFoundation(ctx, card, n - 1, autoplay, pileName, r);
  } else if (StartsWith(pileName, "Fila")) {
    const int n = NumberAfter(pileName, 4, 2, kMaxTableaus);
    if (n > 0 && CardOnTable(ctx, card)) PlayToTableau(ctx, card, n - 1, pileName, r);
  } else if (StartsWith(pileName, "Appogg")) {
    const int n = NumberAfter(pileName, 6, 1, kMaxReserves);
    if (n > 0 && CardOnTable(ctx, card)) PlayToReserve(ctx, card, n - 1, pileName, r);
  } else if (pileName == "Waste") {
    if (CardOnTable(ctx, card)) PlayToThirdSlot(ctx, card, r);
  } else if (pileName == "Stock02") {
    if (CardOnTable(ctx, card)) PlayToWaste(ctx, card, r);
  } else if (pileName == "Add_Tableaus" || StartsWith(pileName, "Add_Reserve") ||
             pileName == "Fill_Tableaus" || pileName == "Add_Tableaus_Last") {
    BatchDeal(ctx, pileName, r);
  } else if (IsPairTarget(pileName)) {
    r.moved = PlayPairTarget(ctx, pileName);
    if (r.moved) {
      ctx.TfrmMain.GameWon = IsGameWon(ctx);
      r.fromTableau =
          pileName == "Selezionate_Dest" && (rules.GameKind() == 25 || rules.GameKind() == 26);
    }
  }

  // The common tail. A completed King-to-Ace run on any tableau pile (the
  // target or the pile a card left) goes to its foundation within this step.
  if (r.moved && MoveKingRunsToFoundations(ctx)) {
    r.fromTableau = true;
    ctx.TfrmMain.GameWon = IsGameWon(ctx);
  }
  if (!stockWasIdle && Stock(ctx).empty() && PileCardCount(WastePile(ctx)) <= 1) {
    Redraw(ctx, "Mazzo");
  }
  if (r.moved) {
    if (rules.GameKind() == 9) {
      ScorePokerGrid(ctx, card);
    } else {
      RecalcScore(ctx);
    }
  }
  // Autoplay turns the uncovered cards up itself.
  if (r.fromTableau && !ctx.TfrmMain.AutoPlayOn) AutoFaceUp(ctx);
  if (r.moved) PushUndoState(ctx, false, true);
  if (ctx.GameState.MovesMade() < 2) ++ctx.GameState.MovesMade();
  if (rules.FillTableausAfterFirstMove() != 0 && ctx.GameState.MovesMade() == 1) {
    FillTableausPhase(ctx);
  }
  return r.moved;
}

}  // namespace tw
