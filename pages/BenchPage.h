#pragma once
// What the three benchmark pages share: the summary boxes, the three-column result list and the
// "Benchmark", "Load Results" and "Save Results" buttons, at the same ids in all three templates.
#include <string>

#include "files/ResultTables.h"
#include "pages/TemplatePage.h"
#include "res/ControlIds.h"

class wxListCtrl;
class wxCommandEvent;

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
    CBenchPage(int templateId, ListRows listRows);

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

private:
    ListRows listRows_;
    bool unsavedRun_ = false;

    wxDECLARE_ABSTRACT_CLASS(CBenchPage);
};
