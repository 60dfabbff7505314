// Card faces: five face sets, every size, one sheet per suit.
#include <QPainter>
#include <array>
#include <cmath>
#include <vector>

#include "tools/art/art.h"

namespace tw::art {

namespace {

struct FaceStyle {
  QColor paper, edge;
  std::array<QColor, 4> suit;  // hearts, diamonds, clubs, spades
  QColor court_fill, court_frame, gold, skin;
};

// 001 classic, 002 four colours, 003 bold (the default of small displays and
// of the smaller sizes), 004 ivory, 005 green and blue.
const std::array<FaceStyle, 5> kStyles = {{
    {QColor(255, 255, 255),
     QColor(96, 96, 96),
     {QColor(204, 18, 30), QColor(204, 18, 30), QColor(20, 20, 20), QColor(20, 20, 20)},
     QColor(250, 236, 200),
     QColor(40, 60, 140),
     QColor(214, 160, 30),
     QColor(248, 214, 180)},
    {QColor(255, 255, 255),
     QColor(96, 96, 96),
     {QColor(210, 20, 30), QColor(24, 88, 200), QColor(0, 128, 48), QColor(20, 20, 20)},
     QColor(236, 242, 250),
     QColor(70, 70, 70),
     QColor(214, 160, 30),
     QColor(248, 214, 180)},
    {QColor(255, 255, 255),
     QColor(0, 0, 0),
     {QColor(255, 0, 0), QColor(255, 0, 0), QColor(0, 0, 0), QColor(0, 0, 0)},
     QColor(255, 255, 192),
     QColor(0, 0, 128),
     QColor(224, 160, 0),
     QColor(255, 224, 192)},
    {QColor(252, 247, 232),
     QColor(120, 100, 70),
     {QColor(168, 22, 44), QColor(168, 22, 44), QColor(24, 30, 52), QColor(24, 30, 52)},
     QColor(240, 224, 184),
     QColor(120, 30, 40),
     QColor(190, 140, 40),
     QColor(240, 206, 170)},
    {QColor(253, 253, 250),
     QColor(80, 80, 90),
     {QColor(190, 20, 60), QColor(220, 90, 20), QColor(30, 90, 60), QColor(30, 30, 60)},
     QColor(228, 240, 228),
     QColor(30, 90, 60),
     QColor(200, 150, 40),
     QColor(246, 212, 178)},
}};

QString RankText(int rank) {
  static const char* const kRanks[] = {"",  "A", "2", "3",  "4", "5", "6",
                                       "7", "8", "9", "10", "J", "Q", "K"};
  return QString::fromLatin1(kRanks[rank]);
}

void Pip(QPainter& p, int suit, QPointF centre, double w, bool flipped, const QColor& c) {
  const double h = w * (suit == 1 ? 1.25 : 1.1);
  QRectF box(centre.x() - w / 2, centre.y() - h / 2, w, h);
  p.save();
  if (flipped) {
    p.translate(centre);
    p.rotate(180);
    p.translate(-centre);
  }
  p.fillPath(SuitPath(suit, box), c);
  p.restore();
}

// Corner suit marks drawn pixel by pixel: at these sizes a scaled outline
// blurs into a blot in which a spade and a club look alike, so each mark is
// drawn on the pixel grid with the spade's point and stem and the club's
// three round lobes kept apart. Rows top to bottom, '#' inked.
struct Mark {
  int w, h;
  std::array<const char*, 8> rows;
};
// Large cards: nine wide, eight high.
const std::array<Mark, 4> kLargeMarks = {{
    {9, 8, {".##...##.", "####.####", "#########", "#########", ".#######.", "..#####..",
            "...###...", "....#...."}},
    {9, 8, {"....#....", "...###...", "..#####..", ".#######.", ".#######.", "..#####..",
            "...###...", "....#...."}},
    {9, 8, {"...###...", "..#####..", "..#####..", "##.###.##", "#########", "##..#..##",
            "....#....", "..#####.."}},
    {9, 8, {"....#....", "...###...", "..#####..", ".#######.", "#########", "#########",
            ".##.#.##.", "...###..."}},
}};
// Medium cards: seven wide, six high.
const std::array<Mark, 4> kMediumMarks = {{
    {7, 6, {".##.##.", "#######", "#######", ".#####.", "..###..", "...#..."}},
    {7, 6, {"...#...", "..###..", ".#####.", ".#####.", "..###..", "...#..."}},
    {7, 6, {"..###..", "..###..", "##.#.##", "#######", "##.#.##", "...#..."}},
    {7, 6, {"...#...", "..###..", ".#####.", "#######", "#######", "..###.."}},
}};

void DrawMark(QImage& img, const Mark& m, int left, int top, bool turned, const QColor& c) {
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) {
      if (m.rows[static_cast<size_t>(y)][x] != '#') continue;
      const int px = left + x, py = top + y;
      if (turned)
        img.setPixelColor(img.width() - 1 - px, img.height() - 1 - py, c);
      else
        img.setPixelColor(px, py, c);
    }
}

// Corner figures, drawn on the pixel grid in the same way: at these heights
// a scaled face thins to one-pixel strokes, while these keep two-pixel
// stems, an open 6 against a closed 9, a 3 open on the left against the
// 8, and the Q's tail. Index 0 is the 0 of the 10, 1 the 1, 2..9 the
// numbers, 11 J, 12 Q, 13 K, 14 A.
using Figures = std::array<Mark, 15>;
// Large cards: eight high.
const Figures kLargeFigures = {{
    {6, 8, {".####.", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##", ".####."}},
    {3, 8, {".##", "###", ".##", ".##", ".##", ".##", ".##", ".##"}},
    {6, 8, {".####.", "##..##", "....##", "...##.", "..##..", ".##...", "##....", "######"}},
    {6, 8, {"#####.", "....##", "....##", ".####.", "....##", "....##", "....##", "#####."}},
    {6, 8, {"...##.", "..###.", ".####.", "##.##.", "######", "...##.", "...##.", "...##."}},
    {6, 8, {"######", "##....", "#####.", "....##", "....##", "....##", "##..##", ".####."}},
    {6, 8, {"..###.", ".##...", "##....", "#####.", "##..##", "##..##", "##..##", ".####."}},
    {6, 8, {"######", "....##", "...##.", "...##.", "..##..", "..##..", ".##...", ".##..."}},
    {6, 8, {".####.", "##..##", "##..##", ".####.", "##..##", "##..##", "##..##", ".####."}},
    {6, 8, {".####.", "##..##", "##..##", "##..##", ".#####", "....##", "...##.", ".###.."}},
    {0, 0, {}},
    {6, 8, {"..####", "....##", "....##", "....##", "....##", "##..##", "##..##", ".####."}},
    {7, 8, {".####..", "##..##.", "##..##.", "##..##.", "##..##.", "##.###.", ".#####.",
            "....###"}},
    {6, 8, {"##..##", "##.##.", "####..", "###...", "####..", "##.##.", "##..##", "##..##"}},
    {6, 8, {"..##..", ".####.", "##..##", "##..##", "######", "##..##", "##..##", "##..##"}},
}};
// Medium cards: six high.
const Figures kMediumFigures = {{
    {5, 6, {".###.", "##.##", "##.##", "##.##", "##.##", ".###."}},
    {3, 6, {".##", "###", ".##", ".##", ".##", ".##"}},
    {5, 6, {"####.", "...##", "..##.", ".##..", "##...", "#####"}},
    {5, 6, {"####.", "...##", ".###.", "...##", "...##", "####."}},
    {5, 6, {"...##", "..###", ".#.##", "#####", "...##", "...##"}},
    {5, 6, {"#####", "##...", "####.", "...##", "...##", "####."}},
    {5, 6, {".###.", "##...", "##...", "####.", "##.##", ".###."}},
    {5, 6, {"#####", "...##", "..##.", "..##.", ".##..", ".##.."}},
    {5, 6, {".###.", "##.##", ".###.", "##.##", "##.##", ".###."}},
    {5, 6, {".###.", "##.##", "##.##", ".####", "...##", ".###."}},
    {0, 0, {}},
    {5, 6, {"..###", "...##", "...##", "...##", "##.##", ".###."}},
    {6, 6, {".###..", "##.##.", "##.##.", "##.##.", "##.##.", ".#####"}},
    {5, 6, {"##.##", "####.", "###..", "####.", "##.##", "##.##"}},
    {5, 6, {"..#..", ".###.", "##.##", "#####", "##.##", "##.##"}},
}};

// Where the corner index lies, inside the band that stays in view when
// the card is covered in a downward fan (18 px at B, 14 at M): the rank
// from the row under the border, a free row, then the suit mark.
struct IndexBox {
  int rank_top;
  int column;  // centre column of rank and mark
  int mark_top;
  const Figures* figures;
  const Mark* marks;
};

IndexBox IndexFor(int w) {
  if (w >= 70) return {1, 6, 10, &kLargeFigures, kLargeMarks.data()};
  return {1, 5, 8, &kMediumFigures, kMediumMarks.data()};
}

// Rank over its suit mark, top-left and (turned) bottom-right.
void CornerIndex(QImage& img, const FaceStyle& st, int suit, int rank) {
  const IndexBox box = IndexFor(img.width());
  const Mark& mark = box.marks[suit];
  const QColor c = st.suit[suit];
  std::vector<const Mark*> figures;
  if (rank == 10) {
    figures = {&(*box.figures)[1], &(*box.figures)[0]};
  } else {
    figures = {&(*box.figures)[rank == 1 ? 14 : rank]};
  }
  int width = -1;
  for (const Mark* g : figures) width += g->w + 1;
  int left = std::max(2, box.column + 1 - (width + 1) / 2);
  for (bool turned : {false, true}) {
    int x = left;
    for (const Mark* g : figures) {
      DrawMark(img, *g, x, box.rank_top, turned, c);
      x += g->w + 1;
    }
    DrawMark(img, mark, box.column + 1 - (mark.w + 1) / 2, box.mark_top, turned, c);
  }
}

// Centres of the pips of the number cards, in columns 0..2 and rows 0..1.
struct PipPos {
  double col, row;
};
const std::array<std::vector<PipPos>, 11> kPips = {{
    {},
    {{1, 0.5}},
    {{1, 0}, {1, 1}},
    {{1, 0}, {1, 0.5}, {1, 1}},
    {{0, 0}, {2, 0}, {0, 1}, {2, 1}},
    {{0, 0}, {2, 0}, {1, 0.5}, {0, 1}, {2, 1}},
    {{0, 0}, {2, 0}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}},
    {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}},
    {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {1, 0.75}, {0, 1}, {2, 1}},
    {{0, 0},
     {2, 0},
     {0, 1.0 / 3},
     {2, 1.0 / 3},
     {1, 0.5},
     {0, 2.0 / 3},
     {2, 2.0 / 3},
     {0, 1},
     {2, 1}},
    {{0, 0},
     {2, 0},
     {1, 1.0 / 6},
     {0, 1.0 / 3},
     {2, 1.0 / 3},
     {0, 2.0 / 3},
     {2, 2.0 / 3},
     {1, 5.0 / 6},
     {0, 1},
     {2, 1}},
}};

void NumberPips(QPainter& p, const FaceStyle& st, int suit, int rank, int w, int h) {
  const QColor c = st.suit[suit];
  if (rank == 1) {
    const double big = w * 0.46;
    Pip(p, suit, QPointF(w / 2.0, h / 2.0), big, false, c);
    // A thin ring of the suit colour gives the ace its own look.
    p.setPen(QPen(c, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(w / 2.0, h / 2.0), big * 0.82, big * 0.82);
    return;
  }
  const double pip_w = w >= 70 ? 13.0 : 10.5;
  const double xs[3] = {w * 0.315, w / 2.0, w * 0.685};
  // The pips keep clear of the band that a covering card leaves in view, so
  // that the band shows only the rank and the suit.
  const double band = w >= 70 ? 18.0 : 14.0;
  const double top = band + 1.0 + pip_w / 2, bottom = h - top;
  for (const PipPos& pos : kPips[rank]) {
    const double y = top + pos.row * (bottom - top);
    Pip(p, suit, QPointF(xs[static_cast<int>(pos.col)], y), pip_w, pos.row > 0.5, c);
  }
}

// The emblem above the court letter: a crown for the King, a coronet for the
// Queen, a plumed cap for the Jack.
void CourtEmblem(QPainter& p, int rank, QRectF r, const FaceStyle& st, const QColor& gem) {
  p.setPen(QPen(st.court_frame, 0.7));
  QPainterPath e;
  const double x0 = r.left(), x1 = r.right(), y0 = r.top(), y1 = r.bottom();
  const double w = r.width(), h = r.height();
  if (rank == 13) {
    e.moveTo(x0, y1);
    e.lineTo(x0, y0 + h * 0.25);
    e.lineTo(x0 + w * 0.25, y0 + h * 0.6);
    e.lineTo(x0 + w * 0.5, y0);
    e.lineTo(x0 + w * 0.75, y0 + h * 0.6);
    e.lineTo(x1, y0 + h * 0.25);
    e.lineTo(x1, y1);
    e.closeSubpath();
    p.setBrush(st.gold);
    p.drawPath(e);
    p.setBrush(gem);
    const double g = std::max(1.6, w * 0.1);
    p.drawEllipse(QPointF(x0 + w * 0.5, y0 + h * 0.62), g, g);
    p.drawEllipse(QPointF(x0 + w * 0.18, y0 + h * 0.8), g * 0.7, g * 0.7);
    p.drawEllipse(QPointF(x0 + w * 0.82, y0 + h * 0.8), g * 0.7, g * 0.7);
  } else if (rank == 12) {
    e.moveTo(x0, y1);
    e.quadTo(x0 + w * 0.1, y0 + h * 0.3, x0 + w * 0.25, y0 + h * 0.45);
    e.quadTo(x0 + w * 0.38, y0, x0 + w * 0.5, y0 + h * 0.35);
    e.quadTo(x0 + w * 0.62, y0, x0 + w * 0.75, y0 + h * 0.45);
    e.quadTo(x0 + w * 0.9, y0 + h * 0.3, x1, y1);
    e.closeSubpath();
    p.setBrush(st.gold);
    p.drawPath(e);
    p.setBrush(gem);
    const double g = std::max(1.4, w * 0.08);
    p.drawEllipse(QPointF(x0 + w * 0.25, y0 + h * 0.4), g, g);
    p.drawEllipse(QPointF(x0 + w * 0.5, y0 + h * 0.3), g, g);
    p.drawEllipse(QPointF(x0 + w * 0.75, y0 + h * 0.4), g, g);
  } else {
    // Cap with a feather.
    e.moveTo(x0 + w * 0.1, y1);
    e.quadTo(x0 + w * 0.15, y0 + h * 0.25, x0 + w * 0.55, y0 + h * 0.3);
    e.quadTo(x0 + w * 0.9, y0 + h * 0.35, x0 + w * 0.9, y1);
    e.closeSubpath();
    p.setBrush(gem);
    p.drawPath(e);
    QPainterPath feather;
    feather.moveTo(x0 + w * 0.55, y0 + h * 0.35);
    feather.quadTo(x0 + w * 0.75, y0 - h * 0.05, x1, y0);
    feather.quadTo(x0 + w * 0.8, y0 + h * 0.3, x0 + w * 0.6, y0 + h * 0.45);
    feather.closeSubpath();
    p.setBrush(st.gold);
    p.drawPath(feather);
    p.setPen(QPen(st.gold, std::max(1.0, h * 0.12)));
    p.drawLine(QPointF(x0 + w * 0.1, y1), QPointF(x0 + w * 0.9, y1));
  }
}

// A bust for one half of a court card: robe, head and headwear, facing the
// viewer, the robe reaching the panel's middle line.
void CourtFigureHalf(QPainter& p, const FaceStyle& st, int suit, int rank, QRectF half) {
  const QColor c = st.suit[suit];
  const double w = half.width(), h = half.height();
  auto P = [&](double x, double y) { return QPointF(half.left() + x * w, half.top() + y * h); };
  const QPen outline(st.court_frame, 0.7);
  // Robe with a gold collar and a centre band.
  const bool black = suit >= 2;
  const QColor cloth = black ? st.court_frame : c;
  QPainterPath robe;
  robe.moveTo(P(0.1, 1.0));
  robe.lineTo(P(0.14, 0.8));
  robe.quadTo(P(0.18, 0.66), P(0.34, 0.64));
  robe.lineTo(P(0.66, 0.64));
  robe.quadTo(P(0.82, 0.66), P(0.86, 0.8));
  robe.lineTo(P(0.9, 1.0));
  robe.closeSubpath();
  p.setPen(outline);
  p.setBrush(cloth);
  p.drawPath(robe);
  // Sleeves in the second colour.
  p.setPen(Qt::NoPen);
  p.setBrush(black ? QColor(170, 40, 40) : st.court_frame);
  p.drawPolygon(QPolygonF({P(0.12, 1.0), P(0.15, 0.8), P(0.26, 0.72), P(0.3, 1.0)}));
  p.drawPolygon(QPolygonF({P(0.88, 1.0), P(0.85, 0.8), P(0.74, 0.72), P(0.7, 1.0)}));
  p.fillRect(QRectF(P(0.44, 0.68), P(0.56, 1.0)), st.gold);
  for (double y = 0.74; y < 0.98; y += 0.1)
    p.fillPath(SuitPath(suit, QRectF(P(0.455, y), P(0.545, y + 0.08))), c.darker(130));
  QPainterPath collar;
  collar.moveTo(P(0.32, 0.66));
  collar.quadTo(P(0.5, 0.8), P(0.68, 0.66));
  p.setPen(QPen(st.gold, std::max(1.0, h * 0.05), Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(collar);
  // Hair behind the head.
  const QColor hair = rank == 12 ? QColor(200, 150, 40) : QColor(90, 55, 25);
  p.setPen(Qt::NoPen);
  p.setBrush(hair);
  if (rank == 12)
    p.drawRoundedRect(QRectF(P(0.3, 0.26), P(0.7, 0.68)), w * 0.1, w * 0.1);
  else
    p.drawEllipse(QRectF(P(0.32, 0.26), P(0.68, 0.54)));
  // Head.
  p.setPen(outline);
  p.setBrush(st.skin);
  p.drawEllipse(QRectF(P(0.35, 0.29), P(0.65, 0.63)));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 30, 30));
  const double eye = std::max(0.6, w * 0.018);
  p.drawEllipse(P(0.44, 0.43), eye, eye);
  p.drawEllipse(P(0.56, 0.43), eye, eye);
  p.setPen(QPen(QColor(170, 60, 60), std::max(0.6, w * 0.015)));
  p.drawLine(P(0.46, 0.54), P(0.54, 0.54));
  if (rank == 13) {  // beard
    QPainterPath beard;
    beard.moveTo(P(0.36, 0.5));
    beard.quadTo(P(0.5, 0.78), P(0.64, 0.5));
    beard.quadTo(P(0.5, 0.6), P(0.36, 0.5));
    p.setPen(Qt::NoPen);
    p.setBrush(hair);
    p.drawPath(beard);
  }
  // Headwear.
  CourtEmblem(p, rank, QRectF(P(0.32, rank == 11 ? 0.12 : 0.04), P(0.68, 0.32)), st, c);
  // What each one holds at the side.
  p.setPen(QPen(st.gold.darker(115), std::max(1.0, w * 0.035), Qt::SolidLine, Qt::RoundCap));
  if (rank == 13) {
    p.drawLine(P(0.82, 0.2), P(0.82, 0.88));
    p.drawLine(P(0.74, 0.72), P(0.9, 0.72));
  } else if (rank == 12) {
    p.setPen(QPen(QColor(40, 120, 50), std::max(0.8, w * 0.025)));
    p.drawLine(P(0.8, 0.4), P(0.8, 0.85));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(P(0.8, 0.36), w * 0.06, w * 0.06);
    p.setBrush(st.gold);
    p.drawEllipse(P(0.8, 0.36), w * 0.025, w * 0.025);
  } else {
    p.drawLine(P(0.83, 0.12), P(0.83, 0.9));
    QPolygonF blade({P(0.83, 0.1), P(0.93, 0.22), P(0.83, 0.3)});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 175, 185));
    p.drawPolygon(blade);
  }
  // Suit pip at the side, as court cards carry it.
  const double pip_w = std::max(6.0, w * 0.2);
  Pip(p, suit, QPointF(half.left() + pip_w * 0.75, half.top() + pip_w * 0.85), pip_w, false, c);
}

void CourtPanel(QPainter& p, const FaceStyle& st, int suit, int rank, int w, int h) {
  // Below the band that stays in view in a downward fan.
  const double top = w >= 70 ? 19.0 : 15.0;
  const QRectF panel(std::round(w * 0.205) + 0.5, top + 0.5, w - 2 * std::round(w * 0.205) - 1,
                     h - 2 * top - 1);
  QLinearGradient g(panel.topLeft(), panel.bottomLeft());
  g.setColorAt(0, st.court_fill.lighter(104));
  g.setColorAt(0.5, st.court_fill.darker(104));
  g.setColorAt(1, st.court_fill.lighter(104));
  p.setPen(QPen(st.court_frame, 1.0));
  p.setBrush(g);
  p.drawRect(panel);
  const QRectF half(panel.left() + 1, panel.top() + 1, panel.width() - 2, panel.height() / 2 - 1);
  p.save();
  p.setClipRect(panel.adjusted(0.5, 0.5, -0.5, -0.5));
  CourtFigureHalf(p, st, suit, rank, half);
  p.translate(panel.center());
  p.rotate(180);
  p.translate(-panel.center());
  CourtFigureHalf(p, st, suit, rank, half);
  p.restore();
  p.setPen(QPen(st.court_frame, 0.6));
  p.drawLine(QPointF(panel.left() + 2, panel.center().y()),
             QPointF(panel.right() - 2, panel.center().y()));
}

// The smallest size keeps only a large rank and suit.
QImage SmallFace(const FaceStyle& st, int suit, int rank, int w, int h) {
  QImage img = CardBlank(w, h, st.paper, st.edge);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const QColor c = st.suit[suit];
  if (rank > 10) {
    p.fillRect(QRectF(w - 9, 2, 7, h - 4), st.court_fill);
    p.fillRect(QRectF(w - 9, 2, 1, h - 4), st.gold);
  }
  QFont f = SansFont(13, true, true);
  if (rank == 10) f.setLetterSpacing(QFont::AbsoluteSpacing, -1.5);
  p.setFont(f);
  p.setPen(c);
  p.drawText(QRectF(1, 0, 15, 15), Qt::AlignHCenter | Qt::AlignTop, RankText(rank));
  Pip(p, suit, QPointF(rank > 10 ? 9.0 : 12.5, 22.5), 12.0, false, c);
  p.end();
  CardOutline(img, st.edge);
  return img;
}

}  // namespace

QImage CardFace(int set, int suit, int rank, int w, int h) {
  const FaceStyle& st = kStyles[(set - 1) % 5];
  if (w < 40) return SmallFace(st, suit, rank, w, h);
  QImage img = CardBlank(w, h, st.paper, st.edge);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  if (rank <= 10)
    NumberPips(p, st, suit, rank, w, h);
  else
    CourtPanel(p, st, suit, rank, w, h);
  p.end();
  CornerIndex(img, st, suit, rank);
  CardOutline(img, st.edge);
  return img;
}

void DrawCards(Output& out) {
  static const char kSuitLetters[] = "HDCS";
  for (const CardSize& size : kSizes)
    for (int set = 1; set <= 5; ++set)
      for (int suit = 0; suit < 4; ++suit) {
        QImage sheet = NewImage(5 * size.w, 3 * size.h, kTableGreen);
        QPainter p(&sheet);
        for (int rank = 1; rank <= 13; ++rank) {
          const int cell = rank - 1;
          const int col = cell < 10 ? cell % 5 : cell - 10;
          const int row = cell < 10 ? cell / 5 : 2;
          p.drawImage(col * size.w, row * size.h, CardFace(set, suit, rank, size.w, size.h));
        }
        p.end();
        out.Library(QString("C%1%2%3")
                        .arg(QChar(size.letter))
                        .arg(set, 3, 10, QChar('0'))
                        .arg(QChar(kSuitLetters[suit])),
                    sheet);
      }
}

}  // namespace tw::art
