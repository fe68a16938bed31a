#pragma once

#include "filelist/FileListModel.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/MainWindowRunView.h"
#include "settings/MainWindowSettings.h"
#include "settings/OptionValues.h"
#include "ui/CommonDlgsW.h"
#include "ui/WindowStyling.h"

#include <QList>
#include <QUrl>
#include <QWidget>
#include <memory>

namespace vantorel {

class CommandChannel;
class DropTargets;
class RunDriver;
class SkinnedButtons;
class frmMenu;

// The main window, and with it the program: building it starts the program, its unload ends
// it. It is a frameless skinned window whose key-colour pixels are see-through; it is dragged
// by its background. Dialogs, sounds, the desktop and messages go through the program-wide
// interfaces (DialogBackend, SoundPlayer, DesktopOpener, UserMessages), which tests replace.
class frmMain : public QWidget {
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // The bar-separated filter of the add-file dialog.
    static QString AddFileFilter();
    // Where the help member and the web link lead: the help page shipped with the program.
    static QUrl HelpPageUrl();
    // The web link's caption.
    static QString WebLinkCaption();

    const MainWindowControls& controls() const { return m_c; }
    FileListModel& list() { return m_list; }
    RunDriver& driver() { return *m_driver; }
    const OptionValues& optionValues() const { return m_options; }
    frmMenu& removeMenu() { return *m_menu; }

    // The toolbar's commands, by member.
    void RunToolbarAction(int index);
    void AddFile();
    void PopUpRemoveMenu();
    void ShowOptions();
    void OpenHelpPage();
    // Saves setup.ini and closes the window; the only way out that saves.
    void SaveAndExit();
    void AddFolder();
    // The "Browse" button: the output folder through the folder browser.
    void Browse();

    // Tests watch the window-system move the background drag starts.
    void SetSystemMoveForTesting(SystemMove move) { m_systemMove = std::move(move); }

Q_SIGNALS:
    // The unload has run: the temporary files are gone and the program may end.
    void Unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Load();
    void ConnectControls();
    void ApplyDefaults();
    // The five stored output choices as the controls show them.
    MainWindowSettings ShownSettings() const;
    void ApplySettings();
    void Timer3Tick();
    void Unload();
    void OnBackgroundMove(Qt::MouseButtons buttons);
    void OnRunFinished();
    void ShowHint();
    void DropOnOverlay(const QList<QUrl>& urls);
    void DropOnList(const QList<QUrl>& urls);
    // Runs an addition that may make working copies, with "Preparing Files..." shown meanwhile
    // when one is needed.
    void WhilePreparing(const QStringList& paths, const std::function<void()>& add);
    void ReportProblems(const QStringList& problems, const QString& title) const;

    MainWindowControls m_c;
    OptionValues m_options;
    FileListModel m_list;
    MainWindowRunView m_runView{m_c, m_options};
    std::unique_ptr<CommonDlgsW> m_dialogs;
    std::unique_ptr<RunDriver> m_driver;
    SkinnedButtons* m_buttons = nullptr;
    frmMenu* m_menu = nullptr;
    CommandChannel* m_channel = nullptr;
    DropTargets* m_drops = nullptr;
    SystemMove m_systemMove;
    bool m_closeAfterRun = false;
};

} // namespace vantorel
