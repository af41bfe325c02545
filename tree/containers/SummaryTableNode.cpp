#include "tree/containers/SummaryTableNode.h"

#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/base/TextPatterns.h"
#include "tree/containers/ContainerNode.h"
#include "tree/groups/TableNodes.h"
#include "tree/records/RecordNodes.h"

namespace {

constexpr int kStringCatalogue = 33021;
constexpr int kStringContains = 33048;

// The data file's menu name without its '&' marks, at most 29 characters.
std::string LabelOf(CCatalogueDb& catalogue, int dataFile)
{
    constexpr size_t kMaxLabel = 29;
    const CDataFileDef* definition = catalogue.FindDefinition(dataFile);
    if (definition == nullptr) {
        return {};
    }
    std::string label = definition->GetMenuName();
    std::erase(label, '&');
    if (label.size() > kMaxLabel) {
        label.resize(kMaxLabel);
    }
    return label;
}

} // namespace

CSummaryTableNode::CSummaryTableNode(CCatalogueDb& catalogue, int dataFile)
    : CAreaFileNode(LabelOf(catalogue, dataFile), dataFile, image_kind::kRecordClosed,
                    image_kind::kRecordOpen),
      m_catalogue(&catalogue), m_dataFile(dataFile)
{
    SetPageTemplate("AllAreaTableFile.htm");
    SetOwnedSet(std::make_unique<CItemSet>(CItemSet::Query(&catalogue, dataFile, nullptr, false)));
}

std::vector<std::string> CSummaryTableNode::GetStatusText()
{
    return {FillTextPattern(LoadResString(kStringCatalogue), m_catalogue->GetName()),
            FillTextPattern("Summary table: %s", GetName()),
            FillCountPattern(LoadResString(kStringContains), GetItemSet()->GetCount())};
}

void CSummaryTableNode::BuildChildren()
{
    CItemSet& set = *GetItemSet();
    if (set.IsLoaded()) {
        set.Reload();
    } else {
        set.Load();
    }
    DetachAllChildren();
    for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
        if (set.GetCurrentStatusByte() != 0) {
            AppendNode<CSummaryTableRecordNode>(*this, set);
        }
    }
}

bool CSummaryTableNode::CanAcceptCopy(CItemSet* set)
{
    if (m_catalogue->IsViewOnly()) {
        return false;
    }
    return GetParentNode() != nullptr && GetParentNode()->CanAcceptCopy(set);
}

void CSummaryTableNode::DropCopy(CItemSet* set)
{
    DropOnTable(*this, set, false);
}

void CSummaryTableNode::DropMove(CItemSet* set)
{
    DropOnTable(*this, set, true);
}

int CSummaryTableNode::Delete(CNodeListPane* /*list*/, bool /*quiet*/)
{
    const CDataFileDef* definition = m_catalogue->FindDefinition(m_dataFile);
    if (definition != nullptr && definition->IsOnlyChild() &&
        FindGuiInfoElement(m_dataFile, m_catalogue) != nullptr) {
        if (platform::ui::ShowMessage("Are you sure you want to delete this table?", "Error",
                                      platform::ui::kMbYesNo | platform::ui::kMbIconError) ==
            platform::ui::kIdYes) {
            RemoveDataFileOfCatalogue(*m_catalogue, m_dataFile);
        }
    } else {
        platform::ui::ShowMessage(
            "You can not delete a non reference item; Delete the data item this table belong to.", "Error",
            platform::ui::kMbOk | platform::ui::kMbIconError);
    }
    return kDeleteRefused;
}

void CSummaryTableNode::OpenEntryById(int dataFile, CNodeFrame* frame)
{
    if (CRecordFormOpener* form = RecordFormOpener(); form != nullptr) {
        form->OpenNewRecord(CItemSet::NewRecord(dataFile, nullptr, m_catalogue), *this, frame);
    }
}

std::unique_ptr<CTreeNode> CSummaryTableNode::NewChild(const CNodeRef& key)
{
    return std::make_unique<CSummaryTableRecordNode>(key);
}

std::unique_ptr<CTreeNode> CSummaryTableNode::NewChildFromSet(CItemSet& set)
{
    return std::make_unique<CSummaryTableRecordNode>(set);
}
