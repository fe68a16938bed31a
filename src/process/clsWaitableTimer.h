#pragma once

#include <QtGlobal>

namespace vantorel {

// Blocks the caller for a given time while the thread's events keep being processed, so the
// window stays responsive (timers tick, clicks and the runner's own handlers run meanwhile).
class clsWaitableTimer {
public:
    // Returns once MilliSeconds have passed; 0 or less returns at once.
    void Wait(qint32 MilliSeconds);
};

} // namespace vantorel
