#include "bench/Whetstone.h"

#include <climits>
#include <cmath>

#include "bench/KernelSupport.h"

namespace bench {

double CWhetstone::WhetSeconds() const
{
    // The tick count is converted as an unsigned value: it never reads as negative.
    return static_cast<double>(machine_.tickCount()) * 0.001;
}

VEXT_OUT_OF_LINE void CWhetstone::WhetArrayParam(volatile double* e, double t, double t2)
{
    for (int j = 0; j < 6; j = j + 1) {
        e[0] = (e[0] + e[1] + e[2] - e[3]) * t;
        e[1] = (e[0] + e[1] - e[2] + e[3]) * t;
        e[2] = (e[0] - e[1] + e[2] + e[3]) * t;
        e[3] = (-e[0] + e[1] + e[2] + e[3]) / t2;
    }
}

VEXT_OUT_OF_LINE void CWhetstone::WhetProcCall(double& x, double& y, double& z, double t, double t1, double t2)
{
    x = y;
    y = z;
    x = t * (x + y);
    y = t1 * (x + y);
    z = (x + y) / t2;
}

VEXT_OUT_OF_LINE void CWhetstone::WhetArrayAssign(volatile double* e, int32_t j, int32_t k, int32_t l)
{
    e[j] = e[k];
    e[k] = e[l];
    e[l] = e[j];
}

void CWhetstone::RecordSection(float operations, SectionKind kind, double check, double seconds, int32_t calibrate,
                               int section)
{
    checkSum = checkSum + check;
    sectionSeconds[section] = seconds;
    summedSeconds = summedSeconds + seconds;
    if (calibrate != 0) return;
    // A section shorter than one tick reads 0 seconds; it is rated 0 rather than divided by zero.
    double rate = seconds > 0 ? static_cast<double>(operations) / (seconds * 1000000.0) : 0.0;
    if (kind == kMflops) {
        sectionMflops[section] = rate;
        sectionMops[section] = -1.0;
    } else {
        sectionMops[section] = rate;
        sectionMflops[section] = -1.0;
    }
}

namespace {
// Operations per pass times passes, formed in extended precision and handed on as a float.
float Operations(int32_t perPass, int32_t passes)
{
    return static_cast<float>(static_cast<long double>(perPass) * static_cast<long double>(passes));
}
}  // namespace

void CWhetstone::WhetstonePasses(int32_t passes, int32_t x100, int32_t calibrate)
{
    const double t0 = kT0;
    const double t1 = kT1;
    const double t2 = kT2;
    double t = t0;
    checkSum = 0.0;
    summedSeconds = 0.0;

    const int32_t n1 = 12 * x100;
    const int32_t n2 = 14 * x100;
    const int32_t n3 = 345 * x100;
    const int32_t n4 = 210 * x100;
    const int32_t n5 = 32 * x100;
    const int32_t n6 = 899 * x100;
    const int32_t n7 = 616 * x100;
    const int32_t n8 = 93 * x100;
    const int32_t n1Iterations = n1 * kN1Multiplier;

    // The section's integers are volatile: with constant operands the optimiser would fold N3 and N4
    // away, and those loops are the work being measured.
    volatile int32_t j;
    volatile int32_t k;
    volatile int32_t l;
    volatile double vx;
    volatile double vy;
    double start;
    double seconds;

    auto after = [&](int section) {
        if (sectionHook) sectionHook(section, calibrate);
    };

    // N1: array elements.
    e[0] = 1.0;
    e[1] = -1.0;
    e[2] = -1.0;
    e[3] = -1.0;
    start = WhetSeconds();
    for (int32_t pass = 0; pass < passes; pass = pass + 1) {
        for (int32_t i = 0; i < n1Iterations; i = i + 1) {
            e[0] = (e[0] + e[1] + e[2] - e[3]) * t;
            e[1] = (e[0] + e[1] - e[2] + e[3]) * t;
            e[2] = (e[0] - e[1] + e[2] + e[3]) * t;
            e[3] = (-e[0] + e[1] + e[2] + e[3]) * t;
        }
        t = 1.0 - t;
    }
    t = t0;
    seconds = (WhetSeconds() - start) / kN1Multiplier;
    RecordSection(Operations(n1 * 16, passes), kMflops, e[3], seconds, calibrate, 1);
    after(1);

    // N2: array as parameter, e as N1 left it.
    start = WhetSeconds();
    for (int32_t pass = 0; pass < passes; pass = pass + 1) {
        for (int32_t i = 0; i < n2; i = i + 1) WhetArrayParam(e, t, t2);
        t = 1.0 - t;
    }
    t = t0;
    seconds = WhetSeconds() - start;
    RecordSection(Operations(n2 * 96, passes), kMflops, e[3], seconds, calibrate, 2);
    after(2);

    // N3: conditional jumps.
    j = 1;
    start = WhetSeconds();
    for (int32_t pass = 0; pass < passes; pass = pass + 1) {
        for (int32_t i = 0; i < n3; i = i + 1) {
            if (j == 1)
                j = 2;
            else
                j = 3;
            if (j > 2)
                j = 0;
            else
                j = 1;
            if (j < 1)
                j = 1;
            else
                j = 0;
        }
    }
    seconds = WhetSeconds() - start;
    RecordSection(Operations(n3 * 3, passes), kMops, static_cast<double>(j), seconds, calibrate, 3);
    after(3);

    // N4: integer arithmetic.
    j = 1;
    k = 2;
    l = 3;
    start = WhetSeconds();
    for (int32_t pass = 0; pass < passes; pass = pass + 1) {
        for (int32_t i = 0; i < n4; i = i + 1) {
            j = j * (k - j) * (l - k);
            k = l * k - (l - j) * k;
            l = (l - k) * (k + j);
            e[l - 2] = static_cast<double>(j + k + l);
            e[k - 2] = static_cast<double>(j * k * l);
        }
    }
    seconds = WhetSeconds() - start;
    RecordSection(Operations(n4 * 15, passes), kMops, e[0] + e[1], seconds, calibrate, 4);
    after(4);

    // N5: trigonometric functions.
    vx = 0.5;
    vy = 0.5;
    start = WhetSeconds();
    for (int32_t pass = 0; pass < passes; pass = pass + 1) {
        for (int32_t i = 1; i < n5; i = i + 1) {
            vx = t * std::atan(t2 * std::sin(vx) * std::cos(vx) / (std::cos(vx + vy) + std::cos(vx - vy) - 1.0));
            vy = t * std::atan(t2 * std::sin(vy) * std::cos(vy) / (std::cos(vx + vy) + std::cos(vx - vy) - 1.0));
        }
        t = 1.0 - t;
    }
    t = t0;
    seconds = WhetSeconds() - start;
    RecordSection(Operations(n5 * 26, passes), kMops, vy, seconds, calibrate, 5);
    after(5);

    // N6: procedure calls.
    double x = 1.0;
    double y = 1.0;
    double z = 1.0;
    start = WhetSeconds();
    for (int32_t pass = 0; pass < passes; pass = pass + 1) {
        for (int32_t i = 0; i < n6; i = i + 1) WhetProcCall(x, y, z, t, t1, t2);
    }
    seconds = WhetSeconds() - start;
    RecordSection(Operations(n6 * 6, passes), kMflops, z, seconds, calibrate, 6);
    after(6);

    // N7: array references.
    j = 0;
    k = 1;
    l = 2;
    e[0] = 1.0;
    e[1] = 2.0;
    e[2] = 3.0;
    start = WhetSeconds();
    for (int32_t pass = 0; pass < passes; pass = pass + 1) {
        for (int32_t i = 0; i < n7; i = i + 1) WhetArrayAssign(e, j, k, l);
    }
    seconds = WhetSeconds() - start;
    RecordSection(Operations(n7 * 3, passes), kMops, e[2], seconds, calibrate, 7);
    after(7);

    // N8: standard functions.
    vx = 0.75;
    start = WhetSeconds();
    for (int32_t pass = 0; pass < passes; pass = pass + 1) {
        for (int32_t i = 0; i < n8; i = i + 1) vx = std::sqrt(std::exp(std::log(vx) / t1));
    }
    seconds = WhetSeconds() - start;
    RecordSection(Operations(n8 * 4, passes), kMops, vx, seconds, calibrate, 8);
    after(8);
}

int32_t CWhetstone::PassesForTarget(int32_t passes, double summed, int32_t targetSeconds)
{
    double target = static_cast<double>(static_cast<int64_t>(targetSeconds) * passes) / summed;
    // A count beyond the 32-bit range (only a clock that barely moved can ask for one) is held at the
    // largest count rather than left to an undefined conversion.
    if (!(target < 2147483648.0)) return INT32_MAX;
    int32_t result = static_cast<int32_t>(target);
    return result < 1 ? 1 : result;
}

void CWhetstone::RunWhetstone(int32_t targetSeconds)
{
    int32_t count = kCalibrationCalls;
    int32_t calibrate = 1;
    int32_t passes = 1;
    do {
        summedSeconds = 0.0;
        WhetstonePasses(passes, kX100, calibrate);
        calibrate = calibrate + 1;
        count = count - 1;
        if (summedSeconds > kCalibrationSeconds)
            count = 0;
        else
            passes = passes * 5;
    } while (count > 0);

    if (summedSeconds > 0) passes = PassesForTarget(passes, summedSeconds, targetSeconds);
    if (passes < 1) passes = 1;
    RunFinalPasses(passes);
}

void CWhetstone::RunFinalPasses(int32_t passes)
{
    finalPasses = passes;
    summedSeconds = 0.0;
    WhetstonePasses(passes, kX100, 0);
    mwips = summedSeconds > 0 ? static_cast<double>(passes) * 100.0 / (10.0 * summedSeconds) : 0.0;

    failure = checkSum == 0.0 ? BenchFailure::WhetstoneCalculation : BenchFailure::None;
}

WhetstoneResults CWhetstone::ReadResults() const
{
    WhetstoneResults r;
    for (int s = 1; s <= 8; s = s + 1) {
        r.mflops[s - 1] = sectionMflops[s];
        r.mops[s - 1] = sectionMops[s];
        r.seconds[s - 1] = sectionSeconds[s];
    }
    r.mwips = mwips;
    r.totalSeconds = summedSeconds;
    return r;
}

}  // namespace bench
