#include "mainwindow/placement/NodeBrowseDlg.h"

#include "mainwindow/common/AppClipboard.h"
#include "mainwindow/dialogs/DialogLayout.h"
#include "mainwindow/panes/address/AddressCombo.h"
#include "mainwindow/panes/list/CorvantView.h"
#include "tree/base/TreeNode.h"

#include <wx/artprov.h>
#include <wx/bmpbuttn.h>
#include <wx/xrc/xmlres.h>

namespace {

constexpr int kLookIn = 8719;
constexpr int kList = 2102;
constexpr int kUp = 133;
constexpr int kListView = 8717;
constexpr int kReportView = 8718;
constexpr int kAddSelected = 1038;
constexpr const char* kCopyLabel = "Copy from selected";

// The combo's side of the dialog: choosing an element shows its children.
class BrowseComboHost : public CAddressComboHost
{
public:
    BrowseComboHost(CNodeBrowseDlg& dialog, CPaneFrame& frame) : m_dialog(dialog), m_frame(frame) {}
    CTreeNode* GetRootElement() override { return &m_frame.GetRootElement(); }
    CTreeNode* GetCaretElement() override { return m_dialog.GetList().GetShownElement(); }
    void GoToElement(CTreeNode& element) override { m_dialog.ShowElement(element); }
    // The dialog browses; it does not search.
    void QuickSearch(CTreeNode& /*element*/, const std::string& /*text*/) override {}
    void ShowStatusText(const std::string& /*text*/) override {}

private:
    CNodeBrowseDlg& m_dialog;
    CPaneFrame& m_frame;
};

void SetButtonPicture(wxWindow& dialog, int id, const wxArtID& art)
{
    if (auto* button = FindControl<wxBitmapButton>(dialog, id))
        button->SetBitmap(wxArtProvider::GetBitmapBundle(art, wxART_BUTTON, wxSize(16, 16)));
}

} // namespace

CNodeBrowseDlg::CNodeBrowseDlg(wxWindow* parent, CPaneFrame& frame, CTreeNode& start, bool copyMode,
                               CTreeImageTable* images)
    : m_frame(frame)
{
    LoadDialogLayout(*this, parent, "173");
    m_list = new CCorvantView(this, frame, list_role::kFormList); // owned by the dialog
    m_list->SetViewStyle(ListViewStyle::Report);
    m_lookIn = new AddressCombo(this, kLookIn, std::make_unique<BrowseComboHost>(*this, frame));
    wxXmlResource::Get()->AttachUnknownControl(wxString::Format("%d", kList), m_list, this);
    wxXmlResource::Get()->AttachUnknownControl(wxString::Format("%d", kLookIn), m_lookIn, this);
    if (images != nullptr)
        m_lookIn->SetImageTable(images);

    SetButtonPicture(*this, kUp, wxART_GO_DIR_UP);
    SetButtonPicture(*this, kListView, wxART_LIST_VIEW);
    SetButtonPicture(*this, kReportView, wxART_REPORT_VIEW);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { UpOneLevel(); }, kUp);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { m_list->SetViewStyle(ListViewStyle::List); }, kListView);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { m_list->SetViewStyle(ListViewStyle::Report); }, kReportView);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { AddSelected(); }, kAddSelected);
    if (copyMode) {
        if (wxWindow* add = FindWindow(kAddSelected))
            add->SetLabel(kCopyLabel);
    }
    ShowElement(start);
    FitToContents(*this);
}

CNodeBrowseDlg::~CNodeBrowseDlg()
{
    // The rows' nodes go before the tree they hang in may change.
    if (m_list != nullptr)
        m_list->SetShownElement(nullptr);
}

void CNodeBrowseDlg::ShowElement(CTreeNode& element)
{
    element.BuildChildren();
    m_list->ForceRefill();
    m_list->SetShownElement(&element);
    // The combo opens the branches of the elements selected in the tree; one deeper than those is
    // added at the end, so that "Look in" always names the element shown.
    m_lookIn->FillFrom(m_frame.GetRootElement());
    m_lookIn->SelectNode(&element);
    if (m_lookIn->GetSelection() == wxNOT_FOUND) {
        const int image = ImageListIndex(*m_lookIn, element.GetClosedImage());
        m_lookIn->SelectLine(
            m_lookIn->AppendLine(element.GetDepth() - 1, element.GetName(), image, image, &element));
    }
}

void CNodeBrowseDlg::UpOneLevel()
{
    CTreeNode* shown = m_list->GetShownElement();
    CTreeNode* parent = shown != nullptr ? shown->GetParentNode() : nullptr;
    // The root ("My Catalogues") is not an element one looks in.
    if (parent != nullptr && parent != &m_frame.GetRootElement())
        ShowElement(*parent);
}

void CNodeBrowseDlg::AddSelected()
{
    ClearClipboard();
    int written = 0;
    bool failed = false;
    for (const long row : m_list->GetSelectedRows()) {
        if (m_list->IsAddRow(row) || !m_list->MoveToRecordRow(row))
            continue; // only records
        CTreeNode* record = m_list->ElementOfRow(row);
        if (record == nullptr || !record->CopyToClipboard(false)) {
            failed = true;
            break;
        }
        ++written;
    }
    EndModal(written > 0 && !failed ? wxID_OK : wxID_CANCEL);
}
