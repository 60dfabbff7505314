// Card backs: a white margin around a patterned panel, one pattern per back.
#include <QPainter>
#include <cmath>
#include <cstdint>

#include "platform/gfx/pictures.h"
#include "tools/art/art.h"

namespace tw::art {

namespace {

class Rng {
 public:
  explicit Rng(std::uint32_t seed) : s_(seed * 2654435761u + 1) {}
  double Next() {
    s_ = s_ * 1664525u + 1013904223u;
    return (s_ >> 8) / 16777216.0;
  }

 private:
  std::uint32_t s_;
};

QPainterPath Star(QPointF c, double r_out, double r_in, int points, double turn = -90) {
  QPainterPath p;
  for (int i = 0; i < points * 2; ++i) {
    const double a = (turn + i * 180.0 / points) * M_PI / 180;
    const double r = i % 2 ? r_in : r_out;
    const QPointF q(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    if (i == 0)
      p.moveTo(q);
    else
      p.lineTo(q);
  }
  p.closeSubpath();
  return p;
}

void Lattice(QPainter& p, const QRectF& r, double step, const QColor& bg, const QColor& line,
             const QColor& dot, double width) {
  p.fillRect(r, bg);
  p.setPen(QPen(line, width));
  for (double d = -r.height(); d < r.width() + r.height(); d += step) {
    p.drawLine(QPointF(r.left() + d, r.top()), QPointF(r.left() + d + r.height(), r.bottom()));
    p.drawLine(QPointF(r.left() + d, r.bottom()), QPointF(r.left() + d + r.height(), r.top()));
  }
  if (dot.alpha() == 0) return;
  p.setPen(Qt::NoPen);
  p.setBrush(dot);
  for (double y = r.top(); y <= r.bottom() + step; y += step / 2)
    for (double x = r.left() + (static_cast<int>((y - r.top()) / (step / 2)) % 2 ? step / 2 : 0);
         x <= r.right() + step; x += step)
      p.drawEllipse(QPointF(x, y + step / 4), width * 1.1, width * 1.1);
}

void Pattern(QPainter& p, int n, const QRectF& r, double s) {
  Rng rng(static_cast<std::uint32_t>(n));
  const QPointF c = r.center();
  switch (n) {
    case 1: {  // fish scales
      p.fillRect(r, QColor(20, 90, 120));
      const double d = 10 * s;
      int row = 0;
      for (double y = r.top() - d; y < r.bottom() + d; y += d / 2, ++row)
        for (double x = r.left() - d + (row % 2) * d / 2; x < r.right() + d; x += d) {
          p.setPen(QPen(QColor(150, 220, 230), 0.9 * s));
          p.setBrush(row % 2 ? QColor(30, 120, 150) : QColor(25, 105, 138));
          p.drawChord(QRectF(x, y, d, d), 180 * 16, 180 * 16);
        }
      break;
    }
    case 2: {  // zebra
      p.fillRect(r, QColor(245, 245, 240));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(25, 25, 25));
      for (double k = -6; k < 14; ++k) {
        QPainterPath band;
        const double x0 = r.left() + k * 9 * s;
        band.moveTo(x0, r.top());
        for (double y = r.top(); y <= r.bottom(); y += 2)
          band.lineTo(x0 + 4 * s * std::sin((y - r.top()) / (9 * s)) + (y - r.top()) * 0.35, y);
        for (double y = r.bottom(); y >= r.top(); y -= 2)
          band.lineTo(x0 + 4 * s * std::sin((y - r.top()) / (9 * s)) + (y - r.top()) * 0.35 +
                          (3.5 + 1.5 * std::sin(y / (5 * s) + k)) * s,
                      y);
        band.closeSubpath();
        p.drawPath(band);
      }
      break;
    }
    case 3: {  // leopard
      p.fillRect(r, QColor(214, 168, 92));
      for (int i = 0; i < 60; ++i) {
        const QPointF q(r.left() + rng.Next() * r.width(), r.top() + rng.Next() * r.height());
        const double rr = (2 + 2.5 * rng.Next()) * s;
        p.setPen(QPen(QColor(60, 36, 18), 1.4 * s));
        p.setBrush(QColor(170, 110, 50));
        p.drawEllipse(q, rr * 1.2, rr);
      }
      break;
    }
    case 4: {  // peacock
      p.fillRect(r, QColor(10, 70, 70));
      const double d = 16 * s;
      int row = 0;
      for (double y = r.top(); y < r.bottom() + d; y += d * 0.8, ++row)
        for (double x = r.left() + (row % 2) * d / 2; x < r.right() + d; x += d) {
          p.setPen(Qt::NoPen);
          p.setBrush(QColor(30, 140, 90));
          p.drawEllipse(QPointF(x, y), d * 0.45, d * 0.55);
          p.setBrush(QColor(220, 180, 60));
          p.drawEllipse(QPointF(x, y + d * 0.05), d * 0.3, d * 0.36);
          p.setBrush(QColor(20, 60, 160));
          p.drawEllipse(QPointF(x, y + d * 0.1), d * 0.17, d * 0.2);
        }
      break;
    }
    case 5: {  // balloons
      QLinearGradient g(r.topLeft(), r.bottomLeft());
      g.setColorAt(0, QColor(120, 190, 250));
      g.setColorAt(1, QColor(210, 235, 255));
      p.fillRect(r, g);
      const QColor colours[] = {QColor(230, 50, 50), QColor(250, 200, 40), QColor(60, 170, 80),
                                QColor(160, 80, 200), QColor(250, 130, 40)};
      for (int i = 0; i < 9; ++i) {
        const QPointF q(r.left() + (0.1 + 0.8 * rng.Next()) * r.width(),
                        r.top() + (0.08 + 0.75 * rng.Next()) * r.height());
        const double rr = (5 + 2 * rng.Next()) * s;
        p.setPen(QPen(QColor(90, 90, 90), 0.6 * s));
        p.drawLine(QPointF(q.x(), q.y() + rr * 1.2), QPointF(q.x() + 2 * s, q.y() + rr * 3));
        p.setPen(Qt::NoPen);
        p.setBrush(colours[i % 5]);
        p.drawEllipse(q, rr, rr * 1.2);
        p.setBrush(QColor(255, 255, 255, 110));
        p.drawEllipse(QPointF(q.x() - rr * 0.35, q.y() - rr * 0.45), rr * 0.25, rr * 0.35);
      }
      break;
    }
    case 6:  // red lattice: plain enough for the smallest cards
      Lattice(p, r, 8 * std::max(s, 0.75), QColor(178, 24, 36), QColor(240, 170, 170),
              s < 0.7 ? QColor(0, 0, 0, 0) : QColor(255, 230, 230), 0.8 * std::max(s, 0.75));
      break;
    case 7: {  // starry sky
      QLinearGradient g(r.topLeft(), r.bottomLeft());
      g.setColorAt(0, QColor(8, 12, 50));
      g.setColorAt(1, QColor(30, 40, 110));
      p.fillRect(r, g);
      p.setPen(Qt::NoPen);
      for (int i = 0; i < 26; ++i) {
        const QPointF q(r.left() + rng.Next() * r.width(), r.top() + rng.Next() * r.height());
        const double rr = (1 + 2.2 * rng.Next()) * s;
        p.fillPath(Star(q, rr, rr * 0.42, 5), QColor(255, 236, 140));
      }
      p.setBrush(QColor(255, 246, 200));
      p.drawEllipse(QPointF(r.left() + r.width() * 0.7, r.top() + r.height() * 0.22), 7 * s, 7 * s);
      p.setBrush(g);
      p.drawEllipse(
          QPointF(r.left() + r.width() * 0.7 + 3 * s, r.top() + r.height() * 0.22 - 2 * s), 6 * s,
          6 * s);
      break;
    }
    case 8: {  // polka dots
      p.fillRect(r, QColor(230, 90, 140));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 240, 245));
      const double d = 9 * s;
      int row = 0;
      for (double y = r.top(); y < r.bottom() + d; y += d / 2, ++row)
        for (double x = r.left() + (row % 2) * d / 2; x < r.right() + d; x += d)
          p.drawEllipse(QPointF(x, y), 2.2 * s, 2.2 * s);
      break;
    }
    case 9: {  // checkers
      const double d = 7 * s;
      for (int j = 0; r.top() + j * d < r.bottom(); ++j)
        for (int i = 0; r.left() + i * d < r.right(); ++i)
          p.fillRect(QRectF(r.left() + i * d, r.top() + j * d, d, d),
                     (i + j) % 2 ? QColor(20, 20, 20) : QColor(200, 30, 30));
      break;
    }
    case 10: {  // daisies
      p.fillRect(r, QColor(40, 120, 60));
      const double d = 15 * s;
      int row = 0;
      for (double y = r.top() + d / 3; y < r.bottom() + d; y += d * 0.75, ++row)
        for (double x = r.left() + (row % 2) * d / 2; x < r.right() + d; x += d) {
          p.setPen(Qt::NoPen);
          p.setBrush(QColor(255, 255, 250));
          for (int k = 0; k < 8; ++k) {
            p.save();
            p.translate(x, y);
            p.rotate(k * 45);
            p.drawEllipse(QPointF(0, -3.2 * s), 1.5 * s, 3.0 * s);
            p.restore();
          }
          p.setBrush(QColor(250, 200, 30));
          p.drawEllipse(QPointF(x, y), 2 * s, 2 * s);
        }
      break;
    }
    case 11: {  // blue lattice with a centre medallion
      Lattice(p, r, 7 * s, QColor(22, 52, 130), QColor(120, 160, 230), QColor(190, 210, 255),
              0.8 * s);
      const double rw = r.width() * 0.3, rh = r.height() * 0.24;
      p.setPen(QPen(QColor(235, 240, 255), 1.4 * s));
      p.setBrush(QColor(16, 40, 105));
      p.drawEllipse(c, rw, rh);
      p.setPen(QPen(QColor(120, 160, 230), 0.8 * s));
      p.drawEllipse(c, rw - 3 * s, rh - 3 * s);
      p.fillPath(Star(c, rh * 0.75, rh * 0.3, 4), QColor(235, 240, 255));
      p.fillPath(Star(c, rh * 0.42, rh * 0.18, 4, -45), QColor(120, 160, 230));
      break;
    }
    case 12: {  // rose window
      p.fillRect(r, QColor(70, 20, 80));
      p.setPen(QPen(QColor(240, 200, 90), 0.8 * s));
      const double rad = std::min(r.width(), r.height()) * 0.46;
      for (int ring = 3; ring >= 1; --ring) {
        const double rr = rad * ring / 3;
        p.setBrush(ring % 2 ? QColor(140, 40, 120) : QColor(40, 60, 150));
        p.drawEllipse(c, rr, rr);
        for (int k = 0; k < 12; ++k) {
          const double a = k * M_PI / 6 + ring * 0.26;
          p.setBrush(ring == 2 ? QColor(200, 60, 60) : QColor(60, 140, 190));
          p.drawEllipse(QPointF(c.x() + rr * 0.78 * std::cos(a), c.y() + rr * 0.78 * std::sin(a)),
                        rr * 0.14, rr * 0.14);
        }
      }
      for (double y = r.top() + 6 * s; y < r.bottom(); y += r.height() - 12 * s)
        for (double x = r.left() + 6 * s; x < r.right(); x += r.width() - 12 * s)
          p.fillPath(Star(QPointF(x, y), 4 * s, 1.6 * s, 4), QColor(240, 200, 90));
      break;
    }
    case 13: {  // petals
      p.fillRect(r, QColor(250, 220, 228));
      p.setPen(QPen(QColor(200, 60, 110), 0.9 * s));
      p.setBrush(Qt::NoBrush);
      const double d = 8 * s;
      int row = 0;
      for (double y = r.top(); y < r.bottom() + d; y += d * 0.866, ++row)
        for (double x = r.left() + (row % 2) * d / 2; x < r.right() + d; x += d)
          p.drawEllipse(QPointF(x, y), d, d);
      break;
    }
    case 14: {  // honeycomb
      p.fillRect(r, QColor(120, 70, 10));
      const double a = 5 * s;
      const double hx = a * std::sqrt(3.0);
      int row = 0;
      for (double y = r.top(); y < r.bottom() + a * 2; y += a * 1.5, ++row)
        for (double x = r.left() + (row % 2) * hx / 2; x < r.right() + hx; x += hx) {
          QPainterPath hex;
          for (int k = 0; k < 6; ++k) {
            const double ang = (60 * k - 30) * M_PI / 180;
            const QPointF q(x + a * 0.9 * std::cos(ang), y + a * 0.9 * std::sin(ang));
            if (k == 0)
              hex.moveTo(q);
            else
              hex.lineTo(q);
          }
          hex.closeSubpath();
          p.fillPath(hex, QColor(240, 180, 40));
        }
      break;
    }
    case 15: {  // waves
      p.fillRect(r, QColor(20, 80, 160));
      const double d = 12 * s;
      int row = 0;
      for (double y = r.top(); y < r.bottom() + d; y += d / 2.5, ++row)
        for (double x = r.left() + (row % 2) * d / 2; x < r.right() + d; x += d)
          for (int k = 4; k >= 1; --k) {
            p.setPen(Qt::NoPen);
            p.setBrush(k % 2 ? QColor(240, 248, 255) : QColor(30, 100, 190));
            p.drawEllipse(QPointF(x, y), d * 0.5 * k / 4, d * 0.5 * k / 4);
          }
      break;
    }
    case 16: {  // heraldic quarters
      const QColor red(170, 20, 30), gold(230, 180, 40);
      p.fillRect(QRectF(r.left(), r.top(), r.width() / 2, r.height() / 2), red);
      p.fillRect(QRectF(c.x(), r.top(), r.width() / 2, r.height() / 2), gold);
      p.fillRect(QRectF(r.left(), c.y(), r.width() / 2, r.height() / 2), gold);
      p.fillRect(QRectF(c.x(), c.y(), r.width() / 2, r.height() / 2), red);
      p.fillRect(QRectF(c.x() - 2.5 * s, r.top(), 5 * s, r.height()), QColor(250, 250, 245));
      p.fillRect(QRectF(r.left(), c.y() - 2.5 * s, r.width(), 5 * s), QColor(250, 250, 245));
      p.fillPath(
          Star(QPointF(r.left() + r.width() / 4, r.top() + r.height() / 4), 6 * s, 2.5 * s, 5),
          gold);
      p.fillPath(
          Star(QPointF(r.right() - r.width() / 4, r.bottom() - r.height() / 4), 6 * s, 2.5 * s, 5),
          gold);
      p.fillPath(
          Star(QPointF(r.right() - r.width() / 4, r.top() + r.height() / 4), 6 * s, 2.5 * s, 5),
          red);
      p.fillPath(
          Star(QPointF(r.left() + r.width() / 4, r.bottom() - r.height() / 4), 6 * s, 2.5 * s, 5),
          red);
      break;
    }
    case 17: {  // castle stones
      p.fillRect(r, QColor(90, 90, 95));
      const double bh = 6 * s, bw = 12 * s;
      int row = 0;
      for (double y = r.top(); y < r.bottom(); y += bh, ++row)
        for (double x = r.left() - (row % 2) * bw / 2; x < r.right(); x += bw) {
          const int g = 140 + static_cast<int>(40 * rng.Next());
          p.fillRect(QRectF(x + 0.6 * s, y + 0.6 * s, bw - 1.2 * s, bh - 1.2 * s),
                     QColor(g, g, g - 6));
        }
      break;
    }
    case 18: {  // chain mail
      p.fillRect(r, QColor(40, 44, 50));
      p.setBrush(Qt::NoBrush);
      const double d = 6 * s;
      int row = 0;
      for (double y = r.top(); y < r.bottom() + d; y += d * 0.6, ++row)
        for (double x = r.left() + (row % 2) * d / 2; x < r.right() + d; x += d) {
          p.setPen(QPen(QColor(190, 196, 205), 1.0 * s));
          p.drawEllipse(QPointF(x, y), d * 0.5, d * 0.42);
        }
      break;
    }
    case 19: {  // leaves
      p.fillRect(r, QColor(230, 240, 210));
      for (int i = 0; i < 30; ++i) {
        const QPointF q(r.left() + rng.Next() * r.width(), r.top() + rng.Next() * r.height());
        p.save();
        p.translate(q);
        p.rotate(rng.Next() * 360);
        const int g = 110 + static_cast<int>(70 * rng.Next());
        p.setPen(QPen(QColor(30, 80, 30), 0.6 * s));
        p.setBrush(QColor(40, g, 40));
        p.drawEllipse(QPointF(0, 0), 6 * s, 2.6 * s);
        p.drawLine(QPointF(-6 * s, 0), QPointF(6 * s, 0));
        p.restore();
      }
      break;
    }
    case 20: {  // sunset over the sea
      QLinearGradient g(r.topLeft(), r.bottomLeft());
      g.setColorAt(0, QColor(80, 30, 110));
      g.setColorAt(0.45, QColor(240, 110, 60));
      g.setColorAt(0.6, QColor(250, 200, 90));
      g.setColorAt(0.61, QColor(40, 60, 120));
      g.setColorAt(1, QColor(10, 20, 60));
      p.fillRect(r, g);
      const QPointF sun(c.x(), r.top() + r.height() * 0.6);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 230, 140));
      p.setClipRect(QRectF(r.left(), r.top(), r.width(), r.height() * 0.6), Qt::IntersectClip);
      p.drawEllipse(sun, r.width() * 0.22, r.width() * 0.22);
      p.setClipping(false);
      for (double y = sun.y() + 3 * s; y < r.bottom(); y += 4 * s) {
        const double half = r.width() * 0.22 * (1 - (y - sun.y()) / (r.bottom() - sun.y()));
        p.fillRect(QRectF(sun.x() - half, y, 2 * half, 1.2 * s), QColor(250, 200, 110));
      }
      break;
    }
    case 21: {  // mountains
      QLinearGradient g(r.topLeft(), r.bottomLeft());
      g.setColorAt(0, QColor(120, 180, 240));
      g.setColorAt(1, QColor(230, 240, 250));
      p.fillRect(r, g);
      const QColor layers[] = {QColor(120, 130, 170), QColor(70, 100, 120), QColor(40, 80, 60)};
      for (int k = 0; k < 3; ++k) {
        QPainterPath m;
        m.moveTo(r.left(), r.bottom());
        const double base = r.top() + r.height() * (0.45 + 0.15 * k);
        for (double x = r.left(); x <= r.right() + 4; x += 4 * s)
          m.lineTo(x, base - std::abs(std::sin((x - r.left()) / (9 * s) + k * 2.1)) * 14 * s *
                                 (1.2 - 0.3 * k));
        m.lineTo(r.right(), r.bottom());
        m.closeSubpath();
        p.fillPath(m, layers[k]);
      }
      break;
    }
    case 22: {  // mosaic
      p.fillRect(r, QColor(240, 235, 220));
      const double d = 6 * s;
      const QColor tones[] = {QColor(30, 90, 160), QColor(40, 140, 180), QColor(220, 180, 60),
                              QColor(200, 80, 50), QColor(60, 130, 80)};
      for (double y = r.top(); y < r.bottom(); y += d)
        for (double x = r.left(); x < r.right(); x += d)
          p.fillRect(QRectF(x + 0.5 * s, y + 0.5 * s, d - 1 * s, d - 1 * s),
                     tones[static_cast<int>(rng.Next() * 5)]);
      break;
    }
    case 23: {  // circles
      p.fillRect(r, QColor(250, 246, 236));
      p.setPen(Qt::NoPen);
      const QColor tones[] = {QColor(230, 60, 60, 150), QColor(40, 120, 220, 150),
                              QColor(250, 190, 30, 160), QColor(40, 170, 110, 150)};
      for (int i = 0; i < 14; ++i) {
        p.setBrush(tones[i % 4]);
        const double rr = (5 + 10 * rng.Next()) * s;
        p.drawEllipse(QPointF(r.left() + rng.Next() * r.width(), r.top() + rng.Next() * r.height()),
                      rr, rr);
      }
      break;
    }
    case 24: {  // starburst
      const double big = r.width() + r.height();
      for (int k = 0; k < 24; ++k) {
        QPainterPath ray;
        ray.moveTo(c);
        ray.arcTo(QRectF(c.x() - big, c.y() - big, 2 * big, 2 * big), k * 15.0, 15.0);
        ray.closeSubpath();
        p.fillPath(ray, k % 2 ? QColor(240, 170, 30) : QColor(200, 50, 30));
      }
      p.setPen(QPen(QColor(255, 240, 200), 1.2 * s));
      p.setBrush(QColor(200, 50, 30));
      p.drawEllipse(c, 8 * s, 8 * s);
      break;
    }
    case 25: {  // basket weave
      p.fillRect(r, QColor(120, 80, 40));
      const double d = 8 * s;
      for (int j = 0; r.top() + j * d < r.bottom(); ++j)
        for (int i = 0; r.left() + i * d < r.right(); ++i) {
          const QRectF cell(r.left() + i * d, r.top() + j * d, d, d);
          for (int k = 0; k < 3; ++k) {
            QRectF strip = (i + j) % 2
                               ? QRectF(cell.left() + 0.4 * s, cell.top() + k * d / 3 + 0.4 * s,
                                        d - 0.8 * s, d / 3 - 0.8 * s)
                               : QRectF(cell.left() + k * d / 3 + 0.4 * s, cell.top() + 0.4 * s,
                                        d / 3 - 0.8 * s, d - 0.8 * s);
            p.fillRect(strip, QColor(220, 180, 110));
          }
        }
      break;
    }
    case 26: {  // spiral
      p.fillRect(r, QColor(60, 20, 90));
      QPainterPath sp;
      for (double t = 0; t < 40; t += 0.05) {
        const double rr = t * 1.6 * s;
        const QPointF q(c.x() + rr * std::cos(t), c.y() + rr * std::sin(t));
        if (t == 0)
          sp.moveTo(q);
        else
          sp.lineTo(q);
      }
      p.setPen(QPen(QColor(220, 160, 240), 2.0 * s));
      p.setBrush(Qt::NoBrush);
      p.drawPath(sp);
      break;
    }
    default: {  // tartan
      p.fillRect(r, QColor(20, 70, 40));
      const double d = 12 * s;
      for (double x = r.left(); x < r.right(); x += d) {
        p.fillRect(QRectF(x, r.top(), 4 * s, r.height()), QColor(170, 20, 30, 170));
        p.fillRect(QRectF(x + 7 * s, r.top(), 1 * s, r.height()), QColor(240, 210, 60, 200));
      }
      for (double y = r.top(); y < r.bottom(); y += d) {
        p.fillRect(QRectF(r.left(), y, r.width(), 4 * s), QColor(170, 20, 30, 170));
        p.fillRect(QRectF(r.left(), y + 7 * s, r.width(), 1 * s), QColor(240, 210, 60, 200));
      }
      break;
    }
  }
}

}  // namespace

QImage CardBack(int number, int w, int h) {
  QImage img = CardBlank(w, h, QColor(255, 255, 255), QColor(96, 96, 96));
  const double s = w / 71.0;
  // A thin margin: the band of a covered back in a fan shows the pattern.
  const int margin = w >= 50 ? 2 : 1;
  const QRectF inner(margin, margin, w - 2 * margin, h - 2 * margin);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setClipRect(inner);
  Pattern(p, number, inner, std::max(s, 0.45));
  p.setClipping(false);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QColor(0, 0, 0, 90));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(margin, margin, w - 2 * margin - 1, h - 2 * margin - 1));
  p.end();
  CardOutline(img, QColor(96, 96, 96));
  return img;
}

void DrawBacks(Output& out) {
  for (const gfx::PictureInfo& back : gfx::CardBacks())
    out.Images(QString::fromStdString(gfx::BackFileName('B', back.number)),
               CardBack(back.number, 71, 96));
  // The smaller sizes have one back of their own.
  out.Images(QString::fromStdString(gfx::BackFileName('M', gfx::kSmallSizeBack)),
             CardBack(gfx::kSmallSizeBack, 59, 80));
  out.Images(QString::fromStdString(gfx::BackFileName('L', gfx::kSmallSizeBack)),
             CardBack(gfx::kSmallSizeBack, 25, 32));
}

}  // namespace tw::art
