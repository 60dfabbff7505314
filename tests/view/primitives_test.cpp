// Corners, the dithered shadow, backgrounds, markers and the picture
// loaders, on small surfaces and on the generated program directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/util.h"
#include "platform/gfx/picture_file.h"
#include "table/view/corners.h"
#include "table/view/markers.h"
#include "tests/platform/temp_dir.h"
#include "tests/view/view_fixture.h"

namespace tw {
namespace {

using testing::ViewTest;

std::set<std::pair<int, int>> BlackPixels(const gfx::Bitmap& b) {
  std::set<std::pair<int, int>> out;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (gfx::GetPixel(b, x, y) == gfx::kBlack) out.insert({x, y});
  return out;
}

TEST(CornerTest, ThreePixelsPerCornerOrOneAtTheSmallWidth) {
  const QRect r(10, 20, 25, 32);
  const std::vector<QPoint> all = CornerPixels(r, kAllCorners, 0);
  const std::set<std::pair<int, int>> expected = {{0, 0},  {1, 0},   {0, 1},   {24, 0},
                                                  {23, 0}, {24, 1},  {0, 31},  {1, 31},
                                                  {0, 30}, {24, 31}, {23, 31}, {24, 30}};
  std::set<std::pair<int, int>> got;
  for (const QPoint& p : all) got.insert({p.x(), p.y()});
  EXPECT_EQ(got, expected);
  EXPECT_EQ(CornerPixels(r, kAllCorners, 25).size(), 4u);
  EXPECT_EQ(CornerPixels(r, kBottomRightCorner, 0).size(), 3u);
}

TEST(CornerTest, GroupsCopyBetweenSurfacesWithTheirOwnOffsets) {
  gfx::Bitmap source(40, 300), target(40, 300);
  gfx::FillRect(source, QRect(0, 0, 40, 300), gfx::kBlue);
  gfx::FillRect(target, QRect(0, 0, 40, 300), gfx::kWhite);
  // The source is a scrolled table (offset 100), the target a card picture.
  source.SetYOffset(100);
  gfx::SetPixel(source, 0, 50, gfx::kLime);  // own row 150
  const QRect card(0, 50, 20, 30), local(0, 0, 20, 30);
  MaskCardTopCorners(source, card, target, 0, local);
  EXPECT_EQ(gfx::GetPixel(target, 0, 0), gfx::kLime);
  EXPECT_EQ(gfx::GetPixel(target, 1, 0), gfx::kBlue);
  EXPECT_EQ(gfx::GetPixel(target, 0, 29), gfx::kWhite);
  MaskCardBottomCornersShaded(source, card, target, 0, local);
  EXPECT_EQ(gfx::GetPixel(target, 0, 29), gfx::kBlue);
  for (const QPoint& p : CornerPixels(local, kBottomRightCorner, 0))
    EXPECT_EQ(gfx::GetPixel(target, p.x(), p.y()), gfx::kSilver);
  MarkCardCorners(gfx::kBlack, target, local, 0);
  EXPECT_EQ(BlackPixels(target).size(), 12u);
  // Corners beyond a surface's edge are skipped, not wrapped.
  MaskCardCorners(source, QRect(-10, -200, 20, 30), target, 0, local);
  EXPECT_EQ(gfx::GetPixel(target, 0, 0), gfx::kBlack);
}

TEST(ShadowTest, DitheredShadowPixels) {
  gfx::Bitmap b(120, 160);
  gfx::FillRect(b, QRect(0, 0, 120, 160), gfx::kWhite);
  // L 10, T 20, R 81, B 116.
  DrawDitheredShadow(b, QRect(10, 20, 71, 96));
  const auto black = BlackPixels(b);
  // Right band: six columns of 45 dots and the last of 44; bottom band: five
  // rows of 35, then 34 and 33; the two corner dots; three dots of row B
  // lie in both bands.
  EXPECT_EQ(black.size(), 6u * 45 + 44 + 5 * 35 + 34 + 33 + 2 - 3);
  for (auto p : {std::pair{81, 27},
                 {82, 28},
                 {83, 27},
                 {87, 29},
                 {87, 115},
                 {81, 115},
                 {18, 116},
                 {19, 117},
                 {86, 116},
                 {87, 117},
                 {19, 121},
                 {85, 121},
                 {20, 122},
                 {84, 122},
                 {80, 114},
                 {79, 115}})
    EXPECT_TRUE(black.count(p)) << p.first << "," << p.second;
  for (auto p : {std::pair{81, 26},
                 {81, 28},
                 {87, 27},
                 {88, 30},
                 {17, 116},
                 {87, 121},
                 {86, 122},
                 {81, 117 + 6},
                 {80, 115}})
    EXPECT_FALSE(black.count(p)) << p.first << "," << p.second;
  std::set<std::pair<int, int>> listed;
  for (const QPoint& p : DitheredShadowPixels(QRect(10, 20, 71, 96))) listed.insert({p.x(), p.y()});
  EXPECT_EQ(black, listed);
}

TEST(MarkerTest, ChosenByRulesAndState) {
  GameContext ctx;
  CreateSharedGlobals(ctx, "/nonexistent/");
  InitCardsAndPiles(ctx);
  auto& r = ctx.GameRules;
  auto& s = ctx.GameState;
  using M = Marker;
  struct Case {
    const char* what;
    std::function<void()> set;
    MarkerKind kind;
    int index;
    MarkerChoice expected;
  };
  const std::vector<Case> cases = {
      {"deal game", [&] { r.GameKind() = 8; }, MarkerKind::Stock, -1, {M::DealMarker, -1}},
      {"redeal left",
       [&] {
         r.TableauRedeal() = 1;
         r.Deals() = 2;
         s.RedealsDone() = 1;
       },
       MarkerKind::Stock,
       -1,
       {M::StockBase, -1}},
      {"passes and waste",
       [&] {
         r.Deals() = 3;
         s.RedealsDone() = 1;
         ctx.MazzoPiles[1] = "001002";
       },
       MarkerKind::Stock,
       -1,
       {M::StockBase, -1}},
      {"passes used up",
       [&] {
         r.Deals() = 1;
         s.RedealsDone() = 1;
         ctx.MazzoPiles[1] = "001002";
       },
       MarkerKind::Stock,
       -1,
       {M::StockEmpty, -1}},
      {"unlimited",
       [&] {
         r.Deals() = -1;
         ctx.MazzoPiles[1] = "001002";
       },
       MarkerKind::Stock,
       -1,
       {M::StockBase, -1}},
      {"one waste card",
       [&] {
         r.Deals() = -1;
         ctx.MazzoPiles[1] = "001";
       },
       MarkerKind::Stock,
       -1,
       {M::StockEmpty, -1}},
      {"waste with stock", [&] { r.HasStock() = 1; }, MarkerKind::Waste, 0, {M::StockBaseAlt, -1}},
      {"waste no pass", [&] { r.Deals() = 0; }, MarkerKind::Waste, 0, {M::StockEmpty, -1}},
      {"waste otherwise", [&] { r.Deals() = 2; }, MarkerKind::Waste, 0, {}},
      {"queen rule",
       [&] {
         r.FoundationRule(2) = 10;
         r.FoundationBase(2) = 1;
       },
       MarkerKind::Foundation,
       2,
       {M::Rank, kQueenMarker}},
      {"rank code", [&] { r.FoundationBase(0) = 85; }, MarkerKind::Foundation, -1, {M::Rank, 0}},
      {"no rank",
       [&] { r.FoundationBase(3) = 14; },
       MarkerKind::Foundation,
       3,
       {M::FoundationBase, -1}},
      {"reserve 9", [&] { r.ReserveKind(0) = 9; }, MarkerKind::Reserve, 3, {M::ReserveBase9, -1}},
      {"reserve 8", [&] { r.ReserveKind(0) = 8; }, MarkerKind::Reserve, 1, {M::Rank, kKingMarker}},
      {"reserve", [] {}, MarkerKind::Reserve, 0, {M::ReserveBase, -1}},
      {"tableau start",
       [&] { r.TableauStart(4) = 84; },
       MarkerKind::Tableau,
       4,
       {M::Rank, kKingMarker}},
      {"no refill", [] {}, MarkerKind::Tableau, 2, {M::TableauNoFill, -1}},
      {"refill", [&] { r.TableauStart(0) = 99; }, MarkerKind::Tableau, 2, {M::TableauBase, -1}},
      {"talon", [] {}, MarkerKind::Talon, 2, {M::StockBaseAlt, -1}},
      {"none", [] {}, MarkerKind::None, 0, {}},
  };
  for (const Case& c : cases) {
    r.Clear();
    s = GameStateRecord{};
    InitCardsAndPiles(ctx);
    c.set();
    EXPECT_EQ(ChooseMarker(ctx, c.kind, c.index), c.expected) << c.what;
  }
}

TEST(PictureTest, RankMarkerCodes) {
  const std::pair<int, int> cases[] = {{1, 0},   {81, 0},  {85, 0}, {2, 1},   {12, 11},
                                       {13, 12}, {84, 12}, {0, -1}, {14, -1}, {80, -1},
                                       {86, -1}, {-1, -1}, {82, -1}};
  for (auto [code, index] : cases) EXPECT_EQ(RankMarkerIndex(code), index) << code;
  EXPECT_EQ(StockEdgeDepth(0), 0);
  for (auto [n, d] : {std::pair{1, 0}, {2, 1}, {3, 1}, {6, 1}, {7, 2}, {52, 8}, {104, 15}})
    EXPECT_EQ(StockEdgeDepth(n), d) << n;
}

TEST_F(ViewTest, FacesAreCutFromTheSuitSheets) {
  testing::ViewTest::Deal(testing::kKlondike, 'B');
  CardPictures& p = view.Pictures();
  const char suits[] = "HDCS";
  for (int s = 0; s < 4; ++s) {
    const gfx::Bitmap sheet = library.LoadBitmap(std::string("CB001") + suits[s]);
    ASSERT_FALSE(sheet.Empty());
    for (int rank : {1, 5, 6, 10, 11, 13}) {
      const int j = rank - 1, col = j < 10 ? j % 5 : j - 10, row = j < 10 ? j / 5 : 2;
      const gfx::Bitmap& face = p.CardFaces[static_cast<size_t>(13 * s + j)];
      ASSERT_EQ(face.Width(), 71);
      ASSERT_EQ(face.Height(), 96);
      for (auto [x, y] : {std::pair{5, 5}, {35, 48}, {65, 90}})
        EXPECT_EQ(At(face, x, y), At(sheet, col * 71 + x, row * 96 + y)) << suits[s] << rank;
    }
  }
  // A second-deck code draws the first deck's face.
  view.TableBmp().Image().fill(Qt::black);
  view.DrawCard(53, 100, 100, 0, view.TableBmp(), false);
  EXPECT_EQ(At(view.TableBmp(), 135, 148), At(p.CardFaces[0], 35, 48));
}

TEST_F(ViewTest, PicturesFollowTheCardSizeAndWaitForTheRecords) {
  ctx.CardRecords.clear();
  ctx.SetCfg(cfg::Card_Size, "B");
  ctx.SetCfg(cfg::Card, "001");
  view.ReloadCardPictures();
  EXPECT_TRUE(view.Pictures().CardBackBmp.Empty());
  EXPECT_EQ(view.Pictures().SizeLetter, 0);
  for (char size : {'B', 'M', 'L'}) {
    testing::ViewTest::Deal(testing::kKlondike, size);
    const CardPictures& p = view.Pictures();
    EXPECT_EQ(p.SizeLetter, size);
    for (const gfx::Bitmap* b : {&p.CardBackBmp, &p.TableauBaseBmp, &p.StockBaseBmp,
                                 &p.FoundationRankBmp[12], &p.CardFaces[51], &p.DragBmp}) {
      EXPECT_EQ(b->Width(), ctx.CardWidth) << size;
      EXPECT_EQ(b->Height(), ctx.CardHeight) << size;
    }
    EXPECT_TRUE(p.ShadowBmp1.Transparent());
    EXPECT_EQ(p.BorderBmp1.TransparentColour(), gfx::kBlue);
  }
  // A face set the small sizes lack falls back to one they have.
  ctx.SetCfg(cfg::Card, "005");
  ctx.SetCfg(cfg::Card_Size, "L");
  view.ReloadCardPictures();
  EXPECT_FALSE(view.Pictures().CardFaces[0].Empty());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ViewTest, MissingBackFallsBackWithOneMessage) {
  testing::ViewTest::Deal(testing::kKlondike, 'B');
  const gfx::Bitmap normal = view.Pictures().CardBackBmp;
  ctx.SetCfg(cfg::Back_Card, "099");
  view.ReloadCardPictures();
  view.ReloadCardPictures();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].rfind("Cannot find images file:", 0), 0u);
  EXPECT_NE(ui.messages[0].find("DB099.bmp"), std::string::npos);
  // The default back of the size stands in.
  EXPECT_EQ(view.Pictures().CardBackBmp.Image(), normal.Image());

  // Without any back file a plain built-in back is drawn.
  gfx::Bitmap back;
  ctx.ProgramDir = "/nonexistent/";
  EXPECT_FALSE(view.Loader().LoadImagesBitmap(back, "DM012"));
  EXPECT_EQ(back.Width(), 59);
  EXPECT_EQ(back.Height(), 80);
  EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(ViewTest, DamagedBackIsToldAsDamagedAndAStandInIsDrawn) {
  testing::TempDir dir;
  std::filesystem::create_directory(dir.File("Images"));
  dir.Write("Images/DB011.bmp", std::string("BM") + std::string(60, '\xff'));
  ctx.ProgramDir = dir.Dir();
  gfx::Bitmap back;
  EXPECT_FALSE(view.Loader().LoadImagesBitmap(back, "DB011"));
  EXPECT_EQ(back.Width(), 71);
  EXPECT_EQ(back.Height(), 96);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].rfind("Cannot load damaged images file:", 0), 0u);
}

TEST_F(ViewTest, Backgrounds) {
  testing::ViewTest::Deal(testing::kKlondike, 'B');
  gfx::Bitmap& t = view.TableBmp();
  auto paintedAll = [&](gfx::Colour c) {
    for (auto [x, y] : {std::pair{0, 0}, {500, 300}, {t.Width() - 1, t.Height() - 1}})
      if (At(t, x, y) != c || At(view.BackgroundBmp(), x, y) != c) return false;
    return true;
  };
  view.PaintBackgroundFromSettings(t);
  EXPECT_TRUE(paintedAll(gfx::kTableGreen));
  view.SetColourCount(256);
  view.PaintBackground(t, 0, 0, 0, false);
  EXPECT_TRUE(paintedAll(gfx::kGreen));
  view.SetColourCount(1 << 24);

  // A fixed colour of 1 or more wins over the colour.
  ctx.SetCfg(cfg::Background_def, "N");
  ctx.SetCfg(cfg::Background_bmp, "0");
  ctx.SetCfg(cfg::Background_Col, "255");
  ctx.SetCfg(cfg::Background_Fixed_Col, "32768");
  view.PaintBackgroundFromSettings(t);
  EXPECT_TRUE(paintedAll(gfx::kGreen));
  ctx.SetCfg(cfg::Background_Fixed_Col, "0");
  ctx.SetCfg(cfg::Fade_Background, "Y");
  view.PaintBackgroundFromSettings(t);
  EXPECT_EQ(At(t, 10, 0), gfx::Rgb(255, 0, 0));
  EXPECT_LT(At(t, 10, t.Height() - 1) & 0xFF, 8);
  view.SetColourCount(256);
  view.PaintBackgroundFromSettings(t);
  EXPECT_TRUE(paintedAll(gfx::Rgb(255, 0, 0)));
  view.SetColourCount(1 << 24);

  // Pictures below 500 are tiled, from 500 drawn once.
  const gfx::Bitmap tile = gfx::LoadPictureFile(dir_ + "Images/B301.bmp");
  ASSERT_FALSE(tile.Empty());
  view.PaintBackground(t, 301, 0, 0, false);
  const int w = tile.Width(), h = tile.Height();
  for (auto [x, y] : {std::pair{3, 4}, {w + 3, 4}, {3, 2 * h + 4}, {5 * w + 7, 3 * h + 1}})
    EXPECT_EQ(At(t, x, y), At(tile, x % w, y % h)) << x << "," << y;
  EXPECT_TRUE(ui.messages.empty());
  // A missing picture falls back to the plain table, once reported.
  view.PaintBackground(t, 499, 0, 0, false);
  view.PaintBackground(t, 499, 0, 0, false);
  EXPECT_TRUE(paintedAll(gfx::kTableGreen));
  EXPECT_EQ(ui.messages.size(), 1u);
  view.PaintBackground(t, 500, 0, 0, false);
  EXPECT_TRUE(paintedAll(gfx::kTableGreen));
  EXPECT_EQ(ui.messages.size(), 2u);

  // Canvas only leaves the bare table alone; demo mode tiles both.
  ctx.SetCfg(cfg::Fade_Background, "N");
  view.PaintBackground(t, 1, gfx::kBlue, 0, true);
  EXPECT_EQ(At(t, 5, 5), gfx::kBlue);
  EXPECT_EQ(At(view.BackgroundBmp(), 5, 5), gfx::kTableGreen);
  ctx.DemoMode = 1;
  view.PaintBackground(t, 0, 0, 0, false);
  const gfx::Bitmap demo = gfx::LoadPictureFile(dir_ + "Images/Y001.bmp");
  ASSERT_FALSE(demo.Empty());
  EXPECT_EQ(At(view.BackgroundBmp(), 5, 5), At(demo, 5, 5));
  EXPECT_EQ(At(t, 5, 5), At(demo, 5, 5));
  view.Loader().fnRiempi(t, 10, 10, 0, "");
  EXPECT_EQ(ui.messages.back(), "fnRiempi Image: bad option");
}

TEST_F(ViewTest, BareTableOfAColourFadeOrTileKeepsNoPixels) {
  testing::ViewTest::Deal(testing::kKlondike, 'B');
  gfx::Bitmap& t = view.TableBmp();
  gfx::Bitmap& bare = view.BackgroundBmp();
  struct Case {
    const char* name;
    const char* def;
    const char* picture;
    const char* fade;
    bool demo;
  } cases[] = {
      {"default green", "Y", "0", "N", false}, {"colour", "N", "0", "N", false},
      {"fade", "N", "0", "Y", false},          {"tiled picture", "N", "301", "N", false},
      {"demo tile", "N", "0", "N", true},
  };
  ctx.SetCfg(cfg::Background_Col, "16711680");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ctx.SetCfg(cfg::Background_def, c.def);
    ctx.SetCfg(cfg::Background_bmp, c.picture);
    ctx.SetCfg(cfg::Fade_Background, c.fade);
    ctx.DemoMode = c.demo ? 1 : 0;
    ctx.GameState.ScrollOffsetY() = 37;
    // Drawn into, as the pause screen does, then painted again; then grown,
    // as with a growing window.
    gfx::FillGradient(bare, QRect(0, 0, 300, 200), gfx::kGreen, gfx::kBlack);
    EXPECT_FALSE(bare.Plain());
    for (int grow : {0, 75}) {
      if (grow) view.SetTableSize(t.Width() + grow, t.Height() + grow);
      view.PaintBackgroundFromSettings(t);
      EXPECT_TRUE(bare.Plain()) << grow;
      ASSERT_EQ(gfx::Bitmap(bare).Image(), t.Image()) << grow;
    }
    // Pictures limited to what a window shows hold the same top-left part.
    const QImage whole = t.Image().copy();
    view.LimitPictures(300, 200);
    view.PaintBackgroundFromSettings(t);
    EXPECT_EQ(t.Image(), whole.copy(0, 0, 300, 200));
    EXPECT_EQ(gfx::Bitmap(bare).Image(), t.Image());
    view.LimitPictures(100000, 100000);
  }
}

TEST_F(ViewTest, ScrolledTableKeepsBothSidesOfEveryCopyInStep) {
  testing::ViewTest::Deal(testing::kFreeCell, 'B');
  ctx.SetCfg(cfg::Background_def, "N");
  ctx.SetCfg(cfg::Background_bmp, "0");
  ctx.SetCfg(cfg::Background_Col, "16711680");
  ctx.SetCfg(cfg::Fade_Background, "Y");
  gfx::Bitmap& t = view.TableBmp();
  view.PaintBackgroundFromSettings(t);
  ctx.GameState.ScrollOffsetY() = 100;
  // Window position (200, 50) is table row 150: a gradient row of its own.
  view.DrawCard(1, 200, 50, 0, t, false);
  for (const QPoint& p : CornerPixels(QRect(200, 50, 71, 96), kAllCorners, 0)) {
    const int x = 200 + p.x(), y = 50 + p.y();
    EXPECT_EQ(gfx::GetPixel(t, x, y), gfx::GetPixel(view.BackgroundBmp(), x, y)) << x << "," << y;
  }
  EXPECT_EQ(t.Image().pixel(235, 150 + 48) & 0xFFFFFF,
            view.Pictures().CardFaces[0].Image().pixel(35, 48) & 0xFFFFFF);
  EXPECT_EQ(ctx.GameState.TableHeight(), 50 + 96 + 100);

  // Inverting inside the table picture lands at the scrolled rows too.
  const QRgb before = t.Image().pixel(235, 198);
  view.InvertCardRect(view.WindowCanvas(), false, QRect(200, 50, 71, 96));
  EXPECT_EQ(t.Image().pixel(235, 198) & 0xFFFFFF, (before ^ 0xFFFFFF) & 0xFFFFFF);
  view.InvertCardRect(view.WindowCanvas(), false, QRect(200, 50, 71, 96));
  EXPECT_EQ(t.Image().pixel(235, 198), before);

  // A card at an unused position is not drawn and raises nothing.
  const QImage snapshot = t.Image();
  view.DrawCard(5, -10000, 50, 0, t, false);
  view.DrawCardBack(20, -10001, 96, t, false);
  EXPECT_EQ(t.Image(), snapshot);
  EXPECT_EQ(ctx.GameState.TableHeight(), 50 + 96 + 100);
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

TEST_F(ViewTest, SelectedCardsAreInvertedWithTableCorners) {
  testing::ViewTest::Deal(testing::kFreeCell, 'B');
  DrawDealt();
  ctx.GameRules.GameKind() = 3;
  const int top = TopCard(ctx.FilaPiles[0]);
  const int covered = PileCardAt(ctx.FilaPiles[1], 2);
  ctx.DestPiles[0] = CardCodeText(covered) + CardCodeText(top);
  gfx::Bitmap& t = view.TableBmp();
  const QImage before = t.Image().copy();
  Rect r;
  ASSERT_TRUE(FindCardRect(ctx, top, r));
  view.HighlightSelectedCards(t, false);
  int changed = 0;
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x)
      if (before.pixel(x, y) != t.Image().pixel(x, y)) {
        ++changed;
        // Only the found card changes; a covered one is left alone.
        EXPECT_TRUE(QRect(r.Left, r.Top, 71, 96).contains(x, y)) << x << "," << y;
      }
  EXPECT_GT(changed, 71 * 96 - 20);
  const gfx::Colour face = At(view.Pictures().CardFaces[static_cast<size_t>(top - 1)], 35, 48);
  EXPECT_EQ(At(t, r.Left + 35, r.Top + 48), face ^ 0xFFFFFF);
  for (const QPoint& p : CornerPixels(QRect(r.Left, r.Top, 71, 96), kAllCorners, 0))
    EXPECT_EQ(At(t, r.Left + p.x(), r.Top + p.y()),
              At(view.BackgroundBmp(), r.Left + p.x(), r.Top + p.y()));
  // Inverting again gives the card back, its top corners now the table's.
  view.InvertCardRect(t, false, QRect(r.Left, r.Top, 71, 96));
  EXPECT_EQ(At(t, r.Left + 35, r.Top + 48), face);
}

// Empty-pile frames are drawn for the default green. There they come out as
// drawn; on a blue, red or pictured table they are a darker patch of that
// table with a light edge, never a green card.
// A card is drawn straight onto the surface and its corners set there: the
// top corners keep what lay beneath, the bottom ones show the bare table (the
// bottom left only, shaded), as masking a copy of the picture drew them. A
// back cut short keeps no bottom corners.
TEST_F(ViewTest, CardsKeepWhatLayBeneathTheirCorners) {
  struct Case {
    char size;
    bool back, shaded;
    int rows;  // of a back; 0: whole
  };
  const Case cases[] = {{'B', false, false, 0}, {'B', false, true, 0}, {'M', true, false, 0},
                        {'M', true, true, 0},   {'M', true, false, 7}, {'L', false, false, 0}};
  for (const Case& c : cases) {
    Deal(testing::kKlondike, c.size);
    DrawDealt();
    const int cw = ctx.CardWidth, ch = ctx.CardHeight;
    // Over the dealt cards' edges and the bare table, partly off the table.
    const QPoint places[] = {{ctx.TableauX[0] + cw / 2, ctx.TableauY[0] + 5},
                             {ctx.TableauX[2] - 3, ctx.TableauY[2] + ch / 3},
                             {view.TableBmp().Width() - cw / 2, 40}};
    for (const QPoint& at : places) {
      const int height = c.rows ? c.rows : ch;
      gfx::Bitmap expected = view.TableBmp();
      gfx::Bitmap card = c.back ? view.Pictures().CardBackBmp : view.Pictures().CardFaces[12];
      const int mask = ctx.TfrmMain.CardMaskMode;
      const QRect r(at.x(), at.y(), cw, ch), local(0, 0, cw, ch);
      MaskCardTopCorners(expected, QRect(at.x(), at.y(), cw, height), card, mask,
                         QRect(0, 0, cw, height));
      if (c.shaded)
        MaskCardBottomCornersShaded(view.BackgroundBmp(), r, card, mask, local);
      else
        MaskCardBottomCorners(view.BackgroundBmp(), r, card, mask, local);
      gfx::Copy(expected, at.x(), at.y(), cw, std::min(height, ch), card, 0, 0);
      if (c.back)
        view.DrawCardBack(at.x(), at.y(), height, view.TableBmp(), c.shaded);
      else
        view.DrawCard(13, at.x(), at.y(), -1, view.TableBmp(), c.shaded);
      ASSERT_EQ(view.TableBmp().Image(), expected.Image())
          << c.size << (c.back ? " back" : " face") << (c.shaded ? " shaded" : "") << " at "
          << at.x() << "," << at.y();
    }
  }
}

TEST_F(ViewTest, EmptyPileFramesSuitTheTable) {
  testing::ViewTest::Deal(testing::kFreeCell, 'B');
  gfx::Bitmap& t = view.TableBmp();
  const gfx::Bitmap& frame = view.Pictures().ReserveBaseBmp;
  const int x = 300, y = 200;
  auto rgb = [&](int px, int py) { return gfx::ToQRgb(At(t, x + px, y + py)); };
  const int w = frame.Width(), h = frame.Height();
  // Inside the frame and on its outer edge.
  const QPoint inside(w / 2, h / 2), edge(0, h / 2);

  view.PaintBackground(t, 0, 0, 0, false);
  view.DrawPileBase(MarkerKind::Reserve, x, y, 0, t);
  for (int py = 2; py < h - 2; py += 7)
    for (int px = 2; px < w - 2; px += 5)
      ASSERT_EQ(At(t, x + px, y + py), At(frame, px, py)) << px << "," << py;

  const struct {
    const char* name;
    gfx::Colour table;
  } tables[] = {{"blue", gfx::Rgb(0, 0, 160)}, {"red", gfx::Rgb(150, 20, 20)},
                {"grey", gfx::Rgb(128, 128, 128)}};
  for (const auto& c : tables) {
    view.PaintBackground(t, 1, c.table, 0, false);
    view.DrawPileBase(MarkerKind::Reserve, x, y, 0, t);
    const QRgb table = gfx::ToQRgb(c.table), in = rgb(inside.x(), inside.y()),
               rim = rgb(edge.x(), edge.y());
    // The patch keeps the table's own hue, a little darker.
    EXPECT_LT(qGray(in), qGray(table)) << c.name;
    EXPECT_GT(qGray(in), qGray(table) / 2) << c.name;
    EXPECT_LE(qGreen(in), std::max(qRed(in), qBlue(in))) << c.name;
    // The edge stands out light.
    EXPECT_GT(qGray(rim), qGray(table) + 40) << c.name;
  }
}

TEST_F(ViewTest, EmptyTableauTopCardDrawsNothing) {
  testing::ViewTest::Deal(testing::kFreeCell, 'M');
  DrawDealt();
  ctx.FilaPiles[2].clear();
  const QImage before = view.TableBmp().Image().copy();
  view.DrawPileTopCard("Fila3", 2, view.TableBmp());
  EXPECT_EQ(view.TableBmp().Image(), before);
  // Unchanged pile strings repair nothing either.
  view.RedrawPileAfterRemoval(ctx.FilaPiles[0], ctx.FilaPiles[0], ctx.TableauX[0], view.TableBmp(),
                              "Fila1");
  EXPECT_EQ(view.TableBmp().Image(), before);
}

}  // namespace
}  // namespace tw
