#pragma once
// C streams over what the system hands out, for readers that take a line at
// a time: a regular file, or bytes already in memory.

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "base/FileResult.h"

namespace orvanta {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// A regular file opened for reading (as OpenForReading does it), or null
// with the reason in `result`.
FilePtr OpenStreamForReading(const std::string& path, FileResult& result);

// The next byte of a stream only one reader uses, or EOF: the unlocked form
// spares a lock per byte, which is most of the time of a large file.
inline int NextByte(std::FILE* file) {
  return ::getc_unlocked(file);
}

// The open file under `file`, for the readers that take a descriptor.
int DescriptorOf(std::FILE* file);

// A stream over `bytes`, which must not be empty and must outlive it; null
// (errno set) when the system refuses.
FilePtr OpenMemoryStream(std::string_view bytes);

}  // namespace orvanta
