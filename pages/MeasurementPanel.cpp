#include "pages/MeasurementPanel.h"

#include <wx/button.h>
#include <wx/choicebk.h>
#include <wx/filename.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <span>

#include "files/ResultFiles.h"
#include "platform/InputFile.h"
#include "platform/TextFormat.h"
#include "results/JsonText.h"

namespace pages {

using namespace widgets;

using results::MeasurementCurves;
using results::MeasurementKind;

namespace {

const char kJsonFilter[] = "JSON Results (*.json)|*.json|All Files (*.*)|*.*||";

std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The results give block sizes in Kb; a chart's block-size axis counts bytes.
constexpr double kBytesPerKb = 1024;

std::vector<PlotPoint> Points(const results::Curve& curve)
{
    std::vector<PlotPoint> points;
    for (const results::CurvePoint& p : curve.points) points.push_back({p.x * kBytesPerKb, p.y});
    return points;
}

// The groups of both runs in the order of their thread counts, each once.
std::vector<std::string> Groups(const results::BarSet* live, const results::BarSet* loaded)
{
    std::vector<std::string> groups;
    for (const results::BarSet* set : {live, loaded})
        if (set)
            for (const std::string& group : set->groups)
                if (std::find(groups.begin(), groups.end(), group) == groups.end()) groups.push_back(group);
    std::stable_sort(groups.begin(), groups.end(), [](const std::string& a, const std::string& b) { return std::stod(a) < std::stod(b); });
    return groups;
}

double ValueAt(const results::BarSet& set, const std::string& group, size_t series)
{
    const auto found = std::find(set.groups.begin(), set.groups.end(), group);
    if (found == set.groups.end()) return std::numeric_limits<double>::quiet_NaN();
    return set.values[static_cast<size_t>(found - set.groups.begin())][series];
}

}  // namespace

CMeasurementPanel::CMeasurementPanel(wxWindow* parent, MeasurementSetup setup, CUserPrompt& prompt, const bench::Context& context,
                                     std::function<void(bool)> onRunning)
    : wxPanel(parent, wxID_ANY), setup_(std::move(setup)), prompt_(prompt), context_(context), onRunning_(std::move(onRunning))
{
    const int gap = FromDIP(6);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    runButton_ = new wxButton(this, wxID_ANY, "&Run");
    cancelButton_ = new wxButton(this, wxID_ANY, "&Cancel");
    saveButton_ = new wxButton(this, wxID_ANY, "&Save...");
    loadButton_ = new wxButton(this, wxID_ANY, "L&oad...");
    for (wxButton* button : {runButton_, cancelButton_, saveButton_, loadButton_}) buttons->Add(button, 0, wxRIGHT, gap);
    cancelButton_->Disable();
    saveButton_->Disable();
    gauge_ = new wxGauge(this, wxID_ANY, 100, wxDefaultPosition, FromDIP(wxSize(80, -1)));
    gauge_->SetName(setup_.name + " progress");
    buttons->Add(gauge_, 1, wxALIGN_CENTER_VERTICAL);

    status_ = new wxStaticText(this, wxID_ANY, "Not measured yet: Run measures, Load... shows a saved result.");
    views_ = new wxChoicebook(this, wxID_ANY);
    views_->SetName(setup_.name + " view");
    if (setup_.kind == MeasurementKind::Cores) {
        const PlotAxes axes[] = {{"Threads", "KDhryst./sec, all threads together", false},
                                 {"Threads", "MWIPS, all threads together", false},
                                 {"Threads", "Each thread's rate over one thread alone", false}};
        const char* const captions[] = {"CPU rate", "FPU rate", "Scaling"};
        for (size_t i = 0; i < 3; ++i) {
            barCharts_.push_back(new CBarChart(views_, wxID_ANY, axes[i]));
            AddChartPage(barCharts_.back(), captions[i]);
        }
    } else {
        const PlotAxes axes = setup_.kind == MeasurementKind::Latency
                                  ? PlotAxes{"Block size (Kb)", "Load-to-use latency (ns)", true}
                                  : PlotAxes{"Block size per thread (Kb)", "Bandwidth (GB/s)", true};
        lineChart_ = new CLineChart(views_, wxID_ANY, axes);
        AddChartPage(lineChart_, "");
    }

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(buttons, 0, wxEXPAND | wxALL, gap);
    column->Add(status_, 0, wxEXPAND | wxLEFT | wxRIGHT, gap);
    column->Add(views_, 1, wxEXPAND | wxALL, gap);
    SetSizer(column);

    runButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnRun(); });
    cancelButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
    saveButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSave(); });
    loadButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnLoad(); });
}

CMeasurementPanel::~CMeasurementPanel() { StopAndWait(); }

void CMeasurementPanel::StopAndWait()
{
    run_.Cancel();
    run_.Join();
}

void CMeasurementPanel::AddChartPage(wxWindow* chart, const wxString& caption)
{
    // Small minimum sizes: the page fits the sheet as the design's pages size it, and grows with it.
    chart->SetMinSize(FromDIP(wxSize(160, 100)));
    auto* table = new CChartTable(views_, wxID_ANY);
    table->SetMinSize(FromDIP(wxSize(160, 100)));
    tables_.push_back(table);
    const wxString prefix = caption.empty() ? wxString() : caption + " ";
    views_->AddPage(chart, prefix + "chart");
    views_->AddPage(table, prefix + "table");
}

void CMeasurementPanel::OnRun()
{
    if (Running()) return;
    if (unsaved_ && !prompt_.AskYesNo("The results of the last " + LowerCase(setup_.name) + " run are not saved. Measure again?"))
        return;
    // The previous run's figures go as the new run starts: what the chart shows is never a mix.
    live_ = nullptr, liveCurves_.reset(), unsaved_ = false;
    ShowCurves();
    saveButton_->Disable();
    runButton_->Disable();
    cancelButton_->Enable();
    gauge_->SetRange(100);
    gauge_->SetValue(0);
    status_->SetLabel("Measuring...");
    if (onRunning_) onRunning_(true);
    run_.Start([this, measure = setup_.measure, &context = context_](const std::atomic<bool>& stop) {
        results::MeasurementHooks hooks;
        hooks.stop = [&stop] { return stop.load(); };
        hooks.onStep = [this](int done, int total) { CallAfter([this, done, total] { OnProgress(done, total); }); };
        std::string failure;
        nlohmann::json result;
        try {
            result = measure(context, hooks, failure);
        } catch (const std::exception& e) {
            failure = e.what();
        }
        CallAfter([this, result = std::move(result), failure] { OnFinished(result, failure); });
    });
}

void CMeasurementPanel::OnCancel()
{
    run_.Cancel();
    cancelButton_->Disable();
    status_->SetLabel("Cancelling...");
}

void CMeasurementPanel::OnProgress(int done, int total)
{
    if (!Running() || total < 1) return;
    gauge_->SetRange(total);
    gauge_->SetValue(std::clamp(done, 0, total));
    if (!run_.Cancelled()) status_->SetLabel(platform::TextFormat("Measuring: %d %%", done * 100 / total));
}

void CMeasurementPanel::OnFinished(nlohmann::json result, const std::string& failure)
{
    const bool cancelled = run_.Cancelled();
    run_.Join();
    cancelButton_->Disable();
    runButton_->Enable();
    if (onRunning_) onRunning_(false);
    gauge_->SetValue(0);
    if (cancelled) return status_->SetLabel("Cancelled: nothing was measured.");
    std::string error = failure;
    std::optional<MeasurementCurves> curves;
    if (error.empty() && !result.is_null()) curves = results::ReadMeasurementCurves(result, error);
    if (!curves) {
        status_->SetLabel(setup_.name + " could not be measured.");
        prompt_.ShowMessage(setup_.name + " could not be measured: " + (error.empty() ? "the run ended early" : error), MessageIcon::Stop);
        return;
    }
    live_ = std::move(result), liveCurves_ = std::move(curves), unsaved_ = true;
    gauge_->SetValue(gauge_->GetRange());
    saveButton_->Enable();
    status_->SetLabel("Measured; not saved yet.");
    ShowCurves();
}

void CMeasurementPanel::OnSave()
{
    if (live_.is_null()) return;
    const std::optional<std::string> path =
        prompt_.AskSavePath(FileDialogRequest::SaveAs(kJsonFilter, "json", "Save " + setup_.name + " Results"));
    if (!path) return;
    const std::string text = results::JsonText(live_) + "\n";
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const files::ResultFileStatus status = files::WriteResultFile(*path, std::span<const uint8_t>(bytes, text.size()));
    if (status != files::ResultFileStatus::Ok) return prompt_.ShowMessage(files::ResultFileMessage(status), MessageIcon::Stop);
    unsaved_ = false;  // saved: closing no longer asks
    status_->SetLabel("Measured and saved.");
}

void CMeasurementPanel::OnLoad()
{
    const std::optional<std::string> path =
        prompt_.AskOpenPath(FileDialogRequest::Open(kJsonFilter, "json", "Load " + setup_.name + " Results"));
    if (!path) return;
    const std::string name = std::string(wxFileName(wxString::FromUTF8(*path)).GetFullName().utf8_str());
    std::string bytes, why;
    switch (platform::ReadWholeFile(*path, results::kMaxMeasurementFileBytes, bytes, why)) {
    case platform::WholeFileStatus::Ok: break;
    case platform::WholeFileStatus::CannotOpen: return prompt_.ShowMessage(why, MessageIcon::Stop);
    case platform::WholeFileStatus::ReadFailed: return prompt_.ShowMessage("cannot read '" + name + "': " + why, MessageIcon::Stop);
    case platform::WholeFileStatus::TooLarge: return prompt_.ShowMessage("'" + name + "' is too large for a result", MessageIcon::Stop);
    }
    std::string error;
    std::optional<MeasurementCurves> curves = results::ParseMeasurementCurves(bytes, error);
    if (curves && curves->kind != setup_.kind) curves.reset(), error = "it holds another measurement";
    if (!curves)
        return prompt_.ShowMessage("'" + name + "' is not a saved " + LowerCase(setup_.name) + " result: " + error, MessageIcon::Stop);
    loadedLabel_ = curves->label.empty() ? name : curves->label;
    loadedCurves_ = std::move(curves);
    ShowCurves();
}

void CMeasurementPanel::ShowCurves()
{
    const MeasurementCurves* live = liveCurves_ ? &*liveCurves_ : nullptr;
    const MeasurementCurves* loaded = loadedCurves_ ? &*loadedCurves_ : nullptr;
    if (lineChart_) {
        std::vector<PlotSeries> series;
        for (const MeasurementCurves* run : {live, loaded})
            if (run)
                for (const results::Curve& curve : run->curves)
                    series.push_back({run == loaded ? loadedLabel_ + ": " + curve.label : curve.label, Points(curve), run == loaded});
        std::vector<PlotMarker> markers;
        if (const MeasurementCurves* sizes = live ? live : loaded)
            for (const results::CurveMarker& marker : sizes->markers) markers.push_back({marker.x * kBytesPerKb, marker.label});
        lineChart_->SetSeries(std::move(series));
        lineChart_->SetMarkers(std::move(markers));
        tables_.front()->ShowLines(*lineChart_);
        return;
    }
    // CPU rate, FPU rate, then both suites' scaling.
    const std::vector<std::vector<size_t>> suites = {{0}, {1}, {0, 1}};
    for (size_t c = 0; c < barCharts_.size(); ++c) {
        const auto set = [c](const MeasurementCurves* run) { return run ? (c < 2 ? &run->rates : &run->scaling) : nullptr; };
        const std::vector<std::string> groups = Groups(set(live), set(loaded));
        std::vector<std::string> names;
        std::vector<bool> loadedFlags;
        std::vector<BarGroup> bars;
        for (const std::string& group : groups) bars.push_back({group, {}});
        for (const MeasurementCurves* run : {live, loaded}) {
            if (!run) continue;
            for (size_t s : suites[c]) {
                const std::string& suite = set(run)->series[s];
                names.push_back(run == loaded ? loadedLabel_ + ": " + suite : suite);
                loadedFlags.push_back(run == loaded);
                for (BarGroup& bar : bars) bar.values.push_back(ValueAt(*set(run), bar.label, s));
            }
        }
        barCharts_[c]->SetBars(std::move(names), std::move(bars), std::move(loadedFlags));
        tables_[c]->ShowBars(*barCharts_[c]);
    }
}

}  // namespace pages
