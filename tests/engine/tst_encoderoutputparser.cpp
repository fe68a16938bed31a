#include "engine/EncoderOutputParser.h"

#include <QTest>

using namespace vantorel;

class TestEncoderOutputParser : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void collect_data();
    void collect();
    void timeValue_data();
    void timeValue();
    void percentText_data();
    void percentText();
    void busyStep_data();
    void busyStep();
    void busyRun();
};

void TestEncoderOutputParser::collect_data() {
    QTest::addColumn<QString>("chunk");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("token");
    QTest::addColumn<int>("steps"); // examined positions + characters taken

    const QString d = DurationMarker();
    const QString t = TimeMarker();
    QTest::newRow("probe line") << "  Duration: 00:03:25.41, start: 0.000000, bitrate: 320 kb/s"
                                << d << true << "00:03:25.41," << 59 - 10 + 12;
    QTest::newRow("chunk is the marker") << "Duration: " << d << false << "" << 0;
    QTest::newRow("chunk ends with the marker") << "Input #0 Duration: " << d << false << "" << 9;
    QTest::newRow("one character after") << "Duration: 5" << d << true << "5" << 2;
    QTest::newRow("cut inside the value") << "Duration: 00:03:2" << d << true << "00:03:2" << 14;
    QTest::newRow("token runs to the end")
        << "time=00:00:01.00" << t << true << "00:00:01.00" << 22;
    QTest::newRow("occurrences run together") << "time=00:00:59.00 bitrate=1\rtime=00:01:00.00 x"
                                              << t << true << "00:00:59.0000:01:00.00" << 62;
    QTest::newRow("only a space ends it") << "time=1\r\nx y" << t << true << "1\r\nx" << 10;
    QTest::newRow("empty value") << "time= 00" << t << true << "" << 3;
    QTest::newRow("marker inside a token") << "time=time=5 " << t << true << "time=55" << 14;
    QTest::newRow("case counts") << "duration: 00:00:01.00, " << d << false << "" << 13;
    QTest::newRow("shorter than the marker") << "time" << t << false << "" << 0;
    QTest::newRow("empty chunk") << "" << t << false << "" << 0;
}

void TestEncoderOutputParser::collect() {
    QFETCH(QString, chunk);
    QFETCH(QString, marker);
    QFETCH(bool, found);
    QFETCH(QString, token);
    QFETCH(int, steps);
    int counted = 0;
    const MarkerToken got = CollectToken(chunk, marker, [&counted] { ++counted; });
    QCOMPARE(got.found, found);
    QCOMPARE(got.text, token);
    QCOMPARE(counted, steps);
    const MarkerToken quiet = CollectToken(chunk, marker);
    QCOMPARE(quiet.text, token);
}

void TestEncoderOutputParser::timeValue_data() {
    QTest::addColumn<QString>("token");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("seconds");
    QTest::newRow("205.41 to 205") << "00:03:25.41," << true << 205;
    QTest::newRow("2.50 to even") << "00:00:02.50," << true << 2;
    QTest::newRow("3.50 to even") << "00:00:03.50," << true << 4;
    QTest::newRow("0.50 to even") << "00:00:00.50" << true << 0;
    QTest::newRow("cut inside the seconds") << "00:03:2" << true << 182;
    QTest::newRow("hours count") << "01:00:00.00" << true << 3600;
    QTest::newRow("run-together tokens") << "00:00:59.0000:01:00.00" << true << 59;
    QTest::newRow("line end kept in the token") << "00:00:05.00\r" << true << 5;
    QTest::newRow("largest") << "596523:14:07.00" << true << 2147483647;
    QTest::newRow("past 32 bits") << "596523:14:08" << false << 0;
    QTest::newRow("N/A") << "N/A," << false << 0;
    QTest::newRow("two fields") << "00:01" << false << 0;
    QTest::newRow("cut after a colon") << "00:03:" << false << 0;
    QTest::newRow("letters") << "aa:bb:cc" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
}

void TestEncoderOutputParser::timeValue() {
    QFETCH(QString, token);
    QFETCH(bool, ok);
    QFETCH(int, seconds);
    const auto got = TimeValue(token);
    QCOMPARE(got.has_value(), ok);
    if (ok)
        QCOMPARE(*got, seconds);
}

void TestEncoderOutputParser::percentText_data() {
    QTest::addColumn<double>("percent");
    QTest::addColumn<QString>("label");
    QTest::newRow("45.6") << 45.6 << "45.6%";
    QTest::newRow("a third") << 33.3333333333333 << "33.3%";
    QTest::newRow("whole") << 5.0 << "5%";
    QTest::newRow("ten") << 10.0 << "10%";
    QTest::newRow("below one") << 0.518134715025907 << "0.51%";
    QTest::newRow("not rounded up") << 99.99 << "99.9%";
    QTest::newRow("zero") << 0.0 << "0%";
    QTest::newRow("tiny, never an exponent") << 0.00005 << "0.00%";
    QTest::newRow("tinier") << 1e-10 << "0.00%";
}

void TestEncoderOutputParser::percentText() {
    QFETCH(double, percent);
    QFETCH(QString, label);
    QCOMPARE(PercentText(percent), label);
}

void TestEncoderOutputParser::busyStep_data() {
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("next");
    QTest::newRow("empty bar") << 0.0 << 100.0;
    QTest::newRow("just below the wrap") << 5314.0 << 5414.0;
    QTest::newRow("at the wrap") << 5315.0 << 101.0;
    QTest::newRow("full bar left by a run") << 5415.0 << 101.0;
}

void TestEncoderOutputParser::busyStep() {
    QFETCH(double, width);
    QFETCH(double, next);
    QCOMPARE(BusyStep(width), next);
}

void TestEncoderOutputParser::busyRun() {
    QList<double> expected;
    for (int i = 1; i <= 54; ++i)
        expected << i * 100.0;
    for (int i = 1; i <= 54; ++i)
        expected << 1.0 + i * 100.0;
    expected << 101.0;
    QList<double> got;
    double width = 0.0;
    for (qsizetype i = 0; i < expected.size(); ++i)
        got << (width = BusyStep(width));
    QCOMPARE(got, expected);
}

QTEST_GUILESS_MAIN(TestEncoderOutputParser)
#include "tst_encoderoutputparser.moc"
