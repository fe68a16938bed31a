#pragma once

#include <QString>
#include <functional>

namespace vantorel {

// Deletes a folder with all its files and subfolders, whatever their permission bits. Symbolic
// links are never followed: a link inside the tree is removed as a link and its target is never
// touched, and a folder path that is itself a link is left alone. An entry that cannot be removed
// stays (and with it the folders above it) while the rest goes; every entry is visited once, so
// the call always ends. A missing folder does nothing. Pending events run between entries.
void RemoveFolderTree(const QString& folder);

// Asked before each removal with the path of the file, link or folder about to go; returning
// false makes that removal fail as if the entry were in use. Tests install one because the
// super-user can remove anything; an empty function restores normal removal.
using RemovalCheck = std::function<bool(const QString& path)>;
void setRemovalCheckForTesting(RemovalCheck check);

} // namespace vantorel
