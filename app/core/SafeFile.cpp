#include "app/core/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace orvanta {

namespace {

FileResult Failure(const std::string& path, const std::string& why) {
  return {false, "Impossibile scrivere il file \"" + path + "\": " + why + "."};
}

FileResult SystemFailure(const std::string& path, int error) {
  return Failure(path, std::strerror(error));
}

// The owner, kind and link-count rules shared by both entry points.
FileResult CheckExisting(const std::string& path, const struct stat& info) {
  if (S_ISLNK(info.st_mode)) return Failure(path, "è un collegamento simbolico");
  if (!S_ISREG(info.st_mode)) return Failure(path, "non è un file normale");
  if (info.st_uid != ::geteuid()) return Failure(path, "appartiene a un altro utente");
  if (info.st_nlink > 1) return Failure(path, "ha più di un collegamento");
  return {true, {}};
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now, so that a late write error (reported by close) is seen.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes = bytes.subspan(static_cast<size_t>(written));
  }
  return true;
}

// Removes what a failed write left, but only if `path` still names the file
// that was written.
void RemoveIfSame(const std::string& path, const struct stat& written) {
  struct stat now {};
  if (::lstat(path.c_str(), &now) == 0 && now.st_dev == written.st_dev &&
      now.st_ino == written.st_ino) {
    ::unlink(path.c_str());
  }
}

}  // namespace

FileResult CheckOutputPath(const std::string& path) {
  if (path.empty()) return Failure(path, "nome mancante");
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    return errno == ENOENT ? FileResult{true, {}} : SystemFailure(path, errno);
  }
  return CheckExisting(path, info);
}

FileResult WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes,
                           mode_t mode) {
  if (path.empty()) return Failure(path, "nome mancante");
  // No O_TRUNC: the file is emptied only after it has passed the checks.
  // O_NONBLOCK keeps a planted FIFO from blocking the open.
  FileDescriptor fd(::open(
      path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, mode));
  if (fd.get() < 0) {
    if (errno == ELOOP) return Failure(path, "è un collegamento simbolico");
    return SystemFailure(path, errno);
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return SystemFailure(path, errno);
  if (FileResult checked = CheckExisting(path, info); !checked) return checked;

  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0 ||
      ::ftruncate(fd.get(), 0) != 0) {
    return SystemFailure(path, errno);
  }
  if (!WriteAll(fd.get(), bytes) || fd.Close() != 0) {
    const int error = errno;
    RemoveIfSame(path, info);
    return SystemFailure(path, error);
  }
  return {true, {}};
}

}  // namespace orvanta
