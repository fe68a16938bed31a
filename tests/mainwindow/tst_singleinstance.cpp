#include "mainwindow/SingleInstance.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace vantorel;

// One running copy per user: the lock itself, and the real program started more than once.
class TestSingleInstance : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lockHeldUntilReleased();
    void secondStartEndsAtOnce();

private:
    std::unique_ptr<QProcess> start(const QString& runtimeFolder);
};

void TestSingleInstance::lockHeldUntilReleased() {
    QTemporaryDir dir;
    const QString lock = dir.filePath(QStringLiteral("vantorel.lock"));
    auto first = std::make_unique<SingleInstance>(lock);
    QVERIFY(first->IsFirst());
    {
        const SingleInstance second(lock);
        QVERIFY(!second.IsFirst());
    }
    QVERIFY(QFileInfo::exists(lock));
    first.reset();
    QVERIFY(!QFileInfo::exists(lock));
    const SingleInstance third(lock);
    QVERIFY(third.IsFirst());
}

std::unique_ptr<QProcess> TestSingleInstance::start(const QString& runtimeFolder) {
    auto program = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The lock lives in the user's runtime folder; this one belongs to the test alone.
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
    program->setProcessEnvironment(env);
    program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program->start(QStringLiteral(VANTOREL_APP_DIR "/vantorel"), {});
    return program;
}

void TestSingleInstance::secondStartEndsAtOnce() {
    QTemporaryDir runtime;
    QVERIFY(QFile::setPermissions(runtime.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QString lock = runtime.filePath(QStringLiteral("vantorel.lock"));

    auto first = start(runtime.path());
    QVERIFY(first->waitForStarted(30000));
    QVERIFY(QTest::qWaitFor([&] { return QFileInfo::exists(lock); }, 60000));

    QElapsedTimer clock;
    clock.start();
    auto second = start(runtime.path());
    QVERIFY(second->waitForFinished(60000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QVERIFY2(clock.elapsed() < 30000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(first->state(), QProcess::Running); // the first copy is untouched

    // A copy that crashed leaves its lock behind; the next start takes it over.
    first->kill();
    QVERIFY(first->waitForFinished(30000));
    QVERIFY(QFileInfo::exists(lock));
    auto third = start(runtime.path());
    QVERIFY(third->waitForStarted(30000));
    QVERIFY(!third->waitForFinished(3000));
    QCOMPARE(third->state(), QProcess::Running);
    third->kill();
    QVERIFY(third->waitForFinished(30000));
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
