#include "filelist/FileListModel.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using namespace vantorel;

namespace {

FileEntry entry(const QString& name) {
    const QString path = QStringLiteral("/music/") + name;
    return {path, FileListModel::FormatLabelFor(path), path};
}

QList<FileEntry> entries(qsizetype count) {
    QList<FileEntry> list;
    for (qsizetype i = 0; i < count; ++i)
        list.append(entry(QStringLiteral("song%1.mp3").arg(i)));
    return list;
}

QStringList displayed(const FileListModel& model) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.index(row, FileListModel::FileNameColumn).data().toString());
    return texts;
}

} // namespace

class TestFileListModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void formatLabel_data();
    void formatLabel();
    void columnsAndHeaders();
    void duplicatesAreKeptAndRemovedOneByOne();
    void removeSelected_data();
    void removeSelected();
    void removeAll_data();
    void removeAll();
    void removeAllLeavesEntriesAddedMeanwhile_data();
    void removeAllLeavesEntriesAddedMeanwhile();
    void removeFirstOnlyWhenStillQueued();
    void hundredThousandEntries();
};

void TestFileListModel::formatLabel_data() {
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("label");
    QTest::newRow("flac") << "/a/b.flac" << "FLAC";
    QTest::newRow("FLAC upper") << "/a/B.FLAC" << "FLAC";
    QTest::newRow("wav") << "/a/b.wav" << "WAV";
    QTest::newRow("two-letter extension keeps the dot") << "/a/b.rm" << ".RM";
    QTest::newRow("3gp") << "/a/clip.3gp" << "3GP";
    QTest::newRow("mp3") << "/m/song.mp3" << "MP3";
    QTest::newRow("no extension: last three") << "/a/README" << "DME";
    QTest::newRow("spaces around are ignored") << "  /a/b.ogg  " << "OGG";
    QTest::newRow("shorter than three") << "ab" << "AB";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("only spaces") << "   " << "";
    QTest::newRow("flac inside the name only") << "/a/flac.mp4" << "MP4";
    QTest::newRow("tab is not trimmed") << "/a/b.wav\t" << "AV\t";
    // clang-format on
}

void TestFileListModel::formatLabel() {
    QFETCH(QString, text);
    QFETCH(QString, label);
    QCOMPARE(FileListModel::FormatLabelFor(text), label);
}

void TestFileListModel::columnsAndHeaders() {
    FileListModel model;
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("FileName"));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Format"));
    model.Append({QStringLiteral("/shown/a b.flac"), QStringLiteral("FLAC"),
                  QStringLiteral("/work/a b.tmp")});
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("/shown/a b.flac"));
    QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("FLAC"));
    QCOMPARE(model.QueuedPath(0), QStringLiteral("/work/a b.tmp"));
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
}

void TestFileListModel::duplicatesAreKeptAndRemovedOneByOne() {
    FileListModel model;
    model.Append(entry(QStringLiteral("same.mp3")));
    model.Append(entry(QStringLiteral("same.mp3")));
    QCOMPARE(model.Count(), 2);
    QCOMPARE(model.QueuedPaths(), QStringList(2, QStringLiteral("/music/same.mp3")));
    QVERIFY(model.RemoveSelectedEntry(1));
    QCOMPARE(model.QueuedPaths(), QStringList{QStringLiteral("/music/same.mp3")});
    QCOMPARE(model.rowCount(), 1);
}

void TestFileListModel::removeSelected_data() {
    // clang-format off
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<bool>("removed");
    const QString a = QStringLiteral("A.mp3"), b = QStringLiteral("B.mp3"),
                  c = QStringLiteral("C.mp3");
    QTest::newRow("middle") << 1 << QStringList{a, c} << true;
    QTest::newRow("first") << 0 << QStringList{b, c} << true;
    QTest::newRow("last") << 2 << QStringList{a, b} << true;
    QTest::newRow("no current row") << -1 << QStringList{a, b, c} << false;
    QTest::newRow("past the end") << 3 << QStringList{a, b, c} << false;
    // clang-format on
}

void TestFileListModel::removeSelected() {
    QFETCH(int, current);
    QFETCH(QStringList, left);
    QFETCH(bool, removed);
    FileListModel model;
    for (const char* name : {"A.mp3", "B.mp3", "C.mp3"})
        model.Append(entry(QString::fromLatin1(name)));
    model.UpdateHint();
    QCOMPARE(model.RemoveSelectedEntry(current), removed);
    QStringList paths;
    for (const QString& name : left)
        paths.append(QStringLiteral("/music/") + name);
    QCOMPARE(displayed(model), paths);
    QCOMPARE(model.QueuedPaths(), paths);
    QVERIFY(!model.Hint().Visible());
}

void TestFileListModel::removeAll_data() {
    // clang-format off
    QTest::addColumn<int>("rows");
    QTest::newRow("empty") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("500") << 500;
    QTest::newRow("10000") << 10000;
    // clang-format on
}

void TestFileListModel::removeAll() {
    QFETCH(int, rows);
    FileListModel model;
    model.AppendMany(entries(rows));
    model.Hint().ShowSearching();
    QSignalSpy removals(&model, &QAbstractItemModel::rowsRemoved);
    QElapsedTimer clock;
    clock.start();
    model.RemoveAllEntries();
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(model.Count(), 0);
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(model.Hint().Visible());
    QCOMPARE(model.Hint().Caption(), QStringLiteral("Drag && Drop Files Here"));
    // Rows go from the top in steps, not in one reset.
    QCOMPARE(removals.size() > 1, rows > 1);
    for (const QList<QVariant>& removal : removals)
        QCOMPARE(removal.at(1).toInt(), 0);
}

void TestFileListModel::removeAllLeavesEntriesAddedMeanwhile_data() {
    // clang-format off
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<QStringList>("left");
    const QString late = QStringLiteral("/music/late.mp3");
    QTest::newRow("a drop") << "append" << QStringList{late};
    QTest::newRow("the run finishes the first entry, then a drop")
        << "removeFirst,append" << QStringList{late};
    QTest::newRow("the user removes a row, then a drop")
        << "removeSelected,append" << QStringList{late};
    QTest::newRow("remove all again") << "append,removeAll" << QStringList{};
    // clang-format on
}

void TestFileListModel::removeAllLeavesEntriesAddedMeanwhile() {
    QFETCH(QString, meanwhile);
    QFETCH(QStringList, left);
    FileListModel model;
    model.AppendMany(entries(500));
    QMetaObject::invokeMethod(
        &model,
        [&model, meanwhile] {
            for (const QString& step : meanwhile.split(QLatin1Char(','))) {
                if (step == QLatin1String("append"))
                    model.Append(entry(QStringLiteral("late.mp3")));
                else if (step == QLatin1String("removeFirst"))
                    model.RemoveFirstEntry();
                else if (step == QLatin1String("removeSelected"))
                    model.RemoveSelectedEntry(model.Count() / 2);
                else if (step == QLatin1String("removeAll"))
                    model.RemoveAllEntries();
            }
        },
        Qt::QueuedConnection);
    model.RemoveAllEntries();
    QCOMPARE(model.QueuedPaths(), left);
    QCOMPARE(displayed(model), left);
    QCOMPARE(model.Hint().Visible(), left.isEmpty());
    QVERIFY(!model.IsRemovingAll());
}

void TestFileListModel::removeFirstOnlyWhenStillQueued() {
    FileListModel model;
    QVERIFY(!model.RemoveFirstEntry());
    model.Append(entry(QStringLiteral("a.mp3")));
    model.Append(entry(QStringLiteral("b.mp3")));
    model.Hint().SetVisible(true);
    QVERIFY(!model.RemoveFirstEntryIf(QStringLiteral("/music/b.mp3")));
    QCOMPARE(model.Count(), 2);
    QVERIFY(model.RemoveFirstEntryIf(QStringLiteral("/music/a.mp3")));
    QVERIFY(model.RemoveFirstEntry());
    QCOMPARE(model.Count(), 0);
    // The run leaves the hint as it was.
    QVERIFY(model.Hint().Visible());
}

void TestFileListModel::hundredThousandEntries() {
    const QList<FileEntry> batch = entries(100000);
    FileListModel model;
    QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
    QElapsedTimer clock;
    clock.start();
    model.AppendMany(batch);
    for (const FileEntry& e : batch)
        model.Append(e);
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(inserts.size(), 1 + 100000);
    QCOMPARE(model.Count(), 200000);
    QCOMPARE(model.rowCount(), 200000);
    QCOMPARE(model.index(199999, 0).data().toString(), QStringLiteral("/music/song99999.mp3"));
    QCOMPARE(model.QueuedPath(100000), QStringLiteral("/music/song0.mp3"));
    QVERIFY(model.RemoveSelectedEntry(150000));
    QCOMPARE(model.QueuedPath(150000), QStringLiteral("/music/song50001.mp3"));
}

QTEST_GUILESS_MAIN(TestFileListModel)
#include "tst_filelistmodel.moc"
