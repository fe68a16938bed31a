#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantorel::encoder {

// The name of the numbered pieces, such as "/out/Live Set%05d.mp3". The last "%d" or "%0Nd" of
// the file name (not of its folder) is the piece number; every other "%" is an ordinary
// character, because callers build the name from the user's folder and file names without
// escaping anything.
class PiecePattern {
public:
    explicit PiecePattern(std::string path);

    bool hasNumber() const { return m_numberAt.has_value(); }
    // The path of piece `number`, e.g. "/out/Live Set00003.mp3". Without a number: the path.
    std::string pathFor(long long number) const;
    // The same pattern with every literal "%" doubled, as FFmpeg's segment writer reads it.
    std::string ffmpegTemplate() const;
    // Whether a file named `name` in the pattern's folder could be one of its pieces.
    bool couldName(std::string_view name) const;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    std::optional<std::size_t> m_numberAt; // position of the "%"
    std::size_t m_numberLength = 0;        // characters of "%05d"
    int m_width = 0;                       // the digits asked for, 0 for plain "%d"
};

} // namespace vantorel::encoder
