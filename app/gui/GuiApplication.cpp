#include "app/gui/GuiApplication.h"

#include <QSocketNotifier>
#include <utility>
#include <vector>

#include "app/core/platform/PlatformProcesses.h"

namespace orvanta {
namespace {

QtMessageHandler previousHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> heldBack;

void HoldBack(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) {
    // Qt found no screen: its abort would say it in English, with a core.
    ExitAtOnce(kNoDisplayMessage, 2);
  }
  heldBack.emplace_back(type, message);
}

}  // namespace

std::unique_ptr<QApplication> MakeGuiApplication(int& argc, char** argv) {
  previousHandler = qInstallMessageHandler(HoldBack);
  auto app = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previousHandler);
  for (const auto& [type, message] : heldBack) {
    if (previousHandler != nullptr) previousHandler(type, QMessageLogContext(), message);
  }
  heldBack.clear();
  return app;
}

QuitOnSignals::QuitOnSignals() {
  if (signals_.ReadEnd() < 0) return;
  notifier_ = new QSocketNotifier(signals_.ReadEnd(), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &QuitOnSignals::Quit);
}

QuitOnSignals::~QuitOnSignals() = default;

void QuitOnSignals::Quit() {
  const int signal = signals_.Drain();
  QApplication::closeAllWindows();
  // Every event loop ends, a message box's too; quit() would wait for the
  // main one, which may not even run yet.
  QCoreApplication::exit(128 + signal);
}

}  // namespace orvanta
