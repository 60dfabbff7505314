#include "platform/gfx/resource_file.h"

#include <QFile>
#include <QFileInfo>
#include <QResource>
#include <vector>

#include "platform/sys/paths.h"

namespace tw::gfx {

namespace {

constexpr char kSealMagic[] = "TWRS";
constexpr uint16_t kDirectory = 0x02;

uint16_t Be16(std::string_view d, uint64_t at) {
  return static_cast<uint16_t>((static_cast<uint8_t>(d[at]) << 8) | static_cast<uint8_t>(d[at + 1]));
}

uint32_t Be32(std::string_view d, uint64_t at) {
  return (static_cast<uint32_t>(Be16(d, at)) << 16) | Be16(d, at + 2);
}

uint64_t Be64(std::string_view d, uint64_t at) {
  return (static_cast<uint64_t>(Be32(d, at)) << 32) | Be32(d, at + 4);
}

void PutBe(std::string& out, uint64_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

// The tree of a resource file as Qt reads it: nodes of 14 bytes (22 from
// format 2 on, with a modification time); a folder holds its child count
// and the index of its first child, a file its data offset; names are a
// length, Qt's hash of the name and the name in UTF-16.
class Checker {
 public:
  explicit Checker(std::string_view d) : d_(d), size_(d.size()) {}

  std::string Check() {
    if (size_ < 20 || d_.substr(0, 4) != "qres") return "not a resource file";
    const uint32_t version = Be32(d_, 4);
    if (version < 1 || version > 3) return "unknown format version";
    tree_ = Be32(d_, 8);
    payloads_ = Be32(d_, 12);
    names_ = Be32(d_, 16);
    if (version >= 3 && (size_ < 24 || Be32(d_, 20) != 0)) return "compressed or unknown features";
    if (tree_ >= size_ || payloads_ >= size_ || names_ >= size_) return "offsets beyond the end";
    node_size_ = version >= 2 ? 22 : 14;

    uint64_t at = 0;
    if (!NodeAt(0, at) || !(Be16(d_, at + 4) & kDirectory)) return "no root folder";
    std::vector<bool> seen(static_cast<size_t>((size_ - tree_) / node_size_), false);
    seen[0] = true;
    std::vector<uint64_t> pending{0};
    while (!pending.empty()) {
      const uint64_t node = pending.back();
      pending.pop_back();
      NodeAt(node, at);
      const uint16_t flags = Be16(d_, at + 4);
      if (flags & ~kDirectory) return "compressed or unknown entry";
      if (!(flags & kDirectory)) {
        const uint64_t data = payloads_ + Be32(d_, at + 10);
        if (data + 4 > size_ || data + 4 + Be32(d_, data) > size_) return "data beyond the end";
        continue;
      }
      const uint64_t count = Be32(d_, at + 6), first = Be32(d_, at + 10);
      if (count == 0) continue;
      uint64_t last = 0;
      if (first <= node || !NodeAt(first + count - 1, last)) return "a folder's entries out of place";
      uint32_t previousHash = 0;
      std::string_view previousName;
      for (uint64_t child = first; child < first + count; ++child) {
        if (seen[child]) return "an entry listed twice";
        seen[child] = true;
        NodeAt(child, at);
        uint32_t hash = 0;
        std::string_view name;
        if (!Name(Be32(d_, at), hash, name)) return "a damaged name";
        if (child > first &&
            (hash < previousHash || (hash == previousHash && name == previousName)))
          return "a folder's entries out of order";
        previousHash = hash;
        previousName = name;
        pending.push_back(child);
      }
    }
    return {};
  }

 private:
  bool NodeAt(uint64_t index, uint64_t& at) const {
    at = tree_ + index * node_size_;
    return index < size_ && at + node_size_ <= size_;
  }

  // A name in bounds, not empty, without "/" or NUL, with the hash Qt's
  // search compares.
  bool Name(uint32_t offset, uint32_t& hash, std::string_view& name) const {
    const uint64_t at = names_ + offset;
    if (at + 6 > size_) return false;
    const uint64_t length = Be16(d_, at);
    if (length == 0 || at + 6 + 2 * length > size_) return false;
    uint32_t h = 0;
    for (uint64_t i = 0; i < length; ++i) {
      const uint16_t c = Be16(d_, at + 6 + 2 * i);
      if (c == 0 || c == '/') return false;
      h = (h << 4) + c;
      h ^= (h & 0xf0000000) >> 23;
      h &= 0x0fffffff;
    }
    hash = Be32(d_, at + 2);
    name = d_.substr(at + 6, 2 * length);
    return h == hash;
  }

  std::string_view d_;
  uint64_t size_;
  uint64_t tree_ = 0, payloads_ = 0, names_ = 0, node_size_ = 0;
};

}  // namespace

uint64_t ResourceChecksum(std::string_view bytes) {
  uint64_t h = 14695981039346656037ull;
  for (char c : bytes) {
    h ^= static_cast<uint8_t>(c);
    h *= 1099511628211ull;
  }
  return h;
}

std::string SealResource(std::string_view data) {
  std::string out(data);
  out += kSealMagic;
  PutBe(out, data.size(), 4);
  PutBe(out, ResourceChecksum(data), 8);
  return out;
}

std::string CheckResourceStructure(std::string_view data) { return Checker(data).Check(); }

std::string CheckSealedResource(std::string_view file, std::string_view& data) {
  data = {};
  if (file.size() < kResourceSealSize) return "too short";
  const uint64_t body = file.size() - kResourceSealSize;
  if (file.substr(body, 4) != kSealMagic || Be32(file, body + 4) != body)
    return "no seal at its end (cut short or not ours)";
  if (Be64(file, body + 8) != ResourceChecksum(file.substr(0, body))) return "checksum mismatch";
  std::string problem = CheckResourceStructure(file.substr(0, body));
  if (problem.empty()) data = file.substr(0, body);
  return problem;
}

ResourceFile::~ResourceFile() { Close(); }

ResourceFile::Status ResourceFile::Open(const std::string& path, const QString& root) {
  Close();
  problem_.clear();
  const QString native = QString::fromStdString(sys::NativePath(path));
  if (!QFileInfo(native).isFile()) {
    problem_ = "missing";
    return Status::Missing;
  }
  QFile file(native);
  if (file.size() > kMaxResourceFileSize) {
    problem_ = "too large";
    return Status::Damaged;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    problem_ = "cannot be read";
    return Status::Damaged;
  }
  QByteArray bytes = file.readAll();
  std::string_view data;
  problem_ = CheckSealedResource(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), data);
  if (!problem_.empty()) return Status::Damaged;
  bytes_ = std::move(bytes);
  if (!QResource::registerResource(reinterpret_cast<const uchar*>(bytes_.constData()), root)) {
    bytes_.clear();
    problem_ = "refused by Qt";
    return Status::Damaged;
  }
  root_ = root;
  return Status::Ok;
}

void ResourceFile::Close() {
  if (root_.isEmpty()) return;
  QResource::unregisterResource(reinterpret_cast<const uchar*>(bytes_.constData()), root_);
  root_.clear();
  bytes_.clear();
}

}  // namespace tw::gfx
