#pragma once
// SIGINT, SIGTERM and SIGHUP as bytes in a pipe, for an event loop that
// watches file descriptors: a signal handler can only leave a note, and the
// loop reads it when it is ready. One instance at a time.

namespace orvanta {

class QuitSignalPipe {
 public:
  QuitSignalPipe();   // opens the pipe and installs the handlers
  ~QuitSignalPipe();  // the default handlers back, the pipe closed
  QuitSignalPipe(const QuitSignalPipe&) = delete;
  QuitSignalPipe& operator=(const QuitSignalPipe&) = delete;

  // The end to watch for reading; -1 when no pipe could be made (then no
  // handler was installed either).
  int ReadEnd() const { return pipe_[0]; }

  // Empties the pipe: the number of the last signal in it, or 0.
  int Drain();

 private:
  int pipe_[2] = {-1, -1};
};

}  // namespace orvanta
