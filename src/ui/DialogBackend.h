#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class QWidget;

namespace vantorel {

// What a file dialog is asked to show.
struct FileDialogRequest {
    QWidget* owner = nullptr;
    QString caption;         // empty: the dialog's own caption
    QString folder;          // where it starts; empty: where the system chooses
    QString fileName;        // the name shown at first
    QStringList nameFilters; // "Description (pattern pattern)" each
    int selectedFilter = 0;  // index into nameFilters
    QString defaultSuffix;   // appended to a typed name without an extension
    bool confirmOverwrite = false;
};

using CustomColours = std::array<QColor, 16>;

// Every modal dialog of the program goes through this one interface, so tests script the
// user's answers and no dialog ever waits for a person. No value means cancelled or failed.
class DialogBackend {
public:
    virtual ~DialogBackend() = default;
    virtual std::optional<QString> getOpenFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QStringList> getOpenFileNames(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> getSaveFileName(const FileDialogRequest& request) = 0;
    // The custom colours are shown and may be edited; they are kept by the caller.
    virtual std::optional<QColor> getColor(QWidget* owner, const QColor& initial,
                                           CustomColours& custom) = 0;
    // Local folders only.
    virtual std::optional<QString> getExistingDirectory(QWidget* owner, const QString& caption,
                                                        const QString& folder) = 0;
};

// The backend in force: Qt's dialogs unless another one is installed.
DialogBackend& dialogBackend();
// Installs a backend (not owned); nullptr restores Qt's dialogs.
void setDialogBackend(DialogBackend* backend);

// Qt's file, folder and colour dialogs.
class QtDialogBackend final : public DialogBackend {
public:
    std::optional<QString> getOpenFileName(const FileDialogRequest& request) override;
    std::optional<QStringList> getOpenFileNames(const FileDialogRequest& request) override;
    std::optional<QString> getSaveFileName(const FileDialogRequest& request) override;
    std::optional<QColor> getColor(QWidget* owner, const QColor& initial,
                                   CustomColours& custom) override;
    std::optional<QString> getExistingDirectory(QWidget* owner, const QString& caption,
                                                const QString& folder) override;
};

} // namespace vantorel
