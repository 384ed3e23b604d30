#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace orvanta {

// The writer's output file: the one place where the platform shows through.
class OutputFile {
 public:
  enum class OpenStatus {
    Ok,
    PermissionDenied,  // the system refused access (a viewer may hold the file)
    SymbolicLink,      // the last path component is a symbolic link
    ForeignOwner,      // the file exists and belongs to another user
    NotRegular,        // a folder, a pipe or another file that is not a document
    OtherError,
  };
  struct OpenResult {
    OpenStatus status = OpenStatus::OtherError;
    std::unique_ptr<OutputFile> file;
    std::string detail;  // system error text, for failures
  };

  // Creates or truncates the file for writing, without following a symbolic
  // link at the last component and refusing files of other users.
  static OpenResult Open(const std::string& path);

  ~OutputFile();  // closes without reporting errors
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Both throw PdfError (Io) when the system reports a failure.
  void Write(const char* data, size_t size);
  void Close();

 private:
  explicit OutputFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  int fd_;
  std::string path_;
};

}  // namespace orvanta
