#include "table/view/selection.h"

#include <algorithm>

#include "core/cards.h"
#include "core/util.h"
#include "engine/autoplay.h"
#include "engine/build_rules.h"
#include "engine/executor.h"
#include "engine/legality.h"
#include "engine/newgame.h"
#include "engine/pairs.h"
#include "engine/pileops.h"
#include "table/view/animate.h"

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

Rect RectOf(const HitResult& h) { return Rect{h.Left, h.Top, h.Right, h.Bottom}; }

// The complete selection removed (and the tableau refilled) while input waits.
void PlaySelection(GameContext& ctx, bool refill) {
  {
    BusyInputGuard busy(ctx);
    PlayToPile(ctx, 0, "Selezionate_Dest");
    if (refill && ctx.GameState.ClosePending() != 1) PlayToPile(ctx, 0, "Selezionate_Fila");
  }
  EndDealIfWon(ctx);
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

void SelectionPress(GameContext& ctx, PlayView& view, const HitResult& h) {
  const int kind = ctx.GameRules.GameKind();
  const bool rowKind = kind == 8 || (kind >= 20 && kind <= 23);
  const bool onTableau = h.Pile.rfind("Fila", 0) == 0;
  if (!onTableau && !rowKind) return;
  if (h.Pile.rfind("Mazzo", 0) == 0) {
    BusyInputGuard busy(ctx);
    if (kind == 8) {
      PlayToPile(ctx, 0, "Stock_To_Pile_Monte_Carlo");
    } else {
      PlayToPile(ctx, 7, "Add_Tableaus");
    }
    return;
  }
  if (!onTableau || h.Card <= 0) return;
  const int card = h.Card;
  int pile = 0;
  ParsePileName(h.Pile, pile);

  if ((kind == 25 || kind == 26) && IsCardFaceDown(ctx, card)) {
    if (IsTopCard(ctx, card)) {
      BusyInputGuard busy(ctx);
      FaceUpTableauTop(ctx, card, pile);
    }
    return;
  }

  const Rect r = RectOf(h);
  if (InSelection(ctx, card)) {
    RemoveFromSelection(ctx, card);
    view.InvertCardRect(r);
    const std::vector<int> s = SelectedCards(ctx);
    if (!s.empty() && JudgeSelection(ctx, s, card, IsTopCard(ctx, card), PileWithBottom(ctx, s[0]),
                                     pile) == SelectionVerdict::Complete) {
      PlaySelection(ctx, kind != 8);
    }
    return;
  }
  ctx.DestPiles[0] += CardCodeText(card);
  const std::vector<int> s = SelectedCards(ctx);
  const SelectionVerdict v =
      JudgeSelection(ctx, s, card, IsTopCard(ctx, card), PileWithBottom(ctx, s[0]), pile);
  if (v == SelectionVerdict::Refused) {
    Beep(ctx, 0);
    RemoveFromSelection(ctx, card);
    return;
  }
  view.InvertCardRect(r);
  if (v == SelectionVerdict::Complete) PlaySelection(ctx, kind != 8);
}

void PairPress(GameContext& ctx, PlayView& view, const HitResult& h) {
  const int card = h.Card;
  if (card <= 0) return;
  const int kind = ctx.GameRules.GameKind();
  const Rect r = RectOf(h);
  if (InSelection(ctx, card)) {
    RemoveFromSelection(ctx, card);
    view.InvertCardRect(r);
    return;
  }
  if (PileCardCount(ctx.DestPiles[0]) >= 2) {
    Beep(ctx, 0);
    return;
  }
  ctx.DestPiles[0] += CardCodeText(card);
  view.InvertCardRect(r);
  int sum = 0;
  for (int c : SelectedCards(ctx)) sum += CardRank(c);
  if ((kind == 3 && sum == 14) || (kind == 4 && sum == 13)) {
    {
      BusyInputGuard busy(ctx);
      PlayToPile(ctx, 0, "Selezionate_Dest");
    }
    EndDealIfWon(ctx);
  }
}

}  // namespace tw
