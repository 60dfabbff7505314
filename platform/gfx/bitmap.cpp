#include "platform/gfx/bitmap.h"

#include <QPainter>
#include <algorithm>

namespace tw::gfx {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kWhiteWord = 0xFFFFFFFFu;

int Wrap(int v, int n) {
  const int m = v % n;
  return m < 0 ? m + n : m;
}

QImage OneColour(std::uint32_t word) {
  QImage tile(1, 1, QImage::Format_RGB32);
  tile.fill(word);
  return tile;
}

}  // namespace

Bitmap::Bitmap(int width, int height) { SetSize(width, height); }

Bitmap::Bitmap(const Bitmap& other) { *this = other; }

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this == &other) return *this;
  ++version_;
  overlay_.reset();
  if (other.overlay_) {
    other.Compose();
    image_ = other.image_;
    plain_.reset();
  } else {
    image_ = other.image_;
    plain_ = other.plain_;
  }
  y_offset_ = other.y_offset_;
  transparent_ = other.transparent_;
  transparent_colour_ = other.transparent_colour_;
  return *this;
}

Bitmap::Bitmap(Bitmap&&) noexcept = default;
Bitmap& Bitmap::operator=(Bitmap&&) noexcept = default;
Bitmap::~Bitmap() = default;

Bitmap::Bitmap(QImage image) : image_(std::move(image)) {
  if (image_.isNull()) return;
  const auto format = image_.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
  if (image_.format() != format) image_ = image_.convertToFormat(format);
}

void Bitmap::SetSize(int width, int height) {
  ++version_;
  if (overlay_) {
    LayOutSquares(width > 0 && height > 0 ? QSize(width, height) : QSize());
    return;
  }
  if (width <= 0 || height <= 0) {
    image_ = QImage();
    plain_.reset();
    return;
  }
  if (width == Width() && height == Height()) return;
  if (Empty()) {
    plain_ = PlainFill{OneColour(kWhiteWord), 0, 0, QSize(width, height), QSize(width, height)};
    return;
  }
  if (plain_) {
    plain_->size = QSize(width, height);
    plain_->area = plain_->area.boundedTo(plain_->size);
    return;
  }
  QImage grown(width, height, image_.format());
  grown.fill(Qt::white);
  QPainter p(&grown);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(0, 0, image_);
  p.end();
  image_ = std::move(grown);
}

void Bitmap::Fill(Colour colour) {
  if (Empty()) return;
  ++version_;
  if (overlay_) {
    const QRgb word = ToQRgb(colour) | kOpaque;
    DrawOnSquares(QRect(QPoint(0, 0), Size()), [word](Bitmap& square, int) {
      square.Image().fill(word);
    });
    return;
  }
  const QSize size(Width(), Height());
  image_ = QImage();
  plain_ = PlainFill{OneColour(ToQRgb(colour) | kOpaque), 0, 0, size, size};
}

void Bitmap::FillTiled(const Bitmap& tile, int x0, int y0) {
  if (Empty() || tile.Empty()) return;
  ++version_;
  if (overlay_) {
    // The tiled surface, then copied square by square.
    Bitmap tiled(Width(), Height());
    tiled.FillTiled(tile, x0, y0);
    DrawOnSquares(QRect(QPoint(0, 0), Size()), [this, &tiled](Bitmap& square, int dx) {
      QImage& img = square.Image();
      const int ox = -dx, oy = y_offset_ - square.YOffset();
      for (int y = 0; y < img.height() && oy + y < Height(); ++y)
        tiled.ReadRow(ox, oy + y, std::min(img.width(), Width() - ox),
                      reinterpret_cast<std::uint32_t*>(img.scanLine(y)));
    });
    return;
  }
  // The words a copy onto an opaque surface would give.
  const QImage& from = tile.Image();
  const QImage words = from.format() == QImage::Format_RGB32 || from.format() == QImage::Format_ARGB32
                           ? from
                           : from.convertToFormat(QImage::Format_RGB32);
  QImage opaque(words.size(), QImage::Format_RGB32);
  for (int y = 0; y < words.height(); ++y) {
    const auto* src = reinterpret_cast<const std::uint32_t*>(words.constScanLine(y));
    auto* dst = reinterpret_cast<std::uint32_t*>(opaque.scanLine(y));
    for (int x = 0; x < words.width(); ++x) dst[x] = src[x] | kOpaque;
  }
  const QSize size(Width(), Height());
  image_ = QImage();
  plain_ = PlainFill{std::move(opaque), x0, y0, size, size};
}

void Bitmap::PlainRow(int x, int y, int count, std::uint32_t* out) const {
  const PlainFill& p = *plain_;
  const int inside = y < p.area.height() ? std::clamp(p.area.width() - x, 0, count) : 0;
  if (inside > 0) {
    const int tw = p.tile.width();
    const auto* row = reinterpret_cast<const std::uint32_t*>(
        p.tile.constScanLine(Wrap(y - p.y0, p.tile.height())));
    if (tw == 1) {
      std::fill(out, out + inside, row[0]);
    } else {
      // Whole runs of the tile's row at a time.
      int col = Wrap(x - p.x0, tw);
      for (int i = 0; i < inside;) {
        const int n = std::min(inside - i, tw - col);
        std::copy(row + col, row + col + n, out + i);
        i += n;
        col = 0;
      }
    }
  }
  std::fill(out + inside, out + count, kWhiteWord);
}

void Bitmap::MakePixels() const {
  const PlainFill& p = *plain_;
  QImage image(p.size, QImage::Format_RGB32);
  if (p.tile.size() == QSize(1, 1) && p.area == p.size) {
    image.fill(p.tile.pixel(0, 0));
  } else {
    for (int y = 0; y < p.size.height(); ++y)
      PlainRow(0, y, p.size.width(), reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
  }
  image_ = std::move(image);
  plain_.reset();
}

const QImage& Bitmap::Image() const {
  if (overlay_) Compose();
  if (plain_) MakePixels();
  return image_;
}

QImage& Bitmap::Image() {
  // Of a surface over a base, a picture for reading: writing into it changes
  // nothing shown.
  if (overlay_) {
    Compose();
    return image_;
  }
  ++version_;
  if (plain_) MakePixels();
  return image_;
}

void Bitmap::ReadRow(int x, int y, int count, std::uint32_t* out) const {
  if (count <= 0) return;
  if (plain_) {
    PlainRow(x, y, count, out);
    return;
  }
  if (!overlay_) {
    const QImage& image = Image();
    const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y)) + x;
    std::copy(row, row + count, out);
    return;
  }
  const OverlayData& o = *overlay_;
  const int row = y / kSquare;
  while (count > 0) {
    const int column = x / kSquare;
    const int n = std::min(count, (column + 1) * kSquare - x);
    const QImage& square = o.squares[static_cast<size_t>(row * o.columns + column)];
    if (!square.isNull()) {
      const auto* from =
          reinterpret_cast<const std::uint32_t*>(square.constScanLine(y - row * kSquare)) +
          (x - column * kSquare);
      std::copy(from, from + n, out);
    } else {
      BaseRow(x, y, n, out);
    }
    x += n;
    out += n;
    count -= n;
  }
}

void Bitmap::BaseRow(int x, int y, int count, std::uint32_t* out) const {
  const Bitmap* base = overlay_->base;
  // The base's own row under this one, and how much of the row it covers.
  const int by = y - y_offset_ + (base ? base->YOffset() : 0);
  const bool inBase = base && by >= 0 && by < base->Height();
  const int inside = inBase ? std::clamp(base->Width() - x, 0, count) : 0;
  if (inside > 0) base->ReadRow(x, by, inside, out);
  std::fill(out + inside, out + count, kWhiteWord);
}

void Bitmap::PaintTo(QPainter& painter, QRect r) const {
  r = r.intersected(Bounds());
  if (r.isEmpty()) return;
  if (plain_) {
    PaintPlain(painter, r);
    return;
  }
  if (!overlay_) {
    painter.drawImage(r.topLeft(), Image(), r.translated(0, y_offset_));
    return;
  }
  ForEachPart(
      r,
      [&](const QImage& square, QRect part, QPoint at) { painter.drawImage(at, square, part); },
      [&](QRect under) { PaintBase(painter, under); });
}

template <typename Own, typename Base>
void Bitmap::ForEachPart(QRect r, const Own& own, const Base& base) const {
  // Row by row of squares: each square's own pixels, and between them the
  // base, a run of squares at a time.
  const OverlayData& o = *overlay_;
  const QRect rows = r.translated(0, y_offset_);
  const int last = rows.right() / kSquare;
  for (int row = rows.top() / kSquare; row <= rows.bottom() / kSquare; ++row) {
    const int top = std::max(rows.top(), row * kSquare);
    const int bottom = std::min(rows.bottom(), row * kSquare + kSquare - 1);
    int run = -1;  // where the base's run began
    for (int column = rows.left() / kSquare; column <= last + 1; ++column) {
      // Past the last square the run ends where r does.
      const int left = column <= last ? std::max(rows.left(), column * kSquare) : rows.right() + 1;
      const QImage* square =
          column <= last ? &o.squares[static_cast<size_t>(row * o.columns + column)] : nullptr;
      if (square && square->isNull()) {
        if (run < 0) run = left;
        continue;
      }
      if (run >= 0) {
        base(QRect(QPoint(run, top - y_offset_), QPoint(left - 1, bottom - y_offset_)));
        run = -1;
      }
      if (!square) break;
      const int right = std::min(rows.right(), column * kSquare + kSquare - 1);
      own(*square,
          QRect(left - column * kSquare, top - row * kSquare, right - left + 1, bottom - top + 1),
          QPoint(left, top - y_offset_));
    }
  }
}

void Bitmap::CopyTo(QRect r, std::uint32_t* out, std::ptrdiff_t stride) const {
  if (r.isEmpty()) return;
  const QRect own = r.translated(0, y_offset_);
  const int w = r.width();
  if (plain_) {
    for (int y = own.top(); y <= own.bottom(); ++y, out += stride) PlainRow(own.left(), y, w, out);
    return;
  }
  if (!overlay_) {
    const QImage& image = Image();
    const qsizetype from = image.bytesPerLine() / 4;
    const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(own.top())) +
                      own.left();
    for (int j = 0; j < own.height(); ++j, row += from, out += stride) std::copy(row, row + w, out);
    return;
  }
  // The word of a point (caller coordinates) of r.
  auto at = [&](QPoint p) { return out + (p.y() - r.top()) * stride + (p.x() - r.left()); };
  ForEachPart(
      r,
      [&](const QImage& square, QRect part, QPoint to) {
        const qsizetype from = square.bytesPerLine() / 4;
        const auto* line =
            reinterpret_cast<const std::uint32_t*>(square.constScanLine(part.top())) + part.left();
        std::uint32_t* row = at(to);
        for (int j = 0; j < part.height(); ++j, line += from, row += stride)
          std::copy(line, line + part.width(), row);
      },
      [&](QRect under) { CopyBase(under, at(under.topLeft()), stride); });
}

void Bitmap::CopyBase(QRect r, std::uint32_t* out, std::ptrdiff_t stride) const {
  // The base where it reaches (both take the same caller coordinates), white
  // beyond it.
  const Bitmap* base = overlay_->base;
  const QRect under = base ? r.intersected(base->Bounds()) : QRect();
  if (!under.isEmpty())
    base->CopyTo(under, out + (under.top() - r.top()) * stride + (under.left() - r.left()), stride);
  if (under == r) return;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    std::uint32_t* line = out + (y - r.top()) * stride;
    if (under.isEmpty() || y < under.top() || y > under.bottom()) {
      std::fill(line, line + r.width(), kWhiteWord);
      continue;
    }
    std::fill(line, line + (under.left() - r.left()), kWhiteWord);
    std::fill(line + (under.right() + 1 - r.left()), line + r.width(), kWhiteWord);
  }
}

void Bitmap::PaintBase(QPainter& painter, QRect r) const {
  // The base where it reaches (both take the same caller coordinates), white
  // beyond it.
  const Bitmap* base = overlay_->base;
  const QRect under = base ? r.intersected(base->Bounds()) : QRect();
  if (!under.isEmpty()) base->PaintTo(painter, under);
  if (under == r) return;
  for (const QRect& w : QRegion(r) - QRegion(under)) painter.fillRect(w, Qt::white);
}

void Bitmap::PaintPlain(QPainter& painter, QRect r) const {
  // The colour, or the tile repeated from its origin, over the part the
  // fill covers; white beyond it.
  const PlainFill& p = *plain_;
  const QRect filled = r.intersected(QRect(0, -y_offset_, p.area.width(), p.area.height()));
  if (!filled.isEmpty()) {
    if (p.tile.size() == QSize(1, 1)) {
      painter.fillRect(filled, QColor::fromRgb(p.tile.pixel(0, 0)));
    } else {
      // A band of rows at a time, small enough for the heap to hand the same
      // memory back every time (a brush of a narrow tile paints far slower).
      const int rows = std::clamp(kBandWords / filled.width(), 1, filled.height());
      QImage band(filled.width(), rows, QImage::Format_RGB32);
      for (int top = filled.top(); top <= filled.bottom(); top += rows) {
        const int n = std::min(rows, filled.bottom() + 1 - top);
        for (int j = 0; j < n; ++j)
          PlainRow(filled.left(), top + j + y_offset_, filled.width(),
                   reinterpret_cast<std::uint32_t*>(band.scanLine(j)));
        painter.drawImage(QPoint(filled.left(), top), band, QRect(0, 0, filled.width(), n));
      }
    }
  }
  if (filled == r) return;
  for (const QRect& w : QRegion(r) - QRegion(filled)) painter.fillRect(w, Qt::white);
}

void Bitmap::ShowOver(const Bitmap* base) {
  const QSize size = Size();
  image_ = QImage();
  plain_.reset();
  ++version_;
  overlay_ = std::make_unique<OverlayData>();
  overlay_->base = base;
  LayOutSquares(size);
}

void Bitmap::LayOutSquares(QSize size) {
  OverlayData& o = *overlay_;
  const int columns = size.isEmpty() ? 0 : (size.width() + kSquare - 1) / kSquare;
  const int rows = size.isEmpty() ? 0 : (size.height() + kSquare - 1) / kSquare;
  std::vector<QImage> squares(static_cast<size_t>(columns * rows));
  std::vector<QRect> drawn(squares.size());
  // Squares still inside keep their pixels.
  for (int row = 0; row < std::min(rows, o.rows); ++row)
    for (int column = 0; column < std::min(columns, o.columns); ++column) {
      const size_t to = static_cast<size_t>(row * columns + column);
      const size_t from = static_cast<size_t>(row * o.columns + column);
      squares[to] = std::move(o.squares[from]);
      drawn[to] = o.drawn[from];
    }
  o.squares = std::move(squares);
  o.drawn = std::move(drawn);
  o.columns = columns;
  o.rows = rows;
  o.size = size.isEmpty() ? QSize() : size;
  image_ = QImage();
  ++version_;
}

int Bitmap::OwnSquares() const {
  if (!overlay_) return 0;
  return static_cast<int>(std::count_if(overlay_->squares.begin(), overlay_->squares.end(),
                                        [](const QImage& q) { return !q.isNull(); }));
}

QImage& Bitmap::Square(int column, int row) {
  OverlayData& o = *overlay_;
  QImage& square = o.squares[static_cast<size_t>(row * o.columns + column)];
  if (square.isNull()) {
    const int x = column * kSquare, y = row * kSquare;
    // A base over a base of its own, laid on the same rows: its square, or
    // what lies under it there.
    const Bitmap* base = o.base;
    const QImage* under = AlignedBaseSquare(column, row);
    if (under && !under->isNull()) {
      square = *under;  // shared until drawn into
    } else {
      // Read while the square is still null, so the base serves it.
      QImage made(kSquare, kSquare, QImage::Format_RGB32);
      const int w = std::min(kSquare, o.size.width() - x);
      for (int j = 0; j < kSquare; ++j) {
        auto* line = reinterpret_cast<std::uint32_t*>(made.scanLine(j));
        const bool inside = y + j < o.size.height();
        if (inside && under) {
          base->BaseRow(x, y + j, w, line);
        } else if (inside) {
          ReadRow(x, y + j, w, line);
        }
        std::fill(line + (inside ? w : 0), line + kSquare, kWhiteWord);
      }
      square = std::move(made);
    }
    o.drawn[static_cast<size_t>(row * o.columns + column)] = QRect();
  }
  return square;
}

const QImage* Bitmap::AlignedBaseSquare(int column, int row) const {
  const Bitmap* base = overlay_->base;
  if (!base || !base->overlay_ || base->y_offset_ != y_offset_) return nullptr;
  const OverlayData& b = *base->overlay_;
  if (column >= b.columns || row >= b.rows) return nullptr;
  return &b.squares[static_cast<size_t>(row * b.columns + column)];
}

void Bitmap::SetOwnPixel(int x, int y, std::uint32_t word) {
  const int column = x / kSquare, row = y / kSquare;
  QImage& square = Square(column, row);
  reinterpret_cast<std::uint32_t*>(square.scanLine(y - row * kSquare))[x - column * kSquare] = word;
  overlay_->drawn[static_cast<size_t>(row * overlay_->columns + column)] |= QRect(x, y, 1, 1);
  image_ = QImage();
  ++version_;
}

void Bitmap::DrawOnSquares(QRect r, const std::function<void(Bitmap&, int)>& op) {
  if (!overlay_) return;
  r = r.intersected(QRect(QPoint(0, 0), overlay_->size));
  if (r.isEmpty()) return;
  image_ = QImage();
  ++version_;
  Bitmap square;
  for (int row = r.top() / kSquare; row <= r.bottom() / kSquare; ++row)
    for (int column = r.left() / kSquare; column <= r.right() / kSquare; ++column) {
      QImage& pixels = Square(column, row);
      square.image_ = std::move(pixels);
      square.y_offset_ = y_offset_ - row * kSquare;
      op(square, -column * kSquare);
      pixels = std::move(square.image_);
      QRect& drawn = overlay_->drawn[static_cast<size_t>(row * overlay_->columns + column)];
      drawn |= r.intersected(QRect(column * kSquare, row * kSquare, kSquare, kSquare));
    }
}

namespace {

// The smallest rectangle holding what of a lies outside r.
QRect Outside(QRect a, QRect r) {
  const QRect both = a.intersected(r);
  if (both.isEmpty()) return a;
  if (both == a) return QRect();
  if (both.top() == a.top() && both.bottom() == a.bottom()) {
    if (both.left() == a.left()) a.setLeft(both.right() + 1);
    else if (both.right() == a.right()) a.setRight(both.left() - 1);
  } else if (both.left() == a.left() && both.right() == a.right()) {
    if (both.top() == a.top()) a.setTop(both.bottom() + 1);
    else if (both.bottom() == a.bottom()) a.setBottom(both.top() - 1);
  }
  return a;
}

}  // namespace

void Bitmap::ShowBaseIn(QRect r) {
  if (!overlay_) return;
  OverlayData& o = *overlay_;
  r = r.intersected(QRect(QPoint(0, 0), o.size));
  if (r.isEmpty()) return;
  image_ = QImage();
  ++version_;
  for (int row = r.top() / kSquare; row <= r.bottom() / kSquare; ++row)
    for (int column = r.left() / kSquare; column <= r.right() / kSquare; ++column) {
      QImage& square = o.squares[static_cast<size_t>(row * o.columns + column)];
      if (square.isNull()) continue;
      const QRect whole =
          QRect(column * kSquare, row * kSquare, kSquare, kSquare).intersected(
              QRect(QPoint(0, 0), o.size));
      if (r.contains(whole)) {
        square = QImage();
        continue;
      }
      // Part of the square: let go when no drawing is left in it, else the
      // base's rows copied into that part.
      QRect& drawn = o.drawn[static_cast<size_t>(row * o.columns + column)];
      drawn = Outside(drawn, r);
      if (drawn.isEmpty()) {
        square = QImage();
        continue;
      }
      const QRect part = whole.intersected(r);
      const int left = part.left() - column * kSquare;
      const QImage* under = AlignedBaseSquare(column, row);
      for (int y = part.top(); y <= part.bottom(); ++y) {
        auto* to = reinterpret_cast<std::uint32_t*>(square.scanLine(y - row * kSquare)) + left;
        if (under && !under->isNull()) {
          const auto* from =
              reinterpret_cast<const std::uint32_t*>(under->constScanLine(y - row * kSquare)) +
              left;
          std::copy(from, from + part.width(), to);
        } else if (under) {
          o.base->BaseRow(part.left(), y, part.width(), to);
        } else {
          BaseRow(part.left(), y, part.width(), to);
        }
      }
    }
}

void Bitmap::Compose() const {
  const QSize size = overlay_->size;
  if (size.isEmpty()) {
    image_ = QImage();
    return;
  }
  const std::uint64_t version = Version();
  if (!image_.isNull() && composed_at_ == version) return;
  composed_at_ = version;
  QImage image(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y)
    ReadRow(0, y, size.width(), reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
  image_ = std::move(image);
}

}  // namespace tw::gfx
