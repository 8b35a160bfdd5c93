#include "platform/StandardOutput.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace platform {
namespace {

// errno of the first write to standard output that failed; glibc drops what it could not write, so a
// later flush may succeed and only the stream's error mark is left to tell.
int firstError = 0;

// The reason of a failure that only the mark remembers: a pipe whose reader has gone still says so.
int LostReason()
{
    if (firstError) return firstError;
    pollfd out{STDOUT_FILENO, POLLOUT, 0};
    return ::poll(&out, 1, 0) == 1 && (out.revents & POLLERR) ? EPIPE : 0;
}

}  // namespace

bool FlushOutput(std::FILE* out)
{
    if (std::fflush(out) != 0 && firstError == 0) firstError = errno;
    return !std::ferror(out);
}

void ResetOutput() { firstError = 0; }

bool OutputWritten()
{
    if (FlushOutput(stdout)) return true;
    const int error = LostReason();
    const std::string reason = error ? std::string(": ") + std::strerror(error) : std::string();
    std::fprintf(stderr, "vext-cli: cannot write to standard output%s; the output was lost\n", reason.c_str());
    return false;
}

}  // namespace platform
