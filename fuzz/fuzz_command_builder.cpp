// The encoder command lines built from arbitrary paths and choices must split back into exactly
// the arguments meant: a path is always one whole argument, it never adds or swallows one, and it
// never reads as an option. Input: lines of text, in order the app folder, the source, the output
// box, the base name, the split text, the unit, format and channel numbers, the bitrate and the
// sample rate; a byte 0x01 inside a line stands for a line feed.
#include "FuzzSupport.h"
#include "SplitDescription.h"
#include "engine/CommandBuilder.h"
#include "filelist/WorkingCopy.h"
#include "platform/AppPaths.h"
#include "platform/NumberText.h"
#include "process/CommandLineSplitter.h"

#include <QStringList>
#include <cstdint>
#include <limits>

using namespace vantorel;
using fuzz::describe;
using fuzz::require;

namespace {

struct Choices {
    QString appFolder;
    QString source;
    QString outputBox;
    QString baseName;
    QString splitText;
    int unit = 0;
    int format = 0;
    int channels = 0;
    QString bitrate;
    QString rate;
};

Choices parse(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line.replace(QChar(1), QLatin1Char('\n'));
    while (lines.size() < 10)
        lines.append(QString());
    Choices c;
    // The app folder is where the program was installed: an absolute path. A double quote in it
    // cannot be written on a command line at all, so it is left out here.
    c.appFolder = QLatin1Char('/') + QString(lines[0]).remove(QLatin1Char('"'));
    c.source = lines[1];
    c.outputBox = lines[2];
    c.baseName = lines[3];
    c.splitText = lines[4];
    c.unit = lines[5].toInt();
    c.format = lines[6].toInt();
    c.channels = lines[7].toInt();
    c.bitrate = lines[8];
    c.rate = lines[9];
    return c;
}

SplitCommand splitBack(const Choices& c, const QString& line) {
    const QString encoder = c.appFolder + QStringLiteral("/data/conv.exe");
    const SplitCommand split =
        SplitCommandLine(line, [&encoder](const QString& path) { return path == encoder; });
    require(split.program == encoder, "the program is the encoder", describe(line, split));
    return split;
}

// A path handed to the encoder names the same file and cannot read as an option.
void checkFileArgument(const QString& argument, const QString& path, const QString& detail) {
    require(argument == path || argument == QStringLiteral("./") + path,
            "a path stays one whole argument", detail);
    require(!argument.startsWith(QLatin1Char('-')), "a path never reads as an option", detail);
    if (path.startsWith(QLatin1Char('/')))
        require(argument == path, "an absolute path passes unchanged", detail);
}

void checkSplitSeconds(const Choices& c) {
    const qint32 previous = 77;
    const qint32 got = SplitSeconds(c.splitText, c.unit, previous);
    const auto number = StrictNumber(c.splitText);
    const auto whole = number ? RoundToInt32(*number) : std::nullopt;
    const qint64 factor = c.unit == UnitSeconds ? 1 : c.unit == UnitMinutes ? 60 : 3600;
    const qint64 product = whole ? qint64{*whole} * factor : 0;
    const bool fits = whole && product >= std::numeric_limits<qint32>::min() &&
                      product <= std::numeric_limits<qint32>::max();
    require(got == (fits ? product : previous),
            "the piece length is the rounded number times the unit, or stays",
            fuzz::visible(c.splitText) + QStringLiteral(" unit %1 -> %2").arg(c.unit).arg(got));
}

void checkProbeAndPreDecode(const Choices& c) {
    const bool refused = !SourceProblem(c.source).isEmpty();
    if (!c.source.isEmpty() && !IsUnsafeForEncoder(c.source))
        require(!refused, "a path safe for the encoder is accepted", fuzz::visible(c.source));

    const QString probe = ProbeCommand(c.appFolder, c.source, false);
    require(probe.isEmpty() == refused, "a probe is built exactly for an accepted source",
            fuzz::visible(c.source));
    if (!probe.isEmpty()) {
        const SplitCommand split = splitBack(c, probe);
        const QString detail = describe(probe, split);
        require(split.arguments.size() == 2 && split.arguments[0] == QStringLiteral("-i"),
                "the probe names one input", detail);
        checkFileArgument(split.arguments[1], c.source, detail);
    }

    const QString decode = PreDecodeCommand(c.appFolder, c.source);
    require(decode.isEmpty() == refused, "a pre-decode is built exactly for an accepted source",
            fuzz::visible(c.source));
    if (!decode.isEmpty()) {
        const SplitCommand split = splitBack(c, decode);
        const QString detail = describe(decode, split);
        require(split.arguments.size() == 5 && split.arguments[2] == QStringLiteral("-i") &&
                    split.arguments[4] == paths::tempWavPath(),
                "the pre-decode reads one input into the temporary WAV", detail);
        checkFileArgument(split.arguments[3], c.source, detail);
    }
}

// The same choices with paths that cannot go wrong give the shape every command must have.
void checkConvert(const Choices& c) {
    const int split = SplitSeconds(c.splitText, c.unit, 60);
    const QString folder = OutputFolderFor(c.outputBox);
    require(folder.endsWith(QLatin1Char('/')) &&
                (folder == c.outputBox || folder == c.outputBox + QLatin1Char('/')),
            "the output folder is the box with one closing /", fuzz::visible(c.outputBox));

    const QString problem = ConvertProblem(c.source, folder, c.baseName, split, c.format, c.bitrate,
                                           c.rate, c.channels);
    const QString line = ConvertCommand(c.appFolder, c.source, folder, c.baseName, split, c.format,
                                        c.bitrate, c.rate, c.channels);
    require(line.isEmpty() == !problem.isEmpty(), "a command is built exactly when no problem is",
            fuzz::visible(line) + QStringLiteral(" / ") + problem);
    if (line.isEmpty())
        return;

    const QString plain =
        ConvertCommand(c.appFolder, QStringLiteral("/in.wav"), QStringLiteral("/out/"),
                       QStringLiteral("piece"), split, c.format, c.bitrate, c.rate, c.channels);
    require(!plain.isEmpty(), "plain paths are always accepted", fuzz::visible(line));
    const SplitCommand got = splitBack(c, line);
    const SplitCommand shape = splitBack(c, plain);
    const QString detail = describe(line, got);
    require(got.arguments.size() == shape.arguments.size(),
            "the paths neither add nor swallow an argument", detail);
    for (qsizetype i = 0; i + 1 < got.arguments.size(); ++i) {
        if (i == 1)
            continue;
        require(got.arguments[i] == shape.arguments[i], "every other argument is the fixed one",
                detail);
    }
    require(got.arguments[0] == QStringLiteral("-i"), "the source follows -i", detail);
    checkFileArgument(got.arguments[1], c.source, detail);

    // The output is the folder and base name, then the pieces' pattern %05d.<ext>.
    QString output = got.arguments.last();
    const QString pattern = QStringLiteral("%05d.") + PieceExtension(c.format);
    require(output.endsWith(pattern), "the output ends in the piece pattern", detail);
    output.chop(pattern.size());
    const QString stem = folder + c.baseName;
    require(!output.startsWith(QLatin1Char('-')), "the output never reads as an option", detail);
    if (!stem.startsWith(QLatin1Char('/')) && output.startsWith(QStringLiteral("./")))
        output.remove(0, 2);
    require(output == stem, "the output names the folder and base name", detail);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Choices c = parse(fuzz::utf8Text(data, size));
    checkSplitSeconds(c);
    checkProbeAndPreDecode(c);
    checkConvert(c);
    return 0;
}
