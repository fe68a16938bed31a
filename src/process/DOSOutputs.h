#pragma once

#include <QObject>
#include <QString>
#include <sys/types.h>

namespace vantorel {

// Runs one console command hidden, with its standard output and standard error merged into one
// pipe, and hands the text to its owner in chunks as it arrives. A call is synchronous but keeps
// the event loop running: every cycle reads at most 1024 waiting bytes, raises ReceiveOutputs for
// them, lets pending events run and waits 50 ms. The command is over when no bytes are waiting,
// the started process has ended, and no process named EncoderProcessName() runs anywhere (the
// encoder may hand its work to another copy of itself); then CommandOver follows the last chunk.
// Text is UTF-8: a character cut between two reads arrives whole with the later chunk, and a read
// holding nothing but the start of a character raises no event of its own.
//
// Owners must not start a second command on the same object from inside one of its handlers.
class DOSOutputs : public QObject {
    Q_OBJECT

public:
    explicit DOSOutputs(QObject* parent = nullptr);
    ~DOSOutputs() override;
    DOSOutputs(const DOSOutputs&) = delete;
    DOSOutputs& operator=(const DOSOutputs&) = delete;

    QString CommandLine() const { return m_commandLine; }
    void setCommandLine(const QString& DOSCommand) { m_commandLine = DOSCommand; }

    // Everything read from the last command that started; kept until the next one starts.
    QString Outputs() const { return m_outputs; }

    // Runs the given command line, or the stored one when the argument is empty (a non-empty
    // argument replaces the stored one), and returns the captured text. A command that cannot
    // run shows a message, raises no event and returns an empty text.
    QString ExecuteCommand(const QString& CommandLine = QString());

    // True while ExecuteCommand is in progress.
    bool IsRunning() const { return m_running; }
    // Ends the process this object started, if it still runs; any other process is left alone.
    void KillStartedProcess();

    // How the last call went: whether it started a process, and how that process ended.
    bool Started() const { return m_started; }
    // The process exited by itself (with any exit code); false when it was ended by a signal
    // or its end could not be observed.
    bool EndedNormally() const { return m_endedNormally; }
    // The exit code when it ended normally, else -1.
    int ExitCode() const { return m_exitCode; }
    // The process was ended by a signal: it crashed or was killed.
    bool Crashed() const { return m_exitSignal != 0; }
    int ExitSignal() const { return m_exitSignal; }
    // Started, ended by itself and reported success.
    bool Succeeded() const { return m_started && m_endedNormally && m_exitCode == 0; }
    // The last line of the captured text that holds more than blanks, trimmed; lines end at
    // a line feed or a carriage return. Explains a failure in the encoder's own words.
    QString LastLine() const { return m_lastLine; }

Q_SIGNALS:
    void ReceiveOutputs(const QString& CommandOutputs);
    void CommandOver();

private:
    bool startProcess(const QString& commandLine);
    // Collects the started process's end status once it has ended; waits for it when told to.
    void reap(bool wait);
    void clearOutcome();

    QString m_commandLine;
    QString m_outputs;
    QString m_lastLine;
    int m_readEnd = -1;
    pid_t m_pid = -1;
    bool m_running = false;
    bool m_started = false;
    bool m_endedNormally = false;
    int m_exitCode = -1;
    int m_exitSignal = 0;
};

} // namespace vantorel
