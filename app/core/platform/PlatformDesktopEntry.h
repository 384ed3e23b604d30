#pragma once
// Reading the desktop's own file associations: desktop entry files
// (".desktop") found in the XDG data folders. No Qt.

#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// The command of the "Exec" key of the [Desktop Entry] group, split into its
// arguments: string escapes and quoting undone, field codes (%f, %U, ...)
// dropped, "%%" turned into "%". Empty when the group or the key is missing.
std::vector<std::string> DesktopExecArguments(std::string_view desktopFileText);

// The program a desktop entry starts: the first argument of its Exec line,
// skipping a leading "env" with its VAR=value settings. Empty when none.
std::string DesktopExecProgram(std::string_view desktopFileText);

// The data folders in lookup order, from the values of XDG_DATA_HOME,
// XDG_DATA_DIRS and HOME (each may be null or empty, the defaults apply).
std::vector<std::string> XdgDataDirs(const char* dataHome, const char* dataDirs, const char* home);

// The same, from the process environment.
std::vector<std::string> XdgDataDirsFromEnvironment();

// Path of the desktop entry file with the given id ("org.example.Viewer.desktop")
// in "<dir>/applications/" of the first data folder that has it; a "-" of the
// id may also stand for a sub-folder ("kde-viewer.desktop" in "kde/viewer.desktop").
// Empty when none is found or the id is not a plain file name.
std::string FindDesktopFile(std::string_view desktopId, const std::vector<std::string>& dataDirs);

}  // namespace orvanta
