#pragma once

class QWidget;

namespace orvanta {

struct GuiServices;

// Writes the user guide "Turno_Guida.htm" into the temporary folder and opens
// it with the desktop's HTML viewer; tells the user when that is not possible.
void ShowShiftGuide(QWidget* owner, const GuiServices& services);

}  // namespace orvanta
