// Draws every picture the program ships: the picture library (as PNG files
// plus a resource list for rcc) and the Images folder.
//
//   tw_art STAGE_DIR IMAGES_DIR [--contact DIR]
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/gfx/draw.h"
#include "tools/art/art.h"

namespace {

// A table drawn the way the table code draws it, to check the pictures'
// sizes, corners and transparent colours together.
void WriteTableScene(const QString& dir, const QString& stage, const QString& images) {
  using namespace tw::gfx;
  auto lib = [&](const char* name) { return Bitmap(QImage(stage + "/" + name + ".png")); };
  const int cw = 71, ch = 96;
  Bitmap table(720, 400), background(720, 400);
  Tile(background, background.Bounds(), Bitmap(QImage(images + "/B305.bmp")));
  Copy(table, 0, 0, 720, 400, background, 0, 0);
  const Bitmap sheets[4] = {lib("CB001H"), lib("CB001D"), lib("CB001C"), lib("CB001S")};
  const Bitmap back(QImage(images + "/DB011.bmp"));
  auto corners = [&](int x, int y, int w, int h, bool top_from_target) {
    // Top corners keep what lies beneath, bottom ones show the table.
    const int pts[12][2] = {{0, 0},     {1, 0},         {0, 1},         {w - 1, 0},
                            {w - 2, 0}, {w - 1, 1},     {0, h - 1},     {1, h - 1},
                            {0, h - 2}, {w - 1, h - 1}, {w - 2, h - 1}, {w - 1, h - 2}};
    for (int i = 0; i < 12; ++i)
      if (i >= 6 || !top_from_target)
        SetPixel(table, x + pts[i][0], y + pts[i][1],
                 GetPixel(background, x + pts[i][0], y + pts[i][1]));
  };
  auto face = [&](int card, int x, int y) {
    const int suit = (card - 1) / 13, cell = (card - 1) % 13;
    const int sx = (cell < 10 ? cell % 5 : cell - 10) * cw, sy = (cell < 10 ? cell / 5 : 2) * ch;
    Bitmap f(cw, ch);
    Copy(f, 0, 0, cw, ch, sheets[suit], sx, sy);
    for (auto [dx, dy] : {std::pair{0, 0}, {1, 0}, {0, 1}, {cw - 1, 0}, {cw - 2, 0}, {cw - 1, 1}})
      SetPixel(f, dx, dy, GetPixel(table, x + dx, y + dy));
    Copy(table, x, y, cw, ch, f, 0, 0);
    corners(x, y, cw, ch, true);
  };
  auto card_back = [&](int x, int y, int h) {
    Bitmap f = back;
    for (auto [dx, dy] : {std::pair{0, 0}, {1, 0}, {0, 1}, {cw - 1, 0}, {cw - 2, 0}, {cw - 1, 1}})
      SetPixel(f, dx, dy, GetPixel(table, x + dx, y + dy));
    Copy(table, x, y, cw, h, f, 0, 0);
    if (h == ch) corners(x, y, cw, ch, true);
  };
  // Stock with a 3-D edge of depth 8 and the waste beside it.
  const int bx = 30, by = 30, d = 8;
  CopyTransparent(table, bx - 13, by + ch - 1 - d, cw + 11, d + 1, lib("3D_BORDER_B2"), 0, 15 - d,
                  kBlue);
  CopyTransparent(table, bx + cw - 1 - d, by - 13, d + 1, ch + 13, lib("3D_BORDER_B1"), 15 - d, 0,
                  kBlue);
  card_back(bx - d, by - d, ch);
  face(27, 120, 30);
  const char* markers[] = {"WB010", "WB004", "WB011", "WB003"};
  for (int i = 0; i < 4; ++i) Copy(table, 300 + i * 90, 30, cw, ch, lib(markers[i]), 0, 0);
  // Tableau fans: face-down strips of 4 rows, face-up steps of 18.
  for (int pile = 0; pile < 5; ++pile) {
    const int x = 30 + pile * 90, y0 = 150;
    for (int k = 0; k < pile; ++k) card_back(x, y0 + 4 * k, 4);
    for (int k = 0; k < 3; ++k) face(1 + (pile * 11 + k * 7) % 52, x, y0 + 4 * pile + 18 * k);
  }
  // A lifted card with its shadow.
  const int L = 520, T = 170, R = L + cw, B = T + ch;
  Bitmap s1 = lib("SHADOW_B1"), s2 = lib("SHADOW_B2");
  s1.SetTransparent(true, kWhite);
  s2.SetTransparent(true, kWhite);
  face(45, L, T);
  Draw(table, R, T + 7, s1);
  Draw(table, L + 8, B, s2);
  SetPixel(table, R - 1, B - 2, kBlack);
  SetPixel(table, R - 2, B - 1, kBlack);
  Copy(table, 640, 30, cw, ch, lib("WB022"), 0, 0);
  table.Image().save(dir + "/contact_table.png");
}

// Overview pictures for looking at the results.
void WriteContactSheets(const QString& dir, const QString& stage, const QString& images) {
  using namespace tw::art;
  for (const CardSize& size : kSizes) {
    const int gap = 4;
    QImage sheet = NewImage(13 * (size.w + gap) + gap, 20 * (size.h + gap) + gap, QColor(0, 96, 0));
    QPainter p(&sheet);
    for (int set = 1; set <= 5; ++set)
      for (int suit = 0; suit < 4; ++suit)
        for (int rank = 1; rank <= 13; ++rank)
          p.drawImage(gap + (rank - 1) * (size.w + gap),
                      gap + ((set - 1) * 4 + suit) * (size.h + gap),
                      CardFace(set, suit, rank, size.w, size.h));
    p.end();
    sheet.save(dir + QString("/contact_faces_%1.png").arg(QChar(size.letter)));
  }
  QImage backs = NewImage(14 * 75 + 4, 2 * 100 + 4 + 40, QColor(0, 96, 0));
  QPainter p(&backs);
  for (int n = 1; n <= 27; ++n)
    p.drawImage(4 + ((n - 1) % 14) * 75, 4 + ((n - 1) / 14) * 100, CardBack(n, 71, 96));
  p.drawImage(4, 208, CardBack(6, 59, 80).scaled(59 / 2, 40));
  p.end();
  backs.save(dir + "/contact_backs.png");

  // Backgrounds, each as 2 x 2 tiles at half size so seams show.
  QStringList files = QDir(images).entryList({"B*.bmp", "Y*.bmp"}, QDir::Files, QDir::Name);
  QImage bg = NewImage(12 * 132 + 4, ((files.size() + 11) / 12) * 132 + 4, Qt::black);
  QPainter q(&bg);
  for (int i = 0; i < files.size(); ++i) {
    const QImage t(images + "/" + files[i]);
    QImage four = NewImage(2 * t.width(), 2 * t.height(), Qt::black);
    QPainter f(&four);
    for (int k = 0; k < 4; ++k) f.drawImage((k % 2) * t.width(), (k / 2) * t.height(), t);
    f.end();
    q.drawImage(4 + (i % 12) * 132, 4 + (i / 12) * 132, four.scaled(128, 128));
  }
  q.end();
  bg.save(dir + "/contact_backgrounds.png");

  // Everything in the library that is not a face sheet, at its own size.
  QImage lib = NewImage(1200, 1400, QColor(212, 208, 200));
  QPainter l(&lib);
  int x = 4, y = 4, row_h = 0;
  for (const QString& f : QDir(stage).entryList({"*.png"}, QDir::Files, QDir::Name)) {
    if (f.size() == 10 && f.startsWith('C') && f[2].isDigit()) continue;
    const QImage img(stage + "/" + f);
    if (x + img.width() > 1196) {
      x = 4;
      y += row_h + 4;
      row_h = 0;
    }
    l.drawImage(x, y, img);
    x += img.width() + 4;
    row_h = std::max(row_h, img.height());
  }
  l.end();
  lib.save(dir + "/contact_library.png");
  WriteTableScene(dir, stage, images);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: tw_art STAGE_DIR IMAGES_DIR [--contact DIR]\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  tw::art::Output out(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
  tw::art::DrawCards(out);
  tw::art::DrawBacks(out);
  tw::art::DrawMarkersAndStrips(out);
  tw::art::DrawBackgrounds(out);
  tw::art::DrawPanels(out);
  tw::art::DrawGlyphs(out);
  tw::art::DrawCursors(out);
  tw::art::DrawIcons(out);
  if (!out.WriteResourceList(QString::fromLocal8Bit(argv[1]) + "/qex.qrc")) {
    std::fprintf(stderr, "cannot write the resource list\n");
    return 1;
  }
  if (argc >= 5 && std::strcmp(argv[3], "--contact") == 0)
    WriteContactSheets(QString::fromLocal8Bit(argv[4]), QString::fromLocal8Bit(argv[1]),
                       QString::fromLocal8Bit(argv[2]));
  return out.ok() ? 0 : 1;
}
