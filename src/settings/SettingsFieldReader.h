#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace vantorel {

// Reads the comma- and line-separated fields of a settings file, one field per call, the way
// the files are written: blanks before a field are skipped; a field that opens with a double
// quote runs to the next double quote (line breaks included) and loses both quotes; any other
// field runs to the next comma or line end. Text after a closing quote that is not a separator
// cannot belong to any field, so the rest of that line is dropped; this keeps a damaged line
// from shifting the fields of the lines after it. The bytes are UTF-8.
class SettingsFieldReader {
public:
    explicit SettingsFieldReader(QByteArray bytes);

    // The next field; no value once the data is used up (blanks alone do not make a field).
    std::optional<QString> readField();

private:
    bool atEnd() const { return m_pos >= m_bytes.size(); }
    char peek() const { return m_bytes.at(m_pos); }
    bool atLineEnd() const { return !atEnd() && (peek() == '\r' || peek() == '\n'); }
    void skipBlanks();
    void skipLineEnd();
    void skipSeparator();
    void skipRestOfLine();

    QByteArray m_bytes;
    qsizetype m_pos = 0;
};

} // namespace vantorel
