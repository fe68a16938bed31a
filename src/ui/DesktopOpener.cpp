#include "ui/DesktopOpener.h"

#include <QDesktopServices>

namespace vantorel {
namespace {

QtDesktopOpener desktop;
DesktopOpener* current = &desktop;

} // namespace

DesktopOpener& desktopOpener() {
    return *current;
}

void setDesktopOpener(DesktopOpener* opener) {
    current = opener ? opener : &desktop;
}

bool OpenFolder(const QString& path) {
    if (path.isEmpty())
        return false;
    return desktopOpener().Open(QUrl::fromLocalFile(path));
}

bool OpenWebAddress(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative())
        return false;
    return desktopOpener().Open(url);
}

bool QtDesktopOpener::Open(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

RecordedOpener::RecordedOpener() {
    setDesktopOpener(this);
}

RecordedOpener::~RecordedOpener() {
    if (current == this)
        setDesktopOpener(nullptr);
}

bool RecordedOpener::Open(const QUrl& url) {
    opened.append(url);
    return answer;
}

} // namespace vantorel
