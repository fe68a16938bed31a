#include "platform/FileChecks.h"

#include "platform/CodePage.h"

#include <sys/stat.h>

namespace vantorel {
namespace {

// 1 = folder, 0 = anything else that exists, -1 = missing or unreachable.
int kindOf(const QString& path) {
    if (path.isEmpty())
        return -1;
    const QByteArray narrow = codePage().toNarrow(path);
    struct stat st {};
    if (::stat(narrow.constData(), &st) != 0)
        return -1;
    return S_ISDIR(st.st_mode) ? 1 : 0;
}

} // namespace

bool FolderExists(const QString& path) { return kindOf(path) == 1; }

bool FileExists(const QString& path) { return kindOf(path) == 0; }

} // namespace vantorel
