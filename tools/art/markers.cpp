// Empty-pile markers ("W" size code), the drag shadows and the stock's 3-D
// edge strips, at every card size.
#include <QPainter>
#include <cmath>

#include "tools/art/art.h"

namespace tw::art {

namespace {

const QColor kSlot(0, 78, 0);
const QColor kLine(130, 200, 130);
const QColor kSoft(90, 160, 90);
// Transparent colours the table code sets on these strips.
const QColor kShadowKey(255, 255, 255);
const QColor kBorderKey(0, 0, 255);  // platform value $FF0000

QImage Slot(const CardSize& sz) {
  QImage img = CardBlank(sz.w, sz.h, kSlot, kLine);
  return img;
}

QString MarkerName(const CardSize& sz, int code) {
  return QString("W%1%2").arg(QChar(sz.letter)).arg(code, 3, 10, QChar('0'));
}

void RankMarker(QImage& img, const QString& text) {
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const double px = img.width() < 40 ? 14 : img.width() * (text.size() > 1 ? 0.42 : 0.52);
  p.setFont(SerifFont(px, true, text.size() > 1));
  p.setPen(kLine);
  p.drawText(QRectF(0, 0, img.width(), img.height()), Qt::AlignCenter, text);
}

// A ring for "turn the stock again", optionally with an arrow head.
void Ring(QImage& img, const QColor& c, bool arrow) {
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double r = img.width() * 0.28;
  const QPointF m(img.width() / 2.0, img.height() / 2.0);
  p.setPen(QPen(c, std::max(1.5, img.width() / 12.0), Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  if (!arrow) {
    p.drawEllipse(m, r, r);
    return;
  }
  p.drawArc(QRectF(m.x() - r, m.y() - r, 2 * r, 2 * r), 100 * 16, 300 * 16);
  const double a = 100 * M_PI / 180;
  const QPointF tip(m.x() + r * std::cos(a), m.y() - r * std::sin(a));
  const double k = r * 0.55;
  QPainterPath head;
  head.moveTo(tip + QPointF(k * 0.9, -k * 0.1));
  head.lineTo(tip + QPointF(-k * 0.2, -k * 0.75));
  head.lineTo(tip + QPointF(-k * 0.1, k * 0.7));
  head.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawPath(head);
}

void Cross(QImage& img, const QColor& c, double inset, double width) {
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap));
  const double w = img.width(), h = img.height();
  const double d = std::min(w, h) * inset;
  const QPointF m(w / 2, h / 2);
  p.drawLine(m + QPointF(-d, -d), m + QPointF(d, d));
  p.drawLine(m + QPointF(-d, d), m + QPointF(d, -d));
}

void InnerFrame(QImage& img, const QColor& c, bool dashed) {
  QPainter p(&img);
  const int m = img.width() < 40 ? 3 : 5;
  p.setPen(QPen(c, 1, dashed ? Qt::DotLine : Qt::SolidLine));
  p.drawRect(QRect(m, m, img.width() - 2 * m - 1, img.height() - 2 * m - 1));
}

void Diamonds(QImage& img, const QColor& c) {
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double w = img.width(), h = img.height();
  const QPointF m(w / 2, h / 2);
  for (int k = 0; k < 3; ++k) {
    const double d = std::min(w, h) * (0.12 + 0.1 * k);
    QPolygonF poly(
        {m + QPointF(0, -d * 1.3), m + QPointF(d, 0), m + QPointF(0, d * 1.3), m + QPointF(-d, 0)});
    p.setPen(QPen(c, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(poly);
  }
}

// Three small cards with an arrow: the stock of games that deal in rows.
void DealArrows(QImage& img, const QColor& c) {
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double w = img.width(), h = img.height();
  p.setPen(QPen(c, std::max(1.2, w / 30.0)));
  p.setBrush(Qt::NoBrush);
  const double cw = w * 0.3, ch = h * 0.22;
  for (int k = 0; k < 3; ++k)
    p.drawRoundedRect(QRectF(w * 0.2 + k * cw * 0.35, h * 0.2 + k * ch * 0.25, cw, ch), 1.5, 1.5);
  const double x = w / 2;
  p.drawLine(QPointF(x, h * 0.52), QPointF(x, h * 0.8));
  QPainterPath head;
  head.moveTo(x - w * 0.1, h * 0.72);
  head.lineTo(x, h * 0.84);
  head.lineTo(x + w * 0.1, h * 0.72);
  p.drawPath(head);
}

// The drag shadow: a black checker, the same pattern the table code uses
// for runs. Part 1 lies right of the card from 7 rows below its top down to
// its bottom edge; part 2 lies below it from 8 columns right of its left.
QImage ShadowRight(const CardSize& sz) {
  QImage img = NewImage(7, sz.h - 6, kShadowKey);
  for (int c = 0; c < 7; ++c)
    for (int r = (c == 6 ? 2 : c % 2); r < img.height(); r += 2) img.setPixelColor(c, r, Qt::black);
  return img;
}

QImage ShadowBelow(const CardSize& sz) {
  // Columns are counted from the card's left edge + 8; the band reaches the
  // shadow's right end (R + 6, or R + 4 in the last two rows).
  QImage img = NewImage(sz.w - 1, 7, kShadowKey);
  for (int r = 0; r < 7; ++r) {
    const int start = r == 6 ? 2 : r % 2;
    const int last = r >= 5 ? sz.w - 4 : sz.w - 2;
    for (int c = start; c <= last && c < img.width(); c += 2) img.setPixelColor(c, r, Qt::black);
  }
  return img;
}

QColor EdgeLevel(int k) { return k % 2 ? QColor(236, 236, 236) : QColor(80, 80, 80); }

// Right strip of the stock's edge: column 15 - k holds the right edge of the
// card k levels down the stack, which spans rows 13 - k .. 13 - k + CH - 1.
QImage BorderRight(const CardSize& sz) {
  QImage img = NewImage(16, sz.h + 13, kBorderKey);
  for (int k = 0; k <= 15; ++k) {
    const int col = 15 - k;
    for (int r = 13 - k + 2; r <= 13 - k + sz.h - 3; ++r)
      if (r >= 0 && r < img.height()) img.setPixelColor(col, r, EdgeLevel(k));
  }
  return img;
}

// Bottom strip: row 15 - k holds the bottom edge of the card k levels down,
// which spans columns 13 - k .. 13 - k + CW - 1.
QImage BorderBelow(const CardSize& sz) {
  QImage img = NewImage(sz.w + 11, 16, kBorderKey);
  for (int k = 0; k <= 15; ++k) {
    const int row = 15 - k;
    for (int c = 13 - k + 2; c <= 13 - k + sz.w - 3; ++c)
      if (c >= 0 && c < img.width()) img.setPixelColor(c, row, EdgeLevel(k));
  }
  return img;
}

}  // namespace

void DrawMarkersAndStrips(Output& out) {
  static const struct {
    int code;
    const char* text;
  } kRanks[] = {{10, "A"}, {12, "2"}, {13, "3"},  {14, "4"}, {15, "5"}, {16, "6"}, {17, "7"},
                {18, "8"}, {19, "9"}, {20, "10"}, {6, "J"},  {3, "Q"},  {11, "K"}};
  for (const CardSize& sz : kSizes) {
    const double line = std::max(1.5, sz.w / 14.0);
    for (const auto& r : kRanks) {
      QImage img = Slot(sz);
      RankMarker(img, QString::fromLatin1(r.text));
      out.Library(MarkerName(sz, r.code), img);
    }
    QImage reserve = Slot(sz);
    InnerFrame(reserve, kSoft, true);
    out.Library(MarkerName(sz, 1), reserve);
    out.Library(MarkerName(sz, 2), Slot(sz));
    QImage base = Slot(sz);
    InnerFrame(base, kSoft, false);
    out.Library(MarkerName(sz, 4), base);
    QImage redeal = Slot(sz);
    Ring(redeal, QColor(150, 230, 150), true);
    out.Library(MarkerName(sz, 5), redeal);
    QImage no_fill = Slot(sz);
    Cross(no_fill, kSoft, 0.22, line * 0.7);
    out.Library(MarkerName(sz, 7), no_fill);
    QImage stock_done = Slot(sz);
    Cross(stock_done, QColor(220, 110, 90), 0.2, line);
    out.Library(MarkerName(sz, 8), stock_done);
    QImage reserve9 = Slot(sz);
    Diamonds(reserve9, kSoft);
    out.Library(MarkerName(sz, 9), reserve9);
    QImage deal = Slot(sz);
    DealArrows(deal, kLine);
    out.Library(MarkerName(sz, 21), deal);
    QImage stock_again = Slot(sz);
    Ring(stock_again, QColor(150, 230, 150), false);
    out.Library(MarkerName(sz, 22), stock_again);

    const QString s(QChar(sz.letter));
    out.Library("SHADOW_" + s + "1", ShadowRight(sz));
    out.Library("SHADOW_" + s + "2", ShadowBelow(sz));
    out.Library("3D_BORDER_" + s + "1", BorderRight(sz));
    out.Library("3D_BORDER_" + s + "2", BorderBelow(sz));
  }
}

}  // namespace tw::art
