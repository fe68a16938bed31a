#include "FakeEncoderFolder.h"
#include "platform/UserMessages.h"
#include "process/DOSOutputs.h"
#include "process/EncoderProcessName.h"
#include "process/ProcessList.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

using namespace vantorel;
using vantorel::testsupport::FakeEncoderFolder;

namespace {

// What a runner raised, in order: "R" entries carry their chunk, "O" is CommandOver.
struct EventLog {
    struct Event {
        QString kind;
        QString text;
        qint64 at = 0;
        bool running = false;
    };
    QList<Event> events;
    QElapsedTimer clock;

    explicit EventLog(DOSOutputs& runner) {
        clock.start();
        QObject::connect(
            &runner, &DOSOutputs::ReceiveOutputs, &runner, [this, &runner](const QString& chunk) {
                events.append({QStringLiteral("R"), chunk, clock.elapsed(), runner.IsRunning()});
            });
        QObject::connect(&runner, &DOSOutputs::CommandOver, &runner, [this, &runner] {
            events.append({QStringLiteral("O"), QString(), clock.elapsed(), runner.IsRunning()});
        });
    }
    QStringList kinds() const {
        QStringList out;
        for (const Event& e : events)
            out.append(e.kind);
        return out;
    }
    QList<qsizetype> chunkSizes() const {
        QList<qsizetype> out;
        for (const Event& e : events)
            if (e.kind == QLatin1String("R"))
                out.append(e.text.size());
        return out;
    }
};

} // namespace

class TestDOSOutputs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void deliversTextInChunks_data();
    void deliversTextInChunks();
    void characterCutBetweenReadsArrivesWhole_data();
    void characterCutBetweenReadsArrivesWhole();
    void waitsForTheStartedProcessWhateverItsName();
    void unrelatedEncoderHoldsTheEnd();
    void commandThatCannotRun_data();
    void commandThatCannotRun();
    void storedAndPassedCommandLines();
    void keepsHowTheProcessEnded_data();
    void keepsHowTheProcessEnded();
    void eventsRunWhileWaiting();
    void killStartedProcessEndsTheCommand();
    void childGetsNoInput();

private:
    FakeEncoderFolder m_folder;
};

void TestDOSOutputs::initTestCase() {
    qunsetenv("VANTOREL_FAKE_ENCODER_SCRIPT");
    qunsetenv("VANTOREL_FAKE_ENCODER_LOG");
    QVERIFY(m_folder.isValid());
}

void TestDOSOutputs::init() {
    EncoderProcessName() = QStringLiteral("conv.exe");
    m_folder.clearLog();
}

void TestDOSOutputs::deliversTextInChunks_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QList<qsizetype>>("chunks");
    QTest::newRow("nothing printed") << "exit 0" << QList<qsizetype>{};
    QTest::newRow("3000 bytes at once") << "bytes 3000" << QList<qsizetype>{1024, 1024, 952};
    QTest::newRow("exactly one chunk") << "bytes 1024" << QList<qsizetype>{1024};
    QTest::newRow("one byte more") << "bytes 1025" << QList<qsizetype>{1024, 1};
    QTest::newRow("standard error is merged")
        << "bytes 1000 o\neprint 0123456789012345678901234567890123456789"
        << QList<qsizetype>{1024, 16};
}

void TestDOSOutputs::deliversTextInChunks() {
    QFETCH(QString, script);
    QFETCH(QList<qsizetype>, chunks);
    QVERIFY(m_folder.setScript(script));
    DOSOutputs runner;
    EventLog log(runner);
    const QString result = runner.ExecuteCommand(m_folder.encoderPath());

    QCOMPARE(log.chunkSizes(), chunks);
    QStringList kinds(chunks.size(), QStringLiteral("R"));
    kinds.append(QStringLiteral("O"));
    QCOMPARE(log.kinds(), kinds);
    QString joined;
    for (const EventLog::Event& e : log.events)
        joined += e.text;
    QCOMPARE(result, joined);
    QCOMPARE(runner.Outputs(), result);
    // One read per cycle, and every cycle waits 50 ms.
    for (qsizetype i = 1; i < log.events.size() - 1; ++i)
        QVERIFY2(log.events[i].at - log.events[i - 1].at >= 45,
                 qPrintable(QString::number(log.events[i].at - log.events[i - 1].at)));
    for (const EventLog::Event& e : log.events)
        QCOMPARE(e.running, e.kind == QLatin1String("R"));
    QVERIFY(runner.Succeeded());
    QVERIFY(!runner.IsRunning());
}

void TestDOSOutputs::characterCutBetweenReadsArrivesWhole_data() {
    QTest::addColumn<QString>("character");
    QTest::newRow("two bytes") << QStringLiteral("\u00e9");
    QTest::newRow("three bytes") << QStringLiteral("\u20ac");
    QTest::newRow("four bytes") << QString::fromUtf8("\xf0\x9f\x98\x80");
}

void TestDOSOutputs::characterCutBetweenReadsArrivesWhole() {
    QFETCH(QString, character);
    const QByteArray bytes = character.toUtf8();
    // The first read ends after the character's first byte.
    const QString before(1024 - 1, u'a');
    QString escaped;
    for (const char c : bytes)
        escaped += QStringLiteral("\\x%1").arg(static_cast<unsigned char>(c), 2, 16, QChar(u'0'));
    QVERIFY(m_folder.setScript(QStringLiteral("print ") + before + escaped + QStringLiteral("z")));
    DOSOutputs runner;
    EventLog log(runner);
    const QString result = runner.ExecuteCommand(m_folder.encoderPath());
    QCOMPARE(log.kinds(), (QStringList{"R", "R", "O"}));
    QCOMPARE(log.events[0].text, before);
    QCOMPARE(log.events[1].text, character + QStringLiteral("z"));
    QCOMPARE(result, before + character + QStringLiteral("z"));
}

void TestDOSOutputs::waitsForTheStartedProcessWhateverItsName() {
    // No conv.exe runs at all, yet the text the command prints late must not be lost.
    const QString other =
        m_folder.addCopy(QStringLiteral("other.exe"), QStringLiteral("sleep 400\nprint tail\n"));
    QVERIFY(!other.isEmpty());
    DOSOutputs runner;
    EventLog log(runner);
    QCOMPARE(runner.ExecuteCommand(other), QStringLiteral("tail"));
    QCOMPARE(log.kinds(), (QStringList{"R", "O"}));
}

void TestDOSOutputs::unrelatedEncoderHoldsTheEnd() {
    FakeEncoderFolder elsewhere;
    QVERIFY(elsewhere.isValid());
    QVERIFY(elsewhere.setScript(QStringLiteral("sleep 60000")));
    QProcess unrelated;
    unrelated.start(elsewhere.encoderPath(), {});
    QVERIFY(unrelated.waitForStarted(20000));
    QVERIFY(m_folder.setScript(QStringLiteral("print done\\n")));

    DOSOutputs runner;
    EventLog log(runner);
    bool killed = false;
    QTimer::singleShot(1000, this, [&] {
        killed = true;
        unrelated.kill();
    });
    bool killedBeforeEnd = false;
    connect(&runner, &DOSOutputs::CommandOver, this, [&] { killedBeforeEnd = killed; });
    QCOMPARE(runner.ExecuteCommand(m_folder.encoderPath()), QStringLiteral("done\n"));
    QVERIFY(killedBeforeEnd);
    QCOMPARE(log.kinds(), (QStringList{"R", "O"}));
    unrelated.waitForFinished(20000);
}

void TestDOSOutputs::commandThatCannotRun_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("descriptorLimit");
    const QString notFound = QStringLiteral("File or command not found");
    QTest::newRow("empty") << ""
                           << "Command Line empty" << 0;
    QTest::newRow("blanks only") << "   " << notFound << 0;
    QTest::newRow("missing executable") << "data/none.exe -i x" << notFound << 0;
    QTest::newRow("folder") << "data -i x" << notFound << 0;
    QTest::newRow("not executable") << "data/conv.exe.script -i x" << notFound << 0;
    QTest::newRow("no descriptors left") << "data/conv.exe -i x"
                                         << "CreatePipe failed. Error: 24" << 3;
}

void TestDOSOutputs::commandThatCannotRun() {
    QFETCH(QString, command);
    QFETCH(QString, message);
    QFETCH(int, descriptorLimit);
    QVERIFY(m_folder.setScript(QStringLiteral("print ran\\n")));
    DOSOutputs runner;
    runner.ExecuteCommand(m_folder.encoderPath());
    QCOMPARE(runner.Outputs(), QStringLiteral("ran\n"));
    const QString line =
        command.startsWith(QLatin1String("data")) ? m_folder.appFolder() + u'/' + command : command;

    runner.setCommandLine(QString());
    EventLog log(runner);
    RecordedMessages messages;
    rlimit saved{};
    if (descriptorLimit > 0) {
        QCOMPARE(::getrlimit(RLIMIT_NOFILE, &saved), 0);
        rlimit low = saved;
        low.rlim_cur = static_cast<rlim_t>(descriptorLimit);
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &low), 0);
    }
    const QString result = runner.ExecuteCommand(line);
    if (descriptorLimit > 0)
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &saved), 0);

    QCOMPARE(messages.entries.size(), 1);
    QCOMPARE(messages.entries[0].icon, MessageIcon::Critical);
    QCOMPARE(messages.entries[0].text, message);
    QVERIFY(log.events.isEmpty());
    QVERIFY(result.isEmpty());
    QVERIFY(!runner.Started());
    QVERIFY(!runner.Succeeded());
    QVERIFY(!runner.IsRunning());
    // The text of the last command that ran stays readable.
    QCOMPARE(runner.Outputs(), QStringLiteral("ran\n"));
    QCOMPARE(m_folder.invocations(), QStringList{QString()});
}

void TestDOSOutputs::storedAndPassedCommandLines() {
    const QString encoder = m_folder.encoderPath();
    DOSOutputs runner;
    runner.setCommandLine(encoder + QStringLiteral(" -i \"stored one.mp3\""));
    runner.ExecuteCommand();
    runner.ExecuteCommand(encoder + QStringLiteral(" -i passed.mp3 out.wav"));
    QCOMPARE(runner.CommandLine(), encoder + QStringLiteral(" -i passed.mp3 out.wav"));
    runner.ExecuteCommand(QString());
    QCOMPARE(m_folder.invocations(), (QStringList{"-i \"stored one.mp3\"", "-i passed.mp3 out.wav",
                                                  "-i passed.mp3 out.wav"}));
}

void TestDOSOutputs::keepsHowTheProcessEnded_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("endedNormally");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("lastLine");
    QTest::newRow("success") << "print frame=1 time=00:00:01.00 \\r\nexit 0" << true << 0 << 0
                             << "frame=1 time=00:00:01.00";
    QTest::newRow("failure code")
        << "print Input #0\\n\neprint in.mp3: Invalid data found\\r\\n\\n   \\n\nexit 3" << true
        << 3 << 0 << "in.mp3: Invalid data found";
    QTest::newRow("killed") << "print half way\nsignal 9" << false << -1 << 9 << "half way";
    QTest::newRow("silent crash") << "signal 6" << false << -1 << 6 << "";
}

void TestDOSOutputs::keepsHowTheProcessEnded() {
    QFETCH(QString, script);
    QFETCH(bool, endedNormally);
    QFETCH(int, exitCode);
    QFETCH(int, signal);
    QFETCH(QString, lastLine);
    QVERIFY(m_folder.setScript(script));
    DOSOutputs runner;
    EventLog log(runner);
    runner.ExecuteCommand(m_folder.encoderPath());
    QVERIFY(runner.Started());
    QCOMPARE(runner.EndedNormally(), endedNormally);
    QCOMPARE(runner.ExitCode(), exitCode);
    QCOMPARE(runner.Crashed(), signal != 0);
    QCOMPARE(runner.ExitSignal(), signal);
    QCOMPARE(runner.Succeeded(), endedNormally && exitCode == 0);
    QCOMPARE(runner.LastLine(), lastLine);
    QCOMPARE(log.kinds().count(QStringLiteral("O")), 1);
}

void TestDOSOutputs::eventsRunWhileWaiting() {
    QVERIFY(m_folder.setScript(QStringLiteral("sleep 700")));
    int ticks = 0;
    QTimer ticker;
    ticker.setInterval(50);
    connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
    ticker.start();
    DOSOutputs runner;
    runner.ExecuteCommand(m_folder.encoderPath());
    QVERIFY2(ticks >= 3, qPrintable(QString::number(ticks)));
}

void TestDOSOutputs::killStartedProcessEndsTheCommand() {
    QVERIFY(m_folder.setScript(QStringLiteral("print started\\n\nsleep 60000")));
    DOSOutputs runner;
    EventLog log(runner);
    QTimer::singleShot(300, &runner, [&runner] { runner.KillStartedProcess(); });
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(runner.ExecuteCommand(m_folder.encoderPath()), QStringLiteral("started\n"));
    QVERIFY(clock.elapsed() < 30000);
    QVERIFY(runner.Crashed());
    QCOMPARE(runner.ExitSignal(), 9);
    QCOMPARE(log.kinds(), (QStringList{"R", "O"}));
    // Nothing left to end: a second call is harmless.
    runner.KillStartedProcess();
}

void TestDOSOutputs::childGetsNoInput() {
    // The program's own input holds text; the child must not see it.
    int ends[2];
    QCOMPARE(::pipe(ends), 0);
    QCOMPARE(::write(ends[1], "leaked", 6), ssize_t(6));
    const int savedInput = ::dup(STDIN_FILENO);
    QVERIFY(savedInput >= 0);
    QCOMPARE(::dup2(ends[0], STDIN_FILENO), STDIN_FILENO);
    QVERIFY(m_folder.setScript(QStringLiteral("stdin")));
    DOSOutputs runner;
    const QString result = runner.ExecuteCommand(m_folder.encoderPath());
    ::dup2(savedInput, STDIN_FILENO);
    for (const int fd : {savedInput, ends[0], ends[1]})
        ::close(fd);
    QCOMPARE(result, QStringLiteral("<end>"));
}

QTEST_GUILESS_MAIN(TestDOSOutputs)
#include "tst_dosoutputs.moc"
