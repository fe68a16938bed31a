// Prints where the program would look for its files, so the installation test can run it from
// an installed application folder, through a link and as another user.
#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    out << "app=" << vantorel::paths::appFolder() << '\n'
        << "encoder=" << vantorel::paths::encoderPath() << '\n'
        << "sound=" << vantorel::paths::soundPath() << '\n'
        << "setup=" << vantorel::paths::setupIniPath() << '\n'
        << "options=" << vantorel::paths::optionsIniPath() << '\n';
    return 0;
}
