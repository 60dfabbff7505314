// Fixed table templates: games whose table is a grid, a cross, a staircase
// or columns at fixed places.
#include <algorithm>

#include "table/layout_frame.h"

namespace tw {

namespace {

struct Ladder {
  int x0, d;
};

// Grid X and the stock distance: the distance shrinks 70 -> 35 -> 15 on
// narrow tables, and when even 15 does not fit the grid moves right.
Ladder StockLadder(const LayoutFrame& f, int columns, int cellGap, int testGap) {
  int x0 = Nearest((f.W - columns * (f.CW + cellGap)) / 2.0);
  int d = 70;
  if (x0 - f.CW - 70 - testGap < 0) d = 35;
  if (x0 - f.CW - 35 - testGap < 0) d = 15;
  if (x0 - f.CW - 15 - testGap < 0) x0 = f.CW + 15 + f.LeftMargin;
  return {x0, d};
}

// Tableau piles first..first+count-1 in rows of `columns`.
void Grid(LayoutFrame& f, int first, int count, int columns, int x0, int dx, int y0, int dy) {
  for (int i = 0; i < count; ++i)
    f.T(first + i, x0 + (i % columns) * dx, y0 + (i / columns) * dy);
}

void Template051(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  Ladder l = StockLadder(f, 4, 10, 10);
  int y0 = f.Block(4 * CH + 30, f.Row[1]);
  Grid(f, 1, 16, 4, l.x0, CW + 10, y0, CH + 10);
  int sy = f.Ty(5) + Nearest((CH + 10) / 2.0);
  f.S(0, l.x0 - CW - l.d, sy);
  f.Hide(1);
  f.S(2, f.Tx(4) + CW + l.d, sy);
  for (int i = 1; i <= 4; ++i) f.ctx.FoundationX[static_cast<size_t>(i - 1)] = kUnusedStock;
}

void Template052(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int g = f.area.Height >= 500 ? 35 : 25;
  int x1 = std::max(CW + 3 * g + 25, Nearest((f.W - 4 * CW - 3 * g) / 2.0) + CW + 15);
  int xc = x1 + CW + g, xr = xc + CW + g;
  int y0 = f.Block(3 * (CH + g), f.Row[1]);
  int y1 = y0 + g + CH;
  f.T(1, xc, y0);
  f.T(2, x1, y1);
  f.T(3, xc, y1);
  f.T(4, xr, y1);
  f.T(5, xc, y1 + g + CH);
  for (int i = 6; i <= 8; ++i) f.TX(i, kUnusedStock);
  f.S(0, x1 - CW - 3 * g, y0);
  f.S(1, x1 - CW - 3 * g, y1);
}

void Template053(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  const int n = std::clamp(f.codes.TableauCount, 1, kMaxTableaus);
  int l1 = f.area.Top + Nearest((f.B - f.area.Top - (4 * CH + 45)) / 2.0);
  int lines[5] = {0, l1, l1 + CH + 10, l1 + 2 * CH + 20, l1 + 3 * CH + 45};
  auto line = [&](int k) { return k <= 4 ? lines[k] : lines[4] + (k - 4) * (CH + 10); };
  int r = std::max<int>(1, f.ctx.GameRules.TableauRows());
  int p = std::max(1, Nearest(n / double(r)));
  int gap = Nearest((f.W - p * CW - 2) / double(p + 1));
  int x0;
  bool small = f.SmallScreen;
  if (!small) {
    gap = std::max(gap, Nearest(1.5 * CW));
    x0 = f.LeftMargin + 10;
  } else {
    gap = Nearest(0.85 * CW);
    x0 = 15;
  }
  int k = 0;
  for (int i = 0; i < n; ++i) {
    if (i > 0 && i % p == 0) ++k;
    int x = i % p == 0 ? x0 : f.Tx(i) + CW + gap;
    f.T(i + 1, x, small ? f.Centre3(k + 1) : line(k + 1));
  }
  if (!small)
    f.S(2, x0, lines[4]);
  else
    f.S(2, f.Tx(n) + CW + gap, f.Centre3(3));
}

void Template054(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int sx = f.SmallScreen ? 15 : 40;
  f.S(0, sx, f.Row[1]);
  f.S(1, sx, f.Row[2] + 10);
  int step4 = f.ctx.GameState.FanStepRight4();
  int s = Nearest(CW / 2.0) + Nearest(step4 / 2.0);
  int x0 = Nearest((f.W - CW) / 2.0);
  // Pile 6 must clear the stock; s > 0 makes this end, the bound keeps it so.
  for (int guard = 0; guard < 10000 && sx + CW + 3 >= x0 - 5 * s; ++guard) x0 += 3;
  int dy = Nearest(CH / 2.0) + (f.SmallScreen ? -8 : 4);
  for (int i = 1; i <= 8; ++i) f.T(i, x0 - (i - 1) * s, f.Row[1] + (i - 1) * dy);
  int tx = f.W - s - CW;
  int minX = f.Tx(6) + 6 * CW + 5 * step4 + 3;
  f.S(2, std::max(tx, minX), f.Row[1]);
}

void Template055(LayoutFrame& f) {
  const int CH = f.CH;
  int l1, dy;
  if (f.SmallScreen) {
    l1 = f.Block(4 * CH + 6, f.area.Top + 3);
    dy = CH + 2;
  } else {
    l1 = f.Block(4 * CH + 45, f.Row[1]);
    dy = CH + 10;
  }
  for (int i = 1; i <= 4; ++i) {
    f.T(i, 65, l1 + (i - 1) * dy);
    f.F(i, 215, l1 + (i - 1) * dy);
  }
  f.S(0, 510, l1 + dy - 5);
  f.S(1, 510, l1 + 2 * dy + 5);
}

void Template056(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  const auto& rules = f.ctx.GameRules;
  bool small = f.SmallScreen;
  int y1 = f.area.Top + (small ? 25 : 45);
  int y2 = y1 + CH + (small ? 35 : 65);
  int y3 = y2 + CH + 20;
  int m = f.LeftMargin + 8 + (small ? 3 : 0);
  int c = std::clamp<int>(f.codes.FoundationCount, 1, kMaxFoundations);
  int g = std::clamp(Nearest((f.W - c * CW - m) / double(c + 1)), 4, 20);
  int fx = std::max(m, Nearest((f.W - m - (8 * CW + 7 * g)) / 2.0));
  if (c == 4) fx += 4 * CW + 3 * g;
  for (int i = 1; i <= c; ++i) f.F(i, fx + (i - 1) * (CW + g), y1);
  int h = rules.ReserveCount() == 2 ? Nearest(g / 1.5) : g;
  for (int i = 6; i >= 1; --i) {
    int x = i == 6 ? f.Fx(c) : f.Tx(i + 1) - CW - h;
    f.T(i, x, y2);
    f.T(i + 6, x, y3);
  }
  int base = rules.FoundationCount() == 8 ? f.Fx(3) : f.Tx(1);
  int sx = base - 2 * CW - 2 * g + Nearest((CW + g) / 2.0);
  f.S(0, sx, y2);
  if (rules.StockCount() == 2) f.S(1, sx, y3);
  if (rules.ReserveCount() == 2) {
    f.R(1, f.Fx(1), y3);
    f.R(2, f.Fx(2), y3);
  }
}

void Template057(LayoutFrame& f) {
  const int CW = f.CW;
  bool small = f.SmallScreen;
  int a = small ? 3 : 10, b = small ? 20 : 45;
  int sx = Nearest((f.W - 2 * CW - 15) / 2.0);
  f.S(0, sx, f.Row[1] + b);
  f.S(1, sx + CW + 15, f.Row[1] + b);
  int x0 = Nearest((f.W - 6 * CW - 5 * a) / 2.0);
  for (int i = 0; i < 6; ++i) {
    f.T(i + 1, x0 + i * (CW + a), f.Row[2] + b);
    f.T(i + 7, x0 + i * (CW + a), f.Row[3] + b);
  }
  int e = small ? 15 : 50;
  int lower = small ? f.Row[3] + 50 : f.Row[4];
  f.F(1, x0 - CW - e, f.Row[1]);
  f.F(2, f.Tx(6) + CW + e, f.Row[1]);
  f.F(3, f.Fx(1), lower);
  f.F(4, f.Fx(2), lower);
}

void Template058(LayoutFrame& f) {
  const int CW = f.CW;
  bool lowArea = f.area.Height < 500;
  int a = lowArea ? 10 : 30, b = lowArea ? 30 : 50;
  f.S(0, f.LeftMargin, f.Centre4(1) - a);
  f.S(1, f.LeftMargin + CW + 15, f.Centre4(1) - a);
  int x0 = f.Sx(1) + b + CW;
  for (int i = 0; i < 20; ++i) f.T(i + 1, x0 + (i % 5) * (CW + 10), f.Centre4(i / 5 + 1));
  f.F(1, x0 - 30 - CW, f.Centre4(2));
  f.F(2, f.Tx(5) + 30 + CW, f.Centre4(2));
  f.F(3, f.Fx(1), f.Centre4(3));
  f.F(4, f.Fx(2), f.Centre4(3));
}

void Template059(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int g = f.area.Height < 500 ? 5 : 12;
  int sy = f.area.Top + 30;
  f.S(0, 30, sy);
  f.S(1, 30 + CW + 15, sy);
  int tx = f.Sx(1) + 55 + CW;
  int f1 = tx + 40 + CW;
  int f5 = f1 + 12 + CW;
  int t5 = f5 + 40 + CW;
  for (int i = 0; i < 4; ++i) {
    int y = sy + i * (CH + g);
    f.T(i + 1, tx, y);
    f.F(i + 1, f1, y);
    f.F(i + 5, f5, y);
    f.T(i + 5, t5, y);
  }
}

void Template060(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  for (int i = 1; i <= 4; ++i) f.F(i, f.LeftMargin, f.area.Top + 15 + (i - 1) * (CH + 10));
  int x = f.LeftMargin + CW + 30;
  for (int i = 1; i <= 8; ++i) {
    f.R(i, x + (i - 1) * (CW + 10), f.Fy(1));
    f.T(i, x + (i - 1) * (CW + 10), f.Fy(2));
  }
}

void Template061(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  bool lowArea = f.area.Height < 500;
  int a = lowArea ? 2 : 5, b = lowArea ? 0 : 15;
  for (int i = 1; i <= 4; ++i) f.T(i, 10 + (i - 1) * (CW + a), f.area.Top + 15);
  f.F(1, f.Tx(4) + 4 * CW - 10, f.Ty(1));
  f.F(2, f.Fx(1) + CW + a, f.Fy(1) + b);
  f.F(3, f.Fx(2) + CW + a, f.Fy(2) + Nearest(CH / 2.0));
  f.F(4, f.Fx(3) + Nearest(CW / 2.0), f.Fy(3) + CH + a);
  f.F(5, f.Fx(3), f.Fy(4) + CH + a);
  f.F(6, f.Fx(2), f.Fy(5) + Nearest(CH / 2.0) + 10);
  f.F(7, f.Fx(6) - (CW + a), f.Fy(6) + b);
  f.F(8, f.Fx(7) - (CW + a), f.Fy(6));
  f.F(9, f.Fx(8) - (CW + a), f.Fy(5));
  f.F(10, f.Fx(9) - Nearest(CW / 2.0), f.Fy(4));
  f.F(11, f.Fx(9), f.Fy(3));
  f.F(12, f.Fx(8), f.Fy(2));
  for (int i = 5; i <= 8; ++i) f.T(i, f.Tx(1) + (i - 5) * (CW + a), f.Fy(5));
}

void Template062(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  f.S(0, f.LeftMargin + 20, f.Row[1]);
  f.S(1, f.LeftMargin + 20 + CW + 15, f.Row[1]);
  int x = f.Sx(1) + CW + 50;
  for (int i = 0; i < 4; ++i) {
    int cx = x + i * (CW + 10);
    f.F(i + 1, cx, f.Row[1]);
    f.F(i + 9, cx, f.Row[1] + CH + 15);
    f.F(i + 5, cx, f.Row[1] + 2 * (CH + 15));
  }
}

void Template063(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int ty = f.area.Top + 15;
  int x0 = std::max(10, Nearest((f.W - (5 * CW + 40)) / 2.0));
  bool lowArea = f.area.Height < 500;
  int a = lowArea ? 15 : 30, b = lowArea ? 2 : 10;
  for (int i = 0; i < 5; ++i) {
    f.T(i + 1, x0 + i * (CW + 10), ty + CH + 3 * b);
    f.T(i + 6, x0 + i * (CW + 10), ty + CH + 3 * b + CH + b);
  }
  f.S(2, f.Tx(3), ty);
  f.S(0, f.Tx(3), f.Ty(10) + CH + a);
}

void Template064(LayoutFrame& f) {
  const int CW = f.CW;
  f.S(0, f.LeftMargin, f.Row[1]);
  f.S(1, f.LeftMargin + CW + 40, f.Row[1]);
  for (int i = 1; i <= 4; ++i) {
    int x = f.Sx(1) + CW + 70 + (i - 1) * (CW + 10);
    f.F(i, x, f.Row[1]);
    f.T(i, x, f.Row[2]);
  }
  f.R(1, f.Sx(0), f.Row[2]);
  f.R(2, f.Sx(1), f.Row[2]);
  f.R(3, f.Sx(0), f.Row[3]);
  f.R(4, f.Sx(1), f.Row[3]);
}

void Template065(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int a = f.SmallScreen ? 20 : 30;
  for (int i = 1; i <= 7; ++i) f.T(i, 15 + (i - 1) * (CW + 15), f.area.Top + 10);
  for (int i = 1; i <= 4; ++i) f.F(i, f.Tx(7) + CW + 50, f.Ty(1) + (i - 1) * (CH + a));
  for (int i = 1; i <= 8; ++i) f.R(i, f.Tx(i), f.Fy(4));
}

// Five by five grid of 066 and 068; shift moves it right.
void FiveByFive(LayoutFrame& f, int shift, int rowGap) {
  const int CW = f.CW, CH = f.CH;
  int s = f.SmallScreen ? 1 : 3;
  int x0 = std::max(15, Nearest((f.W - (6 * CW + 62)) / 2.0) + shift);
  int y0 = f.Block(5 * CH + 4 * s, f.area.Top + 2);
  Grid(f, 1, 25, 5, x0, CW + 3, y0, CH + (rowGap < 0 ? s : rowGap));
}

void Template066(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  FiveByFive(f, 0, -1);
  int sx = f.Tx(5) + CW + 50;
  f.S(0, sx, f.Ty(6) + Nearest(CH / 3.0));
  f.S(2, sx, f.Ty(16) - Nearest(CH / 3.0));
}

void Template067(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  bool small = f.SmallScreen;
  int g = small ? 1 : 15, fx = small ? 270 : 355, x = small ? 5 : 15;
  for (int i = 1; i <= 4; ++i) {
    int y = f.area.Top + 5 + (i - 1) * (CH + g);
    f.T(i, x, y);
    f.F(i, fx, y);
    f.T(i + 4, fx + CW + 30, y);
  }
}

void Template068(LayoutFrame& f) {
  FiveByFive(f, 50 + f.CW, 3);
  f.S(1, f.Tx(1) - f.CW - 50, f.Ty(6));
}

void Template069(LayoutFrame& f) {
  const int CW = f.CW;
  f.S(1, 25, f.Row[1]);
  for (int i = 1; i <= 8; ++i) f.F(i, 25 + CW + 35 + (i - 1) * (CW + 5), f.Row[1]);
  f.R(1, f.Fx(1), f.Row[2]);
  for (int i = 5; i >= 1; --i) f.T(i, f.Fx(8) - (5 - i) * (CW + 20), f.Row[2]);
}

void Template070(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  const int g = 23, t = 2;
  int y0 = f.Block(5 * CH + 4 * t, f.area.Top + 2);
  f.S(0, f.LeftMargin + 10, y0 + 25);
  f.S(1, f.LeftMargin + 10 + CW + 30, y0 + 25);
  int x0 = Nearest((f.W - CW) / 2.0);
  if (f.Sx(1) + CW > x0 - 2 * CW - 2 * g) x0 = f.Sx(1) + 3 * CW + 2 * g;
  f.T(1, x0, y0);
  f.T(2, x0, f.Ty(1) + CH + t);
  f.T(3, x0 - 2 * CW - 2 * g, f.Ty(2) + CH + t);
  f.T(4, f.Tx(3) + CW + g, f.Ty(3));
  f.T(5, x0 + CW + g, f.Ty(3));
  f.T(6, f.Tx(5) + CW + g, f.Ty(3));
  f.T(7, x0, f.Ty(3) + CH + t);
  f.T(8, x0, f.Ty(7) + CH + t);
  f.F(1, f.Tx(4) - 10, f.Ty(2) - 31);
  f.F(2, f.Tx(5) + 10, f.Ty(2) - 31);
  f.F(3, x0, f.Ty(3));
  f.F(4, f.Tx(4) - 10, f.Ty(7) + 31);
  f.F(5, f.Tx(5) + 10, f.Ty(7) + 31);
}

void Template071(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  const int g = 50;
  int r = f.SmallScreen ? 10 : 20;
  int step = f.ctx.GameState.FanStepRightUp();
  int y0 = f.Block(4 * CH + 3 * r, f.area.Top + 2);
  auto rowY = [&](int k) { return y0 + k * (CH + r); };
  int x13 = std::max(55, Nearest((f.W - 5 * CW - 4 * g - 2 * step) / 2.0));
  for (int i = 0; i < 5; ++i) f.T(13 + i, x13 + i * (CW + g), rowY(3));
  for (int i = 0; i < 4; ++i) f.T(1 + i, x13 + Nearest((CW + g) / 2.0) + i * (CW + g), rowY(0));
  for (int k = 1; k <= 2; ++k) {
    int first = k == 1 ? 5 : 9;
    f.T(first, x13 - 50, rowY(k));
    f.T(first + 1, x13 - 50 + CW + g, rowY(k));
    f.T(first + 2, f.Tx(16) + 50, rowY(k));
    f.T(first + 3, f.Tx(16) + 50 + CW + g, rowY(k));
  }
  f.S(2, f.Tx(15) + step, f.Ty(6) + Nearest((CH + r) / 2.0));
}

void Template072(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  bool small = f.SmallScreen;
  int g = small ? 15 : 22, t = small ? 1 : 3;
  int step6 = f.ctx.GameState.FanStepRight6();
  int fx = std::max(15, Nearest((f.W - 8 * CW - 96) / 2.0));
  int fy = f.Block(5 * CH + 4 * t, f.area.Top + 2);
  for (int i = 1; i <= 8; ++i) {
    int x = i == 1 ? fx : f.Fx(i - 1) + CW + (i == 5 ? 48 : 8);
    f.F(i, x, fy);
  }
  int x1 = std::max(1, Nearest((f.W - 9 * CW - 8 * g - 3 * step6 - 5) / 2.0));
  int x3 = std::max(1, Nearest((f.W - 8 * CW - 7 * g - 3 * step6 - 5) / 2.0));
  int y1 = fy + CH + t;
  for (int i = 0; i < 9; ++i) {
    f.T(1 + i, x1 + i * (CW + g), y1);
    f.T(10 + i, x1 + i * (CW + g), y1 + CH + t);
  }
  for (int i = 0; i < 8; ++i) f.T(19 + i, x3 + i * (CW + g), y1 + 2 * (CH + t));
  int rx = std::max(15, Nearest((f.W - 8 * CW - 98) / 2.0));
  for (int i = 0; i < 8; ++i) f.R(1 + i, rx + i * (CW + 14), y1 + 3 * (CH + t));
}

// Columns of 073 and 097: outer columns of four, three columns of three
// between them: tableau outside and foundations inside (073) or the
// other way round (097).
void ColumnsWithCentre(LayoutFrame& f, bool tableauOutside) {
  const int CW = f.CW, CH = f.CH;
  const int g = 40, h = 10;
  int t = f.SmallScreen ? 5 : 10;
  int sx = std::max(25, Nearest((f.W - 6 * CW - 2 * g - 2 * h - 85) / 2.0));
  int ox = sx + CW + 80;
  int oy = f.Block(4 * CH + 3 * t, f.area.Top + 5);
  int ox2 = ox + 4 * CW + 2 * g + 2 * h;
  int ix = ox + CW + g;
  int iy = oy + Nearest((CH + t) / 2.0);
  for (int i = 0; i < 4; ++i) {
    int y = oy + i * (CH + t);
    if (tableauOutside) {
      f.T(1 + i, ox, y);
      f.T(5 + i, ox2, y);
    } else {
      f.F(1 + i, ox, y);
      f.F(5 + i, ox2, y);
    }
  }
  for (int c = 0; c < 3; ++c) {
    for (int i = 0; i < 3; ++i) {
      int x = ix + c * (CW + h), y = iy + i * (CH + t);
      if (tableauOutside)
        f.F(1 + 3 * c + i, x, y);
      else
        f.T(1 + 3 * c + i, x, y);
    }
  }
  f.S(0, sx, iy + Nearest(CH / 3.0));
  f.S(1, sx, iy + 2 * (CH + t) - Nearest(CH / 3.0));
}

void Template074(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int sx = std::max(20, Nearest((f.W - 6 * CW - 70) / 2.0));
  int sy = f.area.Top + 25;
  f.S(0, sx, sy);
  for (int i = 0; i < 4; ++i) f.T(1 + i, sx + CW + 30 + i * (CW + 10), sy + CH + 15);
  f.F(1, f.Tx(2) + Nearest((CW + 10) / 2.0), sy);
}

void Template075(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int fx = std::max(5, Nearest((f.W - 8 * CW - 85) / 2.0));
  int fy = f.Block(3 * CH + 70, f.area.Top + 5);
  for (int i = 0; i < 8; ++i) {
    f.F(1 + i, fx + i * (CW + 10), fy);
    f.F(9 + i, fx + i * (CW + 10), fy + CH + 10);
  }
  f.S(0, f.Fx(4) - 15, f.Fy(9) + CH + 60);
  f.S(1, f.Fx(5) + 15, f.Fy(9) + CH + 60);
}

void Template076(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  for (int i = 0; i < 8; ++i) {
    f.F(1 + i, CW + 50 + i * (CW + 3), f.area.Top + 5);
    f.F(9 + i, CW + 50 + i * (CW + 3), f.area.Top + 5 + CH + 3);
  }
  int tx = std::max(5, Nearest((f.W - 9 * CW - 85) / 2.0));
  for (int i = 0; i < 9; ++i) f.T(1 + i, tx + i * (CW + 10), f.Fy(9) + CH + 5);
  f.S(0, 20, f.Fy(9));
}

void Template077(LayoutFrame& f) {
  const int CW = f.CW;
  int a = f.SmallScreen ? 3 : 10;
  int x = std::max(16, Nearest((f.W - 8 * CW - 8 * a - 5) / 2.0));
  for (int i = 0; i < 8; ++i) f.T(1 + i, x + i * (CW + a), f.Centre4(1));
  for (int i = 0; i < 4; ++i) f.T(9 + i, f.Tx(3 + i), f.Centre4(3));
  f.S(2, f.Tx(1), f.Centre4(4));
}

void Template078(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int s = Nearest(2.2 * CW);
  int t = f.SmallScreen ? 1 : 3;
  int y0 = f.Block(5 * CH + 4 * t, f.area.Top + 2);
  if (f.ctx.GameRules.StockCount() > 0) f.S(0, 10, y0);
  for (int i = 0; i < 4; ++i) f.F(1 + i, s + 10 + i * s, y0);
  for (int i = 0; i < 18; ++i) {
    int row = i / 5, col = i % 5;
    int x = col == 0 ? 10 : f.Fx(col);
    f.T(1 + i, x, y0 + (row + 1) * (CH + t));
  }
}

void Template079(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  Ladder l = StockLadder(f, 3, 20, 10);
  int y0 = f.Block(3 * CH + 60, f.Row[1]);
  Grid(f, 1, 9, 3, l.x0, CW + 20, y0, CH + 20);
  f.S(0, l.x0 - CW - l.d, f.Ty(4));
  f.Hide(1);
  f.S(2, f.Tx(3) + CW + l.d, f.Ty(4));
}

void Template080(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int sx = std::max(25, Nearest((f.W - (5 * CW + 70)) / 2.0));
  int sy = f.area.Top + 35;
  f.S(0, sx, sy);
  f.S(1, sx, sy + CH + 30);
  for (int i = 0; i < 4; ++i) {
    f.F(5 + i, sx + 40 + CW + i * (CW + 10), sy);
    f.F(1 + i, sx + 40 + CW + i * (CW + 10), f.Sy(1));
  }
}

void Template081(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int slot = f.ctx.GameRules.HasStock() == 1 ? 0 : 1;
  int sx = std::max(25, Nearest((f.W - (8 * CW + 105)) / 2.0));
  int y0 = f.Block(4 * CH + 30, f.area.Top + 2);
  Grid(f, 1, 20, 5, sx + CW + 40, CW + 5, y0, CH + 10);
  f.S(slot, sx, f.Ty(6) + Nearest((CH + 10) / 2.0));
  for (int i = 0; i < 4; ++i) {
    f.F(1 + i, f.Tx(20) + CW + 45, f.Ty(1 + 5 * i));
    f.F(5 + i, f.Tx(20) + CW + 45 + CW + 5, f.Ty(1 + 5 * i));
  }
}

void Template082(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  const auto& rules = f.ctx.GameRules;
  int g = 15, e = 60;
  int k = rules.TableauCount() == 13 ? 6 : 5;
  int s;
  bool eight = rules.FoundationCount() == 8;
  bool stock = rules.StockCount() > 0;
  if (eight && stock) {
    s = 3;
    g = Nearest(15 / 2.0);
    e = rules.TableauCount() == 13 ? g + 5 : 30;
  } else {
    s = (!eight && !stock) ? 1 : 2;
  }
  int x0 = std::max(10, Nearest((f.W - (k + 1 + s) * CW - 6 * g - e - (s - 1) * g) / 2.0));
  int row1 = f.Row[1];
  if (stock) {
    int sx = x0 - Nearest(g / 2.0);
    if (sx < 15) {
      x0 += 15 - sx;
      sx = 15;
    }
    f.S(0, sx, row1);
    if (rules.StockCount() == 2) f.S(1, sx, row1 + CH + 15 + 2 * s);
    x0 += CW + Nearest(e / 2.0);
  }
  for (int i = 0; i <= k; ++i) f.T(1 + i, x0 + i * (CW + g), row1);
  int fx = f.Tx(k + 1) + CW + e;
  if (rules.StockCount() == 1) fx -= Nearest(e / 2.0) - Nearest(g / 2.0);
  int v = Nearest((f.B - (row1 + CH) - 3 * CH - (row1 - f.area.Top)) / 3.0);
  for (int i = 0; i < 4; ++i) {
    f.F(1 + i, fx, row1 + i * (CH + v));
    if (eight) f.F(5 + i, fx + CW + g, row1 + i * (CH + v));
  }
  for (int i = 0; i < 6; ++i) f.T(k + 2 + i, f.Tx(1 + i), f.Fy(3) + Nearest(CH / 2.0));
}

void Template083(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int x0 = std::max(10, Nearest((f.W - 9 * CW - 80) / 2.0));
  int sy = f.area.Top + 25;
  int fx = x0 + Nearest((CW + 10) / 2.0);
  for (int i = 0; i < 8; ++i) f.F(1 + i, fx + i * (CW + 10), sy + CH + 10);
  f.S(0, f.Fx(2), sy);
  f.S(1, f.Fx(2) + CW + 30, sy);
  f.R(1, f.Fx(5), sy);
  for (int i = 0; i < 9; ++i) f.T(1 + i, x0 + i * (CW + 10), f.Fy(1) + CH + 10);
}

void Template084(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  bool lowArea = f.area.Height < 500;
  int g = lowArea ? 8 : 20, h = lowArea ? 4 : 10;
  int sx = std::max(10, Nearest((f.W - 6 * CW - 5 * g) / 2.0) - 15);
  int sy = std::max(f.area.Top + 3, Nearest((f.area.Height - 4 * CH - 3 * g) / 2.0) - 15);
  f.S(0, sx, sy);
  for (int i = 0; i < 4; ++i) f.T(1 + i, sx + CW + g + 15 + i * (CW + g), sy + 15);
  f.T(5, f.Tx(1) + 4 * CW + 4 * g, f.Ty(1) + CH + g);
  f.T(6, f.Tx(5), f.Ty(5) + CH + g);
  int bottom = f.Ty(6) + CH + g;
  for (int i = 0; i < 4; ++i) f.T(7 + i, f.Tx(4 - i), bottom);
  f.T(11, f.Tx(1) - g - CW, f.Ty(6));
  f.T(12, f.Tx(11), f.Ty(5));
  int fx = f.Tx(12) + CW + g + Nearest(3 * (g - h) / 2.0);
  for (int i = 0; i < 4; ++i) {
    f.F(1 + i, fx + i * (h + CW), f.Ty(12) + Nearest((g - h) / 2.0));
    f.F(5 + i, fx + i * (h + CW), f.Ty(11) - Nearest((g - h) / 2.0));
  }
}

void Template085(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int g = f.area.Height < 500 ? 7 : 15;
  int top = f.area.Top;
  int fy = std::max(top + 3, Nearest(top + (f.B - 4 * CH - 3 * g - 30 - top) / 2.0));
  int s = std::max(Nearest(1.5 * CW), Nearest((f.W - 4 * CW - 25) / 4.0) - 10);
  for (int i = 0; i < 4; ++i) {
    int x = 25 + i * (CW + s);
    f.F(1 + i, x, fy);
    f.T(1 + i, x, fy + CH + g + 15);
    f.T(5 + i, x, fy + CH + g + 15 + CH + g);
  }
  int sy = f.Ty(5) + CH + g + 15;
  f.S(0, 25, sy);
  for (int i = 0; i < 3; ++i) f.R(1 + i, f.Fx(2 + i), sy);
}

void Template086(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int a = f.area.Height < 500 ? 8 : 10;
  int sx = std::max(25, Nearest((f.W - 9 * CW - 9 * a - 15) / 2.0) - 10);
  int sy = f.area.Top + 20;
  f.S(0, sx, sy);
  for (int i = 0; i < 8; ++i) f.F(1 + i, sx + CW + 2 * a + i * (CW + a), sy);
  int tx = sx + Nearest(((f.Fx(8) + CW - sx) - 8 * CW - 7 * a) / 2.0);
  for (int i = 0; i < 8; ++i) f.T(1 + i, tx + i * (CW + a), sy + CH + 10);
  for (int i = 0; i < 6; ++i) f.R(1 + i, f.Tx(2 + i), f.Row[5]);
}

void Template087(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int fx = std::max(10, Nearest((f.W - 8 * CW - 70) / 2.0));
  for (int i = 0; i < 8; ++i) f.F(1 + i, fx + i * (CW + 10), f.Row[1]);
  for (int i = 0; i < 5; ++i) f.T(1 + i, f.Fx(4 + i), f.Row[1] + CH + 25);
  f.R(1, f.Fx(3) - 20, f.Ty(1));
  f.S(0, f.Fx(1) + Nearest((CW + 10) / 2.0), f.Ty(1));
  f.S(1, f.Sx(0), f.Ty(1) + CH + 25);
}

void Template088(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int top = f.area.Top;
  int x0 = std::max(10, Nearest((f.W - 10 * CW - 40) / 2.0));
  int y0 = std::max(top + 10, Nearest(top + (f.B - 4 * CH - 60 - top) / 2.0));
  Grid(f, 1, 18, 5, x0, 2 * CW + 10, y0, CH + 20);
  f.S(2, f.Tx(5), f.Ty(18) + 15);
}

// Four rows of tableau piles with the stock left of them and the
// foundations on the rows' Ys right of them (089, 092).
void RowsWithSideStock(LayoutFrame& f, int columns, int colGap, int rowGap, int firstDx,
                       int stockX, int foundationDx, bool twoColumns, int fColGap) {
  const int CW = f.CW, CH = f.CH;
  int top = f.area.Top;
  int y0 = std::max(top + 10, Nearest(top + (f.B - 4 * CH - 3 * rowGap - top) / 2.0));
  Grid(f, 1, 4 * columns, columns, stockX + CW + firstDx, CW + colGap, y0, CH + rowGap);
  f.S(0, stockX, y0 + CH + rowGap - 15);
  f.S(1, stockX, f.Sy(0) + CH + rowGap + 15);
  int fx = f.Tx(columns) + CW + foundationDx;
  for (int i = 0; i < 4; ++i) {
    f.F(1 + i, fx, y0 + i * (CH + rowGap));
    if (twoColumns) f.F(5 + i, fx + CW + fColGap, y0 + i * (CH + rowGap));
  }
}

void Template089(LayoutFrame& f) {
  bool lowArea = f.area.Height < 500;
  int g = lowArea ? 48 : 65, r = lowArea ? 10 : 20;
  int sx = std::max(20, Nearest((f.W - 6 * f.CW - 5 * g) / 2.0));
  RowsWithSideStock(f, 4, g, r, Nearest(g / 2.0), sx, Nearest(5 * g / 3.0), false, 0);
}

void Template090(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  bool small = f.SmallScreen;
  int g = small ? 5 : 15, fx = small ? 240 : 312, x = small ? 5 : 10;
  for (int i = 0; i < 4; ++i) {
    int y = f.area.Top + 10 + i * (CH + g);
    f.T(1 + i, x, y);
    f.F(1 + i, fx, y);
    f.F(5 + i, fx + CW + 10, y);
    f.T(5 + i, fx + CW + 10 + CW + 30, y);
  }
}

void Template091(LayoutFrame& f) {
  const int CW = f.CW;
  int a = f.SmallScreen ? 5 : 20;
  int x0 = std::max(20, Nearest((f.W - 7 * CW - 9 * a) / 2.0));
  for (int r = 0; r < 3; ++r)
    for (int i = 0; i < 3; ++i) f.T(1 + 3 * r + i, x0 + i * (CW + a), f.Row[1 + r]);
  int fx = f.Tx(3) + CW + 3 * a;
  for (int r = 0; r < 4; ++r)
    for (int i = 0; i < 4; ++i) f.F(1 + 4 * r + i, fx + i * (CW + a), f.Row[1 + r]);
  f.S(0, x0, f.Row[4] + 15);
  f.S(1, x0 + CW + 20, f.Row[4] + 15);
}

void Template092(LayoutFrame& f) {
  bool lowArea = f.area.Height < 500;
  int a = lowArea ? 8 : 12, r = lowArea ? 15 : 25;
  int sx = std::max(20, Nearest((f.W - 8 * f.CW - 13 * a) / 2.0));
  RowsWithSideStock(f, 5, a, r, 4 * a, sx, 4 * a, true, a);
}

// Small grids with the stock left and the talon right (093..095).
void GridWithTalon(LayoutFrame& f, int columns, int gap, int middlePile, int middleDy) {
  const int CW = f.CW;
  Ladder l = StockLadder(f, columns, gap, gap);
  int y = f.Ty(middlePile) + middleDy;
  f.S(0, l.x0 - CW - l.d, y);
  f.S(2, f.Tx(columns) + CW + l.d, y);
  f.Hide(1);
  for (int i = 0; i < 4; ++i) f.ctx.FoundationX[static_cast<size_t>(i)] = kUnusedStock;
}

void Template093(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int a = f.area.Height < 500 ? 6 : 10;
  Ladder l = StockLadder(f, 5, a, a);
  int y0 = f.Block(3 * (CH + a), f.Row[1]);
  Grid(f, 1, 10, 5, l.x0, CW + a, y0, CH + a);
  for (int i = 0; i < 3; ++i) f.T(11 + i, f.Tx(2 + i), y0 + 2 * (CH + a));
  GridWithTalon(f, 5, a, 6, 0);
}

void Template094(LayoutFrame& f, int columns) {
  const int CW = f.CW, CH = f.CH;
  Ladder l = StockLadder(f, columns, 10, 10);
  int y0 = f.Block(3 * CH + 30, f.Row[1]);
  Grid(f, 1, 3 * columns, columns, l.x0, CW + 10, y0, CH + 10);
  GridWithTalon(f, columns, 10, 5, 8);
}

void Template096(LayoutFrame& f) {
  const int CW = f.CW;
  f.S(0, 25, f.Row[1]);
  f.T(1, 25, f.Row[2]);
  if (f.ctx.GameRules.TalonCount() == 1) f.S(2, 25 + CW + 25, f.Row[1]);
}

void Template098(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int x0 = std::max(10, Nearest((f.W - 6 * CW - 50) / 2.0));
  int sy = f.Block(3 * CH + 130, f.area.Top + 15);
  f.S(0, x0, sy);
  f.S(2, x0 + CW + 25, sy);
  Grid(f, 1, 12, 6, x0, CW + 10, sy + CH + 40, CH + 30);
}

void Template099(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int x13 = std::max(10, Nearest((f.W - 8 * CW - 70) / 2.0));
  int y0 = f.Block(3 * CH + 125, f.area.Top + 5);
  Grid(f, 1, 12, 6, x13 + CW + 10, CW + 10, y0, CH + 50);
  f.S(2, f.Tx(6) + CW + Nearest(CW / 2.0), y0);
  for (int i = 0; i < 8; ++i) f.T(13 + i, x13 + i * (CW + 10), f.Ty(7) + CH + 75);
}

void Template100(LayoutFrame& f) {
  const int CW = f.CW;
  int a = f.SmallScreen ? 3 : 6;
  int ty = f.Row[1] + 15;
  f.S(2, 25, ty);
  int x0 = std::max(25 + CW + 30, Nearest((f.W - 7 * CW - 6 * a) / 2.0));
  for (int i = 0; i < 7; ++i) f.T(1 + i, x0 + i * (CW + a), ty);
  for (int i = 0; i < 5; ++i) {
    f.T(8 + i, f.Tx(2 + i), f.Row[3] + 15);
    f.T(13 + i, f.Tx(2 + i), f.Row[4] + 15);
  }
}

void Template101(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int fx = std::max(25, Nearest((f.W - 2 * CW - 50) / 2.0));
  int fy = f.Block(2 * CH + 110, f.area.Top + 25);
  f.S(0, fx, fy + CH + 30);
  f.S(1, fx + CW + 50, fy + CH + 30);
  f.F(1, fx + Nearest((CW + 50) / 2.0), fy);
}

void Template103(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int fx = std::max(25, Nearest((f.W - 8 * CW - 35) / 2.0));
  int fy = f.Block(2 * CH + 45 + 60, f.area.Top + 2);
  for (int i = 0; i < 8; ++i) f.F(1 + i, fx + i * (CW + 5), fy);
  f.S(0, f.Fx(4) - 15, fy + CH + 45);
  f.S(1, f.Fx(5) + 15, fy + CH + 45);
}

void Template104(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int t = f.SmallScreen ? Nearest(CH / 3.0) : Nearest(CH / 2.5);
  int y0 = f.Block(3 * CH + 2 * t + 20, f.area.Top + 10);
  int x0 = Nearest((f.W - 3 * CW - 2 * t) / 2.0);
  x0 = std::max(x0, 3 * t + 25 + CW);
  for (int i = 0; i < 3; ++i) f.T(1 + i, x0 + i * (CW + t), y0);
  f.T(4, f.Tx(1), y0 + CH + t);
  f.T(5, f.Tx(3), y0 + CH + t);
  f.T(6, f.Tx(1), y0 + 2 * (CH + t));
  f.T(7, f.Tx(3), y0 + 2 * (CH + t));
  f.F(1, f.Tx(2), f.Ty(6) - Nearest((CH + t) / 2.0));
  int sx = Nearest((x0 - CW) / 2.0);
  f.S(0, sx, y0 + CH - Nearest(CH / 2.0) + t - 20);
  f.S(1, sx, y0 + CH + Nearest(CH / 2.0) + t + 20);
}

void Template105(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int x = std::max(25, Nearest((f.W - 8 * CW - 35) / 2.0));
  int y = f.area.Top + 5;
  for (int i = 0; i < 8; ++i) {
    int cx = x + i * (CW + 5);
    f.F(9 + i, cx, y);
    f.F(1 + i, cx, y + CH + 5);
    f.T(1 + i, cx, y + 2 * (CH + 5));
  }
}

void Template106(LayoutFrame& f) {
  const int CW = f.CW, CH = f.CH;
  int x0 = std::max(25, Nearest((f.W - 9 * CW - 60) / 2.0));
  int y0 = f.Block(4 * CH + 35 + 20, f.area.Top + 10);
  int f1 = x0 + 4 * CW + 30;
  f.F(1, f1, y0);
  f.F(2, f1 - CW - 10, y0 + Nearest(CH / 2.0));
  f.F(3, f1 + CW + 10, f.Fy(2));
  f.F(4, f1, y0 + CH + 10);
  int ty = f.Fy(4) + CH + 10;
  for (int i = 0; i < 4; ++i) {
    f.T(1 + i, x0 + i * (CW + 5), ty);
    f.T(5 + i, f1 + CW + 15 + i * (CW + 5), ty);
  }
  f.R(1, f1, ty);
  f.S(0, f1 - 15 - Nearest(CW / 2.0), ty + CH + 25);
  f.S(1, f1 + 15 + Nearest(CW / 2.0), ty + CH + 25);
}

// A template names more piles than some of its games use: those keep their
// "not used" values, so nothing outside the game's counts is drawn or hit.
void KeepCountedPiles(LayoutFrame& f) {
  GameContext& ctx = f.ctx;
  for (int i = std::max(0, f.codes.TableauCount); i < kMaxTableaus; ++i) {
    ctx.TableauX[static_cast<size_t>(i)] = kUnusedTableau;
    ctx.TableauY[static_cast<size_t>(i)] = kUnusedTableau;
  }
  for (int i = std::max(0, f.codes.FoundationCount); i < kMaxFoundations; ++i) {
    ctx.FoundationX[static_cast<size_t>(i)] = kUnusedFoundation;
    ctx.FoundationY[static_cast<size_t>(i)] = kUnusedFoundation;
  }
  for (int i = std::max(0, f.codes.ReserveCount); i < kMaxReserves; ++i) {
    ctx.ReserveX[static_cast<size_t>(i)] = kUnusedReserve;
    ctx.ReserveY[static_cast<size_t>(i)] = kUnusedReserve;
  }
}

}  // namespace

void PlaceTemplate(LayoutFrame& f, int style) {
  switch (style) {
    case 51: Template051(f); break;
    case 52: Template052(f); break;
    case 53: Template053(f); break;
    case 54: Template054(f); break;
    case 55: Template055(f); break;
    case 56: Template056(f); break;
    case 57: Template057(f); break;
    case 58: Template058(f); break;
    case 59: Template059(f); break;
    case 60: Template060(f); break;
    case 61: Template061(f); break;
    case 62: Template062(f); break;
    case 63: Template063(f); break;
    case 64: Template064(f); break;
    case 65: Template065(f); break;
    case 66: Template066(f); break;
    case 67: Template067(f); break;
    case 68: Template068(f); break;
    case 69: Template069(f); break;
    case 70: Template070(f); break;
    case 71: Template071(f); break;
    case 72: Template072(f); break;
    case 73: ColumnsWithCentre(f, true); break;
    case 74: Template074(f); break;
    case 75: Template075(f); break;
    case 76: Template076(f); break;
    case 77: Template077(f); break;
    case 78: Template078(f); break;
    case 79: Template079(f); break;
    case 80: Template080(f); break;
    case 81: Template081(f); break;
    case 82: Template082(f); break;
    case 83: Template083(f); break;
    case 84: Template084(f); break;
    case 85: Template085(f); break;
    case 86: Template086(f); break;
    case 87: Template087(f); break;
    case 88: Template088(f); break;
    case 89: Template089(f); break;
    case 90: Template090(f); break;
    case 91: Template091(f); break;
    case 92: Template092(f); break;
    case 93: Template093(f); break;
    case 94: Template094(f, 3); break;
    case 95: Template094(f, 4); break;
    case 96: Template096(f); break;
    case 97: ColumnsWithCentre(f, false); break;
    case 98: Template098(f); break;
    case 99: Template099(f); break;
    case 100: Template100(f); break;
    case 101: Template101(f); break;
    case 103: Template103(f); break;
    case 104: Template104(f); break;
    case 105: Template105(f); break;
    case 106: Template106(f); break;
    default: return;
  }
  KeepCountedPiles(f);
}

}  // namespace tw
