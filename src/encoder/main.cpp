// conv.exe: the console encoder of Vantorel. It takes FFmpeg-style command lines, checks them,
// and hands the work to the system's FFmpeg, doing itself what that FFmpeg cannot (AMR-NB) or
// does wrong (FLAC piece headers). Every failure ends with one "conv.exe: ..." line and a
// non-zero exit code.

#include "encoder/AmrJob.h"
#include "encoder/Arguments.h"
#include "encoder/ChildProcess.h"
#include "encoder/EncoderError.h"
#include "encoder/FfmpegArguments.h"
#include "encoder/PassThroughJob.h"
#include "encoder/PiecePattern.h"
#include "encoder/Preflight.h"
#include "encoder/ProbeJob.h"
#include "encoder/Tools.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

using namespace vantorel::encoder;

namespace {

// Helpers inherit fds 0 to 2; a caller that closed one must not have a pipe or a piece land
// there by accident.
void keepStandardFdsOpen() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) < 0 && errno == EBADF) {
            const int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
            if (opened >= 0 && opened != fd) {
                dup2(opened, fd);
                close(opened);
            }
        }
    }
}

// Paths made absolute once, so every later step (and FFmpeg's piece list) names the same file.
std::string absolute(const std::string& path) {
    if (path.starts_with('/'))
        return path;
    std::vector<char> folder(4096);
    while (!getcwd(folder.data(), folder.size())) {
        if (errno != ERANGE)
            return path;
        folder.resize(folder.size() * 2);
    }
    return std::string(folder.data()) + "/" + path;
}

void printLine(const std::string& text) {
    const std::string line = "conv.exe: " + text + "\n";
    writeAll(STDERR_FILENO, line.data(), line.size());
}

int run(const std::vector<std::string>& args) {
    Invocation invocation = parseArguments(args);
    invocation.input = absolute(invocation.input);
    if (invocation.output)
        invocation.output = absolute(*invocation.output);
    const Plan plan = planFor(invocation);

    const std::string ffmpeg = ffmpegProgram();
    const FileIdentity source = checkSource(invocation.input);
    if (invocation.output) {
        const PiecePattern output(*invocation.output);
        checkOutputFolder(folderOf(output.path()));
        checkOutputSparesSource(output, plan.kind == Plan::Kind::Pieces, source, invocation.input);
    }
    checkAudioStream(ffprobeProgram(), invocation.input);

    if (plan.kind == Plan::Kind::Probe)
        return runProbe(ffmpeg, invocation);
    if (plan.codec == Plan::Codec::Amr)
        return runAmr(ffmpeg, invocation, plan);
    return runPassThrough(ffmpeg, invocation, plan);
}

} // namespace

int main(int argc, char** argv) {
    keepStandardFdsOpen();
    installTerminationForwarding();
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return run(args);
    } catch (const Terminated& stop) {
        dieOfSignal(stop.signal);
    } catch (const EncoderError& error) {
        printLine(error.what());
        return error.exitCode();
    } catch (const std::exception& error) {
        printLine(error.what());
        return 1;
    }
}
