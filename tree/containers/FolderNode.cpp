#include "tree/containers/FolderNode.h"

#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"
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

std::vector<std::string> CFolderNode::GetStatusText()
{
    return {FillTextPattern(LoadResString(kStringCatalogue), m_catalogue->GetName()),
            FillTextPattern(LoadResString(kStringFolder), GetName()),
            FillCountPattern(LoadResString(kStringContains), GetItemSet()->GetCount())};
}
