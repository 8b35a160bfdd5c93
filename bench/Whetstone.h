#pragma once
// The double-precision Whetstone benchmark in its MWIPS form: eight timed sections of floating-point,
// integer, branching, call and library-function work, a calibration that picks the pass count, and a
// final run rated per section (MFLOPS or MOPS) and overall (MWIPS).
#include <cstdint>
#include <functional>

#include "bench/BenchFailure.h"
#include "bench/Results.h"
#include "platform/Machine.h"

namespace bench {

class CWhetstone {
public:
    enum SectionKind { kMflops = 1, kMops = 2 };

    // Times with the machine's tick count; the machine outlives the object.
    explicit CWhetstone(const platform::Machine& machine) : machine_(machine) {}
    virtual ~CWhetstone() = default;
    CWhetstone(const CWhetstone&) = delete;
    CWhetstone& operator=(const CWhetstone&) = delete;

    // Calibrates, runs the final pass count, rates it and checks the arithmetic. The final run lasts
    // about `targetSeconds`: the design's hundred, unless a caller needs a shorter one.
    void RunWhetstone(int32_t targetSeconds = kTargetSeconds);
    // The final run alone, of a pass count another run's calibration chose (the threads of a run on
    // several processors all do the lone run's count).
    void RunFinalPasses(int32_t passes);
    // One execution of sections N1 ... N8, each repeating its work `passes` times; the section
    // lengths scale with x100 (100 in every real run).
    // `calibrate` counts the calibration calls from 1; 0 is the final run, the only one rated.
    virtual void WhetstonePasses(int32_t passes, int32_t x100, int32_t calibrate);
    // Books one section's time and check value; rates are computed only when calibrate is 0.
    virtual void RecordSection(float operations, SectionKind kind, double check, double seconds, int32_t calibrate,
                               int section);
    // The tick count in seconds: the Whetstone's own timer.
    double WhetSeconds() const;

    // The final run's figures, in the order the page shows and the result file stores them.
    WhetstoneResults ReadResults() const;

    // Called after each section has been recorded (outside every timed region), so that a window can
    // repaint during a run that lasts minutes.
    void SetSectionHook(std::function<void(int section, int calibrate)> hook) { sectionHook = std::move(hook); }

    double CheckSum() const { return checkSum; }
    int32_t FinalPasses() const { return finalPasses; }
    // WhetstoneCalculation when the final run's check sum came out 0, for its runner to report.
    BenchFailure Failure() const { return failure; }

    // The constants of the benchmark.
    static constexpr double kT0 = 0.49999975;
    static constexpr double kT1 = 0.50000025;
    static constexpr double kT2 = 2.0;
    static constexpr int32_t kX100 = 100;
    static constexpr int32_t kN1Multiplier = 10;
    static constexpr int32_t kTargetSeconds = 100;
    static constexpr double kCalibrationSeconds = 2.0;
    static constexpr int32_t kCalibrationCalls = 10;

protected:
    // The pass count the final run uses after calibration (split out so that the rule can be
    // checked on its own).
    static int32_t PassesForTarget(int32_t passes, double summedSeconds, int32_t targetSeconds = kTargetSeconds);

private:
    const platform::Machine& machine_;
    // The procedures the sections call. They are real calls on real memory: their cost is what
    // N2, N6 and N7 measure.
    void WhetArrayParam(volatile double* e, double t, double t2);
    void WhetProcCall(double& x, double& y, double& z, double t, double t1, double t2);
    void WhetArrayAssign(volatile double* e, int32_t j, int32_t k, int32_t l);

    double sectionSeconds[9] = {};
    double sectionMops[9] = {};
    double sectionMflops[9] = {};
    double summedSeconds = 0.0;
    double mwips = 0.0;
    double checkSum = 0.0;
    int32_t finalPasses = 0;
    BenchFailure failure = BenchFailure::None;
    // Shared by N1, N2, N4 and N7; volatile so that every section reads and writes it in memory.
    volatile double e[4] = {};
    std::function<void(int, int)> sectionHook;
};

}  // namespace bench
