#include "encoder/PieceList.h"

namespace vantorel::encoder {

std::vector<std::string> pieceNamesFromList(const std::string& csv) {
    std::vector<std::string> names;
    std::size_t at = 0;
    while (at < csv.size()) {
        std::string name;
        if (csv[at] == '"') {
            ++at;
            while (at < csv.size()) {
                if (csv[at] == '"') {
                    if (at + 1 < csv.size() && csv[at + 1] == '"') {
                        name += '"';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                name += csv[at++];
            }
        }
        while (at < csv.size() && csv[at] != ',' && csv[at] != '\n')
            name += csv[at++];
        // The rest of the record: start and end times.
        while (at < csv.size() && csv[at] != '\n')
            ++at;
        ++at;
        if (!name.empty() && name.back() == '\r')
            name.pop_back();
        if (!name.empty())
            names.push_back(std::move(name));
    }
    return names;
}

} // namespace vantorel::encoder
