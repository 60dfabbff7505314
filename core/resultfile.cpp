#include "core/resultfile.h"

#include <filesystem>
#include <system_error>

#include "core/util.h"
#include "platform/sys/files.h"
#include "platform/sys/paths.h"

namespace tw {

const char* const kVersionHeader = "[Version]";
const char* const kVersionLine = "Version=0300";

bool ResultFile::Load(const std::string& path) {
  lines_.clear();
  existed_ = sys::FileExists(path);
  if (!existed_) return true;
  return sys::ReadFileLines(path, lines_);
}

bool ResultFile::Save(const std::string& path) const { return sys::ReplaceFileLines(path, lines_); }

int ResultFile::FindSection(const std::string& name) const {
  const std::string header = "[" + name + "]";
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (!lines_[i].empty() && lines_[i][0] == '[' && TrimRightSpaces(lines_[i]) == header) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int ResultFile::BodyEnd(int h) const {
  size_t i = static_cast<size_t>(h) + 1;
  while (i < lines_.size() && (lines_[i].empty() || lines_[i][0] != '[')) ++i;
  return static_cast<int>(i);
}

int ResultFile::FindKey(const std::string& section, const std::string& key) const {
  int h = FindSection(section);
  if (h < 0) return -1;
  const std::string prefix = key + "=";
  int end = BodyEnd(h);
  for (int i = h + 1; i < end; ++i) {
    if (lines_[static_cast<size_t>(i)].compare(0, prefix.size(), prefix) == 0) return i;
  }
  return -1;
}

bool ResultFile::GetValue(const std::string& section, const std::string& key,
                          std::string& value) const {
  int i = FindKey(section, key);
  if (i < 0) return false;
  value = lines_[static_cast<size_t>(i)].substr(key.size() + 1);
  return true;
}

void ResultFile::SetValue(const std::string& section, const std::string& key,
                          const std::string& value) {
  int h = FindSection(section);
  if (h < 0) {
    AppendSection(section, {{key, value}});
    return;
  }
  int i = FindKey(section, key);
  if (i >= 0) {
    lines_[static_cast<size_t>(i)] = key + "=" + value;
    return;
  }
  int at = BodyEnd(h);
  while (at > h + 1 && lines_[static_cast<size_t>(at - 1)].empty()) --at;
  lines_.insert(lines_.begin() + at, key + "=" + value);
}

void ResultFile::AppendSection(const std::string& section,
                               const std::vector<std::pair<std::string, std::string>>& entries) {
  if (!lines_.empty() && !lines_.back().empty()) lines_.emplace_back();
  lines_.push_back("[" + section + "]");
  for (const auto& [k, v] : entries) lines_.push_back(k + "=" + v);
}

std::vector<std::pair<std::string, std::string>> ResultFile::Entries(
    const std::string& section) const {
  std::vector<std::pair<std::string, std::string>> out;
  int h = FindSection(section);
  if (h < 0) return out;
  int end = BodyEnd(h);
  for (int i = h + 1; i < end; ++i) {
    const std::string& line = lines_[static_cast<size_t>(i)];
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    out.emplace_back(line.substr(0, eq), line.substr(eq + 1));
  }
  return out;
}

std::vector<std::string> ResultFile::SectionNames() const {
  std::vector<std::string> out;
  for (const auto& line : lines_) {
    if (line.empty() || line[0] != '[') continue;
    std::string t = TrimRightSpaces(line);
    if (t.size() >= 2 && t.back() == ']') out.push_back(t.substr(1, t.size() - 2));
  }
  return out;
}

ResultBatch::~ResultBatch() { Discard(); }

bool ResultBatch::Stage(const std::string& path, const std::vector<std::string>& lines) {
  namespace fs = std::filesystem;
  const std::string target = sys::NativePath(path);
  std::string bytes;
  for (const auto& l : lines) bytes += l + "\r\n";
  const std::string temp =
      sys::MakeTempFile(sys::DirectoryOf(target), fs::path(target).filename().string() + ".tmp");
  bool ok = !temp.empty();
  if (ok) {
    sys::RawFile f;
    ok = f.Open(temp, sys::RawFile::Mode::ReadWrite) && f.Write(bytes) && f.Flush();
    f.Close();
    std::error_code ec;
    // The replacement keeps the original's permissions.
    fs::file_status st = fs::status(target, ec);
    if (ok && !ec && fs::exists(st)) fs::permissions(temp, st.permissions(), ec);
    if (!ok) sys::DeleteFile(temp);
  }
  if (!ok) {
    failed_ = true;
    failedPath_ = path;
    return false;
  }
  for (auto& s : staged_) {
    if (s.target == target) {
      sys::DeleteFile(s.temp);
      s.temp = temp;
      return true;
    }
  }
  staged_.push_back({target, temp});
  return true;
}

bool ResultBatch::Commit() {
  if (failed_) {
    Discard();
    return false;
  }
  bool ok = true;
  for (const auto& s : staged_) {
    if (!sys::RenameFile(s.temp, s.target)) {
      sys::DeleteFile(s.temp);
      failedPath_ = s.target;
      ok = false;
    }
  }
  staged_.clear();
  return ok;
}

void ResultBatch::Discard() {
  for (const auto& s : staged_) sys::DeleteFile(s.temp);
  staged_.clear();
}

bool SaveResultFile(const ResultFile& file, const std::string& path, ResultBatch* batch) {
  return batch ? batch->Stage(path, file.Lines()) : file.Save(path);
}

long long ClampTo(long long value, long long lo, long long hi) {
  return value < lo ? lo : (value > hi ? hi : value);
}

std::string SaturatedField(long long value, int width) {
  long long hi = 1;
  for (int i = 0; i < width && hi <= 100000000000000000LL; ++i) hi *= 10;
  long long lo = -(hi / 10 - 1);
  return IntToStrPad(ClampTo(value, lo, hi - 1), width);
}

long long FieldNumber(const std::string& text, long long def) {
  int64_t v = 0;
  if (Trim(text).empty() || !ParseInt(text, v)) return def;
  return v;
}

}  // namespace tw
