#include "mainwindow/controls/SearchField.h"

#include "mainwindow/common/ContextHelp.h"
#include "mainwindow/controls/DateCondition.h"
#include "mainwindow/controls/DateConditionDlg.h"
#include "mainwindow/controls/SearchOperators.h"

#include <wx/dcclient.h>
#include <wx/listbox.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace {

constexpr int kButtonWidth = 15;
constexpr int kButtonHeight = 20;
constexpr int kListHeight = 90;

wxFont SmallFont()
{
    return wxSystemSettings::GetFont(wxSYS_ANSI_VAR_FONT);
}

} // namespace

CSearchField::CSearchField(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                           const wxSize& size, SearchFieldRecord* record, bool dateField)
    : wxPanel(parent, id, pos, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE), m_record(record),
      m_dateField(dateField)
{
    SetName(dateField ? "SearchDate" : "Search");
    if (m_record == nullptr) {
        m_ownRecord = std::make_unique<SearchFieldRecord>();
        m_record = m_ownRecord.get();
        m_record->type = dateField ? 'D' : 'C';
    }
    wxSize wanted = size;
    if (wanted.x < 40 || wanted.y < 20) {
        wanted = {std::max(wanted.x, 40), 20};
    }
    const int baseId = id == wxID_ANY ? wxID_ANY : id * 100;
    // Children of the field, so the page moves and destroys them with it.
    m_record->edit = new wxTextCtrl(this, baseId, caption, {0, 0}, {wanted.x - 16, wanted.y},
                                    wxBORDER_SUNKEN | wxTE_PROCESS_TAB);
    m_record->button = new CSearchButton(this, id == wxID_ANY ? wxID_ANY : id * 100 + 1, {wanted.x - 16, 0},
                                         m_record, dateField);
    SetSize(wanted);
    SetMinSize(wanted);
    Bind(wxEVT_MOVE, &CSearchField::OnMove, this);
}

CSearchField::~CSearchField()
{
    // The button and an open list use the record; they go before a record of the field's own.
    DestroyChildren();
}

std::string CSearchField::GetOperatorText() const
{
    if (m_dateField) {
        return GetSharedDateCondition();
    }
    return OperatorText(m_record->operatorCode);
}

void CSearchField::SetOperatorCode(int code)
{
    if (m_dateField) {
        return;
    }
    m_record->operatorCode = code;
    if (m_record->button != nullptr) {
        m_record->button->Refresh();
    }
}

void CSearchField::SetFocus()
{
    m_record->edit->SetFocus();
}

bool CSearchField::SetFont(const wxFont& font)
{
    wxPanel::SetFont(font);
    return m_record->edit->SetFont(font);
}

void CSearchField::OnMove(wxMoveEvent& event)
{
    if (!m_dateField && m_record->listOpen && m_record->dropList != nullptr) {
        static_cast<CSearchListBox*>(m_record->dropList)->PlaceBelowEdit();
    }
    event.Skip();
}

CSearchButton::CSearchButton(wxWindow* parent, wxWindowID id, const wxPoint& pos, SearchFieldRecord* record,
                             bool dateField)
    : wxControl(parent, id, pos, {kButtonWidth, kButtonHeight}, wxBORDER_NONE), m_record(record),
      m_dateField(dateField)
{
    SetName(dateField ? "SearchDateButton" : "SearchButton");
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_record->button = this;
    Bind(wxEVT_PAINT, &CSearchButton::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CSearchButton::OnLeftDown, this);
    Bind(wxEVT_HELP, &CSearchButton::OnHelp, this);
}

void CSearchButton::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawRectangle(0, 0, size.x, size.y);
    dc.SetPen(*wxWHITE_PEN);
    dc.DrawLine(1, 1, size.x - 1, 1);
    dc.DrawLine(1, 1, 1, size.y - 1);
    dc.SetPen(wxPen(wxColour(0x50, 0x50, 0x50)));
    dc.DrawLine(1, size.y - 2, size.x - 1, size.y - 2);
    dc.DrawLine(size.x - 2, 1, size.x - 2, size.y - 1);

    dc.SetFont(SmallFont());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(*wxBLACK);
    const wxString glyph(m_dateField ? '.' : OperatorGlyph(m_record->operatorCode));
    const wxSize extent = dc.GetTextExtent(glyph);
    dc.DrawText(glyph, (size.x - extent.x) / 2, (size.y - extent.y) / 2 - (m_dateField ? 0 : 2));
    if (!m_dateField) {
        // A small arrow under the glyph: four lines narrowing by a pixel at each end.
        dc.SetPen(*wxBLACK_PEN);
        for (int i = 0; i < 4; ++i) {
            dc.DrawLine(3 + i, 13 + i, size.x - 3 - i, 13 + i);
        }
    }
}

void CSearchButton::Press()
{
    if (m_dateField) {
        RunDateConditionDialog(GetParent());
    } else if (!m_record->listOpen) {
        OpenOperatorList(*m_record);
    }
}

void CSearchButton::OnLeftDown(wxMouseEvent&)
{
    Press();
}

void CSearchButton::OnHelp(wxHelpEvent&)
{
    ShowContextHelp(this, "KV.SEARCH_CONTROL");
}

CSearchListBox::CSearchListBox(wxWindow* parent, SearchFieldRecord* record)
    : wxPopupTransientWindow(parent, wxBORDER_NONE), m_record(record)
{
    SetName("SearchListBox");
    const int width = record->edit != nullptr ? record->edit->GetSize().x : 100;
    SetSize(width, kListHeight);
    m_list = new wxListBox(this, wxID_ANY, {0, 0}, {width, kListHeight}, 0, nullptr,
                           wxLB_SINGLE | wxLB_ALWAYS_SB | wxBORDER_SIMPLE);
    m_list->SetFont(SmallFont());
    record->list = m_list;
    record->dropList = this;
    // The entries in the order of their table, so the first is the operator a field starts with.
    const bool narrow = m_list->GetClientSize().x < kNarrowOperatorList;
    for (const SearchOperator& entry : OperatorsForType(record->type)) {
        const int index = m_list->Append(wxString::FromUTF8(narrow ? entry.shortForm : entry.longText));
        m_list->SetClientData(index, reinterpret_cast<void*>(static_cast<wxIntPtr>(entry.code)));
    }
    if (m_list->GetCount() > 0) {
        m_list->SetSelection(0);
    }
    m_list->Bind(wxEVT_LISTBOX, &CSearchListBox::OnSelect, this);
    m_list->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) { CloseList(); });
}

CSearchListBox::~CSearchListBox()
{
    if (m_record->dropList == this) {
        m_record->dropList = nullptr;
        m_record->list = nullptr;
        m_record->listOpen = false;
    }
}

void CSearchListBox::PlaceBelowEdit()
{
    if (m_record->edit != nullptr) {
        const wxRect edit = m_record->edit->GetScreenRect();
        Move(edit.GetBottomLeft() + wxPoint(0, 1));
    }
}

void CSearchListBox::ChooseEntry(int index)
{
    m_list->SetSelection(index);
    wxCommandEvent event(wxEVT_LISTBOX, m_list->GetId());
    event.SetInt(index);
    event.SetEventObject(m_list);
    OnSelect(event);
}

void CSearchListBox::OnSelect(wxCommandEvent& event)
{
    const int index = event.GetInt();
    if (index < 0 || index >= static_cast<int>(m_list->GetCount())) {
        return;
    }
    m_record->operatorCode = static_cast<int>(reinterpret_cast<wxIntPtr>(m_list->GetClientData(index)));
    if (m_record->button != nullptr) {
        m_record->button->Refresh();
    }
}

void CSearchListBox::OnDismiss()
{
    m_record->listOpen = false;
    // Not from inside the popup's own event handling.
    CallAfter([this] { Destroy(); });
}

CSearchListBox* OpenOperatorList(SearchFieldRecord& record)
{
    if (record.listOpen || record.edit == nullptr) {
        return nullptr;
    }
    auto* popup = new CSearchListBox(record.edit->GetParent(), &record); // destroys itself when dismissed
    popup->PlaceBelowEdit();
    record.listOpen = true;
    popup->Popup(popup->GetList());
    return popup;
}
