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
#include "tests/support/FakeMachine.h"
#include "tests/support/Golden.h"

// Runs "vext-cli COMMAND ARGS..." on the machine and suites of `context`, its standard output captured,
// or sent to `device` or to the descriptor `to`.
inline Outcome RunCaptured(const std::string& command, std::vector<std::string> args,
                           const bench::Context& context = bench::FakeContext(), const char* device = nullptr, int to = -1)
{
    args.insert(args.begin(), command);
    std::fflush(stdout);
    const bool redirected = device || to >= 0;
    const int saved = redirected ? ::dup(1) : -1;
    if (device) to = ::open(device, O_WRONLY | O_CLOEXEC);
    if (redirected) ::dup2(to, 1);
    if (!redirected) testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = cli::RunVextCli(args, context);
    const std::string out = redirected ? "" : testing::internal::GetCapturedStdout();
    if (redirected) __fpurge(stdout), std::clearerr(stdout), ::dup2(saved, 1), ::close(saved);
    return {status, out, testing::internal::GetCapturedStderr()};
}
