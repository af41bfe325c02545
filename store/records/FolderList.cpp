#include "store/records/FolderList.h"

#include "platform/ui/DialogService.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/catalogue/DataRecordset.h"
#include "store/catalogue/SqlText.h"
#include "store/definitions/BuiltinDataFiles.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/TraceLog.h"
#include "store/records/Record.h"
#include "store/records/RecordList.h"

#include <algorithm>
#include <exception>

using platform::dao::dbOpenDynaset;
using platform::dao::dbOpenTable;

namespace {

constexpr long kFolderLoadFailed = 14310;
constexpr long kFolderDeleteFailed = 14311;

constexpr const char* kRecordsQuestion = "The folder still contains records; do you want to delete them ?";

} // namespace

void CFolderList::DeleteAll()
{
    while (!m_records.empty()) {
        m_records.pop_back();
    }
    m_walk = m_topLevelWalk = 0;
}

int CFolderList::Append(std::unique_ptr<CFolderRecord> record)
{
    m_records.push_back(std::move(record));
    double largest = 0.0;
    for (const auto& folder : m_records) {
        const double number = folder->GetNumber();
        if (number > 1.0 && number < 1000.0 && number > largest) {
            largest = number;
        }
    }
    return largest == 0.0 ? 2 : static_cast<int>(largest) + 1;
}

size_t CFolderList::IndexOf(const CFolderRecord* record) const
{
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i].get() == record) {
            return i;
        }
    }
    return m_records.size();
}

std::unique_ptr<CFolderRecord> CFolderList::Remove(const CFolderRecord* record)
{
    const size_t at = IndexOf(record);
    if (at == m_records.size()) {
        return nullptr;
    }
    std::unique_ptr<CFolderRecord> taken = std::move(m_records[at]);
    m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(at));
    // Walks go on with the record that followed the removed one.
    if (m_walk > at) {
        --m_walk;
    }
    if (m_topLevelWalk > at) {
        --m_topLevelWalk;
    }
    return taken;
}

std::unique_ptr<CFolderRecord> CFolderList::CutBefore(const CFolderRecord* last)
{
    if (m_records.empty() || m_records.back().get() != last) {
        return nullptr;
    }
    return Remove(last);
}

CFolderRecord* CFolderList::First()
{
    m_walk = 0;
    return m_records.empty() ? nullptr : m_records[0].get();
}

CFolderRecord* CFolderList::Next()
{
    if (m_walk + 1 >= m_records.size()) {
        m_walk = m_records.size();
        return nullptr;
    }
    return m_records[++m_walk].get();
}

CFolderRecord* CFolderList::GetLast()
{
    if (m_records.empty()) {
        return nullptr;
    }
    m_walk = m_records.size() - 1;
    return m_records.back().get();
}

CFolderRecord* CFolderList::FindByNumber(double number) const
{
    for (const auto& folder : m_records) {
        if (folder->GetNumber() == number) {
            return folder.get();
        }
    }
    return nullptr;
}

const std::string* CFolderList::GetNameByNumber(double number) const
{
    const CFolderRecord* folder = FindByNumber(number);
    return folder != nullptr ? &folder->GetName() : nullptr;
}

bool CFolderList::HasType(int type) const
{
    return std::any_of(m_records.begin(), m_records.end(),
                       [type](const auto& folder) { return folder->GetType() == type; });
}

CFolderRecord* CFolderList::FirstChild(double parentNumber) const
{
    return NextChild(parentNumber, nullptr);
}

CFolderRecord* CFolderList::NextChild(double parentNumber, const CFolderRecord* after) const
{
    size_t from = 0;
    if (after != nullptr) {
        from = IndexOf(after);
        if (from == m_records.size()) {
            return nullptr;
        }
        ++from;
    }
    for (size_t i = from; i < m_records.size(); ++i) {
        if (m_records[i]->GetParent() == parentNumber) {
            return m_records[i].get();
        }
    }
    return nullptr;
}

CFolderRecord* CFolderList::FirstTopLevel()
{
    m_topLevelWalk = 0;
    for (; m_topLevelWalk < m_records.size(); ++m_topLevelWalk) {
        if (m_records[m_topLevelWalk]->IsTopLevel()) {
            return m_records[m_topLevelWalk].get();
        }
    }
    return nullptr;
}

CFolderRecord* CFolderList::NextTopLevel()
{
    while (m_topLevelWalk + 1 < m_records.size()) {
        if (m_records[++m_topLevelWalk]->IsTopLevel()) {
            return m_records[m_topLevelWalk].get();
        }
    }
    m_topLevelWalk = m_records.size();
    return nullptr;
}

void CFolderList::LoadAll(CCatalogueDb& catalogue)
{
    if (catalogue.GetDatabase() == nullptr) {
        return;
    }
    CDataRecordset rs(catalogue.GetDatabase());
    try {
        rs.OpenQuery(dbOpenTable, "AREAS");
        for (; !rs.IsEOF(); rs.MoveNext()) {
            auto folder = std::make_unique<CFolderRecord>();
            folder->SetName(rs.GetFieldText("NAME"));
            folder->SetComment(rs.GetFieldText("COMMENT"));
            folder->SetHtml(rs.GetFieldText("HTML"));
            folder->SetOrdered(rs.GetFieldText("ORDERED"));
            folder->SetNumber(rs.GetFieldDouble("NUMBER"));
            folder->SetType(rs.GetFieldLong("TYPE"));
            folder->SetOrderedNumber(rs.GetFieldShort("ORDEREDNUMBER"));
            folder->SetOrderedBy(rs.GetFieldLong("ORDERED_BY"), nullptr);
            folder->SetParent(rs.GetFieldDouble("PARENT"));
            folder->SetTimes(rs.GetFieldTime("CREADATE"), rs.GetFieldTime("MODIDATE"));
            // Straight into the list: numbering a new folder (Append) looks at every folder, which
            // made reading a large folder tree quadratic.
            m_records.push_back(std::move(folder));
        }
    } catch (const std::exception& error) {
        DebugLogNumber(kFolderLoadFailed);
        AppendLogString("Exception ", error.what());
    }
    std::stable_sort(m_records.begin(), m_records.end(), [](const auto& a, const auto& b) {
        return a->GetOrderedNumber() < b->GetOrderedNumber();
    });
}

bool CFolderList::DeleteTree(double number, CCatalogueDb& catalogue, bool quiet)
{
    catalogue.LoadDefinitionsIfNeeded();
    DeleteContext context;
    context.quiet = quiet;
    return DeleteTree(number, catalogue, context);
}

bool CFolderList::DeleteTree(double number, CCatalogueDb& catalogue, DeleteContext& context)
{
    CFolderRecord* folder = FindByNumber(number);
    if (folder == nullptr ||
        std::find(context.path.begin(), context.path.end(), number) != context.path.end()) {
        return false; // a folder inside itself: its parents are being deleted already
    }
    if (catalogue.GetDatabase() == nullptr) {
        Remove(folder);
        return false;
    }
    context.path.push_back(number);
    for (CFolderRecord* child = FirstChild(number); child != nullptr;) {
        if (std::find(context.path.begin(), context.path.end(), child->GetNumber()) != context.path.end()) {
            child = NextChild(number, child);
            continue;
        }
        if (!DeleteTree(child->GetNumber(), catalogue, context)) {
            return false;
        }
        child = FirstChild(number);
    }
    context.path.pop_back();
    // Item lists (data file 22) are not kept in folders.
    for (int kind = 0; kind <= 98; ++kind) {
        if (kind == kItemListsFile || catalogue.FindDefinition(kind) == nullptr) {
            continue;
        }
        CRecordList records(&catalogue);
        records.LoadParent(kind, number);
        if (records.IsEmpty()) {
            continue;
        }
        if (!context.asked && !context.quiet) {
            context.asked = true;
            if (platform::ui::Dialogs().MessageBox(kRecordsQuestion, "Information", platform::ui::kMbYesNo) !=
                platform::ui::kIdYes) {
                return false;
            }
        }
        context.asked = true;
        records.DeleteAll();
    }
    Remove(folder);

    CDataRecordset rs(catalogue.GetDatabase());
    try {
        rs.OpenQuery(dbOpenDynaset, "select * from AREAS where number = " + SqlNumber(number));
        if (!rs.IsEOF()) {
            rs.Delete();
        }
    } catch (const std::exception& error) {
        DebugLogNumber(kFolderDeleteFailed);
        AppendLogString("Exception ", error.what());
    }
    return true;
}
