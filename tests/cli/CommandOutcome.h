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

#include "app/cli/Commands.h"
#include "tests/support/Golden.h"

// Runs "vext-cli COMMAND ARGS...".
inline Outcome RunCaptured(const std::string& command, std::vector<std::string> args)
{
    args.insert(args.begin(), command);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int status = RunVextCli(args);
    return {status, testing::internal::GetCapturedStdout(), testing::internal::GetCapturedStderr()};
}
