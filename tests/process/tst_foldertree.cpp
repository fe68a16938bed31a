#include "process/FolderTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vantorel;

namespace {

bool writeFile(const QString& path, const QByteArray& content = "data") {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// Removal asks the check about every entry; each answer is recorded.
struct RecordingCheck {
    QStringList asked;
    QString refused;
    RecordingCheck() {
        setRemovalCheckForTesting([this](const QString& path) {
            asked.append(path);
            return path != refused;
        });
    }
    ~RecordingCheck() { setRemovalCheckForTesting({}); }
    RecordingCheck(const RecordingCheck&) = delete;
    RecordingCheck& operator=(const RecordingCheck&) = delete;
};

// tree/{locked.txt, top.txt, sub/{a, locked, deeper/c}}
QString makeSmallTree(const QTemporaryDir& root) {
    const QString tree = root.filePath(QStringLiteral("tree"));
    QDir().mkpath(tree + QStringLiteral("/sub/deeper"));
    for (const char* name : {"locked.txt", "top.txt", "sub/a", "sub/locked", "sub/deeper/c"})
        writeFile(tree + u'/' + QLatin1String(name));
    return tree;
}

} // namespace

class TestFolderTree : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void removesEverythingButLinkTargets();
    void entryThatCannotBeRemovedStays_data();
    void entryThatCannotBeRemovedStays();
    void leavesNonFoldersAlone_data();
    void leavesNonFoldersAlone();
    void eventsRunDuringRemoval();
};

void TestFolderTree::removesEverythingButLinkTargets() {
    QTemporaryDir root;
    const QString tree = root.filePath(QStringLiteral("tree"));
    const QString outside = root.filePath(QStringLiteral("outside"));
    QVERIFY(QDir().mkpath(tree + QStringLiteral("/sub/deeper")));
    QVERIFY(QDir().mkpath(tree + QStringLiteral("/readonly")));
    QVERIFY(QDir().mkpath(outside));
    QVERIFY(writeFile(outside + QStringLiteral("/keep.txt"), "outside folder"));
    QVERIFY(writeFile(outside + QStringLiteral("/keep2.txt"), "outside file"));
    QVERIFY(writeFile(tree + QStringLiteral("/.hidden")));
    QVERIFY(::chmod(QFile::encodeName(tree + QStringLiteral("/.hidden")).constData(), 0444) == 0);
    QVERIFY(writeFile(tree + QStringLiteral("/sub/a")));
    QVERIFY(writeFile(tree + QStringLiteral("/sub/b")));
    QVERIFY(writeFile(tree + QStringLiteral("/sub/deeper/c")));
    QVERIFY(writeFile(tree + QStringLiteral("/readonly/f")));
    QVERIFY(::chmod(QFile::encodeName(tree + QStringLiteral("/readonly")).constData(), 0500) == 0);
    QVERIFY(QFile::link(outside, tree + QStringLiteral("/folderlink")));
    QVERIFY(
        QFile::link(outside + QStringLiteral("/keep2.txt"), tree + QStringLiteral("/filelink")));
    QVERIFY(QFile::link(tree + QStringLiteral("/nowhere"), tree + QStringLiteral("/dangling")));
    // A name that is not valid UTF-8 must go too.
    const QByteArray oddName = QFile::encodeName(tree) + "/odd\xff\xfe.tmp";
    const int fd = ::open(oddName.constData(), O_WRONLY | O_CREAT, 0600);
    QVERIFY(fd >= 0);
    ::close(fd);

    RecordingCheck check;
    RemoveFolderTree(tree + u'/');

    QVERIFY(!QFileInfo::exists(tree));
    QCOMPARE(QDir(outside).entryList(QDir::Files), (QStringList{"keep.txt", "keep2.txt"}));
    QFile kept(outside + QStringLiteral("/keep.txt"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("outside folder"));
    // Children go before the folder holding them.
    QCOMPARE(check.asked.last(), tree);
    QVERIFY(check.asked.indexOf(tree + QStringLiteral("/sub/deeper/c")) <
            check.asked.indexOf(tree + QStringLiteral("/sub/deeper")));
    QVERIFY(check.asked.indexOf(tree + QStringLiteral("/sub/deeper")) <
            check.asked.indexOf(tree + QStringLiteral("/sub")));
}

void TestFolderTree::entryThatCannotBeRemovedStays_data() {
    QTest::addColumn<QString>("refused");
    QTest::addColumn<QStringList>("survivors");
    QTest::newRow("file in the folder") << "locked.txt" << QStringList{"", "locked.txt"};
    QTest::newRow("file in a nested folder")
        << "sub/locked" << QStringList{"", "sub", "sub/locked"};
    QTest::newRow("nested folder itself") << "sub" << QStringList{"", "sub"};
    QTest::newRow("the folder itself") << "" << QStringList{""};
}

void TestFolderTree::entryThatCannotBeRemovedStays() {
    QFETCH(QString, refused);
    QFETCH(QStringList, survivors);
    QTemporaryDir root;
    const QString tree = makeSmallTree(root);
    const QStringList all{"",      "locked.txt", "top.txt",    "sub",
                          "sub/a", "sub/locked", "sub/deeper", "sub/deeper/c"};
    const auto full = [&tree](const QString& relative) {
        return relative.isEmpty() ? tree : tree + u'/' + relative;
    };
    RecordingCheck check;
    check.refused = full(refused);
    RemoveFolderTree(tree);

    for (const QString& relative : all)
        QVERIFY2(QFileInfo::exists(full(relative)) == survivors.contains(relative),
                 qPrintable(relative));
    // Every entry is tried exactly once: nothing is revisited.
    QMap<QString, int> tries;
    for (const QString& path : check.asked)
        ++tries[path];
    QCOMPARE(tries.size(), all.size());
    for (auto it = tries.cbegin(); it != tries.cend(); ++it)
        QVERIFY2(it.value() == 1, qPrintable(it.key()));
}

void TestFolderTree::leavesNonFoldersAlone_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing folder") << "missing";
    QTest::newRow("link to a folder") << "link";
    QTest::newRow("plain file") << "file";
}

void TestFolderTree::leavesNonFoldersAlone() {
    QFETCH(QString, kind);
    QTemporaryDir root;
    const QString target = root.filePath(QStringLiteral("target"));
    QVERIFY(QDir().mkpath(target));
    QVERIFY(writeFile(target + QStringLiteral("/keep.txt")));
    const QString path = root.filePath(QStringLiteral("given"));
    if (kind == QLatin1String("link"))
        QVERIFY(QFile::link(target, path));
    else if (kind == QLatin1String("file"))
        QVERIFY(writeFile(path));

    RemoveFolderTree(path);

    QVERIFY(QFileInfo::exists(target + QStringLiteral("/keep.txt")));
    QCOMPARE(QFileInfo(path).isSymLink(), kind == QLatin1String("link"));
    QCOMPARE(QFileInfo(path).isFile(), kind == QLatin1String("file"));
    QCOMPARE(QFileInfo::exists(path), kind != QLatin1String("missing"));
}

void TestFolderTree::eventsRunDuringRemoval() {
    QTemporaryDir root;
    const QString tree = makeSmallTree(root);
    bool delivered = false;
    QList<bool> seen;
    setRemovalCheckForTesting([&](const QString&) {
        seen.append(delivered);
        return true;
    });
    QMetaObject::invokeMethod(
        this, [&delivered] { delivered = true; }, Qt::QueuedConnection);
    RemoveFolderTree(tree);
    setRemovalCheckForTesting({});
    QVERIFY(!QFileInfo::exists(tree));
    QVERIFY(!seen.isEmpty());
    QVERIFY(!seen.first());
    QVERIFY(seen.last());
}

QTEST_GUILESS_MAIN(TestFolderTree)
#include "tst_foldertree.moc"
