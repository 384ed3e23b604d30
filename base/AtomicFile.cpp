#include "base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "base/FileAttributes.h"
#include "base/Leftovers.h"

namespace orvanta {
namespace {

constexpr int kNameAttempts = 100;

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

// Fine when nothing is there yet or when it is a regular file of ours that
// has no other name.
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
  // Rewriting it in place could leave it half old, half new after a crash;
  // replacing it would leave the other names with the old content.
  if (info.st_nlink > 1) return FileResult::Failure(FileStatus::HardLinked, path);
  return FileResult::Success();
}

// A free name beside the target: the folder, "/" and a temporary name.
std::string TemporaryName(const std::string& folder) {
  return folder + "/" + NewTemporaryName();
}

// Only we may read it, from the first system call on; unnamed when the file
// system can, else under a fresh name.
FileDescriptor CreateTemporary(const std::string& folder, bool unnamed, std::string& name) {
  name.clear();
  if (unnamed && ::access("/proc/self/fd", X_OK) == 0) {
    FileDescriptor fd(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (fd.IsOpen()) return fd;
  }
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = TemporaryName(folder);
    FileDescriptor fd(
        ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (fd.IsOpen() || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return FileDescriptor();
}

void SyncFolder(const std::string& folder) {
  FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.IsOpen()) ::fsync(fd.Get());
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
  SweepTemporaryFiles(FolderOfPath(target));

  std::string temporary;
  FileDescriptor fd =
      CreateTemporary(FolderOfPath(target), !options.hooks.namedTemporaryOnly, temporary);
  if (!fd.IsOpen()) return FileResult::FromErrno(target, errno);
  MarkInUse(fd.Get());  // not a leftover while we write it
  const FileResult kept =
      exists ? KeepAttributes(target, info, fd.Get())
             : (::fchmod(fd.Get(), options.newFileMode & 07777 & ~CurrentUmask()) == 0
                    ? FileResult::Success()
                    : FileResult::FromErrno(target, errno));
  if (!kept) {
    if (!temporary.empty()) ::unlink(temporary.c_str());
    return kept;
  }
  file.reset(new AtomicFile(target, std::move(fd), std::move(options.hooks)));
  file->temporary_ = std::move(temporary);
  file->targetExisted_ = exists;
  return FileResult::Success();
}

AtomicFile::AtomicFile(std::string target, FileDescriptor fd, FileSystemHooks hooks)
    : target_(std::move(target)), fd_(std::move(fd)), hooks_(std::move(hooks)) {}

AtomicFile::~AtomicFile() {
  if (committed_) {
    DropOld();
    return;
  }
  fd_.Reset();
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

std::string AtomicFile::TemporaryPath() const {
  if (!temporary_.empty() || committed_) return temporary_;
  return "/proc/self/fd/" + std::to_string(fd_.Get());
}

FileResult AtomicFile::Write(std::string_view bytes) {
  if (!fd_.IsOpen()) return FileResult::FromErrno(target_, EBADF);
  const off_t start = length_;
  while (!bytes.empty()) {
    const ssize_t written = hooks_.write ? hooks_.write(fd_.Get(), bytes.data(), bytes.size())
                                         : ::write(fd_.Get(), bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return FileResult::FromErrno(target_, written == 0 ? ENOSPC : errno);
    bytes.remove_prefix(static_cast<std::size_t>(written));
    length_ += written;
  }
  // The disk starts on these bytes now, while the caller makes the next
  // ones: the flush before the rename then waits for little more than the
  // last of them. Only a head start; the flush still makes it sure.
  if (!hooks_.write) ::sync_file_range(fd_.Get(), start, length_ - start, SYNC_FILE_RANGE_WRITE);
  return FileResult::Success();
}

// On the disk, and under a name of its own beside the target (still ours
// alone to open until it moves).
FileResult AtomicFile::GiveName() {
  if (!fd_.IsOpen() || committed_) return FileResult::FromErrno(target_, EBADF);
  const int synced = hooks_.sync ? hooks_.sync(fd_.Get()) : ::fsync(fd_.Get());
  if (synced != 0 && errno != EINVAL) return FileResult::FromErrno(target_, errno);
  if (!temporary_.empty()) return FileResult::Success();
  const std::string self = "/proc/self/fd/" + std::to_string(fd_.Get());
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string name = TemporaryName(FolderOfPath(target_));
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temporary_ = name;
      return FileResult::Success();
    }
    if (errno != EEXIST) return FileResult::FromErrno(target_, errno);
  }
  return FileResult::FromErrno(target_, EEXIST);
}

// With `keepOld` the replaced file stays under the temporary name (in use, so
// no sweep takes it) until DropOld or PutOldBack.
FileResult AtomicFile::MoveOverTarget(bool keepOld) {
  if (keepOld && targetExisted_) {
    // An exchange would swap places with whatever stands there now, a folder
    // too: only the regular file we checked is kept aside.
    struct stat there {};
    if (::lstat(target_.c_str(), &there) != 0) return FileResult::FromErrno(target_, errno);
    if (!S_ISREG(there.st_mode)) return FileResult::Failure(FileStatus::NotRegular, target_);
    oldFile_ = FileDescriptor(
        ::open(target_.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (oldFile_.IsOpen()) MarkInUse(oldFile_.Get());
    if (::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD, target_.c_str(), RENAME_EXCHANGE) ==
        0) {
      oldName_ = std::move(temporary_);
      temporary_.clear();
      committed_ = true;
      return FileResult::Success();
    }
    if (errno != EINVAL && errno != ENOSYS) return FileResult::FromErrno(target_, errno);
    // No exchange on this file system: a second name keeps the old file.
    const std::string name = TemporaryName(FolderOfPath(target_));
    if (::link(target_.c_str(), name.c_str()) != 0) return FileResult::FromErrno(target_, errno);
    oldName_ = name;
  }
  const int renamed = hooks_.rename ? hooks_.rename(temporary_.c_str(), target_.c_str())
                                    : ::rename(temporary_.c_str(), target_.c_str());
  if (renamed != 0) {
    const int error = errno;
    DropOld();
    return FileResult::FromErrno(target_, error);
  }
  temporary_.clear();
  committed_ = true;
  return FileResult::Success();
}

void AtomicFile::PutOldBack() {
  if (!oldName_.empty()) {
    ::rename(oldName_.c_str(), target_.c_str());
  } else if (!targetExisted_) {
    struct stat mine {
    }, there{};
    if (::fstat(fd_.Get(), &mine) == 0 && ::lstat(target_.c_str(), &there) == 0 &&
        mine.st_ino == there.st_ino && mine.st_dev == there.st_dev)
      ::unlink(target_.c_str());
  }
  oldName_.clear();
  oldFile_.Reset();
}

void AtomicFile::DropOld() {
  if (!oldName_.empty()) ::unlink(oldName_.c_str());
  oldName_.clear();
  oldFile_.Reset();
}

FileResult AtomicFile::Commit() {
  if (FileResult named = GiveName(); !named) return named;
  if (FileResult moved = MoveOverTarget(false); !moved) return moved;
  fd_.Reset();
  SyncFolder(FolderOfPath(target_));
  return FileResult::Success();
}

FileResult CommitTogether(AtomicFile& first, AtomicFile& second) {
  return CommitAll({&first, &second});
}

FileResult CommitAll(const std::vector<AtomicFile*>& files) {
  for (AtomicFile* file : files) {
    if (FileResult named = file->GiveName(); !named) return named;
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    const bool last = i + 1 == files.size();
    if (FileResult moved = files[i]->MoveOverTarget(!last); !moved) {
      for (std::size_t j = i; j-- > 0;) {
        files[j]->PutOldBack();
        files[j]->committed_ = false;
      }
      return moved;
    }
  }
  for (AtomicFile* file : files) {
    file->DropOld();
    file->fd_.Reset();
    SyncFolder(FolderOfPath(file->target_));
  }
  return FileResult::Success();
}

FileResult ReplaceFile(const std::string& target, std::string_view bytes,
                       const ReplaceOptions& options) {
  std::unique_ptr<AtomicFile> file;
  if (FileResult created = AtomicFile::Create(target, file, options); !created) return created;
  if (FileResult written = file->Write(bytes); !written) return written;
  return file->Commit();
}

}  // namespace orvanta
