// Play on the table picture: the lifted picture (DragBmp) following the
// pointer with its shadow, card flights, the won animation, the redeal
// marker and the right-button peek. PlayView is also the engine's ViewPort
// (drawing after moves) and DropPort (the drop routine with a fixed target).
//
// Animations busy-wait on ctx.Clock between frames and show every frame at
// once through PlayDrawing::Present; nothing here processes input except the
// won animation, which the caller's filter stops.
#pragma once

#include <QPoint>
#include <QRect>
#include <string>
#include <vector>

#include "core/state.h"
#include "engine/ports.h"
#include "table/view/play_drawing.h"

namespace tw {

// The intermediate positions of a flight from (fromX, fromY) to (toX, toY),
// not counting the final one: the major axis advances by a fixed step, the
// minor one by the same share of its way. Empty when the step rounds to 0.
std::vector<QPoint> FlightPath(int fromX, int fromY, int toX, int toY, bool fast);
// Major-axis step of a flight of distance d (pixels).
int FlightStep(int distance, bool fast);

// The two strips of the old rectangle that a move of the picture to (x, y)
// uncovers, each already one pixel wider and taller, as QRects.
void UncoveredStrips(const Rect& old, int x, int y, int width, int height, QRect& a, QRect& b);

class PlayView : public ViewPort, public DropPort {
 public:
  PlayView(GameContext& ctx, PlayDrawing& drawing) : ctx_(ctx), drawing_(drawing) {}

  GameContext& Context() { return ctx_; }
  PlayDrawing& Drawing() { return drawing_; }

  // The lifted picture's rectangles (DragRect on the table; DragImageRect
  // inside DragBmp, DragHeight high).
  void SetDragRects(int left, int top, int right, int bottom);
  // The face of GameState.MovingCard, or the run from it to its pile's top
  // fanned by FanStepDownUp, into DragBmp.
  void RenderDragImage();
  // Moves the lifted picture to (x, y) of the window; false when it already
  // stands there. final stamps it into the table picture; corners takes the
  // corners from the table under its new place.
  bool DragCardsTo(int x, int y, bool final, bool corners);
  void EraseDragShadow();
  void DrawCardShadow(gfx::Bitmap& canvas, const Rect& r);
  // Flies a card (card -1: a back) from one window position to another.
  void AnimateCard(int card, int fromX, int fromY, int toX, int toY, bool finalDraw, bool fast,
                   bool lifted, bool prepareImage);
  void HideRedealMarker();
  // The covered card shown whole at its place while the right button is held.
  void ShowCardPeek(int card, int left, int top);
  void EndCardPeek();
  // The window canvas over r from the table picture, then shown.
  void RefreshRect(QRect r);
  void RefreshScreen();
  // Selection highlight: inverted on the window and the table picture.
  void InvertCardRect(const Rect& r);
  // The four corners of a card rectangle show the table again, on the
  // window and the table picture.
  void RestoreCardCorners(QRect r);

  // ViewPort.
  void RedrawPile(const std::string& pileName) override;
  void RedrawTable() override;
  void AnimateCardMove(int card, int fromX, int fromY, int toX, int toY) override;
  void DrawCard(int card, int x, int y) override;
  bool FindCardRect(int card, Rect& r) const override;
  void ShowFaceUpTurn(int card, int pile) override;
  void FlyCardToPile(int card, const std::string& pileName) override;
  void PlayWinAnimation(int mode) override;
  void DrawFoundationHints() override;
  void DrawBatchCounter() override;
  void ShowRedealMarker() override;
  void ShowBareTable() override;
  void DrawPokerPanelText(const std::optional<std::string>& line1,
                          const std::optional<std::string>& line2, const std::string& label,
                          const std::string& value) override;
  void HighlightPokerHand(const std::array<int, 5>& piles) override;
  // What games of some kinds draw after the whole table: the poker panel
  // with its total (9), the foundation hints (10), the batch counter (23).
  void DrawGameKindExtras(int kind);

  // DropPort: the card dropped on one pile, drawn away from its place first.
  bool DropOnPile(GameContext& ctx, int card, int kind, int index, bool autoplay) override;

 private:
  bool ShadowsOn() const;
  int SmallWidth() const;

  GameContext& ctx_;
  PlayDrawing& drawing_;
};

}  // namespace tw
