#pragma once
// The entries of the program's clipboard formats. An item entry names a record:
// "<catalogue file>^<kind>,<number>,<catalogue number>". A node entry is the path of an element of the
// tree, its names joined by '^'. Reading an entry back needs the catalogues open in the element tree,
// which the tree model provides.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CCatalogueDb;
class CNodeRef;
class CRecord;

// The element tree as the clipboard sees it; the tree model implements it.
class CCatalogueNodeSource
{
public:
    virtual ~CCatalogueNodeSource() = default;
    // The catalogues of the element tree's catalogue nodes, in the tree's order.
    virtual std::vector<CCatalogueDb*> GetCatalogueNodes() = 0;
    // The path of the first node of the whole tree whose loaded item set holds the record (names below
    // the root, outermost first, joined by '^'); empty when no node does.
    virtual std::string GetPathOfNodeHolding(const CRecord& record) = 0;
};

// The item entry of a record of the catalogue file. The numbers are always written whole: when the entry
// would be longer than a slot holds (199 bytes), the path is cut instead, never in the middle of a
// character, so a cut entry can never name another record.
std::string FormatItemEntry(std::string_view cataloguePath, int kind, std::uint32_t number,
                            int catalogueNumber);
// The item entry of a record; empty for a record without a catalogue.
std::string FormatItemEntry(const CRecord& record);

// Sets the reference's kind and number from the entry and its catalogue to the open catalogue with
// that catalogue number (the last one, when several have it). The path, up to the last '^', is not
// read. False, leaving the reference alone, when the entry has no '^' within its first 200 bytes.
bool ParseClipboardEntry(std::string_view entry, CNodeRef& ref, CCatalogueNodeSource& root);

// The catalogue an item entry comes from: the first catalogue node whose file is the entry's path (the
// text before the last '^'), the same file under another spelling included. An entry that fills its slot
// may carry a cut path: then the first catalogue whose path begins with it and whose catalogue number is
// the entry's. Null when no open catalogue matches.
CCatalogueDb* FindEntryCatalogue(std::string_view entry, CCatalogueNodeSource& root);
