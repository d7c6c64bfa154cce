#pragma once
#include <span>

// A sleep during which the window keeps handling its events.
class clsWaitableTimer {
 public:
  // Returns after `MilliSeconds`; events are processed meanwhile.
  void Wait(int MilliSeconds);

  // The same sleep, left as soon as one of `wakeOn` (file descriptors) can be read.
  void Wait(int MilliSeconds, std::span<const int> wakeOn);
};
