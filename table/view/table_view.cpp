#include "table/view/table_view.h"

#include <algorithm>
#include <cmath>

#include "core/cards.h"
#include "core/util.h"
#include "engine/deal.h"
#include "engine/ports.h"
#include "platform/gfx/draw.h"
#include "table/geometry.h"
#include "table/view/corners.h"

namespace tw {

namespace {

bool Used(int v) { return v >= kUnusedBelow; }

const std::string& Entry(const StringList& list, int i) {
  static const std::string kNone;
  return i >= 0 && static_cast<size_t>(i) < list.size() ? list[static_cast<size_t>(i)] : kNone;
}

MarkerKind KindOfPrefix(const std::string& prefix) {
  if (prefix == "Fila") return MarkerKind::Tableau;
  if (prefix == "Dest") return MarkerKind::Foundation;
  if (prefix == "Appogg") return MarkerKind::Reserve;
  return MarkerKind::None;
}

// Pile name and 0-based index of a LocateCard code.
std::string LocationName(int location, int& index) {
  index = -1;
  if (location == -99) return index = 0, "Mazzo";
  if (location == -98) return index = 1, "Mazzo_Vis";
  if (location >= 1 && location <= kMaxTableaus) {
    index = location - 1;
    return PileName(PileKind::Tableau, index);
  }
  if (location <= -1 && location >= -kMaxFoundations) {
    index = -location - 1;
    return PileName(PileKind::Foundation, index);
  }
  if (location <= -21 && location >= -20 - kMaxReserves) {
    index = -location - 21;
    return PileName(PileKind::Reserve, index);
  }
  return "";
}

int ParseCfgInt(const GameContext& ctx, CfgField f, int otherwise) {
  int64_t v = 0;
  if (!ParseInt(ctx.Cfg(f), v)) return otherwise;
  return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Positions a flight passes through, the last one being the target. The
// step shrinks with the distance so every flight takes about the same time.
std::vector<QPoint> FlightPath(int fromX, int fromY, int toX, int toY, bool fast) {
  std::vector<QPoint> path;
  const bool majorY = std::abs(toY - fromY) > std::abs(toX - fromX);
  const int d = majorY ? std::abs(toY - fromY) : std::abs(toX - fromX);
  int s = static_cast<int>(std::trunc(d / (d * 0.0128 + 4) + 0.5));
  if (fast) s = static_cast<int>(std::trunc(s * 0.3));
  if (s <= 0) return path;
  const int majorFrom = majorY ? fromY : fromX, majorTo = majorY ? toY : toX;
  const int minorFrom = majorY ? fromX : fromY, minorTo = majorY ? toX : toY;
  const int dir = majorTo >= majorFrom ? 1 : -1;
  for (int major = majorFrom;;) {
    major += dir * std::min(s, std::abs(majorTo - major));
    const int p = static_cast<int>(
        std::trunc(std::abs(major - majorFrom) * 100.0 / std::abs(majorTo - majorFrom) + 0.5));
    const int minor = minorFrom + static_cast<int>(std::trunc((minorTo - minorFrom) * p / 100.0));
    path.push_back(majorY ? QPoint(minor, major) : QPoint(major, minor));
    if (major == majorTo) break;
  }
  return path;
}

}  // namespace

int StockEdgeDepth(int cards) { return PileEdgeDepth(cards); }

DealStart ChooseDealSource(const GameContext& ctx) {
  auto slot = [&](int i, DealSource mode) -> DealStart {
    return {mode, ctx.GetStockX(i), ctx.GetStockY(i)};
  };
  if (Used(ctx.StockBaseX[0]) && Used(ctx.StockX[0])) return slot(0, DealSource::Stock);
  if (Used(ctx.StockBaseX[1]) && Used(ctx.StockX[1])) return slot(1, DealSource::Waste);
  if (Used(ctx.ReserveX[0]) && PileCardCount(Entry(ctx.AppoggPiles, 0)) <= 1)
    return {DealSource::Reserve1, ctx.GetReserveX(0), ctx.GetReserveY(0)};
  if (Used(ctx.StockBaseX[2]) && Used(ctx.StockX[2])) return slot(2, DealSource::Talon);
  if (Used(ctx.FoundationX[0]))
    return {DealSource::Foundation1, ctx.GetFoundationX(0), ctx.GetFoundationY(0)};
  return {};
}

bool DealRestoresCorners(const GameContext& ctx, DealSource mode) {
  if (static_cast<int>(mode) >= 2) return true;
  return mode == DealSource::Stock && PileCardCount(Entry(ctx.MazzoPiles, 0)) == 0;
}

std::vector<DealStep> TableauDrawOrder(const GameContext& ctx) {
  std::vector<DealStep> order;
  const int n = std::clamp<int>(ctx.GameRules.TableauCount(), 0, kMaxTableaus);
  const int longest = LongestPileCards(ctx);
  std::vector<int> piles;
  for (int i = 0; i < n; ++i)
    if (CardLeftX(ctx, PileName(PileKind::Tableau, i), i, 0, false) > -10000) piles.push_back(i);
  if (ctx.GameRules.BaseCardsPileMajor() != 0) {
    for (int i : piles)
      for (int p = 0; p <= longest; ++p) order.push_back({i, p});
  } else {
    for (int p = 0; p <= longest; ++p)
      for (int i : piles) order.push_back({i, p});
  }
  return order;
}

TableView::TableView(GameContext& ctx, const gfx::ResourceLibrary& library)
    : ctx_(ctx), library_(library), loader_(ctx, library), colours_(GetColorCount()) {
  // The table picture holds pixels of its own only where cards and markers
  // lie on the bare table, the window only where a card flies, a drag moves
  // or a mark lies over the table.
  table_.ShowOver(&background_);
  window_.ShowOver(&table_);
}

void TableView::SetTableSize(int width, int height) {
  table_size_ = QSize(width, height);
  FitPictures();
}

void TableView::LimitPictures(int width, int height) {
  picture_limit_ = QSize(width, height);
  FitPictures();
}

void TableView::SetScrollBarVisible(bool visible) {
  scroll_bar_visible_ = visible;
  FitPictures();
}

void TableView::FitPictures() {
  int w = table_size_.width(), h = table_size_.height();
  if (picture_limit_.isValid()) {
    w = std::min(w, picture_limit_.width());
    if (!scroll_bar_visible_) h = std::min(h, picture_limit_.height());
  }
  table_.SetSize(w, h);
  background_.SetSize(w, h);
}

void TableView::SetWindowSize(int width, int height) { window_.SetSize(width, height); }

void TableView::ReloadCardPictures() {
  loader_.LoadTableBitmaps(pictures_);
  pictures_.DragBmp = pictures_.CardFaces[0];
}

void TableView::Sync() {
  table_.SetYOffset(ctx_.GameState.ScrollOffsetY());
  background_.SetYOffset(ctx_.GameState.ScrollOffsetY());
}

void TableView::RaiseTableHeight(int y) {
  const int bottom = std::clamp(y + CH() + ctx_.GameState.ScrollOffsetY(), -32768, 32767);
  if (bottom > ctx_.GameState.TableHeight())
    ctx_.GameState.TableHeight() = static_cast<int16_t>(bottom);
}

void TableView::Show(QRect r) {
  r = r.intersected(window_.Bounds());
  if (!r.isEmpty() && hooks_.Repaint) hooks_.Repaint(r);
}

// ---- Background ----

void TableView::FillAll(gfx::Bitmap& canvas, gfx::Colour colour) {
  if (&canvas == &background_) {
    background_.Fill(colour);
    return;
  }
  // Fills reach the surface's own first row whatever its scroll offset.
  gfx::FillRect(canvas, QRect(0, -canvas.YOffset(), table_.Width() + 1, table_.Height() + 1),
                colour);
}

void TableView::TileAll(gfx::Bitmap& canvas, const std::string& name) {
  if (&canvas != &background_) {
    loader_.fnRiempi(canvas, table_.Width() + 1, table_.Height() + 1, 0, name);
    return;
  }
  gfx::Bitmap picture;
  loader_.LoadImagesBitmap(picture, name);
  background_.FillTiled(picture, 0, 0);
}

void TableView::PaintOne(gfx::Bitmap& canvas, int kind, gfx::Colour colour, gfx::Colour fixed) {
  const gfx::Colour green = colours_ <= 256 ? gfx::kGreen : gfx::kTableGreen;
  if (kind <= 0) {
    FillAll(canvas, green);
  } else if (kind == 1 || fixed != 0) {
    const gfx::Colour fill = fixed >= 1 ? fixed : colour;
    if (ctx_.Cfg(cfg::Fade_Background) == "Y" && colours_ > 256) {
      // The fade covers the whole fill.
      const int extra = scroll_bar_visible_ ? 80 : 1;
      const QRect fade(0, -canvas.YOffset(), table_size_.width() + 1,
                       table_size_.height() + extra);
      if (&canvas == &background_) {
        // Its rows are one colour each: one column of it, repeated across.
        gfx::Bitmap column(1, fade.height());
        gfx::FillGradient(column, QRect(0, 0, 1, fade.height()), fill, gfx::kBlack);
        background_.FillTiled(column, 0, 0);
      } else {
        gfx::FillGradient(canvas, fade, fill, gfx::kBlack);
      }
    } else {
      FillAll(canvas, fill);
    }
  } else {
    const std::string name = "B" + IntToStrPad(kind, 3);
    if (kind < 500) {
      TileAll(canvas, name);
    } else {
      // A one-off picture may not fill the table: the default green shows around it.
      FillAll(canvas, green);
      loader_.DrawImagesBitmap(canvas, name);
    }
  }
}

void TableView::PaintBackground(gfx::Bitmap& canvas, int kind, gfx::Colour colour,
                                gfx::Colour fixed, bool canvasOnly) {
  Sync();
  const bool alsoBackground = !canvasOnly && &canvas != &background_;
  // The table picture painted with the bare table shows it again.
  const bool showBare = alsoBackground && IsTable(canvas);
  if (ctx_.DemoMode) {
    // The bare table follows the demo tile too, so erasing shows no patches
    // of the normal table.
    if (!showBare) TileAll(canvas, "Y001");
    if (alsoBackground) TileAll(background_, "Y001");
  } else {
    if (!showBare) PaintOne(canvas, kind, colour, fixed);
    if (alsoBackground) PaintOne(background_, kind, colour, fixed);
  }
  if (showBare) CopyBackgroundToCanvas(table_);
}

void TableView::PaintBackgroundFromSettings(gfx::Bitmap& canvas) {
  if (ctx_.Cfg(cfg::Background_def) == "Y") {
    PaintBackground(canvas, 0, 0, 0, false);
    return;
  }
  const int picture = ParseCfgInt(ctx_, cfg::Background_bmp, 0);
  if (picture == 0)
    PaintBackground(canvas, 1, ParseCfgInt(ctx_, cfg::Background_Col, 0),
                    ParseCfgInt(ctx_, cfg::Background_Fixed_Col, 0), false);
  else
    PaintBackground(canvas, picture, 0, 0, false);
}

void TableView::CopyBackgroundToCanvas(gfx::Bitmap& canvas) {
  Sync();
  // Window coordinates on both sides: the table picture gets every row, the
  // window the rows from the scroll position.
  const int top = -background_.YOffset();
  gfx::Copy(canvas, 0, top, background_.Width(), background_.Height(), background_, 0, top);
}

// ---- Cards ----

void TableView::DrawCard(int card, int x, int y, int, gfx::Bitmap& canvas, bool shaded) {
  if (!Used(x) || !Used(y)) return;
  const int f = card > 52 ? card - 52 : card;
  if (f < 1 || f > 52) return;
  Sync();
  StampCard(pictures_.CardFaces[static_cast<size_t>(f - 1)], x, y, CH(), canvas, shaded);
  RaiseTableHeight(y);
}

void TableView::DrawCardBack(int x, int y, int height, gfx::Bitmap& canvas, bool shaded) {
  if (!Used(x) || !Used(y) || height <= 0) return;
  Sync();
  StampCard(pictures_.CardBackBmp, x, y, height, canvas, shaded);
  RaiseTableHeight(y);
}

void TableView::StampCard(const gfx::Bitmap& picture, int x, int y, int height,
                          gfx::Bitmap& canvas, bool shaded) {
  // The picture goes straight onto the canvas and its corners are set there
  // (masking a copy of the shared picture would copy all of its pixels on
  // every card drawn). The top corners keep what lay beneath, the bottom ones
  // show the bare table (a shaded card's bottom right is its shadow's grey);
  // a picture cut short above its bottom row keeps no bottom corners. What
  // the corners show is read before the picture lands, whatever surface it
  // lands on.
  const int mask = ctx_.TfrmMain.CardMaskMode;
  const int rows = std::min(height, CH());
  const unsigned bottom = rows < CH() ? 0u : shaded ? kBottomLeftCorner : kBottomCorners;
  struct Kept {
    QPoint at;
    gfx::Colour colour;
  };
  std::vector<Kept> kept;
  kept.reserve(12);
  for (const QPoint& p : CornerPixels(QRect(x, y, CW(), height), kTopCorners, mask))
    kept.push_back({p, gfx::GetPixel(canvas, x + p.x(), y + p.y())});
  const QRect r(x, y, CW(), CH());
  for (const QPoint& p : CornerPixels(r, bottom, mask))
    kept.push_back({p, gfx::GetPixel(background_, x + p.x(), y + p.y())});
  if (shaded && bottom) {
    for (const QPoint& p : CornerPixels(r, kBottomRightCorner, mask))
      kept.push_back({p, gfx::kSilver});
  }
  gfx::Copy(canvas, x, y, CW(), rows, picture, 0, 0);
  for (const Kept& k : kept) {
    if (k.colour != gfx::kInvalidColour)
      gfx::SetPixel(canvas, x + k.at.x(), y + k.at.y(), k.colour);
  }
}

void TableView::BlitCardBitmap(const gfx::Bitmap& bitmap, int x, int y, gfx::Bitmap& canvas) {
  if (!Used(x) || !Used(y)) return;
  Sync();
  gfx::Copy(canvas, x, y, CW(), CH(), bitmap, 0, 0);
  RaiseTableHeight(y);
}

void TableView::RestoreCornersOnCanvas(gfx::Bitmap& canvas, QRect r) {
  Sync();
  MaskCardCorners(background_, r, canvas, ctx_.TfrmMain.CardMaskMode, r);
}

bool TableView::DrawBaseForRank(int code, int x, int y, gfx::Bitmap& canvas) {
  const int rank = RankMarkerIndex(code);
  if (rank < 0) return false;
  BlitCardBitmap(pictures_.FoundationRankBmp[static_cast<size_t>(rank)], x, y, canvas);
  return true;
}

const gfx::Bitmap* TableView::MarkerBitmap(const MarkerChoice& choice, gfx::Bitmap& scratch) {
  CardPictures& p = pictures_;
  switch (choice.marker) {
    case Marker::StockBase:
      return &p.StockBaseBmp;
    case Marker::StockEmpty:
      return &p.StockEmptyBmp;
    case Marker::StockBaseAlt:
      return &p.StockBaseAltBmp;
    case Marker::DealMarker:
      loader_.LoadBitmapFromRes(scratch, std::string("W") + ctx_.Cfg(cfg::Card_Size) + "021");
      return &scratch;
    case Marker::FoundationBase:
      return &p.FoundationBaseBmp;
    case Marker::Rank:
      if (choice.rank < 0 || choice.rank >= kRankMarkers) return nullptr;
      return &p.FoundationRankBmp[static_cast<size_t>(choice.rank)];
    case Marker::TableauBase:
      return &p.TableauBaseBmp;
    case Marker::TableauNoFill:
      return &p.TableauNoFillBmp;
    case Marker::ReserveBase:
      return &p.ReserveBaseBmp;
    case Marker::ReserveBase9:
      return &p.ReserveBase9Bmp;
    case Marker::None:
      break;
  }
  return nullptr;
}

namespace {

// Lays a marker drawn for the default green over the table under it, in
// place: where the marker is darker than the green, the table is shaded by
// as much; where a channel is lighter, that channel goes as far towards
// white. On the default green the marker comes out as drawn.
void TintOver(gfx::Bitmap& under, const gfx::Bitmap& marker) {
  QImage& img = under.Image();
  const QImage& m = marker.Image();
  const QRgb green = gfx::ToQRgb(gfx::kTableGreen);
  const int g[3] = {qRed(green), qGreen(green), qBlue(green)};
  for (int y = 0; y < std::min(img.height(), m.height()); ++y)
    for (int x = 0; x < std::min(img.width(), m.width()); ++x) {
      const QRgb mp = m.pixel(x, y), tp = img.pixel(x, y);
      const int mc[3] = {qRed(mp), qGreen(mp), qBlue(mp)};
      const int tc[3] = {qRed(tp), qGreen(tp), qBlue(tp)};
      const double shade = std::min(1.0, static_cast<double>(mc[1]) / g[1]);
      int oc[3];
      for (int c = 0; c < 3; ++c) {
        const double base = tc[c] * shade, from = g[c] * shade;
        const double lift = mc[c] > from ? (mc[c] - from) / (255.0 - from) : 0.0;
        oc[c] = std::clamp(static_cast<int>(std::lround(base + (255.0 - base) * lift)), 0, 255);
      }
      img.setPixel(x, y, qRgb(oc[0], oc[1], oc[2]));
    }
}

}  // namespace

void TableView::DrawPileBase(MarkerKind kind, int x, int y, int pileIndex, gfx::Bitmap& canvas) {
  if (!Used(x) || !Used(y)) return;
  gfx::Bitmap scratch;
  const gfx::Bitmap* marker = MarkerBitmap(ChooseMarker(ctx_, kind, pileIndex), scratch);
  if (!marker) return;
  Sync();
  // A frame on a blue or pictured table is a darker patch of that table
  // with a light edge, not a green card.
  gfx::Bitmap under(CW(), CH());
  gfx::Copy(under, 0, 0, CW(), CH(), background_, x, y);
  TintOver(under, *marker);
  BlitCardBitmap(under, x, y, canvas);
  RestoreCornersOnCanvas(canvas, QRect(x, y, CW(), CH()));
}

void TableView::DrawTableauAndReserveBases(gfx::Bitmap& canvas) {
  const int scroll = ctx_.GameState.ScrollOffsetY();
  const int n = std::clamp<int>(ctx_.GameRules.TableauCount(), 0, kMaxTableaus);
  for (int i = 0; i < n; ++i) {
    const size_t u = static_cast<size_t>(i);
    if (Used(ctx_.TableauX[u]) && Used(ctx_.TableauY[u]))
      DrawPileBase(MarkerKind::Tableau, ctx_.TableauX[u], ctx_.TableauY[u] - scroll, i, canvas);
  }
  const int q = std::clamp<int>(ctx_.GameRules.ReserveCount(), 0, kMaxReserves);
  for (int i = 0; i < q; ++i)
    DrawPileBase(MarkerKind::Reserve, ctx_.GetReserveX(i), ctx_.GetReserveY(i), i, canvas);
}

void TableView::InvertCardRect(gfx::Bitmap& canvas, bool direct, QRect r) {
  Sync();
  gfx::InvertRect(direct ? canvas : table_, r);
  const int mask = ctx_.TfrmMain.CardMaskMode;
  // The inverted card keeps table-coloured corners on both surfaces.
  for (unsigned groups : {unsigned{kTopCorners}, unsigned{kBottomCorners}}) {
    CopyCornerGroups(background_, r, table_, mask, r, groups);
    if (!IsTable(canvas)) CopyCornerGroups(background_, r, canvas, mask, r, groups);
  }
  if (&canvas == &window_) Show(r);
}

void TableView::HighlightSelectedCards(gfx::Bitmap& canvas, bool direct) {
  const GameRulesRecord& rules = ctx_.GameRules;
  if (!(rules.GameKind() == 3 || rules.GameKind() == 4 || rules.SelectionFoundation() != 0)) return;
  const std::string& selection = Entry(ctx_.DestPiles, 0);
  std::vector<QRect> found;
  for (int k = 0; k < PileCardCount(selection); ++k) {
    const int card = PileCardAt(selection, k);
    Rect r;
    // A selected card that cannot be found (covered) is left alone.
    if (card <= 0 || !FindCardRect(ctx_, card, r)) continue;
    DrawCard(card, r.Left, r.Top, -1, canvas, false);
    found.emplace_back(r.Left, r.Top, CW(), CH());
  }
  for (const QRect& r : found) InvertCardRect(canvas, direct, r);
}

// ---- Window ----

void TableView::InvalidatePileRect(QRect r) {
  Sync();
  r = r.intersected(window_.Bounds());
  if (r.isEmpty()) return;
  gfx::Copy(window_, r.x(), r.y(), r.width(), r.height(), table_, r.x(), r.y());
  Show(r);
}

void TableView::InvalidateTable() { InvalidatePileRect(window_.Bounds()); }

void TableView::RefreshScreen() { InvalidateTable(); }

// ---- Flights ----

void TableView::DefaultFlight(int card, bool faceDown, int fromX, int fromY, int toX, int toY) {
  const int16_t height = ctx_.GameState.TableHeight();
  QRect last(fromX, fromY, CW(), CH());
  for (const QPoint& p : FlightPath(fromX, fromY, toX, toY, true)) {
    // A step no one would see: its two showings are only timed.
    if (hooks_.FrameDue && hooks_.SkipFrame && !hooks_.FrameDue()) {
      hooks_.SkipFrame();
      hooks_.SkipFrame();
      continue;
    }
    InvalidatePileRect(last);
    if (faceDown)
      DrawCardBack(p.x(), p.y(), CH(), window_, true);
    else
      DrawCard(card, p.x(), p.y(), -1, window_, true);
    last = QRect(p.x(), p.y(), CW(), CH());
    Show(last);
  }
  InvalidatePileRect(last);
  ctx_.GameState.TableHeight() = height;
}

void TableView::Fly(int card, bool faceDown, int fromX, int fromY, int toX, int toY) {
  if (hooks_.Flight)
    hooks_.Flight(card, faceDown, fromX, fromY, toX, toY);
  else
    DefaultFlight(card, faceDown, fromX, fromY, toX, toY);
}

// ---- Piles ----

void TableView::DrawPileCard(const std::string& prefix, const std::string& pile, int index,
                             int cardIndex, int fromX, int fromY, int pileX, int pileY,
                             bool animate, gfx::Bitmap& canvas, bool restoreCorners) {
  Sync();
  const int s = CW() / 7, t = CH() / 7;
  const int card = PileCardAt(pile, cardIndex);
  const std::string name = prefix + std::to_string(index + 1);
  const int count = PileCardCount(pile);
  // A squared reserve's edge lies under all of its cards.
  if (cardIndex == 0 && prefix == "Appogg") {
    if (DrawReserveEdge(animate ? table_ : canvas, index) && animate)
      InvalidatePileRect(ReserveExtent(index));
  }
  if (card > 0) {
    const int k = count - cardIndex;
    const int x = CardLeftX(ctx_, name, index, k, true);
    const int y = CardTopY(ctx_, name, index, k, true);
    const bool down = IsCardFaceDown(ctx_, card);
    const QRect from(fromX, fromY, CW(), CH());
    if (!animate) {
      if (down)
        DrawCardBack(x, y, CH(), canvas, false);
      else
        DrawCard(card, x, y, index, canvas, false);
    } else if (down) {
      Delay(ctx_, 2);
      if (restoreCorners) RestoreCornersOnCanvas(table_, from);
      DrawCardBack(fromX + s, fromY + t, CH(), window_, true);
      Show(from.adjusted(0, 0, s, t));
      Delay(ctx_, 1);
      Fly(card, true, fromX + s, fromY + t, x, y);
      DrawCardBack(x, y, CH(), table_, false);
      InvalidatePileRect(QRect(x, y, CW(), CH()));
    } else {
      Delay(ctx_, 2);
      DrawCard(card, fromX, fromY, index, window_, true);
      Show(from);
      if (restoreCorners) RestoreCornersOnCanvas(table_, from);
      Delay(ctx_, 2);
      DrawCardBack(fromX, fromY, CH(), window_, true);
      DrawCard(card, fromX + s, fromY + t, index, window_, true);
      Show(from.adjusted(0, 0, s, t));
      Delay(ctx_, 1);
      Fly(card, false, fromX + s, fromY + t, x, y);
      DrawCard(card, x, y, index, table_, false);
      InvalidatePileRect(QRect(x, y, CW(), CH()));
    }
  }
  if (cardIndex != 0) return;
  if (count == 0) {
    const MarkerKind kind = KindOfPrefix(prefix);
    if (animate) {
      DrawPileBase(kind, pileX, pileY, index, window_);
      DrawPileBase(kind, pileX, pileY, index, table_);
      Show(QRect(pileX, pileY, CW(), CH()));
    } else {
      DrawPileBase(kind, pileX, pileY, index, canvas);
    }
    return;
  }
  // The bottom card's corners show the table, whatever was drawn there before.
  const int bottomY = CardTopY(ctx_, name, index, count, true);
  // A squared reserve's cards lie up and left of its place, on its edge.
  const int bottomX = prefix == "Fila"     ? ctx_.TableauX[static_cast<size_t>(index)]
                      : prefix == "Appogg" ? CardLeftX(ctx_, name, index, count, true)
                                           : pileX;
  const QRect r(bottomX, prefix == "Fila" || prefix == "Appogg" ? bottomY : pileY, CW(), CH());
  if (animate) {
    RestoreCornersOnCanvas(window_, r);
    RestoreCornersOnCanvas(table_, r);
  } else {
    RestoreCornersOnCanvas(canvas, r);
  }
}

void TableView::DrawStockEdge(gfx::Bitmap& canvas, bool keepPosition, int slot, int length,
                              bool force, bool alsoTable) {
  if (slot < 0 || slot >= kStockSlots) return;
  Sync();
  const size_t u = static_cast<size_t>(slot);
  const int d = StockEdgeDepth(length / 3);
  const int bx = ctx_.StockBaseX[u], by = ctx_.StockBaseY[u];
  // How far up and left the slot's top card lay before this call: that much
  // of the old, thicker stack is taken back to bare table, and no more, so a
  // pile laid close beside the stock keeps its cards.
  int reach = d;
  if (Used(ctx_.StockX[u]) && Used(ctx_.StockY[u])) {
    const int was = std::max(bx - ctx_.GetStockX(slot), by - ctx_.GetStockY(slot));
    reach = std::clamp(was, d, 15);
  }
  if (!keepPosition) {
    const int x = bx - d, y = by - d;
    if (!force && ctx_.GetStockX(slot) == x && ctx_.GetStockY(slot) == y) return;
    ctx_.SetStockX(slot, x);
    ctx_.SetStockY(slot, y + ctx_.GameState.ScrollOffsetY());
  }
  const CardPictures& p = pictures_;
  const QRect own(bx - reach, by - reach, CW() + reach, CH() + reach);
  auto clipped = [&](gfx::Bitmap& target, int x, int y, int w, int h, const gfx::Bitmap& source,
                     int sx, int sy, bool transparent) {
    const QRect r = QRect(x, y, w, h) & own;
    if (r.isEmpty()) return;
    sx += r.x() - x;
    sy += r.y() - y;
    if (transparent)
      gfx::CopyTransparent(target, r.x(), r.y(), r.width(), r.height(), source, sx, sy,
                           gfx::kBlue);
    else
      gfx::Copy(target, r.x(), r.y(), r.width(), r.height(), source, sx, sy);
  };
  auto put = [&](gfx::Bitmap& target) {
    // The strips' transparent pixels show the table, not a corner of the
    // card that lay there before the slot moved.
    clipped(target, bx - 13, by + CH() - 1 - d, CW() + 11, d + 1, background_, bx - 13,
            by + CH() - 1 - d, false);
    clipped(target, bx + CW() - 1 - d, by - 13, d + 1, CH() + 13, background_, bx + CW() - 1 - d,
            by - 13, false);
    clipped(target, bx - 13, by + CH() - 1 - d, CW() + 11, d + 1, p.BorderBmp2, 0, 15 - d, true);
    clipped(target, bx + CW() - 1 - d, by - 13, d + 1, CH() + 13, p.BorderBmp1, 15 - d, 0, true);
    clipped(target, bx - 15, by - 15, CW() + 16, 16 - d, background_, bx - 15, by - 15, false);
    clipped(target, bx - 15, by - 14, 16 - d, CH() + 15, background_, bx - 15, by - 14, false);
  };
  put(canvas);
  if (alsoTable && !IsTable(canvas)) put(table_);
}

QRect TableView::ReserveExtent(int index) const {
  const int d = ReserveEdgeDepth(ctx_, index);
  return QRect(ctx_.GetReserveX(index) - d, ctx_.GetReserveY(index) - d, CW() + d, CH() + d);
}

bool TableView::DrawReserveEdge(gfx::Bitmap& canvas, int index) {
  const int d = ReserveEdgeDepth(ctx_, index);
  const int bx = ctx_.GetReserveX(index), by = ctx_.GetReserveY(index);
  if (d == 0 || !Used(bx) || !Used(by)) return false;
  Sync();
  // The stock's strips, but only inside the pile's own area: a reserve has
  // no margin of its own around it, other piles may lie close.
  const QRect area = ReserveExtent(index);
  const int bottom = by + CH() - 1 - d, right = bx + CW() - 1 - d;
  gfx::Copy(canvas, area.x(), bottom, area.width(), d + 1, background_, area.x(), bottom);
  gfx::Copy(canvas, right, area.y(), d + 1, area.height(), background_, right, area.y());
  // The strips' pictures start 13 pixels out, where the deepest edge starts.
  const int e = std::min(d, 13);
  const CardPictures& p = pictures_;
  gfx::CopyTransparent(canvas, bx - e, bottom, CW() - 2 + e, d + 1, p.BorderBmp2, 13 - e, 15 - d,
                       gfx::kBlue);
  gfx::CopyTransparent(canvas, right, by - e, d + 1, CH() + e, p.BorderBmp1, 15 - d, 13 - e,
                       gfx::kBlue);
  return true;
}

void TableView::DrawStockSlotMarker(int slot, gfx::Bitmap& canvas) {
  static constexpr MarkerKind kKinds[kStockSlots] = {MarkerKind::Stock, MarkerKind::Waste,
                                                     MarkerKind::Talon};
  DrawPileBase(kKinds[slot], ctx_.GetStockX(slot), ctx_.GetStockY(slot), -1, canvas);
}

void TableView::DrawStockSlotTop(int slot, gfx::Bitmap& canvas) {
  const std::string& pile = Entry(ctx_.MazzoPiles, slot);
  if (PileCardCount(pile) == 0)
    DrawStockSlotMarker(slot, canvas);
  else
    DrawCard(TopCard(pile), ctx_.GetStockX(slot), ctx_.GetStockY(slot), -1, canvas, true);
}

// What a stock slot shows is the same after a move as in a whole redraw:
// the stock by the game's rule (its top card face up or a back), the other
// slots their top card; a lone card keeps table-coloured corners.
void TableView::DrawStockSlotTop(int slot, gfx::Bitmap& canvas, bool animate) {
  const size_t u = static_cast<size_t>(slot);
  const std::string& pile = Entry(ctx_.MazzoPiles, slot);
  const int x = ctx_.GetStockX(slot), y = ctx_.GetStockY(slot);
  if (PileCardCount(pile) == 0) {
    // Some slots have no marker: the last card's picture must not stay.
    gfx::Copy(canvas, x, y, CW(), CH(), background_, x, y);
    DrawStockEdge(canvas, false, slot, 0, true, false);
    DrawStockSlotMarker(slot, canvas);
  } else if (slot == 0 && (ctx_.GameRules.StockFaceDown() != 0 || animate))
    DrawCardBack(x, y, CH(), canvas, true);
  else
    DrawCard(TopCard(pile), x, y, -1, canvas, true);
  if (PileCardCount(pile) == 1)
    RestoreCornersOnCanvas(canvas, QRect(ctx_.StockBaseX[u], ctx_.StockBaseY[u], CW(), CH()));
}

void TableView::DrawStockAndFoundations(gfx::Bitmap& canvas, bool animate, int fromX, int fromY,
                                        DealSource mode) {
  Sync();
  for (int slot = 0; slot < kStockSlots; ++slot) {
    const size_t u = static_cast<size_t>(slot);
    if (ctx_.StockBaseX[u] <= -10000) continue;
    const std::string& pile = Entry(ctx_.MazzoPiles, slot);
    DrawStockEdge(canvas, false, slot, static_cast<int>(pile.size()), true, false);
    DrawStockSlotTop(slot, canvas, animate);
  }
  const bool restore = DealRestoresCorners(ctx_, mode);
  for (int i = 0; i < kMaxFoundations; ++i) {
    if (ctx_.FoundationX[static_cast<size_t>(i)] <= -10000) continue;
    const std::string& pile = Entry(ctx_.DestPiles, i);
    for (int p = 0; p <= PileCardCount(pile); ++p)
      DrawPileCard("Dest", pile, i, p, fromX, fromY, ctx_.GetFoundationX(i), ctx_.GetFoundationY(i),
                   animate, canvas, restore);
  }
}

void TableView::DrawTable(gfx::Bitmap& canvas, bool animate) {
  if (!ctx_.TfrmMain.GameInProgress && !ctx_.DemoMode && !keep_idle_table_) return;
  GameStateRecord& state = ctx_.GameState;
  state.ScrollOffsetY() = 0;
  for (int i = 0; i < kStockSlots; ++i)
    ctx_.StockBaseY[static_cast<size_t>(i)] = ctx_.StockBaseYUnscrolled[static_cast<size_t>(i)];
  state.PokerPanelY() = state.PokerPanelBaseY();
  if (hooks_.ScrollToTop) hooks_.ScrollToTop();
  Sync();
  state.TableHeight() = 0;
  const GameRulesRecord& rules = ctx_.GameRules;

  bool cardsPresent = false;
  for (int i = 0; i < std::clamp<int>(rules.TableauCount(), 0, kMaxTableaus); ++i)
    cardsPresent = cardsPresent || PileCardCount(Entry(ctx_.FilaPiles, i)) > 0;
  for (int i = 0; i < std::clamp<int>(rules.ReserveCount(), 0, kMaxReserves); ++i)
    cardsPresent = cardsPresent || PileCardCount(Entry(ctx_.AppoggPiles, i)) > 0;

  if (animate && rules.TableauLayout() != 4) {
    DrawTableauAndReserveBases(canvas);
    if (!IsTable(canvas)) DrawTableauAndReserveBases(table_);
  }
  DrawStockAndFoundations(table_, false, 0, 0, DealSource::None);

  DealStart source;
  if (animate && cardsPresent) source = ChooseDealSource(ctx_);
  // Without a place to deal from the cards are simply drawn.
  const bool deal = source.mode != DealSource::None;
  const bool restore = deal && DealRestoresCorners(ctx_, source.mode);
  bool shuffling = false;
  if (deal) {
    const QRect from(source.x, source.y, CW(), CH());
    DrawCardBack(source.x, source.y, CH(), table_, true);
    RefreshScreen();
    if (restore) RestoreCornersOnCanvas(canvas, from);
    Delay2(ctx_, 100);
    SoundPort* sound = SoundOf(ctx_);
    if (sound && ctx_.Cfg(cfg::Sounds_Enabled) == "Y" && ctx_.Cfg(cfg::Sounds_Shuffle) == "Y") {
      sound->PlaySound("Shuffle", SoundMode::Loop);
      shuffling = true;
    }
  }
  // A deal that cannot be animated is drawn straight into the table picture
  // and then shown, whichever surface was asked for.
  gfx::Bitmap& target = animate && !deal ? table_ : canvas;
  if (!deal) DrawStockAndFoundations(target, false, 0, 0, DealSource::None);

  for (int i = 0; i < kMaxReserves; ++i) {
    if (ctx_.ReserveX[static_cast<size_t>(i)] <= -10000) continue;
    if (i == 0 && source.mode == DealSource::Reserve1) continue;
    const std::string& pile = Entry(ctx_.AppoggPiles, i);
    for (int p = 0; p <= PileCardCount(pile); ++p)
      DrawPileCard("Appogg", pile, i, p, source.x, source.y, ctx_.GetReserveX(i),
                   ctx_.GetReserveY(i), deal, target, restore);
  }
  for (const DealStep& step : TableauDrawOrder(ctx_)) {
    const std::string name = PileName(PileKind::Tableau, step.pile);
    DrawPileCard("Fila", Entry(ctx_.FilaPiles, step.pile), step.pile, step.position, source.x,
                 source.y, CardLeftX(ctx_, name, step.pile, 0, false),
                 ctx_.TableauY[static_cast<size_t>(step.pile)] - state.ScrollOffsetY(), deal,
                 target, restore);
  }
  if (shuffling) SoundOf(ctx_)->StopSound();

  if (deal) {
    // The source in its final state, on both surfaces.
    auto finalState = [&](MarkerKind kind, const std::string& pile, int slot, int x, int y) {
      if (PileCardCount(pile) == 0)
        DrawPileBase(kind, x, y, -1, table_);
      else if (slot >= 0)
        DrawCard(TopCard(pile), x, y, -1, table_, true);
      else
        DrawCard(TopCard(pile), x, y, 0, table_, false);
      InvalidatePileRect(QRect(x, y, CW(), CH()));
    };
    switch (source.mode) {
      case DealSource::Stock:
        // Dealt from a back; a stock that lies face up shows its top card now.
        DrawStockSlotTop(0, table_, false);
        InvalidatePileRect(QRect(source.x, source.y, CW(), CH()));
        break;
      case DealSource::Reserve1:
        finalState(MarkerKind::Reserve, Entry(ctx_.AppoggPiles, 0), -1, source.x, source.y);
        break;
      case DealSource::Talon:
        finalState(MarkerKind::Talon, Entry(ctx_.MazzoPiles, 2), 2, source.x, source.y);
        break;
      case DealSource::Foundation1:
        finalState(MarkerKind::Foundation, Entry(ctx_.DestPiles, 0), -1, source.x, source.y);
        break;
      case DealSource::Waste:
        // The emptied waste shows the waste's own marker.
        finalState(MarkerKind::Waste, Entry(ctx_.MazzoPiles, 1), 1, source.x, source.y);
        break;
      case DealSource::None:
        break;
    }
  } else if (animate) {
    const std::string& stock = Entry(ctx_.MazzoPiles, 0);
    if (!cardsPresent && rules.StockFaceDown() == 0 && PileCardCount(stock) > 0 &&
        Used(ctx_.StockX[0]))
      DrawCard(TopCard(stock), ctx_.GetStockX(0), ctx_.GetStockY(0), -1, table_, true);
    RefreshScreen();
  }

  if (hooks_.DrawGameKindExtras) {
    const int kind = rules.GameKind();
    if (kind == 9 || kind == 10 || kind == 23) hooks_.DrawGameKindExtras(kind);
  }
  state.TableDrawn() = 1;
  if (hooks_.UpdateTableScroll) hooks_.UpdateTableScroll();
}

void TableView::DrawPileTopCard(const std::string& name, int, gfx::Bitmap& canvas) {
  Sync();
  int index = 0;
  const PileKind kind = ParsePileName(name, index);
  if (kind == PileKind::None) return;
  const std::string& pile = PileString(ctx_, kind, index);
  const int top = TopCard(pile);
  const bool down = top > 0 && IsCardFaceDown(ctx_, top);
  if (kind == PileKind::Stock || kind == PileKind::Waste || kind == PileKind::Talon) {
    const int slot = kind == PileKind::Stock ? 0 : kind == PileKind::Waste ? 1 : 2;
    const size_t u = static_cast<size_t>(slot);
    if (!Used(ctx_.StockBaseX[u])) return;
    // The slot follows its card count, so the edge shrinks as cards leave.
    DrawStockEdge(canvas, false, slot, static_cast<int>(pile.size()), false, false);
    DrawStockSlotTop(slot, canvas, false);
    return;
  }
  const int x = CardLeftX(ctx_, name, index, 0, false);
  const int y = CardTopY(ctx_, name, index, 0, false);
  if (top == 0) {
    if (kind == PileKind::Foundation) DrawPileBase(MarkerKind::Foundation, x, y, index, canvas);
    if (kind == PileKind::Reserve) DrawPileBase(MarkerKind::Reserve, x, y, index, canvas);
    return;
  }
  if (kind == PileKind::Reserve) DrawReserveEdge(canvas, index);
  if (down)
    DrawCardBack(x, y, CH(), canvas, false);
  else
    DrawCard(top, x, y, index, canvas, false);
}

void TableView::RedrawPileByName(const std::string& name, int fromX, int fromY, bool animate,
                                 gfx::Bitmap& canvas) {
  int index = 0;
  const PileKind kind = ParsePileName(name, index);
  const size_t u = static_cast<size_t>(std::max(index, 0));
  if (kind == PileKind::Reserve && ctx_.ReserveX[u] > -10000) {
    const std::string& pile = Entry(ctx_.AppoggPiles, index);
    for (int p = 0; p <= PileCardCount(pile); ++p)
      DrawPileCard("Appogg", pile, index, p, fromX, fromY, ctx_.GetReserveX(index),
                   ctx_.GetReserveY(index), animate, canvas, false);
  } else if (kind == PileKind::Tableau && ctx_.TableauX[u] > -10000) {
    const std::string& pile = Entry(ctx_.FilaPiles, index);
    for (int p = 0; p <= PileCardCount(pile); ++p)
      DrawPileCard("Fila", pile, index, p, fromX, fromY, ctx_.TableauX[u],
                   ctx_.TableauY[u] - ctx_.GameState.ScrollOffsetY(), animate, canvas, false);
  } else if (kind == PileKind::Foundation) {
    DrawPileTopCard(name, index, canvas);
  }
}

void TableView::RedrawPileAfterRemoval(const std::string& now, const std::string& before, int x,
                                       gfx::Bitmap& canvas, const std::string& name) {
  const bool changed = now.size() < before.size() || before.compare(0, now.size(), now) != 0;
  if (!changed) return;
  Sync();
  int index = 0;
  const PileKind kind = ParsePileName(name, index);
  const bool tableau = kind == PileKind::Tableau;
  int layout = 0;
  if (tableau) {
    layout = ctx_.GameRules.TableauLayout();
    if (layout == 3 && PileCardCount(now) > 0) return;
  } else if (kind == PileKind::Reserve) {
    layout = ctx_.GameRules.ReserveLayout();
  }
  const GameStateRecord& s = ctx_.GameState;
  const size_t u = static_cast<size_t>(std::max(index, 0));
  // The cards that left, bottom first: their span is the area to repair,
  // whether they were dragged or moved by a click.
  std::vector<int> gone;
  for (int k = PileCardCount(now); k < PileCardCount(before); ++k)
    gone.push_back(PileCardAt(before, k));
  if (PileCardCount(now) == PileCardCount(before)) gone.push_back(0);
  const int scroll = s.ScrollOffsetY();

  if (kind == PileKind::Reserve && ReserveLayoutSquared(layout)) {
    // The stack was as thick as it was before: all of it goes, its new top
    // (or marker) is drawn next.
    const int d = PileEdgeDepth(PileCardCount(before));
    const int bx = ctx_.GetReserveX(index), by = ctx_.GetReserveY(index);
    gfx::Copy(canvas, bx - d, by - d, CW() + d, CH() + d, background_, bx - d, by - d);
  } else if (layout == 1 || layout == 5) {
    const int step = layout == 1 ? s.FanStepDownUp() : s.FanStep5();
    int span = CH();
    for (size_t k = 0; k + 1 < gone.size(); ++k)
      span += layout == 5
                  ? s.FanStep5()
                  : (IsCardFaceDown(ctx_, gone[k]) ? s.FanStepDownDown() : s.FanStepDownUp());
    const int y = CardTopY(ctx_, name, index, 0, true);
    const QRect r(x - 2, y, CW() + 4, span + step);
    gfx::Copy(canvas, r.x(), r.y(), r.width(), r.height(), background_, r.x(), r.y());
    if (tableau && ctx_.Cfg(cfg::Piles_TT) != "N") RedrawPileByName(name, 0, 0, false, table_);
    if (tableau && layout == 1) {
      const int tx = ctx_.TableauX[u], ty = ctx_.TableauY[u];
      const int n = std::clamp<int>(ctx_.GameRules.TableauCount(), 0, kMaxTableaus);
      for (int j = index + 1; j < n; ++j) {
        const size_t v = static_cast<size_t>(j);
        if (ty < ctx_.TableauY[v] && ctx_.TableauX[v] >= tx && ctx_.TableauX[v] <= tx + CW()) {
          RedrawPileByName(PileName(PileKind::Tableau, j), 0, 0, false, canvas);
          break;
        }
      }
      const int q = std::clamp<int>(ctx_.GameRules.ReserveCount(), 0, kMaxReserves);
      for (int j = 0; j < q; ++j) {
        const size_t v = static_cast<size_t>(j);
        if (Used(ctx_.ReserveX[v]) && ty < ctx_.ReserveY[v] && ctx_.ReserveX[v] < tx + CW() &&
            ctx_.ReserveX[v] + CW() > tx) {
          RedrawPileByName(PileName(PileKind::Reserve, j), 0, 0, false, canvas);
          break;
        }
      }
    }
  } else if (layout == 2 || layout == 4 || layout == 6) {
    int span = CW();
    for (size_t k = 0; k + 1 < gone.size(); ++k) {
      const bool down = IsCardFaceDown(ctx_, gone[k]);
      span += layout == 4   ? CW() + s.FanStepRight4()
              : layout == 2 ? (down ? s.FanStepRightDown() : s.FanStepRightUp())
                            : (down ? s.FanStepRight6Down() : s.FanStepRight6());
    }
    const int left = CardLeftX(ctx_, name, index, 0, true);
    const int top = tableau ? ctx_.TableauY[u] - scroll : ctx_.GetReserveY(index);
    gfx::Copy(canvas, left, top, span, CH(), background_, left, top);
    if (!IsTable(canvas)) gfx::Copy(table_, left, top, span, CH(), background_, left, top);
    if (tableau) {
      const int tx = ctx_.TableauX[u], ty = ctx_.TableauY[u];
      const int n = std::clamp<int>(ctx_.GameRules.TableauCount(), 0, kMaxTableaus);
      for (int j = index + 1; j < n; ++j) {
        const size_t v = static_cast<size_t>(j);
        if (ctx_.TableauX[v] > tx && ctx_.TableauY[v] >= ty && ctx_.TableauY[v] <= ty + CH()) {
          RedrawPileByName(PileName(PileKind::Tableau, j), 0, 0, false, canvas);
          break;
        }
      }
      for (int j = 0; j < kMaxFoundations; ++j) {
        const size_t v = static_cast<size_t>(j);
        if (Used(ctx_.FoundationX[v]) && ctx_.FoundationX[v] > tx && ctx_.FoundationY[v] >= ty &&
            ctx_.FoundationY[v] <= ty + CH()) {
          DrawPileTopCard(PileName(PileKind::Foundation, j), j, canvas);
          break;
        }
      }
    }
  }
  if (tableau && PileCardCount(Entry(ctx_.FilaPiles, index)) == 0)
    DrawPileBase(MarkerKind::Tableau, ctx_.TableauX[u], ctx_.TableauY[u] - scroll, index, canvas);
  if (ParseCfgInt(ctx_, cfg::Game, -1) == kStockRedrawGame && Used(ctx_.StockX[0])) {
    if (PileCardCount(Entry(ctx_.MazzoPiles, 0)) == 0)
      DrawStockSlotMarker(0, canvas);
    else
      DrawCardBack(ctx_.GetStockX(0), ctx_.GetStockY(0), CH(), canvas, true);
  }
}

void TableView::RedrawWholeTable() {
  PaintBackgroundFromSettings(table_);
  DrawTable(table_, false);
  RefreshScreen();
  if (!ctx_.FilaPiles.empty()) {
    HighlightSelectedCards(table_, false);
    HighlightSelectedCards(window_, true);
  }
}

// ---- TablePort ----

void TableView::RestoreCardCell(int, int card) {
  Sync();
  int x = 0, y = 0;
  if (!GetWrappedCardPos(ctx_, card, x, y)) return;
  gfx::Copy(table_, x, y, CW(), CH(), background_, x, y);
}

void TableView::EraseUncovered(int location, const std::string& before, const std::string& after) {
  int index = 0;
  const std::string name = LocationName(location, index);
  if (name.empty()) return;
  int x = 0;
  if (location >= 1)
    x = ctx_.TableauX[static_cast<size_t>(index)];
  else if (location <= -21)
    x = ctx_.GetReserveX(index);
  else
    return;
  RedrawPileAfterRemoval(after, before, x, table_, name);
}

void TableView::DrawTopCard(int location) {
  int index = 0;
  const std::string name = LocationName(location, index);
  if (!name.empty()) DrawPileTopCard(name, index, table_);
}

void TableView::RedrawPile(int location) {
  int index = 0;
  const std::string name = LocationName(location, index);
  if (!name.empty()) RedrawPileByName(name, 0, 0, false, table_);
}

void TableView::RepaintTable() { RedrawWholeTable(); }

void TableView::PresentTable() { RefreshScreen(); }

void TableView::InvalidatePileEdges(int location) {
  if (location < 1 || location > kMaxTableaus) return;
  const int i = location - 1;
  const size_t u = static_cast<size_t>(i);
  if (!Used(ctx_.TableauX[u]) || !Used(ctx_.TableauY[u])) return;
  const int x = ctx_.TableauX[u];
  const int top = ctx_.TableauY[u] - ctx_.GameState.ScrollOffsetY();
  const int bottom = PileBottomY(ctx_, PileName(PileKind::Tableau, i));
  // Irregular piles shift cards by up to two pixels either way.
  InvalidatePileRect(QRect(x - 2, top, 4, bottom - top));
  InvalidatePileRect(QRect(x + CW() - 2, top, 4, bottom - top));
}

}  // namespace tw
