#include "process/CommandLineSplitter.h"

#include "platform/FileChecks.h"

namespace vantorel {
namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

qsizetype skipBlanks(const QString& text, qsizetype at) {
    while (at < text.size() && isBlank(text.at(at)))
        ++at;
    return at;
}

QStringList splitArguments(const QString& text, qsizetype at) {
    QStringList arguments;
    at = skipBlanks(text, at);
    while (at < text.size()) {
        QString argument;
        bool quoted = false;
        for (; at < text.size(); ++at) {
            const QChar c = text.at(at);
            if (c == u'"')
                quoted = !quoted;
            else if (isBlank(c) && !quoted)
                break;
            else
                argument.append(c);
        }
        arguments.append(argument);
        at = skipBlanks(text, at);
    }
    return arguments;
}

// The end (exclusive) of the unquoted program path starting at start: the shortest prefix ending
// at a blank that names an existing file, else the whole unquoted text when that names one, else
// the first word.
qsizetype programEnd(const QString& text, qsizetype start,
                     const std::function<bool(const QString&)>& fileExists) {
    const qsizetype quote = text.indexOf(u'"', start);
    const qsizetype limit = quote < 0 ? text.size() : quote;
    qsizetype firstBlank = -1;
    for (qsizetype at = start; at < limit; ++at) {
        if (!isBlank(text.at(at)))
            continue;
        if (firstBlank < 0)
            firstBlank = at;
        if (fileExists(text.mid(start, at - start)))
            return at;
    }
    if (firstBlank >= 0 && quote < 0 && fileExists(text.mid(start)))
        return text.size();
    if (firstBlank >= 0)
        return firstBlank;
    qsizetype at = limit;
    while (at < text.size() && !isBlank(text.at(at)))
        ++at;
    return at;
}

} // namespace

SplitCommand SplitCommandLine(const QString& commandLine,
                              const std::function<bool(const QString&)>& fileExists) {
    const auto exists =
        fileExists ? fileExists : [](const QString& path) { return FileExists(path); };
    SplitCommand split;
    const qsizetype start = skipBlanks(commandLine, 0);
    if (start >= commandLine.size())
        return split;
    if (commandLine.at(start) == u'"') {
        const qsizetype close = commandLine.indexOf(u'"', start + 1);
        const qsizetype end = close < 0 ? commandLine.size() : close;
        split.program = commandLine.mid(start + 1, end - start - 1);
        split.arguments = splitArguments(commandLine, close < 0 ? end : close + 1);
        return split;
    }
    const qsizetype end = programEnd(commandLine, start, exists);
    split.program = commandLine.mid(start, end - start);
    split.arguments = splitArguments(commandLine, end);
    return split;
}

} // namespace vantorel
