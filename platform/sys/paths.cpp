#include "platform/sys/paths.h"

#include <strings.h>

#include <filesystem>
#include <system_error>

namespace tw::sys {

namespace fs = std::filesystem;

std::string ExecutableDirectory() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return "./";
  std::string dir = exe.parent_path().string();
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NativePath(const std::string& spelled) {
  std::string path = spelled;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  std::string result;
  size_t pos = 0;
  if (!path.empty() && path[0] == '/') {
    result.assign(1, '/');
    pos = 1;
  }
  bool parentExists = true;
  while (pos <= path.size()) {
    size_t next = path.find('/', pos);
    if (next == std::string::npos) next = path.size();
    std::string part = path.substr(pos, next - pos);
    bool last = next >= path.size();
    if (!part.empty()) {
      std::string candidate = result + part;
      std::error_code ec;
      if (parentExists && !fs::exists(candidate, ec) && part != "." && part != "..") {
        // Look for an entry spelled with other letter case.
        fs::path dir = result.empty() ? fs::path(".") : fs::path(result);
        for (const auto& entry : fs::directory_iterator(dir, ec)) {
          std::string name = entry.path().filename().string();
          if (strcasecmp(name.c_str(), part.c_str()) == 0) {
            candidate = result + name;
            break;
          }
        }
      }
      parentExists = parentExists && fs::exists(candidate, ec);
      result = candidate;
      if (!last) result += '/';
    } else if (!last && !result.empty() && result.back() != '/') {
      result += '/';
    }
    if (last) break;
    pos = next + 1;
  }
  return result;
}

}  // namespace tw::sys
