#include "tree/records/DeleteSelectedItems.h"

#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "store/records/WaitWindow.h"
#include "tree/base/NodeListPane.h"
#include "tree/records/DeleteConfirmations.h"
#include "tree/records/RecordNodes.h"

namespace {

struct WaitWindowShown
{
    WaitWindowShown() { ShowWaitWindow(); }
    ~WaitWindowShown() { CloseWaitWindow(); }
    WaitWindowShown(const WaitWindowShown&) = delete;
    WaitWindowShown& operator=(const WaitWindowShown&) = delete;
};

RecordDeleteQuestion QuestionFor(CTreeNode& focused)
{
    if (!focused.IsLinkedRecord()) {
        return RecordDeleteQuestion::kRecycle;
    }
    return focused.IsItemListRecord() ? RecordDeleteQuestion::kRemoveFromListFolder
                                      : RecordDeleteQuestion::kRemoveFromFolder;
}

DeleteSelectionResult DeleteRecords(CRecordNode& focused, const std::vector<CTreeNode*>& selected,
                                    CNodeListPane* pane)
{
    DeleteSelectionResult result;
    CItemSet* set = focused.GetItemSet();
    if (!focused.CanDelete() || set == nullptr || set->GetCurrent() == nullptr) {
        return result;
    }
    const int answer = ConfirmRecordDelete(QuestionFor(focused), *set, selected.size());
    WaitWindowShown wait;
    if (!AgreesToDelete(answer)) {
        if (pane != nullptr) {
            pane->RestoreFocus();
        }
        return result;
    }
    for (CTreeNode* row : selected) {
        auto* record = dynamic_cast<CRecordNode*>(row);
        const int done = record != nullptr ? record->DeleteFromList(0, pane) : row->Delete(pane, true);
        if (done == kDeleteRefused) {
            break;
        }
        ++result.deletedRows;
    }
    return result;
}

} // namespace

DeleteSelectionResult DeleteSelectedItems(CTreeNode* focused, const std::vector<CTreeNode*>& selected,
                                          CNodeListPane* pane)
{
    DeleteSelectionResult result;
    if (focused == nullptr || selected.empty()) {
        return result;
    }
    const CCatalogueDb* catalogue = focused->GetCatalogue();
    if (!focused->IsItemListRecord() && catalogue != nullptr && catalogue->IsViewOnly()) {
        return result;
    }
    if (selected.size() == 1) {
        if (selected.front()->Delete(pane, false) != kDeleteRefused) {
            result.deletedRows = 1;
        }
        return result;
    }
    if (auto* record = dynamic_cast<CRecordNode*>(focused); record != nullptr && focused->IsRecord()) {
        result = DeleteRecords(*record, selected, pane);
        return result;
    }
    bool yesToAll = false;
    for (CTreeNode* row : selected) {
        const int done = row->Delete(pane, yesToAll);
        if (done == kDeleteRefused) {
            break;
        }
        yesToAll = yesToAll || done == kDeleteDoneYesToAll;
        ++result.deletedRows;
    }
    result.invalidateSets = result.deletedRows > 0;
    return result;
}
