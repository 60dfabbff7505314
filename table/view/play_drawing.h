// What play on the table (mouse handling, dropping, flights, the won
// animation, new games) needs of the table drawing and the window: the three
// surfaces, the card pictures, the drawing of cards, piles and the whole
// table, and showing a part of the window canvas at once. The program
// implements it on the table drawing and the main window; tests implement it
// on plain bitmaps.
#pragma once

#include <QRect>
#include <string>

#include "platform/gfx/bitmap.h"
#include "table/layout.h"
#include "table/view/card_pictures.h"

namespace tw {

class PlayDrawing {
 public:
  virtual ~PlayDrawing() = default;

  // The window canvas (y-offset 0), the table picture (the whole table
  // unscrolled: its y-offset is the scroll position) and the bare table in
  // the table picture's coordinates.
  virtual gfx::Bitmap& Window() = 0;
  virtual gfx::Bitmap& Table() = 0;
  virtual gfx::Bitmap& Background() = 0;
  // Faces, back, markers, shadows and DragBmp of the current card size.
  virtual CardPictures& Pictures() = 0;
  // Loads the pictures again after a change of card size.
  virtual void ReloadPictures() = 0;
  // What a random table look may choose from (nothing by default).
  virtual TableLookChoices LookChoices() { return {}; }

  // A card face at (x, y) of a surface, its corners rounded over what lies
  // beneath.
  virtual void DrawCard(gfx::Bitmap& target, int card, int x, int y) = 0;
  // The pile drawn again on the table picture and shown.
  virtual void RedrawPile(const std::string& pileName) = 0;
  // Background, every pile, then shown; animate deals the cards out one by
  // one on the window.
  virtual void DrawTable(bool animate) = 0;
  // The bare table into the table picture (and the background picture).
  virtual void PaintBackground() = 0;

  // The window canvas rectangle shown on the screen now (busy-wait
  // animations cannot wait for a paint event).
  virtual void Present(QRect r) = 0;
  // What the layout reads of the main window.
  virtual LayoutInput Layout() = 0;
  // Bottom of the toolbar panel shown (or 5): where the won animation's
  // rows begin.
  virtual int TopMargin() { return 5; }
};

}  // namespace tw
