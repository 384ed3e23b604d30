// Files for the targets whose code under test takes a path.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "tests/fuzz/FuzzTargets.h"

namespace orvanta::fuzz {
namespace {

int MemoryFileDescriptor() {
  static const int fd = [] {
    const int created = ::memfd_create("orvanta-fuzz", MFD_CLOEXEC);
    if (created < 0) throw std::runtime_error("memfd_create failed");
    return created;
  }();
  return fd;
}

std::string MakeScratchFolder() {
  std::string base = "/dev/shm";
  struct stat info {};
  if (::stat(base.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
      ::access(base.c_str(), W_OK) != 0) {
    base = std::filesystem::temp_directory_path().string();
  }
  std::string pattern = base + "/orvanta-fuzz-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern + "/";
}

}  // namespace

std::string MemoryFile(std::string_view bytes) {
  const int fd = MemoryFileDescriptor();
  if (::ftruncate(fd, 0) != 0) throw std::runtime_error("ftruncate failed");
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n <= 0) throw std::runtime_error("pwrite failed");
    done += static_cast<std::size_t>(n);
  }
  return "/proc/self/fd/" + std::to_string(fd);
}

const std::string& ScratchFolder() {
  static const std::string folder = [] {
    std::string made = MakeScratchFolder();
    static const std::string removeAtExit = made;
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(removeAtExit, ignored);
    });
    return made;
  }();
  return folder;
}

}  // namespace orvanta::fuzz
