#pragma once
// The rows of the three benchmark lists and the texts of their result cells. The pages and vext-cli
// both show results through here, so that "Your System", "Loaded System" and the terminal agree to
// the character.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "bench/Results.h"

namespace bench {

// Column 0 of each list. A table ends with an entry whose first character is a line feed; that entry
// is not a row. Group titles and the empty spacer rows are rows.
extern const char* const kCpuListRows[];    // 21 rows
extern const char* const kFpuListRows[];    // 13 rows
extern const char* const kCacheListRows[];  // 32 rows
constexpr int kCpuListRowCount = 21;
constexpr int kFpuListRowCount = 13;
constexpr int kCacheListRowCount = 32;

// The rows of each list without the closing entry: what code that walks a list takes.
using ListRows = std::span<const char* const>;
inline constexpr ListRows kCpuList{kCpuListRows, kCpuListRowCount};
inline constexpr ListRows kFpuList{kFpuListRows, kFpuListRowCount};
inline constexpr ListRows kCacheList{kCacheListRows, kCacheListRowCount};

// One result cell of a list: its row and its text.
struct ResultCell {
    int row;
    std::string text;
};

// CPU: index 0 ... 12 are kernel times in ms, 13 the Dhrystone rating, 14 the total time in ms.
int CpuResultRow(int index);                          // 1-4, 7-13, 16-18, 20
std::string FormatCpuResult(int index, uint32_t value);  // "1.23 sec  (1234 ms)", "1666 KDhryst./sec", ...
std::vector<ResultCell> CpuResultCells(const CpuResults& results);  // all 15, in index order

// FPU: sections 0 ... 7 (N1 ... N8) in rows 1 ... 8, MWIPS in row 10, the total in row 12.
constexpr int kFpuMwipsRow = 10;
constexpr int kFpuTotalRow = 12;
inline int FpuSectionRow(int section) { return section + 1; }
// MFLOPS unless the section's MFLOPS slot is exactly -1.0, then MOPS.
std::string FormatWhetstoneSection(const WhetstoneResults& results, int section);
std::string FormatMwips(double mwips);
std::string FormatWhetstoneTotal(double seconds);
std::vector<ResultCell> FpuResultCells(const WhetstoneResults& results);  // sections, MWIPS, total

// Cache: index i in row i + 1 (MOVSD), i + 3 (MOV), i + 5 (Stepping MOV).
int CacheResultRow(int index);
std::string FormatCacheRate(double mbPerSec);  // "%.2f Mb/sec"
std::vector<ResultCell> CacheResultCells(const CacheResults& results);  // all 27, in index order

}  // namespace bench
