// The status bar's texts of the groups, queries, wastebasket nodes and records: what the element is,
// where it lies and how many records it holds. Folders, areas, summary tables and item lists keep
// theirs beside their other behaviour.

#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/TraceLog.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "tree/base/TextPatterns.h"
#include "tree/catalogue/CatalogueNode.h"
#include "tree/groups/TableNodes.h"
#include "tree/groups/WastebasketNodes.h"
#include "tree/queries/QueryNodes.h"
#include "tree/records/RecordNodes.h"

namespace {

constexpr int kStringWastebasket = 33119;
constexpr int kStringTables = 33108;
constexpr int kStringCatalogueNode = 33024;
constexpr int kStringCatalogue = 33021;
constexpr int kStringQuery = 33038;
constexpr int kStringContains = 33048;
constexpr int kStringAllCatalogues = 33096;
constexpr int kStringDeletedRecords = 33058;
constexpr int kStringWastebasketTable = 33390;
constexpr int kStringParentAndFolder = 33003;
constexpr int kStringGeneric = 202;
// The checkpoint a record's status texts leave in the trace log.
constexpr long kRecordStatusCheckpoint = 10100;

std::string CatalogueLine(CCatalogueDb* catalogue)
{
    return FillTextPattern(LoadResString(kStringCatalogue),
                           catalogue != nullptr ? catalogue->GetName() : LoadResString(kStringGeneric));
}

std::string CountLine(CItemSet* set)
{
    return FillCountPattern(LoadResString(kStringContains), set != nullptr ? set->GetCount() : 0);
}

} // namespace

std::vector<std::string> CCatalogueNode::GetStatusText()
{
    return {LoadResString(kStringCatalogueNode)};
}

std::vector<std::string> CWastebasketNode::GetStatusText()
{
    return {LoadResString(kStringWastebasket)};
}

std::vector<std::string> CTableNode::GetStatusText()
{
    return {LoadResString(kStringTables)};
}

std::vector<std::string> CWastebasketTableNode::GetStatusText()
{
    return {LoadResString(kStringTables)};
}

std::vector<std::string> CQueryNode::GetStatusText()
{
    if (m_catalogue == nullptr) {
        return {LoadResString(kStringAllCatalogues)};
    }
    return {CatalogueLine(m_catalogue), FillTextPattern(LoadResString(kStringQuery), GetName()),
            CountLine(GetItemSet())};
}

std::vector<std::string> CWastebasketAreaFileNode::GetStatusText()
{
    return {CatalogueLine(m_catalogue), FillTextPattern(LoadResString(kStringDeletedRecords), GetName()),
            CountLine(GetItemSet())};
}

std::vector<std::string> CWastebasketTableFileNode::GetStatusText()
{
    return {CatalogueLine(GetCatalogue()), FillTextPattern(LoadResString(kStringWastebasketTable), GetName()),
            CountLine(GetItemSet())};
}

std::vector<std::string> CRecordNode::GetStatusText()
{
    DebugLogNumber(kRecordStatusCheckpoint);
    CTreeNode* parent = GetParentNode();
    const std::string parentName = parent != nullptr ? parent->GetName() : std::string();
    CFolderRecord* folder = GetFolderRecord();
    std::vector<std::string> texts{
        CatalogueLine(GetCatalogue()),
        folder != nullptr ? FillTwoTexts(LoadResString(kStringParentAndFolder), parentName, folder->GetName())
                          : parentName};
    // Without a current record the third text stays as the status bar had it.
    CItemSet* set = GetItemSet();
    if (set != nullptr && set->GetCurrent() != nullptr) {
        texts.push_back(set->GetCurrentName());
    }
    return texts;
}
