#pragma once
// "Processor Today": the processor as `vext-cli processor` describes it (identity, topology, caches,
// clocks, feature flags by what they are for), in native tables a screen reader reads, with the text
// copied to the clipboard and the command's JSON saved. Filled, clocks measured, when first shown.
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "pages/SheetPage.h"
#include "results/ProcessorToday.h"

class wxButton;
class wxCommandEvent;
class wxDataViewListCtrl;
class wxSearchCtrl;

namespace pages {

// Told when the processor's file cannot be written.
inline constexpr const char* kProcessorFileError = "Error !\n\nVext is unable to save the processor file !";

class CProcessorTodayPage : public CSheetPage {
public:
    wxString Caption() const override { return "Processor Today"; }

    wxDataViewListCtrl* Facts() const { return facts_; }
    wxDataViewListCtrl* Caches() const { return caches_; }
    wxDataViewListCtrl* Features() const { return features_; }
    wxSearchCtrl* Filter() const { return filter_; }
    wxButton* CopyButton() const { return copy_; }
    wxButton* SaveButton() const { return save_; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;

private:
    void ShowFeatures();
    void OnFilter(wxCommandEvent& event);
    void OnCopy(wxCommandEvent& event);
    void OnSave(wxCommandEvent& event);

    std::optional<results::ProcessorToday> today_;
    nlohmann::json run_;
    wxDataViewListCtrl* facts_ = nullptr;
    wxDataViewListCtrl* caches_ = nullptr;
    wxDataViewListCtrl* features_ = nullptr;
    wxSearchCtrl* filter_ = nullptr;
    wxButton* copy_ = nullptr;
    wxButton* save_ = nullptr;

    wxDECLARE_CLASS(CProcessorTodayPage);
};

}  // namespace pages
