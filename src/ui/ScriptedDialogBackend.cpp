#include "ui/ScriptedDialogBackend.h"

namespace vantorel {

ScriptedDialogBackend::ScriptedDialogBackend() {
    setDialogBackend(this);
}

ScriptedDialogBackend::~ScriptedDialogBackend() {
    if (&dialogBackend() == this)
        setDialogBackend(nullptr);
}

std::optional<QStringList> ScriptedDialogBackend::nextFiles() {
    if (fileAnswers.isEmpty())
        return std::nullopt;
    return fileAnswers.takeFirst();
}

std::optional<QString> ScriptedDialogBackend::getOpenFileName(const FileDialogRequest& request) {
    calls.append({Kind::Open, request.owner, request, {}, {}, {}});
    const auto files = nextFiles();
    if (!files || files->isEmpty())
        return std::nullopt;
    return files->constFirst();
}

std::optional<QStringList>
ScriptedDialogBackend::getOpenFileNames(const FileDialogRequest& request) {
    calls.append({Kind::OpenMany, request.owner, request, {}, {}, {}});
    return nextFiles();
}

std::optional<QString> ScriptedDialogBackend::getSaveFileName(const FileDialogRequest& request) {
    calls.append({Kind::Save, request.owner, request, {}, {}, {}});
    const auto files = nextFiles();
    if (!files || files->isEmpty())
        return std::nullopt;
    return files->constFirst();
}

std::optional<QColor> ScriptedDialogBackend::getColor(QWidget* owner, const QColor& initial,
                                                      CustomColours& custom) {
    calls.append({Kind::Colour, owner, {}, initial, {}, {}});
    for (const auto& [slot, colour] : customColourEdits)
        if (slot >= 0 && static_cast<std::size_t>(slot) < custom.size())
            custom[static_cast<std::size_t>(slot)] = colour;
    customColourEdits.clear();
    if (colourAnswers.isEmpty())
        return std::nullopt;
    return colourAnswers.takeFirst();
}

std::optional<QString> ScriptedDialogBackend::getExistingDirectory(QWidget* owner,
                                                                   const QString& caption,
                                                                   const QString& folder) {
    calls.append({Kind::Folder, owner, {}, {}, caption, folder});
    if (folderAnswers.isEmpty())
        return std::nullopt;
    return folderAnswers.takeFirst();
}

} // namespace vantorel
