#pragma once
// The item entries of the program's clipboard formats: "<path>^<kind>,<number>,<catalogue number>".
// Reading one back needs the catalogues open in the element tree, which the tree model provides.

#include <string_view>
#include <vector>

class CCatalogueDb;
class CNodeRef;

// The catalogues of the element tree's catalogue nodes, in the tree's order.
class CCatalogueNodeSource
{
public:
    virtual ~CCatalogueNodeSource() = default;
    virtual std::vector<CCatalogueDb*> GetCatalogueNodes() = 0;
};

// Sets the reference's kind and number from the entry and its catalogue to the open catalogue with
// that catalogue number (the last one, when several have it). The path, up to the last '^', is not
// read. False, leaving the reference alone, when the entry has no '^' within its first 200 bytes.
bool ParseClipboardEntry(std::string_view entry, CNodeRef& ref, CCatalogueNodeSource& root);
