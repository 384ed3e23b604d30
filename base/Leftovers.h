#pragma once
// What the program keeps on disk only for a while (a temporary file that
// becomes a document, the folder of one run) carries a lock for as long as
// its maker has it open. A lock, unlike a process id, means the same in every
// PID namespace and goes with its process however that ends; what nobody
// holds a lock on any more is a leftover of a killed run.

#include <string>
#include <string_view>

#include "base/FileDescriptor.h"

namespace orvanta {

// Something just made is locked right after, before anything goes into it:
// an empty one is taken for a leftover only once it is this old (seconds
// since its last change).
inline constexpr int kLeftoverSettleSeconds = 5;

// Takes a shared lock on `fd` without waiting: marks the file as in use.
// False when someone else holds an exclusive one.
bool MarkInUse(int fd);

// Names of the temporary files beside a target: ".orvanta-" and eight letters
// or digits, the last two a check of the first six, so that a name the user
// gave (".orvanta-backup", ".orvanta-config") is never taken for one of ours.
inline constexpr std::string_view kTemporaryPrefix = ".orvanta-";

// A fresh name of that pattern (without folder).
std::string NewTemporaryName();
bool IsTemporaryName(std::string_view name);

// Removes from `folder` the temporary files that killed writes left behind:
// a name of the pattern above, a regular file of ours, settled, that no live
// writer holds a lock on. Nothing else, and never a folder.
void SweepTemporaryFiles(const std::string& folder);

// Removes the entries of `folder` named `prefix` and six letters or digits
// that are leftovers: files or folders of ours that nobody holds a lock on and that
// have settled. A folder goes with everything in it; links are removed, never
// followed.
void SweepLeftovers(const std::string& folder, std::string_view prefix);

// A private folder for one run ("<parent><prefix>XXXXXX/", mode 0700), in use
// (locked) while the object lives and removed with its content when it goes.
// Leftovers of earlier runs with the same prefix go first.
class RunFolder {
 public:
  RunFolder(const std::string& parent, std::string_view prefix);
  ~RunFolder();
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;

  // With its trailing "/"; empty when the folder could not be made.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  FileDescriptor lock_;
};

// Removes `folder` and everything in it, without following links.
void RemoveFolderTree(const std::string& folder);

}  // namespace orvanta
