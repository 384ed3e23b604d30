#include "base/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>

namespace orvanta {
namespace {

constexpr std::string_view kTemporaryInfix = ".new-";

// The file a symbolic link names, so that a rewrite replaces the file and the
// link stays; the path itself when it is no link or cannot be resolved.
std::string ResolveLink(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string target(resolved);
  std::free(resolved);
  return target;
}

// Fine when nothing is there yet or when it is a regular file of ours.
[[nodiscard]] FileResult CheckExisting(const std::string& path, struct stat& info, bool& exists) {
  exists = false;
  if (path.empty() || path.back() == '/') return FileResult::Failure(FileStatus::NoName, path);
  if (::lstat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return FileResult::Success();
    return FileResult::FromErrno(path, errno);
  }
  exists = true;
  if (S_ISLNK(info.st_mode)) return FileResult::Failure(FileStatus::SymbolicLink, path);
  if (!S_ISREG(info.st_mode)) return FileResult::Failure(FileStatus::NotRegular, path);
  // A file the user made read-only is not replaced behind their back.
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
    return FileResult::FromErrno(path, errno);
  if (info.st_uid != ::geteuid()) return FileResult::Failure(FileStatus::ForeignOwner, path);
  return FileResult::Success();
}

// Creates "<target>.new-<pid>-<n>", a name nobody else can have opened.
FileDescriptor CreateTemporary(const std::string& target, mode_t mode, std::string& name) {
  const std::string stem = target + std::string(kTemporaryInfix) + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 1000; ++attempt) {
    name = stem + std::to_string(attempt);
    FileDescriptor fd(
        ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (fd.IsOpen() || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return FileDescriptor();
}

void SyncFolder(const std::string& folder) {
  FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.IsOpen()) ::fsync(fd.Get());
}

// The process id of a name "<name>.new-<pid>-<n>", or 0 when it is not one.
pid_t TemporaryOwner(std::string_view entry, std::string_view name) {
  if (entry.size() <= name.size() + kTemporaryInfix.size() || entry.substr(0, name.size()) != name)
    return 0;
  entry.remove_prefix(name.size());
  if (entry.substr(0, kTemporaryInfix.size()) != kTemporaryInfix) return 0;
  entry.remove_prefix(kTemporaryInfix.size());
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(entry.data(), entry.data() + entry.size(), pid);
  if (error != std::errc() || pid <= 0 || end == entry.data() + entry.size() || *end != '-')
    return 0;
  for (const char* c = end + 1; c < entry.data() + entry.size(); ++c)
    if (*c < '0' || *c > '9') return 0;
  return end + 1 < entry.data() + entry.size() ? pid : 0;
}

bool ProcessIsGone(pid_t pid) {
  return ::kill(pid, 0) != 0 && errno == ESRCH;
}

}  // namespace

std::string FolderOfPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOfPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

FileResult CheckReplaceable(const std::string& target, bool followLink) {
  struct stat info {};
  bool exists = false;
  return CheckExisting(followLink ? ResolveLink(target) : target, info, exists);
}

FileResult AtomicFile::Create(const std::string& requested, std::unique_ptr<AtomicFile>& file,
                              ReplaceOptions options) {
  file.reset();
  const std::string target = options.followLink ? ResolveLink(requested) : requested;
  struct stat info {};
  bool exists = false;
  if (FileResult checked = CheckExisting(target, info, exists); !checked) return checked;
  RemoveStaleTemporaries(target);

  std::string temporary;
  FileDescriptor fd = CreateTemporary(target, options.newFileMode, temporary);
  if (!fd.IsOpen()) return FileResult::FromErrno(target, errno);
  if (exists) ::fchmod(fd.Get(), info.st_mode & 07777);  // the new file keeps the old one's
  file.reset(new AtomicFile(target, temporary, std::move(fd), std::move(options.hooks)));
  return FileResult::Success();
}

AtomicFile::AtomicFile(std::string target, std::string temporary, FileDescriptor fd,
                       FileSystemHooks hooks)
    : target_(std::move(target)),
      temporary_(std::move(temporary)),
      fd_(std::move(fd)),
      hooks_(std::move(hooks)) {}

AtomicFile::~AtomicFile() {
  if (committed_) return;
  fd_.Reset();
  ::unlink(temporary_.c_str());
}

FileResult AtomicFile::Write(std::string_view bytes) {
  if (!fd_.IsOpen()) return FileResult::FromErrno(target_, EBADF);
  while (!bytes.empty()) {
    const ssize_t written = hooks_.write ? hooks_.write(fd_.Get(), bytes.data(), bytes.size())
                                         : ::write(fd_.Get(), bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return FileResult::FromErrno(target_, written == 0 ? ENOSPC : errno);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return FileResult::Success();
}

FileResult AtomicFile::Commit() {
  if (!fd_.IsOpen()) return FileResult::FromErrno(target_, EBADF);
  if (::fsync(fd_.Get()) != 0 && errno != EINVAL) return FileResult::FromErrno(target_, errno);
  if (!fd_.Close()) return FileResult::FromErrno(target_, errno);
  const int renamed = hooks_.rename ? hooks_.rename(temporary_.c_str(), target_.c_str())
                                    : ::rename(temporary_.c_str(), target_.c_str());
  if (renamed != 0) return FileResult::FromErrno(target_, errno);
  committed_ = true;
  SyncFolder(FolderOfPath(target_));
  return FileResult::Success();
}

FileResult ReplaceFile(const std::string& target, std::string_view bytes,
                       const ReplaceOptions& options) {
  std::unique_ptr<AtomicFile> file;
  if (FileResult created = AtomicFile::Create(target, file, options); !created) return created;
  if (FileResult written = file->Write(bytes); !written) return written;
  return file->Commit();
}

void RemoveStaleTemporaries(const std::string& target) {
  const std::string folder = FolderOfPath(target);
  const std::string name = NameOfPath(target);
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const pid_t pid = TemporaryOwner(entry->d_name, name);
    if (pid == 0 || pid == ::getpid() || !ProcessIsGone(pid)) continue;
    struct stat info {};
    if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(info.st_mode) && info.st_uid == ::geteuid()) {
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
  }
  ::closedir(dir);
}

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

FileResult ReadWholeFile(const std::string& path, std::string& bytes) {
  FileResult result;
  const FileDescriptor fd = OpenForReading(path, result);
  if (!fd.IsOpen()) return result;
  bytes.clear();
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
    if (got == 0) return FileResult::Success();
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return FileResult::FromErrno(path, errno);
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace orvanta
