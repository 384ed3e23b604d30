#include "app/core/platform/InterruptSignals.h"

#include <csignal>

namespace orvanta {
namespace {

// A signal handler can only leave a note for the program to find.
volatile std::sig_atomic_t receivedSignal = 0;

struct sigaction previousInt {};
struct sigaction previousTerm {};

extern "C" void NoteSignal(int signal) {
  receivedSignal = signal;
}

}  // namespace

InterruptSignals::InterruptSignals() {
  receivedSignal = 0;
  struct sigaction action {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, &previousInt);
  ::sigaction(SIGTERM, &action, &previousTerm);
}

InterruptSignals::~InterruptSignals() {
  ::sigaction(SIGINT, &previousInt, nullptr);
  ::sigaction(SIGTERM, &previousTerm, nullptr);
}

int InterruptSignals::Received() {
  return receivedSignal;
}

}  // namespace orvanta
