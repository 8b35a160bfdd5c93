#pragma once
// The Memory and Cores page: load-to-use latency and bandwidth against block size, and the CPU and FPU
// suites' rates and scaling over thread counts, each measured only when its Run is pressed, on a thread
// of its own, with the figures vext-cli gives for the same runs.
#include <array>
#include <vector>

#include "pages/SheetPage.h"
#include "results/PageMeasurements.h"

class wxNotebook;
class wxWindow;

namespace pages {

class CMeasurementPanel;

class CMemoryCoresPage : public CSheetPage {
public:
    // The runs are `measurements` (the real ones by default; tests give fakes).
    explicit CMemoryCoresPage(results::PageMeasurements measurements = results::LivePageMeasurements());

    wxString Caption() const override { return "Memory and Cores"; }
    bool HasUnsavedResults() const override;

    enum Measurement { kLatency, kBandwidth, kCores };
    CMeasurementPanel* Panel(Measurement which) const { return panels_[which]; }

protected:
    void BuildControls() override;

private:
    // One measurement at a time: the others' Run buttons wait while one runs.
    void OnRunning(const CMeasurementPanel* running, bool started);

    results::PageMeasurements measurements_;
    wxNotebook* book_ = nullptr;
    std::array<CMeasurementPanel*, 3> panels_{};
    std::vector<wxWindow*> heldButtons_;  // the design's Benchmark buttons disabled during a run

    wxDECLARE_CLASS(CMemoryCoresPage);
};

}  // namespace pages
