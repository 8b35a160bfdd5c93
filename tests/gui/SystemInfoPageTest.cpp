// The Windows Information page on a faked system.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/VextApp.h"
#include "app/VextSheet.h"
#include "pages/About.h"
#include "pages/SystemInfo.h"
#include "platform/Clocks.h"
#include "platform/SystemInfo.h"

using namespace platform;

namespace {

constexpr uint64_t kMb = 1048576;

struct FakeSystem {
    uint32_t tick = 90061000u;
    int cleanBoot = 2;
    int debug = 0;
    int versionReads = 0;
    ScopedMemoryStatus memory{[] { return MemoryStatus{133677056, 131072, 6ull * 1024 * kMb, 0}; }};
    ScopedOsVersion version{[this] {
        ++versionReads;
        OsVersionInfo v;
        v.platformId = kPlatformWindows, v.majorVersion = 4, v.minorVersion = 0;
        v.buildNumber = 0x040003B6;  // 950 in the low word
        v.csdVersion = "B";
        return v;
    }};
    ScopedSystemMetrics metrics{[this](int index) { return index == SM_CLEANBOOT ? cleanBoot : debug; }};
    ScopedTickCount ticks{[this] { return tick; }};
};

const std::map<int, std::string> kExpected{
    {1013, "Windows'95 OSR 2.5"}, {1003, "4.0   (Build : 950)"},
    {1005, "B"},                  {1006, "Fail-safe with network boot"},
    {1014, "No"},                 {1015, "25 hour(s), 1 min(s), 1 sec(s)"},
    {1008, "128 Mb"},             {1010, "0.13 Mb"},
    {1012, "6144.00 Mb"},         {1007, "0.00 Mb"},
    {1011, "6271.48 Mb"},  // 6 Gb + 127.48 Mb
    {1009, "0.13 Mb"},
};

}  // namespace

TEST(SystemInfoPage, FillsItsTwelveBoxesOnFirstSelectionOnly)
{
    FakeSystem fake;
    CVextSheet sheet(kSheetCaption);
    sheet.AddPage(new CAbout);
    auto* page = new CSystemInfo;
    sheet.AddPage(page);
    sheet.Prepare();

    // Not shown yet: nothing asked, nothing shown.
    EXPECT_FALSE(page->IsInitialised());
    EXPECT_EQ(fake.versionReads, 0);
    for (const auto& [id, text] : kExpected) {
        ASSERT_NE(page->Control(id), nullptr) << id;
        EXPECT_EQ(page->ControlText(id), "") << id;
    }

    sheet.SelectPage(1);
    EXPECT_TRUE(page->IsInitialised());
    EXPECT_EQ(fake.versionReads, 1);
    for (const auto& [id, text] : kExpected) EXPECT_EQ(page->ControlText(id), text) << id;

    // Time passes and the system changes; the page keeps what it showed.
    fake.tick += 3600000;
    fake.cleanBoot = 0;
    fake.debug = 1;
    sheet.SelectPage(0);
    sheet.SelectPage(1);
    EXPECT_EQ(fake.versionReads, 1);
    for (const auto& [id, text] : kExpected) EXPECT_EQ(page->ControlText(id), text) << id;
}

TEST(SystemInfoPage, FirstPageFillsAsTheSheetOpensAndAnEmptyServicePackStaysEmpty)
{
    FakeSystem fake;
    ScopedOsVersion nt([] {
        OsVersionInfo v;
        v.platformId = kPlatformNT, v.majorVersion = 5, v.minorVersion = 0, v.buildNumber = 2195;
        return v;
    });
    CVextSheet sheet(kSheetCaption);
    auto* page = new CSystemInfo;
    sheet.AddPage(page);
    sheet.Prepare();
    EXPECT_TRUE(page->IsInitialised());
    EXPECT_EQ(page->ControlText(1005), "");
    EXPECT_EQ(page->ControlText(1013), "Windows 2000");
    EXPECT_EQ(page->ControlText(1003), "5.0   (Build : 2195)");
}
