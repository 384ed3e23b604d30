#pragma once
// The parts of the program that need large libraries live in modules of their
// own, loaded only when they are used: the window (Qt, and X11, OpenGL,
// fontconfig and D-Bus through it) and the import of notes (libical, and ICU
// through it). A calendar from the command line maps none of them.

#include <string>

namespace orvanta {

// The window: int orvanta_window_main(int argc, char** argv).
inline constexpr char kWindowModule[] = "orvanta-window.so";
inline constexpr char kWindowEntry[] = "orvanta_window_main";
// The import of notes: void orvanta_import_notes(const NotesImportRequest*,
// const ReportPublisher*, NotesImportOutcome*).
inline constexpr char kImportModule[] = "orvanta-import.so";
inline constexpr char kImportEntry[] = "orvanta_import_notes";

// The exit code when the window module cannot be loaded.
inline constexpr int kWindowModuleMissing = 2;

// The function `entry` of the module `name`, loaded from beside the running
// program (the build tree, a copy of the program with its modules), else from
// where the install puts the modules, by the same path from the program's
// folder; never from a path the environment or the working folder could
// choose. Null when it cannot be loaded, with `why` saying why.
[[nodiscard]] void* ProgramModuleEntry(const char* name, const char* entry, std::string& why);

// Loads the window module and runs its entry with `argc` and `argv`,
// answering its exit code. When the module cannot be loaded it says so on
// standard error and answers kWindowModuleMissing.
[[nodiscard]] int RunWindowModule(int argc, char** argv);

}  // namespace orvanta
