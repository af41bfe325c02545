#pragma once
// What a search asks for, as an item set keeps it: the definition (a name, two numbers read from a stored
// query), its filter (the data file, the folder, live or deleted records, and the criteria text, the
// WHERE conditions written by the find pane) and its criteria list (the keys of records named one by
// one, as an item list holds them).
//
// Stored queries keep a definition as text: "{name}{[(folder)(data file)(criteria)]}{number}". The name
// is the catalogue file the search ran in, or "All" for every registered catalogue; the folder is the
// folder's NUMBER, 0 for the whole catalogue. A stored text that is no such definition is a SELECT
// statement and runs as it stands.

#include "store/records/FolderRecord.h"
#include "store/records/NodeRef.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class SearchFilter
{
public:
    // True: the records in the waste basket (marked DELETED).
    bool IsDeleted() const { return m_deleted; }
    void SetDeleted(bool deleted) { m_deleted = deleted; }
    // The folder searched; null for every folder. The filter keeps its own copy.
    const CFolderRecord* GetFolder() const { return m_folder ? &*m_folder : nullptr; }
    void SetFolder(const CFolderRecord* folder);
    int GetDataFile() const { return m_dataFile; }
    void SetDataFile(int dataFile) { m_dataFile = dataFile; }
    // SQL conditions (or an ORDER BY clause), with the pseudo-operators of CriteriaOperators.h as typed.
    const std::string& GetCriteria() const { return m_criteria; }
    void SetCriteria(std::string_view criteria) { m_criteria = criteria; }

private:
    bool m_deleted = false;
    std::optional<CFolderRecord> m_folder;
    int m_dataFile = 0;
    std::string m_criteria;
};

// Keys of records in the order they were given. A walk ends at the first key of kind 0.
class CCriteriaList
{
public:
    void Add(const CNodeRef& key) { m_keys.push_back(key); }
    void Clear() { m_keys.clear(); }
    const std::vector<CNodeRef>& Keys() const { return m_keys; }

private:
    std::vector<CNodeRef> m_keys;
};

class QueryDefinition
{
public:
    int GetFirst() const { return m_first; }
    int GetSecond() const { return m_second; }
    void SetNumbers(int first, int second)
    {
        m_first = first;
        m_second = second;
    }
    // The catalogue file the search reads, "All" for every registered catalogue; a stored query's own
    // name for a definition read from its text.
    const std::string& GetName() const { return m_name; }
    void SetName(std::string_view name) { m_name = name; }

    // Null until made.
    SearchFilter* GetFilter() const { return m_filter.get(); }
    SearchFilter& Filter();
    CCriteriaList* GetCriteriaList() const { return m_criteriaList.get(); }
    CCriteriaList& CriteriaList();

    QueryDefinition() = default;
    QueryDefinition(const QueryDefinition& other);
    QueryDefinition& operator=(const QueryDefinition& other);

private:
    int m_first = 0;
    int m_second = 0;
    std::string m_name;
    std::unique_ptr<SearchFilter> m_filter;
    std::unique_ptr<CCriteriaList> m_criteriaList;
};

// A stored query's text taken apart.
struct StoredQueryText
{
    std::string name;
    bool hasFilter = false;
    double folderNumber = 0.0;
    int dataFile = 0;
    std::string criteria;
    bool hasNumber = false;
    int number = 0;
};

// Reads the brace form; nullopt for a text that does not begin (after blanks and line breaks) with '{',
// which is a SELECT statement instead. Groups end at the bracket that closes them, so criteria holding
// parentheses, bracketed names or quoted brackets stay whole; a text whose brackets do not balance is
// read up to the next closing bracket.
std::optional<StoredQueryText> ParseStoredQueryText(std::string_view text);
// The brace form of a definition, which ParseStoredQueryText reads back.
std::string FormatStoredQueryText(std::string_view name, double folderNumber, int dataFile,
                                  std::string_view criteria, int number);
