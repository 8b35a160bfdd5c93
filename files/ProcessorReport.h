#pragma once
// The processor report: a plain-text file with a header for the user's remarks and everything the
// Processor Information page shows, gathered afresh while the file is written.
#include <cstdint>
#include <ctime>
#include <string>

#include "files/ReportFile.h"
#include "platform/Machine.h"

namespace files {

// "%B %d, %Y" of the local date, with English month names whatever the locale: "April 05, 2001".
std::string FormatReportDate(std::time_t when);

class CProcessorReport {
public:
    // Asks the machine for the date and the processor; the machine must outlive the report.
    explicit CProcessorReport(const platform::Machine& machine) : machine(machine) {}

    // Writes header and processor details to `path` and closes the file. Any file failure ends the
    // report. Takes about one second: the clock is measured again. Says how the file's write ended,
    // with the system's reason, for the caller to show (kReportFileError on the page).
    FileWriteResult SaveReport(const std::string& path);

    // The report as SaveReport writes it, with "\n" line ends (the file has CR LF).
    std::string ReportText();

    void WriteHeader(CReportSink& file);
    void WriteProcessorDetails(CReportSink& file);

private:
    const platform::Machine& machine;
};

// The message shown when the report file cannot be created, written or closed.
inline constexpr const char* kReportFileError = "Error !\n\nVext is unable to create the report file !";
// The Save As filter of the report.
inline constexpr const char* kReportFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";

}  // namespace files
