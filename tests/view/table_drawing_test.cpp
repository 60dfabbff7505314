// Pixel checks of dealt tables: every card where its pile puts it, the
// covered bands of fanned cards, rounded corners, markers of empty piles
// and the stock's edge, at each card size.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "table/view/corners.h"
#include "table/view/markers.h"
#include "tests/view/view_fixture.h"

namespace tw {
namespace {

using testing::ViewTest;

struct PixelModel {
  // Expected pixels of the table picture, in window coordinates.
  std::map<std::pair<int, int>, gfx::Colour> pixels;
};

class DealtTableTest : public ViewTest,
                       public ::testing::WithParamInterface<std::tuple<int, char>> {
 protected:
  const gfx::Bitmap& PictureOf(int card) {
    if (IsCardFaceDown(ctx, card)) return view.Pictures().CardBackBmp;
    return view.Pictures().CardFaces[static_cast<size_t>((card - 1) % 52)];
  }

  // Lays a card over the model the way cards lie on a table: top corners
  // keep what is beneath, bottom corners show the table.
  void Lay(PixelModel& m, const gfx::Bitmap& picture, int x, int y) {
    const int cw = ctx.CardWidth, ch = ctx.CardHeight;
    const QRect r(x, y, cw, ch);
    std::set<std::pair<int, int>> top, bottom;
    for (const QPoint& p : CornerPixels(r, kTopCorners, 0)) top.insert({p.x(), p.y()});
    for (const QPoint& p : CornerPixels(r, kBottomCorners, 0)) bottom.insert({p.x(), p.y()});
    for (int dy = 0; dy < ch; ++dy)
      for (int dx = 0; dx < cw; ++dx) {
        const std::pair<int, int> at{x + dx, y + dy};
        if (top.count({dx, dy})) {
          if (!m.pixels.count(at)) m.pixels[at] = Bg(at.first, at.second);
          continue;
        }
        m.pixels[at] = bottom.count({dx, dy}) ? Bg(at.first, at.second) : At(picture, dx, dy);
      }
  }

  gfx::Colour Bg(int x, int y) { return At(view.BackgroundBmp(), x, y); }

  void ExpectModel(const PixelModel& m, const std::string& what) {
    int wrong = 0;
    for (const auto& [p, c] : m.pixels) {
      const gfx::Colour got = At(view.TableBmp(), p.first, p.second);
      if (got != c && ++wrong <= 3)
        ADD_FAILURE() << what << ": pixel (" << p.first << "," << p.second << ") is " << std::hex
                      << got << ", expected " << c;
    }
    EXPECT_EQ(wrong, 0) << what;
  }
};

TEST_P(DealtTableTest, CardsLieWhereTheirPilesPutThem) {
  const auto [game, size] = GetParam();
  Deal(game, size);
  DrawDealt();
  const int cw = ctx.CardWidth, ch = ctx.CardHeight;
  ASSERT_FALSE(view.Pictures().CardFaces[0].Empty());

  // Tableau: the model of every fan, card by card from the bottom.
  for (int i = 0; i < ctx.GameRules.TableauCount(); ++i) {
    const std::string name = PileName(PileKind::Tableau, i);
    const std::string& pile = ctx.FilaPiles[static_cast<size_t>(i)];
    const int n = PileCardCount(pile);
    ASSERT_GT(n, 0);
    PixelModel model;
    int lastY = 0;
    for (int j = 0; j < n; ++j) {
      const int x = CardLeftX(ctx, name, i, n - j, true), y = CardTopY(ctx, name, i, n - j, true);
      EXPECT_EQ(x, ctx.TableauX[static_cast<size_t>(i)]);
      if (j > 0) {
        // The covered band of the card below is exactly one fan step.
        const int below = PileCardAt(pile, j - 1);
        EXPECT_EQ(y - lastY, IsCardFaceDown(ctx, below) ? ctx.GameState.FanStepDownDown()
                                                        : ctx.GameState.FanStepDownUp());
      }
      Lay(model, PictureOf(PileCardAt(pile, j)), x, y);
      lastY = y;
    }
    ExpectModel(model, name);
    // The top card's bottom corners show the table; its top-left corner the
    // card beneath.
    const int top = TopCard(pile);
    const int x = ctx.TableauX[static_cast<size_t>(i)];
    EXPECT_EQ(At(view.TableBmp(), x, lastY + ch - 1), Bg(x, lastY + ch - 1));
    EXPECT_EQ(At(view.TableBmp(), x + cw - 1, lastY + ch - 1), Bg(x + cw - 1, lastY + ch - 1));
    if (n > 1) {
      const int step = lastY - CardTopY(ctx, name, i, 2, true);
      EXPECT_EQ(At(view.TableBmp(), x, lastY), At(PictureOf(PileCardAt(pile, n - 2)), 0, step));
    }
    EXPECT_EQ(At(view.TableBmp(), x + cw / 2, lastY + ch / 2), At(PictureOf(top), cw / 2, ch / 2));
  }

  // Empty foundations and reserves show their markers, with table corners.
  auto expectMarker = [&](MarkerKind kind, int index, int x, int y) {
    gfx::Bitmap scratch;
    const MarkerChoice choice = ChooseMarker(ctx, kind, index);
    const gfx::Bitmap* marker = nullptr;
    CardPictures& p = view.Pictures();
    switch (choice.marker) {
      case Marker::Rank:
        marker = &p.FoundationRankBmp[static_cast<size_t>(choice.rank)];
        break;
      case Marker::FoundationBase:
        marker = &p.FoundationBaseBmp;
        break;
      case Marker::ReserveBase:
        marker = &p.ReserveBaseBmp;
        break;
      case Marker::StockBaseAlt:
        marker = &p.StockBaseAltBmp;
        break;
      default:
        break;
    }
    ASSERT_NE(marker, nullptr) << static_cast<int>(kind);
    ASSERT_FALSE(marker->Empty());
    PixelModel m;
    Lay(m, *marker, x, y);
    for (const QPoint& c : CornerPixels(QRect(x, y, cw, ch), kTopCorners, 0))
      m.pixels[{x + c.x(), y + c.y()}] = Bg(x + c.x(), y + c.y());
    ExpectModel(m, "marker");
  };
  for (int f = 0; f < ctx.GameRules.FoundationCount(); ++f)
    expectMarker(MarkerKind::Foundation, f, ctx.GetFoundationX(f), ctx.GetFoundationY(f));
  for (int r = 0; r < ctx.GameRules.ReserveCount(); ++r)
    expectMarker(MarkerKind::Reserve, r, ctx.GetReserveX(r), ctx.GetReserveY(r));

  if (game == testing::kKlondike) {
    // The stock of 24 cards stands 24 / 7 + 1 = 4 pixels up and left of its
    // base, shaded: silver bottom-right corner.
    const int n = PileCardCount(ctx.MazzoPiles[0]);
    ASSERT_EQ(n, 24);
    const int d = StockEdgeDepth(n);
    EXPECT_EQ(d, 4);
    EXPECT_EQ(ctx.GetStockX(0), ctx.StockBaseX[0] - d);
    EXPECT_EQ(ctx.GetStockY(0), ctx.StockBaseY[0] - d);
    const int sx = ctx.GetStockX(0), sy = ctx.GetStockY(0);
    EXPECT_EQ(At(view.TableBmp(), sx + cw - 1, sy + ch - 1), gfx::kSilver);
    EXPECT_EQ(At(view.TableBmp(), sx + cw / 2, sy + 10),
              At(view.Pictures().CardBackBmp, cw / 2, 10));
    // The edge below and right of the moved card is drawn, not the table.
    EXPECT_NE(At(view.TableBmp(), sx + cw + 1, sy + ch / 2), Bg(sx + cw + 1, sy + ch / 2));
    EXPECT_NE(At(view.TableBmp(), sx + cw / 2, sy + ch + 1), Bg(sx + cw / 2, sy + ch + 1));
    expectMarker(MarkerKind::Waste, -1, ctx.GetStockX(1), ctx.GetStockY(1));
  }
  // A run lifted off the first pile casts the dithered shadow: exactly its
  // dots turn black, nothing else changes.
  {
    const std::string name = PileName(PileKind::Tableau, 0);
    const int n = PileCardCount(ctx.FilaPiles[0]);
    const int x = ctx.TableauX[0], y = CardTopY(ctx, name, 0, n, true);
    const QRect run(x, y, cw, CardTopY(ctx, name, 0, 0, false) + ch - y);
    const QImage before = view.TableBmp().Image().copy();
    DrawDitheredShadow(view.TableBmp(), run);
    std::set<std::pair<int, int>> dots;
    for (const QPoint& p : DitheredShadowPixels(run)) dots.insert({p.x(), p.y()});
    int changed = 0;
    for (int py = 0; py < before.height(); ++py) {
      for (int px = 0; px < before.width(); ++px) {
        const bool dot = dots.count({px, py}) > 0;
        if (dot) {
          EXPECT_EQ(At(view.TableBmp(), px, py), gfx::kBlack) << px << "," << py;
        }
        if (before.pixel(px, py) != view.TableBmp().Image().pixel(px, py)) {
          ++changed;
          EXPECT_TRUE(dot) << px << "," << py;
        }
      }
    }
    EXPECT_GT(changed, static_cast<int>(dots.size()) / 2);
  }
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_GE(ctx.GameState.TableHeight(), ctx.TableauY[0] + ch);
  EXPECT_EQ(ctx.GameState.TableDrawn(), 1);
}

INSTANTIATE_TEST_SUITE_P(Games, DealtTableTest,
                         ::testing::Combine(::testing::Values(testing::kKlondike,
                                                              testing::kFreeCell),
                                            ::testing::Values('B', 'M', 'L')),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param) ? "FreeCell" : "Klondike") +
                                  std::get<1>(info.param);
                         });

}  // namespace
}  // namespace tw
