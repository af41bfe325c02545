#include "tree/lists/ItemListNode.h"

#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/records/ItemSet.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/base/TextPatterns.h"
#include "tree/records/RecordNodes.h"
#include "tree/shortcuts/ShortcutWriter.h"

namespace {

constexpr int kListImage = 38;
// Strings.
constexpr unsigned kCatalogueLine = 33021;
constexpr unsigned kListLine = 33040;
constexpr unsigned kContainsLine = 33048;
constexpr unsigned kRemoveListQuestion = 30149;

} // namespace

CItemListNode::CItemListNode(CCatalogueDb& catalogue, CItemSet& listSet)
    : CAreaFileNode({}, listSet.GetCurrentKind(), kListImage, kListImage), m_catalogue(&catalogue)
{
    SetPageTemplate("distList.htm");
    m_ownSet = std::make_unique<CItemSet>(CItemSet::CopyOfCurrent(listSet));
    m_ownSet->MoveFirst();
    SetName(m_ownSet->GetCurrentName());
    const CNodeRef key = m_ownSet->GetCurrentKey();
    auto linked = std::make_unique<CItemSet>(CItemSet::Children(&catalogue, &key, kLinkMenuKinds));
    SetOwnedSet(std::move(linked));
}

CItemListNode::~CItemListNode() = default;

std::vector<std::string> CItemListNode::GetStatusText()
{
    return {FillTextPattern(LoadResString(kCatalogueLine), m_catalogue->GetName()),
            FillTextPattern(LoadResString(kListLine), GetName()),
            FillCountPattern(LoadResString(kContainsLine), GetItemSet()->GetCount())};
}

bool CItemListNode::Rename(std::string_view text)
{
    if (m_catalogue->IsViewOnly() || text.empty() || m_ownSet->GetCurrent() == nullptr) {
        return false;
    }
    m_ownSet->SetCurrentNameText(text);
    if (!m_ownSet->SaveCurrentUnderOwnParent()) {
        return false;
    }
    SetName(text);
    return true;
}

int CItemListNode::Delete(CNodeListPane* /*list*/, bool quiet)
{
    bool yesToAll = false;
    if (!quiet) {
        const int answer = NodeDialogs().ConfirmDelete(
            CNodeDialogs::kConfirmListDelete, FillTextPattern(LoadResString(kRemoveListQuestion), GetName()));
        if (answer != platform::ui::kIdYes && answer != platform::ui::kIdYesToAll) {
            return kDeleteRefused;
        }
        yesToAll = answer == platform::ui::kIdYesToAll;
    }
    if (!m_ownSet->DeleteCurrentRecord()) {
        return kDeleteRefused;
    }
    m_catalogue->ResetBuiltinSet22();
    return quiet || yesToAll ? kDeleteDoneYesToAll : kDeleteDone;
}

void CItemListNode::DropLink(CItemSet& set)
{
    const CNodeRef list = m_ownSet->GetCurrentKey();
    for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
        set.LinkCurrentWith(list);
    }
    Reload();
}

void CItemListNode::SetParentCode(double parent)
{
    if (m_ownSet->GetCurrent() != nullptr) {
        m_ownSet->SetCurrentParent(parent);
        m_ownSet->SaveCurrentUnderOwnParent();
    }
}

void CItemListNode::Reload()
{
    m_ownSet->ReloadCurrent();
    if (GetItemSet()->IsLoaded()) {
        GetItemSet()->Reload();
    }
}

bool CItemListNode::CopyToClipboard(bool onlyAsk)
{
    return onlyAsk || AddToClipboard(kItemListCopyFormat);
}

bool CItemListNode::CutToClipboard(bool onlyAsk)
{
    return onlyAsk || AddToClipboard(kItemListMoveFormat);
}

std::unique_ptr<CTreeNode> CItemListNode::NewChild(const CNodeRef& key)
{
    return std::make_unique<CItemListRecordNode>(key);
}

std::unique_ptr<CTreeNode> CItemListNode::NewChildFromSet(CItemSet& set)
{
    return std::make_unique<CItemListRecordNode>(set);
}

std::string CItemListNode::CreateShortcut(int kind)
{
    return WriteShortcutOfKind(kind, DescriptionWithCatalogue(*this, LoadResString(203)),
                               ListShortcutArgument(*this), 6);
}
