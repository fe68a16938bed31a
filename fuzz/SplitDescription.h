#pragma once

#include "FuzzSupport.h"
#include "process/CommandLineSplitter.h"

// A command line and the program and arguments it split into, for the account of a failed check.
namespace vantorel::fuzz {

inline QString describe(const QString& line, const SplitCommand& split) {
    QString text =
        visible(line) + QStringLiteral("\n    -> [") + visible(split.program) + QLatin1Char(']');
    for (const QString& a : split.arguments)
        text += QStringLiteral(" [") + visible(a) + QLatin1Char(']');
    return text;
}

} // namespace vantorel::fuzz
