#include "tree/base/AreaFileNode.h"

#include "platform/text/CaseFold.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"

CAreaFileNode::CAreaFileNode(std::string_view label, int kind, int closedImage, int openImage)
    : CTreeNode(label, closedImage, openImage), m_kind(kind)
{
}

CAreaFileNode::CAreaFileNode(CItemSet& borrowed)
    : CTreeNode({}, 0, 0), m_set(&borrowed), m_kind(borrowed.GetCurrentKind())
{
}

CAreaFileNode::~CAreaFileNode() = default;

void CAreaFileNode::SetOwnedSet(std::unique_ptr<CItemSet> set)
{
    m_ownedSet = std::move(set);
    m_set = m_ownedSet.get();
}

bool CAreaFileNode::IsEmpty()
{
    return m_set != nullptr && m_set->GetCount() == 0;
}

bool CAreaFileNode::BeginInPlaceEdit(CNodeListPane* /*list*/, NodePoint /*point*/)
{
    return true;
}

CFolderRecord* CAreaFileNode::GetFolderRecord()
{
    return GetParentNode() != nullptr ? GetParentNode()->GetFolderRecord() : nullptr;
}

std::string CAreaFileNode::GetHelpKey()
{
    switch (m_kind) {
    case node_kind::kToDo:
        return "KV.TODO";
    case node_kind::kBookmarks:
        return "KV.BOOKMARKS";
    default:
        return "KV.AREAFILEITM";
    }
}

bool CAreaFileNode::Rename(std::string_view text)
{
    CCatalogueDb* catalogue = GetCatalogue();
    if (catalogue == nullptr || text.empty()) {
        return false;
    }
    CDataFileDef definition(catalogue);
    if (!definition.SelectFile(m_kind)) {
        return false;
    }
    definition.SetMenuName(text);
    definition.StoreInCatalogue();
    definition.BuildDefinitionTree();
    definition.SaveDefinitionTree();
    const std::string label = definition.GetMenuName();
    CTreeNode* top = GetCatalogueNode() != nullptr ? GetCatalogueNode() : this;
    for (CTreeNode* node = top; node != nullptr; node = NextTreeNode(node, top)) {
        if (node->IsDataNode() && !node->IsFolderElement() && node->GetKind() == m_kind) {
            node->SetName(label);
        }
    }
    return true;
}

void CAreaFileNode::CollectItems(CItemSet& set)
{
    if (m_set != nullptr) {
        m_set->Load();
        set.AppendFrom(*m_set, true);
    }
}

void CAreaFileNode::CollectItemsOfKind(CItemSet& set, int kind)
{
    if (m_set != nullptr) {
        set.AppendOfKind(*m_set, kind);
    }
}

void CAreaFileNode::CollectShownItemsOfKind(CItemSet& set, int kind)
{
    CollectItemsOfKind(set, kind);
}

bool CAreaFileNode::FindChildByName(std::string_view text)
{
    if (m_set == nullptr) {
        return false;
    }
    for (bool more = m_set->MoveFirst(); more; more = m_set->MoveNext()) {
        if (platform::text::EqualsNoCase(m_set->GetCurrentName(), text)) {
            if (std::unique_ptr<CTreeNode> row = NewChildFromSet(*m_set); row != nullptr) {
                CTreeNode* shown = row.get();
                AddChild(std::move(row));
                shown->Open(nullptr);
            }
            return true;
        }
    }
    return false;
}

bool CAreaFileNode::CopyToClipboard(bool onlyAsk)
{
    if (m_set == nullptr) {
        return false;
    }
    return onlyAsk || m_set->CopyItemsToClipboard();
}

bool CAreaFileNode::CutToClipboard(bool onlyAsk)
{
    if (m_set == nullptr) {
        return false;
    }
    return onlyAsk || m_set->MoveItemsToClipboard();
}

std::unique_ptr<CTreeNode> CAreaFileNode::NewChild(const CNodeRef& /*key*/)
{
    return nullptr;
}

std::unique_ptr<CTreeNode> CAreaFileNode::NewChildFromSet(CItemSet& /*set*/)
{
    return nullptr;
}
