#include "results/ResultJson.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>

#include <nlohmann/json.hpp>

#include "files/ResultFiles.h"
#include "files/ResultPlausibility.h"
#include "bench/ResultTables.h"
#include "platform/InputFile.h"
#include "platform/TextFormat.h"
#include "platform/TextTrim.h"
#include "results/MemoryResultRows.h"
#include "results/TerminalText.h"

using namespace files;

using namespace bench;

namespace results {

namespace {

using nlohmann::json;

const json* Member(const json& object, const char* key)
{
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

bool Text(const json& object, const char* key, std::string& text)
{
    const json* member = Member(object, key);
    if (!member || !member->is_string()) return false;
    text = member->get<std::string>();
    return true;
}

// The page's list for the three suites, with each row placed on it by its label, in order; rows of
// other kinds, and rows the page does not have (the precise mode's larger blocks), stay off it.
void PlaceOnPage(ResultSheet& sheet)
{
    const ResultFileKind* kind = FindResultFileKind(sheet.kind);
    sheet.listRows = kind ? kind->listRows : ListRows();
    int next = 0;
    for (ResultRow& row : sheet.rows) {
        row.listRow = -1;
        for (int at = next; at < static_cast<int>(sheet.listRows.size()); ++at)
            if (platform::BareLabel(sheet.listRows[at]) == row.label) {
                row.listRow = at, next = at + 1;
                break;
            }
    }
}

// What the row of a suite's page holds, as its result file stores it; nothing for other rows.
std::optional<ResultQuantity> PageQuantity(const ResultSheet& sheet, const ResultRow& row)
{
    if (row.listRow < 0) return std::nullopt;
    if (sheet.kind == kCpuResultFile.name)
        return row.listRow == CpuResultRow(CpuResults::kDhrystone) ? ResultQuantity::Rating
               : row.listRow == CpuResultRow(CpuResults::kTotal)   ? ResultQuantity::CpuTotalMs
                                                                   : ResultQuantity::KernelMs;
    if (sheet.kind == kFpuResultFile.name) return row.listRow == kFpuTotalRow ? ResultQuantity::Seconds : ResultQuantity::Rate;
    return ResultQuantity::Rate;
}

// A value no run of the suite can give, as files/ResultPlausibility.h judges a result file's. A
// cache rate may be null: an infinite rate is written so.
bool PlausibleOnPage(const ResultSheet& sheet, const ResultRow& row)
{
    const std::optional<ResultQuantity> quantity = PageQuantity(sheet, row);
    if (!quantity) return true;
    if (std::isnan(row.value)) return sheet.kind == kCacheResultFile.name;
    return PlausibleValue(*quantity, row.value) ||
           (quantity == ResultQuantity::Seconds && PlausibleValue(ResultQuantity::WrappedSeconds, row.value));
}

std::optional<ResultRow> ParseRow(const json& item, std::size_t index, std::string& error)
{
    const std::string where = platform::TextFormat("row %d", static_cast<int>(index + 1));
    ResultRow row{-1, "", "", std::nan(""), "", false, std::nullopt, std::nullopt, std::nullopt, {}};
    if (!item.is_object()) return error = where + " is not an object", std::nullopt;
    if (!Text(item, "label", row.label)) return error = where + " has no \"label\" text", std::nullopt;
    if (!Text(item, "text", row.text)) return error = where + " has no \"text\"", std::nullopt;
    if (!Text(item, "unit", row.unit)) return error = where + " has no \"unit\"", std::nullopt;
    const json* value = Member(item, "value");
    if (!value || !(value->is_number() || value->is_null()))
        return error = where + " has no \"value\" number (or null)", std::nullopt;
    if (value->is_number()) row.value = value->get<double>();
    const json* lower = Member(item, "lower_is_better");
    if (lower && !lower->is_boolean()) return error = where + ": \"lower_is_better\" is not true or false", std::nullopt;
    // Results written before the mark were times only in these two units.
    row.isTime = lower ? lower->get<bool>() : row.unit == "ms" || row.unit == "seconds";
    return row;
}

}  // namespace

std::optional<ResultSheet> ParseResultJson(std::string_view bytes, std::string& error)
{
    json document;
    try {
        document = json::parse(bytes.begin(), bytes.end());
    } catch (const json::exception& e) {  // a syntax fault, or a number beyond a double (1e400)
        return error = platform::TextFormat("not JSON (%s)", e.what()), std::nullopt;
    }
    if (!document.is_object()) return error = "not a JSON object", std::nullopt;
    ResultSheet sheet{"", {}, "", {}, {}};
    if (!Text(document, "kind", sheet.kind) || sheet.kind.empty()) return error = "no \"kind\" text", std::nullopt;
    if (Member(document, "system") && !Text(document, "system", sheet.summary))
        return error = "\"system\" is not a text", std::nullopt;
    if (const json* run = Member(document, "run"); run && run->is_object()) {
        if (Member(*run, "label") && !Text(*run, "label", sheet.label)) return error = "the run's \"label\" is not a text", std::nullopt;
        sheet.group = ReadRunGroup(*run);
    }
    const json* rows = Member(document, "rows");
    if (!rows || !rows->is_array()) return error = "no \"rows\" list", std::nullopt;
    if (sheet.kind == "latency" || sheet.kind == "bandwidth") {
        std::optional<std::vector<ResultRow>> memory = MemoryResultRows(document, error);
        if (!memory) return std::nullopt;
        sheet.rows = std::move(*memory);
        return sheet;
    }
    for (std::size_t i = 0; i < rows->size(); ++i) {
        std::optional<ResultRow> row = ParseRow((*rows)[i], i, error);
        if (!row) return std::nullopt;
        sheet.rows.push_back(std::move(*row));
    }
    PlaceOnPage(sheet);
    for (std::size_t i = 0; i < sheet.rows.size(); ++i)
        if (!PlausibleOnPage(sheet, sheet.rows[i]))
            return error = platform::TextFormat("row %d holds a value that no benchmark run can produce", static_cast<int>(i + 1)),
                   std::nullopt;
    return sheet;
}

std::optional<std::string> ReadResultJsonFile(const std::string& path, std::string& error)
{
    const std::string name = "'" + TerminalText(path) + "'";
    std::string bytes;
    switch (platform::ReadWholeFile(path, kMaxResultJsonBytes, bytes, error)) {
    case platform::WholeFileStatus::Ok: return bytes;
    case platform::WholeFileStatus::CannotOpen: return std::nullopt;
    case platform::WholeFileStatus::ReadFailed: return error = "cannot read " + name + ": " + error, std::nullopt;
    case platform::WholeFileStatus::TooLarge: return error = name + " is too large for a JSON result", std::nullopt;
    }
    return std::nullopt;
}

std::optional<ResultSheet> LoadResultJson(const std::string& path, std::string& error)
{
    const std::string name = "'" + TerminalText(path) + "'";
    const std::optional<std::string> bytes = ReadResultJsonFile(path, error);
    if (!bytes) return std::nullopt;
    std::optional<ResultSheet> sheet = ParseResultJson(*bytes, error);
    if (!sheet) error = name + " is not a vext-cli JSON result: " + TerminalText(error);
    return sheet;
}

}  // namespace results
