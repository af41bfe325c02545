#include "store/records/LinkList.h"

#include "platform/text/CaseFold.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/catalogue/DataRecordset.h"
#include "store/catalogue/SqlText.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/TraceLog.h"
#include "store/records/RecordList.h"

#include <algorithm>
#include <exception>
#include <map>
#include <unordered_set>

using platform::dao::dbOpenDynaset;
using platform::dao::dbOpenTable;

namespace {

constexpr long kLinkWriteFailed = 14401;
constexpr long kLinkLoadFailed = 14402;
constexpr long kLinkRepairFailed = 14403;

void LogFailure(long checkpoint, const std::exception& error)
{
    DebugLogNumber(checkpoint);
    AppendLogString("Exception ", error.what());
}

std::string RowQuery(const CLinkEntry& entry)
{
    return "select * from LINK where OID_IN = " + SqlNumber(entry.GetIn().GetCode()) +
           " AND OID_OUT = " + SqlNumber(entry.GetOut().GetCode());
}

// The marks this program writes; ReadLinkMark reads them back.
constexpr std::string_view kDeletedByRecordMark = "Y";
constexpr std::string_view kLiveMark = "N";

} // namespace

LinkMark ReadLinkMark(std::string_view text)
{
    if (text.starts_with('Y') || text.starts_with('y')) {
        return LinkMark::DeletedByRecord;
    }
    if (text.starts_with('1') || text == "-1" || platform::text::EqualsNoCase(text, "True")) {
        return LinkMark::Deleted;
    }
    return LinkMark::Live;
}

bool IsLinkDeletedMark(std::string_view text)
{
    return ReadLinkMark(text) != LinkMark::Live;
}

// ---- CLinkEntry ----------------------------------------------------------------------------------------

CLinkEntry::CLinkEntry() = default;

CLinkEntry::CLinkEntry(CCatalogueDb* inCatalogue, std::uint16_t inKind, std::uint32_t inNumber,
                       CCatalogueDb* outCatalogue, std::uint16_t outKind, std::uint32_t outNumber)
{
    m_in.Set(inKind, inNumber, inCatalogue);
    m_out.Set(outKind, outNumber, outCatalogue);
}

bool CLinkEntry::Exists(CCatalogueDb& catalogue) const
{
    if (catalogue.GetDatabase() == nullptr) {
        return false;
    }
    const CLinkList incoming(m_in, catalogue);
    return std::any_of(incoming.Entries().begin(), incoming.Entries().end(),
                       [this](const CLinkEntry& entry) { return entry.GetOut().IsSame(&m_out); });
}

bool CLinkEntry::Store(CCatalogueDb& catalogue) const
{
    if (catalogue.GetDatabase() == nullptr || m_in.GetCode() == m_out.GetCode() || Exists(catalogue)) {
        return false;
    }
    CDataRecordset rs(catalogue.GetDatabase());
    try {
        rs.OpenQuery(dbOpenTable, "LINK");
        rs.AddNew();
        rs.SetFieldDouble("OID_IN", m_in.GetCode());
        rs.SetFieldDouble("OID_OUT", m_out.GetCode());
        rs.Update();
    } catch (const std::exception& error) {
        LogFailure(kLinkWriteFailed, error);
        return false;
    }
    catalogue.AddLinkEntry(*this);
    return true;
}

bool CLinkEntry::SetMark(CCatalogueDb& catalogue, std::string_view mark) const
{
    if (catalogue.GetDatabase() == nullptr) {
        return false;
    }
    CDataRecordset rs(catalogue.GetDatabase());
    try {
        rs.OpenQuery(dbOpenDynaset, RowQuery(*this));
        if (!rs.IsEOF()) {
            rs.Edit();
            rs.SetFieldText("DELETED", mark);
            rs.Update();
        }
    } catch (const std::exception& error) {
        LogFailure(kLinkWriteFailed, error);
    }
    return true;
}

bool CLinkEntry::MarkDeleted(CCatalogueDb& catalogue) const
{
    return SetMark(catalogue, kDeletedByRecordMark);
}

bool CLinkEntry::Undelete(CCatalogueDb& catalogue) const
{
    return SetMark(catalogue, kLiveMark);
}

bool CLinkEntry::DeleteRow(CCatalogueDb& catalogue) const
{
    if (catalogue.GetDatabase() == nullptr) {
        return false;
    }
    bool deleted = false;
    {
        CDataRecordset rs(catalogue.GetDatabase());
        try {
            rs.OpenQuery(dbOpenDynaset, RowQuery(*this));
            if (!rs.IsEOF()) {
                rs.Delete();
                deleted = true;
            }
        } catch (const std::exception& error) {
            LogFailure(kLinkWriteFailed, error);
        }
    }
    catalogue.ReloadLinks();
    return deleted;
}

// ---- CLinkList -----------------------------------------------------------------------------------------

CLinkList::CLinkList(const CNodeRef& to, CCatalogueDb& catalogue)
{
    LoadLinksTo(to, catalogue);
}

void CLinkList::Clear()
{
    m_entries.clear();
    m_cursor = 0;
}

void CLinkList::Add(const CLinkEntry& entry)
{
    m_entries.push_back(entry);
}

CLinkEntry* CLinkList::First()
{
    m_cursor = 0;
    if (m_entries.empty() || m_entries[0].GetIn().GetKind() == 0) {
        return nullptr;
    }
    return &m_entries[0];
}

CLinkEntry* CLinkList::Next()
{
    if (m_cursor + 1 >= m_entries.size() || m_entries[m_cursor + 1].GetIn().GetKind() == 0) {
        m_cursor = m_entries.size();
        return nullptr;
    }
    return &m_entries[++m_cursor];
}

bool CLinkList::IsLast() const
{
    return m_cursor + 1 >= m_entries.size() || m_entries[m_cursor + 1].GetIn().GetKind() == 0;
}

void CLinkList::LoadLinksFromKind(const CNodeRef& from, std::uint16_t kind, CCatalogueDb& catalogue)
{
    // Filling the catalogue's own list makes it grow meanwhile: its entries are then read from a copy.
    const CLinkList& catalogueList = catalogue.GetLinkList();
    const std::vector<CLinkEntry> copy = &catalogueList == this ? m_entries : std::vector<CLinkEntry>();
    for (const CLinkEntry& entry : &catalogueList == this ? copy : catalogueList.Entries()) {
        if (entry.GetOut().IsSame(&from) && (kind == 0 || entry.GetIn().GetKind() == kind)) {
            Add(entry);
        }
    }
}

void CLinkList::LoadLinksToKind(const CNodeRef& to, std::uint16_t kind, CCatalogueDb& catalogue)
{
    // Filling the catalogue's own list makes it grow meanwhile: its entries are then read from a copy.
    const CLinkList& catalogueList = catalogue.GetLinkList();
    const std::vector<CLinkEntry> copy = &catalogueList == this ? m_entries : std::vector<CLinkEntry>();
    for (const CLinkEntry& entry : &catalogueList == this ? copy : catalogueList.Entries()) {
        if (entry.GetIn().IsSame(&to) && (kind == 0 || entry.GetOut().GetKind() == kind)) {
            Add(entry);
        }
    }
}

void CLinkList::Sort(bool ascending)
{
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [ascending](const CLinkEntry& a, const CLinkEntry& b) {
                         const double ai = a.GetIn().GetCode();
                         const double bi = b.GetIn().GetCode();
                         if (ai != bi) {
                             return ascending ? ai < bi : ai > bi;
                         }
                         const double ao = a.GetOut().GetCode();
                         const double bo = b.GetOut().GetCode();
                         return ascending ? ao < bo : ao > bo;
                     });
}

void CLinkList::LoadAll(CCatalogueDb& catalogue)
{
    Clear();
    if (catalogue.GetDatabase() == nullptr) {
        return;
    }
    CDataRecordset rs(catalogue.GetDatabase());
    try {
        rs.OpenQuery(dbOpenTable, "LINK");
        for (; !rs.IsEOF(); rs.MoveNext()) {
            // A row marked with its record stays listed: the record may come back in this session.
            if (ReadLinkMark(rs.GetFieldText("DELETED")) == LinkMark::Deleted) {
                continue;
            }
            CLinkEntry entry;
            entry.In().SetFromCode(rs.GetFieldDouble("OID_IN"), &catalogue);
            entry.Out().SetFromCode(rs.GetFieldDouble("OID_OUT"), &catalogue);
            if (entry.GetIn().GetKind() != 0 && entry.GetOut().GetKind() != 0) {
                Add(entry);
            }
        }
    } catch (const std::exception& error) {
        LogFailure(kLinkLoadFailed, error);
    }
}

int CLinkList::RepairTable(CCatalogueDb& catalogue)
{
    if (catalogue.GetDatabase() == nullptr) {
        return 0;
    }
    catalogue.LoadDefinitionsIfNeeded();
    // The live records of each kind met, read once: a record is found as loading it by its key would.
    std::map<std::uint16_t, std::unordered_set<double>> live;
    auto isAlive = [&](const CNodeRef& side) {
        const CDataFileDef* definition = catalogue.FindDefinition(side.GetKind());
        if (side.GetKind() == 0 || definition == nullptr) {
            return false;
        }
        auto found = live.find(side.GetKind());
        if (found == live.end()) {
            found = live.emplace(side.GetKind(), CRecordList::LiveKeyCodes(catalogue, *definition)).first;
        }
        CNodeRef key;
        key.Set(side.GetKind(), side.GetNumber(), &catalogue);
        return found->second.contains(key.GetCode());
    };

    int deleted = 0;
    CDataRecordset rs(catalogue.GetDatabase());
    try {
        rs.OpenQuery(dbOpenTable, "LINK");
        while (!rs.IsEOF()) {
            bool remove = IsLinkDeletedMark(rs.GetFieldText("DELETED"));
            if (!remove) {
                CNodeRef in;
                CNodeRef out;
                in.SetFromCode(rs.GetFieldDouble("OID_IN"), &catalogue);
                out.SetFromCode(rs.GetFieldDouble("OID_OUT"), &catalogue);
                remove = !isAlive(in) || !isAlive(out);
            }
            if (remove) {
                rs.Delete();
                ++deleted;
            }
            rs.MoveNext();
        }
    } catch (const std::exception& error) {
        LogFailure(kLinkRepairFailed, error);
    }
    return deleted;
}
