#include "files/AtomicFile.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>

#include "files/FileDescriptor.h"
#include "platform/TextEncoding.h"

namespace {

// errno of the write that failed, or 0 when all was written.
int WriteAll(int fd, std::span<const std::byte> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// Pushes the bytes to the device. A file system that cannot sync at all says EINVAL; its data went
// as far as it can go.
int Flush(int fd) { return ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno; }

std::string FolderOf(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A device or a pipe cannot be replaced by a new file: write into it as it is.
FileWriteResult WriteInPlace(const std::string& path, std::span<const std::byte> bytes)
{
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_TRUNC));
    if (!fd.ok()) return {FileWriteStatus::CannotCreate, errno};
    if (const int error = WriteAll(fd.get(), bytes)) return {FileWriteStatus::WriteFailed, error};
    if (!fd.Close()) return {FileWriteStatus::WriteFailed, errno};
    return {};
}

// The new file's name keeps the start of the target's, so that one a crash leaves behind tells what
// it was for; only the start, so that it fits wherever the target's name fits, however long that is.
constexpr std::size_t kNameKept = 32;

// Creates the new file in `folder` under a name no other file has, and names it in `name`. open()
// gives it the permissions of any new file, so the umask applies without being read. -1 with errno
// when the folder takes no new file.
int CreateBeside(int folder, const std::string& target, std::string& name)
{
    const std::string start = target.substr(0, platform::Utf8CutPoint(target, kNameKept));
    static const char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (uint64_t attempt = 0; attempt < 100; ++attempt) {
        uint64_t bits = 0;
        if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) != sizeof bits)
            bits = (static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) + attempt) *
                   0x9E3779B97F4A7C15u ^ static_cast<uint64_t>(::getpid());
        name = "." + start + ".";
        for (int i = 0; i < 8; ++i) name += kDigits[bits % 36], bits /= 36;
        const int fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Gives the finished file its name; with Keep only where the name is still free, whatever took it (a
// file, or a link that names nothing) and whenever it did.
FileWriteResult Publish(int folder, const std::string& temp, const std::string& target, ExistingFile ifExists)
{
    if (ifExists == ExistingFile::Replace) {
        if (::renameat(folder, temp.c_str(), folder, target.c_str()) == 0) return {};
        return {FileWriteStatus::WriteFailed, errno};
    }
    if (::renameat2(folder, temp.c_str(), folder, target.c_str(), RENAME_NOREPLACE) == 0) return {};
    // A file system without the no-replace rename still refuses a second name that is taken.
    if ((errno == EINVAL || errno == ENOSYS) && ::linkat(folder, temp.c_str(), folder, target.c_str(), 0) == 0) {
        ::unlinkat(folder, temp.c_str(), 0);
        return {};
    }
    const int error = errno;
    return {error == EEXIST ? FileWriteStatus::TargetExists : FileWriteStatus::WriteFailed, error};
}

}  // namespace

FileWriteResult WriteFileAtomically(const std::string& path, std::span<const std::byte> bytes, ExistingFile ifExists)
{
    if (path.empty()) return {FileWriteStatus::CannotCreate, ENOENT};

    std::string target = path;
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    // Only a name that does not exist yet (or a link to nothing) may be created; a name too long, or
    // in a folder that cannot be searched, cannot.
    if (!exists && errno != ENOENT) return {FileWriteStatus::CannotCreate, errno};
    if (exists) {
        // A link keeps pointing where it did: the file it names is the one replaced.
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
        if (S_ISDIR(existing.st_mode)) return {FileWriteStatus::CannotCreate, EISDIR};
        if (!S_ISREG(existing.st_mode)) return WriteInPlace(target, bytes);
        // The new file replaces the old one only where the old one could have been written.
        FileDescriptor probe(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
        if (!probe.ok()) return {FileWriteStatus::CannotCreate, errno};
    }

    // Names in the folder are used relative to it, so that a long path to it does not matter.
    const FileDescriptor folder(::open(FolderOf(target).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    std::string temp;
    FileDescriptor fd(folder.ok() ? CreateBeside(folder.get(), NameOf(target), temp) : -1);
    if (!fd.ok()) {
        const int error = errno;
        // A writable file in a folder where nothing new may be created can still be rewritten where
        // it stands; that is the one case left without the protection of the new file.
        if (exists && ifExists == ExistingFile::Replace) return WriteInPlace(target, bytes);
        return {FileWriteStatus::CannotCreate, error};
    }

    int error = WriteAll(fd.get(), bytes);
    if (!error && exists) {
        // Keeps the owner of a file rewritten by another user where allowed; no harm where not.
        if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())
            [[maybe_unused]] int ignored = ::fchown(fd.get(), existing.st_uid, existing.st_gid);
        // The old file's permissions, but never a program's: a results file runs as nobody else.
        if (::fchmod(fd.get(), existing.st_mode & 0777) != 0) error = errno;
    }
    if (!error) error = Flush(fd.get());
    if (!fd.Close() && !error) error = errno;
    const FileWriteResult published =
        error ? FileWriteResult{FileWriteStatus::WriteFailed, error} : Publish(folder.get(), temp, NameOf(target), ifExists);
    if (published.status != FileWriteStatus::Ok) {
        ::unlinkat(folder.get(), temp.c_str(), 0);
        return published;
    }
    // The rename itself reaches the disk with the folder.
    FileDescriptor synced(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (synced.ok()) ::fsync(synced.get());
    return {};
}
