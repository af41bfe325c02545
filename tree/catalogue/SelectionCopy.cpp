#include "tree/catalogue/SelectionCopy.h"

#include "platform/text/CaseFold.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "store/markup/MarkupNode.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "store/records/WaitWindow.h"
#include "tree/base/TextPatterns.h"
#include "tree/catalogue/CatalogueNode.h"
#include "tree/catalogue/CatalogueRecordCopier.h"

#include <vector>

namespace {

constexpr int kStringErrorCaption = 33365;
constexpr int kStringCopyFailed = 33420;
constexpr const char* kCopiedBefore =
    "Some of the information you want to copy already exists in the default "
    "catalogue, these info will NOT be copied.";
constexpr const char* kTakeLinkedItems =
    "Do you want to move also the items contained in the %s table that are linked to the copied item(s)?";
// Folders of more levels than this are not rebuilt: the chain is walked from damaged PARENT values too.
constexpr int kMaxFolderLevels = 20;
constexpr int kEveryKind = 100;

CSelectionCopyUi* g_ui = nullptr;

// The menu names of the data files the form's child lists show, in the form's order.
std::vector<std::string> ChildListNames(CCatalogueDb& catalogue, int dataFile)
{
    std::vector<std::string> names;
    CMarkupNode* form = FindGuiInfoElement(dataFile, &catalogue);
    if (form == nullptr) {
        return names;
    }
    for (CMarkupNode* node = form->BeginWalk(); node != nullptr; node = form->NextWalk()) {
        if (!platform::text::EqualsNoCase(node->GetType(), "element") ||
            !node->AttributeEquals("CNT_NAME", "childList")) {
            continue;
        }
        const CDataFileDef* linked = catalogue.FindDefinition(node->GetAttributeInt("referralFileNumber"));
        if (linked != nullptr && !linked->GetMenuName().empty()) {
            names.push_back(linked->GetMenuName());
        }
    }
    return names;
}

} // namespace

CSelectionCopyUi* SelectionCopyUi()
{
    return g_ui;
}

CSelectionCopyUi* SetSelectionCopyUi(CSelectionCopyUi* ui)
{
    CSelectionCopyUi* previous = g_ui;
    g_ui = ui;
    return previous;
}

int MatchingDataFile(CItemSet& items, CCatalogueDb& into)
{
    CCatalogueDb* from = items.GetCatalogue();
    if (from == nullptr || items.GetCurrent() == nullptr) {
        return 0;
    }
    const CDataFileDef* definition = from->FindDefinition(items.GetCurrentKind());
    return definition != nullptr ? definition->FindMatchingFile(&into) : 0;
}

double CopyFolderPath(CCatalogueDb& into, CTreeNode& source, int dataFile, bool& created,
                      std::vector<CFolderRecord*>* made)
{
    std::vector<CFolderRecord*> chain;
    for (CTreeNode* node = &source; node != nullptr && chain.size() < kMaxFolderLevels;
         node = node->GetParentNode()) {
        if (node->IsContainer() && node->GetFolderRecord() != nullptr) {
            chain.push_back(node->GetFolderRecord());
        }
    }
    double parent = 0;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        const CFolderRecord& wanted = **it;
        CFolderRecord* found = nullptr;
        for (CFolderRecord* folder = parent == 0 ? into.FirstTopLevelFolder() : into.FirstChildFolder(parent);
             folder != nullptr;
             folder = parent == 0 ? into.NextTopLevelFolder() : into.NextChildFolder(parent, folder)) {
            if (platform::text::EqualsNoCase(folder->GetName(), wanted.GetName())) {
                found = folder;
                break;
            }
        }
        if (found == nullptr) {
            found = into.AddFolder(wanted.GetName(), parent,
                                   wanted.GetType() == kEveryKind ? kEveryKind : dataFile);
            if (found == nullptr) {
                return parent;
            }
            created = true;
            if (made != nullptr) {
                made->push_back(found);
            }
        }
        parent = found->GetNumber();
    }
    return parent;
}

bool CopySelectionToCatalogue(CItemSet& items, CTreeNode* sourceParent, CTreeNode& target)
{
    CCatalogueDb* into = target.GetCatalogue();
    CCatalogueDb* from = items.GetCatalogue();
    if (g_ui == nullptr || into == nullptr || from == nullptr || from == into || into->IsViewOnly() ||
        !items.MoveFirst()) {
        return false;
    }
    const int dataFile = MatchingDataFile(items, *into);
    if (dataFile == 0) {
        return false;
    }
    int toCopy = 0;
    bool copiedBefore = false;
    for (bool more = items.MoveFirst(); more; more = items.MoveNext()) {
        if (items.GetCurrent() == nullptr) {
            continue;
        }
        if (WasCopiedBefore(*items.GetCurrent(), *into)) {
            copiedBefore = true;
        } else {
            ++toCopy;
        }
    }
    if (copiedBefore) {
        platform::ui::ShowMessage(kCopiedBefore, LoadResString(kStringErrorCaption),
                                  platform::ui::kMbOk | platform::ui::kMbIconError);
    }
    if (toCopy == 0) {
        return false;
    }
    const std::optional<CSelectionCopyUi::Placement> placement =
        g_ui->ChoosePlace(target, dataFile, sourceParent);
    if (!placement) {
        return false;
    }
    int mode = CRecordCopier::kNotesAndFiles;
    items.MoveFirst();
    for (const std::string& name : ChildListNames(*from, items.GetCurrentKind())) {
        if (platform::ui::ShowMessage(FillTextPattern(kTakeLinkedItems, name), "",
                                      platform::ui::kMbYesNo | platform::ui::kMbIconQuestion) ==
            platform::ui::kIdYes) {
            mode = CRecordCopier::kAllSubRecords;
        }
    }
    double folder = 0;
    if (!placement->keepStructure && placement->place != nullptr &&
        placement->place->GetCatalogue() == into) {
        folder = FolderNumberOf(*placement->place);
    }
    // The source's folders are made inside the copy's transaction, so a failed copy leaves none behind.
    std::vector<CFolderRecord*> made;
    const auto makeFolder = [&]() -> double {
        if (!placement->keepStructure || sourceParent == nullptr) {
            return folder;
        }
        bool created = false;
        return CopyFolderPath(*into, *sourceParent, dataFile, created, &made);
    };
    ShowWaitWindowForItemSet(items);
    const CatalogueCopyResult result =
        CopyRecordsToCatalogue(items, *into, dataFile, makeFolder, [mode](CItemSet&) { return mode; });
    CloseWaitWindow();
    if (result.failed) {
        // Their rows went back with the transaction; the list in memory forgets them too.
        for (CFolderRecord* folderMade : made) {
            into->GetFolderList().Remove(folderMade);
        }
        platform::ui::ShowMessage(LoadResString(kStringCopyFailed), LoadResString(kStringErrorCaption),
                                  platform::ui::kMbOk | platform::ui::kMbIconError);
    }
    if (result.copied > 0) {
        target.SendUnload();
    }
    return result.copied > 0;
}
