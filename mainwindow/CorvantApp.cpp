#include "mainwindow/CorvantApp.h"

#include "mainwindow/MainFrame.h"
#include "mainwindow/ProgramPanes.h"
#include "mainwindow/common/WaitWindow.h"
#include "mainwindow/common/WxClipboardAccess.h"
#include "mainwindow/placement/MainCatalogueNodeUi.h"
#include "mainwindow/placement/MainSelectionCopyUi.h"
#include "mainwindow/startup/SplashWindow.h"
#include "mainwindow/webview/ShowDownloadDlg.h"
#include "output/NodeWebPages.h"
#include "platform/folders/UserFolders.h"
#include "platform/ui/WxBroadcast.h"
#include "platform/ui/WxCursorService.h"
#include "platform/ui/WxDialogService.h"
#include "platform/ui/WxToolkitVersions.h"
#include "store/program/Broadcasts.h"
#include "store/program/InstallationNumber.h"
#include "store/program/Settings.h"
#include "store/program/StockFiles.h"
#include "store/program/TraceLog.h"
#include "store/program/VersionReport.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/base/OrderingNodeFactory.h"
#include "tree/catalogue/CatalogueNodeUi.h"
#include "tree/catalogue/CatalogueRecordCopier.h"
#include "tree/orders/OrderDialogs.h"
#include "tree/orders/OrderingNodes.h"
#include "tree/properties/NodeSheets.h"
#include "tree/wx/WxNodeDialogs.h"
#include "tree/wx/WxNodeSheets.h"
#include "tree/wx/WxOrderDialogs.h"

#include <wx/cmdline.h>

namespace {
platform::ui::WxDialogService g_dialogs;
platform::ui::WxCursorService g_cursors;
CWxClipboardAccess g_clipboard;
// What the element tree asks of the windows and of the rest of the program.
CWxNodeDialogs g_nodeDialogs;
CWxOrderDialogs g_orderDialogs;
CShoppingCartNodeFactory g_orderingNodes;
CCatalogueRecordCopier g_recordCopier;
CWxNodeSheets g_nodeSheets;
CWxDocumentLauncher g_documentLauncher;
// The catalogue node's password prompt and placement dialogs.
CMainCatalogueNodeUi g_catalogueNodeUi;
// "Copy to database", Add to my catalog and Add to want list.
CMainSelectionCopyUi g_selectionCopyUi;
} // namespace

void CCorvantApp::OnInitCmdLine(wxCmdLineParser& parser)
{
    wxApp::OnInitCmdLine(parser);
    parser.AddSwitch("nosplash", wxEmptyString, "start without the splash screen");
    parser.AddParam("start", wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL | wxCMD_LINE_PARAM_MULTIPLE);
}

bool CCorvantApp::OnInit()
{
    if (!wxApp::OnInit()) {
        return false;
    }
    platform::ui::SetDialogService(&g_dialogs);
    platform::ui::SetCursorService(&g_cursors);
    SetClipboardAccess(&g_clipboard);
    SetLibraryVersionProbe("wxWidgets", platform::ui::WxWidgetsVersion);
    SetLibraryVersionProbe("GTK", platform::ui::GtkVersion);
    StartTraceLog();
    // Registered before listening, so messages from other copies are understood from the first one on.
    RegisterBroadcastMessages();
    platform::ui::StartWxBroadcasts();
    // There is no installer to write "productExe": the program records where it runs from, so the find
    // launcher and second copies can start it.
    if (const auto self = platform::folders::CurrentExecutable(); !self.empty() && GetProductExe() != self) {
        SetSettingString("productExe", self.string());
    }
    SetNodeDialogs(&g_nodeDialogs);
    SetOrderDialogs(&g_orderDialogs);
    SetOrderingNodeFactory(&g_orderingNodes);
    SetRecordCopier(&g_recordCopier);
    SetNodeSheets(&g_nodeSheets);
    SetDocumentLauncher(&g_documentLauncher);
    SetCatalogueNodeUi(&g_catalogueNodeUi);
    SetSelectionCopyUi(&g_selectionCopyUi);
    SetFrameSubsystem(FrameSubsystem::kCatalogueCopy, &g_selectionCopyUi);
    EnableSplashScreen(true);
    InstallWaitWindow();
    InstallStockHtmlFiles();
    InstallNodeWebPages();
    // Catalogue links of pages ask before they download.
    InstallShowDownloadDlg();
    RegisterProgramPanes();
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i].utf8_string());
    }
    auto* frame = new CMainFrame(std::move(arguments)); // owned by wx: deleted when the window is destroyed
    if (!frame->Create()) {
        frame->Destroy();
        return false;
    }
    frame->Show();
    // Checkpoints of the trace log: the start-up benchmarks time the program by them.
    DebugLogString("frame shown");
    if (IsTraceEnabled()) {
        Bind(wxEVT_IDLE, &CCorvantApp::OnFirstIdle, this);
    }
    LoadInstallationNumber();
    return true;
}

void CCorvantApp::OnFirstIdle(wxIdleEvent& event)
{
    event.Skip();
    Unbind(wxEVT_IDLE, &CCorvantApp::OnFirstIdle, this);
    DebugLogString("idle");
}

int CCorvantApp::OnExit()
{
    platform::ui::StopWxBroadcasts();
    SetFrameSubsystem(FrameSubsystem::kCatalogueCopy, nullptr);
    SetSelectionCopyUi(nullptr);
    SetCatalogueNodeUi(nullptr);
    SetRecordCopier(nullptr);
    SetNodeSheets(nullptr);
    SetDocumentLauncher(nullptr);
    SetOrderingNodeFactory(nullptr);
    SetOrderDialogs(nullptr);
    SetNodeDialogs(nullptr);
    SetClipboardAccess(nullptr);
    platform::ui::SetCursorService(nullptr);
    platform::ui::SetDialogService(nullptr);
    return wxApp::OnExit();
}
