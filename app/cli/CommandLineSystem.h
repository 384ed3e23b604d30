#pragma once
// What the command line asks of the machine before it writes anything: the
// real callbacks behind CommandLineContext.

#include <string>

#include "app/cli/CommandLine.h"
#include "app/core/platform/PlatformFiles.h"

namespace orvanta {

// The context for this process: application folder, the private temporary
// folder the run uses (PrivateTempFolder(), asked once per run), working
// folder and the file tests of PlatformFiles.h; the checks of the notes and shift files
// remember what they read.
// Without `makeFolders` (a first look at the arguments) nothing is created:
// the folders are only named.
CommandLineContext SystemCommandLineContext(const std::string& privateFolder,
                                            bool makeFolders = true);

}  // namespace orvanta
