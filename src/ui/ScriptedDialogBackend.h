#pragma once

#include "ui/DialogBackend.h"

#include <QList>
#include <QPair>

namespace vantorel {

// Answers every dialog from a script and keeps what each dialog was asked; for tests.
// Installs itself while it lives. An exhausted script answers "cancelled".
class ScriptedDialogBackend final : public DialogBackend {
public:
    enum class Kind { Open, OpenMany, Save, Colour, Folder };
    struct Call {
        Kind kind;
        QWidget* owner = nullptr;
        FileDialogRequest file; // file dialogs
        QColor initialColour;   // colour dialog
        QString caption;        // folder dialog
        QString folder;         // folder dialog
    };

    ScriptedDialogBackend();
    ~ScriptedDialogBackend() override;
    ScriptedDialogBackend(const ScriptedDialogBackend&) = delete;
    ScriptedDialogBackend& operator=(const ScriptedDialogBackend&) = delete;

    // The chosen paths of the next open or save dialogs, in order (a single-file dialog takes
    // the first path); std::nullopt is a cancel.
    QList<std::optional<QStringList>> fileAnswers;
    QList<std::optional<QColor>> colourAnswers;
    QList<std::optional<QString>> folderAnswers;
    // Custom colours the user edits in the next colour dialog: slot and colour.
    QList<QPair<int, QColor>> customColourEdits;

    QList<Call> calls;

    std::optional<QString> getOpenFileName(const FileDialogRequest& request) override;
    std::optional<QStringList> getOpenFileNames(const FileDialogRequest& request) override;
    std::optional<QString> getSaveFileName(const FileDialogRequest& request) override;
    std::optional<QColor> getColor(QWidget* owner, const QColor& initial,
                                   CustomColours& custom) override;
    std::optional<QString> getExistingDirectory(QWidget* owner, const QString& caption,
                                                const QString& folder) override;

private:
    std::optional<QStringList> nextFiles();
};

} // namespace vantorel
