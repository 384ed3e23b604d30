#include "app/gui/StartUp.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include "app/gui/GuiServices.h"
#include "app/gui/ScreenshotTour.h"
#include "app/gui/SingleInstance.h"
#include "app/gui/TitleLabel.h"
#include "app/gui/WaitSeconds.h"
#include "app/gui/frmCalendario.h"

namespace orvanta {

int StartUp(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvanta"));
  QApplication::setApplicationVersion(QStringLiteral("3.0.1"));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Orvanta"));
  QApplication::setWindowIcon(AppIcon());

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

  frmCalendario window(std::move(services));
  window.show();
  PumpEvents();
  window.DetectViewer();
  // Closed during the probe's wait: the event loop would have nothing to end it.
  if (!window.isVisible()) return 0;
  const QString screenshots = qEnvironmentVariable("ORVANTA_SCREENSHOTS");
  if (!screenshots.isEmpty()) StartScreenshotTour(&window, screenshots);
  return QApplication::exec();
}

}  // namespace orvanta
