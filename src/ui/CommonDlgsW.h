#pragma once

#include "ui/DialogBackend.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class QWidget;

namespace vantorel {

// The open, save and colour dialogs behind plain fields: the caller fills the fields, calls
// ShowOpen, ShowSave or ShowColor, and reads the result from the fields. Fields keep their
// values between calls. A cancelled or failed dialog returns false and changes nothing.
class CommonDlgsW {
public:
    static constexpr std::int32_t OFN_OVERWRITEPROMPT = 0x2;
    static constexpr std::int32_t OFN_NOVALIDATE = 0x100;
    static constexpr std::int32_t OFN_ALLOWMULTISELECT = 0x200;
    // The file and folder texts the dialog records can hold.
    static constexpr qsizetype BufferLength = 256;

    CommonDlgsW();

    std::int32_t Flags = 0;
    QString DefaultExt;
    QString DialogTitle;
    QString Title;     // after a single-selection dialog: a copy of FileTitle
    QString FileName;  // in: the name shown at first; out: the chosen path
    QString FileTitle; // out: the chosen file's name without its folder
    QString Filter;    // description|pattern|description|pattern...
    std::int32_t FilterIndex = 1;
    QString InitDir;
    std::int32_t MaxFileSize = BufferLength;

    // Colour as red in the low byte, then green, then blue.
    std::int32_t Color() const { return m_color; }
    // A negative value names a system colour by its low 16 bits; the colour itself is stored.
    void SetColor(std::int32_t value);
    const CustomColours& customColours() const { return m_custom; }

    bool ShowOpen(QWidget* owner);
    bool ShowSave(QWidget* owner);
    bool ShowColor(QWidget* owner);

private:
    bool ShowFileDialog(QWidget* owner, bool save);
    bool TakeResult(const QStringList& chosen);

    std::int32_t m_color = 0;
    CustomColours m_custom;
};

// The bar-separated filter as the file dialog's name filters ("Description (patterns)"). The
// list ends at the first empty item, a pair without its pattern is dropped, and "*.*" admits
// every file, as the filter's writers mean it.
QStringList NameFiltersFromBarFilter(const QString& filter);

// The colour of a system colour index, red in the low byte; 0 for an index with no colour.
std::int32_t SystemColour(int index);

std::int32_t ColourRefFrom(const QColor& colour);
QColor ColourFromRef(std::int32_t ref);

} // namespace vantorel
