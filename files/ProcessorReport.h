#pragma once
// The processor report: a plain-text file with a header for the user's remarks and everything the
// Processor Information page shows, gathered afresh while the file is written.
#include <cstdint>
#include <ctime>
#include <span>
#include <string>

#include "files/FeatureLines.h"
#include "files/ReportFile.h"

// The tables of files/FeatureLines.h.
std::span<const FeatureLine> StandardFeatureLines();
std::span<const FeatureLine> ExtendedFeatureLines();

// "Supported" or "Unsupported"; the FPU line (bit 0 of the standard word) says "Yes" or "No".
std::string StandardFeatureValue(uint32_t flags, int bit);
std::string ExtendedFeatureValue(uint32_t flags, int bit);

struct CpuSignature;
struct SerialNumber;

// The Other Features values, from what the processor record gives: "N/D" when the fact cannot be
// determined on this processor, "N/A" when it does not apply to it.
std::string FamilyModelSteppingText(const CpuSignature& signature);     // "6 / 7 / 3"
std::string ExtendedFamilyModelText(const CpuSignature& signature);     // "15 / 0", extended fields
std::string GenerationText(int32_t generation);                         // "6"
std::string SerialNumberText(const SerialNumber& serial);               // "1651 - 53315 - -1896772882"

// "%B %d, %Y" of the local date, with English month names whatever the locale: "April 05, 2001".
std::string FormatReportDate(std::time_t when);

class CProcessorReport {
public:
    // Asks for the file name (Save As), then writes header and processor details and closes the
    // file. Cancelling writes nothing and shows nothing; any file failure ends the report and shows
    // the error message. Takes about one second: the clock is measured again.
    void CreateReport();

    // The report as CreateReport writes it, with "\n" line ends (the file has CR LF).
    std::string ReportText();

    void WriteHeader(ReportSink& file);
    void WriteProcessorDetails(ReportSink& file);

    // The texts of the two feature sections for the given words, as written.
    static std::string StandardFeaturesText(uint32_t flags);
    static std::string ExtendedFeaturesText(uint32_t flags);
};

// The message shown when the report file cannot be created, written or closed.
inline constexpr const char* kReportFileError = "Error !\n\nVext is unable to create the report file !";
// The Save As filter of the report.
inline constexpr const char* kReportFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
