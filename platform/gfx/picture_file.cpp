#include "platform/gfx/picture_file.h"

#include <strings.h>

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

Bitmap LoadPictureFile(const std::string& path) {
  if (!PictureFileExists(path)) return Bitmap();
  return Bitmap(QImage(QString::fromStdString(sys::NativePath(path))));
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
