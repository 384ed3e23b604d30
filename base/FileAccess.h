#pragma once
// What a program that replaces a user's file must know of it first: where
// its symbolic links lead, and whether this user may read and rewrite it.

#include <string>

#include "base/FileResult.h"

namespace orvanta {

// The file `path` stands for, following symbolic links as the user's own
// files may do; a link that belongs to another user (but root) is not
// followed, since in a shared folder anyone may plant one there. A link to
// nothing stays the path, which a replace then refuses.
[[nodiscard]] FileResult ResolveOwnLinks(const std::string& path, std::string& target);

enum class Replaceable {
  Missing,  // nothing by that name
  No,       // not a regular file, unreadable, not writable, or not to be asked
  Yes,      // a regular file this user can read and write
};

// Whether this user may read and rewrite `path`. A file the user made
// read-only gets its write permission back (the owner's wish to edit it is
// why we ask); an unreadable one is left exactly as it is.
Replaceable ReplaceableFile(const std::string& path);

// True when this user may create and rename files in `folder`.
bool FolderWritable(const std::string& folder);

}  // namespace orvanta
