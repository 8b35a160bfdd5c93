#include "app/cli/AlignedRows.h"

#include "app/cli/ProcessorJson.h"

#include <cstddef>
#include <cstdio>
#include <map>
#include <string>
#include <utility>

std::vector<AlignedRow> AlignRows(const std::vector<ResultSheet>& sheets)
{
    std::vector<AlignedRow> aligned;
    std::map<std::pair<std::string, int>, std::size_t> byKey;  // (label, turn) -> aligned row
    for (std::size_t s = 0; s < sheets.size(); ++s) {
        std::map<std::string, int> turns;
        for (const ResultRow& row : sheets[s].rows) {
            const auto key = std::make_pair(row.label, turns[row.label]++);
            auto [at, added] = byKey.emplace(key, aligned.size());
            if (added) aligned.push_back({&row, std::vector<const ResultRow*>(sheets.size(), nullptr)});
            aligned[at->second].cells[s] = &row;
        }
    }
    // A row that only later sheets have goes where the page's list has it, after the last row above it
    // on the list: the list then reads in its order, each title once. Rows off the list stay last.
    const std::size_t firstRows = sheets.empty() ? 0 : sheets.front().rows.size();
    std::vector<AlignedRow> placed(aligned.begin(), aligned.begin() + static_cast<std::ptrdiff_t>(firstRows));
    for (std::size_t i = firstRows; i < aligned.size(); ++i) {
        const int listRow = aligned[i].named->listRow;
        std::size_t at = listRow < 0 ? placed.size() : 0;
        for (std::size_t p = 0; listRow >= 0 && p < placed.size(); ++p)
            if (placed[p].named->listRow >= 0 && placed[p].named->listRow < listRow) at = p + 1;
        placed.insert(placed.begin() + static_cast<std::ptrdiff_t>(at), aligned[i]);
    }
    return placed;
}

std::string TitlesThenLabel(const ResultSheet& first, const ResultRow& row, int& next)
{
    if (!first.listRows.empty() && row.listRow >= next) {
        for (; next < row.listRow; ++next) std::printf("%s\n", first.listRows[next]);
        next = row.listRow + 1;
    }
    return RowLabel(first, row);
}

nlohmann::json FilesJson(const std::vector<ResultSheet>& sheets, const std::vector<std::string>& paths)
{
    nlohmann::json files = nlohmann::json::array();
    for (std::size_t f = 0; f < sheets.size(); ++f) {
        files.push_back({{"file", Utf8OrLatin1(paths[f])}, {"system", Utf8OrLatin1(sheets[f].summary)}});
        if (!sheets[f].label.empty()) files.back()["label"] = Utf8OrLatin1(sheets[f].label);
    }
    return files;
}
