#include "encoder/PiecePattern.h"

#include <algorithm>

namespace vantorel::encoder {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string doublePercents(std::string_view text) {
    std::string result;
    for (char c : text) {
        result += c;
        if (c == '%')
            result += '%';
    }
    return result;
}

} // namespace

PiecePattern::PiecePattern(std::string path) : m_path(std::move(path)) {
    const std::size_t slash = m_path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    // Scan from the end so the number is the last one in the name; "%d", "%5d" and "%05d"
    // forms with at most two digits, as FFmpeg accepts.
    for (std::size_t at = m_path.size(); at-- > nameStart;) {
        if (m_path[at] != '%')
            continue;
        std::size_t end = at + 1;
        int width = 0;
        std::size_t digits = 0;
        while (end < m_path.size() && isDigit(m_path[end]) && digits < 2) {
            width = width * 10 + (m_path[end] - '0');
            ++end;
            ++digits;
        }
        if (end < m_path.size() && m_path[end] == 'd') {
            m_numberAt = at;
            m_numberLength = end + 1 - at;
            m_width = width;
            return;
        }
    }
}

std::string PiecePattern::pathFor(long long number) const {
    if (!m_numberAt)
        return m_path;
    std::string digits = std::to_string(number);
    if (digits.size() < static_cast<std::size_t>(m_width))
        digits.insert(0, static_cast<std::size_t>(m_width) - digits.size(), '0');
    return m_path.substr(0, *m_numberAt) + digits + m_path.substr(*m_numberAt + m_numberLength);
}

std::string PiecePattern::ffmpegTemplate() const {
    if (!m_numberAt)
        return doublePercents(m_path);
    return doublePercents(std::string_view(m_path).substr(0, *m_numberAt)) +
           m_path.substr(*m_numberAt, m_numberLength) +
           doublePercents(std::string_view(m_path).substr(*m_numberAt + m_numberLength));
}

bool PiecePattern::couldName(std::string_view name) const {
    const std::size_t slash = m_path.rfind('/');
    const std::string_view own =
        std::string_view(m_path).substr(slash == std::string::npos ? 0 : slash + 1);
    if (!m_numberAt)
        return name == own;
    const std::size_t numberInName = *m_numberAt - (m_path.size() - own.size());
    const std::string_view prefix = own.substr(0, numberInName);
    const std::string_view suffix = own.substr(numberInName + m_numberLength);
    if (name.size() < prefix.size() + suffix.size() + 1 || !name.starts_with(prefix) ||
        !name.ends_with(suffix))
        return false;
    const std::string_view digits =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    return digits.size() >= static_cast<std::size_t>(std::max(m_width, 1)) &&
           std::all_of(digits.begin(), digits.end(), isDigit);
}

} // namespace vantorel::encoder
