// Table backgrounds: seamless tiles made of periodic noise, grains, weaves,
// masonry and small repeating ornaments; plus the demo-mode tile.
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gfx/pictures.h"
#include "tools/art/art.h"

namespace tw::art {

namespace {

constexpr int kTile = 128;
constexpr double kTau = 6.283185307179586;

// Value noise on a lattice that wraps every `cells` cells, so a tile of any
// whole number of cells repeats without a seam.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : seed_(seed) {}
  double Lattice(int x, int y, int cells, int octave) const {
    return Lattice2(x, y, cells, cells, octave);
  }
  double Lattice2(int x, int y, int cx, int cy, int octave) const {
    x = ((x % cx) + cx) % cx;
    y = ((y % cy) + cy) % cy;
    std::uint32_t h = seed_ * 374761393u + static_cast<std::uint32_t>(x) * 668265263u +
                      static_cast<std::uint32_t>(y) * 2246822519u +
                      static_cast<std::uint32_t>(octave) * 3266489917u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFFFF) / 16777215.0;
  }
  // u, v in tile units (0..1 over the tile).
  double Smooth(double u, double v, int cells, int octave) const {
    return Smooth2(u, v, cells, cells, octave);
  }
  // Different lattices across and down, for grains.
  double Smooth2(double u, double v, int cx, int cy, int octave) const {
    const double x = u * cx, y = v * cy;
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    double fx = x - x0, fy = y - y0;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    const double a = Lattice2(x0, y0, cx, cy, octave), b = Lattice2(x0 + 1, y0, cx, cy, octave);
    const double c = Lattice2(x0, y0 + 1, cx, cy, octave);
    const double d = Lattice2(x0 + 1, y0 + 1, cx, cy, octave);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
  }
  double Fbm(double u, double v, int cells, int octaves) const {
    double sum = 0, amp = 0.5, norm = 0;
    for (int o = 0; o < octaves; ++o) {
      sum += amp * Smooth(u, v, cells << o, o);
      norm += amp;
      amp *= 0.5;
    }
    return sum / norm;
  }

 private:
  std::uint32_t seed_;
};

QColor Mix(const QColor& a, const QColor& b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                          a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t);
}

QColor Ramp(const std::vector<QColor>& stops, double t) {
  t = std::clamp(t, 0.0, 1.0) * (stops.size() - 1);
  const int i = std::min(static_cast<int>(t), static_cast<int>(stops.size()) - 2);
  return Mix(stops[i], stops[i + 1], t - i);
}

using Field = std::function<double(double u, double v)>;

QImage FromField(const std::vector<QColor>& stops, const Field& f, int w = kTile, int h = kTile) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.setPixelColor(x, y, Ramp(stops, f((x + 0.5) / w, (y + 0.5) / h)));
  return img;
}

double Stretch(double v, double contrast) { return 0.5 + (v - 0.5) * contrast; }

QImage Clouds(std::uint32_t seed, const std::vector<QColor>& stops, int cells, double contrast,
              int octaves = 5) {
  const Noise n(seed);
  return FromField(
      stops, [&](double u, double v) { return Stretch(n.Fbm(u, v, cells, octaves), contrast); });
}

QImage Ridged(std::uint32_t seed, const std::vector<QColor>& stops, int cells) {
  const Noise n(seed);
  return FromField(
      stops, [&](double u, double v) { return 1 - std::abs(n.Fbm(u, v, cells, 5) * 2 - 1) * 2.2; });
}

QImage Marble(std::uint32_t seed, const QColor& base, const QColor& vein, int bands) {
  const Noise n(seed);
  return FromField({vein, Mix(base, vein, 0.35), base, base}, [&](double u, double v) {
    const double t = n.Fbm(u, v, 4, 5);
    return std::abs(std::sin((u + v) * kTau * bands / 2 + t * 7));
  });
}

QImage Wood(std::uint32_t seed, const QColor& light, const QColor& dark, int rings) {
  const Noise n(seed);
  return FromField({dark, light, Mix(light, dark, 0.3)}, [&](double u, double v) {
    const double grain = 0.5 * n.Smooth2(u, v, 1, 4, 0) + 0.3 * n.Smooth2(u, v, 2, 8, 1) +
                         0.2 * n.Smooth2(u, v, 4, 16, 2);
    const double ring = u * rings + grain * 2.5 + n.Smooth2(u, v, 16, 128, 7) * 0.15;
    return std::pow(ring - std::floor(ring), 0.6) * (0.85 + 0.15 * n.Fbm(u, v, 32, 2));
  });
}

QImage Brushed(std::uint32_t seed, const QColor& dark, const QColor& light) {
  const Noise n(seed);
  return FromField({dark, light}, [&](double u, double v) {
    return 0.2 + 0.6 * n.Smooth2(u, v, 1, 128, 0) + 0.2 * n.Smooth(u, v, 128, 1) +
           0.12 * std::sin(v * kTau * 2);
  });
}

// Fine threads over a soft cloud: felts, cloths and canvases.
QImage Weave(std::uint32_t seed, const QColor& base, int thread, double depth, double fuzz) {
  const Noise n(seed);
  QImage img(kTile, kTile, QImage::Format_RGB32);
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x) {
      const double u = (x + 0.5) / kTile, v = (y + 0.5) / kTile;
      const bool over = ((x / thread) + (y / thread)) % 2 == 0;
      const double along = over ? std::sin((x % thread + 0.5) / thread * M_PI)
                                : std::sin((y % thread + 0.5) / thread * M_PI);
      double t = 1 - depth + depth * along;
      t *= 1 - fuzz + fuzz * (0.6 * n.Fbm(u, v, 8, 3) + 0.4 * n.Smooth(u, v, 128, 9));
      img.setPixelColor(x, y, Mix(base.darker(170), base.lighter(115), t));
    }
  return img;
}

QImage Felt(std::uint32_t seed, const QColor& base) {
  const Noise n(seed);
  return FromField({base.darker(125), base, base.lighter(112)}, [&](double u, double v) {
    return 0.5 + 0.35 * (n.Smooth(u, v, 128, 3) - 0.5) + 0.3 * (n.Fbm(u, v, 8, 3) - 0.5) +
           0.25 * (n.Smooth(u, v, 64, 5) - 0.5);
  });
}

// Bricks or stones of a masonry bond; sizes divide the tile.
QImage Masonry(std::uint32_t seed, const QColor& stone, const QColor& mortar, int bw, int bh,
               double variation, bool rounded) {
  const Noise n(seed);
  QImage img(kTile, kTile, QImage::Format_RGB32);
  img.fill(mortar);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  int row = 0;
  for (int y = 0; y < kTile; y += bh, ++row)
    for (int x = -bw; x < kTile + bw; x += bw) {
      const int ox = x + (row % 2) * bw / 2;
      const double shade = n.Lattice(((ox % kTile) + kTile) % kTile / bw, row, 64, 1);
      const QColor c = Mix(stone.darker(100 + static_cast<int>(variation * 40)),
                           stone.lighter(100 + static_cast<int>(variation * 30)), shade);
      const QRectF r(ox + 1, y + 1, bw - 2, bh - 2);
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      for (int wrap : {-kTile, 0, kTile})
        rounded ? p.drawRoundedRect(r.translated(wrap, 0), bh * 0.35, bh * 0.35)
                : p.drawRect(r.translated(wrap, 0));
    }
  p.end();
  // A little grain over everything.
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x) {
      const double g = (n.Smooth((x + 0.5) / kTile, (y + 0.5) / kTile, 64, 4) - 0.5) * 0.25;
      const QColor c = img.pixelColor(x, y);
      img.setPixelColor(x, y, g > 0 ? Mix(c, Qt::white, g) : Mix(c, Qt::black, -g));
    }
  return img;
}

// A small ornament repeated on a grid: the painter gets each cell's centre.
QImage Ornament(const QColor& ground, int cell, bool offset_rows,
                const std::function<void(QPainter&, QPointF, double)>& draw) {
  QImage img(kTile, kTile, QImage::Format_RGB32);
  img.fill(ground);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  int row = 0;
  for (int y = -cell; y <= kTile + cell; y += cell, ++row)
    for (int x = -cell; x <= kTile + cell; x += cell)
      draw(p, QPointF(x + cell / 2.0 + (offset_rows && row % 2 ? cell / 2.0 : 0), y + cell / 2.0),
           cell);
  return img;
}

QImage Stars(std::uint32_t seed) {
  QImage img = Clouds(seed, {QColor(4, 8, 30), QColor(18, 24, 70), QColor(40, 30, 80)}, 4, 1.6);
  const Noise n(seed);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < 40; ++i) {
    const double x = n.Lattice(i, 0, 997, 3) * kTile, y = n.Lattice(i, 1, 997, 3) * kTile;
    const double r = 0.4 + n.Lattice(i, 2, 997, 3) * 1.1;
    for (int dx : {-kTile, 0, kTile})
      for (int dy : {-kTile, 0, kTile}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 250, 220, 230));
        p.drawEllipse(QPointF(x + dx, y + dy), r, r);
      }
  }
  return img;
}

QImage Pebbles(std::uint32_t seed) {
  QImage img = Clouds(seed, {QColor(90, 80, 70), QColor(120, 110, 95)}, 8, 1.0);
  const Noise n(seed);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < 60; ++i) {
    const double x = n.Lattice(i, 0, 991, 1) * kTile, y = n.Lattice(i, 1, 991, 1) * kTile;
    const double r = 4 + n.Lattice(i, 2, 991, 1) * 7;
    const int g = 120 + static_cast<int>(n.Lattice(i, 3, 991, 1) * 100);
    for (int dx : {-kTile, 0, kTile})
      for (int dy : {-kTile, 0, kTile}) {
        QRadialGradient grad(QPointF(x + dx - r * 0.3, y + dy - r * 0.3), r * 1.3);
        grad.setColorAt(0, QColor(g + 30 > 255 ? 255 : g + 30, g + 20 > 255 ? 255 : g + 20, g));
        grad.setColorAt(1, QColor(g / 2, g / 2, g / 2 - 5));
        p.setPen(Qt::NoPen);
        p.setBrush(grad);
        p.drawEllipse(QPointF(x + dx, y + dy), r * 1.15, r);
      }
  }
  return img;
}

// The 256-colour set: plain patterns of few colours.
QImage Parquet() {
  QImage img(kTile, kTile, QImage::Format_RGB32);
  const Noise n(101);
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x) {
      const int bx = x / 32, by = y / 32;
      const bool across = (bx + by) % 2 == 0;
      const int along = across ? y % 32 : x % 32;
      const int plank = along / 8;
      const double grain =
          n.Smooth((across ? x : y) / 128.0 * 0.5, (plank + bx * 4 + by * 8) / 64.0, 64, 2);
      double t = 0.35 + 0.4 * grain + 0.1 * std::sin((across ? x : y) * 0.9 + plank);
      if (along % 8 == 0 || (across ? x : y) % 32 == 0) t = 0.0;
      img.setPixelColor(x, y,
                        Ramp({QColor(90, 50, 20), QColor(170, 110, 55), QColor(210, 160, 95)}, t));
    }
  return img;
}

QImage CaneBrake() {
  return Ornament(QColor(60, 40, 20), 16, false, [](QPainter& p, QPointF c, double d) {
    p.setPen(QPen(QColor(220, 190, 120), 3.0));
    p.drawLine(QPointF(c.x() - d / 2, c.y()), QPointF(c.x() + d / 2, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - d / 2), QPointF(c.x(), c.y() + d / 2));
    p.setPen(QPen(QColor(200, 165, 95), 2.0));
    p.drawLine(QPointF(c.x() - d / 2, c.y() - d / 2), QPointF(c.x() + d / 2, c.y() + d / 2));
    p.drawLine(QPointF(c.x() - d / 2, c.y() + d / 2), QPointF(c.x() + d / 2, c.y() - d / 2));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 40, 20));
    p.drawEllipse(c + QPointF(d / 2, d / 2), d * 0.16, d * 0.16);
  });
}

QImage ThousandRows() {
  QImage img(kTile, kTile, QImage::Format_RGB32);
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x) {
      const double t = 0.5 + 0.5 * std::sin((y % 4 + 0.5) / 4.0 * M_PI);
      img.setPixelColor(x, y, Mix(QColor(20, 50, 20), QColor(50, 120, 50), t));
    }
  return img;
}

QImage DemoTile() {
  QImage img = Felt(1, QColor(0, 80, 30));
  QPainter p(&img);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::Antialiasing);
  p.setFont(SansFont(20, true));
  p.setPen(QColor(255, 255, 255, 46));
  p.translate(kTile / 2.0, kTile / 2.0);
  p.rotate(-30);
  p.drawText(QRectF(-kTile, -16, 2 * kTile, 32), Qt::AlignCenter, "DEMO");
  return img;
}

QImage Background(int number) {
  const std::uint32_t seed = static_cast<std::uint32_t>(number);
  switch (number) {
    case 101:
      return Parquet();
    case 102:
      return Clouds(seed, {QColor(110, 20, 30), QColor(150, 40, 45)}, 64, 1.0, 2);
    case 103:
      return Weave(seed, QColor(30, 110, 50), 2, 0.35, 0.4);
    case 104:
      return CaneBrake();
    case 105:
      return ThousandRows();
    // Colours fantasy
    case 257:
      return Clouds(seed, {QColor(10, 30, 60), QColor(20, 160, 120), QColor(120, 60, 170)}, 4, 1.7);
    case 258:
      return Clouds(seed, {QColor(0, 70, 110), QColor(0, 150, 160), QColor(170, 230, 220)}, 4, 1.6);
    case 259:
      return Clouds(seed, {QColor(60, 0, 0), QColor(190, 50, 10), QColor(250, 170, 40)}, 4, 1.7);
    case 260:
      return Clouds(seed, {QColor(60, 10, 60), QColor(170, 60, 160), QColor(240, 170, 230)}, 4,
                    1.6);
    case 261:
      return Clouds(seed, {QColor(90, 120, 0), QColor(220, 200, 20), QColor(250, 150, 30)}, 4, 1.6);
    case 262:
      return Clouds(seed, {QColor(20, 10, 60), QColor(90, 40, 120), QColor(230, 120, 90)}, 4, 1.6);
    // Fractal
    case 263:
      return Clouds(seed, {QColor(60, 110, 200), QColor(160, 190, 240), QColor(255, 255, 255)}, 4,
                    1.5);
    case 264:
      return Clouds(
          seed,
          {QColor(40, 0, 90), QColor(230, 30, 120), QColor(250, 220, 60), QColor(30, 160, 200)}, 4,
          2.0);
    case 265:
      return Ridged(seed, {QColor(20, 40, 30), QColor(60, 120, 80), QColor(200, 230, 200)}, 4);
    case 266:
      return Ridged(seed, {QColor(150, 190, 220), QColor(220, 235, 250), QColor(255, 255, 255)}, 8);
    case 267:
      return Clouds(seed, {QColor(40, 40, 45), QColor(110, 110, 120), QColor(180, 180, 190)}, 4,
                    1.4);
    case 268:
      return Clouds(
          seed,
          {QColor(5, 0, 20), QColor(70, 20, 110), QColor(220, 80, 160), QColor(255, 230, 200)}, 4,
          2.2);
    // Geometricals
    case 269:
      return Ornament(QColor(20, 60, 90), 16, true, [](QPainter& p, QPointF c, double d) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 130, 170));
        p.drawPolygon(QPolygonF({c + QPointF(0, -d / 2), c + QPointF(d / 4, 0),
                                 c + QPointF(0, d / 2), c + QPointF(-d / 4, 0)}));
      });
    case 270:
      return Ornament(QColor(170, 60, 30), 16, true, [](QPainter& p, QPointF c, double d) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 140, 60));
        p.drawPolygon(QPolygonF(
            {c + QPointF(0, -d / 2.5), c + QPointF(d / 2.5, d / 3), c + QPointF(-d / 2.5, d / 3)}));
      });
    case 271:
      return Ornament(QColor(50, 50, 60), 16, true, [](QPainter& p, QPointF c, double d) {
        QPolygonF hex;
        for (int k = 0; k < 6; ++k) {
          const double a = (60 * k + 30) * M_PI / 180;
          hex << c + QPointF(d * 0.55 * std::cos(a), d * 0.55 * std::sin(a));
        }
        p.setPen(QPen(QColor(140, 150, 170), 1.2));
        p.setBrush(QColor(80, 85, 100));
        p.drawPolygon(hex);
      });
    case 272:
      return Ornament(QColor(30, 70, 40), 16, false, [](QPainter& p, QPointF c, double d) {
        p.setPen(QPen(QColor(90, 150, 100), 1.0));
        p.setBrush(QColor(45, 95, 55));
        p.drawRect(QRectF(c.x() - d * 0.35, c.y() - d * 0.35, d * 0.7, d * 0.7));
      });
    case 273:
      return Ornament(QColor(90, 40, 20), 16, true, [](QPainter& p, QPointF c, double d) {
        p.setPen(QPen(QColor(220, 170, 90), 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, d * 0.4, d * 0.4);
        p.drawEllipse(c, d * 0.18, d * 0.18);
      });
    case 274:
      return Ornament(QColor(20, 40, 80), 16, false, [](QPainter& p, QPointF c, double d) {
        p.setPen(QPen(QColor(220, 200, 80), 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(
            QPolygonF({c + QPointF(-d / 2, 0), c + QPointF(-d / 4, -d / 4), c + QPointF(0, 0),
                       c + QPointF(d / 4, -d / 4), c + QPointF(d / 2, 0)}));
      });
    // Marbles
    case 275:
      return Marble(seed, QColor(240, 238, 232), QColor(120, 120, 130), 2);
    case 276:
      return Marble(seed, QColor(20, 90, 60), QColor(190, 230, 200), 2);
    case 277:
      return Marble(seed, QColor(150, 40, 40), QColor(240, 200, 190), 2);
    case 278:
      return Marble(seed, QColor(25, 25, 28), QColor(170, 170, 180), 4);
    case 279:
      return Marble(seed, QColor(30, 60, 130), QColor(200, 220, 250), 2);
    // Metal
    case 280:
      return Brushed(seed, QColor(110, 115, 120), QColor(200, 205, 210));
    case 281:
      return Brushed(seed, QColor(120, 60, 30), QColor(220, 140, 90));
    case 282:
      return Brushed(seed, QColor(140, 100, 20), QColor(240, 200, 90));
    case 283: {
      QImage img = Brushed(seed, QColor(100, 105, 110), QColor(170, 175, 180));
      QPainter p(&img);
      p.setRenderHint(QPainter::Antialiasing);
      int row = 0;
      for (int y = -16; y <= kTile + 16; y += 16, ++row)
        for (int x = -16; x <= kTile + 16; x += 16) {
          p.save();
          p.translate(x + 8, y + 8);
          p.rotate(row % 2 ? 45 : -45);
          p.setPen(QPen(QColor(70, 72, 76), 1));
          p.setBrush(QColor(190, 195, 200));
          p.drawRoundedRect(QRectF(-6, -1.8, 12, 3.6), 1.8, 1.8);
          p.restore();
        }
      return img;
    }
    case 284:
      return Clouds(
          seed, {QColor(70, 30, 10), QColor(150, 70, 20), QColor(200, 120, 50), QColor(90, 60, 40)},
          8, 1.6);
    // Nature
    case 285:
      return Ridged(seed, {QColor(20, 70, 10), QColor(60, 130, 30), QColor(120, 180, 60)}, 16);
    case 286:
      return Clouds(seed, {QColor(190, 160, 110), QColor(230, 205, 150)}, 32, 1.2, 3);
    case 287:
      return Ridged(seed, {QColor(10, 60, 120), QColor(30, 110, 170), QColor(160, 220, 240)}, 4);
    case 288:
      return Pebbles(seed);
    case 289:
      return Clouds(seed, {QColor(40, 60, 20), QColor(80, 110, 30), QColor(140, 160, 60)}, 16, 1.5);
    // Others
    case 290:
      return Clouds(seed, {QColor(140, 90, 50), QColor(190, 140, 90), QColor(110, 70, 40)}, 32, 1.6,
                    3);
    case 291:
      return Clouds(seed, {QColor(225, 220, 205), QColor(245, 242, 232)}, 16, 1.0, 4);
    case 292:
      return Ridged(seed, {QColor(60, 30, 15), QColor(110, 60, 30), QColor(140, 85, 45)}, 16);
    case 293:
      return Weave(seed, QColor(40, 70, 130), 2, 0.5, 0.5);
    case 294:
      return Stars(seed);
    // Patterns
    case 295:
      return Ornament(QColor(0, 80, 60), 16, true, [](QPainter& p, QPointF c, double d) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 220, 150));
        p.drawEllipse(c, d * 0.15, d * 0.15);
      });
    case 296:
      return Ornament(QColor(20, 40, 90), 16, false, [](QPainter& p, QPointF c, double d) {
        p.fillRect(QRectF(c.x() - d / 2, c.y() - d / 2, d / 4, d), QColor(50, 80, 150));
      });
    case 297:
      return Ornament(QColor(90, 20, 30), 32, false, [](QPainter& p, QPointF c, double d) {
        p.fillRect(QRectF(c.x() - d / 2, c.y() - d / 2, d / 2, d / 2), QColor(130, 40, 50));
        p.fillRect(QRectF(c.x(), c.y(), d / 2, d / 2), QColor(130, 40, 50));
      });
    case 298:
      return Ornament(QColor(10, 70, 110), 16, false, [](QPainter& p, QPointF c, double d) {
        p.setPen(QPen(QColor(120, 200, 230), 1.6));
        p.setBrush(Qt::NoBrush);
        QPainterPath w;
        w.moveTo(c.x() - d / 2, c.y());
        w.cubicTo(c.x() - d / 4, c.y() - d / 3, c.x() + d / 4, c.y() + d / 3, c.x() + d / 2, c.y());
        p.drawPath(w);
      });
    case 299:
      return Ornament(QColor(30, 90, 80), 16, true, [](QPainter& p, QPointF c, double d) {
        p.setPen(QPen(QColor(140, 210, 190), 1.2));
        p.setBrush(QColor(40, 110, 95));
        p.drawChord(QRectF(c.x() - d / 2, c.y() - d / 2, d, d), 180 * 16, 180 * 16);
      });
    // Surfaces
    case 300:
      return Clouds(
          seed,
          {QColor(60, 60, 65), QColor(150, 140, 140), QColor(220, 210, 205), QColor(40, 40, 40)},
          64, 1.8, 2);
    case 301:
      return Clouds(seed, {QColor(140, 140, 135), QColor(175, 175, 170)}, 32, 1.3, 4);
    case 302:
      return Ridged(seed, {QColor(40, 45, 55), QColor(70, 78, 90), QColor(100, 108, 120)}, 4);
    case 303:
      return Clouds(seed, {QColor(150, 60, 30), QColor(200, 100, 60)}, 16, 1.3, 4);
    case 304:
      return Ridged(seed, {QColor(170, 210, 230), QColor(220, 240, 250), QColor(255, 255, 255)}, 4);
    // Tissue
    case 305:
      return Felt(seed, QColor(0, 100, 40));
    case 306:
      return Felt(seed, QColor(20, 50, 120));
    case 307:
      return Felt(seed, QColor(130, 10, 30));
    case 308:
      return Weave(seed, QColor(200, 190, 165), 2, 0.3, 0.4);
    case 309:
      return Weave(seed, QColor(170, 150, 110), 3, 0.45, 0.3);
    // Wall-paper
    case 310:
      return Ornament(QColor(235, 225, 200), 32, true, [](QPainter& p, QPointF c, double d) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 150, 110));
        for (int k = 0; k < 3; ++k) {
          p.save();
          p.translate(c);
          p.rotate(-40 + k * 40);
          p.drawEllipse(QPointF(0, -d * 0.18), d * 0.07, d * 0.18);
          p.restore();
        }
        p.setBrush(QColor(200, 170, 80));
        p.drawEllipse(c, d * 0.05, d * 0.05);
      });
    case 311:
      return Ornament(QColor(110, 20, 35), 32, true, [](QPainter& p, QPointF c, double d) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(140, 35, 50));
        for (int k = 0; k < 4; ++k) {
          p.save();
          p.translate(c);
          p.rotate(k * 90);
          p.drawEllipse(QPointF(0, -d * 0.2), d * 0.1, d * 0.2);
          p.restore();
        }
      });
    case 312:
      return Ornament(QColor(30, 35, 50), 8, false, [](QPainter& p, QPointF c, double d) {
        p.fillRect(QRectF(c.x() - d / 2, c.y() - d / 2, 1, d), QColor(80, 90, 120));
      });
    case 313:
      return Ornament(QColor(230, 235, 220), 16, false, [](QPainter& p, QPointF c, double d) {
        p.setPen(QPen(QColor(90, 140, 90), 1.5));
        p.drawLine(c + QPointF(-d / 2, -d / 2), c + QPointF(d / 2, d / 2));
        p.drawLine(c + QPointF(-d / 2, d / 2), c + QPointF(d / 2, -d / 2));
      });
    case 314:
      return Ornament(QColor(240, 200, 200), 16, true, [](QPainter& p, QPointF c, double d) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 60, 80));
        p.drawEllipse(c, d * 0.22, d * 0.22);
      });
    // Walls
    case 315:
      return Masonry(seed, QColor(160, 60, 40), QColor(200, 190, 175), 32, 16, 0.6, false);
    case 316:
      return Masonry(seed, QColor(130, 125, 115), QColor(70, 65, 60), 32, 32, 0.8, true);
    case 317:
      return Masonry(seed, QColor(220, 225, 230), QColor(150, 150, 150), 32, 32, 0.2, false);
    case 318:
      return Masonry(seed, QColor(110, 105, 100), QColor(50, 45, 40), 16, 16, 0.9, true);
    case 319:
      return Clouds(seed, {QColor(200, 190, 170), QColor(225, 218, 200)}, 8, 1.2, 5);
    // Wood
    case 320:
      return Wood(seed, QColor(200, 150, 90), QColor(130, 85, 40), 6);
    case 321:
      return Wood(seed, QColor(120, 80, 50), QColor(60, 35, 20), 5);
    case 322:
      return Wood(seed, QColor(230, 200, 140), QColor(180, 130, 70), 4);
    case 323:
      return Wood(seed, QColor(150, 60, 40), QColor(80, 25, 15), 6);
    default:
      return Wood(seed, QColor(240, 225, 195), QColor(190, 170, 140), 8);
  }
}

}  // namespace

void DrawBackgrounds(Output& out) {
  for (const gfx::PictureInfo& b : gfx::Backgrounds())
    out.Images(QString::fromStdString(gfx::BackgroundFileName(b.number)), Background(b.number));
  out.Images("Y001", DemoTile());
}

}  // namespace tw::art
