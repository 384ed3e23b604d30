#include "pdf/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "pdf/PdfError.h"

namespace orvanta {
namespace {

std::string SystemText(int error) {
  return std::strerror(error);
}

}  // namespace

OutputFile::OpenResult OutputFile::Open(const std::string& path) {
  OpenResult result;
  // No O_TRUNC yet: a file of another user must be left untouched. O_NONBLOCK
  // keeps a named pipe without reader from blocking the open.
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    int error = errno;
    result.detail = SystemText(error);
    if (error == ELOOP) {
      result.status = OpenStatus::SymbolicLink;
    } else if (error == EACCES || error == EPERM || error == ETXTBSY) {
      result.status = OpenStatus::PermissionDenied;
    } else if (error == EISDIR || error == ENXIO) {
      result.status = OpenStatus::NotRegular;
    } else {
      result.status = OpenStatus::OtherError;
    }
    return result;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    result.detail = SystemText(errno);
    ::close(fd);
    return result;
  }
  bool regular = S_ISREG(info.st_mode);
  // Character devices (/dev/null, /dev/full) can only be made by the system.
  if (!regular && !S_ISCHR(info.st_mode)) {
    ::close(fd);
    result.status = OpenStatus::NotRegular;
    return result;
  }
  if (regular && info.st_uid != ::geteuid()) {
    ::close(fd);
    result.status = OpenStatus::ForeignOwner;
    return result;
  }
  int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
      (regular && ::ftruncate(fd, 0) != 0)) {
    result.detail = SystemText(errno);
    ::close(fd);
    return result;
  }
  result.status = OpenStatus::Ok;
  result.file.reset(new OutputFile(fd, path));
  return result;
}

OutputFile::~OutputFile() {
  if (fd_ >= 0) ::close(fd_);
}

void OutputFile::Write(const char* data, size_t size) {
  if (fd_ < 0) throw PdfError(PdfErrorCode::NotOpen, "il file PDF " + path_ + " non è aperto");
  while (size > 0) {
    ssize_t done = ::write(fd_, data, size);
    if (done < 0) {
      if (errno == EINTR) continue;
      throw PdfError(PdfErrorCode::Io,
                     "impossibile scrivere il file PDF " + path_ + ": " + SystemText(errno));
    }
    data += done;
    size -= static_cast<size_t>(done);
  }
}

void OutputFile::Close() {
  if (fd_ < 0) return;
  int fd = fd_;
  fd_ = -1;
  // A file deleted while we wrote it (or whose folder was removed) has no name
  // left: everything written is lost, which is a failure, not a calendar.
  struct stat info {};
  const bool deleted = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 0;
  if (::close(fd) != 0 && errno != EINTR) {
    throw PdfError(PdfErrorCode::Io,
                   "impossibile chiudere il file PDF " + path_ + ": " + SystemText(errno));
  }
  if (deleted) {
    throw PdfError(PdfErrorCode::Io, "impossibile scrivere il file PDF " + path_ +
                                         ": il file è stato cancellato durante la scrittura");
  }
}

}  // namespace orvanta
