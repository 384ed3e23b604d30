#include "app/core/platform/PlatformPaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace orvanta {

std::string FileNameOfPath(std::string_view path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return std::string(path);
  return std::string(path.substr(slash + 1));
}

namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string ResolveProgram(const std::string& program, std::string_view searchPath) {
  if (program.empty()) return {};
  if (program.find('/') != std::string::npos) return IsExecutableFile(program) ? program : "";
  while (true) {
    const size_t colon = searchPath.find(':');
    const std::string_view folder = searchPath.substr(0, colon);
    std::string candidate;
    candidate.reserve(folder.size() + program.size() + 2);
    candidate.append(folder.empty() ? std::string_view(".") : folder).append("/").append(program);
    if (IsExecutableFile(candidate)) return candidate;
    if (colon == std::string_view::npos) return {};
    searchPath.remove_prefix(colon + 1);
  }
}

std::string ResolveProgramInPath(const std::string& program) {
  const char* searchPath = std::getenv("PATH");
  return ResolveProgram(program, searchPath != nullptr ? searchPath : "");
}

}  // namespace orvanta
