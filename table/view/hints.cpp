#include "table/view/hints.h"

#include <algorithm>

#include "core/cards.h"
#include "engine/hints.h"
#include "engine/pileops.h"
#include "platform/gfx/draw.h"

namespace tw {

namespace {

constexpr int kHintWidth = 21, kHintHeight = 14;
constexpr int kCounterWidth = 40, kCounterHeight = 14;

gfx::Font HintFont() { return gfx::Font{}; }  // "MS Sans Serif" 8, black

// A white box with centred text on the table picture and the window.
void Box(PlayDrawing& drawing, int x, int y, int w, int h, const std::string& text) {
  const int tx = x + (w - gfx::TextExtent(text, HintFont()).width()) / 2 - 1;
  for (gfx::Bitmap* b : {&drawing.Window(), &drawing.Table()}) {
    gfx::FillRect(*b, QRect(x, y, w, h), gfx::kWhite);
    gfx::TextOut(*b, tx, y, text, HintFont());
  }
}

}  // namespace

void DrawFoundationHint(GameContext& ctx, PlayDrawing& drawing, int i, int y) {
  if (i < 0 || i >= kHintFoundations || ctx.GetFoundationX(i) < kUnusedBelow) return;
  const int x = ctx.GetFoundationX(i) + ctx.CardWidth / 2 - 10;
  const std::string text = FoundationHintText(ctx, i);
  if (text.empty()) {
    // No box at all: the table shows through.
    for (gfx::Bitmap* b : {&drawing.Window(), &drawing.Table()}) {
      gfx::Copy(*b, x, y, kHintWidth, kHintHeight, drawing.Background(), x, y);
    }
  } else {
    Box(drawing, x, y, kHintWidth, kHintHeight, text);
  }
  drawing.Present(QRect(x, y, kHintWidth, kHintHeight));
}

void DrawFoundationHints(GameContext& ctx, PlayDrawing& drawing) {
  if (ctx.DestPiles.empty() || ctx.FoundationY[0] < kUnusedBelow) return;
  // All four boxes share foundation 1's height.
  const int y = ctx.GetFoundationY(0) - 18;
  for (int i = 0; i < kHintFoundations; ++i) DrawFoundationHint(ctx, drawing, i, y);
}

void DrawBatchCounter(GameContext& ctx, PlayDrawing& drawing) {
  if (ctx.StockBaseX[1] < kUnusedBelow) return;
  const int x = ctx.StockBaseX[1] + ctx.CardWidth / 2 - 20;
  const int y = ctx.StockBaseY[1] + ctx.CardHeight + 10;
  Box(drawing, x, y, kCounterWidth, kCounterHeight, BatchCounterText(ctx));
  drawing.Present(QRect(x, y, kCounterWidth, kCounterHeight));
}

void DrawPokerPanel(GameContext& ctx, PlayDrawing& drawing) {
  const gfx::Bitmap& panel = drawing.Pictures().PokerPanelBmp;
  if (panel.Empty() || ctx.StockBaseX[1] < kUnusedBelow || ctx.TableauY[10] < kUnusedBelow) {
    return;
  }
  const int w = panel.Width(), h = panel.Height();
  const int x = ctx.StockBaseX[1] - (w - ctx.CardWidth) / 2;
  const int y = GetTableauY(ctx, 10) + (ctx.CardHeight - h) / 2;
  for (gfx::Bitmap* b : {&drawing.Window(), &drawing.Table()}) {
    gfx::Copy(*b, x, y, w, h, panel, 0, 0);
  }
  GameStateRecord& state = ctx.GameState;
  state.PokerPanelX() = static_cast<int16_t>(x);
  state.PokerPanelY() = static_cast<int16_t>(y);
  state.PokerPanelBaseY() = static_cast<int16_t>(y + state.ScrollOffsetY());
  state.PokerPanelWidth() = static_cast<int16_t>(w);
  drawing.Present(QRect(x, y, w, h));
}

void DrawPokerPanelText(GameContext& ctx, PlayDrawing& drawing,
                        const std::optional<std::string>& line1,
                        const std::optional<std::string>& line2, const std::string& label,
                        const std::string& value) {
  const GameStateRecord& state = ctx.GameState;
  if (state.PokerPanelWidth() <= 0) return;
  const int x = state.PokerPanelX() + 7;
  const int y = state.PokerPanelBaseY() - state.ScrollOffsetY();
  const int width = state.PokerPanelWidth() - 17;
  gfx::Font bold;
  bold.bold = true;
  const gfx::Font regular;
  const int height = gfx::TextExtent(label, bold).height() + 1;
  // Each line blanks its whole row, so a shorter text leaves nothing behind.
  auto line = [&](int top, const std::string& text, const gfx::Font& font,
                  const std::string& more) {
    for (gfx::Bitmap* b : {&drawing.Window(), &drawing.Table()}) {
      gfx::FillRect(*b, QRect(x, top, width, height), gfx::kWhite);
      gfx::TextOut(*b, x, top, text, font);
      if (!more.empty()) {
        gfx::TextOut(*b, x + gfx::TextExtent(text, font).width(), top, more, regular);
      }
    }
  };
  if (line1) line(y + 5, *line1, bold, "");
  if (line2) line(y + 21, *line2, regular, "");
  line(y + 41, label, bold, value);
  drawing.Present(QRect(x, y, width, 41 + height));
}

std::array<QRect, 5> PokerHandRects(const GameContext& ctx, const std::array<int, 5>& piles) {
  std::array<QRect, 5> rects;
  for (size_t k = 0; k < piles.size(); ++k) {
    const int p = std::clamp(piles[k], 0, kMaxTableaus - 1);
    rects[k] = QRect(ctx.TableauX[static_cast<size_t>(p)], GetTableauY(ctx, p), ctx.CardWidth,
                     ctx.CardHeight);
  }
  return rects;
}

PausePlacement PlacePausePictures(int formWidth, int formHeight, QSize p1, QSize p2) {
  PausePlacement p;
  p.X1 = std::max(5, (formWidth - p1.width()) / 2);
  p.Y1 = std::max(100, (formHeight - p1.height() - 45 - p2.height()) / 2);
  p.X2 = std::max(5, (formWidth - p2.width()) / 2);
  p.Y2 = p.Y1 + p1.height() + 15;
  return p;
}

void PauseScreen::Show(const gfx::Bitmap& p1, const gfx::Bitmap& p2, int formWidth,
                       int formHeight, bool gradient) {
  gfx::Bitmap& table = drawing_.Table();
  gfx::Bitmap& background = drawing_.Background();
  gfx::Bitmap& window = drawing_.Window();
  gfx::FillRect(background, background.Bounds(), gfx::kGreen);
  if (gradient) {
    gfx::FillGradient(background, QRect(0, 0, formWidth + 1, formHeight + 1), gfx::kGreen,
                      gfx::kBlack);
  }
  const QRect all = background.Bounds();
  gfx::Copy(table, all.x(), all.y(), all.width(), all.height(), background, all.x(), all.y());

  w1_ = p1.Width();
  h1_ = p1.Height();
  w2_ = p2.Width();
  h2_ = p2.Height();
  place_ = PlacePausePictures(formWidth, formHeight, QSize(w1_, h1_), QSize(w2_, h2_));
  gfx::CopyTransparent(table, place_.X1, place_.Y1, w1_, h1_, p1, 0, 0, gfx::kGreen);
  gfx::CopyTransparent(table, place_.X2, place_.Y2, w2_, h2_, p2, 0, 0, gfx::kGreen);
  // A first picture wider than the second does not slide.
  range_ = std::max(0, place_.X1 - place_.X2 + 2);
  p_ = place_.X1;
  right_ = true;
  shown_ = true;

  gfx::Copy(window, 0, 0, window.Width(), window.Height(), table, 0, 0);
  drawing_.Present(QRect(0, 0, window.Width(), window.Height()));
}

void PauseScreen::Step() {
  if (!shown_ || w1_ <= 0) return;
  const int x1 = place_.X1, y1 = place_.Y1;
  const int from = p_;
  QRect uncovered;
  if (right_) {
    if (p_ + 3 > x1 + range_) {
      right_ = false;  // stays one step, nothing redrawn
      return;
    }
    p_ += 3;
    uncovered = QRect(from, y1, 3, h1_);
  } else {
    if (p_ - 3 < x1 - range_) {
      right_ = true;
      return;
    }
    p_ -= 3;
    uncovered = QRect(from + w1_ - 3, y1, 3, h1_);
  }
  gfx::Bitmap& table = drawing_.Table();
  gfx::Copy(table, p_, y1, w1_, h1_, table, from, y1);
  gfx::Copy(table, uncovered.x(), y1, 3, h1_, drawing_.Background(), uncovered.x(), y1);
  const QRect area(x1 - range_, y1, w1_ + 2 * range_, place_.Y2 + h2_ - y1);
  gfx::Copy(drawing_.Window(), area.x(), area.y(), area.width(), area.height(), table, area.x(),
            area.y());
  drawing_.Present(area);
}

}  // namespace tw
