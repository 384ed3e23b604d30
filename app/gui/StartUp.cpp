#include "app/gui/StartUp.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>
#include <memory>

#include "app/core/platform/Folders.h"
#include "app/gui/GuiApplication.h"
#include "app/gui/GuiServices.h"
#include "app/gui/SingleInstance.h"
#include "app/gui/TitleLabel.h"
#include "app/gui/WaitSeconds.h"
#include "app/gui/frmCalendario.h"
#include "base/Version.h"

namespace orvanta {

namespace {

// Debian's Italian catalogue of Qt 6.4 still files the kinds in the file
// chooser's list ("Folder", "Drive", ...) under QFileDialog, where Qt 5 asked
// for them; Qt 6 asks under QAbstractFileIconProvider.
class QtItalianTranslator : public QTranslator {
 public:
  using QTranslator::QTranslator;
  QString translate(const char* context, const char* source, const char* disambiguation,
                    int n) const override {
    QString text = QTranslator::translate(context, source, disambiguation, n);
    if (!text.isEmpty() || qstrcmp(context, "QAbstractFileIconProvider") != 0) return text;
    return QTranslator::translate("QFileDialog", source, nullptr, n);
  }
};

}  // namespace

bool UseItalianForQt(QCoreApplication& app) {
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  auto* translator = new QtItalianTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_it"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

int StartUp(int argc, char** argv, const std::function<void(frmCalendario& window)>& onShown) {
  const std::unique_ptr<QApplication> app = MakeGuiApplication(argc, argv);
  UseItalianForQt(*app);
  QApplication::setApplicationName(QStringLiteral("Orvanta"));
  QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Orvanta"));
  QApplication::setWindowIcon(AppIcon());
  const QuitOnSignals quitOnSignals;

  GuiServices services = DefaultGuiServices();
  // Not in the temporary folder: a start with another TMPDIR would not see it,
  // and anyone can create files in /tmp.
  SingleInstanceLock lock = UserInstanceLock();
  if (!lock.Acquire()) {
    services.Tell(nullptr, QMessageBox::Information, QStringLiteral("Orvanta"),
                  AlreadyRunningMessage());
    return 0;
  }
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr || !ScreenLargeEnough(screen->size())) {
    services.Tell(nullptr, QMessageBox::Critical, QStringLiteral("Orvanta"),
                  ScreenTooSmallMessage());
    return 1;
  }
  // Without it the probe, the calendar and the pictures would have nowhere
  // safe to go.
  if (services.tempFolder.isEmpty()) {
    services.Tell(nullptr, QMessageBox::Critical, QStringLiteral("Orvanta"),
                  NoPrivateFolderMessage());
    return 1;
  }
  if (services.appFolder.isEmpty()) {
    services.Tell(nullptr, QMessageBox::Warning, QStringLiteral("Orvanta"), NoDataFolderMessage());
  } else if (const std::string adopted = AdoptNotesBesideProgram(ToUtf8(services.appFolder));
             !adopted.empty()) {
    services.Tell(nullptr, QMessageBox::Information, QStringLiteral("Orvanta"), FromUtf8(adopted));
  }

  frmCalendario window(std::move(services));
  window.show();
  PumpEvents();
  window.DetectViewer();
  // Closed during the probe's wait: the event loop would have nothing to end it.
  if (!window.isVisible()) return 0;
  if (onShown) onShown(window);
  return QApplication::exec();
}

QString NoPrivateFolderMessage() {
  return QStringLiteral(
      "Impossibile creare una cartella temporanea privata (TMPDIR e XDG_RUNTIME_DIR non sono "
      "utilizzabili).\nIl programma non può scrivere il calendario e viene chiuso.");
}

QString NoDataFolderMessage() {
  return QStringLiteral(
      "Nessuna cartella dati utilizzabile per le note personali e il turno (la cartella home "
      "manca o non è scrivibile).\nLe note personali e il turno non sono disponibili.");
}

}  // namespace orvanta
