#include "mainwindow/commands/FrameToolBar.h"

#include "mainwindow/commands/CommandIds.h"
#include "mainwindow/common/ProgramPictures.h"
#include "mainwindow/menus/BCMenu.h"
#include "resources/LoadResString.h"
#include "store/program/Settings.h"

#include <wx/frame.h>
#include <wx/toolbar.h>

using namespace frame_command;

namespace {

struct Button
{
    int command; // 0: a separator
    bool dropDown;
    unsigned text;
};

constexpr Button kButtons[] = {
    {kFirstBack, true, 24129},
    {kFirstForward, true, 24140},
    {kUp, false, 133},
    {0, false, 0},
    {kQuickSearch, false, 11326},
    {0, false, 0},
    {kCut, false, 31016},
    {kCopy, false, 31019},
    {kPaste, false, 11021},
    {kDelete, false, 31011},
    {kProperties, false, 31013},
    {kCycleView, true, 136},
};

constexpr int kStripPicture = 146;
constexpr int kPictureSize = 22;

} // namespace

wxToolBar* SetUpToolBar(wxFrame& frame)
{
    wxToolBar* toolBar = frame.CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT | wxTB_TEXT | wxTB_NODIVIDER);
    toolBar->SetToolBitmapSize(wxSize(kPictureSize, kPictureSize));
    for (const Button& button : kButtons) {
        if (button.command == 0) {
            toolBar->AddSeparator();
            continue;
        }
        const wxString text = wxString::FromUTF8(LoadResString(button.text));
        toolBar->AddTool(BCMenu::ItemIdOf(button.command), text,
                         ProgramPictureBundle(kStripPicture, button.command, kPictureSize), text,
                         button.dropDown ? wxITEM_DROPDOWN : wxITEM_NORMAL);
    }
    SizeToolBarButtons(*toolBar);
    toolBar->Show(GetSettingInt("ToolbarEnabled", 1) != 0);
    return toolBar;
}

void SizeToolBarButtons(wxToolBar& toolBar)
{
    long style = toolBar.GetWindowStyleFlag();
    if (GetSettingInt("TextButtonEnabled", 1) != 0) {
        style |= wxTB_TEXT;
    } else {
        style &= ~static_cast<long>(wxTB_TEXT);
    }
    toolBar.SetWindowStyleFlag(style);
    toolBar.Realize();
    if (wxWindow* frame = toolBar.GetParent()) {
        frame->Layout();
        if (auto* top = dynamic_cast<wxFrame*>(frame)) {
            top->SendSizeEvent();
        }
    }
}
