#include "support/clsWaitableTimer.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>
#include <vector>

void clsWaitableTimer::Wait(int MilliSeconds) { Wait(MilliSeconds, {}); }

void clsWaitableTimer::Wait(int MilliSeconds, std::span<const int> wakeOn) {
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  std::vector<std::unique_ptr<QSocketNotifier>> notifiers;
  for (int fd : wakeOn) {
    auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    // Switched off once it has woken the wait: a descriptor that stays
    // readable must not keep firing while a nested wait runs on top of this one.
    QObject::connect(notifier.get(), &QSocketNotifier::activated, &loop,
                     [&loop, n = notifier.get()] {
                       n->setEnabled(false);
                       loop.quit();
                     });
    notifiers.push_back(std::move(notifier));
  }
  timer.start(MilliSeconds > 0 ? MilliSeconds : 0);
  loop.exec();
}
