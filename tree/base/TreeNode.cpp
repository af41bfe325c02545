#include "tree/base/TreeNode.h"

#include "platform/text/CaseFold.h"
#include "platform/ui/Broadcaster.h"
#include "platform/ui/WaitCursor.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/program/Broadcasts.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "tree/base/ElementTreeSource.h"
#include "tree/base/NodeInterfaces.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

int g_nextSerial = 0;
std::vector<CTreeNodeObserver*> g_observers;

// The range of "New" commands that run at once when they are the menu's only entry.
constexpr int kFirstNewCommand = 1335;
constexpr int kLastNewCommand = 1435;
constexpr int kStringUndefinedItem = 33378;
// The control id of the combo box that starts its lines at the node itself.
constexpr int kComboFromNode = 1067;
// Image kinds of the wastebasket: holding deleted entries, and empty.
constexpr int kWastebasketFull = 26;
constexpr int kWastebasketEmpty = 39;

void AppendEscaped(std::string& path, std::string_view name)
{
    for (char c : name) {
        if (c == kPathSeparator || c == kPathEscape) {
            path += kPathEscape;
        }
        path += c;
    }
}

bool IsLeftOutOfChoosers(CTreeNode& node)
{
    return node.IsQuery() || node.IsItemList() || node.IsWastebasket() || node.IsWastebasketArea() ||
           node.IsTableNode() || node.IsOrderingItem() || node.IsUnnamedKind();
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    if (a.empty() || b.empty()) {
        return false;
    }
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) {
        return true;
    }
    return a.lexically_normal() == b.lexically_normal();
}

} // namespace

void AddTreeNodeObserver(CTreeNodeObserver* observer)
{
    if (observer != nullptr &&
        std::find(g_observers.begin(), g_observers.end(), observer) == g_observers.end()) {
        g_observers.push_back(observer);
    }
}

void RemoveTreeNodeObserver(CTreeNodeObserver* observer)
{
    std::erase(g_observers, observer);
}

CTreeNode::CTreeNode(std::string_view label, int closedImage, int openImage)
    : m_openImage(openImage), m_closedImage(closedImage), m_serial(g_nextSerial++)
{
    SetName(label);
}

CTreeNode::~CTreeNode()
{
    // A copy, so an observer may remove itself while it hears.
    const std::vector<CTreeNodeObserver*> observers = g_observers;
    for (CTreeNodeObserver* observer : observers) {
        observer->NodeDestroyed(this);
    }
}

void CTreeNode::RestartSerials()
{
    m_serial = 0;
    g_nextSerial = 1;
}

void CTreeNode::SetImages(int closedImage, int openImage)
{
    m_closedImage = closedImage;
    m_openImage = openImage;
}

// Every child of a tree node is a tree node: nodes only ever hang tree nodes below them.
CTreeNode* CTreeNode::GetParentNode() const
{
    return static_cast<CTreeNode*>(GetParent());
}

CTreeNode* CTreeNode::GetFirstChildNode() const
{
    return static_cast<CTreeNode*>(GetFirstChild());
}

CTreeNode* CTreeNode::GetNextSiblingNode() const
{
    return static_cast<CTreeNode*>(GetNextSibling());
}

CTreeNode* NextTreeNode(CTreeNode* node, CTreeNode* top, bool descend)
{
    if (descend && node->GetFirstChildNode() != nullptr) {
        return node->GetFirstChildNode();
    }
    for (CTreeNode* at = node; at != nullptr && at != top; at = at->GetParentNode()) {
        if (at->GetNextSiblingNode() != nullptr) {
            return at->GetNextSiblingNode();
        }
    }
    return nullptr;
}

// ---- paths -------------------------------------------------------------------------------------------

std::string CTreeNode::BuildPath(bool withRoot) const
{
    std::vector<const CTreeNode*> chain;
    for (const CTreeNode* node = this; node != nullptr; node = node->GetParentNode()) {
        chain.push_back(node);
    }
    if (!withRoot) {
        chain.pop_back();
    }
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        AppendEscaped(path, (*it)->GetName());
        path += kPathSeparator;
    }
    return path;
}

std::string CTreeNode::GetPath() const
{
    return BuildPath(false);
}

std::string CTreeNode::GetFullPath() const
{
    return BuildPath(true);
}

std::vector<std::string> CTreeNode::SplitPath(std::string_view path)
{
    std::vector<std::string> names;
    std::string name;
    bool pending = false;
    for (size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (c == kPathEscape && i + 1 < path.size() &&
            (path[i + 1] == kPathSeparator || path[i + 1] == kPathEscape)) {
            name += path[++i];
            pending = true;
        } else if (c == kPathSeparator) {
            names.push_back(std::move(name));
            name.clear();
            pending = false;
        } else {
            name += c;
            pending = true;
        }
    }
    if (pending) {
        names.push_back(std::move(name));
    }
    return names;
}

CTreeNode* CTreeNode::FindByNodePath(std::string_view path)
{
    CTreeNode* node = this;
    for (const std::string& name : SplitPath(path)) {
        CTreeNode* child = node->GetFirstChildNode();
        while (child != nullptr && !child->NameEquals(name)) {
            child = child->GetNextSiblingNode();
        }
        if (child == nullptr) {
            return nullptr;
        }
        node = child;
    }
    return node;
}

// ---- the tree control ----------------------------------------------------------------------------------

TreeItemId CTreeNode::InsertTreeItem(CTreeControl& tree, bool forceRoot, bool bold)
{
    CCatalogueDb* catalogue = GetCatalogue();
    const bool areasAllowed = catalogue == nullptr || catalogue->IsAreaAllowed();
    if (!areasAllowed && IsHiddenInTree()) {
        return kNoTreeItem;
    }
    TreeItemId parentItem = kNoTreeItem;
    if (CTreeNode* parent = GetParentNode(); parent != nullptr && !forceRoot) {
        if (!areasAllowed && parent->IsHiddenInTree()) {
            parent = parent->GetParentNode();
        }
        parentItem = parent != nullptr ? tree.ItemOf(parent) : kNoTreeItem;
    }
    if (IsWastebasket()) {
        const int kind = catalogue != nullptr && catalogue->GetDeletedEntries() != 0 ? kWastebasketFull
                                                                                     : kWastebasketEmpty;
        SetImages(kind, kind);
    }
    PrepareImagesFor(tree);
    const int image = ImageListIndex(tree, m_closedImage);
    const bool hasButton = IsCatalogue() || HasChildren() || HasUnbuiltChildren();
    return tree.AppendItem(parentItem, GetName(), image, image, this, bold, hasButton);
}

TreeItemId CTreeNode::InsertIntoTree(CTreeControl& tree, TreeItemId parentItem)
{
    PrepareImagesFor(tree);
    const int image = ImageListIndex(tree, m_closedImage);
    const TreeItemId item = tree.AppendItem(parentItem, GetName(), image, image, this, false,
                                            HasChildren() || HasUnbuiltChildren());
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        child->InsertIntoTree(tree, item);
    }
    return item;
}

void CTreeNode::AddChildNode(CTreeControl& tree, bool siblings, bool skip, bool bold, bool filter)
{
    if (!skip && (!filter || !IsLeftOutOfChoosers(*this))) {
        InsertTreeItem(tree, false, false);
    }
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        child->AddChildNode(tree, false, false, bold, filter);
    }
    if (siblings && GetParentNode() != nullptr) {
        CTreeNode* first = GetParentNode()->GetFirstChildNode();
        for (CTreeNode* sibling = first->GetNextSiblingNode(); sibling != nullptr;
             sibling = sibling->GetNextSiblingNode()) {
            sibling->AddChildNode(tree, false, false, bold, filter);
        }
    }
}

void CTreeNode::InsertTreeItems(CTreeControl& tree, int kind)
{
    const auto accepts = [kind](CTreeNode& node) {
        return node.IsFolder() || (node.IsArea() && node.GetKind() == kind);
    };
    if (!IsLeftOutOfChoosers(*this)) {
        if (accepts(*this)) {
            InsertTreeItem(tree, false, true);
        } else {
            bool holdsTarget = IsCatalogue();
            for (CTreeNode* child = GetFirstChildNode(); child != nullptr && !holdsTarget;
                 child = child->GetNextSiblingNode()) {
                holdsTarget = accepts(*child);
            }
            if (holdsTarget) {
                InsertTreeItem(tree, false, false);
            }
        }
    }
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        child->InsertTreeItems(tree, kind);
    }
}

void CTreeNode::InsertTreeItemsAt(CTreeControl& tree, TreeItemId parentItem)
{
    bool insert = IsFolder() || IsItemList() || IsCatalogue();
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr && !insert;
         child = child->GetNextSiblingNode()) {
        insert = child->IsFolder() || child->IsItemList();
    }
    TreeItemId item = parentItem;
    if (insert) {
        const int image = ImageListIndex(tree, m_closedImage);
        item = tree.AppendItem(parentItem, GetName(), image, image, this, IsItemList(), HasChildren());
    }
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        child->InsertTreeItemsAt(tree, item);
    }
}

void CTreeNode::RestoreExpanded(CTreeControl& tree)
{
    for (CTreeNode* node = this; node != nullptr; node = NextTreeNode(node, this)) {
        if (node->GetAttributeBool("Expanded")) {
            if (const TreeItemId item = tree.ItemOf(node); item != kNoTreeItem) {
                tree.Expand(item);
            }
        }
    }
}

bool CTreeNode::Open(CTreeControl* tree)
{
    const TreeItemId item = tree != nullptr ? tree->ItemOf(this) : kNoTreeItem;
    if (item == kNoTreeItem || !tree->Expand(item)) {
        return false;
    }
    const int image = ImageListIndex(*tree, m_openImage);
    tree->SetItemImages(item, image, image);
    tree->SelectItem(item);
    return true;
}

bool CTreeNode::Collapse(CTreeControl* tree)
{
    const TreeItemId item = tree != nullptr ? tree->ItemOf(this) : kNoTreeItem;
    if (item == kNoTreeItem || !tree->Collapse(item)) {
        return false;
    }
    const int image = ImageListIndex(*tree, m_closedImage);
    tree->SetItemImages(item, image, image);
    tree->SelectItem(item);
    return true;
}

void CTreeNode::PopulateChildren(CTreeControl* tree)
{
    BuildChildren();
    if (tree != nullptr) {
        InsertChildItems(*tree);
    }
}

void CTreeNode::InsertChildItems(CTreeControl& tree, bool rows)
{
    if (GetParentNode() != nullptr && tree.ItemOf(this) == kNoTreeItem) {
        return;
    }
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        if ((rows || !child->IsRecord()) && tree.ItemOf(child) == kNoTreeItem) {
            child->InsertTreeItem(tree, false, false);
        }
    }
}

void CTreeNode::MarkSelected()
{
    SetAttribute("Selected", "true");
}

// ---- combo boxes ----------------------------------------------------------------------------------------

void CTreeNode::FillComboBox(CNodeComboBox& combo)
{
    combo.Clear();
    const auto selectedAtOrBelow = [](CTreeNode& node) {
        return node.GetAttributeBool("Selected") || node.HasTrueAttributeBelow("Selected");
    };
    if (combo.GetControlId() == kComboFromNode) {
        FillComboLines(combo, GetDepth(), true);
        return;
    }
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        child->FillComboLines(combo, child->GetDepth(), selectedAtOrBelow(*child));
    }
}

void CTreeNode::FillComboLines(CNodeComboBox& combo, int depth, bool descend)
{
    if (IsRecord()) {
        return;
    }
    if (!IsRoot()) {
        const int image = ImageListIndex(combo, m_closedImage);
        const int line = combo.AppendLine(depth - 1, GetName(), image, image, this);
        if (GetAttributeBool("Selected")) {
            combo.SelectLine(line);
        }
    }
    if (!descend) {
        return;
    }
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        if (child->IsRecord()) {
            return;
        }
        const int childDepth = depth + 1;
        const bool childDescend =
            child->GetAttributeBool("Selected") || child->HasTrueAttributeBelow("Selected") || childDepth < 2;
        child->FillComboLines(combo, childDepth, childDescend);
    }
}

// ---- the catalogue behind the node ------------------------------------------------------------------------

CCatalogueDb* CTreeNode::GetCatalogue()
{
    if (CItemSet* set = GetItemSet(); set != nullptr) {
        return set->GetCatalogue();
    }
    return GetParentNode() != nullptr ? GetParentNode()->GetCatalogue() : nullptr;
}

CTreeNode* CTreeNode::GetCatalogueNode()
{
    return GetParentNode() != nullptr ? GetParentNode()->GetCatalogueNode() : nullptr;
}

CFolderRecord* CTreeNode::GetFolderRecord()
{
    return nullptr;
}

std::vector<std::string> CTreeNode::GetStatusText()
{
    return {LoadResString(kStringUndefinedItem)};
}

// ---- menus ----------------------------------------------------------------------------------------------

bool CTreeNode::ShowContextMenu(CNodeContextMenus& menus, NodePoint point)
{
    const std::vector<NodeMenuCommand> commands = menus.NewMenuOf(GetCatalogueNode());
    if (commands.size() == 1 && commands.front().id >= kFirstNewCommand &&
        commands.front().id <= kLastNewCommand) {
        menus.SendCommand(commands.front().id);
    } else {
        menus.TrackPopup(commands, point);
    }
    return true;
}

// ---- records --------------------------------------------------------------------------------------------

void CTreeNode::CollectItems(CItemSet& set)
{
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        child->CollectItems(set);
    }
}

// ---- clipboard, drag and drop, links
// -----------------------------------------------------------------------

namespace {

// The records the clipboard holds in the format, read through the node's element tree.
std::unique_ptr<CItemSet> ClipboardItems(CTreeNode& node, std::string_view format)
{
    CClipboardAccess* clipboard = GetClipboardAccess();
    if (clipboard == nullptr || !clipboard->HasFormat(format)) {
        return nullptr;
    }
    CElementTreeSource source(*static_cast<CTreeNode*>(node.GetRoot()));
    return ReadItemsFromEntries(ReadClipboardEntries(format), source);
}

} // namespace

bool CTreeNode::CanPasteMove()
{
    if (CCatalogueDb* catalogue = GetCatalogue(); catalogue != nullptr && catalogue->IsViewOnly()) {
        return false;
    }
    const std::unique_ptr<CItemSet> items = ClipboardItems(*this, kMoveItemsFormat);
    return items != nullptr && CanAcceptMove(items.get());
}

bool CTreeNode::CanPasteCopy()
{
    if (CCatalogueDb* catalogue = GetCatalogue(); catalogue != nullptr && catalogue->IsViewOnly()) {
        return false;
    }
    const std::unique_ptr<CItemSet> items = ClipboardItems(*this, kCopyItemsFormat);
    return items != nullptr && CanAcceptCopy(items.get());
}

void CTreeNode::DropLink(CItemSet& set)
{
    CItemSet* own = GetItemSet();
    if (own == nullptr) {
        return;
    }
    for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
        own->LinkCurrentWith(set.GetCurrentKey());
    }
}

bool CTreeNode::AddToClipboard(std::string_view format)
{
    return AppendEntriesToClipboard(format, {GetPath()});
}

// ---- broadcasts -------------------------------------------------------------------------------------------

void CTreeNode::SendUnload()
{
    platform::ui::SetWaitCursor();
    platform::ui::Broadcaster::Instance().Send(BroadcastMessageNumber(kUnloadElementMessage), 0, GetPath());
    platform::ui::SetArrowCursor();
}

void CTreeNode::PostUnload()
{
    platform::ui::Broadcaster::Instance().Post(BroadcastMessageNumber(kUnloadElementMessage), 0, GetPath());
}

void CTreeNode::BroadcastRefresh(CTreeNode& element, CItemSet& set)
{
    CCatalogueDb* changed = set.GetCatalogue();
    if (changed == nullptr) {
        return;
    }
    CTreeNode* root = static_cast<CTreeNode*>(element.GetRoot());
    for (CTreeNode* node = root; node != nullptr; node = NextTreeNode(node, root, !node->IsCatalogue())) {
        if (!node->IsCatalogue()) {
            continue;
        }
        CCatalogueDb* catalogue = node->GetCatalogue();
        if (catalogue != nullptr && catalogue != changed &&
            SameFile(catalogue->GetFilePath(), changed->GetFilePath())) {
            platform::ui::Broadcaster::Instance().Send(BroadcastMessageNumber(kRefreshMessage));
        }
    }
}

CTreeNode* CTreeNode::FindFolderChildByNumber(double number)
{
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        if (child->IsContainer()) {
            if (const CFolderRecord* folder = child->GetFolderRecord();
                folder != nullptr && folder->GetNumber() >= number) {
                return child;
            }
        }
    }
    return nullptr;
}
