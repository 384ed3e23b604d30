#include "base/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <utility>

#include "base/AtomicFile.h"

namespace orvanta {
namespace {

// More links in a row than the system itself follows.
constexpr int kMaxLinks = 40;

bool CanAccess(const std::string& path, int mode) {
  return ::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0;
}

}  // namespace

FileResult ResolveOwnLinks(const std::string& path, std::string& target) {
  target = path;
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return FileResult::Success();
    if (info.st_uid != ::geteuid() && info.st_uid != 0)
      return FileResult::Failure(FileStatus::ForeignLink, path);
    std::string next(static_cast<std::size_t>(info.st_size) + 256, '\0');
    const ssize_t length = ::readlink(target.c_str(), next.data(), next.size());
    if (length < 0) return FileResult::FromErrno(path, errno);
    next.resize(static_cast<std::size_t>(length));
    if (next.empty()) return FileResult::Failure(FileStatus::SymbolicLink, path);
    const bool dangling = ::access(target.c_str(), F_OK) != 0;
    if (next.front() != '/') next = FolderOfPath(target) + "/" + next;
    if (dangling) return FileResult::Failure(FileStatus::SymbolicLink, path);
    target = std::move(next);
  }
  return FileResult::FromErrno(path, ELOOP);
}

Replaceable ReplaceableFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0)
    return errno == ENOENT ? Replaceable::Missing : Replaceable::No;
  if (!S_ISREG(st.st_mode)) return Replaceable::No;
  if (!CanAccess(path, R_OK)) return Replaceable::No;
  if (!CanAccess(path, W_OK)) {
    ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR);
    if (!CanAccess(path, W_OK)) return Replaceable::No;
  }
  return Replaceable::Yes;
}

bool FolderWritable(const std::string& folder) {
  return CanAccess(folder, W_OK | X_OK);
}

}  // namespace orvanta
