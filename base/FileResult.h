#pragma once
// What a file operation answers: fine, or what went wrong with which file.

#include <cstdint>
#include <string>

namespace orvanta {

enum class FileStatus {
  Ok,
  SymbolicLink,       // the name is a symbolic link, which we do not follow
  NotRegular,         // a folder, a device, a pipe: not a document
  ForeignOwner,       // the file belongs to another user
  PermissionDenied,   // the system refused access
  NotFound,           // the file or its folder does not exist
  NoName,             // the path has no file name (empty, or ends in "/")
  TooLarge,           // longer than the reader accepts (`limit`)
  HardLinked,         // the file has other names that a replace would split off
  ForeignLink,        // a symbolic link on the way belongs to another user
  Busy,               // another change of the file holds its lock
  UnexpectedContent,  // the file holds something else than what we would change in it
  SystemError,        // any other error the system reported (see `error`)
};

struct FileResult {
  FileStatus status = FileStatus::Ok;
  int error = 0;            // errno, when the system reported one
  std::string path;         // the file concerned
  std::uint64_t limit = 0;  // for TooLarge: the most bytes accepted

  [[nodiscard]] bool Ok() const { return status == FileStatus::Ok; }
  explicit operator bool() const { return Ok(); }

  // One Italian sentence naming the file and the reason, for a message.
  std::string Describe() const;

  [[nodiscard]] static FileResult Success() { return {}; }
  [[nodiscard]] static FileResult Failure(FileStatus status, std::string path, int error = 0) {
    return {status, error, std::move(path)};
  }
  [[nodiscard]] static FileResult TooLargeFile(std::string path, std::uint64_t limit) {
    return {FileStatus::TooLarge, 0, std::move(path), limit};
  }
  // The failure errno stands for.
  [[nodiscard]] static FileResult FromErrno(std::string path, int error);
};

}  // namespace orvanta
