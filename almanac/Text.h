#pragma once
// The text helpers now live in base/Text.h; this name stays only for the
// notes and import files still including it, until they name base/Text.h.

#include "base/Text.h"  // IWYU pragma: export
