#pragma once
// What the windows need from outside themselves: the two folders, the message
// boxes, the file and colour choosers, the shell, the clock and the composer.
// The program uses DefaultGuiServices(); tests replace single members so that
// no real dialog pops up, no viewer starts and nothing outside a temporary
// folder is touched.

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/core/run/FileNames.h"
#include "app/core/run/JobRun.h"

class QWidget;

namespace orvanta {

struct GuiServices {
  QString appFolder;  // the program's folder, with its trailing "/"; empty: none
  // The program's private temporary folder (calendar, probe, guide, the
  // pictures of a run), with its trailing "/".
  QString tempFolder;

  // A modal message box; answers the button pressed.
  std::function<QMessageBox::StandardButton(QWidget* owner, QMessageBox::Icon icon,
                                            const QString& title, const QString& text,
                                            QMessageBox::StandardButtons buttons)>
      message;
  // Opens a document or a link with the desktop's default program, without waiting.
  std::function<void(const QUrl& url)> openUrl;
  // The open-file dialog for a header or footer bitmap; empty when cancelled.
  std::function<QString(QWidget* owner)> chooseImageFile;
  // The same dialog taking several files (the header's twelve months); empty
  // when cancelled. When not set, chooseImageFile serves.
  std::function<QStringList(QWidget* owner)> chooseImageFiles;
  // The colour dialog; nothing when cancelled.
  std::function<std::optional<QColor>(QWidget* owner, const QColor& start)> chooseColor;
  std::function<void()> beep;
  // Waits while window events go on (pump) or without them.
  std::function<void(int seconds, bool pump)> waitSeconds;
  // The program the desktop opens a document with, or an "Errore ..." text.
  std::function<QString(const QString& documentPath)> findAssociatedProgram;
  // Ends the viewer processes that show `document`; answers how many.
  std::function<int(const QString& viewerName, const QString& document)> terminateViewer;
  // Whether the notes file cannot be changed (a test running as root cannot
  // make a file unwritable, so this is replaceable).
  std::function<bool(const std::string& notesPath)> isNotesFileReadOnly;
  std::function<JobResult(const CalendarJob& job)> runCalendar;

  // Empty without an application folder (no file in the working folder).
  QString NotesFile() const { return InAppFolder(kNotesFileName); }
  QString ShiftFile() const { return InAppFolder(kShiftFileName); }
  QString InAppFolder(const char* name) const {
    return appFolder.isEmpty() ? QString() : appFolder + QString::fromLatin1(name);
  }
  QString CalendarFile() const { return tempFolder + QString::fromLatin1(kCalendarFileName); }

  // Shorthand for a message box with the OK button only.
  void Tell(QWidget* owner, QMessageBox::Icon icon, const QString& title,
            const QString& text) const {
    message(owner, icon, title, text, QMessageBox::Ok);
  }
};

// The real services: folders of the executable and of the system, Qt dialogs,
// QDesktopServices, the composer.
GuiServices DefaultGuiServices();

// The program's own message box, not yet shown: as wide as its title needs,
// its text whole (wrapped when long).
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, QMessageBox::Icon icon,
                                            const QString& title, const QString& text,
                                            QMessageBox::StandardButtons buttons);

// MakeMessageBox shown modally (used by DefaultGuiServices).
QMessageBox::StandardButton ShowMessageBox(QWidget* owner, QMessageBox::Icon icon,
                                           const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons);

// UTF-8 texts of the core to and from Qt.
inline QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}
inline std::string ToUtf8(const QString& text) {
  return text.toStdString();
}

}  // namespace orvanta
