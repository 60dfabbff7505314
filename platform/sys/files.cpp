#include "platform/sys/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <mutex>
#include <random>
#include <set>

#include "platform/sys/paths.h"

namespace tw::sys {

namespace {

// Bytes RawFile may still write, fsyncs and renames that may still succeed
// before failing; negative = unlimited.
std::atomic<int64_t> g_writeBudget{-1};
std::atomic<int> g_fsyncBudget{-1};
std::atomic<int> g_renameBudget{-1};
// File steps left before the process is stopped; negative = never.
std::atomic<int> g_killBudget{-1};
std::atomic<int64_t> g_stepsTaken{0};

// Every fsync, link, rename, unlink and truncate passes here first, so a
// test can stop the process at any one of them.
void FileStep() {
  g_stepsTaken.fetch_add(1);
  int left = g_killBudget.load();
  if (left < 0) return;
  if (left == 0) ::raise(SIGKILL);
  g_killBudget.store(left - 1);
}

bool StepUnlink(const std::string& native) {
  FileStep();
  return ::unlink(native.c_str()) == 0;
}

bool StepLink(const std::string& from, const std::string& to) {
  FileStep();
  return ::link(from.c_str(), to.c_str()) == 0;
}

// A rename outside the test budget (the batch's own journal).
bool StepRename(const std::string& from, const std::string& to) {
  FileStep();
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool StepFsync(int fd) {
  FileStep();
  return ::fsync(fd) == 0;
}

// Takes one from the budget; false when it is used up.
bool Spend(std::atomic<int>& budget) {
  int left = budget.load();
  if (left < 0) return true;
  if (left == 0) return false;
  budget.store(left - 1);
  return true;
}

bool NativeRename(const std::string& from, const std::string& to) {
  FileStep();
  if (!Spend(g_renameBudget)) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

int OpenNative(const std::string& path, int flags, mode_t mode = 0666) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

bool WriteAllFd(int fd, const char* data, int64_t n) {
  while (n > 0) {
    ssize_t w = ::write(fd, data, static_cast<size_t>(n));
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += w;
    n -= w;
  }
  return true;
}

// Writes all bytes, or as many as the test budget still allows (then false).
bool WriteWithinBudget(int fd, const char* data, int64_t n) {
  int64_t budget = g_writeBudget.load();
  if (budget >= 0) {
    int64_t allowed = budget < n ? budget : n;
    g_writeBudget.store(budget - allowed);
    if (allowed > 0 && !WriteAllFd(fd, data, allowed)) return false;
    return allowed == n;
  }
  return WriteAllFd(fd, data, n);
}

// An fsync that the test budget may fail.
bool FlushWithinBudget(int fd) {
  FileStep();
  return Spend(g_fsyncBudget) && ::fsync(fd) == 0;
}

// Makes renames in the file's folder durable.
void SyncDirectoryOf(const std::string& native) {
  std::string dir = DirectoryOf(native);
  int dfd = OpenNative(dir.empty() ? std::string(".") : dir, O_RDONLY | O_DIRECTORY);
  if (dfd >= 0) {
    StepFsync(dfd);
    ::close(dfd);
  }
}

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PathExists(const std::string& path) {
  struct stat st;
  return ::lstat(NativePath(path).c_str(), &st) == 0 || errno != ENOENT;
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeDirectory(const std::string& path) {
  std::string native = NativePath(path);
  if (::mkdir(native.c_str(), 0777) == 0) return true;
  return DirectoryExists(native);
}

bool DeleteFile(const std::string& path) { return StepUnlink(NativePath(path)); }

bool RenameFile(const std::string& from, const std::string& to) {
  return NativeRename(NativePath(from), NativePath(to));
}

bool CreateEmptyFile(const std::string& path) {
  int fd = OpenNative(NativePath(path), O_WRONLY | O_CREAT | O_EXCL);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

bool ReadFileBytes(const std::string& path, std::string& out) {
  out.clear();
  int fd = OpenNative(NativePath(path), O_RDONLY);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  char buf[65536];
  bool ok = true;
  for (;;) {
    ssize_t r = ::read(fd, buf, sizeof buf);
    if (r < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    if (r == 0) break;
    out.append(buf, static_cast<size_t>(r));
  }
  ::close(fd);
  if (!ok) out.clear();
  return ok;
}

std::vector<std::string_view> SplitLineViews(std::string_view bytes) {
  std::vector<std::string_view> out;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t lf = bytes.find('\n', pos);
    size_t end = lf == std::string_view::npos ? bytes.size() : lf;
    size_t stop = end;
    if (stop > pos && bytes[stop - 1] == '\r') --stop;
    out.push_back(bytes.substr(pos, stop - pos));
    if (lf == std::string_view::npos) break;
    pos = lf + 1;
  }
  return out;
}

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> out;
  for (std::string_view line : SplitLineViews(bytes)) out.emplace_back(line);
  return out;
}

bool ReadFileLines(const std::string& path, std::vector<std::string>& out) {
  return ReadLinesChecked(path, out) == ReadStatus::Ok;
}

ReadStatus ReadFileChecked(const std::string& path, std::string& out) {
  if (ReadFileBytes(path, out)) return ReadStatus::Ok;
  return PathExists(path) ? ReadStatus::Unreadable : ReadStatus::Missing;
}

ReadStatus ReadLinesChecked(const std::string& path, std::vector<std::string>& out) {
  out.clear();
  std::string bytes;
  ReadStatus status = ReadFileChecked(path, bytes);
  if (status == ReadStatus::Ok) out = SplitLines(bytes);
  return status;
}

bool ReplaceFileBytes(const std::string& path, const std::string& bytes) {
  ReplaceOutcome outcome;
  return ReplaceFileBytes(path, bytes, std::string(), outcome);
}

bool ReplaceFileBytes(const std::string& path, const std::string& bytes,
                      const std::string& tempPrefix, ReplaceOutcome& outcome) {
  outcome = ReplaceOutcome();
  std::string native = NativePath(path);
  std::string dir = DirectoryOf(native);
  std::string tmp = MakeTempFile(dir, tempPrefix.empty() ? BaseName(native) + ".tmp" : tempPrefix);
  if (tmp.empty()) {
    outcome.step = ReplaceOutcome::Step::TempFile;
    return false;
  }
  outcome.tempName = tmp;

  // Keep the original's permissions; mkstemp makes the file private.
  struct stat st;
  mode_t mode;
  if (::stat(native.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }

  bool written = false;
  {
    RawFile file;
    if (file.Open(tmp, RawFile::Mode::ReadWrite)) {
      written = file.Write(bytes) && file.Flush();
      file.Close();
    }
  }
  if (!written) {
    StepUnlink(tmp);
    outcome.step = ReplaceOutcome::Step::Write;
    return false;
  }
  ::chmod(tmp.c_str(), mode);
  if (!NativeRename(tmp, native)) {
    StepUnlink(tmp);
    outcome.step = ReplaceOutcome::Step::Rename;
    return false;
  }
  SyncDirectoryOf(native);
  return true;
}

bool ReplaceFileLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string bytes;
  size_t total = 0;
  for (const auto& l : lines) total += l.size() + 2;
  bytes.reserve(total);
  for (const auto& l : lines) {
    bytes += l;
    bytes += "\r\n";
  }
  return ReplaceFileBytes(path, bytes);
}

bool AppendLine(const std::string& path, const std::string& line) {
  RawFile f;
  if (!f.Append(path)) return false;
  return f.Write(line + "\r\n") && f.Flush();
}

std::string MakeTempFile(const std::string& dir, const std::string& prefix) {
  std::string base = dir.empty() ? std::string() : NativePath(dir);
  if (!base.empty() && base.back() != '/') base += '/';
  std::string templ = base + prefix + "XXXXXX";
  std::vector<char> buf(templ.begin(), templ.end());
  buf.push_back('\0');
  int fd = ::mkstemp(buf.data());
  if (fd < 0) return std::string();
  ::close(fd);
  return std::string(buf.data());
}

// ---- RawFile

RawFile::~RawFile() { Close(); }

RawFile::RawFile(RawFile&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

RawFile& RawFile::operator=(RawFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

bool RawFile::Open(const std::string& path, Mode mode) {
  Close();
  fd_ = OpenNative(NativePath(path), mode == Mode::Read ? O_RDONLY : O_RDWR);
  return fd_ >= 0;
}

bool RawFile::Create(const std::string& path) {
  Close();
  fd_ = OpenNative(NativePath(path), O_RDWR | O_CREAT | O_TRUNC);
  return fd_ >= 0;
}

void RawFile::Close() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

bool RawFile::Seek(int64_t offset) {
  if (fd_ < 0 || offset < 0) return false;
  return ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) == static_cast<off_t>(offset);
}

int64_t RawFile::Size() const {
  if (fd_ < 0) return -1;
  struct stat st;
  if (::fstat(fd_, &st) != 0) return -1;
  return static_cast<int64_t>(st.st_size);
}

int64_t RawFile::Read(char* buf, int64_t n) {
  if (fd_ < 0 || n < 0) return -1;
  int64_t got = 0;
  while (got < n) {
    ssize_t r = ::read(fd_, buf + got, static_cast<size_t>(n - got));
    if (r < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (r == 0) break;
    got += r;
  }
  return got;
}

bool RawFile::Write(const char* data, int64_t n) {
  if (fd_ < 0 || n < 0) return false;
  return WriteWithinBudget(fd_, data, n);
}

bool RawFile::Flush() { return fd_ >= 0 && FlushWithinBudget(fd_); }

bool RawFile::Append(const std::string& path) {
  Close();
  fd_ = OpenNative(NativePath(path), O_WRONLY | O_CREAT | O_APPEND);
  return fd_ >= 0;
}

namespace {

std::mutex g_problemMutex;
FileProblemReporter g_reporter;
std::set<std::string> g_reported;

}  // namespace

void SetFileProblemReporter(FileProblemReporter reporter) {
  std::lock_guard<std::mutex> lock(g_problemMutex);
  g_reporter = std::move(reporter);
  g_reported.clear();
}

void ReportFileProblem(FileProblem problem, const std::string& path) {
  FileProblemReporter reporter;
  {
    std::lock_guard<std::mutex> lock(g_problemMutex);
    if (!g_reported.insert(NativePath(path)).second) return;
    reporter = g_reporter;
  }
  if (reporter) reporter(problem, path);
}

void ClearFileProblem(const std::string& path) {
  std::lock_guard<std::mutex> lock(g_problemMutex);
  g_reported.erase(NativePath(path));
}

std::string FileProblemText(FileProblem problem, const std::string& path) {
  if (problem == FileProblem::Unreadable) {
    return "The file " + path +
           " cannot be read.\rIt is kept as it is: nothing in it is used or changed until it "
           "can be read again.";
  }
  return "Write error on file " + path + "\rThe change was not saved.";
}

void SetFailurePoints(const FailurePoints& points) {
  g_writeBudget.store(points.writeBytes);
  g_fsyncBudget.store(points.fsyncs);
  g_renameBudget.store(points.renames);
  g_killBudget.store(points.killAtStep);
}

int64_t FileStepsTaken() { return g_stepsTaken.load(); }

void SetWriteFailureAfter(int64_t bytes) { g_writeBudget.store(bytes); }

// ---- FileBatch

namespace {

constexpr const char* kJournalName = "CHANGES.JNL";
constexpr const char* kJournalTag = "TWBATCH1";
constexpr int kNameTail = 6;

std::mutex g_journalMutex;
std::string g_journalFolder;

std::string WithoutSlash(std::string dir) {
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir.empty() ? std::string(".") : dir;
}

std::string FolderOf(const std::string& native) {
  return WithoutSlash(DirectoryOf(native));
}

// A name beside the others in dir that nothing stands at: prefix and six
// letters or digits, the form the start-up pass knows as ours.
std::string FreeName(const std::string& dir, const std::string& prefix) {
  static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937_64 gen{std::random_device{}() ^ static_cast<uint64_t>(::getpid())};
  for (;;) {
    std::string name = dir + "/" + prefix;
    for (int i = 0; i < kNameTail; ++i) name += kChars[gen() % (sizeof kChars - 1)];
    struct stat st;
    if (::lstat(name.c_str(), &st) != 0 && errno == ENOENT) return name;
  }
}

// Mode of a new file: as any file the user makes (the umask's), or the
// mode of the file it replaces.
void KeepModeOf(int fd, const std::string& target) {
  struct stat st;
  if (::stat(target.c_str(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
}

// Writes a new file whole and flushes it; on failure nothing stays.
bool WriteNewFile(const std::string& path, const std::string& bytes, const std::string& modeOf,
                  bool budgeted) {
  int fd = OpenNative(path, O_WRONLY | O_CREAT | O_EXCL, 0666);
  if (fd < 0) return false;
  const int64_t n = static_cast<int64_t>(bytes.size());
  const bool ok = budgeted ? WriteWithinBudget(fd, bytes.data(), n) && FlushWithinBudget(fd)
                           : WriteAllFd(fd, bytes.data(), n) && StepFsync(fd);
  if (ok && !modeOf.empty()) KeepModeOf(fd, modeOf);
  ::close(fd);
  if (!ok) StepUnlink(path);
  return ok;
}

bool TruncateTo(const std::string& native, int64_t length) {
  FileStep();
  return ::truncate(native.c_str(), static_cast<off_t>(length)) == 0;
}

bool Exists(const std::string& native) {
  struct stat st;
  return ::lstat(native.c_str(), &st) == 0;
}

const char kHex[] = "0123456789abcdef";

std::string ToHex(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    out += kHex[c >> 4];
    out += kHex[c & 15];
  }
  return out;
}

bool FromHex(const std::string& hex, std::string& out) {
  out.clear();
  if (hex.size() % 2 != 0) return false;
  auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  for (size_t i = 0; i < hex.size(); i += 2) {
    int hi = digit(hex[i]), lo = digit(hex[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out += static_cast<char>(hi * 16 + lo);
  }
  return true;
}

using Staged = FileBatch::Staged;

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> out;
  size_t at = 0;
  for (;;) {
    size_t tab = line.find('\t', at);
    out.push_back(line.substr(at, tab == std::string::npos ? std::string::npos : tab - at));
    if (tab == std::string::npos) break;
    at = tab + 1;
  }
  return out;
}

std::string JournalText(const char* state, const std::vector<Staged>& staged) {
  std::string out = std::string(kJournalTag) + "\n" + "state " + state + "\n";
  for (const auto& s : staged) {
    switch (s.kind) {
      case Staged::Kind::Replace:
      case Staged::Kind::Delete:
        out += (s.kind == Staged::Kind::Replace ? "R\t" : "D\t") + s.target + "\t" + s.temp +
               "\t" + s.backup + "\t" + (s.existed ? "1" : "0") + "\n";
        break;
      case Staged::Kind::Append:
        out += "A\t" + s.target + "\t" + std::to_string(s.oldLength) + "\t" + ToHex(s.bytes) +
               "\n";
        break;
    }
  }
  return out + "end\n";
}

bool ParseJournal(const std::string& text, std::string& state, std::vector<Staged>& staged) {
  std::vector<std::string> lines = SplitLines(text);
  if (lines.size() < 3 || lines[0] != kJournalTag || lines.back() != "end") return false;
  if (lines[1].rfind("state ", 0) != 0) return false;
  state = lines[1].substr(6);
  if (state != "prepare" && state != "commit" && state != "undo") return false;
  for (size_t i = 2; i + 1 < lines.size(); ++i) {
    std::vector<std::string> f = SplitTabs(lines[i]);
    Staged s;
    if ((f[0] == "R" || f[0] == "D") && f.size() == 5) {
      s.kind = f[0] == "R" ? Staged::Kind::Replace : Staged::Kind::Delete;
      s.target = f[1];
      s.temp = f[2];
      s.backup = f[3];
      s.existed = f[4] == "1";
    } else if (f[0] == "A" && f.size() == 4) {
      s.kind = Staged::Kind::Append;
      s.target = f[1];
      try {
        s.oldLength = std::stoll(f[2]);
      } catch (...) {
        return false;
      }
      if (!FromHex(f[3], s.bytes)) return false;
    } else {
      return false;
    }
    if (s.target.empty()) return false;
    staged.push_back(std::move(s));
  }
  return true;
}

// Appends bytes and flushes them; false when not written whole.
bool AppendBytes(const std::string& native, const std::string& bytes) {
  int fd = OpenNative(native, O_WRONLY | O_CREAT | O_APPEND, 0666);
  if (fd < 0) return false;
  // Through the write budget, so a full disk can be played in tests.
  bool ok = WriteWithinBudget(fd, bytes.data(), static_cast<int64_t>(bytes.size())) &&
            StepFsync(fd);
  ::close(fd);
  return ok;
}

// The append once more from its old length (the same bytes, so doing it
// twice changes nothing).
bool RedoAppend(const Staged& s) {
  const int64_t from = s.oldLength < 0 ? 0 : s.oldLength;
  int fd = OpenNative(s.target, O_WRONLY | O_CREAT, 0666);
  if (fd < 0) return false;
  FileStep();
  bool ok = ::ftruncate(fd, static_cast<off_t>(from)) == 0 &&
            ::lseek(fd, static_cast<off_t>(from), SEEK_SET) == static_cast<off_t>(from) &&
            WriteAllFd(fd, s.bytes.data(), static_cast<int64_t>(s.bytes.size())) &&
            StepFsync(fd);
  ::close(fd);
  return ok;
}

// Takes one changed file back to how it was before the batch.
bool UndoStaged(const Staged& s) {
  switch (s.kind) {
    case Staged::Kind::Replace:
    case Staged::Kind::Delete:
      if (!s.backup.empty() && Exists(s.backup)) return StepRename(s.backup, s.target);
      if (!s.existed && s.kind == Staged::Kind::Replace && Exists(s.target)) {
        return StepUnlink(s.target);
      }
      return true;
    case Staged::Kind::Append: {
      if (s.oldLength < 0) return !Exists(s.target) || StepUnlink(s.target);
      struct stat st;
      if (::stat(s.target.c_str(), &st) != 0) return false;
      return st.st_size == s.oldLength || TruncateTo(s.target, s.oldLength);
    }
  }
  return true;
}

// Temporary and backup files of the batch that are still there go.
void RemoveLeftovers(const std::vector<Staged>& staged) {
  for (const auto& s : staged) {
    if (!s.temp.empty() && Exists(s.temp)) StepUnlink(s.temp);
    if (!s.backup.empty() && Exists(s.backup)) StepUnlink(s.backup);
  }
}

void SyncFolders(const std::vector<Staged>& staged) {
  std::set<std::string> folders;
  for (const auto& s : staged) folders.insert(FolderOf(s.target));
  for (const auto& f : folders) SyncDirectoryOf(f + "/x");
}

// "<name>.tmp" or "<name>.bak" and six letters or digits, or "rpl" and six:
// the temporary files this program makes.
bool OurTemporaryName(const std::string& name) {
  auto tailOk = [&](size_t from) {
    if (name.size() != from + kNameTail) return false;
    for (size_t i = from; i < name.size(); ++i) {
      const char c = name[i];
      if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) {
        return false;
      }
    }
    return true;
  };
  if (name.rfind("rpl", 0) == 0 && tailOk(3)) return true;
  if (name.size() < 4 + 1 + kNameTail) return false;
  const size_t dot = name.size() - kNameTail - 4;
  const std::string mark = name.substr(dot, 4);
  return (mark == ".tmp" || mark == ".bak") && tailOk(dot + 4);
}

}  // namespace

void SetBatchJournalFolder(const std::string& dir) {
  std::lock_guard<std::mutex> lock(g_journalMutex);
  g_journalFolder = dir.empty() ? std::string() : WithoutSlash(NativePath(dir));
}

std::string BatchJournalFolder() {
  std::lock_guard<std::mutex> lock(g_journalMutex);
  return g_journalFolder;
}

FileBatch::~FileBatch() { Discard(); }

// The journal folder of a batch whose first file is first.
static std::string JournalFolderFor(const std::string& first) {
  std::string folder;
  {
    std::lock_guard<std::mutex> lock(g_journalMutex);
    folder = g_journalFolder;
  }
  // Without its folder (a program folder gone) the record stays with the files.
  struct stat st;
  if (folder.empty() || ::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    return FolderOf(first);
  }
  return folder;
}

bool FileBatch::WriteJournal(const char* state) {
  if (journal_.empty()) journal_ = JournalFolderFor(staged_.front().target) + "/" + kJournalName;
  // Written beside and renamed over, so a kill leaves the old record or the
  // new one, never half of one.
  const std::string temp = FreeName(FolderOf(journal_), std::string(kJournalName) + ".tmp");
  if (!WriteNewFile(temp, JournalText(state, staged_), std::string(), false)) return false;
  if (!StepRename(temp, journal_)) {
    StepUnlink(temp);
    return false;
  }
  SyncDirectoryOf(journal_);
  return true;
}

void FileBatch::RemoveJournal() {
  if (journal_.empty()) return;
  if (Exists(journal_)) StepUnlink(journal_);
  journal_.clear();
}

bool FileBatch::Stage(const std::string& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& l : lines) bytes += l + "\r\n";
  return StageBytes(path, bytes);
}

bool FileBatch::StageBytes(const std::string& path, const std::string& bytes) {
  const std::string target = NativePath(path);
  Staged* entry = nullptr;
  for (auto& s : staged_) {
    if (s.target == target) entry = &s;
  }
  const std::string previous = entry ? entry->temp : std::string();
  if (!entry) {
    staged_.push_back(Staged{});
    entry = &staged_.back();
    entry->target = target;
  }
  entry->kind = Staged::Kind::Replace;
  entry->bytes.clear();
  entry->temp = FreeName(FolderOf(target), BaseName(target) + ".tmp");
  // The record names the temporary file before it exists, so a kill never
  // leaves one that the start-up pass cannot find (beside a saved game, say).
  const std::string journalFolder =
      journal_.empty() ? JournalFolderFor(staged_.front().target) : FolderOf(journal_);
  bool ok = true;
  if (journal_.empty() || FolderOf(target) != journalFolder) ok = WriteJournal("prepare");
  ok = ok && WriteNewFile(entry->temp, bytes, target, true);
  if (!previous.empty() && Exists(previous)) StepUnlink(previous);
  if (!ok) {
    entry->temp.clear();
    Fail(path);
    return false;
  }
  return true;
}

void FileBatch::StageAppend(const std::string& path, const std::string& bytes) {
  const std::string target = NativePath(path);
  for (auto& s : staged_) {
    if (s.target == target && s.kind == Staged::Kind::Append) {
      s.bytes += bytes;
      return;
    }
  }
  Staged s;
  s.kind = Staged::Kind::Append;
  s.target = target;
  s.bytes = bytes;
  staged_.push_back(std::move(s));
}

void FileBatch::StageDelete(const std::string& path) {
  const std::string target = NativePath(path);
  for (auto& s : staged_) {
    if (s.target == target) {
      if (!s.temp.empty() && Exists(s.temp)) StepUnlink(s.temp);
      s.temp.clear();
      s.bytes.clear();
      s.kind = Staged::Kind::Delete;
      return;
    }
  }
  Staged s;
  s.kind = Staged::Kind::Delete;
  s.target = target;
  staged_.push_back(std::move(s));
}

void FileBatch::Fail(const std::string& path) {
  if (!failed_) failedPath_ = path;
  failed_ = true;
}

bool FileBatch::Commit() {
  if (failed_) {
    Discard();
    return false;
  }
  if (staged_.empty()) {
    RemoveJournal();
    return true;
  }
  for (auto& s : staged_) {
    struct stat st;
    s.existed = ::lstat(s.target.c_str(), &st) == 0;
    if (s.kind == Staged::Kind::Append) {
      s.oldLength = s.existed ? static_cast<int64_t>(st.st_size) : -1;
    } else if (s.existed) {
      s.backup = FreeName(FolderOf(s.target), BaseName(s.target) + ".bak");
    }
  }
  // From here on the record is complete: a kill is finished at the next start.
  if (!WriteJournal("commit")) {
    if (!journal_.empty()) failedPath_ = journal_;
    Discard();
    failed_ = true;
    return false;
  }
  // Each original is kept under a second name (a hard link) until every
  // file is in place, so a failed step can put the others back. A folder
  // without hard links goes on without them.
  size_t done = 0;
  bool ok = true;
  for (auto& s : staged_) {
    if (!s.backup.empty() && !StepLink(s.target, s.backup)) s.backup.clear();
    bool placed = false;
    switch (s.kind) {
      case Staged::Kind::Replace:
        placed = NativeRename(s.temp, s.target);
        break;
      case Staged::Kind::Delete:
        placed = !s.existed || StepUnlink(s.target);
        break;
      case Staged::Kind::Append:
        placed = AppendBytes(s.target, s.bytes);
        ++done;  // a part written is cut back with the rest
        break;
    }
    if (!placed) {
      failedPath_ = s.target;
      ok = false;
      break;
    }
    if (s.kind != Staged::Kind::Append) ++done;
  }
  if (!ok) {
    // A kill while putting back is undone at the next start, not finished.
    WriteJournal("undo");
    for (size_t i = done; i-- > 0;) UndoStaged(staged_[i]);
  }
  SyncFolders(staged_);
  RemoveLeftovers(staged_);
  RemoveJournal();
  staged_.clear();
  if (!ok) failed_ = true;
  return ok;
}

void FileBatch::Discard() {
  RemoveLeftovers(staged_);
  RemoveJournal();
  staged_.clear();
}

BatchRecovery RecoverFileBatches(const std::string& folder) {
  BatchRecovery out;
  const std::string dir = WithoutSlash(NativePath(folder));
  const std::string journal = dir + "/" + kJournalName;
  std::string text;
  const ReadStatus status = ReadFileChecked(journal, text);
  if (status == ReadStatus::Unreadable) {
    out.failed = true;
    return out;
  }
  if (status == ReadStatus::Ok) {
    std::string state;
    std::vector<Staged> staged;
    if (!ParseJournal(text, state, staged)) {
      out.failed = true;
      return out;
    }
    bool ok = true;
    if (state == "commit") {
      for (const auto& s : staged) {
        switch (s.kind) {
          case Staged::Kind::Replace:
            if (Exists(s.temp)) ok = StepRename(s.temp, s.target) && ok;
            break;
          case Staged::Kind::Delete:
            if (Exists(s.target)) ok = StepUnlink(s.target) && ok;
            break;
          case Staged::Kind::Append:
            ok = RedoAppend(s) && ok;
            break;
        }
        out.finished.push_back(s.target);
      }
    } else {
      // "prepare": no target was touched yet; "undo": some were.
      for (const auto& s : staged) {
        if (state == "undo") ok = UndoStaged(s) && ok;
        out.undone.push_back(s.target);
      }
    }
    if (!ok) {
      out.failed = true;
      return out;
    }
    SyncFolders(staged);
    RemoveLeftovers(staged);
    StepUnlink(journal);
    SyncDirectoryOf(journal);
  }
  // Temporary files of a change that never reached its record.
  std::vector<std::string> stale;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (const dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (OurTemporaryName(name)) stale.push_back(dir + "/" + name);
    }
    ::closedir(d);
  }
  const bool changeUndone = !out.undone.empty();
  for (const auto& path : stale) {
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && StepUnlink(path)) {
      out.removed.push_back(path);
      // The files the undone change had staged after its record was last
      // written: the one kill left them, so they belong to that change.
      const std::string target = path.substr(0, path.size() - kNameTail - 4);
      if (changeUndone && path.compare(path.size() - kNameTail - 4, 4, ".tmp") == 0 &&
          BaseName(target) != kJournalName && BaseName(target).rfind("rpl", 0) != 0 &&
          std::find(out.undone.begin(), out.undone.end(), target) == out.undone.end()) {
        out.undone.push_back(target);
      }
    }
  }
  return out;
}

std::string BatchRecoveryText(const BatchRecovery& recovery) {
  if (recovery.undone.empty()) return std::string();
  std::string files;
  for (const auto& f : recovery.undone) files += "\r    " + f;
  return "The program was stopped while it was changing its files:" + files +
         "\rThe change was not finished, so it was undone: every file of it is as it was "
         "before.";
}

}  // namespace tw::sys
