#pragma once

// A sleep during which the window keeps handling its events.
class clsWaitableTimer {
 public:
  // Returns after `MilliSeconds`; events are processed meanwhile.
  void Wait(int MilliSeconds);
};
