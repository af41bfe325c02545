// What the catalogue node does with records dropped on it: records of another catalogue are copied in
// through the copy of a selection; a data-item type this catalogue lacks is copied over first.

#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/Broadcasts.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "store/records/Record.h"
#include "tree/base/ImageKinds.h"
#include "tree/catalogue/CatalogueNode.h"
#include "tree/catalogue/CatalogueRecordCopier.h"
#include "tree/catalogue/DataItemTypeCopy.h"
#include "tree/catalogue/SelectionCopy.h"
#include "tree/containers/ContainerNode.h"

#include <set>

namespace {

constexpr int kStringAddAnItemFirst = 11444;
constexpr int kStringErrorCaption = 33365;

bool IsOtherCatalogue(CItemSet& set, CCatalogueDb* here)
{
    CCatalogueDb* from = set.GetCatalogue();
    return from != nullptr && here != nullptr && from != here &&
           from->GetFilePath().lexically_normal() != here->GetFilePath().lexically_normal();
}

// The node below `node` (itself included) whose folder record has that number.
CTreeNode* FindFolderNode(CTreeNode& node, double number)
{
    if (node.IsContainer() && node.GetFolderRecord() != nullptr &&
        node.GetFolderRecord()->GetNumber() == number) {
        return &node;
    }
    for (CTreeNode* child = node.GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        if (CTreeNode* found = FindFolderNode(*child, number)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

bool CCatalogueNode::CanAcceptRecords(CItemSet* set)
{
    return set != nullptr && m_catalogue != nullptr && !m_catalogue->IsViewOnly() &&
           SelectionCopyUi() != nullptr && set->GetCurrent() != nullptr &&
           IsOtherCatalogue(*set, m_catalogue);
}

bool CCatalogueNode::CanPasteCopiedElements()
{
    CClipboardAccess* clipboard = GetClipboardAccess();
    if (clipboard == nullptr || m_catalogue == nullptr || m_catalogue->IsViewOnly()) {
        return false;
    }
    auto* root = static_cast<CTreeNode*>(GetRoot());
    for (std::string_view format : {kQueryCopyFormat, kItemListCopyFormat, kAreaCopyFormat}) {
        if (!clipboard->HasFormat(format)) {
            continue;
        }
        for (const std::string& path : ReadClipboardEntries(format)) {
            CTreeNode* node = root != nullptr ? root->FindByNodePath(path) : nullptr;
            // Another catalogue's query or folder would name folders and data files this one does not have.
            if (node != nullptr && node->GetCatalogue() == m_catalogue &&
                (node->IsQuery() || node->IsItemList() ||
                 (node->IsContainer() && node->GetFolderRecord() != nullptr))) {
                return true;
            }
        }
    }
    return false;
}

bool CCatalogueNode::PasteCopiedElements()
{
    // The catalogue's top level as a container (no folder record) makes the copies, as a folder makes
    // them inside itself; it is part of the tree only while it pastes.
    auto* top = AppendNode<CContainerNode>(*this, *m_catalogue, nullptr, node_kind::kAllKinds);
    const bool pasted = top->PasteFolders(false);
    DetachChild(top);
    return pasted;
}

bool CCatalogueNode::CanAcceptCopy(CItemSet* set)
{
    return CanAcceptRecords(set) || CanPasteCopiedElements();
}

bool CCatalogueNode::CanAcceptMove(CItemSet* set)
{
    return CanAcceptRecords(set) && !set->GetCatalogue()->IsViewOnly();
}

void CCatalogueNode::DropCopy(CItemSet* set)
{
    const bool pasted = CanPasteCopiedElements() && PasteCopiedElements();
    const bool copied = CanAcceptRecords(set) && DropRecords(*set);
    // A copy of records has told every window already.
    if (pasted && !copied) {
        SendUnload();
    }
}

void CCatalogueNode::DropMove(CItemSet* set)
{
    if (!CanAcceptMove(set)) {
        return;
    }
    // Only what this drop copied goes from the source: records copied before stay where they are.
    std::set<double> before;
    for (bool more = set->MoveFirst(); more; more = set->MoveNext()) {
        if (set->GetCurrent() != nullptr && WasCopiedBefore(*set->GetCurrent(), *m_catalogue)) {
            before.insert(set->GetCurrent()->GetKeyCode());
        }
    }
    if (!DropRecords(*set)) {
        return;
    }
    // The copy is committed: now the sources go.
    for (bool more = set->MoveFirst(); more; more = set->MoveNext()) {
        CRecord* record = set->GetCurrent();
        if (record != nullptr && before.count(record->GetKeyCode()) == 0 &&
            WasCopiedBefore(*record, *m_catalogue)) {
            set->DeleteCurrentRecord();
        }
    }
    BroadcastUnloadDatabase(set->GetCatalogue()->GetFilePath());
}

CTreeNode* CCatalogueNode::SourceFolderNode(CItemSet& set)
{
    CTreeNode* source = FindCatalogueNodeByName(*this, set.GetCatalogue()->GetName());
    if (source == nullptr || source->GetCatalogue() != set.GetCatalogue()) {
        return nullptr;
    }
    const double parent = set.GetCurrentParent();
    if (parent == 0) {
        return source;
    }
    return FindFolderNode(*source, parent);
}

bool CCatalogueNode::DropRecords(CItemSet& set)
{
    if (!set.MoveFirst()) {
        return false;
    }
    CCatalogueDb& from = *set.GetCatalogue();
    CTreeNode* sourceFolder = SourceFolderNode(set);
    const int kind = set.GetCurrentKind();
    if (kind == 0 || from.FindDefinition(kind) == nullptr) {
        platform::ui::ShowMessage(LoadResString(kStringAddAnItemFirst), LoadResString(kStringErrorCaption),
                                  platform::ui::kMbOk | platform::ui::kMbIconError);
        return false;
    }
    if (MatchingDataFile(set, *m_catalogue) == 0 && !CopyDataItemTypeInto(from, kind, *m_catalogue)) {
        return false;
    }
    return CopySelectionToCatalogue(set, sourceFolder, *this);
}
