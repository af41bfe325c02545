#pragma once
// All folders of a catalogue in memory, in the order of their position (ORDEREDNUMBER), with walks over
// all of them, over the top-level ones and over the children of one folder. The list owns its records;
// pointers to them stay valid while they are in the list.

#include "store/records/FolderRecord.h"

#include <memory>
#include <vector>

class CFolderList
{
public:
    CFolderList() = default;
    CFolderList(const CFolderList&) = delete;
    CFolderList& operator=(const CFolderList&) = delete;

    void DeleteAll();
    size_t GetCount() const { return m_records.size(); }

    // Takes the record, links it at the end and returns the next free local folder number: one more
    // than the largest NUMBER in the list above 1 and below 1,000, or 2 when there is none.
    int Append(std::unique_ptr<CFolderRecord> record);
    // Unlinks the record and hands it back; null when it is not in the list.
    std::unique_ptr<CFolderRecord> Remove(const CFolderRecord* record);
    // Unlinks the given record when it is the last one.
    std::unique_ptr<CFolderRecord> CutBefore(const CFolderRecord* last);

    // The walk over all records in order; null at the end.
    CFolderRecord* First();
    CFolderRecord* Next();
    // The last record; the walk stands on it.
    CFolderRecord* GetLast();

    CFolderRecord* FindByNumber(double number) const;
    // Null when there is no such folder.
    const std::string* GetNameByNumber(double number) const;
    bool HasType(int type) const;

    // The folders whose parent is the given folder NUMBER, in list order; null at the end.
    CFolderRecord* FirstChild(double parentNumber) const;
    CFolderRecord* NextChild(double parentNumber, const CFolderRecord* after) const;
    CFolderRecord* FirstChild(const CFolderRecord& folder) const { return FirstChild(folder.GetNumber()); }
    CFolderRecord* NextChild(const CFolderRecord& folder, const CFolderRecord* after) const
    {
        return NextChild(folder.GetNumber(), after);
    }
    // The folders directly under the catalogue, in list order; null at the end.
    CFolderRecord* FirstTopLevel();
    CFolderRecord* NextTopLevel();

    // Reads every folder of the catalogue (nothing while it is closed) into this list, then orders them
    // by position; folders of equal position keep their order.
    void LoadAll(CCatalogueDb& catalogue);

    // Deletes the folder of that number with its subfolders and the records they hold. The first time
    // records are found the user is asked whether to delete them, unless `quiet`; No ends the
    // operation with false (what was deleted before stays deleted). With the catalogue closed the
    // folder only leaves the list, and the answer is false.
    bool DeleteTree(double number, CCatalogueDb& catalogue, bool quiet);

private:
    struct DeleteContext
    {
        bool quiet = false;
        bool asked = false;
        std::vector<double> path; // the folders being deleted, outermost first
    };
    bool DeleteTree(double number, CCatalogueDb& catalogue, DeleteContext& context);
    size_t IndexOf(const CFolderRecord* record) const;

    std::vector<std::unique_ptr<CFolderRecord>> m_records;
    size_t m_walk = 0;
    size_t m_topLevelWalk = 0;
};
