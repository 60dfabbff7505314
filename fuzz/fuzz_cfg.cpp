// DATA\CFG.DAT, the preferences file: every section and key is read, then a
// key of the file is rewritten, a new section is added and a key deleted.
// A write that is refused leaves the file as it was; one that is made reads
// back, and every other key keeps its value.
#include "core/datafiles.h"
#include "fuzz/fuzz_common.h"
#include "platform/sys/ini.h"

using namespace tw;

namespace {

struct Key {
  std::string section, key;
};

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::vector<std::string> Values(const sys::IniFile& ini, const std::vector<Key>& keys) {
  std::vector<std::string> values;
  for (const Key& k : keys) values.push_back(ini.ReadString(k.section, k.key, "\x01"));
  return values;
}

// Every other key reads as before.
void CheckOthers(const sys::IniFile& ini, const std::vector<Key>& keys,
                 const std::vector<std::string>& before, const Key& changed) {
  const std::vector<std::string> after = Values(ini, keys);
  for (size_t i = 0; i < keys.size(); ++i) {
    if (SameName(keys[i].section, changed.section) && SameName(keys[i].key, changed.key)) continue;
    FUZZ_CHECK(after[i] == before[i]);
  }
}

void CheckWrite(const sys::IniFile& ini, bool written, const std::string& bytesBefore,
                const std::vector<Key>& keys, const std::vector<std::string>& before,
                const Key& changed) {
  if (!written) {
    FUZZ_CHECK(fuzz::ReadBytes(ini.Path()) == bytesBefore);
    return;
  }
  CheckOthers(ini, keys, before, changed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Table t;
  const std::string path = CfgFilePath(t.ctx);
  fuzz::WriteBytes(path, data, size);
  sys::IniFile ini(path);

  std::vector<Key> keys;
  for (const std::string& section : ini.ReadSectionNames()) {
    FUZZ_CHECK(ini.SectionExists(section));
    for (const std::string& key : ini.ReadSectionKeys(section)) keys.push_back({section, key});
  }
  // Each read parses the file again: a sample of the keys is enough.
  if (keys.size() > 40) keys.resize(40);
  for (const Key& k : keys) ini.ReadInteger(k.section, k.key, 0);
  StringList users;
  LoadUserList(t.ctx, users);
  ReadRunExeParameter(t.ctx);

  const std::vector<std::string> before = Values(ini, keys);
  if (!keys.empty()) {
    const Key k = keys[size % keys.size()];
    const std::string bytes = fuzz::ReadBytes(path);
    const bool written = ini.WriteString(k.section, k.key, "fuzz value");
    CheckWrite(ini, written, bytes, keys, before, k);
    if (written) FUZZ_CHECK(ini.ReadString(k.section, k.key, "") == "fuzz value");
  }

  const std::vector<std::string> middle = Values(ini, keys);
  const Key added{"Fuzz Section", "Added"};
  std::string bytes = fuzz::ReadBytes(path);
  const bool appended = ini.WriteString(added.section, added.key, "12");
  CheckWrite(ini, appended, bytes, keys, middle, added);
  if (appended) FUZZ_CHECK(ini.ReadInteger(added.section, added.key, 0) == 12);

  if (!keys.empty()) {
    const Key k = keys[(size / 3) % keys.size()];
    const std::vector<std::string> now = Values(ini, keys);
    bytes = fuzz::ReadBytes(path);
    CheckWrite(ini, ini.DeleteKey(k.section, k.key), bytes, keys, now, k);
  }
  AddRecentDealNumber(t.ctx, "1234567");
  return 0;
}
