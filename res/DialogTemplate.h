#pragma once
// The dialog templates, as data: positions and sizes in dialog units, numeric control ids and styles.
// Pages and dialogs are built from them by one builder (widgets/TemplateBuilder).
#include <cstdint>
#include <string>
#include <vector>

namespace res {

enum class ControlKind {
    Label,       // plain static text
    ValueBox,    // static text with a border and a sunken edge, showing a value
    Button,
    DefButton,   // the default push button
    ListView,    // report-view list
    ProgressBar,
    Icon,        // static icon showing the application icon
    EtchedLine,  // etched horizontal rule
    GroupBox,
};

enum Style : uint32_t {
    kLeft = 0,
    kCentre = 1u << 0,
    kRight = 1u << 1,
    kSingleSel = 1u << 7,    // LVS_SINGLESEL
    kDisabled = 1u << 9,     // WS_DISABLED
};

constexpr int kNoId = -1;  // IDC_STATIC

struct ControlTemplate {
    ControlKind kind;
    int id;
    std::string text;
    int x, y, width, height;
    uint32_t style = kLeft;
};

struct DialogTemplate {
    int id;
    std::string caption;  // a page's tab caption
    int width, height;
    std::vector<ControlTemplate> controls;
};

// Every template by its resource number; throws std::out_of_range for an unknown number.
const DialogTemplate& FindTemplate(int templateId);
// The numbers of every template present, ascending.
std::vector<int> TemplateIds();

// Template numbers.
constexpr int IDD_CPU_BENCH = 106;
constexpr int IDD_ABOUT = 107;
constexpr int IDD_PROC_INFO = 129;
constexpr int IDD_SYSTEM_INFO = 130;
constexpr int IDD_FPU_BENCH = 131;
constexpr int IDD_BENCH_PROGRESS = 132;
constexpr int IDD_CACHE_BENCH = 133;
constexpr int IDD_CACHE_RESULTS = 134;
constexpr int IDI_APP_ICON = 128;

// One function per template, each in its own file (res/AboutTemplate.cpp and so on); FindTemplate lists them.
const DialogTemplate& CpuBenchTemplate();
const DialogTemplate& AboutTemplate();
const DialogTemplate& ProcInfoTemplate();
const DialogTemplate& SystemInfoTemplate();
const DialogTemplate& FpuBenchTemplate();
const DialogTemplate& BenchProgressTemplate();
const DialogTemplate& CacheBenchTemplate();
const DialogTemplate& CacheResultsTemplate();

}  // namespace res
