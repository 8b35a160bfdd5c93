#pragma once
// The report's output: a text-mode file, where every "\n" reaches the disk as CR LF, or a string.
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

// Where the report's text goes, line ends written as "\n".
class ReportSink {
public:
    virtual ~ReportSink() = default;
    virtual void Write(std::string_view text) = 0;
};

// Raised when the report file cannot be created, written or closed.
class ReportFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A report file opened for writing in text mode: created new (an existing file is truncated) and
// closed on every path. Each "\n" is written as CR LF whatever the platform, as the report's readers
// expect. Throws ReportFileError when creating, writing or closing fails.
class CReportFile : public ReportSink {
public:
    explicit CReportFile(const std::string& path);
    ~CReportFile() override;
    CReportFile(const CReportFile&) = delete;
    CReportFile& operator=(const CReportFile&) = delete;

    void Write(std::string_view text) override;
    // Flushes and closes; a failure to do so is a failure of the report.
    void Close();

private:
    std::FILE* file_ = nullptr;
};

// The text kept in memory, line ends as they are given ("\n").
class ReportString : public ReportSink {
public:
    void Write(std::string_view text) override { text_.append(text); }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

// `text` with every "\n" as CR LF: the bytes a text-mode file receives.
std::string WithCrLf(std::string_view text);
