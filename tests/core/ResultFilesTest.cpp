// The result files: their byte layout, and every way saving or loading one can end.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

#include "files/ResultFileLoad.h"
#include "files/ResultPlausibility.h"
#include "tests/support/ReportTestSupport.h"
#include "tests/support/FakeClocks.h"

using namespace files;

using namespace bench;

using namespace reporttest;

// Stands for another thread of the program that creates a file whenever the process's umask is set:
// while a save changes the umask, such a file gets the mode the save set, not the user's.
std::atomic<const fs::path*> createOnUmask{nullptr};
extern "C" mode_t umask(mode_t mask)
{
    const auto previous = static_cast<mode_t>(::syscall(SYS_umask, mask));
    if (const fs::path* folder = createOnUmask.load()) {
        static int created = 0;
        const int fd = ::open((*folder / ("other-" + std::to_string(++created))).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0) ::close(fd);
    }
    return previous;
}

namespace {

std::string Text(std::span<const uint8_t> bytes, std::size_t offset = 0, std::size_t n = std::string::npos)
{
    return std::string(bytes.begin(), bytes.end()).substr(offset, n);
}

const char kSummary[] = "AMD Athlon at 800 MHz  with 256 Mb RAM  on WinNT";
const char kCreateError[] = "Error !\n\nVext is unable to create the bench file !";
const char kOpenError[] = "Error !\n\nVext is unable to open the bench file !";
const char kWriteError[] = "A write error occured while Vext tried to write the bench file !";

CpuResults SampleCpu()
{
    CpuResults r;
    for (int i = 0; i < CpuResults::kCount; ++i) r.values[i] = 1000u + 111u * i;
    r.values[0] = 1234, r.values[CpuResults::kTotal] = 0xFFFFFFFFu;
    return r;
}

CacheResults SampleCache()
{
    CacheResults r;
    for (int i = 0; i < CacheResults::kCount; ++i) r.rates[i] = 1000.0 * (i + 1) + 0.5;
    r.rates[1] = -0.0, r.rates[3] = std::numeric_limits<double>::infinity();
    return r;
}

// A private folder per test; the message of each failed save or load is kept, as the page shows it.
class ResultFileFolder : public testing::Test {
protected:
    std::vector<std::string> Messages() { return std::exchange(messages_, {}); }
    static std::vector<std::string> Stop(const std::string& text) { return {text}; }
    bool Note(ResultFileStatus status)
    {
        if (status != ResultFileStatus::Ok) messages_.push_back(ResultFileMessage(status));
        return status == ResultFileStatus::Ok;
    }
    bool SaveCpu(const fs::path& path) { return Note(WriteResultFile(path.string(), EncodeCpuRecord(kSummary, SampleCpu()))); }
    template <typename Loaded>
    std::optional<Loaded> Load(ResultFileLoad<Loaded> load)
    {
        EXPECT_EQ(load.loaded.has_value(), Note(load.status));
        return load.loaded;
    }
    std::optional<LoadedCache> LoadCache(const fs::path& path) { return Load(LoadCacheFile(path.string())); }
    static bool Root() { return ::geteuid() == 0; }

    TempDir dir_;
    const fs::path& dir = dir_.Path();
    std::vector<std::string> messages_;
};

}  // namespace

TEST(ResultRecords, LittleEndianFieldsAfterA99CharacterTextDecodeBitForBit)
{
    auto cpu = EncodeCpuRecord(std::string(99, 'b') + "c", SampleCpu());
    ASSERT_EQ(cpu.size(), 160u);
    EXPECT_EQ(Text(cpu, 0, 100), std::string(99, 'b') + '\0');  // the 100th character is cut
    EXPECT_EQ(Text(cpu, 100, 4), std::string("\xD2\x04\0\0", 4));  // Addition 1234 ms
    EXPECT_EQ(Text(cpu, 156, 4), "\xFF\xFF\xFF\xFF");              // the total
    EXPECT_EQ(Text(EncodeCpuRecord("short", {}), 5, 95), std::string(95, '\0'));

    WhetstoneResults w{};
    w.mflops[0] = -1.0, w.mops[1] = 2.0, w.seconds[7] = 0.5, w.totalSeconds = -2.0;
    auto fpu = EncodeFpuRecord("x", w);
    CacheResults withNan = SampleCache();
    withNan.rates[0] = std::nan("");
    auto cache = EncodeCacheRecord("x", withNan);
    ASSERT_EQ(cache.size(), 316u);
    const std::tuple<std::span<const uint8_t>, std::size_t, const char*> doubles[] = {
        {fpu, 100, "\xF0\xBF"}, {fpu, 172, "\x00\x40"}, {fpu, 284, "\xE0\x3F"}, {fpu, 300, "\x00\xC0"}, {cache, 108, "\x00\x80"}};
    for (const auto& [record, offset, top] : doubles) EXPECT_EQ(Text(record, offset, 8), std::string(6, '\0') + std::string(top, 2)) << offset;

    // Decoding gives back every bit, NaN and negative zero too.
    auto decoded = DecodeCacheRecord(cache);
    EXPECT_TRUE(std::isnan(decoded->results.rates[0]) && std::signbit(decoded->results.rates[1]));
    EXPECT_EQ(decoded->results.rates[26], SampleCache().rates[26]);
    // No NUL in the text field: the text is its first 99 characters, the numbers are untouched.
    std::fill_n(cpu.begin(), 100, 'x');
    EXPECT_EQ(DecodeCpuRecord(cpu)->summary, std::string(99, 'x'));
    EXPECT_EQ(DecodeCpuRecord(cpu)->results, SampleCpu());

    EXPECT_FALSE(DecodeCpuRecord(std::span(cpu).first(159)));
    EXPECT_FALSE(DecodeFpuRecord(std::span(cpu)));  // a .cpu file is too short for the FPU layout
}

TEST(ResultRecords, SummaryCutNeverSplitsAUtf8Character)
{
    const std::string a97(97, 'a');
    const std::pair<std::string, std::string> cuts[] = {
        {a97 + "b\xC3\xA9", a97 + "b"},         // the character would end at byte 100: left out whole
        {a97 + "\xC3\xA9z", a97 + "\xC3\xA9"},  // ends at byte 99: kept
        {a97 + "b\xE9\xA9z", a97 + "b\xE9"},   // not UTF-8: 99 bytes as they are
    };
    for (const auto& [summary, kept] : cuts) EXPECT_EQ(CutSummary(summary), kept) << summary.size();
}

// A file's kind is its extension in any case, never a folder's, and a hidden name has none.
TEST(ResultFileKinds, KnownByTheExtensionOfTheNameAlone)
{
    EXPECT_EQ(ResultFileExtension("runs.d/run.CPU") + ResultFileExtension("runs.d/run") + ResultFileExtension("d/.cpu") +
                  ResultFileExtension("x."),
              "cpu");
    EXPECT_EQ(FindResultFileKind("cache"), &kCacheResultFile);
    EXPECT_EQ(FindResultFileKind("CPU"), nullptr);
}

TEST_F(ResultFileFolder, SavedFilesLoadBackAndLongerFilesAreReadToTheirRecord)
{
    ASSERT_TRUE(Note(WriteResultFile((dir / "a.cache").string(), EncodeCacheRecord(kSummary, SampleCache()))));
    WriteBytes(dir / "a.cache", ReadBytes(dir / "a.cache") + std::string(700, '\xEE'));
    EXPECT_EQ(LoadCache(dir / "a.cache")->results.rates[26], SampleCache().rates[26]);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);  // no leftovers
}

TEST_F(ResultFileFolder, LoadFailuresSayWhyAndHandNothingToThePage)
{
    const std::string record = Text(EncodeCacheRecord(kSummary, SampleCache()));
    WriteBytes(dir / "short.cache", record.substr(0, 315));
    WriteBytes(dir / "empty.cache", "");
    fs::create_directory(dir / "folder.cache");
    const char kTooShort[] = "Error !\n\nThe bench file is too short, Vext is unable to load it !";
    const std::pair<fs::path, const char*> cases[] = {
        {dir / "short.cache", kTooShort}, {dir / "empty.cache", kTooShort}, {dir / "missing.cache", kOpenError},
        {dir / "folder.cache", kOpenError},
        {"/proc/self/mem", "Error !\n\nVext is unable to read the bench file !"},  // opens, but address 0 fails
    };
    for (const auto& [path, message] : cases) {
        EXPECT_FALSE(LoadCache(path)) << path;
        EXPECT_EQ(Messages(), Stop(message)) << path;
    }
    // A file that may not be read: refused, except to root, who reads everything.
    WriteBytes(dir / "secret.cache", record);
    fs::permissions(dir / "secret.cache", fs::perms::none);
    EXPECT_EQ(LoadCache(dir / "secret.cache").has_value(), Root());
    EXPECT_EQ(Messages(), Root() ? std::vector<std::string>{} : Stop(kOpenError));
}

// Any text is long enough to decode as a record; no run writes one, so every page refuses it.
TEST_F(ResultFileFolder, ATextFileIsRefusedByEveryPage)
{
    // Prose, not the README itself: the unprivileged run of these tests may not read the source tree.
    std::string text;
    while (text.size() < 400) text += "# Vext\n\nVext is a small desktop utility for x86 Linux machines. It does three things.\n";
    for (const char* name : {"README.cpu", "README.fpu", "README.cache"}) WriteBytes(dir / name, text);
    const char kImplausible[] = "Error !\n\nThe bench file holds values that no benchmark run can produce, Vext is unable to load it !";
    EXPECT_FALSE(Load(LoadCpuFile((dir / "README.cpu").string())));
    EXPECT_FALSE(Load(LoadFpuFile((dir / "README.fpu").string())));
    EXPECT_FALSE(LoadCache(dir / "README.cache"));
    EXPECT_EQ(Messages(), std::vector<std::string>(3, kImplausible));
}

// The bounds at their edges: the last value a run could store loads, the next one does not. The index
// is the field's place in the record.
TEST(ResultPlausibility, EachBoundAdmitsItsEdgeAndNothingBeyond)
{
    const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
    const auto above = [](double v) { return std::nextafter(v, INFINITY); };
    const auto below = [](double v) { return std::nextafter(v, -INFINITY); };

    CpuResults cpu;  // all 0: a kernel within one tick, a Dhrystone run too long to rate
    EXPECT_EQ(ImplausibleValue(cpu), std::nullopt);
    cpu.values.fill(86400000), cpu.values[CpuResults::kDhrystone] = 1000000000, cpu.values[CpuResults::kTotal] = 13u * 86400000;
    EXPECT_EQ(ImplausibleValue(cpu), std::nullopt);
    for (int i : {0, 12, CpuResults::kDhrystone, CpuResults::kTotal}) {
        CpuResults beyond = cpu;
        ++beyond.values[i];
        EXPECT_EQ(ImplausibleValue(beyond), i);
    }

    WhetstoneResults fpu;
    fpu.mflops.fill(-1.0), fpu.mops.fill(1e9), fpu.seconds.fill(86400.0), fpu.mwips = 1e-9, fpu.totalSeconds = 0.0;
    fpu.mops[1] = -1.0, fpu.mflops[1] = 1e-9;
    fpu.seconds[2] = 1e-9, fpu.seconds[3] = -4294967.296, fpu.seconds[4] = -429496.7296 + 86400.0;  // wrapped ticks
    EXPECT_EQ(ImplausibleValue(fpu), std::nullopt);
    const std::pair<double WhetstoneResults::*, double> scalars[] = {
        {&WhetstoneResults::mwips, below(1e-9)}, {&WhetstoneResults::mwips, above(1e9)}, {&WhetstoneResults::mwips, inf},
        {&WhetstoneResults::totalSeconds, above(86400.0)}, {&WhetstoneResults::totalSeconds, below(-4294967.296)},
        {&WhetstoneResults::totalSeconds, above(-429496.7296 + 86400.0)}, {&WhetstoneResults::totalSeconds, below(0.0)},
        {&WhetstoneResults::totalSeconds, nan}};
    for (const auto& [field, value] : scalars) {
        WhetstoneResults beyond = fpu;
        beyond.*field = value;
        EXPECT_EQ(ImplausibleValue(beyond), field == &WhetstoneResults::mwips ? 24 : 25) << value;
    }
    for (double rate : {-1.5, -0.5, below(1e-9), above(1e9), nan}) {
        WhetstoneResults beyond = fpu;
        beyond.mops[7] = rate;
        EXPECT_EQ(ImplausibleValue(beyond), 15) << rate;
    }

    CacheResults cache;
    cache.rates.fill(1e9), cache.rates[0] = 0.0, cache.rates[1] = inf, cache.rates[2] = 1e-9;
    EXPECT_EQ(ImplausibleValue(cache), std::nullopt);
    for (double rate : {below(1e-9), above(1e9), -inf, nan, -1.0, 1e300}) {
        CacheResults beyond = cache;
        beyond.rates[26] = rate;
        EXPECT_EQ(ImplausibleValue(beyond), 26) << rate;
    }
}

TEST_F(ResultFileFolder, TargetsThatCannotBeCreatedGiveTheCreateMessage)
{
    fs::create_directory(dir / "taken.cpu");  // a folder where the file would go
    for (const fs::path& target : {dir / "no-such-folder" / "a.cpu", dir / "taken.cpu", fs::path()}) {
        EXPECT_FALSE(SaveCpu(target)) << target;
        EXPECT_EQ(Messages(), Stop(kCreateError));
    }
    EXPECT_TRUE(fs::is_empty(dir / "taken.cpu"));
    // The reason travels with the status, for a caller that says it.
    int error = 0;
    EXPECT_EQ(WriteResultFile((dir / "taken.cpu").string(), {}, ExistingFile::Replace, &error), ResultFileStatus::CannotCreate);
    EXPECT_EQ(error, EISDIR);
    EXPECT_EQ(WriteResultFile((dir / "none" / "a.cpu").string(), {}, ExistingFile::Replace, &error), ResultFileStatus::CannotCreate);
    EXPECT_EQ(error, ENOENT);
}

// The longest name the folder takes is saved as any other: through a new file, never rewritten in place.
TEST_F(ResultFileFolder, TheLongestNameIsSavedWhole)
{
    const fs::path target = dir / (std::string(251, 'n') + ".cpu"), other = dir / (std::string(251, 'o') + ".cpu");
    WriteBytes(target, "old");
    fs::create_hard_link(target, dir / "link");
    EXPECT_TRUE(SaveCpu(target));
    EXPECT_TRUE(SaveCpu(other));
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(ReadBytes(dir / "link"), "old");
    EXPECT_EQ(fs::file_size(target), kCpuRecordSize);
    EXPECT_EQ(fs::file_size(other), kCpuRecordSize);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 3);
}

// The umask stays the user's throughout a save: a file made meanwhile, and the saved one, get its mode.
TEST_F(ResultFileFolder, ASaveNeverChangesTheUmask)
{
    const mode_t saved = ::umask(022);
    createOnUmask = &dir;
    EXPECT_TRUE(SaveCpu(dir / "new.cpu"));
    EXPECT_TRUE(SaveCpu(dir / "new.cpu"));
    createOnUmask = nullptr;
    ::umask(saved);
    for (const fs::directory_entry& file : fs::directory_iterator(dir))
        EXPECT_EQ(file.status().permissions(), fs::perms(0644)) << file.path().filename();
}

// Run as root and again as another user (as_unprivileged_user.sh): root writes whatever the permissions say.
TEST_F(ResultFileFolder, PermissionsDecideWhatASaveMayCreateOrReplace)
{
    const std::string old = Text(EncodeCpuRecord("old", {}));
    WriteBytes(dir / "ro.cpu", old);
    fs::permissions(dir / "ro.cpu", fs::perms::owner_read);
    EXPECT_EQ(SaveCpu(dir / "ro.cpu"), Root());
    EXPECT_EQ(Messages(), Root() ? std::vector<std::string>{} : Stop(kCreateError));
    EXPECT_EQ(ReadBytes(dir / "ro.cpu") == old, !Root());

    // In a read-only folder a new file is refused, but a writable one is rewritten where it stands.
    fs::create_directory(dir / "ro");
    WriteBytes(dir / "ro" / "rw.cpu", old);
    fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(SaveCpu(dir / "ro" / "new.cpu"), Root());
    EXPECT_EQ(Messages(), Root() ? std::vector<std::string>{} : Stop(kCreateError));
    EXPECT_TRUE(SaveCpu(dir / "ro" / "rw.cpu"));
    fs::permissions(dir / "ro", fs::perms::owner_all);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(ReadBytes(dir / "ro" / "rw.cpu").substr(0, sizeof kSummary), std::string(kSummary, sizeof kSummary));
}

TEST_F(ResultFileFolder, ASaveThatFailsPartWayKeepsTheOldFile)
{
    const std::string old = Text(EncodeCpuRecord("the previous run", {}));
    WriteBytes(dir / "run.cpu", old);
    EXPECT_FALSE(WithFileSizeLimit(100, [&] { return SaveCpu(dir / "run.cpu"); }));  // of the 160 bytes
    EXPECT_EQ(Messages(), Stop(kWriteError));
    EXPECT_EQ(ReadBytes(dir / "run.cpu"), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);  // the partial new file is gone

    EXPECT_FALSE(SaveCpu("/dev/full"));
    EXPECT_EQ(Messages(), Stop(kWriteError));
    EXPECT_TRUE(fs::is_character_file("/dev/full"));  // still the device, never replaced by a file
}

TEST_F(ResultFileFolder, ReplacingAFileKeepsItsPermissionsButNoSetIdBitsAndLinks)
{
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    WriteBytes(dir / "real.cpu", "old");
    // The set-ID and sticky bits are a program's: never a results file's.
    fs::permissions(dir / "real.cpu", mode | fs::perms::set_uid | fs::perms::set_gid | fs::perms::sticky_bit);
    fs::create_symlink("real.cpu", dir / "link.cpu");
    ASSERT_TRUE(SaveCpu(dir / "link.cpu"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.cpu"));
    EXPECT_EQ(fs::status(dir / "real.cpu").permissions(), mode);
    EXPECT_EQ(fs::file_size(dir / "real.cpu"), 160u);
}
