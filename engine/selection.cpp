#include "engine/selection.h"

#include <algorithm>
#include <string>

#include "core/cards.h"
#include "core/util.h"
#include "engine/build_rules.h"
#include "engine/executor.h"
#include "engine/legality.h"
#include "engine/pairs.h"
#include "engine/pileops.h"

namespace tw {

namespace {

bool IsJQK(int rank) { return rank >= 11 && rank <= 13; }

int CountRank(const std::vector<int>& ranks, int rank) {
  return static_cast<int>(std::count(ranks.begin(), ranks.end(), rank));
}

// Sum with Jack, Queen and King counted as ten.
int TenSum(const std::vector<int>& ranks) {
  int sum = 0;
  for (int r : ranks) sum += std::min(r, 10);
  return sum;
}

int Sum(const std::vector<int>& ranks) {
  int sum = 0;
  for (int r : ranks) sum += r;
  return sum;
}

// Number cards up to `highest` and the court ranks above it never mixed;
// each court rank at most once; at most two number cards.
bool NumbersOrCourts(const std::vector<int>& ranks, int highest) {
  int numbers = 0, courts = 0;
  for (int r : ranks) (r <= highest ? numbers : courts) += 1;
  if (numbers > 0 && courts > 0) return false;
  for (int r = highest + 1; r <= 13; ++r) {
    if (CountRank(ranks, r) > 1) return false;
  }
  return numbers <= 2;
}

bool OneOfEachCourt(const std::vector<int>& ranks, int from) {
  if (static_cast<int>(ranks.size()) != 14 - from) return false;
  for (int r = from; r <= 13; ++r) {
    if (CountRank(ranks, r) != 1) return false;
  }
  return true;
}

void RemoveFromSelection(GameContext& ctx, int card) {
  std::string& sel = ctx.DestPiles[0];
  for (size_t at = 0; at + 3 <= sel.size(); at += 3) {
    if (std::atoi(sel.substr(at, 3).c_str()) == card) {
      sel.erase(at, 3);
      return;
    }
  }
}

bool InSelection(const GameContext& ctx, int card) {
  const std::vector<int> s = SelectedCards(ctx);
  return std::find(s.begin(), s.end(), card) != s.end();
}

int PileWithBottom(const GameContext& ctx, int card) {
  const int n = std::clamp<int>(ctx.GameRules.TableauCount(), 0, kMaxTableaus);
  for (int i = 0; i < n; ++i) {
    if (PileCardAt(ctx.FilaPiles[static_cast<size_t>(i)], 0) == card) return i;
  }
  return -1;
}

// The 0-based tableau pile that holds the card, -1 when none does.
int TableauPileOf(const GameContext& ctx, int card) {
  const int n = std::clamp<int>(ctx.GameRules.TableauCount(), 0, kMaxTableaus);
  for (int i = 0; i < n; ++i) {
    const std::string& pile = ctx.FilaPiles[static_cast<size_t>(i)];
    for (int k = 0; k < PileCardCount(pile); ++k) {
      if (PileCardAt(pile, k) == card) return i;
    }
  }
  return -1;
}

// Kinds 3 and 4: at most two cards, complete at 14 (kind 3) or 13 (kind 4).
SelectionClick ClickPairCard(GameContext& ctx, int card, int pile) {
  const int kind = ctx.GameRules.GameKind();
  if (pile >= 0) {
    if (kind == 3 && !IsTopCard(ctx, card)) return SelectionClick::Ignored;
    if (kind == 4 && !IsCardUncovered(ctx, card)) return SelectionClick::Ignored;
  } else if (kind != 4) {
    return SelectionClick::Ignored;
  } else if (card == TopCard(ctx.MazzoPiles[1])) {
  } else if (card != TopCard(ctx.MazzoPiles[0]) || ctx.DestPiles[0].empty()) {
    // With nothing selected a click on the stock turns its card over.
    return SelectionClick::Ignored;
  }
  if (InSelection(ctx, card)) {
    RemoveFromSelection(ctx, card);
    return SelectionClick::Deselected;
  }
  if (PileCardCount(ctx.DestPiles[0]) >= 2) return SelectionClick::Refused;
  ctx.DestPiles[0] += CardCodeText(card);
  int sum = 0;
  for (int c : SelectedCards(ctx)) sum += CardRank(c);
  const bool complete = (kind == 3 && sum == 14) || (kind == 4 && sum == 13);
  return complete ? SelectionClick::Complete : SelectionClick::Selected;
}

}  // namespace

std::vector<int> SelectedCards(const GameContext& ctx) {
  std::vector<int> cards;
  const std::string& sel = ctx.DestPiles[0];
  for (int k = 0; k < PileCardCount(sel); ++k) cards.push_back(PileCardAt(sel, k));
  return cards;
}

SelectionVerdict JudgeSelection(const GameContext& ctx, const std::vector<int>& selection,
                                int clicked, bool clickedIsTop, int firstPile, int clickedPile) {
  const int kind = ctx.GameRules.GameKind();
  const int target = ctx.GameRules.SelectionFoundation();
  std::vector<int> ranks;
  for (int c : selection) ranks.push_back(CardRank(c));
  const int n = static_cast<int>(ranks.size());
  using V = SelectionVerdict;
  auto judged = [](bool accepted, bool complete) {
    return !accepted ? V::Refused : complete ? V::Complete : V::Accepted;
  };
  auto pairOfRank = [&](bool accepted) {
    accepted = accepted && n <= 2 && (n < 2 || ranks[0] == ranks[1]);
    return judged(accepted, n == 2);
  };

  switch (kind) {
    case 8:
      return pairOfRank(n < 2 || IsGridNeighbour(firstPile, clickedPile));
    case 20:
      return judged(true, RowRunOnFoundation(ctx) && n >= 2 &&
                              (TenSum(ranks) == 10 || TenSum(ranks) == 20 || TenSum(ranks) == 30));
    case 21:
    case 22: {
      bool accepted = RowRunOnFoundation(ctx) && n <= 2;
      // Only the Queen and King of hearts of the first deck are barred.
      if (kind == 22 && (clicked == 12 || clicked == 13)) accepted = false;
      return judged(accepted, RowRunOnFoundation(ctx) && RowEndsMatch(ctx));
    }
    case 23: {
      const bool run = RowRunOnFoundation(ctx);
      return judged(run, run && Sum(ranks) >= 1 && Sum(ranks) % 7 == 0);
    }
    case 25:
      return pairOfRank(true);
    case 14:
    case 16:
      return pairOfRank(clickedIsTop);
    case 26:
    case 17: {
      bool accepted = NumbersOrCourts(ranks, 10) && (kind == 17 || n <= 3);
      const bool numbers = n == 2 && ranks[0] <= 10 && ranks[1] <= 10 && Sum(ranks) == 11;
      return judged(accepted, numbers || OneOfEachCourt(ranks, 11));
    }
    case 24: {
      const bool accepted = NumbersOrCourts(ranks, 9);
      const bool numbers = n >= 1 && n <= 2 && ranks[0] <= 9 && Sum(ranks) == 9;
      return judged(accepted, numbers || OneOfEachCourt(ranks, 10));
    }
    case 1: {
      int numbers = 0, high = 0;
      for (int r : ranks) (r <= 9 ? numbers : high) += 1;
      bool accepted = numbers == 0 || high == 0;
      if (high > 0) {
        for (int r : ranks) accepted = accepted && r == ranks[0];
      }
      if (target == 10 && numbers > 2) accepted = false;
      bool complete = false;
      if (high == 4 && accepted) complete = true;
      if (high == 0 && target == 15 && Sum(ranks) == 15) complete = true;
      if (high == 0 && target == 10 && n == 2 && Sum(ranks) == 10) complete = true;
      return judged(accepted, complete);
    }
    case 18: {
      int courts = 0, others = 0;
      for (int r : ranks) (IsJQK(r) ? courts : others) += 1;
      std::string codes;
      for (int c : selection) codes += CardCodeText(c);
      bool accepted = n <= 4 && courts <= 1 && others <= 3 && NoDuplicateRanks(codes);
      if (CountRank(ranks, 1) > 0 && n > 1) accepted = false;
      bool complete = n == 1 && ranks[0] == 1;
      if (n == 4 && courts == 1) {
        int sum = 0;
        bool numbers = true;
        for (int r : ranks) {
          if (IsJQK(r)) continue;
          numbers = numbers && r >= 2 && r <= 10;
          sum += r;
        }
        complete = numbers && sum == 18;
      }
      return judged(accepted, complete);
    }
    case 7:
      return judged(n <= 2, Sum(ranks) == target);
    default:
      return judged(true, Sum(ranks) == target);
  }
}

SelectionClick ClickSelectionCard(GameContext& ctx, int card) {
  if (card < 1 || card > kCardCodes) return SelectionClick::Ignored;
  const int kind = ctx.GameRules.GameKind();
  const int pile = TableauPileOf(ctx, card);
  if (ctx.GameRules.SelectionFoundation() == 0) {
    if (kind != 3 && kind != 4) return SelectionClick::Ignored;
    return ClickPairCard(ctx, card, pile);
  }
  if (pile < 0) return SelectionClick::Ignored;
  // A face-down card of these kinds is turned over, not selected.
  if ((kind == 25 || kind == 26) && !IsFaceUp(ctx, card)) return SelectionClick::Ignored;
  if (InSelection(ctx, card)) {
    RemoveFromSelection(ctx, card);
    const std::vector<int> s = SelectedCards(ctx);
    if (!s.empty() && JudgeSelection(ctx, s, card, IsTopCard(ctx, card), PileWithBottom(ctx, s[0]),
                                     pile) == SelectionVerdict::Complete) {
      return SelectionClick::Complete;
    }
    return SelectionClick::Deselected;
  }
  ctx.DestPiles[0] += CardCodeText(card);
  const std::vector<int> s = SelectedCards(ctx);
  const SelectionVerdict v =
      JudgeSelection(ctx, s, card, IsTopCard(ctx, card), PileWithBottom(ctx, s[0]), pile);
  if (v == SelectionVerdict::Refused) {
    RemoveFromSelection(ctx, card);
    return SelectionClick::Refused;
  }
  return v == SelectionVerdict::Complete ? SelectionClick::Complete : SelectionClick::Selected;
}

bool PlayCompleteSelection(GameContext& ctx) {
  const bool moved = PlayToPile(ctx, 0, "Selezionate_Dest");
  // Grids close their gaps on a stock click; the pair games do not refill.
  const bool refill = ctx.GameRules.SelectionFoundation() != 0 && ctx.GameRules.GameKind() != 8;
  if (moved && refill && ctx.GameState.ClosePending() != 1) {
    PlayToPile(ctx, 0, "Selezionate_Fila");
  }
  return moved;
}

bool ClicksCompleteSelection(GameContext& ctx, const std::vector<int>& cards) {
  ctx.DestPiles[0].clear();
  for (size_t k = 0; k < cards.size(); ++k) {
    const SelectionClick want =
        k + 1 == cards.size() ? SelectionClick::Complete : SelectionClick::Selected;
    if (ClickSelectionCard(ctx, cards[k]) != want) {
      ctx.DestPiles[0].clear();
      return false;
    }
  }
  return !cards.empty();
}

std::vector<int> ClickOrder(GameContext& ctx, const std::vector<int>& cards) {
  const std::string kept = ctx.DestPiles[0];
  std::vector<int> order = cards;
  bool found = ClicksCompleteSelection(ctx, order);
  if (!found && cards.size() <= 5) {
    std::sort(order.begin(), order.end());
    do {
      found = order != cards && ClicksCompleteSelection(ctx, order);
    } while (!found && std::next_permutation(order.begin(), order.end()));
  }
  ctx.DestPiles[0] = kept;
  if (!found) order.clear();
  return order;
}

}  // namespace tw
