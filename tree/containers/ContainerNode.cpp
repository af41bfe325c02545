#include "tree/containers/ContainerNode.h"

#include "platform/text/CaseFold.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/WaitCursor.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/definitions/BuiltinDataFiles.h"
#include "store/program/Broadcasts.h"
#include "store/program/TraceLog.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/base/TextPatterns.h"
#include "tree/containers/AreaNode.h"
#include "tree/containers/FolderNode.h"
#include "tree/lists/ItemListNode.h"
#include "tree/queries/QueryNodes.h"
#include "tree/records/RecordNodes.h"
#include "tree/shortcuts/ShortcutWriter.h"

#include <algorithm>
#include <functional>

namespace {

constexpr long kDeleteFolderCheckpoint = 1250;

// How deep the node lies among containers, and whether a container above it shows the folder.
struct Ancestry
{
    int nesting = 0;
    bool holdsFolder = false;
};

Ancestry AncestryOf(CTreeNode& parent, double folderNumber)
{
    Ancestry ancestry;
    for (CTreeNode* node = &parent; node != nullptr; node = node->GetParentNode()) {
        if (!node->IsContainer()) {
            continue;
        }
        ++ancestry.nesting;
        if (const CFolderRecord* folder = node->GetFolderRecord();
            folder != nullptr && folder->GetNumber() == folderNumber) {
            ancestry.holdsFolder = true;
        }
    }
    return ancestry;
}

// The data files of the folders a deletion took away. A folder deleted as part of its parent's deletion
// leaves the question about its data file to the outermost deletion, so that nothing below still needs
// the data file's table when it goes.
struct FolderDeletion
{
    int depth = 0;
    std::vector<int> types;
};
FolderDeletion g_deletion;

class DeletionScope
{
public:
    DeletionScope() { ++g_deletion.depth; }
    ~DeletionScope()
    {
        if (--g_deletion.depth == 0) {
            g_deletion.types.clear();
        }
    }
    bool IsOutermost() const { return g_deletion.depth == 1; }
    DeletionScope(const DeletionScope&) = delete;
    DeletionScope& operator=(const DeletionScope&) = delete;
};

// The wait cursor from construction until End or destruction, when `on`.
class WaitCursorWhile
{
public:
    explicit WaitCursorWhile(bool on) : m_on(on)
    {
        if (m_on) {
            platform::ui::SetWaitCursor();
        }
    }
    ~WaitCursorWhile() { End(); }
    void End()
    {
        if (m_on) {
            platform::ui::SetArrowCursor();
            m_on = false;
        }
    }
    WaitCursorWhile(const WaitCursorWhile&) = delete;
    WaitCursorWhile& operator=(const WaitCursorWhile&) = delete;

private:
    bool m_on;
};

void OfferDataFileRemovals(CCatalogueDb& catalogue, const std::vector<int>& types)
{
    std::vector<int> asked;
    for (int type : types) {
        if (type >= CFolderRecord::kAllKinds || std::find(asked.begin(), asked.end(), type) != asked.end() ||
            catalogue.HasFolderOfType(type)) {
            continue;
        }
        asked.push_back(type);
        const CDataFileDef* definition = catalogue.FindDefinition(type);
        if (definition == nullptr) {
            continue;
        }
        const int remove = platform::ui::ShowMessage(
            FillTextPattern("Do you want to remove also the %s data item type?", definition->GetMenuName()),
            "Error", platform::ui::kMbYesNo | platform::ui::kMbIconError);
        if (remove == platform::ui::kIdYes) {
            RemoveDataFileOfCatalogue(catalogue, type);
        }
    }
}

} // namespace

CContainerNode::CContainerNode(CCatalogueDb& catalogue, CFolderRecord* folder, int kind)
    : CAreaFileNode(folder != nullptr ? std::string_view(folder->GetName()) : std::string_view(), kind,
                    image_kind::kRecordClosed, image_kind::kRecordOpen),
      m_catalogue(&catalogue), m_folder(folder)
{
    SetOwnedSet(std::make_unique<CItemSet>(CItemSet::Query(&catalogue, kind, folder, false)));
}

void CContainerNode::BuildFolderChildren(CTreeNode& parent, CCatalogueDb& catalogue, double folderNumber)
{
    if (AncestryOf(parent, folderNumber).nesting >= kMaxNesting) {
        return;
    }
    for (CFolderRecord* child = catalogue.FirstChildFolder(folderNumber); child != nullptr;
         child = catalogue.NextChildFolder(folderNumber, child)) {
        if (AncestryOf(parent, child->GetNumber()).holdsFolder) {
            continue;
        }
        if (child->GetType() >= CFolderRecord::kAllKinds) {
            AppendNode<CFolderNode>(parent, catalogue, child);
        } else {
            AppendNode<CAreaNode>(parent, catalogue, child, child->GetType());
        }
    }
    // Then the stored queries and item lists kept in this folder, each made from its row of the
    // catalogue's own set.
    if (CItemSet* queries = catalogue.GetBuiltinSet23()) {
        for (bool more = queries->MoveFirst(); more; more = queries->MoveNext()) {
            if (queries->GetCurrentParent() == folderNumber) {
                AppendNode<CQueryNode>(parent, queries->GetCurrentName(), catalogue, *queries);
            }
        }
    }
    if (CItemSet* lists = catalogue.GetBuiltinSet22()) {
        for (bool more = lists->MoveFirst(); more; more = lists->MoveNext()) {
            if (lists->GetCurrentParent() == folderNumber) {
                AppendNode<CItemListNode>(parent, catalogue, *lists);
            }
        }
    }
}

bool CContainerNode::HoldsQueryOrList(CCatalogueDb& catalogue, double folderNumber)
{
    for (CItemSet* set : {catalogue.GetBuiltinSet23(), catalogue.GetBuiltinSet22()}) {
        for (bool more = set != nullptr && set->MoveFirst(); more; more = set->MoveNext()) {
            if (set->GetCurrentParent() == folderNumber) {
                return true;
            }
        }
    }
    return false;
}

bool CContainerNode::HasUnbuiltChildren()
{
    return !m_childrenBuilt && m_folder != nullptr &&
           (m_catalogue->FirstChildFolder(m_folder->GetNumber()) != nullptr ||
            HoldsQueryOrList(*m_catalogue, m_folder->GetNumber()));
}

void CContainerNode::BuildChildren()
{
    if (!m_childrenBuilt) {
        m_childrenBuilt = true;
        if (m_folder != nullptr) {
            BuildFolderChildren(*this, *m_catalogue, m_folder->GetNumber());
        }
    }
}

void CContainerNode::PopulateChildren(CTreeControl* tree)
{
    BuildChildren();
    if (tree != nullptr) {
        InsertChildItems(*tree, false);
    }
    if (CItemSet* set = GetItemSet(); set->IsLoaded()) {
        set->Reload();
    } else {
        set->Load();
    }
}

bool CContainerNode::Open(CTreeControl* tree)
{
    const TreeItemId item = tree != nullptr ? tree->ItemOf(this) : kNoTreeItem;
    if (item == kNoTreeItem) {
        return false;
    }
    BuildChildren();
    tree->DeleteChildItems(item);
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        child->InsertIntoTree(*tree, item);
    }
    if (!tree->Expand(item)) {
        return false;
    }
    const int image = ImageListIndex(*tree, GetOpenImage());
    tree->SetItemImages(item, image, image);
    return true;
}

void CContainerNode::Reload()
{
    if (m_folder != nullptr) {
        SetName(m_folder->GetName());
    }
    m_catalogue->ReloadLinks();
    m_catalogue->ResetBuiltinSet22();
    m_catalogue->ResetBuiltinSet23();
    // Destroying the children tells every control to let go of their items.
    DetachAllChildren();
    m_childrenBuilt = false;
    if (GetItemSet()->IsLoaded()) {
        GetItemSet()->Reload();
    }
}

bool CContainerNode::BeginInPlaceEdit(CNodeListPane* /*list*/, NodePoint /*point*/)
{
    return m_folder != nullptr && m_catalogue != nullptr && !m_catalogue->IsViewOnly();
}

bool CContainerNode::Rename(std::string_view text)
{
    if (m_folder == nullptr || text.empty()) {
        return false;
    }
    m_folder->Rename(*m_catalogue, text);
    SetName(m_folder->GetName());
    return true;
}

bool CContainerNode::IsEmpty()
{
    BuildChildren();
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        if (!child->IsEmpty()) {
            return false;
        }
    }
    return GetItemSet()->GetCount() == 0;
}

int CContainerNode::Delete(CNodeListPane* list, bool quiet)
{
    DebugLogNumber(kDeleteFolderCheckpoint);
    if (m_folder == nullptr) {
        return kDeleteRefused;
    }
    int answer = kDeleteDoneYesToAll;
    if (!quiet) {
        answer = NodeDialogs().ConfirmFolderDelete(
            FillTextPattern("Are you sure you want to delete the %s folder?", GetName()) +
            "\nNote Lumarc will ask confirmation for each sub folder.");
        if (answer != platform::ui::kIdYes && answer != platform::ui::kIdYesToAll) {
            return kDeleteRefused;
        }
    }
    const bool yesToAll = answer == platform::ui::kIdYesToAll;
    DeletionScope scope;
    WaitCursorWhile wait(yesToAll);
    // Children are built first so that every subfolder is asked about (or deleted quietly) in turn.
    BuildChildren();
    const double number = m_folder->GetNumber();
    while (CTreeNode* child = GetFirstChildNode()) {
        if (child->Delete(list, yesToAll) == kDeleteRefused) {
            return kDeleteRefused;
        }
        DetachChild(child);
    }
    // A subfolder's deletion takes its whole subtree with it; where damaged PARENT values make this
    // folder one of its own descendants, that includes this folder's record.
    m_folder = m_catalogue->FindFolder(number);
    if (m_folder == nullptr) {
        SetOwnedSet(std::make_unique<CItemSet>(m_catalogue));
        return yesToAll ? kDeleteDoneYesToAll : kDeleteDone;
    }
    g_deletion.types.push_back(m_folder->GetType());
    // The folder record goes with the folder: nothing may point to it any more.
    m_folder = nullptr;
    SetOwnedSet(std::make_unique<CItemSet>(m_catalogue));
    try {
        m_catalogue->DeleteFolderTree(number, yesToAll);
    } catch (const std::exception& error) {
        DebugLogString(error.what());
        return kDeleteRefused;
    }
    wait.End();
    if (scope.IsOutermost()) {
        OfferDataFileRemovals(*m_catalogue, g_deletion.types);
    }
    return yesToAll ? kDeleteDoneYesToAll : kDeleteDone;
}

// ---- dropping and pasting ---------------------------------------------------------------------------------

namespace {

bool SameCatalogue(const CCatalogueDb* a, const CCatalogueDb* b)
{
    return a == b || (a != nullptr && b != nullptr &&
                      a->GetFilePath().lexically_normal() == b->GetFilePath().lexically_normal());
}

bool ClipboardHas(std::string_view format)
{
    CClipboardAccess* clipboard = GetClipboardAccess();
    return clipboard != nullptr && clipboard->HasFormat(format);
}

} // namespace

CTreeNode* CContainerNode::FindNodeByPath(const std::string& path)
{
    auto* root = static_cast<CTreeNode*>(GetRoot());
    return root != nullptr ? root->FindByNodePath(path) : nullptr;
}

bool CContainerNode::CanTakeFolder(CTreeNode& node)
{
    if (!node.IsContainer() || node.GetFolderRecord() == nullptr ||
        !SameCatalogue(node.GetCatalogue(), m_catalogue)) {
        return false;
    }
    // Never into itself or below itself: the folder tree would lose the folder in a loop.
    for (CTreeNode* above = this; above != nullptr; above = above->GetParentNode()) {
        if (above == &node ||
            (above->GetFolderRecord() != nullptr &&
             above->GetFolderRecord()->GetNumber() == node.GetFolderRecord()->GetNumber())) {
            return false;
        }
    }
    return true;
}

bool CContainerNode::CanCopyFolder(CTreeNode& node)
{
    return node.IsContainer() && node.GetFolderRecord() != nullptr &&
           SameCatalogue(node.GetCatalogue(), m_catalogue);
}

bool CContainerNode::IsQueryOrListOfCatalogue(CTreeNode& node)
{
    // A query or list of another catalogue would name a folder that its catalogue does not have.
    return (node.IsQuery() || node.IsItemList()) && node.GetOwnSet() != nullptr &&
           node.GetOwnSet()->GetCurrent() != nullptr && SameCatalogue(node.GetCatalogue(), m_catalogue);
}

bool CContainerNode::CanPasteFolders(bool move)
{
    const std::string_view formats[] = {move ? kQueryMoveFormat : kQueryCopyFormat,
                                        move ? kItemListMoveFormat : kItemListCopyFormat,
                                        move ? kAreaMoveFormat : kAreaCopyFormat};
    for (std::string_view format : formats) {
        if (!ClipboardHas(format)) {
            continue;
        }
        for (const std::string& path : ReadClipboardEntries(format)) {
            CTreeNode* node = FindNodeByPath(path);
            if (node == nullptr) {
                continue;
            }
            const bool accepted = format == kAreaMoveFormat   ? CanTakeFolder(*node)
                                  : format == kAreaCopyFormat ? CanCopyFolder(*node)
                                                              : IsQueryOrListOfCatalogue(*node);
            if (accepted) {
                return true;
            }
        }
        return false;
    }
    return false;
}

bool CContainerNode::PasteFolders(bool move)
{
    bool pasted = false;
    if (move) {
        for (std::string_view format : {kQueryMoveFormat, kItemListMoveFormat}) {
            if (ClipboardHas(format)) {
                pasted = PasteQueryOrListMove(format) || pasted;
            }
        }
        if (ClipboardHas(kAreaMoveFormat)) {
            pasted = PasteAreaMove(kAreaMoveFormat) || pasted;
        }
    } else {
        for (std::string_view format : {kQueryCopyFormat, kItemListCopyFormat}) {
            if (ClipboardHas(format)) {
                pasted = PasteQueryOrListCopy(format) || pasted;
            }
        }
        if (ClipboardHas(kAreaCopyFormat)) {
            pasted = PasteAreaCopy(kAreaCopyFormat) || pasted;
        }
    }
    return pasted;
}

bool CContainerNode::PasteAreaMove(std::string_view format)
{
    if (m_folder == nullptr || format != kAreaMoveFormat) {
        return false;
    }
    bool moved = false;
    for (const std::string& path : ReadClipboardEntries(format)) {
        CTreeNode* node = FindNodeByPath(path);
        if (node == nullptr || !CanTakeFolder(*node)) {
            continue;
        }
        CTreeNode* oldParent = node->GetParentNode();
        if (oldParent != nullptr) {
            oldParent->PostUnload();
        }
        CFolderRecord* folder = node->GetFolderRecord();
        if (folder->GetParent() == m_folder->GetNumber()) {
            continue; // already here: nothing to rewrite
        }
        folder->SetParent(m_folder->GetNumber());
        folder->Update(*m_catalogue);
        // The folder's node now belongs here; it is built again when a pane asks.
        if (oldParent != nullptr) {
            oldParent->DetachChild(node);
        }
        moved = true;
    }
    if (moved) {
        Reload();
    }
    return moved;
}

bool CContainerNode::HoldsElementNamed(const std::string& name)
{
    // Asked of the folder list and the catalogue's lists and queries, so that nothing is built for it.
    const double number = m_folder != nullptr ? m_folder->GetNumber() : RootFolderCode();
    if (m_folder != nullptr) {
        for (CFolderRecord* child = m_catalogue->FirstChildFolder(number); child != nullptr;
             child = m_catalogue->NextChildFolder(number, child)) {
            if (platform::text::EqualsNoCase(child->GetName(), name)) {
                return true;
            }
        }
    } else {
        for (CFolderRecord* child = m_catalogue->FirstTopLevelFolder(); child != nullptr;
             child = m_catalogue->NextTopLevelFolder()) {
            if (platform::text::EqualsNoCase(child->GetName(), name)) {
                return true;
            }
        }
    }
    for (int file : {kItemListsFile, kQueriesFile}) {
        CItemSet elements = CItemSet::Query(m_catalogue, file, nullptr, false);
        for (bool more = elements.MoveFirst(); more; more = elements.MoveNext()) {
            if (elements.GetCurrentParent() == number &&
                platform::text::EqualsNoCase(elements.GetCurrentName(), name)) {
                return true;
            }
        }
    }
    return false;
}

std::string CContainerNode::CopyNameFor(std::string_view name,
                                        const std::function<bool(const std::string&)>& taken)
{
    const auto isTaken = [&](const std::string& candidate) {
        return HoldsElementNamed(candidate) || (taken && taken(candidate));
    };
    std::string candidate = FillTextPattern("Copy of %s", name);
    for (size_t n = 2; isTaken(candidate); ++n) {
        candidate = FillTextPattern(FillCountPattern("Copy %d of %s", n), name);
    }
    return candidate;
}

bool CContainerNode::PasteAreaCopy(std::string_view format)
{
    if (format != kAreaCopyFormat) {
        return false;
    }
    // Without a folder record this stands for the catalogue's top level.
    const double parent = m_folder != nullptr ? m_folder->GetNumber() : RootFolderCode();
    bool copied = false;
    for (const std::string& path : ReadClipboardEntries(format)) {
        CTreeNode* node = FindNodeByPath(path);
        if (node == nullptr || !CanCopyFolder(*node)) {
            continue;
        }
        if (node->GetParentNode() != nullptr) {
            node->GetParentNode()->PostUnload();
        }
        CFolderRecord& source = *node->GetFolderRecord();
        // A parent of 0 (the top level where the installation number is 0) would keep the source's own:
        // the pattern carries the parent.
        CFolderRecord pattern;
        pattern.CopyFrom(&source);
        pattern.SetParent(parent);
        CFolderRecord* copy = m_catalogue->AddFolderCopy(CopyNameFor(source.GetName()), parent, pattern);
        if (copy == nullptr) {
            continue;
        }
        CopyAreaContents(source, *copy);
        copied = true;
    }
    if (copied) {
        Reload();
    }
    return copied;
}

void CContainerNode::CopyAreaContents(CFolderRecord& source, CFolderRecord& newFolder)
{
    CopyState state;
    state.made.push_back(newFolder.GetNumber());
    CopyAreaContents(source, newFolder, state);
}

void CContainerNode::CopyAreaContents(CFolderRecord& source, CFolderRecord& newFolder, CopyState& state)
{
    // A folder that holds itself through damaged PARENT values is copied once.
    if (std::find(state.sources.begin(), state.sources.end(), source.GetNumber()) != state.sources.end() ||
        static_cast<int>(state.sources.size()) >= kMaxNesting) {
        return;
    }
    state.sources.push_back(source.GetNumber());
    CItemSet records = CItemSet::Query(m_catalogue, node_kind::kAllKinds, &source, false);
    for (bool more = records.MoveFirst(); more; more = records.MoveNext()) {
        CItemSet copy = CItemSet::CopyOfCurrent(records);
        if (copy.InsertCurrentRecord(newFolder.GetNumber())) {
            // The notes are copied with the record, its other links carried over to the copy.
            records.CopyCurrentChildren(copy.GetCurrentKey(), newFolder.GetNumber(), *m_catalogue, 0);
        }
    }
    // The subfolders as they were before anything was copied; a copy made here is not copied again.
    std::vector<CFolderRecord*> children;
    for (CFolderRecord* child = m_catalogue->FirstChildFolder(source.GetNumber()); child != nullptr;
         child = m_catalogue->NextChildFolder(source.GetNumber(), child)) {
        if (std::find(state.made.begin(), state.made.end(), child->GetNumber()) == state.made.end()) {
            children.push_back(child);
        }
    }
    for (CFolderRecord* child : children) {
        CFolderRecord* childCopy =
            m_catalogue->AddFolderCopy(child->GetName(), newFolder.GetNumber(), *child);
        if (childCopy != nullptr) {
            state.made.push_back(childCopy->GetNumber());
            CopyAreaContents(*child, *childCopy, state);
        }
    }
    state.sources.pop_back();
}

bool CContainerNode::PasteQueriesOrLists(std::string_view format,
                                         const std::function<bool(CTreeNode&, double)>& paste)
{
    const double number = m_folder != nullptr ? m_folder->GetNumber() : RootFolderCode();
    bool pasted = false;
    for (const std::string& path : ReadClipboardEntries(format)) {
        CTreeNode* node = FindNodeByPath(path);
        if (node == nullptr || !IsQueryOrListOfCatalogue(*node)) {
            continue;
        }
        if (node->GetParentNode() != nullptr) {
            node->GetParentNode()->PostUnload();
        }
        pasted = paste(*node, number) || pasted;
    }
    if (pasted) {
        m_catalogue->ResetBuiltinSet22();
        m_catalogue->ResetBuiltinSet23();
    }
    return pasted;
}

bool CContainerNode::PasteQueryOrListMove(std::string_view format)
{
    if (format != kQueryMoveFormat && format != kItemListMoveFormat) {
        return false;
    }
    return PasteQueriesOrLists(format, [](CTreeNode& node, double number) {
        node.SetParentCode(number);
        return true;
    });
}

bool CContainerNode::PasteQueryOrListCopy(std::string_view format)
{
    if (format != kQueryCopyFormat && format != kItemListCopyFormat) {
        return false;
    }
    return PasteQueriesOrLists(format, [this](CTreeNode& node, double number) {
        return node.IsQuery() ? CopyQueryHere(node, number) : CopyItemListHere(node, number);
    });
}

bool CContainerNode::CopyQueryHere(CTreeNode& query, double folderNumber)
{
    std::string contents;
    if (!m_catalogue->ReadQuery(query.GetName(), contents)) {
        return false;
    }
    // A stored query is found by its name, in every folder: the copy's name must be new to the catalogue,
    // or writing it would overwrite another query.
    std::string other;
    const std::string name = CopyNameFor(query.GetName(), [this, &other](const std::string& candidate) {
        return m_catalogue->ReadQuery(candidate, other);
    });
    return m_catalogue->WriteQuery(name, contents, folderNumber);
}

bool CContainerNode::CopyItemListHere(CTreeNode& list, double folderNumber)
{
    CItemSet copy = CItemSet::CopyOfCurrent(*list.GetOwnSet());
    copy.SetCurrentNameText(CopyNameFor(list.GetName()));
    if (!copy.InsertCurrentRecord(folderNumber)) {
        return false;
    }
    // The copy holds the same records: each member is linked to it as to the list.
    const CNodeRef key = copy.GetCurrentKey();
    const CNodeRef source = list.GetOwnSet()->GetCurrentKey();
    CItemSet members = CItemSet::Children(m_catalogue, &source, kLinkMenuKinds);
    for (bool more = members.MoveFirst(); more; more = members.MoveNext()) {
        members.LinkCurrentWith(key);
    }
    return true;
}

void CContainerNode::DropMove(CItemSet* set)
{
    const bool pasted = PasteFolders(true);
    if (set != nullptr && m_folder != nullptr && SameCatalogue(set->GetCatalogue(), m_catalogue)) {
        for (bool more = set->MoveFirst(); more; more = set->MoveNext()) {
            if (AcceptsKind(set->GetCurrentKind()) && set->GetCurrentParent() != m_folder->GetNumber()) {
                set->MoveCurrentToParent(m_folder->GetNumber());
            }
        }
    } else if (set != nullptr && m_folder != nullptr) {
        CopyFromOtherCatalogue(*this, *set, m_folder->GetNumber(), GetKind(), 0, true, CopyModes());
    }
    EndDrop(set, pasted);
}

void CContainerNode::DropCopy(CItemSet* set)
{
    const bool pasted = PasteFolders(false);
    if (set != nullptr && m_folder != nullptr && SameCatalogue(set->GetCatalogue(), m_catalogue)) {
        for (bool more = set->MoveFirst(); more; more = set->MoveNext()) {
            if (!AcceptsKind(set->GetCurrentKind())) {
                continue;
            }
            CItemSet copy = CItemSet::CopyOfCurrent(*set);
            if (copy.InsertCurrentRecord(m_folder->GetNumber())) {
                set->CopyCurrentChildren(copy.GetCurrentKey(), m_folder->GetNumber(), *m_catalogue, 0);
            }
        }
    } else if (set != nullptr && m_folder != nullptr) {
        CopyFromOtherCatalogue(*this, *set, m_folder->GetNumber(), GetKind(), 0, false, CopyModes());
    }
    EndDrop(set, pasted);
}

void CContainerNode::EndDrop(CItemSet* set, bool pasted)
{
    if (GetItemSet()->IsLoaded()) {
        GetItemSet()->Reload();
    }
    if (pasted) {
        PostUnload();
    } else if (set != nullptr) {
        BroadcastRefresh(*this, *set);
    }
}

std::function<int(CItemSet&)> CContainerNode::CopyModes()
{
    return [](CItemSet&) { return CRecordCopier::kNotesAndFiles; };
}

void CContainerNode::OpenEntryById(int dataFile, CNodeFrame* frame)
{
    if (CRecordFormOpener* form = RecordFormOpener(); form != nullptr) {
        form->OpenNewRecord(CItemSet::NewRecord(dataFile, m_folder, m_catalogue), *this, frame);
    }
}

void CContainerNode::CollectShownItemsOfKind(CItemSet& set, int kind)
{
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        if (!child->GetAttributeBool("WWWDeleted")) {
            child->CollectShownItemsOfKind(set, kind);
        }
    }
    CAreaFileNode::CollectShownItemsOfKind(set, kind);
}

std::unique_ptr<CTreeNode> CContainerNode::NewChild(const CNodeRef& key)
{
    return std::make_unique<CFolderRecordNode>(key);
}

std::unique_ptr<CTreeNode> CContainerNode::NewChildFromSet(CItemSet& set)
{
    return std::make_unique<CFolderRecordNode>(set);
}

void RemoveDataFileOfCatalogue(CCatalogueDb& catalogue, int fileNumber)
{
    const CDataFileDef* definition = catalogue.FindDefinition(fileNumber);
    if (definition == nullptr) {
        return;
    }
    platform::ui::SetWaitCursor();
    const std::string table = definition->GetFileName();
    catalogue.RemoveDataFileResources(fileNumber);
    catalogue.RemoveTable(table);
    CDataFileDef editor(&catalogue);
    editor.ClearMenuNameOf(fileNumber);
    editor.BuildDefinitionTree();
    editor.SaveDefinitionTree();
    platform::ui::SetArrowCursor();
    BroadcastUnloadDatabase(catalogue.GetFilePath());
}

std::string CContainerNode::CreateShortcut(int kind)
{
    return WriteShortcutOfKind(kind, DescriptionWithCatalogue(*this), ListShortcutArgument(*this), 1);
}
