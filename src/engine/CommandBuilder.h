#pragma once

#include <QString>
#include <QtGlobal>

// The command lines handed to the encoder (data/conv.exe, FFmpeg syntax): the FLAC pre-decode,
// the length probe and the conversion that cuts a source into numbered pieces. Pure functions of
// their inputs: they touch no files and no controls.
//
// A command line is later split into program and arguments with double quotes grouping and
// nothing escaped, so a double quote inside a path could end the quoting early and smuggle
// options in. Such a path is never put on a command line: the builders return an empty text for
// it, and the ...Problem functions say why, in words the user can act on. Callers check the
// problem first and never start an empty command.
namespace vantorel {

// The output formats, in the order of the format list.
enum OutputFormat : int {
    FormatMp3 = 0,
    FormatWma,
    FormatOgg,
    FormatWav,
    FormatFlac,
    FormatAc3,
    FormatAac,
    FormatAmr,
    FormatMpg,
    FormatCount
};

// Split-length units, in the order of the unit list; any other index counts as hours.
enum SplitUnit : int { UnitSeconds = 0, UnitMinutes = 1, UnitHours = 2 };

// True when the last four characters are "flac" in any case. Only the ending counts, so a
// working copy named "*.tmp" is never taken for FLAC.
bool IsFlacSource(const QString& source);

// The output box's text with one "/" appended unless it already ends in "/"; an empty box
// gives "/".
QString OutputFolderFor(const QString& boxText);

// The piece length in seconds from the split text and the unit index. The text must be a number
// (a fraction is rounded half to even); it is multiplied by 1, 60 or 3600. A text that is not a
// number, or a product beyond 32 bits, keeps `previous`.
qint32 SplitSeconds(const QString& text, int unitIndex, qint32 previous);

// Empty when the source can be put on an encoder command line; otherwise the reason.
QString SourceProblem(const QString& source);

// Empty when a conversion command can be built from these values; otherwise the reason. Besides
// the paths it refuses a piece length of 0 or less (the segment writer would then cut one piece
// per audio packet, tens of thousands of files), a format index outside the list, and, for the
// formats that carry them, a bitrate or sample rate that is not plain digits or a channel count
// other than 1 or 2.
QString ConvertProblem(const QString& source, const QString& outputFolder, const QString& baseName,
                       qint32 splitSeconds, int formatIndex, const QString& bitrate,
                       const QString& rate, int channels);

// The file extension of the pieces of a format ("mp3", "wma", ...); empty for an index outside
// the list.
QString PieceExtension(int formatIndex);

// <appFolder>/data/conv.exe -threads 1 -i "<source>" <temporary WAV>
QString PreDecodeCommand(const QString& appFolder, const QString& source);

// Names an input and no output, so the encoder prints the input's description and exits. A FLAC
// source is probed through the temporary WAV and is not named.
QString ProbeCommand(const QString& appFolder, const QString& source, bool isFlac);

// Cuts the whole source into pieces of splitSeconds, named <outputFolder><baseName>NNNNN.<ext>.
// outputFolder is what OutputFolderFor returns.
QString ConvertCommand(const QString& appFolder, const QString& source, const QString& outputFolder,
                       const QString& baseName, qint32 splitSeconds, int formatIndex,
                       const QString& bitrate, const QString& rate, int channels);

} // namespace vantorel
