#include "engine/redeal.h"

#include <algorithm>
#include <string>

#include "core/cards.h"
#include "core/table_port.h"
#include "engine/build_rules.h"
#include "engine/executor.h"
#include "engine/pileops.h"
#include "engine/ports.h"

namespace tw {

namespace {

// Pile kinds of the card counter.
constexpr int kStockKind = 1;
constexpr int kThirdSlotKind = 3;
constexpr int kTableauKind = 4;
constexpr int kFoundationKind = 5;

constexpr int kRunCards = 13;

int UsedTableaus(const GameContext& ctx) {
  return std::clamp<int>(ctx.GameRules.TableauCount(), 0, kMaxTableaus);
}

int UsedFoundations(const GameContext& ctx) {
  return std::clamp<int>(ctx.GameRules.FoundationCount(), 0, kMaxFoundations);
}

bool Animated(const GameContext& ctx) { return !ctx.CfgIs(cfg::Cards_Animate, "N"); }

void Redraw(GameContext& ctx, const std::string& pileName) {
  if (ViewPort* view = ViewOf(ctx)) view->RedrawPile(pileName);
}

void CounterStep(GameContext& ctx, int card, int from, int to) {
  CardCounterPort* counter = CounterOf(ctx);
  if (!counter || !counter->Visible()) return;
  counter->UpdateCard(card, from, 2, 0);
  counter->UpdateCard(card, to, 1, 1);
}

// One card flown between the stock and tableau pile i.
void Fly(GameContext& ctx, int card, int i, bool toStock) {
  ViewPort* view = ViewOf(ctx);
  if (!view || !Animated(ctx)) return;
  const int px = ctx.TableauX[static_cast<size_t>(i)];
  const int py = GetTableauY(ctx, i);
  const int sx = ctx.GetStockX(0);
  const int sy = ctx.GetStockY(0);
  if (toStock) {
    view->AnimateCardMove(card, px, py, sx, sy);
  } else {
    view->AnimateCardMove(card, sx, sy, px, py);
  }
}

bool IsRunFoundationCode(int code) { return code == 82 || code == 83; }

}  // namespace

std::vector<int> RemixRedealCards(std::vector<int> a) {
  std::vector<int> b;
  b.reserve(a.size());
  size_t k = a.size() / 2;
  while (!a.empty()) {
    if (k > a.size() - 1) k = 0;
    b.push_back(a[k]);
    a.erase(a.begin() + static_cast<std::ptrdiff_t>(k));
    k += b.size() % 2 == 0 ? 5 : 2;
  }
  return b;
}

void RedealTableau(GameContext& ctx) {
  const GameRulesRecord& rules = ctx.GameRules;
  const int n = UsedTableaus(ctx);
  if (n == 0) return;

  std::vector<int> gathered;
  for (int i = 0; i < n; ++i) {
    std::string& pile = ctx.FilaPiles[static_cast<size_t>(i)];
    for (int k = PileCardCount(pile) - 1; k >= 0; --k) {
      const int card = PileCardAt(pile, k);
      const std::string before = pile;
      pile.resize(static_cast<size_t>(k) * 3);
      if (card <= 0) continue;  // a hole
      // The place the card leaves shows the table again.
      if (ctx.Table) ctx.Table->EraseUncovered(i + 1, before, pile);
      Redraw(ctx, "Fila" + std::to_string(i + 1));
      Fly(ctx, card, i, true);
      CounterStep(ctx, card, kTableauKind, kStockKind);
      PlayEventSound(ctx, "Shuffle", cfg::Sounds_Shuffle);
      gathered.push_back(card);
    }
  }
  Redraw(ctx, "Mazzo");

  const std::vector<int> dealt = RemixRedealCards(std::move(gathered));
  const int cards = rules.TableauCards(0);
  const int mode = rules.TableauFaceMode(0);
  const bool allUp = mode == cards;
  int p = 0;
  for (int card : dealt) {
    AppendCardToList(ctx, ctx.FilaPiles, p, card, allUp ? "1" : "0");
    if (rules.TableauRedeal() != 1 ||
        PileCardCount(ctx.FilaPiles[static_cast<size_t>(p)]) >= cards) {
      ++p;
    }
    if (p >= n) p = 0;
  }
  // Other face modes turn cards up as the deal does (mode 1: the tops).
  if (!allUp) {
    for (int i = 0; i < n; ++i) SetPileFaces(ctx, ctx.FilaPiles[static_cast<size_t>(i)], mode, "1");
  }

  // The flights, pile by pile or level by level.
  auto deal = [&](int i, int level) {
    const int card = PileCardAt(ctx.FilaPiles[static_cast<size_t>(i)], level);
    Fly(ctx, card, i, false);
    CounterStep(ctx, card, kStockKind, kTableauKind);
    PlayEventSound(ctx, "Shuffle", cfg::Sounds_Shuffle);
  };
  int longest = 0;
  for (int i = 0; i < n; ++i) {
    longest = std::max(longest, PileCardCount(ctx.FilaPiles[static_cast<size_t>(i)]));
  }
  if (rules.BaseCardsPileMajor() != 0) {
    for (int i = 0; i < n; ++i) {
      for (int k = 0; k < PileCardCount(ctx.FilaPiles[static_cast<size_t>(i)]); ++k) deal(i, k);
    }
  } else {
    for (int k = 0; k < longest; ++k) {
      for (int i = 0; i < n; ++i) {
        if (k < PileCardCount(ctx.FilaPiles[static_cast<size_t>(i)])) deal(i, k);
      }
    }
  }
  Redraw(ctx, "Mazzo");
  for (int i = 0; i < n; ++i) Redraw(ctx, "Fila" + std::to_string(i + 1));
}

bool CheckKingRunToFoundation(GameContext& ctx, int i) {
  if (i < 0 || i >= UsedTableaus(ctx)) return false;
  std::string& pile = ctx.FilaPiles[static_cast<size_t>(i)];
  const int n = PileCardCount(pile);
  if (n < kRunCards) return false;
  int target = -1;
  for (int f = 0; f < UsedFoundations(ctx) && target < 0; ++f) {
    if (IsRunFoundationCode(ctx.GameRules.FoundationBase(f)) &&
        ctx.DestPiles[static_cast<size_t>(f)].empty()) {
      target = f;
    }
  }
  if (target < 0) return false;

  const int code = ctx.GameRules.FoundationBase(target);
  const int rule = ctx.GameRules.TableauRule(i);
  for (int e = 1; e <= kRunCards; ++e) {
    const int card = PileCardAt(pile, n - e);
    if (card <= 0 || !IsFaceUp(ctx, card) || CardRank(card) != e) return false;
    if (e == 1) continue;
    const int above = PileCardAt(pile, n - e + 1);
    const bool sameSuit = CardSuit(card) == CardSuit(above);
    if (code == 83 && !sameSuit) return false;
    if (code == 82 && rule == 3 && IsRedCard(card) == IsRedCard(above)) return false;
    if (code == 82 && rule == 0 && !sameSuit) return false;
  }
  const int ace = TopCard(pile);
  if (!CanStartFoundation(ctx, 82, ace)) return false;

  // Not on the table: the run goes to the discard instead.
  const bool placed = ctx.FoundationX[static_cast<size_t>(target)] >= kUnusedBelow;
  StringList& toList = placed ? ctx.DestPiles : ctx.MazzoPiles;
  const int toIndex = placed ? target : 2;
  const std::string toName = placed ? "Dest" + std::to_string(target + 1) : "Mazzo_Waste";
  const int toX = placed ? ctx.GetFoundationX(target) : ctx.GetStockX(2);
  const int toY = placed ? ctx.GetFoundationY(target) : ctx.GetStockY(2);
  ViewPort* view = ViewOf(ctx);
  for (int e = 1; e <= kRunCards; ++e) {
    const int card = TopCard(pile);
    // Off the pile with the place it leaves repaired, then shown.
    RemoveCardAndRedraw(ctx, card, true);
    Redraw(ctx, "Fila" + std::to_string(i + 1));
    AppendCardToList(ctx, toList, toIndex, card, "1");
    if (view && Animated(ctx)) {
      view->AnimateCardMove(card, ctx.TableauX[static_cast<size_t>(i)], GetTableauY(ctx, i), toX,
                            toY);
    }
    Redraw(ctx, toName);
    TellCounterMove(ctx, card, kTableauKind, placed ? kFoundationKind : kThirdSlotKind);
  }
  PlayEventSound(ctx, "Foundation.wav", cfg::Sounds_Foundation);
  return true;
}

bool MoveKingRunsToFoundations(GameContext& ctx) {
  bool any = false;
  for (int f = 0; f < UsedFoundations(ctx) && !any; ++f) {
    any = IsRunFoundationCode(ctx.GameRules.FoundationBase(f));
  }
  if (!any) return false;
  bool moved = false;
  for (int i = 0; i < UsedTableaus(ctx); ++i) moved = CheckKingRunToFoundation(ctx, i) || moved;
  return moved;
}

}  // namespace tw
