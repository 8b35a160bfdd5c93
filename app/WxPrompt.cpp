#include "app/WxPrompt.h"

#include <filesystem>

#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

namespace app {

using namespace widgets;

namespace {
// The message boxes have no caption of their own; the application's name stands in the title bar.
const char* kMessageTitle = "Vext";

wxWindow* ActiveParent() { return wxTheApp ? wxTheApp->GetTopWindow() : nullptr; }

// The one question before an existing file is replaced, whether the name was typed with its extension
// or gained it afterwards. GTK's own question (Cancel/Replace) asks only about the name as typed, so
// the dialog is made without it.
bool MayReplace(const std::string& path)
{
    wxString name = wxString::FromUTF8(path);
    if (!wxFileName::Exists(name)) return true;
    wxString question = wxString::Format("%s already exists.\nDo you want to replace it?", name);
    return wxMessageBox(question, kMessageTitle, wxYES_NO | wxNO_DEFAULT | wxICON_WARNING, ActiveParent()) == wxYES;
}

std::optional<std::string> AskPath(const FileDialogRequest& request, long style, bool askReplace)
{
    // Titled for what it does; "Select a file" on every dialog left the user guessing.
    const wxString title = request.title.empty() ? wxString(wxFileSelectorPromptStr) : wxString::FromUTF8(request.title);
    wxFileDialog dialog(ActiveParent(), title, "", "", wxString::FromUTF8(WxWildcard(request.filter)), style);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    // The full path: a name typed with a folder ("sub/name.cpu") lies outside the folder the dialog shows.
    const std::string asked(dialog.GetPath().utf8_str());
    if (asked.empty()) return std::nullopt;
    std::string chosen = WithDefaultExtension(asked, request.defaultExtension);
    if (askReplace && !MayReplace(chosen)) return std::nullopt;
    return chosen;
}
}  // namespace

std::string WxWildcard(const std::string& filter)
{
    std::string wildcard = filter;
    while (!wildcard.empty() && wildcard.back() == '|') wildcard.pop_back();
    return wildcard;
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension)
{
    if (extension.empty() || std::filesystem::path(path).has_extension()) return path;
    return path + "." + extension;
}

void CWxPrompt::ShowMessage(const std::string& text, MessageIcon icon)
{
    long style = wxOK | (icon == MessageIcon::Stop ? wxICON_ERROR : wxICON_NONE);
    wxMessageBox(wxString::FromUTF8(text), kMessageTitle, style, ActiveParent());
}

bool CWxPrompt::AskYesNo(const std::string& question)
{
    // No is the default: a second press of the key that asked to close must not close.
    const long style = wxYES_NO | wxNO_DEFAULT | wxICON_WARNING;
    return wxMessageBox(wxString::FromUTF8(question), kMessageTitle, style, ActiveParent()) == wxYES;
}

std::optional<std::string> CWxPrompt::AskOpenPath(const FileDialogRequest& request)
{
    long style = wxFD_OPEN | (request.fileMustExist ? wxFD_FILE_MUST_EXIST : 0);
    return AskPath(request, style, false);
}

std::optional<std::string> CWxPrompt::AskSavePath(const FileDialogRequest& request)
{
    return AskPath(request, wxFD_SAVE, request.overwritePrompt);
}

}  // namespace app
