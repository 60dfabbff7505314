// The animated deal flown by the play view's own flights, as the program
// wires it: the dealt table ends as a plain redraw draws it.
#include <gtest/gtest.h>

#include "table/view/animate.h"
#include "table/view/table_play_drawing.h"
#include "tests/view/view_fixture.h"

namespace tw {
namespace {

using testing::ViewTest;

TEST_F(ViewTest, AnimatedDealWithThePlayFlights) {
  TablePlayDrawing drawing(ctx, view);
  PlayView play(ctx, drawing);
  for (int game : {testing::kKlondike, testing::kFreeCell}) {
    Deal(game, 'M');
    int flights = 0;
    TableViewHooks hooks;
    hooks.Flight = [&](int card, bool faceDown, int fx, int fy, int tx, int ty) {
      ++flights;
      play.AnimateCard(faceDown ? -1 : card, fx, fy, tx, ty, true, true, false, true);
    };
    view.SetHooks(hooks);
    view.PaintBackgroundFromSettings(view.TableBmp());
    view.DrawTable(view.WindowCanvas(), true);
    EXPECT_EQ(flights, 52 - PileCardCount(ctx.MazzoPiles[0]));
    const QImage animated = view.TableBmp().Image().copy();
    const QImage& window = view.WindowCanvas().Image();
    EXPECT_EQ(window, animated.copy(0, 0, window.width(), window.height())) << game;
    DrawDealt();
    EXPECT_EQ(view.TableBmp().Image(), animated) << game;
  }
}

}  // namespace
}  // namespace tw
