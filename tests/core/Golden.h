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
    if (const char* update = std::getenv("VEXT_UPDATE_GOLDEN"); update && std::string(update) == "1") {
        std::ofstream(path) << actual;
        return;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in) << "missing " << path << " (VEXT_UPDATE_GOLDEN=1 writes it)";
    std::ostringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(actual, expected.str()) << path;
}
