#include "ui/BrowseForFolder.h"

#include "platform/CodePage.h"
#include "ui/DialogBackend.h"

#include <QFileInfo>

namespace vantorel {

QString BrowseForFolderPrompt() {
    return QStringLiteral("Please select a folder:");
}

std::optional<QString> BrowseForFolder(QWidget* owner) {
    const auto chosen =
        dialogBackend().getExistingDirectory(owner, BrowseForFolderPrompt(), QString());
    if (!chosen || chosen->isEmpty() || !QFileInfo(*chosen).isDir())
        return std::nullopt;
    return toNarrowAndBack(*chosen);
}

} // namespace vantorel
