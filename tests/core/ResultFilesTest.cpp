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
using platform::FileDialogRequest;
using platform::MessageIcon;

namespace {

std::vector<uint8_t> ReadBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const fs::path& p, std::span<const uint8_t> bytes)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> Slice(std::span<const uint8_t> bytes, std::size_t offset, std::size_t n)
{
    return {bytes.begin() + offset, bytes.begin() + offset + n};
}

const char kSummary[] = "AMD Athlon at 800 MHz  with 256 Mb RAM  on WinNT";

CpuResults SampleCpu()
{
    CpuResults r;
    for (int i = 0; i < CpuResults::kCount; ++i) r.values[i] = 1000u + 111u * i;
    r.values[0] = 1234;
    r.values[CpuResults::kDhrystone] = 1666;
    r.values[CpuResults::kTotal] = 0xFFFFFFFFu;
    return r;
}

WhetstoneResults SampleFpu()
{
    WhetstoneResults r;
    for (int s = 0; s < 8; ++s) {
        bool mops = s == 2 || s == 3 || s == 4 || s == 6 || s == 7;
        r.mflops[s] = mops ? -1.0 : 100.5 + s;
        r.mops[s] = mops ? 200.25 * s : -1.0;
        r.seconds[s] = 0.125 * s;
    }
    r.mwips = 4812.75;
    r.totalSeconds = 90.0;
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
    static bool RunningAsRoot() { return ::geteuid() == 0; }

    fs::path dir_;
    RecordingPrompt prompt_;
};

}  // namespace

// --- Byte layouts --------------------------------------------------------------------------------------

TEST(ResultRecords, CpuRecordIsTheTextThenFifteenLittleEndianIntegers)
{
    auto bytes = EncodeCpuRecord(kSummary, SampleCpu());
    ASSERT_EQ(bytes.size(), 160u);
    EXPECT_EQ(Slice(bytes, 100, 4), (std::vector<uint8_t>{0xD2, 0x04, 0x00, 0x00}));  // Addition 1234 ms
    EXPECT_EQ(Slice(bytes, 152, 4), (std::vector<uint8_t>{0x82, 0x06, 0x00, 0x00}));  // Dhrystone 1666
    EXPECT_EQ(Slice(bytes, 156, 4), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));  // total
    EXPECT_EQ(Slice(bytes, 104, 4), (std::vector<uint8_t>{0x57, 0x04, 0x00, 0x00}));  // Subtraction 1111
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), kSummary);
}

TEST(ResultRecords, FpuRecordHoldsTheThreeArraysThenMwipsAndTotal)
{
    WhetstoneResults r{};
    r.mflops[0] = -1.0;
    r.mops[1] = 2.0;
    r.seconds[7] = 0.5;
    r.mwips = 1.0;
    r.totalSeconds = -2.0;
    auto bytes = EncodeFpuRecord("x", r);
    ASSERT_EQ(bytes.size(), 308u);
    EXPECT_EQ(Slice(bytes, 100, 8), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0xF0, 0xBF}));  // MFLOPS[0] = -1.0
    EXPECT_EQ(Slice(bytes, 164 + 8, 8), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0x00, 0x40}));   // MOPS[1] = 2.0
    EXPECT_EQ(Slice(bytes, 228 + 56, 8), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0xE0, 0x3F}));  // seconds[7]
    EXPECT_EQ(Slice(bytes, 292, 8), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));       // MWIPS 1.0
    EXPECT_EQ(Slice(bytes, 300, 8), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0x00, 0xC0}));       // total -2.0
}

TEST(ResultRecords, CacheRecordHoldsTheThreeGroupsOfNineRates)
{
    CacheResults r{};
    r.rates[0] = 1.0;
    r.rates[9] = 2.0;
    r.rates[18] = -1.0;
    r.rates[26] = 0.5;
    auto bytes = EncodeCacheRecord("x", r);
    ASSERT_EQ(bytes.size(), 316u);
    EXPECT_EQ(Slice(bytes, 100, 8), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
    EXPECT_EQ(Slice(bytes, 172, 8), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0x00, 0x40}));
    EXPECT_EQ(Slice(bytes, 244, 8), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0xF0, 0xBF}));
    EXPECT_EQ(Slice(bytes, 308, 8), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0xE0, 0x3F}));
}

TEST(ResultRecords, TextFieldKeepsAtMost99CharactersThenZeros)
{
    std::string exactly99(99, 'a');
    auto bytes = EncodeCpuRecord(exactly99, {});
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 99), exactly99);
    EXPECT_EQ(bytes[99], 0);

    std::string hundred = std::string(99, 'b') + "c";
    bytes = EncodeCpuRecord(hundred, {});
    EXPECT_EQ(bytes[98], 'b');
    EXPECT_EQ(bytes[99], 0);  // the 100th character is cut, never written over the NUL
    EXPECT_EQ(DecodeCpuRecord(bytes)->summary, std::string(99, 'b'));

    bytes = EncodeCpuRecord("short", {});
    for (std::size_t i = 5; i < 100; ++i) ASSERT_EQ(bytes[i], 0) << "offset " << i;
}

TEST(ResultRecords, ReaderStopsAtTheFirstNulAndNeverPastTheField)
{
    auto bytes = EncodeCacheRecord("abc", SampleCache());
    bytes[3] = 0;
    bytes[4] = 'X';  // bytes after the NUL are not significant
    EXPECT_EQ(DecodeCacheRecord(bytes)->summary, "abc");

    // No NUL at all in the field: the text is its first 99 characters.
    for (std::size_t i = 0; i < 100; ++i) bytes[i] = static_cast<uint8_t>('0' + i % 10);
    auto loaded = DecodeCacheRecord(bytes);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->summary.size(), 99u);
    EXPECT_EQ(loaded->summary.back(), '8');
    EXPECT_EQ(loaded->results, SampleCache());

    // A NUL at the very start gives an empty text.
    bytes[0] = 0;
    EXPECT_EQ(DecodeCacheRecord(bytes)->summary, "");
}

TEST(ResultRecords, EveryRecordRoundTripsBitForBit)
{
    auto cpu = DecodeCpuRecord(EncodeCpuRecord(kSummary, SampleCpu()));
    ASSERT_TRUE(cpu);
    EXPECT_EQ(cpu->summary, kSummary);
    EXPECT_EQ(cpu->results, SampleCpu());

    auto fpu = DecodeFpuRecord(EncodeFpuRecord(kSummary, SampleFpu()));
    ASSERT_TRUE(fpu);
    EXPECT_EQ(fpu->summary, kSummary);
    EXPECT_EQ(fpu->results, SampleFpu());

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
}

TEST(ResultRecords, ShortInputIsRefusedAndLongerInputReadOnlyToTheRecord)
{
    auto cpu = EncodeCpuRecord(kSummary, SampleCpu());
    EXPECT_FALSE(DecodeCpuRecord(std::span(cpu).first(159)));
    EXPECT_FALSE(DecodeFpuRecord(std::span(cpu)));  // a .cpu file is too short for the FPU layout
    EXPECT_FALSE(DecodeCacheRecord({}));

    // A .cache record read by the CPU page's layout: no check, it simply reads the first 160 bytes.
    auto cache = EncodeCacheRecord(kSummary, SampleCache());
    auto asCpu = DecodeCpuRecord(cache);
    ASSERT_TRUE(asCpu);
    EXPECT_EQ(asCpu->summary, kSummary);
}

// --- Dialogs and page flows ---------------------------------------------------------------------------

TEST(ResultFileDialogs, EachVariantHasItsFilterExtensionAndFlags)
{
    auto save = SaveDialogRequest(kCpuResultFile);
    EXPECT_EQ(save.filter, "CPU Benchmarks (*.cpu)|*.cpu||");
    EXPECT_EQ(save.defaultExtension, "cpu");
    EXPECT_TRUE(save.overwritePrompt);
    EXPECT_TRUE(save.hideReadOnly);
    EXPECT_TRUE(save.pathMustExist);
    EXPECT_FALSE(save.fileMustExist);

    auto open = OpenDialogRequest(kFpuResultFile);
    EXPECT_EQ(open.filter, "FPU Benchmarks (*.fpu)|*.fpu||");
    EXPECT_EQ(open.defaultExtension, "fpu");
    EXPECT_FALSE(open.overwritePrompt);
    EXPECT_TRUE(open.hideReadOnly);
    EXPECT_TRUE(open.fileMustExist);
    EXPECT_FALSE(open.pathMustExist);

    EXPECT_EQ(OpenDialogRequest(kCacheResultFile).filter, "Cache Benchmarks (*.cache)|*.cache||");
    EXPECT_EQ(SaveDialogRequest(kCacheResultFile).defaultExtension, "cache");
}

TEST_F(ResultFileFolder, CancelledDialogsTouchNothingAndSayNothing)
{
    platform::ScopedPrompt scope(prompt_);
    EXPECT_FALSE(SaveCpuResults(kSummary, SampleCpu()));
    EXPECT_FALSE(SaveFpuResults(kSummary, SampleFpu()));
    EXPECT_FALSE(SaveCacheResults(kSummary, SampleCache()));
    EXPECT_FALSE(LoadCpuResults());
    EXPECT_FALSE(LoadFpuResults());
    EXPECT_FALSE(LoadCacheResults());
    EXPECT_EQ(prompt_.saveRequests.size(), 3u);
    EXPECT_EQ(prompt_.openRequests.size(), 3u);
    EXPECT_EQ(prompt_.saveRequests[1].filter, "FPU Benchmarks (*.fpu)|*.fpu||");
    EXPECT_EQ(prompt_.openRequests[2].filter, "Cache Benchmarks (*.cache)|*.cache||");
    EXPECT_TRUE(prompt_.messages.empty());
    EXPECT_TRUE(Entries().empty());
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

    EXPECT_TRUE(prompt_.messages.empty());
    EXPECT_EQ(Entries(), (std::vector<std::string>{"a.cache", "a.cpu", "a.fpu"}));  // no leftovers
}

TEST_F(ResultFileFolder, ALongerFileIsReadOnlyToItsRecord)
{
    auto record = EncodeFpuRecord(kSummary, SampleFpu());
    std::vector<uint8_t> longer(record.begin(), record.end());
    longer.resize(1000, 0xEE);
    WriteBytes(dir_ / "long.fpu", longer);

    platform::ScopedPrompt scope(prompt_);
    prompt_.openAnswer = (dir_ / "long.fpu").string();
    auto loaded = LoadFpuResults();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->results, SampleFpu());
    EXPECT_TRUE(prompt_.messages.empty());
}

TEST_F(ResultFileFolder, LoadFailuresSayWhyAndHandNothingToThePage)
{
    auto record = EncodeCacheRecord(kSummary, SampleCache());
    WriteBytes(dir_ / "short.cache", std::span(record).first(315));
    WriteBytes(dir_ / "empty.cache", {});
    fs::create_directory(dir_ / "folder.cache");

    platform::ScopedPrompt scope(prompt_);
    struct Case {
        const char* name;
        const char* message;
    } cases[] = {
        {"short.cache", "Error !\n\nThe bench file is too short, Vext is unable to load it !"},
        {"empty.cache", "Error !\n\nThe bench file is too short, Vext is unable to load it !"},
        {"missing.cache", "Error !\n\nVext is unable to open the bench file !"},
        {"folder.cache", "Error !\n\nVext is unable to open the bench file !"},
    };
    for (const Case& c : cases) {
        prompt_.messages.clear();
        prompt_.openAnswer = (dir_ / c.name).string();
        EXPECT_FALSE(LoadCacheResults()) << c.name;
        ASSERT_EQ(prompt_.messages.size(), 1u) << c.name;
        EXPECT_EQ(prompt_.messages[0].first, c.message) << c.name;
        EXPECT_EQ(prompt_.messages[0].second, MessageIcon::Stop);
    }

    // A file that opens but fails to read: the process's own memory at address 0.
    if (fs::exists("/proc/self/mem")) {
        prompt_.messages.clear();
        prompt_.openAnswer = "/proc/self/mem";
        EXPECT_FALSE(LoadCacheResults());
        ASSERT_EQ(prompt_.messages.size(), 1u);
        EXPECT_EQ(prompt_.messages[0].first, "Error !\n\nVext is unable to read the bench file !");
    }

    // A file that may not be read (root reads everything, so this case needs another user).
    if (RunningAsRoot()) {
        std::printf("[ SKIPPED  ] unreadable-file case: root reads files whatever their permissions\n");
        return;
    }
    WriteBytes(dir_ / "secret.cache", record);
    fs::permissions(dir_ / "secret.cache", fs::perms::none);
    prompt_.messages.clear();
    prompt_.openAnswer = (dir_ / "secret.cache").string();
    EXPECT_FALSE(LoadCacheResults());
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].first, "Error !\n\nVext is unable to open the bench file !");
}

TEST_F(ResultFileFolder, TargetsThatCannotBeCreatedGiveTheCreateMessage)
{
    platform::ScopedPrompt scope(prompt_);
    fs::create_directory(dir_ / "taken.cpu");  // a folder where the file would go
    for (fs::path target : {dir_ / "no-such-folder" / "a.cpu", dir_ / "taken.cpu", fs::path()}) {
        prompt_.messages.clear();
        prompt_.saveAnswer = target.string();
        EXPECT_FALSE(SaveCpuResults(kSummary, SampleCpu())) << target;
        ASSERT_EQ(prompt_.messages.size(), 1u) << target;
        EXPECT_EQ(prompt_.messages[0].first, "Error !\n\nVext is unable to create the bench file !");
        EXPECT_EQ(prompt_.messages[0].second, MessageIcon::Stop);
    }
    EXPECT_TRUE(fs::is_directory(dir_ / "taken.cpu"));
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
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].first, "Error !\n\nVext is unable to create the bench file !");
    EXPECT_EQ(ReadBytes(dir_ / "ro.cpu"), std::vector<uint8_t>(old.begin(), old.end()));

    fs::create_directory(dir_ / "ro");
    fs::permissions(dir_ / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    prompt_.messages.clear();
    prompt_.saveAnswer = (dir_ / "ro" / "new.cpu").string();
    EXPECT_FALSE(SaveCpuResults(kSummary, {}));
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].first, "Error !\n\nVext is unable to create the bench file !");
    EXPECT_TRUE(fs::is_empty(dir_ / "ro"));

    // A writable file in that folder is still rewritten, where it stands.
    fs::permissions(dir_ / "ro", fs::perms::owner_all);
    WriteBytes(dir_ / "ro" / "rw.cpu", old);
    fs::permissions(dir_ / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    prompt_.messages.clear();
    prompt_.saveAnswer = (dir_ / "ro" / "rw.cpu").string();
    EXPECT_TRUE(SaveCpuResults(kSummary, {}));
    EXPECT_TRUE(prompt_.messages.empty());
    EXPECT_EQ(DecodeCpuRecord(ReadBytes(dir_ / "ro" / "rw.cpu"))->summary, kSummary);
}

TEST_F(ResultFileFolder, AWriteErrorOnAFullDeviceIsReported)
{
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "this system has no /dev/full";
    platform::ScopedPrompt scope(prompt_);
    prompt_.saveAnswer = "/dev/full";
    EXPECT_FALSE(SaveFpuResults(kSummary, SampleFpu()));
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].first, "A write error occured while Vext tried to write the bench file !");
    EXPECT_EQ(prompt_.messages[0].second, MessageIcon::Stop);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));  // still the device, never replaced by a file
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
    bool saved_ok;
    {
        platform::ScopedPrompt scope(prompt_);
        prompt_.saveAnswer = (dir_ / "run.cache").string();
        saved_ok = SaveCacheResults(kSummary, {});
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved_ok);
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].first, "A write error occured while Vext tried to write the bench file !");
    EXPECT_EQ(ReadBytes(dir_ / "run.cache"), std::vector<uint8_t>(old.begin(), old.end()));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"run.cache"}));  // the partial new file is gone
}

TEST_F(ResultFileFolder, ReplacingAFileKeepsItsPermissionsAndLinks)
{
    WriteBytes(dir_ / "real.cpu", EncodeCpuRecord("old", {}));
    fs::permissions(dir_ / "real.cpu", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real.cpu", dir_ / "link.cpu");

    platform::ScopedPrompt scope(prompt_);
    prompt_.saveAnswer = (dir_ / "link.cpu").string();
    ASSERT_TRUE(SaveCpuResults(kSummary, SampleCpu()));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.cpu"));
    EXPECT_EQ(fs::status(dir_ / "real.cpu").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    auto bytes = ReadBytes(dir_ / "real.cpu");
    EXPECT_EQ(DecodeCpuRecord(bytes)->results, SampleCpu());
    EXPECT_EQ(Entries(), (std::vector<std::string>{"link.cpu", "real.cpu"}));
}

TEST_F(ResultFileFolder, ALoadedFileShowsOnlyBytesItRead)
{
    // A file ending inside the numbers is refused, not completed with zeros or old values.
    auto record = EncodeCpuRecord(kSummary, SampleCpu());
    WriteBytes(dir_ / "cut.cpu", std::span(record).first(130));
    std::array<uint8_t, kCpuRecordSize> buffer{};
    EXPECT_EQ(ReadResultFile((dir_ / "cut.cpu").string(), buffer), ResultFileStatus::TooShort);
    EXPECT_EQ(ReadResultFile((dir_ / "none.cpu").string(), buffer), ResultFileStatus::CannotOpen);
    WriteBytes(dir_ / "ok.cpu", record);
    EXPECT_EQ(ReadResultFile((dir_ / "ok.cpu").string(), buffer), ResultFileStatus::Ok);
    EXPECT_EQ(buffer, record);
}
