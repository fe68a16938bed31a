#pragma once

#include "mainwindow/frmMain.h"
#include "platform/AppPaths.h"
#include "platform/CodePage.h"
#include "platform/UserMessages.h"
#include "ui/DesktopOpener.h"
#include "ui/ScriptedDialogBackend.h"
#include "ui/SoundPlayer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace vantorel::testsupport {

// A main window with everything outside it replaced: settings, home and work folder in a
// temporary folder, dialogs answered from a script, messages, sounds and opened pages recorded.
// The application folder is the built one, so the help page and the encoder are there.
class MainWindowFixture {
public:
    MainWindowFixture() {
        QDir().mkpath(settingsFolder());
        QDir().mkpath(home());
        paths::setAppFolderForTesting(QStringLiteral(VANTOREL_APP_DIR));
        paths::setSettingsFolderForTesting(settingsFolder());
        paths::setHomeFolderForTesting(home());
        paths::setWorkFolderForTesting(work());
    }
    ~MainWindowFixture() {
        window.reset();
        setCodePageForTesting(nullptr);
        paths::setAppFolderForTesting(QString());
        paths::setSettingsFolderForTesting(QString());
        paths::setHomeFolderForTesting(QString());
        paths::setWorkFolderForTesting(QString());
    }
    MainWindowFixture(const MainWindowFixture&) = delete;
    MainWindowFixture& operator=(const MainWindowFixture&) = delete;

    QString path(const QString& name) const { return root.filePath(name); }
    QString settingsFolder() const { return path(QStringLiteral("settings")); }
    QString home() const { return path(QStringLiteral("home")); }
    QString work() const { return path(QStringLiteral("work")); }
    QString defaultOutput() const { return home() + QStringLiteral("/output"); }
    QString setupIni() const { return settingsFolder() + QStringLiteral("/setup.ini"); }
    QString optionsIni() const { return settingsFolder() + QStringLiteral("/options.ini"); }

    // Builds and shows the window and waits for its one-shot styling tick.
    frmMain& open() {
        window = std::make_unique<frmMain>();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("the main window was not exposed");
        if (!QTest::qWaitFor([this] { return !window->controls().Timer3->isActive(); }, 5000))
            qWarning("the start-up tick did not come");
        return *window;
    }

    static bool write(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    }
    static QByteArray read(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A small file with some bytes in it, its folders made.
    static bool touch(const QString& file) {
        return QDir().mkpath(QFileInfo(file).absolutePath()) && write(file, "data");
    }

    QTemporaryDir root;
    RecordedMessages messages;
    ScriptedDialogBackend dialogs;
    RecordedSounds sounds;
    RecordedOpener opener;
    std::unique_ptr<frmMain> window;
};

} // namespace vantorel::testsupport
