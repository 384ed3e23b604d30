#pragma once

#include <QString>

namespace orvanta {

class frmCalendario;

// For scripts/screenshots (through orvanta-screenshot-tour): shows every window of the program in
// turn, saves a picture of the whole screen for each into `folder`, then quits.
void StartScreenshotTour(frmCalendario* main, const QString& folder);

}  // namespace orvanta
