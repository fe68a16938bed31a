#pragma once

#include <QByteArray>
#include <QString>

namespace vantorel {

// The "narrow" encoding that file names take on their way to the file system and the encoder.
// On Linux it is the encoding Qt uses for file names (UTF-8), so a round trip loses nothing;
// tests install a lossy one to exercise the working-copy rules.
class CodePage {
public:
    virtual ~CodePage() = default;
    virtual QByteArray toNarrow(const QString& text) const = 0;
    virtual QString fromNarrow(const QByteArray& bytes) const = 0;
};

// The code page in force; never null.
const CodePage& codePage();
// Replaces the code page in force (tests); nullptr restores the system one.
void setCodePageForTesting(const CodePage* page);

// The text converted to the narrow code page and back.
QString toNarrowAndBack(const QString& text);

// A single-byte code page that holds Latin-1 only and turns anything else into "?".
class LossyLatin1CodePage final : public CodePage {
public:
    QByteArray toNarrow(const QString& text) const override;
    QString fromNarrow(const QByteArray& bytes) const override;
};

} // namespace vantorel
