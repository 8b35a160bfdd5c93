// The program takes no command line. wxWidgets would report a failed start (OnInit returning false)
// with exit status 255; here the sheet closing is the normal end, so the program ends with 0.
#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>

#include "app/VextApp.h"

wxIMPLEMENT_APP_NO_MAIN(app::CVextApp);

int main(int argc, char** argv)
{
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "vext: no display. Vext is a desktop program and needs a graphical display "
                             "(DISPLAY or WAYLAND_DISPLAY); vext-cli runs without one.\n");
        return 1;
    }
    int wxArgc = 1;  // the command line is not read
    if (!wxEntryStart(wxArgc, argv)) {
        std::fprintf(stderr, "vext: cannot open the display.\n");
        return 1;
    }
    (void)argc;
    wxTheApp->CallOnInit();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
