#pragma once
// The benchmark result files ".cpu", ".fpu" and ".cache". Each is one fixed-size record: a 100-byte text
// field with the saving machine's summary line (at most 99 characters, a NUL, zeros after it), then the
// page's results as little-endian unsigned 32-bit integers or IEEE 754 doubles, field after field, with
// no header, length or checksum. A file is known only by its extension and by the page that reads it,
// which refuses one holding a value no benchmark run can produce (files/ResultPlausibility.h).
//
// Encode.../Decode... are the pure byte layouts, and WriteResultFile/ReadResultFile the file work
// without any dialog (vext-cli, tests). The pages' Save and Load flows are in files/ResultFileDialogs.h.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "bench/Results.h"
#include "files/AtomicFile.h"
#include "bench/ResultTables.h"

namespace files {

constexpr std::size_t kSummaryFieldSize = 100;
constexpr std::size_t kSummaryMaxLength = kSummaryFieldSize - 1;
constexpr std::size_t kCpuRecordSize = 160;
constexpr std::size_t kFpuRecordSize = 308;
constexpr std::size_t kCacheRecordSize = 316;

// What a load hands to its page: the loaded system's summary line and its results.
struct LoadedCpu {
    std::string summary;
    bench::CpuResults results;
};
struct LoadedFpu {
    std::string summary;
    bench::WhetstoneResults results;
};
struct LoadedCache {
    std::string summary;
    bench::CacheResults results;
};

// --- The three variants --------------------------------------------------------------------------
struct ResultFileKind {
    const char* name;              // "cpu": the file's extension, and the suite's name in vext-cli
    const char* filter;            // "CPU Benchmarks (*.cpu)|*.cpu||"
    std::size_t recordSize;
    bench::ListRows listRows;             // the page's list
};
extern const ResultFileKind kCpuResultFile;
extern const ResultFileKind kFpuResultFile;
extern const ResultFileKind kCacheResultFile;

// The kind of that name ("cpu", "fpu", "cache"), or null.
const ResultFileKind* FindResultFileKind(std::string_view name);

// The lower-case extension of the file name in `path`, without its dot: "cpu" for "run.CPU"; "" for a
// name without one, for a name that only starts with a dot, and for a dot in a folder's name.
std::string ResultFileExtension(const std::string& path);

// A summary line as the text field keeps it: its first 99 bytes. A UTF-8 text is cut before the
// character that would not fit whole, so that the kept part still reads as UTF-8. The saved files and
// the cache chart's legends both cut here.
std::string CutSummary(std::string_view summary);

// --- Byte layouts ----------------------------------------------------------------------------------
// The summary is cut by CutSummary; the rest of the text field is zero.
std::array<uint8_t, kCpuRecordSize> EncodeCpuRecord(std::string_view summary, const bench::CpuResults& results);
std::array<uint8_t, kFpuRecordSize> EncodeFpuRecord(std::string_view summary, const bench::WhetstoneResults& results);
std::array<uint8_t, kCacheRecordSize> EncodeCacheRecord(std::string_view summary, const bench::CacheResults& results);

// Nothing when fewer bytes than the record are given; bytes after the record are ignored. The text stops
// at the first NUL of its 100 bytes, or after 99 characters when there is none.
std::optional<LoadedCpu> DecodeCpuRecord(std::span<const uint8_t> bytes);
std::optional<LoadedFpu> DecodeFpuRecord(std::span<const uint8_t> bytes);
std::optional<LoadedCache> DecodeCacheRecord(std::span<const uint8_t> bytes);

// --- File work without dialogs -----------------------------------------------------------------------
enum class ResultFileStatus {
    Ok,
    CannotCreate,  // the target (or a file beside it) could not be created or opened for writing
    WriteFailed,   // a write, flush, close or the final replacement failed; an older file is kept
    CannotOpen,    // the file could not be opened for reading
    ReadFailed,    // a read failed after the file was opened
    TooShort,      // the file ends before the record does
    TargetExists,  // ExistingFile::Keep found the target taken, and left it as it was
    Implausible,   // the record holds a number no benchmark run can produce (files/ResultPlausibility.h)
};

// Writes the record as files/AtomicFile.h writes a file: a failure part-way leaves an existing file as it was.
// `error` (when given) gets the system's error number of the step that failed, 0 when none did.
ResultFileStatus WriteResultFile(const std::string& path, std::span<const uint8_t> record,
                                 ExistingFile ifExists = ExistingFile::Replace, int* error = nullptr);
// Fills `record` from the start of the file; a longer file's remaining bytes are not read. Only a
// regular file is read. On CannotOpen and ReadFailed, `why` (when given) says why, naming the file.
ResultFileStatus ReadResultFile(const std::string& path, std::span<uint8_t> record, std::string* why = nullptr);

// The message box text for a failure (empty for Ok).
std::string ResultFileMessage(ResultFileStatus status);

}  // namespace files
