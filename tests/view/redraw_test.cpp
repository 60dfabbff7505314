// Pile and table redraw: after cards leave a pile the table picture shows
// what a full redraw of the new table shows; the animated deal ends with
// the same table; the order in which the tableau is dealt.
#include <gtest/gtest.h>

#include "core/cards.h"
#include "tests/view/view_fixture.h"

namespace tw {
namespace {

using testing::ViewTest;

class RedrawTest : public ViewTest {
 protected:
  // The number of pixels where the table picture differs from a full
  // redraw of the current piles.
  int DiffersFromFullRedraw(QRect* where = nullptr) {
    const QImage incremental = view.TableBmp().Image().copy();
    DrawDealt();
    const QImage& full = view.TableBmp().Image();
    int n = 0;
    QRect box;
    for (int y = 0; y < full.height(); ++y)
      for (int x = 0; x < full.width(); ++x)
        if (full.pixel(x, y) != incremental.pixel(x, y)) {
          ++n;
          box |= QRect(x, y, 1, 1);
        }
    if (where) *where = box;
    return n;
  }
};

TEST_F(RedrawTest, RunLiftedFromTheMiddleOfAFan) {
  // A gradient gives every row its own colour, so a copy from the bare table
  // at the wrong row shows.
  ctx.SetCfg(cfg::Background_def, "N");
  ctx.SetCfg(cfg::Background_bmp, "0");
  ctx.SetCfg(cfg::Background_Col, "16744448");
  ctx.SetCfg(cfg::Fade_Background, "Y");
  for (char size : {'B', 'M', 'L'}) {
    Deal(testing::kFreeCell, size);
    DrawDealt();
    ctx.Table = &view;
    // Piles 1 and 8: the repair band must not touch the neighbour.
    for (int pile : {0, 7, 3}) {
      // The player has scrolled the table up a little (a full redraw
      // scrolls back to the top).
      ctx.GameState.ScrollOffsetY() = size == 'L' ? 7 : 40;
      const std::string& p = ctx.FilaPiles[static_cast<size_t>(pile)];
      RemoveCardAndRedraw(ctx, PileCardAt(p, 3), false);
      ASSERT_EQ(PileCardCount(ctx.FilaPiles[static_cast<size_t>(pile)]), 3);
      QRect box;
      EXPECT_EQ(DiffersFromFullRedraw(&box), 0)
          << size << " pile " << pile << " at " << box.x() << "," << box.y() << " " << box.width()
          << "x" << box.height();
    }
    // The last cards leave: the pile shows its marker.
    ctx.GameState.ScrollOffsetY() = 25;
    for (int k = 0; k < 3; ++k) RemoveCardAndRedraw(ctx, TopCard(ctx.FilaPiles[2]), true);
    EXPECT_EQ(DiffersFromFullRedraw(), 0) << size;
    ctx.Table = nullptr;
  }
}

TEST_F(RedrawTest, KlondikeCardsLeaveTableauAndStock) {
  Deal(testing::kKlondike, 'B');
  DrawDealt();
  ctx.Table = &view;
  RemoveCardAndRedraw(ctx, TopCard(ctx.FilaPiles[0]), true);  // the only card
  EXPECT_EQ(DiffersFromFullRedraw(), 0);
  RemoveCardAndRedraw(ctx, TopCard(ctx.FilaPiles[6]), true);  // a back is on top now
  EXPECT_EQ(DiffersFromFullRedraw(), 0);
  // Stock cards leave one by one: the slot steps back towards its base.
  const int before = ctx.GetStockX(0);
  for (int k = 0; k < 10; ++k) {
    RemoveCardAndRedraw(ctx, TopCard(ctx.MazzoPiles[0]), true);
    QRect box;
    EXPECT_EQ(DiffersFromFullRedraw(&box), 0)
        << k << " at " << box.x() << "," << box.y() << " " << box.width() << "x" << box.height();
  }
  EXPECT_EQ(ctx.GetStockX(0), before + 1);  // 24 cards: depth 4, 14 cards: depth 3
  ctx.Table = nullptr;
}

TEST_F(RedrawTest, AnimatedDealEndsWithTheDrawnTable) {
  ctx.SetCfg(cfg::Sounds_Enabled, "Y");
  ctx.SetCfg(cfg::Sounds_Shuffle, "Y");
  for (int game : {testing::kKlondike, testing::kFreeCell}) {
    for (char size : {'B', 'L'}) {
      for (bool onWindow : {false, true}) {
        Deal(game, size);
        int repaints = 0;
        TableViewHooks hooks;
        hooks.Repaint = [&](QRect) { ++repaints; };
        view.SetHooks(hooks);
        fakes.sound.played.clear();
        fakes.sound.stops = 0;
        const DealStart source = ChooseDealSource(ctx);
        EXPECT_EQ(source.mode,
                  game == testing::kKlondike ? DealSource::Stock : DealSource::Reserve1);
        view.PaintBackgroundFromSettings(view.TableBmp());
        view.DrawTable(onWindow ? view.WindowCanvas() : view.TableBmp(), true);
        const QImage animated = view.TableBmp().Image().copy();
        // Every card flew: at least one picture per card.
        EXPECT_GT(repaints, 52);
        EXPECT_EQ(fakes.sound.played, std::vector<std::string>{"Shuffle"});
        EXPECT_EQ(fakes.sound.stops, 1);
        // The window shows the table picture everywhere it covers.
        const QImage& window = view.WindowCanvas().Image();
        EXPECT_EQ(window, animated.copy(0, 0, window.width(), window.height())) << game << size;
        DrawDealt();
        EXPECT_EQ(view.TableBmp().Image(), animated) << game << size;
      }
    }
  }
}

TEST(DealOrderTest, RowByRowOrPileByPile) {
  GameContext ctx;
  CreateSharedGlobals(ctx, "/nonexistent/");
  InitCardsAndPiles(ctx);
  ResetPilePositions(ctx);
  ctx.GameRules.TableauCount() = 4;
  ctx.GameRules.TableauLayout() = 1;
  ctx.SetCfg(cfg::Piles_TT, "N");
  ctx.FilaPiles[0] = "001002";
  ctx.FilaPiles[1] = "003";
  ctx.FilaPiles[2] = "004005";  // a pile the layout does not place
  ctx.FilaPiles[3] = "";
  for (int i : {0, 1, 3}) {
    ctx.TableauX[static_cast<size_t>(i)] = static_cast<int16_t>(10 + 80 * i);
    ctx.TableauY[static_cast<size_t>(i)] = 100;
  }
  auto text = [&] {
    std::string s;
    for (const DealStep& d : TableauDrawOrder(ctx))
      s += std::to_string(d.pile) + ":" + std::to_string(d.position) + " ";
    return s;
  };
  EXPECT_EQ(text(), "0:0 1:0 3:0 0:1 1:1 3:1 0:2 1:2 3:2 ");
  ctx.GameRules.BaseCardsPileMajor() = 1;
  EXPECT_EQ(text(), "0:0 0:1 0:2 1:0 1:1 1:2 3:0 3:1 3:2 ");
}

TEST(DealSourceTest, FirstUsableSource) {
  GameContext ctx;
  CreateSharedGlobals(ctx, "/nonexistent/");
  InitCardsAndPiles(ctx);
  ResetPilePositions(ctx);
  EXPECT_EQ(ChooseDealSource(ctx).mode, DealSource::None);
  ctx.FoundationX[0] = 300;
  EXPECT_EQ(ChooseDealSource(ctx).mode, DealSource::Foundation1);
  ctx.StockBaseX[2] = ctx.StockX[2] = 200;
  EXPECT_EQ(ChooseDealSource(ctx).mode, DealSource::Talon);
  ctx.ReserveX[0] = 100;
  ctx.AppoggPiles[0] = "001002";
  EXPECT_EQ(ChooseDealSource(ctx).mode, DealSource::Talon);
  ctx.AppoggPiles[0] = "001";
  EXPECT_EQ(ChooseDealSource(ctx).mode, DealSource::Reserve1);
  ctx.StockBaseX[1] = ctx.StockX[1] = 50;
  EXPECT_EQ(ChooseDealSource(ctx).mode, DealSource::Waste);
  ctx.StockBaseX[0] = ctx.StockX[0] = 10;
  ctx.StockY[0] = 40;
  const DealStart s = ChooseDealSource(ctx);
  EXPECT_EQ(s.mode, DealSource::Stock);
  EXPECT_EQ(s.x, 10);
  EXPECT_EQ(s.y, 40);
  EXPECT_TRUE(DealRestoresCorners(ctx, DealSource::Stock));  // the stock is empty
  ctx.MazzoPiles[0] = "007";
  EXPECT_FALSE(DealRestoresCorners(ctx, DealSource::Stock));
  EXPECT_TRUE(DealRestoresCorners(ctx, DealSource::Reserve1));
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

TEST_F(RedrawTest, DealWithoutASourceIsDrawnWithoutFlights) {
  Deal(testing::kFreeCell, 'M');
  // Neither stock slots nor reserve 1 nor foundation 1 to deal from.
  ctx.ReserveX[0] = kUnusedReserve;
  ctx.FoundationX[0] = kUnusedFoundation;
  ASSERT_EQ(ChooseDealSource(ctx).mode, DealSource::None);
  int repaints = 0;
  TableViewHooks hooks;
  hooks.Repaint = [&](QRect) { ++repaints; };
  view.SetHooks(hooks);
  view.PaintBackgroundFromSettings(view.TableBmp());
  view.DrawTable(view.WindowCanvas(), true);
  EXPECT_LE(repaints, 2);
  const QImage drawn = view.TableBmp().Image().copy();
  const QImage& window = view.WindowCanvas().Image();
  EXPECT_EQ(window, drawn.copy(0, 0, window.width(), window.height()));
  DrawDealt();
  EXPECT_EQ(view.TableBmp().Image(), drawn);
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

// Every game of the games file: taking the top card off each tableau pile,
// then a run of two, and the top card of each reserve leaves the picture a
// full redraw gives.
TEST_F(RedrawTest, EveryGameRepairsPilesAfterTheTopCardLeaves) {
  for (const std::string& line : ctx.GameList) {
    const int game = CatalogueNumber(line);
    Deal(game, 'B', "3");
    DrawDealt();
    ctx.Table = &view;
    for (int i = 0; i < ctx.GameRules.TableauCount(); ++i) {
      const int top = TopCard(ctx.FilaPiles[static_cast<size_t>(i)]);
      if (top <= 0) continue;
      RemoveCardAndRedraw(ctx, top, true);
      QRect box;
      EXPECT_EQ(DiffersFromFullRedraw(&box), 0)
          << CatalogueName(line) << " (" << game << ") pile " << i + 1 << " layout "
          << ctx.GameRules.TableauLayout() << ": " << box.x() << "," << box.y() << " "
          << box.width() << "x" << box.height();
    }
    // Then a run of two lifted off each pile that still holds three cards.
    for (int i = 0; i < ctx.GameRules.TableauCount(); ++i) {
      const std::string& pile = ctx.FilaPiles[static_cast<size_t>(i)];
      const int n = PileCardCount(pile);
      if (n < 3 || PileCardAt(pile, n - 2) <= 0) continue;
      RemoveCardAndRedraw(ctx, PileCardAt(pile, n - 2), false);
      QRect box;
      EXPECT_EQ(DiffersFromFullRedraw(&box), 0)
          << CatalogueName(line) << " (" << game << ") run off pile " << i + 1 << " layout "
          << ctx.GameRules.TableauLayout() << ": " << box.x() << "," << box.y() << " "
          << box.width() << "x" << box.height();
    }
    for (int i = 0; i < ctx.GameRules.ReserveCount(); ++i) {
      const int top = TopCard(ctx.AppoggPiles[static_cast<size_t>(i)]);
      if (top <= 0) continue;
      RemoveCardAndRedraw(ctx, top, true);
      QRect box;
      EXPECT_EQ(DiffersFromFullRedraw(&box), 0)
          << CatalogueName(line) << " (" << game << ") reserve " << i + 1 << " layout "
          << ctx.GameRules.ReserveLayout() << ": " << box.x() << "," << box.y() << " "
          << box.width() << "x" << box.height();
    }
    ctx.Table = nullptr;
  }
}

}  // namespace
}  // namespace tw
