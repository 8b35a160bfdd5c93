#pragma once
// The pages' Save and Load of result files, called from their button handlers: they ask for the path,
// do the file work and tell the user about every failure.
#include <optional>
#include <string_view>

#include "bench/Results.h"
#include "files/ResultFiles.h"

// A save returns true when the file was written; false when the dialog was cancelled (nothing happens)
// or the save failed (the user was told). The page is never changed by a save.
bool SaveCpuResults(std::string_view summary, const CpuResults& results);
bool SaveFpuResults(std::string_view summary, const WhetstoneResults& results);
bool SaveCacheResults(std::string_view summary, const CacheResults& results);

// A load returns the file's summary and results, or nothing when the dialog was cancelled or the file
// could not be read whole (the user was told); on nothing the page stays as it was.
std::optional<LoadedCpu> LoadCpuResults();
std::optional<LoadedFpu> LoadFpuResults();
std::optional<LoadedCache> LoadCacheResults();
