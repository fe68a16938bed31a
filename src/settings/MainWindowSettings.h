#pragma once

#include <QString>

namespace vantorel {

// The five output choices that setup.ini carries from one start to the next. An index is a
// position in its list (OutputChoices.h); -1 means the list has no selection.
struct MainWindowSettings {
    int BitrateIndex = -1;    // cmbBR
    int SampleRateIndex = -1; // cmbR
    int ChannelIndex = -1;    // cmbChannel
    QString OutputPath;       // txtPath
    int FormatIndex = -1;     // cmbOF
};

// The start-up defaults of the five choices.
MainWindowSettings defaultMainWindowSettings();

} // namespace vantorel
