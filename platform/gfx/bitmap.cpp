#include "platform/gfx/bitmap.h"

#include <QPainter>

namespace tw::gfx {

Bitmap::Bitmap(int width, int height) { SetSize(width, height); }

Bitmap::Bitmap(QImage image) : image_(std::move(image)) {
  if (image_.isNull()) return;
  const auto format = image_.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
  if (image_.format() != format) image_ = image_.convertToFormat(format);
}

void Bitmap::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) {
    image_ = QImage();
    return;
  }
  if (width == Width() && height == Height()) return;
  QImage grown(width, height, image_.isNull() ? QImage::Format_RGB32 : image_.format());
  grown.fill(Qt::white);
  if (!image_.isNull()) {
    QPainter p(&grown);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, image_);
  }
  image_ = std::move(grown);
}

}  // namespace tw::gfx
