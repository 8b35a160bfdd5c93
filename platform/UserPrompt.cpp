#include "platform/UserPrompt.h"

#include <cstdio>

namespace platform {

namespace {

class StderrPrompt : public UserPrompt {
public:
    void ShowMessage(const std::string& text, MessageIcon) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    std::optional<std::string> AskOpenPath(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> AskSavePath(const FileDialogRequest&) override { return std::nullopt; }
};

UserPrompt*& Current()
{
    static StderrPrompt fallback;
    static UserPrompt* current = &fallback;
    return current;
}

}  // namespace

UserPrompt& Prompt() { return *Current(); }

ScopedPrompt::ScopedPrompt(UserPrompt& prompt) : previous_(Current()) { Current() = &prompt; }

ScopedPrompt::~ScopedPrompt() { Current() = previous_; }

}  // namespace platform
