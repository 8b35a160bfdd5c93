#pragma once
// A stand-in for the user: answers the file dialogs from a script (cancelled unless told otherwise)
// and the questions from a script (No unless told otherwise), and keeps every question and message box.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/UserPrompt.h"

class RecordingPrompt : public platform::UserPrompt {
public:
    std::optional<std::string> openAnswer;
    std::optional<std::string> saveAnswer;
    std::vector<platform::FileDialogRequest> openRequests;
    std::vector<platform::FileDialogRequest> saveRequests;
    std::vector<std::pair<std::string, platform::MessageIcon>> messages;
    bool yes = false;  // the answer to every question
    std::vector<std::string> questions;

    void ShowMessage(const std::string& text, platform::MessageIcon icon) override { messages.emplace_back(text, icon); }
    std::optional<std::string> AskOpenPath(const platform::FileDialogRequest& r) override
    {
        openRequests.push_back(r);
        return openAnswer;
    }
    std::optional<std::string> AskSavePath(const platform::FileDialogRequest& r) override
    {
        saveRequests.push_back(r);
        return saveAnswer;
    }
    bool AskYesNo(const std::string& question) override { return questions.push_back(question), yes; }
};
