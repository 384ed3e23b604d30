#pragma once
// What the owner set on a file beyond its bytes (group, permissions, POSIX
// ACL, the user's extended attributes), carried over to the file that
// replaces it.

#include <sys/stat.h>

#include <string>

#include "base/FileResult.h"

namespace orvanta {

// The process's umask, read without changing it.
mode_t CurrentUmask();

// Gives the open new file `fd` the group, the extended attributes of the
// "user." namespace and the ACL of the file `oldPath` (described by `old`),
// then its permissions. A group we may not give is left out together with
// the permissions that name it, so the new file never lets in more people
// than the old one did.
[[nodiscard]] FileResult KeepAttributes(const std::string& oldPath, const struct stat& old, int fd);

}  // namespace orvanta
