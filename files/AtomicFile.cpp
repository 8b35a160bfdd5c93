#include "files/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "files/FileDescriptor.h"

namespace {

bool WriteAll(int fd, std::span<const std::byte> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Pushes the bytes to the device. A file system that cannot sync at all says EINVAL; its data went
// as far as it can go.
bool Flush(int fd) { return ::fsync(fd) == 0 || errno == EINVAL; }

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

// The permissions a file created by open() with 0666 would get.
mode_t NewFileMode()
{
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A device or a pipe cannot be replaced by a new file: write into it as it is.
FileWriteStatus WriteInPlace(const std::string& path, std::span<const std::byte> bytes, int extraFlags)
{
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | extraFlags));
    if (!fd.ok()) return FileWriteStatus::CannotCreate;
    if (!WriteAll(fd.get(), bytes)) return FileWriteStatus::WriteFailed;
    return fd.Close() ? FileWriteStatus::Ok : FileWriteStatus::WriteFailed;
}

// Gives the finished file its name; with Keep only where the name is still free, whatever took it (a
// file, or a link that names nothing) and whenever it did.
FileWriteStatus Publish(const std::string& temp, const std::string& target, ExistingFile ifExists)
{
    if (ifExists == ExistingFile::Replace)
        return ::rename(temp.c_str(), target.c_str()) == 0 ? FileWriteStatus::Ok : FileWriteStatus::WriteFailed;
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return FileWriteStatus::Ok;
    // A file system without the no-replace rename still refuses a second name that is taken.
    if ((errno == EINVAL || errno == ENOSYS) && ::link(temp.c_str(), target.c_str()) == 0) {
        ::unlink(temp.c_str());
        return FileWriteStatus::Ok;
    }
    return errno == EEXIST ? FileWriteStatus::TargetExists : FileWriteStatus::WriteFailed;
}

}  // namespace

FileWriteStatus WriteFileAtomically(const std::string& path, std::span<const std::byte> bytes, ExistingFile ifExists)
{
    if (path.empty()) return FileWriteStatus::CannotCreate;

    std::string target = path;
    struct stat existing {};
    bool exists = ::stat(path.c_str(), &existing) == 0;
    mode_t mode = NewFileMode();
    if (exists) {
        // A link keeps pointing where it did: the file it names is the one replaced.
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
        if (S_ISDIR(existing.st_mode)) return FileWriteStatus::CannotCreate;
        if (!S_ISREG(existing.st_mode)) return WriteInPlace(target, bytes, O_TRUNC);
        // The new file replaces the old one only where the old one could have been written.
        FileDescriptor probe(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
        if (!probe.ok()) return FileWriteStatus::CannotCreate;
        mode = existing.st_mode & 07777;
    }

    std::string temp = FolderOf(target) + "/." + NameOf(target) + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    FileDescriptor fd(::mkostemp(name.data(), O_CLOEXEC));
    if (!fd.ok()) {
        // A writable file in a folder where nothing new may be created can still be rewritten where
        // it stands; that is the one case left without the protection of the new file.
        if (exists && ifExists == ExistingFile::Replace) return WriteInPlace(target, bytes, O_TRUNC);
        return FileWriteStatus::CannotCreate;
    }
    temp = name.data();

    bool written = WriteAll(fd.get(), bytes) && ::fchmod(fd.get(), mode) == 0 && Flush(fd.get());
    if (written && exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())) {
        // Keeps the owner of a file rewritten by another user where allowed; no harm where not.
        [[maybe_unused]] int ignored = ::fchown(fd.get(), existing.st_uid, existing.st_gid);
    }
    written = fd.Close() && written;
    const FileWriteStatus published = written ? Publish(temp, target, ifExists) : FileWriteStatus::WriteFailed;
    if (published != FileWriteStatus::Ok) {
        ::unlink(temp.c_str());
        return published;
    }
    // The rename itself reaches the disk with the folder.
    FileDescriptor folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.ok()) ::fsync(folder.get());
    return FileWriteStatus::Ok;
}
