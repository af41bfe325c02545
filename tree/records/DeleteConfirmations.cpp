#include "tree/records/DeleteConfirmations.h"

#include "resources/LoadResString.h"
#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/base/TextPatterns.h"

namespace {

struct QuestionTexts
{
    unsigned single;
    unsigned singleFileItem;
    unsigned several;
};

QuestionTexts TextsOf(RecordDeleteQuestion question)
{
    switch (question) {
    case RecordDeleteQuestion::kRecycle:
        return {33033, 33033, 33034};
    case RecordDeleteQuestion::kRemoveFromFolder:
        return {33433, 33145, 33434};
    case RecordDeleteQuestion::kRemoveFromListFolder:
        return {33435, 33145, 33436};
    case RecordDeleteQuestion::kRemoveFromItemList:
        return {33149, 33149, 33150};
    }
    return {33033, 33033, 33034};
}

} // namespace

RecordDeleteConfirmation BuildRecordDeleteConfirmation(RecordDeleteQuestion question, CItemSet& set,
                                                       size_t selectedRows)
{
    const QuestionTexts texts = TextsOf(question);
    RecordDeleteConfirmation confirmation;
    const bool fileItem = set.GetCurrentKind() == node_kind::kFileItems;
    const std::string name = fileItem ? set.GetFieldTextByName("EdtFn") : set.GetCurrentName();
    // Only the recycle question names a record without a name; the others then ask with no text.
    if (!name.empty() || question == RecordDeleteQuestion::kRecycle) {
        confirmation.text =
            FillTextPattern(LoadResString(fileItem ? texts.singleFileItem : texts.single), name);
    }
    const size_t records = set.GetCount();
    // The item list's question counts rows only when the set itself holds several records.
    const bool several = question == RecordDeleteQuestion::kRemoveFromItemList
                             ? records > 1
                             : records > 1 || selectedRows >= 2;
    if (several) {
        confirmation.text = FillCountPattern(LoadResString(texts.several), selectedRows);
    }
    confirmation.dialog = records == 1 && selectedRows == 1 ? CNodeDialogs::kConfirmItemDelete
                                                            : CNodeDialogs::kConfirmItemsDelete;
    return confirmation;
}

int ConfirmRecordDelete(RecordDeleteQuestion question, CItemSet& set, size_t selectedRows)
{
    const RecordDeleteConfirmation confirmation = BuildRecordDeleteConfirmation(question, set, selectedRows);
    return NodeDialogs().ConfirmDelete(confirmation.dialog, confirmation.text);
}
