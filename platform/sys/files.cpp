#include "platform/sys/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "platform/sys/paths.h"

namespace tw::sys {

namespace {

// Bytes RawFile may still write before failing; negative = unlimited.
std::atomic<int64_t> g_writeBudget{-1};

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

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
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
  return ::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
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

bool ReadFileLines(const std::string& path, std::vector<std::string>& out) {
  out.clear();
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return false;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t lf = bytes.find('\n', pos);
    size_t end = lf == std::string::npos ? bytes.size() : lf;
    size_t stop = end;
    if (stop > pos && bytes[stop - 1] == '\r') --stop;
    out.push_back(bytes.substr(pos, stop - pos));
    if (lf == std::string::npos) break;
    pos = lf + 1;
  }
  return true;
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
  if (::rename(tmp.c_str(), native.c_str()) != 0) {
    ::unlink(tmp.c_str());
    outcome.step = ReplaceOutcome::Step::Rename;
    return false;
  }
  // Make the rename itself durable.
  int dfd = OpenNative(dir.empty() ? std::string(".") : dir, O_RDONLY | O_DIRECTORY);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
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
  int fd = OpenNative(NativePath(path), O_WRONLY | O_CREAT | O_APPEND);
  if (fd < 0) return false;
  std::string data = line + "\r\n";
  bool ok = WriteAllFd(fd, data.data(), static_cast<int64_t>(data.size()));
  if (::close(fd) != 0) ok = false;
  return ok;
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
  if (fd_ < 0) return false;
  return ::fsync(fd_) == 0;
}

void SetWriteFailureAfter(int64_t bytes) { g_writeBudget.store(bytes); }

}  // namespace tw::sys
