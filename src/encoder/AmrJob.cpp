#include "encoder/AmrJob.h"

#include "encoder/AmrEncoder.h"
#include "encoder/ChildProcess.h"
#include "encoder/EncoderError.h"
#include "encoder/PiecePattern.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <unistd.h>

namespace vantorel::encoder {

namespace {

constexpr char amrMagic[] = "#!AMR\n";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Writes the frames into numbered pieces, starting the next piece when one is full.
class PieceWriter {
public:
    PieceWriter(PiecePattern pattern, bool numbered, long long framesPerPiece, int mode)
        : m_pattern(std::move(pattern)), m_numbered(numbered), m_framesPerPiece(framesPerPiece),
          m_encoder(mode) {}

    void add(const std::array<std::int16_t, AmrEncoder::samplesPerFrame>& samples) {
        if (!m_file || m_framesInPiece == m_framesPerPiece)
            startPiece();
        const std::vector<std::uint8_t> frame = m_encoder.encode(samples);
        if (std::fwrite(frame.data(), 1, frame.size(), m_file.get()) != frame.size())
            fail();
        ++m_framesInPiece;
        ++m_frames;
    }

    void finish() {
        if (m_file && std::fclose(m_file.release()) != 0)
            fail();
    }

    long long frames() const { return m_frames; }

private:
    void startPiece() {
        finish();
        m_path = m_numbered ? m_pattern.pathFor(m_pieces) : m_pattern.path();
        m_file.reset(std::fopen(m_path.c_str(), "wbe"));
        if (!m_file)
            fail();
        if (std::fwrite(amrMagic, 1, sizeof amrMagic - 1, m_file.get()) != sizeof amrMagic - 1)
            fail();
        m_encoder.restart();
        m_framesInPiece = 0;
        ++m_pieces;
    }

    [[noreturn]] void fail() {
        const std::string reason = std::strerror(errno);
        m_file.reset();
        throw EncoderError("cannot write \"" + m_path + "\": " + reason);
    }

    PiecePattern m_pattern;
    bool m_numbered;
    long long m_framesPerPiece;
    AmrEncoder m_encoder;
    File m_file;
    std::string m_path;
    long long m_pieces = 0;
    long long m_framesInPiece = 0;
    long long m_frames = 0;
};

} // namespace

int runAmr(const std::string& ffmpeg, const Invocation& invocation, const Plan& plan) {
    const bool numbered = plan.kind == Plan::Kind::Pieces;
    const long long framesPerPiece =
        numbered ? std::llround(plan.segmentSeconds * AmrEncoder::framesPerSecond)
                 : std::numeric_limits<long long>::max();
    PieceWriter writer(PiecePattern(*invocation.output), numbered, framesPerPiece,
                       amrModeFor(invocation));

    std::vector<std::string> args = amrDecodeArguments(invocation);
    args.insert(args.begin(), ffmpeg);
    Pipe samples = makePipe();
    ChildProcess child = ChildProcess::start(args, Redirects{samples.writeEnd.get(), -1});
    samples.writeEnd.reset();

    std::array<std::int16_t, AmrEncoder::samplesPerFrame> frame{};
    std::size_t filled = 0;
    unsigned char buffer[8192];
    std::size_t carried = 0; // a byte of a sample split across two reads
    for (;;) {
        const ssize_t got = read(samples.readEnd.get(), buffer + carried, sizeof buffer - carried);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        const std::size_t bytes = carried + static_cast<std::size_t>(got);
        std::size_t at = 0;
        for (; at + 1 < bytes; at += 2) {
            frame[filled++] = static_cast<std::int16_t>(
                static_cast<std::uint16_t>(buffer[at] | (buffer[at + 1] << 8)));
            if (filled == frame.size()) {
                writer.add(frame);
                filled = 0;
            }
        }
        carried = bytes - at;
        if (carried)
            buffer[0] = buffer[at];
    }
    samples.readEnd.reset();
    const ExitStatus status = child.wait();
    throwIfTerminated();
    if (filled > 0 && status.success()) {
        std::fill(frame.begin() + static_cast<std::ptrdiff_t>(filled), frame.end(), 0);
        writer.add(frame);
    }
    writer.finish();
    if (!status.success())
        return exitCodeFor(status);
    if (writer.frames() == 0)
        throw EncoderError("no sound was decoded from \"" + invocation.input + "\"");
    return 0;
}

} // namespace vantorel::encoder
