#include "ui/DialogBackend.h"

#include <QColorDialog>
#include <QFileDialog>

namespace vantorel {
namespace {

QtDialogBackend qtBackend;
DialogBackend* current = &qtBackend;

std::optional<QStringList> RunFileDialog(const FileDialogRequest& request,
                                         QFileDialog::AcceptMode accept,
                                         QFileDialog::FileMode mode) {
    QFileDialog dialog(request.owner, request.caption, request.folder);
    dialog.setAcceptMode(accept);
    dialog.setFileMode(mode);
    // The descriptions already name their patterns, as the callers wrote them.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.nameFilters.isEmpty()) {
        dialog.setNameFilters(request.nameFilters);
        dialog.selectNameFilter(request.nameFilters.value(request.selectedFilter));
    }
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return std::nullopt;
    return files;
}

} // namespace

DialogBackend& dialogBackend() {
    return *current;
}

void setDialogBackend(DialogBackend* backend) {
    current = backend ? backend : &qtBackend;
}

std::optional<QString> QtDialogBackend::getOpenFileName(const FileDialogRequest& request) {
    const auto files = RunFileDialog(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
    if (!files)
        return std::nullopt;
    return files->constFirst();
}

std::optional<QStringList> QtDialogBackend::getOpenFileNames(const FileDialogRequest& request) {
    return RunFileDialog(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles);
}

std::optional<QString> QtDialogBackend::getSaveFileName(const FileDialogRequest& request) {
    const auto files = RunFileDialog(request, QFileDialog::AcceptSave, QFileDialog::AnyFile);
    if (!files)
        return std::nullopt;
    return files->constFirst();
}

std::optional<QColor> QtDialogBackend::getColor(QWidget* owner, const QColor& initial,
                                                CustomColours& custom) {
    // Qt keeps one set of custom colours for the whole program; each caller keeps its own.
    for (std::size_t i = 0; i < custom.size(); ++i)
        QColorDialog::setCustomColor(static_cast<int>(i), custom[i]);
    QColorDialog dialog(initial, owner);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    for (std::size_t i = 0; i < custom.size(); ++i)
        custom[i] = QColorDialog::customColor(static_cast<int>(i));
    if (!chosen || !dialog.selectedColor().isValid())
        return std::nullopt;
    return dialog.selectedColor();
}

std::optional<QString> QtDialogBackend::getExistingDirectory(QWidget* owner, const QString& caption,
                                                             const QString& folder) {
    QFileDialog dialog(owner, caption, folder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setSupportedSchemes({QStringLiteral("file")});
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.constFirst();
}

} // namespace vantorel
