#include "app/gui/GuiServices.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QSettings>
#include <algorithm>
#include <memory>

#include "app/core/notes/NotesFile.h"
#include "app/core/notes/NotesKeeper.h"
#include "app/core/platform/Folders.h"
#include "app/core/platform/PlatformProcesses.h"
#include "app/gui/BitmapChooser.h"
#include "app/gui/PdfViewer.h"
#include "app/gui/WaitSeconds.h"
#include "base/Leftovers.h"

namespace orvanta {

namespace {

// Room the window manager's frame takes from the title bar (icon and the
// close, maximise and minimise buttons), in pixels.
constexpr int kTitleBarReserve = 160;

// Qt sizes a message box to its text, wrapping a long one, and at least as
// wide as what its layout needs. A short text ("Data non valida") would get
// the title cut ("Atte… ne!"), so the row of buttons asks for the title's
// room: a minimum width on the text itself would stop Qt from wrapping it and
// cut every long line.
void FitTitle(QMessageBox& box) {
  auto* buttons = box.findChild<QDialogButtonBox*>();
  if (buttons == nullptr) return;
  QFont titleFont = box.font();
  titleFont.setBold(true);
  const int title = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) * 5 / 4;
  buttons->setMinimumWidth(std::max(buttons->minimumSizeHint().width(), title + kTitleBarReserve));
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, QMessageBox::Icon icon,
                                            const QString& title, const QString& text,
                                            QMessageBox::StandardButtons buttons) {
  auto box = std::make_unique<QMessageBox>(icon, title, text, buttons, owner);
  // Plain text: a "<" in a path or a note is not markup.
  box->setTextFormat(Qt::PlainText);
  FitTitle(*box);
  return box;
}

QMessageBox::StandardButton ShowMessageBox(QWidget* owner, QMessageBox::Icon icon,
                                           const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons) {
  const std::unique_ptr<QMessageBox> box = MakeMessageBox(owner, icon, title, text, buttons);
  return static_cast<QMessageBox::StandardButton>(box->exec());
}

namespace {

// Qt's file and colour dialogs keep the last folder, the history and the
// custom colours in QtProject.conf in the user's configuration folder. The
// program keeps no settings between runs, so Qt's go into a folder of this
// run, removed when the program ends (or, should that folder fail, into the
// private temporary folder). Without a private folder nothing is set: the
// program does not start then.
void KeepQtSettingsInThisRun(const QString& privateFolder) {
  if (privateFolder.isEmpty()) return;
  static const RunFolder folder(ToUtf8(privateFolder), "qt-settings-");
  const QString path = folder.Path().empty() ? privateFolder : FromUtf8(folder.Path());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
}

}  // namespace

GuiServices DefaultGuiServices() {
  GuiServices services;
  services.appFolder = FromUtf8(AppFolder());
  services.tempFolder = FromUtf8(PrivateTempFolder());
  KeepQtSettingsInThisRun(services.tempFolder);
  services.message = ShowMessageBox;
  services.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
  // Qt's own dialogs, not the desktop's: those speak the desktop's language
  // and keep their own history.
  services.chooseImageFile = ChooseBitmapFile;
  services.chooseImageFiles = ChoosePictureFiles;
  services.chooseColor = [](QWidget* owner, const QColor& start) -> std::optional<QColor> {
    const QColor chosen =
        QColorDialog::getColor(start, owner, QString(), QColorDialog::DontUseNativeDialog);
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
  services.runCalendar = [](const CalendarJob& job) { return RunJob(job); };
  return services;
}

}  // namespace orvanta
