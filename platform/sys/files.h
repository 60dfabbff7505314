// Byte files: whole-file reads and writes, safe replacement, raw access.
// Every name goes through NativePath, so "DATA\\CFG.DAT" works as written.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::sys {

bool FileExists(const std::string& path);
// Anything at all (a file, a folder, ...) stands at the path.
bool PathExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool MakeDirectory(const std::string& path);  // true when it exists afterwards
bool DeleteFile(const std::string& path);     // the real result
bool RenameFile(const std::string& from, const std::string& to);
bool CreateEmptyFile(const std::string& path);  // false when it already exists or fails

// Whole file as bytes / as lines. Lines end with CR LF or a bare LF; the
// terminators are removed and a last line without one is kept.
bool ReadFileBytes(const std::string& path, std::string& out);
bool ReadFileLines(const std::string& path, std::vector<std::string>& out);
// The same, telling a missing file (nothing at the path) from one that is
// there but cannot be read (no permission, a folder, a read error).
enum class ReadStatus { Ok, Missing, Unreadable };
ReadStatus ReadFileChecked(const std::string& path, std::string& out);
ReadStatus ReadLinesChecked(const std::string& path, std::vector<std::string>& out);
// Lines split as ReadFileLines does.
std::vector<std::string> SplitLines(const std::string& bytes);
// The same lines as views into bytes, which must outlive them.
std::vector<std::string_view> SplitLineViews(std::string_view bytes);

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
  // Opens for appending, creating the file when missing.
  bool Append(const std::string& path);
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

// Changes of several files made as one, safe across a kill at any point.
// Each new file is written and flushed beside its target first; an append
// only notes its bytes. Before the first target changes, an intent record
// (the journal, "CHANGES.JNL" in the journal folder) lists every file with
// its old and new state; then the files are renamed into place, deleted or
// appended to, and the record goes last. A failure part-way puts back what
// was already changed. After a kill, RecoverFileBatches finishes a batch
// whose record was complete, or undoes one that had not got that far.
// A path staged again replaces its earlier staging.
class FileBatch {
 public:
  FileBatch() = default;
  ~FileBatch();
  FileBatch(const FileBatch&) = delete;
  FileBatch& operator=(const FileBatch&) = delete;

  // False (and the batch failed) when the new file cannot be written whole.
  bool StageBytes(const std::string& path, const std::string& bytes);
  // Lines joined with CR LF, each line terminated.
  bool Stage(const std::string& path, const std::vector<std::string>& lines);
  // bytes go on the end of the file at the commit (created when missing);
  // undoing cuts the file back to its old length.
  void StageAppend(const std::string& path, const std::string& bytes);
  // The file goes at the commit (nothing happens when it is missing).
  void StageDelete(const std::string& path);
  // Marks the batch failed: a part of the change could not be worked out.
  void Fail(const std::string& path);
  bool Failed() const { return failed_; }
  bool Empty() const { return staged_.empty(); }
  // The first file that could not be read or written, or the one whose
  // rename failed.
  const std::string& FailedPath() const { return failedPath_; }
  // False when the batch failed (nothing is changed then) or a step of the
  // commit did not succeed (every file is as it was then).
  bool Commit();
  void Discard();

  struct Staged {
    enum class Kind { Replace, Delete, Append };
    Kind kind = Kind::Replace;
    std::string target, temp, backup;
    std::string bytes;       // what an append adds
    bool existed = false;    // the target was there before the commit
    int64_t oldLength = -1;  // of an appended file; -1 when it was missing
  };

 private:
  bool WriteJournal(const char* state);
  void RemoveJournal();
  std::vector<Staged> staged_;
  std::string journal_;  // the journal written for this batch, "" = none yet
  bool failed_ = false;
  std::string failedPath_;
};

// Where batches keep their journal (the program's DATA folder); "" = the
// folder of a batch's first file.
void SetBatchJournalFolder(const std::string& dir);
std::string BatchJournalFolder();

// The start-up pass over folder (the journal folder): a batch left by a
// kill is finished when its record was complete and undone otherwise; then
// every temporary file of this program's naming left in the folder is
// removed. undone names the files of a change that was taken back (the user
// is to be told); failed is set when a journal could not be read or a step
// of the repair failed (the journal is then kept for the next start).
struct BatchRecovery {
  std::vector<std::string> finished, undone, removed;
  bool failed = false;
};
BatchRecovery RecoverFileBatches(const std::string& folder);
// The message for a recovery that undid a change; "" when there is none.
std::string BatchRecoveryText(const BatchRecovery& recovery);

// What the user is told of a data file that is there but cannot be read (it
// is then kept as it is) or that could not be written. A path is reported
// once, until it has been read and written again.
enum class FileProblem { Unreadable, WriteFailed };
using FileProblemReporter = std::function<void(FileProblem problem, const std::string& path)>;
void SetFileProblemReporter(FileProblemReporter reporter);
void ReportFileProblem(FileProblem problem, const std::string& path);
void ClearFileProblem(const std::string& path);
// The message of a problem, e.g. for a reporter to show.
std::string FileProblemText(FileProblem problem, const std::string& path);

// Test hooks that make the file layer fail part-way: after this many further
// bytes, writes through RawFile fail; the fsync and the rename after that
// many further successful ones fail (negative = never). Every writer of the
// data files writes, flushes and renames through them.
// killAtStep stops the process (SIGKILL) at the file step (an fsync, link,
// rename, unlink or truncate) after that many further ones, for the tests
// that a kill at any step loses nothing.
struct FailurePoints {
  int64_t writeBytes = -1;
  int fsyncs = -1;
  int renames = -1;
  int killAtStep = -1;
};
// File steps taken since the process started (to count a change's steps).
int64_t FileStepsTaken();
void SetFailurePoints(const FailurePoints& points);
void SetWriteFailureAfter(int64_t bytes);

}  // namespace tw::sys
