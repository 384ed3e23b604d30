#pragma once
// The window program's application object, and its way out on a signal.

#include <QApplication>
#include <QObject>
#include <memory>

#include "app/core/platform/QuitSignalPipe.h"

class QSocketNotifier;

namespace orvanta {

// What the program says, on standard error, when there is no screen to show
// the window on.
inline constexpr char kNoDisplayMessage[] =
    "orvanta: nessuno schermo disponibile per la finestra del programma; per scrivere il "
    "calendario dalla riga di comando vedere orvanta --help\n";

// The QApplication; without a screen (no display, or one that cannot be
// reached) Qt would abort: then kNoDisplayMessage and exit code 2 instead.
// What Qt says while it starts is held back until it has started.
std::unique_ptr<QApplication> MakeGuiApplication(int& argc, char** argv);

// SIGINT, SIGTERM and SIGHUP close the windows and end every event loop (the
// program's exit code 128 + the signal's number), as the user closing the
// window would: the clean-up runs, nothing stays behind.
// One instance, while the event loop runs.
class QuitOnSignals : public QObject {
  Q_OBJECT
 public:
  QuitOnSignals();
  ~QuitOnSignals() override;

 private:
  void Quit();

  QuitSignalPipe signals_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace orvanta
