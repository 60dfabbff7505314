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
//
// A surface may lie over another one, its base (the window over the table
// picture): it shows the base, except in the squares drawn into since the
// base was last copied to the same place there, and only those squares hold
// pixels of their own. Drawing into it, copies from it and pixel reads work
// as on any surface; copying the base to the same place gives that part back
// to the base. Image() of such a surface is a picture of what it shows, made
// for reading.
#pragma once

#include <QImage>
#include <QRect>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/gfx/colour.h"

class QPainter;

namespace tw::gfx {

class Bitmap {
 public:
  Bitmap() = default;
  // A white picture of that size (plain until drawn into).
  Bitmap(int width, int height);
  // Takes the picture as it is; pictures without alpha become 32-bit RGB.
  explicit Bitmap(QImage image);
  // A copy of a surface over a base is a picture of what it shows now.
  Bitmap(const Bitmap& other);
  Bitmap& operator=(const Bitmap& other);
  Bitmap(Bitmap&&) noexcept;
  Bitmap& operator=(Bitmap&&) noexcept;
  ~Bitmap();

  int Width() const { return Size().width(); }
  int Height() const { return Size().height(); }
  QSize Size() const {
    if (overlay_) return overlay_->size;
    if (plain_) return plain_->size;
    return image_.size();
  }
  bool Empty() const { return Width() <= 0 || Height() <= 0; }

  // Keeps the picture at the top-left; new area is white. 0 in either
  // direction leaves an empty bitmap.
  void SetSize(int width, int height);

  int YOffset() const { return y_offset_; }
  void SetYOffset(int offset) {
    if (offset != y_offset_) ++version_;
    y_offset_ = offset;
  }

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

  // Of any surface: the 0xAARRGGBB words of count pixels from (x, y) of its
  // own rows, all inside the surface.
  void ReadRow(int x, int y, int count, std::uint32_t* out) const;
  // Draws what the surface shows in r (caller coordinates, inside the
  // surface) at the same place of the painter.
  void PaintTo(QPainter& painter, QRect r) const;
  // The same words written into a 32-bit picture of one's own: what the
  // surface shows in r (caller coordinates, inside the surface), row by row
  // from out (the word of r's top-left), stride words apart.
  void CopyTo(QRect r, std::uint32_t* out, std::ptrdiff_t stride) const;

  // The surface lies over base (not null) from now on (see above) and shows
  // it all. The base must outlive it.
  void ShowOver(const Bitmap* base);
  bool Overlay() const { return overlay_ != nullptr; }
  const Bitmap* OverlayBase() const { return overlay_ ? overlay_->base : nullptr; }
  // Side of the squares of a surface over a base.
  static constexpr int kSquare = 64;
  // Pixels of the passing pictures made to read or paint a part of such a
  // surface a band of rows at a time.
  static constexpr int kBandWords = 16384;
  // How many squares hold pixels of their own.
  int OwnSquares() const;
  // For the drawing functions, on a surface over a base: op(square, dx) for
  // every square meeting rect r of its own rows, each made from the base
  // first. The square is a surface whose caller coordinates are the
  // overlay's shifted by dx in x; its y-offset does the same in y.
  void DrawOnSquares(QRect r, const std::function<void(Bitmap& square, int dx)>& op);
  // Of a surface over a base: one pixel at (x, y) of its own rows, inside it.
  void SetOwnPixel(int x, int y, std::uint32_t word);
  // The base copied over rect r of its own rows: squares that show the
  // base again wherever they were drawn into let their pixels go.
  void ShowBaseIn(QRect r);

 private:
  struct OverlayData {
    const Bitmap* base = nullptr;
    QSize size;
    int columns = 0, rows = 0;
    std::vector<QImage> squares;  // row by row; null where the base shows
    // Of each square, the part drawn into since it last showed the base
    // there (the rest of it holds the base's pixels).
    std::vector<QRect> drawn;
  };
  // Grows with every change of what the surface shows (its base's too).
  std::uint64_t Version() const {
    return version_ + (overlay_ && overlay_->base ? overlay_->base->Version() : 0);
  }
  // What the base shows under count pixels from (x, y) of an overlay's rows.
  void BaseRow(int x, int y, int count, std::uint32_t* out) const;
  void Compose() const;
  void PaintBase(QPainter& painter, QRect r) const;
  void PaintPlain(QPainter& painter, QRect r) const;
  void CopyBase(QRect r, std::uint32_t* out, std::ptrdiff_t stride) const;
  // Of a surface over a base, what it shows in r (caller coordinates):
  // own(square, part, at) for the part (its own pixels) of each square that
  // holds pixels, which shows at point at; base(part) for each run of the
  // base's between them (caller coordinates).
  template <typename Own, typename Base>
  void ForEachPart(QRect r, const Own& own, const Base& base) const;
  void LayOutSquares(QSize size);
  // Of a base over a base of its own laid on the same rows: its square there
  // (null where it shows its own base); nullptr for any other base.
  const QImage* AlignedBaseSquare(int column, int row) const;
  // A square's pixels, made from the base where it had none.
  QImage& Square(int column, int row);

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
  std::unique_ptr<OverlayData> overlay_;
  mutable std::uint64_t version_ = 0;
  // The version Image() of a surface over a base was made at.
  mutable std::uint64_t composed_at_ = 0;
  int y_offset_ = 0;
  bool transparent_ = false;
  Colour transparent_colour_ = kWhite;
};

}  // namespace tw::gfx
