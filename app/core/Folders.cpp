#include "app/core/Folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace orvanta {

namespace {

bool IsFolder(const char* path) {
  struct stat info {};
  return ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

// Target of a symbolic link, however long; empty on any error.
std::string ReadLink(const char* link) {
  std::vector<char> buffer(256);
  while (true) {
    const ssize_t length = ::readlink(link, buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<size_t>(length) < buffer.size()) return std::string(buffer.data(), length);
    if (buffer.size() >= 65536) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string WithTrailingSlash(std::string folder) {
  if (folder.empty()) return folder;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder != "/") folder += '/';
  return folder;
}

std::string AppFolder() {
  const std::string exe = ReadLink("/proc/self/exe");
  const size_t slash = exe.rfind('/');
  if (exe.empty() || exe.front() != '/' || slash == std::string::npos) return {};
  return WithTrailingSlash(exe.substr(0, slash + 1));
}

std::string TempFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  if (tmpdir != nullptr && tmpdir[0] == '/' && IsFolder(tmpdir)) return WithTrailingSlash(tmpdir);
  return "/tmp/";
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace orvanta
