#pragma once
// What vext-cli prints of a sheet, whatever was read into it, formats without fault (NaN, infinities,
// huge values): the JSON is valid UTF-8 without DEL or C1 controls, and the terminal text holds no
// control character.
#include <string>

#include "results/JsonText.h"
#include "results/ResultSheet.h"
#include "results/TerminalText.h"
#include "tests/fuzz/Require.h"

inline void RequirePrintable(const results::ResultSheet& sheet)
{
    const std::string json = results::JsonText(results::SheetJson(sheet));  // throws, and so aborts, on a text that is not UTF-8
    for (std::size_t i = 0; i + 1 < json.size(); ++i)
        Require(json[i] != '\x7f' && !(json[i] == '\xc2' && (json[i + 1] & 0xE0) == 0x80));
    for (unsigned char c : results::TerminalText(sheet.summary)) Require(c >= 0x20 && c != 0x7F);
    for (const results::ResultRow& row : sheet.rows)
        for (unsigned char c : results::RowLabel(sheet, row) + results::TerminalText(row.text)) Require(c >= 0x20 && c != 0x7F);
}
