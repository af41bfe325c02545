#include "tree/wx/InPlaceEditStrip.h"

#include "resources/XrcResources.h"
#include "tree/base/TreeNode.h"
#include "tree/records/InPlaceEdit.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

#include <algorithm>

namespace {

constexpr int kSaveButton = 1021;
// The strip stands this far right of the row's left edge, past the row's picture.
constexpr int kPictureWidth = 19;

bool IsInside(const wxWindow* window, const wxWindow* container)
{
    for (; window != nullptr; window = window->GetParent()) {
        if (window == container) {
            return true;
        }
    }
    return false;
}

} // namespace

CInPlaceEditStrip::CInPlaceEditStrip(wxWindow* parent, std::unique_ptr<CInPlaceEdit> edit,
                                     const NodeRowBounds& bounds, std::function<void(bool)> closed)
    : m_edit(std::move(edit)), m_closed(std::move(closed))
{
    resources::LoadXrcResources();
    if (!wxXmlResource::Get()->LoadPanel(this, parent, "113")) {
        wxFAIL_MSG("panel 113 is not in the XRC resources"); // every layout is compiled in
        Create(parent, wxID_ANY);
        SetSizer(new wxBoxSizer(wxHORIZONTAL));
    }
    const int height = m_edit->GetRowHeight() + 4;
    wxSizer* sizer = GetSizer();
    size_t at = 0;
    for (const InPlaceField& field : m_edit->Fields()) {
        // Seven pixels a character is narrower than this font with the editor's margins: a short field
        // still shows all of its characters.
        const int fitting =
            field.editor == 'B' ? 0 : GetTextExtent(wxString('0', std::min(field.maxLength, 8))).x + 16;
        const wxSize size(std::max(field.width, fitting), height);
        wxWindow* editor = nullptr;
        switch (field.editor) {
        case 'B': {
            auto* check = new wxCheckBox(this, wxID_ANY, wxString(), wxDefaultPosition, size);
            check->SetValue(field.checked);
            editor = check;
            break;
        }
        case 'O': {
            wxArrayString choices;
            for (const std::string& name : field.choices) {
                choices.Add(wxString::FromUTF8(name));
            }
            auto* combo = new wxComboBox(this, wxID_ANY, wxString::FromUTF8(field.text), wxDefaultPosition,
                                         size, choices, wxCB_DROPDOWN);
            editor = combo;
            break;
        }
        default: {
            auto* text = new wxTextCtrl(this, wxID_ANY, wxString::FromUTF8(field.text), wxDefaultPosition,
                                        size, wxTE_PROCESS_ENTER);
            text->SetMaxLength(static_cast<unsigned long>(std::max<int>(field.maxLength, field.text.size())));
            editor = text;
            break;
        }
        }
        editor->SetMinSize(size);
        editor->Bind(wxEVT_KILL_FOCUS, &CInPlaceEditStrip::OnFocusLeaving, this);
        sizer->Insert(at++, editor, 0, wxEXPAND);
        m_editors.push_back(editor);
    }
    if (wxWindow* button = FindWindow(kSaveButton)) {
        button->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Finish(true); });
        button->Bind(wxEVT_KILL_FOCUS, &CInPlaceEditStrip::OnFocusLeaving, this);
        button->SetMinSize(wxSize(-1, height));
    }
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        switch (event.GetKeyCode()) {
        case WXK_ESCAPE:
            Finish(false);
            break;
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            Finish(true);
            break;
        default:
            event.Skip();
            break;
        }
    });
    m_topLevel = wxGetTopLevelParent(parent);
    if (m_topLevel != nullptr) {
        m_topLevel->Bind(wxEVT_ACTIVATE, &CInPlaceEditStrip::OnTopLevelActivate, this);
    }

    Layout();
    const wxSize fitted = sizer->GetMinSize();
    SetSize(bounds.x + kPictureWidth, bounds.y, fitted.x, height);
    Raise();
    Show();
    if (!m_editors.empty()) {
        m_editors.front()->SetFocus();
        if (auto* text = dynamic_cast<wxTextCtrl*>(m_editors.front())) {
            text->SelectAll();
        } else if (auto* combo = dynamic_cast<wxComboBox*>(m_editors.front())) {
            combo->SelectAll();
        }
    }
}

CInPlaceEditStrip::~CInPlaceEditStrip()
{
    if (m_topLevel != nullptr) {
        m_topLevel->Unbind(wxEVT_ACTIVATE, &CInPlaceEditStrip::OnTopLevelActivate, this);
    }
}

void CInPlaceEditStrip::OnFocusLeaving(wxFocusEvent& event)
{
    event.Skip();
    // Moving between the strip's own editors is no leaving.
    if (!IsInside(event.GetWindow(), this)) {
        CallAfter([this] { Finish(true); });
    }
}

void CInPlaceEditStrip::OnTopLevelActivate(wxActivateEvent& event)
{
    event.Skip();
    if (!event.GetActive()) {
        CallAfter([this] { Finish(true); });
    }
}

void CInPlaceEditStrip::Finish(bool save)
{
    if (m_closing) {
        return;
    }
    m_closing = true;
    bool saved = false;
    if (save) {
        std::vector<std::string> values;
        for (wxWindow* editor : m_editors) {
            if (auto* check = dynamic_cast<wxCheckBox*>(editor)) {
                values.emplace_back(check->GetValue() ? "T" : "F");
            } else if (auto* combo = dynamic_cast<wxComboBox*>(editor)) {
                values.emplace_back(combo->GetValue().utf8_string());
            } else if (auto* text = dynamic_cast<wxTextCtrl*>(editor)) {
                values.emplace_back(text->GetValue().utf8_string());
            } else {
                values.emplace_back();
            }
        }
        saved = m_edit->Save(values);
    }
    Hide();
    if (m_closed) {
        m_closed(saved);
    }
    wxTheApp->ScheduleForDestruction(this);
}

CWxListPane::CWxListPane(wxListCtrl& list, std::function<void()> refresh)
    : m_list(list), m_refresh(std::move(refresh))
{
}

bool CWxListPane::RowAt(NodePoint point, NodeRowBounds& bounds)
{
    // The rows' own rectangles, so the point and the strip are measured alike (a hit test measures
    // below the header, the rectangles from the list's top).
    const long first = std::max(0L, m_list.GetTopItem());
    const long last = std::min<long>(m_list.GetItemCount(), first + m_list.GetCountPerPage() + 1);
    for (long row = first; row < last; ++row) {
        wxRect rect;
        if (!m_list.GetItemRect(row, rect, wxLIST_RECT_BOUNDS) || !rect.Contains(point.x, point.y)) {
            continue;
        }
        // The strip stands at the row, in the coordinates of the list's parent.
        const wxPoint inParent = m_list.GetPosition() + rect.GetPosition();
        bounds.x = inParent.x;
        bounds.y = inParent.y;
        bounds.rowHeight = rect.height;
        bounds.firstColumnWidth = m_list.GetColumnCount() > 0 ? m_list.GetColumnWidth(0) : rect.width;
        return true;
    }
    return false;
}

void CWxListPane::EditRowFields(std::unique_ptr<CInPlaceEdit> edit, const NodeRowBounds& bounds,
                                std::function<void(bool saved)> closed)
{
    if (CInPlaceEditStrip* open = GetStrip(); open != nullptr && !open->IsClosing()) {
        open->Finish(true);
    }
    m_strip = new CInPlaceEditStrip(m_list.GetParent(), std::move(edit), bounds, std::move(closed));
}

void CWxListPane::RefreshLabels()
{
    if (m_refresh) {
        m_refresh();
    }
    m_list.Refresh();
}

CInPlaceEditStrip* CWxListPane::GetStrip() const
{
    return m_strip.get();
}
