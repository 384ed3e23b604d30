#pragma once
// Writing whole files into folders that other users may also write to (the
// temporary folder): never through a symbolic link, never into a file that
// belongs to someone else, and never leaving half a file behind.

#include <sys/types.h>

#include <cstdint>
#include <span>
#include <string>

namespace orvanta {

struct FileResult {
  bool ok = false;
  std::string message;  // why it failed, in Italian, naming the file; empty on success
  explicit operator bool() const { return ok; }
};

// Makes `path` a regular file holding exactly `bytes`. The file is created
// with `mode` (less the umask) or, when it exists, reused only if it is a
// regular file of ours with a single link; it is truncated only after those
// checks. A symbolic link at `path` is refused, whatever it points to. When a
// write fails the file is removed again.
FileResult WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes,
                           mode_t mode = 0644);

// The same checks without writing, for a component that opens `path` itself:
// fine when nothing is there yet or when it is a regular file of ours with a
// single link; refused for a symbolic link, another kind of file or a file of
// another user.
FileResult CheckOutputPath(const std::string& path);

}  // namespace orvanta
