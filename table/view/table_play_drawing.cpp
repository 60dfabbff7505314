#include "table/view/table_play_drawing.h"

#include "table/geometry.h"
#include "table/view/animate.h"

namespace tw {

gfx::Bitmap& TablePlayDrawing::Table() {
  if (ctx_) view_.TableBmp().SetYOffset(ctx_->GameState.ScrollOffsetY());
  return view_.TableBmp();
}

gfx::Bitmap& TablePlayDrawing::Background() {
  if (ctx_) view_.BackgroundBmp().SetYOffset(ctx_->GameState.ScrollOffsetY());
  return view_.BackgroundBmp();
}

void TablePlayDrawing::DrawCard(gfx::Bitmap& target, int card, int x, int y) {
  view_.DrawCard(card, x, y, -1, target, false);
}

void TablePlayDrawing::RedrawPile(const std::string& pileName) {
  int index = 0;
  const PileKind kind = ParsePileName(pileName, index);
  if (kind == PileKind::Stock || kind == PileKind::Waste || kind == PileKind::Talon) {
    view_.DrawPileTopCard(pileName, index, view_.TableBmp());
  } else {
    view_.RedrawPileByName(pileName, 0, 0, false, view_.TableBmp());
  }
  view_.InvalidateTable();
}

void TablePlayDrawing::DrawTable(bool animate) {
  view_.PaintBackgroundFromSettings(view_.TableBmp());
  if (animate) {
    view_.RefreshScreen();
    view_.DrawTable(view_.WindowCanvas(), true);
  } else {
    view_.DrawTable(view_.TableBmp(), false);
  }
  view_.RefreshScreen();
}

TableLookChoices TablePlayDrawing::LookChoices() {
  if (!ctx_) return {};
  const std::string size = ctx_->Cfg(cfg::Card_Size);
  TableLookChoices c = ListTableLookChoices(*ctx_, view_.Library(), size.empty() ? 'B' : size[0]);
  c.ColourCount = view_.ColourCount();
  return c;
}

void TablePlayDrawing::PaintBackground() { view_.PaintBackgroundFromSettings(view_.TableBmp()); }

void TablePlayDrawing::Present(QRect r) {
  r = r.intersected(view_.WindowCanvas().Bounds());
  if (!r.isEmpty() && view_.Hooks().Repaint) view_.Hooks().Repaint(r);
}

void UsePlayFlights(TableView& view, PlayView& play) {
  view.Hooks().Flight = [&play](int card, bool faceDown, int fromX, int fromY, int toX, int toY) {
    play.AnimateCard(faceDown ? -1 : card, fromX, fromY, toX, toY, true, true, false, true);
  };
}

}  // namespace tw
