// The file-name helpers on arbitrary paths, through the system's code page and through a lossy
// one: the name and base name are the pieces of the path they promise, and a working copy's name
// is always a single, short, harmless file name. Input: a path, read as UTF-8 and as UTF-16.
#include "FuzzSupport.h"
#include "filelist/GetFile.h"
#include "filelist/WorkingCopy.h"
#include "platform/CodePage.h"

#include <QFile>
#include <cstdint>

using namespace vantorel;
using fuzz::require;

namespace {

void checkGetFile(const QString& path) {
    const QString detail = fuzz::visible(path);
    const QString name = GetFileName(path);
    require(path.endsWith(name), "the file name ends the path", detail);
    require(!name.contains(QLatin1Char('/')), "the file name holds no /", detail);
    require(name.size() == path.size() || path.at(path.size() - name.size() - 1) == u'/',
            "the file name is everything after the last /", detail);

    const QString base = GetBaseName(path);
    if (base.isEmpty()) {
        require(name.lastIndexOf(QLatin1Char('.')) <= 0,
                "a base name is missing only without a dot", detail);
        return;
    }
    require(name.startsWith(base + QLatin1Char('.')), "the base name begins the file name", detail);
    require(!name.mid(base.size() + 1).contains(QLatin1Char('.')),
            "the base name ends at the last dot", detail);
}

bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

void checkWorkingCopyName(const QString& path) {
    const QString name = WorkingCopyName(path);
    const QString detail = fuzz::visible(path) + QStringLiteral(" -> ") + fuzz::visible(name);
    require(!name.isEmpty() && name.count(QLatin1Char(' ')) != name.size(),
            "a working copy's name has more than blanks", detail);
    require(name.size() <= 200, "a working copy's name is at most 200 characters", detail);
    require(QFile::encodeName(name + QStringLiteral(" (99999).tmp")).size() <= 255,
            "a working copy's file name fits the file system", detail);
    for (const QChar c : name) {
        require(!isControl(c), "a working copy's name holds no control character", detail);
        require(!QStringLiteral("/\\<>?\":*|").contains(c),
                "a working copy's name holds no character a name cannot hold", detail);
    }
    require(!name.back().isHighSurrogate(), "a name is never cut inside a character", detail);
}

void checkDisplayText(const QString& path) {
    const QString shown = DisplayTextFor(path);
    const QString detail = fuzz::visible(path) + QStringLiteral(" -> ") + fuzz::visible(shown);
    const QString narrowed = toNarrowAndBack(path);
    require(shown.size() == narrowed.size(), "the shown text replaces, never drops", detail);
    const QString name = GetFileName(shown);
    require(shown.left(shown.size() - name.size()) == narrowed.left(narrowed.size() - name.size()),
            "the folder part is shown as it is", detail);
    for (const QChar c : name)
        require(!QStringLiteral("<>?\":*|").contains(c),
                "the shown name holds no character a name cannot hold", detail);
}

void checkAll(const QString& path) {
    checkGetFile(path);
    checkWorkingCopyName(path);
    checkDisplayText(path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const LossyLatin1CodePage lossy;
    for (const QString& path : {fuzz::utf8Text(data, size), fuzz::utf16Text(data, size)}) {
        setCodePageForTesting(nullptr);
        checkAll(path);
        setCodePageForTesting(&lossy);
        checkWorkingCopyName(path);
        checkDisplayText(path);
    }
    setCodePageForTesting(nullptr);
    return 0;
}
