#pragma once
// Shared by the report tests: a temporary folder, file bytes, the recorded dumps and the golden files.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/Golden.h"

namespace reporttest {

namespace fs = std::filesystem;

// 2001-04-05 12:00 UTC: the 5th of April in every time zone from UTC-11 to UTC+11.
constexpr std::time_t kFifthOfApril2001 = 986472000;

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "vext-report-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, ec);
        fs::remove_all(path_, ec);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// What `act` returns when writes stop at `bytes` of a file, for root as for anyone: a failure part-way.
template <typename Act>
auto WithFileSizeLimit(rlim_t bytes, Act act)
{
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limited{bytes, saved.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
    ::setrlimit(RLIMIT_FSIZE, &limited);
    const auto result = act();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    return result;
}

inline std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteBytes(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

inline std::string WithoutCr(std::string text)
{
    std::erase(text, '\r');
    return text;
}

inline fs::path SharedDumps() { return VEXT_SHARED_DUMPS; }
inline fs::path ExpectedReports() { return fs::path(VEXT_TEST_DATA) / "reports"; }

// The recorded dumps, sorted by name; empty when the folder is absent (the callers then fail).
inline std::vector<fs::path> AllDumps()
{
    std::vector<fs::path> dumps;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(SharedDumps(), ec))
        if (entry.path().extension() == ".txt") dumps.push_back(entry.path());
    std::sort(dumps.begin(), dumps.end());
    return dumps;
}

}  // namespace reporttest
