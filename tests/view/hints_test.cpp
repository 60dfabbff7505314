// Foundation hint boxes, the batch counter and the pause screen on plain
// pictures.
#include "table/view/hints.h"

#include <gtest/gtest.h>

#include "core/cards.h"
#include "platform/gfx/draw.h"

namespace tw {
namespace {

constexpr gfx::Colour kFelt = 0x205020;

class PlainDrawing : public PlayDrawing {
 public:
  PlainDrawing() : window(400, 300), table(400, 300), background(400, 300) {
    for (gfx::Bitmap* b : {&window, &table, &background}) gfx::FillRect(*b, b->Bounds(), kFelt);
  }
  gfx::Bitmap& Window() override { return window; }
  gfx::Bitmap& Table() override { return table; }
  gfx::Bitmap& Background() override { return background; }
  CardPictures& Pictures() override { return pictures; }
  void ReloadPictures() override {}
  void DrawCard(gfx::Bitmap&, int, int, int) override {}
  void RedrawPile(const std::string&) override {}
  void DrawTable(bool) override {}
  void PaintBackground() override {}
  void Present(QRect r) override { shown.push_back(r); }
  LayoutInput Layout() override { return {}; }

  gfx::Bitmap window, table, background;
  CardPictures pictures;
  std::vector<QRect> shown;
};

class HintDrawing : public ::testing::Test {
 protected:
  HintDrawing() {
    CreateSharedGlobals(ctx, "/nonexistent/");
    InitCardsAndPiles(ctx);
    ctx.CardWidth = 40;
    ctx.CardHeight = 60;
    for (int i = 0; i < 4; ++i) {
      ctx.SetFoundationX(i, 20 + 60 * i);
      ctx.SetFoundationY(i, 100);
    }
    ctx.GameRules.GameKind() = 10;
    ctx.GameRules.FoundationMaxCards() = 13;
  }
  // The box of foundation i: (x + 20 - 10, 100 - 18), 21 x 14.
  QRect HintBox(int i) const { return QRect(20 + 60 * i + 10, 82, 21, 14); }
  GameContext ctx;
  PlainDrawing drawing;
};

bool HasColour(const gfx::Bitmap& b, QRect r, gfx::Colour c) {
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) {
      if (gfx::GetPixel(b, x, y) == c) return true;
    }
  }
  return false;
}

// Text pixels (smoothed text has few of pure black).
bool HasText(const gfx::Bitmap& b, QRect r) {
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) {
      if ((gfx::GetPixel(b, x, y) & 0xFF) < 0x80) return true;
    }
  }
  return false;
}

TEST_F(HintDrawing, BoxesShowTheNextRankAndVanishWithoutOne) {
  ctx.DestPiles[0] = CardCodeText(12);  // a Queen on foundation 1 asks for the King
  // Foundation 2 held a box from before; it is empty now.
  gfx::FillRect(drawing.window, HintBox(1), gfx::kWhite);
  gfx::FillRect(drawing.table, HintBox(1), gfx::kWhite);
  DrawFoundationHints(ctx, drawing);
  for (gfx::Bitmap* b : {&drawing.window, &drawing.table}) {
    const QRect box = HintBox(0);
    EXPECT_EQ(gfx::GetPixel(*b, box.left(), box.top()), gfx::kWhite);
    EXPECT_EQ(gfx::GetPixel(*b, box.right(), box.bottom()), gfx::kWhite);
    EXPECT_TRUE(HasText(*b, box)) << "the rank is written";
    EXPECT_EQ(gfx::GetPixel(*b, box.right() + 1, box.top()), kFelt);
    EXPECT_FALSE(HasColour(*b, HintBox(1), gfx::kWhite)) << "the empty foundation's box is erased";
  }
  EXPECT_EQ(drawing.shown.size(), 4u);
}

TEST_F(HintDrawing, BatchCounterSitsUnderTheWaste) {
  ctx.GameRules.GameKind() = 23;
  ctx.StockBaseX[1] = 100;
  ctx.StockBaseY[1] = 50;
  ctx.MazzoPiles[1] = CardCodeText(1) + CardCodeText(2);
  DrawBatchCounter(ctx, drawing);
  const QRect box(100 + 20 - 20, 50 + 60 + 10, 40, 14);
  EXPECT_EQ(gfx::GetPixel(drawing.table, box.left(), box.top()), gfx::kWhite);
  EXPECT_EQ(gfx::GetPixel(drawing.window, box.right(), box.bottom()), gfx::kWhite);
  EXPECT_TRUE(HasText(drawing.table, box));
  ASSERT_EQ(drawing.shown.size(), 1u);
  EXPECT_EQ(drawing.shown[0], box);
}

TEST(PausePlacementTest, PicturesStayInsideSmallWindows) {
  struct Case {
    int w, h;
    PausePlacement expected;
  } cases[] = {
      {800, 600, {}},                    // centred (below)
      {200, 150, {5, 100, 5, 191}},      // narrower and lower than the pictures
  };
  cases[0].expected = {(800 - 280) / 2, (600 - 76 - 45 - 34) / 2, (800 - 440) / 2,
                       (600 - 76 - 45 - 34) / 2 + 76 + 15};
  for (const Case& c : cases) {
    const PausePlacement p = PlacePausePictures(c.w, c.h, QSize(280, 76), QSize(440, 34));
    EXPECT_EQ(p.X1, c.expected.X1) << c.w;
    EXPECT_EQ(p.Y1, c.expected.Y1) << c.w;
    EXPECT_EQ(p.X2, c.expected.X2) << c.w;
    EXPECT_EQ(p.Y2, c.expected.Y2) << c.w;
  }
}

TEST(PauseScreenTest, HidesTheTableAndSlidesTheFirstPictureBackAndForth) {
  PlainDrawing drawing;
  gfx::Bitmap p1(30, 10), p2(42, 10);
  gfx::FillRect(p1, p1.Bounds(), gfx::kWhite);
  gfx::FillRect(p2, p2.Bounds(), gfx::kSilver);
  for (bool gradient : {false, true}) {
    PauseScreen screen(drawing);
    screen.Show(p1, p2, 400, 300, gradient);
    const PausePlacement& at = screen.Placement();
    const gfx::Colour bottom = gfx::GetPixel(drawing.window, 2, 299);
    if (gradient) {
      EXPECT_LE(bottom, 0x000100) << "fading to black";
    } else {
      EXPECT_EQ(bottom, gfx::kGreen);
    }
    EXPECT_EQ(gfx::GetPixel(drawing.window, 2, 0), gfx::kGreen);
    EXPECT_EQ(gfx::GetPixel(drawing.window, at.X1, at.Y1), gfx::kWhite);
    EXPECT_EQ(gfx::GetPixel(drawing.window, at.X2, at.Y2), gfx::kSilver);
    // Range: x1 - x2 + 2 = 8 pixels each way, 3 pixels a step.
    std::vector<int> xs;
    for (int k = 0; k < 14; ++k) {
      screen.Step();
      xs.push_back(screen.SliderX());
    }
    const int x1 = at.X1;
    const std::vector<int> expected = {x1 + 3, x1 + 6, x1 + 6, x1 + 3, x1, x1 - 3, x1 - 6,
                                       x1 - 6, x1 - 3, x1,     x1 + 3, x1 + 6, x1 + 6, x1 + 3};
    EXPECT_EQ(xs, expected);
    // The picture is whole where it stands and the strip it left is table.
    const int p = screen.SliderX();
    EXPECT_EQ(gfx::GetPixel(drawing.table, p, at.Y1), gfx::kWhite);
    EXPECT_EQ(gfx::GetPixel(drawing.table, p + 29, at.Y1 + 9), gfx::kWhite);
    EXPECT_NE(gfx::GetPixel(drawing.table, p + 30, at.Y1), gfx::kWhite);
    EXPECT_NE(gfx::GetPixel(drawing.window, p - 1, at.Y1), gfx::kWhite);
  }
}

}  // namespace
}  // namespace tw
