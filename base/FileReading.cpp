#include "base/FileReading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

namespace orvanta {

FileDescriptor OpenForReading(const std::string& path, FileResult& result) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd.IsOpen()) {
    result = FileResult::FromErrno(path, errno);
    return fd;
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) {
    result = FileResult::FromErrno(path, errno);
    return FileDescriptor();
  }
  if (!S_ISREG(info.st_mode)) {
    result = FileResult::Failure(FileStatus::NotRegular, path);
    return FileDescriptor();
  }
  const int flags = ::fcntl(fd.Get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK);
  result = FileResult::Success();
  return fd;
}

FileResult ReadBoundedAt(int fd, std::uint64_t offset, std::size_t limit, const std::string& path,
                         std::string& bytes) {
  bytes.clear();
  char chunk[64 * 1024];
  for (;;) {
    const ssize_t got = ::pread(fd, chunk, sizeof chunk, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return FileResult::FromErrno(path, errno);
    if (got == 0) return FileResult::Success();
    const auto size = static_cast<std::size_t>(got);
    if (bytes.size() + size > limit) {
      bytes.append(chunk, limit - bytes.size());
      return FileResult::TooLargeFile(path, limit);
    }
    bytes.append(chunk, size);
    offset += size;
  }
}

FileResult ReadPieceAt(int fd, std::uint64_t offset, std::size_t count, std::uint8_t* into,
                       const std::string& path, std::size_t& got) {
  got = 0;
  while (got < count) {
    const ssize_t n = ::pread(fd, into + got, count - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return FileResult::FromErrno(path, errno);
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return FileResult::Success();
}

FileResult ReadBounded(const std::string& path, std::size_t limit, std::string& bytes) {
  bytes.clear();
  FileResult opened;
  const FileDescriptor fd = OpenForReading(path, opened);
  if (!fd.IsOpen()) return opened;
  return ReadBoundedAt(fd.Get(), 0, limit, path, bytes);
}

FileResult ReadWholeFile(const std::string& path, std::string& bytes) {
  return ReadBounded(path, std::numeric_limits<std::size_t>::max(), bytes);
}

std::optional<std::uint64_t> OpenFileSize(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

}  // namespace orvanta
