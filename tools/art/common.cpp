#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cstdio>

#include "tools/art/art.h"

namespace tw::art {

Output::Output(QString stage_dir, QString images_dir)
    : stage_(std::move(stage_dir)), images_(std::move(images_dir)) {
  QDir().mkpath(stage_);
  QDir().mkpath(images_);
}

void Output::Library(const QString& name, const QImage& image) {
  const QString upper = name.toUpper();
  if (!image.save(stage_ + "/" + upper + ".png", "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(upper));
    ok_ = false;
  }
  names_.append(upper);
}

void Output::Images(const QString& file_name, const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  if (!rgb.save(images_ + "/" + file_name + ".bmp", "BMP")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file_name));
    ok_ = false;
  }
}

bool Output::WriteResourceList(const QString& path) const {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  QTextStream s(&f);
  s << "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
  for (const QString& n : names_) s << "  <file alias=\"" << n << "\">" << n << ".png</file>\n";
  s << "</qresource>\n</RCC>\n";
  return s.status() == QTextStream::Ok;
}

QPainterPath SuitPath(int suit, const QRectF& b) {
  auto P = [&](double x, double y) {
    return QPointF(b.left() + x * b.width(), b.top() + y * b.height());
  };
  QPainterPath p;
  p.setFillRule(Qt::WindingFill);
  switch (suit) {
    case 0:  // hearts
      p.moveTo(P(0.5, 1.0));
      p.cubicTo(P(0.22, 0.75), P(0.0, 0.55), P(0.0, 0.3));
      p.cubicTo(P(0.0, 0.1), P(0.14, 0.0), P(0.27, 0.0));
      p.cubicTo(P(0.4, 0.0), P(0.48, 0.09), P(0.5, 0.2));
      p.cubicTo(P(0.52, 0.09), P(0.6, 0.0), P(0.73, 0.0));
      p.cubicTo(P(0.86, 0.0), P(1.0, 0.1), P(1.0, 0.3));
      p.cubicTo(P(1.0, 0.55), P(0.78, 0.75), P(0.5, 1.0));
      p.closeSubpath();
      break;
    case 1:  // diamonds
      p.moveTo(P(0.5, 0.0));
      p.quadTo(P(0.68, 0.28), P(0.92, 0.5));
      p.quadTo(P(0.68, 0.72), P(0.5, 1.0));
      p.quadTo(P(0.32, 0.72), P(0.08, 0.5));
      p.quadTo(P(0.32, 0.28), P(0.5, 0.0));
      p.closeSubpath();
      break;
    case 2: {  // clubs
      const double r = 0.235;
      p.addEllipse(P(0.5, 0.25), r * b.width(), r * b.height());
      p.addEllipse(P(0.255, 0.575), r * b.width(), r * b.height());
      p.addEllipse(P(0.745, 0.575), r * b.width(), r * b.height());
      p.addEllipse(P(0.5, 0.5), 0.14 * b.width(), 0.14 * b.height());
      QPainterPath stem;
      stem.moveTo(P(0.46, 0.55));
      stem.quadTo(P(0.45, 0.86), P(0.3, 1.0));
      stem.lineTo(P(0.7, 1.0));
      stem.quadTo(P(0.55, 0.86), P(0.54, 0.55));
      stem.closeSubpath();
      p.addPath(stem);
      break;
    }
    default: {  // spades
      p.moveTo(P(0.5, 0.0));
      p.cubicTo(P(0.35, 0.2), P(0.0, 0.38), P(0.0, 0.6));
      p.cubicTo(P(0.0, 0.76), P(0.12, 0.84), P(0.25, 0.84));
      p.cubicTo(P(0.35, 0.84), P(0.43, 0.79), P(0.47, 0.72));
      p.quadTo(P(0.45, 0.88), P(0.3, 1.0));
      p.lineTo(P(0.7, 1.0));
      p.quadTo(P(0.55, 0.88), P(0.53, 0.72));
      p.cubicTo(P(0.57, 0.79), P(0.65, 0.84), P(0.75, 0.84));
      p.cubicTo(P(0.88, 0.84), P(1.0, 0.76), P(1.0, 0.6));
      p.cubicTo(P(1.0, 0.38), P(0.65, 0.2), P(0.5, 0.0));
      p.closeSubpath();
      break;
    }
  }
  return p;
}

namespace {
QFont MakeFont(const char* family, const char* condensed_family, double px, bool bold,
               bool condensed) {
  QFont f(QString::fromLatin1(condensed ? condensed_family : family));
  f.setPixelSize(std::max(1, static_cast<int>(px + 0.5)));
  f.setBold(bold);
  if (condensed) f.setStretch(QFont::Condensed);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}
}  // namespace

QFont SansFont(double px, bool bold, bool condensed) {
  return MakeFont("DejaVu Sans", "DejaVu Sans Condensed", px, bold, condensed);
}
QFont SerifFont(double px, bool bold, bool condensed) {
  return MakeFont("DejaVu Serif", "DejaVu Serif Condensed", px, bold, condensed);
}

QImage NewImage(int w, int h, const QColor& fill) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

QImage NewAlphaImage(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

namespace {
bool Outside(int x, int y, int w, int h) {
  const int cx = x < 2 ? x : (x >= w - 2 ? w - 1 - x : 9);
  const int cy = y < 2 ? y : (y >= h - 2 ? h - 1 - y : 9);
  return cx + cy <= 1;
}
bool OnEdge(int x, int y, int w, int h) {
  if (Outside(x, y, w, h)) return false;
  if (x == 0 || y == 0 || x == w - 1 || y == h - 1) return true;
  const int cx = x < 2 ? x : (x >= w - 2 ? w - 1 - x : 9);
  const int cy = y < 2 ? y : (y >= h - 2 ? h - 1 - y : 9);
  return cx == 1 && cy == 1;
}
}  // namespace

void CardOutline(QImage& image, const QColor& edge, const QColor& outside) {
  const int w = image.width(), h = image.height();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (Outside(x, y, w, h))
        image.setPixelColor(x, y, outside);
      else if (OnEdge(x, y, w, h))
        image.setPixelColor(x, y, edge);
    }
}

QImage CardBlank(int w, int h, const QColor& paper, const QColor& edge, const QColor& outside) {
  QImage image = NewImage(w, h, paper);
  CardOutline(image, edge, outside);
  return image;
}

}  // namespace tw::art
