// A context with a card size and a window of a given size, for layout and
// hit tests that pass plain numbers.
#pragma once

#include <string>

#include "core/state.h"
#include "table/geometry.h"
#include "table/layout.h"

namespace tw::testing {

// A window whose table area is areaWidth wide (a 16-pixel scroll bar beside
// it), formHeight high with a 28-pixel frame, and no panels (area top 5).
inline LayoutInput Window(int areaWidth, int formHeight, int screenWidth = 0,
                          int screenHeight = 0, int shadow = 0) {
  LayoutInput in;
  in.FormWidth = areaWidth + 16;
  in.ScrollBarWidth = 16;
  in.FormHeight = formHeight;
  in.ClientHeight = formHeight - 28;
  in.ScreenWidth = screenWidth ? screenWidth : areaWidth;
  in.ScreenHeight = screenHeight ? screenHeight : formHeight;
  in.ShadowOffset = shadow;
  return in;
}

inline void UseCardSize(GameContext& ctx, const char* letter) {
  ctx.SetCfg(cfg::Card_Size, letter);
  SetCardSize(ctx);
}

// Layout words of the rules from placement codes ("2014" -> row 2, style 14).
inline void SetCodes(GameRulesRecord& g, const PileCodes& c) {
  auto put = [](const std::string& code, int16_t& row, int16_t& style) {
    row = static_cast<int16_t>(code.empty() ? 0 : code[0] - '0');
    style = static_cast<int16_t>(code.size() < 4 ? 0 : std::stoi(code.substr(1, 3)));
  };
  put(c.Stock, g.StockRow(), g.StockStyle());
  put(c.Foundation, g.FoundationRow(), g.FoundationStyle());
  put(c.Tableau, g.TableauRow(), g.TableauStyle());
  put(c.Reserve, g.ReserveRow(), g.ReserveStyle());
  put(c.Talon, g.TalonRow(), g.TalonStyle());
  g.StockCount() = static_cast<int16_t>(c.StockCount);
  g.FoundationCount() = static_cast<int16_t>(c.FoundationCount);
  g.TableauCount() = static_cast<int16_t>(c.TableauCount);
  g.ReserveCount() = static_cast<int16_t>(c.ReserveCount);
  g.TalonCount() = static_cast<int16_t>(c.TalonCount);
}

// Sets up card size, fan steps and the layout for the current rules.
inline int LayOut(GameContext& ctx, const LayoutInput& in, const char* size) {
  UseCardSize(ctx, size);
  SetFanSteps(ctx);
  ResetPilePositions(ctx);
  return ComputeLayout(ctx, in);
}

// The same with the placement rules alone, before the table is gathered and
// centred.
inline int PlaceByRules(GameContext& ctx, const LayoutInput& in, const char* size) {
  UseCardSize(ctx, size);
  SetFanSteps(ctx);
  ResetPilePositions(ctx);
  return CalcPilePositions(ctx, PileCodesFromRules(ctx.GameRules), LayoutAreaFromInput(in), in);
}

}  // namespace tw::testing
