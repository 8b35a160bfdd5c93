#include "app/cli/AlignedRows.h"

#include "app/cli/ProcessorJson.h"

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
    return aligned;
}

std::string TitlesThenLabel(const ResultSheet& first, const ResultRow& row, int& next)
{
    if (first.listRows && row.listRow >= next) {
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
