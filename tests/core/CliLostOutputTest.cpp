// vext-cli writing into a pipe whose reader has gone, as in `vext-cli ... | head -1`: the program is not
// killed by SIGPIPE; it ends with status 2 and says once that its output was lost.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "files/ResultFiles.h"
#include "tests/support/ReportTestSupport.h"

using namespace files;

using namespace reporttest;

namespace {

struct Ended {
    std::string how;  // "status N" or "signal N"
    std::string err;
};

// Runs vext-cli with SIGPIPE as a shell leaves it, its standard output the pipe, its errors in `err`.
Ended RunIntoClosedPipe(std::vector<std::string> args, const fs::path& err)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return {"no pipe", ""};
    ::close(ends[0]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal), sigaddset(&pipeSignal, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &pipeSignal);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    args.insert(args.begin(), VEXT_CLI);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, VEXT_CLI, &actions, &attributes, argv.data(), environ);
    ::close(ends[1]);
    posix_spawn_file_actions_destroy(&actions), posix_spawnattr_destroy(&attributes);
    int raw = 0;
    if (spawned != 0 || ::waitpid(pid, &raw, 0) != pid) return {"not run", ""};
    const std::string how = WIFEXITED(raw) ? "status " + std::to_string(WEXITSTATUS(raw)) : "signal " + std::to_string(WTERMSIG(raw));
    return {how, ReadBytes(err)};
}

}  // namespace

TEST(CliLostOutput, EveryCommandEndsWithStatusTwoAndOneMessage)
{
    TempDir dir;
    const std::string file = (dir.Path() / "a.cpu").string(), dump = (SharedDumps() / "amd-0644-athlon-thunderbird.txt").string();
    const auto record = EncodeCpuRecord("Base machine", {});
    WriteBytes(file, std::string(record.begin(), record.end()));
    const std::vector<std::string> commands[] = {
        {"--help"},
        {"show", file},
        {"show", "--json", file},
        {"compare", file, file},
        {"report", "--cpuid", dump, "--mhz", "500"},
        {"report", "--json", "--cpuid", dump, "--mhz", "500"},
        {"processor", "--cpuid", dump},
    };
    for (const std::vector<std::string>& args : commands) {
        const Ended ended = RunIntoClosedPipe(args, dir.Path() / "err");
        EXPECT_EQ(ended.how, "status 2") << args.front();
        EXPECT_EQ(ended.err, "vext-cli: cannot write to standard output: Broken pipe; the output was lost\n") << args.front();
    }
}
