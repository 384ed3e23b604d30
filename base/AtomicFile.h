#pragma once
// The one way the program writes a file: into a new temporary file beside the
// target, renamed over the target only when complete and flushed. A failed or
// killed write leaves the old file as it was; readers see the old file or the
// new one, never half of one. Nothing is ever written through a symbolic link
// or into a file of another user.

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/FileDescriptor.h"
#include "base/FileResult.h"

namespace orvanta {

// The system calls a write goes through; tests replace them to simulate a
// full disk or a failing rename. Empty members mean the real calls.
struct FileSystemHooks {
  std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
  std::function<int(const char* from, const char* to)> rename;
};

struct ReplaceOptions {
  // Replace the file a symbolic link names and keep the link (the user's own
  // files); otherwise a link at the target is refused.
  bool followLink = false;
  // Permissions of a file that does not exist yet (less the umask); an
  // existing file keeps its own.
  mode_t newFileMode = 0666;
  FileSystemHooks hooks;
};

class AtomicFile {
 public:
  // Checks the target and creates the temporary file beside it. A target may
  // be missing or a regular file of ours; a symbolic link (unless followed),
  // another kind of file or another user's file is refused. Leftover
  // temporary files of earlier, killed writes to the same target go first.
  [[nodiscard]] static FileResult Create(const std::string& target,
                                         std::unique_ptr<AtomicFile>& file,
                                         ReplaceOptions options = {});

  ~AtomicFile();  // removes the temporary file unless committed
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  [[nodiscard]] FileResult Write(std::string_view bytes);
  // Flushes the data to the disk and renames the file over the target.
  [[nodiscard]] FileResult Commit();

  const std::string& Target() const { return target_; }
  const std::string& TemporaryPath() const { return temporary_; }

 private:
  AtomicFile(std::string target, std::string temporary, FileDescriptor fd, FileSystemHooks hooks);

  std::string target_;
  std::string temporary_;
  FileDescriptor fd_;
  FileSystemHooks hooks_;
  bool committed_ = false;
};

// Writes a whole file at once through an AtomicFile.
[[nodiscard]] FileResult ReplaceFile(const std::string& target, std::string_view bytes,
                                     const ReplaceOptions& options = {});

// The checks of AtomicFile::Create without creating anything.
[[nodiscard]] FileResult CheckReplaceable(const std::string& target, bool followLink = false);

// Removes the temporary files ("<target>.new-<pid>-<n>") that writes to
// `target` left behind when their process died: only regular files of ours
// whose process no longer runs.
void RemoveStaleTemporaries(const std::string& target);

// Opens a regular file for reading; never blocks on a pipe or device that
// carries the name.
[[nodiscard]] FileDescriptor OpenForReading(const std::string& path, FileResult& result);

// The whole content of a regular file, read the way OpenForReading opens it.
[[nodiscard]] FileResult ReadWholeFile(const std::string& path, std::string& bytes);

// The folder part of a path ("." when there is none) and the name part.
std::string FolderOfPath(const std::string& path);
std::string NameOfPath(const std::string& path);

}  // namespace orvanta
