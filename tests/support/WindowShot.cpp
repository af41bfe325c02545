#include "tests/support/WindowShot.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <cstdlib>

namespace lumarc::test {

void LetWindowsPaint()
{
    for (int turn = 0; turn < 25; ++turn) {
        wxTheApp->Yield(true); // also from inside a modal dialog's loop
        wxMilliSleep(20);
    }
}

void SaveWindowShot(wxWindow& window, const std::string& name)
{
    if (std::getenv("LUMARC_SCREENSHOTS") == nullptr) {
        return;
    }
    window.Refresh();
    window.Update();
    SaveScreenShot(window.GetScreenRect(), name);
}

void SaveScreenShot(const wxRect& rect, const std::string& name)
{
    const char* folder = std::getenv("LUMARC_SCREENSHOTS");
    if (folder == nullptr) {
        return;
    }
    LetWindowsPaint();
    // The display's own picture, taken by ImageMagick: under Xvfb a blit from a screen device context
    // may hand back what an earlier window drew there.
    const std::string command = "import -window root -crop " + std::to_string(rect.width) + "x" +
                                std::to_string(rect.height) + "+" + std::to_string(rect.x) + "+" +
                                std::to_string(rect.y) + " +repage '" + folder + "/" + name + ".png'";
    if (std::system(command.c_str()) != 0) {
        ADD_FAILURE() << "no screenshot: " << command;
    }
}

} // namespace lumarc::test
