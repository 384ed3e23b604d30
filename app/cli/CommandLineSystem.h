#pragma once
// What the command line asks of the machine before it writes anything: the
// real callbacks behind CommandLineContext.

#include <string>

#include "app/cli/CommandLine.h"

namespace orvanta {

// False when the working folder has been deleted (no links left) or cannot be
// searched: a relative path would then name nothing, or something else.
bool WorkingFolderUsable();

// True when `path` names a folder (a symbolic link to one counts).
bool FolderExists(const std::string& path);

// True when both paths name existing files with the same device and inode.
bool SameFile(const std::string& a, const std::string& b);

// The context for this process: application folder, the private temporary
// folder the run uses (PrivateTempFolder(), asked once per run), working
// folder and the callbacks above; the checks of the notes and shift files
// remember what they read.
// Without `makeFolders` (a first look at the arguments) nothing is created:
// the folders are only named.
CommandLineContext SystemCommandLineContext(const std::string& privateFolder,
                                            bool makeFolders = true);

}  // namespace orvanta
