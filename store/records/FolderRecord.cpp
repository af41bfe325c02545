#include "store/records/FolderRecord.h"

#include "platform/dao/DaoException.h"
#include "platform/text/CaseFold.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/catalogue/DataRecordset.h"
#include "store/program/InstallationNumber.h"
#include "store/catalogue/SqlText.h"
#include "store/program/TraceLog.h"

#include <cmath>
#include <exception>

using platform::dao::CDaoException;
using platform::dao::dbOpenDynaset;
using platform::dao::dbOpenTable;
using platform::text::TruncateUtf8;

namespace {

constexpr long kFolderWriteFailed = 14301;
constexpr long kFolderInsertFailed = 14302;

std::string Cut(std::string_view text, size_t width)
{
    return std::string(TruncateUtf8(text, width - 1));
}

std::string RowQuery(double number)
{
    return "select * from AREAS where number = " + SqlNumber(number);
}

void LogFailure(long checkpoint, const std::exception& error)
{
    DebugLogNumber(checkpoint);
    if (const auto* dao = dynamic_cast<const CDaoException*>(&error)) {
        AppendLogNumberAndText(dao->GetErrorCode(), " Exception " + dao->GetDescription());
    } else {
        AppendLogString("Exception ", error.what());
    }
}

} // namespace

double RootFolderCode()
{
    return GetInstallationNumber() * 100000.0;
}

CFolderRecord::CFolderRecord() : m_parent(RootFolderCode()) {}

void CFolderRecord::CopyFrom(const CFolderRecord* other)
{
    if (other == nullptr) {
        *this = CFolderRecord();
        m_orderedBy = 0;
        return;
    }
    m_parent = other->m_parent;
    m_name = TruncateUtf8(other->m_name, kShortNameBytes);
    m_comment = other->m_comment;
    m_html = other->m_html;
    m_ordered = other->m_ordered;
    m_orderedNumber = other->m_orderedNumber;
    m_number = other->m_number;
    m_type = other->m_type;
    m_orderedBy = other->m_orderedBy;
}

double CFolderRecord::GetParent()
{
    if (m_parent == 0.0) {
        m_parent = RootFolderCode();
    }
    return m_parent;
}

bool CFolderRecord::IsTopLevel()
{
    const double parent = GetParent();
    return std::fmod(parent, 100000.0) == 0.0;
}

void CFolderRecord::SetName(std::string_view name)
{
    m_name = Cut(name, kNameWidth);
}

void CFolderRecord::SetParent(double parent)
{
    m_parent = parent == m_number ? 0.0 : parent;
}

void CFolderRecord::SetComment(std::string_view text)
{
    m_comment = Cut(text, kCommentWidth);
}

void CFolderRecord::SetHtml(std::string_view text)
{
    m_html = Cut(text, kHtmlWidth);
}

void CFolderRecord::SetOrdered(std::string_view text)
{
    m_ordered = Cut(text, kOrderedWidth);
}

void CFolderRecord::SetTimes(std::time_t created, std::time_t modified)
{
    m_created = created;
    m_modified = modified;
}

template <typename Set>
void CFolderRecord::WriteColumn(CCatalogueDb& catalogue, Set&& set)
{
    if (catalogue.GetDatabase() == nullptr) {
        return;
    }
    CDataRecordset rs(catalogue.GetDatabase());
    try {
        rs.OpenQuery(dbOpenDynaset, RowQuery(m_number));
        if (!rs.IsEOF()) {
            rs.Edit();
            set(rs);
            rs.Update();
        }
    } catch (const std::exception& error) {
        LogFailure(kFolderWriteFailed, error);
    }
}

void CFolderRecord::SaveComment(CCatalogueDb& catalogue, std::string_view text)
{
    SetComment(text);
    WriteColumn(catalogue, [this](CDataRecordset& rs) { rs.SetFieldText("COMMENT", m_comment); });
}

void CFolderRecord::SaveHtml(CCatalogueDb& catalogue, std::string_view text)
{
    SetHtml(text);
    WriteColumn(catalogue, [this](CDataRecordset& rs) { rs.SetFieldText("HTML", m_html); });
}

void CFolderRecord::SaveOrdered(CCatalogueDb& catalogue, std::string_view text)
{
    SetOrdered(text);
    WriteColumn(catalogue, [this](CDataRecordset& rs) { rs.SetFieldText("ORDERED", m_ordered); });
}

void CFolderRecord::SaveOrderedNumber(CCatalogueDb& catalogue, int position)
{
    WriteColumn(catalogue, [position](CDataRecordset& rs) { rs.SetFieldInt("ORDEREDNUMBER", position); });
}

void CFolderRecord::Rename(CCatalogueDb& catalogue, std::string_view name)
{
    if (catalogue.GetDatabase() == nullptr) {
        return;
    }
    const std::string stored = Cut(name, kNameWidth);
    WriteColumn(catalogue, [&stored](CDataRecordset& rs) { rs.SetFieldText("NAME", stored); });
    m_name = TruncateUtf8(stored, kShortNameBytes);
}

void CFolderRecord::SetOrderedBy(int value, CCatalogueDb* catalogue)
{
    if (m_type >= kAllKinds) {
        m_orderedBy = -1;
        return;
    }
    m_orderedBy = value;
    if (catalogue != nullptr) {
        WriteColumn(*catalogue,
                    [value](CDataRecordset& rs) { rs.SetFieldText("ORDERED_BY", std::to_string(value)); });
    }
}

bool CFolderRecord::Insert(CCatalogueDb& catalogue)
{
    if (catalogue.GetDatabase() == nullptr) {
        return false;
    }
    CDataRecordset rs(catalogue.GetDatabase());
    try {
        rs.OpenQuery(dbOpenTable, "AREAS");
        rs.AddNew();
        rs.SetFieldText("NAME", m_name);
        rs.SetFieldText("COMMENT", m_comment);
        rs.SetFieldText("HTML", m_html);
        rs.SetFieldInt("ORDEREDNUMBER", m_orderedNumber);
        rs.SetFieldText("ORDERED", m_ordered);
        rs.SetFieldDouble("NUMBER", m_number);
        rs.SetFieldText("TYPE", std::to_string(m_type));
        rs.SetFieldDouble("PARENT", m_parent);
        rs.Update();
    } catch (const std::exception& error) {
        LogFailure(kFolderInsertFailed, error);
        return false;
    }
    m_created = m_modified = std::time(nullptr);
    return true;
}

bool CFolderRecord::Update(CCatalogueDb& catalogue)
{
    if (catalogue.GetDatabase() == nullptr) {
        return false;
    }
    CDataRecordset rs(catalogue.GetDatabase());
    try {
        rs.OpenQuery(dbOpenDynaset, RowQuery(m_number));
        if (rs.IsEOF()) {
            rs.Close();
            return Insert(catalogue);
        }
        rs.Edit();
        rs.SetFieldText("NAME", m_name);
        rs.SetFieldText("COMMENT", m_comment);
        rs.SetFieldText("HTML", m_html);
        rs.SetFieldInt("ORDEREDNUMBER", m_orderedNumber);
        rs.SetFieldText("ORDERED", m_ordered);
        rs.SetFieldText("TYPE", std::to_string(m_type));
        if (m_parent != m_number) {
            rs.SetFieldDouble("PARENT", m_parent);
        }
        rs.Update();
    } catch (const std::exception& error) {
        LogFailure(kFolderWriteFailed, error);
        return false;
    }
    return true;
}
