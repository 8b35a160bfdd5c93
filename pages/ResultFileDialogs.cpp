#include "pages/ResultFileDialogs.h"

bool SaveResultsAs(UserPrompt& prompt, const ResultFileKind& kind, std::span<const uint8_t> record)
{
    const std::optional<std::string> path = prompt.AskSavePath(FileDialogRequest::SaveAs(kind.filter, kind.name));
    if (!path) return false;
    const ResultFileStatus status = WriteResultFile(*path, record);
    if (status == ResultFileStatus::Ok) return true;
    prompt.ShowMessage(ResultFileMessage(status), MessageIcon::Stop);
    return false;
}
