#pragma once

#include <string>
#include <vector>

namespace vantorel::encoder {

// The file names in the first column of FFmpeg's CSV piece list, in order. A name holding a
// comma, a quote or a line break comes quoted, with its quotes doubled.
std::vector<std::string> pieceNamesFromList(const std::string& csv);

} // namespace vantorel::encoder
