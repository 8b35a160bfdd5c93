#pragma once
// The program's answer to the core's questions: real message boxes and file dialogs.
#include "widgets/UserPrompt.h"

class CWxPrompt : public UserPrompt {
public:
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    std::optional<std::string> AskOpenPath(const FileDialogRequest& request) override;
    std::optional<std::string> AskSavePath(const FileDialogRequest& request) override;
    bool AskYesNo(const std::string& question) override;
};

// "Bench Files (*.cpu)|*.cpu|All Files (*.*)|*.*||" in the form wxWidgets takes (no empty end pair).
std::string WxWildcard(const std::string& filter);

// A name typed without an extension gets `extension` (without the dot); a dot in a folder name, or one
// that only starts a hidden name, does not count.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);
