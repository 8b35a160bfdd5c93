#include "app/WxPrompt.h"

#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>

namespace {
// The message boxes have no caption of their own; the application's name stands in the title bar.
const char* kMessageTitle = "Vext";

wxWindow* ActiveParent() { return wxTheApp ? wxTheApp->GetTopWindow() : nullptr; }

std::optional<std::string> AskPath(const platform::FileDialogRequest& request, long style)
{
    wxFileDialog dialog(ActiveParent(), wxFileSelectorPromptStr, "", "", wxString::FromUTF8(WxWildcard(request.filter)),
                        style);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    // GetPath() came back empty under scripted tests on 3.2.2; directory and name are reliable.
    wxString path = dialog.GetDirectory();
    if (!path.empty() && !path.EndsWith("/")) path += "/";
    path += dialog.GetFilename();
    std::string chosen(path.utf8_str());
    // The default extension is added to a name typed without one.
    if (!request.defaultExtension.empty()) {
        auto slash = chosen.find_last_of('/');
        auto dot = chosen.find_last_of('.');
        if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) chosen += "." + request.defaultExtension;
    }
    return chosen;
}
}  // namespace

std::string WxWildcard(const std::string& filter)
{
    std::string wildcard = filter;
    while (!wildcard.empty() && wildcard.back() == '|') wildcard.pop_back();
    return wildcard;
}

void CWxPrompt::ShowMessage(const std::string& text, platform::MessageIcon icon)
{
    long style = wxOK | (icon == platform::MessageIcon::Stop ? wxICON_ERROR : wxICON_NONE);
    wxMessageBox(wxString::FromUTF8(text), kMessageTitle, style, ActiveParent());
}

std::optional<std::string> CWxPrompt::AskOpenPath(const platform::FileDialogRequest& request)
{
    long style = wxFD_OPEN | (request.fileMustExist ? wxFD_FILE_MUST_EXIST : 0);
    return AskPath(request, style);
}

std::optional<std::string> CWxPrompt::AskSavePath(const platform::FileDialogRequest& request)
{
    long style = wxFD_SAVE | (request.overwritePrompt ? wxFD_OVERWRITE_PROMPT : 0);
    return AskPath(request, style);
}
