#pragma once
// A stand-in for the user: answers the file dialogs from a script (cancelled unless told otherwise)
// and the questions from a script (No unless told otherwise), and keeps every question and message box.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "widgets/UserPrompt.h"

class RecordingPrompt : public widgets::CUserPrompt {
public:
    std::optional<std::string> openAnswer;
    std::optional<std::string> saveAnswer;
    std::vector<widgets::FileDialogRequest> openRequests;
    std::vector<widgets::FileDialogRequest> saveRequests;
    std::vector<std::pair<std::string, widgets::MessageIcon>> messages;
    bool yes = false;  // the answer to every question
    std::vector<std::string> questions;

    void ShowMessage(const std::string& text, widgets::MessageIcon icon) override { messages.emplace_back(text, icon); }
    std::optional<std::string> AskOpenPath(const widgets::FileDialogRequest& r) override
    {
        openRequests.push_back(r);
        return openAnswer;
    }
    std::optional<std::string> AskSavePath(const widgets::FileDialogRequest& r) override
    {
        saveRequests.push_back(r);
        return saveAnswer;
    }
    bool AskYesNo(const std::string& question) override { return questions.push_back(question), yes; }
};
