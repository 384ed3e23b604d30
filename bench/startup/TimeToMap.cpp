// time-to-map COMMAND [ARG ...]: starts the command and prints, in
// milliseconds, how long it took until its first top-level window was mapped
// on the X display; then ends it with SIGTERM and waits for it. Exit status 1
// when no window was mapped within 20 seconds or the command ended first.
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(20);

// Waits for a MapNotify of a window without override-redirect (menus and
// tooltips have it) among the root's children.
bool WaitForMap(Display* display, pid_t child, Clock::time_point start) {
  pollfd watched{ConnectionNumber(display), POLLIN, 0};
  while (Clock::now() - start < kPatience) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && !event.xmap.override_redirect) return true;
    }
    if (waitpid(child, nullptr, WNOHANG) == child) return false;
    poll(&watched, 1, 10);
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: time-to-map COMMAND [ARG ...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "time-to-map: no X display\n");
    return 2;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  const bool mapped = WaitForMap(display, child, start);
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  if (!mapped) {
    std::fprintf(stderr, "time-to-map: %s mapped no window\n", argv[1]);
    return 1;
  }
  std::printf("%.2f\n", ms);
  return 0;
}
