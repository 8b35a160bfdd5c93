#pragma once
// The report's output: a text-mode file, where every "\n" reaches the disk as CR LF, or a string.
#include <string>
#include <string_view>
#include <utility>

#include "files/AtomicFile.h"

namespace files {

// `text` with every "\n" as CR LF: the bytes a text-mode file receives.
std::string WithCrLf(std::string_view text);

// Where the report's text goes, line ends written as "\n".
class CReportSink {
public:
    virtual ~CReportSink() = default;
    virtual void Write(std::string_view text) = 0;
};

// A report file: its text is kept until Close(), which writes it as files/AtomicFile.h writes a file, so
// that a report that fails part-way (or is never closed) leaves an existing file as it was. Each "\n" is
// written as CR LF whatever the platform, as the report's readers expect. Close() says whether the
// file could be created and written.
class CReportFile : public CReportSink {
public:
    explicit CReportFile(std::string path) : path_(std::move(path)) {}

    void Write(std::string_view text) override { bytes_ += WithCrLf(text); }
    FileWriteResult Close();

private:
    std::string path_;
    std::string bytes_;
};

// The text kept in memory, line ends as they are given ("\n").
class CReportString : public CReportSink {
public:
    void Write(std::string_view text) override { text_.append(text); }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

}  // namespace files
