// The card-size-dependent pictures of the table (faces, back, empty-pile
// markers, shadow and stock-edge strips) and their loaders: named pictures
// of the library QEX.RGF and .bmp files of the Images folder.
#pragma once

#include <array>
#include <set>
#include <string>
#include <string_view>

#include "core/state.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/reslib.h"
#include "table/random_look.h"

namespace tw {

// Rank markers in rank order: Ace, 2 .. 10, Jack, Queen, King.
constexpr int kRankMarkers = 13;
constexpr int kQueenMarker = 11;
constexpr int kKingMarker = 12;

// Index into FoundationRankBmp of a start-rule rank code: 1, 81 and 85 the
// Ace, 2..12 that rank, 13 and 84 the King; -1 for every other code.
int RankMarkerIndex(int code);

struct CardPictures {
  gfx::Bitmap TableauBaseBmp;   // empty tableau pile that may be refilled
  gfx::Bitmap StockBaseAltBmp;  // empty waste, third stock slot
  gfx::Bitmap StockBaseBmp;     // empty stock that can be turned again
  gfx::Bitmap RedealMarkerBmp;
  gfx::Bitmap StockEmptyBmp;      // empty stock with no pass left
  gfx::Bitmap FoundationBaseBmp;  // empty foundation without a rank
  std::array<gfx::Bitmap, kRankMarkers> FoundationRankBmp;
  gfx::Bitmap TableauNoFillBmp;
  gfx::Bitmap ReserveBaseBmp;
  gfx::Bitmap ReserveBase9Bmp;
  gfx::Bitmap CardBackBmp;
  gfx::Bitmap ShadowBmp1, ShadowBmp2;     // right of and below a lifted card
  gfx::Bitmap BorderBmp1, BorderBmp2;     // right and bottom strips of the stock's edge
  std::array<gfx::Bitmap, 52> CardFaces;  // card code - 1
  gfx::Bitmap DragBmp;
  gfx::Bitmap PokerPanelBmp;  // poker squares score panel
  // The size letter the pictures were loaded for; 0 before the first load.
  char SizeLetter = 0;
};

// Loads pictures for the current configuration. A missing back or
// background file is reported once per file and replaced by the size's
// default back or a built-in picture, so the table can always be drawn.
class PictureLoader {
 public:
  PictureLoader(GameContext& ctx, const gfx::ResourceLibrary& library)
      : ctx_(ctx), library_(library) {}

  // Empty when the library lacks the name; nothing is reported.
  void LoadBitmapFromRes(gfx::Bitmap& bitmap, std::string_view name) const;
  // A toolbar glyph; the button that shows it repaints itself.
  gfx::Bitmap LoadGlyphFromRes(std::string_view name) const;
  // "Images\" + name + ".bmp" of the program directory. False when the file
  // is missing and a replacement was loaded instead.
  bool LoadImagesBitmap(gfx::Bitmap& bitmap, const std::string& name);
  // The picture once at the canvas' top-left at its own size; a missing
  // file draws nothing (reported once).
  void DrawImagesBitmap(gfx::Bitmap& canvas, const std::string& name);
  // Tiles the picture over width x height of the canvas from its first row,
  // whole tiles, so up to one tile passes each edge.
  void fnRiempi(gfx::Bitmap& canvas, int width, int height, int unused, const std::string& name);

  // The 13 faces of one suit ("H", "D", "C", "S") from its sheet.
  void LoadSuitImages(CardPictures& pictures, char suit);
  // Every picture of CardPictures for the card size letter; nothing while
  // the card records are not filled yet.
  void LoadTableBitmaps(CardPictures& pictures);

  std::string ImagesPath(const std::string& name) const;
  // Files reported missing so far (full paths).
  const std::set<std::string>& Reported() const { return reported_; }

 private:
  void ReportMissing(const std::string& path);
  char SizeLetter() const;

  GameContext& ctx_;
  const gfx::ResourceLibrary& library_;
  std::set<std::string> reported_;
};

// The backgrounds of the Images folder, and the face sets and backs that
// exist at the card size letter.
TableLookChoices ListTableLookChoices(const GameContext& ctx, const gfx::ResourceLibrary& library,
                                      char size);

// Stand-ins when no picture file can be found.
gfx::Bitmap BuiltInCardBack(int width, int height);
gfx::Bitmap BuiltInBackground();

}  // namespace tw
