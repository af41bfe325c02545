#pragma once
// ParentView: the right pane of the main frame (the lower one in Find mode). It holds the web view and
// the list view side by side and lays them out by the settings "WebViewIs" and "DisplayAsWebPage" and
// by the current element: the root shows only its web page, Find mode only the list. The web view is
// made the first time the layout gives it a place: starting the web engine costs more than the rest of
// the window together, and a start that shows no page need not pay for it. Beside a list it follows the
// list, once the window has been drawn.

#include <wx/gdicmn.h>
#include <wx/panel.h>

#include <functional>

class CFrameListPane;
class CFrameWebPane;
class CPaneFrame;
class CTreeNode;

// Where the two views go in a client area of `client` size.
struct HostLayout
{
    wxRect list;
    wxRect web;
    bool webShown = false;
    bool listBorder = true;
};

struct HostLayoutInput
{
    bool findMode = false;
    bool rootIsCurrent = false;
    int webViewIs = 0;        // setting "WebViewIs"
    int displayAsWebPage = 1; // setting "DisplayAsWebPage"
    wxSize client;
};

HostLayout ComputeHostLayout(const HostLayoutInput& input);

class ParentView : public wxPanel
{
public:
    static constexpr int kWebViewId = 101;
    static constexpr int kListViewId = 102;
    // The web width beside the list.
    static constexpr int kWebWidth = 168;

    // Makes the list view through the installed pane factories and keeps the web view's factory for the
    // first layout that shows a page (either may be absent).
    ParentView(wxWindow* parent, CPaneFrame& frame);

    // Shows the element in both views.
    void SetElement(CTreeNode* element);
    void SetWebChosen(bool chosen);
    bool IsWebChosen() const { return m_webChosen; }
    bool IsWebShown() const { return m_webShown; }
    // Null until a layout gave the web view a place.
    CFrameWebPane* GetWebView() const { return m_web; }
    CFrameListPane* GetListView() const { return m_list; }
    // Places the views for the current element and the settings.
    void LayoutViews();

private:
    // Makes the web view now and shows the current element's page in it.
    void MakeWebView();

    CPaneFrame& m_frame;
    std::function<CFrameWebPane*(wxWindow*, CPaneFrame&)> m_makeWeb;
    CFrameWebPane* m_web = nullptr; // windows owned by this panel
    CFrameListPane* m_list = nullptr;
    bool m_webShown = false;
    bool m_webChosen = false;
    // The web view is to be made after the list was drawn; and the time for it has come.
    bool m_webScheduled = false;
    bool m_webDue = false;
};
