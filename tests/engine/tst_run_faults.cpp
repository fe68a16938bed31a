#include "RecordingRunView.h"
#include "engine/RunDriver.h"
#include "filelist/AddSources.h"
#include "filelist/FileListModel.h"
#include "platform/AppPaths.h"
#include "platform/UserMessages.h"
#include "process/ProcessList.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace vantorel;
using namespace vantorel::testsupport;

// Faults tried on a real run with the real data/conv.exe. In every case the user gets a clear
// report, the run ends by itself, and no file of the user's is changed or deleted.
class TestRunFaults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void encoderKilledMidSourceGoesOnWithTheNext();
    void sourceDeletedAfterItWasQueued();
    void outputFolderThatCannotBeCreated();
    void awkwardNamesConvertAndStayUntouched_data();
    void awkwardNamesConvertAndStayUntouched();

private:
    QString generate(const QString& name, int seconds);
    bool run(FileListModel& list);
    QMap<QString, QByteArray> sourceDigests() const;

    QTemporaryDir m_root;
    QString m_sources;
    QString m_output;
    RecordingRunView m_view;
    std::unique_ptr<RecordedMessages> m_messages;
};

void TestRunFaults::initTestCase() {
    QVERIFY(QFile::exists(QStringLiteral(VANTOREL_APP_DIR "/data/conv.exe")));
    paths::setAppFolderForTesting(QStringLiteral(VANTOREL_APP_DIR));
    paths::setWorkFolderForTesting(m_root.filePath(QStringLiteral("work")));
}

void TestRunFaults::init() {
    m_sources = m_root.filePath(QStringLiteral("sources-%1").arg(QTest::currentTestFunction()));
    QDir(m_sources).removeRecursively();
    QVERIFY(QDir().mkpath(m_sources));
    m_output = m_root.filePath(QStringLiteral("out-%1").arg(QTest::currentTestFunction()));
    QDir(m_output).removeRecursively();
    m_view = RecordingRunView();
    m_view.settings = {
        0, QStringLiteral("128"), QStringLiteral("44100"), 1, QStringLiteral("30"), 0, m_output};
    m_view.options.SoundReminder = 1;
    m_messages = std::make_unique<RecordedMessages>();
}

void TestRunFaults::cleanup() {
    m_messages.reset();
}

QString TestRunFaults::generate(const QString& name, int seconds) {
    const QString path = m_sources + QLatin1Char('/') + name;
    const int rc = QProcess::execute(QStringLiteral("ffmpeg"),
                                     {QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"),
                                      QStringLiteral("error"), QStringLiteral("-f"),
                                      QStringLiteral("lavfi"), QStringLiteral("-i"),
                                      QStringLiteral("sine=frequency=330:duration=%1").arg(seconds),
                                      QStringLiteral("-y"), QStringLiteral("file:") + path});
    return rc == 0 ? path : QString();
}

bool TestRunFaults::run(FileListModel& list) {
    RunDriver driver(list, m_view, m_view);
    QSignalSpy finished(&driver, &RunDriver::RunFinished);
    driver.Start();
    return finished.wait(300000);
}

QMap<QString, QByteArray> TestRunFaults::sourceDigests() const {
    QMap<QString, QByteArray> digests;
    QDirIterator it(m_sources, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly)) {
            QCryptographicHash hash(QCryptographicHash::Sha256);
            hash.addData(&f);
            digests.insert(f.fileName(), hash.result());
        }
    }
    return digests;
}

void TestRunFaults::encoderKilledMidSourceGoesOnWithTheNext() {
    const QString longOne = generate(QStringLiteral("long.mp3"), 600);
    const QString shortOne = generate(QStringLiteral("short.mp3"), 20);
    QVERIFY(!longOne.isEmpty() && !shortOne.isEmpty());
    const auto before = sourceDigests();
    FileListModel list;
    AddChosenFile(list, longOne);
    AddChosenFile(list, shortOne);
    bool killed = false;
    m_view.onStatus = [&](const QString& text) {
        if (!killed && text.endsWith(QLatin1Char('%'))) {
            killed = true;
            KillProcessByName(QStringLiteral("conv.exe"));
        }
    };
    QVERIFY(run(list));
    QVERIFY(killed);
    QCOMPARE(list.Count(), 1);
    QCOMPARE(list.QueuedPath(0), longOne);
    QVERIFY(QFile::exists(m_output + QStringLiteral("/short00000.mp3")));
    QCOMPARE(m_view.status, QStringLiteral("Done. 1 file failed."));
    QCOMPARE(m_messages->entries.size(), 1);
    QVERIFY(m_messages->entries[0].text.contains(longOne));
    QVERIFY(m_messages->entries[0].text.contains(QStringLiteral("signal 9")));
    QCOMPARE(sourceDigests(), before);
}

void TestRunFaults::sourceDeletedAfterItWasQueued() {
    const QString gone = generate(QStringLiteral("gone.mp3"), 5);
    const QString kept = generate(QStringLiteral("kept.mp3"), 5);
    FileListModel list;
    AddChosenFile(list, gone);
    AddChosenFile(list, kept);
    QVERIFY(QFile::remove(gone));
    QVERIFY(run(list));
    QCOMPARE(list.Count(), 1);
    QCOMPARE(m_messages->entries.size(), 1);
    QVERIFY(m_messages->entries[0].text.contains(QStringLiteral("not there any more")));
    QVERIFY(QFile::exists(m_output + QStringLiteral("/kept00000.mp3")));
}

void TestRunFaults::outputFolderThatCannotBeCreated() {
    // A file where a parent folder should be stops even root from creating the folder.
    const QString blocker = m_root.filePath(QStringLiteral("a file"));
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("in the way");
    f.close();
    m_view.settings.OutputBox = blocker + QStringLiteral("/pieces");
    const QString source = generate(QStringLiteral("song.mp3"), 5);
    const auto before = sourceDigests();
    FileListModel list;
    AddChosenFile(list, source);
    QVERIFY(run(list));
    QCOMPARE(list.Count(), 1);
    QCOMPARE(m_view.status, QStringLiteral("Done. 1 file failed."));
    QCOMPARE(m_messages->entries.size(), 1);
    QVERIFY2(m_messages->entries[0].text.contains(QStringLiteral("folder")),
             qPrintable(m_messages->entries[0].text));
    QCOMPARE(sourceDigests(), before);
    QFile check(blocker);
    QVERIFY(check.open(QIODevice::ReadOnly));
    QCOMPARE(check.readAll(), QByteArray("in the way"));
}

void TestRunFaults::awkwardNamesConvertAndStayUntouched_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pieceStem"); // empty: any one piece will do
    QTest::newRow("double quote") << "say \"hi\" -y.mp3"
                                  << "";
    QTest::newRow("newline") << "two\nlines.mp3"
                             << "";
    QTest::newRow("leading dash") << "-i evil.mp3"
                                  << "-i evil";
    QTest::newRow("non-ASCII letters") << "Größe 日本.mp3"
                                       << "Größe 日本";
    QTest::newRow("percent sign") << "50% off.mp3"
                                  << "50% off";
}

void TestRunFaults::awkwardNamesConvertAndStayUntouched() {
    QFETCH(QString, name);
    QFETCH(QString, pieceStem);
    const QString source = generate(name, 5);
    QVERIFY(!source.isEmpty());
    const auto before = sourceDigests();
    FileListModel list;
    QString error;
    AddChosenFile(list, source, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(run(list));
    QVERIFY2(m_messages->entries.isEmpty(),
             qPrintable(m_messages->entries.isEmpty() ? QString() : m_messages->entries[0].text));
    QCOMPARE(m_view.status, QStringLiteral("Done."));
    QCOMPARE(list.Count(), 0);
    const QStringList pieces = QDir(m_output).entryList(QDir::Files);
    QCOMPARE(pieces.size(), 1);
    if (!pieceStem.isEmpty())
        QCOMPARE(pieces[0], pieceStem + QStringLiteral("00000.mp3"));
    QCOMPARE(sourceDigests(), before);
}

QTEST_GUILESS_MAIN(TestRunFaults)
#include "tst_run_faults.moc"
