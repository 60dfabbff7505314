#include "engine/pairs.h"

#include <algorithm>
#include <vector>

#include "core/cards.h"
#include "core/util.h"
#include "engine/autoplay.h"
#include "engine/executor.h"
#include "engine/newgame.h"
#include "engine/pileops.h"
#include "engine/ports.h"
#include "engine/undo.h"

namespace tw {

namespace {

// LocateCard codes of the stock and the waste.
constexpr int kStockLocation = -99;
constexpr int kWasteLocation = -98;

// Pile kinds of the card counter.
constexpr int kStockKind = 1;
constexpr int kThirdSlotKind = 3;
constexpr int kTableauKind = 4;

int UsedTableaus(const GameContext& ctx) {
  return std::clamp<int>(ctx.GameRules.TableauCount(), 0, kMaxTableaus);
}

bool Animated(const GameContext& ctx) { return !ctx.CfgIs(cfg::Cards_Animate, "N"); }

void Redraw(GameContext& ctx, const std::string& pileName) {
  if (ViewPort* view = ViewOf(ctx)) view->RedrawPile(pileName);
}

std::string TableauName(int i) { return "Fila" + std::to_string(i + 1); }

// The counter's pile kind and the executor's pile name of a LocateCard code.
int CounterKind(int location) {
  if (location == kStockLocation) return 1;
  if (location == kWasteLocation) return 2;
  if (location >= 1) return 4;
  if (location <= -21) return 6;
  return 5;
}

std::string LocationName(int location) {
  if (location == kStockLocation) return "Mazzo";
  if (location == kWasteLocation) return "Mazzo_Vis";
  if (location >= 1) return "Fila" + std::to_string(location);
  if (location <= -21) return "Appogg" + std::to_string(-location - 20);
  return "Dest" + std::to_string(-location);
}

void LocationPosition(const GameContext& ctx, int location, int& x, int& y) {
  if (location == kStockLocation || location == kWasteLocation) {
    const int slot = location == kStockLocation ? 0 : 1;
    x = ctx.GetStockX(slot);
    y = ctx.GetStockY(slot);
  } else if (location >= 1) {
    x = ctx.TableauX[static_cast<size_t>(location - 1)];
    y = GetTableauY(ctx, location - 1);
  } else if (location <= -21) {
    x = ctx.GetReserveX(-location - 21);
    y = ctx.GetReserveY(-location - 21);
  } else {
    x = ctx.GetFoundationX(-location - 1);
    y = ctx.GetFoundationY(-location - 1);
  }
}

// Cuts the card out of the single-row string together with the hole that
// stands before it.
void DeleteRowCell(std::string& row, int card) {
  for (size_t at = 0; at + 3 <= row.size(); at += 3) {
    if (PileCardAt(row.substr(at, 3), 0) != card) continue;
    row.erase(at, 3);
    if (at >= 3 && row.compare(at - 3, 3, "000") == 0) row.erase(at - 3, 3);
    return;
  }
}

// The stock's top card face up onto tableau pile i.
void DealStockTopTo(GameContext& ctx, int i) {
  std::string& stock = ctx.MazzoPiles[0];
  const int card = TopCard(stock);
  stock.resize(stock.size() - 3);
  AppendCardToList(ctx, ctx.FilaPiles, i, card, "1");
  Redraw(ctx, "Mazzo");
  ViewPort* view = ViewOf(ctx);
  if (view && Animated(ctx)) {
    view->AnimateCardMove(card, ctx.GetStockX(0), ctx.GetStockY(0),
                          ctx.TableauX[static_cast<size_t>(i)], GetTableauY(ctx, i));
  }
  Redraw(ctx, TableauName(i));
  TellCounterMove(ctx, card, kStockKind, kTableauKind);
  PlayEventSound(ctx, "Shuffle", cfg::Sounds_Shuffle);
}

}  // namespace

bool IsAllZeroText(const std::string& text) {
  return text.find_first_not_of('0') == std::string::npos;
}

bool IsCardUncovered(const GameContext& ctx, int card) {
  const int n = std::clamp<int>(ctx.GameRules.TableauCount(), 0, kMaxTableaus);
  bool laterCleared = true;
  for (int r = n - 1; r >= 0; --r) {
    const std::string& row = ctx.FilaPiles[static_cast<size_t>(r)];
    for (int j = 0; j < PileCardCount(row); ++j) {
      if (PileCardAt(row, j) != card) continue;
      if (laterCleared || r + 1 >= n) return true;
      const std::string& next = ctx.FilaPiles[static_cast<size_t>(r + 1)];
      return PileCardAt(next, j) == 0 && PileCardAt(next, j + 1) == 0;
    }
    if (row.find_first_not_of('0') != std::string::npos) laterCleared = false;
  }
  return false;
}

bool IsPairTarget(const std::string& pileName) {
  return pileName == "Selezionate_Dest" || pileName == "Selezionate_Fila" ||
         pileName == "Stock_To_Pile_Monte_Carlo";
}

bool PlayPairTarget(GameContext& ctx, const std::string& pileName) {
  if (pileName == "Selezionate_Dest") return RemoveSelection(ctx);
  if (pileName == "Selezionate_Fila") return RefillEmptyTableaus(ctx);
  if (pileName == "Stock_To_Pile_Monte_Carlo") return CloseGridGaps(ctx);
  return false;
}

bool RemoveSelection(GameContext& ctx) {
  std::string& selection = ctx.DestPiles[0];
  const std::vector<int> picked = [&] {
    std::vector<int> cards;
    for (int k = 0; k < PileCardCount(selection); ++k) cards.push_back(PileCardAt(selection, k));
    return cards;
  }();
  const bool hadSelection = !selection.empty();
  // Off foundation 1 first: the selection holds copies of cards that lie on
  // their own piles, and the pile searches look at the foundations early.
  selection.clear();
  std::vector<int> cards;
  for (int c : picked) {
    if (c < 1 || c > kCardCodes) continue;
    if (std::find(cards.begin(), cards.end(), c) != cards.end()) continue;
    if (LocateCard(ctx, c) == 0) continue;  // gone from the table (or on the discard)
    cards.push_back(c);
  }
  ViewPort* view = ViewOf(ctx);
  if (cards.empty()) {
    if (hadSelection && view) view->RedrawTable();
    return false;
  }

  PlayEventSound(ctx, "Pairing", cfg::Sounds_Pairing);
  const int layout = ctx.GameRules.TableauLayout();
  const bool rowLayout = layout == 8;
  PushUndoState(ctx, true, true);
  Delay(ctx, 150);

  for (int c : cards) {
    const int location = LocateCard(ctx, c);
    int fromX = 0, fromY = 0;
    LocationPosition(ctx, location, fromX, fromY);
    if (rowLayout && location == 1) {
      DeleteRowCell(ctx.FilaPiles[0], c);
    } else if (layout == 4 && location >= 1) {
      // Holes keep the rows aligned; other piles would never count as empty.
      BlankCard(ctx, c);
    } else {
      TakeCard(ctx, c);
    }
    // A card taken out of a fan or a pyramid uncovers parts of the cards
    // around it: the table is drawn again without it before it flies.
    if (!rowLayout || location != 1) {
      if (view && location >= 1) {
        view->RedrawTable();
      } else {
        Redraw(ctx, LocationName(location));
      }
    }
    AppendCardToList(ctx, ctx.MazzoPiles, 2, c, "1");
    if (view && Animated(ctx)) {
      view->AnimateCardMove(c, fromX, fromY, ctx.GetStockX(2), ctx.GetStockY(2));
    }
    Redraw(ctx, "Mazzo_Waste");
    TellCounterMove(ctx, c, CounterKind(location), kThirdSlotKind);
  }
  // The row closes up over the removed cells.
  if (rowLayout && view) view->RedrawTable();
  ctx.TfrmMain.GameWon = IsGameWon(ctx);
  return true;
}

bool RefillEmptyTableaus(GameContext& ctx) {
  bool moved = false;
  for (int i = 0; i < UsedTableaus(ctx) && !ctx.MazzoPiles[0].empty(); ++i) {
    if (!ctx.FilaPiles[static_cast<size_t>(i)].empty()) continue;
    DealStockTopTo(ctx, i);
    RefreshClock(ctx);
    moved = true;
  }
  if (moved) ctx.TfrmMain.GameWon = IsGameWon(ctx);
  return moved;
}

bool CloseGridGaps(GameContext& ctx) {
  const int n = UsedTableaus(ctx);
  bool anyEmpty = false, gapBeforeCard = false;
  for (int i = 0; i < n; ++i) {
    if (ctx.FilaPiles[static_cast<size_t>(i)].empty()) {
      anyEmpty = true;
    } else if (anyEmpty) {
      gapBeforeCard = true;
    }
  }
  // Empty piles at the end only count while the stock can fill them.
  const bool gaps = ctx.MazzoPiles[0].empty() ? gapBeforeCard : anyEmpty;
  if (!gaps) return false;

  ViewPort* view = ViewOf(ctx);
  if (view) view->RedrawTable();
  ctx.DestPiles[0].clear();
  for (int i = 0; i < n; ++i) {
    std::string& gap = ctx.FilaPiles[static_cast<size_t>(i)];
    if (!gap.empty()) continue;
    int j = i + 1;
    while (j < n && ctx.FilaPiles[static_cast<size_t>(j)].empty()) ++j;
    if (j >= n) break;
    std::string& from = ctx.FilaPiles[static_cast<size_t>(j)];
    Redraw(ctx, TableauName(j));
    if (view && Animated(ctx)) {
      view->AnimateCardMove(TopCard(from), ctx.TableauX[static_cast<size_t>(j)],
                            GetTableauY(ctx, j), ctx.TableauX[static_cast<size_t>(i)],
                            GetTableauY(ctx, i));
    }
    PlayEventSound(ctx, "Shuffle", cfg::Sounds_Tableau);
    gap.swap(from);
    Redraw(ctx, TableauName(i));
    Redraw(ctx, TableauName(j));
  }
  RefillEmptyTableaus(ctx);
  ctx.TfrmMain.GameWon = IsGameWon(ctx);
  return true;
}

}  // namespace tw
