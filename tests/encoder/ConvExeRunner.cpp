#include "ConvExeRunner.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

namespace convtest {

namespace {

QString runTool(const QString& program, const QStringList& args, bool* ok = nullptr,
                QProcess::ProcessChannelMode mode = QProcess::SeparateChannels) {
    QProcess process;
    process.setProcessChannelMode(mode);
    process.start(program, args);
    const bool done = process.waitForFinished(5 * 60 * 1000);
    if (ok)
        *ok = done && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

QString convExe() {
    return QStringLiteral(VANTOREL_APP_DIR "/data/conv.exe");
}

Result runConv(const QStringList& args, int timeoutMs, const QString& tmpDir) {
    QProcess process;
    if (!tmpDir.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TMPDIR", tmpDir);
        process.setProcessEnvironment(environment);
    }
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(convExe(), args);
    Result result;
    result.finished = process.waitForFinished(timeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished();
    }
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    result.output = QString::fromUtf8(process.readAll());
    return result;
}

QString Result::summary() const {
    const QString end = !finished ? QStringLiteral("did not finish")
                        : crashed ? QStringLiteral("crashed")
                                  : QStringLiteral("exit code %1").arg(exitCode);
    return end + "; output ends:\n" + output.right(1500);
}

bool ffmpeg(const QStringList& args) {
    bool ok = false;
    runTool(QStringLiteral(VANTOREL_TEST_FFMPEG),
            QStringList{"-nostdin", "-hide_banner", "-loglevel", "error", "-y"} + args, &ok);
    return ok;
}

double headerSeconds(const QString& path) {
    const QString text = runTool(QStringLiteral(VANTOREL_TEST_FFPROBE),
                                 {"-v", "error", "-show_entries", "format=duration", "-of",
                                  "default=noprint_wrappers=1:nokey=1", path});
    bool ok = false;
    const double seconds = text.trimmed().toDouble(&ok);
    return ok ? seconds : -1;
}

double decodedSeconds(const QString& path) {
    QProcess process;
    process.start(QStringLiteral(VANTOREL_TEST_FFMPEG),
                  {"-nostdin", "-v", "error", "-i", path, "-vn", "-ac", "1", "-ar", "8000", "-f",
                   "s16le", "-"});
    qint64 bytes = 0;
    do {
        bytes += process.readAllStandardOutput().size();
    } while (process.waitForReadyRead(60 * 1000));
    process.waitForFinished(60 * 1000);
    bytes += process.readAllStandardOutput().size();
    const bool ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return ok ? static_cast<double>(bytes) / 16000.0 : -1;
}

QString audioStream(const QString& path) {
    return runTool(QStringLiteral(VANTOREL_TEST_FFPROBE),
                   {"-v", "error", "-select_streams", "a:0", "-show_entries",
                    "stream=codec_name,sample_rate,channels", "-of", "csv=p=0", path})
        .trimmed();
}

QStringList piecesIn(const QString& folder, const QString& base, const QString& ext) {
    const QRegularExpression name("^" + QRegularExpression::escape(base) + "\\d{5}\\." +
                                  QRegularExpression::escape(ext) + "$");
    QStringList pieces = QDir(folder).entryList(QDir::Files, QDir::Name).filter(name);
    pieces.sort();
    return pieces;
}

QStringList words(const QString& fragment) {
    return fragment.split(' ', Qt::SkipEmptyParts);
}

} // namespace convtest
