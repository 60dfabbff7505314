#include "table/layout.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "table/geometry.h"
#include "table/layout_frame.h"

namespace tw {

int Nearest(double x) { return static_cast<int>(std::nearbyint(x)); }

std::string PlacementCode(int row, int style) {
  std::string r = std::to_string(row);
  std::string s = std::to_string(style);
  if (s.size() < 3) s.insert(0, 3 - s.size(), '0');
  return r.substr(0, 1) + s;
}

PileCodes PileCodesFromRules(const GameRulesRecord& g) {
  PileCodes c;
  c.Stock = PlacementCode(g.StockRow(), g.StockStyle());
  c.Foundation = PlacementCode(g.FoundationRow(), g.FoundationStyle());
  c.Tableau = PlacementCode(g.TableauRow(), g.TableauStyle());
  c.Reserve = PlacementCode(g.ReserveRow(), g.ReserveStyle());
  c.Talon = PlacementCode(g.TalonRow(), g.TalonStyle());
  c.StockCount = g.StockCount();
  c.FoundationCount = g.FoundationCount();
  c.TableauCount = g.TableauCount();
  c.ReserveCount = g.ReserveCount();
  c.TalonCount = g.TalonCount();
  return c;
}

LayoutArea LayoutAreaFromInput(const LayoutInput& in) {
  LayoutArea a;
  a.Width = in.FormWidth - in.ScrollBarWidth;
  a.Height = in.FormHeight;
  a.Bottom = in.ClientHeight - 1;
  a.ExtraHeight = 0;
  a.Top = 5;
  for (const LayoutPanel* p : {&in.Demo, &in.Toolbar, &in.Toolbar2}) {
    if (p->Visible) {
      a.Top = p->Top + p->Height;
      break;
    }
  }
  return a;
}

bool IsTemplateStyle(int style) {
  return (style >= 51 && style <= 101) || (style >= 103 && style <= 106);
}

namespace {

void ParseCode(const std::string& code, char& row, int& style) {
  row = code.empty() ? ' ' : code[0];
  style = -1;
  if (code.size() < 4) return;
  int v = 0;
  for (size_t i = 1; i < 4; ++i) {
    if (code[i] < '0' || code[i] > '9') return;
    v = v * 10 + (code[i] - '0');
  }
  style = v;
}

bool Unused(int v) { return v < kUnusedBelow; }

// A place measured from another pile: a pile placed from one that is not
// used stays unused instead of landing just off the table.
int From(int base, int delta) { return Unused(base) ? base : base + delta; }

// Frame values of a pass (everything from the row margin on).
void SetFrame(LayoutFrame& f) {
  const LayoutArea& a = f.area;
  f.m = a.Height >= 500 ? 10 : 5;
  f.Row[1] = a.Top + f.m + (f.StockRow == '1' ? 15 : 0);
  f.Row[2] = f.Row[1] + f.m + f.CH + ((f.StockRow == '2' || f.StockStyle == 3) ? 15 : 0);
  f.Row[3] = f.Row[2] + f.m + f.CH;
  f.Row[4] = f.Row[3] + f.m + f.CH;
  // The bottom line keeps clear of the window's lower edge even when the
  // window is much smaller than the screen.
  int bottomLine = f.in.ScreenHeight - 30;
  if (f.in.FormHeight > 0.8 * f.in.ScreenHeight) bottomLine = f.in.FormHeight - 50;
  f.Row[5] = std::min(bottomLine, f.in.FormHeight - 50) - f.CH;
  f.Row[6] = f.Row[2] + Nearest((f.Row[3] - f.Row[2]) / 2.0);
  f.B = a.Bottom + (f.in.StatusBarVisible ? 0 : a.ExtraHeight);
  f.LeftMargin = f.W >= 650 ? 10 : 3;
  if (f.codes.StockCount > 0) {
    f.LeftMargin += f.in.ShadowOffset;
    int s = f.StockStyle;
    if (s == 3 || s == 4 || s == 5 || s == 16 || s == 19 || f.TalonStyle == 4) f.LeftMargin += 15;
  }
  if (f.TableauStyle == 15) {
    f.Row[1] = a.Top + 15;
    f.Row[2] = f.Row[1] + 5 + f.CH;
    f.Row[3] = f.Row[2] + 5 + f.CH;
  }
  f.Gap = 0;
  f.FGap = 1;
  f.SmallScreen = f.in.ScreenHeight < 500;
}

// Vertical room of a downward tableau fan: down to the next row line that
// another pile kind uses.
int TableauRoom(const LayoutFrame& f) {
  if (f.ctx.GameRules.TableauLayout() != 1) return f.CH;
  const PileCodes& c = f.codes;
  auto present = [&](char d) {
    return (c.StockCount >= 1 && f.StockRow == d) ||
           (c.FoundationCount >= 1 && f.FoundationRow == d) ||
           (c.ReserveCount >= 1 && f.ReserveRow == d);
  };
  int h = f.area.Height;
  switch (f.TableauRow) {
    case '1':
      if (present('2')) return f.Row[2] - f.Row[1];
      if (present('3')) return f.Row[3] - f.Row[1];
      if (present('4')) return f.Row[4] - f.Row[1];
      return h - f.Row[1];
    case '2':
      if (present('3')) return f.Row[3] - f.Row[2];
      if (present('4')) return f.Row[4] - f.Row[2];
      return h - f.Row[2];
    case '3':
      if (present('4')) return f.Row[4] - f.Row[3];
      return h - f.Row[3];
    default:
      return f.CH;
  }
}

// Piles stepping to the right from pile 0 by a fixed step.
void StepRight(LayoutFrame& f, int n, int x0, int step) {
  auto& tx = f.ctx.TableauX;
  if (n < 1) return;
  tx[0] = LayoutFrame::Clip(x0);
  for (int i = 1; i < n && i < kMaxTableaus; ++i) tx[static_cast<size_t>(i)] =
      LayoutFrame::Clip(tx[static_cast<size_t>(i - 1)] + step);
}

// Several rows of p piles: a new row starts at x0 whenever the index is a
// multiple of p; rowY(k) gives the Y of row k (0 = first).
template <typename RowY>
void PlaceRows(LayoutFrame& f, int n, int p, int x0, int step, RowY rowY) {
  auto& tx = f.ctx.TableauX;
  auto& ty = f.ctx.TableauY;
  if (n < 1) return;
  int k = 0;
  tx[0] = LayoutFrame::Clip(x0);
  ty[0] = LayoutFrame::Clip(rowY(0));
  for (int i = 1; i < n && i < kMaxTableaus; ++i) {
    size_t u = static_cast<size_t>(i);
    if (i % p == 0) {
      ++k;
      tx[u] = LayoutFrame::Clip(x0);
    } else {
      tx[u] = LayoutFrame::Clip(tx[u - 1] + step);
    }
    ty[u] = LayoutFrame::Clip(rowY(k));
  }
}

void PlaceTableauRow(LayoutFrame& f, int forcedX) {
  GameContext& ctx = f.ctx;
  const int n = std::clamp(f.codes.TableauCount, 0, kMaxTableaus);
  const int CW = f.CW;
  const int W = f.W;
  const bool style004 = f.StockStyle == 4 || f.TalonStyle == 4;
  bool rowsSet = false;
  switch (f.TableauStyle) {
    case 1:
    case 14:
    case 15: {
      f.Gap = std::clamp(Nearest((W - n * CW) / double(n + 1)), 4, 20);
      if (f.TableauStyle == 1 && style004) f.Gap = std::max(f.Gap, 15);
      int x0 = Nearest((W - (n * CW + (n - 1) * f.Gap)) / 2.0);
      if (x0 < f.LeftMargin) {
        if (f.TableauStyle == 1) {
          x0 = f.LeftMargin;
        } else {
          // A single pile has no gap to shrink.
          if (n >= 2) {
            f.Gap -= Nearest((f.LeftMargin - x0) / double(n - 1) + 0.99);
            f.Gap = std::clamp(f.Gap, 4, 20);
          }
          x0 = f.in.ScreenWidth < 650 ? f.LeftMargin - 2 : f.LeftMargin;
        }
      }
      StepRight(f, n, x0, CW + f.Gap);
      if (f.TableauStyle != 1 && style004 && f.Gap < 15) {
        for (int i = 1; i < n; ++i) {
          size_t u = static_cast<size_t>(i);
          int step = i <= f.codes.StockCount ? CW + 15 : CW + f.Gap;
          ctx.TableauX[u] = LayoutFrame::Clip(ctx.TableauX[u - 1] + step);
        }
      }
      break;
    }
    case 2: {
      f.Gap = W >= 650 ? 10 : 5;
      int x0 = forcedX != 0 ? forcedX : Nearest((W - n * CW - (n - 1) * f.Gap) / 2.0);
      StepRight(f, n, x0, CW + f.Gap);
      break;
    }
    case 3:
    case 11:
    case 12:
    case 21: {
      int s = f.TableauStyle;
      int k = (s == 3 || s == 12) ? 1 : 2;
      f.Gap = Nearest((W - (n + k) * CW - 32) / double(n + 1 + k));
      if (f.Gap < 4) f.Gap = 4;
      if (f.Gap > 20) f.Gap = 15;
      if (s == 21) f.Gap = 2;
      int x0 = Nearest((W - 40 + f.Gap - ((n + k) * CW + (n - 1 + k) * f.Gap)) / 2.0);
      x0 = std::max(x0, f.LeftMargin);
      x0 += k * (CW + 22);
      if (s == 11 || s == 12) x0 += 15;
      StepRight(f, n, x0, CW + f.Gap);
      break;
    }
    case 10: {
      int r = std::max<int>(1, ctx.GameRules.TableauRows());
      int p = std::max(1, Nearest(n / double(r)));
      f.Gap = Nearest(0.85 * CW);
      if (r == 1) {
        ctx.TableauY[0] = LayoutFrame::Clip(f.Centre3(1));
        StepRight(f, n, 15, CW + f.Gap);
      } else {
        // All rows on the row lines, the first row included.
        PlaceRows(f, n, p, 15, CW + f.Gap, [&](int k) { return f.StackedRow(k + 1); });
        rowsSet = true;
      }
      break;
    }
    case 13: {
      int s = f.in.ShadowOffset;
      if (s < 1) s = 9;
      if (f.in.ScreenHeight < 500) s = -11;
      StepRight(f, n, 2 * s + 30, CW + 4);
      break;
    }
    case 18: {
      int r = std::max<int>(1, ctx.GameRules.TableauRows());
      int p = std::max(1, Nearest(n / double(r)));
      f.Gap = std::max(Nearest((W - p * CW - 2) / double(p + 1)), Nearest(1.5 * CW));
      int x0 = f.in.ScreenHeight < 500 ? 15 : f.LeftMargin + 10;
      int d = (f.TableauRow >= '1' && f.TableauRow <= '9') ? f.TableauRow - '0' : 1;
      PlaceRows(f, n, r == 1 ? std::max(n, 1) : p, x0, CW + f.Gap,
                [&](int k) { return f.Centre4(d + k); });
      rowsSet = true;
      break;
    }
    default:
      break;  // 020 is placed after the foundations; others set only Y
  }
  if (!rowsSet) {
    for (int i = 1; i < n; ++i) ctx.TableauY[static_cast<size_t>(i)] = ctx.TableauY[0];
  }
}

void PlaceStock(LayoutFrame& f) {
  GameContext& ctx = f.ctx;
  const auto& rules = ctx.GameRules;
  const int CW = f.CW;
  const int x0 = ctx.TableauX[0];
  const int y0 = f.RowOf(f.StockRow);
  ctx.StockY[0] = LayoutFrame::Clip(y0);
  bool placed[kStockSlots] = {false, false, false};
  auto at = [&](int slot, int x) {
    ctx.StockX[static_cast<size_t>(slot)] = LayoutFrame::Clip(x);
    placed[slot] = true;
  };
  switch (f.StockStyle) {
    case 3:
      at(0, x0 - CW - 22);
      if (rules.HasWaste() == 1) {
        at(1, ctx.StockX[0]);
        ctx.StockY[1] = LayoutFrame::Clip(f.Row[2]);
        placed[1] = false;  // Y already set
      }
      break;
    case 4:
      if (rules.HasStock() == 1 && rules.HasWaste() == 1) {
        at(0, ctx.TableauX[0]);
        at(1, ctx.TableauX[1]);
      } else if (rules.HasWaste() == 1) {
        at(1, ctx.TableauX[0]);
      } else if (rules.HasStock() == 1) {
        at(0, ctx.TableauX[0]);
      }
      break;
    case 5:
      at(0, f.LeftMargin);
      for (int i = 1; i < f.codes.StockCount && i < kStockSlots; ++i)
        at(i, ctx.StockX[static_cast<size_t>(i - 1)] + CW + f.LeftMargin);
      break;
    case 11:
      at(1, x0 - CW - 45);
      at(0, ctx.StockX[1] - CW - 15);
      break;
    case 13: {
      int s = f.in.ShadowOffset;
      if (s > 1) s = Nearest(s / 2.0);
      if (f.in.ScreenHeight < 500) s = 0;
      at(0, s + 15);
      ctx.StockY[1] = ctx.StockY[0];
      if (f.codes.StockCount > 1) at(1, ctx.StockX[0] + CW + 15);
      break;
    }
    case 16:
    case 19: {
      int x = x0 - CW - (f.StockStyle == 16 ? 30 : 60);
      at(rules.HasStock() == 1 ? 0 : 1, x);
      break;
    }
    case 21:
      at(1, x0 - CW - 15);
      at(0, ctx.StockX[1] - CW - 20);
      break;
    default:
      break;
  }
  for (int i = 1; i < kStockSlots; ++i)
    if (placed[i]) ctx.StockY[static_cast<size_t>(i)] = ctx.StockY[0];
}

void PlaceFoundations(LayoutFrame& f) {
  GameContext& ctx = f.ctx;
  const int CW = f.CW;
  const int c = std::clamp(f.codes.FoundationCount, 0, kMaxFoundations);
  const int n = std::clamp(f.codes.TableauCount, 0, kMaxTableaus);
  auto& fx = ctx.FoundationX;
  auto fxAt = [&](int i, int x) { fx[static_cast<size_t>(i)] = LayoutFrame::Clip(x); };
  auto tx = [&](int i) -> int {
    return (i >= 0 && i < kMaxTableaus) ? ctx.TableauX[static_cast<size_t>(i)] : kUnusedTableau;
  };
  ctx.FoundationY[0] = LayoutFrame::Clip(f.RowOf(f.FoundationRow));
  bool small = f.in.ScreenHeight < 500;
  switch (f.FoundationStyle) {
    case 1: {
      int g = std::max(1, Nearest((f.W - c * CW - 2) / double(c + 1)));
      for (int i = 0; i < c; ++i) fxAt(i, g + i * (CW + g));
      break;
    }
    case 2: {
      int g = std::max(1, Nearest(f.Gap / 2.0));
      int x = Nearest((f.W - c * CW - (c - 1) * g) / 2.0);
      for (int i = 0; i < c; ++i) fxAt(i, x + i * (CW + g));
      break;
    }
    case 13:
      if (small) {
        for (int i = c - 1; i >= 0; --i)
          fxAt(i, i == c - 1 ? tx(n - 1) : fx[static_cast<size_t>(i + 1)] - CW - 1);
        break;
      }
      [[fallthrough]];
    case 7:
      for (int i = 0; i < c; ++i) fxAt(i, tx(n - c + i));
      break;
    case 8:
      for (int i = c - 1; i >= 0; --i)
        fxAt(i, i == c - 1 ? f.W - CW - f.LeftMargin - 5
                           : fx[static_cast<size_t>(i + 1)] - f.LeftMargin - CW);
      break;
    case 9:
      for (int i = c - 1; i >= 0; --i)
        fxAt(i, i == c - 1 ? tx(n - 1) : fx[static_cast<size_t>(i + 1)] - CW - f.FGap);
      break;
    case 17: {
      int a = small ? 10 : 20, b = small ? 1 : 3;
      int slot = ctx.GameRules.HasWaste() == 1 ? 1 : 0;
      fxAt(0, From(ctx.StockX[static_cast<size_t>(slot)], CW + a));
      ctx.FoundationY[0] = ctx.StockY[static_cast<size_t>(slot)];
      for (int i = 1; i < c; ++i) fxAt(i, From(fx[static_cast<size_t>(i - 1)], b + CW));
      break;
    }
    default:
      break;
  }
  for (int i = 1; i < c; ++i) ctx.FoundationY[static_cast<size_t>(i)] = ctx.FoundationY[0];
}

// Tableau style 020: centred under the span of the foundations.
void PlaceTableauUnderFoundations(LayoutFrame& f) {
  GameContext& ctx = f.ctx;
  const int n = std::clamp(f.codes.TableauCount, 0, kMaxTableaus);
  const int c = std::clamp(f.codes.FoundationCount, 1, kMaxFoundations);
  int f0 = ctx.FoundationX[0];
  if (Unused(f0)) return;
  int span = ctx.FoundationX[static_cast<size_t>(c - 1)] + f.CW - f0;
  StepRight(f, n, f0 + Nearest((span - n * f.CW - 10 * (n - 1)) / 2.0), f.CW + 10);
  for (int i = 1; i < n; ++i) ctx.TableauY[static_cast<size_t>(i)] = ctx.TableauY[0];
}

void PlaceReserves(LayoutFrame& f) {
  GameContext& ctx = f.ctx;
  const int CW = f.CW;
  const int q = std::clamp(f.codes.ReserveCount, 0, kMaxReserves);
  const int n = std::clamp(f.codes.TableauCount, 0, kMaxTableaus);
  auto rxAt = [&](int i, int x) { ctx.ReserveX[static_cast<size_t>(i)] = LayoutFrame::Clip(x); };
  auto tx = [&](int i) -> int {
    return (i >= 0 && i < kMaxTableaus) ? ctx.TableauX[static_cast<size_t>(i)] : kUnusedTableau;
  };
  ctx.ReserveY[0] = LayoutFrame::Clip(f.RowOf(f.ReserveRow));
  switch (f.ReserveStyle) {
    case 4:
      for (int i = 0; i < q; ++i) rxAt(i, tx(i));
      break;
    case 5:
      for (int i = 0; i < q; ++i)
        rxAt(i, i == 0 ? f.LeftMargin : ctx.ReserveX[static_cast<size_t>(i - 1)] + CW +
                                            f.LeftMargin);
      break;
    case 6:
      for (int i = 0; i < q; ++i)
        rxAt(i, i == 0 ? tx(0) : From(ctx.ReserveX[static_cast<size_t>(i - 1)], CW + f.FGap));
      break;
    case 7:
      for (int i = 0; i < q; ++i) rxAt(i, tx(n - q + i));
      break;
    case 11:
      rxAt(0, ctx.StockX[1]);
      break;
    case 12:
      rxAt(0, tx(0) - CW - (ctx.GameRules.TableauCount() < 8 ? 45 : 22));
      break;
    default:
      break;
  }
  for (int i = 1; i < q; ++i) ctx.ReserveY[static_cast<size_t>(i)] = ctx.ReserveY[0];
}

void PlaceTalon(LayoutFrame& f) {
  GameContext& ctx = f.ctx;
  const int n = std::clamp(f.codes.TableauCount, 1, kMaxTableaus);
  int d = (f.TalonRow >= '0' && f.TalonRow <= '9') ? f.TalonRow - '0' : 1;
  switch (f.TalonStyle) {
    case 16:
      f.S(2, ctx.StockX[0], f.Row[std::clamp(d - 1, 1, 6)] + f.CH + 20);
      break;
    case 6:
      f.S(2, ctx.TableauX[1], f.RowOf(f.TalonRow));
      break;
    case 7:
      f.S(2, ctx.TableauX[static_cast<size_t>(n - 1)], f.RowOf(f.TalonRow));
      break;
    default:
      break;  // 004 only widens the margins
  }
}

// Reserve row from the left margin: the X a style-002 tableau must start at
// to clear the last reserve, or 0 when nothing touches.
int ReserveOverlapX(LayoutFrame& f) {
  GameContext& ctx = f.ctx;
  const int q = std::clamp(f.codes.ReserveCount, 0, kMaxReserves);
  if (q == 0) return 0;
  size_t last = static_cast<size_t>(q - 1);
  int l1 = ctx.ReserveX[last], t1 = ctx.ReserveY[last];
  for (size_t i = 0; i < kMaxTableaus; ++i) {
    int tx = ctx.TableauX[i], ty = ctx.TableauY[i];
    if (RectsOverlapStepped(l1, t1, l1 + f.CW, t1 + f.CH, tx - 85, ty, tx + f.CW + 85,
                            ty + f.CH)) {
      int x = l1 + f.CW + 86;
      return x > 0 ? x : f.LeftMargin;
    }
  }
  return 0;
}

// Table-wide grid of the single-string row (tableau layout 8): as many cells
// per row as fit between the first pile's X and the right edge.
int GridColumnsFor(const LayoutFrame& f) {
  int x0 = f.ctx.TableauX[0];
  if (Unused(x0) || f.CW <= 0) return 1;
  return std::max(1, (f.W - x0 + 12) / (f.CW + 12));
}

// Gathering and centring, after every placement: the placement rules put
// some stocks at the left margin, some foundation rows against the right
// edge and some templates at fixed places, which on a wide window leaves
// them far from the tableau they serve and the table off the middle. Piles
// move sideways only; rows stay.
struct Placed {
  int16_t* x;
  int16_t* y;
  int right;   // right edge of the pile as dealt, its sideways fan included
  int bottom;  // lowest edge, its downward fan or room included
  PileKind kind;
};

// Cards a pile is dealt, the start of its fan; a foundation fanned
// sideways is given the room of a whole suit, since it grows towards
// whatever stands beside it.
int DealtCards(const GameRulesRecord& g, PileKind kind, int i, int layout) {
  if (kind == PileKind::Tableau) return g.TableauCards(i);
  if (kind == PileKind::Reserve) return g.ReserveCards(i);
  if (kind == PileKind::Foundation && layout == 2) return 13;
  return 1;
}

int SidewaysStep(const GameContext& ctx, int layout, PileKind kind) {
  const auto& s = ctx.GameState;
  if (layout == 2) return s.FanStepRightUp();
  if (layout == 4) return ctx.CardWidth + s.FanStepRight4();
  if (layout == 6 && kind == PileKind::Tableau) return s.FanStepRight6();
  return 0;
}

// Every placed pile; a wrapped row (layout 8) is as wide as its columns.
std::vector<Placed> PlacedPiles(GameContext& ctx, int gridColumns) {
  std::vector<Placed> out;
  const auto& g = ctx.GameRules;
  const int CW = ctx.CardWidth, CH = ctx.CardHeight;
  auto add = [&](int16_t& x, int16_t& y, PileKind kind, int i, int layout) {
    if (Unused(x) || Unused(y)) return;
    const int cards = std::max(1, DealtCards(g, kind, i, layout));
    int fan = (cards - 1) * SidewaysStep(ctx, layout, kind);
    if (kind == PileKind::Tableau && layout == 8) fan = (gridColumns - 1) * (CW + 12);
    int down = layout == 1 ? (cards - 1) * ctx.GameState.FanStepDownUp() : 0;
    if (kind == PileKind::Tableau && layout == 1)
      down = std::max(down, ctx.GameState.TableauRoomY() - CH);
    out.push_back({&x, &y, x + CW + fan, y + CH + down, kind});
  };
  for (size_t i = 0; i < kStockSlots; ++i)
    add(ctx.StockX[i], ctx.StockY[i], PileKind::Stock, static_cast<int>(i), 0);
  for (size_t i = 0; i < ctx.FoundationX.size(); ++i)
    add(ctx.FoundationX[i], ctx.FoundationY[i], PileKind::Foundation, static_cast<int>(i),
        g.FoundationLayout());
  for (size_t i = 0; i < ctx.TableauX.size(); ++i)
    add(ctx.TableauX[i], ctx.TableauY[i], PileKind::Tableau, static_cast<int>(i),
        g.TableauLayout());
  for (size_t i = 0; i < ctx.ReserveX.size(); ++i)
    add(ctx.ReserveX[i], ctx.ReserveY[i], PileKind::Reserve, static_cast<int>(i),
        g.ReserveLayout());
  return out;
}

void MovePile(Placed& p, int dx) {
  *p.x = LayoutFrame::Clip(*p.x + dx);
  p.right += dx;
}

// Sideways gap between two spans (0 when one stands over the other).
int GapBetween(int l1, int r1, int l2, int r2) { return std::max({0, l2 - r1, l1 - r2}); }

bool Overlap(int l1, int t1, int r1, int b1, const Placed& p) {
  return l1 < p.right && *p.x < r1 && t1 < p.bottom && *p.y < b1;
}

struct Span {
  int left = 1 << 30, right = -(1 << 30), top = 1 << 30, bottom = -(1 << 30);
  void Add(const Placed& p) {
    left = std::min(left, static_cast<int>(*p.x));
    right = std::max(right, p.right);
    top = std::min(top, static_cast<int>(*p.y));
    bottom = std::max(bottom, p.bottom);
  }
  bool Empty() const { return right < left; }
};

// Piles off the tableau that stand together (a stock over its waste) or
// in one row of their kind (the foundations) form a group and move as one. A group farther
// sideways from the tableau than the templates' widest own stock distance
// comes in: edge to edge with the tableau's span (over its first or last
// piles) when nothing stands there, else to a row gap of the piles in its
// band. Template tables keep their own figure; only their stock area comes
// in.
void GatherOutlyingGroups(std::vector<Placed>& piles, const LayoutFrame& f, bool figure) {
  constexpr int kFarthest = 70;
  constexpr int kTogether = 40;
  const int pull = 2 * f.m;
  Span body;
  for (const Placed& p : piles)
    if (p.kind == PileKind::Tableau) body.Add(p);
  if (body.Empty())
    for (const Placed& p : piles)
      if (p.kind != PileKind::Stock) body.Add(p);
  if (body.Empty()) return;
  std::vector<int> group(piles.size(), -1);
  int groups = 0;
  for (size_t first = 0; first < piles.size(); ++first) {
    if (piles[first].kind == PileKind::Tableau || group[first] >= 0) continue;
    std::vector<size_t> members = {first};
    group[first] = groups;
    for (size_t k = 0; k < members.size(); ++k)
      for (size_t o = 0; o < piles.size(); ++o) {
        if (piles[o].kind == PileKind::Tableau || group[o] >= 0) continue;
        const Placed& a = piles[members[k]];
        const Placed& b = piles[o];
        const bool oneRow = a.kind == b.kind && a.kind != PileKind::Stock && *a.y == *b.y;
        if (oneRow || (GapBetween(*a.x, a.right, *b.x, b.right) <= kTogether &&
                       GapBetween(*a.y, a.bottom, *b.y, b.bottom) <= kTogether)) {
          group[o] = groups;
          members.push_back(o);
        }
      }
    Span g;
    bool stock = false;
    for (size_t m : members) {
      g.Add(piles[m]);
      stock = stock || piles[m].kind == PileKind::Stock;
    }
    ++groups;
    if ((figure && !stock) || GapBetween(g.left, g.right, body.left, body.right) <= kFarthest)
      continue;
    const bool leftOfBody = g.right <= body.left;
    auto clear = [&](int dx) {
      for (size_t o = 0; o < piles.size(); ++o)
        if (group[o] != groups - 1 && Overlap(g.left + dx, g.top, g.right + dx, g.bottom, piles[o]))
          return false;
      return true;
    };
    int dx = leftOfBody ? body.left - g.left : body.right - g.right;
    if (!clear(dx)) {
      Span band;
      for (size_t o = 0; o < piles.size(); ++o)
        if (group[o] != groups - 1 && *piles[o].y < g.bottom && piles[o].bottom > g.top)
          band.Add(piles[o]);
      if (band.Empty()) band = body;
      dx = leftOfBody ? band.left - g.right - pull : band.right + pull - g.left;
    }
    for (size_t m : members) MovePile(piles[m], dx);
  }
}

// The whole table to the middle of the working width, when it fits.
void CentreTable(std::vector<Placed>& piles, const LayoutFrame& f) {
  if (piles.empty()) return;
  int left = 1 << 30, right = -(1 << 30);
  for (const Placed& p : piles) {
    left = std::min(left, static_cast<int>(*p.x));
    right = std::max(right, p.right);
  }
  if (right - left > f.W) return;
  const int dx = Nearest((f.W - (right - left)) / 2.0) - left;
  for (Placed& p : piles) MovePile(p, dx);
}

void GatherAndCentre(GameContext& ctx, const LayoutFrame& f, int gridColumns) {
  std::vector<Placed> piles = PlacedPiles(ctx, gridColumns);
  GatherOutlyingGroups(piles, f, IsTemplateStyle(f.TableauStyle));
  CentreTable(piles, f);
}

}  // namespace

namespace {

int PlacePiles(GameContext& ctx, const PileCodes& codes, const LayoutArea& area,
               const LayoutInput& in, bool gather) {
  LayoutFrame f(ctx, codes, area, in);
  ParseCode(codes.Stock, f.StockRow, f.StockStyle);
  ParseCode(codes.Foundation, f.FoundationRow, f.FoundationStyle);
  ParseCode(codes.Tableau, f.TableauRow, f.TableauStyle);
  ParseCode(codes.Reserve, f.ReserveRow, f.ReserveStyle);
  ParseCode(codes.Talon, f.TalonRow, f.TalonStyle);
  f.CW = ctx.CardWidth;
  f.CH = ctx.CardHeight;

  ctx.GameState.ScrollOffsetY() = 0;
  f.W = area.Width - 2 - (area.Height < 500 ? 10 : 0);
  int forcedX = 0;
  int passes = 0;
  // The reserve overlap retry moves only a style-002 tableau, so one retry
  // is all that can help.
  const int maxPasses = f.TableauStyle == 2 ? 2 : 1;
  for (;;) {
    ++passes;
    SetFrame(f);
    ctx.GameState.TableauRoomY() = LayoutFrame::Clip(TableauRoom(f));
    ctx.GameState.TableauPitchX() = LayoutFrame::Clip(f.CW);
    if (IsTemplateStyle(f.TableauStyle)) {
      PlaceTemplate(f, f.TableauStyle);
      break;
    }
    ctx.TableauY[0] = LayoutFrame::Clip(f.RowOf(f.TableauRow));
    PlaceTableauRow(f, forcedX);
    if (codes.StockCount >= 1) PlaceStock(f);
    f.FGap = std::max(1, Nearest(f.Gap / 3.0));
    PlaceFoundations(f);
    if (f.TableauStyle == 20) PlaceTableauUnderFoundations(f);
    if (codes.ReserveCount > 0) PlaceReserves(f);
    if (codes.TalonCount > 0) PlaceTalon(f);
    if (f.ReserveStyle == 5) {
      int x = ReserveOverlapX(f);
      if (x != 0 && passes < maxPasses) {
        forcedX = x;
        continue;
      }
    }
    if (Unused(ctx.StockY[1])) ctx.StockY[1] = ctx.StockY[0];
    for (size_t i = 1; i <= 3; ++i)
      if (Unused(ctx.FoundationY[i])) ctx.FoundationY[i] = ctx.FoundationY[0];
    for (size_t i = 1; i <= 6; ++i)
      if (Unused(ctx.TableauY[i])) ctx.TableauY[i] = ctx.TableauY[0];
    break;
  }
  // The wrapped row keeps the columns its first place gave it.
  const int gridColumns = GridColumnsFor(f);
  if (gather) GatherAndCentre(ctx, f, gridColumns);

  if (ctx.GameRules.TableauLayout() == 2) {
    int next = ctx.TableauY[0] == ctx.TableauY[1] ? ctx.TableauX[1] : ctx.FoundationX[0];
    // Without a second pile or a foundation to reach to, the pitch stays one card.
    if (!Unused(next) && !Unused(ctx.TableauX[0]))
      ctx.GameState.TableauPitchX() = LayoutFrame::Clip(next - ctx.TableauX[0]);
  }
  ctx.GameState.GridColumns() = LayoutFrame::Clip(gridColumns);
  for (size_t i = 0; i < kStockSlots; ++i) {
    ctx.StockBaseX[i] = ctx.StockX[i];
    ctx.StockBaseYUnscrolled[i] = ctx.StockY[i];
    ctx.StockBaseY[i] = LayoutFrame::Clip(ctx.StockY[i] - in.ScrollPosition);
  }
  ctx.GameState.ScrollOffsetY() = LayoutFrame::Clip(in.ScrollPosition);
  return passes;
}

}  // namespace

int CalcPilePositions(GameContext& ctx, const PileCodes& codes, const LayoutArea& area,
                      const LayoutInput& in) {
  return PlacePiles(ctx, codes, area, in, false);
}

int ComputeLayout(GameContext& ctx, const LayoutInput& in) {
  return PlacePiles(ctx, PileCodesFromRules(ctx.GameRules), LayoutAreaFromInput(in), in, true);
}

}  // namespace tw
