#include "app/core/platform/QuitSignalPipe.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace orvanta {
namespace {

constexpr int kQuitSignals[] = {SIGINT, SIGTERM, SIGHUP};

int signalPipe = -1;

extern "C" void NoteQuitSignal(int signal) {
  const char byte = static_cast<char>(signal);
  const ssize_t ignored = ::write(signalPipe, &byte, 1);
  static_cast<void>(ignored);
}

}  // namespace

QuitSignalPipe::QuitSignalPipe() {
  if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
  signalPipe = pipe_[1];
  struct sigaction action {};
  action.sa_handler = NoteQuitSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : kQuitSignals) ::sigaction(signal, &action, nullptr);
}

QuitSignalPipe::~QuitSignalPipe() {
  for (const int signal : kQuitSignals) std::signal(signal, SIG_DFL);
  signalPipe = -1;
  for (const int fd : pipe_) {
    if (fd >= 0) ::close(fd);
  }
}

int QuitSignalPipe::Drain() {
  char signal = 0;
  while (::read(pipe_[0], &signal, 1) > 0) {
  }
  return signal;
}

}  // namespace orvanta
