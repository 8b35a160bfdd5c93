#pragma once
#include "pages/TemplatePage.h"

class wxCommandEvent;
class wxListCtrl;

namespace pages {

// "Processor Information": identifies the processor once, as the sheet opens, into nine boxes and a
// 53-row list of cache, TLB and feature details; "&Report" writes the same facts to a text file.
class CProcInfo : public CTemplatePage {
public:
    CProcInfo();

    wxListCtrl* List() const;

protected:
    bool OnInitDialog() override;

private:
    void OnReport(wxCommandEvent& event);
    void SetRowValue(long row, const std::string& value);

    wxDECLARE_DYNAMIC_CLASS(CProcInfo);
};

}  // namespace pages
