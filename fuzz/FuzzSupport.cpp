#include "FuzzSupport.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace vantorel::fuzz {

void require(bool holds, const char* property, const QString& detail) {
    if (holds)
        return;
    std::fprintf(stderr, "\n*** Property does not hold: %s\n", property);
    if (!detail.isEmpty())
        std::fprintf(stderr, "    %s\n", qPrintable(detail));
    std::fflush(stderr);
    std::abort();
}

QString utf8Text(const std::uint8_t* data, std::size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

QString utf16Text(const std::uint8_t* data, std::size_t size) {
    QString text;
    text.reserve(static_cast<qsizetype>(size / 2));
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.append(QChar(static_cast<char16_t>(data[i] | (data[i + 1] << 8))));
    return text;
}

QString visible(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f && c != QLatin1Char('\\'))
            out.append(c);
        else
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return out;
}

void ensureApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "vantorel-fuzz";
    static char* argv[] = {name, nullptr};
    static const auto app = std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace vantorel::fuzz
