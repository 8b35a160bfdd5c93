#pragma once
// What the three benchmark pages share: the summary boxes, the three-column result list and the
// "Benchmark", "Load Results" and "Save Results" buttons, at the same ids in all three templates.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "bench/BenchFailure.h"
#include "files/ResultFileLoad.h"
#include "bench/ResultTables.h"
#include "pages/ResultFileDialogs.h"
#include "pages/TemplatePage.h"
#include "res/ControlIds.h"

class wxListCtrl;
class wxCommandEvent;

namespace pages {

class CBenchPage : public CTemplatePage {
public:
    static constexpr int kYourSummaryId = res::IDC_BENCH_YOUR_SUMMARY;
    static constexpr int kLoadedSummaryId = res::IDC_BENCH_LOADED_SUMMARY;
    static constexpr int kListId = res::IDC_BENCH_LIST;
    static constexpr int kBenchmarkId = res::IDC_BENCH_RUN;
    static constexpr int kLoadId = res::IDC_BENCH_LOAD;
    static constexpr int kSaveId = res::IDC_BENCH_SAVE;

    wxListCtrl* List() const;
    bool HasUnsavedResults() const override { return unsavedRun_; }

protected:
    // `listRows` as SetUpBenchList takes them.
    CBenchPage(int templateId, bench::ListRows listRows);

    // Fills this machine's summary line and sets up the list.
    bool OnInitDialog() override;

    // The summary line of a loaded file, in its box.
    void ShowLoadedSummary(const std::string& summary);

    // The summary lines as their boxes show them. Saving takes this machine's line back from its box,
    // not from a fresh measurement: the file keeps the line the user saw.
    std::string YourSummary() const { return ControlText(kYourSummaryId); }
    std::string LoadedSummary() const { return ControlText(kLoadedSummaryId); }

    // A run's results are unsaved from the end of the run until a save writes them: the save handler
    // calls RunSaved() when its file was written.
    virtual void OnBenchmark(wxCommandEvent& event) = 0;
    virtual void OnLoadResults(wxCommandEvent& event) = 0;
    virtual void OnSaveResults(wxCommandEvent& event) = 0;
    void RunSaved() { unsavedRun_ = false; }

    // "Save Results": asks for the file and writes the record; the run is saved once it is written.
    void SaveRecord(const files::ResultFileKind& kind, std::span<const uint8_t> record);
    // "Load Results" of a page whose list holds its results' cells (CPU, FPU): the loaded summary and
    // cells, or nothing changed when the load was cancelled or refused.
    template <typename Loaded>
    void LoadIntoList(const files::ResultFileKind& kind, files::ResultFileLoad<Loaded> (*load)(const std::string&),
                                       std::vector<bench::ResultCell> (*cells)(const decltype(Loaded::results)&))
    {
        std::optional<Loaded> loaded = LoadResultsFrom(Prompt(), kind, load);
        if (loaded) ShowLoadedSummary(loaded->summary), ShowLoadedCells(cells(loaded->results));
    }

    // Shows a run's failure in its message box the moment the run hands it on; the run goes on.
    bench::OnBenchFailure RunFailureBox() const;

private:
    void ShowLoadedCells(const std::vector<bench::ResultCell>& cells);

    bench::ListRows listRows_;
    bool unsavedRun_ = false;

    wxDECLARE_ABSTRACT_CLASS(CBenchPage);
};

}  // namespace pages
