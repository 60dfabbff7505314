#include "engine/poker.h"

#include <algorithm>
#include <optional>

#include "core/cards.h"
#include "core/util.h"
#include "engine/autoplay.h"
#include "engine/executor.h"
#include "engine/ports.h"

namespace tw {

namespace {

constexpr int kFlashMs = 500;

int GridCard(const GameContext& ctx, int pile) {
  if (pile < 0 || pile >= static_cast<int>(ctx.FilaPiles.size())) return 0;
  const std::string& s = ctx.FilaPiles[static_cast<size_t>(pile)];
  return PileCardCount(s) > 0 ? PileCardAt(s, 0) : 0;
}

std::string PointsText(int points) { return std::to_string(points) + " points"; }

void ShowScore(GameContext& ctx, int score) {
  const std::string text = std::to_string(score);
  if (WindowPort* window = WindowOf(ctx)) window->ShowScore(text);
  ctx.SetCfg(cfg::Score, text);
}

}  // namespace

int RatePokerHand(const std::array<int, 5>& cards, std::string& name) {
  name.clear();
  std::array<int, 5> ranks{};
  bool oneSuit = true;
  for (size_t k = 0; k < cards.size(); ++k) {
    if (cards[k] < 1 || cards[k] > kCardCodes) return 0;
    ranks[k] = CardRank(cards[k]);
    oneSuit = oneSuit && CardSuit(cards[k]) == CardSuit(cards[0]);
  }
  std::sort(ranks.begin(), ranks.end());
  bool run = true;
  for (size_t k = 1; k < ranks.size(); ++k) run = run && ranks[k] == ranks[k - 1] + 1;
  const bool royal = ranks == std::array<int, 5>{1, 10, 11, 12, 13};

  // Cards per rank, largest group first.
  std::array<int, 14> perRank{};
  for (int r : ranks) ++perRank[static_cast<size_t>(r)];
  std::vector<int> groups;
  for (int n : perRank) {
    if (n > 0) groups.push_back(n);
  }
  std::sort(groups.rbegin(), groups.rend());
  const int most = groups[0];
  const int second = groups.size() > 1 ? groups[1] : 0;

  struct Hand {
    bool made;
    const char* name;
    int points;
  };
  const Hand hands[] = {
      {oneSuit && royal, "Royal Flush", 100},
      {oneSuit && run, "Straight Flush", 75},
      {oneSuit, "Flush", 20},
      {royal || run, "Straight", 15},
      {most >= 4, "Four of a Kind", 50},
      {most == 3 && second == 2, "Full House", 25},
      {most == 3, "Three of a Kind", 10},
      {most == 2 && second == 2, "Two Pair", 5},
      {most == 2, "One Pair", 2},
  };
  for (const Hand& h : hands) {
    if (h.made) {
      name = h.name;
      return h.points;
    }
  }
  return 0;
}

int RatePokerHand(int c1, int c2, int c3, int c4, int c5, std::string& name) {
  return RatePokerHand(std::array<int, 5>{c1, c2, c3, c4, c5}, name);
}

std::array<int, 5> PokerRowPiles(int r) {
  std::array<int, 5> piles{};
  for (int k = 0; k < kPokerGridSide; ++k) piles[static_cast<size_t>(k)] = r * kPokerGridSide + k;
  return piles;
}

std::array<int, 5> PokerColumnPiles(int c) {
  std::array<int, 5> piles{};
  for (int k = 0; k < kPokerGridSide; ++k) piles[static_cast<size_t>(k)] = c + k * kPokerGridSide;
  return piles;
}

PokerGridScore RatePokerGrid(const GameContext& ctx, int lastCard) {
  PokerGridScore score;
  for (int line = 0; line < 2 * kPokerGridSide; ++line) {
    const std::array<int, 5> piles =
        line < kPokerGridSide ? PokerRowPiles(line) : PokerColumnPiles(line - kPokerGridSide);
    std::array<int, 5> cards{};
    bool full = true;
    bool holdsLast = false;
    for (size_t k = 0; k < piles.size(); ++k) {
      cards[k] = GridCard(ctx, piles[k]);
      full = full && cards[k] > 0;
      holdsLast = holdsLast || (lastCard > 0 && cards[k] == lastCard);
    }
    if (!full) continue;
    PokerHand hand;
    hand.points = RatePokerHand(cards, hand.name);
    if (hand.points <= 0) continue;
    score.total += hand.points;
    if (holdsLast) {
      hand.piles = piles;
      score.completed.push_back(hand);
    }
  }
  return score;
}

void ScorePokerGrid(GameContext& ctx, int lastCard) {
  const PokerGridScore score = RatePokerGrid(ctx, lastCard);
  ViewPort* view = ViewOf(ctx);
  WindowPort* window = WindowOf(ctx);
  int made = 0;
  for (const PokerHand& hand : score.completed) made += hand.points;
  // The total climbs hand by hand, from what the grid held before the card.
  int running = score.total - made;
  for (const PokerHand& hand : score.completed) {
    running += hand.points;
    if (view) {
      view->DrawPokerPanelText(hand.name, PointsText(hand.points), "Total",
                               ": " + PointsText(running));
    }
    if (window) window->ShowScore(std::to_string(running));
    if (view) view->HighlightPokerHand(hand.piles);
    PlayEventSound(ctx, "Pairing", cfg::Sounds_Pairing);
    Delay(ctx, kFlashMs);
    if (view) view->HighlightPokerHand(hand.piles);
  }
  if (view) {
    view->DrawPokerPanelText(std::nullopt, std::nullopt, "Total", ": " + PointsText(score.total));
  }
  ShowScore(ctx, score.total);
  ctx.TfrmMain.GameWon = IsGameWon(ctx);
}

}  // namespace tw
