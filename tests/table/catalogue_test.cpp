// Layout and hit testing over every game of the shipped games file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "core/cfg.h"
#include "core/gamesfile.h"
#include "platform/sys/services.h"
#include "table/geometry.h"
#include "table/random_look.h"
#include "table_fixture.h"

namespace tw {
namespace {

struct Game {
  int number;
  std::string name;
  GameRulesRecord rules;
};

std::vector<Game> LoadCatalogue(std::string& error) {
  std::vector<Game> games;
  GameContext ctx;
  ctx.ProgramDir = std::string(TW_DIST_DIR) + "/";
  if (!LoadGameCatalogue(ctx, error)) return games;
  for (const std::string& line : ctx.GameList) {
    int number = CatalogueNumber(line);
    if (number < 0) continue;
    ctx.SetCfg(cfg::Game, std::to_string(number));
    if (!LoadGameRules(ctx)) {
      error = "cannot load game " + std::to_string(number);
      return {};
    }
    games.push_back({number, CatalogueName(line), ctx.GameRules});
  }
  return games;
}

const std::vector<Game>& Catalogue() {
  static std::string error;
  static const std::vector<Game> games = LoadCatalogue(error);
  return games;
}

struct Placed {
  PileKind kind;
  int index;
  Rect r;  // the pile's first card
};

bool Used(int x, int y) { return x >= kUnusedBelow && y >= kUnusedBelow; }

// Every pile the layout placed, with its first card's rectangle.
std::vector<Placed> PlacedPiles(const GameContext& ctx) {
  std::vector<Placed> out;
  const int CW = ctx.CardWidth, CH = ctx.CardHeight;
  auto add = [&](PileKind k, int i, int x, int y) {
    if (Used(x, y)) out.push_back({k, i, Rect{x, y, x + CW, y + CH}});
  };
  const PileKind slots[] = {PileKind::Stock, PileKind::Waste, PileKind::Talon};
  for (int i = 0; i < kStockSlots; ++i)
    add(slots[i], i, ctx.StockX[static_cast<size_t>(i)], ctx.StockY[static_cast<size_t>(i)]);
  for (int i = 0; i < kMaxFoundations; ++i)
    add(PileKind::Foundation, i, ctx.FoundationX[static_cast<size_t>(i)],
        ctx.FoundationY[static_cast<size_t>(i)]);
  for (int i = 0; i < kMaxTableaus; ++i)
    add(PileKind::Tableau, i, ctx.TableauX[static_cast<size_t>(i)],
        ctx.TableauY[static_cast<size_t>(i)]);
  for (int i = 0; i < kMaxReserves; ++i)
    add(PileKind::Reserve, i, ctx.ReserveX[static_cast<size_t>(i)],
        ctx.ReserveY[static_cast<size_t>(i)]);
  return out;
}

int CountOf(const GameRulesRecord& g, PileKind k) {
  switch (k) {
    case PileKind::Foundation: return g.FoundationCount();
    case PileKind::Tableau: return g.TableauCount();
    case PileKind::Reserve: return g.ReserveCount();
    default: return kStockSlots;
  }
}

// Strict overlap: rectangles that only touch do not count.
bool Overlap(const Rect& a, const Rect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

const char* KindName(PileKind k) {
  switch (k) {
    case PileKind::Stock: return "stock";
    case PileKind::Waste: return "waste";
    case PileKind::Talon: return "talon";
    case PileKind::Foundation: return "foundation";
    case PileKind::Tableau: return "tableau";
    case PileKind::Reserve: return "reserve";
    default: return "?";
  }
}

bool SameGroup(PileKind a, PileKind b) {
  auto group = [](PileKind k) {
    return k == PileKind::Waste || k == PileKind::Talon ? PileKind::Stock : k;
  };
  return group(a) == group(b);
}

struct TableSize {
  int w, h;
};
const TableSize kSizes[] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1920, 1080}};

// Below 650 pixels a game that asks for it is played with the medium cards
// instead of the big ones (game setup does the same).
const char* PlayedSize(const Game& g, const TableSize& t, const char* size) {
  bool fallback = t.w < 650 && g.rules.PredefinedCardsAt640() == 1;
  return fallback && std::string(size) == "B" ? "M" : size;
}

void LayOutGame(GameContext& ctx, const Game& g, const TableSize& t, const char* size) {
  ctx.GameRules = g.rules;
  testing::LayOut(ctx, testing::Window(t.w, t.h), PlayedSize(g, t, size));
}

// A tableau row that the layout had to start at the left margin and that
// still runs past the right edge is too wide for the window. Below 800
// pixels such tables are listed and left out of the check; from 800 on
// every game must fit at every card size.
constexpr int kNarrowTable = 800;

bool RowFits(const GameContext& ctx, int areaWidth) {
  if (IsTemplateStyle(ctx.GameRules.TableauStyle()) || ctx.GameRules.TableauLayout() == 8)
    return true;
  int n = std::clamp<int>(ctx.GameRules.TableauCount(), 0, kMaxTableaus);
  int right = 0;
  for (int i = 0; i < n; ++i)
    right = std::max(right, ctx.TableauX[static_cast<size_t>(i)] + ctx.CardWidth);
  bool atMargin = n > 0 && ctx.TableauX[0] <= 30;
  return !(atMargin && right > areaWidth);
}

TEST(CatalogueLayoutTest, PilesInsideTheTableAndApart) {
  const auto& games = Catalogue();
  if (games.empty()) GTEST_SKIP() << "no games file in " << TW_DIST_DIR;
  int skipped = 0;
  std::ostringstream tooNarrow;
  for (const Game& g : games) {
    for (const char* size : {"B", "M", "L"}) {
      for (const TableSize& t : kSizes) {
        GameContext ctx;
        LayOutGame(ctx, g, t, size);
        std::string where = "game " + std::to_string(g.number) + " " + g.name + " " + size + " " +
                            std::to_string(t.w) + "x" + std::to_string(t.h);
        if (!RowFits(ctx, t.w)) {
          if (t.w >= kNarrowTable) {
            ADD_FAILURE() << where << ": the tableau runs past the right edge; the game needs "
                          << "a layout that keeps it on the table";
            continue;
          }
          ++skipped;
          tooNarrow << "\n  " << where;
          continue;
        }
        std::vector<Placed> piles = PlacedPiles(ctx);
        auto inside = [&](const Placed& p) {
          return p.r.Left >= 0 && p.r.Top >= 0 && p.r.Right <= t.w && p.r.Bottom <= t.h - 28;
        };
        bool fits = std::all_of(piles.begin(), piles.end(), inside);
        if (!fits && t.w < 650 && std::string(size) == "B" &&
            g.rules.PredefinedCardsAt640() != 1) {
          ADD_FAILURE() << where << ": the table does not fit with the big cards; the game "
                        << "needs PredefinedCardsAt640 = 1 (medium cards below 650 pixels)";
          continue;
        }
        for (const Placed& p : piles) {
          std::string pile = where + " " + KindName(p.kind) + " " + std::to_string(p.index + 1);
          if (p.kind != PileKind::Stock && p.kind != PileKind::Waste &&
              p.kind != PileKind::Talon) {
            EXPECT_LT(p.index, CountOf(ctx.GameRules, p.kind)) << pile << " placed past the count";
          }
          EXPECT_GE(p.r.Left, 0) << pile;
          EXPECT_GE(p.r.Top, 0) << pile;
          EXPECT_LE(p.r.Right, t.w) << pile;
          EXPECT_LE(p.r.Bottom, t.h - 28) << pile;
        }
        // Every counted pile has a place.
        for (PileKind k : {PileKind::Foundation, PileKind::Tableau, PileKind::Reserve}) {
          for (int i = 0; i < CountOf(ctx.GameRules, k); ++i) {
            bool found = std::any_of(piles.begin(), piles.end(),
                                     [&](const Placed& p) { return p.kind == k && p.index == i; });
            EXPECT_TRUE(found) << where << " " << KindName(k) << " " << i + 1 << " not placed";
          }
        }
        for (size_t a = 0; a < piles.size(); ++a) {
          for (size_t b = a + 1; b < piles.size(); ++b) {
            if (SameGroup(piles[a].kind, piles[b].kind)) continue;
            EXPECT_FALSE(Overlap(piles[a].r, piles[b].r))
                << where << ": " << KindName(piles[a].kind) << " " << piles[a].index + 1
                << " and " << KindName(piles[b].kind) << " " << piles[b].index + 1;
          }
        }
      }
    }
  }
  if (skipped) std::cout << "Rows wider than the window, not checked:" << tooNarrow.str() << "\n";
}

// Deals the piles of a game by hand from its deal counts, in card order.
void DealByHand(GameContext& ctx) {
  const auto& g = ctx.GameRules;
  int total = std::max<int>(g.CardCount(), 52);
  int next = 0;
  auto card = [&]() { return next++ % total + 1; };
  auto code = [](int c) {
    std::string t = std::to_string(c);
    return std::string(3 - t.size(), '0') + t;
  };
  auto deal = [&](std::string& pile, int count, int faceMode) {
    for (int i = 0; i < count; ++i) {
      int c = card();
      bool up;
      if (faceMode > 0)
        up = i >= count - faceMode;
      else if (faceMode == -1)
        up = i % 2 == 0;
      else if (faceMode == -2)
        up = i % 2 == 1;
      else if (faceMode == -3)
        up = i == 0;
      else
        up = false;
      ctx.CardRecords[static_cast<size_t>(c - 1)][19] = up ? '1' : '0';
      pile += code(c);
    }
  };
  for (int i = 0; i < g.FoundationCount(); ++i)
    if (g.FoundationStartCard(i) != 0) deal(ctx.DestPiles[static_cast<size_t>(i)], 1, 1);
  if (g.TableauLayout() == 8) {
    // As the stock deals the row: a hole before every card.
    for (int i = 0; i < 21; ++i) ctx.FilaPiles[0] += "000" + code(card());
  } else {
    for (int i = 0; i < g.TableauCount(); ++i)
      deal(ctx.FilaPiles[static_cast<size_t>(i)], g.TableauCards(i), g.TableauFaceMode(i));
  }
  for (int i = 0; i < g.ReserveCount(); ++i)
    deal(ctx.AppoggPiles[static_cast<size_t>(i)], g.ReserveCards(i), g.ReserveFaceMode(i));
  deal(ctx.MazzoPiles[0], std::min<int>(g.StockCards(), 3), 0);
  deal(ctx.MazzoPiles[1], std::min<int>(g.WasteCards(), 3), 1);
  deal(ctx.MazzoPiles[2], std::min<int>(g.DiscardCards(), 3), 1);
}

struct CardPart {
  std::string pile;
  int card;
  int x, y;   // centre of the visible part
  Rect full;  // the whole card
};

// The visible part of every card that the hit test is meant to find.
std::vector<CardPart> VisibleParts(const GameContext& ctx) {
  std::vector<CardPart> parts;
  const int CW = ctx.CardWidth, CH = ctx.CardHeight;
  const auto& g = ctx.GameRules;
  auto codes = [](const std::string& pile) {
    std::vector<int> v;
    for (size_t p = 0; p + 3 <= pile.size(); p += 3) v.push_back(std::stoi(pile.substr(p, 3)));
    return v;
  };
  auto fanned = [&](PileKind kind, int i, bool topOnly) {
    std::string name = PileName(kind, i);
    std::vector<int> cards = codes(PileString(ctx, kind, i));
    int n = static_cast<int>(cards.size());
    for (int j = topOnly ? std::max(n - 1, 0) : 0; j < n; ++j) {
      int k = n - 1 - j;
      int x = CardLeftX(ctx, name, i, k, false), y = CardTopY(ctx, name, i, k, false);
      int w = CW, h = CH;
      if (j < n - 1) {
        int nx = CardLeftX(ctx, name, i, k - 1, false), ny = CardTopY(ctx, name, i, k - 1, false);
        if (nx > x) w = nx - x;
        if (ny > y) h = ny - y;
        if (nx == x && ny == y) continue;  // covered whole
      }
      if (cards[static_cast<size_t>(j)] == 0) continue;
      parts.push_back({name, cards[static_cast<size_t>(j)], x + w / 2, y + h / 2,
                       Rect{x, y, x + CW, y + CH}});
    }
  };
  for (int i = 0; i < 2; ++i) {
    size_t u = static_cast<size_t>(i);
    if (!Used(ctx.StockX[u], ctx.StockY[u])) continue;
    std::vector<int> cards = codes(ctx.MazzoPiles[u]);
    if (cards.empty()) continue;
    int x = ctx.StockX[u], y = ctx.StockY[u];
    parts.push_back({i == 0 ? "Mazzo" : "Mazzo_Vis", cards.back(), x + CW / 2, y + CH / 2,
                     Rect{x, y, x + CW, y + CH}});
  }
  int tl = g.TableauLayout();
  if (tl == 8) {
    std::vector<int> cards = codes(ctx.FilaPiles[0]);
    for (size_t j = 0; j < cards.size(); ++j) {
      if (cards[j] == 0) continue;
      int x = 0, y = 0;
      WrappedCodePos(ctx, static_cast<int>(j), x, y);
      parts.push_back({"Fila1", cards[j], x + CW / 2, y + CH / 2, Rect{x, y, x + CW, y + CH}});
    }
  } else if (tl == 1 || tl == 2 || tl == 3 || tl == 4 || tl == 6) {
    for (int i = 0; i < g.TableauCount(); ++i) fanned(PileKind::Tableau, i, tl == 3);
  }
  int fl = g.FoundationLayout();
  if (fl == 1 || fl == 2 || fl == 3 || fl == 4 || fl == 6)
    for (int i = 0; i < g.FoundationCount(); ++i) fanned(PileKind::Foundation, i, true);
  int rl = g.ReserveLayout();
  if (rl == 1 || rl == 2 || rl == 3 || rl == 5)
    for (int i = 0; i < g.ReserveCount(); ++i) fanned(PileKind::Reserve, i, rl == 2 || rl == 3);
  return parts;
}

// Klondike's stock and waste stand over its first two tableau piles on every
// window, however wide, not at the left edge away from a centred tableau.
TEST(CatalogueLayoutTest, KlondikeStockAndWasteStandOverTheFirstPiles) {
  const auto& games = Catalogue();
  if (games.empty()) GTEST_SKIP() << "no games file in " << TW_DIST_DIR;
  const auto klondike = std::find_if(games.begin(), games.end(),
                                     [](const Game& g) { return g.number == 0; });
  ASSERT_NE(klondike, games.end());
  for (const TableSize& t : kSizes) {
    GameContext ctx;
    LayOutGame(ctx, *klondike, t, "B");
    EXPECT_EQ(ctx.StockX[0], ctx.TableauX[0]) << t.w;
    EXPECT_EQ(ctx.StockX[1], ctx.TableauX[1]) << t.w;
    EXPECT_EQ(ctx.FoundationX[3], ctx.TableauX[6]) << t.w;
  }
}

// On every window from 800 pixels wide each table stands in the middle, as
// Klondike's does, and the stock area keeps close to the piles it serves
// instead of staying at the left edge.
struct Box {
  int left = 1 << 30, top = 1 << 30, right = -(1 << 30), bottom = -(1 << 30);
  void Add(const Rect& r) {
    left = std::min(left, r.Left);
    top = std::min(top, r.Top);
    right = std::max(right, r.Right);
    bottom = std::max(bottom, r.Bottom);
  }
};

bool InStockArea(PileKind k) {
  return k == PileKind::Stock || k == PileKind::Waste || k == PileKind::Talon;
}

// Sideways gap between two rectangles (0 when one stands over the other):
// a stock row under the tableau keeps the room the tableau's fans grow into.
int GapBetween(const Rect& a, const Rect& b) {
  return std::max({0, b.Left - a.Right, a.Left - b.Right});
}

TEST(CatalogueLayoutTest, TablesStandCentredWithTheStockBesideThePiles) {
  const auto& games = Catalogue();
  if (games.empty()) GTEST_SKIP() << "no games file in " << TW_DIST_DIR;
  const TableSize windows[] = {{800, 600}, {1280, 800}, {1920, 1080}};
  // The templates' widest own sideways gap between a stock-area slot and the
  // pile it stands by is 70 pixels (the stock distance of the grids), plus
  // rounding.
  constexpr int kFarthestStock = 75;
  constexpr int kCentreSlack = 3;
  for (const Game& g : games) {
    for (const char* size : {"B", "M", "L"}) {
      for (const TableSize& t : windows) {
        GameContext ctx;
        InitCardsAndPiles(ctx);
        ctx.SetCfg(cfg::Piles_TT, "N");
        LayOutGame(ctx, g, t, size);
        DealByHand(ctx);
        std::string where = "game " + std::to_string(g.number) + " " + g.name + " " + size + " " +
                            std::to_string(t.w) + "x" + std::to_string(t.h);
        // The table as dealt: each pile's place with every card on it, a
        // wrapped row as wide as its columns.
        std::vector<Placed> piles = PlacedPiles(ctx);
        const std::vector<CardPart> parts = VisibleParts(ctx);
        for (Placed& p : piles) {
          Box pile;
          pile.Add(p.r);
          const std::string name = PileName(p.kind, p.index);
          for (const CardPart& c : parts)
            if (c.pile == name) pile.Add(c.full);
          if (p.kind == PileKind::Tableau && g.rules.TableauLayout() == 8)
            pile.right = std::max(
                pile.right, pile.left + ctx.GameState.GridColumns() * (ctx.CardWidth + 12) - 12);
          // A foundation row fanned sideways grows to a whole suit, and
          // nothing may stand in its way.
          if (p.kind == PileKind::Foundation && g.rules.FoundationLayout() == 2)
            pile.right =
                std::max(pile.right, pile.left + ctx.CardWidth + 12 * ctx.GameState.FanStepRightUp());
          p.r = Rect{pile.left, pile.top, pile.right, pile.bottom};
        }
        Box box;
        for (const Placed& p : piles) box.Add(p.r);
        const int width = t.w - 2;
        if (box.right - box.left <= width) {
          const int leftRoom = box.left, rightRoom = width - box.right;
          EXPECT_LE(std::abs(leftRoom - rightRoom), 2 * kCentreSlack)
              << where << ": " << leftRoom << " px left of the table, " << rightRoom
              << " px right of it";
        }
        // Each stock-area slot stands by a pile, or by a slot that does.
        std::vector<const Placed*> near, slots;
        for (const Placed& p : piles) (InStockArea(p.kind) ? slots : near).push_back(&p);
        if (near.empty()) continue;  // a table of stock slots alone
        for (bool grew = true; grew;) {
          grew = false;
          for (auto it = slots.begin(); it != slots.end(); ++it) {
            bool by = std::any_of(near.begin(), near.end(), [&](const Placed* p) {
              return GapBetween((*it)->r, p->r) <= kFarthestStock;
            });
            if (by) {
              near.push_back(*it);
              slots.erase(it);
              grew = true;
              break;
            }
          }
        }
        for (const Placed* s : slots) {
          int nearest = 1 << 30;
          for (const Placed* p : near) nearest = std::min(nearest, GapBetween(s->r, p->r));
          ADD_FAILURE() << where << ": " << KindName(s->kind) << " stands " << nearest
                        << " px from the nearest pile";
        }
      }
    }
  }
}

TEST(CatalogueHitTest, DealtTableRoundTrip) {
  const auto& games = Catalogue();
  if (games.empty()) GTEST_SKIP() << "no games file in " << TW_DIST_DIR;
  const struct {
    const char* size;
    TableSize t;
  } setups[] = {{"B", {1024, 768}}, {"M", {800, 600}}, {"L", {640, 480}}, {"B", {1920, 1080}}};
  int hits = 0, misses = 0;
  for (const Game& g : games) {
    for (const auto& s : setups) {
      GameContext ctx;
      InitCardsAndPiles(ctx);
      ctx.SetCfg(cfg::Piles_TT, "N");
      LayOutGame(ctx, g, s.t, s.size);
      if (!RowFits(ctx, s.t.w)) continue;
      DealByHand(ctx);
      std::string where = "game " + std::to_string(g.number) + " " + g.name + " " + s.size;
      std::vector<CardPart> parts = VisibleParts(ctx);
      for (const CardPart& p : parts) {
        // A part that another pile's card lies over is not the card's to answer.
        bool covered = std::any_of(parts.begin(), parts.end(), [&](const CardPart& o) {
          return o.pile != p.pile && p.x >= o.full.Left && p.x <= o.full.Right &&
                 p.y >= o.full.Top && p.y <= o.full.Bottom;
        });
        if (covered) continue;
        ++hits;
        HitResult h = HitTest(ctx, p.x, p.y);
        EXPECT_EQ(h.Pile, p.pile) << where << " card " << p.card << " at " << p.x << "," << p.y;
        EXPECT_EQ(h.Card, p.card) << where << " " << p.pile << " at " << p.x << "," << p.y;
      }
      // Points clear of every pile (cards and empty places) hit nothing.
      std::vector<Rect> extents;
      for (const Placed& pl : PlacedPiles(ctx)) extents.push_back(pl.r);
      for (const CardPart& p : parts) extents.push_back(p.full);
      for (int y = 0; y < s.t.h; y += 9) {
        for (int x = 0; x < s.t.w; x += 9) {
          bool onPile = std::any_of(extents.begin(), extents.end(), [&](const Rect& r) {
            return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom;
          });
          if (onPile) continue;
          ++misses;
          HitResult h = HitTest(ctx, x, y);
          EXPECT_TRUE(h.Pile.empty()) << where << " " << x << "," << y << " hits " << h.Pile;
        }
      }
    }
  }
  // Every game contributes cards and empty table.
  EXPECT_GT(hits, static_cast<int>(games.size()) * 4 * 10);
  EXPECT_GT(misses, static_cast<int>(games.size()) * 4 * 1000);
  std::cout << hits << " card parts and " << misses << " empty points checked\n";
}

// With irregular piles every card of a downward tableau fan stands off its
// pile's line by up to two pixels; the pointer on any of its edge columns
// picks that card.
TEST(CatalogueHitTest, IrregularPilesPickTheCardUnderThePointer) {
  const auto& games = Catalogue();
  if (games.empty()) GTEST_SKIP() << "no games file in " << TW_DIST_DIR;
  sys::StdRandomSource random;
  int checked = 0, games_checked = 0;
  for (const Game& g : games) {
    if (g.rules.TableauLayout() != 1) continue;
    ++games_checked;
    for (const char* size : {"B", "L"}) {
      GameContext ctx;
      ctx.Random = &random;
      random.Seed(static_cast<uint64_t>(g.number) + 7);
      InitCardsAndPiles(ctx);
      ctx.SetCfg(cfg::Piles_TT, "Y");
      MakeJitterPatterns(ctx);
      LayOutGame(ctx, g, {1280, 1024}, size);
      if (!RowFits(ctx, 1280)) continue;
      DealByHand(ctx);
      const std::string where = "game " + std::to_string(g.number) + " " + g.name + " " + size;
      const int CW = ctx.CardWidth, CH = ctx.CardHeight;
      // Every tableau card's rectangle, to leave out points another pile covers.
      struct Placed {
        int pile, card;
        Rect r;
      };
      std::vector<Placed> cards;
      for (int i = 0; i < g.rules.TableauCount(); ++i) {
        const std::string name = PileName(PileKind::Tableau, i);
        const std::string& pile = ctx.FilaPiles[static_cast<size_t>(i)];
        const int n = static_cast<int>(pile.size() / 3);
        for (int j = 0; j < n; ++j) {
          // As the table drawing places it.
          const int k = n - j;
          const int x = CardLeftX(ctx, name, i, k, true), y = CardTopY(ctx, name, i, k, true);
          cards.push_back({i, std::stoi(pile.substr(static_cast<size_t>(3 * j), 3)),
                           Rect{x, y, x + CW - 1, y + CH - 1}});
        }
      }
      for (const Placed& c : cards) {
        for (int dx : {0, CW - 1}) {
          const int px = c.r.Left + dx, py = c.r.Top + 1;
          const bool covered = std::any_of(cards.begin(), cards.end(), [&](const Placed& o) {
            return o.pile != c.pile && px >= o.r.Left && px <= o.r.Right && py >= o.r.Top &&
                   py <= o.r.Bottom;
          });
          if (covered) continue;
          ++checked;
          const HitResult h = HitTest(ctx, px, py);
          EXPECT_EQ(h.Pile, PileName(PileKind::Tableau, c.pile)) << where << " at " << px << ","
                                                                 << py;
          EXPECT_EQ(h.Card, c.card) << where << " at " << px << "," << py;
          EXPECT_EQ(h.Left, c.r.Left) << where << " card " << c.card;
        }
      }
    }
  }
  EXPECT_GT(games_checked, 5);
  EXPECT_GT(checked, games_checked * 40);
}

}  // namespace
}  // namespace tw
