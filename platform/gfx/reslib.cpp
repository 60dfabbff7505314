#include "platform/gfx/reslib.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QPixmap>
#include <algorithm>

#include "platform/gfx/picture_file.h"

namespace tw::gfx {

namespace {

QString Upper(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())).toUpper();
}

// A picture of the library (a PNG picture), decoded only when its header
// and chunks are sound.
QImage ReadEntry(const QString& entry) {
  QFile file(entry);
  if (!file.open(QIODevice::ReadOnly)) return QImage();
  const QByteArray bytes = file.readAll();
  if (!CheckPngBytes(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))).empty())
    return QImage();
  return QImage::fromData(bytes, "PNG");
}

}  // namespace

ResourceLibrary::ResourceLibrary()
    // Each library gets its own root, so two libraries never shadow each other.
    : root_(QStringLiteral("/reslib_%1").arg(reinterpret_cast<quintptr>(this), 0, 16)) {}

ResourceLibrary::~ResourceLibrary() { Close(); }

bool ResourceLibrary::Open(const std::string& path) {
  return file_.Open(path, root_) == ResourceFile::Status::Ok;
}

void ResourceLibrary::Close() { file_.Close(); }

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
