#include "settings/SettingsFieldReader.h"

#include <utility>

namespace vantorel {

SettingsFieldReader::SettingsFieldReader(QByteArray bytes) : m_bytes(std::move(bytes)) {}

void SettingsFieldReader::skipBlanks() {
    while (!atEnd() && (peek() == ' ' || peek() == '\t'))
        ++m_pos;
}

// One line end: CR LF, or a lone LF or CR (files edited by hand on other systems).
void SettingsFieldReader::skipLineEnd() {
    if (atEnd())
        return;
    if (peek() == '\r') {
        ++m_pos;
        if (!atEnd() && peek() == '\n')
            ++m_pos;
    } else if (peek() == '\n') {
        ++m_pos;
    }
}

void SettingsFieldReader::skipSeparator() {
    if (atEnd())
        return;
    if (peek() == ',')
        ++m_pos;
    else
        skipLineEnd();
}

void SettingsFieldReader::skipRestOfLine() {
    while (!atEnd() && !atLineEnd())
        ++m_pos;
    skipLineEnd();
}

std::optional<QString> SettingsFieldReader::readField() {
    skipBlanks();
    if (atEnd())
        return std::nullopt;

    if (peek() == '"') {
        const qsizetype start = m_pos + 1;
        qsizetype close = m_bytes.indexOf('"', start);
        if (close < 0)
            close = m_bytes.size(); // an unclosed quote runs to the end of the data
        const QString field = QString::fromUtf8(m_bytes.constData() + start, close - start);
        m_pos = close < m_bytes.size() ? close + 1 : close;
        skipBlanks();
        if (atEnd() || peek() == ',' || atLineEnd())
            skipSeparator();
        else
            skipRestOfLine();
        return field;
    }

    const qsizetype start = m_pos;
    while (!atEnd() && peek() != ',' && !atLineEnd())
        ++m_pos;
    const QString field = QString::fromUtf8(m_bytes.constData() + start, m_pos - start);
    skipSeparator();
    return field;
}

} // namespace vantorel
