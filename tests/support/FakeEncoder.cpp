// A stand-in for the encoder in tests: acts out a prepared script instead of touching audio.
// The script format is described in FakeEncoderFolder.h.

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>
#include <vector>

namespace {

using Arguments = std::vector<std::string>;

std::string ownPath() {
    char buffer[4096];
    const ssize_t got = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return got > 0 ? std::string(buffer, static_cast<std::size_t>(got)) : std::string();
}

std::string fromEnvironment(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::string(value) : fallback;
}

void writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return;
        done += static_cast<std::size_t>(wrote);
    }
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        if (next == 'n')
            out += '\n';
        else if (next == 'r')
            out += '\r';
        else if (next == 't')
            out += '\t';
        else if (next == 'x' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
                 hexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else
            out += next;
    }
    return out;
}

std::string logLine(const Arguments& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty())
            line += ' ';
        if (argument.empty() || argument.find_first_of(" \t") != std::string::npos)
            line += '"' + argument + '"';
        else
            line += argument;
    }
    return line + '\n';
}

std::string kindOf(const Arguments& arguments) {
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i)
        if (arguments[i] == "-f" && arguments[i + 1] == "segment")
            return "convert";
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] != "-i")
            continue;
        return i + 2 == arguments.size() ? "probe" : "predecode";
    }
    return "other";
}

struct Script {
    std::map<std::string, std::vector<std::string>> sections;
    std::string log;
};

Script readScript(const std::string& path) {
    Script script;
    std::ifstream in(path);
    std::string section = "default";
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            script.sections[section];
        } else if (line.rfind("log ", 0) == 0) {
            script.log = line.substr(4);
        } else {
            script.sections[section].push_back(line);
        }
    }
    return script;
}

bool writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    return static_cast<bool>(out);
}

void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xffu);
}

// 8000 Hz, mono, 16-bit PCM silence.
std::string silentWav(long milliSeconds) {
    const auto dataBytes = static_cast<std::uint32_t>(milliSeconds < 0 ? 0 : milliSeconds * 16);
    std::string out = "RIFF";
    putLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLittleEndian(out, 16, 4);
    putLittleEndian(out, 1, 2);
    putLittleEndian(out, 1, 2);
    putLittleEndian(out, 8000, 4);
    putLittleEndian(out, 16000, 4);
    putLittleEndian(out, 2, 2);
    putLittleEndian(out, 16, 2);
    out += "data";
    putLittleEndian(out, dataBytes, 4);
    out.append(dataBytes, '\0');
    return out;
}

std::string pieceName(const std::string& pattern, long number) {
    const std::size_t at = pattern.find("%05d");
    if (at == std::string::npos)
        return pattern;
    std::string digits = std::to_string(number);
    if (digits.size() < 5)
        digits.insert(0, 5 - digits.size(), '0');
    return pattern.substr(0, at) + digits + pattern.substr(at + 4);
}

// The whole numbers after a step's verb; missing ones keep their defaults.
std::vector<long> numbers(const std::string& rest, std::vector<long> defaults) {
    std::istringstream words(rest);
    for (long& value : defaults) {
        long read = 0;
        if (!(words >> read))
            break;
        value = read;
    }
    return defaults;
}

// Runs one step; returns false when the step ends the program with status *code.
bool runStep(const std::string& step, const Arguments& arguments, int* code) {
    const std::size_t space = step.find(' ');
    const std::string verb = step.substr(0, space);
    const std::string rest = space == std::string::npos ? std::string() : step.substr(space + 1);
    const std::string last = arguments.empty() ? std::string() : arguments.back();
    if (verb == "print") {
        writeAll(STDOUT_FILENO, unescape(rest));
    } else if (verb == "eprint") {
        writeAll(STDERR_FILENO, unescape(rest));
    } else if (verb == "bytes") {
        const long count = numbers(rest, {0})[0];
        const std::size_t fill = rest.find(' ');
        const char c = fill != std::string::npos && fill + 1 < rest.size() ? rest[fill + 1] : 'x';
        writeAll(STDOUT_FILENO, std::string(static_cast<std::size_t>(count < 0 ? 0 : count), c));
    } else if (verb == "sleep") {
        const long ms = numbers(rest, {0})[0];
        ::usleep(static_cast<useconds_t>(ms < 0 ? 0 : ms) * 1000u);
    } else if (verb == "pieces") {
        const std::vector<long> given = numbers(rest, {0, 16});
        for (long i = 0; i < given[0]; ++i)
            writeFile(pieceName(last, i),
                      std::string(static_cast<std::size_t>(given[1] < 0 ? 0 : given[1]), 'p'));
    } else if (verb == "wav") {
        writeFile(last, silentWav(numbers(rest, {1000})[0]));
    } else if (verb == "stdin") {
        char buffer[256];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        writeAll(STDOUT_FILENO, got > 0 ? std::string(buffer, static_cast<std::size_t>(got))
                                        : std::string(got == 0 ? "<end>" : "<error>"));
    } else if (verb == "exit") {
        *code = static_cast<int>(numbers(rest, {0})[0]);
        return false;
    } else if (verb == "signal") {
        const int number = static_cast<int>(numbers(rest, {SIGKILL})[0]);
        ::signal(number, SIG_DFL);
        ::raise(number);
    } else {
        writeAll(STDERR_FILENO, "fake encoder: unknown step: " + step + "\n");
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // A fake left behind by a crashed test would hold up every later wait for the encoder.
    const pid_t parent = ::getppid();
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent)
        return 1;

    const Arguments arguments(argv + 1, argv + argc);
    const std::string self = ownPath();
    const Script script =
        readScript(fromEnvironment("VANTOREL_FAKE_ENCODER_SCRIPT", self + ".script"));
    const std::string logPath = fromEnvironment("VANTOREL_FAKE_ENCODER_LOG",
                                                script.log.empty() ? self + ".log" : script.log);
    const int log = ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (log >= 0) {
        writeAll(log, logLine(arguments));
        ::close(log);
    }

    auto section = script.sections.find(kindOf(arguments));
    if (section == script.sections.end())
        section = script.sections.find("default");
    if (section == script.sections.end())
        return 0;
    int code = 0;
    for (const std::string& step : section->second)
        if (!runStep(step, arguments, &code))
            return code;
    return 0;
}
