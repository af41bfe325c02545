#include "tree/groups/WastebasketNodes.h"

#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/program/Settings.h"
#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/containers/AreaNode.h"
#include "tree/groups/TableNodes.h"
#include "tree/records/DeleteConfirmations.h"
#include "tree/records/RecordNodes.h"
#include "tree/shortcuts/ShortcutWriter.h"

#include <algorithm>

namespace {

constexpr int kStringRecycleBin = 33121;
constexpr unsigned kDeletedItemNotDeleted = 33126; // "You can not delete a deleted item; ..."

std::unique_ptr<CItemSet> DeletedRecords(CCatalogueDb& catalogue, int kind)
{
    return std::make_unique<CItemSet>(CItemSet::Query(&catalogue, kind, nullptr, true));
}

void LoadOrReload(CItemSet& set)
{
    if (set.IsLoaded()) {
        set.Reload();
    } else {
        set.Load();
    }
}

std::string WithoutAmpersands(std::string text)
{
    std::erase(text, '&');
    return text;
}

} // namespace

CWastebasketNode::CWastebasketNode(CCatalogueDb& catalogue)
    : CTreeNode(GetSettingString("WastebasketName", LoadResString(kStringRecycleBin)),
                image_kind::kWastebasketFull, image_kind::kWastebasketFull),
      m_catalogue(&catalogue)
{
    SetPageTemplate("wastebsk.htm");
}

bool CWastebasketNode::BeginInPlaceEdit(CNodeListPane* /*list*/, NodePoint /*point*/)
{
    return true;
}

bool CWastebasketNode::Rename(std::string_view text)
{
    SetName(text);
    SetSettingString("WastebasketName", GetName());
    return true;
}

void CWastebasketNode::BuildChildren()
{
    if (m_childrenBuilt) {
        return;
    }
    m_childrenBuilt = true;
    m_catalogue->LoadDefinitionsIfNeeded();
    const bool toDoShown = ShowsToDoList(*m_catalogue);
    CWastebasketTableNode* tables = nullptr;
    for (int slot = 1; slot < CCatalogueDb::kDefinitionSlots; ++slot) {
        const CDataFileDef* definition = m_catalogue->GetDefinitionSlot(slot);
        if (definition == nullptr || definition->GetFileNumber() == node_kind::kItemLists ||
            definition->GetMenuName().empty() ||
            (definition->GetFileNumber() == node_kind::kToDo && !toDoShown)) {
            continue;
        }
        const std::string label = WithoutAmpersands(definition->GetMenuName());
        if (CountsAsTable(*definition) && !definition->IsInMenu()) {
            if (tables == nullptr) {
                tables = AppendNode<CWastebasketTableNode>(*this, *m_catalogue);
            }
            AppendNode<CWastebasketTableFileNode>(*tables, *m_catalogue, definition->GetFileNumber(), label);
        } else {
            AppendNode<CWastebasketAreaFileNode>(*this, *m_catalogue, definition->GetFileNumber(), label);
        }
    }
}

void CWastebasketNode::PurgeDeleted()
{
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        child->PurgeDeleted();
    }
}

template <typename Collect>
void CWastebasketNode::CollectFromChildren(int kind, bool skipHidden, Collect collect)
{
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        if (skipHidden && child->GetAttributeBool("WWWDeleted")) {
            continue;
        }
        if (!child->IsDataNode()) {
            continue;
        }
        if (kind != 0) {
            CItemSet* set = child->GetItemSet();
            if (set != nullptr && set->IsCurrentOfKind(kind)) {
                collect(*child);
            }
        } else if (const int own = child->GetKind(); own < 20 || own == 24 || own == 25) {
            collect(*child);
        }
    }
}

void CWastebasketNode::CollectItemsOfKind(CItemSet& set, int kind)
{
    CollectFromChildren(kind, false, [&](CTreeNode& child) { child.CollectItemsOfKind(set, kind); });
}

void CWastebasketNode::CollectShownItemsOfKind(CItemSet& set, int kind)
{
    CollectFromChildren(kind, true, [&](CTreeNode& child) { child.CollectShownItemsOfKind(set, kind); });
}

bool CWastebasketNode::CopyToClipboard(bool onlyAsk)
{
    return onlyAsk || AddToClipboard(kAreaCopyFormat);
}

bool CWastebasketNode::CutToClipboard(bool onlyAsk)
{
    return onlyAsk || AddToClipboard(kAreaMoveFormat);
}

CWastebasketAreaFileNode::CWastebasketAreaFileNode(CCatalogueDb& catalogue, int kind, std::string_view label)
    : CAreaFileNode(label, kind, image_kind::kRecordClosed, image_kind::kRecordOpen), m_catalogue(&catalogue)
{
    SetPageTemplate("WastebasketAreaFile.htm");
    SetOwnedSet(DeletedRecords(catalogue, kind));
    if (kind == node_kind::kToDo) {
        SetImages(image_kind::kToDo, image_kind::kToDo);
    } else if (kind == node_kind::kBookmarks) {
        SetImages(image_kind::kBookmarks, image_kind::kBookmarks);
    }
}

void CWastebasketAreaFileNode::PrepareImagesFor(CTreeControl& tree)
{
    if (!m_pictureTaken) {
        m_pictureTaken = TakeDataFilePicture(*this, *m_catalogue, GetKind(), tree);
    }
}

void CWastebasketAreaFileNode::PopulateChildren(CTreeControl* /*tree*/)
{
    LoadOrReload(*GetItemSet());
}

void CWastebasketAreaFileNode::PurgeDeleted()
{
    GetItemSet()->PurgeDeleted();
}

CWastebasketTableFileNode::CWastebasketTableFileNode(CCatalogueDb& catalogue, int kind,
                                                     std::string_view label)
    : CAreaFileNode(label, kind, image_kind::kRecordClosed, image_kind::kRecordOpen)
{
    SetPageTemplate("wastebasketareaTableFile.htm");
    SetOwnedSet(DeletedRecords(catalogue, kind));
}

void CWastebasketTableFileNode::PopulateChildren(CTreeControl* /*tree*/)
{
    LoadOrReload(*GetItemSet());
}

std::unique_ptr<CTreeNode> CWastebasketAreaFileNode::NewChild(const CNodeRef& key)
{
    return std::make_unique<CWastebasketRecordNode>(key);
}

std::unique_ptr<CTreeNode> CWastebasketAreaFileNode::NewChildFromSet(CItemSet& set)
{
    return std::make_unique<CWastebasketRecordNode>(set);
}

std::unique_ptr<CTreeNode> CWastebasketTableFileNode::NewChild(const CNodeRef& key)
{
    return std::make_unique<CWastebasketTableRecordNode>(key);
}

std::unique_ptr<CTreeNode> CWastebasketTableFileNode::NewChildFromSet(CItemSet& set)
{
    return std::make_unique<CWastebasketTableRecordNode>(set);
}

std::string CWastebasketNode::CreateShortcut(int kind)
{
    return WriteShortcutOfKind(kind, DescriptionWithCatalogue(*this), ListShortcutArgument(*this), 5);
}

std::string CWastebasketAreaFileNode::CreateShortcut(int kind)
{
    return WriteShortcutOfKind(kind, DescriptionWithCatalogue(*this), ListShortcutArgument(*this), 5);
}

int CWastebasketNode::Delete(CNodeListPane* list, bool quiet)
{
    constexpr unsigned kWastebasketNotDeleted = 33128;
    return RefuseDeletion(kWastebasketNotDeleted, quiet, list);
}

int CWastebasketAreaFileNode::Delete(CNodeListPane* list, bool quiet)
{
    return RefuseDeletion(kDeletedItemNotDeleted, quiet, list);
}

int CWastebasketTableFileNode::Delete(CNodeListPane* list, bool quiet)
{
    return RefuseDeletion(kDeletedItemNotDeleted, quiet, list);
}

bool CWastebasketNode::CanAcceptMove(CItemSet* set)
{
    return set != nullptr && set->GetCatalogue() == m_catalogue && !m_catalogue->IsViewOnly() &&
           set->GetCount() > 0;
}

void CWastebasketNode::DropMove(CItemSet* set)
{
    if (!CanAcceptMove(set) || !set->MoveFirst()) {
        return;
    }
    if (!AgreesToDelete(ConfirmRecordDelete(RecordDeleteQuestion::kRecycle, *set, set->GetCount()))) {
        return;
    }
    // A file item's file stays on disk, as when its row is deleted: the record can come back from the
    // wastebasket and must then still name its file. The store takes notes and file items along.
    for (bool more = set->MoveFirst(); more; more = set->MoveNext()) {
        set->DeleteCurrentRecord();
    }
    BroadcastRefresh(*this, *set);
}
