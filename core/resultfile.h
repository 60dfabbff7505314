// The results files (statistics, hi-scores, overall scores) held in memory
// as lines while one update is worked out, then saved whole through the safe
// replace, so a failure at any point leaves the previous file as it was.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tw {

class ResultFile {
 public:
  // False when the file cannot be read; a missing file loads as empty and
  // sets Existed() false.
  bool Load(const std::string& path);
  bool Existed() const { return existed_; }
  // Temporary file + flush + rename over path.
  bool Save(const std::string& path) const;

  std::vector<std::string>& Lines() { return lines_; }
  const std::vector<std::string>& Lines() const { return lines_; }

  // Index of the header line "[name]" (whole line, trailing blanks allowed),
  // -1 when missing.
  int FindSection(const std::string& name) const;
  // One past the last body line of the section whose header is at index h.
  int BodyEnd(int h) const;
  // Index of the first body line of the section that begins with key + "=".
  int FindKey(const std::string& section, const std::string& key) const;
  // The text after key + "=", verbatim.
  bool GetValue(const std::string& section, const std::string& key, std::string& value) const;
  // Replaces the first matching line; else inserts the key after the last
  // non-empty body line; else appends the section after an empty line.
  void SetValue(const std::string& section, const std::string& key, const std::string& value);
  void AppendSection(const std::string& section,
                     const std::vector<std::pair<std::string, std::string>>& entries);
  // Key and value of every non-empty body line (lines without "=" skipped).
  std::vector<std::pair<std::string, std::string>> Entries(const std::string& section) const;
  std::vector<std::string> SectionNames() const;

 private:
  std::vector<std::string> lines_;
  bool existed_ = false;
};

// Rewrites of several results files made as one: each new file is written
// and flushed beside its target first, and only when every one is whole are
// they renamed over their targets, so a failed write changes none of them.
// Temporary files not committed are removed. Stage each path once.
class ResultBatch {
 public:
  ResultBatch() = default;
  ~ResultBatch();
  ResultBatch(const ResultBatch&) = delete;
  ResultBatch& operator=(const ResultBatch&) = delete;

  // False (and the batch failed) when the new file cannot be written whole.
  bool Stage(const std::string& path, const std::vector<std::string>& lines);
  bool Failed() const { return failed_; }
  bool Empty() const { return staged_.empty(); }
  // The last file that could not be written or renamed.
  const std::string& FailedPath() const { return failedPath_; }
  // Renames every staged file over its target; false when the batch failed
  // (nothing is renamed then) or a rename did not succeed.
  bool Commit();
  void Discard();

 private:
  struct Staged {
    std::string target, temp;
  };
  std::vector<Staged> staged_;
  bool failed_ = false;
  std::string failedPath_;
};

// Saves through batch when one is given, else at once.
bool SaveResultFile(const ResultFile& file, const std::string& path, ResultBatch* batch);

// The first line of a new statistics or hi-score file and its version line.
extern const char* const kVersionHeader;  // "[Version]"
extern const char* const kVersionLine;    // "Version=0300"

// Clamps value into lo..hi.
long long ClampTo(long long value, long long lo, long long hi);
// value as width digits, clamped to what the field can hold (a leading "-"
// takes one column), so a field never turns into "*" characters.
std::string SaturatedField(long long value, int width);
// Number of a fixed field; def when it is blank or not a number.
long long FieldNumber(const std::string& text, long long def);

}  // namespace tw
