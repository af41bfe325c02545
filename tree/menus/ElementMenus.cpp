// The context menus of the element nodes: the root, groups, containers, tables, queries and item lists.

#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tree/base/AreaFileNode.h"
#include "tree/base/BaseItemNode.h"
#include "tree/catalogue/CatalogueNode.h"
#include "tree/containers/AreaNode.h"
#include "tree/containers/ContainerNode.h"
#include "tree/containers/SummaryTableNode.h"
#include "tree/groups/TableNodes.h"
#include "tree/groups/WastebasketNodes.h"
#include "tree/lists/ItemListNode.h"
#include "tree/menus/FileMenuItems.h"
#include "tree/menus/MenuNumbers.h"
#include "tree/orders/OrderingNodes.h"

namespace {

constexpr int kStringNewCatalogue = 11009;
constexpr int kStringEmptyRecycleBin = 11030;
constexpr int kStringShiftUp = 538;
constexpr int kStringShiftDown = 539;
constexpr int kStringCheckout = 240;
constexpr int kStringChangeQuantity = 142;
constexpr int kStringPastOrders = 179;
constexpr int kStringToOrder = 183;

void AddShiftItems(CNodeMenu& menu)
{
    menu.AppendODMenu(LoadResString(kStringShiftUp), kMenuEnabled, menu_command::kShiftUp,
                      menu_picture::kShiftUp);
    menu.AppendODMenu(LoadResString(kStringShiftDown), kMenuEnabled, menu_command::kShiftDown,
                      menu_picture::kShiftDown);
}

// "New %s" of a data file shown in menus, with the element command.
void AddNewOfMenuKind(CNodeMenu& menu, CCatalogueDb* catalogue, int kind)
{
    if (catalogue == nullptr) {
        return;
    }
    const CDataFileDef* definition = catalogue->FindDefinition(kind);
    if (definition != nullptr && definition->IsInMenu()) {
        AddNewOfKindItem(menu, *catalogue, kind, menu_command::kElementCommand, menu_picture::kCommands,
                         false);
    }
}

} // namespace

void CTreeNode::BuildEditMenu(CNodeMenu* menu)
{
    AddEditItems(*menu, *this);
}

void CBaseItemNode::BuildItemMenu(CNodeMenu* menu)
{
    menu->AppendODMenu(LoadResString(kStringNewCatalogue), kMenuEnabled, menu_command::kElementCommand,
                       menu_picture::kCatalogue);
}

void CWastebasketNode::BuildItemMenu(CNodeMenu* menu)
{
    menu->AppendODMenu(LoadResString(kStringEmptyRecycleBin), kMenuEnabled, menu_command::kElementCommand,
                       menu_picture::kCommands);
    menu->AppendSeparator();
    AddRenameItem(*menu, this);
}

void CTableNodeBase::BuildItemMenu(CNodeMenu* menu)
{
    AddNewOfMenuKind(*menu, m_catalogue, GetKind());
    AddRenameItem(*menu, this);
}

void CSummaryTableNode::BuildItemMenu(CNodeMenu* menu)
{
    AddNewOfKindItem(*menu, *m_catalogue, m_dataFile, menu_command::kElementCommand, menu_picture::kCommands,
                     false);
    BuildEditMenu(menu);
    menu->AppendSeparator();
    AddRenameItem(*menu, this);
}

void CAreaFileNode::BuildItemMenu(CNodeMenu* menu)
{
    if (AcceptsKind(GetKind())) {
        AddNewPopup(*menu, *this);
    }
    BuildEditMenu(menu);
    menu->AppendSeparator();
    AddRenameItem(*menu, this);
}

void CContainerNode::BuildItemMenu(CNodeMenu* menu)
{
    AddNewPopup(*menu, *this);
    AddDeleteItem(*menu, this);
    AddRenameItem(*menu, this);
    BuildEditMenu(menu);
    AddShiftItems(*menu);
}

void CAreaNode::BuildItemMenu(CNodeMenu* menu)
{
    AddNewOfKindItem(*menu, *GetCatalogue(), GetKind(), menu_command::kElementCommand, menu_picture::kToDo,
                     true);
    BuildEditMenu(menu);
    AddShiftItems(*menu);
    menu->AppendSeparator();
    if (GetItemSet()->GetCount() > 0) {
        BuildPrintSubmenu(*menu, true);
    }
    AddRenameItem(*menu, this);
}

void CItemListNode::BuildItemMenu(CNodeMenu* menu)
{
    CItemSet* set = GetItemSet();
    if (set->GetCount() > 0) {
        if (set->GetCurrent() == nullptr) {
            set->MoveFirst();
        }
        const CDataFileDef* definition = m_catalogue->FindDefinition(set->GetCurrentKind());
        const bool fax = definition != nullptr && definition->HasFieldOfKindF();
        const bool mail = definition != nullptr && definition->HasFieldOfKindE();
        if (fax || mail) {
            BuildSendTo(*menu, fax, mail, false);
        }
        BuildPrintSubmenu(*menu, true);
    }
    AddDeleteItem(*menu, this);
    AddRenameItem(*menu, this);
}

void CCatalogueNode::BuildItemMenu(CNodeMenu* menu)
{
    AddNewPopup(*menu, *this);
    AddRenameItem(*menu, this);
}

void CShopNode::BuildItemMenu(CNodeMenu* menu)
{
    menu->AppendODMenu(LoadResString(kStringCheckout), kMenuEnabled, menu_command::kElementCommand,
                       menu_picture::kCommands);
}

void CShopItemNode::BuildItemMenu(CNodeMenu* menu)
{
    menu->AppendODMenu(LoadResString(kStringChangeQuantity), kMenuEnabled, menu_command::kOpen,
                       menu_picture::kCommands);
}

std::vector<std::string> CShoppingCartNode::GetStatusText()
{
    return {LoadResString(kStringToOrder)};
}

std::vector<std::string> CShopNode::GetStatusText()
{
    return {LoadResString(kStringToOrder)};
}

std::vector<std::string> CShopItemNode::GetStatusText()
{
    return {LoadResString(kStringToOrder)};
}

std::vector<std::string> CPastOrdersNode::GetStatusText()
{
    return {LoadResString(kStringPastOrders)};
}

std::vector<std::string> COrderNode::GetStatusText()
{
    return {LoadResString(kStringPastOrders)};
}

std::vector<std::string> COrderItemNode::GetStatusText()
{
    return {LoadResString(kStringPastOrders)};
}
