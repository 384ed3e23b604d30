#pragma once
// Reading the user's files: only regular files (a pipe or device carrying the
// name could block or never end), and never more than the caller can use.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "base/FileDescriptor.h"
#include "base/FileResult.h"

namespace orvanta {

// Opens a regular file for reading; never blocks on a pipe or device that
// carries the name.
[[nodiscard]] FileDescriptor OpenForReading(const std::string& path, FileResult& result);

// The whole file into `bytes`, when it holds at most `limit` bytes; a longer
// one gives TooLarge without being read whole. Memory grows with what the
// file holds, not with the limit.
[[nodiscard]] FileResult ReadBounded(const std::string& path, std::size_t limit,
                                     std::string& bytes);

// The whole file, however long.
[[nodiscard]] FileResult ReadWholeFile(const std::string& path, std::string& bytes);

// The size of the open file `fd` now; nothing when the system cannot tell.
[[nodiscard]] std::optional<std::uint64_t> OpenFileSize(int fd);

// The bytes of the open file `fd` from `offset` on, at most `limit` of them
// (TooLarge when more follow; `bytes` then holds the first `limit`).
// `path` only names the file in the answer.
[[nodiscard]] FileResult ReadBoundedAt(int fd, std::uint64_t offset, std::size_t limit,
                                       const std::string& path, std::string& bytes);

// Up to `count` bytes of the open file `fd` at `offset` into `into`, and
// nothing around them; `got` tells how many the file still held there.
[[nodiscard]] FileResult ReadPieceAt(int fd, std::uint64_t offset, std::size_t count,
                                     std::uint8_t* into, const std::string& path, std::size_t& got);

}  // namespace orvanta
