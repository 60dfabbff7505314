#include "table/view/card_pictures.h"

#include <cctype>
#include <cstdio>

#include "core/util.h"
#include "platform/gfx/draw.h"
#include "platform/gfx/picture_file.h"
#include "platform/gfx/pictures.h"

namespace tw {

namespace {

// Library names of the rank markers in rank order.
constexpr const char* kRankMarkerCodes[kRankMarkers] = {
    "010", "012", "013", "014", "015", "016", "017", "018", "019", "020", "006", "003", "011"};
constexpr char kSuitLetters[4] = {'H', 'D', 'C', 'S'};

std::string MarkerName(char size, const char* code) { return std::string("W") + size + code; }

bool IsBackName(const std::string& name) {
  return name.size() >= 2 && (name[0] == 'D' || name[0] == 'd');
}

}  // namespace

int RankMarkerIndex(int code) {
  if (code == 1 || code == 81 || code == 85) return 0;
  if (code >= 2 && code <= 12) return code - 1;
  if (code == 13 || code == 84) return kKingMarker;
  return -1;
}

TableLookChoices ListTableLookChoices(const GameContext& ctx, const gfx::ResourceLibrary& library,
                                      char size) {
  TableLookChoices c;
  const std::string folder = ctx.ProgramDir + "Images";
  c.Backgrounds = gfx::ListPictureFiles(folder, "b*.bmp");
  // A set counts when all four suit sheets are there.
  for (int set = 1; set <= 99; ++set) {
    bool whole = true;
    for (char suit : kSuitLetters)
      whole = whole && library.Contains(std::string("C") + size + IntToStrPad(set, 3) + suit);
    if (whole) c.FaceSets.push_back(set);
  }
  for (const std::string& name : gfx::ListPictureFiles(folder, std::string("d") + size + "*.bmp")) {
    int n = 0;
    bool digits = name.size() > 6;
    for (size_t i = 2; digits && i < 5; ++i) {
      digits = std::isdigit(static_cast<unsigned char>(name[i])) != 0;
      if (digits) n = n * 10 + (name[i] - '0');
    }
    if (digits && name[5] == '.' && n > 0) c.Backs.push_back(n);
  }
  return c;
}

gfx::Bitmap BuiltInCardBack(int width, int height) {
  gfx::Bitmap back(width, height);
  gfx::FillRect(back, QRect(0, 0, width, height), gfx::kWhite);
  gfx::FrameRect(back, QRect(0, 0, width, height), gfx::Rgb(64, 64, 64));
  const int m = width < 40 ? 2 : 4;
  const QRect inner(m, m, width - 2 * m, height - 2 * m);
  gfx::FillRect(back, inner, gfx::Rgb(32, 64, 160));
  // A light lattice, so a fan of backs still shows its steps.
  for (int y = inner.top(); y <= inner.bottom(); ++y)
    for (int x = inner.left(); x <= inner.right(); ++x)
      if ((x - inner.left() + y - inner.top()) % 6 == 0 ||
          (x - inner.left() - (y - inner.top()) + 600) % 6 == 0)
        gfx::SetPixel(back, x, y, gfx::Rgb(80, 120, 210));
  return back;
}

gfx::Bitmap BuiltInBackground() {
  gfx::Bitmap tile(8, 8);
  gfx::FillRect(tile, QRect(0, 0, 8, 8), gfx::kTableGreen);
  return tile;
}

void PictureLoader::LoadBitmapFromRes(gfx::Bitmap& bitmap, std::string_view name) const {
  bitmap = library_.LoadBitmap(name);
}

gfx::Bitmap PictureLoader::LoadGlyphFromRes(std::string_view name) const {
  return library_.LoadBitmap(name);
}

std::string PictureLoader::ImagesPath(const std::string& name) const {
  return ctx_.ProgramDir + "Images\\" + name + ".bmp";
}

char PictureLoader::SizeLetter() const {
  const std::string s = ctx_.Cfg(cfg::Card_Size);
  return s.empty() ? 'B' : s[0];
}

void PictureLoader::ReportMissing(const std::string& path) {
  if (!reported_.insert(path).second) return;
  ShowMsg(ctx_, "Cannot find images file:\r" + path +
                    "\rSome program components cannot be shown correctly.\r"
                    "Copy the file into the directory that above is specified\r"
                    "or reinstall the program.");
}

bool PictureLoader::LoadImagesBitmap(gfx::Bitmap& bitmap, const std::string& name) {
  const std::string path = ImagesPath(name);
  gfx::Bitmap picture = gfx::LoadPictureFile(path);
  if (!picture.Empty()) {
    bitmap = std::move(picture);
    return true;
  }
  ReportMissing(path);
  if (IsBackName(name)) {
    // The size's own default back, else a plain one.
    const char size = static_cast<char>(std::toupper(static_cast<unsigned char>(name[1])));
    const int number = size == 'B' ? gfx::kDefaultBack : gfx::kSmallSizeBack;
    gfx::Bitmap fallback = gfx::LoadPictureFile(ImagesPath(gfx::BackFileName(size, number)));
    if (fallback.Empty()) {
      const int w = size == 'M' ? 59 : size == 'L' ? 25 : 71;
      const int h = size == 'M' ? 80 : size == 'L' ? 32 : 96;
      fallback = BuiltInCardBack(w, h);
    }
    bitmap = std::move(fallback);
  } else {
    bitmap = BuiltInBackground();
  }
  return false;
}

void PictureLoader::DrawImagesBitmap(gfx::Bitmap& canvas, const std::string& name) {
  const std::string path = ImagesPath(name);
  const gfx::Bitmap picture = gfx::LoadPictureFile(path);
  if (picture.Empty()) {
    ReportMissing(path);
    return;
  }
  gfx::Copy(canvas, 0, -canvas.YOffset(), picture.Width(), picture.Height(), picture, 0, 0);
}

void PictureLoader::fnRiempi(gfx::Bitmap& canvas, int width, int height, int,
                             const std::string& name) {
  if (name.empty()) {
    ShowMsg(ctx_, "fnRiempi Image: bad option");
    return;
  }
  gfx::Bitmap picture;
  LoadImagesBitmap(picture, name);
  const int w = picture.Width(), h = picture.Height();
  if (w < 1 || h < 1) return;
  // The surface's own first row, whatever its scroll offset.
  const int top = -canvas.YOffset();
  for (int x = 0; x <= width; x += w) gfx::Copy(canvas, x, top, w, h, picture, 0, 0);
  for (int y = h; y <= height; y += h) gfx::Copy(canvas, 0, top + y, width, h, canvas, 0, top);
}

void PictureLoader::LoadSuitImages(CardPictures& pictures, char suit) {
  int first = -1;
  for (int i = 0; i < 4; ++i)
    if (kSuitLetters[i] == suit) first = 13 * i;
  if (first < 0) return;
  const char size = SizeLetter();
  const std::string set = ctx_.Cfg(cfg::Card);
  gfx::Bitmap sheet = library_.LoadBitmap(std::string("C") + size + set + suit);
  if (sheet.Empty()) {
    // Only some sets exist at the smaller sizes: fall back to the set every
    // size has, rather than drawing invisible cards.
    const std::string fallback = size == 'B' ? "001" : "003";
    sheet = library_.LoadBitmap(std::string("C") + size + fallback + suit);
    if (!sheet.Empty() && reported_.insert("C" + set + size).second)
      std::fprintf(stderr, "card set %s missing at size %c, using %s\n", set.c_str(), size,
                   fallback.c_str());
  }
  const int cw = ctx_.CardWidth, ch = ctx_.CardHeight;
  for (int j = 0; j < 13; ++j) {
    gfx::Bitmap& face = pictures.CardFaces[static_cast<size_t>(first + j)];
    face = gfx::Bitmap(cw, ch);
    const int col = j < 10 ? j % 5 : j - 10;
    const int row = j < 10 ? j / 5 : 2;
    gfx::Copy(face, 0, 0, cw, ch, sheet, col * cw, row * ch);
  }
}

void PictureLoader::LoadTableBitmaps(CardPictures& p) {
  if (ctx_.CardRecords.empty()) return;
  const char s = SizeLetter();
  auto marker = [&](gfx::Bitmap& b, const char* code) {
    LoadBitmapFromRes(b, MarkerName(s, code));
  };
  marker(p.TableauBaseBmp, "004");
  marker(p.StockBaseAltBmp, "002");
  marker(p.StockBaseBmp, "022");
  marker(p.RedealMarkerBmp, "005");
  marker(p.StockEmptyBmp, "008");
  marker(p.FoundationBaseBmp, "004");
  for (int r = 0; r < kRankMarkers; ++r)
    marker(p.FoundationRankBmp[static_cast<size_t>(r)], kRankMarkerCodes[r]);
  marker(p.TableauNoFillBmp, "007");
  marker(p.ReserveBaseBmp, "001");
  marker(p.ReserveBase9Bmp, "009");
  LoadImagesBitmap(p.CardBackBmp, std::string("D") + s + ctx_.Cfg(cfg::Back_Card));
  const std::string size(1, s);
  LoadBitmapFromRes(p.ShadowBmp1, "SHADOW_" + size + "1");
  LoadBitmapFromRes(p.ShadowBmp2, "SHADOW_" + size + "2");
  LoadBitmapFromRes(p.BorderBmp1, "3D_BORDER_" + size + "1");
  LoadBitmapFromRes(p.BorderBmp2, "3D_BORDER_" + size + "2");
  LoadBitmapFromRes(p.PokerPanelBmp, "Panel_pk");
  p.ShadowBmp1.SetTransparent(true, gfx::kWhite);
  p.ShadowBmp2.SetTransparent(true, gfx::kWhite);
  p.BorderBmp1.SetTransparent(true, gfx::kBlue);
  p.BorderBmp2.SetTransparent(true, gfx::kBlue);
  for (char suit : kSuitLetters) LoadSuitImages(p, suit);
  p.SizeLetter = s;
}

}  // namespace tw
