#include "ui/CommonDlgsW.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPalette>
#include <algorithm>

namespace vantorel {
namespace {

constexpr QChar Nul(u'\0');

struct SystemColourRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The system colour indexes in their traditional order, each with the palette colour that
// plays its part here. Index 25 has no colour.
constexpr std::array<std::optional<SystemColourRole>, 31> SystemColourRoles{{
    SystemColourRole{QPalette::Active, QPalette::Button},            // scroll bar
    SystemColourRole{QPalette::Active, QPalette::Dark},              // desktop
    SystemColourRole{QPalette::Active, QPalette::Highlight},         // active caption
    SystemColourRole{QPalette::Inactive, QPalette::Highlight},       // inactive caption
    SystemColourRole{QPalette::Active, QPalette::Window},            // menu
    SystemColourRole{QPalette::Active, QPalette::Base},              // window
    SystemColourRole{QPalette::Active, QPalette::Shadow},            // window frame
    SystemColourRole{QPalette::Active, QPalette::WindowText},        // menu text
    SystemColourRole{QPalette::Active, QPalette::Text},              // window text
    SystemColourRole{QPalette::Active, QPalette::HighlightedText},   // caption text
    SystemColourRole{QPalette::Active, QPalette::Window},            // active border
    SystemColourRole{QPalette::Inactive, QPalette::Window},          // inactive border
    SystemColourRole{QPalette::Active, QPalette::Mid},               // application workspace
    SystemColourRole{QPalette::Active, QPalette::Highlight},         // highlight
    SystemColourRole{QPalette::Active, QPalette::HighlightedText},   // highlight text
    SystemColourRole{QPalette::Active, QPalette::Button},            // button face
    SystemColourRole{QPalette::Active, QPalette::Dark},              // button shadow
    SystemColourRole{QPalette::Disabled, QPalette::Text},            // grey text
    SystemColourRole{QPalette::Active, QPalette::ButtonText},        // button text
    SystemColourRole{QPalette::Inactive, QPalette::HighlightedText}, // inactive caption text
    SystemColourRole{QPalette::Active, QPalette::Light},             // button highlight
    SystemColourRole{QPalette::Active, QPalette::Shadow},            // 3D dark shadow
    SystemColourRole{QPalette::Active, QPalette::Midlight},          // 3D light
    SystemColourRole{QPalette::Active, QPalette::ToolTipText},       // tooltip text
    SystemColourRole{QPalette::Active, QPalette::ToolTipBase},       // tooltip background
    std::nullopt,
    SystemColourRole{QPalette::Active, QPalette::Link},        // hot-tracked item
    SystemColourRole{QPalette::Active, QPalette::Highlight},   // active caption gradient
    SystemColourRole{QPalette::Inactive, QPalette::Highlight}, // inactive caption gradient
    SystemColourRole{QPalette::Active, QPalette::Highlight},   // menu highlight
    SystemColourRole{QPalette::Active, QPalette::Window},      // menu bar
}};

// The pattern part of a filter pair in the file dialog's notation: blanks separate patterns.
QString QtPatterns(const QString& patterns) {
    QStringList parts;
    for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (trimmed.isEmpty())
            continue;
        // On this platform "*.*" would only match names with a dot in them.
        parts.append(trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
    }
    return parts.isEmpty() ? QStringLiteral("*") : parts.join(QLatin1Char(' '));
}

} // namespace

QStringList NameFiltersFromBarFilter(const QString& filter) {
    const QStringList items = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < items.size(); i += 2) {
        const QString& description = items[i];
        const QString& patterns = items[i + 1];
        if (description.isEmpty() || patterns.isEmpty())
            break;
        filters.append(description + QStringLiteral(" (") + QtPatterns(patterns) +
                       QLatin1Char(')'));
    }
    return filters;
}

std::int32_t SystemColour(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= SystemColourRoles.size())
        return 0;
    const auto& entry = SystemColourRoles[static_cast<std::size_t>(index)];
    if (!entry)
        return 0;
    return ColourRefFrom(QApplication::palette().color(entry->group, entry->role));
}

std::int32_t ColourRefFrom(const QColor& colour) {
    const QRgb rgb = colour.rgb();
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(qRed(rgb)) |
                                     static_cast<std::uint32_t>(qGreen(rgb)) << 8 |
                                     static_cast<std::uint32_t>(qBlue(rgb)) << 16);
}

QColor ColourFromRef(std::int32_t ref) {
    const auto bits = static_cast<std::uint32_t>(ref);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>(bits >> 8 & 0xFF),
                  static_cast<int>(bits >> 16 & 0xFF));
}

CommonDlgsW::CommonDlgsW() : Filter(QStringLiteral("All files (*.*)|*.*")) {
    m_custom.fill(QColor(Qt::black));
    SetColor(12632256);
}

void CommonDlgsW::SetColor(std::int32_t value) {
    if (value < 0)
        m_color = SystemColour(static_cast<int>(static_cast<std::uint32_t>(value) & 0xFFFF));
    else
        m_color = value;
}

bool CommonDlgsW::ShowOpen(QWidget* owner) {
    return ShowFileDialog(owner, false);
}

bool CommonDlgsW::ShowSave(QWidget* owner) {
    return ShowFileDialog(owner, true);
}

bool CommonDlgsW::ShowFileDialog(QWidget* owner, bool save) {
    if (FileName.size() > BufferLength || InitDir.size() > BufferLength)
        return false;

    FileDialogRequest request;
    request.owner = owner;
    request.caption = DialogTitle;
    request.folder = InitDir;
    request.fileName = FileName.left(FileName.indexOf(Nul));
    request.nameFilters = NameFiltersFromBarFilter(Filter);
    const qsizetype selected = static_cast<qsizetype>(FilterIndex) - 1;
    request.selectedFilter =
        selected >= 0 && selected < request.nameFilters.size() ? static_cast<int>(selected) : 0;
    request.defaultSuffix = DefaultExt;
    request.confirmOverwrite = (Flags & OFN_OVERWRITEPROMPT) != 0;

    DialogBackend& backend = dialogBackend();
    std::optional<QStringList> chosen;
    if (save) {
        if (const auto path = backend.getSaveFileName(request))
            chosen = QStringList{*path};
    } else if (Flags & OFN_ALLOWMULTISELECT) {
        chosen = backend.getOpenFileNames(request);
    } else if (const auto path = backend.getOpenFileName(request)) {
        chosen = QStringList{*path};
    }
    if (!chosen || chosen->isEmpty() || chosen->constFirst().isEmpty())
        return false;
    return TakeResult(*chosen);
}

bool CommonDlgsW::TakeResult(const QStringList& chosen) {
    const bool multi = (Flags & OFN_ALLOWMULTISELECT) != 0;

    // The dialog's answer as its record carries it: one path, or the folder followed by each
    // name, every item ended by NUL and the list by one more NUL in multi-selection.
    QString buffer;
    if (multi && chosen.size() > 1) {
        const QString folder = QFileInfo(chosen.constFirst()).absolutePath();
        const QDir dir(folder);
        buffer = folder + Nul;
        for (const QString& path : chosen)
            buffer += dir.relativeFilePath(path) + Nul;
        buffer += Nul;
    } else {
        buffer = chosen.constFirst() + Nul;
        if (multi)
            buffer += Nul;
    }
    // An answer longer than the announced capacity is a failure, never a cut-off path.
    const qsizetype capacity = std::clamp<qsizetype>(MaxFileSize, 0, BufferLength);
    if (buffer.size() > capacity)
        return false;
    buffer.append(QString(BufferLength - buffer.size(), Nul));

    FileName = buffer;
    FileTitle.clear();
    if (multi)
        return true;
    FileName = buffer.left(buffer.indexOf(Nul));
    if (!(Flags & OFN_NOVALIDATE)) {
        FileTitle = QFileInfo(FileName).fileName();
        Title = FileTitle;
    }
    return true;
}

bool CommonDlgsW::ShowColor(QWidget* owner) {
    const auto chosen = dialogBackend().getColor(owner, ColourFromRef(m_color), m_custom);
    if (!chosen)
        return false;
    m_color = ColourRefFrom(*chosen);
    return true;
}

} // namespace vantorel
