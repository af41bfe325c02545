#include "tree/groups/TableNodes.h"

#include "platform/text/CaseFold.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/Settings.h"
#include "tree/base/ImageKinds.h"
#include "tree/containers/SummaryTableNode.h"

namespace {
constexpr int kStringTables = 33109;
}

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
