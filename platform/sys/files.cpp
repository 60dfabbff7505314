#include "platform/sys/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <set>

#include "platform/sys/paths.h"

namespace tw::sys {

namespace {

// Bytes RawFile may still write, fsyncs and renames that may still succeed
// before failing; negative = unlimited.
std::atomic<int64_t> g_writeBudget{-1};
std::atomic<int> g_fsyncBudget{-1};
std::atomic<int> g_renameBudget{-1};

// Takes one from the budget; false when it is used up.
bool Spend(std::atomic<int>& budget) {
  int left = budget.load();
  if (left < 0) return true;
  if (left == 0) return false;
  budget.store(left - 1);
  return true;
}

bool NativeRename(const std::string& from, const std::string& to) {
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

// Makes renames in the file's folder durable.
void SyncDirectoryOf(const std::string& native) {
  std::string dir = DirectoryOf(native);
  int dfd = OpenNative(dir.empty() ? std::string(".") : dir, O_RDONLY | O_DIRECTORY);
  if (dfd >= 0) {
    ::fsync(dfd);
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

bool DeleteFile(const std::string& path) {
  return ::unlink(NativePath(path).c_str()) == 0;
}

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
    ::unlink(tmp.c_str());
    outcome.step = ReplaceOutcome::Step::Write;
    return false;
  }
  ::chmod(tmp.c_str(), mode);
  if (!NativeRename(tmp, native)) {
    ::unlink(tmp.c_str());
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
  int64_t budget = g_writeBudget.load();
  if (budget >= 0) {
    int64_t allowed = budget < n ? budget : n;
    g_writeBudget.store(budget - allowed);
    if (allowed > 0 && !WriteAllFd(fd_, data, allowed)) return false;
    return allowed == n;
  }
  return WriteAllFd(fd_, data, n);
}

bool RawFile::Flush() {
  if (fd_ < 0 || !Spend(g_fsyncBudget)) return false;
  return ::fsync(fd_) == 0;
}

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
}

void SetWriteFailureAfter(int64_t bytes) { g_writeBudget.store(bytes); }

// ---- FileBatch

namespace {

// A free name beside path for a hard link to the file as it was.
std::string BackupName(const std::string& native) {
  std::string name = MakeTempFile(DirectoryOf(native), BaseName(native) + ".bak");
  if (!name.empty()) ::unlink(name.c_str());
  return name;
}

}  // namespace

FileBatch::~FileBatch() { Discard(); }

bool FileBatch::Stage(const std::string& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& l : lines) bytes += l + "\r\n";
  return StageBytes(path, bytes);
}

bool FileBatch::StageBytes(const std::string& path, const std::string& bytes) {
  const std::string target = NativePath(path);
  const std::string temp = MakeTempFile(DirectoryOf(target), BaseName(target) + ".tmp");
  bool ok = !temp.empty();
  if (ok) {
    RawFile f;
    ok = f.Open(temp, RawFile::Mode::ReadWrite) && f.Write(bytes) && f.Flush();
    f.Close();
    // The replacement keeps the original's permissions.
    struct stat st;
    if (ok && ::stat(target.c_str(), &st) == 0) ::chmod(temp.c_str(), st.st_mode & 07777);
    if (!ok) ::unlink(temp.c_str());
  }
  if (!ok) {
    Fail(path);
    return false;
  }
  for (auto& s : staged_) {
    if (s.target == target) {
      if (!s.temp.empty()) ::unlink(s.temp.c_str());
      s.temp = temp;
      return true;
    }
  }
  staged_.push_back({target, temp});
  return true;
}

void FileBatch::StageDelete(const std::string& path) {
  const std::string target = NativePath(path);
  for (auto& s : staged_) {
    if (s.target == target) {
      if (!s.temp.empty()) ::unlink(s.temp.c_str());
      s.temp.clear();
      return;
    }
  }
  staged_.push_back({target, std::string()});
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
  // Each original is kept under a second name (a hard link) until every
  // file is in place, so a failed rename can put the others back.
  // A folder without hard links goes on without them.
  struct Done {
    std::string target, backup;
    bool existed;
  };
  std::vector<Done> done;
  bool ok = true;
  for (const auto& s : staged_) {
    struct stat st;
    const bool existed = ::lstat(s.target.c_str(), &st) == 0;
    std::string backup = existed ? BackupName(s.target) : std::string();
    if (!backup.empty() && ::link(s.target.c_str(), backup.c_str()) != 0) backup.clear();
    const bool placed = s.temp.empty() ? (!existed || ::unlink(s.target.c_str()) == 0)
                                       : NativeRename(s.temp, s.target);
    if (!placed) {
      if (!backup.empty()) ::unlink(backup.c_str());
      failedPath_ = s.target;
      ok = false;
      break;
    }
    done.push_back({s.target, backup, existed});
  }
  if (!ok) {
    for (auto it = done.rbegin(); it != done.rend(); ++it) {
      if (!it->backup.empty()) {
        ::rename(it->backup.c_str(), it->target.c_str());
      } else if (!it->existed) {
        ::unlink(it->target.c_str());
      }
    }
  }
  for (const auto& d : done) {
    if (!d.backup.empty()) ::unlink(d.backup.c_str());
  }
  for (const auto& s : staged_) {
    if (!s.temp.empty()) ::unlink(s.temp.c_str());
    SyncDirectoryOf(s.target);
  }
  staged_.clear();
  if (!ok) failed_ = true;
  return ok;
}

void FileBatch::Discard() {
  for (const auto& s : staged_) {
    if (!s.temp.empty()) ::unlink(s.temp.c_str());
  }
  staged_.clear();
}

}  // namespace tw::sys
