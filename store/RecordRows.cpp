#include "store/RecordRows.h"

#include "store/CatalogueDb.h"
#include "store/DataFileDef.h"
#include "store/DataRecordset.h"
#include "store/LinkList.h"
#include "store/SqlText.h"
#include "store/TraceLog.h"

#include <exception>
#include <vector>

using platform::dao::dbOpenDynaset;
using platform::dao::dbOpenSnapshot;

namespace {

constexpr int kQueriesFile = 23;
constexpr long kRecordRowsFailed = 14501;

std::string Table(const CDataFileDef& definition)
{
    return "[" + definition.GetFileName() + "]";
}

// The live records under a folder. Stored queries have no DELETED mark to test.
std::string RecordsUnder(const CDataFileDef& definition, double folderNumber)
{
    std::string sql = "SELECT * FROM " + Table(definition) + " WHERE PARENT = " + SqlNumber(folderNumber);
    if (definition.GetFileNumber() != kQueriesFile) {
        sql += " AND DELETED = False";
    }
    return sql + " ;";
}

void LogFailure(const std::exception& error)
{
    DebugLogNumber(kRecordRowsFailed);
    AppendLogString("Exception ", error.what());
}

} // namespace

bool HasLiveRecordsUnder(CCatalogueDb& catalogue, const CDataFileDef& definition, double folderNumber)
{
    if (catalogue.GetDatabase() == nullptr || definition.GetFileName().empty()) {
        return false;
    }
    CDataRecordset rs(catalogue.GetDatabase());
    try {
        rs.OpenQuery(dbOpenSnapshot, RecordsUnder(definition, folderNumber));
        return !rs.IsEOF();
    } catch (const std::exception& error) {
        LogFailure(error);
        return false;
    }
}

int DeleteRecordsUnder(CCatalogueDb& catalogue, const CDataFileDef& definition, double folderNumber)
{
    if (catalogue.GetDatabase() == nullptr || definition.GetFileName().empty()) {
        return 0;
    }
    const bool isQuery = definition.GetFileNumber() == kQueriesFile;
    std::vector<double> deleted;
    {
        CDataRecordset rs(catalogue.GetDatabase());
        try {
            rs.OpenQuery(dbOpenDynaset, RecordsUnder(definition, folderNumber));
            for (; !rs.IsEOF(); rs.MoveNext()) {
                deleted.push_back(rs.GetFieldDouble("UID"));
                if (isQuery) {
                    rs.Delete();
                    continue;
                }
                rs.Edit();
                rs.SetFieldBool("DELETED", true);
                rs.Update();
                catalogue.CountDeletedEntry();
            }
        } catch (const std::exception& error) {
            LogFailure(error);
        }
    }
    if (!isQuery && !deleted.empty()) {
        const std::unordered_set<double> codes(deleted.begin(), deleted.end());
        for (const CLinkEntry& link : catalogue.GetLinkList().Entries()) {
            if (codes.contains(link.GetIn().GetCode()) || codes.contains(link.GetOut().GetCode())) {
                link.MarkDeleted(catalogue);
            }
        }
    }
    return static_cast<int>(deleted.size());
}

std::unordered_set<double> LiveRecordCodes(CCatalogueDb& catalogue, const CDataFileDef& definition)
{
    std::unordered_set<double> codes;
    if (catalogue.GetDatabase() == nullptr || definition.GetFileName().empty()) {
        return codes;
    }
    std::string sql = "SELECT UID FROM " + Table(definition);
    if (definition.GetFileNumber() != kQueriesFile) {
        sql += " WHERE DELETED = False";
    }
    CDataRecordset rs(catalogue.GetDatabase());
    try {
        rs.OpenQuery(dbOpenSnapshot, sql + " ;");
        for (; !rs.IsEOF(); rs.MoveNext()) {
            codes.insert(rs.GetFieldDouble("UID"));
        }
    } catch (const std::exception& error) {
        LogFailure(error);
    }
    return codes;
}
