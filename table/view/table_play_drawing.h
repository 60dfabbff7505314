// PlayDrawing on the table drawing (TableView): the program's wiring of play
// to the pictures the window shows.
#pragma once

#include <functional>

#include "table/view/play_drawing.h"
#include "table/view/table_view.h"

namespace tw {

class TablePlayDrawing : public PlayDrawing {
 public:
  explicit TablePlayDrawing(TableView& view) : view_(view) {}
  // With the context, Table() and Background() follow its scroll position.
  TablePlayDrawing(GameContext& ctx, TableView& view) : ctx_(&ctx), view_(view) {}

  // What the layout reads of the window, and the won animation's top row.
  std::function<LayoutInput()> LayoutSource;
  std::function<int()> TopMarginSource;

  gfx::Bitmap& Window() override { return view_.WindowCanvas(); }
  // Both pictures carry the current scroll position.
  gfx::Bitmap& Table() override;
  gfx::Bitmap& Background() override;
  CardPictures& Pictures() override { return view_.Pictures(); }
  void ReloadPictures() override { view_.ReloadCardPictures(); }
  TableLookChoices LookChoices() override;
  void DrawCard(gfx::Bitmap& target, int card, int x, int y) override;
  void RedrawPile(const std::string& pileName) override;
  void DrawTable(bool animate) override;
  void PaintBackground() override;
  void Present(QRect r) override;
  LayoutInput Layout() override { return LayoutSource ? LayoutSource() : LayoutInput{}; }
  int TopMargin() override { return TopMarginSource ? TopMarginSource() : 5; }

 private:
  GameContext* ctx_ = nullptr;
  TableView& view_;
};

class PlayView;

// The table drawing's card flights (the animated deal) flown by the play
// view, so that every flight on the table moves alike.
void UsePlayFlights(TableView& view, PlayView& play);

}  // namespace tw
