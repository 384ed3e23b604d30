#include "base/FileStreams.h"

#include <cerrno>

#include "base/FileDescriptor.h"
#include "base/FileReading.h"

namespace orvanta {

FilePtr OpenStreamForReading(const std::string& path, FileResult& result) {
  FileDescriptor fd = OpenForReading(path, result);
  if (!fd.IsOpen()) return nullptr;
  FilePtr file(::fdopen(fd.Get(), "rb"));
  if (!file) {
    result = FileResult::FromErrno(path, errno);
    return nullptr;
  }
  fd.Release();
  return file;
}

FilePtr OpenMemoryStream(std::string_view bytes) {
  return FilePtr(::fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb"));
}

int DescriptorOf(std::FILE* file) {
  return ::fileno(file);
}

}  // namespace orvanta
