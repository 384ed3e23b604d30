#pragma once
// Which program opens PDF files: asked of the desktop's own association
// (xdg-mime and the desktop entry it names), as the start-up probe needs it.

#include <QString>
#include <functional>

namespace orvanta {

struct GuiServices;

inline constexpr char kErrorNoAssociation[] = "Errore Nessuna associazione";
inline constexpr char kErrorFileNotFound[] = "Errore File non trovato";
inline constexpr char kErrorPathNotFound[] = "Errore Percorso non trovato";
inline constexpr char kErrorBadFormat[] = "Errore Formato errato";

// The desktop entry id ("org.example.Viewer.desktop") of the default
// application for a MIME type; empty when there is none.
using DefaultApplicationQuery = std::function<QString(const QString& mimeType)>;

// Asks `xdg-mime query default <type>`; empty when the tool is missing,
// fails or answers nothing within a few seconds.
QString QueryDefaultApplication(const QString& mimeType);

// Full path of the program associated with the document's type (its desktop
// entry's Exec program looked up in PATH), or one of the four "Errore ..."
// texts: missing folder, missing file, no association (no type, no default
// application, no desktop entry), or a desktop entry that names no program.
QString FindAssociatedProgram(const QString& documentPath,
                              const DefaultApplicationQuery& query = QueryDefaultApplication);

// Writes the one-page probe "Test.pdf" into the temporary folder, waits a
// second with the window running, and answers the file name of the program
// that opens it; empty when none was found or the probe could not be written.
QString DetectPdfViewer(const GuiServices& services);

}  // namespace orvanta
