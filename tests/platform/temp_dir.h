// A fresh directory under the system's temporary folder, removed with its
// contents when the object goes.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/sys/files.h"

namespace tw::testing {

class TempDir {
 public:
  TempDir() {
    static std::atomic<int> counter{0};
    auto base = std::filesystem::temp_directory_path();
    for (;;) {
      path_ = base / ("tw_test_" + std::to_string(::getpid()) + "_" +
                      std::to_string(counter++));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // name inside the directory, with a '/' between.
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::string Dir() const { return path_.string() + "/"; }

  // Names of the entries, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_)) {
      names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  void Write(const std::string& name, const std::string& bytes) const {
    sys::RawFile f;
    if (f.Create(File(name))) f.Write(bytes);
  }
  // Leaves a file at name that is there but cannot be read: without read
  // permission, or (for root, who may read anything) a link to itself.
  void WriteUnreadable(const std::string& name, const std::string& bytes) const {
    std::error_code ec;
    std::filesystem::remove(File(name), ec);
    if (::geteuid() == 0) {
      std::filesystem::create_symlink(name.substr(name.find_last_of('/') + 1), File(name));
    } else {
      Write(name, bytes);
      std::filesystem::permissions(File(name), std::filesystem::perms::none);
    }
  }
  bool Unreadable(const std::string& name) const {
    std::string bytes;
    return sys::ReadFileChecked(File(name), bytes) == sys::ReadStatus::Unreadable;
  }
  std::string Read(const std::string& name) const {
    std::string bytes;
    sys::ReadFileBytes(File(name), bytes);
    return bytes;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace tw::testing
