#include "table/view/animate.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/cards.h"
#include "core/util.h"
#include "engine/newgame.h"
#include "engine/pileops.h"
#include "engine/poker.h"
#include "platform/gfx/draw.h"
#include "platform/sys/services.h"
#include "table/geometry.h"
#include "table/view/corners.h"
#include "table/view/drop.h"
#include "table/view/hints.h"

namespace tw {

namespace {

QRect ToQRect(const Rect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

// The rectangle (l, t) to (r, b), both edges included.
QRect Span(int l, int t, int r, int b) { return QRect(l, t, r - l + 1, b - t + 1); }

bool Between(int v, int a, int b) { return v >= std::min(a, b) && v <= std::max(a, b); }

const gfx::Bitmap* FaceOf(CardPictures& p, int card) {
  if (card > 52) card -= 52;
  if (card < 1 || card > 52) return nullptr;
  return &p.CardFaces[static_cast<size_t>(card - 1)];
}

// Cards_Shadowed switched off for a flight and back whatever happens.
class ShadowsOff {
 public:
  explicit ShadowsOff(GameContext& ctx) : ctx_(ctx), saved_(ctx.Cfg(cfg::Cards_Shadowed)) {
    ctx_.SetCfg(cfg::Cards_Shadowed, "N");
  }
  ~ShadowsOff() { ctx_.SetCfg(cfg::Cards_Shadowed, saved_); }
  ShadowsOff(const ShadowsOff&) = delete;
  ShadowsOff& operator=(const ShadowsOff&) = delete;

 private:
  GameContext& ctx_;
  std::string saved_;
};

}  // namespace

int FlightStep(int distance, bool fast) {
  const double d = std::abs(distance);
  const double divisor = d / 50 * 100 / 6.25 * 4 / 100 + 4;
  int s = static_cast<int>(std::trunc(d / divisor + 0.5));
  if (fast) s = static_cast<int>(std::trunc(s * 0.3));
  return s;
}

std::vector<QPoint> FlightPath(int fromX, int fromY, int toX, int toY, bool fast) {
  std::vector<QPoint> path;
  const bool majorY = std::abs(toY - fromY) > std::abs(toX - fromX);
  const int majorFrom = majorY ? fromY : fromX, majorTo = majorY ? toY : toX;
  const int minorFrom = majorY ? fromX : fromY, minorTo = majorY ? toX : toY;
  const int distance = std::abs(majorTo - majorFrom);
  int step = std::min(distance, FlightStep(distance, fast));
  if (majorTo < majorFrom) step = -step;
  if (step == 0) return path;

  int major = majorFrom, minor = minorFrom;
  bool majorArrived = false, minorArrived = false;
  auto arrive = [&] {
    if (!majorArrived && Between(majorTo, majorFrom, major)) {
      majorArrived = true;
      major = majorTo;
    }
    if (!minorArrived && Between(minorTo, minorFrom, minor)) {
      minorArrived = true;
      minor = minorTo;
    }
  };
  // Each pass advances at least one pixel towards the target, so this ends.
  for (;;) {
    if (!majorArrived) major += step;
    arrive();
    if (!minorArrived) {
      const int p = static_cast<int>(
          std::trunc(std::abs(major - majorFrom) * 100.0 / std::abs(majorTo - majorFrom) + 0.5));
      minor = minorFrom + static_cast<int>(std::trunc((minorTo - minorFrom) * p / 100.0));
    }
    arrive();
    if (majorArrived && minorArrived) break;
    path.push_back(majorY ? QPoint(minor, major) : QPoint(major, minor));
  }
  return path;
}

void UncoveredStrips(const Rect& o, int x, int y, int width, int height, QRect& a, QRect& b) {
  const int nRight = x + width, nBottom = y + height;
  if (x >= o.Left && y >= o.Top) {
    a = Span(o.Left, o.Top, o.Right + 1, y);
    b = Span(o.Left, o.Top, x, o.Bottom);
  } else if (x <= o.Left && y >= o.Top) {
    a = Span(o.Left, o.Top, o.Right + 1, y);
    b = Span(nRight, o.Top, o.Right + 2, o.Bottom);
  } else if (x <= o.Left && y <= o.Top) {
    a = Span(o.Left, nBottom, o.Right + 1, o.Bottom);
    b = Span(nRight, o.Top, o.Right + 2, o.Bottom);
  } else {
    a = Span(o.Left, nBottom, o.Right + 1, o.Bottom);
    b = Span(o.Left, o.Top, x, o.Bottom);
  }
}

bool PlayView::ShadowsOn() const { return !ctx_.CfgIs(cfg::Cards_Shadowed, "N"); }

// The table drawing's corner mode: cards of that width get single-pixel corners.
int PlayView::SmallWidth() const { return ctx_.TfrmMain.CardMaskMode; }

void PlayView::SetDragRects(int left, int top, int right, int bottom) {
  ctx_.TfrmMain.DragRect = Rect{left, top, right, bottom};
  ctx_.TfrmMain.DragImageRect = Rect{0, 0, ctx_.CardWidth, ctx_.TfrmMain.DragHeight};
}

void PlayView::RenderDragImage() {
  CardPictures& pictures = drawing_.Pictures();
  gfx::Bitmap& drag = pictures.DragBmp;
  const int cw = ctx_.CardWidth, ch = ctx_.CardHeight;
  const int height = std::max(ctx_.TfrmMain.DragHeight, ch);
  if (drag.Width() != cw || drag.Height() < height) drag.SetSize(cw, std::max(height, ch));
  drag.SetYOffset(0);
  const int card = ctx_.GameState.MovingCard();
  if (ctx_.TfrmMain.DragRect.Height() == ch || ctx_.TfrmMain.DragHeight == ch) {
    if (const gfx::Bitmap* face = FaceOf(pictures, card))
      gfx::Copy(drag, 0, 0, cw, ch, *face, 0, 0);
    return;
  }
  std::vector<int> run;
  CardsFromCard(ctx_, run, card);
  const int step = ctx_.GameState.FanStepDownUp();
  for (size_t i = 0; i < run.size(); ++i) {
    const gfx::Bitmap* face = FaceOf(pictures, run[i]);
    if (!face) continue;
    const int y = static_cast<int>(i) * step;
    const QRect r(0, y, cw, ch);
    // The card below shows through this card's rounded top corners.
    std::vector<QPoint> corners = CornerPixels(r, kTopCorners, SmallWidth());
    std::vector<gfx::Colour> under;
    for (const QPoint& p : corners)
      under.push_back(gfx::GetPixel(drag, r.x() + p.x(), r.y() + p.y()));
    gfx::Copy(drag, 0, y, cw, ch, *face, 0, 0);
    if (i == 0) continue;
    for (size_t k = 0; k < corners.size(); ++k) {
      gfx::SetPixel(drag, r.x() + corners[k].x(), r.y() + corners[k].y(), under[k]);
    }
  }
}

void PlayView::DrawCardShadow(gfx::Bitmap& canvas, const Rect& r) {
  CardPictures& p = drawing_.Pictures();
  const int k = ctx_.TfrmMain.ShadowOffset;
  const gfx::Bitmap& s1 = p.ShadowBmp1;
  const gfx::Bitmap& s2 = p.ShadowBmp2;
  gfx::CopyTransparent(canvas, r.Right, r.Top + k - 2, s1.Width(), s1.Height(), s1, 0, 0,
                       gfx::kWhite);
  gfx::CopyTransparent(canvas, r.Left + k - 1, r.Bottom, s2.Width(), s2.Height(), s2, 0, 0,
                       gfx::kWhite);
  gfx::SetPixel(canvas, r.Right - 1, r.Bottom - 2, gfx::kBlack);
  gfx::SetPixel(canvas, r.Right - 2, r.Bottom - 1, gfx::kBlack);
}

void PlayView::EraseDragShadow() {
  const Rect& o = ctx_.TfrmMain.DragRect;
  const int k = ctx_.TfrmMain.ShadowOffset;
  if (k <= 0) return;
  QRect below = Span(o.Left + k - 1, o.Bottom, o.Right + k, o.Bottom + k);
  QRect right = Span(o.Right, o.Top + k - 2, o.Right + k, o.Bottom + k);
  RefreshRect(below);
  RefreshRect(right);
}

bool PlayView::DragCardsTo(int x, int y, bool final, bool corners) {
  MainWindowFlags& w = ctx_.TfrmMain;
  if (std::abs(w.MouseDownX - x) < 1 && std::abs(w.MouseDownY - y) < 1) return false;
  gfx::Bitmap& window = drawing_.Window();
  gfx::Bitmap& table = drawing_.Table();
  gfx::Bitmap& drag = drawing_.Pictures().DragBmp;
  const Rect o = w.DragRect;
  const int cw = ctx_.CardWidth, height = w.DragHeight;
  const int k = w.ShadowOffset;
  const QRect n(x, y, cw, height);

  QRect a, b;
  UncoveredStrips(o, x, y, cw, height, a, b);
  gfx::Copy(window, a.x(), a.y(), a.width(), a.height(), table, a.x(), a.y());
  gfx::Copy(window, b.x(), b.y(), b.width(), b.height(), table, b.x(), b.y());
  QRect oldShadow;
  if (ShadowsOn() && k > 0) {
    QRect below = Span(o.Left + k - 1, o.Bottom, o.Right + k, o.Bottom + k);
    QRect right = Span(o.Right, o.Top + k - 2, o.Right + k, o.Bottom + k);
    gfx::Copy(window, below.x(), below.y(), below.width(), below.height(), table, below.x(),
              below.y());
    gfx::Copy(window, right.x(), right.y(), right.width(), right.height(), table, right.x(),
              right.y());
    oldShadow = below.united(right);
  }
  if (corners) MaskCardCorners(table, n, drag, SmallWidth(), QRect(0, 0, cw, height));
  const Rect& img = w.DragImageRect;
  gfx::Copy(window, x, y, cw, height, drag, img.Left, img.Top);
  w.DragRect = Rect{x, y, x + cw, y + height};

  QRect shown = ToQRect(o).adjusted(-2, -2, 3, 3).united(a).united(b).united(n);
  if (!oldShadow.isNull()) shown = shown.united(oldShadow);
  if (final) {
    gfx::Copy(table, x, y, cw, height, drag, img.Left, img.Top);
  } else if (ShadowsOn() && k > 0) {
    if (w.DragRect.Height() > ctx_.CardHeight) {
      DrawDitheredShadow(window, n);
    } else {
      DrawCardShadow(window, w.DragRect);
    }
    shown = shown.united(n.adjusted(0, 0, k + 2, k + 2));
  }
  drawing_.Present(shown);
  w.MouseDownX = x;
  w.MouseDownY = y;
  return true;
}

void PlayView::AnimateCard(int card, int fromX, int fromY, int toX, int toY, bool finalDraw,
                           bool fast, bool lifted, bool prepareImage) {
  MainWindowFlags& w = ctx_.TfrmMain;
  int64_t speedValue = 0;
  if (!ParseInt(ctx_.Cfg(cfg::Speed_Move_Card), speedValue)) speedValue = 0;
  const int speed = static_cast<int>(speedValue);
  const int k = w.ShadowOffset;
  if (lifted) {
    toX -= k;
    toY -= k;
  }
  // A place the layout does not use: the card flies off the top-left.
  if (toX < kUnusedBelow) toX = -3 * ctx_.CardWidth;
  if (toY < kUnusedBelow) toY = -3 * ctx_.CardHeight;

  if (prepareImage) {
    ctx_.GameState.MovingCard() = static_cast<int16_t>(card > 0 ? card : 0);
    w.DragHeight = ctx_.CardHeight;
    SetDragRects(fromX, fromY, fromX + ctx_.CardWidth, fromY + ctx_.CardHeight);
    if (card > 0) {
      RenderDragImage();
    } else {
      gfx::Bitmap& drag = drawing_.Pictures().DragBmp;
      if (drag.Width() != ctx_.CardWidth || drag.Height() < ctx_.CardHeight) {
        drag.SetSize(ctx_.CardWidth, ctx_.CardHeight);
      }
      const gfx::Bitmap& back = drawing_.Pictures().CardBackBmp;
      gfx::Copy(drag, 0, 0, ctx_.CardWidth, ctx_.CardHeight, back, 0, 0);
    }
    ctx_.GameState.MovingCard() = 0;
    ctx_.GameState.RunLastCard() = 0;
    w.MouseDownX = 0;
    w.MouseDownY = 0;
  }

  BusyInputGuard busy(ctx_);
  {
    ShadowsOff off(ctx_);
    EraseDragShadow();
    for (const QPoint& p : FlightPath(fromX, fromY, toX, toY, fast)) {
      if (!fast && speed >= 1) Delay2(ctx_, speed);
      DragCardsTo(p.x(), p.y(), false, false);
    }
  }
  int x = toX, y = toY;
  if (lifted) {
    DragCardsTo(toX, toY, false, true);
    x = toX + k;
    y = toY + k;
    if (speed > 0) Delay2(ctx_, 2 * speed);
  }
  if (!DragCardsTo(x, y, finalDraw, true) && finalDraw) {
    gfx::Bitmap& drag = drawing_.Pictures().DragBmp;
    gfx::Copy(drawing_.Table(), x, y, ctx_.CardWidth, w.DragRect.Height(), drag, 0, 0);
  }
}

void PlayView::RefreshRect(QRect r) {
  if (r.isEmpty()) return;
  gfx::Copy(drawing_.Window(), r.x(), r.y(), r.width(), r.height(), drawing_.Table(), r.x(), r.y());
  drawing_.Present(r);
}

void PlayView::RefreshScreen() {
  gfx::Bitmap& window = drawing_.Window();
  RefreshRect(QRect(0, 0, window.Width(), window.Height()));
}

void PlayView::InvertCardRect(const Rect& r) {
  const QRect q = ToQRect(r);
  gfx::InvertRect(drawing_.Window(), q);
  gfx::InvertRect(drawing_.Table(), q);
  // An inverted card keeps table-coloured corners.
  RestoreCardCorners(q);
}

void PlayView::RestoreCardCorners(QRect r) {
  const gfx::Bitmap& background = drawing_.Background();
  MaskCardCorners(background, r, drawing_.Window(), SmallWidth(), r);
  MaskCardCorners(background, r, drawing_.Table(), SmallWidth(), r);
  drawing_.Present(r);
}

void PlayView::ShowRedealMarker() {
  ctx_.GameState.RedealMarkerShown() = 1;
  const gfx::Bitmap& marker = drawing_.Pictures().RedealMarkerBmp;
  const int x = ctx_.GetStockX(0), y = ctx_.GetStockY(0);
  gfx::Copy(drawing_.Window(), x, y, marker.Width(), marker.Height(), marker, 0, 0);
  drawing_.Present(QRect(x, y, marker.Width(), marker.Height()));
}

void PlayView::HideRedealMarker() {
  const gfx::Bitmap& base = drawing_.Pictures().StockBaseBmp;
  const int x = ctx_.GetStockX(0), y = ctx_.GetStockY(0);
  gfx::Copy(drawing_.Window(), x, y, base.Width(), base.Height(), base, 0, 0);
  drawing_.Present(QRect(x, y, base.Width(), base.Height()));
  Delay2(ctx_, 50);
}

void PlayView::ShowCardPeek(int card, int left, int top) {
  drawing_.DrawCard(drawing_.Window(), card, left, top);
  drawing_.Present(QRect(left, top, ctx_.CardWidth, ctx_.CardHeight));
  ctx_.TfrmMain.PeekCardX = left;
  ctx_.TfrmMain.PeekCardY = top;
  ctx_.TfrmMain.PeekShown = 1;
}

void PlayView::EndCardPeek() {
  MainWindowFlags& w = ctx_.TfrmMain;
  if (!w.PeekShown && w.PeekCardX == 0 && w.PeekCardY == 0) return;
  RefreshRect(QRect(w.PeekCardX, w.PeekCardY, ctx_.CardWidth, ctx_.CardHeight));
  w.PeekCardX = 0;
  w.PeekCardY = 0;
  w.PeekShown = 0;
}

void PlayView::RedrawPile(const std::string& pileName) { drawing_.RedrawPile(pileName); }

void PlayView::RedrawTable() { drawing_.DrawTable(false); }

void PlayView::AnimateCardMove(int card, int fromX, int fromY, int toX, int toY) {
  // A card other than the lifted one needs a picture of its own.
  const bool prepare = card != ctx_.GameState.MovingCard() || card <= 0;
  AnimateCard(card, fromX, fromY, toX, toY, true, false, false, prepare);
}

void PlayView::DrawCard(int card, int x, int y) {
  drawing_.DrawCard(drawing_.Table(), card, x, y);
  drawing_.DrawCard(drawing_.Window(), card, x, y);
  drawing_.Present(QRect(x, y, ctx_.CardWidth, ctx_.CardHeight));
}

bool PlayView::FindCardRect(int card, Rect& r) const { return tw::FindCardRect(ctx_, card, r); }

void PlayView::ShowFaceUpTurn(int card, int pile) {
  const std::string name = PileName(PileKind::Tableau, pile);
  const int lift = ctx_.TfrmMain.ShadowOffset - 2;
  Rect r;
  if (!ShadowsOn() || lift <= 0 || !FindCardRect(card, r)) {
    RedrawPile(name);
    return;
  }
  // The pile without the card, the face above its place, then set down.
  RedrawWithoutCard(ctx_, card, true);
  RefreshRect(QRect(r.Left - lift, r.Top - lift, ctx_.CardWidth + lift, ctx_.CardHeight + lift));
  drawing_.DrawCard(drawing_.Window(), card, r.Left - lift, r.Top - lift);
  drawing_.Present(QRect(r.Left - lift, r.Top - lift, ctx_.CardWidth, ctx_.CardHeight));
  AnimateCard(card, r.Left - lift, r.Top - lift, r.Left, r.Top, true, false, false, true);
  RedrawPile(name);
}

void PlayView::FlyCardToPile(int card, const std::string& pileName) {
  if (ctx_.CfgIs(cfg::Cards_Animate, "N")) return;
  int index = 0;
  if (ParsePileName(pileName, index) == PileKind::None) return;
  Rect r;
  if (!FindCardRect(card, r)) return;
  const int x = CardLeftX(ctx_, pileName, index, 0, true);
  const int y = CardTopY(ctx_, pileName, index, 0, true);
  RedrawWithoutCard(ctx_, card, true);
  AnimateCard(card, r.Left, r.Top, x, y, true, false, false, true);
}

void PlayView::PlayWinAnimation(int mode) {
  if (!ctx_.CfgIs(cfg::Winning_Animation, "Y")) return;
  MainWindowFlags& w = ctx_.TfrmMain;
  w.WinAnimationRunning = 1;
  gfx::Bitmap& window = drawing_.Window();
  const int width = window.Width(), height = window.Height();
  const int cw = ctx_.CardWidth, ch = ctx_.CardHeight;
  const std::string size = ctx_.Cfg(cfg::Card_Size);
  const int sizeIndex = size == "L" ? 2 : size == "M" ? 1 : 0;
  auto random = [&](int range) { return ctx_.Random ? ctx_.Random->Next(range) : 0; };
  // Messages are let through between cards, once a millisecond at most:
  // looking for them costs more than drawing a card.
  uint64_t pumped = 0;
  auto pump = [&] {
    if (!ctx_.Ui) return;
    if (ctx_.Clock) {
      const uint64_t now = ctx_.Clock->TickMs();
      if (now == pumped) return;
      pumped = now;
    }
    ctx_.Ui->ProcessMessages();
  };
  // Each card lands on the table picture, and the window shows the table
  // there: nothing lies over the table during the animation.
  auto draw = [&](int x, int y) {
    const int card = random(52) + 1;
    drawing_.DrawCard(drawing_.Table(), card, x, y);
    RefreshRect(QRect(x, y, cw, ch));
  };

  if (mode == 1) {
    static constexpr int kPause[] = {5, 7, 9};
    static constexpr int kCount[] = {2000, 3000, 4000};
    for (int i = 0; i <= kCount[sizeIndex] && w.WinAnimationRunning; ++i) {
      const int y = random(height + ch / 2) - ch / 2;
      const int x = random(width + cw / 2) - cw / 2;
      draw(x, y);
      if (i % 15 == 0) DelayWithMessages(ctx_, kPause[sizeIndex]);
      pump();
    }
  } else {
    static constexpr int kPause[] = {18, 22, 25};
    static constexpr int kCount[] = {1500, 2500, 3500};
    const int m = drawing_.TopMargin();
    int x = -20, y = m, row = 0, offset = 0;
    auto rowStart = [&] {
      return row % 2 == 0 ? -static_cast<int>(std::trunc(cw / 4.0))
                          : -static_cast<int>(std::trunc(cw / 3.0));
    };
    for (int i = 1; i <= kCount[sizeIndex] && w.WinAnimationRunning; ++i) {
      draw(x, y);
      if (i % 20 == 0) DelayWithMessages(ctx_, kPause[sizeIndex]);
      pump();
      x += static_cast<int>(std::trunc(cw / 5.8));
      if (x >= width) {
        ++row;
        x = rowStart();
        for (int waited = 0; waited < 700 && w.WinAnimationRunning; waited += 10) {
          DelayWithMessages(ctx_, 10);
        }
        y += 35;
      }
      if (height <= ch + y) {
        x = rowStart();
        offset += 35;
        y = offset;
        if (height <= offset) offset = m + 35;
      }
    }
  }
  w.WinAnimationRunning = 0;
}

void PlayView::ShowBareTable() {
  drawing_.PaintBackground();
  RefreshScreen();
}

void PlayView::DrawFoundationHints() { tw::DrawFoundationHints(ctx_, drawing_); }

void PlayView::DrawBatchCounter() { tw::DrawBatchCounter(ctx_, drawing_); }

void PlayView::DrawPokerPanelText(const std::optional<std::string>& line1,
                                  const std::optional<std::string>& line2,
                                  const std::string& label, const std::string& value) {
  tw::DrawPokerPanelText(ctx_, drawing_, line1, line2, label, value);
}

void PlayView::HighlightPokerHand(const std::array<int, 5>& piles) {
  for (const QRect& r : PokerHandRects(ctx_, piles)) {
    InvertCardRect(Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
  }
}

void PlayView::DrawGameKindExtras(int kind) {
  if (kind == 9) {
    DrawPokerPanel(ctx_, drawing_);
    ScorePokerGrid(ctx_, -1);
  }
  if (kind == 10) DrawFoundationHints();
  if (kind == 23) DrawBatchCounter();
}

bool PlayView::DropOnPile(GameContext& ctx, int card, int kind, int index, bool autoplay) {
  const Rect r = ctx.TfrmMain.DragRect;
  return DropCards(ctx, *this, card, r.Left, r.Top, r.Right, r.Bottom, true, true, autoplay, kind,
                   index);
}

}  // namespace tw
