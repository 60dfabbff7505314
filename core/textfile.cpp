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
  void Release() { own_.Close(); }
  RawFile& operator*() { return *file_; }
  RawFile* operator->() { return file_; }

 private:
  RawFile own_;
  RawFile* file_ = nullptr;
};

// Up to n bytes at offset (fewer at the end of the file).
std::string ReadAt(RawFile& f, int64_t offset, int64_t n) {
  std::string out;
  if (n <= 0 || !f.Seek(offset)) return out;
  out.resize(static_cast<size_t>(n));
  int64_t got = f.Read(out.data(), n);
  out.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return out;
}

std::string ReadAll(RawFile& f) {
  std::string all;
  for (int64_t pos = 0;; pos += kTextFileBlock) {
    std::string block = ReadAt(f, pos, kTextFileBlock);
    all += block;
    if (static_cast<int64_t>(block.size()) < kTextFileBlock) break;
  }
  return all;
}

// First occurrence of needle at or after from, scanning block by block; each
// further block starts needle's length - 1 back, so a split needle is found.
bool FindInFile(RawFile& f, int64_t from, const std::string& needle, int64_t& at) {
  if (needle.empty()) return false;
  int64_t pos = from;
  for (;;) {
    std::string block = ReadAt(f, pos, kTextFileBlock);
    size_t hit = block.find(needle);
    if (hit != std::string::npos) {
      at = pos + static_cast<int64_t>(hit);
      return true;
    }
    if (static_cast<int64_t>(block.size()) < kTextFileBlock) return false;
    int64_t step = static_cast<int64_t>(block.size()) - static_cast<int64_t>(needle.size()) + 1;
    pos += step > 0 ? step : 1;
  }
}

// Where the line after a header ends at p begins; false when the header is
// followed by more text on its line.
bool HeaderLineEnd(RawFile& f, int64_t p, int64_t& bodyStart) {
  std::string next = ReadAt(f, p, 2);
  if (next.empty()) {
    bodyStart = p;
  } else if (next[0] == '\n') {
    bodyStart = p + 1;
  } else if (next[0] == '\r' && (next.size() == 1 || next[1] == '\n')) {
    bodyStart = p + static_cast<int64_t>(next.size());
  } else {
    return false;
  }
  return true;
}

bool FindHeader(RawFile& f, const std::string& header, int64_t& offset, int64_t& bodyStart) {
  if (header.empty()) return false;
  int64_t len = static_cast<int64_t>(header.size());
  if (ReadAt(f, 0, len) == header && HeaderLineEnd(f, len, bodyStart)) {
    offset = 0;
    return true;
  }
  const std::string needle = "\n" + header;
  int64_t pos = 0, at = 0;
  while (FindInFile(f, pos, needle, at)) {
    if (HeaderLineEnd(f, at + 1 + len, bodyStart)) {
      offset = at + 1;
      return true;
    }
    pos = at + 1;
  }
  return false;
}

struct Section {
  int64_t header = 0;
  int64_t bodyStart = 0;
  int64_t bodyEnd = 0;
  std::string body;
};

// Finds the section and reads its body: up to the next line that begins
// with "[" (also right at the body start), or the end of the file.
bool LocateSection(RawFile& f, const std::string& name, Section& s) {
  if (!FindHeader(f, "[" + name + "]", s.header, s.bodyStart)) return false;
  s.body.clear();
  for (int64_t pos = s.bodyStart;; pos += kTextFileBlock) {
    std::string block = ReadAt(f, pos, kTextFileBlock);
    size_t from = s.body.empty() ? 0 : s.body.size() - 1;
    s.body += block;
    size_t hit = s.body.find("\n[", from);
    if (hit != std::string::npos) {
      s.body.resize(hit + 1);
      break;
    }
    if (static_cast<int64_t>(block.size()) < kTextFileBlock) break;
  }
  if (!s.body.empty() && s.body[0] == '[') s.body.clear();
  s.bodyEnd = s.bodyStart + static_cast<int64_t>(s.body.size());
  return true;
}

struct BodyLine {
  int64_t offset = 0;  // from the body start
  std::string text;    // without its terminator
  bool crlf = false;   // ended by CR LF
};

std::vector<BodyLine> SplitBody(const std::string& body) {
  std::vector<BodyLine> lines;
  size_t pos = 0;
  while (pos < body.size()) {
    size_t lf = body.find('\n', pos);
    size_t end = lf == std::string::npos ? body.size() : lf;
    BodyLine line;
    line.offset = static_cast<int64_t>(pos);
    size_t stop = end;
    if (stop > pos && body[stop - 1] == '\r') {
      --stop;
      line.crlf = lf != std::string::npos;
    }
    line.text = body.substr(pos, stop - pos);
    lines.push_back(std::move(line));
    if (lf == std::string::npos) break;
    pos = lf + 1;
  }
  return lines;
}

std::string PairLines(const StringList& keys, const StringList& values) {
  std::string out;
  for (size_t i = 0; i < keys.size(); ++i) out += keys[i] + "=" + values[i] + "\r\n";
  return out;
}

// Replaces the file with bytes, reporting a failed step; the original stays
// as it was then. A caller's handle is reopened on the new file.
bool Rewrite(GameContext& ctx, RawFile* handle, const std::string& file,
             const std::string& bytes) {
  sys::ReplaceOutcome outcome;
  if (!sys::ReplaceFileBytes(file, bytes, "rpl", outcome)) {
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

// The whole file with the section's body replaced by newBody.
bool RewriteSectionBody(GameContext& ctx, RawFile* handle, const std::string& file,
                        const std::string& section, const std::string& newBody) {
  std::string bytes;
  {
    FileAccess f;
    if (!f.Open(handle, file, RawFile::Mode::Read)) return false;
    Section s;
    if (!LocateSection(*f, section, s)) return false;
    std::string all = ReadAll(*f);
    if (static_cast<int64_t>(all.size()) < s.bodyEnd) return false;
    bytes = all.substr(0, static_cast<size_t>(s.bodyStart));
    // A header line ended by a lone CR at the end of the file gets its LF.
    if (!bytes.empty() && bytes.back() != '\n') bytes += bytes.back() == '\r' ? "\n" : "\r\n";
    bytes += newBody;
    bytes += all.substr(static_cast<size_t>(s.bodyEnd));
  }
  return Rewrite(ctx, handle, file, bytes);
}

std::string JoinLines(const StringList& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

}  // namespace

bool FindSection(RawFile* handle, const std::string& file, const std::string& header,
                 int64_t& offset) {
  FileAccess f;
  if (!f.Open(handle, file, RawFile::Mode::Read)) return false;
  int64_t bodyStart = 0;
  return FindHeader(*f, header, offset, bodyStart);
}

bool GetSectionValue(RawFile* handle, const std::string& file, const std::string& section,
                     const std::string& key, const std::string& def, std::string& value) {
  value = def;
  if (key.empty()) return false;
  FileAccess f;
  if (!f.Open(handle, file, RawFile::Mode::Read)) return false;
  Section s;
  if (!LocateSection(*f, section, s)) return false;
  for (const BodyLine& line : SplitBody(s.body)) {
    if (KeyMatches(line.text, key)) {
      value = TrimRightSpaces(line.text.substr(key.size() + 1));
      return true;
    }
  }
  return false;
}

bool GetSectionValues(const std::string& file, const std::string& section,
                      const StringList& keys, const StringList& defaults, StringList& values) {
  values = defaults;
  values.resize(keys.size());
  std::vector<bool> found(keys.size(), false);
  size_t missing = keys.size();
  StringList lines;
  if (!sys::ReadFileLines(file, lines)) return false;
  const std::string header = "[" + section + "]";
  size_t i = 0;
  while (i < lines.size() && lines[i] != header) ++i;
  if (i == lines.size()) return false;
  for (++i; i < lines.size() && missing > 0; ++i) {
    const std::string& line = lines[i];
    if (!line.empty() && line[0] == '[') break;
    for (size_t k = 0; k < keys.size(); ++k) {
      if (!found[k] && !keys[k].empty() && KeyMatches(line, keys[k])) {
        values[k] = line.substr(keys[k].size() + 1);
        found[k] = true;
        --missing;
        break;
      }
    }
  }
  return missing == 0;
}

void ListSections(const std::string& file, StringList& list) {
  list.clear();
  StringList lines;
  if (!sys::ReadFileLines(file, lines)) return;
  for (const auto& line : lines) {
    if (line.empty() || line[0] != '[') continue;
    size_t close = line.find_last_of(']');
    list.push_back(close == std::string::npos || close == 0 ? line.substr(1)
                                                            : line.substr(1, close - 1));
  }
}

void ReadSectionLines(const std::string& file, const std::string& section, StringList& list) {
  list.clear();
  StringList lines;
  if (!sys::ReadFileLines(file, lines)) return;
  const std::string header = "[" + section + "]";
  size_t i = 0;
  while (i < lines.size() && lines[i] != header) ++i;
  for (++i; i < lines.size(); ++i) {
    if (!lines[i].empty() && lines[i][0] == '[') break;
    if (!lines[i].empty()) list.push_back(lines[i]);
  }
}

bool SetSectionValue(GameContext& ctx, RawFile* handle, const std::string& file,
                     const std::string& section, const std::string& key,
                     const std::string& value) {
  if (!SafeName(section) || !SafeName(key) || !SafeValue(value)) return false;
  StringList kept;
  {
    FileAccess f;
    if (!f.Open(handle, file, RawFile::Mode::ReadWrite)) return false;
    Section s;
    if (!LocateSection(*f, section, s)) {
      f.Release();
      return AppendSection(ctx, handle, file, section, {key}, {value});
    }
    bool replaced = false;
    for (const BodyLine& line : SplitBody(s.body)) {
      if (!replaced && KeyMatches(line.text, key)) {
        if (line.text.size() == key.size() + 1 + value.size()) {
          // Same width: only the value's bytes change.
          int64_t at = s.bodyStart + line.offset + static_cast<int64_t>(key.size()) + 1;
          return f->Seek(at) && f->Write(value) && f->Flush();
        }
        kept.push_back(key + "=" + value);
        replaced = true;
      } else if (!line.text.empty()) {
        kept.push_back(line.text);
      }
    }
    if (!replaced) kept.push_back(key + "=" + value);
  }
  return RewriteSectionBody(ctx, handle, file, section, JoinLines(kept) + "\r\n");
}

bool ReplaceSectionValues(GameContext& ctx, RawFile* handle, const std::string& file,
                          const std::string& section, const StringList& keys,
                          const StringList& values) {
  if (!SafeName(section) || !SafePairs(keys, values)) return false;
  return RewriteSectionBody(ctx, handle, file, section, PairLines(keys, values) + "\r\n");
}

bool OverwriteSectionLines(GameContext& ctx, const std::string& file,
                           const std::string& section, const StringList& keys,
                           const StringList& values) {
  if (!SafeName(section) || !SafePairs(keys, values)) return false;
  StringList kept;
  {
    FileAccess f;
    if (!f.Open(nullptr, file, RawFile::Mode::ReadWrite)) return false;
    Section s;
    if (!LocateSection(*f, section, s)) {
      f.Release();
      return AppendSection(ctx, nullptr, file, section, keys, values);
    }
    std::vector<BodyLine> lines = SplitBody(s.body);
    bool sameShape = lines.size() >= keys.size();
    for (size_t i = 0; sameShape && i < keys.size(); ++i) {
      sameShape = lines[i].crlf && KeyMatches(lines[i].text, keys[i]) &&
                  lines[i].text.size() == keys[i].size() + 1 + values[i].size();
    }
    if (sameShape) {
      return f->Seek(s.bodyStart) && f->Write(PairLines(keys, values)) && f->Flush();
    }
    // Other keys or widths stand there: keep them and rewrite the section.
    std::vector<bool> used(keys.size(), false);
    for (const BodyLine& line : lines) {
      if (line.text.empty()) continue;
      size_t k = 0;
      while (k < keys.size() && (used[k] || !KeyMatches(line.text, keys[k]))) ++k;
      if (k < keys.size()) {
        kept.push_back(keys[k] + "=" + values[k]);
        used[k] = true;
      } else {
        kept.push_back(line.text);
      }
    }
    for (size_t k = 0; k < keys.size(); ++k) {
      if (!used[k]) kept.push_back(keys[k] + "=" + values[k]);
    }
  }
  return RewriteSectionBody(ctx, nullptr, file, section, JoinLines(kept) + "\r\n");
}

bool AppendSection(GameContext& ctx, RawFile* handle, const std::string& file,
                   const std::string& section, const StringList& keys,
                   const StringList& values) {
  if (!SafeName(section) || !SafePairs(keys, values)) return false;
  std::string bytes;
  {
    FileAccess f;
    if (!f.Open(handle, file, RawFile::Mode::Read)) return false;
    bytes = ReadAll(*f);
  }
  // A last line ended by a lone CR gets its LF, so the CR stays a line end.
  if (!bytes.empty() && bytes.back() == '\r') bytes += '\n';
  bytes += "\r\n[" + section + "]\r\n" + PairLines(keys, values);
  return Rewrite(ctx, handle, file, bytes);
}

bool ReplaceTextInFile(GameContext& ctx, const std::string& file, int column,
                       const std::string& oldText, const std::string& newText) {
  if (column < 1 || oldText.empty()) return true;
  if (!SafeValue(newText)) return false;
  if (!sys::FileExists(file)) return true;
  if (ctx.Ui != nullptr) ctx.Ui->SetHourglass(true);
  bool ok = true;
  StringList lines;
  if (sys::ReadFileLines(file, lines)) {
    bool changed = false;
    size_t at = static_cast<size_t>(column - 1);
    for (auto& line : lines) {
      if (line.size() >= at + oldText.size() && line.compare(at, oldText.size(), oldText) == 0) {
        line = ReplaceAt(line, column, static_cast<int>(oldText.size()), newText);
        changed = true;
      }
    }
    if (changed) ok = Rewrite(ctx, nullptr, file, JoinLines(lines));
  } else {
    ok = false;
  }
  if (ctx.Ui != nullptr) ctx.Ui->SetHourglass(false);
  return ok;
}

bool CreateFileIfMissing(const std::string& file) { return sys::CreateEmptyFile(file); }

}  // namespace tw
