#pragma once

#include <string>

namespace vantorel::encoder {

// A private folder for FFmpeg's list of the pieces it wrote. FFmpeg writes the list under a
// second name first and renames it, so it needs a folder of its own: in the shared temporary
// folder itself, others could place links under those names.
//
// The folder is named after conv.exe's pid. A conv.exe that was killed cannot remove its
// folder, so each new one removes the folders of owners that no longer run.
class ListFolder {
public:
    ListFolder();
    ListFolder(const ListFolder&) = delete;
    ListFolder& operator=(const ListFolder&) = delete;
    ~ListFolder();

    std::string listPath() const;

private:
    std::string m_path;
};

} // namespace vantorel::encoder
