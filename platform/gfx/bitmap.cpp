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

Bitmap::Bitmap(QImage image) : image_(std::move(image)) {
  if (image_.isNull()) return;
  const auto format = image_.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
  if (image_.format() != format) image_ = image_.convertToFormat(format);
}

void Bitmap::SetSize(int width, int height) {
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
  const QSize size(Width(), Height());
  image_ = QImage();
  plain_ = PlainFill{OneColour(ToQRgb(colour) | kOpaque), 0, 0, size, size};
}

void Bitmap::FillTiled(const Bitmap& tile, int x0, int y0) {
  if (Empty() || tile.Empty()) return;
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
    int col = Wrap(x - p.x0, tw);
    for (int i = 0; i < inside; ++i) {
      out[i] = row[col];
      if (++col == tw) col = 0;
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
  if (plain_) MakePixels();
  return image_;
}

QImage& Bitmap::Image() {
  if (plain_) MakePixels();
  return image_;
}

}  // namespace tw::gfx
