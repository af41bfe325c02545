#include "mainwindow/panes/list/ListColumns.h"

#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/Settings.h"
#include "store/records/ItemSet.h"
#include "tree/base/TreeNode.h"

#include <algorithm>

namespace {

ListColumn Centred(std::string title, int field, int width = 70)
{
    return {std::move(title), field, width, ListAlign::Centre};
}

void AddDates(ListColumnSet& set)
{
    set.columns.push_back(Centred("Crea. Date", list_field::kCreated));
    set.columns.push_back(Centred("Modi. Date", list_field::kModified));
}

// The fields whose column-header flag is set, with their widths (0: 70) when `ownWidths`.
void AddHeaderFields(ListColumnSet& set, const CDataFileDef& definition, bool ownWidths)
{
    for (int i = 0; i < definition.GetFieldCount(); ++i) {
        if (!definition.IsFieldColumnHeader(i)) {
            continue;
        }
        const int dimension = definition.GetFieldDimension(i);
        set.columns.push_back({definition.GetFieldInternalName(i), i,
                               ownWidths && dimension > 0 ? dimension : 70, ListAlign::Left});
    }
}

} // namespace

int FirstColumnWidth()
{
    return std::max(10, GetSettingInt("FirstColumnWidth", 220));
}

ListColumnSet ChooseListColumns(CTreeNode* shown, int role)
{
    ListColumnSet result;
    result.columns.push_back({"Name", list_field::kName, FirstColumnWidth(), ListAlign::Left});
    CItemSet* set = shown != nullptr && shown->IsDataNode() ? shown->GetItemSet() : nullptr;
    if (set == nullptr) {
        return result;
    }
    if (shown->IsQuickQuery()) {
        result.columns.push_back(Centred("Folder", list_field::kFolder));
        AddDates(result);
        return result;
    }
    CRecordList& list = set->GetList();
    if (list.GetCount() == 0) {
        return result;
    }
    // One pass over the rows the list already holds: no record is read for this.
    const CRecord& first = *list.GetAt(0);
    bool oneFolder = true;
    bool oneFile = true;
    for (size_t i = 1; i < list.GetCount() && (oneFolder || oneFile); ++i) {
        const CRecord& record = *list.GetAt(i);
        oneFolder = oneFolder && record.GetParent() == first.GetParent();
        oneFile = oneFile && record.GetKind() == first.GetKind();
    }
    CCatalogueDb* catalogue = first.GetCatalogue();
    const CDataFileDef* definition =
        oneFile && catalogue != nullptr ? catalogue->FindDefinition(first.GetKind()) : nullptr;
    if (!oneFolder) {
        result.columns.push_back(Centred("Folder", list_field::kFolder));
        if (definition != nullptr) {
            AddHeaderFields(result, *definition, false);
        }
        AddDates(result);
        return result;
    }
    if (definition != nullptr && first.GetKind() > 0) {
        if (definition->HasOwnItButton()) {
            result.columns.push_back({"Own It?", list_field::kOwnIt, 42, ListAlign::Left});
        }
        AddHeaderFields(result, *definition, true);
        result.gridLines = catalogue->IsViewOnly() && role == list_role::kFormAttachments;
    }
    AddDates(result);
    return result;
}

ListColumnSet NodeRowColumns(NodeListColumns /*columns*/)
{
    // Both kinds of ordering rows carry the same three values (the shops of the cart leave them empty,
    // a shop's items fill them), so both show the three columns.
    ListColumnSet result;
    result.columns.push_back({"Name", list_field::kUnsortable, FirstColumnWidth(), ListAlign::Left});
    for (const char* title : {"Price", "Quantity", "Total"}) {
        result.columns.push_back(Centred(title, list_field::kUnsortable));
    }
    return result;
}
