#include "platform/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

namespace {

// What the system says the file is, for a file that is not a regular one.
const char* KindOf(mode_t mode)
{
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a named pipe (FIFO), not a regular file";
    if (S_ISCHR(mode)) return "a character device, not a regular file";
    if (S_ISBLK(mode)) return "a block device, not a regular file";
    if (S_ISSOCK(mode)) return "a socket, not a regular file";
    return "not a regular file";
}

}  // namespace

int OpenRegularFile(const std::string& path, std::string& why)
{
    const std::string name = "'" + path + "'";
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        why = "cannot open " + name + ": " + std::strerror(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        why = "cannot read the status of " + name + ": " + std::strerror(errno);
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        why = name + " is " + KindOf(st.st_mode);
        ::close(fd);
        return -1;
    }
    // A regular file never waits; the flag goes only so that reads behave as they always do.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

}  // namespace platform
