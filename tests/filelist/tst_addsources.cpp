#include "TestFiles.h"
#include "filelist/AddSources.h"
#include "filelist/FileListModel.h"
#include "platform/AppPaths.h"
#include "platform/CodePage.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vantorel;

namespace {

QList<QUrl> urlsOf(const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    return urls;
}

} // namespace

class TestAddSources : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void dropOfThreeFilesKeepsTheirOrder_data();
    void dropOfThreeFilesKeepsTheirOrder();
    void dropWithoutFilesAddsNothing_data();
    void dropWithoutFilesAddsNothing();
    void droppedFolderIsOneEntry_data();
    void droppedFolderIsOneEntry();
    void namesOutsideTheCodePage_data();
    void namesOutsideTheCodePage();
    void pathWithQuoteNeverReachesTheEncoder_data();
    void pathWithQuoteNeverReachesTheEncoder();
    void folderAddsEveryFileFound();
    void hint_data();
    void hint();

private:
    QString file(const QString& name) const {
        return m_root->filePath(QStringLiteral("src/") + name);
    }
    QString work() const { return m_root->filePath(QStringLiteral("work")); }

    std::unique_ptr<QTemporaryDir> m_root;
    LossyLatin1CodePage m_lossy;
};

void TestAddSources::init() {
    m_root = std::make_unique<QTemporaryDir>();
    paths::setWorkFolderForTesting(work());
    for (const char* name : {"A.mp3", "B.wav", "C.flac", "album/1.ogg", "album/2.ogg"})
        QVERIFY(testfiles::write(file(QString::fromLatin1(name)), name));
}

void TestAddSources::cleanup() {
    setCodePageForTesting(nullptr);
    paths::setWorkFolderForTesting(QString());
    m_root.reset();
}

void TestAddSources::dropOfThreeFilesKeepsTheirOrder_data() {
    // clang-format off
    QTest::addColumn<bool>("overlay");
    QTest::newRow("on the overlay") << true;
    QTest::newRow("on the list view") << false;
    // clang-format on
}

void TestAddSources::dropOfThreeFilesKeepsTheirOrder() {
    QFETCH(bool, overlay);
    FileListModel list;
    const QStringList paths{file("C.flac"), file("A.mp3"), file("B.wav")};
    QVERIFY(AddDroppedFiles(list, urlsOf(paths), overlay));
    QCOMPARE(list.QueuedPaths(), paths);
    QStringList formats;
    for (const FileEntry& e : list.Entries()) {
        formats.append(e.FormatLabel);
        QCOMPARE(e.DisplayText, e.QueuedPath);
    }
    QCOMPARE(formats, (QStringList{"FLAC", "MP3", "WAV"}));
    QVERIFY(!list.Hint().Visible());
    QCOMPARE(testfiles::namesIn(work()), QStringList());
}

void TestAddSources::dropWithoutFilesAddsNothing_data() {
    // clang-format off
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<bool>("overlay");
    QTest::newRow("dragged text: no URLs") << QList<QUrl>{} << true;
    QTest::newRow("web addresses on the overlay")
        << QList<QUrl>{QUrl("https://example.org/a.mp3"), QUrl("ftp://host/b.wav")} << true;
    QTest::newRow("web address on the list view")
        << QList<QUrl>{QUrl("https://example.org/a.mp3")} << false;
    // clang-format on
}

void TestAddSources::dropWithoutFilesAddsNothing() {
    QFETCH(QList<QUrl>, urls);
    QFETCH(bool, overlay);
    FileListModel list;
    QStringList errors;
    QVERIFY(!AddDroppedFiles(list, urls, overlay, &errors));
    QCOMPARE(list.Count(), 0);
    QVERIFY(list.Hint().Visible());
    QCOMPARE(errors, QStringList());
}

void TestAddSources::droppedFolderIsOneEntry_data() {
    // clang-format off
    QTest::addColumn<bool>("overlay");
    QTest::newRow("on the overlay: a working copy that cannot be made") << true;
    QTest::newRow("on the list view: queued as delivered") << false;
    // clang-format on
}

void TestAddSources::droppedFolderIsOneEntry() {
    QFETCH(bool, overlay);
    const QString folder = file("album");
    QStringList errors;
    const QList<FileEntry> entries = DroppedFilesToEntries(urlsOf({folder}), overlay, &errors);
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().DisplayText, folder);
    QCOMPARE(entries.first().FormatLabel, QStringLiteral("BUM"));
    if (overlay) {
        QVERIFY(entries.first().QueuedPath.startsWith(work() + QLatin1Char('/')));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(QLatin1String("folder")), qPrintable(errors.first()));
    } else {
        QCOMPARE(entries.first().QueuedPath, folder);
        QCOMPARE(errors, QStringList());
    }
    QCOMPARE(testfiles::namesIn(work()), QStringList());
}

void TestAddSources::namesOutsideTheCodePage_data() {
    // clang-format off
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("copy");
    QTest::newRow("overlay, three characters") << "overlay" << "\u4e2d\u6587\u5b57.flac"
                                               << "   .flac" << "FLAC" << "";
    QTest::newRow("overlay: format of the dropped name") << "overlay" << "x.mp\u4e2d" << "x.mp "
                                                         << "MP\u4e2d" << "x.tmp";
    QTest::newRow("chosen file: format of the shown name") << "chosen" << "x.mp\u4e2d" << "x.mp "
                                                           << ".MP" << "x.tmp";
    QTest::newRow("chosen file, one character") << "chosen" << "x\u4e2dy.wav" << "x y.wav" << "WAV"
                                                << "x y.tmp";
    QTest::newRow("list view: as delivered") << "plain" << "x\u4e2dy.wav" << "x\u4e2dy.wav" << "WAV"
                                             << "-";
    // clang-format on
}

void TestAddSources::namesOutsideTheCodePage() {
    QFETCH(QString, how);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QFETCH(QString, format);
    QFETCH(QString, copy);
    QVERIFY(testfiles::write(file(name), "odd"));
    setCodePageForTesting(&m_lossy);
    FileListModel list;
    QStringList errors;
    QString error;
    if (how == QLatin1String("chosen"))
        AddChosenFile(list, file(name), &error);
    else
        AddDroppedFiles(list, urlsOf({file(name)}), how == QLatin1String("overlay"), &errors);
    QCOMPARE(error, QString());
    QCOMPARE(errors, QStringList());
    QCOMPARE(list.Count(), 1);
    const FileEntry& e = list.Entry(0);
    QCOMPARE(e.DisplayText, file(shown));
    QCOMPARE(e.FormatLabel, format);
    if (copy == QLatin1String("-")) {
        QCOMPARE(e.QueuedPath, file(name));
    } else {
        QVERIFY(e.QueuedPath.startsWith(work() + QLatin1Char('/')));
        if (!copy.isEmpty())
            QCOMPARE(e.QueuedPath, work() + QLatin1Char('/') + copy);
        QCOMPARE(testfiles::read(e.QueuedPath), QByteArray("odd"));
    }
}

void TestAddSources::pathWithQuoteNeverReachesTheEncoder_data() {
    // clang-format off
    QTest::addColumn<QString>("how");
    QTest::newRow("dropped on the list view") << "plain";
    QTest::newRow("dropped on the overlay") << "overlay";
    QTest::newRow("chosen in the dialog") << "chosen";
    QTest::newRow("found in a folder") << "folder";
    // clang-format on
}

void TestAddSources::pathWithQuoteNeverReachesTheEncoder() {
    QFETCH(QString, how);
    const QString quoted = file("deep/say \"hi\".mp3");
    QVERIFY(testfiles::write(quoted, "quoted"));
    FileListModel list;
    QStringList errors;
    if (how == QLatin1String("chosen"))
        AddChosenFile(list, quoted);
    else if (how == QLatin1String("folder"))
        AddFolder(list, file("deep"), &errors);
    else
        AddDroppedFiles(list, urlsOf({quoted}), how == QLatin1String("overlay"), &errors);
    QCOMPARE(errors, QStringList());
    QCOMPARE(list.Count(), 1);
    const QString queued = list.QueuedPath(0);
    QCOMPARE(queued, work() + QStringLiteral("/say  hi .tmp"));
    QCOMPARE(testfiles::read(queued), QByteArray("quoted"));
}

void TestAddSources::folderAddsEveryFileFound() {
    FileListModel list;
    list.Append(
        {QStringLiteral("/before.mp3"), QStringLiteral("MP3"), QStringLiteral("/before.mp3")});
    AddFolder(list, file("album"));
    QCOMPARE(list.Count(), 3);
    QCOMPARE(list.QueuedPath(0), QStringLiteral("/before.mp3"));
    const QStringList added = list.QueuedPaths().mid(1);
    QCOMPARE(QSet<QString>(added.begin(), added.end()),
             (QSet<QString>{file("album/1.ogg"), file("album/2.ogg")}));
    for (qsizetype i = 1; i < list.Count(); ++i) {
        QCOMPARE(list.Entry(i).DisplayText, list.Entry(i).QueuedPath);
        QCOMPARE(list.Entry(i).FormatLabel, QStringLiteral("OGG"));
    }
}

void TestAddSources::hint_data() {
    // clang-format off
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("visibleBefore");
    QTest::addColumn<bool>("visibleAfter");
    QTest::newRow("add a file") << "file" << 0 << true << false;
    QTest::newRow("cancel adding a file") << "no file" << 0 << true << true;
    QTest::newRow("add a folder") << "folder" << 0 << true << false;
    QTest::newRow("add an empty folder") << "empty folder" << 0 << true << true;
    QTest::newRow("add an empty folder to rows") << "empty folder" << 2 << false << false;
    QTest::newRow("cancel adding a folder") << "no folder" << 0 << true << true;
    QTest::newRow("drop files") << "drop" << 0 << true << false;
    QTest::newRow("text drop on an empty list") << "text drop" << 0 << true << true;
    QTest::newRow("text drop on rows") << "text drop" << 2 << true << false;
    QTest::newRow("remove one of two") << "remove selected" << 2 << true << true;
    QTest::newRow("remove the last row") << "remove selected" << 1 << false << true;
    QTest::newRow("remove none of none") << "remove none" << 0 << false << true;
    QTest::newRow("remove none of rows") << "remove none" << 2 << false << false;
    QTest::newRow("remove all while searching") << "remove all" << 3 << true << true;
    QTest::newRow("the run finishes the last entry") << "run" << 1 << false << false;
    // clang-format on
}

void TestAddSources::hint() {
    QFETCH(QString, operation);
    QFETCH(int, rows);
    QFETCH(bool, visibleBefore);
    QFETCH(bool, visibleAfter);
    QVERIFY(QDir().mkpath(file("nothing")));
    FileListModel list;
    for (int i = 0; i < rows; ++i)
        list.Append({file("A.mp3"), QStringLiteral("MP3"), file("A.mp3")});
    list.Hint().SetVisible(visibleBefore);
    // "remove all" starts under the search caption and must end under the drag caption.
    if (operation == QLatin1String("remove all"))
        list.Hint().SetCaption(DropHint::SearchingCaption());
    QString captionSeen;
    QObject::connect(&list.Hint(), &DropHint::Changed, &list, [&] {
        if (list.Hint().Caption() == DropHint::SearchingCaption())
            captionSeen = list.Hint().Caption();
    });
    if (operation == QLatin1String("file"))
        AddChosenFile(list, file("A.mp3"));
    else if (operation == QLatin1String("no file"))
        AddChosenFile(list, QString());
    else if (operation == QLatin1String("folder"))
        AddFolder(list, file("album"));
    else if (operation == QLatin1String("empty folder"))
        AddFolder(list, file("nothing"));
    else if (operation == QLatin1String("no folder"))
        AddFolder(list, QString());
    else if (operation == QLatin1String("drop"))
        AddDroppedFiles(list, urlsOf({file("B.wav")}), true);
    else if (operation == QLatin1String("text drop"))
        AddDroppedFiles(list, {}, true);
    else if (operation == QLatin1String("remove selected"))
        list.RemoveSelectedEntry(0);
    else if (operation == QLatin1String("remove none"))
        list.RemoveSelectedEntry(-1);
    else if (operation == QLatin1String("remove all"))
        list.RemoveAllEntries();
    else if (operation == QLatin1String("run"))
        list.RemoveFirstEntry();
    QCOMPARE(list.Hint().Visible(), visibleAfter);
    QCOMPARE(list.Hint().Caption(), DropHint::DragCaption());
    const bool searched = operation.contains(QLatin1String("folder"));
    QCOMPARE(captionSeen.isEmpty(), !searched);
}

QTEST_GUILESS_MAIN(TestAddSources)
#include "tst_addsources.moc"
