// The item menus of the record nodes: in the panes (BuildItemMenu) and in the record form
// (BuildItemMenuWithSearch).

#include "platform/text/CaseFold.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "store/markup/MarkupNode.h"
#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"
#include "tree/menus/FileMenuItems.h"
#include "tree/menus/MenuNumbers.h"
#include "tree/menus/OrderTexts.h"
#include "tree/records/RecordNodes.h"

namespace {

constexpr int kStringOrderIt = 387;
constexpr int kStringSearchOnNet = 540;
constexpr int kStringOpen = 11109;
constexpr int kStringRename = 31012;
constexpr int kStringAddToMyCatalogue = 262;
constexpr int kStringCopyToWantList = 1262;
constexpr int kStringFieldChooser = 11062;
constexpr int kStringLabelBuilder = 33367;
constexpr int kStringImportExport = 537;
constexpr int kStringOwnedReport = 544;
constexpr int kStringMissingReport = 543;
constexpr int kStringRestore = 11122;
// The order texts are kept to this many characters.
constexpr size_t kOrderTextWidth = 199;

std::string OrderAttribute(const CMarkupNode& element, std::string_view name)
{
    std::string text = element.GetAttribute(name);
    if (text.size() > kOrderTextWidth) {
        text.resize(kOrderTextWidth);
    }
    return text;
}

void KeepOrderTexts(const CMarkupNode& element)
{
    OrderTexts& texts = ProgramOrderTexts();
    texts.price = OrderAttribute(element, "price");
    texts.weight = OrderAttribute(element, "weight");
    texts.availableThe = OrderAttribute(element, "availableThe");
    texts.uid = OrderAttribute(element, "UID");
    texts.image1Name = OrderAttribute(element, "image1Name");
    texts.image2Name = OrderAttribute(element, "image2Name");
    texts.shopName = OrderAttribute(element, "shopName");
}

// "Order It" for each order button of the record's form and, with `search`, "Search it on the net" for
// each search button.
void AddFormButtons(CNodeMenu& menu, CTreeNode& node, bool search)
{
    CMarkupNode* form = FindGuiInfoElement(node.GetKind(), node.GetCatalogue());
    if (form == nullptr) {
        return;
    }
    for (CMarkupNode* element = form->GetFirstChild(); element != nullptr;
         element = element->GetNextSibling()) {
        const std::string control = element->GetAttribute("CNT_NAME");
        if (platform::text::CompareNoCase(control, "OrderButton") == 0) {
            menu.AppendODMenu(LoadResString(kStringOrderIt), kMenuEnabled, menu_command::kOrderIt,
                              menu_picture::kCommands);
            KeepOrderTexts(*element);
        } else if (search && platform::text::CompareNoCase(control, "searchButton") == 0) {
            menu.AppendODMenu(LoadResString(kStringSearchOnNet), kMenuEnabled, menu_command::kSearchOnNet,
                              kNoPicture);
            ProgramSearchText() = element->GetAttribute("searchString");
        }
    }
}

bool ShowsQueryOrList(CTreeNode& node)
{
    CTreeNode* parent = node.GetParentNode();
    return node.IsQuery() || node.IsItemListRecord() ||
           (parent != nullptr && (parent->IsQuery() || parent->IsItemList()));
}

// "New %s" for every data file offered in menus that a record can hold as a child.
void AddNewChildItems(CNodeMenu& menu, CCatalogueDb& catalogue)
{
    for (const CDataFileDef* definition : NewItemDataFiles(catalogue)) {
        if (definition->IsInMenu()) {
            const int n = definition->GetFileNumber();
            AddNewOfKindItem(menu, catalogue, n, menu_command::kFirstNewOfKind + n, menu_picture::kToDo,
                             true);
        }
    }
}

void AddFormTools(CNodeMenu& menu)
{
    menu.AppendODMenu(LoadResString(kStringFieldChooser), kMenuEnabled, menu_command::kFieldChooser,
                      kNoPicture);
    menu.AppendODMenu(LoadResString(kStringLabelBuilder), kMenuEnabled, menu_command::kLabelBuilder,
                      kNoPicture);
}

} // namespace

void CRecordNode::BuildItemMenu(CNodeMenu* menu)
{
    AddFormButtons(*menu, *this, false);
    CCatalogueDb* catalogue = GetCatalogue();
    if (catalogue != nullptr && !catalogue->IsViewOnly() && !ShowsQueryOrList(*this)) {
        AddNewChildItems(*menu, *catalogue);
    }
    BuildEditMenu(menu);
    menu->AppendSeparator();
    menu->AppendODMenu(LoadResString(kStringOpen), kMenuEnabled, menu_command::kOpen, menu_picture::kOpen);
    menu->AppendSeparator();
    AddDeleteItem(*menu, this);
    const bool renames = GetKind() == node_kind::kFileItems && !IsInViewOnlyCatalogue(*this);
    menu->AppendODMenu(LoadResString(kStringRename), renames ? kMenuEnabled : kMenuGreyed,
                       menu_command::kRename, menu_picture::kCommands);
    menu->AppendSeparator();
    AddDuplicateItem(*menu, this);
    menu->AppendODMenu(LoadResString(kStringAddToMyCatalogue), kMenuEnabled, menu_command::kAddToMyCatalogue,
                       kNoPicture);
    menu->AppendODMenu(LoadResString(kStringCopyToWantList), kMenuEnabled, menu_command::kCopyToWantList,
                       kNoPicture);
    menu->AppendSeparator();
    AddFormTools(*menu);
}

void CRecordNode::BuildItemMenuWithSearch(CNodeMenu* menu)
{
    AddFormButtons(*menu, *this, true);
    menu->AppendODMenu(LoadResString(kStringOpen), kMenuEnabled, menu_command::kOpen, menu_picture::kOpen);
    menu->AppendSeparator();
    AddDeleteItem(*menu, this);
    BuildEditMenu(menu);
    menu->AppendODMenu(LoadResString(kStringAddToMyCatalogue), kMenuEnabled,
                       menu_command::kFormAddToMyCatalogue, kNoPicture);
    menu->AppendODMenu(LoadResString(kStringCopyToWantList), kMenuEnabled, menu_command::kFormCopyToWantList,
                       kNoPicture);
    menu->AppendSeparator();
    AddFormTools(*menu);
    menu->AppendSeparator();
    menu->AppendODMenu(LoadResString(kStringImportExport), kMenuEnabled, menu_command::kImportExport,
                       kNoPicture);
    menu->AppendSeparator();
    menu->AppendODMenu(LoadResString(kStringOwnedReport), kMenuEnabled, menu_command::kOwnedReport,
                       kNoPicture);
    menu->AppendODMenu(LoadResString(kStringMissingReport), kMenuEnabled, menu_command::kMissingReport,
                       kNoPicture);
}

void CItemListRecordNode::BuildItemMenuWithSearch(CNodeMenu* menu)
{
    AddFormTools(*menu);
}

void CAddNewNode::BuildItemMenu(CNodeMenu* menu)
{
    if (CCatalogueDb* catalogue = GetCatalogue()) {
        AddNewOfKindItem(*menu, *catalogue, GetKind(), menu_command::kElementCommand, menu_picture::kToDo,
                         true);
    }
    menu->AppendSeparator();
    AddFormTools(*menu);
}

void CWastebasketRecordNode::BuildItemMenu(CNodeMenu* menu)
{
    menu->AppendODMenu(LoadResString(kStringOpen), kMenuEnabled, menu_command::kOpen, kNoPicture);
    menu->AppendSeparator();
    menu->AppendODMenu(LoadResString(kStringRestore), kMenuEnabled, menu_command::kDelete, kNoPicture);
}

void CSummaryTableRecordNode::BuildItemMenu(CNodeMenu* menu)
{
    AddNewPopup(*menu, *this);
    BuildEditMenu(menu);
    menu->AppendSeparator();
    AddDeleteItem(*menu, this);
    AddRenameItem(*menu, this);
}

OrderTexts& ProgramOrderTexts()
{
    static OrderTexts texts;
    return texts;
}

std::string& ProgramSearchText()
{
    static std::string text;
    return text;
}
