#include "engine/pileops.h"

#include <algorithm>

#include "core/cards.h"
#include "engine/build_rules.h"
#include "engine/executor.h"
#include "engine/legality.h"
#include "engine/ports.h"
#include "engine/undo.h"

namespace tw {

namespace {

constexpr int kStruckOut = 65535;
constexpr int kFoundationKind = 5;

int UsedTableaus(const GameContext& ctx) {
  return std::clamp<int>(ctx.GameRules.TableauCount(), 0, kMaxTableaus);
}

int UsedReserves(const GameContext& ctx) {
  return std::clamp<int>(ctx.GameRules.ReserveCount(), 0, kMaxReserves);
}

bool InOpening(const GameContext& ctx) {
  return ctx.GameRules.FoundationOnlyOpening() == 1 && ctx.GameState.MovesMade() == 0;
}

}  // namespace

bool AutoFillEmptyTableaus(GameContext& ctx) {
  const GameRulesRecord& rules = ctx.GameRules;
  const int from = rules.FillEmptyTableauFrom();
  if (from == 0 || (rules.FoundationOnlyOpening() != 0 && ctx.GameState.MovesMade() == 0)) {
    return false;
  }
  const std::string& stock = ctx.MazzoPiles[0];
  const std::string& waste = ctx.MazzoPiles[1];
  const std::string& reserve1 = ctx.AppoggPiles[0];
  if (from == 1 && reserve1.empty()) return false;
  if ((from == 2 || from == 3) && stock.empty() && waste.empty()) return false;
  if (from == 4 && CountCodeInGroups(ctx.UndoLog, 1) > 0) return false;

  bool found = false;
  const int piles = UsedTableaus(ctx);
  for (int i = 0; i < piles; ++i) {
    if (!ctx.FilaPiles[static_cast<size_t>(i)].empty()) continue;
    found = true;
    int card = 0;
    if (from == 1) {
      card = TopCard(ctx.AppoggPiles[0]);
    } else if (from == 2 || from == 4) {
      card = TopCard(waste.empty() ? ctx.MazzoPiles[0] : ctx.MazzoPiles[1]);
    } else if (from == 3) {
      card = TopCard(stock.empty() ? ctx.MazzoPiles[1] : ctx.MazzoPiles[0]);
    }
    if (card <= 0) continue;
    // The fill is a single-card move whatever was lifted before.
    SetLiftedCards(ctx, 1);
    ctx.TfrmMain.DragHeight = ctx.CardHeight;
    ctx.GameState.MovingCard() = 0;
    ctx.GameState.RunLastCard() = 0;
    const int undoBefore = UndoDepth(ctx);
    const std::string pile = "Fila" + std::to_string(i + 1);
    if (ViewPort* view = ViewOf(ctx)) view->FlyCardToPile(card, pile);
    if (PlayToPile(ctx, card, pile)) {
      if (ViewPort* view = ViewOf(ctx)) view->RedrawTable();
      // A fill whose move pushed no step (the very first) stays its own.
      if (undoBefore > 0) MergeLastUndoSteps(ctx, UndoDepth(ctx) - undoBefore);
    }
  }
  return found;
}

void SortFoundation(GameContext& ctx, int i) {
  if (i < 0 || i >= kMaxFoundations) return;
  std::string& pile = ctx.DestPiles[static_cast<size_t>(i)];
  const int n = PileCardCount(pile);
  std::vector<int> codes;
  codes.reserve(static_cast<size_t>(n));
  for (int k = 0; k < n; ++k) {
    const int c = PileCardAt(pile, k);
    codes.insert(std::upper_bound(codes.begin(), codes.end(), c), c);
  }
  std::string sorted;
  for (int c : codes) sorted += CardCodeText(c);
  pile = sorted;
  if (ViewPort* view = ViewOf(ctx)) view->RedrawTable();
  if (n > 1) PlayEventSoundAlways(ctx, "Reorder");
}

bool IsTopCard(const GameContext& ctx, int card) {
  if (card <= 0) return false;
  for (int i = 0; i < UsedTableaus(ctx); ++i) {
    if (TopCard(ctx.FilaPiles[static_cast<size_t>(i)]) == card) return true;
  }
  for (int i = 0; i < UsedReserves(ctx); ++i) {
    if (TopCard(ctx.AppoggPiles[static_cast<size_t>(i)]) == card) return true;
  }
  return false;
}

bool TakeCardsFromPile(StringList& piles, int index, int card, bool remove,
                       std::vector<int>& list) {
  list.clear();
  if (index < 0 || index >= static_cast<int>(piles.size()) || card <= 0) return false;
  std::string& pile = piles[static_cast<size_t>(index)];
  const int n = PileCardCount(pile);
  for (int k = 0; k < n; ++k) {
    if (PileCardAt(pile, k) != card) continue;
    if (remove) {
      pile.resize(static_cast<size_t>(k) * 3);
    } else {
      for (int j = k; j < n; ++j) list.push_back(PileCardAt(pile, j));
    }
    return true;
  }
  return false;
}

bool TakeCardsFromPiles(GameContext& ctx, std::vector<int>& list, int card, bool remove) {
  for (int i = 0; i < UsedTableaus(ctx); ++i) {
    if (TakeCardsFromPile(ctx.FilaPiles, i, card, remove, list)) return true;
  }
  for (int i = 0; i < UsedReserves(ctx); ++i) {
    if (TakeCardsFromPile(ctx.AppoggPiles, i, card, remove, list)) return true;
  }
  return false;
}

void CardsFromCard(const GameContext& ctx, std::vector<int>& list, int card) {
  list = RunOfCard(ctx, card);
}

int GetTableauY(const GameContext& ctx, int i) {
  if (i < 0 || i >= kMaxTableaus) return kUnusedTableau;
  return ctx.TableauY[static_cast<size_t>(i)] - ctx.GameState.ScrollOffsetY();
}

bool FoundationOnlyOpening(GameContext& ctx, int card, const std::string& pileName, int* types,
                           int typeCount) {
  if (!InOpening(ctx)) return true;
  const int loc = LocateCard(ctx, card);
  if (loc < 1 || loc > kMaxTableaus) return false;
  if (!pileName.empty() && pileName.rfind("Dest", 0) != 0) return false;
  for (int k = 0; types && k < typeCount; ++k) {
    if (types[k] != kFoundationKind) types[k] = kStruckOut;
  }
  return true;
}

void FillTableausPhase(GameContext& ctx) {
  if (ctx.GameRules.FillTableausAfterFirstMove() != 1 || ctx.GameState.MovesMade() != 1) return;
  ctx.GameState.MovesMade() = 2;
  PlayToPile(ctx, 0, "Fill_Tableaus");
}

}  // namespace tw
