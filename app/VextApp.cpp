#include "app/VextApp.h"

#include "app/VextSheet.h"
#include "app/WxPrompt.h"
#include "pages/About.h"
#include "pages/CPUBenchPage.h"
#include "pages/FPUBenchPage.h"
#include "pages/MemoryCoresPage.h"
#include "pages/CacheBenchPage.h"
#include "pages/ProcInfo.h"
#include "pages/ProcessorTodayPage.h"
#include "pages/SystemInfo.h"
#include "bench/BenchContext.h"

namespace app {

using namespace pages;

using namespace bench;

void AddSheetPages(CVextSheet& sheet)
{
    sheet.AddPage(new CProcInfo);
    sheet.AddPage(new CSystemInfo);
    sheet.AddPage(new CCPUBenchPage);
    sheet.AddPage(new CFPUBenchPage);
    sheet.AddPage(new CCacheBenchPage);
    sheet.AddPage(new CProcessorTodayPage);
    sheet.AddPage(new CMemoryCoresPage);
    sheet.AddPage(new CAbout);
}

bool CVextApp::InitInstance()
{
    const bench::Context context = bench::LiveContext();
    // The result is not used: the program assumes a processor with CPUID from here on.
    (void)context.machine.Cpuid(0, 0);

    CWxPrompt prompt;
    CVextSheet sheet(kSheetCaption, prompt, context);
    AddSheetPages(sheet);
    SetTopWindow(&sheet);
    sheet.Prepare();
    sheet.ShowModal();
    SetTopWindow(nullptr);
    return false;
}

}  // namespace app
