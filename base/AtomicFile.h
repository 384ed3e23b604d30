#pragma once
// The one way the program writes a file: into a new temporary file beside the
// target, renamed over the target only when complete and flushed. A failed or
// killed write leaves the old file as it was; readers see the old file or the
// new one, never half of one. The temporary file is private (0600) from its
// first moment and, where the file system allows, has no name at all until it
// is complete. The new file keeps what the owner set on the old one (group,
// permissions, ACL, the user's extended attributes). Nothing is ever written
// through a symbolic link, into a file of another user, or over a file with
// other hard links (replacing it would split them).

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/FileDescriptor.h"
#include "base/FileReading.h"
#include "base/FileResult.h"
#include "base/Leftovers.h"

namespace orvanta {

// The system calls a write goes through; tests replace them to simulate a
// full disk or a failing rename. Empty members mean the real calls.
struct FileSystemHooks {
  std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
  std::function<int(const char* from, const char* to)> rename;
  std::function<int(int fd)> sync;  // fsync
  // As on a file system without unnamed temporary files (O_TMPFILE).
  bool namedTemporaryOnly = false;
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
  // be missing or a regular file of ours with no other hard link; a symbolic
  // link (unless followed), another kind of file or another user's file is
  // refused. Leftovers of earlier, killed writes in the folder go first.
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
  // Where the unfinished file can be looked at: its name beside the target,
  // or "/proc/self/fd/<n>" while it has none.
  std::string TemporaryPath() const;

 private:
  friend FileResult CommitTogether(AtomicFile& first, AtomicFile& second);
  friend FileResult CommitAll(const std::vector<AtomicFile*>& files);

  AtomicFile(std::string target, FileDescriptor fd, FileSystemHooks hooks);
  [[nodiscard]] FileResult GiveName();
  [[nodiscard]] FileResult MoveOverTarget(bool keepOld);
  void PutOldBack();
  void DropOld();

  std::string target_;
  std::string temporary_;  // empty while the file has no name
  FileDescriptor fd_;
  FileSystemHooks hooks_;
  off_t length_ = 0;  // bytes written so far
  bool committed_ = false;
  bool targetExisted_ = false;
  std::string oldName_;  // where the replaced file waits until DropOld
  FileDescriptor oldFile_;
};

// Commits both files or neither: the first is put back as it was when the
// second cannot take its name.
[[nodiscard]] FileResult CommitTogether(AtomicFile& first, AtomicFile& second);
// The same for any number of files: every earlier one is put back when a
// later one cannot take its name.
[[nodiscard]] FileResult CommitAll(const std::vector<AtomicFile*>& files);

// Writes a whole file at once through an AtomicFile.
[[nodiscard]] FileResult ReplaceFile(const std::string& target, std::string_view bytes,
                                     const ReplaceOptions& options = {});

// The checks of AtomicFile::Create without creating anything.
[[nodiscard]] FileResult CheckReplaceable(const std::string& target, bool followLink = false);

// The folder part of a path ("." when there is none) and the name part.
std::string FolderOfPath(const std::string& path);
std::string NameOfPath(const std::string& path);

}  // namespace orvanta
