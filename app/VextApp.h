#pragma once
#include <wx/app.h>

namespace app {

class CVextSheet;

class CVextApp : public wxApp {
public:
    // Executes CPUID leaf 0 once, runs the sheet modally and returns false: the program ends when the
    // sheet closes, however it is closed.
    bool InitInstance();
    bool OnInit() override { return InitInstance(); }
};

// Adds the pages to `sheet` in tab order: Processor Information, Windows Information, CPU Benchmark,
// FPU Benchmark, Cache Benchmark, About.
void AddSheetPages(CVextSheet& sheet);

// The sheet's caption.
inline constexpr const char* kSheetCaption = "Vext v1.0";

}  // namespace app
