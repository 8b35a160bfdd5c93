#pragma once
// One measurement of the Memory and Cores page: its Run, Cancel, Save... and Load... buttons, a true
// progress bar, a status line, and its charts each with its table of values, chosen in a list. The run
// goes on a thread of its own; a loaded result file is drawn beside it, flagged as loaded.
#include <wx/panel.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "bench/BenchContext.h"
#include "pages/BackgroundRun.h"
#include "results/MeasurementCurves.h"
#include "results/PageMeasurements.h"
#include "widgets/PlotChart.h"
#include "widgets/UserPrompt.h"

class wxButton;
class wxChoicebook;
class wxGauge;
class wxStaticText;

namespace pages {

struct MeasurementSetup {
    std::string name;  // "Latency": the file dialogs' titles and the messages
    results::MeasurementKind kind;
    results::PageMeasurement measure;
};

class CMeasurementPanel : public wxPanel {
public:
    // `onRunning(true)` as a run starts, `onRunning(false)` once it has ended.
    CMeasurementPanel(wxWindow* parent, MeasurementSetup setup, widgets::CUserPrompt& prompt, const bench::Context& context,
                      std::function<void(bool running)> onRunning);
    ~CMeasurementPanel() override;

    bool Running() const { return run_.Running(); }
    // A completed run not saved since, or a run going on.
    bool HasUnsavedResults() const { return unsaved_ || Running(); }
    // Stops a run going on and waits for its thread.
    void StopAndWait();

    wxButton* RunButton() const { return runButton_; }
    wxButton* CancelButton() const { return cancelButton_; }
    wxButton* SaveButton() const { return saveButton_; }
    wxButton* LoadButton() const { return loadButton_; }
    wxGauge* Gauge() const { return gauge_; }
    wxStaticText* Status() const { return status_; }
    widgets::CLineChart* LineChart() const { return lineChart_; }
    const std::vector<widgets::CBarChart*>& BarCharts() const { return barCharts_; }
    const std::vector<widgets::CChartTable*>& Tables() const { return tables_; }

private:
    void AddChartPage(wxWindow* chart, const wxString& caption);
    void OnRun();
    void OnCancel();
    void OnSave();
    void OnLoad();
    void OnProgress(int done, int total);
    void OnFinished(nlohmann::json result, const std::string& failure);
    void ShowCurves();

    MeasurementSetup setup_;
    widgets::CUserPrompt& prompt_;
    const bench::Context& context_;
    std::function<void(bool)> onRunning_;
    wxButton* runButton_ = nullptr;
    wxButton* cancelButton_ = nullptr;
    wxButton* saveButton_ = nullptr;
    wxButton* loadButton_ = nullptr;
    wxGauge* gauge_ = nullptr;
    wxStaticText* status_ = nullptr;
    wxChoicebook* views_ = nullptr;
    widgets::CLineChart* lineChart_ = nullptr;
    std::vector<widgets::CBarChart*> barCharts_;
    std::vector<widgets::CChartTable*> tables_;
    nlohmann::json live_;  // the last completed run's JSON, as saved
    std::optional<results::MeasurementCurves> liveCurves_, loadedCurves_;
    std::string loadedLabel_;
    bool unsaved_ = false;
    CBackgroundRun run_;
};

}  // namespace pages
