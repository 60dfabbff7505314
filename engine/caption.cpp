#include "engine/caption.h"

#include "engine/ports.h"

namespace tw {

std::string MainCaptionText(const GameContext& ctx) {
  std::string caption =
      "Tarnwell 2000 [" + ctx.Cfg(cfg::Game_name) + "]  [" + ctx.Cfg(cfg::UserDefault) + "]";
  const std::string deal = ctx.Cfg(cfg::DealNumber);
  if (!deal.empty()) caption += "  [" + deal + "]";
  return caption;
}

void UpdateMainCaption(GameContext& ctx) {
  WindowPort* window = WindowOf(ctx);
  if (!window) return;
  const std::string caption = MainCaptionText(ctx);
  if (window->Caption() != caption) window->SetCaption(caption);
}

}  // namespace tw
