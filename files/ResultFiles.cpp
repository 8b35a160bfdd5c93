#include "files/ResultFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/InputFile.h"
#include "platform/TextEncoding.h"

const ResultFileKind kCpuResultFile = {"CPU Benchmarks (*.cpu)|*.cpu||", "cpu", kCpuRecordSize};
const ResultFileKind kFpuResultFile = {"FPU Benchmarks (*.fpu)|*.fpu||", "fpu", kFpuRecordSize};
const ResultFileKind kCacheResultFile = {"Cache Benchmarks (*.cache)|*.cache||", "cache", kCacheRecordSize};

platform::FileDialogRequest SaveDialogRequest(const ResultFileKind& kind)
{
    platform::FileDialogRequest request;
    request.filter = kind.filter;
    request.defaultExtension = kind.defaultExtension;
    request.overwritePrompt = true;
    request.hideReadOnly = true;
    request.pathMustExist = true;
    return request;
}

platform::FileDialogRequest OpenDialogRequest(const ResultFileKind& kind)
{
    platform::FileDialogRequest request;
    request.filter = kind.filter;
    request.defaultExtension = kind.defaultExtension;
    request.hideReadOnly = true;
    request.fileMustExist = true;
    return request;
}

std::string CutSummary(std::string_view summary)
{
    if (summary.size() <= kSummaryMaxLength) return std::string(summary);
    std::size_t n = kSummaryMaxLength;
    if (platform::IsUtf8(summary))
        while (n > 0 && (static_cast<unsigned char>(summary[n]) & 0xC0) == 0x80) --n;
    return std::string(summary.substr(0, n));
}

// ---------------------------------------------------------------------------------------------------
// Byte layouts. Every number is written byte by byte, least significant first, whatever the host.

namespace {

class RecordWriter {
public:
    explicit RecordWriter(std::span<uint8_t> out) : out_(out) {}

    void Text(std::string_view text)
    {
        // The field is zero-filled first, so the NUL and everything after it are zero.
        const std::string kept = CutSummary(text);
        std::memcpy(out_.data() + pos_, kept.data(), kept.size());
        pos_ += kSummaryFieldSize;
    }
    void U32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i) out_[pos_++] = static_cast<uint8_t>(v >> (8 * i));
    }
    void F64(double d)
    {
        uint64_t v = std::bit_cast<uint64_t>(d);
        for (int i = 0; i < 8; ++i) out_[pos_++] = static_cast<uint8_t>(v >> (8 * i));
    }
    template <std::size_t N>
    void F64s(const std::array<double, N>& values)
    {
        for (double d : values) F64(d);
    }

private:
    std::span<uint8_t> out_;
    std::size_t pos_ = 0;
};

class RecordReader {
public:
    explicit RecordReader(std::span<const uint8_t> in) : in_(in) {}

    std::string Text()
    {
        // Stop at the first NUL; a field without one gives its first 99 characters, as the writer
        // would never have stored more.
        const uint8_t* field = in_.data() + pos_;
        const void* nul = std::memchr(field, 0, kSummaryMaxLength);
        std::size_t n = nul ? static_cast<std::size_t>(static_cast<const uint8_t*>(nul) - field) : kSummaryMaxLength;
        pos_ += kSummaryFieldSize;
        return std::string(reinterpret_cast<const char*>(field), n);
    }
    uint32_t U32()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(in_[pos_++]) << (8 * i);
        return v;
    }
    double F64()
    {
        uint64_t v = 0;
        for (int i = 0; i < 8; ++i) v |= static_cast<uint64_t>(in_[pos_++]) << (8 * i);
        return std::bit_cast<double>(v);
    }
    template <std::size_t N>
    void F64s(std::array<double, N>& values)
    {
        for (double& d : values) d = F64();
    }

private:
    std::span<const uint8_t> in_;
    std::size_t pos_ = 0;
};

}  // namespace

std::array<uint8_t, kCpuRecordSize> EncodeCpuRecord(std::string_view summary, const CpuResults& results)
{
    std::array<uint8_t, kCpuRecordSize> bytes{};
    RecordWriter w(bytes);
    w.Text(summary);
    for (uint32_t v : results.values) w.U32(v);
    return bytes;
}

std::array<uint8_t, kFpuRecordSize> EncodeFpuRecord(std::string_view summary, const WhetstoneResults& results)
{
    std::array<uint8_t, kFpuRecordSize> bytes{};
    RecordWriter w(bytes);
    w.Text(summary);
    w.F64s(results.mflops);
    w.F64s(results.mops);
    w.F64s(results.seconds);
    w.F64(results.mwips);
    w.F64(results.totalSeconds);
    return bytes;
}

std::array<uint8_t, kCacheRecordSize> EncodeCacheRecord(std::string_view summary, const CacheResults& results)
{
    std::array<uint8_t, kCacheRecordSize> bytes{};
    RecordWriter w(bytes);
    w.Text(summary);
    w.F64s(results.rates);
    return bytes;
}

std::optional<LoadedCpu> DecodeCpuRecord(std::span<const uint8_t> bytes)
{
    if (bytes.size() < kCpuRecordSize) return std::nullopt;
    RecordReader r(bytes);
    LoadedCpu loaded;
    loaded.summary = r.Text();
    for (uint32_t& v : loaded.results.values) v = r.U32();
    return loaded;
}

std::optional<LoadedFpu> DecodeFpuRecord(std::span<const uint8_t> bytes)
{
    if (bytes.size() < kFpuRecordSize) return std::nullopt;
    RecordReader r(bytes);
    LoadedFpu loaded;
    loaded.summary = r.Text();
    r.F64s(loaded.results.mflops);
    r.F64s(loaded.results.mops);
    r.F64s(loaded.results.seconds);
    loaded.results.mwips = r.F64();
    loaded.results.totalSeconds = r.F64();
    return loaded;
}

std::optional<LoadedCache> DecodeCacheRecord(std::span<const uint8_t> bytes)
{
    if (bytes.size() < kCacheRecordSize) return std::nullopt;
    RecordReader r(bytes);
    LoadedCache loaded;
    loaded.summary = r.Text();
    r.F64s(loaded.results.rates);
    return loaded;
}

// ---------------------------------------------------------------------------------------------------
// File work.

namespace {

// Closes on every path.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
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

bool WriteAll(int fd, std::span<const uint8_t> bytes)
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
ResultFileStatus WriteInPlace(const std::string& path, std::span<const uint8_t> record, int extraFlags)
{
    Fd fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | extraFlags));
    if (!fd.ok()) return ResultFileStatus::CannotCreate;
    if (!WriteAll(fd.get(), record)) return ResultFileStatus::WriteFailed;
    return fd.Close() ? ResultFileStatus::Ok : ResultFileStatus::WriteFailed;
}

// Gives the finished file its name; with Keep only where the name is still free, whatever took it (a
// file, or a link that names nothing) and whenever it did.
ResultFileStatus Publish(const std::string& temp, const std::string& target, ExistingFile ifExists)
{
    if (ifExists == ExistingFile::Replace)
        return ::rename(temp.c_str(), target.c_str()) == 0 ? ResultFileStatus::Ok : ResultFileStatus::WriteFailed;
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return ResultFileStatus::Ok;
    // A file system without the no-replace rename still refuses a second name that is taken.
    if ((errno == EINVAL || errno == ENOSYS) && ::link(temp.c_str(), target.c_str()) == 0) {
        ::unlink(temp.c_str());
        return ResultFileStatus::Ok;
    }
    return errno == EEXIST ? ResultFileStatus::TargetExists : ResultFileStatus::WriteFailed;
}

}  // namespace

ResultFileStatus WriteResultFile(const std::string& path, std::span<const uint8_t> record, ExistingFile ifExists)
{
    if (path.empty()) return ResultFileStatus::CannotCreate;

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
        if (S_ISDIR(existing.st_mode)) return ResultFileStatus::CannotCreate;
        if (!S_ISREG(existing.st_mode)) return WriteInPlace(target, record, O_TRUNC);
        // The new file replaces the old one only where the old one could have been written.
        Fd probe(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
        if (!probe.ok()) return ResultFileStatus::CannotCreate;
        mode = existing.st_mode & 07777;
    }

    std::string temp = FolderOf(target) + "/." + NameOf(target) + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    Fd fd(::mkostemp(name.data(), O_CLOEXEC));
    if (!fd.ok()) {
        // A writable file in a folder where nothing new may be created can still be rewritten where
        // it stands; that is the one case left without the protection of the new file.
        if (exists && ifExists == ExistingFile::Replace) return WriteInPlace(target, record, O_TRUNC);
        return ResultFileStatus::CannotCreate;
    }
    temp = name.data();

    bool written = WriteAll(fd.get(), record) && ::fchmod(fd.get(), mode) == 0 && Flush(fd.get());
    if (written && exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())) {
        // Keeps the owner of a file rewritten by another user where allowed; no harm where not.
        [[maybe_unused]] int ignored = ::fchown(fd.get(), existing.st_uid, existing.st_gid);
    }
    written = fd.Close() && written;
    const ResultFileStatus published = written ? Publish(temp, target, ifExists) : ResultFileStatus::WriteFailed;
    if (published != ResultFileStatus::Ok) {
        ::unlink(temp.c_str());
        return published;
    }
    // The rename itself reaches the disk with the folder.
    Fd folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.ok()) ::fsync(folder.get());
    return ResultFileStatus::Ok;
}

ResultFileStatus ReadResultFile(const std::string& path, std::span<uint8_t> record, std::string* why)
{
    std::string reason;
    Fd fd(platform::OpenRegularFile(path, reason));
    if (why) *why = reason;
    if (!fd.ok()) return ResultFileStatus::CannotOpen;
    std::size_t done = 0;
    while (done < record.size()) {
        ssize_t n = ::read(fd.get(), record.data() + done, record.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && why) *why = "cannot read '" + path + "': " + std::strerror(errno);
        if (n < 0) return ResultFileStatus::ReadFailed;
        if (n == 0) return ResultFileStatus::TooShort;
        done += static_cast<std::size_t>(n);
    }
    return fd.Close() ? ResultFileStatus::Ok : ResultFileStatus::ReadFailed;
}

std::string ResultFileMessage(ResultFileStatus status)
{
    switch (status) {
    case ResultFileStatus::Ok: return "";
    case ResultFileStatus::CannotCreate:
    case ResultFileStatus::TargetExists: return "Error !\n\nVext is unable to create the bench file !";
    // "occured" is the program's own spelling: keep it.
    case ResultFileStatus::WriteFailed: return "A write error occured while Vext tried to write the bench file !";
    case ResultFileStatus::CannotOpen: return "Error !\n\nVext is unable to open the bench file !";
    case ResultFileStatus::ReadFailed: return "Error !\n\nVext is unable to read the bench file !";
    case ResultFileStatus::TooShort: return "Error !\n\nThe bench file is too short, Vext is unable to load it !";
    }
    return "";
}

// ---------------------------------------------------------------------------------------------------
// The page flows.

namespace {

bool SaveRecord(const ResultFileKind& kind, std::span<const uint8_t> record)
{
    std::optional<std::string> path = platform::Prompt().AskSavePath(SaveDialogRequest(kind));
    if (!path) return false;
    ResultFileStatus status = WriteResultFile(*path, record);
    if (status == ResultFileStatus::Ok) return true;
    platform::Prompt().ShowMessage(ResultFileMessage(status), platform::MessageIcon::Stop);
    return false;
}

template <typename Loaded, std::size_t Size>
std::optional<Loaded> LoadRecord(const ResultFileKind& kind,
                                 std::optional<Loaded> (*decode)(std::span<const uint8_t>))
{
    std::optional<std::string> path = platform::Prompt().AskOpenPath(OpenDialogRequest(kind));
    if (!path) return std::nullopt;
    std::array<uint8_t, Size> bytes{};
    ResultFileStatus status = ReadResultFile(*path, bytes);
    if (status != ResultFileStatus::Ok) {
        platform::Prompt().ShowMessage(ResultFileMessage(status), platform::MessageIcon::Stop);
        return std::nullopt;
    }
    return decode(bytes);
}

}  // namespace

bool SaveCpuResults(std::string_view summary, const CpuResults& results)
{
    return SaveRecord(kCpuResultFile, EncodeCpuRecord(summary, results));
}

bool SaveFpuResults(std::string_view summary, const WhetstoneResults& results)
{
    return SaveRecord(kFpuResultFile, EncodeFpuRecord(summary, results));
}

bool SaveCacheResults(std::string_view summary, const CacheResults& results)
{
    return SaveRecord(kCacheResultFile, EncodeCacheRecord(summary, results));
}

std::optional<LoadedCpu> LoadCpuResults() { return LoadRecord<LoadedCpu, kCpuRecordSize>(kCpuResultFile, DecodeCpuRecord); }

std::optional<LoadedFpu> LoadFpuResults() { return LoadRecord<LoadedFpu, kFpuRecordSize>(kFpuResultFile, DecodeFpuRecord); }

std::optional<LoadedCache> LoadCacheResults()
{
    return LoadRecord<LoadedCache, kCacheRecordSize>(kCacheResultFile, DecodeCacheRecord);
}
