#include "platform/gfx/picture_file.h"

#include <strings.h>

#include <QFile>
#include <QImage>
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/sys/paths.h"

namespace tw::gfx {

namespace {

bool Matches(const char* mask, const char* name) {
  for (; *mask; ++mask, ++name) {
    if (*mask == '*') {
      for (const char* rest = name;; ++rest) {
        if (Matches(mask + 1, rest)) return true;
        if (!*rest) return false;
      }
    }
    if (!*name) return false;
    if (*mask != '?' && std::tolower(static_cast<unsigned char>(*mask)) !=
                            std::tolower(static_cast<unsigned char>(*name)))
      return false;
  }
  return !*name;
}

}  // namespace

bool PictureFileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(sys::NativePath(path), ec);
}

std::string CheckPictureBytes(std::string_view d) {
  auto u16 = [&](size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(d[at]) | static_cast<uint8_t>(d[at + 1]) << 8);
  };
  auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
  if (d.size() < 26 || d.substr(0, 2) != "BM") return "not a bitmap";
  const uint64_t pixels = u32(10), header = u32(14);
  if (header != 12 && (header < 40 || header > 124)) return "unknown header";
  if (14 + header > d.size()) return "header cut short";
  int64_t width = 0, height = 0;
  uint32_t planes = 0, bits = 0, compression = 0;
  if (header == 12) {
    width = u16(18), height = u16(20), planes = u16(22), bits = u16(24);
  } else {
    width = static_cast<int32_t>(u32(18)), height = static_cast<int32_t>(u32(22));
    planes = u16(26), bits = u16(28), compression = u32(30);
  }
  if (height < 0) height = -height;
  if (width < 1 || width > kMaxPictureSide || height < 1 || height > kMaxPictureSide)
    return "size out of range";
  if (planes != 1) return "bad planes";
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return "unknown bit depth";
  const bool rle = (compression == 1 && bits == 8) || (compression == 2 && bits == 4);
  const bool fields = compression == 3 && (bits == 16 || bits == 32);
  if (compression != 0 && !rle && !fields) return "unknown compression";
  if (pixels < 14 + header || pixels > d.size()) return "pixel data out of the file";
  const uint64_t row = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  if (!rle && pixels + row * static_cast<uint64_t>(height) > d.size()) return "pixel data cut short";
  return {};
}

std::string CheckPngBytes(std::string_view d) {
  auto be32 = [&](size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<uint8_t>(d[at + i]);
    return v;
  };
  if (d.size() < 33 || d.substr(0, 8) != std::string_view("\x89PNG\r\n\x1a\n", 8))
    return "not a PNG picture";
  if (d.substr(12, 4) != "IHDR") return "no header";
  const uint32_t width = be32(16), height = be32(20);
  if (width < 1 || width > kMaxPictureSide || height < 1 || height > kMaxPictureSide)
    return "size out of range";
  for (size_t at = 8;;) {
    if (at + 12 > d.size()) return "cut short";
    const uint32_t length = be32(at);
    if (length > d.size() - at - 12) return "a chunk longer than the picture";
    const std::string_view type = d.substr(at + 4, 4);
    at += 12 + length;
    if (type == "IEND") return {};
  }
}

Bitmap LoadPictureFile(const std::string& path, PictureStatus* status) {
  PictureStatus dummy;
  PictureStatus& result = status ? *status : dummy;
  result = PictureStatus::Missing;
  if (!PictureFileExists(path)) return Bitmap();
  result = PictureStatus::Damaged;
  QFile file(QString::fromStdString(sys::NativePath(path)));
  // Larger files cannot hold a picture of the largest size.
  constexpr qint64 kMaxBytes = 4 * kMaxPictureSide * kMaxPictureSide + 65536;
  if (file.size() > kMaxBytes || !file.open(QIODevice::ReadOnly)) return Bitmap();
  const QByteArray bytes = file.readAll();
  if (!CheckPictureBytes(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))).empty())
    return Bitmap();
  QImage image = QImage::fromData(bytes, "BMP");
  if (image.isNull()) return Bitmap();
  result = PictureStatus::Ok;
  return Bitmap(std::move(image));
}

std::vector<std::string> ListPictureFiles(const std::string& folder, const std::string& mask) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(sys::NativePath(folder), ec)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file(ec) && Matches(mask.c_str(), name.c_str())) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
  });
  return names;
}

}  // namespace tw::gfx
