#include "app/gui/WaitSeconds.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <algorithm>

namespace orvanta {

void WaitSeconds(int seconds, bool pump) {
  if (seconds <= 0) return;
  const qint64 limitMs = qint64{seconds} * 1000;
  const qint64 endSecond = QDateTime::currentSecsSinceEpoch() + seconds;
  QElapsedTimer waited;
  waited.start();
  for (;;) {
    const qint64 nowMs = QDateTime::currentMSecsSinceEpoch();
    if (nowMs / 1000 >= endSecond || waited.elapsed() >= limitMs) return;
    const qint64 sliceMs =
        std::max<qint64>(1, std::min(endSecond * 1000 - nowMs, limitMs - waited.elapsed()));
    if (pump) {
      QEventLoop loop;
      QTimer::singleShot(static_cast<int>(sliceMs), Qt::PreciseTimer, &loop, &QEventLoop::quit);
      loop.exec();
    } else {
      QThread::msleep(static_cast<unsigned long>(sliceMs));
    }
  }
}

void PumpEvents() {
  QCoreApplication::processEvents();
}

}  // namespace orvanta
