#pragma once
// What the front ends ask of the file system about folders and paths before
// they write anything (no Qt).

#include <string>

namespace orvanta {

// False when the working folder has been deleted (no links left) or cannot be
// searched: a relative path would then name nothing, or something else.
bool WorkingFolderUsable();

// True when `path` names a folder (a symbolic link to one counts).
bool FolderExists(const std::string& path);

// True when both paths name existing files with the same device and inode.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace orvanta
