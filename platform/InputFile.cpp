#include "platform/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/FileDescriptor.h"

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
    CFileDescriptor file(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        why = "cannot read the status of " + name + ": " + std::strerror(errno);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        why = name + " is " + KindOf(st.st_mode);
        return -1;
    }
    // A regular file never waits; the flag goes only so that reads behave as they always do.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return file.Release();
}

WholeFileStatus ReadWholeFile(const std::string& path, size_t mostBytes, std::string& bytes, std::string& why)
{
    const CFileDescriptor file(OpenRegularFile(path, why));
    if (!file.ok()) return WholeFileStatus::CannotOpen;
    bytes.clear();
    for (char buffer[65536];;) {
        const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return why = std::strerror(errno), WholeFileStatus::ReadFailed;
        if (n == 0) return WholeFileStatus::Ok;
        bytes.append(buffer, static_cast<size_t>(n));
        if (bytes.size() > mostBytes) return WholeFileStatus::TooLarge;
    }
}

}  // namespace platform
