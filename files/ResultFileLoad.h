#pragma once
// A page's load of a result file, without its dialog: the file read to its record and decoded, and
// refused when it holds a value no benchmark run can produce. The caller shows the status's message.
#include <optional>
#include <string>

#include "files/ResultFiles.h"

namespace files {

template <typename Loaded>
struct ResultFileLoad {
    ResultFileStatus status = ResultFileStatus::Ok;
    std::optional<Loaded> loaded;  // set exactly when status is Ok
};

ResultFileLoad<LoadedCpu> LoadCpuFile(const std::string& path);
ResultFileLoad<LoadedFpu> LoadFpuFile(const std::string& path);
ResultFileLoad<LoadedCache> LoadCacheFile(const std::string& path);

}  // namespace files
