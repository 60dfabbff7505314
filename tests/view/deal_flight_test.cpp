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

// A window that gathers what it is asked to show for its next frame: the
// deal's own flights draw only the steps that reach the screen, leave no
// card behind where a step was left out, and time each step left out.
TEST_F(ViewTest, AnimatedDealDrawsOnlyTheStepsThatReachTheScreen) {
  Deal(testing::kKlondike, 'M');
  int asked = 0, skipped = 0, shown = 0, stray = 0;
  TableViewHooks hooks;
  hooks.FrameDue = [&] { return ++asked % 4 == 0; };
  hooks.SkipFrame = [&] { ++skipped; };
  hooks.Repaint = [&](QRect r) {
    ++shown;
    // Outside the part shown, the window is the table.
    const QImage& window = view.WindowCanvas().Image();
    const QImage table = view.TableBmp().Image();
    for (int y = 0; y < window.height(); y += 3)
      for (int x = 0; x < window.width(); x += 3)
        if (!r.contains(x, y) && window.pixel(x, y) != table.pixel(x, y)) ++stray;
  };
  view.SetHooks(hooks);
  view.PaintBackgroundFromSettings(view.TableBmp());
  view.DrawTable(view.WindowCanvas(), true);
  EXPECT_GT(asked, 100) << "the deal flew no steps";
  EXPECT_EQ(skipped, 2 * (asked - asked / 4)) << "each step left out has its two showings timed";
  EXPECT_EQ(stray, 0);
  const QImage animated = view.TableBmp().Image().copy();
  EXPECT_EQ(view.WindowCanvas().Image(), animated.copy(0, 0, view.WindowCanvas().Width(),
                                                       view.WindowCanvas().Height()));
  DrawDealt();
  EXPECT_EQ(view.TableBmp().Image(), animated);
}

}  // namespace
}  // namespace tw
