#include "base/PrivateFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "base/AtomicFile.h"

namespace orvanta {
namespace {

[[nodiscard]] bool IsPrivateFolderOfOurs(const std::string& folder) {
  struct stat info {};
  return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
         info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

std::string WithoutTrailingSlash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

// A private folder of ours in `parent` named `prefix` and six characters.
std::string EarlierFolder(const std::string& parent, const std::string& prefix) {
  DIR* listing = ::opendir(parent.c_str());
  if (listing == nullptr) return {};
  std::string found;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (!name.starts_with(prefix) || name.size() != prefix.size() + 6) continue;
    if (IsPrivateFolderOfOurs(parent + entry->d_name)) {
      found = parent + entry->d_name + "/";
      break;
    }
  }
  ::closedir(listing);
  return found;
}

}  // namespace

FileResult EnsurePrivateFolder(const std::string& requested) {
  const std::string folder = WithoutTrailingSlash(requested);
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
    return FileResult::FromErrno(folder, errno);
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0) return FileResult::FromErrno(folder, errno);
  if (S_ISLNK(info.st_mode)) return FileResult::Failure(FileStatus::SymbolicLink, folder);
  if (!S_ISDIR(info.st_mode)) return FileResult::Failure(FileStatus::NotRegular, folder);
  if (info.st_uid != ::geteuid()) return FileResult::Failure(FileStatus::ForeignOwner, folder);
  if ((info.st_mode & 077) != 0 && ::chmod(folder.c_str(), 0700) != 0)
    return FileResult::FromErrno(folder, errno);
  return FileResult::Success();
}

std::string MakePrivateTempFolder(const std::string& tempFolder, const std::string& runtimeDir) {
  if (!runtimeDir.empty() && runtimeDir.front() == '/' &&
      IsPrivateFolderOfOurs(WithoutTrailingSlash(runtimeDir))) {
    const std::string folder = WithoutTrailingSlash(runtimeDir) + "/orvanta";
    if (EnsurePrivateFolder(folder)) return folder + "/";
  }
  const std::string base = tempFolder + "orvanta-" + std::to_string(::geteuid());
  if (EnsurePrivateFolder(base)) return base + "/";
  // Someone else holds the name: a folder of our own under another name, the
  // one an earlier run made when there is one (else every run adds one).
  if (std::string earlier = EarlierFolder(tempFolder, NameOfPath(base) + "-"); !earlier.empty())
    return earlier;
  std::string pattern = base + "-XXXXXX";
  if (::mkdtemp(pattern.data()) != nullptr) return pattern + "/";
  return {};
}

}  // namespace orvanta
