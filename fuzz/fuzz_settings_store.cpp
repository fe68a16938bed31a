// setup.ini and options.ini loaded from arbitrary bytes: what is loaded is always usable, a value
// read does not depend on what the field held before, and saving what was loaded then loading it
// again changes nothing. Input: the bytes of both files.
#include "FuzzSupport.h"
#include "platform/AppPaths.h"
#include "settings/MainWindowSettings.h"
#include "settings/OptionValues.h"
#include "settings/OutputChoices.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>

using namespace vantorel;
using fuzz::require;

namespace {

std::unique_ptr<QTemporaryDir> folder;

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                file.write(bytes) == bytes.size(),
            "the test can write its settings file", path);
}

QString describe(const MainWindowSettings& s) {
    return QStringLiteral("%1 %2 %3 [%4] %5")
        .arg(s.BitrateIndex)
        .arg(s.SampleRateIndex)
        .arg(s.ChannelIndex)
        .arg(fuzz::visible(s.OutputPath))
        .arg(s.FormatIndex);
}

bool same(const MainWindowSettings& a, const MainWindowSettings& b) {
    return a.BitrateIndex == b.BitrateIndex && a.SampleRateIndex == b.SampleRateIndex &&
           a.ChannelIndex == b.ChannelIndex && a.OutputPath == b.OutputPath &&
           a.FormatIndex == b.FormatIndex;
}

bool same(const OptionValues& a, const OptionValues& b) {
    return a.SoundReminder == b.SoundReminder && a.CutterEnabled == b.CutterEnabled &&
           a.CutterStart == b.CutterStart && a.CutterLength == b.CutterLength;
}

void checkIndex(int index, qsizetype listSize, const MainWindowSettings& s) {
    require(index >= -1 && index < listSize, "a loaded list position is inside its list",
            describe(s));
}

// A field either kept what both starts held, or was read, and then reads the same from both.
template <typename T>
void checkIndependent(const T& startA, const T& gotA, const T& startB, const T& gotB,
                      const QString& detail) {
    require((gotA == startA && gotB == startB) || gotA == gotB,
            "a value read does not depend on what the field held", detail);
}

void checkMainWindowSettings() {
    const MainWindowSettings startA = defaultMainWindowSettings();
    MainWindowSettings startB;
    startB.BitrateIndex = 0;
    startB.SampleRateIndex = 0;
    startB.ChannelIndex = 0;
    startB.OutputPath = QStringLiteral("/elsewhere");
    startB.FormatIndex = 2;
    MainWindowSettings a = startA;
    MainWindowSettings b = startB;
    LoadMainWindowSettings(a);
    LoadMainWindowSettings(b);

    const QString detail = describe(a) + QStringLiteral(" / ") + describe(b);
    checkIndex(a.BitrateIndex, BitrateItems().size(), a);
    checkIndex(a.SampleRateIndex, SampleRateItems().size(), a);
    checkIndex(a.ChannelIndex, ChannelItems().size(), a);
    checkIndex(a.FormatIndex, OutputFormatItems().size(), a);
    require(!a.OutputPath.isEmpty(), "the output path is never empty", detail);
    checkIndependent(startA.BitrateIndex, a.BitrateIndex, startB.BitrateIndex, b.BitrateIndex,
                     detail);
    checkIndependent(startA.SampleRateIndex, a.SampleRateIndex, startB.SampleRateIndex,
                     b.SampleRateIndex, detail);
    checkIndependent(startA.ChannelIndex, a.ChannelIndex, startB.ChannelIndex, b.ChannelIndex,
                     detail);
    checkIndependent(startA.OutputPath, a.OutputPath, startB.OutputPath, b.OutputPath, detail);
    checkIndependent(startA.FormatIndex, a.FormatIndex, startB.FormatIndex, b.FormatIndex, detail);

    require(SaveMainWindowSettings(a), "setup.ini can be saved", detail);
    MainWindowSettings again = startB;
    LoadMainWindowSettings(again);
    // A double quote cannot be written inside a quoted value: the path is kept up to it.
    MainWindowSettings expected = a;
    expected.OutputPath = a.OutputPath.left(a.OutputPath.indexOf(QLatin1Char('"')));
    if (expected.OutputPath.isEmpty())
        expected.OutputPath = paths::defaultOutputFolder();
    require(same(again, expected), "saved settings load back as they were",
            describe(a) + QStringLiteral(" -> ") + describe(again));
}

void checkOptionValues() {
    const OptionValues startA;
    OptionValues startB;
    startB.SoundReminder = 1;
    startB.CutterEnabled = 1;
    startB.CutterStart = 30;
    startB.CutterLength = 600;
    OptionValues a = startA;
    OptionValues b = startB;
    LoadOptionValues(a);
    LoadOptionValues(b);
    const QString detail = QStringLiteral("%1 %2 %3 %4")
                               .arg(a.SoundReminder)
                               .arg(a.CutterEnabled)
                               .arg(a.CutterStart)
                               .arg(a.CutterLength);
    checkIndependent(startA.SoundReminder, a.SoundReminder, startB.SoundReminder, b.SoundReminder,
                     detail);
    checkIndependent(startA.CutterEnabled, a.CutterEnabled, startB.CutterEnabled, b.CutterEnabled,
                     detail);
    checkIndependent(startA.CutterStart, a.CutterStart, startB.CutterStart, b.CutterStart, detail);
    checkIndependent(startA.CutterLength, a.CutterLength, startB.CutterLength, b.CutterLength,
                     detail);

    require(SaveOptionValues(a), "options.ini can be saved", detail);
    OptionValues again = startB;
    LoadOptionValues(again);
    require(same(again, a), "saved options load back as they were", detail);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A folder in memory where there is one: every input writes and renames both files.
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    folder = std::make_unique<QTemporaryDir>(base + QStringLiteral("/vantorel-fuzz-XXXXXX"));
    require(folder->isValid(), "a temporary settings folder can be made", base);
    paths::setSettingsFolderForTesting(folder->path());
    paths::setHomeFolderForTesting(folder->path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    writeFile(paths::setupIniPath(), bytes);
    writeFile(paths::optionsIniPath(), bytes);
    checkMainWindowSettings();
    checkOptionValues();
    return 0;
}
