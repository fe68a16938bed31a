#pragma once

#include <QList>
#include <QString>
#include <QUrl>

namespace vantorel {

// Hands a folder or a web address to the desktop, which opens it in the file browser or the
// web browser.
class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    // False when the desktop could not open it.
    virtual bool Open(const QUrl& url) = 0;
};

// The opener in force: the desktop's own unless another one is installed.
DesktopOpener& desktopOpener();
// Installs an opener (not owned); nullptr restores the desktop's.
void setDesktopOpener(DesktopOpener* opener);

bool OpenFolder(const QString& path);
bool OpenWebAddress(const QString& address);

class QtDesktopOpener final : public DesktopOpener {
public:
    bool Open(const QUrl& url) override;
};

// Keeps everything opened while it is installed, and opens nothing; for tests.
class RecordedOpener final : public DesktopOpener {
public:
    RecordedOpener();
    ~RecordedOpener() override;
    RecordedOpener(const RecordedOpener&) = delete;
    RecordedOpener& operator=(const RecordedOpener&) = delete;

    bool Open(const QUrl& url) override;
    QList<QUrl> opened;
    bool answer = true; // what Open reports
};

} // namespace vantorel
