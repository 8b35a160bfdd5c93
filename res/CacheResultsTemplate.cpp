#include "res/ControlIds.h"
#include "res/DialogTemplate.h"

namespace res {

// "Cache Benchmark Results": a modal frame with a caption; the chart is painted, the one control is OK.
const DialogTemplate& CacheResultsTemplate()
{
    static const DialogTemplate t{IDD_CACHE_RESULTS, "Cache Benchmark Results", 511, 246,
                                  {
                                      {ControlKind::DefButton, IDC_CHART_OK, "&OK", 231, 226, 50, 14},
                                  }};
    return t;
}

}  // namespace res
