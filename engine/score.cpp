#include "engine/score.h"

#include <cstdint>
#include <string>

#include "core/cards.h"
#include "core/util.h"
#include "engine/poker.h"
#include "engine/ports.h"

namespace tw {

namespace {

void ShowAndStore(GameContext& ctx, int64_t score) {
  const std::string text = std::to_string(score);
  if (WindowPort* window = WindowOf(ctx)) window->ShowScore(text);
  ctx.SetCfg(cfg::Score, text);
}

}  // namespace

void AddScore(GameContext& ctx, int cards, bool reset) {
  if (ctx.GameRules.GameKind() == 9) return;
  int64_t score = 0;
  if (!ParseInt(ctx.Cfg(cfg::Score), score)) score = 0;
  if (ctx.CfgIs(cfg::ScoreKind, "01")) {
    score = reset ? -static_cast<int64_t>(ctx.GameRules.CardCount()) : score + 5 * int64_t{cards};
  }
  ShowAndStore(ctx, score);
}

int64_t MoneyScore(const GameContext& ctx) {
  int64_t cards = ctx.GameRules.ScoreCardsAtDeal();
  if (ctx.MazzoPiles.size() > 2) cards += PileCardCount(ctx.MazzoPiles[2]);
  const int n = ctx.GameRules.FoundationCount();
  for (int i = 0; i < n && i < static_cast<int>(ctx.DestPiles.size()); ++i) {
    cards += PileCardCount(ctx.DestPiles[static_cast<size_t>(i)]);
  }
  return 5 * cards - ctx.GameRules.CardCount();
}

void RecalcScore(GameContext& ctx) {
  if (ctx.GameRules.GameKind() == 9) {
    ScorePokerGrid(ctx, -1);
    return;
  }
  if (ctx.CfgIs(cfg::ScoreKind, "01")) ShowAndStore(ctx, MoneyScore(ctx));
  if (ctx.GameRules.GameKind() == 10) {
    if (ViewPort* view = ViewOf(ctx)) view->DrawFoundationHints();
  }
}

}  // namespace tw
