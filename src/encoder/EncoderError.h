#pragma once

#include <stdexcept>
#include <string>

namespace vantorel::encoder {

// A failure the user can act on: main() prints the message as one line prefixed with the
// program's name and exits with the code.
class EncoderError : public std::runtime_error {
public:
    explicit EncoderError(const std::string& message, int exitCode = 1)
        : std::runtime_error(message), m_exitCode(exitCode) {}
    int exitCode() const { return m_exitCode; }

private:
    int m_exitCode;
};

} // namespace vantorel::encoder
