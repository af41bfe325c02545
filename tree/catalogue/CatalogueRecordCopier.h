#pragma once
// The copy of records between catalogues that folders, areas and "Tables" use (CRecordCopier): which
// data file of the target's catalogue matches a record's kind, and the copy of one record with its
// sub-records. The application installs one at start (SetRecordCopier); it holds no state.

#include "tree/base/NodeInterfaces.h"

class CCatalogueDb;

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

// The catalogue node among those beside `node`'s (under the same root) whose catalogue is named so;
// null when none.
CTreeNode* FindCatalogueNodeByName(CTreeNode& node, std::string_view name);
