#pragma once
// The right pane's web page of the current element. The element writes "webPage.htm" into the HTML
// folder (or the view shows "noPage.htm"); the first page shown is a welcome page. Links to the
// program's pseudo-addresses become commands, catalogue links downloads, and links that open a new
// window open in the user's browser.

#include "mainwindow/frame/FramePanes.h"
#include "mainwindow/webview/WebCommands.h"

#include <string>

#include <wx/panel.h>

class wxWebView;
class wxWebViewEvent;

class WebView : public wxPanel, public CFrameWebPane
{
public:
    WebView(wxWindow* parent, CPaneFrame& frame);

    wxWindow* GetWindow() override { return this; }
    // Shows the element's page. Nothing happens while the view is hidden, when the tree has the focus
    // and the call comes from the tree, or for the element shown already unless `force` is set.
    void ShowElement(CTreeNode* element, bool fromTree, bool force) override;

    CTreeNode* GetShownElement() const { return m_shownElement; }
    // The page file last navigated to (without the reload counter).
    const std::string& GetShownPage() const { return m_shownPage; }
    // The address last given to the browser.
    const std::string& GetShownAddress() const { return m_shownAddress; }
    wxWebView* GetBrowser() const { return m_browser; }

    // What a link to the address does; links of any kind but Other are run by RunLink instead of being
    // followed.
    static WebLinkKind LinkKind(const std::string& address);
    void RunLink(const std::string& address);

private:
    void OnNavigating(wxWebViewEvent& event);
    void OnNewWindow(wxWebViewEvent& event);

    CPaneFrame& m_frame;
    wxWebView* m_browser = nullptr; // owned by the panel
    CTreeNode* m_shownElement = nullptr;
    bool m_firstPage = true;
    unsigned m_loads = 0;
    std::string m_shownPage;
    std::string m_shownAddress;
};

CFrameWebPane* MakeWebView(wxWindow* parent, CPaneFrame& frame);
