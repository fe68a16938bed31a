#include "TestFiles.h"
#include "filelist/FileSearch.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vantorel;

namespace {

// What the search must deliver, worked out independently through QDir's unsorted listing (the
// file system's own order): a folder's files first, then each subfolder's tree in turn.
QStringList expectedOrder(const QString& folder) {
    const QDir dir(folder);
    QStringList result;
    for (const QString& name :
         dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted))
        result.append(folder + QLatin1Char('/') + name);
    for (const QString& name : dir.entryList(
             QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Unsorted))
        result.append(expectedOrder(folder + QLatin1Char('/') + name));
    return result;
}

QStringList search(const QString& folder) {
    QStringList found;
    SearchFolder(folder, found);
    return found;
}

} // namespace

class TestFileSearch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { SetListingRefusalForTesting({}); }
    void trimNameField_data();
    void trimNameField();
    void filesBeforeSubfolders();
    void nestedTreeDepthFirst();
    void everyOneOf250Subfolders();
    void linksAreNotFollowedIntoFolders();
    void hiddenFilesAndFolders();
    void unlistableFolderContributesNothing_data();
    void unlistableFolderContributesNothing();
    void onlyRegularFiles();
    void missingFolderAddsNothing();
    void pathsKeepTheChosenFolderAsGiven();
    void largeFolderIsQuick();
};

void TestFileSearch::trimNameField_data() {
    // clang-format off
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("name");
    QTest::newRow("NUL padding") << QStringLiteral("a.mp3") + QString(5, QChar(0)) << "a.mp3";
    QTest::newRow("spaces and NULs mixed")
        << QStringLiteral("a b") + QChar(u' ') + QChar(0) + QChar(u' ') + QChar(0) << "a b";
    QTest::newRow("nothing else") << QString(3, QChar(0)) + "  " << "";
    QTest::newRow("leading spaces stay") << "  a" << "  a";
    QTest::newRow("clean") << "song.wav" << "song.wav";
    QTest::newRow("empty") << "" << "";
    // clang-format on
}

void TestFileSearch::trimNameField() {
    QFETCH(QString, field);
    QFETCH(QString, name);
    QCOMPARE(TrimNameField(field), name);
}

void TestFileSearch::filesBeforeSubfolders() {
    QTemporaryDir root;
    const QString f = root.path();
    QVERIFY(testfiles::write(f + "/S/c.wav"));
    QVERIFY(testfiles::write(f + "/a.mp3"));
    QVERIFY(testfiles::write(f + "/b.txt"));
    const QStringList found = search(f);
    QCOMPARE(found.size(), 3);
    QCOMPARE(QSet<QString>(found.begin(), found.begin() + 2),
             (QSet<QString>{f + "/a.mp3", f + "/b.txt"}));
    QCOMPARE(found.last(), f + "/S/c.wav");
}

void TestFileSearch::nestedTreeDepthFirst() {
    QTemporaryDir root;
    const QString f = root.path();
    for (const char* path : {"/1.mp3", "/A/2.mp3", "/A/B/3.mp3", "/A/B/C/4.mp3", "/A/5.mp3",
                             "/D/6.mp3", "/D/E/7.mp3", "/F/G/H/8.mp3", "/9.mp3", "/D/10.mp3"})
        QVERIFY(testfiles::write(f + QLatin1String(path)));
    QVERIFY(QDir().mkpath(f + "/empty/emptier"));
    const QStringList found = search(f);
    QCOMPARE(found, expectedOrder(f));
    QCOMPARE(found.size(), 10);
    const auto at = [&found, &f](const char* p) { return found.indexOf(f + QLatin1String(p)); };
    QVERIFY(at("/A/5.mp3") < at("/A/B/3.mp3"));
    QVERIFY(at("/A/B/3.mp3") < at("/A/B/C/4.mp3"));
}

void TestFileSearch::everyOneOf250Subfolders() {
    QTemporaryDir root;
    for (int i = 0; i < 250; ++i)
        QVERIFY(testfiles::write(root.filePath(QStringLiteral("sub%1/f%1.wav").arg(i))));
    const QStringList found = search(root.path());
    QCOMPARE(found.size(), 250);
    QCOMPARE(found, expectedOrder(root.path()));
}

void TestFileSearch::linksAreNotFollowedIntoFolders() {
    QTemporaryDir root;
    QTemporaryDir outside;
    const QString f = root.path();
    QVERIFY(testfiles::write(f + "/sub/a.mp3"));
    QVERIFY(testfiles::write(outside.filePath("far.mp3")));
    QVERIFY(QFile::link(f, f + "/sub/loop"));
    QVERIFY(QFile::link(outside.path(), f + "/sub/away"));
    QVERIFY(QFile::link(outside.filePath("far.mp3"), f + "/sub/linked.mp3"));
    QVERIFY(QFile::link(f + "/nothing-there.mp3", f + "/sub/dangling.mp3"));
    const QStringList found = search(f);
    QCOMPARE(QSet<QString>(found.begin(), found.end()),
             (QSet<QString>{f + "/sub/a.mp3", f + "/sub/linked.mp3"}));
    QCOMPARE(found.size(), 2);
}

void TestFileSearch::hiddenFilesAndFolders() {
    QTemporaryDir root;
    const QString f = root.path();
    QVERIFY(testfiles::write(f + "/.hidden.mp3"));
    QVERIFY(testfiles::write(f + "/.secret/inner.wav"));
    QVERIFY(testfiles::write(f + "/readonly/r.ogg"));
    QVERIFY(QFile::setPermissions(f + "/readonly", QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const QStringList found = search(f);
    QFile::setPermissions(f + "/readonly",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(found, expectedOrder(f));
    QCOMPARE(QSet<QString>(found.begin(), found.end()),
             (QSet<QString>{f + "/.hidden.mp3", f + "/.secret/inner.wav", f + "/readonly/r.ogg"}));
    for (const QString& path : found)
        QVERIFY(!path.endsWith(QLatin1String("/.")) && !path.endsWith(QLatin1String("/..")));
}

void TestFileSearch::unlistableFolderContributesNothing_data() {
    // clang-format off
    QTest::addColumn<bool>("byPermissions");
    QTest::newRow("listing refused") << false;
    QTest::newRow("no read permission") << true;
    // clang-format on
}

void TestFileSearch::unlistableFolderContributesNothing() {
    QFETCH(bool, byPermissions);
    if (byPermissions && ::geteuid() == 0)
        QSKIP("root reads any folder; the refused listing covers this");
    QTemporaryDir root;
    const QString f = root.path();
    QVERIFY(testfiles::write(f + "/a.mp3"));
    QVERIFY(testfiles::write(f + "/closed/deeper/x.mp3"));
    QVERIFY(testfiles::write(f + "/closed/y.mp3"));
    QVERIFY(testfiles::write(f + "/open/z.mp3"));
    if (byPermissions)
        QVERIFY(QFile::setPermissions(f + "/closed", QFileDevice::WriteOwner));
    else
        SetListingRefusalForTesting([f](const QString& folder) { return folder == f + "/closed"; });
    const QStringList found = search(f);
    QFile::setPermissions(f + "/closed",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(QSet<QString>(found.begin(), found.end()),
             (QSet<QString>{f + "/a.mp3", f + "/open/z.mp3"}));
}

void TestFileSearch::onlyRegularFiles() {
    QTemporaryDir root;
    const QString f = root.path();
    QVERIFY(testfiles::write(f + "/song.mp3"));
    QCOMPARE(::mkfifo(QFile::encodeName(f + "/pipe.mp3").constData(), 0600), 0);
    QCOMPARE(search(f), QStringList{f + "/song.mp3"});
}

void TestFileSearch::missingFolderAddsNothing() {
    QTemporaryDir root;
    QStringList found{QStringLiteral("kept")};
    SearchFolder(root.filePath("missing"), found);
    QVERIFY(testfiles::write(root.filePath("file.mp3")));
    SearchFolder(root.filePath("file.mp3"), found);
    QCOMPARE(found, QStringList{QStringLiteral("kept")});
}

void TestFileSearch::pathsKeepTheChosenFolderAsGiven() {
    QTemporaryDir root;
    QVERIFY(testfiles::write(root.filePath("a \u4e2d \"q\".mp3")));
    QCOMPARE(search(root.path() + "/"), QStringList{root.path() + "//a \u4e2d \"q\".mp3"});
}

void TestFileSearch::largeFolderIsQuick() {
    // Creating thousands of files on a busy disk takes far longer than searching them; a
    // memory-backed folder keeps the test quick where there is one.
    const QString shm = QStringLiteral("/dev/shm");
    QTemporaryDir root(QFileInfo(shm).isDir() && QFileInfo(shm).isWritable()
                           ? shm + QStringLiteral("/tst_filesearch-XXXXXX")
                           : QDir::tempPath() + QStringLiteral("/tst_filesearch-XXXXXX"));
    QVERIFY(root.isValid());
    const QByteArray folder = QFile::encodeName(root.path());
    constexpr int files = 10000;
    for (int i = 0; i < files; ++i) {
        const QByteArray path = folder + "/track" + QByteArray::number(i) + ".mp3";
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0600);
        QVERIFY(fd >= 0);
        ::close(fd);
    }
    QElapsedTimer clock;
    clock.start();
    const QStringList found = search(root.path());
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(found.size(), files);
}

QTEST_GUILESS_MAIN(TestFileSearch)
#include "tst_filesearch.moc"
