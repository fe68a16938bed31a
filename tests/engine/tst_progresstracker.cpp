#include "engine/EncoderOutputParser.h"
#include "engine/ProgressTracker.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace vantorel;

class TestProgressTracker : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void display_data();
    void display();
    void probe_data();
    void probe();
    void conversion_data();
    void conversion();
    void resetGivesANewChance();
    void probeLetsTimersRun();
    void probeSurvivesDeletionDuringScan();
};

void TestProgressTracker::display_data() {
    QTest::addColumn<int>("elapsed");
    QTest::addColumn<int>("duration");
    QTest::addColumn<double>("width");
    QTest::addColumn<QString>("label");
    QTest::newRow("one minute of 205") << 60 << 205 << 5415.0 * 60 / 205 << "29.2%";
    QTest::newRow("half") << 300 << 600 << 2707.5 << "50%";
    QTest::newRow("a third") << 1 << 3 << 1805.0 << "33.3%";
    QTest::newRow("below one percent") << 1 << 193 << 5415.0 / 193 << "0.51%";
    QTest::newRow("start") << 0 << 205 << 0.0 << "0%";
    QTest::newRow("before the start") << -2 << 205 << 0.0 << "0%";
    QTest::newRow("at the end") << 205 << 205 << 5415.0 << "100%";
    QTest::newRow("past the end") << 206 << 205 << 5415.0 << "100%";
    QTest::newRow("unknown length") << 60 << 0 << 5415.0 << "100%";
}

void TestProgressTracker::display() {
    QFETCH(int, elapsed);
    QFETCH(int, duration);
    QFETCH(double, width);
    QFETCH(QString, label);
    const ProgressDisplay got = ProgressFor(elapsed, duration);
    QCOMPARE(got.width, width);
    QCOMPARE(got.label, label);
}

void TestProgressTracker::probe_data() {
    QTest::addColumn<QStringList>("chunks");
    QTest::addColumn<int>("duration");
    QTest::newRow("probe line")
        << QStringList{"  Duration: 00:03:25.41, start: 0.000000, bitrate: 320 kb/s\n"} << 205;
    QTest::newRow("2.50 to even") << QStringList{"Duration: 00:00:02.50, "} << 2;
    QTest::newRow("3.50 to even") << QStringList{"Duration: 00:00:03.50, "} << 4;
    QTest::newRow("cut inside the value, and it stays")
        << QStringList{"Duration: 00:03:2", "5.41, start: 0.0", "Duration: 00:03:25.41, "} << 182;
    QTest::newRow("chunk ends with the marker")
        << QStringList{"Input #0, mp3 Duration: ", "00:03:25.41, start"} << 0;
    QTest::newRow("N/A, then a later reading")
        << QStringList{"Duration: N/A, bitrate: N/A\n", "Duration: 00:00:10.00, "} << 10;
    QTest::newRow("first reading wins")
        << QStringList{"Duration: 00:00:10.00, ", "Duration: 00:00:20.00, "} << 10;
    QTest::newRow("negative is no length") << QStringList{"Duration: -01:00:00.00, "} << 0;
    QTest::newRow("progress text is not a length") << QStringList{"time=00:01:00.00 x"} << 0;
}

void TestProgressTracker::probe() {
    QFETCH(QStringList, chunks);
    QFETCH(int, duration);
    ProgressTracker tracker;
    QSignalSpy spy(&tracker, &ProgressTracker::displayChanged);
    for (const QString& chunk : chunks)
        tracker.ProbeChunk(chunk);
    QCOMPARE(tracker.CurrentDuration(), duration);
    QCOMPARE(spy.count(), 0);
}

void TestProgressTracker::conversion_data() {
    QTest::addColumn<QString>("probe");
    QTest::addColumn<bool>("cutter");
    QTest::addColumn<int>("cutterLength");
    QTest::addColumn<QString>("chunk");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<double>("width");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("duration"); // afterwards

    const QString probed = QStringLiteral("Duration: 00:03:25.00, start");
    QTest::newRow("one minute of 205")
        << probed << false << 0 << "time=00:01:00.00 bitrate=" << true << 5415.0 * 60 / 205
        << "29.2%" << 205;
    QTest::newRow("59 s wins over 60 s")
        << probed << false << 0 << "time=00:00:59.00 bitrate=1\rtime=00:01:00.00 bitrate=" << true
        << 5415.0 * 59 / 205 << "28.7%" << 205;
    QTest::newRow("capped at 100%")
        << probed << false << 0 << "time=00:03:26.00 bitrate=" << true << 5415.0 << "100%" << 205;
    QTest::newRow("unreadable time counts as 0")
        << probed << false << 0 << "time=N/A bitrate=" << true << 0.0 << "0%" << 205;
    QTest::newRow("no time= leaves the display")
        << "" << false << 0 << "Duration: 00:03:25.00, start" << false << 0.0 << "" << 205;
    QTest::newRow("cutter 600 without a probe")
        << "" << true << 600 << "time=00:05:00.00 bitrate=" << true << 2707.5 << "50%" << 600;
    QTest::newRow("cutter wins over the chunk's own length")
        << "" << true << 600 << "Duration: 00:03:25.00, time=00:01:00.00 x" << true << 541.5
        << "10%" << 600;
    QTest::newRow("probe wins over the cutter") << probed << true << 600 << "time=00:01:00.00 x"
                                                << true << 5415.0 * 60 / 205 << "29.2%" << 205;
    QTest::newRow("cutter length 0")
        << "" << true << 0 << "time=00:01:00.00 x" << true << 5415.0 << "100%" << 0;
    QTest::newRow("negative cutter length")
        << "" << true << -5 << "time=00:01:00.00 x" << true << 5415.0 << "100%" << 0;
    QTest::newRow("length from the chunk itself")
        << "" << false << 0 << "Duration: 00:03:25.00, time=00:01:00.00 x" << true
        << 5415.0 * 60 / 205 << "29.2%" << 205;
    QTest::newRow("N/A length, full bar")
        << "Duration: N/A, " << false << 0 << "time=00:01:00.00 x" << true << 5415.0 << "100%" << 0;
}

void TestProgressTracker::conversion() {
    QFETCH(QString, probe);
    QFETCH(bool, cutter);
    QFETCH(int, cutterLength);
    QFETCH(QString, chunk);
    QFETCH(bool, shown);
    QFETCH(double, width);
    QFETCH(QString, label);
    QFETCH(int, duration);
    ProgressTracker tracker;
    tracker.ProbeChunk(probe);
    QSignalSpy spy(&tracker, &ProgressTracker::displayChanged);
    const auto got = tracker.ConversionChunk(chunk, cutter, cutterLength);
    QCOMPARE(got.has_value(), shown);
    QCOMPARE(spy.count(), shown ? 1 : 0);
    if (shown) {
        QCOMPARE(got->width, width);
        QCOMPARE(got->label, label);
        QCOMPARE(spy.at(0).at(0).value<ProgressDisplay>(), *got);
    }
    QCOMPARE(tracker.CurrentDuration(), duration);
}

void TestProgressTracker::resetGivesANewChance() {
    ProgressTracker tracker;
    tracker.ProbeChunk(QStringLiteral("Duration: 00:03:25.00, "));
    tracker.ResetDuration();
    QCOMPARE(tracker.CurrentDuration(), 0);
    tracker.ProbeChunk(QStringLiteral("Duration: 00:00:42.00, "));
    QCOMPARE(tracker.CurrentDuration(), 42);
}

void TestProgressTracker::probeLetsTimersRun() {
    ProgressTracker tracker;
    int durationSeenByTimer = -1;
    QTimer::singleShot(0, &tracker, [&] { durationSeenByTimer = tracker.CurrentDuration(); });
    tracker.ProbeChunk(QString(5000, QLatin1Char('x')) +
                       QStringLiteral("Duration: 00:00:10.00, start"));
    // The timer ran in the middle of the scan, before the length was taken.
    QCOMPARE(durationSeenByTimer, 0);
    QCOMPARE(tracker.CurrentDuration(), 10);
}

void TestProgressTracker::probeSurvivesDeletionDuringScan() {
    auto tracker = std::make_unique<ProgressTracker>();
    ProgressTracker* scanning = tracker.get();
    QTimer::singleShot(0, [&tracker] { tracker.reset(); });
    scanning->ProbeChunk(QString(500, QLatin1Char('x')) +
                         QStringLiteral("Duration: 00:00:10.00, "));
    QVERIFY(!tracker);
}

QTEST_GUILESS_MAIN(TestProgressTracker)
#include "tst_progresstracker.moc"
