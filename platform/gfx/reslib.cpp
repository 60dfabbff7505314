#include "platform/gfx/reslib.h"

#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QResource>
#include <algorithm>

namespace tw::gfx {

namespace {

QString Upper(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())).toUpper();
}

// The library holds PNG pictures: naming the format spares probing every image plugin.
QImage ReadEntry(const QString& entry) {
  QImage image(entry, "PNG");
  return image.isNull() ? QImage(entry) : image;
}

}  // namespace

ResourceLibrary::ResourceLibrary()
    // Each library gets its own root, so two libraries never shadow each other.
    : root_(QStringLiteral("/reslib_%1").arg(reinterpret_cast<quintptr>(this), 0, 16)) {}

ResourceLibrary::~ResourceLibrary() { Close(); }

bool ResourceLibrary::Open(const std::string& path) {
  Close();
  const QString file = QString::fromStdString(path);
  if (!QFileInfo(file).isFile()) return false;
  if (!QResource::registerResource(file, root_)) return false;
  path_ = file;
  return true;
}

void ResourceLibrary::Close() {
  if (path_.isEmpty()) return;
  QResource::unregisterResource(path_, root_);
  path_.clear();
}

QString ResourceLibrary::Entry(std::string_view name) const {
  return QLatin1Char(':') + root_ + QLatin1Char('/') + Upper(name);
}

bool ResourceLibrary::Contains(std::string_view name) const {
  return IsOpen() && !name.empty() && QFileInfo::exists(Entry(name));
}

Bitmap ResourceLibrary::LoadBitmap(std::string_view name) const {
  if (!Contains(name)) return Bitmap();
  return Bitmap(ReadEntry(Entry(name)));
}

CursorImage ResourceLibrary::LoadCursor(std::string_view name) const {
  CursorImage cursor;
  if (!Contains(name)) return cursor;
  cursor.image = ReadEntry(Entry(name)).convertToFormat(QImage::Format_ARGB32);
  const QStringList spot = cursor.image.text(QString::fromLatin1(kHotSpotKey)).split(',');
  if (spot.size() == 2) cursor.hot_spot = QPoint(spot[0].toInt(), spot[1].toInt());
  return cursor;
}

QCursor ToQCursor(const CursorImage& cursor) {
  if (cursor.Empty()) return QCursor();
  return QCursor(QPixmap::fromImage(cursor.image), cursor.hot_spot.x(), cursor.hot_spot.y());
}

std::vector<std::string> ResourceLibrary::Names() const {
  std::vector<std::string> names;
  if (!IsOpen()) return names;
  for (const QString& entry : QDir(QLatin1Char(':') + root_).entryList(QDir::Files))
    names.push_back(entry.toUpper().toStdString());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tw::gfx
