#include "mainwindow/panes/ParentView.h"

#include "mainwindow/frame/FramePanes.h"
#include "mainwindow/frame/StartMode.h"
#include "store/program/Settings.h"
#include "store/program/TraceLog.h"
#include "tree/base/TreeNode.h"

#include <algorithm>

HostLayout ComputeHostLayout(const HostLayoutInput& input)
{
    HostLayout layout;
    const int width = input.client.GetWidth();
    const int height = input.client.GetHeight();
    if (input.findMode) {
        // The strip left of the list stays empty, as the find pane above lines up with it.
        layout.list = wxRect(ParentView::kWebWidth, 0, std::max(0, width - ParentView::kWebWidth), height);
        layout.web = wxRect(ParentView::kWebWidth, 0, 0, height);
        return layout;
    }
    if (input.rootIsCurrent) {
        layout.list = wxRect(0, 0, 0, 0);
        layout.web = wxRect(0, 0, width, height);
        layout.webShown = true;
        return layout;
    }
    if (input.webViewIs != 0 || input.displayAsWebPage != 0) {
        layout.listBorder = false;
    }
    if (input.displayAsWebPage != 0) {
        layout.webShown = true;
        layout.web = wxRect(0, 0, ParentView::kWebWidth, height);
        // The list overlaps the web page by a pixel and reaches above the top, so no double line shows.
        layout.list =
            wxRect(ParentView::kWebWidth - 1, -1, std::max(0, width - ParentView::kWebWidth + 2), height + 1);
        return layout;
    }
    layout.web = wxRect(0, 0, 0, 0);
    layout.list = wxRect(0, 0, width, height);
    return layout;
}

ParentView::ParentView(wxWindow* parent, CPaneFrame& frame)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(100, 100)), m_frame(frame)
{
    const FramePaneFactories& factories = GetFramePaneFactories();
    m_makeWeb = factories.makeWeb;
    if (factories.makeList) {
        m_list = factories.makeList(this, frame);
        if (m_list != nullptr) {
            m_list->GetWindow()->SetId(kListViewId);
        }
    }
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        LayoutViews();
        event.Skip();
    });
}

void ParentView::SetElement(CTreeNode* element)
{
    if (m_web != nullptr) {
        m_web->ShowElement(element, false, false);
    }
    if (m_list != nullptr) {
        m_list->SetShownElement(element);
    }
}

void ParentView::SetWebChosen(bool chosen)
{
    m_webChosen = chosen;
    LayoutViews();
}

void ParentView::LayoutViews()
{
    HostLayoutInput input;
    input.findMode = m_frame.GetStartMode() == static_cast<int>(StartMode::kFind);
    input.rootIsCurrent = m_frame.GetCurrentElement() == &m_frame.GetRootElement();
    input.webViewIs = GetSettingInt("WebViewIs", 0);
    input.displayAsWebPage = GetSettingInt("DisplayAsWebPage", 1);
    input.client = GetClientSize();
    const HostLayout layout = ComputeHostLayout(input);
    m_webShown = layout.webShown;
    if (m_list != nullptr) {
        m_list->SetBorder(layout.listBorder);
        m_list->GetWindow()->SetSize(layout.list);
        m_list->GetWindow()->Show(!layout.list.IsEmpty());
    }
    if (m_web != nullptr) {
        m_web->GetWindow()->SetSize(layout.web);
        m_web->GetWindow()->Show(!layout.web.IsEmpty());
    } else if (!layout.web.IsEmpty() && m_makeWeb && m_frame.GetCurrentElement() != nullptr) {
        if (input.rootIsCurrent || m_webDue) {
            // The page is all the pane shows: there is nothing to show before it.
            MakeWebView();
        } else if (!m_webScheduled) {
            // The list first: the web view follows once the events queued now, the drawing among them,
            // have run. Pending calls die with the panel.
            m_webScheduled = true;
            CallAfter([this] {
                m_webDue = true;
                LayoutViews();
            });
        }
    }
}

void ParentView::MakeWebView()
{
    // Once only, also when making it lays the panel out again.
    const auto make = std::move(m_makeWeb);
    m_makeWeb = nullptr;
    m_web = make(this, m_frame);
    if (m_web == nullptr) {
        return;
    }
    m_web->GetWindow()->SetId(kWebViewId);
    DebugLogString("web view made");
    LayoutViews();
    m_web->ShowElement(m_frame.GetCurrentElement(), false, false);
}
