#pragma once
// The copy of records between catalogues that folders, areas and "Tables" use (CRecordCopier): which
// data file of the target's catalogue matches a record's kind, and the copy of one record with its
// sub-records. The application installs one at start (SetRecordCopier); it holds no state.

#include "tree/base/NodeInterfaces.h"

#include <functional>

class CCatalogueDb;
class CItemSet;
class CRecord;

class CCatalogueRecordCopier final : public CRecordCopier
{
public:
    // The source catalogue is the one of the catalogue nodes beside the target's whose NAME is
    // `sourceCatalogue` (without regard to case); its definition of `sourceKind` is matched field by
    // field against the target catalogue's data files, or against `targetKind` alone when that is a data
    // file (1 to 99). 0 when no catalogue node of that name is open or nothing matches.
    int FindMatchingKind(CTreeNode& target, std::string_view sourceCatalogue, int sourceKind,
                         int targetKind) override;
    // The record, then its sub-records (notes and files, or every linked record with theirs), each linked
    // to its copy, in one transaction: the target holds the whole copy or nothing of it. Refused into a
    // view-only catalogue or the record's own.
    bool CopyRecordToFolder(CItemSet& set, CTreeNode& target, double folder, int kind, int mode) override;
};

// Whether the record was copied into `into` before: a live row of the matching data file there holds its
// key code in FROM-UID.
bool WasCopiedBefore(CRecord& record, CCatalogueDb& into);

// What a copy of several records into another catalogue did.
struct CatalogueCopyResult
{
    int copied = 0;      // records copied (0 when the copy failed)
    int skipped = 0;     // records copied before, left out
    bool failed = false; // a part could not be copied, so nothing was
};

// Copies every record of the set (of another catalogue) into the data file `kind` of `into` under the
// folder, each with the sub-records its CRecordCopier mode names (`modeOf`, asked with the set on the
// record), leaving out records copied before. The whole copy is one transaction: when any part fails,
// or the process dies half-way, the target holds none of it. The source is only read.
CatalogueCopyResult CopyRecordsToCatalogue(CItemSet& set, CCatalogueDb& into, int kind, double folder,
                                           const std::function<int(CItemSet&)>& modeOf);
// The same, the folder being made by `makeFolder` inside the copy's transaction (a chain of folders built
// for the records): when the copy fails, the folders it made go with it. `makeFolder` throws when it
// cannot make the folder.
CatalogueCopyResult CopyRecordsToCatalogue(CItemSet& set, CCatalogueDb& into, int kind,
                                           const std::function<double()>& makeFolder,
                                           const std::function<int(CItemSet&)>& modeOf);

// The catalogue node among those beside `node`'s (under the same root) whose catalogue is named so;
// null when none.
CTreeNode* FindCatalogueNodeByName(CTreeNode& node, std::string_view name);
