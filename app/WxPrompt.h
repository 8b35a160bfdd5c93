#pragma once
// The program's answer to the core's questions: real message boxes and file dialogs.
#include "widgets/UserPrompt.h"

namespace app {

class CWxPrompt : public widgets::CUserPrompt {
public:
    void ShowMessage(const std::string& text, widgets::MessageIcon icon) override;
    std::optional<std::string> AskOpenPath(const widgets::FileDialogRequest& request) override;
    std::optional<std::string> AskSavePath(const widgets::FileDialogRequest& request) override;
    bool AskYesNo(const std::string& question) override;
};

// "Bench Files (*.cpu)|*.cpu|All Files (*.*)|*.*||" in the form wxWidgets takes (no empty end pair).
std::string WxWildcard(const std::string& filter);

// A name typed without an extension gets `extension` (without the dot); a dot in a folder name, or one
// that only starts a hidden name, does not count.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

}  // namespace app
