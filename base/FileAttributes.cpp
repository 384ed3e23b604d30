#include "base/FileAttributes.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "base/FileReading.h"

namespace orvanta {
namespace {

constexpr std::string_view kUserNamespace = "user.";
constexpr std::string_view kAccessAcl = "system.posix_acl_access";

// Security labels belong to the system's policy and "trusted." to root: only
// what the user set travels.
bool Travels(std::string_view name) {
  return name.starts_with(kUserNamespace) || name == kAccessAcl;
}

// The names of the file's extended attributes, NUL-separated.
FileResult AttributeNames(const std::string& path, std::vector<char>& names) {
  for (;;) {
    const ssize_t size = ::llistxattr(path.c_str(), nullptr, 0);
    if (size < 0) {
      names.clear();
      return errno == ENOTSUP ? FileResult::Success() : FileResult::FromErrno(path, errno);
    }
    names.resize(static_cast<std::size_t>(size));
    if (size == 0) return FileResult::Success();
    const ssize_t got = ::llistxattr(path.c_str(), names.data(), names.size());
    if (got >= 0) {
      names.resize(static_cast<std::size_t>(got));
      return FileResult::Success();
    }
    if (errno != ERANGE) return FileResult::FromErrno(path, errno);  // grew meanwhile: again
  }
}

FileResult CopyAttribute(const std::string& path, const char* name, int fd) {
  std::vector<char> value;
  for (;;) {
    const ssize_t size = ::lgetxattr(path.c_str(), name, nullptr, 0);
    if (size < 0)
      return errno == ENODATA ? FileResult::Success() : FileResult::FromErrno(path, errno);
    value.resize(static_cast<std::size_t>(size));
    const ssize_t got = ::lgetxattr(path.c_str(), name, value.data(), value.size());
    if (got >= 0) {
      value.resize(static_cast<std::size_t>(got));
      break;
    }
    if (errno != ERANGE) return FileResult::FromErrno(path, errno);
  }
  if (::fsetxattr(fd, name, value.data(), value.size(), 0) != 0)
    return FileResult::FromErrno(path, errno);
  return FileResult::Success();
}

}  // namespace

mode_t CurrentUmask() {
  std::string status;
  if (ReadBounded("/proc/self/status", 64 * 1024, status)) {
    const std::size_t at = status.find("\nUmask:");
    if (at != std::string::npos)
      return static_cast<mode_t>(std::strtoul(&status[at + 7], nullptr, 8));
  }
  const mode_t mask = ::umask(022);  // no /proc: the one way left to ask
  ::umask(mask);
  return mask;
}

FileResult KeepAttributes(const std::string& oldPath, const struct stat& old, int fd) {
  mode_t mode = old.st_mode & 07777;
  struct stat now {};
  if (::fstat(fd, &now) != 0) return FileResult::FromErrno(oldPath, errno);
  if (now.st_gid != old.st_gid && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0)
    mode &= ~static_cast<mode_t>(S_IRWXG | S_ISGID);
  std::vector<char> names;
  if (FileResult listed = AttributeNames(oldPath, names); !listed) return listed;
  for (std::size_t at = 0; at < names.size(); at += std::string_view(&names[at]).size() + 1) {
    const char* name = &names[at];
    if (!Travels(name)) continue;
    if (FileResult copied = CopyAttribute(oldPath, name, fd); !copied) return copied;
  }
  // Last: with an ACL the group permissions are its mask, so a group left
  // out closes the ACL's named entries too.
  if (::fchmod(fd, mode) != 0) return FileResult::FromErrno(oldPath, errno);
  return FileResult::Success();
}

}  // namespace orvanta
