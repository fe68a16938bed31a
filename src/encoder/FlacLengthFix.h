#pragma once

#include <string>
#include <vector>

namespace vantorel::encoder {

// FFmpeg's segment writer leaves a FLAC piece's header without its length (or, in the last
// piece, with the whole source's length). Each piece is encoded again into a file beside it,
// which then replaces it, so every header tells the piece's own length. Lossless, so the sound
// is unchanged. Throws EncoderError naming the piece that could not be mended.
void fixFlacLengths(const std::string& ffmpeg, const std::string& folder,
                    const std::vector<std::string>& pieceNames);

} // namespace vantorel::encoder
