#include "app/gui/GuiApplication.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>
#include <utility>
#include <vector>

namespace orvanta {
namespace {

QtMessageHandler previousHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> heldBack;
int signalPipe = -1;

void HoldBack(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) {
    // Qt found no screen: its abort would say it in English, with a core.
    const ssize_t ignored = ::write(STDERR_FILENO, kNoDisplayMessage, sizeof kNoDisplayMessage - 1);
    static_cast<void>(ignored);
    ::_exit(2);
  }
  heldBack.emplace_back(type, message);
}

extern "C" void NoteQuitSignal(int signal) {
  const char byte = static_cast<char>(signal);
  const ssize_t ignored = ::write(signalPipe, &byte, 1);
  static_cast<void>(ignored);
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
  if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
  signalPipe = pipe_[1];
  notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &QuitOnSignals::Quit);
  struct sigaction action {};
  action.sa_handler = NoteQuitSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

QuitOnSignals::~QuitOnSignals() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
  signalPipe = -1;
  for (const int fd : pipe_) {
    if (fd >= 0) ::close(fd);
  }
}

void QuitOnSignals::Quit() {
  char signal = 0;
  while (::read(pipe_[0], &signal, 1) > 0) {
  }
  QApplication::closeAllWindows();
  // Every event loop ends, a message box's too; quit() would wait for the
  // main one, which may not even run yet.
  QCoreApplication::exit(128 + signal);
}

}  // namespace orvanta
