// A drawing surface: a picture plus the y-offset between the coordinates its
// callers use and its own rows.
//
// Every drawing operation takes window coordinates and adds the surface's own
// y-offset, separately for the source and the target of a copy. The table
// picture, which holds the whole table unscrolled, carries the scroll position;
// the window surface and the card pictures carry 0. So a copy between the two
// can never forget one side's offset.
//
// A surface may be plain: one colour everywhere, or a small picture repeated
// from an origin, without holding its pixels. Copies and pixel reads from it
// are served from the colour or the tile; the first drawing into it, or any
// use of Image(), makes the pixels. Plain surfaces are opaque 32-bit RGB.
#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>
#include <optional>

#include "platform/gfx/colour.h"

namespace tw::gfx {

class Bitmap {
 public:
  Bitmap() = default;
  // A white picture of that size (plain until drawn into).
  Bitmap(int width, int height);
  // Takes the picture as it is; pictures without alpha become 32-bit RGB.
  explicit Bitmap(QImage image);

  int Width() const { return plain_ ? plain_->size.width() : image_.width(); }
  int Height() const { return plain_ ? plain_->size.height() : image_.height(); }
  bool Empty() const { return !plain_ && image_.isNull(); }

  // Keeps the picture at the top-left; new area is white. 0 in either
  // direction leaves an empty bitmap.
  void SetSize(int width, int height);

  int YOffset() const { return y_offset_; }
  void SetYOffset(int offset) { y_offset_ = offset; }

  // The whole surface in the coordinates its callers use.
  QRect Bounds() const { return QRect(0, -y_offset_, Width(), Height()); }

  // How Draw treats the picture when it is the source.
  bool Transparent() const { return transparent_; }
  Colour TransparentColour() const { return transparent_colour_; }
  void SetTransparent(bool on, Colour key) {
    transparent_ = on;
    transparent_colour_ = key;
  }

  // Every pixel the colour; the surface becomes plain. An empty one stays
  // empty.
  void Fill(Colour colour);
  // The tile repeated over the whole surface, a copy of its top-left at
  // (x0, y0) of the surface's own rows; the surface becomes plain. An empty
  // tile or surface changes nothing.
  void FillTiled(const Bitmap& tile, int x0, int y0);
  bool Plain() const { return plain_.has_value(); }
  // Of a plain surface: the opaque 0xAARRGGBB words of count pixels from
  // (x, y) of its own rows, all inside the surface.
  void PlainRow(int x, int y, int count, std::uint32_t* out) const;

  // The pixels; a plain surface makes them first.
  const QImage& Image() const;
  QImage& Image();

 private:
  struct PlainFill {
    QImage tile;  // 32-bit RGB, opaque words
    int x0 = 0, y0 = 0;
    QSize size;
    // The part the fill covers from the top-left; the rest is white (a
    // plain surface grown since).
    QSize area;
  };
  void MakePixels() const;

  // Making the pixels of a plain surface does not change what it shows.
  mutable QImage image_;
  mutable std::optional<PlainFill> plain_;
  int y_offset_ = 0;
  bool transparent_ = false;
  Colour transparent_colour_ = kWhite;
};

}  // namespace tw::gfx
