#include "platform/AppPaths.h"
#include "platform/CodePage.h"
#include "platform/FileChecks.h"
#include "platform/WorkFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace vantorel;

class TestPlatform : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void existenceTests_data();
    void existenceTests();
    void lossyCodePageHidesUnrepresentableNames();
    void workFolderIsCreatedPrivate();
    void workFolderThatIsALinkIsRefused();
    void workFolderThatIsAFileIsRefused();
    void settingsFolderFallsBackWhenProgramFolderIsReadOnly();
};

void TestPlatform::existenceTests_data() {
    QTest::addColumn<QString>("relative");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<bool>("file");
    QTest::newRow("existing folder") << "dir" << true << false;
    QTest::newRow("existing file") << "file.mp3" << false << true;
    QTest::newRow("missing path") << "nothing-here" << false << false;
    QTest::newRow("empty text") << "" << false << false;
}

void TestPlatform::existenceTests() {
    QFETCH(QString, relative);
    QFETCH(bool, folder);
    QFETCH(bool, file);
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkdir(QStringLiteral("dir")));
    QFile f(root.filePath(QStringLiteral("file.mp3")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    const QString path = relative.isEmpty() ? QString() : root.filePath(relative);
    QCOMPARE(FolderExists(path), folder);
    QCOMPARE(FileExists(path), file);
}

void TestPlatform::lossyCodePageHidesUnrepresentableNames() {
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("\u4e2d\u6587"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(FolderExists(folder));
    LossyLatin1CodePage lossy;
    setCodePageForTesting(&lossy);
    QCOMPARE(toNarrowAndBack(QStringLiteral("a\u4e2db.wav")), QStringLiteral("a?b.wav"));
    QVERIFY(!FolderExists(folder));
    setCodePageForTesting(nullptr);
    QCOMPARE(toNarrowAndBack(folder), folder);
}

void TestPlatform::workFolderIsCreatedPrivate() {
    QTemporaryDir root;
    const QString work = root.filePath(QStringLiteral("work"));
    paths::setWorkFolderForTesting(work);
    QVERIFY(workfolder::isSafe());
    QVERIFY(workfolder::prepare());
    struct stat st {};
    QCOMPARE(::lstat(QFile::encodeName(work).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0700u);
    QVERIFY(workfolder::prepare());
    QCOMPARE(paths::tempWavPath(), work + QStringLiteral("/tmp.wav"));
    paths::setWorkFolderForTesting(QString());
}

void TestPlatform::workFolderThatIsALinkIsRefused() {
    QTemporaryDir root;
    const QString target = root.filePath(QStringLiteral("elsewhere"));
    QVERIFY(QDir().mkdir(target));
    const QString work = root.filePath(QStringLiteral("work"));
    QVERIFY(QFile::link(target, work));
    paths::setWorkFolderForTesting(work);
    QString reason;
    QVERIFY(!workfolder::prepare(&reason));
    QVERIFY(reason.contains(work));
    QVERIFY(reason.contains(QStringLiteral("symbolic link")));
    QVERIFY(!workfolder::isSafe());
    paths::setWorkFolderForTesting(QString());
}

void TestPlatform::workFolderThatIsAFileIsRefused() {
    QTemporaryDir root;
    const QString work = root.filePath(QStringLiteral("work"));
    QFile f(work);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    paths::setWorkFolderForTesting(work);
    QString reason;
    QVERIFY(!workfolder::prepare(&reason));
    QVERIFY(reason.contains(QStringLiteral("not a folder")));
    paths::setWorkFolderForTesting(QString());
}

void TestPlatform::settingsFolderFallsBackWhenProgramFolderIsReadOnly() {
    // Root may write anywhere, so a folder that does not exist stands for one we cannot write.
    paths::setAppFolderForTesting(QStringLiteral("/nonexistent/vantorel-program"));
    QVERIFY(paths::settingsFolder().endsWith(QStringLiteral("/vantorel")));
    QVERIFY(!paths::settingsFolder().startsWith(QStringLiteral("/nonexistent")));
    QTemporaryDir writable;
    paths::setAppFolderForTesting(writable.path());
    QCOMPARE(paths::setupIniPath(), writable.path() + QStringLiteral("/setup.ini"));
    QCOMPARE(paths::encoderPath(), writable.path() + QStringLiteral("/data/conv.exe"));
    paths::setAppFolderForTesting(QString());
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
