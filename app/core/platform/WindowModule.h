#pragma once
// The window lives in a module of its own, loaded only when the program opens
// the window: a run from the command line never maps Qt's window libraries
// (nor X11, OpenGL, fontconfig or D-Bus, which they pull in).

#include <initializer_list>

namespace orvanta {

// The module's file name, and the function it exports:
// extern "C" int orvanta_window_main(int argc, char** argv).
inline constexpr char kWindowModuleName[] = "orvanta-window.so";
inline constexpr char kWindowEntryName[] = "orvanta_window_main";

// The exit code when the module cannot be loaded.
inline constexpr int kWindowModuleMissing = 2;

// Loads the window module from the first of `relativePaths` (each taken from
// the running program's own folder, never from a path the environment or
// the working folder could choose) that loads, and runs its entry with
// `argc` and `argv`, answering its exit code. When none loads it says so on
// standard error and answers kWindowModuleMissing.
[[nodiscard]] int RunWindowModule(std::initializer_list<const char*> relativePaths, int argc,
                                  char** argv);

}  // namespace orvanta
