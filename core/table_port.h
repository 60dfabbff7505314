// Drawing that follows a change of the pile store. The layout and drawing
// code implement it; the pile store only says what has to be shown again.
// A location is a LocateCard code: -99 stock, -98 waste, -1..-16
// foundation, 1..26 tableau pile, -21..-28 reserve.
#pragma once

#include <string>

namespace tw {

class TablePort {
 public:
  virtual ~TablePort() = default;

  // Single-row grid: puts the bare background back under the card's cell;
  // called while the card is still in its pile.
  virtual void RestoreCardCell(int location, int card) = 0;
  // Erases on the table picture what the cards of `before` covered and the
  // cards of `after` (the pile now) no longer cover.
  virtual void EraseUncovered(int location, const std::string& before,
                              const std::string& after) = 0;
  // Draws the pile's top card, or its empty marker, on the table picture.
  virtual void DrawTopCard(int location) = 0;
  // Draws every card of the pile on the table picture.
  virtual void RedrawPile(int location) = 0;
  // Bare background, every pile and the selection highlight, then shown.
  virtual void RepaintTable() = 0;
  // Copies the table picture to the window.
  virtual void PresentTable() = 0;
  // Invalidates 2-pixel strips along the pile's left and right edges, from
  // its top to its bottom, so that shifted (irregular) cards repaint.
  virtual void InvalidatePileEdges(int location) = 0;
};

}  // namespace tw
