#pragma once
// What vext-cli prints of a sheet, whatever was read into it, formats without fault (NaN, infinities,
// huge values): the JSON is valid UTF-8 without DEL or C1 controls, and the terminal text holds no
// control character.
#include <string>

#include "app/cli/JsonText.h"
#include "app/cli/ResultSheet.h"
#include "app/cli/TerminalText.h"
#include "tests/fuzz/Require.h"

inline void RequirePrintable(const ResultSheet& sheet)
{
    const std::string json = JsonText(SheetJson(sheet));  // throws, and so aborts, on a text that is not UTF-8
    for (std::size_t i = 0; i + 1 < json.size(); ++i)
        Require(json[i] != '\x7f' && !(json[i] == '\xc2' && (json[i + 1] & 0xE0) == 0x80));
    for (unsigned char c : TerminalText(sheet.summary)) Require(c >= 0x20 && c != 0x7F);
    for (const ResultRow& row : sheet.rows)
        for (unsigned char c : RowLabel(sheet, row) + TerminalText(row.text)) Require(c >= 0x20 && c != 0x7F);
}
