#include "base/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <thread>

namespace orvanta {

FileResult LockFolder(const std::string& folder, std::chrono::milliseconds patience,
                      FileDescriptor& held) {
  held = FileDescriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!held.IsOpen()) return FileResult::FromErrno(folder, errno);
  constexpr std::chrono::milliseconds kStep{20};
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (::flock(held.Get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) return FileResult::Success();  // no locks here: go on without
    if (std::chrono::steady_clock::now() >= deadline) {
      held.Reset();
      return FileResult::Failure(FileStatus::Busy, folder);
    }
    std::this_thread::sleep_for(kStep);
  }
  return FileResult::Success();
}

}  // namespace orvanta
