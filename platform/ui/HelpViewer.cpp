#include "platform/ui/HelpViewer.h"

#include <wx/app.h>
#include <wx/filesys.h>
#include <wx/frame.h>
#include <wx/fs_zip.h>
#include <wx/html/helpdata.h>
#include <wx/html/helpwnd.h>
#include <wx/html/htmlwin.h>
#include <wx/popupwin.h>
#include <wx/sizer.h>
#include <wx/weakref.h>

#include <map>
#include <memory>
#include <string>

namespace platform::ui {
namespace {

// Books read once; their data outlives every window that shows them (the windows do not own it).
std::map<std::string, std::unique_ptr<wxHtmlHelpData>> g_books;
std::map<std::string, wxWeakRef<wxFrame>> g_helpFrames;
wxWeakRef<wxWindow> g_lastWindow;
wxString g_lastPage;

wxHtmlHelpData* BookData(const std::filesystem::path& book)
{
    const std::string key = book.string();
    if (auto found = g_books.find(key); found != g_books.end()) {
        return found->second.get();
    }
    static const bool zipHandlerAdded = [] {
        wxFileSystem::AddHandler(new wxZipFSHandler); // owned by wxFileSystem
        return true;
    }();
    (void)zipHandlerAdded;
    auto data = std::make_unique<wxHtmlHelpData>();
    if (!data->AddBook(wxString::FromUTF8(key))) {
        return nullptr;
    }
    return g_books.emplace(key, std::move(data)).first->second.get();
}

// A small window showing one topic; it goes away when the user clicks elsewhere or presses Escape.
class HelpPopup final : public wxPopupTransientWindow
{
public:
    HelpPopup(wxWindow* parent, const wxString& page) : wxPopupTransientWindow(parent, wxBORDER_SIMPLE)
    {
        m_html = new wxHtmlWindow(this, wxID_ANY, wxDefaultPosition, wxSize(360, 200)); // owned by the popup
        m_html->LoadPage(page);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(m_html, 1, wxEXPAND);
        SetSizerAndFit(sizer);
    }

    wxString OpenedPage() const { return m_html->GetOpenedPage(); }

protected:
    void OnDismiss() override
    {
        CallAfter([this] { Destroy(); });
    }

private:
    wxHtmlWindow* m_html = nullptr;
};

wxFrame* HelpFrameFor(wxWindow* parent, const std::filesystem::path& book, wxHtmlHelpData* data,
                      wxHtmlHelpWindow*& helpWindow)
{
    auto& frame = g_helpFrames[book.string()];
    if (frame) {
        helpWindow = static_cast<wxHtmlHelpWindow*>(frame->FindWindow(wxID_HELP));
        return frame.get();
    }
    // A top-level window of its own, so it stays open beside the program; wx deletes it when closed.
    frame = new wxFrame(wxGetTopLevelParent(parent), wxID_ANY, "Help", wxDefaultPosition, wxSize(760, 540));
    helpWindow = new wxHtmlHelpWindow(frame.get(), wxID_HELP, wxDefaultPosition, frame->GetClientSize(),
                                      wxTAB_TRAVERSAL | wxNO_BORDER, wxHF_DEFAULT_STYLE, data);
    auto* sizer = new wxBoxSizer(wxVERTICAL); // owned by the frame
    sizer->Add(helpWindow, 1, wxEXPAND);
    frame->SetSizer(sizer);
    return frame.get();
}

} // namespace

HelpResult ShowHelpTopic(wxWindow* parent, const std::filesystem::path& book, int topic,
                         HelpPlacement placement)
{
    wxHtmlHelpData* data = BookData(book);
    if (data == nullptr) {
        return HelpResult::kNoBook;
    }
    const wxString page = data->FindPageById(topic);
    if (page.empty()) {
        return HelpResult::kNoTopic;
    }
    if (parent == nullptr && wxTheApp != nullptr) {
        parent = wxTheApp->GetTopWindow();
    }
    // A popup needs a window to belong to; without one the topic opens in the help window.
    if (placement == HelpPlacement::kPopup && parent != nullptr) {
        auto* popup = new HelpPopup(parent, page); // deletes itself when dismissed
        popup->Position(wxGetMousePosition(), wxSize(0, 0));
        popup->Popup();
        g_lastWindow = popup;
        g_lastPage = popup->OpenedPage();
        return HelpResult::kShown;
    }
    wxHtmlHelpWindow* helpWindow = nullptr;
    wxFrame* frame = HelpFrameFor(parent, book, data, helpWindow);
    if (helpWindow == nullptr || !helpWindow->Display(topic)) {
        return HelpResult::kNoTopic;
    }
    frame->Show();
    frame->Raise();
    g_lastWindow = frame;
    g_lastPage = helpWindow->GetHtmlWindow()->GetOpenedPage();
    return HelpResult::kShown;
}

bool ShowHelpContents(wxWindow* parent, const std::filesystem::path& book)
{
    wxHtmlHelpData* data = BookData(book);
    if (data == nullptr) {
        return false;
    }
    if (parent == nullptr && wxTheApp != nullptr) {
        parent = wxTheApp->GetTopWindow();
    }
    wxHtmlHelpWindow* helpWindow = nullptr;
    wxFrame* frame = HelpFrameFor(parent, book, data, helpWindow);
    if (helpWindow == nullptr || !helpWindow->DisplayContents()) {
        return false;
    }
    frame->Show();
    frame->Raise();
    g_lastWindow = frame;
    g_lastPage = helpWindow->GetHtmlWindow()->GetOpenedPage();
    return true;
}

wxWindow* LastHelpWindow()
{
    return g_lastWindow.get();
}

wxString LastHelpPage()
{
    return g_lastWindow ? g_lastPage : wxString();
}

} // namespace platform::ui
