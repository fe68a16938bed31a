#include "filelist/AddSources.h"
#include "filelist/WorkingCopy.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmOptions.h"
#include "platform/AppPaths.h"
#include "platform/FileChecks.h"
#include "platform/UserMessages.h"
#include "ui/BrowseForFolder.h"
#include "ui/DesktopOpener.h"
#include "ui/ImageButton.h"
#include "ui/RemoveMenu.h"
#include "ui/SkinnedButtons.h"

#include <QCoreApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>

namespace vantorel {

QString frmMain::AddFileFilter() {
    return QStringLiteral(
        "MP3 Audio(*.mp3)|*.mp3|WAVE Files(*.wav)|*.wav|WMA Audio(*.wma)|*.wma|"
        "FLAC Files(*.flac)|*.flac|AAC Files(*.aac)|*.aac|AC3 Files(*.ac3)|*.ac3|"
        "OGG Files(*.ogg)|*.ogg|MPEG4 Files(*.mp4)|*.mp4|AVI Files(*.avi)|*.avi|"
        "MPG Files(*.mpg)|*.mpg|WMV Files(*.wmv)|*.wmv|Flash Video(*.flv)|*.flv|"
        "QuickTime Format(*.mov)|*.mov|DVD VOB(*.vob)|*.vob|Real Video(*.rm)|*.rm|"
        "3GP Video(*.3gp)|*.3gp|All Media Formats(*.*)|*.*");
}

QUrl frmMain::HelpPageUrl() {
    return QUrl::fromLocalFile(paths::appFolder() + QStringLiteral("/help/index.html"));
}

QString frmMain::WebLinkCaption() {
    return QStringLiteral("Vantorel - Help & Guide");
}

void frmMain::RunToolbarAction(int index) {
    switch (index) {
    case toolbar::AddFile:
        AddFile();
        break;
    case toolbar::Remove:
        PopUpRemoveMenu();
        break;
    case toolbar::Options:
        ShowOptions();
        break;
    case toolbar::Help:
        OpenHelpPage();
        break;
    case toolbar::Exit:
        SaveAndExit();
        break;
    case toolbar::AddFolder:
        AddFolder();
        break;
    default:
        break;
    }
}

void frmMain::AddFile() {
    m_dialogs->FileName.clear();
    m_dialogs->Filter = AddFileFilter();
    m_dialogs->DialogTitle = QStringLiteral("Open Files");
    m_dialogs->Flags = 0;
    if (!m_dialogs->ShowOpen(this))
        return;
    const QString chosen = m_dialogs->FileName;
    if (chosen.isEmpty())
        return;
    QString problem;
    WhilePreparing({chosen}, [&] { AddChosenFile(m_list, chosen, &problem); });
    ReportProblems(problem.isEmpty() ? QStringList() : QStringList{problem},
                   QStringLiteral("Open Files"));
}

void frmMain::PopUpRemoveMenu() {
    m_menu->popUp(QCursor::pos());
}

void frmMain::ShowOptions() {
    frmOptions::ShowModal(m_options, this);
}

void frmMain::OpenHelpPage() {
    // A page that cannot be opened changes nothing here.
    desktopOpener().Open(HelpPageUrl());
}

void frmMain::AddFolder() {
    const std::optional<QString> chosen = BrowseForFolder(this);
    QStringList problems;
    // The search lets events run, so the "Searching Files..." hint shows while it works.
    vantorel::AddFolder(m_list, chosen.value_or(QString()), &problems);
    ReportProblems(problems, QStringLiteral("Add Folder"));
}

void frmMain::Browse() {
    const QString fallback = paths::defaultOutputFolder();
    const std::optional<QString> chosen = BrowseForFolder(this);
    m_c.txtPath->setText(chosen.value_or(fallback));
    if (FolderExists(m_c.txtPath->text()))
        return;
    m_c.txtPath->setText(fallback);
    showMessage(MessageIcon::None,
                QStringLiteral("The path has unknown characters.\r\nChanged to the default path ") +
                    fallback + QLatin1Char('.'),
                QStringLiteral("Path"));
}

void frmMain::DropOnOverlay(const QList<QUrl>& urls) {
    QStringList paths;
    for (const QUrl& url : urls)
        paths.append(url.toLocalFile());
    QStringList problems;
    WhilePreparing(paths, [&] { AddDroppedFiles(m_list, urls, true, &problems); });
    ReportProblems(problems, QStringLiteral("Drop"));
}

void frmMain::DropOnList(const QList<QUrl>& urls) {
    QStringList problems;
    AddDroppedFiles(m_list, urls, false, &problems);
    ReportProblems(problems, QStringLiteral("Drop"));
}

void frmMain::WhilePreparing(const QStringList& paths, const std::function<void()>& add) {
    const bool copying = std::any_of(paths.begin(), paths.end(), [](const QString& p) {
        return !FileExists(p) || IsUnsafeForEncoder(p);
    });
    if (!copying) {
        add();
        return;
    }
    m_c.lblPB->setText(QStringLiteral("Preparing Files..."));
    m_c.lblPB->repaint();
    add();
    m_c.lblPB->setText(QString());
}

void frmMain::ReportProblems(const QStringList& problems, const QString& title) const {
    if (problems.isEmpty())
        return;
    const QString intro =
        problems.size() == 1
            ? QStringLiteral("This file is in the list but cannot be converted:")
            : QStringLiteral("These files are in the list but cannot be converted:");
    showMessage(MessageIcon::Exclamation,
                intro + QStringLiteral("\r\n\r\n") + problems.join(QStringLiteral("\r\n")), title);
}

} // namespace vantorel
