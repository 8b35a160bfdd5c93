#pragma once
// What vext-cli prints of a sheet, whatever was read into it, formats without fault (NaN, infinities,
// huge values): the JSON is valid UTF-8 and the terminal text holds no control character.
#include "app/cli/ResultSheet.h"
#include "app/cli/TerminalText.h"
#include "tests/fuzz/Require.h"

inline void RequirePrintable(const ResultSheet& sheet)
{
    (void)SheetJson(sheet).dump();  // throws, and so aborts, on a text that is not UTF-8
    for (unsigned char c : TerminalText(sheet.summary)) Require(c >= 0x20 && c != 0x7F);
    for (const ResultRow& row : sheet.rows)
        for (unsigned char c : RowLabel(sheet, row) + TerminalText(row.text)) Require(c >= 0x20 && c != 0x7F);
}
