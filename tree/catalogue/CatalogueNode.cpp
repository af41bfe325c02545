#include "tree/catalogue/CatalogueNode.h"

#include "platform/text/CaseFold.h"
#include "platform/ui/Broadcaster.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/Broadcasts.h"
#include "store/program/Settings.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/base/OrderingNodeFactory.h"
#include "tree/base/TextPatterns.h"
#include "tree/catalogue/CatalogueNodeUi.h"
#include "tree/containers/AreaNode.h"
#include "tree/containers/FolderNode.h"
#include "tree/groups/TableNodes.h"
#include "tree/groups/WastebasketNodes.h"
#include "tree/lists/ItemListNode.h"
#include "tree/queries/QueryNodes.h"
#include "tree/shortcuts/ShortcutWriter.h"

#include <cmath>

namespace {

constexpr int kStringNewList = 186;
constexpr int kStringNewListNumbered = 514;
constexpr int kStringNewQuery = 33097;
constexpr int kStringNewQueryNumbered = 33122;
constexpr int kStringNewFolder = 33395;
constexpr int kStringNewFolderNumbered = 33400;
constexpr int kStringNoPlaceForItem = 515;
constexpr int kStringNoPlaceCaption = 20552;
constexpr int kStringErrorCaption = 20552;
constexpr int kStringOnlyCatalogue = 33327;
constexpr int kStringOnlyCatalogueCaption = 33365;
constexpr int kStringRemoveCatalogue = 33031;
constexpr int kStringDeleteCatalogueFile = 33062;
constexpr const char* kConfirmCatalogueDelete = "Confirm Catalogue delete";

constexpr size_t kMaxCatalogueName = 127;
constexpr size_t kMaxListName = 119;
constexpr size_t kMaxFolderComment = 2000;

// A stored query or item list directly under the catalogue: PARENT 0, or a root code as a folder
// directly under the catalogue has (no folder is numbered with a whole multiple of 100,000).
bool IsTopLevelParent(double parent)
{
    return std::fmod(parent, 100000.0) == 0.0;
}

// Whether the cart and past orders of this catalogue are shown: "shopCartDataBase" is empty or names it.
bool ShowsOrders(const CCatalogueDb& catalogue)
{
    const std::string cart = GetSettingString("shopCartDataBase");
    return cart.empty() || platform::text::EqualsNoCase(cart, catalogue.GetFilePath().string());
}

bool HasFileText(CCatalogueDb& catalogue, std::string_view name)
{
    std::string text;
    return catalogue.ReadFileText(name, text) && !text.empty();
}

// The place of a child among the catalogue node's children, in the order they are built.
int RankOf(CTreeNode& node)
{
    if (node.IsContainer()) {
        return 0;
    }
    if (node.IsQuery()) {
        return 1;
    }
    if (node.IsItemList()) {
        return 2;
    }
    if (node.IsOrderingItem()) {
        return 3;
    }
    return node.IsTablesGroup() ? 4 : 5;
}

std::string Numbered(std::string_view pattern, int n)
{
    std::string text(pattern);
    if (const size_t at = text.find("%d"); at != std::string::npos) {
        text.replace(at, 2, std::to_string(n));
    }
    return text;
}

} // namespace

double FolderNumberOf(CTreeNode& place)
{
    CFolderRecord* folder = place.GetFolderRecord();
    return folder != nullptr ? folder->GetNumber() : 0.0;
}

CCatalogueNode::CCatalogueNode(const std::filesystem::path& file)
    : CCatalogueNode(std::make_unique<CCatalogueDb>(file))
{
}

CCatalogueNode::CCatalogueNode(std::unique_ptr<CCatalogueDb> catalogue)
    : CTreeNode(catalogue->GetName(), image_kind::kCatalogueClosed, image_kind::kCatalogueOpen),
      m_owned(std::move(catalogue)), m_catalogue(m_owned.get())
{
    Init();
    RepairLinksIfOpen();
}

CCatalogueNode::CCatalogueNode(CCatalogueDb& catalogue)
    : CTreeNode(catalogue.GetName(), image_kind::kCatalogueClosed, image_kind::kCatalogueOpen),
      m_catalogue(&catalogue), m_borrowed(true)
{
    Init();
}

CCatalogueNode::~CCatalogueNode()
{
    DetachAllChildren();
}

void CCatalogueNode::Init()
{
    SetPageTemplate("AddBook.htm");
}

void CCatalogueNode::RepairLinksIfOpen()
{
    // The store leaves repairing to whoever opens a catalogue for the tree: links to records that went
    // (or that a crash left marked) would otherwise show as broken rows. A view-only catalogue is not
    // written to.
    if (m_catalogue->GetDatabase() != nullptr && !m_catalogue->IsViewOnly()) {
        m_catalogue->RepairLinks();
    }
}

bool CCatalogueNode::Rename(std::string_view text)
{
    if (text.empty()) {
        return false;
    }
    m_catalogue->SetName(platform::text::TruncateUtf8(text, kMaxCatalogueName));
    m_catalogue->SaveSettings();
    SetName(m_catalogue->GetName());
    return true;
}

bool CCatalogueNode::Open(CTreeControl* tree)
{
    if (ShowProperties(nullptr, 0)) {
        return true;
    }
    return CTreeNode::Open(tree);
}

// ---- the children ----------------------------------------------------------------------------------

void CCatalogueNode::BuildChildren()
{
    if (m_childrenBuilt) {
        return;
    }
    CCatalogueNodeUi* ui = CatalogueNodeUi();
    bool openedWithPassword = false;
    if (m_catalogue->IsPasswordProtected() && m_catalogue->GetDatabase() == nullptr) {
        const std::optional<std::string> password =
            ui != nullptr ? ui->AskPassword(m_catalogue->GetName()) : std::nullopt;
        if (password) {
            if (!m_catalogue->Open(*password)) {
                // The next expansion asks again; the user learns why nothing opened.
                platform::ui::ShowMessage("The password is wrong: the catalogue stays protected.",
                                          LoadResString(kStringErrorCaption),
                                          platform::ui::kMbOk | platform::ui::kMbIconError);
                return;
            }
            SetName(m_catalogue->GetName());
            RepairLinksIfOpen();
            openedWithPassword = true;
        }
    }
    m_childrenBuilt = true;
    CCatalogueDb& catalogue = *m_catalogue;
    const bool toDoShown = ShowsToDoList(catalogue);

    const double root = RootFolderCode();
    for (CFolderRecord* folder = catalogue.FirstChildFolder(root); folder != nullptr;
         folder = catalogue.NextChildFolder(root, folder)) {
        if (folder->GetType() >= CFolderRecord::kAllKinds) {
            AppendNode<CFolderNode>(*this, catalogue, folder);
        } else if (folder->GetType() != node_kind::kToDo || toDoShown) {
            AppendNode<CAreaNode>(*this, catalogue, folder, folder->GetType());
        }
    }
    if (CItemSet* queries = catalogue.GetBuiltinSet23()) {
        for (bool more = queries->MoveFirst(); more; more = queries->MoveNext()) {
            if (IsTopLevelParent(queries->GetCurrentParent())) {
                AppendNode<CQueryNode>(*this, queries->GetCurrentName(), catalogue, *queries);
            }
        }
    }
    if (CItemSet* lists = catalogue.GetBuiltinSet22()) {
        for (bool more = lists->MoveFirst(); more; more = lists->MoveNext()) {
            if (IsTopLevelParent(lists->GetCurrentParent())) {
                AppendNode<CItemListNode>(*this, catalogue, *lists);
            }
        }
    }
    if (!catalogue.IsViewOnly() && ShowsOrders(catalogue)) {
        if (COrderingNodeFactory* orders = OrderingNodeFactory(); orders != nullptr) {
            if (HasFileText(catalogue, "toOrder")) {
                orders->AppendShoppingCart(*this, catalogue);
            }
            if (HasFileText(catalogue, "order0")) {
                orders->AppendPastOrders(*this, catalogue);
            }
        }
    }
    // "Tables" only when a data file counts as a table: its summary tables are made with it.
    auto* tables = AppendNode<CTableNode>(*this, catalogue);
    tables->BuildChildren();
    if (!tables->HasChildren()) {
        DetachChild(tables);
    }
    if (!catalogue.IsViewOnly()) {
        AppendNode<CWastebasketNode>(*this, catalogue);
    }
    if (openedWithPassword && ui != nullptr) {
        ui->RefreshTreeLabels();
    }
}

void CCatalogueNode::PopulateChildren(CTreeControl* tree)
{
    BuildChildren();
    if (tree != nullptr) {
        InsertChildItems(*tree);
    }
}

// ---- the "New" menu and new elements ---------------------------------------------------------------

bool CCatalogueNode::CanCreateElements()
{
    return CatalogueNodeUi() != nullptr;
}

std::string CCatalogueNode::UniqueChildName(CTreeNode& place, std::string_view first,
                                            std::string_view numbered)
{
    const auto taken = [&place](const std::string& name) {
        for (CTreeNode* child = place.GetFirstChildNode(); child != nullptr;
             child = child->GetNextSiblingNode()) {
            if (child->GetName() == name) {
                return true;
            }
        }
        return false;
    };
    std::string name(first);
    for (int n = 1; taken(name); ++n) {
        name = Numbered(numbered, n);
    }
    return name;
}

CTreeNode& CCatalogueNode::NewElementPlace()
{
    CCatalogueNodeUi* ui = CatalogueNodeUi();
    CTreeNode* selected = ui != nullptr ? ui->SelectedElement() : nullptr;
    if (selected == nullptr || selected->GetCatalogueNode() != this) {
        return *this;
    }
    return *selected;
}

std::optional<CCatalogueNode::NewElementRequest>
CCatalogueNode::AskForNewElement(CCatalogueNodeUi::NewElement what, unsigned firstText, unsigned numberedText)
{
    CCatalogueNodeUi* ui = CatalogueNodeUi();
    if (ui == nullptr || m_catalogue->GetDatabase() == nullptr) {
        return std::nullopt;
    }
    CTreeNode& place = NewElementPlace();
    place.PopulateChildren(nullptr);
    auto answer = ui->AskNewElement(
        what, place, UniqueChildName(place, LoadResString(firstText), LoadResString(numberedText)));
    if (!answer || answer->name.empty()) {
        return std::nullopt;
    }
    // The parent chosen in the dialog counts when it lies in this catalogue: another catalogue's folder
    // number would mean something else here.
    CTreeNode* chosen = answer->place;
    CTreeNode* where = chosen != nullptr && chosen->GetCatalogueNode() == this ? chosen : &place;
    return NewElementRequest{where, std::move(*answer)};
}

void CCatalogueNode::AnnounceNewElement(CTreeNode& place)
{
    if (&place != this && place.GetFolderRecord() != nullptr) {
        if (CCatalogueNodeUi* ui = CatalogueNodeUi()) {
            ui->RefillTree();
        }
        place.Reload();
        place.SendUnload();
    } else {
        SendUnload();
    }
}

void CCatalogueNode::NewItemList()
{
    auto request =
        AskForNewElement(CCatalogueNodeUi::NewElement::kItemList, kStringNewList, kStringNewListNumbered);
    if (!request) {
        return;
    }
    CTreeNode& place = *request->place;
    const CCatalogueNodeUi::NewElementAnswer& answer = request->answer;
    m_catalogue->LoadDefinitionsIfNeeded();
    CItemSet list = CItemSet::NewRecord(node_kind::kItemLists, nullptr, m_catalogue);
    list.SetFieldTextByName("NAME", platform::text::TruncateUtf8(answer.name, kMaxListName));
    list.SetFieldTextByName("COMMENT", answer.comment);
    if (!list.InsertCurrentRecord(FolderNumberOf(place))) {
        return;
    }
    CItemSet* lists = m_catalogue->ResetBuiltinSet22();
    if (&place == this && lists != nullptr) {
        const std::uint32_t number = list.GetCurrentKey().GetNumber();
        for (bool more = lists->MoveFirst(); more; more = lists->MoveNext()) {
            if (lists->GetCurrentKey().GetNumber() == number) {
                InsertInOrder(std::make_unique<CItemListNode>(*m_catalogue, *lists));
                break;
            }
        }
    }
    AnnounceNewElement(place);
}

void CCatalogueNode::NewQuery()
{
    auto request =
        AskForNewElement(CCatalogueNodeUi::NewElement::kQuery, kStringNewQuery, kStringNewQueryNumbered);
    if (!request) {
        return;
    }
    CTreeNode& place = *request->place;
    const CCatalogueNodeUi::NewElementAnswer& answer = request->answer;
    // Queries are stored by name: a name another query has would overwrite it.
    std::string existing;
    if (m_catalogue->ReadQuery(answer.name, existing)) {
        platform::ui::ShowMessage(FillTextPattern("A query named \"%s\" exists already.", answer.name),
                                  "Error", platform::ui::kMbOk | platform::ui::kMbIconError);
        return;
    }
    if (!m_catalogue->WriteQuery(answer.name, " ", FolderNumberOf(place))) {
        return;
    }
    CItemSet* queries = m_catalogue->ResetBuiltinSet23();
    if (&place == this && queries != nullptr) {
        for (bool more = queries->MoveFirst(); more; more = queries->MoveNext()) {
            if (queries->GetCurrentName() == answer.name) {
                InsertInOrder(std::make_unique<CQueryNode>(answer.name, *m_catalogue, *queries));
                break;
            }
        }
    }
    AnnounceNewElement(place);
}

void CCatalogueNode::NewFolder()
{
    if (!m_catalogue->IsAreaAllowed()) {
        return;
    }
    auto request =
        AskForNewElement(CCatalogueNodeUi::NewElement::kFolder, kStringNewFolder, kStringNewFolderNumbered);
    if (!request) {
        return;
    }
    CTreeNode& place = *request->place;
    const CCatalogueNodeUi::NewElementAnswer& answer = request->answer;
    CFolderRecord* folder = m_catalogue->AddFolder(answer.name, FolderNumberOf(place), answer.type);
    if (folder == nullptr) {
        return;
    }
    if (!answer.comment.empty()) {
        folder->SaveComment(*m_catalogue, platform::text::TruncateUtf8(answer.comment, kMaxFolderComment));
    }
    if (&place == this) {
        if (folder->GetType() >= CFolderRecord::kAllKinds) {
            InsertInOrder(std::make_unique<CFolderNode>(*m_catalogue, folder));
        } else {
            InsertInOrder(std::make_unique<CAreaNode>(*m_catalogue, folder, folder->GetType()));
        }
    } else {
        place.Reload();
    }
    CatalogueNodeUi()->RefillTree();
}

void CCatalogueNode::InsertInOrder(std::unique_ptr<CTreeNode> node)
{
    if (!m_childrenBuilt) {
        return; // built with the others when a pane first asks
    }
    const int rank = RankOf(*node);
    CTreeNode* before = GetFirstChildNode();
    while (before != nullptr && RankOf(*before) <= rank) {
        before = before->GetNextSiblingNode();
    }
    if (before != nullptr) {
        InsertChildBefore(std::move(node), before);
    } else {
        AddChild(std::move(node));
    }
}

void CCatalogueNode::NewItemOfKind(CNodeFrame* frame, int dataFile)
{
    m_catalogue->LoadDefinitionsIfNeeded();
    const CDataFileDef* definition = m_catalogue->FindDefinition(dataFile);
    PopulateChildren(nullptr);
    if (definition != nullptr && CountsAsTable(*definition)) {
        for (CTreeNode* group = GetFirstChildNode(); group != nullptr; group = group->GetNextSiblingNode()) {
            if (!group->IsTablesGroup()) {
                continue;
            }
            group->PopulateChildren(nullptr);
            for (CTreeNode* table = group->GetFirstChildNode(); table != nullptr;
                 table = table->GetNextSiblingNode()) {
                if (table->GetKind() == dataFile) {
                    if (CCatalogueNodeUi* ui = CatalogueNodeUi()) {
                        ui->MakeCurrentElement(*table);
                    }
                    table->OpenEntryById(dataFile, frame);
                    return;
                }
            }
        }
    }
    // The top-level areas of the data file: with exactly one, the item goes there.
    CTreeNode* onlyArea = nullptr;
    int areas = 0;
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        if (child->IsArea() && child->GetKind() == dataFile) {
            onlyArea = child;
            ++areas;
        }
    }
    if (areas == 1) {
        onlyArea->OpenEntryById(dataFile, frame);
        return;
    }
    if (areas == 0) {
        bool possible = false;
        for (CTreeNode* node = this; node != nullptr && !possible; node = NextTreeNode(node, this)) {
            possible = node != this && (node->GetKind() == dataFile || node->IsFolder()) &&
                       !node->IsWastebasket() && !node->IsWastebasketArea() && !node->IsInWastebasket();
        }
        if (!possible) {
            if (definition != nullptr) {
                platform::ui::ShowMessage(LoadResString(kStringNoPlaceForItem),
                                          LoadResString(kStringNoPlaceCaption),
                                          platform::ui::kMbOk | platform::ui::kMbIconError);
            }
            return;
        }
    }
    CCatalogueNodeUi* ui = CatalogueNodeUi();
    if (ui == nullptr) {
        return;
    }
    if (CTreeNode* place = ui->ChooseNewItemPlace(*this, dataFile)) {
        place->OpenEntryById(dataFile, frame);
    }
    ui->RefillTree();
}

void CCatalogueNode::OpenEntryById(int dataFile, CNodeFrame* frame)
{
    PopulateChildren(nullptr);
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        if (child->IsDataNode() && child->GetKind() == dataFile) {
            child->OpenEntryById(dataFile, frame);
            return;
        }
    }
}

void CCatalogueNode::CollectItemsOfKind(CItemSet& set, int kind)
{
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        child->CollectItemsOfKind(set, kind);
    }
}

void CCatalogueNode::CollectShownItemsOfKind(CItemSet& set, int kind)
{
    for (CTreeNode* child = GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        if (!child->GetAttributeBool("WWWDeleted")) {
            child->CollectShownItemsOfKind(set, kind);
        }
    }
}

// ---- removing the catalogue and telling the windows ------------------------------------------------

int CCatalogueNode::Delete(CNodeListPane* /*list*/, bool /*quiet*/)
{
    int catalogues = 0;
    if (CTreeNode* root = GetParentNode()) {
        for (CTreeNode* node = root->GetFirstChildNode(); node != nullptr;
             node = node->GetNextSiblingNode()) {
            catalogues += node->IsCatalogue() ? 1 : 0;
        }
    }
    if (catalogues < 2) {
        platform::ui::ShowMessage(LoadResString(kStringOnlyCatalogue),
                                  LoadResString(kStringOnlyCatalogueCaption),
                                  platform::ui::kMbOk | platform::ui::kMbIconError);
        return kDeleteRefused;
    }
    // Removing a catalogue is asked even in a "Yes to All" deletion: it is never one of many items.
    if (platform::ui::ShowMessage(LoadResString(kStringRemoveCatalogue), kConfirmCatalogueDelete,
                                  platform::ui::kMbYesNo | platform::ui::kMbIconQuestion) !=
        platform::ui::kIdYes) {
        return kDeleteRefused;
    }
    if (platform::ui::ShowMessage(LoadResString(kStringDeleteCatalogueFile), kConfirmCatalogueDelete,
                                  platform::ui::kMbYesNo | platform::ui::kMbIconQuestion) ==
        platform::ui::kIdYes) {
        m_catalogue->MarkForRemoval();
    }
    std::filesystem::path registered = m_catalogue->GetFilePath();
    registered.replace_extension();
    UnregisterCatalogue(registered.string());
    return kDeleteDone;
}

void CCatalogueNode::SendUnload()
{
    BroadcastUnloadDatabase(m_catalogue->GetFilePath());
}

void CCatalogueNode::PostUnload()
{
    platform::ui::Broadcaster::Instance().Post(BroadcastMessageNumber(kUnloadDbMessage), 0,
                                               m_catalogue->GetFilePath().string());
}

std::string CCatalogueNode::CreateShortcut(int kind)
{
    return WriteShortcutOfKind(kind, GetName(), ListShortcutArgument(*this), 1);
}
