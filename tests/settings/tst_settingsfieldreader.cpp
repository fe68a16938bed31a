#include "settings/SettingsFieldReader.h"

#include <QTest>

using namespace vantorel;

class TestSettingsFieldReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsFields_data();
    void readsFields();
};

void TestSettingsFieldReader::readsFields_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");

    const QByteArray nul(1, '\0');
    QTest::newRow("quoted lines") << QByteArray("\"7\"\r\n\"1\"\r\n") << QStringList{"7", "1"};
    QTest::newRow("bare lines") << QByteArray("0\r\n1\r\n90\r\n30\r\n")
                                << QStringList{"0", "1", "90", "30"};
    QTest::newRow("comma inside quotes")
        << QByteArray("\"/d/a,b\"\r\n\"0\"\r\n") << QStringList{"/d/a,b", "0"};
    QTest::newRow("comma ends a bare field")
        << QByteArray("/d/a,b\r\n") << QStringList{"/d/a", "b"};
    QTest::newRow("two quoted fields on a line")
        << QByteArray("\"7\",\"1\"\r\n\"2\"\r\n") << QStringList{"7", "1", "2"};
    QTest::newRow("blanks before a field")
        << QByteArray("  \t\"x\"\r\n   5\r\n") << QStringList{"x", "5"};
    QTest::newRow("blanks after a closing quote")
        << QByteArray("\"x\"  \r\n\"y\"") << QStringList{"x", "y"};
    QTest::newRow("blanks inside quotes kept")
        << QByteArray("\" a b \"\r\n") << QStringList{" a b "};
    QTest::newRow("text after a closing quote drops the line")
        << QByteArray("\"/d/a\"b,3\"\r\n\"2\"\r\n") << QStringList{"/d/a", "2"};
    QTest::newRow("empty quoted field") << QByteArray("\"\"\r\n\"0\"\r\n") << QStringList{"", "0"};
    QTest::newRow("empty line is an empty field")
        << QByteArray("\r\n5\r\n") << QStringList{"", "5"};
    QTest::newRow("trailing comma adds an empty field")
        << QByteArray("7,\r\n8\r\n") << QStringList{"7", "", "8"};
    QTest::newRow("lone LF line ends") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("lone CR line ends") << QByteArray("a\rb") << QStringList{"a", "b"};
    QTest::newRow("no final line end") << QByteArray("\"0\"") << QStringList{"0"};
    QTest::newRow("quoted field spans lines")
        << QByteArray("\"a\r\nb\"\r\nc\r\n") << QStringList{"a\r\nb", "c"};
    QTest::newRow("unclosed quote runs to the end")
        << QByteArray("\"abc\r\ndef") << QStringList{"abc\r\ndef"};
    QTest::newRow("lone quote") << QByteArray("\"") << QStringList{""};
    QTest::newRow("quote inside a bare field is ordinary")
        << QByteArray("ab\"c\r\n") << QStringList{"ab\"c"};
    QTest::newRow("empty data") << QByteArray() << QStringList{};
    QTest::newRow("blanks only") << QByteArray("  \t ") << QStringList{};
    QTest::newRow("UTF-8 text") << QByteArray("\"/home/\xc3\xbc/\xe4\xb8\xad\"\r\n")
                                << QStringList{QStringLiteral("/home/\u00fc/\u4e2d")};
    QTest::newRow("NUL bytes are ordinary")
        << (QByteArray("\"a") + nul + "b\"\r\n" + nul + "\r\n")
        << QStringList{QStringLiteral("a") + QChar(0) + QStringLiteral("b"), QString(QChar(0))};
}

void TestSettingsFieldReader::readsFields() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    SettingsFieldReader reader(bytes);
    for (const QString& expected : fields) {
        const auto got = reader.readField();
        QVERIFY(got.has_value());
        QCOMPARE(*got, expected);
    }
    // Past the end every read fails, and keeps failing.
    QVERIFY(!reader.readField().has_value());
    QVERIFY(!reader.readField().has_value());
}

QTEST_GUILESS_MAIN(TestSettingsFieldReader)
#include "tst_settingsfieldreader.moc"
