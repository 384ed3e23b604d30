// The program's window with a tour of its windows instead of a user: see
// scripts/screenshots.
#include <cstdio>

#include "app/gui/StartUp.h"
#include "tools/screenshot-tour/ScreenshotTour.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: orvanta-screenshot-tour FOLDER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  return orvanta::StartUp(argc, argv, [folder](orvanta::frmCalendario& window) {
    orvanta::StartScreenshotTour(&window, folder);
  });
}
