// Pictures of the windows around the table: poker panel, pause pictures,
// card-counter cells, toolbar glyphs, cursors, tree and list icons, the
// open-game attribute meters, the logo and the Customize previews.
#include <QPainter>
#include <cmath>
#include <functional>

#include "platform/gfx/reslib.h"
#include "tools/art/art.h"

namespace tw::art {

namespace {

const QColor kFormColour(212, 208, 200);
const QColor kPauseKey(0, 128, 0);  // transparent colour of the pause pictures
const QColor kSilverKey(192, 192, 192);

using Painter = std::function<void(QPainter&)>;

// Draws in a 32 x 32 design space scaled to size x size, with alpha.
QImage Icon(int size, const Painter& draw) {
  QImage img = NewAlphaImage(size, size);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(size / 32.0, size / 32.0);
  draw(p);
  return img;
}

QImage Disabled(const QImage& src) {
  QImage img = src.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      const int g = 150 + qGray(c.rgb()) / 3;
      img.setPixelColor(x, y, QColor(g, g, g, c.alpha() * 3 / 4));
    }
  return img;
}

void MiniCard(QPainter& p, QRectF r, const QColor& fill = Qt::white) {
  p.setPen(QPen(QColor(60, 60, 60), 1.2));
  p.setBrush(fill);
  p.drawRoundedRect(r, 2.5, 2.5);
}

void Arrow(QPainter& p, bool left, const QColor& c) {
  QPainterPath a;
  if (left) {
    a.moveTo(27, 24);
    a.cubicTo(27, 12, 18, 9, 11, 12);
  } else {
    a.moveTo(5, 24);
    a.cubicTo(5, 12, 14, 9, 21, 12);
  }
  p.setPen(QPen(c, 4.5, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(a);
  QPolygonF head = left ? QPolygonF({QPointF(4, 12), QPointF(14, 5), QPointF(14, 19)})
                        : QPolygonF({QPointF(28, 12), QPointF(18, 5), QPointF(18, 19)});
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawPolygon(head);
}

// The ten toolbar commands in a 32-unit design space.
struct Glyph {
  const char* name;
  Painter draw;
};

std::vector<Glyph> Glyphs() {
  return {
      {"NEW",
       [](QPainter& p) {
         MiniCard(p, QRectF(6, 4, 17, 24), QColor(30, 70, 160));
         p.fillPath(SuitPath(0, QRectF(19, 16, 11, 11)), QColor(220, 30, 40));
         p.setPen(QPen(QColor(250, 200, 30), 2.2));
         p.drawLine(QPointF(26, 2), QPointF(26, 10));
         p.drawLine(QPointF(22, 6), QPointF(30, 6));
       }},
      {"OPEN",
       [](QPainter& p) {
         p.setPen(QPen(QColor(140, 100, 20), 1.2));
         p.setBrush(QColor(240, 200, 80));
         p.drawRect(QRectF(3, 9, 24, 18));
         p.drawRect(QRectF(3, 6, 10, 4));
         MiniCard(p, QRectF(12, 3, 12, 16));
         p.setBrush(QColor(250, 215, 110));
         p.drawPolygon(
             QPolygonF({QPointF(3, 27), QPointF(8, 14), QPointF(31, 14), QPointF(27, 27)}));
       }},
      {"RESTART",
       [](QPainter& p) {
         p.setPen(QPen(QColor(20, 140, 60), 4.5, Qt::SolidLine, Qt::RoundCap));
         p.setBrush(Qt::NoBrush);
         p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 290 * 16);
         p.setPen(Qt::NoPen);
         p.setBrush(QColor(20, 140, 60));
         p.drawPolygon(QPolygonF({QPointF(15, 2), QPointF(25, 5), QPointF(17, 12)}));
       }},
      {"SAVE",
       [](QPainter& p) {
         p.setPen(QPen(QColor(20, 40, 90), 1.2));
         p.setBrush(QColor(50, 90, 180));
         p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
         p.setBrush(QColor(240, 240, 240));
         p.drawRect(QRectF(9, 4, 14, 9));
         p.setBrush(QColor(200, 210, 230));
         p.drawRect(QRectF(8, 17, 16, 11));
         p.fillRect(QRectF(18, 6, 3, 5), QColor(50, 90, 180));
       }},
      {"UNDO", [](QPainter& p) { Arrow(p, true, QColor(30, 90, 190)); }},
      {"REDO", [](QPainter& p) { Arrow(p, false, QColor(30, 90, 190)); }},
      {"AUTOPLAY",
       [](QPainter& p) {
         MiniCard(p, QRectF(4, 10, 15, 20));
         p.fillPath(SuitPath(3, QRectF(7, 15, 9, 10)), QColor(30, 30, 30));
         p.setPen(Qt::NoPen);
         p.setBrush(QColor(240, 170, 20));
         p.drawPolygon(QPolygonF({QPointF(24, 2), QPointF(31, 11), QPointF(27, 11), QPointF(27, 22),
                                  QPointF(21, 22), QPointF(21, 11), QPointF(17, 11)}));
       }},
      {"STAT",
       [](QPainter& p) {
         p.setPen(QPen(QColor(60, 60, 60), 1.2));
         p.drawLine(QPointF(3, 29), QPointF(29, 29));
         p.setBrush(QColor(220, 60, 50));
         p.drawRect(QRectF(5, 16, 6, 13));
         p.setBrush(QColor(40, 150, 70));
         p.drawRect(QRectF(13, 7, 6, 22));
         p.setBrush(QColor(40, 100, 200));
         p.drawRect(QRectF(21, 12, 6, 17));
       }},
      {"RULES",
       [](QPainter& p) {
         p.setPen(QPen(QColor(90, 30, 20), 1.2));
         p.setBrush(QColor(170, 50, 40));
         p.drawRoundedRect(QRectF(5, 3, 22, 26), 2, 2);
         p.setBrush(QColor(245, 240, 225));
         p.drawRect(QRectF(8, 5, 17, 22));
         p.setFont(SerifFont(18, true));
         p.setPen(QColor(30, 60, 150));
         p.drawText(QRectF(8, 5, 17, 22), Qt::AlignCenter, "?");
       }},
      {"EXIT",
       [](QPainter& p) {
         p.setPen(QPen(QColor(80, 50, 20), 1.2));
         p.setBrush(QColor(150, 100, 50));
         p.drawRect(QRectF(4, 3, 16, 26));
         p.setBrush(QColor(250, 210, 60));
         p.drawEllipse(QPointF(16, 17), 1.6, 1.6);
         p.setPen(QPen(QColor(200, 30, 30), 3.5, Qt::SolidLine, Qt::RoundCap));
         p.drawLine(QPointF(17, 16), QPointF(28, 16));
         p.drawLine(QPointF(24, 11), QPointF(29, 16));
         p.drawLine(QPointF(24, 21), QPointF(29, 16));
       }},
  };
}

// Cursors: 32 x 32 with a hot spot.
QImage WithHotSpot(QImage img, int x, int y) {
  img.setText(QString::fromLatin1(gfx::kHotSpotKey), QString("%1,%2").arg(x).arg(y));
  return img;
}

void ArrowShape(QPainter& p, double scale) {
  QPolygonF a({QPointF(0, 0), QPointF(0, 16), QPointF(4, 12.5), QPointF(7, 19), QPointF(9.5, 18),
               QPointF(6.7, 11.6), QPointF(11.5, 11.6)});
  p.save();
  p.translate(1, 1);
  p.scale(scale, scale);
  p.setPen(QPen(Qt::black, 1.1 / scale, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(Qt::white);
  p.drawPolygon(a);
  p.restore();
}

void HandShape(QPainter& p, bool pointing) {
  p.setPen(QPen(Qt::black, 1.1));
  p.setBrush(Qt::white);
  QPainterPath h;
  if (pointing) {
    // Index finger up, the other three folded, thumb at the side.
    h.addRoundedRect(QRectF(8, 1, 5, 17), 2.5, 2.5);
    for (int k = 0; k < 3; ++k) h.addRoundedRect(QRectF(12.5 + k * 4, 10, 4.5, 8), 2.2, 2.2);
    h.addRoundedRect(QRectF(7, 14, 18.5, 13), 5, 5);
    h.addRoundedRect(QRectF(2.5, 14, 7, 5), 2.5, 2.5);
  } else {
    for (int k = 0; k < 4; ++k)
      h.addRoundedRect(QRectF(6 + k * 4.5, 3 + (k % 3 == 0 ? 3 : 0), 4.5, 14), 2.2, 2.2);
    h.addRoundedRect(QRectF(6, 12, 18, 14), 5, 5);
    h.addRoundedRect(QRectF(1, 12, 7, 5), 2.5, 2.5);
  }
  h.setFillRule(Qt::WindingFill);
  p.drawPath(h.simplified());
}

void CrossShape(QPainter& p) {
  p.setPen(QPen(Qt::white, 3));
  p.drawLine(QPointF(15.5, 2), QPointF(15.5, 29));
  p.drawLine(QPointF(2, 15.5), QPointF(29, 15.5));
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(QPointF(15.5, 2), QPointF(15.5, 29));
  p.drawLine(QPointF(2, 15.5), QPointF(29, 15.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(15.5, 15.5), 6, 6);
}

// The dragging twin carries a small card.
void CarriedCard(QPainter& p) {
  p.setPen(QPen(QColor(40, 40, 40), 1));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(18.5, 17.5, 11, 14), 1.5, 1.5);
  p.fillPath(SuitPath(0, QRectF(21, 21, 6, 6)), QColor(210, 20, 30));
}

QImage Cursor(const char* kind, bool dragging, QPoint& hot) {
  return Icon(32, [&](QPainter& p) {
    const QString k = QString::fromLatin1(kind);
    if (k == "ARROW1") {
      ArrowShape(p, 0.85);
      hot = QPoint(1, 1);
    } else if (k == "ARROW2") {
      ArrowShape(p, 1.35);
      hot = QPoint(1, 1);
    } else if (k == "HAND1") {
      HandShape(p, true);
      hot = QPoint(10, 1);
    } else if (k == "HAND2") {
      HandShape(p, false);
      hot = QPoint(13, 4);
    } else {
      CrossShape(p);
      hot = QPoint(15, 15);
    }
    if (dragging) CarriedCard(p);
  });
}

// A tree icon: a folder, or a small card, with a badge.
QImage Folder(bool open, const Painter& badge = nullptr) {
  return Icon(16, [&](QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 20), 1.6));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(QRectF(2, 8, 26, 19));
    p.drawRect(QRectF(2, 5, 11, 4));
    if (open) {
      p.setBrush(QColor(252, 222, 120));
      p.drawPolygon(QPolygonF({QPointF(2, 27), QPointF(8, 14), QPointF(31, 14), QPointF(28, 27)}));
    }
    if (badge) badge(p);
  });
}

QImage CardIcon(const QString& text, const QColor& colour, bool selected) {
  return Icon(16, [&](QPainter& p) {
    MiniCard(p, QRectF(5, 2, 22, 28), selected ? QColor(255, 250, 200) : Qt::white);
    p.setFont(SansFont(text.size() > 1 ? 13 : 18, true, true));
    p.setPen(colour);
    p.drawText(QRectF(4, 2, 24, 28), Qt::AlignCenter, text);
  });
}

QImage Badge(bool open, const QString& text, const QColor& colour) {
  return Folder(open, [&](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(22, 21), 8.5, 8.5);
    p.setFont(SansFont(12, true));
    p.setPen(Qt::white);
    p.drawText(QRectF(13.5, 12.5, 17, 17), Qt::AlignCenter, text);
  });
}

// Meters of the open-game dialog: filled of total segments.
QImage Meter(int filled, int total, const QColor& on) {
  QImage img = NewAlphaImage(64, 16);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double w = 60.0 / total;
  for (int i = 0; i < total; ++i) {
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(i < filled ? on : QColor(230, 230, 230));
    const double h = 5 + 9.0 * (i + 1) / total;
    p.drawRoundedRect(QRectF(2 + i * w, 15 - h, w - 2, h), 1.5, 1.5);
  }
  return img;
}

QImage TablePicture(int w, int h) {
  QImage img = NewImage(w, h, kTableGreen);
  QPainter p(&img);
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, QColor(0, 110, 20));
  g.setColorAt(1, QColor(0, 70, 10));
  p.fillRect(img.rect(), g);
  return img;
}

void DitheredShadow(QImage& img, QRect r) {
  // The same checker the table code draws beside a lifted run.
  const int L = r.left(), T = r.top(), R = r.right() + 1, B = r.bottom() + 1;
  auto set = [&](int x, int y) {
    if (img.rect().contains(x, y)) img.setPixelColor(x, y, Qt::black);
  };
  for (int c = 0; c < 7; ++c)
    for (int y = T + (c == 6 ? 9 : 7 + c % 2); y <= B; y += 2) set(R + c, y);
  for (int k = 0; k < 7; ++k)
    for (int x = L + (k == 6 ? 10 : 8 + k % 2); x <= (k >= 5 ? R + 4 : R + 6); x += 2)
      set(x, B + k);
}

}  // namespace

void DrawPanels(Output& out) {
  // Poker score panel: text lines at y + 5, 21 and 41, from x + 7.
  QImage panel = NewImage(168, 62, Qt::white);
  {
    QPainter p(&panel);
    p.setPen(QPen(QColor(20, 70, 30), 2));
    p.drawRect(QRectF(1, 1, 166, 60));
    p.setPen(QPen(QColor(200, 160, 40), 1));
    p.drawRect(QRect(3, 3, 161, 55));
    p.setPen(QPen(QColor(190, 190, 190), 1));
    p.drawLine(7, 38, 158, 38);
  }
  out.Library("Panel_pk", panel);

  QImage pause1 = NewImage(280, 76, kPauseKey);
  {
    QPainter p(&pause1);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath text;
    QFont f = SerifFont(58, true);
    text.addText(0, 0, f, "Paused");
    const QRectF b = text.boundingRect();
    text.translate((280 - b.width()) / 2 - b.left(), (76 - b.height()) / 2 - b.top());
    p.setPen(QPen(QColor(0, 40, 0), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(text);
    QLinearGradient g(0, 0, 0, 76);
    g.setColorAt(0, QColor(255, 248, 210));
    g.setColorAt(1, QColor(230, 190, 80));
    p.fillPath(text, g);
  }
  out.Library("BMP_PAUSE_1", pause1);

  QImage pause2 = NewImage(440, 34, kPauseKey);
  {
    QPainter p(&pause2);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath text;
    text.addText(0, 0, SansFont(19, true), "Click or press any key to continue");
    const QRectF b = text.boundingRect();
    text.translate((440 - b.width()) / 2 - b.left(), (34 - b.height()) / 2 - b.top());
    p.setPen(QPen(QColor(0, 40, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text);
    p.fillPath(text, QColor(230, 245, 230));
  }
  out.Library("BMP_PAUSE_2", pause2);

  // Card counter: suit icons and 13 x 16 cells, one per rank and state.
  static const char* const kSuitNames[] = {"card_hearts", "card_diamonds", "card_clubs",
                                           "card_spades"};
  static const QColor kSuitColours[] = {QColor(200, 20, 30), QColor(200, 20, 30),
                                        QColor(20, 20, 20), QColor(20, 20, 20)};
  for (int s = 0; s < 4; ++s) {
    QImage img = NewImage(14, 16, kFormColour);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(SuitPath(s, QRectF(1.5, 2.5, 11, 11)), kSuitColours[s]);
    p.end();
    out.Library(kSuitNames[s], img);
  }
  {
    QImage none = NewImage(13, 16, kFormColour);
    QPainter p(&none);
    p.setPen(QPen(QColor(150, 146, 140), 1, Qt::DotLine));
    p.drawRect(0, 0, 12, 15);
    p.end();
    out.Library("Card_None", none);
  }
  static const char* const kRanks[] = {"",  "A", "2", "3",  "4", "5", "6",
                                       "7", "8", "9", "10", "J", "Q", "K"};
  for (int rank = 1; rank <= 13; ++rank)
    for (bool up : {true, false}) {
      QImage img = NewImage(13, 16, kFormColour);
      QPainter p(&img);
      p.setPen(QColor(70, 70, 70));
      p.setBrush(up ? QColor(255, 255, 255) : QColor(30, 66, 150));
      p.drawRect(0, 0, 12, 15);
      p.setRenderHint(QPainter::TextAntialiasing);
      QFont f = SansFont(rank == 10 ? 9 : 10, true, rank == 10);
      if (rank == 10) f.setLetterSpacing(QFont::AbsoluteSpacing, -1);
      p.setFont(f);
      p.setPen(up ? QColor(0, 0, 0) : QColor(200, 215, 250));
      p.drawText(QRect(0, 0, 13, 16), Qt::AlignCenter, kRanks[rank]);
      p.end();
      out.Library(QString("Card_%1_%2").arg(rank).arg(up ? "Up" : "Down"), img);
    }

  // Customize previews on a small table.
  for (bool shadow : {true, false}) {
    QImage img = TablePicture(160, 120);
    QPainter p(&img);
    p.drawImage(20, 12, CardFace(1, 3, 1, 71, 96));
    p.end();
    if (shadow) DitheredShadow(img, QRect(62, 20, 71, 96));
    p.begin(&img);
    p.drawImage(62, 20, CardFace(1, 0, 13, 71, 96));
    p.end();
    out.Library(shadow ? "CARD_WITH_SHADOW" : "CARD_WITHOUT_SHADOW", img);
  }
  for (bool irregular : {true, false}) {
    QImage img = TablePicture(160, 120);
    QPainter p(&img);
    static const int kJitter[] = {0, 2, -1, 1, -2, 1};
    for (int i = 0; i < 5; ++i)
      p.drawImage(44 + (irregular ? kJitter[i] : 0), 4 + i * 18 - (i == 4 ? 0 : 0),
                  CardFace(1, i % 4, 13 - i * 2, 71, 96).copy(0, 0, 71, i == 4 ? 96 : 96));
    p.end();
    out.Library(irregular ? "CARD_IRR_PILES_YES" : "CARD_IRR_PILES_NO", img);
  }
  // Two-frame jump and twelve-frame glide of one card, on the silver key.
  const QImage small =
      CardFace(1, 0, 1, 59, 80).scaled(44, 60, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  QImage jump = NewImage(320, 80, kSilverKey);
  {
    QPainter p(&jump);
    p.drawImage(10, 10, small);
    p.drawImage(160 + 106, 10, small);
  }
  out.Library("ANIM_NO", jump);
  QImage glide = NewImage(1920, 80, kSilverKey);
  {
    QPainter p(&glide);
    for (int f = 0; f < 12; ++f) p.drawImage(f * 160 + 10 + f * 96 / 11, 10, small);
  }
  out.Library("ANIM_YES", glide);

  // Open-game logo.
  QImage logo = TablePicture(300, 185);
  {
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int i = 0; i < 5; ++i) {
      p.save();
      p.translate(150, 150);
      p.rotate(-24 + i * 12);
      p.drawImage(-35, -120, CardFace(1, i % 4, 1 + (i == 2 ? 12 : i * 3), 71, 96));
      p.restore();
    }
    QPainterPath text;
    text.addText(0, 0, SerifFont(30, true), "Tarnwell 2000");
    const QRectF b = text.boundingRect();
    text.translate((300 - b.width()) / 2 - b.left(), 172 - b.bottom());
    p.setPen(QPen(QColor(0, 30, 0), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text);
    p.fillPath(text, QColor(255, 236, 160));
  }
  out.Library("LOGO", logo);
}

void DrawGlyphs(Output& out) {
  for (const Glyph& g : Glyphs()) {
    const QString name = QString::fromLatin1(g.name);
    const QImage small = Icon(16, g.draw), large = Icon(32, g.draw);
    out.Library("TB_" + name, small);
    out.Library("TB_" + name + "_DIS", Disabled(small));
    out.Library("TBL_" + name, large);
    out.Library("TBL_" + name + "_DIS", Disabled(large));
  }
}

void DrawCursors(Output& out) {
  static const char* const kKinds[] = {"ARROW1", "ARROW2", "HAND1", "HAND2", "CROSS1"};
  for (const char* kind : kKinds)
    for (bool dragging : {false, true}) {
      QPoint hot;
      const QImage img = Cursor(kind, dragging, hot);
      out.Library(QString("CUR_%1%2").arg(kind).arg(dragging ? "B" : "A"),
                  WithHotSpot(img, hot.x(), hot.y()));
    }
  // Pictures of the cursor list.
  static const struct {
    const char* list;
    const char* kind;
  } kList[] = {{"CUR_ARROW1", "ARROW1"},
               {"CUR_ARROW2", "ARROW2"},
               {"CUR_CROSS", "CROSS1"},
               {"CUR_HAND1", "HAND1"},
               {"CUR_HAND2", "HAND2"}};
  for (const auto& c : kList) {
    QPoint hot;
    out.Library(c.list, Cursor(c.kind, false, hot));
  }
}

void DrawIcons(Output& out) {
  out.Library("TREE1", Folder(false));
  out.Library("TREE2", Folder(true));
  out.Library("N_TREE3", Icon(16, [](QPainter& p) {
                MiniCard(p, QRectF(6, 2, 20, 28), QColor(30, 70, 160));
                p.setPen(QPen(QColor(140, 170, 230), 1.2));
                for (int k = -3; k < 5; ++k)
                  p.drawLine(QPointF(6 + k * 5, 30), QPointF(26 + k * 5, 2));
              }));
  out.Library("N_TREE4", Icon(16, [](QPainter& p) {
                p.setPen(QPen(QColor(20, 60, 20), 1.2));
                p.setBrush(QColor(0, 120, 40));
                p.drawRoundedRect(QRectF(2, 5, 28, 22), 3, 3);
                p.setPen(QPen(QColor(80, 170, 90), 1.2));
                for (int k = 0; k < 4; ++k)
                  p.drawLine(QPointF(5, 10 + k * 5), QPointF(27, 8 + k * 5));
              }));
  out.Library("N_TREE5", Icon(16, [](QPainter& p) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(40, 110, 210));
                p.drawEllipse(QPointF(16, 16), 13, 13);
                p.setFont(SerifFont(22, true));
                p.setPen(Qt::white);
                p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, "?");
              }));
  const struct {
    const char* prefix;
    const char* text;
    QColor colour;
  } kFolders[] = {{"F_", "\u2665", QColor(210, 40, 60)},  {"S_", "\u2713", QColor(40, 140, 60)},
                  {"D_", "\u2261", QColor(90, 90, 160)},  {"C_", "\u270E", QColor(160, 90, 30)},
                  {"T_", "\u231A", QColor(40, 110, 180)}, {"I_", "!", QColor(200, 100, 20)},
                  {"K_", "\u2684", QColor(110, 60, 160)}, {"W_", "\u2605", QColor(200, 150, 0)}};
  for (const auto& f : kFolders)
    for (int open = 0; open < 2; ++open)
      out.Library(QString("%1TREE%2").arg(f.prefix).arg(open + 1),
                  Badge(open != 0, QString::fromUtf8(f.text), f.colour));
  const struct {
    const char* name;
    const char* text;
    QColor colour;
  } kFamilies[] = {
      {"CANFIELD", "C", QColor(170, 30, 40)},      {"FAN", "F", QColor(30, 100, 170)},
      {"FORTYTHIEVES", "40", QColor(120, 60, 20)}, {"FREECELL", "FC", QColor(20, 120, 60)},
      {"KLONDIKE", "K", QColor(180, 30, 30)},      {"PAIRING", "2x", QColor(120, 40, 150)},
      {"SIMPLEGAMES", "S", QColor(30, 30, 30)},    {"SPIDER", "Sp", QColor(40, 40, 40)},
      {"1DECK", "1", QColor(30, 80, 170)},         {"2DECK", "2", QColor(30, 80, 170)},
      {"BAKERSDOZEN", "13", QColor(160, 90, 20)},  {"ROW", "R", QColor(20, 110, 110)}};
  for (const auto& f : kFamilies)
    out.Library(QString("TREE5_%1_TYPE").arg(f.name), CardIcon(f.text, f.colour, false));
  out.Library("TREE5_CUSTOMIZED_GAMES", CardIcon("\u270E", QColor(160, 90, 30), false));
  out.Library("TREE5_FAVORITES_GAMES", CardIcon("\u2665", QColor(210, 40, 60), false));
  out.Library("SOUND_ENABLED", Icon(16, [](QPainter& p) {
                p.setPen(QPen(QColor(40, 40, 40), 1.2));
                p.setBrush(QColor(90, 90, 100));
                p.drawPolygon(QPolygonF({QPointF(3, 12), QPointF(9, 12), QPointF(17, 4),
                                         QPointF(17, 28), QPointF(9, 20), QPointF(3, 20)}));
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(QColor(30, 120, 40), 2.2, Qt::SolidLine, Qt::RoundCap));
                p.drawArc(QRectF(13, 9, 10, 14), -60 * 16, 120 * 16);
                p.drawArc(QRectF(13, 4, 16, 24), -60 * 16, 120 * 16);
              }));
  const QColor green(40, 170, 70), amber(230, 170, 30), red(210, 50, 40);
  out.Library("PROG_TIME_QUICK", Meter(1, 3, green));
  out.Library("PROG_TIME_MEDIUM", Meter(2, 3, amber));
  out.Library("PROG_TIME_LONG", Meter(3, 3, red));
  out.Library("PROG_DIFF_EASY", Meter(1, 3, green));
  out.Library("PROG_DIFF_MEDIUM", Meter(2, 3, amber));
  out.Library("PROG_DIFF_HARD", Meter(3, 3, red));
  out.Library("PROG_CHAN_VERYLOW", Meter(1, 5, red));
  out.Library("PROG_CHAN_LOW", Meter(2, 5, QColor(230, 110, 40)));
  out.Library("PROG_CHAN_MEDIUM", Meter(3, 5, amber));
  out.Library("PROG_CHAN_HIGH", Meter(4, 5, QColor(140, 190, 50)));
  out.Library("PROG_CHAN_VERYHIGH", Meter(5, 5, green));
  out.Library("PROG_DISABLED", Meter(0, 5, green));
}

}  // namespace tw::art
