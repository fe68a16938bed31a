#include "FakeEncoderFolder.h"
#include "MainWindowFixture.h"
#include "engine/RunDriver.h"
#include "ui/ImageButton.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>

using namespace vantorel;
using namespace vantorel::testsupport;

namespace {

const QString Probe = QStringLiteral("[probe]\nprint Duration: 00:01:00.00, start: 0.000000\\n\n");

bool LogHas(const FakeEncoderFolder& fake, const QString& part) {
    const QStringList lines = fake.invocations();
    return std::any_of(lines.begin(), lines.end(),
                       [&part](const QString& line) { return line.contains(part); });
}

// Runs an action from inside the run's own event processing once a condition holds: the run
// keeps the test function's stack below it until it ends.
void WhenDuringRun(QObject* owner, std::function<bool()> condition, std::function<void()> action) {
    auto* poll = new QTimer(owner);
    poll->setInterval(50);
    QObject::connect(poll, &QTimer::timeout, owner, [poll, condition, action] {
        if (!condition())
            return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start();
}

struct RunSetup {
    MainWindowFixture f;
    FakeEncoderFolder fake;
    QString source;
    QString output;

    bool prepare(const QString& script) {
        paths::setAppFolderForTesting(fake.appFolder());
        source = f.path(QStringLiteral("music/Long Set.mp3"));
        output = f.path(QStringLiteral("pieces"));
        return fake.isValid() && fake.setScript(script) && MainWindowFixture::touch(source);
    }
    frmMain& open() {
        frmMain& w = f.open();
        w.controls().txtPath->setText(output);
        w.list().Append({source, QStringLiteral("MP3"), source});
        w.list().UpdateHint();
        return w;
    }
};

} // namespace

class TestFrmMainRun : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wholeRunThroughTheWindow();
    void closeDuringConversionEndsOnlyOurEncoder();
    void closeDuringProbeStartsNoConversion();
};

void TestFrmMainRun::wholeRunThroughTheWindow() {
    RunSetup s;
    QVERIFY(s.prepare(Probe + QStringLiteral("[convert]\n"
                                             "print size=1kB time=00:00:30.00 bitrate=1k\\r\n"
                                             "sleep 300\n"
                                             "pieces 2\n")));
    frmMain& w = s.open();
    const MainWindowControls& c = w.controls();
    QStringList duringRun;
    WhenDuringRun(
        this, [&] { return LogHas(s.fake, QStringLiteral("-f segment")); },
        [&] {
            for (int member : {0, 1, 2, 3, 4, 6})
                duringRun << QString::number(
                    c.imgToolbar[static_cast<std::size_t>(member)]->isEnabled());
            duringRun << QString::number(c.imgConvert->isEnabled());
        });
    QSignalSpy finished(&w.driver(), &RunDriver::RunFinished);
    const QPoint convert = c.imgConvert->geometry().center();
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, convert);
    QVERIFY(finished.wait(30000) || !finished.isEmpty());

    QCOMPARE(duringRun, QStringList(7, QStringLiteral("0")));
    QCOMPARE(c.lblPB->text(), QStringLiteral("Done."));
    QCOMPARE(c.imgPB->width(), 0);
    QCOMPARE(w.list().Count(), 0);
    QVERIFY(c.imgConvert->isEnabled());
    QVERIFY(c.imgToolbar[0]->isEnabled());
    QVERIFY(QFileInfo::exists(s.output + QStringLiteral("/Long Set00001.mp3")));
    QCOMPARE(s.f.opener.opened, QList<QUrl>{QUrl::fromLocalFile(s.output)});
    QCOMPARE(s.f.sounds.played, QStringList{s.fake.appFolder() + QStringLiteral("/sound.wav")});
    QVERIFY(s.f.messages.entries.isEmpty());
}

void TestFrmMainRun::closeDuringConversionEndsOnlyOurEncoder() {
    RunSetup s;
    QVERIFY(s.prepare(Probe + QStringLiteral("[convert]\n"
                                             "print size=1kB time=00:00:01.00 bitrate=1k\\r\n"
                                             "sleep 60000\n"
                                             "pieces 1\n")));
    // Another program's encoder, started while ours converts, must outlive our close.
    FakeEncoderFolder foreign;
    QVERIFY(foreign.isValid());
    QVERIFY(foreign.setScript(QStringLiteral("[convert]\nsleep 1500\npieces 1\n")));
    const QString foreignPiece = foreign.appFolder() + QStringLiteral("/theirs%05d.mp3");
    QProcess theirs;

    frmMain& w = s.open();
    QSignalSpy unloaded(&w, &frmMain::Unloaded);
    QElapsedTimer sinceClose;
    bool closedAtOnce = true;
    WhenDuringRun(
        this, [&] { return LogHas(s.fake, QStringLiteral("-f segment")); },
        [&] {
            theirs.start(foreign.encoderPath(),
                         {QStringLiteral("-i"), QStringLiteral("in.wav"), QStringLiteral("-f"),
                          QStringLiteral("segment"), foreignPiece});
            theirs.waitForStarted(10000);
            sinceClose.start();
            closedAtOnce = w.close(); // the run is still on the stack: it waits for it
        });
    QSignalSpy finished(&w.driver(), &RunDriver::RunFinished);
    w.driver().Start();
    QVERIFY(QTest::qWaitFor([&] { return !unloaded.isEmpty(); }, 40000));

    QVERIFY(!closedAtOnce);
    QVERIFY(!w.isVisible());
    QVERIFY2(sinceClose.elapsed() < 30000, qPrintable(QString::number(sinceClose.elapsed())));
    // Ours was ended before it could write; theirs ran to its own end.
    QVERIFY(!QFileInfo::exists(s.output + QStringLiteral("/Long Set00000.mp3")));
    QVERIFY(theirs.state() == QProcess::NotRunning || theirs.waitForFinished(20000));
    QCOMPARE(theirs.exitStatus(), QProcess::NormalExit);
    QCOMPARE(theirs.exitCode(), 0);
    QVERIFY(QFileInfo::exists(foreign.appFolder() + QStringLiteral("/theirs00000.mp3")));
    // The stopped source stays for the next run; nothing is reported as done or failed.
    QCOMPARE(w.list().Count(), 1);
    QVERIFY(s.f.messages.entries.isEmpty());
    QVERIFY(s.f.opener.opened.isEmpty());
    QVERIFY(s.f.sounds.played.isEmpty());
}

void TestFrmMainRun::closeDuringProbeStartsNoConversion() {
    RunSetup s;
    QVERIFY(s.prepare(QStringLiteral("[probe]\nsleep 60000\n[convert]\npieces 1\n")));
    frmMain& w = s.open();
    QSignalSpy unloaded(&w, &frmMain::Unloaded);
    QElapsedTimer sinceClose;
    WhenDuringRun(
        this, [&] { return !s.fake.invocations().isEmpty(); },
        [&] {
            sinceClose.start();
            w.close();
        });
    w.driver().Start();
    QVERIFY(QTest::qWaitFor([&] { return !unloaded.isEmpty(); }, 40000));
    QVERIFY2(sinceClose.elapsed() < 20000, qPrintable(QString::number(sinceClose.elapsed())));
    QCOMPARE(s.fake.invocations().size(), 1); // the probe only
    QVERIFY(!LogHas(s.fake, QStringLiteral("-f segment")));
    QCOMPARE(w.list().Count(), 1);
}

QTEST_MAIN(TestFrmMainRun)
#include "tst_frmmain_run.moc"
