#include "mainwindow/CorvantApp.h"

#include "mainwindow/MainFrame.h"
#include "platform/folders/UserFolders.h"
#include "platform/ui/WxDialogService.h"
#include "store/Settings.h"

namespace {
platform::ui::WxDialogService g_dialogs;
}

bool CCorvantApp::OnInit()
{
    if (!wxApp::OnInit()) {
        return false;
    }
    platform::ui::SetDialogService(&g_dialogs);
    // There is no installer to write "productExe": the program records where it runs from, so the find
    // launcher and second copies can start it.
    if (const auto self = platform::folders::CurrentExecutable(); !self.empty() && GetProductExe() != self) {
        SetSettingString("productExe", self.string());
    }
    auto* frame = new CMainFrame(); // owned by wx: deleted when the window is destroyed
    frame->Show();
    return true;
}

int CCorvantApp::OnExit()
{
    platform::ui::SetDialogService(nullptr);
    return wxApp::OnExit();
}
