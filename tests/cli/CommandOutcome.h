#pragma once
// A vext-cli command called in-process, with what it printed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline Outcome RunCaptured(int (*command)(const std::vector<std::string>&), const std::vector<std::string>& args)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int status = command(args);
    return {status, testing::internal::GetCapturedStdout(), testing::internal::GetCapturedStderr()};
}
