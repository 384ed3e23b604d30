#pragma once
// Whether a user's header or footer bitmap is one the calendar can print,
// asked before a run starts.

#include <string>

namespace orvanta {

// True when the writer's bitmap reader takes the file (judged from its
// headers and size; the run reads the pixels); false for any failure.
bool BitmapUsable(const std::string& path);

}  // namespace orvanta
