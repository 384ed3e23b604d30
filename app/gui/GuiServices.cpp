#include "app/gui/GuiServices.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>

#include "app/core/Folders.h"
#include "app/core/NotesFile.h"
#include "app/core/PlatformProcesses.h"
#include "app/gui/PdfViewer.h"
#include "app/gui/WaitSeconds.h"

namespace orvanta {

QMessageBox::StandardButton ShowMessageBox(QWidget* owner, QMessageBox::Icon icon,
                                           const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, title, text, buttons, owner);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

GuiServices DefaultGuiServices() {
  GuiServices services;
  services.appFolder = FromUtf8(AppFolder());
  services.tempFolder = FromUtf8(PrivateTempFolder());
  services.message = ShowMessageBox;
  services.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
  services.chooseImageFile = [](QWidget* owner) {
    return QFileDialog::getOpenFileName(owner, QStringLiteral("Scegli l'immagine da utilizzare"),
                                        QString(), QStringLiteral("Bitmap (*.bmp)"));
  };
  services.chooseColor = [](QWidget* owner, const QColor& start) -> std::optional<QColor> {
    const QColor chosen = QColorDialog::getColor(start, owner);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
  };
  services.beep = [] { QApplication::beep(); };
  services.waitSeconds = WaitSeconds;
  services.findAssociatedProgram = [](const QString& path) { return FindAssociatedProgram(path); };
  services.terminateViewer = [](const QString& viewer, const QString& document) {
    return TerminateProcessByName(ToUtf8(viewer), ToUtf8(document));
  };
  services.isNotesFileReadOnly = [](const std::string& path) { return IsNotesFileReadOnly(path); };
  services.runCalendar = RunCalendar;
  return services;
}

}  // namespace orvanta
