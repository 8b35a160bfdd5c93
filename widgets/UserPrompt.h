#pragma once
// The message boxes and file dialogs of the pages and the sheet. The application object makes the one
// prompt (real dialogs) and hands it to the sheet, which hands it to each page; tests hand in a
// recorder. The core never asks the user: it returns its failures, and the pages show them.
#include <optional>
#include <string>
#include <utility>

namespace widgets {

enum class MessageIcon { None, Stop };

struct FileDialogRequest {
    std::string filter;            // "Cache Bench Files (*.cache)|*.cache|All Files (*.*)|*.*||"
    std::string defaultExtension;  // "cache", without the dot
    bool overwritePrompt = false;  // Save As: ask before replacing a file
    bool fileMustExist = false;    // Open: only an existing file is taken
    std::string title;             // what the dialog does: "Load Results", "Save Processor Report"

    // Every file of the program is saved through one Save As shape and loaded through one Open shape.
    static FileDialogRequest SaveAs(std::string filter, std::string extension, std::string title)
    {
        return {std::move(filter), std::move(extension), true, false, std::move(title)};
    }
    static FileDialogRequest Open(std::string filter, std::string extension, std::string title)
    {
        return {std::move(filter), std::move(extension), false, true, std::move(title)};
    }
};

class CUserPrompt {
public:
    virtual ~CUserPrompt() = default;
    // A modal message box with an OK button only.
    virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
    // The common Open and Save As dialogs: the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> AskOpenPath(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> AskSavePath(const FileDialogRequest& request) = 0;
    // A modal question with Yes and No buttons: true for Yes. A prompt that cannot ask answers No, which
    // leaves everything as it is.
    virtual bool AskYesNo(const std::string&) { return false; }
};

}  // namespace widgets
