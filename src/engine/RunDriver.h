#pragma once

#include "engine/ProgressTracker.h"
#include "engine/RunInterfaces.h"
#include "process/DOSOutputs.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

namespace vantorel {

class FileListModel;

// Works off the file list from the top: for every source an optional FLAC pre-decode, a length
// probe and the conversion that writes the numbered pieces. Everything runs on the window's
// thread; the runners keep the window alive while they wait, so sources added during a run join
// it, and the controls disabled at the start are the only guard against a second run.
//
// A source whose conversion fails stays in the list and the run goes on with the next one; at the
// end a warning names every failed source with the encoder's last words.
class RunDriver : public QObject {
    Q_OBJECT

public:
    struct Failure {
        QString DisplayText;
        QString Reason;
    };

    // timer1 hops from the Start click into the run (100 ms, one shot); timer2 drives the busy
    // animation (50 ms). When null the driver makes its own.
    RunDriver(FileListModel& list, const RunInputs& inputs, RunView& view, QTimer* timer1 = nullptr,
              QTimer* timer2 = nullptr, QObject* parent = nullptr);
    ~RunDriver() override;
    RunDriver(const RunDriver&) = delete;
    RunDriver& operator=(const RunDriver&) = delete;

    // The Convert click: checks what a run needs, disables the controls and hops into the run.
    void Start();
    // The run procedure; normally reached through timer1.
    void RunConversion();

    bool IsRunning() const { return m_running; }
    // Ends the run after the current command and ends the encoder this run started; the window
    // calls it when it is closed during a run.
    void Stop();

    const QList<Failure>& Failures() const { return m_failures; }
    qint32 CurrentDuration() const { return m_tracker.CurrentDuration(); }

    DOSOutputs& objDOS() { return m_objDOS; }
    DOSOutputs& objDuration() { return m_objDuration; }
    DOSOutputs& objSox() { return m_objSox; }

Q_SIGNALS:
    void RunFinished();

private:
    enum class SourceResult { Converted, Failed, EncoderMissing };

    SourceResult ConvertFirstSource(qint32& splitSeconds);
    bool RunPreparation(DOSOutputs& runner, const QString& command);
    void OnConversionOver();
    void FinishRun(bool encoderMissing);
    void ShowFailures() const;

    FileListModel& m_list;
    const RunInputs& m_inputs;
    RunView& m_view;
    QTimer* m_timer1;
    QTimer* m_timer2;
    DOSOutputs m_objDOS;
    DOSOutputs m_objDuration;
    DOSOutputs m_objSox;
    ProgressTracker m_tracker;
    QList<Failure> m_failures;
    QString m_currentQueuedPath;
    bool m_running = false;
    bool m_stopRequested = false;
};

} // namespace vantorel
