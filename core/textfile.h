// The sectioned text files of the statistics, hi-scores and overall scores:
// "[name]" header lines, each followed by key=value body lines up to the next
// line that begins with "[". One parser (SectionedTextFile) reads them all;
// every change is made in memory and written whole through a temporary file
// and a rename (or staged in a sys::FileBatch with other files), so a failure
// at any point leaves the previous file as it was. Only SetSectionValue may
// still overwrite a value of the same width in place.
//
// Header and key rules: a header matches only as a whole line at the start
// of a line, trailing blanks allowed ("[Bob]" never matches "[Bobby]" nor
// "x[Bob]"); a key matches a body line only together with its "=" (Bob never
// matches "Bobby=..."). The first match wins. Lines may end with CR LF or a
// bare LF; what is written ends with CR LF.
//
// Raw-style routines take an optional caller-held handle (nullptr = none:
// the routine opens and closes the file itself). A handle is left open; after
// a rewrite it is reopened on the new file. Names (keys, sections) holding
// "=", "[", "]", CR or LF and values holding CR or LF are refused by the
// writers. A file that cannot be opened makes a routine return false.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/state.h"
#include "platform/sys/files.h"

namespace tw {

// Block size of the reads through a file handle.
inline constexpr int64_t kTextFileBlock = 8192;

// The first line of a new statistics or hi-score file and its version line.
extern const char* const kVersionHeader;  // "[Version]"
extern const char* const kVersionLine;    // "Version=0300"

class SectionedTextFile {
 public:
  // False when the file is there but cannot be read (it must then be left
  // alone); a missing file loads as empty and sets Existed() false.
  bool Load(const std::string& path);
  bool Existed() const { return existed_; }
  // The lines of bytes, each with its byte offset.
  void Parse(const std::string& bytes);
  // Every line ended by CR LF.
  std::string Bytes() const;
  // Temporary file + flush + rename over path; staged when batch is given.
  bool Save(const std::string& path, sys::FileBatch* batch = nullptr) const;

  std::vector<std::string>& Lines() { return lines_; }
  const std::vector<std::string>& Lines() const { return lines_; }
  // Byte offset of line i in the parsed bytes (valid until lines change).
  int64_t Offset(int i) const { return offsets_[static_cast<size_t>(i)]; }

  // Index of the header line "[name]", -1 when missing.
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
  // The body lines of the section at h become lines.
  void ReplaceBody(int h, const std::vector<std::string>& lines);
  // Removes the section (header and body); false when it is missing.
  bool RemoveSection(const std::string& name);
  // Key and value of every non-empty body line (lines without "=" skipped).
  std::vector<std::pair<std::string, std::string>> Entries(const std::string& section) const;
  // Names of the well-formed header lines, in file order.
  std::vector<std::string> SectionNames() const;

 private:
  std::vector<std::string> lines_;
  std::vector<int64_t> offsets_;
  bool existed_ = false;
};

// Byte offset of the header line (with brackets, e.g. "[0012]"); false when
// the file or the header is missing.
bool FindSection(sys::RawFile* handle, const std::string& file, const std::string& header,
                 int64_t& offset);

// value = the text after key "=" to the end of its line, trailing blanks
// removed; def and false when the section or the key is missing.
bool GetSectionValue(sys::RawFile* handle, const std::string& file, const std::string& section,
                     const std::string& key, const std::string& def, std::string& value);

// values = defaults, then each key found in the section gets the text after
// its "=" (not trimmed). True when every key was found.
bool GetSectionValues(const std::string& file, const std::string& section,
                      const StringList& keys, const StringList& defaults, StringList& values);

// Names (without brackets) of every line that begins with "[".
void ListSections(const std::string& file, StringList& list);

// The non-empty body lines of the section; empty when it is missing.
void ReadSectionLines(const std::string& file, const std::string& section, StringList& list);

// Section missing: appends it with this key. Key present with a stored value
// of the same width: overwritten in place. Otherwise the section is rewritten
// with its other lines kept as they were.
bool SetSectionValue(GameContext& ctx, sys::RawFile* handle, const std::string& file,
                     const std::string& section, const std::string& key,
                     const std::string& value);

// The section body becomes key=value lines and one empty line. False, and
// nothing written, when the section is missing or the rewrite fails.
bool ReplaceSectionValues(GameContext& ctx, sys::RawFile* handle, const std::string& file,
                          const std::string& section, const StringList& keys,
                          const StringList& values);

// The keys take these values at the start of the section body when exactly
// these keys stand there; otherwise the section is rewritten, replacing these
// keys and keeping the others. Section missing: AppendSection.
bool OverwriteSectionLines(GameContext& ctx, const std::string& file,
                           const std::string& section, const StringList& keys,
                           const StringList& values);

// Adds CR LF "[section]" CR LF and key=value lines at the end of the file.
bool AppendSection(GameContext& ctx, sys::RawFile* handle, const std::string& file,
                   const std::string& section, const StringList& keys,
                   const StringList& values);

// Every line whose text at the 1-based column equals oldText gets newText
// there (lengths may differ). Nothing happens (true) for a missing file, an
// empty oldText or a column below 1; false when the rewrite failed.
bool ReplaceTextInFile(GameContext& ctx, const std::string& file, int column,
                       const std::string& oldText, const std::string& newText);

// True when an empty file was created (false when one exists already).
bool CreateFileIfMissing(const std::string& file);

}  // namespace tw
