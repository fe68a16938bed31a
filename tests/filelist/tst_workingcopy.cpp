#include "TestFiles.h"
#include "filelist/WorkingCopy.h"
#include "platform/AppPaths.h"
#include "platform/CodePage.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace vantorel;

namespace {

// Stands for the local date and time that replaces a blank name.
const QString DateTimeName = QStringLiteral("<date-time>");

bool isDateTimeNear(const QString& name, const QDateTime& before, const QDateTime& after) {
    const QString format = QStringLiteral("yyyyMMdd-HHmmss");
    return name.size() == 15 && name >= before.toString(format) && name <= after.toString(format);
}

} // namespace

class TestWorkingCopy : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void unsafeForEncoder_data();
    void unsafeForEncoder();
    void workingCopyName_data();
    void workingCopyName();
    void displayText_data();
    void displayText();
    void queuedPath_data();
    void queuedPath();
    void copiesOfEqualNamesStaySeparate_data();
    void copiesOfEqualNamesStaySeparate();
    void failedCopyKeepsItsName();
    void unusableSource_data();
    void unusableSource();
    void unsafeWorkFolderIsRefused_data();
    void unsafeWorkFolderIsRefused();

private:
    QString source(const QString& name) const {
        return m_root->filePath(QStringLiteral("src/") + name);
    }
    QString work() const { return m_root->filePath(QStringLiteral("work")); }

    std::unique_ptr<QTemporaryDir> m_root;
    LossyLatin1CodePage m_lossy;
};

void TestWorkingCopy::init() {
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    paths::setWorkFolderForTesting(work());
}

void TestWorkingCopy::cleanup() {
    setCodePageForTesting(nullptr);
    paths::setWorkFolderForTesting(QString());
    m_root.reset();
}

void TestWorkingCopy::unsafeForEncoder_data() {
    // clang-format off
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("unsafe");
    QTest::newRow("ordinary") << "/m/Live Set.mp3" << false;
    QTest::newRow("double quote") << "/m/a\"b.mp3" << true;
    QTest::newRow("line break") << "/m/a\nb.mp3" << true;
    QTest::newRow("carriage return") << "/m/a\rb.mp3" << true;
    QTest::newRow("starts with a dash") << "-y.mp3" << true;
    QTest::newRow("dash inside an absolute path") << "/m/-y.mp3" << false;
    QTest::newRow("single quote and backslash") << "/m/it's\\.mp3" << false;
    // clang-format on
}

void TestWorkingCopy::unsafeForEncoder() {
    QFETCH(QString, path);
    QFETCH(bool, unsafe);
    QCOMPARE(IsUnsafeForEncoder(path), unsafe);
}

void TestWorkingCopy::workingCopyName_data() {
    // clang-format off
    QTest::addColumn<bool>("lossy");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    const QString longBase =
        QString(120, QLatin1Char('a')) + QChar(0x4e2d) + QString(129, QLatin1Char('b'));
    QTest::newRow("one character outside the page") << true << "/m/x\u4e2dy.wav" << "x y";
    QTest::newRow("three outside the page") << true << "/m/\u4e2d\u6587\u5b57.flac" << DateTimeName;
    QTest::newRow("250 characters: first 200") << true << "/m/" + longBase + ".wav"
        << QString(120, QLatin1Char('a')) + QLatin1Char(' ') + QString(79, QLatin1Char('b'));
    QTest::newRow("characters a name cannot hold") << true << "/m/a\"b<c>d:e*f|g\\h?i.mp3"
                                                   << "a b c d e f g h i";
    QTest::newRow("line break") << false << "/m/a\nb.mp3" << "a b";
    QTest::newRow("spaces at the ends stay") << true << "/m/ a .mp3" << " a ";
    QTest::newRow("no extension") << true << "/m/README" << DateTimeName;
    QTest::newRow("dot first") << true << "/m/.mp3" << DateTimeName;
    QTest::newRow("lossless page keeps the name") << false << "/m/\u4e2d\u6587.mp3"
                                                  << "\u4e2d\u6587";
    QTest::newRow("no half of a surrogate pair")
        << false << "/m/" + QString(199, QLatin1Char('a')) + "\U0001F600.mp3"
        << QString(199, QLatin1Char('a'));
    QTest::newRow("short enough for the file system")
        << false << "/m/" + QString(200, QChar(0x4e2d)) + ".mp3" << QString(79, QChar(0x4e2d));
    // clang-format on
}

void TestWorkingCopy::workingCopyName() {
    QFETCH(bool, lossy);
    QFETCH(QString, path);
    QFETCH(QString, name);
    if (lossy)
        setCodePageForTesting(&m_lossy);
    const QDateTime before = QDateTime::currentDateTime();
    const QString made = WorkingCopyName(path);
    const QDateTime after = QDateTime::currentDateTime();
    if (name == DateTimeName)
        QVERIFY2(isDateTimeNear(made, before, after), qPrintable(made));
    else
        QCOMPARE(made, name);
}

void TestWorkingCopy::displayText_data() {
    // clang-format off
    QTest::addColumn<bool>("lossy");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("text");
    QTest::newRow("ordinary") << true << "/Music/song.mp3" << "/Music/song.mp3";
    QTest::newRow("one outside the page") << true << "/m/x\u4e2dy.wav" << "/m/x y.wav";
    QTest::newRow("three outside the page") << true << "/m/\u4e2d\u6587\u5b57.flac"
                                            << "/m/   .flac";
    QTest::newRow("a ? in the folder stays") << true << "/m\u4e2d/a.mp3" << "/m?/a.mp3";
    QTest::newRow("double quote") << false << "/m/a\"b.mp3" << "/m/a b.mp3";
    QTest::newRow("backslash stays") << false << "/m/a\\b.mp3" << "/m/a\\b.mp3";
    QTest::newRow("bare name") << true << "x\u4e2d.mp3" << "x .mp3";
    // clang-format on
}

void TestWorkingCopy::displayText() {
    QFETCH(bool, lossy);
    QFETCH(QString, path);
    QFETCH(QString, text);
    if (lossy)
        setCodePageForTesting(&m_lossy);
    QCOMPARE(DisplayTextFor(path), text);
}

void TestWorkingCopy::queuedPath_data() {
    // clang-format off
    QTest::addColumn<bool>("lossy");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("copy");
    QTest::newRow("the page holds it: no copy") << true << "song.mp3" << "";
    QTest::newRow("dash in an absolute path: no copy") << false << "-song.mp3" << "";
    QTest::newRow("outside the page") << true << "x\u4e2dy.wav" << "x y.tmp";
    QTest::newRow("double quote") << false << "say \"hi\".mp3" << "say  hi .tmp";
    QTest::newRow("line break") << false << "two\nlines.ogg" << "two lines.tmp";
    // clang-format on
}

void TestWorkingCopy::queuedPath() {
    QFETCH(bool, lossy);
    QFETCH(QString, name);
    QFETCH(QString, copy);
    const QByteArray content = "audio of " + name.toUtf8();
    QVERIFY(testfiles::write(source(name), content));
    if (lossy)
        setCodePageForTesting(&m_lossy);
    QString error = QStringLiteral("stale");
    const QString queued = QueuedPathFor(source(name), &error);
    QCOMPARE(error, QString());
    if (copy.isEmpty()) {
        QCOMPARE(queued, source(name));
        QCOMPARE(testfiles::namesIn(work()), QStringList());
    } else {
        QCOMPARE(queued, work() + QLatin1Char('/') + copy);
        QCOMPARE(testfiles::read(queued), content);
        QVERIFY(!IsUnsafeForEncoder(queued));
    }
    QCOMPARE(testfiles::read(source(name)), content);
}

void TestWorkingCopy::copiesOfEqualNamesStaySeparate_data() {
    // clang-format off
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("alreadyInWorkFolder");
    QTest::addColumn<QStringList>("copies");
    QTest::newRow("same base name in two folders")
        << QStringList{"one/x\u4e2dy.wav", "two/x\u4e2dy.mp3"} << QStringList{}
        << QStringList{"x y.tmp", "x y (2).tmp"};
    QTest::newRow("the same file twice") << QStringList{"x\u4e2dy.wav", "x\u4e2dy.wav"}
                                         << QStringList{} << QStringList{"x y.tmp", "x y (2).tmp"};
    QTest::newRow("a file of that name is there")
        << QStringList{"q\u4e2dr.mp3"} << QStringList{"q r.tmp"} << QStringList{"q r (2).tmp"};
    QTest::newRow("blank names") << QStringList{"a/\u4e2d.mp3", "b/\u4e2d.mp3", "c/\u4e2d.mp3"}
                                 << QStringList{} << QStringList{};
    // clang-format on
}

void TestWorkingCopy::copiesOfEqualNamesStaySeparate() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, alreadyInWorkFolder);
    QFETCH(QStringList, copies);
    for (const QString& name : alreadyInWorkFolder)
        QVERIFY(testfiles::write(work() + QLatin1Char('/') + name, "older"));
    setCodePageForTesting(&m_lossy);
    QStringList queued;
    for (int i = 0; i < names.size(); ++i) {
        QVERIFY(testfiles::write(source(names.at(i)), QByteArray::number(i)));
        QString error;
        queued.append(QueuedPathFor(source(names.at(i)), &error));
        QCOMPARE(error, QString());
    }
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(testfiles::read(queued.at(i)), QByteArray::number(i));
        if (!copies.isEmpty())
            QCOMPARE(queued.at(i), work() + QLatin1Char('/') + copies.at(i));
    }
    QCOMPARE(QSet<QString>(queued.begin(), queued.end()).size(), names.size());
    for (const QString& name : alreadyInWorkFolder)
        QCOMPARE(testfiles::read(work() + QLatin1Char('/') + name), QByteArray("older"));
}

void TestWorkingCopy::failedCopyKeepsItsName() {
    setCodePageForTesting(&m_lossy);
    QString error;
    const QString failed = QueuedPathFor(source(QStringLiteral("gone/x\u4e2dy.wav")), &error);
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo::exists(failed));
    QVERIFY(testfiles::write(source(QStringLiteral("x\u4e2dy.wav")), "real"));
    const QString made = QueuedPathFor(source(QStringLiteral("x\u4e2dy.wav")), &error);
    QCOMPARE(error, QString());
    QVERIFY(made != failed);
    QCOMPARE(testfiles::read(made), QByteArray("real"));
}

void TestWorkingCopy::unusableSource_data() {
    // clang-format off
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "missing" << "cannot be read";
    QTest::newRow("folder") << "folder" << "is a folder";
    QTest::newRow("pipe") << "pipe" << "not a regular file";
    // clang-format on
}

void TestWorkingCopy::unusableSource() {
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QString path = source(QStringLiteral("odd\"name.mp3"));
    QVERIFY(QDir().mkpath(source(QString())));
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    else if (kind == QLatin1String("pipe"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QString error;
    const QString queued = QueuedPathFor(path, &error);
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(error.contains(path));
    QVERIFY(queued.startsWith(work() + QLatin1Char('/')));
    QCOMPARE(testfiles::namesIn(work()), QStringList());
}

void TestWorkingCopy::unsafeWorkFolderIsRefused_data() {
    // clang-format off
    QTest::addColumn<QString>("standing");
    QTest::addColumn<QString>("reason");
    QTest::newRow("symbolic link") << "link" << "symbolic link";
    QTest::newRow("a file") << "file" << "not a folder";
    // clang-format on
}

void TestWorkingCopy::unsafeWorkFolderIsRefused() {
    QFETCH(QString, standing);
    QFETCH(QString, reason);
    const QString elsewhere = m_root->filePath(QStringLiteral("elsewhere"));
    QVERIFY(QDir().mkpath(elsewhere));
    if (standing == QLatin1String("link"))
        QVERIFY(QFile::link(elsewhere, work()));
    else
        QVERIFY(testfiles::write(work(), "not a folder"));
    QVERIFY(testfiles::write(source(QStringLiteral("a\"b.mp3")), "audio"));
    QString error;
    QueuedPathFor(source(QStringLiteral("a\"b.mp3")), &error);
    QVERIFY2(error.contains(reason), qPrintable(error));
    QCOMPARE(testfiles::namesIn(elsewhere), QStringList());
    QCOMPARE(QFileInfo(work()).isSymLink(), standing == QLatin1String("link"));
}

QTEST_GUILESS_MAIN(TestWorkingCopy)
#include "tst_workingcopy.moc"
