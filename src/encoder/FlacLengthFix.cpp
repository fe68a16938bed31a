#include "encoder/FlacLengthFix.h"

#include "encoder/ChildProcess.h"
#include "encoder/EncoderError.h"
#include "encoder/FfmpegArguments.h"
#include "encoder/Preflight.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantorel::encoder {

namespace {

// A file made for this run that goes away unless it was put in place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& folder, const std::string& name) {
        m_path = folder + "/." + name + ".conv-XXXXXX";
        const UniqueFd fd(mkostemp(m_path.data(), O_CLOEXEC));
        if (fd.get() < 0)
            throw EncoderError("cannot make a temporary file in \"" + folder +
                               "\": " + std::strerror(errno));
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!m_kept)
            unlink(m_path.c_str());
    }
    const std::string& path() const { return m_path; }
    void keep() { m_kept = true; }

private:
    std::string m_path;
    bool m_kept = false;
};

void fixOne(const std::string& ffmpeg, const std::string& folder, const std::string& name) {
    const std::string piece = folder + "/" + name;
    TemporaryFile mended(folder, name);
    std::vector<std::string> args = flacRewriteArguments(piece, mended.path());
    args.insert(args.begin(), ffmpeg);
    Pipe text = makePipe();
    ChildProcess child =
        ChildProcess::start(args, Redirects{text.writeEnd.get(), text.writeEnd.get()});
    text.writeEnd.reset();
    const std::string errors = readAll(text.readEnd.get(), 16 * 1024);
    const ExitStatus status = child.wait();
    throwIfTerminated();
    if (!status.success())
        throw EncoderError("cannot write the length into the piece \"" + piece + "\" (" +
                           lastErrorLine(errors, piece) + ")");
    // The mended piece keeps the permissions FFmpeg gave the piece, not the private ones of a
    // temporary file.
    struct stat info {};
    if (stat(piece.c_str(), &info) == 0)
        chmod(mended.path().c_str(), info.st_mode & 07777);
    if (std::rename(mended.path().c_str(), piece.c_str()) != 0)
        throw EncoderError("cannot replace the piece \"" + piece + "\": " + std::strerror(errno));
    mended.keep();
}

} // namespace

void fixFlacLengths(const std::string& ffmpeg, const std::string& folder,
                    const std::vector<std::string>& pieceNames) {
    for (const std::string& name : pieceNames)
        fixOne(ffmpeg, folder, name);
}

} // namespace vantorel::encoder
