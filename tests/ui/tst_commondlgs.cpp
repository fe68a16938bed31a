#include "platform/CodePage.h"
#include "ui/BrowseForFolder.h"
#include "ui/CommonDlgsW.h"
#include "ui/ScriptedDialogBackend.h"

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using namespace vantorel;

namespace {

constexpr QChar Nul(u'\0');

const QString AddFilesFilter =
    QStringLiteral("MP3 Audio(*.mp3)|*.mp3|WAVE Files(*.wav)|*.wav|WMA Audio(*.wma)|*.wma|FLAC "
                   "Files(*.flac)|*.flac|AAC Files(*.aac)|*.aac|AC3 Files(*.ac3)|*.ac3|OGG "
                   "Files(*.ogg)|*.ogg|MPEG4 Files(*.mp4)|*.mp4|AVI Files(*.avi)|*.avi|MPG "
                   "Files(*.mpg)|*.mpg|WMV Files(*.wmv)|*.wmv|Flash Video(*.flv)|*.flv|QuickTime "
                   "Format(*.mov)|*.mov|DVD VOB(*.vob)|*.vob|Real Video(*.rm)|*.rm|3GP "
                   "Video(*.3gp)|*.3gp|All Media Formats(*.*)|*.*");

QString Padded(const QString& text) {
    return text + QString(256 - text.size(), Nul);
}

} // namespace

class TestCommonDlgs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void defaults();
    void nameFilters_data();
    void nameFilters();
    void addFilesFilterReachesTheDialog();
    void filterIndex_data();
    void filterIndex();
    void requestCarriesTheFields();
    void singleSelection_data();
    void singleSelection();
    void multiSelection_data();
    void multiSelection();
    void tooLongBeforeAnyDialog_data();
    void tooLongBeforeAnyDialog();
    void answerLongerThanCapacityFails_data();
    void answerLongerThanCapacityFails();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void saveDialog();
    void colourValues_data();
    void colourValues();
    void showColor();
    void browseForFolder_data();
    void browseForFolder();
    void browseThroughLossyCodePage();
};

void TestCommonDlgs::defaults() {
    const CommonDlgsW dialogs;
    QCOMPARE(dialogs.Flags, 0);
    QCOMPARE(dialogs.Filter, QStringLiteral("All files (*.*)|*.*"));
    QCOMPARE(dialogs.FilterIndex, 1);
    QCOMPARE(dialogs.MaxFileSize, 256);
    QCOMPARE(dialogs.Color(), 12632256);
    QVERIFY(dialogs.FileName.isEmpty());
    QVERIFY(dialogs.InitDir.isEmpty());
}

void TestCommonDlgs::nameFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("default, all files")
        << "All files (*.*)|*.*" << QStringList{"All files (*.*) (*)"};
    QTest::newRow("two pairs") << "MP3 Audio(*.mp3)|*.mp3|WAVE Files(*.wav)|*.wav"
                               << QStringList{"MP3 Audio(*.mp3) (*.mp3)",
                                              "WAVE Files(*.wav) (*.wav)"};
    QTest::newRow("several patterns in a pair")
        << "Audio|*.mp3;*.wav" << QStringList{"Audio (*.mp3 *.wav)"};
    QTest::newRow("pair without its pattern is dropped")
        << "MP3|*.mp3|Odd" << QStringList{"MP3 (*.mp3)"};
    QTest::newRow("empty item ends the list")
        << "MP3|*.mp3||x|WAV|*.wav" << QStringList{"MP3 (*.mp3)"};
    QTest::newRow("empty filter") << "" << QStringList{};
}

void TestCommonDlgs::nameFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(NameFiltersFromBarFilter(filter), expected);
}

void TestCommonDlgs::addFilesFilterReachesTheDialog() {
    ScriptedDialogBackend backend;
    CommonDlgsW dialogs;
    dialogs.Filter = AddFilesFilter;
    QVERIFY(!dialogs.ShowOpen(nullptr));
    QCOMPARE(backend.calls.size(), 1);
    const QStringList filters = backend.calls[0].file.nameFilters;
    QCOMPARE(filters.size(), 17);
    QCOMPARE(filters.first(), QStringLiteral("MP3 Audio(*.mp3) (*.mp3)"));
    QCOMPARE(filters[14], QStringLiteral("Real Video(*.rm) (*.rm)"));
    QCOMPARE(filters.last(), QStringLiteral("All Media Formats(*.*) (*)"));
    QCOMPARE(backend.calls[0].file.selectedFilter, 0);
}

void TestCommonDlgs::filterIndex_data() {
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<int>("selected");
    QTest::newRow("first") << 1 << 0;
    QTest::newRow("second") << 2 << 1;
    QTest::newRow("zero falls back to the first") << 0 << 0;
    QTest::newRow("past the end falls back to the first") << 3 << 0;
    QTest::newRow("negative") << -4 << 0;
}

void TestCommonDlgs::filterIndex() {
    QFETCH(int, filterIndex);
    QFETCH(int, selected);
    ScriptedDialogBackend backend;
    CommonDlgsW dialogs;
    dialogs.Filter = QStringLiteral("A|*.a|B|*.b");
    dialogs.FilterIndex = filterIndex;
    dialogs.ShowOpen(nullptr);
    QCOMPARE(backend.calls.size(), 1);
    QCOMPARE(backend.calls[0].file.selectedFilter, selected);
    QCOMPARE(dialogs.FilterIndex, filterIndex);
}

void TestCommonDlgs::requestCarriesTheFields() {
    ScriptedDialogBackend backend;
    QWidget owner;
    CommonDlgsW dialogs;
    dialogs.DialogTitle = QStringLiteral("Open Files");
    dialogs.InitDir = QStringLiteral("/music");
    dialogs.FileName = QStringLiteral("start.mp3");
    dialogs.DefaultExt = QStringLiteral("mp3");
    dialogs.ShowOpen(&owner);
    QCOMPARE(backend.calls.size(), 1);
    const auto& call = backend.calls[0];
    QCOMPARE(call.kind, ScriptedDialogBackend::Kind::Open);
    QCOMPARE(call.owner, &owner);
    QCOMPARE(call.file.caption, QStringLiteral("Open Files"));
    QCOMPARE(call.file.folder, QStringLiteral("/music"));
    QCOMPARE(call.file.fileName, QStringLiteral("start.mp3"));
    QCOMPARE(call.file.defaultSuffix, QStringLiteral("mp3"));
}

void TestCommonDlgs::singleSelection_data() {
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("fileTitle");
    QTest::addColumn<QString>("title");
    QTest::newRow("plain") << 0 << "song.mp3"
                           << "song.mp3";
    QTest::newRow("no validation keeps the title empty") << 0x100 << ""
                                                         << "previous";
}

void TestCommonDlgs::singleSelection() {
    QFETCH(int, flags);
    QFETCH(QString, fileTitle);
    QFETCH(QString, title);
    ScriptedDialogBackend backend;
    backend.fileAnswers = {QStringList{"/music/live/song.mp3"}};
    CommonDlgsW dialogs;
    dialogs.Flags = flags;
    dialogs.Title = QStringLiteral("previous");
    dialogs.FileTitle = QStringLiteral("previous");
    QVERIFY(dialogs.ShowOpen(nullptr));
    QCOMPARE(dialogs.FileName, QStringLiteral("/music/live/song.mp3"));
    QVERIFY(!dialogs.FileName.contains(Nul));
    QCOMPARE(dialogs.FileTitle, fileTitle);
    QCOMPARE(dialogs.Title, title);
    QCOMPARE(dialogs.Flags, flags);
}

void TestCommonDlgs::multiSelection_data() {
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QString>("buffer");
    QTest::newRow("three files") << QStringList{"/music/a.mp3", "/music/b.wav", "/music/c.ogg"}
                                 << Padded(QStringLiteral("/music") + Nul + "a.mp3" + Nul +
                                           "b.wav" + Nul + "c.ogg" + Nul + Nul);
    QTest::newRow("one file is the whole path")
        << QStringList{"/music/a.mp3"} << Padded(QStringLiteral("/music/a.mp3") + Nul + Nul);
}

void TestCommonDlgs::multiSelection() {
    QFETCH(QStringList, chosen);
    QFETCH(QString, buffer);
    ScriptedDialogBackend backend;
    backend.fileAnswers = {chosen};
    CommonDlgsW dialogs;
    dialogs.Flags = CommonDlgsW::OFN_ALLOWMULTISELECT;
    dialogs.FileTitle = QStringLiteral("previous");
    dialogs.Title = QStringLiteral("previous");
    QVERIFY(dialogs.ShowOpen(nullptr));
    QCOMPARE(backend.calls[0].kind, ScriptedDialogBackend::Kind::OpenMany);
    QCOMPARE(dialogs.FileName.size(), 256);
    QCOMPARE(dialogs.FileName, buffer);
    QVERIFY(dialogs.FileTitle.isEmpty());
    QCOMPARE(dialogs.Title, QStringLiteral("previous"));
}

void TestCommonDlgs::tooLongBeforeAnyDialog_data() {
    QTest::addColumn<int>("fileNameLength");
    QTest::addColumn<int>("initDirLength");
    QTest::addColumn<bool>("dialogShown");
    QTest::newRow("file name of 256 is allowed") << 256 << 0 << true;
    QTest::newRow("file name of 257") << 257 << 0 << false;
    QTest::newRow("folder of 256 is allowed") << 0 << 256 << true;
    QTest::newRow("folder of 257") << 0 << 257 << false;
}

void TestCommonDlgs::tooLongBeforeAnyDialog() {
    QFETCH(int, fileNameLength);
    QFETCH(int, initDirLength);
    QFETCH(bool, dialogShown);
    for (const bool save : {false, true}) {
        ScriptedDialogBackend backend;
        backend.fileAnswers = {QStringList{"/x/y.mp3"}};
        CommonDlgsW dialogs;
        dialogs.FileName = QString(fileNameLength, QLatin1Char('f'));
        dialogs.InitDir = QString(initDirLength, QLatin1Char('d'));
        const bool ok = save ? dialogs.ShowSave(nullptr) : dialogs.ShowOpen(nullptr);
        QCOMPARE(ok, dialogShown);
        QCOMPARE(backend.calls.isEmpty(), !dialogShown);
        if (!dialogShown)
            QCOMPARE(dialogs.FileName.size(), fileNameLength);
    }
}

void TestCommonDlgs::answerLongerThanCapacityFails_data() {
    QTest::addColumn<int>("maxFileSize");
    QTest::addColumn<int>("pathLength");
    QTest::addColumn<bool>("ok");
    QTest::newRow("fits with its terminator") << 256 << 255 << true;
    QTest::newRow("no room for the terminator") << 256 << 256 << false;
    QTest::newRow("small capacity") << 20 << 25 << false;
    QTest::newRow("capacity beyond the buffer is the buffer") << 1000 << 300 << false;
    QTest::newRow("no capacity") << 0 << 5 << false;
}

void TestCommonDlgs::answerLongerThanCapacityFails() {
    QFETCH(int, maxFileSize);
    QFETCH(int, pathLength);
    QFETCH(bool, ok);
    ScriptedDialogBackend backend;
    const QString path = QLatin1Char('/') + QString(pathLength - 1, QLatin1Char('p'));
    backend.fileAnswers = {QStringList{path}};
    CommonDlgsW dialogs;
    dialogs.MaxFileSize = maxFileSize;
    dialogs.FileName = QStringLiteral("before");
    QCOMPARE(dialogs.ShowOpen(nullptr), ok);
    QCOMPARE(dialogs.FileName, ok ? path : QStringLiteral("before"));
}

void TestCommonDlgs::cancelChangesNothing_data() {
    QTest::addColumn<int>("flags");
    QTest::newRow("single") << 0;
    QTest::newRow("multi") << 0x200;
}

void TestCommonDlgs::cancelChangesNothing() {
    QFETCH(int, flags);
    ScriptedDialogBackend backend;
    backend.fileAnswers = {std::nullopt};
    CommonDlgsW dialogs;
    dialogs.Flags = flags;
    dialogs.FileName = QStringLiteral("/kept/name.mp3");
    dialogs.FileTitle = QStringLiteral("name.mp3");
    dialogs.Title = QStringLiteral("kept");
    dialogs.InitDir = QStringLiteral("/kept");
    QVERIFY(!dialogs.ShowOpen(nullptr));
    QCOMPARE(backend.calls.size(), 1);
    QCOMPARE(dialogs.FileName, QStringLiteral("/kept/name.mp3"));
    QCOMPARE(dialogs.FileTitle, QStringLiteral("name.mp3"));
    QCOMPARE(dialogs.Title, QStringLiteral("kept"));
    QCOMPARE(dialogs.InitDir, QStringLiteral("/kept"));
    QCOMPARE(dialogs.Flags, flags);
}

void TestCommonDlgs::saveDialog() {
    ScriptedDialogBackend backend;
    backend.fileAnswers = {QStringList{"/out/list.txt"}};
    CommonDlgsW dialogs;
    dialogs.Flags = CommonDlgsW::OFN_OVERWRITEPROMPT;
    QVERIFY(dialogs.ShowSave(nullptr));
    QCOMPARE(backend.calls[0].kind, ScriptedDialogBackend::Kind::Save);
    QVERIFY(backend.calls[0].file.confirmOverwrite);
    QCOMPARE(dialogs.FileName, QStringLiteral("/out/list.txt"));
    QCOMPARE(dialogs.Title, QStringLiteral("list.txt"));

    dialogs.Flags = 0;
    QVERIFY(!dialogs.ShowSave(nullptr)); // the script is used up: cancelled
    QVERIFY(!backend.calls[1].file.confirmOverwrite);
    QCOMPARE(dialogs.FileName, QStringLiteral("/out/list.txt"));
}

void TestCommonDlgs::colourValues_data() {
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("stored");
    const QPalette palette = QApplication::palette();
    const auto ref = [](const QColor& c) { return ColourRefFrom(c); };
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("plain colour") << 0x00336699 << 0x00336699;
    QTest::newRow("system window colour")
        << static_cast<int>(0x80000005u) << ref(palette.color(QPalette::Active, QPalette::Base));
    QTest::newRow("system button face")
        << static_cast<int>(0x8000000Fu) << ref(palette.color(QPalette::Active, QPalette::Button));
    QTest::newRow("system highlight") << static_cast<int>(0x8000000Du)
                                      << ref(palette.color(QPalette::Active, QPalette::Highlight));
    QTest::newRow("index without colour") << static_cast<int>(0x80000019u) << 0;
    QTest::newRow("index past the table") << static_cast<int>(0x80000200u) << 0;
    QTest::newRow("only the low 16 bits count")
        << static_cast<int>(0xFFFF0005u) << ref(palette.color(QPalette::Active, QPalette::Base));
}

void TestCommonDlgs::colourValues() {
    QFETCH(int, written);
    QFETCH(int, stored);
    CommonDlgsW dialogs;
    dialogs.SetColor(written);
    QCOMPARE(dialogs.Color(), stored);
    QVERIFY(dialogs.Color() >= 0);
}

void TestCommonDlgs::showColor() {
    ScriptedDialogBackend backend;
    CommonDlgsW dialogs;
    backend.colourAnswers = {QColor(10, 20, 30), std::nullopt};
    backend.customColourEdits = {{3, QColor(1, 2, 3)}};

    QVERIFY(dialogs.ShowColor(nullptr));
    QCOMPARE(backend.calls[0].initialColour, QColor(192, 192, 192));
    QCOMPARE(dialogs.Color(), 10 | 20 << 8 | 30 << 16);
    QCOMPARE(dialogs.customColours()[3], QColor(1, 2, 3));
    QCOMPARE(dialogs.customColours()[0], QColor(Qt::black));

    // Cancelled: the colour stays, and the custom colours are kept for the next dialog.
    QVERIFY(!dialogs.ShowColor(nullptr));
    QCOMPARE(backend.calls[1].initialColour, QColor(10, 20, 30));
    QCOMPARE(dialogs.Color(), 10 | 20 << 8 | 30 << 16);
    QCOMPARE(dialogs.customColours()[3], QColor(1, 2, 3));
}

void TestCommonDlgs::browseForFolder_data() {
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("chosen"); // relative to a temporary folder; "" is the folder
    QTest::addColumn<bool>("ok");
    QTest::newRow("cancelled") << true << "" << false;
    QTest::newRow("existing folder") << false << "music" << true;
    QTest::newRow("folder with blanks") << false << "my music" << true;
    QTest::newRow("a file is not a folder") << false << "file.txt" << false;
    QTest::newRow("missing folder") << false << "gone" << false;
}

void TestCommonDlgs::browseForFolder() {
    QFETCH(bool, cancel);
    QFETCH(QString, chosen);
    QFETCH(bool, ok);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    QDir(temp.path()).mkdir(QStringLiteral("music"));
    QDir(temp.path()).mkdir(QStringLiteral("my music"));
    QFile file(temp.filePath(QStringLiteral("file.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    ScriptedDialogBackend backend;
    const QString path = temp.filePath(chosen);
    if (cancel)
        backend.folderAnswers = {std::nullopt};
    else
        backend.folderAnswers = {path};
    QWidget owner;
    const auto result = BrowseForFolder(&owner);
    QCOMPARE(backend.calls.size(), 1);
    QCOMPARE(backend.calls[0].kind, ScriptedDialogBackend::Kind::Folder);
    QCOMPARE(backend.calls[0].caption, QStringLiteral("Please select a folder:"));
    QCOMPARE(backend.calls[0].owner, &owner);
    QCOMPARE(result.has_value(), ok);
    if (ok)
        QCOMPARE(*result, path);
}

void TestCommonDlgs::browseThroughLossyCodePage() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString folder = temp.filePath(QStringLiteral("Mus\u0101k"));
    QVERIFY(QDir().mkdir(folder));
    ScriptedDialogBackend backend;
    backend.folderAnswers = {folder};
    const LossyLatin1CodePage lossy;
    setCodePageForTesting(&lossy);
    const auto result = BrowseForFolder(nullptr);
    setCodePageForTesting(nullptr);
    QVERIFY(result.has_value());
    QCOMPARE(*result, temp.filePath(QStringLiteral("Mus?k")));
}

QTEST_MAIN(TestCommonDlgs)
#include "tst_commondlgs.moc"
