#pragma once
// The control ids of the templates. Ids repeat across templates (each template numbers its own
// controls), so every name says which template it belongs to.
namespace res {

// Processor Information
constexpr int IDC_PROC_VENDOR = 1000;
constexpr int IDC_PROC_NAME = 1002;
constexpr int IDC_PROC_FREQUENCY = 1003;
constexpr int IDC_PROC_L1_DATA_SIZE = 1005;
constexpr int IDC_PROC_L1_CODE_SIZE = 1006;
constexpr int IDC_PROC_L2_SIZE = 1007;
constexpr int IDC_PROC_TYPE = 1008;
constexpr int IDC_PROC_BRAND_STRING = 1009;
constexpr int IDC_PROC_LIST = 1011;
constexpr int IDC_PROC_BRAND_ID = 1012;
constexpr int IDC_PROC_REPORT = 1014;

// Windows Information
constexpr int IDC_SYS_VERSION = 1003;
constexpr int IDC_SYS_SPECIALS = 1005;
constexpr int IDC_SYS_BOOT_MODE = 1006;
constexpr int IDC_SYS_FREE_VIRTUAL = 1007;
constexpr int IDC_SYS_PHYSICAL = 1008;
constexpr int IDC_SYS_FREE_WINDOWS = 1009;
constexpr int IDC_SYS_FREE_PHYSICAL = 1010;
constexpr int IDC_SYS_WINDOWS_MEMORY = 1011;
constexpr int IDC_SYS_VIRTUAL = 1012;
constexpr int IDC_SYS_OS_NAME = 1013;
constexpr int IDC_SYS_DEBUG = 1014;
constexpr int IDC_SYS_UPTIME = 1015;

// The three benchmark pages: the same ids in each.
constexpr int IDC_BENCH_YOUR_SUMMARY = 1015;
constexpr int IDC_BENCH_LOADED_SUMMARY = 1016;
constexpr int IDC_BENCH_LIST = 1017;
constexpr int IDC_BENCH_RUN = 1021;
constexpr int IDC_BENCH_LOAD = 1022;
constexpr int IDC_BENCH_SAVE = 1023;
constexpr int IDC_BENCH_COMPARE = 1024;  // Cache Benchmark only

// The benchmark progress window
constexpr int IDC_PROGRESS_BAR = 1001;

// The cache chart
constexpr int IDC_CHART_OK = 1;  // IDOK

}  // namespace res
