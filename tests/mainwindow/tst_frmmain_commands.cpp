#include "MainWindowFixture.h"
#include "mainwindow/frmOptions.h"
#include "ui/CommonDlgsW.h"
#include "ui/ImageButton.h"
#include "ui/LinkLabel.h"
#include "ui/RemoveMenu.h"
#include "ui/SkinSurface.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeView>

using namespace vantorel;
using namespace vantorel::testsupport;

namespace {

// A spot of bare skin, away from every control.
const QPoint Background(600, 40);

QWidget* Target(const MainWindowControls& c, const QString& name) {
    if (name == QLatin1String("C"))
        return c.imgConvert;
    if (name == QLatin1String("LV"))
        return c.LV->viewport();
    if (name == QLatin1String("Path"))
        return c.txtPath;
    return c.imgToolbar[static_cast<std::size_t>(name.mid(1).toInt())];
}

// The point of a named place in window coordinates, nudged so repeated moves are real moves.
QPoint At(const MainWindowControls& c, const QString& name, int nudge) {
    if (name == QLatin1String("BG"))
        return Background + QPoint(nudge, nudge);
    QWidget* target = Target(c, name);
    return target->mapTo(target->window(), target->rect().center()) + QPoint(nudge, nudge);
}

// Steps "move X", "press X", "rpress X", "release X" with X one of T<index>, C, BG, LV, Path.
void Act(frmMain& w, const QStringList& steps) {
    QWindow* handle = w.windowHandle();
    int nudge = 0;
    for (const QString& step : steps) {
        const QStringList parts = step.split(QLatin1Char(' '));
        nudge = (nudge + 1) % 3;
        const QPoint at = At(w.controls(), parts[1], nudge);
        if (parts[0] == QLatin1String("move"))
            QTest::mouseMove(handle, at);
        else if (parts[0] == QLatin1String("press"))
            QTest::mousePress(handle, Qt::LeftButton, {}, at);
        else if (parts[0] == QLatin1String("rpress"))
            QTest::mousePress(handle, Qt::RightButton, {}, at);
        else if (parts[0] == QLatin1String("release"))
            QTest::mouseRelease(handle, Qt::LeftButton, {}, at);
        else if (parts[0] == QLatin1String("rrelease"))
            QTest::mouseRelease(handle, Qt::RightButton, {}, at);
    }
}

QString Lit(const MainWindowControls& c) {
    QStringList shown;
    for (std::size_t i = 0; i < c.imgToolbar.size(); ++i)
        if (c.imgToolbar[i] && c.imgToolbar[i]->hasPicture())
            shown.append(QString::number(i));
    if (c.imgConvert->hasPicture())
        shown.append(QStringLiteral("C"));
    return shown.join(QLatin1Char(','));
}

// Everything a person can see or set in the window's controls.
QStringList ControlState(const MainWindowControls& c) {
    QStringList state;
    for (const QComboBox* combo : {c.cmbUnit, c.cmbOF, c.cmbBR, c.cmbR, c.cmbChannel})
        state << QString::number(combo->currentIndex());
    state << c.txtSplit->text() << c.txtPath->text() << c.lblPB->text() << c.lblText->text()
          << QString::number(c.picText->isVisible()) << QString::number(c.picDrop->isVisible());
    return state;
}

void AddRows(frmMain& w, int count) {
    for (int i = 0; i < count; ++i) {
        const QString path = QStringLiteral("/music/row%1.mp3").arg(i);
        w.list().Append({path, QStringLiteral("MP3"), path});
    }
    w.list().UpdateHint();
}

QStringList Shown(const FileListModel& list) {
    QStringList rows;
    for (const FileEntry& e : list.Entries())
        rows << e.DisplayText;
    return rows;
}

// Closes whatever popup or modal window comes up next, once it is up.
void CloseNextPopupOrDialog(QString* seen) {
    QTimer::singleShot(200, qApp, [seen] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            *seen = popup->objectName();
            popup->close();
        } else if (QWidget* modal = QApplication::activeModalWidget()) {
            *seen = modal->objectName();
            modal->close();
        }
    });
}

std::unique_ptr<QMimeData> FileDrag(const QStringList& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    data->setUrls(urls);
    return data;
}

std::unique_ptr<QMimeData> TextDrag() {
    auto data = std::make_unique<QMimeData>();
    data->setText(QStringLiteral("/music/not a file list.mp3"));
    return data;
}

// Drags over the list (which brings the overlay up), then drops on the overlay or the list.
Qt::DropAction DragAndDrop(const MainWindowControls& c, const QMimeData& data, bool onOverlay) {
    const QPoint middle = c.LV->viewport()->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(c.LV->viewport(), &enter);
    QWidget* target = onOverlay ? c.picDrop : c.LV->viewport();
    if (onOverlay) {
        // The overlay now lies under the mouse: the drag enters it.
        QDragEnterEvent over(middle, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(c.picDrop, &over);
    }
    QDropEvent drop(QPointF(middle), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
    return drop.dropAction();
}

} // namespace

class TestFrmMainCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void buttonLighting_data();
    void buttonLighting();
    void backgroundDrag_data();
    void backgroundDrag();
    void backgroundMoveHidesTheOverlay();
    void toolbarClickRunsItsAction_data();
    void toolbarClickRunsItsAction();
    void runControlsDisabled();
    void commandChannel_data();
    void commandChannel();
    void removeMenu_data();
    void removeMenu();
    void helpAndLinkOpenTheSamePage();
    void addFile_data();
    void addFile();
    void addFileThroughLossyCodePage();
    void addFolder_data();
    void addFolder();
    void dropOnOverlayKeepsOrder();
    void drops_data();
    void drops();
    void overlayClickHidesIt();
    void browse_data();
    void browse();
};

void TestFrmMainCommands::buttonLighting_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("lit");
    QTest::newRow("over member 3") << QStringList{"move T3"} << "3";
    QTest::newRow("from 3 straight to 1") << QStringList{"move T3", "move T1"} << "1";
    QTest::newRow("press empties every member") << QStringList{"move T3", "press T3"} << "";
    QTest::newRow("moving while pressed lights again")
        << QStringList{"move T6", "press T6", "move T6"} << "6";
    QTest::newRow("Convert and toolbar apart") << QStringList{"move T2", "move C"} << "2,C";
    QTest::newRow("press on Convert") << QStringList{"move C", "press C"} << "";
    QTest::newRow("list leaves them lit") << QStringList{"move T0", "move C", "move LV"} << "0,C";
    QTest::newRow("background resets both") << QStringList{"move T4", "move C", "move BG"} << "";
}

void TestFrmMainCommands::buttonLighting() {
    QFETCH(QStringList, steps);
    QFETCH(QString, lit);
    MainWindowFixture f;
    frmMain& w = f.open();
    QVERIFY(!w.controls().surface->childAt(Background));
    Act(w, steps);
    QCOMPARE(Lit(w.controls()), lit);
}

void TestFrmMainCommands::backgroundDrag_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("moves");
    QTest::newRow("left button held on the background")
        << QStringList{"press BG", "move BG", "release BG"} << 1;
    QTest::newRow("no button") << QStringList{"move BG", "move BG"} << 0;
    QTest::newRow("right button") << QStringList{"rpress BG", "move BG", "rrelease BG"} << 0;
    QTest::newRow("pressed on a button") << QStringList{"press T2", "move BG", "release BG"} << 0;
    QTest::newRow("pressed on the list") << QStringList{"press LV", "move BG", "release BG"} << 0;
    QTest::newRow("pressed in the path box")
        << QStringList{"press Path", "move BG", "release BG"} << 0;
}

void TestFrmMainCommands::backgroundDrag() {
    QFETCH(QStringList, steps);
    QFETCH(int, moves);
    MainWindowFixture f;
    frmMain& w = f.open();
    int started = 0;
    w.SetSystemMoveForTesting([&started](QWindow*) {
        ++started;
        return true;
    });
    Act(w, steps);
    // A release away from the last point arrives after one more move, so count starts only.
    QCOMPARE(started > 0, moves > 0);
}

void TestFrmMainCommands::backgroundMoveHidesTheOverlay() {
    MainWindowFixture f;
    frmMain& w = f.open();
    const MainWindowControls& c = w.controls();
    c.picDrop->show();
    Act(w, {"move LV"});
    QVERIFY(c.picDrop->isVisible());
    Act(w, {"move BG"});
    QVERIFY(!c.picDrop->isVisible());
}

void TestFrmMainCommands::toolbarClickRunsItsAction_data() {
    QTest::addColumn<int>("member");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0 add file") << 0 << "open dialog";
    QTest::newRow("1 remove menu") << 1 << "menuRemove";
    QTest::newRow("2 options") << 2 << "frmOptions";
    QTest::newRow("3 help") << 3 << "help page";
    QTest::newRow("4 exit") << 4 << "unloaded";
    QTest::newRow("6 add folder") << 6 << "folder dialog";
}

void TestFrmMainCommands::toolbarClickRunsItsAction() {
    QFETCH(int, member);
    QFETCH(QString, expected);
    MainWindowFixture f;
    frmMain& w = f.open();
    QSignalSpy unloaded(&w, &frmMain::Unloaded);
    QString seen;
    CloseNextPopupOrDialog(&seen);
    const QString name = QStringLiteral("T%1").arg(member);
    Act(w, {"move " + name, "press " + name, "release " + name});

    QStringList happened;
    for (const ScriptedDialogBackend::Call& call : f.dialogs.calls)
        happened << (call.kind == ScriptedDialogBackend::Kind::Open ? "open dialog"
                                                                    : "folder dialog");
    if (!f.opener.opened.isEmpty())
        happened << "help page";
    if (!unloaded.isEmpty())
        happened << "unloaded";
    if (!seen.isEmpty())
        happened << seen;
    QCOMPARE(happened, QStringList{expected});
}

void TestFrmMainCommands::runControlsDisabled() {
    MainWindowFixture f;
    frmMain& w = f.open();
    const MainWindowControls& c = w.controls();
    Act(w, {"move T3", "move C"});
    MainWindowRunView view(c, w.optionValues());
    view.SetRunControlsEnabled(false);
    for (int member : {0, 1, 2, 3, 4, 6})
        QVERIFY(!c.imgToolbar[static_cast<std::size_t>(member)]->isEnabled());
    QVERIFY(!c.imgConvert->isEnabled());
    // Disabled buttons keep their pictures and run nothing.
    Act(w, {"move T1", "press T0", "release T0"});
    QCOMPARE(Lit(c), QStringLiteral("3,C"));
    QVERIFY(f.dialogs.calls.isEmpty());
    view.SetRunControlsEnabled(true);
    QVERIFY(c.imgToolbar[0]->isEnabled());
    QVERIFY(c.imgConvert->isEnabled());
}

void TestFrmMainCommands::commandChannel_data() {
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("left");
    const QString r0 = "/music/row0.mp3", r1 = "/music/row1.mp3", r2 = "/music/row2.mp3";
    QTest::newRow("the word removes the current row")
        << QStringList{"RemoveSelected"} << 1 << QStringList{r0, r2};
    QTest::newRow("twice removes two rows")
        << QStringList{"RemoveSelected", "RemoveSelected"} << 0 << QStringList{r2};
    QTest::newRow("other letter case only clears")
        << QStringList{"removeselected"} << 1 << QStringList{r0, r1, r2};
    QTest::newRow("a space inside only clears")
        << QStringList{"Remove Selected"} << 1 << QStringList{r0, r1, r2};
    QTest::newRow("no current row")
        << QStringList{"RemoveSelected"} << -1 << QStringList{r0, r1, r2};
}

void TestFrmMainCommands::commandChannel() {
    QFETCH(QStringList, words);
    QFETCH(int, current);
    QFETCH(QStringList, left);
    MainWindowFixture f;
    frmMain& w = f.open();
    AddRows(w, 3);
    const MainWindowControls& c = w.controls();
    c.LV->setCurrentIndex(current < 0 ? QModelIndex() : w.list().index(current, 0));
    for (const QString& word : words) {
        c.txtAction->setText(word);
        QCOMPARE(c.txtAction->text(), QString());
    }
    QCOMPARE(Shown(w.list()), left);
}

void TestFrmMainCommands::removeMenu_data() {
    QTest::addColumn<QList<Qt::Key>>("keys");
    QTest::addColumn<int>("left");
    QTest::newRow("Remove Selected") << QList<Qt::Key>{Qt::Key_Down, Qt::Key_Return} << 2;
    QTest::newRow("Remove All") << QList<Qt::Key>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return} << 0;
    QTest::newRow("dismissed") << QList<Qt::Key>{Qt::Key_Escape} << 3;
}

void TestFrmMainCommands::removeMenu() {
    QFETCH(QList<Qt::Key>, keys);
    QFETCH(int, left);
    MainWindowFixture f;
    frmMain& w = f.open();
    AddRows(w, 3);
    w.controls().LV->setCurrentIndex(w.list().index(2, 0));
    QTimer::singleShot(100, qApp, [keys] {
        if (QWidget* popup = QApplication::activePopupWidget())
            for (Qt::Key key : keys)
                QTest::keyClick(popup, key);
    });
    QTimer::singleShot(5000, qApp, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    w.PopUpRemoveMenu();
    QCOMPARE(w.list().Count(), left);
    QCOMPARE(w.controls().txtAction->text(), QString());
    QCOMPARE(w.controls().picText->isVisible(), left == 0);
}

void TestFrmMainCommands::helpAndLinkOpenTheSamePage() {
    MainWindowFixture f;
    frmMain& w = f.open();
    const MainWindowControls& c = w.controls();
    const QStringList before = ControlState(c);
    w.RunToolbarAction(3);
    QTest::mouseClick(c.lblWeb, Qt::LeftButton);
    QCOMPARE(f.opener.opened.size(), 2);
    QCOMPARE(f.opener.opened[0], f.opener.opened[1]);
    const QUrl page = f.opener.opened[0];
    QVERIFY(page.isLocalFile());
    QVERIFY2(QFileInfo(page.toLocalFile()).isFile(), qPrintable(page.toString()));
    QCOMPARE(ControlState(c), before);
    QVERIFY(f.messages.entries.isEmpty());
}

void TestFrmMainCommands::addFile_data() {
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("format");
    QTest::newRow("an MP3") << false << "Live Set.mp3"
                            << "MP3";
    QTest::newRow("dots in the name") << false << "take.2.final.flac"
                                      << "FLAC";
    QTest::newRow("cancelled") << true << "x.wav"
                               << "";
}

void TestFrmMainCommands::addFile() {
    QFETCH(bool, cancel);
    QFETCH(QString, name);
    QFETCH(QString, format);
    MainWindowFixture f;
    frmMain& w = f.open();
    const QString file = f.path(QStringLiteral("music/") + name);
    QVERIFY(f.touch(file));
    f.dialogs.fileAnswers = {cancel ? std::nullopt : std::optional<QStringList>(QStringList{file})};
    w.RunToolbarAction(0);

    QCOMPARE(f.dialogs.calls.size(), 1);
    const FileDialogRequest& asked = f.dialogs.calls[0].file;
    QCOMPARE(asked.caption, QStringLiteral("Open Files"));
    QCOMPARE(asked.fileName, QString());
    QCOMPARE(asked.folder, QString());
    QCOMPARE(asked.nameFilters, NameFiltersFromBarFilter(frmMain::AddFileFilter()));
    QCOMPARE(asked.nameFilters.size(), 17);
    QCOMPARE(asked.nameFilters.first(), QStringLiteral("MP3 Audio(*.mp3) (*.mp3)"));
    QCOMPARE(asked.selectedFilter, 0);
    if (cancel) {
        QCOMPARE(w.list().Count(), 0);
        QVERIFY(w.controls().picText->isVisible());
        return;
    }
    QCOMPARE(w.list().Entries(), (QList<FileEntry>{{file, format, file}}));
    QVERIFY(!w.controls().picText->isVisible());
    QVERIFY(!QFileInfo::exists(f.work())); // nothing was copied
    QVERIFY(f.messages.entries.isEmpty());
}

void TestFrmMainCommands::addFileThroughLossyCodePage() {
    MainWindowFixture f;
    frmMain& w = f.open();
    const LossyLatin1CodePage lossy;
    setCodePageForTesting(&lossy);
    const QString folder = f.path(QStringLiteral("music"));
    const QString file = folder + QStringLiteral("/x\u4e16y.wav");
    QVERIFY(f.touch(file));
    f.dialogs.fileAnswers = {QStringList{file}};
    w.AddFile();

    const QString copy = f.work() + QStringLiteral("/x y.tmp");
    QCOMPARE(w.list().Entries(), (QList<FileEntry>{{folder + QStringLiteral("/x y.wav"),
                                                    QStringLiteral("WAV"), copy}}));
    QCOMPARE(f.read(copy), QByteArray("data"));
    QCOMPARE(f.read(file), QByteArray("data"));      // the user's file is as it was
    QCOMPARE(w.controls().lblPB->text(), QString()); // "Preparing Files..." is gone again
    QVERIFY(f.messages.entries.isEmpty());
}

void TestFrmMainCommands::addFolder_data() {
    QTest::addColumn<bool>("cancel");
    QTest::newRow("nested tree") << false;
    QTest::newRow("cancelled") << true;
}

void TestFrmMainCommands::addFolder() {
    QFETCH(bool, cancel);
    MainWindowFixture f;
    frmMain& w = f.open();
    const QString top = f.path(QStringLiteral("tree"));
    for (const char* name : {"a.mp3", "b.txt", "S/c.wav", "S/T/d.flac", "S/.hidden.ogg"})
        QVERIFY(f.touch(top + QLatin1Char('/') + QLatin1String(name)));
    f.dialogs.folderAnswers = {cancel ? std::nullopt : std::optional<QString>(top)};
    QStringList captionsDuringSearch;
    connect(&w.list().Hint(), &DropHint::Changed, this, [&] {
        captionsDuringSearch << w.controls().lblText->text() + QLatin1Char('/') +
                                    QString::number(w.controls().picText->isVisible());
    });
    w.RunToolbarAction(6);

    QCOMPARE(f.dialogs.calls.size(), 1);
    QCOMPARE(f.dialogs.calls[0].kind, ScriptedDialogBackend::Kind::Folder);
    QVERIFY(captionsDuringSearch.contains(QStringLiteral("Searching Files.../1")));
    QCOMPARE(w.controls().lblText->text(), QStringLiteral("Drag & Drop Files Here"));
    if (cancel) {
        QCOMPARE(w.list().Count(), 0);
        QVERIFY(w.controls().picText->isVisible());
        return;
    }
    const QStringList rows = Shown(w.list());
    QCOMPARE(rows.size(), 5);
    // The files of a folder come before those of its subfolders.
    QCOMPARE(QSet<QString>(rows.begin(), rows.begin() + 2),
             (QSet<QString>{top + "/a.mp3", top + "/b.txt"}));
    QCOMPARE(QSet<QString>(rows.begin() + 2, rows.begin() + 4),
             (QSet<QString>{top + "/S/c.wav", top + "/S/.hidden.ogg"}));
    QCOMPARE(rows[4], top + "/S/T/d.flac");
    QCOMPARE(w.list().Entry(4).FormatLabel, QStringLiteral("FLAC"));
    QVERIFY(!w.controls().picText->isVisible());
}

void TestFrmMainCommands::dropOnOverlayKeepsOrder() {
    MainWindowFixture f;
    frmMain& w = f.open();
    const MainWindowControls& c = w.controls();
    QStringList files;
    for (const char* name : {"C.mp3", "A.wav", "B.flac"}) {
        files << f.path(QStringLiteral("drop/") + QLatin1String(name));
        QVERIFY(f.touch(files.last()));
    }
    const auto data = FileDrag(files);
    const QPoint middle = c.LV->viewport()->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(c.LV->viewport(), &enter);
    QVERIFY(c.picDrop->isVisible());
    QVERIFY(enter.isAccepted());

    QCOMPARE(DragAndDrop(c, *data, true), Qt::CopyAction);
    QCOMPARE(Shown(w.list()), files);
    QCOMPARE(w.list().QueuedPaths(), files);
    QCOMPARE(w.list().Entry(2).FormatLabel, QStringLiteral("FLAC"));
    QVERIFY(!c.picDrop->isVisible());
    QVERIFY(!c.picText->isVisible());
}

void TestFrmMainCommands::drops_data() {
    QTest::addColumn<QString>("what"); // "file", "folder", "text"
    QTest::addColumn<bool>("onOverlay");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("messages");
    QTest::newRow("file on the list itself") << "file" << false << 1 << 0;
    QTest::newRow("text on the overlay") << "text" << true << 0 << 0;
    QTest::newRow("text on the list") << "text" << false << 0 << 0;
    // A folder is one entry that cannot be converted: the user hears why at once.
    QTest::newRow("folder on the overlay") << "folder" << true << 1 << 1;
    QTest::newRow("folder on the list") << "folder" << false << 1 << 0;
}

void TestFrmMainCommands::drops() {
    QFETCH(QString, what);
    QFETCH(bool, onOverlay);
    QFETCH(int, rows);
    QFETCH(int, messages);
    MainWindowFixture f;
    frmMain& w = f.open();
    const MainWindowControls& c = w.controls();
    const QString file = f.path(QStringLiteral("drop/one.ogg"));
    QVERIFY(f.touch(file));
    const QString folder = f.path(QStringLiteral("drop"));
    const auto data = what == QLatin1String("text")
                          ? TextDrag()
                          : FileDrag({what == QLatin1String("file") ? file : folder});
    DragAndDrop(c, *data, onOverlay);
    QCOMPARE(w.list().Count(), rows);
    QCOMPARE(c.picText->isVisible(), rows == 0);
    QCOMPARE(f.messages.entries.size(), messages);
    if (onOverlay)
        QVERIFY(!c.picDrop->isVisible());
    if (rows == 1)
        QCOMPARE(w.list().Entry(0).DisplayText, what == QLatin1String("file") ? file : folder);
    if (what == QLatin1String("folder") && !onOverlay)
        QCOMPARE(w.list().QueuedPath(0), folder); // as delivered
}

void TestFrmMainCommands::overlayClickHidesIt() {
    MainWindowFixture f;
    frmMain& w = f.open();
    const MainWindowControls& c = w.controls();
    c.picDrop->show();
    QTest::mouseClick(c.picDrop, Qt::LeftButton);
    QVERIFY(!c.picDrop->isVisible());
    QCOMPARE(w.list().Count(), 0);
}

void TestFrmMainCommands::browse_data() {
    QTest::addColumn<QString>("answer"); // "" cancels; "~" the default folder
    QTest::addColumn<bool>("defaultExists");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("message");
    QTest::newRow("an existing folder") << "chosen/Music" << false << "chosen/Music" << false;
    QTest::newRow("cancel, default folder there") << "" << true << "~" << false;
    QTest::newRow("cancel, default folder missing") << "" << false << "~" << true;
    QTest::newRow("a folder gone meanwhile") << "gone" << true << "~" << false;
}

void TestFrmMainCommands::browse() {
    QFETCH(QString, answer);
    QFETCH(bool, defaultExists);
    QFETCH(QString, box);
    QFETCH(bool, message);
    MainWindowFixture f;
    frmMain& w = f.open();
    if (defaultExists)
        QVERIFY(QDir().mkpath(f.defaultOutput()));
    if (answer == QLatin1String("chosen/Music"))
        QVERIFY(QDir().mkpath(f.path(answer)));
    w.controls().txtPath->setText(QStringLiteral("typed by hand"));
    f.dialogs.folderAnswers = {answer.isEmpty() ? std::nullopt
                                                : std::optional<QString>(f.path(answer))};
    QTest::mouseClick(w.controls().cmdBrowse, Qt::LeftButton);

    QCOMPARE(w.controls().txtPath->text(),
             box == QLatin1String("~") ? f.defaultOutput() : f.path(box));
    QCOMPARE(f.messages.entries.size(), message ? 1 : 0);
    if (message) {
        const RecordedMessages::Entry& shown = f.messages.entries[0];
        QCOMPARE(shown.title, QStringLiteral("Path"));
        QCOMPARE(shown.icon, MessageIcon::None);
        QCOMPARE(shown.text, QStringLiteral("The path has unknown characters.\r\n"
                                            "Changed to the default path ") +
                                 f.defaultOutput() + QStringLiteral("."));
    }
    QVERIFY(!QFileInfo::exists(f.defaultOutput()) || defaultExists); // never created here
}

QTEST_MAIN(TestFrmMainCommands)
#include "tst_frmmain_commands.moc"
