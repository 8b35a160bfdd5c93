#include "res/DialogTemplate.h"

namespace res {

// "About": the text is painted; the template holds only the two framed icons.
const DialogTemplate& Dialog107()
{
    static const DialogTemplate t{IDD_ABOUT, "About", 361, 164, "MS Sans Serif", 8, kChild,
                                  {
                                      {ControlKind::Icon, kNoId, "", 7, 7, 21, 20, kSunken, IDI_APP_ICON},
                                      {ControlKind::Icon, kNoId, "", 337, 6, 21, 20, kSunken, IDI_APP_ICON},
                                  }};
    return t;
}

}  // namespace res
