#pragma once
// What the three benchmark pages share: the summary boxes, the three-column result list and the
// "Benchmark", "Load Results" and "Save Results" buttons, at the same ids in all three templates.
#include <string>

#include "pages/TemplatePage.h"

class wxListCtrl;
class wxCommandEvent;

class CBenchPage : public CTemplatePage {
public:
    static constexpr int kYourSummaryId = 1015;
    static constexpr int kLoadedSummaryId = 1016;
    static constexpr int kListId = 1017;
    static constexpr int kBenchmarkId = 1021;
    static constexpr int kLoadId = 1022;
    static constexpr int kSaveId = 1023;

    wxListCtrl* List() const;

protected:
    // `listRows` as SetUpBenchList takes them.
    CBenchPage(int templateId, const char* const listRows[]);

    // Fills this machine's summary line and sets up the list.
    bool OnInitDialog() override;

    // The summary line of a loaded file, in its box.
    void ShowLoadedSummary(const std::string& summary);

    virtual void OnBenchmark(wxCommandEvent& event) = 0;
    virtual void OnLoadResults(wxCommandEvent& event) = 0;
    virtual void OnSaveResults(wxCommandEvent& event) = 0;

private:
    const char* const* listRows_;

    wxDECLARE_ABSTRACT_CLASS(CBenchPage);
};
