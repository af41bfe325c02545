#include "tree/containers/FolderNode.h"

#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/base/TextPatterns.h"

namespace {
constexpr int kStringCatalogue = 33021;
constexpr int kStringFolder = 33035;
constexpr int kStringContains = 33048;
} // namespace

CFolderNode::CFolderNode(CCatalogueDb& catalogue, CFolderRecord* folder)
    : CContainerNode(catalogue, folder, node_kind::kAllKinds)
{
    SetPageTemplate("folder.htm");
}

bool CFolderNode::AcceptsKind(int /*kind*/)
{
    const int own = GetKind();
    return own < node_kind::kNotes || own == node_kind::kBookmarks;
}

bool CFolderNode::CanAccept(CItemSet* set, bool move)
{
    if (m_catalogue->IsViewOnly()) {
        return false;
    }
    if (CanPasteFolders(move)) {
        return true;
    }
    if (set == nullptr || set->GetCurrent() == nullptr) {
        return false;
    }
    const int kind = set->GetCurrentKind();
    if (kind > node_kind::kNotes && kind != node_kind::kBookmarks && kind != node_kind::kToDo) {
        return false;
    }
    const CCatalogueDb* source = set->GetCatalogue();
    if (source != m_catalogue && (source == nullptr || source->GetFilePath().lexically_normal() !=
                                                           m_catalogue->GetFilePath().lexically_normal())) {
        return !move && CanCopyFromOtherCatalogue(*this, *set, GetKind());
    }
    return m_folder == nullptr || set->GetCurrentParent() != m_folder->GetNumber();
}

bool CFolderNode::CanAcceptCopy(CItemSet* set)
{
    return CanAccept(set, false);
}

bool CFolderNode::CanAcceptMove(CItemSet* set)
{
    return CanAccept(set, true);
}

std::vector<std::string> CFolderNode::GetStatusText()
{
    return {FillTextPattern(LoadResString(kStringCatalogue), m_catalogue->GetName()),
            FillTextPattern(LoadResString(kStringFolder), GetName()),
            FillCountPattern(LoadResString(kStringContains), GetItemSet()->GetCount())};
}
