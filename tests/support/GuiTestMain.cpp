// main() of the window tests: a real wxApp on the display (Xvfb under the test script), with wx's log
// going to standard error and its assertions failing the test, so that no modal box waits for a click.

#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>

namespace {

class TestApp : public wxApp
{
public:
    bool OnInit() override { return true; }
    // wx shows a failed assertion in a modal box that nobody answers on the virtual display, so the test
    // would wait for ever: the assertion fails the running test instead.
    void OnAssertFailure(const wxChar* file, int line, const wxChar* func, const wxChar* cond,
                         const wxChar* msg) override
    {
        ADD_FAILURE() << "wx assertion \"" << wxString(cond) << "\" failed in " << wxString(func) << " ("
                      << wxString(file) << ":" << line << "): " << wxString(msg);
    }
};

} // namespace

int main(int argc, char** argv)
{
    lumarc::test::SetUpTestProcess();
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) { // test discovery at build time has no display
        return RUN_ALL_TESTS();
    }
    wxApp::SetInstance(new TestApp()); // owned by wx, deleted by wxEntryCleanup
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "cannot start wxWidgets (is there a display?)\n");
        return 2;
    }
    delete wxLog::SetActiveTarget(new wxLogStderr());
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    lumarc::test::TearDownTestProcess();
    return result;
}
