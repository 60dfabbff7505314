// The picture library QEX.RGF: a binary Qt resource file of named pictures
// (card sheets, pile markers, strips, panels, glyphs, icons and cursors).
#pragma once

#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/resource_file.h"

namespace tw::gfx {

// A mouse cursor as a picture with alpha and its hot spot.
struct CursorImage {
  QImage image;
  QPoint hot_spot;
  bool Empty() const { return image.isNull(); }
};

// A screen cursor of the picture (needs the GUI application).
QCursor ToQCursor(const CursorImage& cursor);

// The key under which a cursor picture keeps its hot spot ("x,y").
inline constexpr const char* kHotSpotKey = "HotSpot";

class ResourceLibrary {
 public:
  ResourceLibrary();
  ~ResourceLibrary();
  ResourceLibrary(const ResourceLibrary&) = delete;
  ResourceLibrary& operator=(const ResourceLibrary&) = delete;

  // False when the file is missing or damaged (it is checked whole before
  // Qt sees it); a library opened before is closed first.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return file_.IsOpen(); }

  // Names match without regard to case. A name the library lacks (or any
  // name while nothing is open) gives an empty bitmap and no message.
  Bitmap LoadBitmap(std::string_view name) const;
  CursorImage LoadCursor(std::string_view name) const;
  bool Contains(std::string_view name) const;
  // Every name held, upper case, sorted.
  std::vector<std::string> Names() const;

 private:
  QString Entry(std::string_view name) const;

  ResourceFile file_;
  QString root_;
};

}  // namespace tw::gfx
