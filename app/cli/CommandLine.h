#pragma once
// What the vext-cli commands share: their error line, a check of file names, and the prompt that
// lets -o take exactly the path a Save button takes.
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "platform/UserPrompt.h"

// Prints "vext-cli COMMAND: MESSAGE" to standard error and returns the bad-usage status.
inline int FailCommand(const char* command, const std::string& message)
{
    std::fprintf(stderr, "vext-cli %s: %s\n", command, message.c_str());
    return 2;
}

// Refuses an empty value ("-o ''", "--output="): a file name is needed.
inline const CLI::Validator kNotEmpty(
    [](std::string& value) { return value.empty() ? std::string("a file name is needed") : std::string(); }, "");

// Answers the Save dialog with the file named on the command line and keeps the messages the window
// would show, so that -o goes through exactly the path of the button.
class CommandLinePrompt : public platform::UserPrompt {
public:
    explicit CommandLinePrompt(std::string path) : path_(std::move(path)) {}
    void ShowMessage(const std::string& text, platform::MessageIcon) override { messages_.push_back(text); }
    std::optional<std::string> AskOpenPath(const platform::FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> AskSavePath(const platform::FileDialogRequest&) override { return path_; }
    const std::vector<std::string>& Messages() const { return messages_; }

    // The first message on one line, followed by the file's name, as an error line says it; `fallback`
    // when nothing was said.
    std::string FirstMessageLine(const std::string& fallback) const
    {
        std::string text = messages_.empty() ? fallback : messages_.front();
        for (char& c : text)
            if (c == '\n') c = ' ';
        return text + " (" + path_ + ")";
    }

private:
    std::string path_;
    std::vector<std::string> messages_;
};
