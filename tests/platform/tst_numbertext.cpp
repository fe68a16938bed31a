#include "platform/NumberText.h"

#include <QTest>

using namespace vantorel;

class TestNumberText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void strict_data();
    void strict();
    void leading_data();
    void leading();
    void rounding_data();
    void rounding();
};

void TestNumberText::strict_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << "7" << true << 7.0;
    QTest::newRow("negative") << "-1" << true << -1.0;
    QTest::newRow("blanks around") << "  12 " << true << 12.0;
    QTest::newRow("fraction") << "2.5" << true << 2.5;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("exponent") << "1e3" << true << 1000.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("trailing letters") << "12a" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("sign only") << "-" << false << 0.0;
    QTest::newRow("inner blank") << "1 2" << false << 0.0;
    QTest::newRow("too large to hold")
        << "1e400" << true << std::numeric_limits<double>::infinity();
    QTest::newRow("too small to hold") << "1e-400" << true << 0.0;
    QTest::newRow("too small to hold, many digits") << "10e-1102" << true << 0.0;
    QTest::newRow("too small to hold, long fraction")
        << "0." + QString(400, QLatin1Char('0')) + "1" << true << 0.0;
    QTest::newRow("too large to hold, with a point")
        << "1" + QString(400, QLatin1Char('0')) + ".5" << true
        << std::numeric_limits<double>::infinity();
    QTest::newRow("too small to hold, negative") << "-1e-400" << true << -0.0;
}

void TestNumberText::strict() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const auto got = StrictNumber(text);
    QCOMPARE(got.has_value(), ok);
    if (ok)
        QCOMPARE(*got, value);
}

void TestNumberText::leading_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("number") << "90" << 90.0;
    QTest::newRow("fraction") << "90.5" << 90.5;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("number then letters") << "12abc" << 12.0;
    QTest::newRow("blanks ignored") << " 1 2 " << 12.0;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("exponent") << "2e2x" << 200.0;
    QTest::newRow("bare e is not an exponent") << "5e" << 5.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("too large to hold") << "1e400" << std::numeric_limits<double>::infinity();
    QTest::newRow("too small to hold") << "10e-1102+3" << 0.0;
    QTest::newRow("too large to hold, with a point")
        << "-" + QString(400, QLatin1Char('9')) + ".5x" << -std::numeric_limits<double>::infinity();
}

void TestNumberText::leading() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(LeadingNumber(text), value);
}

void TestNumberText::rounding_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("ok32");
    QTest::addColumn<int>("int32");
    QTest::addColumn<bool>("ok16");
    QTest::newRow("2.5 to even") << 2.5 << true << 2 << true;
    QTest::newRow("3.5 to even") << 3.5 << true << 4 << true;
    QTest::newRow("-2.5 to even") << -2.5 << true << -2 << true;
    QTest::newRow("90.5") << 90.5 << true << 90 << true;
    QTest::newRow("91.5") << 91.5 << true << 92 << true;
    QTest::newRow("16-bit top") << 32767.0 << true << 32767 << true;
    QTest::newRow("past 16-bit") << 32768.0 << true << 32768 << false;
    QTest::newRow("past 32-bit") << 3e9 << false << 0 << false;
    QTest::newRow("not finite") << std::numeric_limits<double>::infinity() << false << 0 << false;
}

void TestNumberText::rounding() {
    QFETCH(double, value);
    QFETCH(bool, ok32);
    QFETCH(int, int32);
    QFETCH(bool, ok16);
    const auto wide = RoundToInt32(value);
    QCOMPARE(wide.has_value(), ok32);
    if (ok32)
        QCOMPARE(*wide, int32);
    QCOMPARE(RoundToInt16(value).has_value(), ok16);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
