#include "support/clsWaitableTimer.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

TEST(clsWaitableTimer, WaitsTheTimeWhileEventsKeepRunning) {
  bool ran = false;
  QTimer::singleShot(10, [&ran] { ran = true; });
  QElapsedTimer clock;
  clock.start();
  clsWaitableTimer().Wait(50);
  EXPECT_GE(clock.elapsed(), 49);
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_TRUE(ran);
}
