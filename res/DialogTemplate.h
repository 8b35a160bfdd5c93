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
    Icon,        // static icon showing icon resource `iconId`
    EtchedLine,  // etched horizontal rule
    GroupBox,
};

enum Style : uint32_t {
    kLeft = 0,
    kCentre = 1u << 0,
    kRight = 1u << 1,
    kSunken = 1u << 2,       // SS_SUNKEN
    kBorder = 1u << 3,       // WS_BORDER
    kClientEdge = 1u << 4,   // WS_EX_CLIENTEDGE
    kTabStop = 1u << 5,
    kSmooth = 1u << 6,       // PBS_SMOOTH
    kSingleSel = 1u << 7,    // LVS_SINGLESEL
    kNoSortHeader = 1u << 8, // LVS_NOSORTHEADER
    kDisabled = 1u << 9,     // WS_DISABLED
    kCentreImage = 1u << 10, // SS_CENTERIMAGE
};

constexpr int kNoId = -1;  // IDC_STATIC

struct ControlTemplate {
    ControlKind kind;
    int id;
    std::string text;
    int x, y, width, height;
    uint32_t style = kLeft;
    int iconId = 0;
};

enum DialogStyle : uint32_t {
    kChild = 1u << 0,        // a property page
    kNoCaption = 1u << 1,    // popup without caption or system menu
    kDialogClientEdge = 1u << 2,
};

struct DialogTemplate {
    int id;
    std::string caption;  // a page's tab caption
    int width, height;
    std::string fontFace;
    int fontPoints;
    uint32_t style;
    std::vector<ControlTemplate> controls;

    const ControlTemplate* FindControl(int controlId) const;
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

// One function per template, each in its own file (res/Dialog107.cpp and so on); FindTemplate lists them.
const DialogTemplate& Dialog106();
const DialogTemplate& Dialog107();
const DialogTemplate& Dialog129();
const DialogTemplate& Dialog130();
const DialogTemplate& Dialog131();
const DialogTemplate& Dialog132();
const DialogTemplate& Dialog133();
const DialogTemplate& Dialog134();

}  // namespace res
