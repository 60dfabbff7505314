#include "engine/hints.h"

#include "core/cards.h"
#include "engine/legality.h"

namespace tw {

int FoundationHintRank(const GameContext& ctx, int i) {
  if (i < 0 || i >= kHintFoundations || i >= static_cast<int>(ctx.DestPiles.size())) return 0;
  const std::string& pile = ctx.DestPiles[static_cast<size_t>(i)];
  const int count = PileCardCount(pile);
  if (count == 0 || count >= ctx.GameRules.FoundationMaxCards()) return 0;
  const int top = CardRank(TopCard(pile));
  if (top < 1 || top > 13) return 0;
  const int next = top + i + 1;
  return next > 13 ? next - 13 : next;
}

std::string FoundationHintText(const GameContext& ctx, int i) {
  const int rank = FoundationHintRank(ctx, i);
  return rank == 0 ? std::string() : RankText(rank);
}

std::string BatchCounterText(const GameContext& ctx) {
  bool atBoundary = false;
  const int remaining = BatchRemaining(ctx, atBoundary);
  return std::to_string(kBatchSize - remaining) + "/" + std::to_string(kBatchSize);
}

}  // namespace tw
