#pragma once
// Row-level upkeep of the records of a data file that the catalogue does itself: finding and deleting
// the records of a folder when the folder goes, and telling which records are alive when the links are
// repaired. The rules are those of the records themselves: a record is alive when its row is not marked
// DELETED (stored queries, data file 23, have no such mark), a record's key code is its UID, and a
// deleted record goes to the waste basket (its row marked DELETED, the catalogue's count of deleted
// entries raised, the links to and from it marked deleted).

#include <unordered_set>

class CCatalogueDb;
class CDataFileDef;

// True when the data file has a live record whose PARENT is the folder NUMBER.
bool HasLiveRecordsUnder(CCatalogueDb& catalogue, const CDataFileDef& definition, double folderNumber);

// Deletes every live record of the data file whose PARENT is the folder NUMBER and returns how many.
// Stored queries are removed outright: they have no waste basket.
int DeleteRecordsUnder(CCatalogueDb& catalogue, const CDataFileDef& definition, double folderNumber);

// The key codes (UID) of the data file's live records.
std::unordered_set<double> LiveRecordCodes(CCatalogueDb& catalogue, const CDataFileDef& definition);
