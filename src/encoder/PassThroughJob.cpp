#include "encoder/PassThroughJob.h"

#include "encoder/ChildProcess.h"
#include "encoder/EncoderError.h"
#include "encoder/FlacLengthFix.h"
#include "encoder/ListFolder.h"
#include "encoder/PieceList.h"
#include "encoder/Preflight.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace vantorel::encoder {

namespace {

std::string fileText(const std::string& path) {
    const UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    return fd.get() < 0 ? std::string() : readAll(fd.get(), 16 * 1024 * 1024);
}

} // namespace

int runPassThrough(const std::string& ffmpeg, const Invocation& invocation, const Plan& plan) {
    const bool mendFlac = plan.kind == Plan::Kind::Pieces && plan.codec == Plan::Codec::Flac;
    std::optional<ListFolder> listFolder;
    if (mendFlac)
        listFolder.emplace();

    std::vector<std::string> args =
        passThroughArguments(invocation, plan, listFolder ? listFolder->listPath() : "");
    args.insert(args.begin(), ffmpeg);
    ChildProcess child = ChildProcess::start(args);
    const ExitStatus status = child.wait();
    throwIfTerminated();
    if (!status.success() || !mendFlac)
        return exitCodeFor(status);

    fixFlacLengths(ffmpeg, folderOf(*invocation.output),
                   pieceNamesFromList(fileText(listFolder->listPath())));
    return 0;
}

} // namespace vantorel::encoder
