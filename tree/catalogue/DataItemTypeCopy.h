#pragma once
// Copying a whole data-item type into a catalogue that lacks it: after the user agrees, the type's
// definition, table, forms and summary web layout are made there, first for every type its form refers
// to that the target cannot match (whose records come along), then for the type itself.

class CCatalogueDb;

// Asks whether the type `kind` of `from` is to be copied into `into` and does so. A type whose form the
// source lacks cannot be copied (message 33420). True when the type now has a matching data file in
// `into`.
bool CopyDataItemTypeInto(CCatalogueDb& from, int kind, CCatalogueDb& into);
