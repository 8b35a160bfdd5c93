#include "widgets/BenchProgressDlg.h"

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include "widgets/BusyInput.h"
#include "res/DialogTemplate.h"
#include "widgets/ProgressBar.h"
#include "widgets/TemplateBuilder.h"

namespace widgets {

wxIMPLEMENT_DYNAMIC_CLASS(CBenchProgressDlg, wxDialog);

namespace {
constexpr int kRangeMin = 0;
constexpr int kRangeMax = 100;
constexpr int kRunStep = 33;
}  // namespace

bool CBenchProgressDlg::Create(wxWindow* owner)
{
    if (!owner && wxTheApp) owner = wxTheApp->GetTopWindow();
    const res::DialogTemplate& t = res::FindTemplate(res::IDD_BENCH_PROGRESS);
    // No caption, no system menu, no close box: only the frame.
    if (!wxDialog::Create(owner, wxID_ANY, wxString::FromUTF8(t.caption), wxDefaultPosition, wxDefaultSize, 0))
        return false;
    if (owner && owner->GetFont().IsOk()) SetFont(owner->GetFont());
    // Escape and the window manager's close request would otherwise hide the window in mid-run.
    SetEscapeId(wxID_NONE);
    Bind(wxEVT_CLOSE_WINDOW, [](wxCloseEvent& event) {
        if (event.CanVeto())
            event.Veto();
        else
            event.Skip();
    });

    // The client edge: a sunken frame over the whole client area, holding the controls.
    frame_ = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN);
    frame_->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxPaintDC dc(frame_);
        ++paints_;
    });
    auto controls = BuildFromTemplate(frame_, t);
    progress_ = dynamic_cast<CProgressBar*>(controls[kProgressId]);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(frame_, 1, wxEXPAND);
    SetSizer(sizer);
    SetClientSize(TemplatePixelSize(this, t));
    Layout();

    OnInitDialog();
    return true;
}

bool CBenchProgressDlg::OnInitDialog()
{
    CentreOnParent();
    progress_->SetRange(kRangeMax - kRangeMin);
    progress_->SetValue(kRangeMin);
    step_ = kRunStep;
    return true;
}

void CBenchProgressDlg::AdvanceProgress()
{
    // Like a progress bar's own step: past the end it starts over from the beginning.
    int position = progress_->GetValue() + step_;
    if (position > kRangeMax) position = kRangeMin + (position - kRangeMax);
    progress_->SetValue(position);
}

int CBenchProgressDlg::Position() const { return progress_->GetValue(); }

// ---------------------------------------------------------------------------------------------------

CBenchRun::CBenchRun(CRunCursor& cursor, wxWindow* owner)
    : cursor_(cursor), busy_(std::make_unique<CBusyInput>()), focus_(wxWindow::FindFocus())
{
    dialog_ = new CBenchProgressDlg;
    dialog_->Create(owner);
    // The sheet and every other window ignore the user while the run goes on; the progress window
    // itself takes no input.
    disabler_ = std::make_unique<wxWindowDisabler>(dialog_);
    dialog_->Show();
    dialog_->Update();
    // Visible before the first kernel starts: let the display map and paint it. The wait is bounded
    // so that a display which never exposes the window cannot hold the run.
    for (int i = 0; i < 200 && dialog_->PaintCount() == 0; ++i) {
        if (wxTheApp) wxTheApp->Yield(true);
        if (dialog_->PaintCount() == 0) wxMilliSleep(2);
    }
    cursor_.Set(RunCursor::Wait);
}

CBenchRun::~CBenchRun()
{
    if (dialog_) Close(nullptr);
}

void CBenchRun::AdvanceProgress()
{
    if (!dialog_) return;
    dialog_->AdvanceProgress();
    ShowProgress();
}

void CBenchRun::ShowProgress()
{
    if (dialog_) dialog_->Update();
    if (wxTheApp) wxTheApp->Yield(true);
}

void CBenchRun::Close(wxWindow* saveButton)
{
    if (!dialog_) return;
    dialog_->Hide();
    dialog_->Destroy();
    dialog_ = nullptr;
    disabler_.reset();
    busy_.reset();
    if (focus_) focus_->SetFocus();
    cursor_.Set(RunCursor::Cross);
    if (saveButton) saveButton->Enable();
}

}  // namespace widgets
