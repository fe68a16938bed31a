#pragma once

#include <QString>

namespace vantorel {

// One source file of the list. FormatLabel is fixed when the entry is made; QueuedPath is what
// the conversion opens: the user's file, or its working copy when the file's own path cannot be
// handed to the encoder.
struct FileEntry {
    QString DisplayText;
    QString FormatLabel;
    QString QueuedPath;

    bool operator==(const FileEntry&) const = default;
};

} // namespace vantorel
