#include "mainwindow/commands/CommandRules.h"

#include "mainwindow/commands/CommandIds.h"
#include "mainwindow/commands/ElementCommands.h"
#include "mainwindow/commands/FrameSubsystems.h"
#include "mainwindow/commands/PasteItems.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/Settings.h"
#include "store/records/ItemSet.h"
#include "tree/base/ShoppingCartAdder.h"
#include "tree/base/TreeNode.h"
#include "tree/menus/FileMenuItems.h"
#include "tree/records/RecordNodes.h"

#include <strings.h>

using namespace frame_command;

namespace {

bool Writable(CTreeNode* node)
{
    return node != nullptr && node->GetCatalogue() != nullptr && !IsInViewOnlyCatalogue(*node);
}

bool HasParentNotRoot(CTreeNode* node)
{
    return node != nullptr && node->GetParentNode() != nullptr && !node->IsRoot();
}

bool IsDataElement(CTreeNode* node)
{
    return node != nullptr && (node->IsArea() || node->IsRecord());
}

bool HasRecords(CTreeNode* node)
{
    if (node == nullptr) {
        return false;
    }
    CItemSet* set = node->GetItemSet();
    return set != nullptr && !node->IsEmpty();
}

// Index cards: a query or list with records, or a data element other than a wastebasket area whose
// item set holds records.
bool CanPrintItems(CTreeNode* node)
{
    if (node == nullptr) {
        return false;
    }
    if (node->IsQuery() || node->IsItemList()) {
        return HasRecords(node);
    }
    return node->IsDataNode() && !node->IsWastebasketArea() && HasRecords(node);
}

bool HasOwnItArea(CTreeNode* node)
{
    if (node == nullptr || !node->IsArea() || node->GetCatalogue() == nullptr) {
        return false;
    }
    const CDataFileDef* definition = node->GetCatalogue()->FindDefinition(node->GetKind());
    return definition != nullptr && definition->HasOwnItButton();
}

bool Installed(int command, CTreeNode* selected)
{
    const FrameSubsystem which = SubsystemOfCommand(command, selected);
    return which == FrameSubsystem::kCount || GetFrameSubsystem(which) != nullptr;
}

// A record whose item set has a field of that kind ('T' telephone, 'W' web address).
bool RecordHasFieldKind(CTreeNode* node, char kind)
{
    if (node == nullptr || !node->IsRecord() || node->IsAddNew()) {
        return false;
    }
    CItemSet* set = node->GetItemSet();
    if (set == nullptr || set->GetCurrent() == nullptr) {
        return false;
    }
    return kind == 'T' ? set->CurrentHasFieldOfKindT() : set->GetCurrentFieldOfKindW() >= 0;
}

CommandState Enabled(bool on)
{
    CommandState state;
    state.enabled = on;
    return state;
}

CommandState Checked(bool on, bool enabled = true)
{
    CommandState state;
    state.enabled = enabled;
    state.check = on ? 1 : 0;
    return state;
}

CommandState NewRule(const CommandContext& context)
{
    CTreeNode* node = context.selected;
    CommandState state;
    state.enabled = false;
    state.text = LoadResString(189);
    if (node == nullptr) {
        return state;
    }
    if (IsInViewOnlyCatalogue(*node)) {
        state = {true, -1, LoadResString(186)};
    } else if (node->IsRoot()) {
        state = {true, -1, "New Catalogue"};
    } else if (node->IsOrderingNode() || node->IsOrderingItem()) {
        state = {true, -1, "&Checkout"};
    } else if (node->IsWastebasket() || node->IsWastebasketArea()) {
        state = {true, -1, "&Empty Recycle Bin"};
    }
    return state;
}

CommandState DeleteRule(CTreeNode* node)
{
    CommandState state;
    state.enabled = false;
    if (node == nullptr || node->IsRoot()) {
        return state;
    }
    if (node->IsCatalogue()) {
        state.enabled = true;
    } else if (IsInViewOnlyCatalogue(*node)) {
        state.enabled = node->IsItemListRecord();
    } else if (node->IsInWastebasket() && !node->IsWastebasket() && !node->IsWastebasketArea()) {
        state.text = LoadResString(11122);
        state.enabled = node->IsRecord();
    } else if (node->IsRecord()) {
        state.enabled = static_cast<CRecordNode*>(node)->CanDelete();
    } else {
        // Groups (the wastebasket, "Tables", the cart) refuse with their own message when asked.
        state.enabled = true;
    }
    return state;
}

CommandState PropertiesRule(CTreeNode* node)
{
    if (node == nullptr) {
        return Enabled(false);
    }
    if (IsInViewOnlyCatalogue(*node)) {
        return Enabled(node->IsRecord() || node->IsCatalogue());
    }
    return Enabled(node->ShowProperties(nullptr, -1));
}

int ListStyleCheck(int command)
{
    const std::string word = GetSettingString("ListIs", "REPORT");
    return strcasecmp(word.c_str(), ListStyleWordOf(command)) == 0 ? 1 : 0;
}

} // namespace

const char* ListStyleWordOf(int command)
{
    switch (command) {
    case kLargeIcons:
        return "LARGE";
    case kSmallIcons:
        return "SMALL";
    case kListStyle:
        return "LIST";
    case kDetails:
        return "REPORT";
    default:
        return "";
    }
}

std::string NextListStyleWord(const std::string& word)
{
    static const char* const kCycle[][2] = {
        {"LARGE", "LIST"}, {"LIST", "SMALL"}, {"SMALL", "REPORT"}, {"REPORT", "LARGE"}};
    for (const auto& step : kCycle) {
        if (strcasecmp(word.c_str(), step[0]) == 0) {
            return step[1];
        }
    }
    return {};
}

CommandState CommandStateOf(int command, const CommandContext& context)
{
    CTreeNode* node = context.selected;
    const bool find = context.mode == StartMode::kFind;
    if (!Installed(command, node)) {
        CommandState state = command == kElementNew ? NewRule(context) : CommandState{};
        state.enabled = false;
        return state;
    }
    if (command >= kFirstNewOfKind && command <= kLastNewOfKind) {
        return {};
    }
    switch (command) {
    case kElementNew:
        return NewRule(context);
    case kDelete:
        return DeleteRule(node);
    case kRename:
        return Enabled(Writable(node) && node->BeginInPlaceEdit(nullptr, {}));
    case kProperties:
        return PropertiesRule(node);
    case kImportExport:
        return Enabled(Writable(node));
    case kSaveSearch:
        return Enabled(find && context.searchRun);
    case kPrintAvery:
    case kPrintEnvelopes:
    case kPrintAgenda:
        return Enabled(CanPrintItems(node));
    case kInventoryReport:
        return Enabled(CanPrintItems(node) || (node != nullptr && node->IsCatalogue()));
    case kOwnedReport:
    case kMissingReport:
        return Enabled(HasOwnItArea(node));
    case kCut:
    case kCopy:
        return Enabled(node != nullptr && node->CanBeLinked());
    case kPaste:
        return Enabled(Writable(node) && CanPasteInto(*node));
    case kSelectAll:
    case kInvertSelection:
        return Enabled(context.listExists && (!find || context.searchRun));
    case kLargeIcons:
    case kSmallIcons:
    case kListStyle:
    case kDetails:
        return Checked(ListStyleCheck(command) != 0);
    case kCycleView:
    case kUp:
    case kSelectedChild:
        return Enabled(HasParentNotRoot(node));
    case kToolbar:
        return Checked(GetSettingInt("ToolbarEnabled", 1) != 0, !find);
    case kStatusBar:
        return Checked(GetSettingInt("StatusBarEnabled", 1) != 0);
    case kAddressBar:
        return Checked(GetSettingInt("AddressVisible", 1) != 0, !find);
    case kButtonsText:
        return Checked(GetSettingInt("TextButtonEnabled", 1) != 0, !find);
    case kExplorerBar:
        return Checked(GetSettingInt("TreePresent", 1) != 0, !find);
    case kAsWebPage:
        return Checked(GetSettingInt("DisplayAsWebPage", 1) != 0, !find);
    case kCustomizeWebPage:
        return Enabled(!find && node != nullptr && node->IsDataNode() && Writable(node));
    case kArrangeByName:
    case kArrangeByCreation:
    case kArrangeByModification:
    case kArrangeAdvanced:
        return Enabled(HasRecords(context.shown) &&
                       (context.mode == StartMode::kNormal || context.mode == StartMode::kList));
    case kWebViewNone:
        return Checked(GetSettingInt("WebViewIs", 0) == 0);
    case kNoWebViews:
        return Enabled(false);
    case kManageWebViews:
        return Enabled(!find && IsDataElement(node) && Writable(node));
    case kQuickSearch:
        return Enabled(node != nullptr && node->GetCatalogueNode() != nullptr);
    case kDuplicate:
        return Enabled(node != nullptr && node->IsRecord() && !node->IsAddNew() && !node->IsInWastebasket() &&
                       Writable(node));
    case kTelephone:
        return Enabled(RecordHasFieldKind(node, 'T'));
    case kGoToWebPage:
        return Enabled(RecordHasFieldKind(node, 'W'));
    case kShiftUp:
    case kShiftDown:
        return Enabled(Writable(node) && FolderSwapPartner(node, command == kShiftUp) != nullptr);
    case kOrderIt:
        // The cart belongs to the record window; until it is installed an order would go nowhere.
        return Enabled(ShoppingCartAdder() != nullptr);
    case kFieldChooser:
        return Enabled(IsDataElement(node));
    case kLabelBuilder:
        return Enabled(IsDataElement(node) && Writable(node));
    case kAddToMyCatalogue: {
        const std::string book = GetSettingString("defaultDataBook");
        return Enabled(node != nullptr && node->GetItemSet() != nullptr && !book.empty() &&
                       node->GetCatalogue() != nullptr &&
                       node->GetCatalogue()->GetFilePath().string() != book);
    }
    case kAddToWantList:
        return Enabled(node != nullptr && node->IsRecord() && !node->IsAddNew());
    case kCreateShortcut:
        return Enabled(node != nullptr && node->CanCreateShortcut());
    case kSendMail:
    case kSendFax:
        return Enabled(HasRecords(node));
    case kAddAnItem: {
        CommandState state = Enabled(node != nullptr && node->IsCatalogue());
        state.text = LoadResString(434);
        return state;
    }
    default:
        return {};
    }
}
