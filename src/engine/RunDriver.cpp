#include "engine/RunDriver.h"

#include "engine/CommandBuilder.h"
#include "filelist/FileListModel.h"
#include "filelist/GetFile.h"
#include "platform/AppPaths.h"
#include "platform/FileChecks.h"
#include "platform/UserMessages.h"
#include "platform/WorkFolder.h"
#include "process/EncoderProcessName.h"
#include "process/ProcessList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <sys/stat.h>

namespace vantorel {
namespace {

const QString encoderName = QStringLiteral("conv.exe");

// What identifies one version of a file: a piece left by an earlier run has another one.
struct FileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    off_t size = 0;

    bool operator==(const FileStamp& o) const {
        return exists == o.exists && device == o.device && inode == o.inode &&
               modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
               size == o.size;
    }
};

FileStamp stampOf(const QString& path) {
    FileStamp stamp;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode)) {
        stamp.exists = true;
        stamp.device = st.st_dev;
        stamp.inode = st.st_ino;
        stamp.modified = st.st_mtim;
        stamp.size = st.st_size;
    }
    return stamp;
}

void removeTemporaryWav() {
    // Never delete through a work folder that someone else could have put in our way.
    if (workfolder::isSafe())
        QFile::remove(paths::tempWavPath());
}

void prepareEncoderStart() {
    EncoderProcessName() = encoderName;
}

} // namespace

RunDriver::RunDriver(FileListModel& list, const RunInputs& inputs, RunView& view, QTimer* timer1,
                     QTimer* timer2, QObject* parent)
    : QObject(parent), m_list(list), m_inputs(inputs), m_view(view),
      m_timer1(timer1 ? timer1 : new QTimer(this)), m_timer2(timer2 ? timer2 : new QTimer(this)) {
    m_timer1->setInterval(100);
    m_timer2->setInterval(50);
    connect(m_timer1, &QTimer::timeout, this, [this] {
        m_timer1->stop();
        QCoreApplication::processEvents();
        RunConversion();
    });
    connect(m_timer2, &QTimer::timeout, this,
            [this] { m_view.SetProgressWidth(ProgressTracker::BusyTick(m_view.ProgressWidth())); });
    connect(&m_objDuration, &DOSOutputs::ReceiveOutputs, &m_tracker, &ProgressTracker::ProbeChunk);
    connect(&m_objDOS, &DOSOutputs::ReceiveOutputs, this, [this](const QString& chunk) {
        const OptionValues options = m_inputs.Options();
        if (const auto display = m_tracker.ConversionChunk(chunk, options.CutterEnabled != 0,
                                                           options.CutterLength)) {
            m_view.SetProgressWidth(display->width);
            m_view.SetStatus(display->label);
        }
    });
    connect(&m_objDOS, &DOSOutputs::CommandOver, this, &RunDriver::OnConversionOver);
}

RunDriver::~RunDriver() {
    Stop();
}

void RunDriver::Start() {
    if (m_running || m_timer1->isActive())
        return;
    if (m_list.IsEmpty()) {
        showMessage(MessageIcon::Exclamation, QStringLiteral("Please add a file"),
                    QStringLiteral("Add"));
        return;
    }
    const OutputSettings settings = m_inputs.CurrentOutputSettings();
    if (SplitSeconds(settings.SplitText, settings.SplitUnitIndex, 0) < 1) {
        showMessage(MessageIcon::Exclamation,
                    QStringLiteral("The split length \"%1\" is not a whole number of pieces: "
                                   "enter a length of at least 1 second.")
                        .arg(settings.SplitText),
                    QStringLiteral("Split"));
        return;
    }
    if (settings.OutputBox.trimmed().isEmpty()) {
        // An empty box would put the pieces into the root folder.
        showMessage(MessageIcon::Exclamation,
                    QStringLiteral("Please choose an output folder for the pieces."),
                    QStringLiteral("Path"));
        return;
    }
    QString reason;
    if (!workfolder::prepare(&reason)) {
        showMessage(MessageIcon::Exclamation,
                    reason + QStringLiteral("\r\nRemove it or make it yours, then convert again."));
        return;
    }
    m_view.SetRunControlsEnabled(false);
    m_timer1->start();
}

void RunDriver::RunConversion() {
    if (m_running)
        return;
    m_running = true;
    m_stopRequested = false;
    m_failures.clear();

    const QString box = m_inputs.CurrentOutputSettings().OutputBox;
    if (!box.isEmpty())
        QDir().mkpath(box);
    workfolder::prepare();

    qint32 splitSeconds = 0;
    bool encoderMissing = false;
    // Failed sources stay at the top of the list, in order; the next source stands below them.
    while (m_failures.size() < m_list.Count() && !m_stopRequested) {
        if (ConvertFirstSource(splitSeconds) == SourceResult::EncoderMissing) {
            encoderMissing = true;
            break;
        }
        QCoreApplication::processEvents();
    }
    FinishRun(encoderMissing);
}

RunDriver::SourceResult RunDriver::ConvertFirstSource(qint32& splitSeconds) {
    const qsizetype row = m_failures.size();
    const FileEntry entry = m_list.Entry(row);
    const OutputSettings settings = m_inputs.CurrentOutputSettings();
    splitSeconds = SplitSeconds(settings.SplitText, settings.SplitUnitIndex, splitSeconds);
    const QString outputFolder = OutputFolderFor(settings.OutputBox);
    const QString appFolder = paths::appFolder();

    m_view.SetStatus(QStringLiteral("Preparing Files..."));
    m_timer2->start();
    KillProcessByName(encoderName);
    removeTemporaryWav();

    const QString source = entry.QueuedPath;
    const QString baseName = GetBaseName(source);
    const int channels = settings.ChannelIndex + 1;
    QString problem = SourceProblem(source);
    if (problem.isEmpty() && !FileExists(source))
        problem = QStringLiteral("The file is not there any more: %1").arg(source);
    if (problem.isEmpty())
        problem = ConvertProblem(source, outputFolder, baseName, splitSeconds, settings.FormatIndex,
                                 settings.Bitrate, settings.Rate, channels);
    if (!problem.isEmpty()) {
        m_timer2->stop();
        m_failures.append({entry.DisplayText, problem});
        return SourceResult::Failed;
    }

    const bool isFlac = IsFlacSource(source);
    if (isFlac) {
        if (!RunPreparation(m_objSox, PreDecodeCommand(appFolder, source)))
            return SourceResult::EncoderMissing;
    }
    // A stop during a preparation starts nothing more, and ends no encoder but our own.
    if (!m_stopRequested) {
        KillProcessByName(encoderName);
        if (!RunPreparation(m_objDuration, ProbeCommand(appFolder, source, isFlac)))
            return SourceResult::EncoderMissing;
    }
    if (m_stopRequested) {
        m_timer2->stop();
        m_failures.append({entry.DisplayText, QStringLiteral("Stopped when Vantorel was closed.")});
        return SourceResult::Failed;
    }

    prepareEncoderStart();
    const QString command =
        ConvertCommand(appFolder, source, outputFolder, baseName, splitSeconds,
                       settings.FormatIndex, settings.Bitrate, settings.Rate, channels);
    m_timer2->stop();

    const QString firstPiece =
        outputFolder + baseName + QStringLiteral("00000.") + PieceExtension(settings.FormatIndex);
    const FileStamp before = stampOf(firstPiece);
    m_currentQueuedPath = source;
    m_objDOS.ExecuteCommand(command);
    m_currentQueuedPath.clear();
    if (!m_objDOS.Started())
        return SourceResult::EncoderMissing;

    const FileStamp after = stampOf(firstPiece);
    const bool wroteFirstPiece = after.exists && !(after == before);
    if (m_objDOS.Succeeded() && wroteFirstPiece) {
        m_list.RemoveEntryAtIf(row, source);
        return SourceResult::Converted;
    }

    QString reason;
    const QString lastWords = m_objDOS.LastLine();
    if (m_stopRequested)
        reason = QStringLiteral("Stopped when Vantorel was closed.");
    else if (m_objDOS.Crashed())
        reason = QStringLiteral("The encoder was stopped (signal %1).").arg(m_objDOS.ExitSignal());
    else if (!m_objDOS.Succeeded())
        reason = QStringLiteral("The encoder failed (exit code %1).").arg(m_objDOS.ExitCode());
    else
        reason = QStringLiteral("The encoder wrote no piece.");
    if (!lastWords.isEmpty())
        reason += QStringLiteral(" ") + lastWords;
    m_failures.append({entry.DisplayText, reason});
    return SourceResult::Failed;
}

bool RunDriver::RunPreparation(DOSOutputs& runner, const QString& command) {
    prepareEncoderStart();
    runner.setCommandLine(command);
    runner.ExecuteCommand();
    return runner.Started();
}

void RunDriver::OnConversionOver() {
    removeTemporaryWav();
    m_tracker.ResetDuration();
}

void RunDriver::FinishRun(bool encoderMissing) {
    m_timer2->stop();
    if (!encoderMissing && !m_stopRequested) {
        m_view.OpenFolder(m_inputs.CurrentOutputSettings().OutputBox);
        if (m_inputs.Options().SoundReminder == 0)
            m_view.PlayReminderSound(paths::soundPath());
    }
    m_view.SetRunControlsEnabled(true);
    m_view.SetProgressWidth(0);
    if (encoderMissing)
        m_view.SetStatus(QStringLiteral("Stopped: the encoder could not be started."));
    else if (m_failures.isEmpty())
        m_view.SetStatus(QStringLiteral("Done."));
    else if (m_failures.size() == 1)
        m_view.SetStatus(QStringLiteral("Done. 1 file failed."));
    else
        m_view.SetStatus(QStringLiteral("Done. %1 files failed.").arg(m_failures.size()));
    m_running = false;
    if (!m_failures.isEmpty() && !m_stopRequested)
        ShowFailures();
    Q_EMIT RunFinished();
}

void RunDriver::ShowFailures() const {
    QString text = m_failures.size() == 1
                       ? QStringLiteral("1 file could not be converted and stays in the list:")
                       : QStringLiteral("%1 files could not be converted and stay in the list:")
                             .arg(m_failures.size());
    for (const Failure& failure : m_failures)
        text += QStringLiteral("\r\n\r\n") + failure.DisplayText + QStringLiteral("\r\n") +
                failure.Reason;
    showMessage(MessageIcon::Exclamation, text, QStringLiteral("Convert"));
}

void RunDriver::Stop() {
    m_stopRequested = true;
    m_timer1->stop();
    m_timer2->stop();
    m_objDOS.KillStartedProcess();
    m_objDuration.KillStartedProcess();
    m_objSox.KillStartedProcess();
}

} // namespace vantorel
