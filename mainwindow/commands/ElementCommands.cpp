#include "mainwindow/commands/ElementCommands.h"

#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "tree/base/TreeNode.h"

#include <algorithm>
#include <vector>

namespace {

constexpr size_t kMaxWebAddress = 1000;

bool IsFolderOf(CTreeNode* node, CCatalogueDb* catalogue)
{
    return node != nullptr && node->IsContainer() && node->GetFolderRecord() != nullptr &&
           node->GetCatalogue() == catalogue;
}

} // namespace

int DuplicateRecords(CItemSet& records)
{
    CCatalogueDb* catalogue = records.GetCatalogue();
    if (catalogue == nullptr) {
        return 0;
    }
    int made = 0;
    for (bool more = records.MoveFirst(); more; more = records.MoveNext()) {
        const double parent = records.GetCurrentParent();
        CItemSet copy = CItemSet::CopyOfCurrent(records);
        if (copy.InsertCurrentRecord(parent)) {
            records.CopyCurrentChildren(copy.GetCurrentKey(), parent, *catalogue, 0);
            ++made;
        }
    }
    return made;
}

CTreeNode* FolderSwapPartner(CTreeNode* folder, bool up)
{
    if (folder == nullptr || folder->GetParentNode() == nullptr ||
        !IsFolderOf(folder, folder->GetCatalogue())) {
        return nullptr;
    }
    CTreeNode* partner = nullptr;
    if (up) {
        for (CTreeNode* child = folder->GetParentNode()->GetFirstChildNode(); child != folder;
             child = child->GetNextSiblingNode()) {
            partner = child;
        }
    } else {
        partner = folder->GetNextSiblingNode();
    }
    return IsFolderOf(partner, folder->GetCatalogue()) ? partner : nullptr;
}

bool ShiftFolder(CTreeNode& folder, bool up)
{
    CTreeNode* partner = FolderSwapPartner(&folder, up);
    if (partner == nullptr) {
        return false;
    }
    CCatalogueDb& catalogue = *folder.GetCatalogue();
    CFolderRecord* moved = folder.GetFolderRecord();
    CFolderRecord* other = partner->GetFolderRecord();
    const double parent = moved->GetParent();
    std::vector<CFolderRecord*> siblings;
    for (CFolderRecord* child = catalogue.FirstChildFolder(parent); child != nullptr;
         child = catalogue.NextChildFolder(parent, child)) {
        siblings.push_back(child);
    }
    const auto a = std::find(siblings.begin(), siblings.end(), moved);
    const auto b = std::find(siblings.begin(), siblings.end(), other);
    if (a == siblings.end() || b == siblings.end()) {
        return false;
    }
    std::iter_swap(a, b);
    // Every sibling gets its place: folders that never had one all share 0 and would keep no order.
    for (size_t i = 0; i < siblings.size(); ++i) {
        siblings[i]->SetOrderedNumber(static_cast<int>(i));
        siblings[i]->SaveOrderedNumber(catalogue, static_cast<int>(i));
    }
    return true;
}

bool SwitchDataFileIcons(CTreeNode& element)
{
    CCatalogueDb* catalogue = element.GetCatalogue();
    if (catalogue == nullptr) {
        return false;
    }
    CDataFileDef definition(catalogue);
    if (!definition.SelectFile(element.GetKind()) || !definition.HasTwoLargeIcons()) {
        return false;
    }
    const std::string first = definition.GetLargeIcon();
    definition.SetLargeIcon(definition.GetLargeIcon1());
    definition.SetLargeIcon1(first);
    if (!definition.StoreInCatalogue()) {
        return false;
    }
    definition.BuildDefinitionTree();
    definition.SaveDefinitionTree();
    return true;
}

std::string RecordWebAddress(CItemSet& record)
{
    const int field = record.GetCurrentFieldOfKindW();
    if (field < 0) {
        return {};
    }
    std::string address = record.GetFieldText(field).substr(0, kMaxWebAddress);
    const auto start = address.find_first_not_of(" \t");
    if (start == std::string::npos) {
        return {};
    }
    address.erase(0, start);
    if (address.find("http") == std::string::npos) {
        address.insert(0, "http://");
    }
    return address;
}
