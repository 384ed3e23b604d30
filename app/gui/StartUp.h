#pragma once

#include <QString>
#include <functional>

class QCoreApplication;

namespace orvanta {

class frmCalendario;

// Qt's own texts (the titles, labels and buttons of its colour and file
// dialogs and of the message boxes' standard buttons) in Italian whatever the
// system's language, and Italian as the default locale (the dates in the file
// list follow the system's locale all the same). Loads Qt's Italian
// translations from Qt's translations folder (Debian's qt6-translations-l10n);
// answers false when they are missing. Call once the application object
// exists, before any window.
bool UseItalianForQt(QCoreApplication& app);

// The program with no command-line options: refuses a second instance of the
// same user and a screen below 1024 x 760, then opens the main window and
// runs until it closes. Answers the process exit code. `onShown`, when set,
// runs once the window is on screen and has probed the viewer (the screenshot
// tool starts its tour there).
// The private temporary folder cannot be made: the program ends.
QString NoPrivateFolderMessage();
// There is no folder for the notes and the shift file: the program goes on
// without them.
QString NoDataFolderMessage();

// Without a screen the program says so in Italian (kNoDisplayMessage) and
// answers 2.
[[nodiscard]] int StartUp(int argc, char** argv,
                          const std::function<void(frmCalendario& window)>& onShown = {});

}  // namespace orvanta
