#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace vantorel {

// The prompt the folder dialog shows as its caption.
QString BrowseForFolderPrompt();

// Lets the user choose a local folder. The path comes back as the narrow code page carries it
// (characters it cannot hold do not survive) and without an added separator; no value when the
// dialog was cancelled or the choice is not a folder.
std::optional<QString> BrowseForFolder(QWidget* owner);

} // namespace vantorel
