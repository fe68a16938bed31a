#pragma once

#include "engine/RunInterfaces.h"

#include <QStringList>
#include <functional>

namespace vantorel::testsupport {

// The run's inputs and view without a window: the settings are plain fields, and everything the
// run shows is written down in order as "status:...", "enabled:0|1", "sound:...", "open:...".
class RecordingRunView final : public RunInputs, public RunView {
public:
    OutputSettings CurrentOutputSettings() const override { return settings; }
    OptionValues Options() const override { return options; }

    void SetStatus(const QString& text) override {
        status = text;
        events.append(QStringLiteral("status:") + text);
        if (onStatus)
            onStatus(text);
    }
    void SetProgressWidth(double twips) override { width = twips; }
    double ProgressWidth() const override { return width; }
    void SetRunControlsEnabled(bool enabled) override {
        controlsEnabled = enabled;
        events.append(enabled ? QStringLiteral("enabled:1") : QStringLiteral("enabled:0"));
    }
    void PlayReminderSound(const QString& path) override {
        events.append(QStringLiteral("sound:") + path);
    }
    void OpenFolder(const QString& path) override { events.append(QStringLiteral("open:") + path); }

    QStringList eventsStartingWith(const QString& prefix) const {
        QStringList found;
        for (const QString& e : events)
            if (e.startsWith(prefix))
                found.append(e);
        return found;
    }

    OutputSettings settings;
    OptionValues options;
    QStringList events;
    QString status;
    double width = 0;
    bool controlsEnabled = true;
    std::function<void(const QString&)> onStatus;
};

} // namespace vantorel::testsupport
