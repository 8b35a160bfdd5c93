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
#include <filesystem>
#include <vector>

#include "files/AtomicFile.h"
#include "bench/ResultTables.h"
#include "platform/FileDescriptor.h"
#include "platform/InputFile.h"
#include "platform/TextEncoding.h"

namespace files {

using namespace bench;

const ResultFileKind kCpuResultFile = {"cpu", "CPU Benchmarks (*.cpu)|*.cpu||", kCpuRecordSize, kCpuList};
const ResultFileKind kFpuResultFile = {"fpu", "FPU Benchmarks (*.fpu)|*.fpu||", kFpuRecordSize, kFpuList};
const ResultFileKind kCacheResultFile = {"cache", "Cache Benchmarks (*.cache)|*.cache||", kCacheRecordSize, kCacheList};

const ResultFileKind* FindResultFileKind(std::string_view name)
{
    for (const ResultFileKind* kind : {&kCpuResultFile, &kFpuResultFile, &kCacheResultFile})
        if (name == kind->name) return kind;
    return nullptr;
}

std::string ResultFileExtension(const std::string& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    if (!extension.empty()) extension.erase(0, 1);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return extension;
}

std::string CutSummary(std::string_view summary)
{
    if (summary.size() <= kSummaryMaxLength) return std::string(summary);
    const std::size_t n = platform::IsUtf8(summary) ? platform::Utf8CutPoint(summary, kSummaryMaxLength) : kSummaryMaxLength;
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

ResultFileStatus WriteResultFile(const std::string& path, std::span<const uint8_t> record, ExistingFile ifExists, int* error)
{
    const FileWriteResult written = WriteFileAtomically(path, std::as_bytes(record), ifExists);
    if (error) *error = written.error;
    switch (written.status) {
    case FileWriteStatus::Ok: return ResultFileStatus::Ok;
    case FileWriteStatus::CannotCreate: return ResultFileStatus::CannotCreate;
    case FileWriteStatus::TargetExists: return ResultFileStatus::TargetExists;
    case FileWriteStatus::WriteFailed: break;
    }
    return ResultFileStatus::WriteFailed;
}

ResultFileStatus ReadResultFile(const std::string& path, std::span<uint8_t> record, std::string* why)
{
    std::string reason;
    platform::CFileDescriptor fd(platform::OpenRegularFile(path, reason));
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
    case ResultFileStatus::Implausible:
        return "Error !\n\nThe bench file holds values that no benchmark run can produce, Vext is unable to load it !";
    }
    return "";
}

}  // namespace files
