// The window module's one exported function: the program started without
// options loads this module and hands over its arguments.
#include "app/gui/StartUp.h"

extern "C" __attribute__((visibility("default"))) int orvanta_window_main(int argc, char** argv) {
  return orvanta::StartUp(argc, argv);
}
