#include "process/CommandLineSplitter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vantorel;

class TestCommandLineSplitter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splits_data();
    void splits();
    void asksTheFileSystemByDefault();
};

void TestCommandLineSplitter::splits_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");

    const QStringList none;
    QTest::newRow("plain words") << "/app/data/conv.exe -i in.mp3" << none << "/app/data/conv.exe"
                                 << QStringList{"-i", "in.mp3"};
    QTest::newRow("quotes group and are dropped")
        << "/a/conv.exe -i \"/m/Live Set.mp3\" -f segment \"/o/Live Set%05d.mp3\"" << none
        << "/a/conv.exe"
        << QStringList{"-i", "/m/Live Set.mp3", "-f", "segment", "/o/Live Set%05d.mp3"};
    QTest::newRow("quotes inside a word join its parts")
        << "p a\"b c\"d" << none << "p" << QStringList{"ab cd"};
    QTest::newRow("empty quotes give an empty argument")
        << "p -x \"\" y" << none << "p" << QStringList{"-x", "", "y"};
    QTest::newRow("unbalanced quote runs to the end")
        << "p -i \"open ended  text" << none << "p" << QStringList{"-i", "open ended  text"};
    QTest::newRow("backslashes are literal") << "p C:\\tmp\\tmp.wav \"a\\\\b\\\" c" << none << "p"
                                             << QStringList{"C:\\tmp\\tmp.wav", "a\\\\b\\", "c"};
    QTest::newRow("tabs and runs of blanks separate")
        << "  p\t-i \t x  " << none << "p" << QStringList{"-i", "x"};
    QTest::newRow("empty line") << "" << none << "" << QStringList{};
    QTest::newRow("blank line") << " \t " << none << "" << QStringList{};
    QTest::newRow("program only") << "/bin/prog" << none << "/bin/prog" << QStringList{};
    QTest::newRow("app folder with spaces")
        << "/my app/data/conv.exe -i \"x y.mp3\"" << QStringList{"/my app/data/conv.exe"}
        << "/my app/data/conv.exe" << QStringList{"-i", "x y.mp3"};
    QTest::newRow("shortest existing prefix wins")
        << "/a b c -i x" << QStringList{"/a b", "/a b c"} << "/a b" << QStringList{"c", "-i", "x"};
    QTest::newRow("whole line names the program")
        << "/my app/conv.exe" << QStringList{"/my app/conv.exe"} << "/my app/conv.exe"
        << QStringList{};
    QTest::newRow("no prefix exists: first word")
        << "/no such/conv.exe -i x" << none << "/no" << QStringList{"such/conv.exe", "-i", "x"};
    QTest::newRow("prefix search stops at a quote")
        << "/my \"app\" x" << QStringList{"/my \"app\""} << "/my" << QStringList{"app", "x"};
    QTest::newRow("quoted program")
        << "\"/my app/conv.exe\" -i x" << none << "/my app/conv.exe" << QStringList{"-i", "x"};
}

void TestCommandLineSplitter::splits() {
    QFETCH(QString, line);
    QFETCH(QStringList, existing);
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    const SplitCommand split =
        SplitCommandLine(line, [&](const QString& path) { return existing.contains(path); });
    QCOMPARE(split.program, program);
    QCOMPARE(split.arguments, arguments);
}

void TestCommandLineSplitter::asksTheFileSystemByDefault() {
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("my app")));
    // A folder named like the first word exists, but a folder is no program.
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("my")));
    const QString program = root.filePath(QStringLiteral("my app/conv.exe"));
    QFile file(program);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const SplitCommand split = SplitCommandLine(program + QStringLiteral(" -i \"a b\""));
    QCOMPARE(split.program, program);
    QCOMPARE(split.arguments, (QStringList{"-i", "a b"}));
}

QTEST_GUILESS_MAIN(TestCommandLineSplitter)
#include "tst_commandlinesplitter.moc"
