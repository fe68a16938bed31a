// The command-line splitter on arbitrary lines. Every name ending in ".exe" counts as an existing
// file, so program paths with spaces are looked up too. Input: one command line (UTF-8).
#include "FuzzSupport.h"
#include "SplitDescription.h"
#include "process/CommandLineSplitter.h"

#include <cstdint>

using namespace vantorel;
using fuzz::describe;
using fuzz::require;

namespace {

bool exists(const QString& path) {
    return path.endsWith(QStringLiteral(".exe"));
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString withoutBlanksAndQuotes(const QString& text) {
    QString out;
    for (const QChar c : text)
        if (!isBlank(c) && c != QLatin1Char('"'))
            out.append(c);
    return out;
}

QString quotedArguments(const QStringList& arguments) {
    QString text;
    for (const QString& a : arguments)
        text += QStringLiteral(" \"") + a + QLatin1Char('"');
    return text;
}

void check(const QString& line) {
    const SplitCommand split = SplitCommandLine(line, exists);
    const QString detail = describe(line, split);

    // Splitting only drops separators and quotes; it never loses, adds or reorders a character.
    QString joined = split.program;
    for (const QString& a : split.arguments) {
        require(!a.contains(QLatin1Char('"')), "quotes are dropped from arguments", detail);
        joined += a;
    }
    require(withoutBlanksAndQuotes(joined) == withoutBlanksAndQuotes(line),
            "every other character is kept, in order", detail);
    require(split.arguments.size() <= line.size(), "no more arguments than characters", detail);
    for (const QString& a : split.arguments)
        require(!a.isEmpty() || line.contains(QLatin1Char('"')),
                "an empty argument comes only from quotes", detail);

    if (split.program.contains(QLatin1Char('"')))
        return;
    // Written back with every argument quoted, the line splits into the same parts.
    const QString quotedLine =
        QLatin1Char('"') + split.program + QLatin1Char('"') + quotedArguments(split.arguments);
    const SplitCommand again = SplitCommandLine(quotedLine, exists);
    require(again == split, "a quoted program and quoted arguments split back the same",
            detail + QStringLiteral("\n    again ") + describe(quotedLine, again));

    // So does the usual form: the program unquoted, as the builders write it.
    qsizetype first = 0;
    while (first < line.size() && isBlank(line.at(first)))
        ++first;
    if (split.program.isEmpty() || (first < line.size() && line.at(first) == QLatin1Char('"')))
        return;
    const QString usualLine = split.program + quotedArguments(split.arguments);
    const SplitCommand usual = SplitCommandLine(usualLine, exists);
    require(usual == split, "an unquoted program and quoted arguments split back the same",
            detail + QStringLiteral("\n    again ") + describe(usualLine, usual));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    check(fuzz::utf8Text(data, size));
    check(fuzz::utf16Text(data, size));
    return 0;
}
