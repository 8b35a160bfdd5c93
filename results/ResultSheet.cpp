#include "results/ResultSheet.h"

#include <cmath>

#include "files/ResultFiles.h"
#include "bench/ResultTables.h"
#include "platform/TextEncoding.h"
#include "platform/TextTrim.h"
#include "results/TerminalText.h"

using namespace files;

using namespace bench;

namespace results {

namespace {

ResultRow Row(const char* const* list, int listRow, std::string text, double value, const char* unit, bool isTime)
{
    return {listRow, platform::BareLabel(list[listRow]), std::move(text), value, unit, isTime, std::nullopt, std::nullopt, std::nullopt, {}};
}

// The access method of a cache result as its group title on the page names it: "MOVSD" of
// "'MOVSD' benchmark".
std::string CacheMethod(int index)
{
    const std::string title = kCacheListRows[CacheResultRow(index - index % CacheResults::kBlockSizes) - 1];
    const std::size_t open = title.find('\''), close = title.find('\'', open + 1);
    return title.substr(open + 1, close - open - 1);
}

}  // namespace

ResultSheet CpuSheet(const std::string& summary, const CpuResults& results)
{
    ResultSheet sheet{kCpuResultFile.name, kCpuResultFile.listRows, summary, {}, {}};
    for (int i = 0; i < CpuResults::kCount; ++i) {
        const bool rating = i == CpuResults::kDhrystone;
        sheet.rows.push_back(Row(kCpuListRows, CpuResultRow(i), FormatCpuResult(i, results.values[i]), results.values[i],
                                 rating ? "KDhryst./sec" : "ms", !rating));
    }
    return sheet;
}

ResultSheet FpuSheet(const std::string& summary, const WhetstoneResults& results)
{
    ResultSheet sheet{kFpuResultFile.name, kFpuResultFile.listRows, summary, {}, {}};
    for (int s = 0; s < WhetstoneResults::kSections; ++s) {
        const bool flops = results.mflops[s] != -1.0;
        sheet.rows.push_back(Row(kFpuListRows, FpuSectionRow(s), FormatWhetstoneSection(results, s),
                                 flops ? results.mflops[s] : results.mops[s], flops ? "MFLOPS" : "MOPS", false));
    }
    sheet.rows.push_back(Row(kFpuListRows, kFpuMwipsRow, FormatMwips(results.mwips), results.mwips, "MWIPS", false));
    sheet.rows.push_back(Row(kFpuListRows, kFpuTotalRow, FormatWhetstoneTotal(results.totalSeconds), results.totalSeconds,
                             "seconds", true));
    return sheet;
}

ResultSheet CacheSheet(const std::string& summary, const CacheResults& results)
{
    ResultSheet sheet{kCacheResultFile.name, kCacheResultFile.listRows, summary, {}, {}};
    for (int i = 0; i < CacheResults::kCount; ++i) {
        sheet.rows.push_back(Row(kCacheListRows, CacheResultRow(i), FormatCacheRate(results.rates[i]), results.rates[i],
                                 "Mb/sec", false));
        sheet.rows.back().blockKb = 2 << (i % CacheResults::kBlockSizes);
        sheet.rows.back().method = CacheMethod(i);
    }
    return sheet;
}

nlohmann::json NumberOrNull(double value) { return std::isfinite(value) ? nlohmann::json(value) : nlohmann::json(nullptr); }

nlohmann::json SheetJson(const ResultSheet& sheet)
{
    // Built in place, member by member: a braced list copies every value once more, which made this
    // the slowest step of show --json and of the fuzzing of it.
    nlohmann::json sheetJson = nlohmann::json::object();
    sheetJson["kind"] = sheet.kind;
    sheetJson["system"] = platform::Utf8OrLatin1(sheet.summary);
    nlohmann::json& rows = sheetJson["rows"] = nlohmann::json::array();
    for (const ResultRow& r : sheet.rows) {
        nlohmann::json& row = rows.emplace_back(nlohmann::json::object());
        row["label"] = r.label;
        row["text"] = r.text;
        row["value"] = NumberOrNull(r.value);
        row["unit"] = r.unit;
        if (r.isTime) row["lower_is_better"] = true;
        if (r.method) row["method"] = *r.method;
        if (r.blockKb) row["block_kb"] = *r.blockKb;
        if (r.best) row["best"] = NumberOrNull(*r.best);
        if (r.spreadPercent) row["spread_percent"] = NumberOrNull(*r.spreadPercent);
        if (!r.runs.empty()) {
            nlohmann::json& runs = row["runs"] = nlohmann::json::array();
            for (double run : r.runs) runs.push_back(NumberOrNull(run));
        }
    }
    return sheetJson;
}

std::string RowLabel(const ResultSheet& sheet, const ResultRow& row)
{
    return !sheet.listRows.empty() && row.listRow >= 0 ? sheet.listRows[row.listRow] : "   " + TerminalText(row.label) + " :";
}

}  // namespace results
