#include "pages/MemoryCoresPage.h"

#include <wx/button.h>
#include <wx/notebook.h>
#include <wx/sizer.h>

#include <algorithm>

#include "pages/MeasurementPanel.h"
#include "pages/TemplatePage.h"
#include "res/ControlIds.h"

namespace pages {

using results::MeasurementKind;

wxIMPLEMENT_CLASS(CMemoryCoresPage, CSheetPage);

CMemoryCoresPage::CMemoryCoresPage(results::PageMeasurements measurements) : measurements_(std::move(measurements)) {}

void CMemoryCoresPage::BuildControls()
{
    book_ = new wxNotebook(this, wxID_ANY);
    const MeasurementSetup setups[] = {{"Latency", MeasurementKind::Latency, measurements_.latency},
                                     {"Bandwidth", MeasurementKind::Bandwidth, measurements_.bandwidth},
                                     {"Cores", MeasurementKind::Cores, measurements_.cores}};
    for (size_t i = 0; i < panels_.size(); ++i) {
        CMeasurementPanel* panel = nullptr;
        panel = new CMeasurementPanel(book_, setups[i], Prompt(), Context(), [this, i](bool started) { OnRunning(panels_[i], started); });
        panels_[i] = panel;
        book_->AddPage(panel, setups[i].name);
    }
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(book_, 1, wxEXPAND | wxALL, FromDIP(4));
    SetSizer(sizer);
    // Laid out at its own size until the sheet gives it one: GTK warns of widgets laid out smaller
    // than they can be drawn, as they would be at a new panel's few pixels.
    SetSize(GetBestSize());
}

bool CMemoryCoresPage::HasUnsavedResults() const
{
    return std::any_of(panels_.begin(), panels_.end(), [](const CMeasurementPanel* panel) { return panel && panel->HasUnsavedResults(); });
}

void CMemoryCoresPage::OnRunning(const CMeasurementPanel* running, bool started)
{
    for (CMeasurementPanel* panel : panels_)
        if (panel != running) panel->RunButton()->Enable(!started);
    // The design's benchmark pages run on this thread and would measure beside this run: their
    // Benchmark buttons wait too, and come back as they were.
    if (started) {
        heldButtons_.clear();
        for (wxWindow* sibling : GetParent()->GetChildren())
            if (auto* page = dynamic_cast<CTemplatePage*>(sibling))
                if (wxWindow* button = page->Control(res::IDC_BENCH_RUN); button && button->IsEnabled())
                    button->Disable(), heldButtons_.push_back(button);
    } else {
        for (wxWindow* button : heldButtons_) button->Enable();
        heldButtons_.clear();
    }
}

}  // namespace pages
