#include "mainwindow/find/FindCommands.h"

#include "mainwindow/frame/FramePanes.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tree/base/TextPatterns.h"
#include "tree/base/TreeNode.h"

void BuildSearchDefinition(CItemSet& set, CFrameFindPane& pane)
{
    const std::string criteria = pane.CollectCriteria();
    CTreeNode* element = pane.GetChosenElement();
    CCatalogueDb* catalogue = pane.GetCatalogue();
    set.SetCatalogue(catalogue);
    set.SetJoinLinks(pane.GetLinkFileNumber() != 0);
    set.SetFilterText(criteria);
    set.SetFilterDataFile(pane.GetDataFileNumber());
    set.SetFilterDeleted(false);
    if (catalogue != nullptr) {
        set.SetDefinitionName(catalogue->GetFilePath().string());
    }
    if (element != nullptr) {
        if (element->IsWastebasketArea() || element->IsWastebasket()) {
            set.SetFilterDeleted(true);
        } else if (!element->IsCatalogue()) {
            set.SetFilterFolder(element->GetFolderRecord());
        }
    }
}

bool RunFindNow(CPaneFrame& frame, CFrameFindPane& pane)
{
    if (pane.GetCatalogue() == nullptr || pane.GetDataFileNumber() == 0) {
        return false;
    }
    CItemSet results(pane.GetCatalogue());
    BuildSearchDefinition(results, pane);
    // The results list runs the search when it shows it; loading it here as well would run it twice.
    frame.ShowSearchResults(results);
    pane.EnableSaveSearch(true);
    return true;
}

std::string SaveSearch(CFrameFindPane& pane)
{
    CCatalogueDb* catalogue = pane.GetCatalogue();
    if (catalogue == nullptr || pane.GetDataFileNumber() == 0) {
        return {};
    }
    CItemSet search(catalogue);
    BuildSearchDefinition(search, pane);
    const std::string text = search.FormatDefinitionText();
    // The first name no stored query of the catalogue has.
    std::string name = LoadResString(33097);
    std::string existing;
    for (int n = 1; catalogue->ReadQuery(name, existing); ++n) {
        name = FillCountPattern(LoadResString(33122), static_cast<size_t>(n));
    }
    if (!catalogue->WriteQuery(name, text, 0)) {
        return {};
    }
    catalogue->ResetBuiltinSet23();
    return name;
}
