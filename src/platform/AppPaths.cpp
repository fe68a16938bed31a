#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace vantorel::paths {
namespace {

struct Overrides {
    QString appFolder;
    QString workFolder;
    QString settingsFolder;
    QString homeFolder;
};

Overrides& overrides() {
    static Overrides o;
    return o;
}

bool isWritableFolder(const QString& folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

} // namespace

QString appFolder() {
    if (!overrides().appFolder.isEmpty())
        return overrides().appFolder;
    return QCoreApplication::applicationDirPath();
}

QString encoderPath() { return appFolder() + QStringLiteral("/data/conv.exe"); }

QString soundPath() { return appFolder() + QStringLiteral("/sound.wav"); }

QString workFolder() {
    if (!overrides().workFolder.isEmpty())
        return overrides().workFolder;
    return QStringLiteral("/tmp/vantorel-%1").arg(::getuid());
}

QString tempWavPath() { return workFolder() + QStringLiteral("/tmp.wav"); }

QString tempMp3Path() { return workFolder() + QStringLiteral("/tmpfile1.mp3"); }

QString defaultOutputFolder() {
    const QString home =
        overrides().homeFolder.isEmpty() ? QDir::homePath() : overrides().homeFolder;
    return home + QStringLiteral("/output");
}

QString settingsFolder() {
    if (!overrides().settingsFolder.isEmpty())
        return overrides().settingsFolder;
    const QString program = appFolder();
    if (isWritableFolder(program))
        return program;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/vantorel");
}

QString setupIniPath() { return settingsFolder() + QStringLiteral("/setup.ini"); }

QString optionsIniPath() { return settingsFolder() + QStringLiteral("/options.ini"); }

void setAppFolderForTesting(const QString& folder) { overrides().appFolder = folder; }
void setWorkFolderForTesting(const QString& folder) { overrides().workFolder = folder; }
void setSettingsFolderForTesting(const QString& folder) { overrides().settingsFolder = folder; }
void setHomeFolderForTesting(const QString& folder) { overrides().homeFolder = folder; }

} // namespace vantorel::paths
