#include "base/Leftovers.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <functional>
#include <random>

namespace orvanta {
namespace {

// A folder of one run holds a few files and maybe a folder of pictures.
constexpr int kMaxDepth = 8;

void RemoveTreeAt(int parentFd, const char* name, int depth);

void RemoveContentOf(int folderFd, int depth) {
  DIR* listing = ::fdopendir(folderFd);
  if (listing == nullptr) {
    ::close(folderFd);
    return;
  }
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    RemoveTreeAt(::dirfd(listing), entry->d_name, depth + 1);
  }
  ::closedir(listing);
}

void RemoveTreeAt(int parentFd, const char* name, int depth) {
  struct stat info {};
  if (::fstatat(parentFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) return;
  if (S_ISDIR(info.st_mode) && depth < kMaxDepth) {
    const int fd = ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) RemoveContentOf(fd, depth);
    ::unlinkat(parentFd, name, AT_REMOVEDIR);
    return;
  }
  ::unlinkat(parentFd, name, 0);
}

constexpr std::string_view kNameLetters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr std::size_t kRandomLetters = 6;

// The two letters that check the six random ones (FNV-1a, base 62).
std::string CheckLetters(std::string_view random) {
  std::uint32_t hash = 2166136261U;
  for (const char c : random) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619U;
  const std::size_t base = kNameLetters.size();
  hash %= static_cast<std::uint32_t>(base * base);
  return {kNameLetters[hash / base], kNameLetters[hash % base]};
}

// The prefix and six letters or digits, as mkdtemp and the temporary files
// make them: nothing the user named.
bool HasLeftoverName(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix) || name.size() != prefix.size() + 6) return false;
  for (const char c : name.substr(prefix.size())) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

bool IsEmptyFolder(int fd) {
  DIR* listing = ::fdopendir(::dup(fd));
  if (listing == nullptr) return false;
  bool empty = true;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") empty = false;
  }
  ::closedir(listing);
  return empty;
}

// Whether the entry is ours and no one holds a lock on it; its lock is then
// ours until `held` goes. Its maker locks it right after making it, before
// putting anything in: an empty one may be just that moment, so it must have
// settled too.
bool IsLeftover(int folderFd, const char* name, FileDescriptor& held) {
  struct stat info {};
  if (::fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0 || info.st_uid != ::geteuid())
    return false;
  if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) return false;
  held = FileDescriptor(
      ::openat(folderFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!held.IsOpen() || ::flock(held.Get(), LOCK_EX | LOCK_NB) != 0) return false;
  struct stat opened {};
  if (::fstat(held.Get(), &opened) != 0 || opened.st_ino != info.st_ino ||
      opened.st_dev != info.st_dev)
    return false;
  const bool empty = S_ISDIR(opened.st_mode) ? IsEmptyFolder(held.Get()) : opened.st_size == 0;
  return !empty || std::time(nullptr) - opened.st_mtime >= kLeftoverSettleSeconds;
}

// A regular file of ours, named as ours, that nobody holds a lock on and
// that has settled.
bool IsLeftoverFile(int folderFd, const char* name, FileDescriptor& held) {
  struct stat info {};
  if (::fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode))
    return false;
  return IsLeftover(folderFd, name, held);
}

// Calls `visit` with the folder and the name of each entry of `folder`.
void ForEachEntry(const std::string& folder,
                  const std::function<void(int folderFd, const char* name)>& visit) {
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd < 0) return;
  DIR* listing = ::fdopendir(folderFd);
  if (listing == nullptr) {
    ::close(folderFd);
    return;
  }
  while (const dirent* entry = ::readdir(listing)) visit(folderFd, entry->d_name);
  ::closedir(listing);  // also closes folderFd
}

}  // namespace

std::string NewTemporaryName() {
  static thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, kNameLetters.size() - 1);
  std::string letters;
  for (std::size_t i = 0; i < kRandomLetters; ++i) letters += kNameLetters[pick(random)];
  return std::string(kTemporaryPrefix) + letters + CheckLetters(letters);
}

bool IsTemporaryName(std::string_view name) {
  if (!name.starts_with(kTemporaryPrefix) || name.size() != kTemporaryPrefix.size() + 8)
    return false;
  const std::string_view letters = name.substr(kTemporaryPrefix.size(), kRandomLetters);
  for (const char c : name.substr(kTemporaryPrefix.size())) {
    if (kNameLetters.find(c) == std::string_view::npos) return false;
  }
  return name.substr(kTemporaryPrefix.size() + kRandomLetters) == CheckLetters(letters);
}

void SweepTemporaryFiles(const std::string& folder) {
  ForEachEntry(folder, [](int folderFd, const char* name) {
    FileDescriptor held;
    if (IsTemporaryName(name) && IsLeftoverFile(folderFd, name, held))
      ::unlinkat(folderFd, name, 0);
  });
}

bool MarkInUse(int fd) {
  while (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

void SweepLeftovers(const std::string& folder, std::string_view prefix) {
  ForEachEntry(folder, [prefix](int folderFd, const char* name) {
    FileDescriptor held;
    if (HasLeftoverName(name, prefix) && IsLeftover(folderFd, name, held))
      RemoveTreeAt(folderFd, name, 0);
  });
}

void RemoveFolderTree(const std::string& folder) {
  RemoveTreeAt(AT_FDCWD, folder.c_str(), 0);
}

RunFolder::RunFolder(const std::string& parent, std::string_view prefix) {
  if (parent.empty()) return;
  SweepLeftovers(parent, prefix);
  std::string pattern = parent + std::string(prefix) + "XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return;
  lock_ = FileDescriptor(::open(pattern.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!lock_.IsOpen() || !MarkInUse(lock_.Get())) {
    lock_.Reset();
    ::rmdir(pattern.c_str());
    return;
  }
  path_ = pattern + "/";
}

RunFolder::~RunFolder() {
  if (path_.empty()) return;
  RemoveFolderTree(path_.substr(0, path_.size() - 1));
}

}  // namespace orvanta
