#include "pages/ResultFileDialogs.h"

namespace pages {

using namespace widgets;

using namespace files;

bool SaveResultsAs(CUserPrompt& prompt, const ResultFileKind& kind, std::span<const uint8_t> record)
{
    const std::optional<std::string> path = prompt.AskSavePath(FileDialogRequest::SaveAs(kind.filter, kind.name, "Save Results"));
    if (!path) return false;
    const ResultFileStatus status = WriteResultFile(*path, record);
    if (status == ResultFileStatus::Ok) return true;
    prompt.ShowMessage(ResultFileMessage(status), MessageIcon::Stop);
    return false;
}

}  // namespace pages
