#pragma once
// A folder only this user can use, for what the program writes to the shared
// temporary folder (calendar, viewer probe, guide, pictures): nobody else can
// plant a file there that blocks or replaces ours.

#include <string>

#include "base/FileResult.h"

namespace orvanta {

// Makes `folder` a private folder of ours: created with mode 0700 when
// missing; an existing one must be a real folder (not a link) that belongs to
// us, and is made 0700.
[[nodiscard]] FileResult EnsurePrivateFolder(const std::string& folder);

// The per-user private temporary folder, ending in "/": "orvanta/" inside the
// runtime folder `runtimeDir` ($XDG_RUNTIME_DIR) when that is a private folder
// of ours, else "orvanta-<uid>/" inside `tempFolder` (with its trailing "/").
// When another user holds that name, a "orvanta-<uid>-XXXXXX/" of ours takes
// its place: the one made by an earlier run, else a fresh one. Empty when no
// folder can be made.
[[nodiscard]] std::string MakePrivateTempFolder(const std::string& tempFolder,
                                                const std::string& runtimeDir);

}  // namespace orvanta
