#include "FakeEncoderFolder.h"
#include "process/ProcessList.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTest>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace vantorel;
using vantorel::testsupport::FakeEncoderFolder;

namespace {

// Names no other program on the machine carries, so other people's encoders cannot disturb
// the tests that expect no match.
QString uniqueStem() {
    return QStringLiteral("v%1.exe").arg(::getpid() % 100000);
}

QByteArray processState(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close < 0 ? QByteArray() : text.mid(close + 2, 1);
}

bool waitUntil(const std::function<bool()>& condition) {
    const QDeadlineTimer deadline(20000);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}

} // namespace

class TestProcessList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void matchesByNameOnly_data();
    void matchesByNameOnly();
    void killEndsEveryMatchAndNothingElse();
    void neverSignalsItself();
    void zombieDoesNotCount();

private:
    std::unique_ptr<QProcess> startSleeper(const QString& name);
    FakeEncoderFolder m_folder;
};

void TestProcessList::initTestCase() {
    qunsetenv("VANTOREL_FAKE_ENCODER_SCRIPT");
    QVERIFY(m_folder.isValid());
}

std::unique_ptr<QProcess> TestProcessList::startSleeper(const QString& name) {
    auto process = std::make_unique<QProcess>();
    const QString path = m_folder.addCopy(name, QStringLiteral("sleep 60000\n"));
    if (path.isEmpty())
        return nullptr;
    process->start(path, {});
    if (!process->waitForStarted(20000))
        return nullptr;
    return process;
}

void TestProcessList::matchesByNameOnly_data() {
    QTest::addColumn<QString>("processName");
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("matches");
    const QString stem = uniqueStem();
    QTest::newRow("same name") << stem << stem << true;
    QTest::newRow("process in upper case") << stem.toUpper() << stem << true;
    QTest::newRow("query in upper case") << stem << stem.toUpper() << true;
    QTest::newRow("CONV.EXE is conv.exe") << "CONV.EXE"
                                          << "conv.exe" << true;
    QTest::newRow("longer name") << stem + ".bak" << stem << false;
    QTest::newRow("prefixed name") << "my" + stem << stem << false;
    QTest::newRow("query is a prefix") << stem << stem.chopped(4) << false;
    QTest::newRow("empty query") << stem << "" << false;
}

void TestProcessList::matchesByNameOnly() {
    QFETCH(QString, processName);
    QFETCH(QString, query);
    QFETCH(bool, matches);
    const bool uniqueQuery = query.compare(QStringLiteral("conv.exe"), Qt::CaseInsensitive) != 0;
    if (uniqueQuery)
        QVERIFY(!IsProcessRunning(query));
    const std::unique_ptr<QProcess> sleeper = startSleeper(processName);
    QVERIFY(sleeper);
    QCOMPARE(IsProcessRunning(query), matches);
    QVERIFY(IsProcessRunning(processName));
    sleeper->kill();
    QVERIFY(sleeper->waitForFinished(20000));
    if (uniqueQuery)
        QVERIFY(!IsProcessRunning(query));
}

void TestProcessList::killEndsEveryMatchAndNothingElse() {
    const QString stem = uniqueStem();
    const std::unique_ptr<QProcess> first = startSleeper(stem);
    const std::unique_ptr<QProcess> second = startSleeper(stem.toUpper());
    const std::unique_ptr<QProcess> bystander = startSleeper(QStringLiteral("my") + stem);
    QVERIFY(first && second && bystander);

    KillProcessByName(stem);
    QVERIFY(first->waitForFinished(20000));
    QVERIFY(second->waitForFinished(20000));
    QCOMPARE(first->exitStatus(), QProcess::CrashExit);
    QCOMPARE(second->exitStatus(), QProcess::CrashExit);
    QVERIFY(!IsProcessRunning(stem));
    QVERIFY(!bystander->waitForFinished(200));
    QCOMPARE(bystander->state(), QProcess::Running);
    bystander->kill();
    QVERIFY(bystander->waitForFinished(20000));
}

void TestProcessList::neverSignalsItself() {
    QFile comm(QStringLiteral("/proc/self/comm"));
    QVERIFY(comm.open(QIODevice::ReadOnly));
    const QString own = QString::fromUtf8(comm.readAll()).trimmed();
    QVERIFY(IsProcessRunning(own));
    KillProcessByName(own);
    KillProcessByName(own.toUpper());
    QVERIFY(IsProcessRunning(own));
}

void TestProcessList::zombieDoesNotCount() {
    const QString name = QStringLiteral("z") + uniqueStem();
    const QString path = m_folder.addCopy(name, QStringLiteral("exit 0\n"));
    QVERIFY(!path.isEmpty());
    QByteArray program = QFile::encodeName(path);
    char* argv[] = {program.data(), nullptr};
    pid_t pid = -1;
    QCOMPARE(::posix_spawn(&pid, program.constData(), nullptr, nullptr, argv, environ), 0);
    // Not reaped yet: it stays a zombie until waitpid below.
    const bool becameZombie = waitUntil([pid] { return processState(pid) == "Z"; });
    const bool counted = IsProcessRunning(name);
    int status = 0;
    QCOMPARE(::waitpid(pid, &status, 0), pid);
    QVERIFY(becameZombie);
    QVERIFY(!counted);
}

QTEST_GUILESS_MAIN(TestProcessList)
#include "tst_processlist.moc"
