// Private-profile files such as DATA\CFG.DAT: sections and keys match without
// regard to case, the first match wins, every write goes to the file at once.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tw::sys {

class IniFile {
 public:
  explicit IniFile(std::string path);
  const std::string& Path() const { return path_; }

  // Text after the first '=', blanks trimmed; the default when the key is
  // missing, "" when it is present but empty.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const;
  // The default when the value is missing or not a number.
  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  bool KeyExists(const std::string& section, const std::string& key) const;
  bool SectionExists(const std::string& section) const;
  // Keys of a section, in file order.
  std::vector<std::string> ReadSectionKeys(const std::string& section) const;
  std::vector<std::string> ReadSectionNames() const;

  // Replace in place, else append the key to its section, else append the
  // section; creates the file. False when the file cannot be written.
  bool WriteString(const std::string& section, const std::string& key, const std::string& value);
  bool WriteInteger(const std::string& section, const std::string& key, int value);
  // Several keys of one section, in order, with one rewrite of the file; nothing is
  // written when a name or value is invalid.
  bool WriteStrings(const std::string& section,
                    const std::vector<std::pair<std::string, std::string>>& values);
  bool DeleteKey(const std::string& section, const std::string& key);
  bool EraseSection(const std::string& section);

  // The writes that follow are kept and read back here, and reach the file
  // with one rewrite at Commit (false when the file cannot be written).
  void BeginBatch();
  bool Commit();

 private:
  std::vector<std::string> Lines() const;
  bool Store(const std::vector<std::string>& lines);

  std::string path_;
  std::optional<std::vector<std::string>> batch_;
};

}  // namespace tw::sys
