#pragma once
// The arithmetic of the charts' axes and value table, apart from any drawing: where the ticks go and
// what every label and cell says. One number style per axis: the same decimals and suffix on each label.
#include <string>
#include <vector>

namespace widgets {

// A linear axis from 0 to `top` in `steps` equal steps of 1, 2 or 5 times a power of ten. Its labels
// are divided by `divisor` and end in `suffix` ("k" from 10000 up, "M" from ten million up, ...); a
// divisor 0 writes them as powers of ten ("5e+299").
struct LinearScale {
    double top = 1;
    double step = 0.2;
    int steps = 5;
    double divisor = 1;
    std::string suffix;
    int decimals = 1;
};
// An axis that holds `largest` in at most `maxSteps` steps; no positive finite value gives 0 to 1.
LinearScale LinearAxis(double largest, int maxSteps);
std::string TickText(double value, const LinearScale& scale);

// A log-2 axis from 2^low to 2^high bytes, low < high, a tick at every power of two.
struct Log2Scale {
    int low = 12;
    int high = 20;
};
// The whole powers of two around the positive values `smallest` .. `largest`.
Log2Scale Log2Axis(double smallest, double largest);
// A block size as the benchmarks write it: "512 bytes", "4 Kb", "1536 Kb", "1 Mb", "1024 Mb".
std::string BlockSizeText(double bytes);
// Every how many powers of two a label goes, so that labels `labelWidth` wide stay apart over `width`.
int Log2LabelEvery(const Log2Scale& scale, int width, int labelWidth);

// The table's values share one style: enough decimals for three figures of the smallest magnitude
// among `values` (at most two), no NaN counted.
int TableDecimals(const std::vector<double>& values);
// A cell: the value with `decimals` decimals, or "-" where there is none (NaN or infinite).
std::string TableValue(double value, int decimals);

}  // namespace widgets
