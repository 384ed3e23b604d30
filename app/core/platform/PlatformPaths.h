#pragma once
// Small path helpers of the platform layer (no Qt).

#include <string>
#include <string_view>

namespace orvanta {

// The characters after the last "/"; the whole text when there is none.
std::string FileNameOfPath(std::string_view path);

// Full path of `program` found in the colon-separated `searchPath` (PATH), or
// empty when no executable file of that name is there. A name that already
// contains "/" is returned as it is when it names an executable file.
std::string ResolveProgram(const std::string& program, std::string_view searchPath);

// ResolveProgram() over this process's PATH (none set: no folder).
std::string ResolveProgramInPath(const std::string& program);

}  // namespace orvanta
