#include "platform/sys/ini.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <sys/stat.h>

#include "platform/sys/files.h"
#include "platform/sys/paths.h"

namespace tw::sys {

namespace {

std::string TrimBlanks(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

// Without regard to case, over every byte (a NUL does not end a name).
bool Same(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

// The section name of a header line; false for any other line.
bool HeaderName(const std::string& line, std::string& name) {
  std::string t = TrimBlanks(line);
  if (t.empty() || t[0] != '[') return false;
  size_t close = t.find(']');
  name = TrimBlanks(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
  return true;
}

bool IsComment(const std::string& line) {
  std::string t = TrimBlanks(line);
  return !t.empty() && t[0] == ';';
}

// The key of a key line; false for blank lines, comments and other text.
bool KeyName(const std::string& line, std::string& key) {
  if (IsComment(line)) return false;
  size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  key = TrimBlanks(line.substr(0, eq));
  return !key.empty();
}

struct Span {
  size_t header = 0, begin = 0, end = 0;  // body lines are [begin, end)
};

bool FindSectionSpan(const std::vector<std::string>& lines, const std::string& section,
                     size_t from, Span& span) {
  std::string name;
  for (size_t i = from; i < lines.size(); ++i) {
    if (!HeaderName(lines[i], name) || !Same(name, section)) continue;
    span.header = i;
    span.begin = i + 1;
    size_t j = i + 1;
    while (j < lines.size() && !HeaderName(lines[j], name)) ++j;
    span.end = j;
    return true;
  }
  return false;
}

// Index of the first line of the span holding key; lines.size() when none.
size_t FindKeyLine(const std::vector<std::string>& lines, const Span& span,
                   const std::string& key) {
  std::string k;
  for (size_t i = span.begin; i < span.end; ++i) {
    if (KeyName(lines[i], k) && Same(k, key)) return i;
  }
  return lines.size();
}

// What identifies one state of a file: any write, rename over it or change
// of its mode gives another stamp.
struct Stamp {
  dev_t dev = 0;
  ino_t ino = 0;
  off_t size = 0;
  timespec mtime{}, ctime{};
  bool operator==(const Stamp& o) const {
    return dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec &&
           mtime.tv_nsec == o.mtime.tv_nsec && ctime.tv_sec == o.ctime.tv_sec &&
           ctime.tv_nsec == o.ctime.tv_nsec;
  }
};

bool StampOf(const std::string& path, Stamp& stamp) {
  struct stat st;
  if (::stat(NativePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  stamp = Stamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
  return true;
}

// The lines of the file read last, while it is unchanged: key after key is
// read one by one, and each would read and split the whole file again.
struct LastRead {
  std::mutex mutex;
  std::string path;
  Stamp stamp;
  std::vector<std::string> lines;
};

LastRead& Cache() {
  static LastRead cache;
  return cache;
}

void Forget(const std::string& path) {
  LastRead& cache = Cache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  if (cache.path == path) cache.path.clear();
}

// A missing file reads as empty; one that is there but cannot be read as
// empty too, and is reported.
std::vector<std::string> Load(const std::string& path, bool* readable = nullptr) {
  LastRead& cache = Cache();
  Stamp before;
  const bool stamped = StampOf(path, before);
  if (stamped) {
    std::lock_guard<std::mutex> lock(cache.mutex);
    if (cache.path == path && cache.stamp == before) {
      if (readable) *readable = true;
      return cache.lines;
    }
  }
  std::vector<std::string> lines;
  const bool ok = ReadLinesChecked(path, lines) != ReadStatus::Unreadable;
  if (!ok) ReportFileProblem(FileProblem::Unreadable, path);
  if (readable) *readable = ok;
  // Kept only when the file did not change while it was read.
  Stamp after;
  if (ok && stamped && StampOf(path, after) && after == before) {
    std::lock_guard<std::mutex> lock(cache.mutex);
    cache.path = path;
    cache.stamp = after;
    cache.lines = lines;
  }
  return lines;
}

// Writes the lines back; a failure is reported.
bool Store(const std::string& path, const std::vector<std::string>& lines) {
  Forget(path);
  if (ReplaceFileLines(path, lines)) {
    ClearFileProblem(path);
    return true;
  }
  ReportFileProblem(FileProblem::WriteFailed, path);
  return false;
}

bool ValidName(const std::string& s) {
  return !TrimBlanks(s).empty() && s.find_first_of("[]=\r\n") == std::string::npos;
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

std::vector<std::string> IniFile::LoadLines(bool* readable) const {
  if (holding_) {
    if (readable) *readable = true;
    return held_;
  }
  return Load(path_, readable);
}

bool IniFile::StoreLines(const std::vector<std::string>& lines) {
  if (holding_) {
    held_ = lines;
    return true;
  }
  return Store(path_, lines);
}

bool IniFile::Hold() {
  bool readable = true;
  held_ = Load(path_, &readable);
  holding_ = readable;
  return readable;
}

bool IniFile::WriteHeld() {
  if (!holding_) return false;
  holding_ = false;
  return Store(path_, held_);
}

bool IniFile::StageTo(FileBatch& batch) const { return holding_ && batch.Stage(path_, held_); }

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& def) const {
  std::vector<std::string> lines = LoadLines();
  Span span;
  if (!FindSectionSpan(lines, section, 0, span)) return def;
  size_t at = FindKeyLine(lines, span, key);
  if (at == lines.size()) return def;
  const std::string& line = lines[at];
  std::string value = TrimBlanks(line.substr(line.find('=') + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  std::string text = ReadString(section, key, std::string());
  if (text.empty()) return def;
  size_t pos = (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (pos >= text.size()) return def;
  for (size_t i = pos; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return def;
  }
  errno = 0;
  long long v = std::strtoll(text.c_str(), nullptr, 10);
  if (errno != 0 || v < INT_MIN || v > INT_MAX) return def;
  return static_cast<int>(v);
}

bool IniFile::KeyExists(const std::string& section, const std::string& key) const {
  std::vector<std::string> lines = LoadLines();
  Span span;
  return FindSectionSpan(lines, section, 0, span) &&
         FindKeyLine(lines, span, key) != lines.size();
}

bool IniFile::SectionExists(const std::string& section) const {
  std::vector<std::string> lines = LoadLines();
  Span span;
  return FindSectionSpan(lines, section, 0, span);
}

std::vector<std::string> IniFile::ReadSectionKeys(const std::string& section) const {
  std::vector<std::string> keys;
  std::vector<std::string> lines = LoadLines();
  Span span;
  if (!FindSectionSpan(lines, section, 0, span)) return keys;
  std::string k;
  for (size_t i = span.begin; i < span.end; ++i) {
    if (KeyName(lines[i], k)) keys.push_back(k);
  }
  return keys;
}

std::vector<std::string> IniFile::ReadSectionNames() const {
  std::vector<std::string> names;
  std::string name;
  for (const auto& line : LoadLines()) {
    if (!HeaderName(line, name)) continue;
    bool seen = false;
    for (const auto& n : names) seen = seen || Same(n, name);
    if (!seen) names.push_back(name);
  }
  return names;
}

bool IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
  if (!ValidName(section) || !ValidName(key)) return false;
  if (value.find_first_of("\r\n") != std::string::npos) return false;
  bool readable = true;
  std::vector<std::string> lines = LoadLines(&readable);
  if (!readable) return false;
  Span span;
  if (!FindSectionSpan(lines, section, 0, span)) {
    lines.push_back("[" + section + "]");
    lines.push_back(key + "=" + value);
    return StoreLines(lines);
  }
  size_t at = FindKeyLine(lines, span, key);
  if (at != lines.size()) {
    std::string stored;
    KeyName(lines[at], stored);
    lines[at] = stored + "=" + value;
  } else {
    size_t insert = span.end;
    while (insert > span.begin && TrimBlanks(lines[insert - 1]).empty()) --insert;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert), key + "=" + value);
  }
  return StoreLines(lines);
}

bool IniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  return WriteString(section, key, std::to_string(value));
}

bool IniFile::DeleteKey(const std::string& section, const std::string& key) {
  bool readable = true;
  std::vector<std::string> lines = LoadLines(&readable);
  if (!readable) return false;
  Span span;
  if (!FindSectionSpan(lines, section, 0, span)) return true;
  // Every copy in the section goes, so that no later one comes to light.
  bool changed = false;
  std::string k;
  for (size_t i = span.end; i-- > span.begin;) {
    if (KeyName(lines[i], k) && Same(k, key)) {
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
      changed = true;
    }
  }
  return !changed || StoreLines(lines);
}

bool IniFile::EraseSection(const std::string& section) {
  bool readable = true;
  std::vector<std::string> lines = LoadLines(&readable);
  if (!readable) return false;
  bool changed = false;
  Span span;
  while (FindSectionSpan(lines, section, 0, span)) {
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(span.header),
                lines.begin() + static_cast<std::ptrdiff_t>(span.end));
    changed = true;
  }
  return !changed || StoreLines(lines);
}

}  // namespace tw::sys
