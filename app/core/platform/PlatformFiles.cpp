#include "app/core/platform/PlatformFiles.h"

#include <sys/stat.h>
#include <unistd.h>

namespace orvanta {

bool WorkingFolderUsable() {
  struct stat st {};
  if (::stat(".", &st) != 0 || !S_ISDIR(st.st_mode) || st.st_nlink == 0) return false;
  return ::access(".", X_OK) == 0;
}

bool FolderExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {
  }, second{};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace orvanta
