// The drawing operations the table, the panels and the dialogs use. All
// positions are in the callers' coordinates (see Bitmap); rectangles are
// QRect(x, y, width, height). Everything is clipped to the surfaces, so parts
// of a copy, fill or pixel that fall outside are skipped.
#pragma once

#include <QSize>
#include <string>

#include "platform/gfx/bitmap.h"

namespace tw::gfx {

// Block copy of w x h pixels from (sx, sy) of source to (x, y) of target.
// Source and target may be the same surface, overlapping or not.
void Copy(Bitmap& target, int x, int y, int w, int h, const Bitmap& source, int sx, int sy);
// The whole source at (x, y); transparent when the source says so.
void Draw(Bitmap& target, int x, int y, const Bitmap& source);
// Like Copy, leaving out every source pixel of the key colour.
void CopyTransparent(Bitmap& target, int x, int y, int w, int h, const Bitmap& source, int sx,
                     int sy, Colour key);
// Like Copy, with the key colour's pixels replaced by the brush colour.
void BrushCopy(Bitmap& target, int x, int y, int w, int h, const Bitmap& source, int sx, int sy,
               Colour key, Colour brush);
// Scales the source rectangle into the target rectangle.
void StretchCopy(Bitmap& target, QRect to, const Bitmap& source, QRect from);

// Inverts every colour bit of the rectangle.
void InvertRect(Bitmap& target, QRect r);
void FillRect(Bitmap& target, QRect r, Colour colour);
// A one-pixel frame just inside the rectangle.
void FrameRect(Bitmap& target, QRect r, Colour colour);

// kInvalidColour outside the surface.
Colour GetPixel(const Bitmap& surface, int x, int y);
// Ignored outside the surface.
void SetPixel(Bitmap& surface, int x, int y, Colour colour);

// 256 horizontal bands from top to bottom; band i has every channel at
// top + i x (bottom - top) / 256.
void FillGradient(Bitmap& target, QRect r, Colour top, Colour bottom);

// Repeats the picture from the area's top-left corner to the right and down,
// whole tiles only, so the last tile in each direction may pass the area's
// edge. An empty picture draws nothing.
void Tile(Bitmap& target, QRect area, const Bitmap& picture);

// Text output. Font families of the original forms map to installed ones.
struct Font {
  std::string family = "MS Sans Serif";
  int points = 8;
  bool bold = false;
  Colour colour = kBlack;
};

// The text's cell is filled with the background first unless it is
// kInvalidColour. Text is single-byte (Windows-1252).
void TextOut(Bitmap& target, int x, int y, const std::string& text, const Font& font,
             Colour background = kInvalidColour);
QSize TextExtent(const std::string& text, const Font& font);

}  // namespace tw::gfx
