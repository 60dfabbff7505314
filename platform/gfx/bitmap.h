// A drawing surface: a picture plus the y-offset between the coordinates its
// callers use and its own rows.
//
// Every drawing operation takes window coordinates and adds the surface's own
// y-offset, separately for the source and the target of a copy. The table
// picture, which holds the whole table unscrolled, carries the scroll position;
// the window surface and the card pictures carry 0. So a copy between the two
// can never forget one side's offset.
#pragma once

#include <QImage>
#include <QRect>

#include "platform/gfx/colour.h"

namespace tw::gfx {

class Bitmap {
 public:
  Bitmap() = default;
  // A white picture of that size.
  Bitmap(int width, int height);
  // Takes the picture as it is; pictures without alpha become 32-bit RGB.
  explicit Bitmap(QImage image);

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  bool Empty() const { return image_.isNull(); }

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

  const QImage& Image() const { return image_; }
  QImage& Image() { return image_; }

 private:
  QImage image_;
  int y_offset_ = 0;
  bool transparent_ = false;
  Colour transparent_colour_ = kWhite;
};

}  // namespace tw::gfx
