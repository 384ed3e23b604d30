#include "tools/screenshot-tour/ScreenshotTour.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <functional>
#include <memory>
#include <vector>

#include "app/gui/BusyPanel.h"
#include "app/gui/frmAbout.h"
#include "app/gui/frmCalendario.h"
#include "app/gui/frmInputBox.h"
#include "app/gui/frmNote.h"

namespace orvanta {

namespace {

void SaveScreen(const QString& folder, const QString& name, QWidget* window) {
  QApplication::processEvents();
  QScreen* screen = QGuiApplication::primaryScreen();
  screen->grabWindow(0).save(QDir(folder).filePath(name + QStringLiteral(".png")));
  window->grab().save(QDir(folder).filePath(name + QStringLiteral("-window.png")));
}

void CentreOnScreen(QWidget* window) {
  window->adjustSize();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  window->move(screen.center() - window->rect().center());
}

using Steps = std::vector<std::function<void()>>;

// The main window, then the busy panel over it.
void AddMainWindowSteps(Steps& steps, frmCalendario* main, const QString& folder) {
  steps.push_back([main, folder] {
    CentreOnScreen(main);
    SaveScreen(folder, QStringLiteral("1-main"), main);
  });
  steps.push_back([main] {
    main->BusyPicture()->adjustSize();
    main->BusyPicture()->move((main->width() - main->BusyPicture()->width()) / 2,
                              (main->height() - main->BusyPicture()->height()) / 2);
    main->BusyPicture()->show();
    main->BusyPicture()->raise();
  });
  steps.push_back([main, folder] {
    SaveScreen(folder, QStringLiteral("2-busy"), main);
    main->BusyPicture()->hide();
  });
}

// The notes editor (alone, as the main window hides for it), the input
// window and the information window.
void AddDialogSteps(Steps& steps, frmCalendario* main, const QString& folder) {
  auto dialog = std::make_shared<std::unique_ptr<QDialog>>();
  GuiServices& services = main->Services();
  auto showDialog = [dialog](QDialog* window) {
    dialog->reset(window);
    CentreOnScreen(window);
    window->show();
  };
  auto takeDialog = [dialog, folder](const QString& name) {
    SaveScreen(folder, name, dialog->get());
    dialog->reset();
  };
  steps.push_back([&services, main, showDialog] {
    main->hide();
    showDialog(new frmNote(services, main));
  });
  steps.push_back([takeDialog, main] {
    takeDialog(QStringLiteral("3-notes"));
    main->show();
  });
  steps.push_back([&services, main, showDialog] {
    auto* input = new frmInputBox(services, main);
    input->Prepare(0, true);
    showDialog(input);
  });
  steps.push_back([takeDialog] { takeDialog(QStringLiteral("4-input")); });
  steps.push_back([&services, main, showDialog] { showDialog(new frmAbout(services, main)); });
  steps.push_back(
      [dialog, folder] { SaveScreen(folder, QStringLiteral("5-about"), dialog->get()); });
  // The tool tips of a text link and of the picture link: both plain tool tips.
  for (const char* link : {"lblMySite", "imgsito"}) {
    steps.push_back([dialog, link] {
      auto* label = dialog->get()->findChild<QWidget*>(QString::fromLatin1(link));
      QToolTip::showText(label->mapToGlobal(label->rect().center()), label->toolTip(), label);
    });
    steps.push_back([dialog, folder, link] {
      SaveScreen(folder, QStringLiteral("6-tip-") + QString::fromLatin1(link), dialog->get());
      QToolTip::hideText();
    });
  }
  steps.push_back([dialog] { dialog->reset(); });
}

}  // namespace

void StartScreenshotTour(frmCalendario* main, const QString& folder) {
  QDir().mkpath(folder);
  auto steps = std::make_shared<Steps>();
  AddMainWindowSteps(*steps, main, folder);
  AddDialogSteps(*steps, main, folder);
  steps->push_back([] { QApplication::quit(); });

  // One step every 400 ms, so every window is painted before it is taken.
  auto timer = new QTimer(main);
  auto next = std::make_shared<size_t>(0);
  QObject::connect(timer, &QTimer::timeout, main, [steps, next, timer] {
    if (*next >= steps->size()) {
      timer->stop();
      return;
    }
    (*steps)[(*next)++]();
  });
  timer->start(400);
}

}  // namespace orvanta
