#include "core/textfile.h"

#include "core/util.h"
#include "platform/sys/services.h"

namespace tw {

namespace {

using sys::RawFile;

bool SafeName(const std::string& name) {
  return !name.empty() && name.find_first_of("=[]\r\n") == std::string::npos;
}

bool SafeValue(const std::string& value) {
  return value.find_first_of("\r\n") == std::string::npos;
}

bool SafePairs(const StringList& keys, const StringList& values) {
  if (keys.size() != values.size()) return false;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (!SafeName(keys[i]) || !SafeValue(values[i])) return false;
  }
  return true;
}

bool KeyMatches(const std::string& line, const std::string& key) {
  return line.size() > key.size() && line.compare(0, key.size(), key) == 0 &&
         line[key.size()] == '=';
}

// The caller's open handle, or a file opened (and closed) here.
class FileAccess {
 public:
  bool Open(RawFile* handle, const std::string& file, RawFile::Mode mode) {
    if (handle != nullptr && handle->IsOpen()) {
      file_ = handle;
      return true;
    }
    if (!own_.Open(file, mode)) return false;
    file_ = &own_;
    return true;
  }
  RawFile* operator->() { return file_; }

 private:
  RawFile own_;
  RawFile* file_ = nullptr;
};

// The whole file through the caller's handle or a file opened here.
bool ReadAll(RawFile* handle, const std::string& file, RawFile::Mode mode, SectionedTextFile& out) {
  FileAccess f;
  if (!f.Open(handle, file, mode)) return false;
  std::string all;
  char buf[kTextFileBlock];
  for (int64_t pos = 0; f->Seek(pos); pos += kTextFileBlock) {
    int64_t got = f->Read(buf, kTextFileBlock);
    if (got < 0) return false;
    all.append(buf, static_cast<size_t>(got));
    if (got < kTextFileBlock) break;
  }
  out.Parse(all);
  return true;
}

// Replaces the file with bytes, reporting a failed step; the original stays
// as it was then. A caller's handle is reopened on the new file.
bool Rewrite(GameContext& ctx, RawFile* handle, const std::string& file,
             const SectionedTextFile& text) {
  sys::ReplaceOutcome outcome;
  if (!sys::ReplaceFileBytes(file, text.Bytes(), "rpl", outcome)) {
    switch (outcome.step) {
      case sys::ReplaceOutcome::Step::TempFile:
        ShowMsg(ctx, "Error creating temp file.");
        break;
      case sys::ReplaceOutcome::Step::Write:
        ShowMsg(ctx, "Write error on file");
        break;
      case sys::ReplaceOutcome::Step::Rename:
        ShowMsg(ctx, "Error renaming file: " + outcome.tempName + "\r" + "with:" + " " + file);
        break;
      case sys::ReplaceOutcome::Step::Done:
        break;
    }
    return false;
  }
  if (handle != nullptr && handle->IsOpen()) handle->Open(file, RawFile::Mode::ReadWrite);
  return true;
}

StringList PairLines(const StringList& keys, const StringList& values) {
  StringList out;
  for (size_t i = 0; i < keys.size(); ++i) out.push_back(keys[i] + "=" + values[i]);
  return out;
}

}  // namespace

const char* const kVersionHeader = "[Version]";
const char* const kVersionLine = "Version=0300";

bool SectionedTextFile::Load(const std::string& path) {
  lines_.clear();
  offsets_.clear();
  std::string bytes;
  sys::ReadStatus status = sys::ReadFileChecked(path, bytes);
  existed_ = status != sys::ReadStatus::Missing;
  if (status == sys::ReadStatus::Ok) Parse(bytes);
  return status != sys::ReadStatus::Unreadable;
}

void SectionedTextFile::Parse(const std::string& bytes) {
  lines_ = sys::SplitLines(bytes);
  offsets_.clear();
  int64_t at = 0;
  for (const auto& line : lines_) {
    offsets_.push_back(at);
    at += static_cast<int64_t>(line.size());
    size_t end = static_cast<size_t>(at);
    if (end < bytes.size() && bytes[end] == '\r') ++at, ++end;
    if (end < bytes.size() && bytes[end] == '\n') ++at;
  }
}

std::string SectionedTextFile::Bytes() const {
  std::string out;
  for (const auto& l : lines_) out += l + "\r\n";
  return out;
}

bool SectionedTextFile::Save(const std::string& path, sys::FileBatch* batch) const {
  return batch ? batch->Stage(path, lines_) : sys::ReplaceFileLines(path, lines_);
}

int SectionedTextFile::FindSection(const std::string& name) const {
  const std::string header = "[" + name + "]";
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (!lines_[i].empty() && lines_[i][0] == '[' && TrimRightSpaces(lines_[i]) == header) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int SectionedTextFile::BodyEnd(int h) const {
  size_t i = static_cast<size_t>(h) + 1;
  while (i < lines_.size() && (lines_[i].empty() || lines_[i][0] != '[')) ++i;
  return static_cast<int>(i);
}

int SectionedTextFile::FindKey(const std::string& section, const std::string& key) const {
  int h = FindSection(section);
  if (h < 0 || key.empty()) return -1;
  int end = BodyEnd(h);
  for (int i = h + 1; i < end; ++i) {
    if (KeyMatches(lines_[static_cast<size_t>(i)], key)) return i;
  }
  return -1;
}

bool SectionedTextFile::GetValue(const std::string& section, const std::string& key,
                                 std::string& value) const {
  int i = FindKey(section, key);
  if (i < 0) return false;
  value = lines_[static_cast<size_t>(i)].substr(key.size() + 1);
  return true;
}

void SectionedTextFile::SetValue(const std::string& section, const std::string& key,
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

void SectionedTextFile::AppendSection(
    const std::string& section, const std::vector<std::pair<std::string, std::string>>& entries) {
  if (!lines_.empty() && !lines_.back().empty()) lines_.emplace_back();
  lines_.push_back("[" + section + "]");
  for (const auto& [k, v] : entries) lines_.push_back(k + "=" + v);
}

void SectionedTextFile::ReplaceBody(int h, const std::vector<std::string>& lines) {
  auto first = lines_.begin() + h + 1;
  lines_.erase(first, lines_.begin() + BodyEnd(h));
  lines_.insert(lines_.begin() + h + 1, lines.begin(), lines.end());
}

bool SectionedTextFile::RemoveSection(const std::string& name) {
  int h = FindSection(name);
  if (h < 0) return false;
  lines_.erase(lines_.begin() + h, lines_.begin() + BodyEnd(h));
  return true;
}

std::vector<std::pair<std::string, std::string>> SectionedTextFile::Entries(
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

std::vector<std::string> SectionedTextFile::SectionNames() const {
  std::vector<std::string> out;
  for (const auto& line : lines_) {
    if (line.empty() || line[0] != '[') continue;
    std::string t = TrimRightSpaces(line);
    if (t.size() >= 2 && t.back() == ']') out.push_back(t.substr(1, t.size() - 2));
  }
  return out;
}

bool FindSection(RawFile* handle, const std::string& file, const std::string& header,
                 int64_t& offset) {
  if (header.size() < 2 || header.front() != '[' || header.back() != ']') return false;
  SectionedTextFile text;
  if (!ReadAll(handle, file, RawFile::Mode::Read, text)) return false;
  int h = text.FindSection(header.substr(1, header.size() - 2));
  if (h < 0) return false;
  offset = text.Offset(h);
  return true;
}

bool GetSectionValue(RawFile* handle, const std::string& file, const std::string& section,
                     const std::string& key, const std::string& def, std::string& value) {
  value = def;
  SectionedTextFile text;
  if (!ReadAll(handle, file, RawFile::Mode::Read, text)) return false;
  if (!text.GetValue(section, key, value)) return false;
  value = TrimRightSpaces(value);
  return true;
}

bool GetSectionValues(const std::string& file, const std::string& section,
                      const StringList& keys, const StringList& defaults, StringList& values) {
  values = defaults;
  values.resize(keys.size());
  SectionedTextFile text;
  if (!text.Load(file)) return false;
  bool all = text.FindSection(section) >= 0;
  for (size_t k = 0; k < keys.size(); ++k) {
    all = text.GetValue(section, keys[k], values[k]) && all;
  }
  return all;
}

void ListSections(const std::string& file, StringList& list) {
  list.clear();
  SectionedTextFile text;
  text.Load(file);
  for (const auto& line : text.Lines()) {
    if (line.empty() || line[0] != '[') continue;
    size_t close = line.find_last_of(']');
    list.push_back(close == std::string::npos || close == 0 ? line.substr(1)
                                                            : line.substr(1, close - 1));
  }
}

void ReadSectionLines(const std::string& file, const std::string& section, StringList& list) {
  list.clear();
  SectionedTextFile text;
  text.Load(file);
  int h = text.FindSection(section);
  if (h < 0) return;
  for (int i = h + 1; i < text.BodyEnd(h); ++i) {
    const std::string& line = text.Lines()[static_cast<size_t>(i)];
    if (!line.empty()) list.push_back(line);
  }
}

bool SetSectionValue(GameContext& ctx, RawFile* handle, const std::string& file,
                     const std::string& section, const std::string& key,
                     const std::string& value) {
  if (!SafeName(section) || !SafeName(key) || !SafeValue(value)) return false;
  SectionedTextFile text;
  if (!ReadAll(handle, file, RawFile::Mode::ReadWrite, text)) return false;
  int h = text.FindSection(section);
  if (h < 0) return AppendSection(ctx, handle, file, section, {key}, {value});
  int at = text.FindKey(section, key);
  if (at >= 0 && text.Lines()[static_cast<size_t>(at)].size() == key.size() + 1 + value.size()) {
    // Same width: only the value's bytes change.
    FileAccess f;
    return f.Open(handle, file, RawFile::Mode::ReadWrite) &&
           f->Seek(text.Offset(at) + static_cast<int64_t>(key.size()) + 1) && f->Write(value) &&
           f->Flush();
  }
  StringList kept;
  for (int i = h + 1; i < text.BodyEnd(h); ++i) {
    const std::string& line = text.Lines()[static_cast<size_t>(i)];
    if (i == at) {
      kept.push_back(key + "=" + value);
    } else if (!line.empty()) {
      kept.push_back(line);
    }
  }
  if (at < 0) kept.push_back(key + "=" + value);
  kept.emplace_back();
  text.ReplaceBody(h, kept);
  return Rewrite(ctx, handle, file, text);
}

bool ReplaceSectionValues(GameContext& ctx, RawFile* handle, const std::string& file,
                          const std::string& section, const StringList& keys,
                          const StringList& values) {
  if (!SafeName(section) || !SafePairs(keys, values)) return false;
  SectionedTextFile text;
  if (!ReadAll(handle, file, RawFile::Mode::Read, text)) return false;
  int h = text.FindSection(section);
  if (h < 0) return false;
  StringList body = PairLines(keys, values);
  body.emplace_back();
  text.ReplaceBody(h, body);
  return Rewrite(ctx, handle, file, text);
}

bool OverwriteSectionLines(GameContext& ctx, const std::string& file,
                           const std::string& section, const StringList& keys,
                           const StringList& values) {
  if (!SafeName(section) || !SafePairs(keys, values)) return false;
  SectionedTextFile text;
  if (!ReadAll(nullptr, file, RawFile::Mode::ReadWrite, text)) return false;
  int h = text.FindSection(section);
  if (h < 0) return AppendSection(ctx, nullptr, file, section, keys, values);
  StringList& lines = text.Lines();
  const int end = text.BodyEnd(h);
  bool sameShape = end - h - 1 >= static_cast<int>(keys.size());
  for (size_t i = 0; sameShape && i < keys.size(); ++i) {
    sameShape = KeyMatches(lines[static_cast<size_t>(h) + 1 + i], keys[i]);
  }
  if (sameShape) {
    for (size_t i = 0; i < keys.size(); ++i) {
      lines[static_cast<size_t>(h) + 1 + i] = keys[i] + "=" + values[i];
    }
    return Rewrite(ctx, nullptr, file, text);
  }
  // Other keys stand there: keep them and rewrite the section.
  StringList kept;
  std::vector<bool> used(keys.size(), false);
  for (int i = h + 1; i < end; ++i) {
    const std::string& line = lines[static_cast<size_t>(i)];
    if (line.empty()) continue;
    size_t k = 0;
    while (k < keys.size() && (used[k] || !KeyMatches(line, keys[k]))) ++k;
    if (k < keys.size()) {
      kept.push_back(keys[k] + "=" + values[k]);
      used[k] = true;
    } else {
      kept.push_back(line);
    }
  }
  for (size_t k = 0; k < keys.size(); ++k) {
    if (!used[k]) kept.push_back(keys[k] + "=" + values[k]);
  }
  kept.emplace_back();
  text.ReplaceBody(h, kept);
  return Rewrite(ctx, nullptr, file, text);
}

bool AppendSection(GameContext& ctx, RawFile* handle, const std::string& file,
                   const std::string& section, const StringList& keys,
                   const StringList& values) {
  if (!SafeName(section) || !SafePairs(keys, values)) return false;
  SectionedTextFile text;
  if (!ReadAll(handle, file, RawFile::Mode::Read, text)) return false;
  StringList& lines = text.Lines();
  lines.emplace_back();
  lines.push_back("[" + section + "]");
  for (const auto& l : PairLines(keys, values)) lines.push_back(l);
  return Rewrite(ctx, handle, file, text);
}

bool ReplaceTextInFile(GameContext& ctx, const std::string& file, int column,
                       const std::string& oldText, const std::string& newText) {
  if (column < 1 || oldText.empty()) return true;
  if (!SafeValue(newText)) return false;
  SectionedTextFile text;
  if (!text.Load(file)) return false;
  if (!text.Existed()) return true;
  if (ctx.Ui != nullptr) ctx.Ui->SetHourglass(true);
  bool changed = false;
  const size_t at = static_cast<size_t>(column - 1);
  for (auto& line : text.Lines()) {
    if (line.size() >= at + oldText.size() && line.compare(at, oldText.size(), oldText) == 0) {
      line = ReplaceAt(line, column, static_cast<int>(oldText.size()), newText);
      changed = true;
    }
  }
  const bool ok = !changed || Rewrite(ctx, nullptr, file, text);
  if (ctx.Ui != nullptr) ctx.Ui->SetHourglass(false);
  return ok;
}

bool CreateFileIfMissing(const std::string& file) { return sys::CreateEmptyFile(file); }

}  // namespace tw
