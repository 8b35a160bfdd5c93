#include "res/ControlIds.h"
#include "res/DialogTemplate.h"

namespace res {

// The window shown while a benchmark runs: three lines of text and a progress bar; no caption, no
// buttons.
const DialogTemplate& BenchProgressTemplate()
{
    static const DialogTemplate t{
        IDD_BENCH_PROGRESS, "", 229, 122,
        {
            {ControlKind::Label, kNoId, "Your system is being benchmarked", 58, 21, 112, 8},
            // "you mouse" and the double blank are the program's own text: keep them.
            {ControlKind::Label, kNoId, "Please, do not  move you mouse and do not press any keys.", 19, 37, 190, 8},
            {ControlKind::Label, kNoId, "This may take up to 5 minutes.", 65, 53, 97, 8},
            {ControlKind::ProgressBar, IDC_PROGRESS_BAR, "", 42, 80, 144, 14},
        }};
    return t;
}

}  // namespace res
