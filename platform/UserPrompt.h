#pragma once
// The message boxes and file dialogs that core code needs. Core code never links the GUI: it asks
// through this interface, which the program answers with real dialogs, vext-cli with the terminal and
// tests with a recorder.
#include <optional>
#include <string>
#include <utility>

namespace platform {

enum class MessageIcon { None, Stop };

struct FileDialogRequest {
    std::string filter;            // "Cache Bench Files (*.cache)|*.cache|All Files (*.*)|*.*||"
    std::string defaultExtension;  // "cache", without the dot
    bool overwritePrompt = false;  // Save As: ask before replacing a file
    bool pathMustExist = false;
    bool fileMustExist = false;
    bool hideReadOnly = false;

    // Every file of the program is saved through one Save As shape and loaded through one Open shape.
    static FileDialogRequest SaveAs(std::string filter, std::string extension)
    {
        return {std::move(filter), std::move(extension), true, true, false, true};
    }
    static FileDialogRequest Open(std::string filter, std::string extension)
    {
        return {std::move(filter), std::move(extension), false, false, true, true};
    }
};

class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    // A modal message box with an OK button only.
    virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
    // The common Open and Save As dialogs: the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> AskOpenPath(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> AskSavePath(const FileDialogRequest& request) = 0;
    // A modal question with Yes and No buttons: true for Yes. A prompt that cannot ask answers No, which
    // leaves everything as it is.
    virtual bool AskYesNo(const std::string&) { return false; }
};

// The process-wide prompt. Until one is installed, messages go to standard error and file dialogs
// answer "cancelled".
UserPrompt& Prompt();

// Installs a prompt for the enclosing scope; scopes nest.
class ScopedPrompt {
public:
    explicit ScopedPrompt(UserPrompt& prompt);
    ~ScopedPrompt();
    ScopedPrompt(const ScopedPrompt&) = delete;
    ScopedPrompt& operator=(const ScopedPrompt&) = delete;

private:
    UserPrompt* previous_;
};

}  // namespace platform
