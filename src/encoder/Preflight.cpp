#include "encoder/Preflight.h"

#include "encoder/ChildProcess.h"
#include "encoder/EncoderError.h"
#include "encoder/FfmpegArguments.h"
#include "encoder/PiecePattern.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace vantorel::encoder {

namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string reason() {
    return std::strerror(errno);
}

} // namespace

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string lastErrorLine(const std::string& text, const std::string& name) {
    std::size_t end = text.find_last_not_of("\r\n \t");
    if (end == std::string::npos)
        return "unknown error";
    const std::size_t start = text.find_last_of("\r\n", end);
    std::string line = text.substr(start == std::string::npos ? 0 : start + 1,
                                   end + 1 - (start == std::string::npos ? 0 : start + 1));
    for (const std::string& prefix : {name + ": ", ffmpegPath(name) + ": "}) {
        if (line.starts_with(prefix) && line.size() > prefix.size())
            return line.substr(prefix.size());
    }
    return line;
}

FileIdentity checkSource(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT)
            throw EncoderError("the source " + quoted(path) + " does not exist");
        throw EncoderError("the source " + quoted(path) + " cannot be opened: " + reason());
    }
    if (S_ISDIR(info.st_mode))
        throw EncoderError("the source " + quoted(path) + " is a folder, not a file");
    if (!S_ISREG(info.st_mode))
        throw EncoderError("the source " + quoted(path) + " is not a regular file");
    // O_NONBLOCK: a file swapped for a FIFO after the check above must not hang the open.
    const UniqueFd fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        throw EncoderError("the source " + quoted(path) + " cannot be read: " + reason());
    return FileIdentity{info.st_dev, info.st_ino};
}

void checkAudioStream(const std::string& ffprobe, const std::string& path) {
    if (ffprobe.empty())
        return;
    Pipe output = makePipe();
    std::vector<std::string> args = audioStreamQueryArguments(path);
    args.insert(args.begin(), ffprobe);
    ChildProcess child =
        ChildProcess::start(args, Redirects{output.writeEnd.get(), output.writeEnd.get()});
    output.writeEnd.reset();
    const std::string text = readAll(output.readEnd.get(), 64 * 1024);
    const ExitStatus status = child.wait();
    throwIfTerminated();
    if (!status.success())
        throw EncoderError("the source " + quoted(path) + " is not a media file FFmpeg can read (" +
                           lastErrorLine(text, path) + ")");
    if (text.find("codec_type=audio") == std::string::npos)
        throw EncoderError("the source " + quoted(path) + " has no audio stream");
}

void checkOutputFolder(const std::string& folder) {
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) {
        if (errno == ENOENT)
            throw EncoderError("the output folder " + quoted(folder) + " does not exist");
        throw EncoderError("the output folder " + quoted(folder) +
                           " cannot be opened: " + reason());
    }
    if (!S_ISDIR(info.st_mode))
        throw EncoderError("the output folder " + quoted(folder) + " is not a folder");
    // Asking access() is not enough: it says yes to root on a folder that still refuses files.
    std::string probe = folder + "/.conv.exe-write-test-XXXXXX";
    const UniqueFd fd(mkostemp(probe.data(), O_CLOEXEC));
    if (fd.get() < 0)
        throw EncoderError("the output folder " + quoted(folder) +
                           " cannot be written: " + reason());
    unlink(probe.c_str());
}

void checkOutputSparesSource(const PiecePattern& output, bool numbered, const FileIdentity& source,
                             const std::string& sourcePath) {
    const auto isSource = [&source](const std::string& path) {
        struct stat info {};
        return stat(path.c_str(), &info) == 0 && info.st_dev == source.device &&
               info.st_ino == source.inode;
    };
    const auto refuse = [&sourcePath](const std::string& path) {
        throw EncoderError("writing " + quoted(path) + " would overwrite the source " +
                           quoted(sourcePath));
    };
    if (!numbered) {
        if (isSource(output.path()))
            refuse(output.path());
        return;
    }
    const std::string folder = folderOf(output.path());
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (output.couldName(name) && isSource(folder + "/" + name))
            refuse(folder + "/" + name);
    }
}

} // namespace vantorel::encoder
