#include "engine/CommandBuilder.h"

#include "platform/AppPaths.h"
#include "platform/NumberText.h"

#include <limits>

namespace vantorel {
namespace {

const QChar kQuote = QLatin1Char('"');

struct FormatRow {
    const char* options; // between the segment part and the quoted output path
    const char* pattern; // appended to the output path; %05d becomes the piece number
    bool audioSettings;  // carries the user's bitrate, sample rate and channels
    bool bitrateOnly;    // carries the user's bitrate alone
};

// Every conversion overwrites without asking (-y) and drops any video stream (-vn).
constexpr FormatRow kFormats[FormatCount] = {
    {" -y -map_metadata 0 -id3v2_version 3 -vn ", "%05d.mp3", true, false},
    {" -y -vn -acodec wmav1 ", "%05d.wma", false, false},
    {" -y -vn -ac 2 ", "%05d.ogg", false, false},
    {" -y -vn -acodec pcm_s16le ", "%05d.wav", false, false},
    {" -y -vn ", "%05d.flac", false, false},
    {" -y -vn ", "%05d.ac3", false, false},
    {" -y -vn ", "%05d.aac", false, true},
    {" -y -vn -ar 8000 -ab 7.4k -ac 1 ", "%05d.amr", false, false},
    {" -y -vn ", "%05d.mpg", true, false},
};

QString encoder(const QString& appFolder) {
    return appFolder + QStringLiteral("/data/conv.exe");
}

// The encoder reads an argument that starts with "-" as an option and one that starts with
// "name:" as a protocol. Anchoring a relative path at "./" keeps it a plain file name without
// changing which file it names; absolute paths pass unchanged.
QString asFileArgument(const QString& path) {
    if (path.startsWith(QLatin1Char('/')))
        return path;
    return QStringLiteral("./") + path;
}

QString quoted(const QString& text) {
    return kQuote + text + kQuote;
}

bool isPlainDigits(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString quoteProblem(const QString& what, const QString& path) {
    return QStringLiteral("The %1 \"%2\" cannot be handed to the encoder, because it holds a "
                          "double quote (\").")
        .arg(what, path);
}

} // namespace

bool IsFlacSource(const QString& source) {
    return source.right(4).compare(QLatin1String("flac"), Qt::CaseInsensitive) == 0;
}

QString OutputFolderFor(const QString& boxText) {
    if (boxText.endsWith(QLatin1Char('/')))
        return boxText;
    return boxText + QLatin1Char('/');
}

qint32 SplitSeconds(const QString& text, int unitIndex, qint32 previous) {
    const auto number = StrictNumber(text);
    if (!number)
        return previous;
    const auto whole = RoundToInt32(*number);
    if (!whole)
        return previous;
    const qint64 factor = unitIndex == UnitSeconds ? 1 : unitIndex == UnitMinutes ? 60 : 3600;
    const qint64 product = qint64{*whole} * factor;
    if (product < std::numeric_limits<qint32>::min() ||
        product > std::numeric_limits<qint32>::max())
        return previous;
    return static_cast<qint32>(product);
}

QString SourceProblem(const QString& source) {
    if (source.isEmpty())
        return QStringLiteral("There is no file to convert.");
    if (source.contains(kQuote))
        return quoteProblem(QStringLiteral("file"), source);
    return QString();
}

QString ConvertProblem(const QString& source, const QString& outputFolder, const QString& baseName,
                       qint32 splitSeconds, int formatIndex, const QString& bitrate,
                       const QString& rate, int channels) {
    if (QString problem = SourceProblem(source); !problem.isEmpty())
        return problem;
    if (outputFolder.contains(kQuote))
        return quoteProblem(QStringLiteral("output folder"), outputFolder) +
               QStringLiteral(" Please choose another folder.");
    if (baseName.contains(kQuote))
        return quoteProblem(QStringLiteral("file name"), baseName);
    if (splitSeconds <= 0)
        return QStringLiteral("The split length must be a number greater than 0.");
    if (formatIndex < 0 || formatIndex >= FormatCount)
        return QStringLiteral("Please choose an output format.");
    const FormatRow& row = kFormats[formatIndex];
    if ((row.audioSettings || row.bitrateOnly) && !isPlainDigits(bitrate))
        return QStringLiteral("Please choose a bitrate.");
    if (row.audioSettings && !isPlainDigits(rate))
        return QStringLiteral("Please choose a sample rate.");
    if (row.audioSettings && channels != 1 && channels != 2)
        return QStringLiteral("Please choose Mono or Stereo.");
    return QString();
}

QString PreDecodeCommand(const QString& appFolder, const QString& source) {
    if (!SourceProblem(source).isEmpty())
        return QString();
    return encoder(appFolder) + QStringLiteral(" -threads 1 -i ") + quoted(asFileArgument(source)) +
           QLatin1Char(' ') + paths::tempWavPath();
}

QString ProbeCommand(const QString& appFolder, const QString& source, bool isFlac) {
    if (isFlac)
        return encoder(appFolder) + QStringLiteral(" -i ") + paths::tempWavPath();
    if (!SourceProblem(source).isEmpty())
        return QString();
    return encoder(appFolder) + QStringLiteral(" -i ") + quoted(asFileArgument(source));
}

QString ConvertCommand(const QString& appFolder, const QString& source, const QString& outputFolder,
                       const QString& baseName, qint32 splitSeconds, int formatIndex,
                       const QString& bitrate, const QString& rate, int channels) {
    if (!ConvertProblem(source, outputFolder, baseName, splitSeconds, formatIndex, bitrate, rate,
                        channels)
             .isEmpty())
        return QString();
    const FormatRow& row = kFormats[formatIndex];
    QString options = QLatin1String(row.options);
    if (row.audioSettings)
        options += QStringLiteral("-ab %1k -ar %2 -ac %3 ").arg(bitrate, rate).arg(channels);
    else if (row.bitrateOnly)
        options += QStringLiteral("-ab %1k ").arg(bitrate);
    const QString output =
        asFileArgument(outputFolder + baseName) + QLatin1String(row.pattern);
    return encoder(appFolder) + QStringLiteral(" -i ") + quoted(asFileArgument(source)) +
           QStringLiteral(" -f segment -segment_time ") + QString::number(splitSeconds) + options +
           quoted(output);
}

QString PieceExtension(int formatIndex) {
    if (formatIndex < 0 || formatIndex >= FormatCount)
        return QString();
    // The pattern is "%05d." followed by the extension.
    return QString::fromLatin1(kFormats[formatIndex].pattern + 5);
}

} // namespace vantorel
