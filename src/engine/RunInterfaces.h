#pragma once

#include "settings/OptionValues.h"

#include <QString>

// What a conversion run reads from the window and how it shows its state. The main window
// implements both; tests implement them without any widget.
namespace vantorel {

// The output controls as they read at one moment. The run reads them afresh for every source,
// so edits during a run apply from the next source on.
struct OutputSettings {
    int FormatIndex = 0;
    QString Bitrate;
    QString Rate;
    int ChannelIndex = 1; // 0 Mono, 1 Stereo
    QString SplitText;
    int SplitUnitIndex = 0;
    QString OutputBox; // the output folder as typed
};

class RunInputs {
public:
    virtual ~RunInputs() = default;
    virtual OutputSettings CurrentOutputSettings() const = 0;
    virtual OptionValues Options() const = 0;
};

class RunView {
public:
    virtual ~RunView() = default;
    // The status label: "Preparing Files...", a percentage, "Done.".
    virtual void SetStatus(const QString& text) = 0;
    // The progress bar's width in twips, 0 to the full track.
    virtual void SetProgressWidth(double twips) = 0;
    virtual double ProgressWidth() const = 0;
    // The toolbar and the Convert button: off while a run goes on.
    virtual void SetRunControlsEnabled(bool enabled) = 0;
    // Plays the reminder and returns when it has finished.
    virtual void PlayReminderSound(const QString& path) = 0;
    // Shows the folder in the system's file browser.
    virtual void OpenFolder(const QString& path) = 0;
};

} // namespace vantorel
