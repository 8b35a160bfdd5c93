// The GUI tests run in one process with one wxApp, under a virtual display (xvfb-run).
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

#include <string>

namespace {
// A wxWidgets assertion is a test failure, not a dialog waiting for a person.
void FailOnWxAssert(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_str(), line) << "wx assertion in " << func.utf8_str() << ": " << cond.utf8_str() << " "
                                          << msg.utf8_str();
}
}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    wxSetAssertHandler(FailOnWxAssert);
    wxApp::SetInstance(new wxApp);
    int wxArgc = 1;
    if (!wxEntryStart(wxArgc, argv)) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
