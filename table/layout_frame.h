// Frame values of one layout pass, shared by the placement styles and the
// table templates. Internal to the layout.
#pragma once

#include <algorithm>
#include <cstdint>

#include "table/layout.h"

namespace tw {

struct LayoutFrame {
  GameContext& ctx;
  const PileCodes& codes;
  const LayoutArea& area;
  const LayoutInput& in;

  int CW = 0, CH = 0;
  int W = 0;             // working width
  int m = 0;             // row margin
  int Row[7] = {};       // Row[1..6]
  int B = 0;             // usable bottom
  int LeftMargin = 0;
  int Gap = 0, FGap = 1;
  bool SmallScreen = false;  // screen height below 500

  char StockRow = ' ', FoundationRow = ' ', TableauRow = ' ', ReserveRow = ' ', TalonRow = ' ';
  int StockStyle = -1, FoundationStyle = -1, TableauStyle = -1, ReserveStyle = -1,
      TalonStyle = -1;

  LayoutFrame(GameContext& c, const PileCodes& p, const LayoutArea& a, const LayoutInput& i)
      : ctx(c), codes(p), area(a), in(i) {}

  // Row line of a row digit; digits without a line of their own take the
  // nearest one (0 -> Row 1, 7..9 -> Row 6).
  int RowOf(char digit) const {
    int d = (digit >= '0' && digit <= '9') ? digit - '0' : 1;
    return Row[std::clamp(d, 1, 6)];
  }
  // Row lines 1..4 stacked down, continued below Row 4 at the same pitch.
  int StackedRow(int k) const {
    if (k <= 4) return Row[std::max(k, 1)];
    return Row[4] + (k - 4) * (m + CH);
  }
  // Lines of three or four card rows centred between the area top and B,
  // continued below at the same pitch.
  int Centre(int rows, int line) const {
    int first = area.Top + Nearest((B - area.Top - (rows * CH + (rows - 1) * 10)) / 2.0);
    first = std::max(first, area.Top + 2);
    return first + (line - 1) * (CH + 10);
  }
  int Centre3(int line) const { return Centre(3, line); }
  int Centre4(int line) const { return Centre(4, line); }
  // First row of a block of height h centred between the area top and B.
  int Block(int h, int atLeast) const {
    return std::max(atLeast, area.Top + Nearest((B - area.Top - h) / 2.0));
  }

  static int16_t Clip(int v) {
    return static_cast<int16_t>(std::clamp(v, -32768, 32767));
  }
  // 1-based pile numbers, as the templates count them.
  void T(int i, int x, int y) { TX(i, x); TY(i, y); }
  void TX(int i, int x) { ctx.TableauX[static_cast<size_t>(i - 1)] = Clip(x); }
  void TY(int i, int y) { ctx.TableauY[static_cast<size_t>(i - 1)] = Clip(y); }
  int Tx(int i) const { return ctx.TableauX[static_cast<size_t>(i - 1)]; }
  int Ty(int i) const { return ctx.TableauY[static_cast<size_t>(i - 1)]; }
  void F(int i, int x, int y) {
    ctx.FoundationX[static_cast<size_t>(i - 1)] = Clip(x);
    ctx.FoundationY[static_cast<size_t>(i - 1)] = Clip(y);
  }
  int Fx(int i) const { return ctx.FoundationX[static_cast<size_t>(i - 1)]; }
  int Fy(int i) const { return ctx.FoundationY[static_cast<size_t>(i - 1)]; }
  void R(int i, int x, int y) {
    ctx.ReserveX[static_cast<size_t>(i - 1)] = Clip(x);
    ctx.ReserveY[static_cast<size_t>(i - 1)] = Clip(y);
  }
  int Rx(int i) const { return ctx.ReserveX[static_cast<size_t>(i - 1)]; }
  // Stock-area slots 0 (stock), 1 (waste), 2 (talon).
  void S(int slot, int x, int y) {
    ctx.StockX[static_cast<size_t>(slot)] = Clip(x);
    ctx.StockY[static_cast<size_t>(slot)] = Clip(y);
  }
  void Hide(int slot) { ctx.StockX[static_cast<size_t>(slot)] = kUnusedStock; }
  int Sx(int slot) const { return ctx.StockX[static_cast<size_t>(slot)]; }
  int Sy(int slot) const { return ctx.StockY[static_cast<size_t>(slot)]; }
};

// Places every pile of a template game.
void PlaceTemplate(LayoutFrame& f, int style);

}  // namespace tw
