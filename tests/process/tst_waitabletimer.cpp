#include "process/clsWaitableTimer.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using namespace vantorel;

class TestWaitableTimer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nothingToWaitReturnsAtOnce_data();
    void nothingToWaitReturnsAtOnce();
    void waitKeepsEventsRunning();
};

void TestWaitableTimer::nothingToWaitReturnsAtOnce_data() {
    QTest::addColumn<qint32>("milliSeconds");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -500;
}

void TestWaitableTimer::nothingToWaitReturnsAtOnce() {
    QFETCH(qint32, milliSeconds);
    QElapsedTimer clock;
    clock.start();
    clsWaitableTimer().Wait(milliSeconds);
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
}

void TestWaitableTimer::waitKeepsEventsRunning() {
    bool posted = false;
    int ticks = 0;
    QMetaObject::invokeMethod(
        this, [&posted] { posted = true; }, Qt::QueuedConnection);
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
    ticker.start(5);
    QElapsedTimer clock;
    clock.start();
    clsWaitableTimer timer;
    timer.Wait(50);
    const qint64 took = clock.elapsed();
    QVERIFY(posted);
    QVERIFY(ticks >= 1);
    QVERIFY2(took >= 49, qPrintable(QString::number(took)));
    QVERIFY2(took < 5000, qPrintable(QString::number(took)));
}

QTEST_GUILESS_MAIN(TestWaitableTimer)
#include "tst_waitabletimer.moc"
