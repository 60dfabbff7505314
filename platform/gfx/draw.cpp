#include "platform/gfx/draw.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tw::gfx {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

bool Is32Bit(const QImage& image) {
  return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
}

// Every surface is kept at 32 bits per pixel so the loops below can work on
// whole words.
void Prepare(Bitmap& b) {
  QImage& image = b.Image();
  if (!image.isNull() && !Is32Bit(image)) image = image.convertToFormat(QImage::Format_RGB32);
}

QImage SourceImage(const Bitmap& b) {
  const QImage& image = b.Image();
  return Is32Bit(image) ? image : image.convertToFormat(QImage::Format_RGB32);
}

// A copy clipped to both surfaces, in their own pixel rows.
struct Span {
  int tx, ty, sx, sy, w, h;
};

bool Clip(QSize target, int x, int y, QSize source, int sx, int sy, int w, int h, Span& out) {
  if (w <= 0 || h <= 0) return false;
  if (x < 0) {
    sx -= x;
    w += x;
    x = 0;
  }
  if (y < 0) {
    sy -= y;
    h += y;
    y = 0;
  }
  if (sx < 0) {
    x -= sx;
    w += sx;
    sx = 0;
  }
  if (sy < 0) {
    y -= sy;
    h += sy;
    sy = 0;
  }
  w = std::min({w, target.width() - x, source.width() - sx});
  h = std::min({h, target.height() - y, source.height() - sy});
  if (w <= 0 || h <= 0) return false;
  out = {x, y, sx, sy, w, h};
  return true;
}

QSize SizeOf(const Bitmap& b) { return QSize(b.Width(), b.Height()); }

bool ClipRect(const Bitmap& b, QRect& r) {
  r = r.intersected(QRect(QPoint(0, 0), SizeOf(b)));
  return !r.isEmpty();
}

std::uint32_t* Row(QImage& image, int y) {
  return reinterpret_cast<std::uint32_t*>(image.scanLine(y));
}
const std::uint32_t* Row(const QImage& image, int y) {
  return reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
}

// dst = src | fill over n words, four at a time where the compiler can.
void CopyRow(std::uint32_t* dst, const std::uint32_t* src, int n, std::uint32_t fill) {
#if defined(__GNUC__)
  using Words = std::uint32_t __attribute__((vector_size(16)));
  const Words f = {fill, fill, fill, fill};
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    Words v;
    std::memcpy(&v, src + i, sizeof v);
    v |= f;
    std::memcpy(dst + i, &v, sizeof v);
  }
  for (; i < n; ++i) dst[i] = src[i] | fill;
#else
  for (int i = 0; i < n; ++i) dst[i] = src[i] | fill;
#endif
}

// The key of a transparent copy or brush copy, in image words.
std::uint32_t KeyWord(Colour key) { return ToQRgb(key) & kRgbMask; }

enum class Mode { kCopy, kTransparent, kBrush };

void Transfer(Bitmap& target, int x, int y, int w, int h, const Bitmap& source, int sx, int sy,
              Mode mode, Colour key, Colour brush) {
  if (target.Empty() || source.Empty()) return;
  if (source.Overlay() || target.Overlay()) {
    Span c;
    if (!Clip(SizeOf(target), x, y + target.YOffset(), SizeOf(source), sx, sy + source.YOffset(),
              w, h, c))
      return;
    // Caller coordinates of the clipped rectangle on either side.
    const int cx = c.tx, cy = c.ty - target.YOffset();
    const int csx = c.sx, csy = c.sy - source.YOffset();
    const QRect own(c.tx, c.ty, c.w, c.h);
    if (mode == Mode::kCopy && &source == target.OverlayBase() && cx == csx && cy == csy) {
      target.ShowBaseIn(own);
      return;
    }
    if (source.Overlay()) {
      // What it shows there, a band of rows at a time; a copy onto itself
      // takes it all first, so overlapping rectangles move whole.
      const int band = &source == &target ? c.h : std::max(1, Bitmap::kBandWords / c.w);
      for (int top = 0; top < c.h; top += band) {
        const int rows = std::min(band, c.h - top);
        QImage shown(c.w, rows, QImage::Format_RGB32);
        for (int row = 0; row < rows; ++row)
          source.ReadRow(c.sx, c.sy + top + row, c.w,
                         reinterpret_cast<std::uint32_t*>(shown.scanLine(row)));
        Transfer(target, cx, cy + top, c.w, rows, Bitmap(std::move(shown)), 0, 0, mode, key,
                 brush);
      }
      return;
    }
    target.DrawOnSquares(own, [&](Bitmap& square, int dx) {
      Transfer(square, cx + dx, cy, c.w, c.h, source, csx, csy, mode, key, brush);
    });
    return;
  }
  // Makes the target's pixels, and so the source's when they are the same.
  Prepare(target);
  QImage& t = target.Image();
  Span c;
  if (!Clip(t.size(), x, y + target.YOffset(), SizeOf(source), sx, sy + source.YOffset(), w, h, c))
    return;
  // A plain source gives its rows one at a time.
  std::vector<std::uint32_t> plain;
  QImage s, snapshot;
  const QImage* from = nullptr;
  int fx = c.sx, fy = c.sy;
  if (source.Plain()) {
    plain.resize(static_cast<size_t>(c.w));
  } else {
    s = SourceImage(source);
    from = &s;
    // A copy onto the same surface reads from a snapshot, so overlapping
    // rectangles move whole.
    if (&target == &source) {
      snapshot = s.copy(c.sx, c.sy, c.w, c.h);
      from = &snapshot;
      fx = fy = 0;
    }
  }
  const std::uint32_t fill = t.format() == QImage::Format_RGB32 ? kOpaque : 0;
  const std::uint32_t k = KeyWord(key);
  const std::uint32_t b = ToQRgb(brush) | kOpaque;
  // Rows by their stride: a row's address asked of the image each time
  // costs more than a narrow row's copy.
  std::uint32_t* const dstTop = Row(t, c.ty) + c.tx;
  const qsizetype dstStride = t.bytesPerLine() / 4;
  const std::uint32_t* const srcTop = from ? Row(*from, fy) + fx : nullptr;
  const qsizetype srcStride = from ? from->bytesPerLine() / 4 : 0;
  for (int row = 0; row < c.h; ++row) {
    const std::uint32_t* src = plain.data();
    if (from)
      src = srcTop + row * srcStride;
    else
      source.PlainRow(c.sx, c.sy + row, c.w, plain.data());
    std::uint32_t* dst = dstTop + row * dstStride;
    switch (mode) {
      case Mode::kCopy:
        CopyRow(dst, src, c.w, fill);
        break;
      case Mode::kTransparent:
        for (int i = 0; i < c.w; ++i)
          if ((src[i] & kRgbMask) != k) dst[i] = src[i] | fill;
        break;
      case Mode::kBrush:
        for (int i = 0; i < c.w; ++i) dst[i] = (src[i] & kRgbMask) == k ? b : (src[i] | fill);
        break;
    }
  }
}

// Local shift of a rectangle into a surface's own rows.
QRect Own(const Bitmap& b, QRect r) { return r.translated(0, b.YOffset()); }

std::uint8_t Channel(Colour c, int shift) {
  return static_cast<std::uint8_t>((ToQRgb(c) >> shift) & 0xFF);
}

QString FromSingleByte(const std::string& text) {
  // Windows-1252 differs from Latin-1 only in 0x80..0x9F.
  static constexpr std::array<char16_t, 32> kHigh = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  QString out;
  out.reserve(static_cast<qsizetype>(text.size()));
  for (unsigned char ch : text)
    out.append(ch >= 0x80 && ch < 0xA0 ? QChar(kHigh[ch - 0x80]) : QChar(ch));
  return out;
}

QFont MakeFont(const Font& font) {
  std::string family = font.family;
  std::transform(family.begin(), family.end(), family.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  QString qt_family = QString::fromStdString(font.family);
  if (family == "ms sans serif" || family == "arial" || family == "tahoma" || family == "verdana" ||
      family == "ms shell dlg" || family.empty())
    qt_family = QStringLiteral("DejaVu Sans");
  else if (family == "times new roman" || family == "ms serif")
    qt_family = QStringLiteral("DejaVu Serif");
  else if (family == "courier new" || family == "courier")
    qt_family = QStringLiteral("DejaVu Sans Mono");
  QFont f(qt_family);
  // Point sizes are meant at 96 dots per inch.
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.points * 96.0 / 72.0))));
  f.setBold(font.bold);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

}  // namespace

void Copy(Bitmap& target, int x, int y, int w, int h, const Bitmap& source, int sx, int sy) {
  Transfer(target, x, y, w, h, source, sx, sy, Mode::kCopy, 0, 0);
}

void Draw(Bitmap& target, int x, int y, const Bitmap& source) {
  if (source.Transparent())
    CopyTransparent(target, x, y, source.Width(), source.Height(), source, 0, -source.YOffset(),
                    source.TransparentColour());
  else
    Copy(target, x, y, source.Width(), source.Height(), source, 0, -source.YOffset());
}

void CopyTransparent(Bitmap& target, int x, int y, int w, int h, const Bitmap& source, int sx,
                     int sy, Colour key) {
  Transfer(target, x, y, w, h, source, sx, sy, Mode::kTransparent, key, 0);
}

void BrushCopy(Bitmap& target, int x, int y, int w, int h, const Bitmap& source, int sx, int sy,
               Colour key, Colour brush) {
  Transfer(target, x, y, w, h, source, sx, sy, Mode::kBrush, key, brush);
}

void StretchCopy(Bitmap& target, QRect to, const Bitmap& source, QRect from) {
  if (target.Empty() || source.Empty() || to.isEmpty() || from.isEmpty()) return;
  if (target.Overlay()) {
    target.DrawOnSquares(Own(target, to), [&](Bitmap& square, int dx) {
      StretchCopy(square, to.translated(dx, 0), source, from);
    });
    return;
  }
  Prepare(target);
  const QImage part = SourceImage(source).copy(Own(source, from));
  QPainter p(&target.Image());
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(Own(target, to), part);
}

void InvertRect(Bitmap& target, QRect r) {
  if (target.Empty()) return;
  const QRect caller = r;
  r = Own(target, r);
  if (!ClipRect(target, r)) return;
  if (target.Overlay()) {
    target.DrawOnSquares(r, [&](Bitmap& square, int dx) {
      InvertRect(square, caller.translated(dx, 0));
    });
    return;
  }
  Prepare(target);
  QImage& t = target.Image();
  for (int y = r.top(); y <= r.bottom(); ++y) {
    std::uint32_t* row = Row(t, y);
    for (int x = r.left(); x <= r.right(); ++x) row[x] ^= kRgbMask;
  }
}

void FillRect(Bitmap& target, QRect r, Colour colour) {
  if (target.Empty()) return;
  const QRect caller = r;
  r = Own(target, r);
  if (!ClipRect(target, r)) return;
  if (target.Overlay()) {
    target.DrawOnSquares(r, [&](Bitmap& square, int dx) {
      FillRect(square, caller.translated(dx, 0), colour);
    });
    return;
  }
  // A plain surface filled whole stays plain.
  if (target.Plain() && r.size() == SizeOf(target)) {
    target.Fill(colour);
    return;
  }
  Prepare(target);
  QImage& t = target.Image();
  const std::uint32_t word = ToQRgb(colour) | kOpaque;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    std::uint32_t* row = Row(t, y);
    std::fill(row + r.left(), row + r.right() + 1, word);
  }
}

void FrameRect(Bitmap& target, QRect r, Colour colour) {
  if (r.isEmpty()) return;
  FillRect(target, QRect(r.left(), r.top(), r.width(), 1), colour);
  FillRect(target, QRect(r.left(), r.bottom(), r.width(), 1), colour);
  FillRect(target, QRect(r.left(), r.top(), 1, r.height()), colour);
  FillRect(target, QRect(r.right(), r.top(), 1, r.height()), colour);
}

Colour GetPixel(const Bitmap& surface, int x, int y) {
  y += surface.YOffset();
  if (surface.Empty() || x < 0 || y < 0 || x >= surface.Width() || y >= surface.Height())
    return kInvalidColour;
  if (surface.Plain() || surface.Overlay()) {
    std::uint32_t word = 0;
    surface.ReadRow(x, y, 1, &word);
    return FromQRgb(word);
  }
  return FromQRgb(surface.Image().pixel(x, y));
}

void SetPixel(Bitmap& surface, int x, int y, Colour colour) {
  y += surface.YOffset();
  if (surface.Empty() || x < 0 || y < 0 || x >= surface.Width() || y >= surface.Height()) return;
  if (surface.Overlay()) {
    surface.SetOwnPixel(x, y, ToQRgb(colour) | kOpaque);
    return;
  }
  Prepare(surface);
  Row(surface.Image(), y)[x] = ToQRgb(colour) | kOpaque;
}

void FillGradient(Bitmap& target, QRect r, Colour top, Colour bottom) {
  if (r.isEmpty()) return;
  const int h = r.height();
  int c0[3], diff[3];
  for (int k = 0; k < 3; ++k) {
    c0[k] = Channel(top, 16 - 8 * k);
    diff[k] = Channel(bottom, 16 - 8 * k) - c0[k];
  }
  for (int i = 0; i < 256; ++i) {
    const int y0 = r.top() + i * h / 256;
    const int y1 = r.top() + (i + 1) * h / 256;
    if (y1 <= y0) continue;
    const int red = c0[0] + i * diff[0] / 256;
    const int green = c0[1] + i * diff[1] / 256;
    const int blue = c0[2] + i * diff[2] / 256;
    FillRect(target, QRect(r.left(), y0, r.width(), y1 - y0), Rgb(red, green, blue));
  }
}

void Tile(Bitmap& target, QRect area, const Bitmap& picture) {
  const int w = picture.Width(), h = picture.Height();
  if (w < 1 || h < 1 || target.Empty()) return;
  // Only tiles that reach the surface matter.
  const QRect visible = area.intersected(target.Bounds());
  if (visible.isEmpty()) return;
  const int first_col = (visible.left() - area.left()) / w;
  const int first_row = (visible.top() - area.top()) / h;
  // Tiles start at every multiple of the picture size up to and including the
  // area's width and height.
  const QRect surface = target.Bounds();
  const int last_x = std::min(area.left() + area.width(), surface.right());
  const int last_y = std::min(area.top() + area.height(), surface.bottom());
  for (int y = area.top() + first_row * h; y <= last_y; y += h)
    for (int x = area.left() + first_col * w; x <= last_x; x += w)
      Copy(target, x, y, w, h, picture, 0, -picture.YOffset());
}

void TextOut(Bitmap& target, int x, int y, const std::string& text, const Font& font,
             Colour background) {
  if (target.Empty()) return;
  const QFont f = MakeFont(font);
  const QFontMetrics fm(f);
  const QString s = FromSingleByte(text);
  const int top = y + target.YOffset();
  // Glyphs may reach a little beyond the advance and the line.
  const QRect ink(x - fm.height(), top - fm.height(), fm.horizontalAdvance(s) + 2 * fm.height(),
                  3 * fm.height());
  if (target.Overlay()) {
    target.DrawOnSquares(ink, [&](Bitmap& square, int dx) {
      TextOut(square, x + dx, y, text, font, background);
    });
    return;
  }
  Prepare(target);
  QPainter p(&target.Image());
  if (background != kInvalidColour)
    p.fillRect(QRect(x, top, fm.horizontalAdvance(s), fm.height()),
               QColor::fromRgb(ToQRgb(background)));
  p.setFont(f);
  p.setPen(QColor::fromRgb(ToQRgb(font.colour)));
  p.drawText(QPoint(x, top + fm.ascent()), s);
}

QSize TextExtent(const std::string& text, const Font& font) {
  const QFontMetrics fm(MakeFont(font));
  return QSize(fm.horizontalAdvance(FromSingleByte(text)), fm.height());
}

}  // namespace tw::gfx
