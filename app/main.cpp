// With options the program runs headless on the command line; without any it
// loads the window module and starts the window. The command line never
// loads the window's libraries.
#include "app/cli/CommandLineRun.h"
#include "app/core/platform/ProgramModules.h"

int main(int argc, char** argv) {
  if (argc > 1) return orvanta::RunCommandLine(argc, argv);
  return orvanta::RunWindowModule(argc, argv);
}
