// The sectioned text-file library: the parser round-trips, every section and
// key is looked up both ways, then one value is set, one section rewritten, one appended and a
// column replaced. A write that is refused leaves the file as it was; one
// that is made reads back, and every other section keeps its lines.
#include "core/textfile.h"
#include "fuzz/fuzz_common.h"

#include <cstring>

using namespace tw;

namespace {

using Sections = std::vector<std::pair<std::string, StringList>>;

Sections ReadAll(const std::string& file) {
  StringList names;
  ListSections(file, names);
  Sections all;
  for (const std::string& name : names) {
    StringList lines;
    ReadSectionLines(file, name, lines);
    all.emplace_back(name, lines);
  }
  return all;
}

// Every section but the changed one keeps its lines. (A header damaged by a
// stray CR at the end of the file may read differently once lines follow it.)
void CheckOthers(const Sections& before, const Sections& after, const std::string& changed) {
  std::map<std::string, StringList> now(after.begin(), after.end());
  for (const auto& [name, lines] : before) {
    if (name == changed || name.empty() || name.find('\r') != std::string::npos) continue;
    FUZZ_CHECK(now.count(name) == 1 || lines.empty());
    if (now.count(name)) FUZZ_CHECK(now[name] == lines || name == changed);
  }
}

std::string KeyOf(const std::string& line) { return line.substr(0, line.find('=')); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Table t;
  const std::string file = fuzz::ScratchDir() + "DATA/TEXT.DAT";
  fuzz::WriteBytes(file, data, size);

  // The parser: what it writes reads back to the same lines and sections.
  SectionedTextFile parsed;
  parsed.Parse(std::string(reinterpret_cast<const char*>(data), size));
  SectionedTextFile again;
  again.Parse(parsed.Bytes());
  FUZZ_CHECK(again.Lines() == parsed.Lines());
  FUZZ_CHECK(again.SectionNames() == parsed.SectionNames());

  const Sections before = ReadAll(file);
  for (const auto& [name, lines] : before) {
    const std::string header = "[" + name + "]";
    int64_t offset = -1;
    if (FindSection(nullptr, file, header, offset)) {
      FUZZ_CHECK(offset >= 0 && static_cast<size_t>(offset) + header.size() <= size);
      FUZZ_CHECK(std::memcmp(data + offset, header.data(), header.size()) == 0);
    }
    StringList keys, defaults, values;
    for (const std::string& line : lines) {
      if (line.find('=') == std::string::npos) continue;
      keys.push_back(KeyOf(line));
      defaults.push_back("");
      std::string value;
      GetSectionValue(nullptr, file, name, keys.back(), "", value);
    }
    GetSectionValues(file, name, keys, defaults, values);
    FUZZ_CHECK(values.size() == keys.size());
  }
  if (before.empty()) {
    FUZZ_CHECK(!ReplaceSectionValues(t.ctx, nullptr, file, "0012", {"A"}, {"1"}));
    FUZZ_CHECK(fuzz::ReadBytes(file) == std::string(reinterpret_cast<const char*>(data), size));
  }

  // One value, by key, in place when it keeps its width.
  Sections now = before;
  for (const auto& [name, lines] : before) {
    if (lines.empty() || lines[0].find('=') == std::string::npos) continue;
    const std::string key = KeyOf(lines[0]);
    std::string value(lines[0].size() - key.size() - 1, 'Z');
    if (value.empty()) value = "Q";
    const std::string bytes = fuzz::ReadBytes(file);
    if (SetSectionValue(t.ctx, nullptr, file, name, key, value)) {
      std::string read;
      FUZZ_CHECK(GetSectionValue(nullptr, file, name, key, "", read));
      FUZZ_CHECK(read == value);
      const Sections after = ReadAll(file);
      CheckOthers(now, after, name);
      now = after;
    } else {
      FUZZ_CHECK(fuzz::ReadBytes(file) == bytes);
    }
    break;
  }

  // A whole section rewritten.
  if (!now.empty()) {
    const std::string name = now[size % now.size()].first;
    const std::string bytes = fuzz::ReadBytes(file);
    if (ReplaceSectionValues(t.ctx, nullptr, file, name, {"A", "B"}, {"1", "22"})) {
      StringList lines;
      ReadSectionLines(file, name, lines);
      FUZZ_CHECK((lines == StringList{"A=1", "B=22"}));
      const Sections after = ReadAll(file);
      CheckOthers(now, after, name);
      now = after;
    } else {
      FUZZ_CHECK(fuzz::ReadBytes(file) == bytes);
    }
  }

  // A new section at the end.
  std::string bytes = fuzz::ReadBytes(file);
  if (AppendSection(t.ctx, nullptr, file, "Fuzz", {"K"}, {"v"})) {
    const Sections after = ReadAll(file);
    CheckOthers(now, after, "Fuzz");
    FUZZ_CHECK(after.size() == now.size() + 1 && after.back().first == "Fuzz");
    now = after;
  } else {
    FUZZ_CHECK(fuzz::ReadBytes(file) == bytes);
  }

  bytes = fuzz::ReadBytes(file);
  if (!ReplaceTextInFile(t.ctx, file, 1, "A=", "Alpha=")) FUZZ_CHECK(fuzz::ReadBytes(file) == bytes);
  return 0;
}
