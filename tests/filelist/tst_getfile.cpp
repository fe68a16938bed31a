#include "filelist/GetFile.h"

#include <QTest>

using namespace vantorel;

class TestGetFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void names_data();
    void names();
};

void TestGetFile::names_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("baseName");
    QTest::newRow("two dots") << "/d/a.b.mp3" << "a.b.mp3" << "a.b";
    QTest::newRow("no extension") << "/d/README" << "README" << "";
    QTest::newRow("dot first") << "/d/.mp3" << ".mp3" << "";
    QTest::newRow("bare name") << "README" << "README" << "";
    QTest::newRow("bare name with ext") << "song.wav" << "song.wav" << "song";
    QTest::newRow("empty") << "" << "" << "";
    QTest::newRow("trailing slash") << "/d/music/" << "" << "";
    QTest::newRow("dot in folder only") << "/a.b/noext" << "noext" << "";
    QTest::newRow("backslash is a name char") << "/d/a\\b.mp3" << "a\\b.mp3" << "a\\b";
    QTest::newRow("space and unicode") << "/m/Live Set \u00e9.flac" << "Live Set \u00e9.flac"
                                       << "Live Set \u00e9";
}

void TestGetFile::names() {
    QFETCH(QString, path);
    QFETCH(QString, fileName);
    QFETCH(QString, baseName);
    QCOMPARE(GetFileName(path), fileName);
    QCOMPARE(GetBaseName(path), baseName);
}

QTEST_GUILESS_MAIN(TestGetFile)
#include "tst_getfile.moc"
