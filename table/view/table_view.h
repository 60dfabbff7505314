// The drawing of the card table: the table picture (the whole table,
// unscrolled), the bare background in the same coordinates, and the window
// canvas, what the window's paint handler puts on the screen: the table
// picture, with pixels of its own only where a card flies, a drag moves or
// a mark lies over the table. Every routine takes window coordinates; the table
// and background pictures carry the scroll position as their y-offset, so
// the same call serves every surface.
//
// The window owns one TableView and tells it its size and how to repaint a
// part of the screen. The pile store reaches it through TablePort; play on
// the table (PlayView, animate.h) through PlayDrawing.
#pragma once

#include <QRect>
#include <functional>
#include <string>

#include "core/state.h"
#include "core/table_port.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/reslib.h"
#include "table/view/card_pictures.h"
#include "table/view/markers.h"

namespace tw {

// What the drawing asks of the window around it; empty members do nothing.
struct TableViewHooks {
  // Shows this part of the window canvas on the screen at once.
  std::function<void(QRect)> Repaint;
  // The scroll bar back to the top (ScrollOffsetY is already 0).
  std::function<void()> ScrollToTop;
  // Whether the table now needs the scroll bar (after the whole table).
  std::function<void()> UpdateTableScroll;
  // Panels of some game kinds drawn after the table (poker panel and score,
  // foundation hints, batch counter).
  std::function<void(int gameKind)> DrawGameKindExtras;
  // Flies a card (a back when faceDown) over the window from one place to
  // another during the animated deal; the card is drawn at its place in the
  // table picture afterwards. Unset, a plain flight without waits runs; the
  // program hands it to PlayView::AnimateCard (card -1 for a back, fast).
  std::function<void(int card, bool faceDown, int fromX, int fromY, int toX, int toY)> Flight;
  // Whether a part shown now reaches the screen at once rather than being
  // gathered for a later frame. A flight without waits draws only the steps
  // that reach the screen, and passes each step it leaves out to SkipFrame,
  // which takes the time showing it would have. Unset: every step is drawn.
  std::function<bool()> FrameDue;
  std::function<void()> SkipFrame;
};

// Deal-source modes of an animated deal.
enum class DealSource { None = 0, Stock = 1, Reserve1 = 2, Talon = 3, Foundation1 = 4, Waste = 5 };

// The card of an animated deal comes from here and flies to its place.
struct DealStart {
  DealSource mode = DealSource::None;
  int x = 0, y = 0;  // window coordinates
};

// The first usable source of an animated deal: stock, waste, reserve 1
// while it holds at most one card, third slot, foundation 1.
DealStart ChooseDealSource(const GameContext& ctx);
// The source's corners show the table after its last card left (every
// source but a stock that still holds cards).
bool DealRestoresCorners(const GameContext& ctx, DealSource mode);
// Stock edge depth of a slot of n cards: 0, 1 for two, then n / 7 + 1.
int StockEdgeDepth(int cards);

// One card a whole-table draw puts down: tableau pile (0-based) and card
// position (0 = bottom), in the order an animated deal flies them.
struct DealStep {
  int pile;
  int position;
};
std::vector<DealStep> TableauDrawOrder(const GameContext& ctx);

class TableView : public TablePort {
 public:
  TableView(GameContext& ctx, const gfx::ResourceLibrary& library);

  // Surfaces.
  gfx::Bitmap& TableBmp() { return table_; }
  gfx::Bitmap& BackgroundBmp() { return background_; }
  gfx::Bitmap& WindowCanvas() { return window_; }
  // The whole table, which a fade spans; the window sets at least the screen
  // size plus 30 in each direction, and grows it while scrolling. The table
  // and background pictures have its size unless limited.
  void SetTableSize(int width, int height);
  QSize TableSize() const { return table_size_; }
  // The pictures hold at most this much of the table from its top-left (all
  // of its height while the scroll bar shows).
  void LimitPictures(int width, int height);
  void SetWindowSize(int width, int height);
  void SetHooks(TableViewHooks hooks) { hooks_ = std::move(hooks); }
  TableViewHooks& Hooks() { return hooks_; }
  // Colour count of the display (true colour unless told otherwise).
  void SetColourCount(int colours) { colours_ = colours; }
  int ColourCount() const { return colours_; }
  const gfx::ResourceLibrary& Library() const { return library_; }
  void SetScrollBarVisible(bool visible);

  CardPictures& Pictures() { return pictures_; }
  PictureLoader& Loader() { return loader_; }
  // The card size's pictures (after SetCardSize); the drag picture starts
  // as face 1.
  void ReloadCardPictures();

  // Background.
  void PaintBackground(gfx::Bitmap& canvas, int kind, gfx::Colour colour, gfx::Colour fixed,
                       bool canvasOnly);
  void PaintBackgroundFromSettings(gfx::Bitmap& canvas);
  void CopyBackgroundToCanvas(gfx::Bitmap& canvas);

  // Cards and markers. Positions below -9999 draw nothing.
  void DrawCard(int card, int x, int y, int pileIndex, gfx::Bitmap& canvas, bool shaded);
  void DrawCardBack(int x, int y, int height, gfx::Bitmap& canvas, bool shaded);
  // A card's picture drawn at x, y with its corners masked, height rows of it.
  void StampCard(const gfx::Bitmap& picture, int x, int y, int height, gfx::Bitmap& canvas,
                 bool shaded);
  void BlitCardBitmap(const gfx::Bitmap& bitmap, int x, int y, gfx::Bitmap& canvas);
  void RestoreCornersOnCanvas(gfx::Bitmap& canvas, QRect r);
  bool DrawBaseForRank(int code, int x, int y, gfx::Bitmap& canvas);
  void DrawPileBase(MarkerKind kind, int x, int y, int pileIndex, gfx::Bitmap& canvas);
  void DrawTableauAndReserveBases(gfx::Bitmap& canvas);
  void InvertCardRect(gfx::Bitmap& canvas, bool direct, QRect r);
  void HighlightSelectedCards(gfx::Bitmap& canvas, bool direct);

  // The window shows the table picture again in that part (or all of it).
  void InvalidateTable();
  void InvalidatePileRect(QRect r);
  void RefreshScreen();

  // Piles and the whole table. prefix is "Fila", "Dest" or "Appogg"; index
  // is 0-based.
  void DrawPileCard(const std::string& prefix, const std::string& pile, int index, int cardIndex,
                    int fromX, int fromY, int pileX, int pileY, bool animate, gfx::Bitmap& canvas,
                    bool restoreCorners);
  void DrawStockEdge(gfx::Bitmap& canvas, bool keepPosition, int slot, int length, bool force,
                     bool alsoTable);
  void DrawStockAndFoundations(gfx::Bitmap& canvas, bool animate, int fromX, int fromY,
                               DealSource mode);
  void DrawTable(gfx::Bitmap& canvas, bool animate);
  void DrawPileTopCard(const std::string& name, int index, gfx::Bitmap& canvas);
  void RedrawPileByName(const std::string& name, int fromX, int fromY, bool animate,
                        gfx::Bitmap& canvas);
  void RedrawPileAfterRemoval(const std::string& now, const std::string& before, int x,
                              gfx::Bitmap& canvas, const std::string& name);
  // Bare background, every pile and the selection, then shown.
  void RedrawWholeTable();
  // The piles are drawn even with no deal in progress: a deal left on show
  // (the demo's, closed at its first position).
  void KeepIdleTable(bool on) { keep_idle_table_ = on; }
  bool KeepsIdleTable() const { return keep_idle_table_; }

  // TablePort: the pile store's redraw requests, on the table picture.
  void RestoreCardCell(int location, int card) override;
  void EraseUncovered(int location, const std::string& before, const std::string& after) override;
  void DrawTopCard(int location) override;
  void RedrawPile(int location) override;
  void RepaintTable() override;
  void PresentTable() override;
  void InvalidatePileEdges(int location) override;

  // The game whose stock is drawn again after every removal.
  static constexpr int kStockRedrawGame = 3;

 private:
  void Sync();
  bool IsTable(const gfx::Bitmap& canvas) const { return &canvas == &table_; }
  void RaiseTableHeight(int y);
  void Show(QRect r);
  void DefaultFlight(int card, bool faceDown, int fromX, int fromY, int toX, int toY);
  void Fly(int card, bool faceDown, int fromX, int fromY, int toX, int toY);
  const gfx::Bitmap* MarkerBitmap(const MarkerChoice& choice, gfx::Bitmap& scratch);
  // The edge of a squared reserve of more than one card, and the area the
  // reserve covers with it; false when there is no edge to draw.
  bool DrawReserveEdge(gfx::Bitmap& canvas, int index);
  QRect ReserveExtent(int index) const;
  void DrawStockSlotMarker(int slot, gfx::Bitmap& canvas);
  void DrawStockSlotTop(int slot, gfx::Bitmap& canvas, bool animate);
  void DrawStockSlotTop(int slot, gfx::Bitmap& canvas);
  void FitPictures();
  void PaintOne(gfx::Bitmap& canvas, int kind, gfx::Colour colour, gfx::Colour fixed);
  // The whole surface in one colour, or the Images picture tiled from its
  // top-left. The background picture, like for a fade, keeps no pixels for
  // them.
  void FillAll(gfx::Bitmap& canvas, gfx::Colour colour);
  void TileAll(gfx::Bitmap& canvas, const std::string& name);
  int CW() const { return ctx_.CardWidth; }
  int CH() const { return ctx_.CardHeight; }

  GameContext& ctx_;
  const gfx::ResourceLibrary& library_;
  PictureLoader loader_;
  CardPictures pictures_;
  gfx::Bitmap table_, background_, window_;
  QSize table_size_{0, 0}, picture_limit_;
  TableViewHooks hooks_;
  int colours_;
  bool scroll_bar_visible_ = false;
  bool keep_idle_table_ = false;
};

}  // namespace tw
