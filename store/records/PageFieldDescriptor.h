#pragma once
// What the editors of a record's fields need to know of each field: the record window's editor strip in
// a list row and the buttons of a record page are built from these descriptors, filled from a record.
//
// The control letter tells which editor a field gets: 'D' a date, 'T' a time, 'U' an amount, 'O' a
// reference to a record of `referencedFile`, 'P' a telephone number and 'E' plain text; descriptors of
// buttons also know 'Y' a numismatic year, 'B' a button field (a field of LENGTH 2 named "...button...")
// with its `referencedFile`, and 'W' a web address.

#include <array>
#include <span>
#include <string>

class CItemSet;
class CRecord;

struct PageFieldDescriptor
{
    // Characters a descriptor keeps of the field's display text.
    static constexpr size_t kDisplayCharacters = 99;

    int length = 0;
    char control = 0;
    std::string displayText;
    std::string internalName;
    int fieldIndex = -1;
    int referencedFile = 0;
};

// The editor strip of a list row shows at most this many title fields.
inline constexpr size_t kMaxLinkDescriptors = 10;
using PageFieldDescriptors = std::array<PageFieldDescriptor, kMaxLinkDescriptors>;

// The control letter of one field; `forButton` admits the letters only buttons know.
char FieldControlLetter(CRecord& record, int field, bool forButton);

// Fills the descriptor of field `field` of the record. False, leaving the descriptor alone, when the
// field has no descriptor in the record's data file.
bool FillFieldDescriptor(CRecord& record, int field, bool forButton, PageFieldDescriptor& descriptor);

// Fills one descriptor per title field (name_header) of the record, in field order, until the
// descriptors or the fields run out. Returns how many were filled; the others are left empty.
size_t FillTitleFieldDescriptors(CRecord& record, std::span<PageFieldDescriptor> descriptors);

// The same for the first record of an item set, which becomes current; 0 for an empty set.
size_t WriteFirstLinksHtml(CItemSet& set, std::span<PageFieldDescriptor> descriptors);
// Fills the button descriptor of field `field` of the set's first record, which becomes current; false
// for an empty set or a field without descriptor.
bool WriteFirstButtonsHtml(CItemSet& set, PageFieldDescriptor& descriptor, int field);
