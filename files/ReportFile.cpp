#include "files/ReportFile.h"

#include <span>

#include "files/AtomicFile.h"

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

void CReportFile::Close()
{
    switch (WriteFileAtomically(path_, std::as_bytes(std::span(bytes_)))) {
    case FileWriteStatus::Ok: return;
    case FileWriteStatus::CannotCreate:
    case FileWriteStatus::TargetExists: throw ReportFileError("cannot create the report file " + path_);
    case FileWriteStatus::WriteFailed: break;
    }
    throw ReportFileError("cannot write the report file " + path_);
}
