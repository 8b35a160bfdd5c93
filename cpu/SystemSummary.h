#pragma once
// The one-line summary of the machine that heads each benchmark page and is stored with its results.
#include <string>

#include "platform/Machine.h"

namespace cpu {

// "AMD Athlon at 800 MHz  with 256 Mb RAM  on WinNT". Detects the vendor and measures the clock
// (about one second); reads memory and version afresh.
std::string FormatSystemSummary(const platform::Machine& machine);

}  // namespace cpu
