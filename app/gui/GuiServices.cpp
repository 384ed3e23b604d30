#include "app/gui/GuiServices.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QLabel>
#include <QSettings>
#include <algorithm>

#include "app/core/Folders.h"
#include "app/core/NotesFile.h"
#include "app/core/PlatformProcesses.h"
#include "app/gui/BitmapChooser.h"
#include "app/gui/PdfViewer.h"
#include "app/gui/WaitSeconds.h"
#include "base/Leftovers.h"

namespace orvanta {

namespace {

// Room the window manager's frame takes from the title bar (icon and the
// close, maximise and minimise buttons), in pixels.
constexpr int kTitleBarReserve = 160;

// A box narrower than its title gets the title cut ("Atte… ne!"): a short
// text ("Data non valida") still gives a box as wide as its title needs.
void FitTitle(QMessageBox& box) {
  auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  if (!label) return;
  QFont titleFont = box.font();
  titleFont.setBold(true);
  const int title = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) * 5 / 4;
  label->setMinimumWidth(std::max(label->minimumWidth(), title + kTitleBarReserve));
}

}  // namespace

QMessageBox::StandardButton ShowMessageBox(QWidget* owner, QMessageBox::Icon icon,
                                           const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, title, text, buttons, owner);
  FitTitle(box);
  return static_cast<QMessageBox::StandardButton>(box.exec());
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
  services.runCalendar = [](const CalendarJob& job) { return RunCalendar(job); };
  return services;
}

}  // namespace orvanta
