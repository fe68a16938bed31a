#include "settings/MainWindowSettings.h"

#include "settings/OutputChoices.h"

namespace vantorel {

MainWindowSettings defaultMainWindowSettings() {
    const OutputDefaults d = outputDefaults();
    MainWindowSettings s;
    s.BitrateIndex = d.BitrateIndex;
    s.SampleRateIndex = d.SampleRateIndex;
    s.ChannelIndex = d.ChannelIndex;
    s.OutputPath = d.OutputPath;
    s.FormatIndex = d.FormatIndex;
    return s;
}

} // namespace vantorel
