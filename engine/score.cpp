#include "engine/score.h"

#include <cstdint>
#include <string>

#include "core/util.h"
#include "engine/ports.h"

namespace tw {

void AddScore(GameContext& ctx, int cards, bool reset) {
  if (ctx.GameRules.GameKind() == 9) return;
  int64_t score = 0;
  if (!ParseInt(ctx.Cfg(cfg::Score), score)) score = 0;
  if (ctx.CfgIs(cfg::ScoreKind, "01")) {
    score = reset ? -static_cast<int64_t>(ctx.GameRules.CardCount()) : score + 5 * int64_t{cards};
  }
  const std::string text = std::to_string(score);
  if (WindowPort* window = WindowOf(ctx)) window->ShowScore(text);
  ctx.SetCfg(cfg::Score, text);
}

}  // namespace tw
