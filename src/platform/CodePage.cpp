#include "platform/CodePage.h"

#include <QFile>

namespace vantorel {
namespace {

class FileNameCodePage final : public CodePage {
public:
    QByteArray toNarrow(const QString& text) const override { return QFile::encodeName(text); }
    QString fromNarrow(const QByteArray& bytes) const override { return QFile::decodeName(bytes); }
};

const FileNameCodePage systemPage;
const CodePage* current = &systemPage;

} // namespace

const CodePage& codePage() { return *current; }

void setCodePageForTesting(const CodePage* page) { current = page ? page : &systemPage; }

QString toNarrowAndBack(const QString& text) {
    return codePage().fromNarrow(codePage().toNarrow(text));
}

QByteArray LossyLatin1CodePage::toNarrow(const QString& text) const {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i; // one character outside the page, one "?"
        out.append(c.unicode() < 256 && !c.isSurrogate() ? static_cast<char>(c.unicode()) : '?');
    }
    return out;
}

QString LossyLatin1CodePage::fromNarrow(const QByteArray& bytes) const {
    return QString::fromLatin1(bytes);
}

} // namespace vantorel
