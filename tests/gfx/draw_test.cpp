#include "platform/gfx/draw.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace tw::gfx {
namespace {

// A surface whose every pixel has its own colour: x in red, y in green.
Bitmap Numbered(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) SetPixel(b, x, y, Rgb(x, y, 7));
  return b;
}

TEST(Colour, PlatformValuesAreBlueGreenRed) {
  EXPECT_EQ(ToQRgb(0xFF0000), qRgb(0, 0, 255));
  EXPECT_EQ(ToQRgb(0x008000), qRgb(0, 128, 0));
  EXPECT_EQ(FromQRgb(qRgb(1, 2, 3)), 0x030201);
  // Button face, the default background colour of the preferences.
  EXPECT_EQ(ToQRgb(-2147483633), qRgb(0xD4, 0xD0, 0xC8));
  EXPECT_EQ(ToQRgb(kWindowColour), qRgb(255, 255, 255));
}

TEST(Pixels, OutsideTheSurfaceAreIgnored) {
  Bitmap b(4, 3);
  FillRect(b, QRect(0, 0, 4, 3), kBlack);
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {-30000, 30000}}) {
    SetPixel(b, x, y, kWhite);
    EXPECT_EQ(GetPixel(b, x, y), kInvalidColour) << x << "," << y;
  }
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(GetPixel(b, x, y), kBlack);
  SetPixel(b, 3, 2, 0x123456);
  EXPECT_EQ(GetPixel(b, 3, 2), 0x123456);
  EXPECT_EQ(GetPixel(Bitmap(), 0, 0), kInvalidColour);
}

TEST(Copy, OntoTheSameSurfaceMovesOverlappingBlocksWhole) {
  struct Case {
    int dx, dy;
  } cases[] = {{3, 0}, {-3, 0}, {0, 2}, {0, -2}, {2, 2}, {-2, -1}};
  for (const Case& c : cases) {
    const Bitmap original = Numbered(12, 10);
    Bitmap b = original;
    Copy(b, 4 + c.dx, 3 + c.dy, 5, 4, b, 4, 3);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x)
        ASSERT_EQ(GetPixel(b, 4 + c.dx + x, 3 + c.dy + y), GetPixel(original, 4 + x, 3 + y))
            << c.dx << "," << c.dy;
  }
}

TEST(Copy, IsClippedOnBothSurfaces) {
  const Bitmap source = Numbered(6, 6);
  Bitmap target(5, 5);
  FillRect(target, QRect(0, 0, 5, 5), kBlack);
  // Starts left of and above the target and reads past the source's edge.
  Copy(target, -2, -1, 10, 10, source, 1, 1);
  EXPECT_EQ(GetPixel(target, 0, 0), Rgb(3, 2, 7));
  EXPECT_EQ(GetPixel(target, 2, 3), Rgb(5, 5, 7));
  EXPECT_EQ(GetPixel(target, 3, 0), kBlack);  // source column 6 does not exist
  EXPECT_EQ(GetPixel(target, 0, 4), kBlack);
}

TEST(Copy, EachSurfaceAppliesItsOwnOffset) {
  // The table picture holds the table unscrolled; the window shows it from
  // the scroll position down. The same window position meets on both.
  Bitmap table = Numbered(20, 40);
  table.SetYOffset(15);
  Bitmap window(20, 10);
  Copy(window, 0, 0, 20, 10, table, 0, 0);
  EXPECT_EQ(GetPixel(window, 3, 0), Rgb(3, 15, 7));
  EXPECT_EQ(GetPixel(window, 3, 9), Rgb(3, 24, 7));
  EXPECT_EQ(GetPixel(table, 3, 0), Rgb(3, 15, 7));
  EXPECT_EQ(table.Bounds(), QRect(0, -15, 20, 40));

  // Drawing on the table at a window position lands at y + scroll.
  SetPixel(table, 1, 2, kWhite);
  EXPECT_EQ(FromQRgb(table.Image().pixel(1, 17)), kWhite);
  InvertRect(table, QRect(0, 0, 1, 1));
  EXPECT_EQ(FromQRgb(table.Image().pixel(0, 15)), Rgb(0, 15, 7) ^ 0xFFFFFF);
}

TEST(Copy, TransparentLeavesTheKeyColourOut) {
  Bitmap strip(3, 1);
  SetPixel(strip, 0, 0, kBlue);
  SetPixel(strip, 1, 0, 0x112233);
  SetPixel(strip, 2, 0, kBlue);
  Bitmap target(3, 1);
  FillRect(target, QRect(0, 0, 3, 1), kGreen);
  CopyTransparent(target, 0, 0, 3, 1, strip, 0, 0, kBlue);
  EXPECT_EQ(GetPixel(target, 0, 0), kGreen);
  EXPECT_EQ(GetPixel(target, 1, 0), 0x112233);
  EXPECT_EQ(GetPixel(target, 2, 0), kGreen);

  strip.SetTransparent(true, 0x112233);
  Draw(target, 0, 0, strip);
  EXPECT_EQ(GetPixel(target, 0, 0), kBlue);
  EXPECT_EQ(GetPixel(target, 1, 0), 0x112233);  // left alone, was copied before

  BrushCopy(target, 0, 0, 3, 1, strip, 0, 0, kBlue, kSilver);
  EXPECT_EQ(GetPixel(target, 0, 0), kSilver);
  EXPECT_EQ(GetPixel(target, 1, 0), 0x112233);
}

TEST(Invert, TwiceRestoresAndStaysInside) {
  const Bitmap original = Numbered(8, 8);
  Bitmap b = original;
  InvertRect(b, QRect(-2, 2, 5, 3));
  EXPECT_EQ(GetPixel(b, 0, 2), Rgb(0, 2, 7) ^ 0xFFFFFF);
  EXPECT_EQ(GetPixel(b, 2, 4), Rgb(2, 4, 7) ^ 0xFFFFFF);
  EXPECT_EQ(GetPixel(b, 3, 2), Rgb(3, 2, 7));
  EXPECT_EQ(GetPixel(b, 0, 5), Rgb(0, 5, 7));
  InvertRect(b, QRect(-2, 2, 5, 3));
  EXPECT_EQ(b.Image(), original.Image());
}

TEST(Rectangles, FillAndFrame) {
  Bitmap b(6, 5);
  FillRect(b, QRect(0, 0, 6, 5), kWhite);
  FrameRect(b, QRect(1, 1, 4, 3), kBlack);
  EXPECT_EQ(GetPixel(b, 1, 1), kBlack);
  EXPECT_EQ(GetPixel(b, 4, 3), kBlack);
  EXPECT_EQ(GetPixel(b, 2, 2), kWhite);
  EXPECT_EQ(GetPixel(b, 5, 4), kWhite);
}

TEST(Gradient, BandsRunFromTopColourTowardsBottom) {
  Bitmap b(2, 512);
  FillGradient(b, QRect(0, 0, 2, 512), Rgb(0, 128, 0), kBlack);
  EXPECT_EQ(GetPixel(b, 0, 0), Rgb(0, 128, 0));
  EXPECT_EQ(GetPixel(b, 1, 1), Rgb(0, 128, 0));  // band 0 is two rows
  EXPECT_EQ(GetPixel(b, 0, 2), Rgb(0, 128, 0));  // 1 x -128 / 256 truncates to 0
  EXPECT_EQ(GetPixel(b, 0, 4), Rgb(0, 127, 0));
  EXPECT_EQ(GetPixel(b, 0, 256), Rgb(0, 64, 0));
  EXPECT_EQ(GetPixel(b, 0, 511), Rgb(0, 1, 0));  // never quite the bottom colour
}

TEST(Tile, RepeatsRightAndDownIncludingPartialTiles) {
  const Bitmap tile = Numbered(10, 7);
  Bitmap area(25, 15);
  Tile(area, QRect(0, 0, 25, 15), tile);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 25; ++x) ASSERT_EQ(GetPixel(area, x, y), Rgb(x % 10, y % 7, 7));

  // On a scrolled surface the tiles still start at the area's corner.
  Bitmap table(12, 20);
  table.SetYOffset(5);
  Tile(table, table.Bounds(), tile);
  EXPECT_EQ(FromQRgb(table.Image().pixel(0, 0)), Rgb(0, 0, 7));
  EXPECT_EQ(FromQRgb(table.Image().pixel(11, 19)), Rgb(1, 19 % 7, 7));

  Bitmap untouched(3, 3);
  Tile(untouched, QRect(0, 0, 3, 3), Bitmap());
  EXPECT_EQ(GetPixel(untouched, 1, 1), kWhite);
}

TEST(Text, RendersWithARealFontAndMeasures) {
  const Font font;
  const QSize one = TextExtent("Total", font);
  const QSize two = TextExtent("Total: 125 points", font);
  EXPECT_GT(one.width(), 15);
  EXPECT_GT(two.width(), one.width());
  EXPECT_GE(one.height(), 11);
  EXPECT_LE(one.height(), 16);
  Font bold = font;
  bold.bold = true;
  EXPECT_GE(TextExtent("Total", bold).width(), one.width());

  Bitmap b(80, 20);
  b.SetYOffset(4);
  TextOut(b, 2, -4, "Total", font, kWhite);
  int dark = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 80; ++x) dark += qGray(b.Image().pixel(x, y)) < 100;
  // Glyphs, not a missing-font box or nothing.
  EXPECT_GT(dark, 15);
  EXPECT_LT(dark, 300);
}

TEST(Bitmap, SetSizeKeepsThePicture) {
  Bitmap b = Numbered(4, 4);
  b.SetSize(6, 3);
  EXPECT_EQ(b.Width(), 6);
  EXPECT_EQ(GetPixel(b, 3, 2), Rgb(3, 2, 7));
  EXPECT_EQ(GetPixel(b, 5, 0), kWhite);
  b.SetSize(0, 3);
  EXPECT_TRUE(b.Empty());
}

// A plain surface and a real one with the same pixels, built by other means.
struct PlainAndReal {
  Bitmap plain, real;
};

// A colour when tile is empty, otherwise tile repeated from (x0, y0).
PlainAndReal MakePlain(int w, int h, Colour colour, const Bitmap& tile, int x0, int y0) {
  PlainAndReal p{Bitmap(w, h), Bitmap(w, h)};
  p.real.Image();
  if (tile.Empty()) {
    p.plain.Fill(colour);
    FillRect(p.real, QRect(0, 0, w, h), colour);
  } else {
    p.plain.FillTiled(tile, x0, y0);
    const int tw = tile.Width(), th = tile.Height();
    const int left = x0 - tw * (x0 / tw + 1), top = y0 - th * (y0 / th + 1);
    Tile(p.real, QRect(left, top, w - left, h - top), tile);
  }
  EXPECT_TRUE(p.plain.Plain());
  EXPECT_FALSE(p.real.Plain());
  return p;
}

TEST(PlainSurface, CopiesAndReadsGiveThePixelsOfTheRealPicture) {
  const Bitmap tile = Numbered(7, 5);
  struct Case {
    const char* name;
    bool tiled;
    int x0, y0;                // tile origin
    std::vector<QSize> sizes;  // SetSize calls, in order
    int source_offset, target_offset;
    int x, y, w, h, sx, sy;  // the copy
  } cases[] = {
      {"colour, whole", false, 0, 0, {}, 0, 0, 0, 0, 40, 30, 0, 0},
      {"colour, clipped everywhere", false, 0, 0, {}, 0, 0, -3, -4, 60, 50, -2, -5},
      {"tile from the corner", true, 0, 0, {}, 0, 0, 0, 0, 40, 30, 0, 0},
      {"tile from an origin", true, 3, 2, {}, 0, 0, 1, 1, 33, 25, 4, 6},
      {"tile origin past a tile", true, 18, 11, {}, 0, 0, 0, 0, 40, 30, 0, 0},
      {"source scrolled", true, 3, 2, {}, 12, 0, 0, 0, 40, 30, 0, -12},
      {"both scrolled", true, 3, 2, {}, 9, 4, 2, -4, 30, 30, 5, -9},
      {"scrolled and clipped", true, 5, 1, {}, 7, 3, -6, -10, 70, 70, -4, -20},
      {"grown colour", false, 0, 0, {{52, 47}}, 0, 0, 0, 0, 60, 50, 0, 0},
      {"grown tile, scrolled", true, 4, 3, {{45, 60}}, 6, 0, 0, 0, 60, 70, 0, -6},
      {"shrunk then grown", true, 4, 3, {{20, 15}, {52, 47}}, 0, 0, 0, 0, 60, 50, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlainAndReal p = MakePlain(40, 30, Rgb(10, 200, 30), c.tiled ? tile : Bitmap(), c.x0, c.y0);
    for (QSize size : c.sizes) {
      p.plain.SetSize(size.width(), size.height());
      p.real.SetSize(size.width(), size.height());
    }
    for (Bitmap* b : {&p.plain, &p.real}) b->SetYOffset(c.source_offset);
    // The key is a colour the tile has; the brush another one.
    const Colour key = c.tiled ? GetPixel(tile, 2, 1) : Rgb(10, 200, 30);
    const std::function<void(Bitmap&, const Bitmap&)> ops[] = {
        [&](Bitmap& t, const Bitmap& s) { Copy(t, c.x, c.y, c.w, c.h, s, c.sx, c.sy); },
        [&](Bitmap& t, const Bitmap& s) {
          CopyTransparent(t, c.x, c.y, c.w, c.h, s, c.sx, c.sy, key);
        },
        [&](Bitmap& t, const Bitmap& s) {
          BrushCopy(t, c.x, c.y, c.w, c.h, s, c.sx, c.sy, key, kBlue);
        },
        [&](Bitmap& t, const Bitmap& s) { Draw(t, c.x, c.y, s); },
        [&](Bitmap& t, const Bitmap& s) { Tile(t, QRect(c.x, c.y, 50, 40), s); },
    };
    for (const auto& op : ops) {
      Bitmap from_plain = Numbered(50, 40), from_real = Numbered(50, 40);
      from_plain.SetYOffset(c.target_offset);
      from_real.SetYOffset(c.target_offset);
      op(from_plain, p.plain);
      op(from_real, p.real);
      ASSERT_EQ(from_plain.Image(), from_real.Image());
    }
    for (int y = -c.source_offset - 2; y < p.real.Height() - c.source_offset + 2; ++y)
      for (int x = -2; x < p.real.Width() + 2; ++x)
        ASSERT_EQ(GetPixel(p.plain, x, y), GetPixel(p.real, x, y)) << x << "," << y;
    EXPECT_TRUE(p.plain.Plain()) << "reading made the pixels";
    EXPECT_EQ(p.plain.Image(), p.real.Image());
  }
}

TEST(PlainSurface, DrawingIntoItMakesThePixels) {
  const Bitmap tile = Numbered(7, 5);
  const Bitmap card = Numbered(9, 9);
  struct Case {
    const char* name;
    std::function<void(Bitmap&)> draw;
    bool stays_plain;
  } cases[] = {
      {"fill part", [](Bitmap& b) { FillRect(b, QRect(3, 4, 5, 6), kBlack); }, false},
      {"fill whole", [](Bitmap& b) { FillRect(b, QRect(-5, -9, 60, 60), kBlue); }, true},
      {"fill outside", [](Bitmap& b) { FillRect(b, QRect(40, 0, 5, 5), kBlack); }, true},
      {"pixel", [](Bitmap& b) { SetPixel(b, 39, 20, kBlack); }, false},
      {"pixel outside", [](Bitmap& b) { SetPixel(b, 40, 0, kBlack); }, true},
      {"invert", [](Bitmap& b) { InvertRect(b, QRect(0, 0, 10, 10)); }, false},
      {"copy in", [&](Bitmap& b) { Copy(b, 5, 5, 9, 9, card, 0, 0); }, false},
      {"copy onto itself", [](Bitmap& b) { Copy(b, 3, 2, 20, 20, b, 0, 0); }, false},
      {"stretch in", [&](Bitmap& b) { StretchCopy(b, QRect(0, 0, 20, 20), card, QRect(0, 0, 9, 9)); },
       false},
      {"gradient", [](Bitmap& b) { FillGradient(b, QRect(0, 0, 40, 30), kBlue, kBlack); }, false},
      {"text", [](Bitmap& b) { TextOut(b, 2, 2, "Ab", Font{}); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (bool tiled : {false, true}) {
      PlainAndReal p = MakePlain(40, 30, Rgb(10, 200, 30), tiled ? tile : Bitmap(), 3, 2);
      for (Bitmap* b : {&p.plain, &p.real}) {
        b->SetYOffset(4);
        c.draw(*b);
      }
      EXPECT_EQ(p.plain.Plain(), c.stays_plain);
      ASSERT_EQ(p.plain.Image(), p.real.Image());
    }
  }
}

// What the surface copies out of parts of it, each into a picture with a
// margin around it, is what it shows there, and the margin stays as it was.
void ExpectCopiedOut(const Bitmap& surface, const QImage& shows) {
  const QRect b = surface.Bounds();
  const QRect parts[] = {b, QRect(b.left() + 1, b.top() + 3, 70, 65),
                         QRect(b.left() + 63, b.top(), 2, 1),
                         QRect(b.right() - 40, b.bottom() - 30, 41, 31)};
  constexpr std::uint32_t kMargin = 0xFF123456u;
  for (const QRect& part : parts) {
    SCOPED_TRACE(::testing::Message() << part.x() << "," << part.y() << " " << part.width() << "x"
                                      << part.height());
    QImage out(part.width() + 6, part.height() + 4, QImage::Format_RGB32);
    out.fill(kMargin);
    const std::ptrdiff_t stride = out.bytesPerLine() / 4;
    surface.CopyTo(part, reinterpret_cast<std::uint32_t*>(out.bits()) + 2 * stride + 3, stride);
    const QImage expected = shows.copy(part.translated(0, surface.YOffset()));
    for (int y = 0; y < out.height(); ++y)
      for (int x = 0; x < out.width(); ++x) {
        const bool inside = x >= 3 && y >= 2 && x < part.width() + 3 && y < part.height() + 2;
        ASSERT_EQ(out.pixel(x, y), inside ? expected.pixel(x - 3, y - 2) : kMargin) << x << "," << y;
      }
  }
}

// The window over the table picture, next to a window of its own pixels that
// every step also copies the table into: both must show the same, and the
// overlay keeps pixels only where something lies over the table.
TEST(OverlaySurface, ShowsWhatAWindowOfItsOwnWouldShow) {
  const Bitmap card = Numbered(30, 40);
  const int w = 150, h = 130;
  Bitmap table = Numbered(w + 20, h + 40);
  table.SetYOffset(9);  // scrolled
  Bitmap overlay(w, h), real(w, h);
  Copy(real, 0, 0, w, h, table, 0, 0);
  overlay.ShowOver(&table);
  struct Step {
    const char* name;
    std::function<void(Bitmap& window)> draw;
    int squares;  // that hold pixels afterwards; -1 not checked
  } steps[] = {
      {"a card", [&](Bitmap& b) { Copy(b, 50, 50, 30, 40, card, 0, 0); }, 4},
      {"the table back over part of it",
       [&](Bitmap& b) { Copy(b, 60, 40, 20, 60, table, 60, 40); }, 2},
      {"the table back over all of it",
       [&](Bitmap& b) { Copy(b, 40, 45, 50, 50, table, 40, 45); }, 0},
      {"the table from another place", [&](Bitmap& b) { Copy(b, 5, 5, 20, 20, table, 40, 30); }, 1},
      {"a transparent card, clipped",
       [&](Bitmap& b) { CopyTransparent(b, -10, h - 20, 30, 40, card, 0, 0, Rgb(3, 4, 7)); }, -1},
      {"onto itself", [](Bitmap& b) { Copy(b, 30, 20, 70, 70, b, 0, 0); }, -1},
      {"invert", [](Bitmap& b) { InvertRect(b, QRect(100, 3, 45, 70)); }, -1},
      {"fill and pixel",
       [](Bitmap& b) {
         FillRect(b, QRect(140, 100, 30, 60), kBlue);
         SetPixel(b, 64, 64, kBlack);
       },
       -1},
      {"stretch", [&](Bitmap& b) { StretchCopy(b, QRect(10, 60, 61, 33), card, QRect(2, 3, 20, 20)); },
       -1},
      {"text", [](Bitmap& b) { TextOut(b, 58, 58, "Ab 10", Font{}); }, -1},
      {"the table changes and is shown",
       [&](Bitmap& b) {
         if (&b == &overlay) FillRect(table, QRect(0, 0, 50, 50), kBlack);
         Copy(b, 0, 0, 50, 50, table, 0, 0);
       },
       -1},
      {"shown whole", [&](Bitmap& b) { Copy(b, 0, 0, w, h, table, 0, 0); }, 0},
      {"a card after a resize",
       [&](Bitmap& b) {
         b.SetSize(w - 30, h + 10);
         Copy(b, 0, 0, w - 30, h + 10, table, 0, 0);
         Copy(b, w - 45, h - 25, 30, 40, card, 0, 0);
       },
       -1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.draw(overlay);
    step.draw(real);
    ASSERT_EQ(overlay.Width(), real.Width());
    ASSERT_EQ(overlay.Height(), real.Height());
    for (int y = -2; y < real.Height() + 2; ++y)
      for (int x = -2; x < real.Width() + 2; ++x)
        ASSERT_EQ(GetPixel(overlay, x, y), GetPixel(real, x, y)) << x << "," << y;
    ASSERT_EQ(overlay.Image(), real.Image());
    if (step.squares >= 0) EXPECT_EQ(overlay.OwnSquares(), step.squares);
    // Copies from it, and what it paints.
    Bitmap taken(40, 40), expected(40, 40);
    Copy(taken, 0, 0, 40, 40, overlay, 50, 45);
    Copy(expected, 0, 0, 40, 40, real, 50, 45);
    ASSERT_EQ(taken.Image(), expected.Image());
    QImage painted(real.Width(), real.Height(), QImage::Format_RGB32);
    painted.fill(Qt::red);
    {
      QPainter p(&painted);
      overlay.PaintTo(p, QRect(0, 0, real.Width() / 2, real.Height()));
      overlay.PaintTo(p, QRect(real.Width() / 2, 0, real.Width(), real.Height()));
    }
    ASSERT_EQ(painted, real.Image());
    ExpectCopiedOut(overlay, real.Image());
    const Bitmap copy = overlay;
    EXPECT_FALSE(copy.Overlay());
    EXPECT_EQ(copy.Image(), real.Image());
  }
}

// A window over a table picture over a plain bare table: what it paints is
// what it shows, for a tile from an origin, a scrolled table and a colour
// that covers only part of a grown surface.
TEST(OverlaySurface, PaintsAChainDownToAPlainSurface) {
  const Bitmap tile = Numbered(7, 5), card = Numbered(30, 40);
  for (bool tiled : {true, false}) {
    SCOPED_TRACE(tiled ? "tile" : "colour");
    Bitmap bare(150, 170);
    if (tiled) {
      bare.FillTiled(tile, 3, 2);
      bare.SetYOffset(11);
    } else {
      bare.Fill(Rgb(10, 200, 30));
      bare.SetSize(170, 190);  // white beyond the colour
    }
    Bitmap table(bare.Width(), bare.Height()), window(160, 140);
    table.SetYOffset(bare.YOffset());
    table.ShowOver(&bare);
    window.ShowOver(&table);
    Copy(table, 0, -bare.YOffset(), bare.Width(), bare.Height(), bare, 0, -bare.YOffset());
    Copy(table, 40, 30, 30, 40, card, 0, 0);
    Copy(table, 100, 60, 30, 40, card, 0, 0);
    Copy(window, 60, 50, 30, 40, card, 5, 5);
    ASSERT_TRUE(bare.Plain());
    for (const Bitmap* b : {&table, &window}) {
      QImage painted(b->Width(), b->Height(), QImage::Format_RGB32);
      painted.fill(Qt::red);
      QPainter p(&painted);
      p.translate(0, b->YOffset());
      b->PaintTo(p, b->Bounds());
      p.end();
      ASSERT_EQ(painted, b->Image());
      ExpectCopiedOut(*b, b->Image());
    }
    EXPECT_TRUE(bare.Plain()) << "painting made the bare table's pixels";
  }
}

}  // namespace
}  // namespace tw::gfx
