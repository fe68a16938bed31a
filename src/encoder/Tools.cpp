#include "encoder/Tools.h"

#include "encoder/EncoderError.h"

#include <cstdlib>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace vantorel::encoder {

namespace {

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

std::string locate(const std::string& built, const std::string& name) {
    if (isExecutableFile(built))
        return built;
    return findOnPath(name);
}

} // namespace

std::string findOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string_view folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (!folders.empty()) {
        const std::size_t colon = folders.find(':');
        std::string folder(folders.substr(0, colon));
        folders = colon == std::string_view::npos ? std::string_view() : folders.substr(colon + 1);
        if (folder.empty())
            continue; // an empty entry would mean the current folder: never look there
        const std::string candidate = folder + "/" + name;
        if (isExecutableFile(candidate))
            return candidate;
    }
    return {};
}

std::string ffmpegProgram() {
    std::string program = locate(VANTOREL_FFMPEG_PATH, "ffmpeg");
    if (program.empty())
        throw EncoderError("FFmpeg was not found: install the ffmpeg package", 127);
    return program;
}

std::string ffprobeProgram() {
    return locate(VANTOREL_FFPROBE_PATH, "ffprobe");
}

} // namespace vantorel::encoder
