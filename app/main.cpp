// With options the program runs headless on the command line; without any it
// starts the window.
#include "app/cli/CommandLineRun.h"
#include "app/gui/StartUp.h"

int main(int argc, char** argv) {
  if (argc > 1) return orvanta::RunCommandLine(argc, argv);
  return orvanta::StartUp(argc, argv);
}
