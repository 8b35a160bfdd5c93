#pragma once
// A vext-cli command called in-process, with what it printed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

#include "app/cli/Commands.h"

// Runs "vext-cli COMMAND ARGS...".
inline Outcome RunCaptured(const std::string& command, std::vector<std::string> args)
{
    args.insert(args.begin(), command);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int status = RunVextCli(args);
    return {status, testing::internal::GetCapturedStdout(), testing::internal::GetCapturedStderr()};
}

// Compares `text` with tests/data/NAME, or with VEXT_UPDATE_GOLDEN=1 writes it there for review.
inline void ExpectGolden(const std::string& name, const std::string& text)
{
    const std::string path = std::string(VEXT_TEST_DATA) + "/" + name;
    if (std::getenv("VEXT_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "missing golden file " << path;
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text) << name;
}
