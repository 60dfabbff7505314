// Shared pieces of the picture generator: where pictures go, suit shapes,
// fonts and the card outline every card-sized picture shares.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QString>
#include <QStringList>

namespace tw::art {

// Collects every picture: library pictures become PNG files of the staging
// folder listed in the resource list, Images pictures become .bmp files.
class Output {
 public:
  Output(QString stage_dir, QString images_dir);
  void Library(const QString& name, const QImage& image);
  void Images(const QString& file_name, const QImage& image);
  // The resource list for rcc.
  bool WriteResourceList(const QString& path) const;
  bool ok() const { return ok_; }
  const QStringList& names() const { return names_; }

 private:
  QString stage_;
  QString images_;
  QStringList names_;
  bool ok_ = true;
};

struct CardSize {
  char letter;
  int w, h;
};
inline constexpr CardSize kSizes[3] = {{'B', 71, 96}, {'M', 59, 80}, {'L', 25, 32}};

// Suit 0 hearts, 1 diamonds, 2 clubs, 3 spades, filling the box.
QPainterPath SuitPath(int suit, const QRectF& box);

// DejaVu fonts at a pixel size.
QFont SansFont(double px, bool bold = true, bool condensed = false);
QFont SerifFont(double px, bool bold = true, bool condensed = false);

// The default table green; the corner pixels of card-sized pictures.
inline const QColor kTableGreen(0, 96, 0);

// A w x h picture with the table colour outside a card shape: the three
// pixels of each corner stay outside, a one-pixel border in edge colour and
// paper inside. Returns the filled picture to draw on.
QImage CardBlank(int w, int h, const QColor& paper, const QColor& edge,
                 const QColor& outside = kTableGreen);
// Draws the border and the outside corners again over whatever was drawn.
void CardOutline(QImage& image, const QColor& edge, const QColor& outside = kTableGreen);

QImage NewImage(int w, int h, const QColor& fill);
QImage NewAlphaImage(int w, int h);

void DrawCards(Output& out);
void DrawBacks(Output& out);
void DrawMarkersAndStrips(Output& out);
void DrawBackgrounds(Output& out);
void DrawPanels(Output& out);
void DrawGlyphs(Output& out);
void DrawCursors(Output& out);
void DrawIcons(Output& out);

// The card back of that number at a size (also used for previews).
QImage CardBack(int number, int w, int h);
// One face of a set at a size: suit 0..3, rank 1..13.
QImage CardFace(int set, int suit, int rank, int w, int h);

}  // namespace tw::art
