#include "app/gui/WaitSeconds.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace orvanta {

void WaitSeconds(int seconds, bool pump) {
  if (seconds <= 0) return;
  if (!pump) {
    QThread::sleep(static_cast<unsigned long>(seconds));
    return;
  }
  QEventLoop loop;
  QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
  loop.exec();
}

void PumpEvents() {
  QCoreApplication::processEvents();
}

}  // namespace orvanta
