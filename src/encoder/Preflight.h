#pragma once

#include <string>
#include <sys/types.h>

namespace vantorel::encoder {

class PiecePattern;

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
};

// The checks made before any work starts, each failing with one clear EncoderError line, so
// bad input never reaches FFmpeg's longer and vaguer complaints, and never hangs it.

// An existing regular file that can be opened for reading (never for writing). Returns its
// identity, so no output can be written over it.
FileIdentity checkSource(const std::string& path);

// FFmpeg can read the source and it holds at least one audio stream. `ffprobe` empty: skipped.
void checkAudioStream(const std::string& ffprobe, const std::string& path);

// The folder exists, is a folder, and a new file can be made in it.
void checkOutputFolder(const std::string& folder);

// No file that the output may write, already present in its folder, is the source itself (a
// link or the same name): writing it would destroy the source. `numbered`: the output names
// pieces; otherwise it is one file, named as it stands.
void checkOutputSparesSource(const PiecePattern& output, bool numbered, const FileIdentity& source,
                             const std::string& sourcePath);

// The folder part of a path: "." when it has none, "/" for a file in the root.
std::string folderOf(const std::string& path);

// The reason FFmpeg gives in the last line of its error text, without the "name: " it repeats.
std::string lastErrorLine(const std::string& text, const std::string& name);

} // namespace vantorel::encoder
