#include "mainwindow/panes/tree/LeftView.h"

#include "mainwindow/dnd/DropTarget.h"
#include "mainwindow/dnd/ItemDataSource.h"
#include "mainwindow/panes/address/AddressCombo.h"
#include "platform/ui/DialogService.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/BuiltinDataFiles.h"
#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"
#include "tree/base/TreeNode.h"

#include <wx/dnd.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/wupdlock.h>

namespace {

// The frame's commands the keys run.
constexpr int kCommandDelete = 1011;
constexpr int kCommandSelectAll = 1028;
constexpr int kCommandGoToWebPage = 1243;
constexpr int kCommandTelephone = 1020;

class NodeData : public wxTreeItemData
{
public:
    explicit NodeData(CTreeNode* node) : node(node) {}
    CTreeNode* node;
};

TreeItemId ToId(const wxTreeItemId& item)
{
    return reinterpret_cast<TreeItemId>(item.GetID());
}

wxTreeItemId ToWx(TreeItemId item)
{
    return wxTreeItemId(reinterpret_cast<void*>(item));
}

// The tree pane as the drop target sees it.
class TreeDropPane : public CDropPane
{
public:
    TreeDropPane(CLeftView& view, CPaneFrame& frame) : m_view(view), m_frame(frame) {}
    wxWindow* GetDropWindow() override { return &m_view; }
    int GetDropKind() const override { return kTreePane; }
    CTreeNode* NodeAtPoint(const wxPoint& point) override
    {
        int flags = 0;
        const wxTreeItemId item = m_view.HitTest(point, flags);
        return item.IsOk() ? m_view.NodeOf(item) : nullptr;
    }
    void HighlightDropNode(CTreeNode* node) override
    {
        const wxTreeItemId item = node != nullptr ? m_view.WxItemOf(node) : wxTreeItemId();
        if (item == m_highlighted) {
            return;
        }
        if (m_highlighted.IsOk()) {
            m_view.SetItemDropHighlight(m_highlighted, false);
        }
        m_highlighted = item;
        if (item.IsOk()) {
            m_view.SetItemDropHighlight(item, true);
        }
    }
    void ScrollLines(int dx, int dy) override
    {
        if (dy != 0) {
            m_view.ScrollLines(dy);
        }
        if (dx != 0) {
            m_view.SetScrollPos(wxHORIZONTAL, m_view.GetScrollPos(wxHORIZONTAL) + dx);
        }
    }
    void DropFiles(const wxPoint& point, const wxArrayString& files) override
    {
        m_view.DropFiles(point, files);
    }
    CTreeNode& GetRootElement() override { return m_frame.GetRootElement(); }
    void AfterDrop(int effect) override { m_frame.ReloadViews(effect != dnd::kEffectLink); }

private:
    CLeftView& m_view;
    CPaneFrame& m_frame;
    wxTreeItemId m_highlighted;
};

// The file's name without its folder and its last extension.
std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
}

} // namespace

CLeftView::CLeftView(wxWindow* parent, CPaneFrame& frame)
    : wxTreeCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_EDIT_LABELS | wxTR_HIDE_ROOT | wxTR_SINGLE |
                     wxBORDER_SUNKEN),
      m_frame(frame), m_timer(this)
{
    SetImageList(&m_images.GetImageList());
    m_hiddenRoot = AddRoot(wxString());
    m_dropPane = std::make_unique<TreeDropPane>(*this, frame);
    SetDropTarget(new CDropTarget(*m_dropPane));
    Bind(wxEVT_TREE_BEGIN_DRAG, &CLeftView::OnBeginDrag, this);
    Bind(wxEVT_TREE_BEGIN_RDRAG, &CLeftView::OnBeginDrag, this);
    m_startTimer = [this](int serial, int milliseconds) {
        m_timerSerial = serial;
        m_timer.StartOnce(milliseconds);
    };
    Bind(
        wxEVT_TIMER, [this](wxTimerEvent&) { OnSelectionTimer(m_timerSerial); }, m_timer.GetId());
    Bind(wxEVT_TREE_SEL_CHANGED, &CLeftView::OnSelChanged, this);
    Bind(wxEVT_TREE_ITEM_EXPANDING, &CLeftView::OnExpanding, this);
    Bind(wxEVT_TREE_ITEM_COLLAPSING, &CLeftView::OnCollapsing, this);
    Bind(wxEVT_TREE_BEGIN_LABEL_EDIT, &CLeftView::OnBeginLabelEdit, this);
    Bind(wxEVT_TREE_END_LABEL_EDIT, &CLeftView::OnEndLabelEdit, this);
    Bind(wxEVT_TREE_KEY_DOWN, &CLeftView::OnKeyDown, this);
    Bind(wxEVT_TREE_ITEM_RIGHT_CLICK, &CLeftView::OnRightClick, this);
    Bind(wxEVT_TREE_DELETE_ITEM, &CLeftView::OnDeleteItem, this);
    AddTreeNodeObserver(this);
    m_live = true;
}

CLeftView::~CLeftView()
{
    m_live = false;
    m_timer.Stop();
    RemoveTreeNodeObserver(this);
    // The items go while the pane still knows its map; the control's own clean-up finds none.
    wxTreeCtrl::DeleteAllItems();
    SetImageList(nullptr);
}

void CLeftView::OnBeginDrag(wxTreeEvent& event)
{
    CTreeNode* node = NodeOf(event.GetItem());
    if (node == nullptr) {
        return;
    }
    DragElements(*this, {node});
}

CDropTarget* CLeftView::GetElementDropTarget()
{
    return static_cast<CDropTarget*>(GetDropTarget());
}

CFrameTreePane* MakeLeftView(wxWindow* parent, CPaneFrame& frame)
{
    return new CLeftView(parent, frame);
}

// ---- items and nodes
// ---------------------------------------------------------------------------------------

CTreeNode* CLeftView::NodeOf(const wxTreeItemId& item) const
{
    if (!item.IsOk()) {
        return nullptr;
    }
    const auto* data = static_cast<NodeData*>(GetItemData(item));
    return data != nullptr ? data->node : nullptr;
}

wxTreeItemId CLeftView::WxItemOf(const CTreeNode* node) const
{
    const auto found = m_items.find(node);
    return found != m_items.end() ? found->second : wxTreeItemId();
}

TreeItemId CLeftView::ItemOf(const CTreeNode* node) const
{
    return ToId(WxItemOf(node));
}

TreeItemId CLeftView::AppendItem(TreeItemId parent, const std::string& text, int image, int selectedImage,
                                 CTreeNode* node, bool bold, bool hasButton)
{
    if (!m_live) {
        return kNoTreeItem;
    }
    const wxTreeItemId parentItem = parent == kNoTreeItem ? m_hiddenRoot : ToWx(parent);
    const wxTreeItemId item = wxTreeCtrl::AppendItem(parentItem, wxString::FromUTF8(text), image,
                                                     selectedImage, new NodeData(node));
    if (bold) {
        SetItemBold(item);
    }
    SetItemHasChildren(item, hasButton);
    if (node != nullptr) {
        m_items[node] = item;
    }
    return ToId(item);
}

bool CLeftView::Expand(TreeItemId item)
{
    if (!m_live || item == kNoTreeItem) {
        return false;
    }
    wxTreeCtrl::Expand(ToWx(item));
    return IsExpanded(ToWx(item));
}

bool CLeftView::Collapse(TreeItemId item)
{
    if (!m_live || item == kNoTreeItem) {
        return false;
    }
    wxTreeCtrl::Collapse(ToWx(item));
    return !IsExpanded(ToWx(item));
}

void CLeftView::SetItemImages(TreeItemId item, int image, int selectedImage)
{
    if (!m_live || item == kNoTreeItem) {
        return;
    }
    SetItemImage(ToWx(item), image, wxTreeItemIcon_Normal);
    SetItemImage(ToWx(item), selectedImage, wxTreeItemIcon_Selected);
}

void CLeftView::SelectItem(TreeItemId item)
{
    if (m_live && item != kNoTreeItem) {
        wxTreeCtrl::SelectItem(ToWx(item));
    }
}

void CLeftView::DeleteChildItems(TreeItemId item)
{
    if (m_live && item != kNoTreeItem) {
        DeleteChildren(ToWx(item));
    }
}

void CLeftView::MarkCut(const CTreeNode* node)
{
    const wxTreeItemId item = WxItemOf(node);
    if (!item.IsOk()) {
        return;
    }
    m_cut.insert(node);
    SetItemTextColour(item, wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
}

void CLeftView::ClearCutMarks()
{
    for (const CTreeNode* node : m_cut) {
        if (const wxTreeItemId item = WxItemOf(node); item.IsOk()) {
            SetItemTextColour(item, wxNullColour);
        }
    }
    m_cut.clear();
}

void CLeftView::NodeDestroyed(const CTreeNode* node)
{
    m_cut.erase(node);
    const auto found = m_items.find(node);
    if (found == m_items.end()) {
        return;
    }
    // The item stays until its parent's items go, but no longer names the node.
    if (auto* data = static_cast<NodeData*>(GetItemData(found->second)); data != nullptr) {
        data->node = nullptr;
    }
    m_items.erase(found);
}

void CLeftView::OnDeleteItem(wxTreeEvent& event)
{
    if (const CTreeNode* node = NodeOf(event.GetItem()); node != nullptr) {
        if (const auto found = m_items.find(node);
            found != m_items.end() && found->second == event.GetItem()) {
            m_items.erase(found);
        }
    }
}

// ---- filling
// -----------------------------------------------------------------------------------------------

CTreeNode* CLeftView::Root() const
{
    return &m_frame.GetRootElement();
}

void CLeftView::FillTree(CTreeNode& root)
{
    if (!m_live) {
        return;
    }
    {
        wxWindowUpdateLocker frozen(this);
        root.InsertTreeItem(*this, true, false);
        root.RestoreExpanded(*this);
    }
    RefillAddressBar();
    if (!m_filled) {
        m_filled = true;
        m_frame.RestoreState();
    }
}

void CLeftView::Rebuild()
{
    if (!m_live) {
        return;
    }
    wxWindowUpdateLocker frozen(this);
    CTreeNode& root = *Root();
    if (ItemOf(&root) == kNoTreeItem) {
        root.InsertTreeItem(*this, true, false);
    }
    root.RestoreExpanded(*this);
}

void CLeftView::DeleteAllItems()
{
    if (!m_live) {
        return;
    }
    m_timer.Stop();
    wxTreeCtrl::DeleteAllItems();
    m_items.clear();
    m_hiddenRoot = AddRoot(wxString());
}

CTreeNode* CLeftView::ExpandNodeByPath(std::string_view path)
{
    if (!m_live) {
        return nullptr;
    }
    CTreeNode* node = Root();
    if (const TreeItemId item = ItemOf(node); item != kNoTreeItem) {
        Expand(item);
    }
    for (const std::string& name : CTreeNode::SplitPath(path)) {
        // Expanding builds the children and gives them items; a node the pane does not show yet is
        // built in the model all the same, so the path can be followed.
        node->PopulateChildren(this);
        CTreeNode* child = node->GetFirstChildNode();
        while (child != nullptr && !child->NameEquals(name)) {
            child = child->GetNextSiblingNode();
        }
        if (child == nullptr) {
            return nullptr;
        }
        node = child;
        if (const TreeItemId item = ItemOf(node); item != kNoTreeItem) {
            Expand(item);
        }
    }
    return node;
}

void CLeftView::ExpandRoot()
{
    if (m_live) {
        Expand(ItemOf(Root()));
    }
}

void CLeftView::SelectNode(CTreeNode* element)
{
    const wxTreeItemId item = WxItemOf(element);
    if (!m_live || !item.IsOk()) {
        return;
    }
    m_quietSelect = true;
    wxTreeCtrl::SelectItem(item);
    EnsureVisible(item);
    m_quietSelect = false;
}

CTreeNode* CLeftView::GetSelectedNode()
{
    return m_live ? NodeOf(GetSelection()) : nullptr;
}

void CLeftView::RefreshLabels()
{
    if (!m_live) {
        return;
    }
    for (const auto& [node, item] : m_items) {
        SetItemText(item, wxString::FromUTF8(node->GetName()));
    }
}

void CLeftView::SetAddressBar(AddressCombo* addressBar)
{
    m_addressBar = addressBar;
    if (m_addressBar != nullptr) {
        m_addressBar->SetImageTable(&m_images);
        RefillAddressBar();
    }
}

void CLeftView::RefillAddressBar()
{
    if (m_addressBar != nullptr) {
        m_addressBar->FillFrom(*Root());
    }
}

// ---- selection
// -----------------------------------------------------------------------------------------------

bool CLeftView::ShowSelectionImages(const wxTreeItemId& item, CTreeNode& node)
{
    if (node.IsCatalogue()) {
        return true;
    }
    if (node.GetClosedImage() < 0 || node.GetOpenImage() < 0) {
        return false;
    }
    SetItemImage(item, ImageListIndex(*this, node.GetClosedImage()), wxTreeItemIcon_Normal);
    SetItemImage(item, ImageListIndex(*this, node.GetOpenImage()), wxTreeItemIcon_Selected);
    return true;
}

void CLeftView::OnSelChanged(wxTreeEvent& event)
{
    event.Skip();
    CTreeNode* node = NodeOf(event.GetItem());
    if (!m_live || node == nullptr) {
        return;
    }
    if (!ShowSelectionImages(event.GetItem(), *node)) {
        return;
    }
    if (CTreeNode* old = NodeOf(event.GetOldItem()); old != nullptr) {
        ShowSelectionImages(event.GetOldItem(), *old);
    }
    if (!m_quietSelect && !m_frame.IsShowSuppressed()) {
        m_startTimer(node->GetSerial(), kSelectionDelayMs);
    }
}

void CLeftView::OnSelectionTimer(int serial)
{
    CTreeNode* node = GetSelectedNode();
    // The selection moved on before the delay ran out: a later timer shows the later element.
    if (node == nullptr || node->GetSerial() != serial) {
        return;
    }
    node->PopulateChildren(this);
    CTreeNode* root = Root();
    for (CTreeNode* at = root; at != nullptr; at = NextTreeNode(at, root)) {
        at->RemoveAttribute("Selected");
    }
    node->SetAttribute("Selected", "TRUE");
    RefillAddressBar();
    if (m_frame.GetCurrentElement() != node) {
        m_frame.SelectElement(node);
    }
}

// ---- expanding
// ---------------------------------------------------------------------------------------------

void CLeftView::OnExpanding(wxTreeEvent& event)
{
    event.Skip();
    const wxTreeItemId item = event.GetItem();
    CTreeNode* node = NodeOf(item);
    if (!m_live || node == nullptr) {
        return;
    }
    node->SetAttribute("Expanded", "TRUE");
    if (node->IsCatalogue()) {
        const int open = ImageListIndex(*this, node->GetOpenImage());
        SetItemImage(item, open, wxTreeItemIcon_Normal);
        SetItemImage(item, open, wxTreeItemIcon_Selected);
    } else if (!node->IsWastebasket() && node->GetOpenImage() >= 0 && node->GetClosedImage() >= 0) {
        SetItemImage(item, ImageListIndex(*this, node->GetOpenImage()), wxTreeItemIcon_Normal);
        SetItemImage(item, ImageListIndex(*this, node->GetClosedImage()), wxTreeItemIcon_Selected);
    }
    {
        wxWindowUpdateLocker frozen(this);
        node->PopulateChildren(this);
    }
    // A node that turned out to have no children loses its button.
    if (GetChildrenCount(item, false) == 0) {
        SetItemHasChildren(item, false);
    }
}

void CLeftView::OnCollapsing(wxTreeEvent& event)
{
    event.Skip();
    const wxTreeItemId item = event.GetItem();
    CTreeNode* node = NodeOf(item);
    if (!m_live || node == nullptr) {
        return;
    }
    if (node->IsCatalogue()) {
        const int closed = ImageListIndex(*this, node->GetClosedImage());
        SetItemImage(item, closed, wxTreeItemIcon_Normal);
        SetItemImage(item, closed, wxTreeItemIcon_Selected);
    } else if (!node->IsWastebasket()) {
        ShowSelectionImages(item, *node);
    }
    node->SetAttribute("Expanded", "FALSE");
}

// ---- renaming
// ----------------------------------------------------------------------------------------------

void CLeftView::OnBeginLabelEdit(wxTreeEvent& event)
{
    CTreeNode* node = NodeOf(event.GetItem());
    if (!m_live || node == nullptr || !node->BeginInPlaceEdit(nullptr, NodePoint{})) {
        event.Veto();
    }
}

void CLeftView::OnEndLabelEdit(wxTreeEvent& event)
{
    CTreeNode* node = NodeOf(event.GetItem());
    if (!m_live || node == nullptr || event.IsEditCancelled()) {
        return;
    }
    const std::string text = event.GetLabel().Left(kMaxLabel).utf8_string();
    node->Rename(text);
    // The node may have refused or changed the name: the item shows the name it kept.
    event.Veto();
    SetItemText(event.GetItem(), wxString::FromUTF8(node->GetName()));
    m_frame.RefreshLabels();
}

// ---- keys and clicks -------------------------------------------------------------------------------------

void CLeftView::OnKeyDown(wxTreeEvent& event)
{
    const wxKeyEvent& key = event.GetKeyEvent();
    const int code = key.GetKeyCode();
    const bool control = key.ControlDown();
    CTreeNode* node = GetSelectedNode();
    const wxRect rect = [&] {
        wxRect bounds;
        if (GetSelection().IsOk()) {
            GetBoundingRect(GetSelection(), bounds, true);
        }
        return bounds;
    }();
    const wxPoint point = ClientToScreen(rect.GetBottomLeft());
    switch (code) {
    case WXK_DELETE:
        m_frame.SendCommand(kCommandDelete);
        return;
    case 'A':
    case 'a':
    case WXK_CONTROL_A:
        if (control || code == WXK_CONTROL_A) {
            m_frame.SendCommand(kCommandSelectAll);
        }
        return;
    case 'N':
    case 'n':
    case WXK_CONTROL_N:
    case WXK_NUMPAD_DECIMAL:
        if ((control || code == WXK_CONTROL_N) && node != nullptr) {
            if (CNodeContextMenus* menus = m_frame.GetNodeContextMenus(); menus != nullptr) {
                node->ShowContextMenu(*menus, NodePoint{point.x, point.y});
            }
        }
        return;
    case WXK_MENU:
        m_frame.ShowContextMenu(node, point.x, point.y);
        return;
    case WXK_F4:
        m_frame.SendCommand(kCommandGoToWebPage);
        return;
    case WXK_F5:
        m_frame.ReloadViews(false);
        return;
    case WXK_F7:
        m_frame.SendCommand(kCommandTelephone);
        return;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        if (key.AltDown() && node != nullptr) {
            node->ShowProperties(nullptr, 0);
        }
        return;
    default:
        event.Skip();
    }
}

void CLeftView::OnRightClick(wxTreeEvent& event)
{
    const wxTreeItemId item = event.GetItem();
    if (!m_live || !item.IsOk()) {
        return;
    }
    wxTreeCtrl::SelectItem(item);
    const wxPoint point = ClientToScreen(event.GetPoint());
    m_frame.ShowContextMenu(NodeOf(item), point.x, point.y);
    if (item.IsOk() && NodeOf(item) != nullptr) {
        wxTreeCtrl::SelectItem(item);
    }
}

// ---- dropped files
// -----------------------------------------------------------------------------------------

void CLeftView::DropFiles(const wxPoint& point, const wxArrayString& files)
{
    if (!m_live) {
        return;
    }
    // The files go to the item they were dropped on, not to whatever happened to be selected.
    int flags = 0;
    if (const wxTreeItemId item = HitTest(point, flags); item.IsOk() && NodeOf(item) != nullptr) {
        wxTreeCtrl::SelectItem(item);
    }
    for (const wxString& file : files) {
        ImportDroppedFile(file.utf8_string());
    }
}

void CLeftView::ImportDroppedFile(const std::string& path)
{
    CTreeNode* element = GetSelectedNode();
    CCatalogueDb* catalogue = element != nullptr ? element->GetCatalogue() : nullptr;
    CItemSet* set = element != nullptr ? element->GetItemSet() : nullptr;
    if (element == nullptr || catalogue == nullptr || set == nullptr || catalogue->IsViewOnly() ||
        !element->AcceptsKind(kFileItemsFile)) {
        platform::ui::ShowMessage("This area does not accept dropped files.", "Warning",
                                  platform::ui::kMbOk | platform::ui::kMbIconWarning);
        return;
    }
    CItemSet fresh = CItemSet::NewRecord(kFileItemsFile, element->GetFolderRecord(), catalogue);
    CRecord* record = fresh.GetCurrent();
    if (record == nullptr || !record->SetFieldTextByName("EdtFn", path) ||
        !record->Save(record->GetParent())) {
        platform::ui::ShowMessage("The file " + BaseName(path) + " could not be added.", "Warning",
                                  platform::ui::kMbOk | platform::ui::kMbIconWarning);
        return;
    }
    set->AppendFrom(fresh, false);
    // The list shows the new row when it shows this element.
    if (m_frame.GetCurrentElement() == element) {
        m_frame.ReloadViews(false);
    }
}
