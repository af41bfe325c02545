#pragma once
// Links between the records of a catalogue: rows of its table LINK, each holding the codes of the
// element a link comes from (OID_OUT) and of the element it points to (OID_IN). The catalogue keeps all
// links in memory in one CLinkList; callers gather smaller lists of the links going out from or coming
// in to one element.
//
// A LINK row is marked deleted when its DELETED text begins with "Y" (written here when a record goes
// to the waste basket, and undone when it comes back) or is a true truth value ("1", "-1", "True",
// as other writers put it). The in-memory list leaves out only the truth-valued marks, so that a
// record restored in the same session finds its links again; repairing the table removes every
// marked row.

#include "store/records/NodeRef.h"

#include <string_view>
#include <vector>

class CCatalogueDb;

class CLinkEntry
{
public:
    // Both sides without catalogue, kind 0, number 0.
    CLinkEntry();
    // The incoming side (the element pointed to), then the outgoing side (the element linking).
    CLinkEntry(CCatalogueDb* inCatalogue, std::uint16_t inKind, std::uint32_t inNumber,
               CCatalogueDb* outCatalogue, std::uint16_t outKind, std::uint32_t outNumber);

    const CNodeRef& GetIn() const { return m_in; }
    const CNodeRef& GetOut() const { return m_out; }
    CNodeRef& In() { return m_in; }
    CNodeRef& Out() { return m_out; }
    bool IsDeleted() const { return m_deleted; }
    void SetDeleted(bool deleted) { m_deleted = deleted; }

    // ---- the LINK table (each false while the catalogue is closed) --------------------------------
    // Adds the link's row and the link to the catalogue's list; false when the link exists already or
    // both sides are the same element code.
    bool Store(CCatalogueDb& catalogue) const;
    // True when the catalogue's list holds a link from the same element to the same element.
    bool Exists(CCatalogueDb& catalogue) const;
    // Marks the link's row deleted ("Y", read as LinkMark::DeletedByRecord), or live again ("N").
    bool MarkDeleted(CCatalogueDb& catalogue) const;
    bool Undelete(CCatalogueDb& catalogue) const;
    // Deletes the link's row and has the catalogue read its list again; true when a row was deleted.
    bool DeleteRow(CCatalogueDb& catalogue) const;

private:
    bool SetMark(CCatalogueDb& catalogue, std::string_view mark) const;

    bool m_deleted = false;
    CNodeRef m_out;
    CNodeRef m_in;
};

// What a LINK row's DELETED text says of the row.
enum class LinkMark
{
    Live,            // empty, "N" or anything else
    DeletedByRecord, // begins with "Y" (either case): the mark MarkDeleted writes, undone by Undelete
    Deleted,         // a true truth value ("1...", "-1", "True" in any case), as other writers put it
};
LinkMark ReadLinkMark(std::string_view text);

// True when a LINK row's DELETED text marks it deleted in either spelling.
bool IsLinkDeletedMark(std::string_view text);

class CLinkList
{
public:
    CLinkList() = default;
    // The links of the catalogue's list that come in to the element.
    CLinkList(const CNodeRef& to, CCatalogueDb& catalogue);

    void Clear();
    void Add(const CLinkEntry& entry);
    size_t GetCount() const { return m_entries.size(); }
    const std::vector<CLinkEntry>& Entries() const { return m_entries; }

    // Iteration in order; it ends at the end or at an entry whose incoming kind is 0. Null at the end.
    CLinkEntry* First();
    CLinkEntry* Next();
    // True when no entry follows the current one.
    bool IsLast() const;

    // Add the links of the catalogue's list that go out from the element (and, with a kind other than
    // 0, point to an element of that kind), or that come in to it (from an element of that kind).
    void LoadLinksFrom(const CNodeRef& from, CCatalogueDb& catalogue)
    {
        LoadLinksFromKind(from, 0, catalogue);
    }
    void LoadLinksFromKind(const CNodeRef& from, std::uint16_t kind, CCatalogueDb& catalogue);
    void LoadLinksTo(const CNodeRef& to, CCatalogueDb& catalogue) { LoadLinksToKind(to, 0, catalogue); }
    void LoadLinksToKind(const CNodeRef& to, std::uint16_t kind, CCatalogueDb& catalogue);

    // Orders the entries by incoming code, then outgoing code; stable.
    void Sort(bool ascending);

    // Reads the catalogue's LINK table: every row not marked deleted by a truth value whose two sides
    // decode to a kind other than 0. Empty while the catalogue is closed.
    void LoadAll(CCatalogueDb& catalogue);

    // Deletes every LINK row marked deleted and every row one of whose records is gone (or cannot be
    // told: a kind without data file). Returns the number of rows deleted.
    static int RepairTable(CCatalogueDb& catalogue);

private:
    std::vector<CLinkEntry> m_entries;
    size_t m_cursor = 0;
};
