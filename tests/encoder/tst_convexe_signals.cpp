// conv.exe while it works: the name the application watches and kills it by, and what is left
// when it is killed or told to stop.

#include "ConvExeRunner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>

using namespace convtest;

namespace {

QString procText(qint64 pid, const char* entry) {
    QFile file(QString("/proc/%1/%2").arg(pid).arg(entry));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Every process below `pid`, children first found first.
QList<qint64> descendants(qint64 pid) {
    QList<qint64> found;
    const QDir tasks(QString("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (const QString& child : procText(pid, qPrintable("task/" + task + "/children"))
                                        .split(' ', Qt::SkipEmptyParts)) {
            found << child.toLongLong();
            found << descendants(child.toLongLong());
        }
    }
    return found;
}

// Gone, or a zombie nobody has reaped yet: either way it neither runs nor writes.
bool hasEnded(qint64 pid) {
    const QString stat = procText(pid, "stat");
    if (stat.isEmpty())
        return true;
    const qsizetype close = stat.lastIndexOf(')');
    return close >= 0 && stat.mid(close + 2, 1) == "Z";
}

qint64 folderBytes(const QString& folder) {
    qint64 bytes = 0;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden))
        bytes += file.size();
    return bytes;
}

} // namespace

class TestConvExeSignals : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void killedOrStoppedLeavesNoHelper_data();
    void killedOrStoppedLeavesNoHelper();

private:
    QTemporaryDir m_dir;
    QString m_source;
    QString m_shortSource;
    QString m_tmp; // conv.exe's temporary folder
    int m_run = 0;
};

void TestConvExeSignals::initTestCase() {
    QVERIFY(QFile::exists(convExe()));
    QVERIFY(m_dir.isValid());
    // Long enough that every conversion below is still busy when the signal comes.
    m_source = m_dir.filePath("hour.flac");
    QVERIFY(ffmpeg(
        {"-f", "lavfi", "-i", "sine=frequency=440:duration=3600:sample_rate=8000", m_source}));
    m_shortSource = m_dir.filePath("short.mp3");
    QVERIFY(ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:duration=3", m_shortSource}));
    m_tmp = m_dir.filePath("tmp");
    QVERIFY(QDir().mkpath(m_tmp));
}

void TestConvExeSignals::killedOrStoppedLeavesNoHelper_data() {
    QTest::addColumn<QString>("ext");
    QTest::addColumn<QString>("options");
    QTest::addColumn<int>("signal");
    const QString mp3 = " -y -map_metadata 0 -id3v2_version 3 -vn -ab 320k -ar 48000 -ac 2 ";
    const QString amr = " -y -vn -ar 8000 -ab 7.4k -ac 1 ";
    // Resampled up, so this encode too lasts far longer than the wait below.
    const QString flac = " -y -vn -ar 48000 -ac 2 ";
    QTest::newRow("mp3, SIGKILL") << "mp3" << mp3 << SIGKILL;
    QTest::newRow("amr, SIGKILL") << "amr" << amr << SIGKILL;
    QTest::newRow("flac, SIGKILL") << "flac" << flac << SIGKILL;
    QTest::newRow("mp3, SIGTERM") << "mp3" << mp3 << SIGTERM;
    QTest::newRow("amr, SIGTERM") << "amr" << amr << SIGTERM;
}

void TestConvExeSignals::killedOrStoppedLeavesNoHelper() {
    QFETCH(QString, ext);
    QFETCH(QString, options);
    QFETCH(int, signal);
    const QString out = m_dir.filePath(QString("out%1").arg(++m_run));
    QVERIFY(QDir().mkpath(out));

    // The text goes to a file, not a pipe: a helper that outlived conv.exe could otherwise die
    // of the closed pipe and hide the fault.
    const QString log = out + ".log";
    QProcess conv;
    conv.setProcessChannelMode(QProcess::MergedChannels);
    conv.setStandardInputFile(QProcess::nullDevice());
    conv.setStandardOutputFile(log);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", m_tmp);
    conv.setProcessEnvironment(environment);
    conv.start(convExe(), QStringList{"-i", m_source, "-f", "segment", "-segment_time", "30"} +
                              words(options) + QStringList{out + "/hour%05d." + ext});
    QVERIFY(conv.waitForStarted());
    // Progress text means FFmpeg is running and writing.
    QByteArray text;
    QElapsedTimer clock;
    clock.start();
    while (!text.contains("time=") && conv.state() == QProcess::Running &&
           clock.elapsed() < 120 * 1000) {
        QThread::msleep(100);
        QFile file(log);
        if (file.open(QIODevice::ReadOnly))
            text = file.readAll();
    }
    QVERIFY2(text.contains("time="), text.right(1000).constData());
    QVERIFY2(conv.state() == QProcess::Running, "finished before it could be stopped");

    const qint64 pid = conv.processId();
    QCOMPARE(procText(pid, "comm").trimmed(), QStringLiteral("conv.exe"));
    const QList<qint64> helpers = descendants(pid);
    QVERIFY(!helpers.isEmpty());
    // A helper that outlives conv.exe (the fault looked for) must not outlive the test too.
    const auto cleanUp = qScopeGuard([&helpers] {
        for (qint64 helper : helpers) {
            if (!hasEnded(helper))
                ::kill(static_cast<pid_t>(helper), SIGKILL);
        }
    });

    QVERIFY(::kill(static_cast<pid_t>(pid), signal) == 0);
    QVERIFY(conv.waitForFinished(60 * 1000));
    QVERIFY(conv.exitStatus() == QProcess::CrashExit || conv.exitCode() != 0);

    clock.restart();
    for (qint64 helper : helpers) {
        while (!hasEnded(helper) && clock.elapsed() < 10 * 1000)
            QThread::msleep(50);
        QVERIFY2(hasEnded(helper), qPrintable(QString("helper %1 (%2) outlived conv.exe")
                                                  .arg(helper)
                                                  .arg(procText(helper, "comm").trimmed())));
    }
    // Nobody is left writing the pieces.
    const qint64 bytes = folderBytes(out);
    if (ext == "flac" && signal == SIGKILL)
        QVERIFY(!QDir(m_tmp).isEmpty());
    QThread::msleep(1500);
    QCOMPARE(folderBytes(out), bytes);

    // What a killed conv.exe had to leave in its temporary folder, the next one clears away.
    const Result next = runConv({"-i", m_shortSource, "-f", "segment", "-segment_time", "30", "-y",
                                 "-vn", out + "/short%05d.flac"},
                                120 * 1000, m_tmp);
    QVERIFY2(next.exitCode == 0, qPrintable(next.summary()));
    QCOMPARE(QDir(m_tmp).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

QTEST_GUILESS_MAIN(TestConvExeSignals)
#include "tst_convexe_signals.moc"
