#include "settings/SettingsStore.h"

#include "platform/AppPaths.h"
#include "platform/NumberText.h"
#include "settings/OutputChoices.h"
#include "settings/SettingsFieldReader.h"
#include "settings/SettingsFile.h"

#include <QStringDecoder>
#include <optional>

namespace vantorel {
namespace {

// A list position as written in setup.ini: strictly a number; -1 (no selection) or a position
// inside the list. Anything else leaves the list as it is.
void applyIndex(const std::optional<QString>& field, qsizetype listSize, int& index) {
    if (!field)
        return;
    const auto number = StrictNumber(*field);
    if (!number)
        return;
    const auto value = RoundToInt32(*number);
    if (!value || *value < -1 || *value >= listSize)
        return;
    index = *value;
}

template <typename Int, typename Round>
void applyOption(const std::optional<QString>& field, Round round, Int& value) {
    if (!field)
        return;
    if (const auto rounded = round(LeadingNumber(*field)))
        value = *rounded;
}

// Nothing inside the quotes is escaped, so a double quote would end the value early and could
// let the rest of it read as further values ("/a\",\"3" would set the next line's list). The
// value is cut at its first double quote: it reads back exactly as far as it could anyway.
QString quotableText(const QString& text) {
    const qsizetype quote = text.indexOf(QLatin1Char('"'));
    return quote < 0 ? text : text.left(quote);
}

// The program writes plain UTF-8 text. A file of binary noise (a wrong file copied in, a disk
// fault) is damaged as a whole: reading fields out of it would turn random bytes into choices, so
// it counts as missing.
bool isDamaged(const QByteArray& bytes) {
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && u != '\t' && u != '\r' && u != '\n') || u == 0x7f)
            return true;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(bytes); // decoding is what finds bytes that are not UTF-8
    Q_UNUSED(decoded)
    return utf8.hasError();
}

QByteArray quotedLine(const QString& text) {
    return '"' + text.toUtf8() + "\"\r\n";
}

QByteArray bareLine(std::int32_t number) {
    return QByteArray::number(number) + "\r\n";
}

} // namespace

void LoadMainWindowSettings(MainWindowSettings& inOut) {
    const SettingsFileContent file = ReadSettingsFile(paths::setupIniPath());
    if (file.Exists && !isDamaged(file.Bytes)) {
        SettingsFieldReader reader(file.Bytes);
        applyIndex(reader.readField(), BitrateItems().size(), inOut.BitrateIndex);
        applyIndex(reader.readField(), SampleRateItems().size(), inOut.SampleRateIndex);
        applyIndex(reader.readField(), ChannelItems().size(), inOut.ChannelIndex);
        if (const auto path = reader.readField())
            inOut.OutputPath = *path;
        applyIndex(reader.readField(), OutputFormatItems().size(), inOut.FormatIndex);
    }
    if (inOut.OutputPath.isEmpty())
        inOut.OutputPath = paths::defaultOutputFolder();
}

bool SaveMainWindowSettings(const MainWindowSettings& settings) {
    QByteArray bytes;
    bytes += quotedLine(QString::number(settings.BitrateIndex));
    bytes += quotedLine(QString::number(settings.SampleRateIndex));
    bytes += quotedLine(QString::number(settings.ChannelIndex));
    bytes += quotedLine(quotableText(settings.OutputPath));
    bytes += quotedLine(QString::number(settings.FormatIndex));
    return WriteSettingsFile(paths::setupIniPath(), bytes);
}

void LoadOptionValues(OptionValues& inOut) {
    const SettingsFileContent file = ReadSettingsFile(paths::optionsIniPath());
    if (!file.Exists || isDamaged(file.Bytes)) {
        inOut.SoundReminder = 0;
        inOut.CutterEnabled = 0;
        return;
    }
    SettingsFieldReader reader(file.Bytes);
    applyOption(reader.readField(), RoundToInt16, inOut.SoundReminder);
    applyOption(reader.readField(), RoundToInt16, inOut.CutterEnabled);
    applyOption(reader.readField(), RoundToInt32, inOut.CutterStart);
    applyOption(reader.readField(), RoundToInt32, inOut.CutterLength);
}

bool SaveOptionValues(const OptionValues& values) {
    QByteArray bytes;
    bytes += bareLine(values.SoundReminder);
    bytes += bareLine(values.CutterEnabled);
    bytes += bareLine(values.CutterStart);
    bytes += bareLine(values.CutterLength);
    return WriteSettingsFile(paths::optionsIniPath(), bytes);
}

} // namespace vantorel
