#include "RecordingRunView.h"
#include "engine/RunDriver.h"
#include "filelist/FileListModel.h"
#include "platform/AppPaths.h"
#include "platform/UserMessages.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace vantorel;
using namespace vantorel::testsupport;

// A whole run with the real data/conv.exe over generated audio: the pieces are there and decode,
// and the sources are byte for byte what they were.
class TestRunDriverReal : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void threeSourcesBecomeMp3Pieces();

private:
    static bool generate(const QString& path, int seconds, const QString& codecArgs);
    static QByteArray digest(const QString& path);
    static double decodedSeconds(const QString& path);

    QTemporaryDir m_root;
};

bool TestRunDriverReal::generate(const QString& path, int seconds, const QString& codecArgs) {
    QStringList args{
        QStringLiteral("-hide_banner"),
        QStringLiteral("-loglevel"),
        QStringLiteral("error"),
        QStringLiteral("-f"),
        QStringLiteral("lavfi"),
        QStringLiteral("-i"),
        QStringLiteral("sine=frequency=440:sample_rate=44100:duration=%1").arg(seconds),
        QStringLiteral("-ac"),
        QStringLiteral("2")};
    args += codecArgs.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    args += {QStringLiteral("-y"), path};
    return QProcess::execute(QStringLiteral("ffmpeg"), args) == 0;
}

QByteArray TestRunDriverReal::digest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&f);
    return hash.result();
}

double TestRunDriverReal::decodedSeconds(const QString& path) {
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"),
                {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                 QStringLiteral("format=duration"), QStringLiteral("-of"),
                 QStringLiteral("default=nw=1:nk=1"), path});
    if (!probe.waitForFinished(60000) || probe.exitCode() != 0)
        return -1;
    return probe.readAllStandardOutput().trimmed().toDouble();
}

void TestRunDriverReal::initTestCase() {
    QVERIFY(QFile::exists(QStringLiteral(VANTOREL_APP_DIR "/data/conv.exe")));
    paths::setAppFolderForTesting(QStringLiteral(VANTOREL_APP_DIR));
    paths::setWorkFolderForTesting(m_root.filePath(QStringLiteral("work")));
}

void TestRunDriverReal::threeSourcesBecomeMp3Pieces() {
    const QString sources = m_root.filePath(QStringLiteral("sources"));
    QVERIFY(QDir().mkpath(sources));
    const QString mp3 = sources + QStringLiteral("/Live Set.mp3");
    const QString flac = sources + QStringLiteral("/Grüße Öl.flac");
    const QString wav = sources + QStringLiteral("/plain.wav");
    QVERIFY(generate(mp3, 65, QStringLiteral("-c:a libmp3lame -b:a 128k")));
    QVERIFY(generate(flac, 40, QStringLiteral("-c:a flac")));
    QVERIFY(generate(wav, 25, QStringLiteral("-c:a pcm_s16le")));
    const QByteArray before[] = {digest(mp3), digest(flac), digest(wav)};

    FileListModel list;
    for (const QString& path : {mp3, flac, wav})
        list.Append({path, FileListModel::FormatLabelFor(path), path});
    RecordingRunView view;
    const QString output = m_root.filePath(QStringLiteral("fresh output"));
    view.settings = {
        0, QStringLiteral("128"), QStringLiteral("44100"), 1, QStringLiteral("30"), 0, output};
    view.options.SoundReminder = 1;
    RecordedMessages messages;
    QStringList percentages;
    view.onStatus = [&](const QString& text) {
        if (text.endsWith(QLatin1Char('%')))
            percentages.append(text);
    };

    RunDriver driver(list, view, view);
    QSignalSpy finished(&driver, &RunDriver::RunFinished);
    driver.Start();
    QVERIFY(finished.wait(600000));

    QCOMPARE(view.status, QStringLiteral("Done."));
    QVERIFY2(messages.entries.isEmpty(),
             qPrintable(messages.entries.isEmpty() ? QString() : messages.entries[0].text));
    QCOMPARE(list.Count(), 0);
    QVERIFY(!percentages.isEmpty());

    struct Expected {
        QString base;
        int seconds;
    };
    for (const Expected& e :
         {Expected{QStringLiteral("Live Set"), 65}, Expected{QStringLiteral("Grüße Öl"), 40},
          Expected{QStringLiteral("plain"), 25}}) {
        const int pieces = (e.seconds + 29) / 30;
        for (int i = 0; i < pieces; ++i) {
            const QString piece =
                QStringLiteral("%1/%2%3.mp3").arg(output, e.base).arg(i, 5, 10, QLatin1Char('0'));
            QVERIFY2(QFile::exists(piece), qPrintable(piece));
            const double length = decodedSeconds(piece);
            const double want = i + 1 < pieces ? 30.0 : e.seconds - 30.0 * i;
            QVERIFY2(qAbs(length - want) < 0.6,
                     qPrintable(QStringLiteral("%1: %2 s").arg(piece).arg(length)));
        }
        QVERIFY(!QFile::exists(QStringLiteral("%1/%2%3.mp3")
                                   .arg(output, e.base)
                                   .arg(pieces, 5, 10, QLatin1Char('0'))));
    }
    QCOMPARE(digest(mp3), before[0]);
    QCOMPARE(digest(flac), before[1]);
    QCOMPARE(digest(wav), before[2]);
    QVERIFY(!QFile::exists(paths::tempWavPath()));
}

QTEST_GUILESS_MAIN(TestRunDriverReal)
#include "tst_rundriver_real.moc"
