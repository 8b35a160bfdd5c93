#pragma once
// The pages' Save and Load of result files, called from their button handlers: they ask for the path,
// have files/ do the file work and tell the user about every failure.
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "files/ResultFileLoad.h"
#include "files/ResultFiles.h"
#include "widgets/UserPrompt.h"

namespace pages {

// Asks for a path (Save As) and writes the record there: true when the file was written; false when
// the dialog was cancelled (nothing happens) or the save failed (the user was told).
bool SaveResultsAs(widgets::CUserPrompt& prompt, const files::ResultFileKind& kind, std::span<const uint8_t> record);

// Asks for a file (Open) and loads it: the file's summary and results, or nothing when the dialog was
// cancelled or the file was refused (the user was told).
template <typename Loaded>
std::optional<Loaded> LoadResultsFrom(widgets::CUserPrompt& prompt, const files::ResultFileKind& kind,
                                      files::ResultFileLoad<Loaded> (*load)(const std::string& path))
{
    const std::optional<std::string> path = prompt.AskOpenPath(widgets::FileDialogRequest::Open(kind.filter, kind.name, "Load Results"));
    if (!path) return std::nullopt;
    files::ResultFileLoad<Loaded> loaded = load(*path);
    if (loaded.status != files::ResultFileStatus::Ok) prompt.ShowMessage(ResultFileMessage(loaded.status), widgets::MessageIcon::Stop);
    return std::move(loaded.loaded);
}

}  // namespace pages
