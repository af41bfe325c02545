#include "store/records/ItemSet.h"

#include "platform/clock/Clock.h"
#include "platform/text/CaseFold.h"
#include "platform/ui/WaitCursor.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/catalogue/SqlText.h"
#include "store/definitions/BuiltinDataFiles.h"
#include "store/definitions/CriteriaOperators.h"
#include "store/definitions/DataFileDef.h"
#include "store/definitions/FieldDef.h"
#include "store/program/Settings.h"
#include "store/records/FolderRecord.h"
#include "store/records/LinkList.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kHighestMenuKind = 30;
constexpr int kLongTextLength = 65535;
constexpr std::string_view kAllCatalogues = "All";
// The searched fields are joined with &, so that a field never filled in (a column added to the data
// file later holds no value) does not hide what the other fields hold.
constexpr std::string_view kNullSafeJoin = "&";

using platform::ui::WaitCursor;

// A data-file number that a link code can name: the owner's linked records of that kind.
bool IsKindLinkCode(int code)
{
    return code >= 1 && code <= 99;
}

// A Like pattern that finds the text anywhere in a value: the engine's wildcards in the text stand for
// themselves, and the quotes keep the text one SQL literal whatever it holds.
std::string ContainsPattern(std::string_view text)
{
    return SqlText("*" + SqlLikeLiteral(text) + "*");
}

} // namespace

// A catalogue Load opened from the definition name. Its settings row is written back when it goes only
// when a record of it went to or came back from the waste basket meanwhile: the search only read it,
// and another object of the program may hold the same file open with newer settings.
struct CItemSet::OpenedCatalogue
{
    explicit OpenedCatalogue(const std::filesystem::path& path)
        : catalogue(std::make_unique<CCatalogueDb>(path, CCatalogueDb::QuietRefusal{})),
          deletedEntries(catalogue->GetDeletedEntries())
    {
    }
    ~OpenedCatalogue()
    {
        if (catalogue->GetDeletedEntries() == deletedEntries) {
            catalogue->Close();
        }
    }
    OpenedCatalogue(const OpenedCatalogue&) = delete;
    OpenedCatalogue& operator=(const OpenedCatalogue&) = delete;

    std::unique_ptr<CCatalogueDb> catalogue;
    int deletedEntries = 0;
};

// ---- making sets ---------------------------------------------------------------------------------------

CItemSet::CItemSet() = default;

CItemSet::CItemSet(CCatalogueDb* catalogue) : m_catalogue(catalogue), m_owner(catalogue) {}

CItemSet::~CItemSet()
{
    // The records go before the catalogues they belong to.
    ClearRecords();
}

CItemSet::CItemSet(CItemSet&&) noexcept = default;
CItemSet& CItemSet::operator=(CItemSet&&) noexcept = default;

CItemSet CItemSet::FromSql(CCatalogueDb* catalogue, std::string_view sql)
{
    CItemSet set(catalogue);
    set.m_sql = sql;
    return set;
}

CItemSet CItemSet::Children(CCatalogueDb* catalogue, const CNodeRef* owner, int linkCode)
{
    CItemSet set(catalogue);
    set.List();
    if (linkCode == kLinkAll) {
        set.m_kind = kLinkWalkSet;
        set.m_linkCode = 0;
    } else if (linkCode == kLinkMenuKinds || linkCode == kLinkEveryKind || linkCode == kLinkKinds1To30 ||
               IsKindLinkCode(linkCode)) {
        set.m_kind = kLinkedRecordsSet;
        set.m_linkCode = linkCode;
    } else {
        set.m_linkCode = linkCode;
    }
    if (owner != nullptr) {
        set.m_owner = *owner;
    }
    return set;
}

CItemSet CItemSet::LinkedTo(CCatalogueDb* catalogue, const CNodeRef& key, int linkCode)
{
    CItemSet set(catalogue);
    set.m_owner = key;
    set.m_linkCode = linkCode;
    if (IsKindLinkCode(linkCode)) {
        set.List().LoadReverseLinkWalk(key, linkCode);
        set.m_kind = kLinkedRecordsSet;
    }
    set.m_loaded = true;
    set.m_current = set.List().GetFirst();
    return set;
}

CItemSet CItemSet::LinkedOfKind(CCatalogueDb* catalogue, const CNodeRef& owner, int kind)
{
    CItemSet set(catalogue);
    set.m_kind = kLinkedOfKindSet;
    set.m_kindFilter = kind;
    set.m_owner = owner;
    set.List().LoadLinkedUids(owner, 0, false, kind, 0, false);
    set.m_loaded = true;
    set.m_current = set.List().GetFirst();
    return set;
}

CItemSet CItemSet::QuickSearch(CCatalogueDb* catalogue, int searchDataFile, std::string_view text)
{
    CItemSet set(catalogue);
    set.m_kind = kQuickSearchSet;
    set.m_searchDataFile = searchDataFile;
    set.m_searchText = text;
    return set;
}

CItemSet CItemSet::NewRecord(int kind, const CFolderRecord* folder, CCatalogueDb* catalogue)
{
    CItemSet set(catalogue);
    set.m_ownCurrent = std::make_unique<CRecord>(catalogue);
    set.m_ownCurrent->SetKey(kind, 0);
    set.m_ownCurrent->SetParent(folder != nullptr ? folder->GetNumber() : 0.0);
    set.m_current = set.m_ownCurrent.get();
    set.m_loaded = true;
    return set;
}

CItemSet CItemSet::Query(CCatalogueDb* catalogue, int dataFile, const CFolderRecord* folder, bool deleted)
{
    CItemSet set(catalogue);
    SearchFilter& filter = set.Definition().Filter();
    filter.SetDataFile(dataFile);
    filter.SetFolder(folder);
    filter.SetDeleted(deleted);
    return set;
}

CItemSet CItemSet::WithCriteria(CCatalogueDb* catalogue, const CNodeRef* key)
{
    CItemSet set(catalogue);
    CCriteriaList& criteria = set.Definition().CriteriaList();
    if (key != nullptr) {
        criteria.Add(*key);
    }
    return set;
}

CItemSet CItemSet::FromStoredQuery(CCatalogueDb* catalogue, std::string_view name)
{
    CItemSet set(catalogue);
    std::string text;
    if (!ReadStoredQueryText(catalogue, name, text)) {
        return set;
    }
    QueryDefinition& definition = set.Definition();
    const std::optional<StoredQueryText> parsed = ParseStoredQueryText(text);
    if (!parsed) {
        // A stored SELECT statement runs as it stands.
        set.m_sql = text;
        set.m_sqlHasOperators = true;
        return set;
    }
    definition.SetName(parsed->name);
    if (parsed->hasNumber) {
        definition.SetNumbers(parsed->number, parsed->number);
    }
    if (parsed->hasFilter) {
        SearchFilter& filter = definition.Filter();
        filter.SetDataFile(parsed->dataFile);
        filter.SetCriteria(parsed->criteria);
        if (parsed->folderNumber != 0.0) {
            const CFolderRecord* folder =
                catalogue != nullptr ? catalogue->FindFolder(parsed->folderNumber) : nullptr;
            CFolderRecord numbered;
            numbered.SetNumber(parsed->folderNumber);
            filter.SetFolder(folder != nullptr ? folder : &numbered);
        }
    }
    return set;
}

void CItemSet::CopyDescriptionFrom(const CItemSet& other)
{
    m_kind = other.m_kind;
    m_searchDataFile = other.m_searchDataFile;
    m_searchText = other.m_searchText;
    m_allFolders = other.m_allFolders;
    m_catalogue = other.m_catalogue;
    m_owner.Set(m_owner.GetKind(), m_owner.GetNumber(), m_catalogue);
    ShareCataloguesOf(other);
}

void CItemSet::ShareCataloguesOf(const CItemSet& other)
{
    for (const auto& opened : other.m_openedCatalogues) {
        if (std::find(m_openedCatalogues.begin(), m_openedCatalogues.end(), opened) ==
            m_openedCatalogues.end()) {
            m_openedCatalogues.push_back(opened);
        }
    }
}

CItemSet CItemSet::CopyOfCurrent(CItemSet& other)
{
    other.Load(); // first: loading may open the catalogues its records belong to
    CItemSet set;
    set.CopyDescriptionFrom(other);
    if (CRecord* current = other.Current()) {
        set.m_current = set.List().Add(*current);
        set.List().SetCurrent(set.m_current);
    }
    set.m_loaded = true;
    return set;
}

CItemSet CItemSet::CopyOf(CItemSet& other)
{
    other.Load();
    CItemSet set;
    set.CopyDescriptionFrom(other);
    set.List().Merge(other.GetList());
    set.m_loaded = true;
    set.m_copiedList = true;
    if (other.m_current != nullptr && set.FindRecord(*other.m_current)) {
        other.FindRecord(*other.m_current);
    } else {
        set.m_current = set.List().GetFirst();
    }
    return set;
}

void CItemSet::Assign(CItemSet& other)
{
    if (&other == this) {
        return;
    }
    m_definition = other.m_definition ? std::make_unique<QueryDefinition>(*other.m_definition) : nullptr;
    m_sql = other.m_sql;
    m_sqlHasOperators = other.m_sqlHasOperators;
    m_catalogue = other.m_catalogue;
    if (m_list) {
        m_list->SetCatalogue(m_catalogue);
    }
    m_kind = other.m_kind;
    m_kindFilter = other.m_kindFilter;
    m_owner = other.m_owner;
    m_loaded = other.m_loaded;
    m_linkCode = other.m_linkCode;
    m_joinLinks = other.m_joinLinks;
    m_allFolders = other.m_allFolders;
    m_searchText = other.m_searchText;
    m_searchDataFile = other.m_searchDataFile;
    m_cataloguesFromDefinition = other.m_cataloguesFromDefinition;
    ShareCataloguesOf(other);
    if (other.m_list) {
        for (const auto& record : *other.m_list) {
            List().Add(*record);
        }
    }
    if (m_current == nullptr) {
        m_current = List().GetFirst();
    }
}

// ---- loading -------------------------------------------------------------------------------------------

CRecordList& CItemSet::List()
{
    if (!m_list) {
        // A set may be a folder of 100,000 records, of which a list pane shows a screenful at a time.
        m_list = std::make_unique<CRecordList>(m_catalogue);
        m_list->SetValuesOnDemand(true);
    }
    return *m_list;
}

CRecordList& CItemSet::GetList()
{
    Load();
    return List();
}

void CItemSet::ClearRecords()
{
    if (m_list) {
        m_list->Clear();
    }
    m_current = nullptr;
    m_ownCurrent.reset();
}

void CItemSet::ReleaseCatalogues()
{
    // A catalogue the set no longer holds may go at any time: the set must not point to it.
    const bool held =
        std::any_of(m_openedCatalogues.begin(), m_openedCatalogues.end(),
                    [this](const auto& opened) { return opened->catalogue.get() == m_catalogue; });
    if (m_cataloguesFromDefinition || held) {
        m_catalogue = nullptr;
        if (m_list) {
            m_list->SetCatalogue(nullptr);
        }
    }
    m_openedCatalogues.clear();
}

void CItemSet::Load()
{
    if (m_loaded) {
        return;
    }
    const WaitCursor wait;
    m_loaded = true;
    ClearRecords();
    ReleaseCatalogues();
    if (m_catalogue != nullptr && m_catalogue->GetDatabase() != nullptr) {
        m_catalogue->ReloadLinks();
    }
    if (m_kind == kQuickSearchSet) {
        LoadQuickSearch();
    } else if (m_kind != kPlainSet) {
        LoadKinds();
    } else if (!m_sql.empty()) {
        List().LoadSql(m_sqlHasOperators ? RewriteCriteriaOperators(m_sql, platform::clock::Now()).text
                                         : m_sql);
    } else if (m_definition && m_definition->GetFilter() != nullptr) {
        LoadFilter();
    } else if (m_definition && m_definition->GetCriteriaList() != nullptr) {
        LoadCriteriaList();
    }
    if (m_sortKey != kNoSort) {
        List().Sort(m_sortKey, true, m_sortDirection);
    }
    m_current = List().GetFirst();
}

void CItemSet::Reload()
{
    m_loaded = false;
    Load();
}

bool CItemSet::ReloadCurrent()
{
    CRecord* current = Current();
    return current != nullptr && current->Reload();
}

void CItemSet::LoadQuickSearch()
{
    if (m_catalogue == nullptr) {
        return;
    }
    m_catalogue->LoadDefinitionsIfNeeded();
    const std::string pattern = ContainsPattern(m_searchText);
    const auto search = [&](const CDataFileDef& definition, const std::string& searched) {
        if (searched.empty()) {
            return; // nothing of this data file can be searched
        }
        List().LoadSql("SELECT * " + definition.BuildRecNameExpression() + " FROM " +
                           SqlName(definition.GetFileName()) + " WHERE ((" + searched + ") Like " + pattern +
                           ") ;",
                       definition);
    };
    if (m_searchDataFile != kSearchEveryDataFile) {
        if (const CDataFileDef* definition = FindDataFile(m_catalogue, m_searchDataFile)) {
            search(*definition, definition->BuildSearchNameExpression(kNullSafeJoin));
        }
        return;
    }
    // The to-do items are searched only in the to-do catalogue, or when none is chosen.
    const std::string toDo = GetSettingString("toDoDataBase");
    const bool searchToDo =
        toDo.empty() || platform::text::EqualsNoCase(toDo, m_catalogue->GetFilePath().string());
    for (int number = 0; number <= CDataFileDef::kLastDataFile; ++number) {
        if (number == kNotesFile || number == kItemListsFile || (number == kToDoFile && !searchToDo)) {
            continue;
        }
        const CDataFileDef* definition = FindDataFile(m_catalogue, number);
        if (definition == nullptr) {
            continue;
        }
        search(*definition, number == kFileItemsFile ? std::string("EdtFn")
                                                     : definition->BuildSearchNameExpression(kNullSafeJoin));
    }
}

void CItemSet::LoadKinds()
{
    CRecordList& list = List();
    switch (m_kind) {
    case kLinkedOfKindSet:
        list.LoadLinkedUids(m_owner, 0, false, m_kindFilter, 0, false);
        break;
    case kAttachmentsSet:
        list.LoadLinkedUids(m_owner, kHighestMenuKind, true, 0, kNotesFile, true);
        list.LoadLinkWalk(m_owner, 0, true);
        break;
    case kLinkedRecordsSet:
        switch (m_linkCode) {
        case kLinkMenuKinds:
            list.LoadLinkedUids(m_owner, kHighestMenuKind, true, 0, kNotesFile, false);
            break;
        case kLinkEveryKind:
            list.LoadLinkedUids(m_owner, 0, false, 0, 0, false);
            list.ComputeLinkedFlags();
            break;
        case kLinkKinds1To30:
            list.LoadLinkedUids(m_owner, kHighestMenuKind, true, 0, 0, false);
            list.ComputeLinkedFlags();
            break;
        default:
            if (IsKindLinkCode(m_linkCode)) {
                list.LoadLinkedUids(m_owner, 0, false, m_linkCode, 0, false);
            }
            break;
        }
        break;
    case kLinkWalkSet:
        list.LoadLinkWalk(m_owner, m_linkCode, false);
        break;
    default:
        break;
    }
}

void CItemSet::LoadCriteriaList()
{
    for (const CNodeRef& key : m_definition->GetCriteriaList()->Keys()) {
        if (key.GetKind() == 0) {
            break;
        }
        CCatalogueDb* catalogue = key.GetCatalogue() != nullptr ? key.GetCatalogue() : m_catalogue;
        CRecord record(catalogue);
        if (!record.Reload(key.GetKind(), key.GetNumber(), catalogue)) {
            // A member that cannot be read still holds its place: its values are read when asked for.
            record = CRecord(catalogue);
            record.SetKey(key.GetKind(), key.GetNumber());
        }
        List().Add(std::move(record));
    }
}

void CItemSet::LoadFilter()
{
    const SearchFilter& filter = *m_definition->GetFilter();
    CriteriaOptions options;
    options.joinLinks = m_joinLinks;
    std::string criteria;
    if (!filter.GetCriteria().empty()) {
        const CriteriaRewrite rewritten =
            RewriteCriteriaOperators(filter.GetCriteria(), platform::clock::Now());
        criteria = rewritten.text;
        options.hasIssueYear = rewritten.hasIssueYear;
        options.issueYear = rewritten.issueYear;
    }
    if (m_catalogue != nullptr && !m_cataloguesFromDefinition) {
        LoadFilterInto(List(), filter, criteria, options, filter.IsDeleted(), m_allFolders);
    } else {
        LoadFromCatalogueFiles(filter, criteria, options);
    }
}

void CItemSet::LoadFilterInto(CRecordList& list, const SearchFilter& filter, const std::string& criteria,
                              const CriteriaOptions& options, bool deleted, bool allFolders)
{
    if (!filter.GetCriteria().empty()) {
        list.LoadCriteria(filter.GetDataFile(), filter.GetFolder(), deleted, criteria, options);
    } else {
        list.LoadFolder(filter.GetDataFile(), filter.GetFolder(), deleted, allFolders);
    }
}

void CItemSet::LoadFromCatalogueFiles(const SearchFilter& filter, const std::string& criteria,
                                      const CriteriaOptions& options)
{
    const std::string& name = m_definition->GetName();
    if (name.empty()) {
        return;
    }
    m_cataloguesFromDefinition = true;
    if (!platform::text::EqualsNoCase(name, kAllCatalogues)) {
        auto opened = std::make_shared<OpenedCatalogue>(std::filesystem::path(name));
        m_catalogue = opened->catalogue.get();
        m_openedCatalogues.push_back(std::move(opened));
        List().SetCatalogue(m_catalogue);
        LoadFilterInto(List(), filter, criteria, options, filter.IsDeleted(), m_allFolders);
        return;
    }
    // Every registered catalogue, live records only; a catalogue that gives none is closed again.
    for (const std::string& path : ReadRegisteredCatalogues()) {
        if (path.empty()) {
            continue;
        }
        auto opened = std::make_shared<OpenedCatalogue>(std::filesystem::path(path));
        CRecordList found(opened->catalogue.get());
        LoadFilterInto(found, filter, criteria, options, false, false);
        if (found.IsEmpty()) {
            continue;
        }
        if (m_catalogue == nullptr) {
            m_catalogue = opened->catalogue.get();
            List().SetCatalogue(m_catalogue);
        }
        List().Merge(found);
        m_openedCatalogues.push_back(std::move(opened));
    }
}

// ---- the cursor ----------------------------------------------------------------------------------------

CRecord* CItemSet::Current()
{
    Load();
    if (m_current == nullptr) {
        MoveFirst();
    }
    return m_current;
}

CRecord* CItemSet::GetCurrent()
{
    return Current();
}

bool CItemSet::MoveFirst()
{
    Load();
    if (CRecord* first = List().GetFirst()) {
        m_current = first;
    } else {
        m_current = m_ownCurrent.get();
    }
    return m_current != nullptr;
}

bool CItemSet::MoveNext()
{
    Load();
    CRecord* next = m_current != nullptr && m_current != m_ownCurrent.get() ? List().GetNext() : nullptr;
    if (next != nullptr) {
        m_current = next;
    }
    return next != nullptr;
}

bool CItemSet::MovePrev()
{
    Load();
    CRecord* previous = m_current != nullptr && m_current != m_ownCurrent.get() ? List().GetPrev() : nullptr;
    if (previous != nullptr) {
        m_current = previous;
    }
    return previous != nullptr;
}

bool CItemSet::MoveLast()
{
    Load();
    if (CRecord* last = List().GetLast()) {
        m_current = last;
    } else {
        m_current = m_ownCurrent.get();
    }
    return m_current != nullptr;
}

bool CItemSet::IsAtFirst()
{
    Load();
    return m_current != nullptr && m_current == List().GetAt(0);
}

bool CItemSet::IsAtLast()
{
    Load();
    return m_current != nullptr && List().GetCount() > 0 && m_current == List().GetAt(List().GetCount() - 1);
}

size_t CItemSet::GetPosition()
{
    Load();
    if (m_current == nullptr) {
        return 0;
    }
    return m_current == m_ownCurrent.get() ? 1 : List().GetPosition();
}

size_t CItemSet::GetCount()
{
    Load();
    return List().GetCount();
}

bool CItemSet::MoveToKind(int kind)
{
    Load();
    for (const auto& record : List()) {
        if (record->IsOfKind(kind)) {
            m_current = record.get();
            List().SetCurrent(m_current);
            return true;
        }
    }
    return false;
}

bool CItemSet::MoveToRow(size_t row)
{
    Load();
    CRecord* record = List().SetCurrentAt(row);
    if (record == nullptr) {
        return false;
    }
    m_current = record;
    return true;
}

bool CItemSet::FindRecord(const CRecord& record)
{
    Load();
    // The catalogue is part of a record's identity: a set over several catalogues holds records of the
    // same kind and number.
    CRecord* found = List().Find(record.GetKind(), record.GetNumber(), record.GetCatalogue());
    if (found == nullptr) {
        return false;
    }
    m_current = found;
    List().SetCurrent(found);
    return true;
}

bool CItemSet::FindOrAppendCurrentOf(CItemSet& other)
{
    if (GetCount() == 0) {
        AppendFrom(other, true);
    }
    CRecord* current = other.Current();
    return current != nullptr ? FindRecord(*current) : MoveFirst();
}

bool CItemSet::ContainsKeyCode(double code)
{
    Load();
    for (const auto& record : List()) {
        if (record->GetKeyCode() == code) {
            return true;
        }
    }
    return false;
}

bool CItemSet::ContainsRecord(const CRecord& record)
{
    Load();
    return List().Contains(record.GetKind(), record.GetNumber(), record.GetCatalogue());
}

bool CItemSet::DeleteCurrentFromList()
{
    Load();
    if (m_current == nullptr || !List().Remove(m_current)) {
        return false;
    }
    m_current = List().GetFirst();
    return true;
}

// ---- building ------------------------------------------------------------------------------------------

bool CItemSet::AddRecordByKey(const CNodeRef& key)
{
    Load();
    CCatalogueDb* catalogue = key.GetCatalogue() != nullptr ? key.GetCatalogue() : m_catalogue;
    CRecord record(catalogue);
    if (!record.Reload(key.GetKind(), key.GetNumber(), catalogue)) {
        return false;
    }
    CRecord* added = List().Add(std::move(record));
    if (added != nullptr && m_current == nullptr) {
        m_current = List().GetFirst();
    }
    return added != nullptr;
}

void CItemSet::AppendFrom(CItemSet& other, bool wholeList)
{
    Load();
    if (&other == this) {
        return;
    }
    other.Load();
    ShareCataloguesOf(other);
    if (wholeList) {
        for (const auto& record : other.GetList()) {
            List().Add(*record);
        }
    } else if (CRecord* current = other.Current()) {
        List().Add(*current);
    }
    if (m_current == nullptr) {
        m_current = List().GetFirst();
    }
}

void CItemSet::AppendOfKind(CItemSet& other, int kind)
{
    Load();
    if (&other == this) {
        return;
    }
    other.Load();
    ShareCataloguesOf(other);
    for (const auto& record : other.GetList()) {
        if (kind == 0 || record->IsOfKind(kind)) {
            List().Add(*record);
        }
    }
    if (m_current == nullptr) {
        m_current = List().GetFirst();
    }
}

// ---- sorting -------------------------------------------------------------------------------------------

bool CItemSet::Sort(int key, bool forced, bool ascending)
{
    Load();
    m_sortDirection = List().Sort(key, forced, ascending);
    m_sortKey = key;
    return m_sortDirection;
}

bool CItemSet::SortByName(bool forced, bool ascending)
{
    return Sort(kSortByName, forced, ascending);
}

bool CItemSet::SortByCreationTime(bool forced, bool ascending)
{
    return Sort(kSortByCreationTime, forced, ascending);
}

bool CItemSet::SortByModificationTime(bool forced, bool ascending)
{
    return Sort(kSortByModificationTime, forced, ascending);
}

bool CItemSet::SortByFieldName(std::string_view name, bool forced, bool ascending)
{
    Load();
    const CRecord* first = List().GetAt(0);
    const int field = first != nullptr ? first->FindFieldByName(name) : -1;
    if (field < 0) {
        return false;
    }
    Sort(field, forced, ascending);
    return true;
}

// ---- definition and filter -----------------------------------------------------------------------------

QueryDefinition& CItemSet::Definition()
{
    if (!m_definition) {
        m_definition = std::make_unique<QueryDefinition>();
    }
    return *m_definition;
}

void CItemSet::SetDefinitionName(std::string_view name)
{
    Definition().SetName(name);
}

void CItemSet::SetFilterDeleted(bool deleted)
{
    Definition().Filter().SetDeleted(deleted);
}

void CItemSet::SetFilterFolder(const CFolderRecord* folder)
{
    Definition().Filter().SetFolder(folder);
}

void CItemSet::SetFilterDataFile(int dataFile)
{
    Definition().Filter().SetDataFile(dataFile);
}

void CItemSet::SetFilterText(std::string_view criteria)
{
    Definition().Filter().SetCriteria(criteria);
}

const CFolderRecord* CItemSet::GetFilterFolder() const
{
    return m_definition && m_definition->GetFilter() != nullptr ? m_definition->GetFilter()->GetFolder()
                                                                : nullptr;
}

void CItemSet::SetCatalogue(CCatalogueDb* catalogue)
{
    m_catalogue = catalogue;
    if (m_list) {
        m_list->SetCatalogue(catalogue);
    }
}

std::optional<std::string> CItemSet::BuildFilterSql()
{
    const SearchFilter* filter = m_definition ? m_definition->GetFilter() : nullptr;
    if (filter == nullptr || filter->GetCriteria().empty()) {
        return std::nullopt;
    }
    const CDataFileDef* definition = FindDataFile(m_catalogue, filter->GetDataFile());
    if (definition == nullptr) {
        return std::nullopt;
    }
    const CriteriaRewrite rewritten = RewriteCriteriaOperators(filter->GetCriteria(), platform::clock::Now());
    return CRecordList::BuildCriteriaSql(*definition, filter->GetFolder(), filter->IsDeleted(),
                                         rewritten.text, m_joinLinks);
}

std::string CItemSet::FormatDefinitionText() const
{
    const SearchFilter* filter = m_definition ? m_definition->GetFilter() : nullptr;
    const CFolderRecord* folder = filter != nullptr ? filter->GetFolder() : nullptr;
    return FormatStoredQueryText(m_definition ? m_definition->GetName() : std::string(),
                                 folder != nullptr ? folder->GetNumber() : 0.0,
                                 filter != nullptr ? filter->GetDataFile() : 0,
                                 filter != nullptr ? filter->GetCriteria() : std::string(),
                                 m_definition ? m_definition->GetFirst() : 0);
}

// ---- records in the tables -----------------------------------------------------------------------------

bool CItemSet::SaveCurrentRecord(CCatalogueDb& catalogue, int kind, double parent, bool refresh)
{
    CRecord* current = Current();
    if (current == nullptr) {
        return false;
    }
    if (&catalogue == current->GetCatalogue()) {
        return current->SaveAs(kind, parent, refresh);
    }
    return current->CopyToCatalogue(catalogue, kind, parent, refresh).GetKind() != 0;
}

bool CItemSet::InsertCurrentRecord(double parent)
{
    CRecord* current = Current();
    return current != nullptr && current->Insert(parent);
}

bool CItemSet::UpdateCurrentRecord()
{
    CRecord* current = Current();
    return current != nullptr && current->Save(current->GetParent(), false);
}

bool CItemSet::SaveCurrentUnderParent(double parent, bool refresh)
{
    CRecord* current = Current();
    return current != nullptr && current->Save(parent, refresh);
}

bool CItemSet::SaveCurrentUnderOwnParent(bool refresh)
{
    CRecord* current = Current();
    return current != nullptr && current->Save(current->GetParent(), refresh);
}

bool CItemSet::DeleteCurrentRecord()
{
    CRecord* current = Current();
    return current != nullptr && current->DeleteFromTable();
}

bool CItemSet::UndeleteCurrent()
{
    CRecord* current = Current();
    return current != nullptr && current->Undelete();
}

bool CItemSet::UndeleteFirst()
{
    return MoveFirst() && m_current->Undelete();
}

bool CItemSet::MoveCurrentToParent(double parent)
{
    CRecord* current = Current();
    return current != nullptr && current->MoveToParent(parent);
}

void CItemSet::CopyCurrentChildren(const CNodeRef& newKey, double parent, CCatalogueDb& target, int kind)
{
    if (CRecord* current = Current()) {
        current->CopyChildren(newKey, parent, target, kind);
    }
}

int CItemSet::DeleteAllRecords()
{
    Load();
    return List().DeleteAll();
}

void CItemSet::PurgeDeleted()
{
    if (m_catalogue != nullptr) {
        m_catalogue->PurgeDeletedEntries();
    }
}

bool CItemSet::WriteToFile(const std::filesystem::path& path, char separator, const FieldSelection& selection)
{
    Load();
    return List().WriteToFile(path, separator, selection);
}

// ---- links ---------------------------------------------------------------------------------------------

namespace {

CLinkEntry LinkBetween(const CNodeRef& in, const CNodeRef& out)
{
    return CLinkEntry(in.GetCatalogue(), in.GetKind(), in.GetNumber(), out.GetCatalogue(), out.GetKind(),
                      out.GetNumber());
}

// Removes the link between the two elements, whichever way it points.
bool RemoveLinkBetween(CCatalogueDb& catalogue, const CNodeRef& a, const CNodeRef& b, bool reload)
{
    bool removed = LinkBetween(a, b).DeleteRow(catalogue);
    removed = LinkBetween(b, a).DeleteRow(catalogue) || removed;
    if (reload) {
        catalogue.ReloadLinks();
    }
    return removed;
}

} // namespace

bool CItemSet::LinkCurrentWith(const CNodeRef& key)
{
    CRecord* current = Current();
    if (current == nullptr || current->GetCatalogue() == nullptr) {
        return false;
    }
    return LinkBetween(key, current->GetKey()).Store(*current->GetCatalogue());
}

bool CItemSet::UnlinkCurrentFrom(const CNodeRef& key, bool reload)
{
    CRecord* current = Current();
    if (current == nullptr || current->GetCatalogue() == nullptr) {
        return false;
    }
    return RemoveLinkBetween(*current->GetCatalogue(), key, current->GetKey(), reload);
}

bool CItemSet::UnlinkFromOwner(const CNodeRef& key, bool reload)
{
    if (m_catalogue == nullptr) {
        return false;
    }
    return RemoveLinkBetween(*m_catalogue, m_owner, key, reload);
}

// ---- ownership -----------------------------------------------------------------------------------------

bool CItemSet::IsCurrentOwned()
{
    CRecord* current = Current();
    return current != nullptr && current->IsOwned();
}

bool CItemSet::SetCurrentOwned(bool owned)
{
    CRecord* current = Current();
    return current != nullptr && current->SetOwned(owned);
}

// ---- the current record --------------------------------------------------------------------------------

std::string CItemSet::BuildCurrentName()
{
    CRecord* current = Current();
    return current != nullptr ? current->BuildName() : std::string();
}

void CItemSet::SetCurrentNameText(std::string_view text)
{
    if (CRecord* current = Current()) {
        current->SetNameText(text);
    }
}

bool CItemSet::IsFieldMemo(int field)
{
    CRecord* current = Current();
    return current != nullptr && current->IsFieldMemo(field);
}

char CItemSet::GetFieldType(int field)
{
    CRecord* current = Current();
    return current != nullptr ? current->GetFieldType(field) : '\0';
}

char CItemSet::GetFieldFlags(int field)
{
    return GetFieldType(field);
}

int CItemSet::GetFieldSize(int field)
{
    CRecord* current = Current();
    return current != nullptr ? current->GetFieldSize(field) : 0;
}

int CItemSet::GetFieldMaxLength(int field)
{
    const char type = GetFieldType(field);
    return type == 'M' || type == 'm' ? kLongTextLength : GetFieldSize(field);
}

std::string CItemSet::GetFieldName(int field)
{
    CRecord* current = Current();
    return current != nullptr ? current->GetFieldName(field) : std::string();
}

std::string CItemSet::GetFieldInternalName(int field)
{
    CRecord* current = Current();
    const CFieldDef* descriptor = current != nullptr ? current->GetFieldDef(field) : nullptr;
    return descriptor != nullptr ? descriptor->GetInternalName() : std::string();
}

std::string CItemSet::GetFieldGroupName(int field)
{
    CRecord* current = Current();
    const CFieldDef* descriptor = current != nullptr ? current->GetFieldDef(field) : nullptr;
    return descriptor != nullptr ? descriptor->GetGroupName() : std::string();
}

int CItemSet::GetFieldProperty(int field)
{
    CRecord* current = Current();
    const CFieldDef* descriptor = current != nullptr ? current->GetFieldDef(field) : nullptr;
    return descriptor != nullptr ? descriptor->GetGroupNumber() : 0;
}

int CItemSet::FindFieldByName(std::string_view name)
{
    CRecord* current = Current();
    return current != nullptr ? current->FindFieldByName(name) : -1;
}

std::string CItemSet::GetFieldText(int field)
{
    CRecord* current = Current();
    return current != nullptr ? current->GetFieldDisplayText(field) : std::string();
}

std::string CItemSet::GetRawFieldText(int field)
{
    CRecord* current = Current();
    return current != nullptr ? current->GetFieldText(field) : std::string();
}

std::string CItemSet::GetFieldTextByName(std::string_view name)
{
    CRecord* current = Current();
    return current != nullptr ? current->GetFieldTextByName(name) : std::string();
}

double CItemSet::GetFieldValue(int field)
{
    CRecord* current = Current();
    return current != nullptr ? current->GetFieldNumber(field) : 0.0;
}

CNodeRef CItemSet::GetFieldKey(int field)
{
    CRecord* current = Current();
    return current != nullptr ? current->GetFieldKey(field) : CNodeRef(m_catalogue);
}

bool CItemSet::SetFieldText(int field, std::string_view text)
{
    CRecord* current = Current();
    if (current == nullptr || !current->SetFieldText(field, text)) {
        return false;
    }
    current->SetMark(1);
    return true;
}

bool CItemSet::SetFieldTextByName(std::string_view name, std::string_view text, bool resolve)
{
    CRecord* current = Current();
    if (current == nullptr || !current->SetFieldTextByName(name, text, resolve)) {
        return false;
    }
    current->SetMark(1);
    return true;
}

bool CItemSet::SetFieldNumber(int field, double value)
{
    CRecord* current = Current();
    if (current == nullptr || !current->SetFieldNumber(field, value)) {
        return false;
    }
    current->SetMark(1);
    return true;
}

bool CItemSet::SetFieldFromKey(int field, const CNodeRef& key)
{
    CRecord* current = Current();
    if (current == nullptr || !current->SetFieldFromKey(field, key)) {
        return false;
    }
    current->SetMark(1);
    return true;
}

std::time_t CItemSet::GetCurrentCreationTime()
{
    CRecord* current = Current();
    return current != nullptr ? current->GetCreationTime() : 0;
}

std::time_t CItemSet::GetCurrentModificationTime()
{
    CRecord* current = Current();
    return current != nullptr ? current->GetModificationTime() : 0;
}

double CItemSet::GetCurrentParent()
{
    CRecord* current = Current();
    return current != nullptr ? current->GetParent() : 0.0;
}

void CItemSet::SetCurrentParent(double parent)
{
    if (CRecord* current = Current()) {
        current->SetParent(parent);
    }
}

int CItemSet::GetCurrentKind()
{
    CRecord* current = Current();
    return current != nullptr ? current->GetKind() : 0;
}

std::uint32_t CItemSet::GetCurrentNumber()
{
    CRecord* current = Current();
    return current != nullptr ? current->GetNumber() : 0;
}

CNodeRef CItemSet::GetCurrentKey()
{
    CRecord* current = Current();
    return current != nullptr ? current->GetKey() : CNodeRef(m_catalogue);
}

std::string CItemSet::GetCurrentName()
{
    CRecord* current = Current();
    return current != nullptr ? current->GetName() : std::string();
}

bool CItemSet::IsCurrentOfKind(int kind)
{
    CRecord* current = Current();
    return current != nullptr && current->IsOfKind(kind);
}

bool CItemSet::LoadCurrentText()
{
    CRecord* current = Current();
    return current != nullptr && (current->AreFieldsLoaded() || current->LoadFields());
}

bool CItemSet::CurrentHasFieldOfKindT()
{
    CRecord* current = Current();
    return current != nullptr && current->FindFieldOfKind('T') >= 0;
}

bool CItemSet::CurrentHasFieldOfKindE()
{
    CRecord* current = Current();
    return current != nullptr && current->FindFieldOfKind('E') >= 0;
}

bool CItemSet::CurrentHasFieldOfKindF()
{
    CRecord* current = Current();
    return current != nullptr && current->FindFieldOfKind('F') >= 0;
}

int CItemSet::GetCurrentFieldOfKindW()
{
    CRecord* current = Current();
    return current != nullptr ? current->FindFieldOfKind('W') : -1;
}

void CItemSet::SetCurrentMark(std::uint8_t mark)
{
    if (CRecord* current = Current()) {
        current->SetMark(mark);
    }
}

std::uint8_t CItemSet::GetCurrentMark()
{
    CRecord* current = Current();
    return current != nullptr ? current->GetMark() : 0;
}

std::uint8_t CItemSet::GetCurrentStatusByte()
{
    CRecord* current = Current();
    return current != nullptr && current->IsLinked() ? 1 : 0;
}

void CItemSet::CopyCurrentFieldsFrom(CItemSet& other)
{
    CRecord* current = Current();
    CRecord* source = other.Current();
    if (current != nullptr && source != nullptr && current != source) {
        current->CopyFieldsFrom(*source);
    }
}
