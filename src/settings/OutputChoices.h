#pragma once

#include <QString>
#include <QStringList>

// The entries of the output controls and what they show at start-up. setup.ini stores list
// positions, not texts, so these lists are part of the file format: never reorder them.
namespace vantorel {

QStringList OutputFormatItems(); // cmbOF
QStringList BitrateItems();      // cmbBR, kbps
QStringList SampleRateItems();   // cmbR, Hz
QStringList ChannelItems();      // cmbChannel
QStringList SplitUnitItems();    // cmbUnit

struct OutputDefaults {
    int FormatIndex = 0;
    int BitrateIndex = 7;
    int SampleRateIndex = 1;
    int ChannelIndex = 1;
    int SplitUnitIndex = 0;
    QString SplitText = QStringLiteral("30");
    QString OutputPath; // filled by outputDefaults(): it depends on the user's home folder
};

// The start-up defaults, with OutputPath set to the default output folder.
OutputDefaults outputDefaults();

} // namespace vantorel
