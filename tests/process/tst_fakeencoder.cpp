#include "FakeEncoderFolder.h"
#include "process/DOSOutputs.h"

#include <QDir>
#include <QTest>

using namespace vantorel;
using vantorel::testsupport::FakeEncoderFolder;

// The fake encoder stands in for the real one in the conversion tests; these cases pin down
// how it tells the kinds of call apart and what it leaves behind.
class TestFakeEncoder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void actsOutItsScript_data();
    void actsOutItsScript();
};

void TestFakeEncoder::actsOutItsScript_data() {
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("printed");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<qint64>("fileSize");
    QTest::newRow("probe") << "-i \"OUT/in put.mp3\""
                           << "probe" << QStringList{} << qint64(0);
    QTest::newRow("pre-decode") << "-threads 1 -i OUT/in.flac OUT/tmp.wav"
                                << "predecode" << QStringList{"tmp.wav"} << qint64(44 + 8000);
    QTest::newRow("conversion")
        << "-i OUT/in.mp3 -f segment -segment_time 30 -y -vn \"OUT/Live Set%05d.mp3\""
        << "convert" << QStringList{"Live Set00000.mp3", "Live Set00001.mp3", "Live Set00002.mp3"}
        << qint64(10);
    QTest::newRow("anything else") << "-version"
                                   << "other" << QStringList{} << qint64(0);
}

void TestFakeEncoder::actsOutItsScript() {
    QFETCH(QString, arguments);
    QFETCH(QString, printed);
    QFETCH(QStringList, files);
    QFETCH(qint64, fileSize);
    FakeEncoderFolder folder;
    QVERIFY(folder.isValid());
    QVERIFY(folder.setScript(QStringLiteral("[probe]\nprint probe\n"
                                            "[predecode]\nprint predecode\nwav 500\n"
                                            "[convert]\nprint convert\npieces 3 10\n"
                                            "[other]\nprint other\n")));
    QTemporaryDir out;
    const QString line = arguments.replace(QStringLiteral("OUT"), out.path());
    DOSOutputs runner;
    QCOMPARE(runner.ExecuteCommand(folder.encoderPath() + u' ' + line), printed);
    QCOMPARE(folder.invocations(), QStringList{line});
    QCOMPARE(QDir(out.path()).entryList(QDir::Files, QDir::Name), files);
    for (const QString& name : files)
        QCOMPARE(QFileInfo(out.filePath(name)).size(), fileSize);
}

QTEST_GUILESS_MAIN(TestFakeEncoder)
#include "tst_fakeencoder.moc"
