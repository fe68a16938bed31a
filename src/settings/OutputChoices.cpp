#include "settings/OutputChoices.h"

#include "platform/AppPaths.h"

namespace vantorel {

QStringList OutputFormatItems() {
    return {QStringLiteral("MP3"), QStringLiteral("WMA"),  QStringLiteral("OGG"),
            QStringLiteral("WAV"), QStringLiteral("FLAC"), QStringLiteral("AC3"),
            QStringLiteral("AAC"), QStringLiteral("AMR"),  QStringLiteral("MPG")};
}

QStringList BitrateItems() {
    return {QStringLiteral("32"),  QStringLiteral("48"),  QStringLiteral("56"),
            QStringLiteral("64"),  QStringLiteral("80"),  QStringLiteral("96"),
            QStringLiteral("112"), QStringLiteral("128"), QStringLiteral("192"),
            QStringLiteral("224"), QStringLiteral("256"), QStringLiteral("320")};
}

QStringList SampleRateItems() {
    // "12050" is what the program has always offered and passed on; it is not a typo to fix.
    return {QStringLiteral("48000"), QStringLiteral("44100"), QStringLiteral("32000"),
            QStringLiteral("24000"), QStringLiteral("22050"), QStringLiteral("16000"),
            QStringLiteral("12050"), QStringLiteral("8000")};
}

QStringList ChannelItems() {
    return {QStringLiteral("Mono"), QStringLiteral("Stereo")};
}

QStringList SplitUnitItems() {
    return {QStringLiteral("Seconds"), QStringLiteral("Minutes"), QStringLiteral("Hours")};
}

OutputDefaults outputDefaults() {
    OutputDefaults d;
    d.OutputPath = paths::defaultOutputFolder();
    return d;
}

} // namespace vantorel
