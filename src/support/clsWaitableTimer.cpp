#include "support/clsWaitableTimer.h"

#include <QEventLoop>
#include <QTimer>

void clsWaitableTimer::Wait(int MilliSeconds) {
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  timer.start(MilliSeconds > 0 ? MilliSeconds : 0);
  loop.exec();
}
