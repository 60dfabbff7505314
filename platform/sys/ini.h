// Private-profile files such as DATA\CFG.DAT: sections and keys match without
// regard to case, the first match wins, every write goes to the file at once
// (or, once held, to memory until staged in a batch). A file that is there
// but cannot be read reads as empty and is never written; it is reported
// once (sys::ReportFileProblem), and so is a failed write.
#pragma once

#include <string>
#include <vector>

namespace tw::sys {

class FileBatch;

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
  bool DeleteKey(const std::string& section, const std::string& key);
  bool EraseSection(const std::string& section);

  // From here on changes are kept in memory (the file is read once now), to
  // be staged with other files. False when the file cannot be read.
  bool Hold();
  bool StageTo(FileBatch& batch) const;
  // Writes the held changes in one replacement (a failure is reported) and
  // ends the holding.
  bool WriteHeld();

 private:
  std::vector<std::string> LoadLines(bool* readable = nullptr) const;
  bool StoreLines(const std::vector<std::string>& lines);

  std::string path_;
  bool holding_ = false;
  std::vector<std::string> held_;
};

}  // namespace tw::sys
