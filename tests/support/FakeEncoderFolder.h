#pragma once

// A temporary application folder whose data/conv.exe is the fake encoder, for tests that run the
// real process path without real audio.
//
// The fake encoder
// ----------------
// A copy of the fake binary takes its process name from the copy's file name, so data/conv.exe
// is watched and killed like the real encoder. On every start it
//  1. reads its script: the file named by the environment variable VANTOREL_FAKE_ENCODER_SCRIPT,
//     else "<its own path>.script" (so data/conv.exe reads data/conv.exe.script);
//  2. appends its arguments as one line to its log: the file named by VANTOREL_FAKE_ENCODER_LOG,
//     else the script's "log <path>" line, else "<its own path>.log". Arguments are separated by
//     one space; an argument that is empty or holds a space or tab is wrapped in double quotes.
//     So the line is the command line after the program, as the command builders write it;
//  3. works out the kind of call from its arguments:
//       convert    "-f segment" appears;
//       probe      otherwise, "-i X" is the last pair (an input and no output);
//       predecode  otherwise, "-i X" is followed by more (the last argument is the output);
//       other      no "-i" at all;
//  4. runs the steps of the script's section for that kind, or of the [default] section when
//     the script has none for it (lines before any section header belong to [default]); with
//     neither it prints nothing and exits 0. After the last step it exits 0.
//
// The fake dies with its parent, so a crashed test never leaves an encoder running.
//
// Script lines (blank lines and lines starting with "#" are ignored):
//   [probe] [predecode] [convert] [other] [default]   starts that section
//   log PATH          the log file (anywhere in the script)
//   print TEXT        writes TEXT to standard output; escapes \n \r \t \\ \xHH
//   eprint TEXT       the same to standard error
//   bytes N [C]       writes N bytes of the character C (default x) in one write
//   sleep MS          sleeps MS milliseconds
//   pieces N [SIZE]   writes N files named by the last argument with "%05d" replaced by
//                     00000, 00001, ...; each holds SIZE bytes (default 16)
//   wav [MS]          writes the last argument as an 8000 Hz mono 16-bit WAV of MS ms of
//                     silence (default 1000)
//   stdin             copies what one read of standard input gives to standard output, or
//                     prints <end> at its end (<error> when it cannot be read)
//   exit CODE         ends with that exit code
//   signal N          ends by signal N (default 9, SIGKILL)
//
// Example, a conversion that reports progress and writes three pieces:
//   [probe]
//   print   Duration: 00:03:00.00, start: 0.000000\n
//   [convert]
//   print size=1kB time=00:01:00.00 bitrate=1kbits/s\r
//   sleep 100
//   pieces 3
//   [default]
//   exit 1

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace vantorel::testsupport {

class FakeEncoderFolder {
public:
    FakeEncoderFolder() {
        m_valid = m_root.isValid() && QDir(m_root.path()).mkpath(QStringLiteral("data")) &&
                  install(encoderPath());
    }

    // The fake binary as built.
    static QString fakeBinary() { return QStringLiteral(VANTOREL_FAKE_ENCODER_BINARY); }

    bool isValid() const { return m_valid; }
    QString appFolder() const { return m_root.path(); }
    QString encoderPath() const { return appFolder() + QStringLiteral("/data/conv.exe"); }
    QString logPath() const { return encoderPath() + QStringLiteral(".log"); }

    // The behaviour of data/conv.exe.
    bool setScript(const QString& script) const { return writeScript(encoderPath(), script); }

    // Another copy of the fake as data/<name> with its own script; its path, or empty on failure.
    QString addCopy(const QString& name, const QString& script = QString()) const {
        const QString path = appFolder() + QStringLiteral("/data/") + name;
        return install(path) && writeScript(path, script) ? path : QString();
    }

    // The log of data/conv.exe: one line per start, oldest first.
    QStringList invocations() const {
        QFile log(logPath());
        if (!log.open(QIODevice::ReadOnly | QIODevice::Text))
            return {};
        QStringList lines;
        QTextStream in(&log);
        while (!in.atEnd())
            lines.append(in.readLine());
        return lines;
    }

    void clearLog() const { QFile::remove(logPath()); }

    static bool writeScript(const QString& program, const QString& script) {
        QFile file(program + QStringLiteral(".script"));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        const QByteArray bytes = script.toUtf8();
        return file.write(bytes) == bytes.size();
    }

private:
    static bool install(const QString& path) {
        QFile::remove(path);
        return QFile::copy(fakeBinary(), path) &&
               QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadGroup | QFile::ExeGroup);
    }

    QTemporaryDir m_root;
    bool m_valid = false;
};

} // namespace vantorel::testsupport
