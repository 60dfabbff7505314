#include "ui/game_start.h"

#include "core/gamesfile.h"
#include "core/util.h"
#include "table/view/setup.h"

namespace tw {

std::string DealNumberText(const std::string& deal) {
  if (deal.empty() || deal.size() > 13 || !IsAllDigits(deal)) return "";
  return std::string(13 - deal.size(), '0') + deal;
}

bool SelectGame(GameContext& ctx, int game) {
  const std::string name = GameNameFromNumber(ctx, game);
  if (name.empty()) return false;
  ctx.SetCfg(cfg::Game, IntToStrPad(game, 4));
  ctx.SetCfg(cfg::Game_name, name);
  return true;
}

bool StartDeal(GameContext& ctx, PlayView& play, const std::string& deal, bool animate) {
  int mode = 2;
  if (!deal.empty()) {
    const std::string number = DealNumberText(deal);
    if (number.empty()) return false;
    ctx.SetCfg(cfg::DealNumber, number);
    mode = 1;
  }
  return NewGame(ctx, play, true, animate, mode, false);
}

}  // namespace tw
