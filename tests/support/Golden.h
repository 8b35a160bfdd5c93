#pragma once
// Expected outputs kept under tests/data; VEXT_UPDATE_GOLDEN=1 rewrites them for review instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline void ExpectGolden(const std::string& name, const std::string& actual)
{
    const std::filesystem::path path = std::filesystem::path(VEXT_TEST_DATA) / name;
    const char* update = std::getenv("VEXT_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::filesystem::create_directories(path.parent_path());
        return void(std::ofstream(path, std::ios::binary) << actual);
    }
    ASSERT_TRUE(std::filesystem::exists(path)) << path << " is missing; VEXT_UPDATE_GOLDEN=1 writes it";
    std::ostringstream expected;
    expected << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(actual, expected.str()) << path << " (VEXT_UPDATE_GOLDEN=1 rewrites it)";
}
