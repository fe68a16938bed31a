#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace vantorel {

struct SplitCommand {
    QString program;
    QStringList arguments;
    bool operator==(const SplitCommand&) const = default;
};

// Turns one command line into a program and its arguments, the way the console commands of this
// program are written: spaces and tabs separate, double quotes group (and are dropped; an empty
// pair gives an empty argument; an unclosed quote runs to the end), backslashes are ordinary
// characters. The program's path is written without quotes, so when it holds spaces the shortest
// space-separated prefix that names an existing file is the program; when no prefix does, the
// first word is. A program written in quotes is taken as quoted.
//
// fileExists decides what names an existing file; by default the file system is asked.
SplitCommand SplitCommandLine(const QString& commandLine,
                              const std::function<bool(const QString&)>& fileExists = {});

} // namespace vantorel
