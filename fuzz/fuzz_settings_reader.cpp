// The settings field reader on arbitrary file bytes: it always comes to an end, and whatever it
// reads, written back the way the settings files are written, reads back the same.
#include "FuzzSupport.h"
#include "settings/SettingsFieldReader.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>

using namespace vantorel;
using fuzz::require;

namespace {

QStringList readAll(const QByteArray& bytes) {
    SettingsFieldReader reader(bytes);
    QStringList fields;
    while (const auto field = reader.readField()) {
        fields.append(*field);
        require(fields.size() <= bytes.size(), "every field uses up at least one byte",
                fuzz::visible(QString::fromUtf8(bytes)));
    }
    require(!reader.readField(), "a used-up reader stays used up");
    return fields;
}

QString describe(const QStringList& fields) {
    QString text;
    for (const QString& f : fields)
        text += QLatin1Char('[') + fuzz::visible(f) + QStringLiteral("] ");
    return text;
}

void checkWrittenBack(const QStringList& fields, const char* separator) {
    QByteArray bytes;
    for (const QString& f : fields)
        bytes += '"' + f.toUtf8() + '"' + separator;
    const QStringList again = readAll(bytes);
    require(again == fields, "quoted fields read back as written",
            describe(fields) + QStringLiteral("\n    read back as ") + describe(again));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList fields = readAll(bytes);

    QStringList writable;
    for (const QString& f : fields)
        if (!f.contains(QLatin1Char('"')))
            writable.append(f);
    checkWrittenBack(writable, "\r\n");
    checkWrittenBack(writable, ",");
    checkWrittenBack(writable, "\n");
    return 0;
}
