#include "FakeEncoderFolder.h"
#include "RecordingRunView.h"
#include "engine/RunDriver.h"
#include "filelist/FileListModel.h"
#include "platform/AppPaths.h"
#include "platform/UserMessages.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace vantorel;
using namespace vantorel::testsupport;

namespace {

const QString kProbeAndConvert =
    QStringLiteral("[probe]\n"
                   "print   Duration: 00:01:40.00, start: 0.000000, bitrate: 128 kb/s\\n\n"
                   "[predecode]\n"
                   "wav 200\n"
                   "[convert]\n"
                   "print size=1kB time=00:00:50.00 bitrate=1kbits/s\\r\n"
                   "sleep 60\n"
                   "pieces 2\n"
                   "print size=2kB time=00:01:40.00 bitrate=1kbits/s\\n\n");

FileEntry entryFor(const QString& path) {
    return {path, FileListModel::FormatLabelFor(path), path};
}

} // namespace

class TestRunDriver : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void emptyListIsRefused();
    void twoSourcesRunProbeThenConversionEach();
    void flacSourceIsPreDecodedForTheProbe();
    void soundPlaysOnlyWhenTheReminderIsOn_data();
    void soundPlaysOnlyWhenTheReminderIsOn();
    void sourceAddedDuringTheRunIsConverted();
    void missingEncoderEndsTheRunAndKeepsTheList();
    void failedSourcesStayAndAreReported_data();
    void failedSourcesStayAndAreReported();
    void splitLengthThatIsNotPositiveIsRefused_data();
    void splitLengthThatIsNotPositiveIsRefused();
    void splitEditedToZeroDuringTheRunFailsThatSource();
    void unsafeWorkFolderIsRefused();
    void sourceWithDoubleQuoteNeverReachesTheEncoder();
    void emptyOutputBoxIsRefused();

private:
    QString makeSource(const QString& name);
    bool runToEnd(RunDriver& driver);

    std::unique_ptr<FakeEncoderFolder> m_fake;
    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<RecordedMessages> m_messages;
    FileListModel* m_list = nullptr;
    RecordingRunView m_view;
    QString m_output;
};

void TestRunDriver::init() {
    m_fake = std::make_unique<FakeEncoderFolder>();
    QVERIFY(m_fake->isValid());
    QVERIFY(m_fake->setScript(kProbeAndConvert));
    m_root = std::make_unique<QTemporaryDir>();
    paths::setAppFolderForTesting(m_fake->appFolder());
    paths::setWorkFolderForTesting(m_root->filePath(QStringLiteral("work")));
    m_messages = std::make_unique<RecordedMessages>();
    m_list = new FileListModel(this);
    m_view = RecordingRunView();
    m_output = m_root->filePath(QStringLiteral("out"));
    m_view.settings = {
        0, QStringLiteral("128"), QStringLiteral("44100"), 1, QStringLiteral("30"), 0, m_output};
    m_view.options.SoundReminder = 1;
}

void TestRunDriver::cleanup() {
    delete m_list;
    m_list = nullptr;
    m_messages.reset();
    paths::setAppFolderForTesting(QString());
    paths::setWorkFolderForTesting(QString());
    m_fake.reset();
    m_root.reset();
}

QString TestRunDriver::makeSource(const QString& name) {
    const QString path = m_root->filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write("not really audio");
    return path;
}

bool TestRunDriver::runToEnd(RunDriver& driver) {
    QSignalSpy finished(&driver, &RunDriver::RunFinished);
    driver.Start();
    return finished.wait(30000);
}

void TestRunDriver::emptyListIsRefused() {
    RunDriver driver(*m_list, m_view, m_view);
    driver.Start();
    QCOMPARE(m_messages->entries.size(), 1);
    QCOMPARE(m_messages->entries[0].text, QStringLiteral("Please add a file"));
    QCOMPARE(m_messages->entries[0].title, QStringLiteral("Add"));
    QVERIFY(m_view.events.isEmpty());
    QVERIFY(!driver.IsRunning());
}

void TestRunDriver::twoSourcesRunProbeThenConversionEach() {
    const QString a = makeSource(QStringLiteral("one.mp3"));
    const QString b = makeSource(QStringLiteral("two.mp3"));
    m_list->Append(entryFor(a));
    m_list->Append(entryFor(b));
    m_view.settings.SplitUnitIndex = 1; // 30 Minutes
    RunDriver driver(*m_list, m_view, m_view);
    QVERIFY(runToEnd(driver));

    const QStringList calls = m_fake->invocations();
    QCOMPARE(calls.size(), 4);
    QCOMPARE(calls[0], QStringLiteral("-i ") + a);
    QVERIFY(calls[1].startsWith(QStringLiteral("-i ") + a +
                                QStringLiteral(" -f segment "
                                               "-segment_time 1800 ")));
    QCOMPARE(calls[2], QStringLiteral("-i ") + b);
    QVERIFY(calls[3].contains(QStringLiteral("-segment_time 1800")));
    QVERIFY(calls[3].endsWith(m_output + QStringLiteral("/two%05d.mp3")));
    QVERIFY(QFile::exists(m_output + QStringLiteral("/one00000.mp3")));

    QCOMPARE(m_list->Count(), 0);
    QCOMPARE(m_view.status, QStringLiteral("Done."));
    QCOMPARE(m_view.width, 0.0);
    QVERIFY(m_view.controlsEnabled);
    QCOMPARE(m_view.eventsStartingWith(QStringLiteral("open:")),
             QStringList{QStringLiteral("open:") + m_output});
    QVERIFY(m_view.events.contains(QStringLiteral("status:50%")));
    QVERIFY(m_messages->entries.isEmpty());
    QCOMPARE(driver.CurrentDuration(), 0);
}

void TestRunDriver::flacSourceIsPreDecodedForTheProbe() {
    const QString flac = makeSource(QStringLiteral("song.FLAC"));
    m_list->Append(entryFor(flac));
    RunDriver driver(*m_list, m_view, m_view);
    QVERIFY(runToEnd(driver));
    const QStringList calls = m_fake->invocations();
    QCOMPARE(calls.size(), 3);
    QCOMPARE(calls[0],
             QStringLiteral("-threads 1 -i ") + flac + QStringLiteral(" ") + paths::tempWavPath());
    QCOMPARE(calls[1], QStringLiteral("-i ") + paths::tempWavPath());
    QVERIFY(calls[2].startsWith(QStringLiteral("-i ") + flac + QStringLiteral(" -f segment")));
    QVERIFY(!QFile::exists(paths::tempWavPath()));
    QCOMPARE(m_view.status, QStringLiteral("Done."));
}

void TestRunDriver::soundPlaysOnlyWhenTheReminderIsOn_data() {
    QTest::addColumn<int>("reminder");
    QTest::addColumn<bool>("plays");
    QTest::newRow("ON") << 0 << true;
    QTest::newRow("OFF") << 1 << false;
}

void TestRunDriver::soundPlaysOnlyWhenTheReminderIsOn() {
    QFETCH(int, reminder);
    QFETCH(bool, plays);
    m_list->Append(entryFor(makeSource(QStringLiteral("a.mp3"))));
    m_view.options.SoundReminder = static_cast<std::int16_t>(reminder);
    RunDriver driver(*m_list, m_view, m_view);
    QVERIFY(runToEnd(driver));
    const QStringList sounds = m_view.eventsStartingWith(QStringLiteral("sound:"));
    QCOMPARE(sounds.size(), plays ? 1 : 0);
    if (plays) {
        QCOMPARE(sounds[0], QStringLiteral("sound:") + paths::soundPath());
        // "Done." comes only after the sound has ended.
        QVERIFY(m_view.events.indexOf(sounds[0]) <
                m_view.events.indexOf(QStringLiteral("status:Done.")));
    }
}

void TestRunDriver::sourceAddedDuringTheRunIsConverted() {
    m_list->Append(entryFor(makeSource(QStringLiteral("first.mp3"))));
    const QString late = makeSource(QStringLiteral("late.mp3"));
    bool added = false;
    m_view.onStatus = [&](const QString& text) {
        if (!added && text.endsWith(QLatin1Char('%'))) {
            added = true;
            m_list->Append(entryFor(late));
        }
    };
    RunDriver driver(*m_list, m_view, m_view);
    QVERIFY(runToEnd(driver));
    QVERIFY(added);
    QCOMPARE(m_list->Count(), 0);
    QVERIFY(QFile::exists(m_output + QStringLiteral("/late00000.mp3")));
    QCOMPARE(m_view.eventsStartingWith(QStringLiteral("open:")).size(), 1);
}

void TestRunDriver::missingEncoderEndsTheRunAndKeepsTheList() {
    QVERIFY(QFile::remove(m_fake->encoderPath()));
    m_list->Append(entryFor(makeSource(QStringLiteral("a.mp3"))));
    m_list->Append(entryFor(makeSource(QStringLiteral("b.mp3"))));
    RunDriver driver(*m_list, m_view, m_view);
    QVERIFY(runToEnd(driver));
    QCOMPARE(m_messages->entries.size(), 1);
    QCOMPARE(m_messages->entries[0].text, QStringLiteral("File or command not found"));
    QCOMPARE(m_list->Count(), 2);
    QVERIFY(m_view.controlsEnabled);
    QVERIFY(m_view.status != QStringLiteral("Done."));
    QVERIFY(m_view.eventsStartingWith(QStringLiteral("open:")).isEmpty());
}

void TestRunDriver::failedSourcesStayAndAreReported_data() {
    QTest::addColumn<QString>("convertSection");
    QTest::addColumn<bool>("stalePiece");
    QTest::addColumn<QString>("reasonPart");
    QTest::newRow("non-zero exit")
        << "print Error opening output file: Permission denied\\n\nexit 1" << false
        << "Error opening output file: Permission denied";
    QTest::newRow("killed") << "print working\\n\nsignal 9" << false << "signal 9";
    QTest::newRow("no piece written") << "print nothing to do\\n" << false << "wrote no piece";
    QTest::newRow("only a piece of an earlier run") << "print nothing\\n"
                                                    << true << "wrote no piece";
}

void TestRunDriver::failedSourcesStayAndAreReported() {
    QFETCH(QString, convertSection);
    QFETCH(bool, stalePiece);
    QFETCH(QString, reasonPart);
    QVERIFY(m_fake->setScript(QStringLiteral("[probe]\nprint Duration: 00:00:10.00,\\n\n"
                                             "[convert]\n") +
                              convertSection + QStringLiteral("\n")));
    const QString bad = makeSource(QStringLiteral("bad.mp3"));
    m_list->Append(entryFor(bad));
    if (stalePiece) {
        QVERIFY(QDir().mkpath(m_output));
        QFile old(m_output + QStringLiteral("/bad00000.mp3"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("earlier run");
        old.close();
    }
    RunDriver driver(*m_list, m_view, m_view);
    QVERIFY(runToEnd(driver));
    QCOMPARE(m_list->Count(), 1);
    QCOMPARE(m_list->QueuedPath(0), bad);
    QCOMPARE(m_view.status, QStringLiteral("Done. 1 file failed."));
    QCOMPARE(m_messages->entries.size(), 1);
    QVERIFY(m_messages->entries[0].text.contains(bad));
    QVERIFY2(m_messages->entries[0].text.contains(reasonPart),
             qPrintable(m_messages->entries[0].text));
    QCOMPARE(driver.Failures().size(), 1);
}

void TestRunDriver::splitLengthThatIsNotPositiveIsRefused_data() {
    QTest::addColumn<QString>("split");
    QTest::newRow("letters") << "abc";
    QTest::newRow("empty") << "";
    QTest::newRow("zero") << "0";
    QTest::newRow("negative") << "-5";
    QTest::newRow("rounds to zero") << "0.4";
}

void TestRunDriver::splitLengthThatIsNotPositiveIsRefused() {
    QFETCH(QString, split);
    m_list->Append(entryFor(makeSource(QStringLiteral("a.mp3"))));
    m_view.settings.SplitText = split;
    RunDriver driver(*m_list, m_view, m_view);
    driver.Start();
    QTest::qWait(250);
    QCOMPARE(m_messages->entries.size(), 1);
    QCOMPARE(m_messages->entries[0].icon, MessageIcon::Exclamation);
    QVERIFY(m_view.events.isEmpty()); // nothing disabled
    QVERIFY(m_fake->invocations().isEmpty());
}

void TestRunDriver::splitEditedToZeroDuringTheRunFailsThatSource() {
    m_list->Append(entryFor(makeSource(QStringLiteral("a.mp3"))));
    m_list->Append(entryFor(makeSource(QStringLiteral("b.mp3"))));
    m_view.onStatus = [&](const QString& text) {
        if (text.endsWith(QLatin1Char('%')))
            m_view.settings.SplitText = QStringLiteral("0");
    };
    RunDriver driver(*m_list, m_view, m_view);
    QVERIFY(runToEnd(driver));
    QCOMPARE(m_list->Count(), 1);
    QVERIFY(m_list->QueuedPath(0).endsWith(QStringLiteral("b.mp3")));
    QCOMPARE(m_fake->invocations().size(), 2); // b never reached the encoder
    QCOMPARE(m_view.status, QStringLiteral("Done. 1 file failed."));
}

void TestRunDriver::unsafeWorkFolderIsRefused() {
    const QString elsewhere = m_root->filePath(QStringLiteral("elsewhere"));
    QVERIFY(QDir().mkpath(elsewhere));
    QVERIFY(QFile::link(elsewhere, paths::workFolder()));
    m_list->Append(entryFor(makeSource(QStringLiteral("a.mp3"))));
    RunDriver driver(*m_list, m_view, m_view);
    driver.Start();
    QTest::qWait(250);
    QCOMPARE(m_messages->entries.size(), 1);
    QVERIFY(m_messages->entries[0].text.contains(paths::workFolder()));
    QVERIFY(m_view.events.isEmpty());
    QVERIFY(!driver.IsRunning());
}

void TestRunDriver::sourceWithDoubleQuoteNeverReachesTheEncoder() {
    const QString quoted = makeSource(QStringLiteral("say \"hi\" -y.mp3"));
    m_list->Append(entryFor(quoted));
    m_list->Append(entryFor(makeSource(QStringLiteral("fine.mp3"))));
    RunDriver driver(*m_list, m_view, m_view);
    QVERIFY(runToEnd(driver));
    for (const QString& call : m_fake->invocations())
        QVERIFY2(!call.contains(QStringLiteral("hi")), qPrintable(call));
    QCOMPARE(m_list->Count(), 1);
    QCOMPARE(m_list->QueuedPath(0), quoted);
    QVERIFY(QFile::exists(m_output + QStringLiteral("/fine00000.mp3")));
}

void TestRunDriver::emptyOutputBoxIsRefused() {
    m_list->Append(entryFor(makeSource(QStringLiteral("a.mp3"))));
    m_view.settings.OutputBox.clear();
    RunDriver driver(*m_list, m_view, m_view);
    driver.Start();
    QTest::qWait(250);
    QCOMPARE(m_messages->entries.size(), 1);
    QVERIFY(m_view.events.isEmpty());
}

QTEST_GUILESS_MAIN(TestRunDriver)
#include "tst_rundriver.moc"
