// The stand-ins for the system services and the text formatting every page and report goes through.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cmath>
#include <limits>
#include <tuple>

#include "platform/CpuidDump.h"
#include "platform/InputFile.h"
#include "platform/SystemQueries.h"
#include "platform/TextEncoding.h"
#include "platform/TextFormat.h"

using namespace platform;

// Stands for a file system that cannot tell a file's status while fstatError is set.
std::atomic<int> fstatError{0};
extern "C" int fstat(int fd, struct stat* st)
{
    if (const int error = fstatError.load()) return errno = error, -1;
    return static_cast<int>(::syscall(SYS_fstat, fd, st));
}

TEST(InputFile, ARefusedFileIsSaidWithTheSystemsReason)
{
    std::string why;
    EXPECT_EQ(OpenRegularFile("/dev/null", why), -1);
    EXPECT_EQ(why, "'/dev/null' is a character device, not a regular file");
    fstatError = EIO;
    EXPECT_EQ(OpenRegularFile(VEXT_TEST_DATA "/modern-flags.txt", why), -1);
    fstatError = 0;
    EXPECT_EQ(why, "cannot read the status of '" VEXT_TEST_DATA "/modern-flags.txt': Input/output error");
}

TEST(InputFile, AWholeFileIsReadUpToItsLimitAndNoFurther)
{
    std::string bytes, why;
    const std::string path = VEXT_TEST_DATA "/modern-flags.txt";
    ASSERT_EQ(ReadWholeFile(path, 1u << 20, bytes, why), WholeFileStatus::Ok);
    const size_t size = bytes.size();
    ASSERT_GT(size, 0u);
    std::string again;
    EXPECT_EQ(ReadWholeFile(path, size, again, why), WholeFileStatus::Ok);
    EXPECT_EQ(again, bytes);
    EXPECT_EQ(ReadWholeFile(path, size - 1, again, why), WholeFileStatus::TooLarge);
    EXPECT_EQ(ReadWholeFile(VEXT_TEST_DATA, size, again, why), WholeFileStatus::CannotOpen);
    EXPECT_EQ(why, "'" VEXT_TEST_DATA "' is a directory");
}

TEST(TextFormat, ExactHalvesRoundUpOtherValuesToNearest)
{
    const std::pair<double, const char*> cases[]{
        {0.125, "0.13"}, {-0.125, "-0.13"},
        // The decision follows the exact stored value: 0.115 is stored a little above the half, 1.005 below.
        {0.115, "0.12"}, {1.005, "1.00"}, {99.999, "100.00"}, {-0.001, "0.00"},
        {std::numeric_limits<double>::infinity(), "infinite"}, {std::nan(""), "NaN"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatTwoDecimals(value), text) << value;
    EXPECT_EQ(TextFormat("%d - %d - %d", -1, 0x80000000u, 7), "-1 - -2147483648 - 7");
    EXPECT_EQ(TextFormat("%08X|%05.1f|%-4s|", 0xabcu, -2.25, "ab"), "00000ABC|-02.3|ab  |");
    EXPECT_EQ(TextFormat("100%% %c %d", 'x'), "100% x ");
}

TEST(SystemInfo, ProcFilesGiveMemoryVersionAndBootMode)
{
    const MemoryStatus m = ParseMeminfo("MemTotal:       24568012 kB\nMemFree: 2 kB\nMemAvailable:   23000000 kB\n"
                                        "SwapCached:            0 kB\nSwapTotal:       1048572 kB\nSwapFree:  524288 kB\n");
    EXPECT_EQ(std::tie(m.totalPhys, m.availPhys, m.totalPageFile, m.availPageFile),
              std::make_tuple(24568012ull * 1024, 23000000ull * 1024, 1048572ull * 1024, 524288ull * 1024));
    EXPECT_EQ(ParseMeminfo("MemTotal: 10 kB\nMemFree: 4 kB\n").availPhys, 4096u);  // old kernels

    const std::tuple<const char*, uint32_t, uint32_t, uint32_t> releases[] = {
        {"6.18.44-xyz", 6, 18, 44}, {"5.10", 5, 10, 0}, {"weird", 0, 0, 0}};
    for (const auto& [release, major, minor, build] : releases) {
        OsVersionInfo v;
        ParseKernelRelease(release, v);
        EXPECT_EQ(std::tie(v.majorVersion, v.minorVersion, v.buildNumber), std::tie(major, minor, build)) << release;
    }
    EXPECT_EQ(DistributionName("NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"),
              "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(DistributionName("NAME=Alpine\n") + DistributionName(""), "AlpineLinux");
    EXPECT_EQ(ServicePackText("Debian", "6.1.0-18-amd64"), "Debian, Linux 6.1.0-18-amd64");
    EXPECT_EQ(ServicePackText(std::string(200, 'x'), "6.1").size(), 127u);

    EXPECT_EQ(CleanBootFromCmdline("root=/dev/vda1 systemd.unit=rescue.target"), 1);
    EXPECT_EQ(CleanBootFromCmdline("ro single") + CleanBootFromCmdline("emergency quiet"), 2);
    EXPECT_EQ(CleanBootFromCmdline("root=/dev/sda11 ro"), 0);  // "1" only as a word of its own
}

TEST(TextEncoding, Utf8StopsAtTheSurrogatesAndAtU10FFFF)
{
    EXPECT_TRUE(IsUtf8("\xed\x9f\xbf") && IsUtf8("\xf4\x8f\xbf\xbf") && IsUtf8("\xe0\xa0\x80"));
    EXPECT_FALSE(IsUtf8("\xed\xa0\x80") || IsUtf8("\xf4\x90\x80\x80") || IsUtf8("\xe0\x9f\xbf") || IsUtf8("\xc1\xbf"));
}

TEST(CCpuidDump, ReadsBothFormatsTakingTheFirstProcessorOnlyAndRefusesMalformedLines)
{
    CCpuidDump plain = ParseCpuidDump("# cpu: Test processor\n\n00000000 00 00000003 756e6547 6c65746e 49656e69   \r\n"
                                     "0x80000000 0 ffffffff 0 0 0 # a comment\n");
    EXPECT_EQ(plain.Description(), "Test processor");
    EXPECT_EQ(plain.Query(0, 0), (CpuidRegs{3, 0x756e6547, 0x6c65746e, 0x49656e69}));
    EXPECT_EQ(plain.Query(0x80000000, 0).eax, 0xFFFFFFFFu);
    CCpuidDump raw = ParseCpuidDump("CPU 0:\n   0x00000000 0x00: eax=0x0000000d ebx=0x1 ecx=0x2 edx=0x3\n"
                                   "CPU 1:\n   0x00000000 0x00: eax=0x00000001 ebx=0x0 ecx=0x0 edx=0x0\n");
    EXPECT_EQ(raw.Query(0, 0).eax, 0xdu);
    EXPECT_EQ(raw.Size(), 1u);

    // Malformed input is refused, naming the line.
    const std::tuple<const char*, int, const char*> cases[] = {
        {"00000000 00 00000003 756e6547 6c65746e\n", 1, "six"},            // five numbers
        {"# ok\n00000000 00 1 2 3 4\n00000001 00 123456789 0 0 0\n", 3, "123456789"},  // more than 32 bits
        {"CPU:\n   0x00000000 0x00: eax=0x1 ebx=0x2 ecx=0x3 fdx=0x4\n", 2, "fdx"},
        {"0 0 1 2 3 4\n1 0 0 0 0 0\n0x0 00 1 2 3 5\n", 3, "leaf 0x0 subleaf 0x0 is given again (first on line 1)"},
    };
    for (const auto& [text, line, said] : cases) {
        try {
            ParseCpuidDump(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const CCpuidDumpError& e) {
            EXPECT_EQ(e.Line(), line) << e.what();
            EXPECT_NE(std::string(e.what()).find(said), std::string::npos) << e.what();
        }
    }
    for (std::string_view empty : {std::string_view("# only comments\n"), std::string_view("0 0 1 2 3 4\n\0", 13)})
        EXPECT_THROW(ParseCpuidDump(empty), CCpuidDumpError);
    EXPECT_THROW(LoadCpuidDump("/nonexistent/dump.txt"), CCpuidDumpError);
}
