#pragma once
// Expected outputs kept under tests/data; VEXT_UPDATE_GOLDEN=1 rewrites them for review instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

inline void ExpectGolden(const std::string& name, const std::string& actual)
{
    const std::string path = std::string(VEXT_TEST_DATA) + "/" + name;
    const char* update = std::getenv("VEXT_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") return void(std::ofstream(path) << actual);
    std::ostringstream expected;
    expected << std::ifstream(path).rdbuf();
    EXPECT_EQ(actual, expected.str()) << path << " (VEXT_UPDATE_GOLDEN=1 rewrites it)";
}
