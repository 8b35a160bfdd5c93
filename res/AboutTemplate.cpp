#include "res/DialogTemplate.h"

namespace res {

// "About": the text is painted; the template holds only the two framed icons.
const DialogTemplate& AboutTemplate()
{
    static const DialogTemplate t{IDD_ABOUT, "About", 361, 164,
                                  {
                                      {ControlKind::Icon, kNoId, "", 7, 7, 21, 20},
                                      {ControlKind::Icon, kNoId, "", 337, 6, 21, 20},
                                  }};
    return t;
}

}  // namespace res
