#pragma once
// An exclusive lock for changing a file that is replaced whole: a lock on the
// file itself would stay with the old copy when the new one takes its name,
// so it is taken on the folder that holds it, which the replace leaves in
// place. It goes with its holder however that ends.

#include <chrono>
#include <string>

#include "base/FileDescriptor.h"
#include "base/FileResult.h"

namespace orvanta {

// Locks `folder` exclusively, waiting up to `patience` for another holder;
// `held` keeps the lock until it is closed. Busy when the wait was in vain.
// On a file system without locks the change goes ahead unlocked.
[[nodiscard]] FileResult LockFolder(const std::string& folder, std::chrono::milliseconds patience,
                                    FileDescriptor& held);

}  // namespace orvanta
