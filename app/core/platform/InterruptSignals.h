#pragma once
// SIGINT and SIGTERM during a command-line run: instead of ending the process
// on the spot (and leaving its temporary files behind), they are noted; the
// run stops before its next page, removes what it made, and the program ends
// with the status a shell expects (128 + the signal's number).

namespace orvanta {

class InterruptSignals {
 public:
  InterruptSignals();   // installs the handlers
  ~InterruptSignals();  // puts the previous ones back
  InterruptSignals(const InterruptSignals&) = delete;
  InterruptSignals& operator=(const InterruptSignals&) = delete;

  // The signal received since the handlers were installed, or 0.
  static int Received();
};

}  // namespace orvanta
