#pragma once
// The two folders the program works in, and the file test that the windows
// and the composer use before reading an optional file.

#include <string>

namespace orvanta {

// Folder of the running executable (from /proc/self/exe), ending in exactly
// one "/". Empty when the executable's path cannot be found.
std::string AppFolder();

// The user's temporary folder ending in exactly one "/": $TMPDIR when it is
// an absolute path naming a folder, otherwise "/tmp/".
std::string TempFolder();

// True when `path` names an existing regular file (a symbolic link to one
// counts); false for folders, other file kinds, missing paths and any error.
bool FileExists(const std::string& path);

// `folder` with exactly one trailing "/" ("" stays "").
std::string WithTrailingSlash(std::string folder);

}  // namespace orvanta
