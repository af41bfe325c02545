#pragma once
// One folder of a catalogue: a row of its table AREAS, kept in memory by the catalogue's folder list.
// Every change made through the Save and Rename members goes straight to the folder's row.
//
// NUMBER is the folder's key (a local number, 2 to 999 for folders made here). PARENT is the NUMBER of
// the folder it lies in; a folder directly under the catalogue has a PARENT that is a whole multiple of
// 100,000: 0 in the row, read back as the installation number × 100,000 (the root code). TYPE is the
// data-file number of the items the folder holds, 100 for all kinds.

#include <ctime>
#include <string>
#include <string_view>

class CCatalogueDb;

class CFolderRecord
{
public:
    // Stored widths (a text keeps at most width - 1 bytes).
    static constexpr size_t kNameWidth = 100;
    static constexpr size_t kCommentWidth = 2000;
    static constexpr size_t kHtmlWidth = 2000;
    static constexpr size_t kOrderedWidth = 500;
    // The name a copied or renamed folder keeps in memory.
    static constexpr size_t kShortNameBytes = 39;
    // TYPE of a folder that holds every kind of item.
    static constexpr int kAllKinds = 100;

    // PARENT the root code, everything else empty or 0.
    CFolderRecord();

    // Copies PARENT, NAME (at most 39 bytes), COMMENT, HTML, ORDERED, ORDEREDNUMBER, NUMBER, TYPE and
    // ORDERED_BY; without another, takes the constructor's values and ORDERED_BY 0.
    void CopyFrom(const CFolderRecord* other);

    // The parent's NUMBER; a PARENT of 0 becomes the root code, and stays so.
    double GetParent();
    double GetNumber() const { return m_number; }
    const std::string& GetName() const { return m_name; }
    int GetOrderedBy() const { return m_orderedBy; }
    int GetType() const { return m_type; }
    int GetOrderedNumber() const { return m_orderedNumber; }
    const std::string& GetComment() const { return m_comment; }
    const std::string& GetHtml() const { return m_html; }
    const std::string& GetOrdered() const { return m_ordered; }
    std::time_t GetCreationTime() const { return m_created; }
    std::time_t GetModificationTime() const { return m_modified; }
    // Directly under the catalogue: PARENT is a whole multiple of 100,000 (0 included).
    bool IsTopLevel();

    // ---- in memory only ----------------------------------------------------------------------------
    void SetName(std::string_view name); // at most 99 bytes
    void SetNumber(double number) { m_number = number; }
    void SetType(int type) { m_type = type; }
    // A parent equal to the folder's own NUMBER becomes 0.
    void SetParent(double parent);
    void SetParentFrom(const CFolderRecord& other) { SetParent(other.m_number); }
    void SetOrderedNumber(int position) { m_orderedNumber = position; }
    void SetComment(std::string_view text);
    void SetHtml(std::string_view text);
    void SetOrdered(std::string_view text);
    void SetTimes(std::time_t created, std::time_t modified);

    // ---- in memory and in the row ------------------------------------------------------------------
    // Each writes one column of the folder's row; nothing is written while the catalogue is closed, and
    // a database error is written to the trace log. The record keeps the new value in every case.
    void SaveComment(CCatalogueDb& catalogue, std::string_view text);
    void SaveHtml(CCatalogueDb& catalogue, std::string_view text);
    void SaveOrdered(CCatalogueDb& catalogue, std::string_view text);
    // Writes the position to the row only; the record keeps its own.
    void SaveOrderedNumber(CCatalogueDb& catalogue, int position);
    // Writes the name (at most 99 bytes) to the row, then keeps at most 39 bytes of it; nothing changes
    // while the catalogue is closed.
    void Rename(CCatalogueDb& catalogue, std::string_view name);
    // For a TYPE below 100 keeps the value and, given an open catalogue, writes it; a folder of all
    // kinds keeps -1.
    void SetOrderedBy(int value, CCatalogueDb* catalogue);

    // Adds the folder's row and stamps the record's times. False when the catalogue is closed or the
    // row cannot be added (written to the trace log).
    bool Insert(CCatalogueDb& catalogue);
    // Rewrites the folder's row (PARENT only when it differs from NUMBER), or adds it when there is none.
    bool Update(CCatalogueDb& catalogue);

private:
    // Writes one column of the folder's row through `set`.
    template <typename Set>
    void WriteColumn(CCatalogueDb& catalogue, Set&& set);

    double m_parent = 0.0;
    std::string m_name;
    double m_number = 0.0;
    int m_orderedNumber = 0;
    std::string m_comment;
    std::string m_html;
    std::string m_ordered;
    int m_type = 0;
    std::time_t m_created = 0;
    std::time_t m_modified = 0;
    int m_orderedBy = 0;
};

// The PARENT that marks a folder directly under the catalogue: the installation number × 100,000.
double RootFolderCode();
