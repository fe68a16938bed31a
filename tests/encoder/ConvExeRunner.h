#pragma once

// Runs the built data/conv.exe and the system's FFmpeg tools for the encoder tests.

#include <QString>
#include <QStringList>

namespace convtest {

QString convExe();

struct Result {
    int exitCode = -1;
    bool crashed = false;
    bool finished = false;
    QString output; // standard output and error, merged as the application reads them

    // How it ended and the last of its text, for a failure message.
    QString summary() const;
};

// `tmpDir`, when given, is the temporary folder conv.exe is told to use.
Result runConv(const QStringList& args, int timeoutMs = 10 * 60 * 1000,
               const QString& tmpDir = QString());

// Runs the system's ffmpeg with its own text silenced; true when it succeeded.
bool ffmpeg(const QStringList& args);

// The length a piece's header gives (ffprobe's format duration); negative when it gives none.
double headerSeconds(const QString& path);
// The length of the sound the piece decodes to, counted in samples.
double decodedSeconds(const QString& path);
// "codec,sample rate,channels" of the first audio stream.
QString audioStream(const QString& path);

// The files "<base>NNNNN.<ext>" in `folder`, sorted.
QStringList piecesIn(const QString& folder, const QString& base, const QString& ext);

// The option words of a command-line fragment such as " -y -vn -ab 128k ".
QStringList words(const QString& fragment);

} // namespace convtest
