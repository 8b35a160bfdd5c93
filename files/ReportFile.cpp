#include "files/ReportFile.h"

#include <cerrno>
#include <cstring>

namespace {
std::string SystemError(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}
}  // namespace

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

CReportFile::CReportFile(const std::string& path)
{
    // Binary mode: the line-end translation is done here, so the bytes are the same on every platform.
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) throw ReportFileError(SystemError("cannot create the report file"));
}

CReportFile::~CReportFile()
{
    if (file_) std::fclose(file_);
}

void CReportFile::Write(std::string_view text)
{
    if (!file_) throw ReportFileError("the report file is closed");
    std::string bytes = WithCrLf(text);
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        throw ReportFileError(SystemError("cannot write the report file"));
}

void CReportFile::Close()
{
    if (!file_) return;
    std::FILE* f = file_;
    file_ = nullptr;
    bool flushed = std::fflush(f) == 0;
    bool closed = std::fclose(f) == 0;
    if (!flushed || !closed) throw ReportFileError(SystemError("cannot close the report file"));
}
