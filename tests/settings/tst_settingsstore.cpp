#include "platform/AppPaths.h"
#include "settings/OutputChoices.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace vantorel;

namespace {

const QString kHome = QStringLiteral("/home/tester");
const QString kDefaultFolder = kHome + QStringLiteral("/output");

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray setupBytes(const QByteArray& path) {
    return "\"7\"\r\n\"1\"\r\n\"1\"\r\n\"" + path + "\"\r\n\"0\"\r\n";
}

// Limits the size of any file this process writes; writes beyond it fail with EFBIG, even as
// root. Restored when the guard goes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        m_active = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool active() const { return m_active; }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void noFilesGiveTheStartUpChoices();
    void savedFilesAreByteExact_data();
    void savedFilesAreByteExact();
    void loadSetup_data();
    void loadSetup();
    void loadOptions_data();
    void loadOptions();
    void pathsRoundTrip_data();
    void pathsRoundTrip();
    void damagedSetupNeverBreaksLoading_data();
    void damagedSetupNeverBreaksLoading();
    void pipeInPlaceOfAFileIsNotWaitedFor();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
    void unwritableFolderIsReported();
    void missingSettingsFolderIsCreated();
    void fallbackSettingsFolderIsUsedAndCreated();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_setup;
    QString m_options;
};

void TestSettingsStore::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    paths::setSettingsFolderForTesting(m_dir->path());
    paths::setHomeFolderForTesting(kHome);
    m_setup = m_dir->filePath(QStringLiteral("setup.ini"));
    m_options = m_dir->filePath(QStringLiteral("options.ini"));
    QCOMPARE(paths::setupIniPath(), m_setup);
    QCOMPARE(paths::optionsIniPath(), m_options);
}

void TestSettingsStore::cleanup() {
    paths::setSettingsFolderForTesting(QString());
    paths::setHomeFolderForTesting(QString());
    paths::setAppFolderForTesting(QString());
    m_dir.reset();
}

void TestSettingsStore::noFilesGiveTheStartUpChoices() {
    MainWindowSettings s = defaultMainWindowSettings();
    s.OutputPath.clear(); // as after a failed read: the default folder comes back regardless
    LoadMainWindowSettings(s);
    QCOMPARE(BitrateItems().value(s.BitrateIndex), QStringLiteral("128"));
    QCOMPARE(SampleRateItems().value(s.SampleRateIndex), QStringLiteral("44100"));
    QCOMPARE(ChannelItems().value(s.ChannelIndex), QStringLiteral("Stereo"));
    QCOMPARE(OutputFormatItems().value(s.FormatIndex), QStringLiteral("MP3"));
    QCOMPARE(s.OutputPath, kDefaultFolder);

    const OutputDefaults d = outputDefaults();
    QCOMPARE(d.SplitText, QStringLiteral("30"));
    QCOMPARE(SplitUnitItems().value(d.SplitUnitIndex), QStringLiteral("Seconds"));
    QCOMPARE(d.OutputPath, kDefaultFolder);

    OptionValues o{1, 1, 5, 6};
    LoadOptionValues(o);
    QCOMPARE(o.SoundReminder, std::int16_t{0});
    QCOMPARE(o.CutterEnabled, std::int16_t{0});
    QCOMPARE(o.CutterStart, 5);
    QCOMPARE(o.CutterLength, 6);
    QVERIFY(!QFile::exists(m_setup));
    QVERIFY(!QFile::exists(m_options));
}

void TestSettingsStore::savedFilesAreByteExact_data() {
    QTest::addColumn<bool>("options");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("setup defaults")
        << false << QList<int>{7, 1, 1, 0} << kDefaultFolder << setupBytes(kDefaultFolder.toUtf8());
    QTest::newRow("setup no selection")
        << false << QList<int>{-1, -1, -1, -1} << QStringLiteral("/d/a,b")
        << QByteArray("\"-1\"\r\n\"-1\"\r\n\"-1\"\r\n\"/d/a,b\"\r\n\"-1\"\r\n");
    QTest::newRow("setup UTF-8 path")
        << false << QList<int>{11, 7, 0, 8} << QStringLiteral("/m\u00fcsik")
        << QByteArray("\"11\"\r\n\"7\"\r\n\"0\"\r\n\"/m\xc3\xbcsik\"\r\n\"8\"\r\n");
    QTest::newRow("options defaults")
        << true << QList<int>{0, 0, 0, 0} << QString() << QByteArray("0\r\n0\r\n0\r\n0\r\n");
    QTest::newRow("options set") << true << QList<int>{0, 1, 90, 30} << QString()
                                 << QByteArray("0\r\n1\r\n90\r\n30\r\n");
    QTest::newRow("options negative and wide")
        << true << QList<int>{-32768, 32767, -5, 2147483647} << QString()
        << QByteArray("-32768\r\n32767\r\n-5\r\n2147483647\r\n");
}

void TestSettingsStore::savedFilesAreByteExact() {
    QFETCH(bool, options);
    QFETCH(QList<int>, numbers);
    QFETCH(QString, path);
    QFETCH(QByteArray, expected);
    if (options) {
        const OptionValues o{static_cast<std::int16_t>(numbers[0]),
                             static_cast<std::int16_t>(numbers[1]), numbers[2], numbers[3]};
        QVERIFY(SaveOptionValues(o));
        QCOMPARE(readFile(m_options), expected);
        OptionValues back{9, 9, 9, 9};
        LoadOptionValues(back);
        QCOMPARE(back.SoundReminder, o.SoundReminder);
        QCOMPARE(back.CutterEnabled, o.CutterEnabled);
        QCOMPARE(back.CutterStart, o.CutterStart);
        QCOMPARE(back.CutterLength, o.CutterLength);
    } else {
        const MainWindowSettings s{numbers[0], numbers[1], numbers[2], path, numbers[3]};
        QVERIFY(SaveMainWindowSettings(s));
        QCOMPARE(readFile(m_setup), expected);
        // Saving again replaces the file whole; nothing of the old content stays behind.
        QVERIFY(SaveMainWindowSettings(s));
        QCOMPARE(readFile(m_setup), expected);
    }
}

void TestSettingsStore::loadSetup_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<int>>("indexes"); // bitrate, rate, channel, format
    QTest::addColumn<QString>("path");

    const QList<int> defaults{7, 1, 1, 0};
    QTest::newRow("default file") << setupBytes("/x") << defaults << "/x";
    QTest::newRow("all set") << QByteArray("\"11\"\r\n\"7\"\r\n\"0\"\r\n\"/x\"\r\n\"8\"\r\n")
                             << QList<int>{11, 7, 0, 8} << "/x";
    QTest::newRow("comma path") << setupBytes("/d/a,b") << defaults << "/d/a,b";
    QTest::newRow("three lines leave path and format")
        << QByteArray("\"5\"\r\n\"2\"\r\n\"0\"\r\n") << QList<int>{5, 2, 0, 0} << kDefaultFolder;
    QTest::newRow("four lines leave format")
        << QByteArray("\"5\"\r\n\"2\"\r\n\"0\"\r\n\"3\"\r\n") << QList<int>{5, 2, 0, 0} << "3";
    QTest::newRow("first line abc")
        << QByteArray("\"abc\"\r\n\"2\"\r\n\"0\"\r\n\"/x\"\r\n\"4\"\r\n") << QList<int>{7, 2, 0, 4}
        << "/x";
    QTest::newRow("first line 99") << QByteArray("\"99\"\r\n\"2\"\r\n\"0\"\r\n\"/x\"\r\n\"4\"\r\n")
                                   << QList<int>{7, 2, 0, 4} << "/x";
    QTest::newRow("empty path") << setupBytes("") << defaults << kDefaultFolder;
    QTest::newRow("no selection") << QByteArray(
                                         "\"-1\"\r\n\"-1\"\r\n\"-1\"\r\n\"/x\"\r\n\"-1\"\r\n")
                                  << QList<int>{-1, -1, -1, -1} << "/x";
    QTest::newRow("below no selection")
        << QByteArray("\"-2\"\r\n\"-2\"\r\n\"-2\"\r\n\"/x\"\r\n\"-2\"\r\n") << defaults << "/x";
    QTest::newRow("one past each list")
        << QByteArray("\"12\"\r\n\"8\"\r\n\"2\"\r\n\"/x\"\r\n\"9\"\r\n") << defaults << "/x";
    QTest::newRow("fractions round half to even")
        << QByteArray("\"6.5\"\r\n\"2.5\"\r\n\"0.4\"\r\n\"/x\"\r\n\"7.5\"\r\n")
        << QList<int>{6, 2, 0, 8} << "/x";
    QTest::newRow("index with trailing text")
        << QByteArray("\"3x\"\r\n\"2\"\r\n\"0\"\r\n\"/x\"\r\n\"4\"\r\n") << QList<int>{7, 2, 0, 4}
        << "/x";
    QTest::newRow("huge index") << QByteArray("\"1e30\"\r\n\"2\"\r\n\"0\"\r\n\"/x\"\r\n\"4\"\r\n")
                                << QList<int>{7, 2, 0, 4} << "/x";
    QTest::newRow("bare values") << QByteArray("3\r\n4\r\n0\r\n/x y\r\n2\r\n")
                                 << QList<int>{3, 4, 0, 2} << "/x y";
    QTest::newRow("LF line ends") << QByteArray("\"3\"\n\"4\"\n\"0\"\n\"/x\"\n\"2\"\n")
                                  << QList<int>{3, 4, 0, 2} << "/x";
    QTest::newRow("empty file") << QByteArray() << defaults << kDefaultFolder;
    QTest::newRow("truncated in the path")
        << QByteArray("\"3\"\r\n\"4\"\r\n\"0\"\r\n\"/ho") << QList<int>{3, 4, 0, 0} << "/ho";
    QTest::newRow("NUL bytes only") << QByteArray(64, '\0') << defaults << kDefaultFolder;
    // Binary noise is damage to the whole file, never a source of choices.
    QTest::newRow("control characters")
        << QByteArray("\"3\"\r\n\"4\"\r\n\"0\"\r\n\"/a\x02\x10"
                      "b\"\r\n\"2\"\r\n")
        << defaults << kDefaultFolder;
    QTest::newRow("not UTF-8")
        << QByteArray("\"3\"\r\n\"4\"\r\n\"0\"\r\n\"/a\xff\xfe\"\r\n\"2\"\r\n")
        << defaults << kDefaultFolder;
    QTest::newRow("huge file of one field")
        << QByteArray(3 * kSettingsFileReadLimit, 'x') << defaults << kDefaultFolder;
    QTest::newRow("good lines then a huge tail")
        << (QByteArray("\"5\"\r\n\"2\"\r\n\"0\"\r\n\"/x\"\r\n\"3\"\r\n") +
            QByteArray(3 * kSettingsFileReadLimit, '7'))
        << QList<int>{5, 2, 0, 3} << "/x";
}

void TestSettingsStore::loadSetup() {
    QFETCH(QByteArray, bytes);
    QFETCH(QList<int>, indexes);
    QFETCH(QString, path);
    QVERIFY(writeFile(m_setup, bytes));
    MainWindowSettings s = defaultMainWindowSettings();
    LoadMainWindowSettings(s);
    QCOMPARE(s.BitrateIndex, indexes[0]);
    QCOMPARE(s.SampleRateIndex, indexes[1]);
    QCOMPARE(s.ChannelIndex, indexes[2]);
    QCOMPARE(s.FormatIndex, indexes[3]);
    QCOMPARE(s.OutputPath, path);
}

void TestSettingsStore::loadOptions_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<QList<int>>("after");

    const QList<int> before{1, 1, 5, 6};
    QTest::newRow("0 1 90 30") << QByteArray("0\r\n1\r\n90\r\n30\r\n") << before
                               << QList<int>{0, 1, 90, 30};
    QTest::newRow("90.5 gives 90")
        << QByteArray("0\r\n0\r\n90.5\r\n0\r\n") << before << QList<int>{0, 0, 90, 0};
    QTest::newRow("91.5 gives 92")
        << QByteArray("0\r\n0\r\n91.5\r\n0\r\n") << before << QList<int>{0, 0, 92, 0};
    QTest::newRow("abc gives 0") << QByteArray("1\r\n1\r\nabc\r\n7\r\n") << before
                                 << QList<int>{1, 1, 0, 7};
    QTest::newRow("leading number taken")
        << QByteArray(" 1 2abc\r\n-1x\r\n1e2\r\n+4\r\n") << before << QList<int>{12, -1, 100, 4};
    QTest::newRow("empty file leaves all") << QByteArray() << before << before;
    QTest::newRow("two lines leave the times")
        << QByteArray("0\r\n0\r\n") << before << QList<int>{0, 0, 5, 6};
    QTest::newRow("40000 in line 1 keeps previous")
        << QByteArray("40000\r\n0\r\n90\r\n30\r\n") << before << QList<int>{1, 0, 90, 30};
    QTest::newRow("16-bit edges fit")
        << QByteArray("-32768\r\n32767\r\n0\r\n0\r\n") << before << QList<int>{-32768, 32767, 0, 0};
    QTest::newRow("just past 16 bits keeps previous")
        << QByteArray("32767.5\r\n-32769\r\n0\r\n0\r\n") << before << QList<int>{1, 1, 0, 0};
    QTest::newRow("past 32 bits keeps previous")
        << QByteArray("0\r\n0\r\n3e9\r\n-2147483649\r\n") << before << QList<int>{0, 0, 5, 6};
    QTest::newRow("quoted values read too") << QByteArray("\"1\"\r\n\"1\"\r\n\"60\"\r\n\"20\"\r\n")
                                            << before << QList<int>{1, 1, 60, 20};
    // A file that is not text counts as missing: reminder on, cutter off, times untouched.
    QTest::newRow("NUL bytes") << QByteArray(16, '\0') << before << QList<int>{0, 0, 5, 6};
    QTest::newRow("binary noise that starts like a number")
        << QByteArray("-1\x01\x9c\r\n1\xff\r\n90\r\n30\r\n") << before << QList<int>{0, 0, 5, 6};
    QTest::newRow("huge file of one field")
        << QByteArray(3 * kSettingsFileReadLimit, 'x') << before << QList<int>{0, 1, 5, 6};
    QTest::newRow("good lines then a huge tail")
        << (QByteArray("1\r\n0\r\n60\r\n20\r\n") + QByteArray(3 * kSettingsFileReadLimit, 'x'))
        << before << QList<int>{1, 0, 60, 20};
}

void TestSettingsStore::loadOptions() {
    QFETCH(QByteArray, bytes);
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, after);
    QVERIFY(writeFile(m_options, bytes));
    OptionValues o{static_cast<std::int16_t>(before[0]), static_cast<std::int16_t>(before[1]),
                   before[2], before[3]};
    LoadOptionValues(o);
    QCOMPARE(int{o.SoundReminder}, after[0]);
    QCOMPARE(int{o.CutterEnabled}, after[1]);
    QCOMPARE(o.CutterStart, after[2]);
    QCOMPARE(o.CutterLength, after[3]);
}

void TestSettingsStore::pathsRoundTrip_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("comma") << "/d/a,b"
                           << "/d/a,b";
    QTest::newRow("blanks kept") << " /my music/out "
                                 << " /my music/out ";
    QTest::newRow("outside Latin-1") << QStringLiteral("/home/\u4e2d\u6587/\u00e9")
                                     << QStringLiteral("/home/\u4e2d\u6587/\u00e9");
    QTest::newRow("backslash is ordinary") << "/d/a\\b"
                                           << "/d/a\\b";
    QTest::newRow("line break inside") << "/d/a\r\nb"
                                       << "/d/a\r\nb";
    // A double quote cannot be written inside the quotes: the path reads back up to it, and the
    // lines after it are not disturbed.
    QTest::newRow("quote inside") << "/d/a\"b,3"
                                  << "/d/a";
    QTest::newRow("quote with a quoted tail") << "/d/a\",\"3\",\"x"
                                              << "/d/a";
    QTest::newRow("quote first") << "\"/d/a" << kDefaultFolder;
    QTest::newRow("quote last") << "/d/a\""
                                << "/d/a";
    QTest::newRow("empty") << "" << kDefaultFolder;
}

void TestSettingsStore::pathsRoundTrip() {
    QFETCH(QString, path);
    QFETCH(QString, readBack);
    QVERIFY(SaveMainWindowSettings({3, 4, 0, path, 5}));
    MainWindowSettings s = defaultMainWindowSettings();
    LoadMainWindowSettings(s);
    QCOMPARE(s.OutputPath, readBack);
    QCOMPARE(s.BitrateIndex, 3);
    QCOMPARE(s.SampleRateIndex, 4);
    QCOMPARE(s.ChannelIndex, 0);
    QCOMPARE(s.FormatIndex, 5);
}

void TestSettingsStore::damagedSetupNeverBreaksLoading_data() {
    QTest::addColumn<QByteArray>("bytes");
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(static_cast<char>(i));
    QTest::newRow("every byte") << all.repeated(40);
    QByteArray noise;
    std::uint32_t x = 12345;
    for (int i = 0; i < 20000; ++i) {
        x = x * 1103515245u + 12345u; // deterministic, so a failure can be repeated
        noise.append(static_cast<char>(x >> 24));
    }
    QTest::newRow("noise") << noise;
    QTest::newRow("invalid UTF-8")
        << QByteArray("\"\xff\xfe\xc3\"\r\n\"\x80\"\r\n\"\xe4\xb8\"\r\n");
    QTest::newRow("quotes only") << QByteArray(1001, '"');
    QTest::newRow("commas only") << QByteArray(1000, ',');
    QTest::newRow("line ends only") << QByteArray("\r\n\r\n\r\n\r\n\r\n\r\n");
}

void TestSettingsStore::damagedSetupNeverBreaksLoading() {
    QFETCH(QByteArray, bytes);
    QVERIFY(writeFile(m_setup, bytes));
    QVERIFY(writeFile(m_options, bytes));
    MainWindowSettings s = defaultMainWindowSettings();
    LoadMainWindowSettings(s);
    const auto inList = [](int index, const QStringList& items) {
        return index >= -1 && index < items.size();
    };
    QVERIFY(inList(s.BitrateIndex, BitrateItems()));
    QVERIFY(inList(s.SampleRateIndex, SampleRateItems()));
    QVERIFY(inList(s.ChannelIndex, ChannelItems()));
    QVERIFY(inList(s.FormatIndex, OutputFormatItems()));
    QVERIFY(!s.OutputPath.isEmpty());
    OptionValues o;
    LoadOptionValues(o); // must simply come back
}

void TestSettingsStore::pipeInPlaceOfAFileIsNotWaitedFor() {
    QCOMPARE(::mkfifo(QFile::encodeName(m_setup).constData(), 0600), 0);
    QCOMPARE(::mkfifo(QFile::encodeName(m_options).constData(), 0600), 0);
    MainWindowSettings s = defaultMainWindowSettings();
    LoadMainWindowSettings(s);
    QCOMPARE(s.BitrateIndex, 7);
    QCOMPARE(s.OutputPath, kDefaultFolder);
    OptionValues o{1, 1, 5, 6};
    LoadOptionValues(o);
    QCOMPARE(o.SoundReminder, std::int16_t{1});
    QCOMPARE(o.CutterLength, 6);
}

void TestSettingsStore::failedWriteKeepsTheOldFile_data() {
    QTest::addColumn<bool>("options");
    QTest::newRow("setup.ini") << false;
    QTest::newRow("options.ini") << true;
}

void TestSettingsStore::failedWriteKeepsTheOldFile() {
    QFETCH(bool, options);
    const QString target = options ? m_options : m_setup;
    const QByteArray old = options ? QByteArray("1\r\n1\r\n60\r\n20\r\n") : setupBytes("/old");
    QVERIFY(writeFile(target, old));
    bool saved = true;
    {
        FileSizeLimit limit(4);
        if (!limit.active())
            QSKIP("cannot limit the file size here");
        saved = options ? SaveOptionValues({0, 0, 123456, 654321})
                        : SaveMainWindowSettings({3, 4, 0, QStringLiteral("/new/longer/path"), 5});
    }
    QVERIFY(!saved);
    QCOMPARE(readFile(target), old);
    // Nothing written half way stays beside the file either.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList{QFileInfo(target).fileName()});
}

void TestSettingsStore::unwritableFolderIsReported() {
    // A file where the settings folder should be cannot be replaced by a folder, even by root.
    const QString blocker = m_dir->filePath(QStringLiteral("blocker"));
    QVERIFY(writeFile(blocker, "x"));
    paths::setSettingsFolderForTesting(blocker + QStringLiteral("/vantorel"));
    QVERIFY(!SaveMainWindowSettings(defaultMainWindowSettings()));
    QVERIFY(!SaveOptionValues({}));
    QCOMPARE(readFile(blocker), QByteArray("x"));

    // A folder in the place of the file is not replaced either.
    paths::setSettingsFolderForTesting(m_dir->path());
    QVERIFY(QDir().mkpath(m_setup + QStringLiteral("/inside")));
    QVERIFY(!SaveMainWindowSettings(defaultMainWindowSettings()));
    QVERIFY(QFileInfo(m_setup + QStringLiteral("/inside")).isDir());
    MainWindowSettings s = defaultMainWindowSettings();
    s.OutputPath.clear();
    LoadMainWindowSettings(s); // a folder is no file: defaults
    QCOMPARE(s.OutputPath, kDefaultFolder);
}

void TestSettingsStore::missingSettingsFolderIsCreated() {
    const QString folder = m_dir->filePath(QStringLiteral("a/b/vantorel"));
    paths::setSettingsFolderForTesting(folder);
    QVERIFY(SaveOptionValues({0, 1, 90, 30}));
    QCOMPARE(readFile(folder + QStringLiteral("/options.ini")),
             QByteArray("0\r\n1\r\n90\r\n30\r\n"));
    QVERIFY(SaveMainWindowSettings(defaultMainWindowSettings()));
    QCOMPARE(readFile(folder + QStringLiteral("/setup.ini")), setupBytes(kDefaultFolder.toUtf8()));
}

void TestSettingsStore::fallbackSettingsFolderIsUsedAndCreated() {
    // A program folder that does not exist cannot be written, whoever runs the test.
    paths::setSettingsFolderForTesting(QString());
    paths::setAppFolderForTesting(m_dir->filePath(QStringLiteral("no-such-program-folder")));
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    const bool hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QString config = m_dir->filePath(QStringLiteral("config"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    const QString expected = config + QStringLiteral("/vantorel");

    const QString folder = paths::settingsFolder();
    const bool saved = SaveOptionValues({1, 0, 0, 45});
    OptionValues back;
    LoadOptionValues(back);

    if (hadConfig)
        qputenv("XDG_CONFIG_HOME", savedConfig);
    else
        qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(folder, expected);
    QVERIFY(saved);
    QVERIFY(QFileInfo(expected).isDir());
    QCOMPARE(readFile(expected + QStringLiteral("/options.ini")),
             QByteArray("1\r\n0\r\n0\r\n45\r\n"));
    QCOMPARE(back.SoundReminder, std::int16_t{1});
    QCOMPARE(back.CutterLength, 45);
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
