#include "files/ProcessorReport.h"

#include <string>

#include "facts/ProcessorFacts.h"
#include "facts/ProcessorRows.h"
#include "platform/TextFormat.h"

namespace files {

using namespace facts;

namespace {

constexpr const char* kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

const std::string kRule(79, '^');

}  // namespace

std::string FormatReportDate(std::time_t when)
{
    std::tm local{};
    if (!localtime_r(&when, &local)) return "";
    // The month is named in English whatever the user's locale: strftime's %B would follow LC_TIME.
    return platform::TextFormat("%s %02d, %04d", kMonths[local.tm_mon % 12], local.tm_mday, local.tm_year + 1900);
}

void CProcessorReport::WriteHeader(CReportSink& file)
{
    file.Write(kRule + "\n");
    file.Write("\n\n   This file is created by Vext version 1.0 on ");
    file.Write(FormatReportDate(machine.calendarTime()));
    file.Write("\n\n");
    file.Write("   The following fields are for your remarks\n");
    file.Write("     Processor Vendor  :\n");
    file.Write("     Processor Type    :\n");
    file.Write("     Processor Speed   :     MHz  (   x     MHz)\n");
    file.Write("     Memory            :\n");
    file.Write("     Operating System  :\n");
    file.Write("\n" + kRule + "\n\n");
}

void CProcessorReport::WriteProcessorDetails(CReportSink& file)
{
    for (const ProcessorRow& row : ProcessorRows(GatherProcessorFacts(machine))) file.Write(row.reportText + row.value);
}

FileWriteResult CProcessorReport::SaveReport(const std::string& path)
{
    CReportFile file(path);
    WriteHeader(file);
    WriteProcessorDetails(file);
    return file.Close();
}

std::string CProcessorReport::ReportText()
{
    CReportString text;
    WriteHeader(text);
    WriteProcessorDetails(text);
    return text.Text();
}

}  // namespace files
