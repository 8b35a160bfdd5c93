#include "files/ReportFile.h"

#include <span>

namespace files {

std::string WithCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out.push_back('\r');
        out.push_back(c);
    }
    return out;
}

FileWriteResult CReportFile::Close() { return WriteFileAtomically(path_, std::as_bytes(std::span(bytes_))); }

}  // namespace files
