#include "pages/ProcessorTodayPage.h"

#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/dataview.h>
#include <wx/dataobj.h>
#include <wx/sizer.h>
#include <wx/srchctrl.h>
#include <wx/stattext.h>

#include <cstddef>
#include <span>
#include <vector>

#include "facts/FeatureGroups.h"
#include "files/AtomicFile.h"
#include "platform/TextEncoding.h"
#include "platform/TextFormat.h"
#include "results/JsonText.h"
#include "results/RunIdentity.h"
#include "widgets/DisplayText.h"
#include "widgets/ReaderText.h"

namespace pages {

wxIMPLEMENT_CLASS(CProcessorTodayPage, CSheetPage);

using namespace results;

using namespace widgets;

namespace {

// A table that asks for little, so that the sheet keeps the size its template pages give it and the
// tables take whatever room the page has.
wxDataViewListCtrl* Table(wxWindow* parent, const wxString& name, std::initializer_list<std::pair<const char*, int>> columns)
{
    auto* table = new wxDataViewListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                         wxDV_ROW_LINES | wxDV_SINGLE | wxDV_VERT_RULES);
    table->SetName(name);
    NameTableForReaders(table, name);
    for (const auto& [title, width] : columns)
        table->AppendTextColumn(title, wxDATAVIEW_CELL_INERT, parent->FromDIP(width), wxALIGN_LEFT, wxDATAVIEW_COL_RESIZABLE);
    table->SetMinSize(parent->FromDIP(wxSize(120, 60)));
    return table;
}

void AddRow(wxDataViewListCtrl* table, const std::vector<wxString>& cells)
{
    wxVector<wxVariant> row;
    for (const wxString& cell : cells) row.push_back(wxVariant(cell));
    table->AppendItem(row);
}

// A labelled block: the label names the table for a reader and a sighted user alike.
wxSizer* Labelled(wxWindow* parent, const wxString& label, wxWindow* control)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(parent, wxID_ANY, label), 0, wxBOTTOM, parent->FromDIP(2));
    sizer->Add(control, 1, wxEXPAND);
    return sizer;
}

wxString Optional(const std::optional<uint64_t>& value) { return value ? wxString::Format("%llu", static_cast<unsigned long long>(*value)) : "N/A"; }

bool Matches(const facts::DescribedFeature& feature, const wxString& filter)
{
    if (filter.empty()) return true;
    const wxString lower = filter.Lower();
    return wxString::FromUTF8(feature.name).Lower().Contains(lower) ||
           wxString::FromUTF8(std::string(feature.description)).Lower().Contains(lower);
}

}  // namespace

void CProcessorTodayPage::BuildControls()
{
    facts_ = Table(this, "Processor facts", {{"Fact", 120}, {"Value", 240}});
    caches_ = Table(this, "Caches", {{"Level", 90}, {"Size", 60}, {"Line", 50}, {"Ways", 40}, {"Sets", 50}, {"Shared by", 60}, {"Count", 50}});
    features_ = Table(this, "Feature flags", {{"Flag", 100}, {"Group", 150}, {"Description", 330}});
    filter_ = new wxSearchCtrl(this, wxID_ANY);
    filter_->SetName("Filter the feature flags");
    filter_->SetDescriptiveText("Filter by name or description");
    filter_->ShowCancelButton(true);
    copy_ = new wxButton(this, wxID_ANY, "&Copy");
    save_ = new wxButton(this, wxID_ANY, "&Save...");
    copy_->Disable();
    save_->Disable();

    // The facts down the left, the caches and the flags beside them; the tables share out what room
    // the sheet gives the page.
    const int gap = FromDIP(6);
    auto* filterRow = new wxBoxSizer(wxHORIZONTAL);
    filterRow->Add(new wxStaticText(this, wxID_ANY, "Feature flags, filter:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    filterRow->Add(filter_, 1, wxALIGN_CENTER_VERTICAL);
    auto* right = new wxBoxSizer(wxVERTICAL);
    right->Add(Labelled(this, "Caches", caches_), 1, wxEXPAND | wxBOTTOM, gap);
    right->Add(filterRow, 0, wxEXPAND | wxBOTTOM, gap);
    right->Add(features_, 1, wxEXPAND);
    auto* tables = new wxBoxSizer(wxHORIZONTAL);
    tables->Add(Labelled(this, "Processor", facts_), 2, wxEXPAND | wxRIGHT, gap);
    tables->Add(right, 3, wxEXPAND);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    buttons->Add(copy_, 0, wxRIGHT, gap);
    buttons->Add(save_, 0);
    auto* page = new wxBoxSizer(wxVERTICAL);
    page->Add(tables, 1, wxEXPAND | wxALL, gap);
    page->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    SetSizer(page);

    filter_->Bind(wxEVT_TEXT, &CProcessorTodayPage::OnFilter, this);
    filter_->Bind(wxEVT_SEARCHCTRL_CANCEL_BTN, &CProcessorTodayPage::OnFilter, this);
    copy_->Bind(wxEVT_BUTTON, &CProcessorTodayPage::OnCopy, this);
    save_->Bind(wxEVT_BUTTON, &CProcessorTodayPage::OnSave, this);
}

bool CProcessorTodayPage::OnInitDialog()
{
    const platform::Machine& machine = Context().machine;
    run_ = RunIdentity(machine, std::nullopt);
    today_ = ReadProcessorToday(machine);
    for (const FactLine& line : ProcessorLines(*today_, true))
        if (line.kind != FactKind::Cache && line.kind != FactKind::Features)
            AddRow(facts_, {wxString::FromUTF8(line.label), DisplayText(line.value)});
    const cpu::ModernProcessor& p = today_->processor;
    for (size_t i = 0; i < p.caches.size(); ++i) {
        const cpu::CacheLevel& c = p.caches[i];
        const wxString ways = !c.ways ? wxString("N/A") : *c.ways == 0 ? wxString("fully associative") : wxString::Format("%u", *c.ways);
        const cpu::CacheCount count = i < today_->topology.cacheCounts.size() ? today_->topology.cacheCounts[i] : cpu::CacheCount{};
        AddRow(caches_, {wxString::FromUTF8(CacheLabel(c)), wxString::Format("%llu Kb", static_cast<unsigned long long>(c.sizeBytes / 1024)),
                         wxString::Format("%u bytes", c.lineBytes), ways, Optional(c.sets),
                         c.sharedBy ? wxString::Format("%u", *c.sharedBy) : wxString("N/A"), wxString::FromUTF8(CacheCountText(count))});
    }
    ShowFeatures();
    copy_->Enable();
    save_->Enable();
    Layout();
    return true;
}

void CProcessorTodayPage::ShowFeatures()
{
    features_->DeleteAllItems();
    if (!today_) return;
    const wxString filter = filter_->GetValue();
    for (const facts::DescribedFeature& f : facts::GroupFeatures(today_->processor.features))
        if (Matches(f, filter))
            AddRow(features_, {wxString::FromUTF8(f.name), facts::FeatureGroupName(f.group), wxString::FromUTF8(std::string(f.description))});
}

void CProcessorTodayPage::OnFilter(wxCommandEvent&) { ShowFeatures(); }

// The lines vext-cli prints.
void CProcessorTodayPage::OnCopy(wxCommandEvent&)
{
    if (!today_ || !wxTheClipboard->Open()) return;
    wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(platform::Utf8OrLatin1(ProcessorListText(*today_)))));
    wxTheClipboard->Close();
}

// The file `vext-cli processor --json` writes; cancelling writes nothing and shows nothing.
void CProcessorTodayPage::OnSave(wxCommandEvent&)
{
    if (!today_) return;
    const std::optional<std::string> path =
        Prompt().AskSavePath(FileDialogRequest::SaveAs("JSON Files (*.json)|*.json|All Files (*.*)|*.*||", "json", "Save Processor JSON"));
    if (!path) return;
    const std::string text = JsonText(ProcessorTodayJson(*today_, run_)) + "\n";
    const auto bytes = std::as_bytes(std::span(text.data(), text.size()));
    if (files::WriteFileAtomically(*path, bytes).status != files::FileWriteStatus::Ok)
        Prompt().ShowMessage(kProcessorFileError, MessageIcon::Stop);
}

}  // namespace pages
