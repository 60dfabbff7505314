// Our binary resource files (the picture library QEX.RGF and the help file):
// a Qt resource file as rcc writes it, uncompressed, followed by a 16-byte
// seal ("TWRS", the length of what precedes it and its 64-bit FNV-1a
// checksum, both big-endian). Qt does not validate what it registers, so a
// file is read whole and checked (seal, then every node, name and data
// block) before Qt sees it, and Qt is then given the checked bytes.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

namespace tw::gfx {

inline constexpr size_t kResourceSealSize = 16;
// Larger files are refused unread.
inline constexpr int64_t kMaxResourceFileSize = 64 << 20;

uint64_t ResourceChecksum(std::string_view bytes);
// The resource data followed by its seal.
std::string SealResource(std::string_view data);
// Why the resource data (without seal) cannot be handed to Qt; empty when it
// is sound: the header, every node reachable from the root (each once, in
// bounds, children sorted by name hash as Qt searches them), every name
// (length, hash, no "/") and every data block in bounds; compression is
// refused.
std::string CheckResourceStructure(std::string_view data);
// The seal, then the structure of what it seals (returned in data).
std::string CheckSealedResource(std::string_view file, std::string_view& data);

// A sealed resource file registered with Qt under a root of its own.
class ResourceFile {
 public:
  enum class Status { Ok, Missing, Damaged };

  ResourceFile() = default;
  ~ResourceFile();
  ResourceFile(const ResourceFile&) = delete;
  ResourceFile& operator=(const ResourceFile&) = delete;

  // Reads, checks and registers the file under root (":" + root + "/...");
  // a file opened before is closed first.
  Status Open(const std::string& path, const QString& root);
  void Close();
  bool IsOpen() const { return !root_.isEmpty(); }
  // What is wrong with the last file refused.
  const std::string& Problem() const { return problem_; }

 private:
  QByteArray bytes_;
  QString root_;
  std::string problem_;
};

}  // namespace tw::gfx
