#include "tree/groups/TableNodes.h"

#include "platform/text/CaseFold.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/Settings.h"
#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/containers/SummaryTableNode.h"
#include "tree/records/RecordForm.h"
#include "tree/records/RecordNodes.h"

namespace {
constexpr int kStringTables = 33109;
// The lowest kind of the records a table takes from another catalogue.
constexpr int kFirstTableCopyKind = 21;
} // namespace

bool ShowsToDoList(const CCatalogueDb& catalogue)
{
    const std::string toDo = GetSettingString("toDoDataBase");
    return toDo.empty() || platform::text::EqualsNoCase(toDo, catalogue.GetFilePath().string());
}

bool CountsAsTable(const CDataFileDef& definition)
{
    return definition.IsOnlyChild() || definition.GetStoredTableNumber() != 0;
}

CTableNodeBase::CTableNodeBase(CCatalogueDb& catalogue, std::string_view label, int closedImage,
                               int openImage)
    : CTreeNode(label, closedImage, openImage), m_catalogue(&catalogue)
{
}

CFolderRecord* CTableNodeBase::GetFolderRecord()
{
    return GetParentNode() != nullptr ? GetParentNode()->GetFolderRecord() : nullptr;
}

bool CTableNodeBase::PutOnClipboard(bool onlyAsk, bool move)
{
    if (onlyAsk) {
        return true;
    }
    if (!AddToClipboard(move ? kAreaMoveFormat : kAreaCopyFormat)) {
        return false;
    }
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        if (!(move ? child->CutToClipboard(false) : child->CopyToClipboard(false))) {
            return false;
        }
    }
    return true;
}

bool CTableNodeBase::CopyToClipboard(bool onlyAsk)
{
    return PutOnClipboard(onlyAsk, false);
}

bool CTableNodeBase::CutToClipboard(bool onlyAsk)
{
    return PutOnClipboard(onlyAsk, true);
}

CTableNode::CTableNode(CCatalogueDb& catalogue)
    : CTableNodeBase(catalogue, LoadResString(kStringTables), image_kind::kTablesClosed,
                     image_kind::kTablesOpen)
{
    SetPageTemplate("tableItem.htm");
}

void CTableNode::BuildChildren()
{
    if (m_childrenBuilt) {
        return;
    }
    m_childrenBuilt = true;
    m_catalogue->LoadDefinitionsIfNeeded();
    const bool toDoShown = ShowsToDoList(*m_catalogue);
    for (int slot = 1; slot < CCatalogueDb::kDefinitionSlots; ++slot) {
        const CDataFileDef* definition = m_catalogue->GetDefinitionSlot(slot);
        if (definition == nullptr || definition->GetFileNumber() == node_kind::kItemLists ||
            definition->GetMenuName().empty() || !CountsAsTable(*definition) ||
            (definition->GetFileNumber() == node_kind::kToDo && !toDoShown)) {
            continue;
        }
        AppendNode<CSummaryTableNode>(*this, *m_catalogue, definition->GetFileNumber());
    }
}

CWastebasketTableNode::CWastebasketTableNode(CCatalogueDb& catalogue)
    : CTableNodeBase(catalogue, LoadResString(kStringTables), image_kind::kRecordClosed,
                     image_kind::kRecordOpen)
{
    SetPageTemplate("wastebasketareaTable.htm");
}

bool CTableNode::CanAcceptCopy(CItemSet* set)
{
    if (m_catalogue->IsViewOnly() || set == nullptr || set->GetCatalogue() == nullptr ||
        RecordCopier() == nullptr) {
        return false;
    }
    return set->GetCatalogue()->GetFilePath().lexically_normal() !=
           m_catalogue->GetFilePath().lexically_normal();
}

void CTableNode::DropCopy(CItemSet* set)
{
    DropOnTable(*this, set, false);
}

void CTableNode::DropMove(CItemSet* set)
{
    DropOnTable(*this, set, true);
}

void DropOnTable(CTreeNode& target, CItemSet* set, bool move)
{
    if (set == nullptr) {
        return;
    }
    if (target.CanAcceptCopy(set)) {
        CopyFromOtherCatalogue(target, *set, 0, -1, kFirstTableCopyKind, move,
                               [](CItemSet&) { return CRecordCopier::kNotesAndFiles; });
    }
    CTreeNode::BroadcastRefresh(target, *set);
}

void CTableNode::OpenEntryById(int dataFile, CNodeFrame* frame)
{
    CRecordForm* form = GetRecordForm();
    if (form == nullptr) {
        return;
    }
    BuildChildren();
    CTreeNode* table = nullptr;
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        table = child;
        if (child->GetKind() == dataFile) {
            break;
        }
    }
    if (table == nullptr) {
        return;
    }
    CItemSet fresh = CItemSet::NewRecord(dataFile, nullptr, m_catalogue);
    auto* row = CTreeNode::AppendNode<CSummaryTableRecordNode>(*table, fresh);
    // The form copies what it keeps: the row goes when it has opened.
    form->OpenRecordFormAt(*row, fresh.GetCurrentKey(), frame);
    table->DetachChild(row);
}

int CTableNode::Delete(CNodeListPane* list, bool quiet)
{
    constexpr unsigned kTableStructureNotDeleted = 21044;
    return RefuseDeletion(kTableStructureNotDeleted, quiet, list);
}

int CWastebasketTableNode::Delete(CNodeListPane* list, bool quiet)
{
    constexpr unsigned kDeletedItemNotDeleted = 33126;
    return RefuseDeletion(kDeletedItemNotDeleted, quiet, list);
}
