#pragma once

namespace orvanta {

// The program with no command-line options: refuses a second instance of the
// same user and a screen below 1024 x 760, then opens the main window and
// runs until it closes. Answers the process exit code.
int StartUp(int argc, char** argv);

}  // namespace orvanta
