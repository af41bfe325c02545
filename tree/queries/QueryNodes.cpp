#include "tree/queries/QueryNodes.h"

#include "platform/text/CaseFold.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/records/RecordNodes.h"
#include "tree/shortcuts/ShortcutWriter.h"

namespace {

// Strings.
constexpr unsigned kTempQuery = 134;
constexpr unsigned kQuickQueryNotDeleted = 526;
constexpr unsigned kErrorCaption = 20552;
constexpr unsigned kRemoveQueryQuestion = 33032;

} // namespace

CQueryNode::CQueryNode(std::string_view name, CCatalogueDb& catalogue, CItemSet& querySet)
    : CAreaFileNode(name, 0, image_kind::kQueryClosed, image_kind::kQueryOpen), m_catalogue(&catalogue)
{
    SetPageTemplate("query.htm");
    m_ownSet = std::make_unique<CItemSet>(CItemSet::CopyOfCurrent(querySet));
    m_ownSet->MoveFirst();
    SetOwnedSet(std::make_unique<CItemSet>(CItemSet::FromStoredQuery(&catalogue, name)));
}

CQueryNode::CQueryNode(CItemSet& results)
    : CAreaFileNode(LoadResString(kTempQuery), 0, image_kind::kQueryClosed, image_kind::kQueryOpen),
      m_catalogue(results.GetCatalogue())
{
    SetPageTemplate("query.htm");
    auto set = std::make_unique<CItemSet>();
    set->Assign(results);
    SetOwnedSet(std::move(set));
}

CQueryNode::~CQueryNode() = default;

bool CQueryNode::BeginInPlaceEdit(CNodeListPane* /*list*/, NodePoint /*point*/)
{
    return m_catalogue == nullptr || !m_catalogue->IsViewOnly();
}

bool CQueryNode::Rename(std::string_view text)
{
    if (m_ownSet == nullptr || m_catalogue == nullptr || m_catalogue->IsViewOnly() || text.empty()) {
        return false;
    }
    const std::string old = GetName();
    std::string contents;
    if (!m_catalogue->ReadQuery(old, contents)) {
        return false;
    }
    const bool sameQuery = platform::text::EqualsNoCase(old, text);
    std::string other;
    // Writing over another query of that name would lose it.
    if (!sameQuery && m_catalogue->ReadQuery(text, other)) {
        return false;
    }
    if (!m_catalogue->WriteQuery(text, contents, m_ownSet->GetCurrentParent())) {
        return false;
    }
    if (!sameQuery) {
        m_catalogue->DeleteQuery(old);
    }
    SetName(text);
    // The node's own row was the old name's, which is gone: it takes the new one, so moving the query
    // to another folder afterwards moves the query the user sees.
    CItemSet* queries = m_catalogue->ResetBuiltinSet23();
    for (bool more = queries != nullptr && queries->MoveFirst(); more; more = queries->MoveNext()) {
        if (platform::text::EqualsNoCase(queries->GetCurrentName(), text)) {
            m_ownSet = std::make_unique<CItemSet>(CItemSet::CopyOfCurrent(*queries));
            m_ownSet->MoveFirst();
            break;
        }
    }
    return true;
}

void CQueryNode::SetParentCode(double parent)
{
    if (m_ownSet != nullptr && m_ownSet->GetCurrent() != nullptr) {
        m_ownSet->SetCurrentParent(parent);
        m_ownSet->SaveCurrentUnderOwnParent();
    }
}

void CQueryNode::Reload()
{
    if (CItemSet* set = GetItemSet(); set != nullptr && set->IsLoaded()) {
        set->Reload();
    }
}

int CQueryNode::Delete(CNodeListPane* /*list*/, bool quiet)
{
    if (m_ownSet == nullptr || m_catalogue == nullptr) {
        return kDeleteRefused;
    }
    bool yesToAll = false;
    if (!quiet) {
        const int answer = NodeDialogs().ConfirmDelete(CNodeDialogs::kConfirmQueryDelete,
                                                       LoadResString(kRemoveQueryQuestion));
        if (answer != platform::ui::kIdYes && answer != platform::ui::kIdYesToAll) {
            return kDeleteRefused;
        }
        yesToAll = answer == platform::ui::kIdYesToAll;
    }
    if (!m_catalogue->DeleteQuery(GetName())) {
        return kDeleteRefused;
    }
    m_catalogue->ResetBuiltinSet23();
    return quiet || yesToAll ? kDeleteDoneYesToAll : kDeleteDone;
}

bool CQueryNode::CopyToClipboard(bool onlyAsk)
{
    return onlyAsk || AddToClipboard(kQueryCopyFormat);
}

bool CQueryNode::CutToClipboard(bool onlyAsk)
{
    return onlyAsk || AddToClipboard(kQueryMoveFormat);
}

std::unique_ptr<CTreeNode> CQueryNode::NewChild(const CNodeRef& key)
{
    return std::make_unique<CQueryRecordNode>(key);
}

std::unique_ptr<CTreeNode> CQueryNode::NewChildFromSet(CItemSet& set)
{
    return std::make_unique<CQueryRecordNode>(set);
}

CQuickQueryNode::CQuickQueryNode(CItemSet& results) : CQueryNode(results)
{
    SetPageTemplate("QuickQuery.htm");
}

int CQuickQueryNode::Delete(CNodeListPane* /*list*/, bool /*quiet*/)
{
    platform::ui::ShowMessage(LoadResString(kQuickQueryNotDeleted), LoadResString(kErrorCaption),
                              platform::ui::kMbOk | platform::ui::kMbIconError);
    return kDeleteRefused;
}

void CQuickQueryNode::RunSearch(CItemSet* search)
{
    if (search == nullptr) {
        return;
    }
    m_catalogue = search->GetCatalogue();
    // The new set takes over the search itself, not only its records: the list runs a query's set again
    // when it shows it, and a copy of the records alone would then find nothing.
    auto set = std::make_unique<CItemSet>(m_catalogue);
    set->Assign(*search);
    SetOwnedSet(std::move(set));
}

CFileSetNode::CFileSetNode(std::unique_ptr<CItemSet> set)
    : CAreaFileNode(LoadResString(kTempQuery), 0, image_kind::kQueryClosed, image_kind::kQueryOpen)
{
    SetOwnedSet(std::move(set));
}

std::unique_ptr<CTreeNode> CFileSetNode::NewChild(const CNodeRef& key)
{
    return std::make_unique<CFileRecordNode>(key);
}

std::unique_ptr<CTreeNode> CFileSetNode::NewChildFromSet(CItemSet& set)
{
    return std::make_unique<CFileRecordNode>(set);
}

CFileAreaNode::CFileAreaNode(CCatalogueDb& catalogue, std::string_view criteria, int kind)
    : CAreaFileNode(LoadResString(kTempQuery), kind, image_kind::kQueryClosed, image_kind::kQueryOpen),
      m_catalogue(&catalogue)
{
    auto set = std::make_unique<CItemSet>(&catalogue);
    set->SetFilterDataFile(kind);
    set->SetFilterText(criteria);
    set->Load();
    set->SortByName(true, true);
    SetOwnedSet(std::move(set));
}

bool CFileAreaNode::IsEditable()
{
    return !m_catalogue->IsViewOnly();
}

std::unique_ptr<CTreeNode> CFileAreaNode::NewChild(const CNodeRef& key)
{
    return std::make_unique<CFileRecordNode>(key);
}

std::unique_ptr<CTreeNode> CFileAreaNode::NewChildFromSet(CItemSet& set)
{
    return std::make_unique<CFileRecordNode>(set);
}

std::string CQueryNode::CreateShortcut(int kind)
{
    return WriteShortcutOfKind(kind, DescriptionWithCatalogue(*this), ListShortcutArgument(*this), 4);
}
