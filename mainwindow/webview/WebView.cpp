#include "mainwindow/webview/WebView.h"

#include "mainwindow/webview/CatalogueDownload.h"
#include "mainwindow/webview/WebCommands.h"
#include "store/program/Settings.h"
#include "tree/base/OrderPlacer.h"
#include "tree/base/TreeNode.h"

#include <wx/sizer.h>
#include <wx/webview.h>

namespace {

constexpr int kFindMode = 4;
constexpr int kTreePane = 1;
constexpr int kSmallWelcomeHeight = 180;

} // namespace

WebView::WebView(wxWindow* parent, CPaneFrame& frame) : wxPanel(parent, wxID_ANY), m_frame(frame)
{
    m_browser = wxWebView::New(this, wxID_ANY);
    auto* sizer = new wxBoxSizer(wxVERTICAL); // owned by the panel
    sizer->Add(m_browser, 1, wxEXPAND);
    SetSizer(sizer);
    m_browser->Bind(wxEVT_WEBVIEW_NAVIGATING, &WebView::OnNavigating, this);
    m_browser->Bind(wxEVT_WEBVIEW_NEWWINDOW, &WebView::OnNewWindow, this);
}

void WebView::ShowElement(CTreeNode* element, bool fromTree, bool force)
{
    if (!IsShownOnScreen() || (fromTree && m_frame.GetFocusedPane() == kTreePane) ||
        (element == m_shownElement && !force)) {
        return;
    }
    m_shownElement = element;
    bool written = false;
    if (element != nullptr && (GetSettingInt("DisplayAsWebPage", 1) != 0 || element->IsRoot() ||
                               m_frame.GetStartMode() == kFindMode)) {
        std::string message;
        written = element->FillPageTemplate(message);
    }
    const auto folder = GetHtmDirectory();
    auto page = folder / (written ? "webPage.htm" : "noPage.htm");
    if (m_firstPage) {
        const bool small =
            GetClientSize().y < kSmallWelcomeHeight && element != nullptr && !element->IsRoot();
        page = folder / (small ? "firstSmall.htm" : "firstBig.htm");
        m_firstPage = false;
    }
    // Pages are local files, so there is nothing to keep offline. The same file name holds a new page
    // each time; a new query on each load keeps the engine from showing the page it kept in memory.
    m_shownPage = page.string();
    m_shownAddress = FileUrl(page) + "?view=" + std::to_string(++m_loads);
    m_browser->LoadURL(wxString::FromUTF8(m_shownAddress));
}

WebLinkKind WebView::LinkKind(const std::string& address)
{
    // A page's relative link arrives as a file address: only its file name counts, so a folder whose
    // name holds ".ctg" makes no page a catalogue.
    if (address.compare(0, 5, "file:") == 0) {
        return ClassifyWebLink(std::string_view(address).substr(address.find_last_of('/') + 1));
    }
    return ClassifyWebLink(address);
}

void WebView::RunLink(const std::string& address)
{
    switch (LinkKind(address)) {
    case WebLinkKind::Order:
        OrderFocusedItem(m_frame.GetListFocusedElement(), wxGetTopLevelParent(this));
        break;
    case WebLinkKind::Search:
        SearchFocusedItemOnWeb(m_frame.GetListFocusedElement());
        m_frame.FocusListPane();
        break;
    case WebLinkKind::Checkout:
        if (CTreeNode* current = m_frame.GetCurrentElement()) {
            PlaceOrder(*current);
        }
        break;
    case WebLinkKind::Catalogue:
        DownloadCatalogue(this, m_browser->GetNativeBackend(), address);
        break;
    case WebLinkKind::Other:
        break;
    }
}

void WebView::OnNavigating(wxWebViewEvent& event)
{
    const std::string address = event.GetURL().utf8_string();
    if (LinkKind(address) == WebLinkKind::Other) {
        return;
    }
    // The commands open dialogs of their own: they run once the engine's navigation call has returned.
    event.Veto();
    CallAfter([this, address] { RunLink(address); });
}

void WebView::OnNewWindow(wxWebViewEvent& event)
{
    OpenInUsersBrowser(event.GetURL().utf8_string());
}

CFrameWebPane* MakeWebView(wxWindow* parent, CPaneFrame& frame)
{
    return new WebView(parent, frame); // owned by the parent window
}
