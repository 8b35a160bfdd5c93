#pragma once
// A vext-cli command called in-process, with what it printed.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdio_ext.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

#include "app/cli/Commands.h"
#include "tests/support/Golden.h"

// Runs "vext-cli COMMAND ARGS...", its standard output captured or sent to `device`.
inline Outcome RunCaptured(const std::string& command, std::vector<std::string> args, const char* device = nullptr)
{
    args.insert(args.begin(), command);
    std::fflush(stdout);
    const int saved = device ? ::dup(1) : -1;
    if (device) ::dup2(::open(device, O_WRONLY | O_CLOEXEC), 1);
    if (!device) testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = RunVextCli(args);
    const std::string out = device ? "" : testing::internal::GetCapturedStdout();
    if (device) __fpurge(stdout), std::clearerr(stdout), ::dup2(saved, 1), ::close(saved);
    return {status, out, testing::internal::GetCapturedStderr()};
}
