#pragma once
// What `orvanta --help` and `orvanta --version` print.

#include <string>

namespace orvanta {

// The help text; its option lines and values come from the tables and
// constants the parser and the window use.
std::string CommandLineUsage();

}  // namespace orvanta
