#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

#include "files/ResultFiles.h"
#include "tests/core/RecordingPrompt.h"

namespace fs = std::filesystem;
using platform::MessageIcon;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes ReadBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const fs::path& p, std::span<const uint8_t> bytes)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes Slice(std::span<const uint8_t> bytes, std::size_t offset, std::size_t n)
{
    return {bytes.begin() + offset, bytes.begin() + offset + n};
}

const char kSummary[] = "AMD Athlon at 800 MHz  with 256 Mb RAM  on WinNT";
const char kCreateError[] = "Error !\n\nVext is unable to create the bench file !";
const char kOpenError[] = "Error !\n\nVext is unable to open the bench file !";
const char kWriteError[] = "A write error occured while Vext tried to write the bench file !";

CpuResults SampleCpu()
{
    CpuResults r;
    for (int i = 0; i < CpuResults::kCount; ++i) r.values[i] = 1000u + 111u * i;
    r.values[0] = 1234, r.values[CpuResults::kDhrystone] = 1666, r.values[CpuResults::kTotal] = 0xFFFFFFFFu;
    return r;
}

WhetstoneResults SampleFpu()
{
    WhetstoneResults r;
    for (int s = 0; s < 8; ++s)
        r.mflops[s] = s % 2 ? -1.0 : 100.5 + s, r.mops[s] = s % 2 ? 200.25 * s : -1.0, r.seconds[s] = 0.125 * s;
    r.mwips = 4812.75, r.totalSeconds = 90.0;
    return r;
}

CacheResults SampleCache()
{
    CacheResults r;
    for (int i = 0; i < CacheResults::kCount; ++i) r.rates[i] = 1000.0 * (i + 1) + 0.5;
    r.rates[3] = std::numeric_limits<double>::infinity();  // a block too fast for the timer
    return r;
}

// A private folder per test, removed afterwards.
class ResultFileFolder : public testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "vext-results-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        for (auto& e : fs::recursive_directory_iterator(dir_, ec))
            if (e.is_directory()) fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The one message box the last flow showed; forgets it for the next.
    void ExpectMessage(const std::string& text)
    {
        ASSERT_EQ(prompt_.messages.size(), 1u) << text;
        EXPECT_EQ(prompt_.messages[0].first, text);
        EXPECT_EQ(prompt_.messages[0].second, MessageIcon::Stop);
        prompt_.messages.clear();
    }
    static bool RunningAsRoot() { return ::geteuid() == 0; }

    fs::path dir_;
    RecordingPrompt prompt_;
};

}  // namespace

TEST(ResultRecords, ByteLayoutsAreLittleEndianFieldsAfterTheText)
{
    auto cpu = EncodeCpuRecord(kSummary, SampleCpu());
    ASSERT_EQ(cpu.size(), 160u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(cpu.data())), kSummary);
    EXPECT_EQ(Slice(cpu, 100, 4), (Bytes{0xD2, 0x04, 0x00, 0x00}));  // Addition 1234 ms
    EXPECT_EQ(Slice(cpu, 104, 4), (Bytes{0x57, 0x04, 0x00, 0x00}));  // Subtraction 1111
    EXPECT_EQ(Slice(cpu, 152, 4), (Bytes{0x82, 0x06, 0x00, 0x00}));  // Dhrystone 1666
    EXPECT_EQ(Slice(cpu, 156, 4), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));  // total

    WhetstoneResults w{};
    w.mflops[0] = -1.0, w.mops[1] = 2.0, w.seconds[7] = 0.5, w.mwips = 1.0, w.totalSeconds = -2.0;
    auto fpu = EncodeFpuRecord("x", w);
    CacheResults c{};
    c.rates[0] = 1.0, c.rates[9] = 2.0, c.rates[18] = -1.0, c.rates[26] = 0.5;
    auto cache = EncodeCacheRecord("x", c);
    ASSERT_EQ(fpu.size(), 308u);
    ASSERT_EQ(cache.size(), 316u);
    struct Case {
        std::span<const uint8_t> record;
        std::size_t offset;
        uint8_t byte6, byte7;  // the first six bytes of these doubles are zero
    } cases[] = {
        {fpu, 100, 0xF0, 0xBF},   // MFLOPS[0] = -1.0
        {fpu, 172, 0x00, 0x40},   // MOPS[1] = 2.0
        {fpu, 284, 0xE0, 0x3F},   // seconds[7] = 0.5
        {fpu, 292, 0xF0, 0x3F},   // MWIPS 1.0
        {fpu, 300, 0x00, 0xC0},   // total -2.0
        {cache, 100, 0xF0, 0x3F}, // first group
        {cache, 172, 0x00, 0x40}, // second group
        {cache, 244, 0xF0, 0xBF}, // third group
        {cache, 308, 0xE0, 0x3F}, // last rate
    };
    for (const Case& k : cases)
        EXPECT_EQ(Slice(k.record, k.offset, 8), (Bytes{0, 0, 0, 0, 0, 0, k.byte6, k.byte7})) << k.offset;
}

TEST(ResultRecords, TextFieldKeepsAtMost99CharactersAndStopsAtTheFirstNul)
{
    std::string exactly99(99, 'a');
    auto cpu = EncodeCpuRecord(exactly99, {});
    EXPECT_EQ(std::string(cpu.begin(), cpu.begin() + 99), exactly99);
    EXPECT_EQ(cpu[99], 0);

    cpu = EncodeCpuRecord(std::string(99, 'b') + "c", {});
    EXPECT_EQ(cpu[99], 0);  // the 100th character is cut, never written over the NUL
    EXPECT_EQ(DecodeCpuRecord(cpu)->summary, std::string(99, 'b'));

    cpu = EncodeCpuRecord("short", {});
    for (std::size_t i = 5; i < 100; ++i) ASSERT_EQ(cpu[i], 0) << "offset " << i;

    auto bytes = EncodeCacheRecord("abc", SampleCache());
    bytes[3] = 0;
    bytes[4] = 'X';  // bytes after the NUL are not significant
    EXPECT_EQ(DecodeCacheRecord(bytes)->summary, "abc");

    // No NUL at all in the field: the text is its first 99 characters, the numbers are untouched.
    for (std::size_t i = 0; i < 100; ++i) bytes[i] = static_cast<uint8_t>('0' + i % 10);
    auto loaded = DecodeCacheRecord(bytes);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->summary, std::string(reinterpret_cast<const char*>(bytes.data()), 99));
    EXPECT_EQ(loaded->results, SampleCache());

    bytes[0] = 0;
    EXPECT_EQ(DecodeCacheRecord(bytes)->summary, "");
}

TEST(ResultRecords, RecordsRoundTripBitForBitAndShortInputIsRefused)
{
    auto cpu = EncodeCpuRecord(kSummary, SampleCpu());
    EXPECT_EQ(DecodeCpuRecord(cpu)->summary, kSummary);
    EXPECT_EQ(DecodeCpuRecord(cpu)->results, SampleCpu());
    EXPECT_EQ(DecodeFpuRecord(EncodeFpuRecord(kSummary, SampleFpu()))->results, SampleFpu());

    // NaN and negative zero keep their bits, which == would not show.
    CacheResults odd{};
    odd.rates[0] = std::nan("");
    odd.rates[1] = -0.0;
    odd.rates[2] = std::numeric_limits<double>::denorm_min();
    auto cache = DecodeCacheRecord(EncodeCacheRecord("", odd));
    ASSERT_TRUE(cache);
    EXPECT_TRUE(std::isnan(cache->results.rates[0]));
    EXPECT_TRUE(std::signbit(cache->results.rates[1]));
    EXPECT_EQ(cache->results.rates[2], odd.rates[2]);

    EXPECT_FALSE(DecodeCpuRecord(std::span(cpu).first(159)));
    EXPECT_FALSE(DecodeFpuRecord(std::span(cpu)));  // a .cpu file is too short for the FPU layout
    EXPECT_FALSE(DecodeCacheRecord({}));
    // A longer record is read only to the layout's size: a .cache record read as a .cpu one.
    EXPECT_EQ(DecodeCpuRecord(EncodeCacheRecord(kSummary, SampleCache()))->summary, kSummary);
}

TEST_F(ResultFileFolder, CancelledDialogsTouchNothingAndSayNothing)
{
    platform::ScopedPrompt scope(prompt_);
    EXPECT_FALSE(SaveCpuResults(kSummary, SampleCpu()));
    EXPECT_FALSE(SaveCacheResults(kSummary, SampleCache()));
    EXPECT_FALSE(LoadFpuResults());
    EXPECT_FALSE(LoadCacheResults());
    EXPECT_TRUE(prompt_.messages.empty());
    EXPECT_TRUE(Entries().empty());

    ASSERT_EQ(prompt_.saveRequests.size(), 2u);
    ASSERT_EQ(prompt_.openRequests.size(), 2u);
    const auto& save = prompt_.saveRequests[0];
    EXPECT_EQ(save.filter, "CPU Benchmarks (*.cpu)|*.cpu||");
    EXPECT_EQ(save.defaultExtension, "cpu");
    EXPECT_TRUE(save.overwritePrompt && save.hideReadOnly && save.pathMustExist);
    EXPECT_FALSE(save.fileMustExist);
    EXPECT_EQ(prompt_.saveRequests[1].defaultExtension, "cache");
    const auto& open = prompt_.openRequests[0];
    EXPECT_EQ(open.filter, "FPU Benchmarks (*.fpu)|*.fpu||");
    EXPECT_EQ(open.defaultExtension, "fpu");
    EXPECT_TRUE(open.hideReadOnly && open.fileMustExist);
    EXPECT_FALSE(open.overwritePrompt || open.pathMustExist);
    EXPECT_EQ(prompt_.openRequests[1].filter, "Cache Benchmarks (*.cache)|*.cache||");
}

TEST_F(ResultFileFolder, SavedFilesLoadBackOnTheirPages)
{
    platform::ScopedPrompt scope(prompt_);
    prompt_.saveAnswer = prompt_.openAnswer = (dir_ / "a.cpu").string();
    ASSERT_TRUE(SaveCpuResults(kSummary, SampleCpu()));
    EXPECT_EQ(fs::file_size(dir_ / "a.cpu"), 160u);
    auto cpu = LoadCpuResults();
    ASSERT_TRUE(cpu);
    EXPECT_EQ(cpu->summary, kSummary);
    EXPECT_EQ(cpu->results, SampleCpu());

    prompt_.saveAnswer = prompt_.openAnswer = (dir_ / "a.fpu").string();
    ASSERT_TRUE(SaveFpuResults(kSummary, SampleFpu()));
    EXPECT_EQ(fs::file_size(dir_ / "a.fpu"), 308u);
    EXPECT_EQ(LoadFpuResults()->results, SampleFpu());

    prompt_.saveAnswer = prompt_.openAnswer = (dir_ / "a.cache").string();
    ASSERT_TRUE(SaveCacheResults(kSummary, SampleCache()));
    EXPECT_EQ(fs::file_size(dir_ / "a.cache"), 316u);
    EXPECT_EQ(LoadCacheResults()->results, SampleCache());

    // A longer file is read only to its record.
    Bytes longer = ReadBytes(dir_ / "a.cache");
    longer.resize(1000, 0xEE);
    WriteBytes(dir_ / "a.cache", longer);
    EXPECT_EQ(LoadCacheResults()->results, SampleCache());

    EXPECT_TRUE(prompt_.messages.empty());
    EXPECT_EQ(Entries(), (std::vector<std::string>{"a.cache", "a.cpu", "a.fpu"}));  // no leftovers
}

TEST_F(ResultFileFolder, LoadFailuresSayWhyAndHandNothingToThePage)
{
    auto record = EncodeCacheRecord(kSummary, SampleCache());
    WriteBytes(dir_ / "short.cache", std::span(record).first(315));
    WriteBytes(dir_ / "empty.cache", {});
    fs::create_directory(dir_ / "folder.cache");

    platform::ScopedPrompt scope(prompt_);
    const char kTooShort[] = "Error !\n\nThe bench file is too short, Vext is unable to load it !";
    std::pair<std::string, const char*> cases[] = {
        {(dir_ / "short.cache").string(), kTooShort},
        {(dir_ / "empty.cache").string(), kTooShort},
        {(dir_ / "missing.cache").string(), kOpenError},
        {(dir_ / "folder.cache").string(), kOpenError},
        // Opens but fails to read: the process's own memory at address 0.
        {"/proc/self/mem", "Error !\n\nVext is unable to read the bench file !"},
    };
    for (const auto& [path, message] : cases) {
        if (!fs::exists(path) && path == "/proc/self/mem") continue;
        prompt_.openAnswer = path;
        EXPECT_FALSE(LoadCacheResults()) << path;
        ExpectMessage(message);
    }

    // A file that may not be read (root reads everything, so this case needs another user).
    if (RunningAsRoot()) {
        std::printf("[ SKIPPED  ] unreadable-file case: root reads files whatever their permissions\n");
        return;
    }
    WriteBytes(dir_ / "secret.cache", record);
    fs::permissions(dir_ / "secret.cache", fs::perms::none);
    prompt_.openAnswer = (dir_ / "secret.cache").string();
    EXPECT_FALSE(LoadCacheResults());
    ExpectMessage(kOpenError);
}

TEST_F(ResultFileFolder, TargetsThatCannotBeCreatedGiveTheCreateMessage)
{
    platform::ScopedPrompt scope(prompt_);
    fs::create_directory(dir_ / "taken.cpu");  // a folder where the file would go
    for (fs::path target : {dir_ / "no-such-folder" / "a.cpu", dir_ / "taken.cpu", fs::path()}) {
        prompt_.saveAnswer = target.string();
        EXPECT_FALSE(SaveCpuResults(kSummary, SampleCpu())) << target;
        ExpectMessage(kCreateError);
    }
    EXPECT_TRUE(fs::is_empty(dir_ / "taken.cpu"));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"taken.cpu"}));
}

TEST_F(ResultFileFolder, PermissionsDecideWhatASaveMayCreateOrReplace)
{
    if (RunningAsRoot()) GTEST_SKIP() << "root writes whatever the permissions say; run as another user";
    platform::ScopedPrompt scope(prompt_);
    auto old = EncodeCpuRecord("old", SampleCpu());
    WriteBytes(dir_ / "ro.cpu", old);
    fs::permissions(dir_ / "ro.cpu", fs::perms::owner_read);
    prompt_.saveAnswer = (dir_ / "ro.cpu").string();
    EXPECT_FALSE(SaveCpuResults(kSummary, {}));
    ExpectMessage(kCreateError);
    EXPECT_EQ(ReadBytes(dir_ / "ro.cpu"), Bytes(old.begin(), old.end()));

    fs::create_directory(dir_ / "ro");
    fs::permissions(dir_ / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    prompt_.saveAnswer = (dir_ / "ro" / "new.cpu").string();
    EXPECT_FALSE(SaveCpuResults(kSummary, {}));
    ExpectMessage(kCreateError);
    EXPECT_TRUE(fs::is_empty(dir_ / "ro"));

    // A writable file in that folder is still rewritten, where it stands.
    fs::permissions(dir_ / "ro", fs::perms::owner_all);
    WriteBytes(dir_ / "ro" / "rw.cpu", old);
    fs::permissions(dir_ / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    prompt_.saveAnswer = (dir_ / "ro" / "rw.cpu").string();
    EXPECT_TRUE(SaveCpuResults(kSummary, {}));
    EXPECT_TRUE(prompt_.messages.empty());
    EXPECT_EQ(DecodeCpuRecord(ReadBytes(dir_ / "ro" / "rw.cpu"))->summary, kSummary);
}

TEST_F(ResultFileFolder, ASaveThatFailsPartWayKeepsTheOldFile)
{
    auto old = EncodeCacheRecord("the previous run", SampleCache());
    WriteBytes(dir_ / "run.cache", old);

    // A file size limit stops the write after 200 of the 316 bytes, for root as for anyone.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 200;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    bool savedOk;
    {
        platform::ScopedPrompt scope(prompt_);
        prompt_.saveAnswer = (dir_ / "run.cache").string();
        savedOk = SaveCacheResults(kSummary, {});
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(savedOk);
    ExpectMessage(kWriteError);
    EXPECT_EQ(ReadBytes(dir_ / "run.cache"), Bytes(old.begin(), old.end()));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"run.cache"}));  // the partial new file is gone

    if (!fs::exists("/dev/full")) return;
    platform::ScopedPrompt scope(prompt_);
    prompt_.saveAnswer = "/dev/full";
    EXPECT_FALSE(SaveFpuResults(kSummary, SampleFpu()));
    ExpectMessage(kWriteError);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));  // still the device, never replaced by a file
}

TEST_F(ResultFileFolder, ReplacingAFileKeepsItsPermissionsAndLinks)
{
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    WriteBytes(dir_ / "real.cpu", EncodeCpuRecord("old", {}));
    fs::permissions(dir_ / "real.cpu", mode);
    fs::create_symlink("real.cpu", dir_ / "link.cpu");

    platform::ScopedPrompt scope(prompt_);
    prompt_.saveAnswer = (dir_ / "link.cpu").string();
    ASSERT_TRUE(SaveCpuResults(kSummary, SampleCpu()));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.cpu"));
    EXPECT_EQ(fs::status(dir_ / "real.cpu").permissions(), mode);
    EXPECT_EQ(DecodeCpuRecord(ReadBytes(dir_ / "real.cpu"))->results, SampleCpu());
    EXPECT_EQ(Entries(), (std::vector<std::string>{"link.cpu", "real.cpu"}));
}
