#include "files/AtomicFile.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>

#include "platform/FileDescriptor.h"
#include "platform/TextEncoding.h"

namespace files {

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
    platform::CFileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_TRUNC));
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

// The file a write to `path` rewrites, and what stands there now.
struct Target {
    std::string path;
    bool exists = false;
    struct stat existing {};
};

// Finds the target of a write to `path`, refusing what no write could create or replace.
FileWriteResult FindTarget(const std::string& path, Target& target)
{
    if (path.empty()) return {FileWriteStatus::CannotCreate, ENOENT};
    target.path = path;
    target.exists = ::stat(path.c_str(), &target.existing) == 0;
    // Only a name that does not exist yet (or a link to nothing) may be created; a name too long, or
    // in a folder that cannot be searched, cannot.
    if (!target.exists && errno != ENOENT) return {FileWriteStatus::CannotCreate, errno};
    if (!target.exists) return {};
    // A link keeps pointing where it did: the file it names is the one replaced.
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        target.path = real;
        std::free(real);
    }
    if (S_ISDIR(target.existing.st_mode)) return {FileWriteStatus::CannotCreate, EISDIR};
    if (!S_ISREG(target.existing.st_mode)) return {};
    // The new file replaces the old one only where the old one could have been written.
    platform::CFileDescriptor probe(::open(target.path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (!probe.ok()) return {FileWriteStatus::CannotCreate, errno};
    return {};
}

bool InPlace(const Target& target) { return target.exists && !S_ISREG(target.existing.st_mode); }

}  // namespace

bool WrittenInPlace(const std::string& path)
{
    struct stat existing {};
    return ::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode);
}

FileWriteCheck CheckFileWritable(const std::string& path, ExistingFile ifExists)
{
    struct stat link {};
    // A link that names nothing counts as a file: the write would find its name taken.
    const bool replaces = !path.empty() && ::lstat(path.c_str(), &link) == 0;
    if (replaces && ifExists == ExistingFile::Keep && !WrittenInPlace(path)) return {FileWriteStatus::TargetExists, EEXIST, true};
    Target target;
    const FileWriteResult found = FindTarget(path, target);
    if (found.status != FileWriteStatus::Ok || InPlace(target)) return {found.status, found.error, replaces};
    const platform::CFileDescriptor folder(::open(FolderOf(target.path).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    std::string temp;
    const platform::CFileDescriptor fd(folder.ok() ? CreateBeside(folder.get(), NameOf(target.path), temp) : -1);
    if (!fd.ok()) {
        const int error = errno;
        if (target.exists && ifExists == ExistingFile::Replace) return {FileWriteStatus::Ok, 0, replaces};
        return {FileWriteStatus::CannotCreate, error, replaces};
    }
    ::unlinkat(folder.get(), temp.c_str(), 0);
    return {FileWriteStatus::Ok, 0, replaces};
}

FileWriteResult WriteFileAtomically(const std::string& path, std::span<const std::byte> bytes, ExistingFile ifExists)
{
    Target found;
    if (const FileWriteResult refused = FindTarget(path, found); refused.status != FileWriteStatus::Ok) return refused;
    if (InPlace(found)) return WriteInPlace(found.path, bytes);
    const std::string& target = found.path;
    const bool exists = found.exists;
    const struct stat& existing = found.existing;

    // Names in the folder are used relative to it, so that a long path to it does not matter.
    const platform::CFileDescriptor folder(::open(FolderOf(target).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    std::string temp;
    platform::CFileDescriptor fd(folder.ok() ? CreateBeside(folder.get(), NameOf(target), temp) : -1);
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
    platform::CFileDescriptor synced(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (synced.ok()) ::fsync(synced.get());
    return {};
}

}  // namespace files
