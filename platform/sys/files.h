// Byte files: whole-file reads and writes, safe replacement, raw access.
// Every name goes through NativePath, so "DATA\\CFG.DAT" works as written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tw::sys {

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool MakeDirectory(const std::string& path);  // true when it exists afterwards
bool DeleteFile(const std::string& path);     // the real result
bool RenameFile(const std::string& from, const std::string& to);
bool CreateEmptyFile(const std::string& path);  // false when it already exists or fails

// Whole file as bytes / as lines. Lines end with CR LF or a bare LF; the
// terminators are removed and a last line without one is kept.
bool ReadFileBytes(const std::string& path, std::string& out);
bool ReadFileLines(const std::string& path, std::vector<std::string>& out);

// Writes a temporary file in the same folder, flushes it and renames it over
// the target. The original is never touched before its replacement is whole.
bool ReplaceFileBytes(const std::string& path, const std::string& bytes);
// The same, telling which step failed; the temporary name starts with
// tempPrefix ("" = the target's name + ".tmp"). On failure the temporary
// file is already removed and the target is as it was.
struct ReplaceOutcome {
  enum class Step { Done, TempFile, Write, Rename };
  Step step = Step::Done;
  std::string tempName;  // the temporary file used, when one was made
};
bool ReplaceFileBytes(const std::string& path, const std::string& bytes,
                      const std::string& tempPrefix, ReplaceOutcome& outcome);
// Lines joined with CR LF, each line terminated.
bool ReplaceFileLines(const std::string& path, const std::vector<std::string>& lines);
// Appends line + CR LF, creating the file when missing.
bool AppendLine(const std::string& path, const std::string& line);

// A new, empty, uniquely named file "<dir>/<prefix>XXXXXX"; "" on failure.
std::string MakeTempFile(const std::string& dir, const std::string& prefix);

// An open file addressed by byte offset.
class RawFile {
 public:
  enum class Mode { Read, ReadWrite };
  RawFile() = default;
  ~RawFile();
  RawFile(const RawFile&) = delete;
  RawFile& operator=(const RawFile&) = delete;
  RawFile(RawFile&& other) noexcept;
  RawFile& operator=(RawFile&& other) noexcept;

  bool Open(const std::string& path, Mode mode);
  // Creates or truncates the file for writing.
  bool Create(const std::string& path);
  bool IsOpen() const { return fd_ >= 0; }
  void Close();
  bool Seek(int64_t offset);  // from the start
  int64_t Size() const;
  // Reads up to n bytes at the current position; the count read, -1 on error.
  int64_t Read(char* buf, int64_t n);
  // Writes all bytes at the current position; false when not written whole.
  bool Write(const char* data, int64_t n);
  bool Write(const std::string& s) { return Write(s.data(), static_cast<int64_t>(s.size())); }
  bool Flush();  // data reaches the disk

 private:
  int fd_ = -1;
};

// Test hook: after this many further bytes, writes through RawFile fail
// (negative = never). Lets tests break a rewrite half-way: ReplaceFileBytes
// writes through RawFile too.
void SetWriteFailureAfter(int64_t bytes);

}  // namespace tw::sys
