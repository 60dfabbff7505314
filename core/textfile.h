// The sectioned text files of the statistics, hi-scores and overall scores:
// "[name]" header lines, each followed by key=value body lines up to the next
// line that begins with "[". Lookups read the file in 8192-byte blocks;
// a fixed-width value is updated in place, anything that changes the shape
// of the file is written whole through a temporary file and a rename.
//
// Header and key rules: a header matches only as a whole line at the start
// of a line ("[Bob]" never matches "[Bobby]" nor "x[Bob]"); a key matches a
// body line only together with its "=" (Bob never matches "Bobby=...").
// The first match wins. Lines may end with CR LF or a bare LF; what is
// written ends with CR LF.
//
// Raw-style routines take an optional caller-held handle (nullptr = none:
// the routine opens and closes the file itself). A handle is left open; after
// a rewrite it is reopened on the new file. Names (keys, sections) holding
// "=", "[", "]", CR or LF and values holding CR or LF are refused by the
// writers. A file that cannot be opened makes a routine return false.
#pragma once

#include <cstdint>
#include <string>

#include "core/state.h"
#include "platform/sys/files.h"

namespace tw {

inline constexpr int64_t kTextFileBlock = 8192;

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

// Writes key=value lines over the start of the section body in place when
// exactly these keys stand there with values of the same widths; otherwise
// rewrites the section, replacing these keys and keeping the others. Section
// missing: AppendSection.
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
