#pragma once
// A file descriptor that is closed on every path.
#include <unistd.h>

namespace platform {

class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd = -1) : fd_(fd) {}
    ~CFileDescriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;
    int get() const { return fd_; }
    // Hands the descriptor to the caller, who closes it.
    int Release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    bool ok() const { return fd_ >= 0; }
    // Closes now and says whether the close succeeded: a late write error can surface here.
    bool Close()
    {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

}  // namespace platform
