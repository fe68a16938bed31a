#include "process/DOSOutputs.h"

#include "platform/CodePage.h"
#include "platform/UserMessages.h"
#include "process/CommandLineSplitter.h"
#include "process/EncoderProcessName.h"
#include "process/HiddenSpawn.h"
#include "process/ProcessList.h"
#include "process/clsWaitableTimer.h"

#include <QCoreApplication>
#include <QPointer>
#include <QStringDecoder>
#include <cerrno>
#include <csignal>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vantorel {
namespace {

constexpr int chunkSize = 1024;
constexpr qint32 cycleMilliSeconds = 50;

// Bytes waiting in the pipe; -1 when the pipe cannot be asked.
int bytesWaiting(int readEnd) {
    int waiting = 0;
    if (::ioctl(readEnd, FIONREAD, &waiting) != 0)
        return -1;
    return waiting;
}

QString lastNonBlankLine(const QString& text) {
    qsizetype end = text.size();
    while (end > 0) {
        qsizetype start = end;
        while (start > 0 && text.at(start - 1) != u'\n' && text.at(start - 1) != u'\r')
            --start;
        const QString line = text.mid(start, end - start).trimmed();
        if (!line.isEmpty())
            return line;
        end = start - 1;
    }
    return QString();
}

void letEventsRun() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents();
}

} // namespace

DOSOutputs::DOSOutputs(QObject* parent) : QObject(parent) {}

DOSOutputs::~DOSOutputs() {
    if (m_readEnd >= 0)
        ::close(m_readEnd);
    // A process still running is left to finish on its own; one that has ended is reaped.
    if (m_pid > 0)
        reap(false);
}

void DOSOutputs::clearOutcome() {
    m_started = false;
    m_endedNormally = false;
    m_exitCode = -1;
    m_exitSignal = 0;
}

bool DOSOutputs::startProcess(const QString& commandLine) {
    const SplitCommand split = SplitCommandLine(commandLine);
    if (split.program.isEmpty()) {
        showMessage(MessageIcon::Critical, QStringLiteral("File or command not found"));
        return false;
    }
    QList<QByteArray> arguments;
    for (const QString& argument : split.arguments)
        arguments.append(codePage().toNarrow(argument));
    const HiddenChild child = spawnHidden(codePage().toNarrow(split.program), arguments);
    if (child.pid < 0) {
        if (!child.pipeFailed && isProgramNotFound(child.error))
            showMessage(MessageIcon::Critical, QStringLiteral("File or command not found"));
        else
            showMessage(MessageIcon::Critical, QStringLiteral("CreatePipe failed. Error: ") +
                                                   QString::number(child.error));
        return false;
    }
    m_pid = child.pid;
    m_readEnd = child.readEnd;
    return true;
}

void DOSOutputs::reap(bool wait) {
    int status = 0;
    pid_t result = -1;
    do {
        result = ::waitpid(m_pid, &status, wait ? 0 : WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == 0)
        return;
    m_pid = -1;
    if (result < 0)
        return; // reaped elsewhere: the end is known, its status is not
    if (WIFEXITED(status)) {
        m_endedNormally = true;
        m_exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        m_exitSignal = WTERMSIG(status);
    }
}

void DOSOutputs::KillStartedProcess() {
    // Until it is reaped the identifier cannot pass to another process.
    if (m_pid > 0)
        ::kill(m_pid, SIGKILL);
}

QString DOSOutputs::ExecuteCommand(const QString& CommandLine) {
    if (m_running) {
        qWarning("DOSOutputs: a command is already running on this object");
        return QString();
    }
    if (!CommandLine.isEmpty())
        m_commandLine = CommandLine;
    clearOutcome();
    if (m_commandLine.isEmpty()) {
        showMessage(MessageIcon::Critical, QStringLiteral("Command Line empty"));
        return QString();
    }
    if (!startProcess(m_commandLine))
        return QString();

    m_started = true;
    m_running = true;
    m_outputs.clear();
    m_lastLine.clear();

    // A character cut between two reads is completed by the next chunk.
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QPointer<DOSOutputs> alive(this);
    clsWaitableTimer timer;
    bool goOn = true;
    while (goOn) {
        const int waiting = bytesWaiting(m_readEnd);
        if (waiting > 0) {
            char buffer[chunkSize];
            ssize_t got = -1;
            do {
                got = ::read(m_readEnd, buffer, sizeof buffer);
            } while (got < 0 && errno == EINTR);
            goOn = got > 0;
            if (got > 0) {
                const QString chunk = decoder(QByteArrayView(buffer, got));
                m_outputs += chunk;
                if (!chunk.isEmpty()) {
                    Q_EMIT ReceiveOutputs(chunk);
                    if (!alive)
                        return QString();
                }
            }
        } else if (waiting < 0) {
            goOn = false;
        } else {
            if (m_pid > 0)
                reap(false);
            // Once the started process is reaped nothing it wrote can still be on its way, so
            // an empty pipe now means its text is complete.
            if (m_pid < 0 && bytesWaiting(m_readEnd) == 0 &&
                !IsProcessRunning(EncoderProcessName()))
                goOn = false;
        }
        letEventsRun();
        if (!alive)
            return QString();
        timer.Wait(cycleMilliSeconds);
        if (!alive)
            return QString();
    }

    ::close(m_readEnd);
    m_readEnd = -1;
    if (m_pid > 0) {
        // The pipe failed while the process still ran: nobody would read it any more.
        reap(false);
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            reap(true);
        }
    }
    m_running = false;
    m_lastLine = lastNonBlankLine(m_outputs);
    const QString result = m_outputs;
    Q_EMIT CommandOver();
    return result;
}

} // namespace vantorel
