#pragma once

#include "engine/RunInterfaces.h"

namespace vantorel {

struct MainWindowControls;

// The run's view of the main window: it reads the seven output controls afresh each time it is
// asked and shows the run's state in the status label, the progress bar and the enabled state
// of the toolbar and the Convert button.
class MainWindowRunView final : public RunInputs, public RunView {
public:
    MainWindowRunView(const MainWindowControls& controls, const OptionValues& options);

    OutputSettings CurrentOutputSettings() const override;
    OptionValues Options() const override;

    void SetStatus(const QString& text) override;
    // The bar picture shows as much of itself, from the left, as the width allows.
    void SetProgressWidth(double twips) override;
    double ProgressWidth() const override { return m_progressTwips; }
    // Toolbar members 0 to 6 (there is no 5) and Convert.
    void SetRunControlsEnabled(bool enabled) override;
    void PlayReminderSound(const QString& path) override;
    void OpenFolder(const QString& path) override;

private:
    const MainWindowControls& m_c;
    const OptionValues& m_options;
    double m_progressTwips = 0;
};

} // namespace vantorel
