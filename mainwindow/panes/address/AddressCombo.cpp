#include "mainwindow/panes/address/AddressCombo.h"

#include "mainwindow/frame/FramePanes.h"
#include "mainwindow/panes/address/NavHistory.h"
#include "mainwindow/panes/tree/TreeImageTable.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tree/base/TreeNode.h"

#include <wx/dc.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace {

constexpr int kImageGap = 4;
constexpr int kLineMargin = 2;

// The frame as the address bar sees it.
class FrameHost : public CAddressComboHost
{
public:
    explicit FrameHost(CPaneFrame& frame) : m_frame(frame) {}
    CTreeNode* GetRootElement() override { return &m_frame.GetRootElement(); }
    CTreeNode* GetCaretElement() override { return m_frame.GetCurrentElement(); }
    void GoToElement(CTreeNode& element) override { m_frame.SetCurrentElement(&element); }
    void QuickSearch(CTreeNode& element, const std::string& text) override
    {
        m_frame.QuickSearch(element, text, kSearchEveryDataFile);
    }
    void ShowStatusText(const std::string& text) override { m_frame.SetStatusText(text); }

private:
    CPaneFrame& m_frame;
};

} // namespace

AddressCombo::AddressCombo(wxWindow* parent, wxWindowID id, std::unique_ptr<CAddressComboHost> host)
    : wxOwnerDrawnComboBox(parent, id, wxString(), wxDefaultPosition, wxDefaultSize, 0, nullptr,
                           wxTE_PROCESS_ENTER),
      m_host(std::move(host))
{
    Bind(wxEVT_COMBOBOX, &AddressCombo::OnSelected, this);
    Bind(wxEVT_TEXT_ENTER, &AddressCombo::OnEnter, this);
    if (wxTextCtrl* text = GetTextCtrl(); text != nullptr) {
        text->Bind(wxEVT_SET_FOCUS, &AddressCombo::OnTextFocus, this);
    }
    AddTreeNodeObserver(this);
}

AddressCombo::~AddressCombo()
{
    RemoveTreeNodeObserver(this);
}

AddressCombo* MakeAddressBar(wxWindow* parent, CPaneFrame& frame)
{
    return new AddressCombo(parent, wxID_ANY, std::make_unique<FrameHost>(frame));
}

CTreeImageTable& AddressCombo::Images() const
{
    return *m_images;
}

void AddressCombo::SetImageTable(CTreeImageTable* table)
{
    m_images = table;
    if (m_images == nullptr) {
        if (m_ownImages == nullptr) {
            m_ownImages = std::make_unique<CTreeImageTable>();
        }
        m_images = m_ownImages.get();
    }
    Refresh();
}

int AddressCombo::ImageIndexOfKind(int kind) const
{
    if (m_images == nullptr) {
        const_cast<AddressCombo*>(this)->SetImageTable(nullptr);
    }
    return m_images->IndexOfKind(kind);
}

// ---- lines
// -------------------------------------------------------------------------------------------------

void AddressCombo::Clear()
{
    m_lines.clear();
    wxOwnerDrawnComboBox::Clear();
}

int AddressCombo::AppendLine(int indent, const std::string& text, int image, int /*selectedImage*/,
                             CTreeNode* node)
{
    m_lines.push_back(Line{std::max(indent, 0), image, node});
    return Append(wxString::FromUTF8(text));
}

void AddressCombo::SelectLine(int index)
{
    if (index >= 0 && index < static_cast<int>(m_lines.size())) {
        SetSelection(index);
    }
}

void AddressCombo::FillFrom(CTreeNode& root)
{
    root.FillComboBox(*this);
}

void AddressCombo::SelectNode(const CTreeNode* node)
{
    if (node == nullptr) {
        return;
    }
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].node != nullptr && m_lines[i].node->GetSerial() == node->GetSerial()) {
            SetSelection(static_cast<int>(i));
            return;
        }
    }
}

CTreeNode* AddressCombo::GetLineNode(int index) const
{
    return index >= 0 && index < static_cast<int>(m_lines.size()) ? m_lines[index].node : nullptr;
}

int AddressCombo::GetLineIndent(int index) const
{
    return index >= 0 && index < static_cast<int>(m_lines.size()) ? m_lines[index].indent : 0;
}

int AddressCombo::GetLineImage(int index) const
{
    return index >= 0 && index < static_cast<int>(m_lines.size()) ? m_lines[index].image : -1;
}

void AddressCombo::NodeDestroyed(const CTreeNode* node)
{
    for (Line& line : m_lines) {
        if (line.node == node) {
            line.node = nullptr;
        }
    }
}

// ---- going to elements
// ---------------------------------------------------------------------------------------

void AddressCombo::ChooseLine(int index)
{
    CTreeNode* node = GetLineNode(index);
    if (node == nullptr) {
        return;
    }
    SetValue(wxString::FromUTF8(node->GetPathName()));
    m_host->GoToElement(*node);
}

void AddressCombo::GoToText(const std::string& text)
{
    if (text.empty()) {
        return;
    }
    if (CTreeNode* root = m_host->GetRootElement(); root != nullptr) {
        if (CTreeNode* node = FindNodeByDisplayPath(*root, text); node != nullptr) {
            m_host->GoToElement(*node);
            return;
        }
    }
    CTreeNode* caret = m_host->GetCaretElement();
    if (caret != nullptr && caret->GetCatalogue() != nullptr) {
        m_host->QuickSearch(*caret, text);
    }
}

void AddressCombo::OnSelected(wxCommandEvent& /*event*/)
{
    ChooseLine(GetSelection());
}

void AddressCombo::OnEnter(wxCommandEvent& /*event*/)
{
    GoToText(GetValue().utf8_string());
}

void AddressCombo::OnTextFocus(wxFocusEvent& event)
{
    event.Skip();
    CTreeNode* caret = m_host->GetCaretElement();
    CCatalogueDb* catalogue = caret != nullptr ? caret->GetCatalogue() : nullptr;
    m_host->ShowStatusText("Enter a string and then return to search on:   " +
                           (catalogue != nullptr ? catalogue->GetName() : std::string()));
}

// ---- drawing
// -------------------------------------------------------------------------------------------------

void AddressCombo::OnDrawItem(wxDC& dc, const wxRect& rect, int item, int flags) const
{
    if (item < 0 || item >= static_cast<int>(m_lines.size())) {
        return;
    }
    const Line& line = m_lines[item];
    // The closed control shows the line without its indent.
    const int indent = (flags & wxODCB_PAINTING_CONTROL) != 0 ? 0 : line.indent * kIndentPixels;
    int x = rect.x + kLineMargin + indent;
    if (m_images != nullptr && line.image >= 0 && line.image < m_images->GetImageList().GetImageCount()) {
        const int y = rect.y + (rect.height - CTreeImageTable::kSize) / 2;
        m_images->GetImageList().Draw(line.image, dc, x, y, wxIMAGELIST_DRAW_TRANSPARENT);
    }
    x += CTreeImageTable::kSize + kImageGap;
    const wxString text = GetString(item);
    if ((flags & wxODCB_PAINTING_SELECTED) != 0) {
        dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT));
    } else {
        dc.SetTextForeground(GetForegroundColour());
    }
    dc.DrawText(text, x, rect.y + (rect.height - dc.GetCharHeight()) / 2);
}

wxCoord AddressCombo::OnMeasureItem(size_t /*item*/) const
{
    return std::max(CTreeImageTable::kSize + 2, GetCharHeight() + 4);
}

wxCoord AddressCombo::OnMeasureItemWidth(size_t item) const
{
    const int indent = item < m_lines.size() ? m_lines[item].indent * kIndentPixels : 0;
    return kLineMargin + indent + CTreeImageTable::kSize + kImageGap + GetTextExtent(GetString(item)).x + 8;
}
