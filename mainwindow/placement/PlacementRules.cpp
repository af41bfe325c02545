#include "mainwindow/placement/PlacementRules.h"

#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "store/records/FolderRecord.h"
#include "tree/base/TreeNode.h"
#include "tree/groups/TableNodes.h"

#include <wx/string.h>

namespace {

constexpr int kToDoFile = 25;
constexpr const char* kAllKindsText = "All kind of data";

} // namespace

NewNameCheck CheckNewName(CTreeNode& parent, const std::string& name)
{
    if (name.empty()) {
        return NewNameCheck::kEmpty;
    }
    const wxString wanted = wxString::FromUTF8(name);
    for (CTreeNode* child = parent.GetFirstChildNode(); child != nullptr;
         child = child->GetNextSiblingNode()) {
        if (wanted.CmpNoCase(wxString::FromUTF8(child->GetName())) == 0) {
            return NewNameCheck::kTaken;
        }
    }
    return NewNameCheck::kValid;
}

std::string NewNameMessage(NewNameCheck check)
{
    switch (check) {
    case NewNameCheck::kEmpty:
        return "The name is not valid.";
    case NewNameCheck::kTaken:
        return "The name you chosed already exists; Please change it.";
    case NewNameCheck::kValid:
        break;
    }
    return {};
}

bool AcceptsNewItem(CTreeNode& node, int kind)
{
    return node.IsFolder() || (node.IsArea() && node.GetKind() == kind);
}

std::vector<FolderKindChoice> FolderKindChoices(CCatalogueDb& catalogue)
{
    std::vector<FolderKindChoice> choices{{kAllKindsText, CFolderRecord::kAllKinds}};
    catalogue.LoadDefinitionsIfNeeded();
    const bool toDoShown = ShowsToDoList(catalogue);
    for (int number = 0; number <= CDataFileDef::kLastDataFile; ++number) {
        const CDataFileDef* definition = catalogue.FindDefinition(number);
        if (definition == nullptr || !definition->GetMenuFlag() ||
            definition->GetMenuNameIfSet() == nullptr || definition->GetMenuName().empty() ||
            (number == kToDoFile && !toDoShown)) {
            continue;
        }
        choices.push_back({definition->GetMenuName(), number});
    }
    return choices;
}
