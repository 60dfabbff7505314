#include "table/geometry.h"

#include <algorithm>
#include <vector>

#include "core/cfg.h"
#include "table/layout.h"

namespace tw {

bool SetCardSize(GameContext& ctx) {
  std::string letter = ctx.Cfg(cfg::Card_Size);
  bool known = true;
  if (letter == "B") {
    ctx.CardWidth = 71;
    ctx.CardHeight = 96;
  } else if (letter == "M") {
    ctx.CardWidth = 59;
    ctx.CardHeight = 80;
  } else if (letter == "L") {
    ctx.CardWidth = 25;
    ctx.CardHeight = 32;
  } else {
    known = false;
  }
  ctx.TfrmMain.CardMaskMode = 0;
  ctx.TfrmMain.CardRect = Rect{0, 0, ctx.CardWidth, ctx.CardHeight};
  return known;
}

void SetFanSteps(GameContext& ctx) {
  auto& s = ctx.GameState;
  const auto& rules = ctx.GameRules;
  std::string size = ctx.Cfg(cfg::Card_Size);
  bool big = size == "B", medium = size == "M", little = size == "L";
  s.FanStepDownUp() = 0;
  s.FanStepRightUp() = 0;
  s.FanStepDownDown() = 0;
  s.FanStepRightDown() = 0;
  s.FanStep5() = 3;
  s.FanStepRight4() = 6;
  if (rules.TableauLayout() == 1) {
    s.FanStepDownDown() = 4;
    if (big) s.FanStepDownUp() = 18;
    if (medium) s.FanStepDownUp() = 14;
    if (little) s.FanStepDownUp() = s.FanStepDownDown() = 3;
  }
  if (rules.TableauLayout() == 2 || rules.ReserveLayout() == 2) {
    s.FanStepRightDown() = 4;
    if (big) s.FanStepRightUp() = 12;
    if (medium) s.FanStepRightUp() = 10;
    if (little) s.FanStepRightUp() = s.FanStepRightDown() = 3;
  }
  if (rules.TableauLayout() == 6) {
    int v = big ? 7 : medium ? 5 : little ? 3 : 0;
    s.FanStepRight6() = static_cast<int16_t>(v);
    s.FanStepRight6Down() = static_cast<int16_t>(v);
  }
}

namespace {

bool ParseNumber(const std::string& text, size_t from, int& n) {
  if (from >= text.size() || text.size() - from > 3) return false;
  n = 0;
  for (size_t i = from; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    n = n * 10 + (text[i] - '0');
  }
  return true;
}

int CodeAt(const std::string& pile, int j) {
  size_t p = static_cast<size_t>(j) * 3;
  if (j < 0 || p + 3 > pile.size()) return 0;
  int v = 0;
  for (size_t i = p; i < p + 3; ++i) {
    char c = pile[i];
    if (c < '0' || c > '9') return 0;
    v = v * 10 + (c - '0');
  }
  return v;
}

int CountOf(const std::string& pile) { return static_cast<int>(pile.size() / 3); }

int LayoutOf(const GameContext& ctx, PileKind kind) {
  switch (kind) {
    case PileKind::Tableau: return ctx.GameRules.TableauLayout();
    case PileKind::Foundation: return ctx.GameRules.FoundationLayout();
    case PileKind::Reserve: return ctx.GameRules.ReserveLayout();
    default: return 0;
  }
}

int ScrollY(const GameContext& ctx) { return ctx.GameState.ScrollOffsetY(); }

int BaseX(const GameContext& ctx, PileKind kind, int i) {
  size_t u = static_cast<size_t>(i);
  switch (kind) {
    case PileKind::Stock: return ctx.GetStockX(0);
    case PileKind::Waste: return ctx.GetStockX(1);
    case PileKind::Talon: return ctx.GetStockX(2);
    case PileKind::Foundation: return ctx.GetFoundationX(i);
    case PileKind::Tableau: return ctx.TableauX[u];
    case PileKind::Reserve: return ctx.GetReserveX(i) - ReserveEdgeDepth(ctx, i);
    default: return 0;
  }
}

int BaseY(const GameContext& ctx, PileKind kind, int i) {
  size_t u = static_cast<size_t>(i);
  switch (kind) {
    case PileKind::Stock: return ctx.GetStockY(0);
    case PileKind::Waste: return ctx.GetStockY(1);
    case PileKind::Talon: return ctx.GetStockY(2);
    case PileKind::Foundation: return ctx.GetFoundationY(i);
    case PileKind::Tableau: return ctx.TableauY[u] - ScrollY(ctx);
    case PileKind::Reserve: return ctx.GetReserveY(i) - ReserveEdgeDepth(ctx, i);
    default: return 0;
  }
}

// Downward step after a card of the pile kind.
int StepY(const GameContext& ctx, PileKind kind, int layout, int card) {
  const auto& s = ctx.GameState;
  bool faceStep = (kind == PileKind::Tableau || kind == PileKind::Foundation ||
                   kind == PileKind::Reserve) && layout == 1;
  if (faceStep) return IsCardFaceDown(ctx, card) ? s.FanStepDownDown() : s.FanStepDownUp();
  if (kind == PileKind::Reserve && layout == 5) return s.FanStep5();
  return 0;
}

// Sideways step after a card of the pile kind.
int StepX(const GameContext& ctx, PileKind kind, int layout, int card) {
  const auto& s = ctx.GameState;
  bool sideways = kind == PileKind::Tableau || kind == PileKind::Foundation ||
                  kind == PileKind::Reserve;
  if (!sideways) return 0;
  bool down = IsCardFaceDown(ctx, card);
  if (layout == 2) return down ? s.FanStepRightDown() : s.FanStepRightUp();
  if (layout == 4) return ctx.CardWidth + s.FanStepRight4();
  if (layout == 6 && kind == PileKind::Tableau)
    return down ? s.FanStepRight6Down() : s.FanStepRight6();
  return 0;
}

// Number of cards whose steps lie below card k (counted from the top).
int CardsBelow(int count, int k, bool includeNext) {
  return std::clamp(includeNext ? count - k : count - 1 - k, 0, count);
}

bool Inside(int x, int y, int l, int t, int r, int b) {
  return x >= l && x <= r && y >= t && y <= b;
}

bool Used(int v) { return v >= kUnusedBelow; }

// Irregular piles: the tableau's cards of a downward fan are shifted sideways.
bool IrregularPile(const GameContext& ctx, PileKind kind) {
  return kind == PileKind::Tableau && ctx.Cfg(cfg::Piles_TT) != "N";
}

bool PileHolds(const std::string& pile, int card) {
  for (int j = 0; j < CountOf(pile); ++j)
    if (CodeAt(pile, j) == card) return true;
  return false;
}

const std::string kEmpty;

}  // namespace

PileKind ParsePileName(const std::string& name, int& index) {
  index = -1;
  if (name == "Mazzo") return index = 0, PileKind::Stock;
  if (name == "Mazzo_Vis") return index = 1, PileKind::Waste;
  if (name == "Mazzo_Waste" || name == "Waste") return index = 2, PileKind::Talon;
  struct Prefix {
    const char* text;
    PileKind kind;
    int count;
  };
  static const Prefix kPrefixes[] = {{"Dest", PileKind::Foundation, kMaxFoundations},
                                     {"Fila", PileKind::Tableau, kMaxTableaus},
                                     {"Appogg", PileKind::Reserve, kMaxReserves}};
  for (const Prefix& p : kPrefixes) {
    std::string pre = p.text;
    int n = 0;
    if (name.compare(0, pre.size(), pre) == 0 && ParseNumber(name, pre.size(), n) && n >= 1 &&
        n <= p.count && name[pre.size()] != '0') {
      index = n - 1;
      return p.kind;
    }
  }
  return PileKind::None;
}

std::string PileName(PileKind kind, int index) {
  switch (kind) {
    case PileKind::Stock: return "Mazzo";
    case PileKind::Waste: return "Mazzo_Vis";
    case PileKind::Talon: return "Mazzo_Waste";
    case PileKind::Foundation: return "Dest" + std::to_string(index + 1);
    case PileKind::Tableau: return "Fila" + std::to_string(index + 1);
    case PileKind::Reserve: return "Appogg" + std::to_string(index + 1);
    default: return "";
  }
}

const std::string& PileString(const GameContext& ctx, PileKind kind, int index) {
  const StringList* list = nullptr;
  switch (kind) {
    case PileKind::Stock:
    case PileKind::Waste:
    case PileKind::Talon: list = &ctx.MazzoPiles; break;
    case PileKind::Foundation: list = &ctx.DestPiles; break;
    case PileKind::Tableau: list = &ctx.FilaPiles; break;
    case PileKind::Reserve: list = &ctx.AppoggPiles; break;
    default: return kEmpty;
  }
  if (index < 0 || static_cast<size_t>(index) >= list->size()) return kEmpty;
  return (*list)[static_cast<size_t>(index)];
}

bool IsCardFaceDown(const GameContext& ctx, int card) {
  if (card < 1 || static_cast<size_t>(card) > ctx.CardRecords.size()) return false;
  const std::string& r = ctx.CardRecords[static_cast<size_t>(card - 1)];
  return r.size() >= 20 && r[19] == '0';
}

int PileEdgeDepth(int cards) {
  if (cards < 2) return 0;
  if (cards == 2) return 1;
  return std::min(15, cards / 7 + 1);
}

bool ReserveLayoutSquared(int layout) {
  return layout != 1 && layout != 2 && layout != 4 && layout != 5 && layout != 7;
}

int ReserveEdgeDepth(const GameContext& ctx, int index) {
  if (!ReserveLayoutSquared(ctx.GameRules.ReserveLayout())) return 0;
  return PileEdgeDepth(CountOf(PileString(ctx, PileKind::Reserve, index)));
}

void GridCellPos(const GameContext& ctx, int cell, int& x, int& y) {
  int columns = std::max<int>(1, ctx.GameState.GridColumns());
  int row = cell / columns, column = cell % columns;
  int dx = ctx.CardWidth + 12;
  x = column * dx;
  if (row % 2 == 1) x = (columns - 1) * dx - x;
  x += ctx.TableauX[0];
  y = row * (ctx.CardHeight + 8) + ctx.TableauY[0] - ScrollY(ctx);
}

// Where code j (0-based) of the single row lies: every hole before it starts
// a new cell, but for a hole the row opens with (the stock deals a hole
// before each card); cards with no hole between them share a cell.
void WrappedCodePos(const GameContext& ctx, int j, int& x, int& y) {
  const std::string& pile = ctx.FilaPiles.empty() ? kEmpty : ctx.FilaPiles[0];
  int cell = 0;
  for (int k = 1; k < j && k < CountOf(pile); ++k)
    if (CodeAt(pile, k) == 0) ++cell;
  GridCellPos(ctx, cell, x, y);
}

void GetWrappedSlotPos(const GameContext& ctx, int position, int& x, int& y, int& card) {
  const std::string& pile = ctx.FilaPiles.empty() ? kEmpty : ctx.FilaPiles[0];
  int target = (position - 1) / 3;
  int cell = 0;
  for (int j = 0; j < target && j < CountOf(pile); ++j)
    if (CodeAt(pile, j) == 0) ++cell;
  card = CodeAt(pile, target);
  GridCellPos(ctx, cell, x, y);
}

bool GetWrappedCardPos(const GameContext& ctx, int card, int& x, int& y) {
  x = y = 0;
  if (card < 1 || ctx.FilaPiles.empty()) return false;
  const std::string& pile = ctx.FilaPiles[0];
  for (int j = 0; j < CountOf(pile); ++j) {
    if (CodeAt(pile, j) == card) {
      WrappedCodePos(ctx, j, x, y);
      return true;
    }
  }
  return false;
}

namespace {

// The pile a card position is asked of, and its place when the pile is a
// cell of the free grid (where cards do not step but wrap).
struct PileAt {
  PileKind kind = PileKind::None;
  int i = 0;
  const std::string* pile = nullptr;
  int layout = 0;
  bool grid = false;
  int gridX = 0, gridY = 0;
};

PileAt LocatePileCard(const GameContext& ctx, const std::string& pileName, int k,
                      bool includeNext) {
  PileAt at;
  at.kind = ParsePileName(pileName, at.i);
  if (at.kind == PileKind::None) return at;
  at.pile = &PileString(ctx, at.kind, at.i);
  at.layout = LayoutOf(ctx, at.kind);
  at.grid = at.kind == PileKind::Tableau && at.layout == 8;
  if (at.grid) {
    const int count = static_cast<int>(at.pile->size()) / 3;
    WrappedCodePos(ctx, includeNext ? count - k : count - 1 - k, at.gridX, at.gridY);
  }
  return at;
}

}  // namespace

int CardTopY(const GameContext& ctx, const std::string& pileName, int /*index*/, int k,
             bool includeNext) {
  const PileAt at = LocatePileCard(ctx, pileName, k, includeNext);
  if (at.kind == PileKind::None) return 0;
  if (at.grid) return at.gridY;
  const std::string& pile = *at.pile;
  int len = static_cast<int>(pile.size());
  int y = BaseY(ctx, at.kind, at.i);
  if (at.layout == 7) return len - 3 * k >= 3 ? y + ctx.GameState.FanStepDownUp() : y;
  int below = CardsBelow(CountOf(pile), k, includeNext);
  for (int j = 0; j < below; ++j) y += StepY(ctx, at.kind, at.layout, CodeAt(pile, j));
  return y;
}

int CardLeftX(const GameContext& ctx, const std::string& pileName, int /*index*/, int k,
              bool includeNext) {
  const PileAt at = LocatePileCard(ctx, pileName, k, includeNext);
  if (at.kind == PileKind::None) return 0;
  if (at.grid) return at.gridX;
  const std::string& pile = *at.pile;
  int len = static_cast<int>(pile.size());
  int count = CountOf(pile);
  int x = BaseX(ctx, at.kind, at.i);
  int below = CardsBelow(count, k, includeNext);
  for (int j = 0; j < below; ++j) x += StepX(ctx, at.kind, at.layout, CodeAt(pile, j));
  if (at.layout == 1 && IrregularPile(ctx, at.kind)) {
    int c = (k != 0 || includeNext) ? Nearest((len - 3 * k) / 3.0) + 1 : count;
    int e = c - 1;
    if (e > 12) e %= 12;
    int pattern = (at.i > 6 ? at.i % 6 : at.i) + 1;
    if (e >= 0) x += ctx.JitterPatterns[static_cast<size_t>(pattern - 1)][static_cast<size_t>(e)];
  }
  return x;
}

int PileBottomY(const GameContext& ctx, const std::string& pileName) {
  int i = 0;
  PileKind kind = ParsePileName(pileName, i);
  if (kind != PileKind::Tableau && kind != PileKind::Foundation && kind != PileKind::Reserve)
    return 0;
  const std::string& pile = PileString(ctx, kind, i);
  int layout = LayoutOf(ctx, kind);
  int y = BaseY(ctx, kind, i);
  for (int j = 0; j + 1 < CountOf(pile); ++j) y += StepY(ctx, kind, layout, CodeAt(pile, j));
  return y + ctx.CardHeight;
}

int HitTestInPile(const GameContext& ctx, PileKind kind, const std::string& pile, int index,
                  int x, int y, int& cardX, int& cardY) {
  cardX = cardY = 0;
  if (kind != PileKind::Tableau && kind != PileKind::Reserve) return 0;
  int count = CountOf(pile);
  if (count == 0) return 0;
  const auto& s = ctx.GameState;
  const int CW = ctx.CardWidth, CH = ctx.CardHeight;
  int layout = LayoutOf(ctx, kind);
  int ox = BaseX(ctx, kind, index), oy = BaseY(ctx, kind, index);
  std::string name = PileName(kind, index);
  switch (layout) {
    case 1:
    case 3:
    case 5: {
      if (layout == 1 && IrregularPile(ctx, kind)) {
        // The cards stand off the pile's line: the band under the point
        // answers where its card is, else the card beneath that shows.
        std::vector<int> tops(static_cast<size_t>(count));
        int found = -1;
        for (int j = 0, start = oy; j < count; ++j) {
          tops[static_cast<size_t>(j)] = start;
          const int step =
              IsCardFaceDown(ctx, CodeAt(pile, j)) ? s.FanStepDownDown() : s.FanStepDownUp();
          if (found < 0 && y >= start && y <= start + (j == count - 1 ? CH - 1 : step)) found = j;
          start += step;
        }
        for (int j = found; j >= 0; --j) {
          const int cx = CardLeftX(ctx, name, index, count - j, false);
          const int cy = tops[static_cast<size_t>(j)];
          if (Inside(x, y, cx, cy, cx + CW, cy + CH - 1)) {
            cardX = cx;
            cardY = cy;
            return CodeAt(pile, j);
          }
        }
        return 0;
      }
      int start = oy;
      for (int j = 0; j < count; ++j) {
        int card = CodeAt(pile, j);
        int step = layout == 5 ? s.FanStep5()
                               : (IsCardFaceDown(ctx, card) ? s.FanStepDownDown()
                                                            : s.FanStepDownUp());
        int band = j == count - 1 ? CH - 1 : step;
        if (y >= start && y <= start + band) {
          if (layout == 3) {
            cardX = ox;
            cardY = oy;
            return CodeAt(pile, count - 1);
          }
          cardY = start;
          cardX = CardLeftX(ctx, name, index, count - j, false);
          return card;
        }
        start += step;
      }
      return 0;
    }
    case 2:
    case 4:
    case 6: {
      if (layout == 6 && kind != PileKind::Tableau) return 0;
      int start = ox;
      for (int j = 0; j < count; ++j) {
        int card = CodeAt(pile, j);
        bool down = IsCardFaceDown(ctx, card);
        int step, band;
        if (layout == 4) {
          step = CW + s.FanStepRight4();
          band = CW;
        } else {
          step = layout == 2 ? (down ? s.FanStepRightDown() : s.FanStepRightUp())
                             : (down ? s.FanStepRight6Down() : s.FanStepRight6());
          band = j == count - 1 ? CW - 1 : step;
        }
        if (x >= start && x <= start + band) {
          cardX = start;
          cardY = oy;
          return card;
        }
        start += step;
      }
      return 0;
    }
    case 8: {
      if (kind != PileKind::Tableau) return 0;
      for (int j = 0; j < count; ++j) {
        int cx = 0, cy = 0;
        WrappedCodePos(ctx, j, cx, cy);
        const int card = CodeAt(pile, j);
        if (card > 0 && Inside(x, y, cx, cy, cx + CW, cy + CH)) {
          cardX = cx;
          cardY = cy;
          return card;
        }
      }
      return 0;
    }
    default:
      return 0;
  }
}

HitResult HitTest(const GameContext& ctx, int x, int y) {
  HitResult h;
  const int CW = ctx.CardWidth, CH = ctx.CardHeight;
  const auto& rules = ctx.GameRules;
  auto hit = [&](const std::string& pile, int card, int l, int t, int r, int b) {
    h.Pile = pile;
    h.Card = card;
    h.Left = l;
    h.Top = t;
    h.Right = r;
    h.Bottom = b;
    return h;
  };

  for (int i = 0; i < 2; ++i) {
    int sx = ctx.GetStockX(i), sy = ctx.GetStockY(i);
    if (!Used(ctx.StockX[static_cast<size_t>(i)]) || !Used(ctx.StockY[static_cast<size_t>(i)]))
      continue;
    if (Inside(x, y, sx, sy, sx + CW, sy + CH)) {
      const std::string& pile = PileString(ctx, PileKind::Stock, i);
      int card = CodeAt(pile, CountOf(pile) - 1);
      return hit(i == 0 ? "Mazzo" : "Mazzo_Vis", card, sx, sy, sx + CW, sy + CH);
    }
  }

  const int n = std::clamp<int>(rules.TableauCount(), 0, kMaxTableaus);
  const int tl = rules.TableauLayout();
  auto tableauHit = [&](int i, int& card, int& cx, int& cy) {
    card = HitTestInPile(ctx, PileKind::Tableau, PileString(ctx, PileKind::Tableau, i), i, x, y,
                         cx, cy);
    return card >= 1;
  };
  if (tl != 4) {
    for (int i = 0; i < n; ++i) {
      size_t u = static_cast<size_t>(i);
      if (!Used(ctx.TableauX[u]) || !Used(ctx.TableauY[u])) continue;
      std::string name = PileName(PileKind::Tableau, i);
      int tx = ctx.TableauX[u], ty = ctx.TableauY[u] - ScrollY(ctx);
      bool in = false;
      if (tl == 1 && IrregularPile(ctx, PileKind::Tableau)) {
        // Only the cards themselves tell where a shifted pile lies.
        int card = 0, cx = 0, cy = 0;
        if (tableauHit(i, card, cx, cy)) return hit(name, card, cx, cy, cx + CW, cy + CH);
        continue;
      }
      if (tl == 1 || tl == 3)
        in = Inside(x, y, tx, ty, tx + CW, PileBottomY(ctx, name));
      else if (tl == 2 || tl == 6)
        in = Inside(x, y, tx, ty, CardLeftX(ctx, name, i, 0, false) + CW, ty + CH);
      else if (tl == 8)
        in = i == 0;
      if (!in) continue;
      int card = 0, cx = 0, cy = 0;
      if (tableauHit(i, card, cx, cy)) return hit(name, card, cx, cy, cx + CW, cy + CH);
      break;
    }
  } else {
    for (int i = n - 1; i >= 0; --i) {
      size_t u = static_cast<size_t>(i);
      if (!Used(ctx.TableauX[u]) || !Used(ctx.TableauY[u])) continue;
      std::string name = PileName(PileKind::Tableau, i);
      int tx = ctx.TableauX[u], ty = ctx.TableauY[u] - ScrollY(ctx);
      if (!Inside(x, y, tx, ty, CardLeftX(ctx, name, i, 0, false) + CW, ty + CH)) continue;
      int card = 0, cx = 0, cy = 0;
      if (tableauHit(i, card, cx, cy)) return hit(name, card, cx, cy, cx + CW, cy + CH);
    }
  }

  const int fl = rules.FoundationLayout();
  for (int i = 0; i < kMaxFoundations; ++i) {
    size_t u = static_cast<size_t>(i);
    if (!Used(ctx.FoundationX[u]) || !Used(ctx.FoundationY[u])) continue;
    std::string name = PileName(PileKind::Foundation, i);
    const std::string& pile = PileString(ctx, PileKind::Foundation, i);
    int l, t;
    if (fl == 1 || fl == 3) {
      l = ctx.GetFoundationX(i);
      t = PileBottomY(ctx, name) - CH;
    } else if (fl == 2 || fl == 4 || fl == 6) {
      // Sideways foundations are hit on their top card, whichever step fans them.
      l = CardLeftX(ctx, name, i, 0, false);
      t = ctx.GetFoundationY(i);
    } else {
      continue;
    }
    if (Inside(x, y, l, t, l + CW, t + CH))
      return hit(name, CodeAt(pile, CountOf(pile) - 1), l, t, l + CW, t + CH);
  }

  const int q = std::clamp<int>(rules.ReserveCount(), 0, kMaxReserves);
  const int rl = rules.ReserveLayout();
  for (int i = 0; i < q; ++i) {
    size_t u = static_cast<size_t>(i);
    if (!Used(ctx.ReserveX[u]) || !Used(ctx.ReserveY[u])) continue;
    std::string name = PileName(PileKind::Reserve, i);
    const std::string& pile = PileString(ctx, PileKind::Reserve, i);
    int rx = BaseX(ctx, PileKind::Reserve, i), ry = BaseY(ctx, PileKind::Reserve, i);
    bool in = false;
    if (rl == 1 || rl == 3 || rl == 5) {
      in = Inside(x, y, rx, ry, rx + CW, PileBottomY(ctx, name));
    } else if (rl == 2) {
      int l = CardLeftX(ctx, name, i, 0, false);
      in = Inside(x, y, l, ry, l + CW, ry + CH);
    }
    if (!in || pile.empty()) continue;
    int cx = 0, cy = 0;
    int card = HitTestInPile(ctx, PileKind::Reserve, pile, i, x, y, cx, cy);
    if (card < 1) continue;
    int bottom = rules.SingleCardPick() == -11 ? cy + CH : PileBottomY(ctx, name);
    return hit(name, card, cx, cy, cx + CW, bottom);
  }
  return HitResult{};
}

bool FindCardRect(const GameContext& ctx, int card, Rect& r) {
  r = Rect{};
  const int CW = ctx.CardWidth, CH = ctx.CardHeight;
  const auto& rules = ctx.GameRules;
  auto probe = [&](int x, int y) {
    HitResult h = HitTest(ctx, x, y);
    if (h.Pile.empty() || h.Card != card) return false;
    r = Rect{h.Left, h.Top, h.Right, h.Bottom};
    return true;
  };

  for (int i = 0; i < kStockSlots; ++i) {
    size_t u = static_cast<size_t>(i);
    if (ctx.StockY[u] <= kUnusedStock || u >= ctx.MazzoPiles.size()) continue;
    if (PileHolds(ctx.MazzoPiles[u], card)) {
      int sx = ctx.GetStockX(i), sy = ctx.GetStockY(i);
      r = Rect{sx, sy, sx + CW, sy + CH};
      return true;
    }
  }
  const int fl = rules.FoundationLayout();
  for (int i = 0; i < kMaxFoundations; ++i) {
    if (!Used(ctx.FoundationY[static_cast<size_t>(i)])) continue;
    std::string name = PileName(PileKind::Foundation, i);
    if ((fl == 1 || fl == 3) && probe(ctx.GetFoundationX(i) + 1, PileBottomY(ctx, name) - 1))
      return true;
    if ((fl == 2 || fl == 4 || fl == 6) &&
        probe(CardLeftX(ctx, name, i, 0, false) + 1, ctx.GetFoundationY(i) + 1))
      return true;
  }
  const int n = std::clamp<int>(rules.TableauCount(), 0, kMaxTableaus);
  const int tl = rules.TableauLayout();
  for (int i = 0; i < n; ++i) {
    size_t u = static_cast<size_t>(i);
    if (!Used(ctx.TableauY[u])) continue;
    std::string name = PileName(PileKind::Tableau, i);
    int ty = ctx.TableauY[u] - ScrollY(ctx);
    int topX = CardLeftX(ctx, name, i, 0, false);
    if ((tl == 1 || tl == 3) && probe(topX + 1, PileBottomY(ctx, name) - 1)) return true;
    if ((tl == 2 || tl == 6) && probe(topX + 1, ty + 1)) return true;
    if (tl == 4) {
      int count = CountOf(PileString(ctx, PileKind::Tableau, i));
      for (int k = count; k >= 1; --k)
        if (probe(CardLeftX(ctx, name, i, k, true) + 1, ty + 1)) return true;
    }
    if (tl == 8 && i == 0) {
      int x = 0, y = 0;
      if (GetWrappedCardPos(ctx, card, x, y)) {
        r = Rect{x, y, x + CW, y + CH};
        return true;
      }
    }
  }
  const int q = std::clamp<int>(rules.ReserveCount(), 0, kMaxReserves);
  const int rl = rules.ReserveLayout();
  for (int i = 0; i < q; ++i) {
    if (!Used(ctx.ReserveY[static_cast<size_t>(i)])) continue;
    std::string name = PileName(PileKind::Reserve, i);
    if ((rl == 1 || rl == 3 || rl == 5) &&
        probe(BaseX(ctx, PileKind::Reserve, i) + 1, PileBottomY(ctx, name) - 1))
      return true;
    if (rl == 2 && probe(CardLeftX(ctx, name, i, 0, false) + 1, ctx.GetReserveY(i) + 1))
      return true;
  }
  r = Rect{};
  return false;
}

namespace {

// Vertical walk of rectangle 1 in 50-pixel steps, looking for a row inside
// rectangle 2's vertical range.
bool SteppedRowInside(int top1, int bottom1, int top2, int bottom2) {
  for (int y = top1; y <= bottom1; y += 50)
    if (y >= top2 && y <= bottom2) return true;
  return false;
}

bool Within(int v, int lo, int hi) { return v >= lo && v <= hi; }

}  // namespace

bool RectsOverlapStepped(int left1, int top1, int right1, int bottom1, int left2, int top2,
                         int right2, int bottom2) {
  auto in2 = [&](int x, int y) { return Inside(x, y, left2, top2, right2, bottom2); };
  if (in2(left1, top1) || in2(right1, top1) || in2(left1, bottom1) || in2(right1, bottom1))
    return true;
  if (!Within(left1, left2, right2) && !Within(right1, left2, right2)) return false;
  return SteppedRowInside(top1, bottom1, top2, bottom2);
}

int OverlapAreaStepped(int left1, int top1, int right1, int bottom1, int left2, int top2,
                       int right2, int bottom2) {
  auto in2 = [&](int x, int y) { return Inside(x, y, left2, top2, right2, bottom2); };
  if (in2(left1, top1)) return (right2 - left1) * (bottom2 - top1);
  if (in2(right1, bottom1)) return (right1 - left2) * (bottom1 - top2);
  if (in2(right1, top1)) return (right1 - left2) * (bottom2 - top1);
  if (in2(left1, bottom1)) return (right2 - left1) * (bottom1 - top2);
  bool leftIn = Within(left1, left2, right2);
  if (!leftIn && !Within(right1, left2, right2)) return 0;
  if (!SteppedRowInside(top1, bottom1, top2, bottom2)) return 0;
  return leftIn ? (right2 - left1) * (bottom1 - top1) : (right1 - left2) * (bottom1 - top1);
}

}  // namespace tw
