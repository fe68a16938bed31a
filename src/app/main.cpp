#include "mainwindow/SingleInstance.h"
#include "mainwindow/frmMain.h"
#include "platform/UserMessages.h"
#include "ui/MessageBoxMessages.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Ties the window to its desktop entry (icon and name in docks and task switchers).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vantorel.Vantorel"));
    // A second start ends at once, without a word: the first copy goes on as it was.
    const vantorel::SingleInstance instance;
    if (!instance.IsFirst())
        return 0;

    vantorel::MessageBoxMessages messages;
    vantorel::setUserMessages(&messages);
    int result = 0;
    {
        vantorel::frmMain window;
        // The program ends when the window has unloaded, and not before: a window closed during
        // a run goes at once, but the run unwinds first.
        QApplication::setQuitOnLastWindowClosed(false);
        QObject::connect(&window, &vantorel::frmMain::Unloaded, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        window.show();
        result = QApplication::exec();
    }
    vantorel::setUserMessages(nullptr);
    return result;
}
