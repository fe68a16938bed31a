#include "process/clsWaitableTimer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace vantorel {

void clsWaitableTimer::Wait(qint32 MilliSeconds) {
    if (MilliSeconds <= 0)
        return;
    if (QCoreApplication::instance() == nullptr) {
        // Without an application there are no events to keep flowing.
        QThread::msleep(static_cast<unsigned long>(MilliSeconds));
        return;
    }
    // The loop can also be left early by a quitting application; keep waiting until the full
    // time has passed so callers can rely on the pause.
    const QDeadlineTimer deadline(MilliSeconds, Qt::PreciseTimer);
    while (!deadline.hasExpired()) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())));
        loop.exec(QEventLoop::AllEvents);
    }
}

} // namespace vantorel
