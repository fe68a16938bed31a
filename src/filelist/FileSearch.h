#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace vantorel {

// Appends to list the path of every file below folder: the files of a folder before those of
// its subfolders, each subfolder's whole tree before the next one, in the order the file system
// lists them. Hidden files count like any other. A symbolic link to a file is added; one to a
// folder is never followed, so the search cannot loop or leave the chosen tree. Only regular
// files are added: a pipe or a device would hang the encoder. A folder that cannot be listed
// adds nothing. Lets events run now and then, so the window stays responsive.
void SearchFolder(const QString& folder, QStringList& list);

// The text without its trailing NUL and space characters.
QString TrimNameField(const QString& text);

// Tests make chosen folders fail to list (root may read any folder). Empty restores normal
// listing.
void SetListingRefusalForTesting(std::function<bool(const QString& folder)> refuse);

} // namespace vantorel
