#pragma once
// Prints a benchmark list to a terminal the way its page shows it: every row of the table in order,
// the label in a fixed-width column, the result beside it. Rows are printed as their results arrive,
// so a running suite shows its progress; titles and spacer rows go out just before the next result.
#include <cstdio>
#include <string>

#include "platform/StandardOutput.h"
#include "bench/ResultTables.h"

namespace cli {

class CListPrinter {
public:
    CListPrinter(bench::ListRows rows, std::FILE* out) : rows_(rows), out_(out) {}

    // Prints the rows before `row`, then `row` with its result. Rows already printed are not repeated.
    void Cell(int row, const std::string& text)
    {
        PrintUpTo(row);
        std::fprintf(out_, "%-*s%s\n", kLabelWidth, rows_[row], text.c_str());
        platform::FlushOutput(out_);
        next_ = row + 1;
    }

    // Prints the rows left after the last result.
    void Finish()
    {
        PrintUpTo(static_cast<int>(rows_.size()));
        platform::FlushOutput(out_);
    }

private:
    static constexpr int kLabelWidth = 40;  // the longest label is 35 characters

    void PrintUpTo(int row)
    {
        for (; next_ < row && next_ < static_cast<int>(rows_.size()); ++next_) std::fprintf(out_, "%s\n", rows_[next_]);
    }

    bench::ListRows rows_;
    std::FILE* out_;
    int next_ = 0;
};

}  // namespace cli
