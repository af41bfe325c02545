#pragma once
// The definition of one data file (one kind of item) of a catalogue: its table, its names and flags,
// and up to 100 field descriptors. The catalogue keeps one definition per data file, read from its
// "metaData.txt" text; callers work on a copy: attach a CDataFileDef to the catalogue, select a data
// file into it by number or name, read or change it, and store it back.
//
// Multi-line texts (description, orderedBy) hold carriage return as the byte 0xFC and line feed as
// 0xF6, so they stay on one line in the stored text; those bytes never occur in UTF-8, so letters
// such as "ü" and "ö" are unaffected.

#include "store/definitions/FieldDef.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class CCatalogueDb;
class CMarkupNode;

class CDataFileDef
{
public:
    static constexpr int kMaxFields = 100;
    // Data files are numbered 0 to this.
    static constexpr int kLastDataFile = 98;

    // Stored widths of the texts (a text keeps at most width - 1 bytes).
    static constexpr size_t kMenuNameWidth = 50;
    static constexpr size_t kFileNameWidth = 13;
    static constexpr size_t kDescriptionWidth = 400;
    static constexpr size_t kStrongNameWidth = 50;
    static constexpr size_t kLargeIconWidth = 40;

    // The markers of carriage return and line feed inside stored multi-line texts.
    static constexpr char kCarriageReturnMark = '\xFC';
    static constexpr char kLineFeedMark = '\xF6';

    CDataFileDef() = default;
    explicit CDataFileDef(CCatalogueDb* catalogue) { Attach(catalogue); }

    // Clears the record and binds it to the catalogue (not owned). The icon selector becomes 1.
    void Attach(CCatalogueDb* catalogue);
    // Clears everything but the catalogue binding.
    void Clear();
    // Copies another definition, its catalogue binding included.
    void CopyFrom(const CDataFileDef& other) { *this = other; }
    CCatalogueDb* GetCatalogue() const { return m_catalogue; }
    // Binds the record to another catalogue, keeping its contents.
    void Bind(CCatalogueDb* catalogue) { m_catalogue = catalogue; }

    // ---- the catalogue's definitions -------------------------------------------------------------
    // Copies the catalogue's definition of that data file into this record, loading the catalogue's
    // definitions first when it has none yet. False (the record unchanged) for 0, without a catalogue,
    // or when the catalogue has no such data file.
    bool SelectFile(int fileNumber);
    // The same by table name, ignoring case.
    bool SelectFileByName(std::string_view fileName);
    // Copies this record into the catalogue: over the definition with the same number, else the one
    // with the same table name, else a slot whose number is 0, else into a new slot. False when
    // there is no catalogue or no slot is left.
    bool StoreInCatalogue() const;
    // Empties the menu name of the catalogue's definition of that data file: it leaves menus and tree.
    void ClearMenuNameOf(int fileNumber) const;
    // Reads the catalogue's definitions from its "metaData.txt" anew.
    void LoadDefinitions() const;
    // Replaces the catalogue's definition tree by one built from its definitions. Field names that are
    // not unique within a data file are made unique, and unset letters become 'F', in the catalogue's
    // definitions themselves.
    void BuildDefinitionTree() const;
    // Writes the catalogue's definition tree into its "metaData.txt" row, and a readable copy into
    // "A.txt" in the product folder. Nothing is written when the catalogue is not open or has no such
    // row.
    void SaveDefinitionTree() const;

    // The number of the other catalogue's data file that matches this one: the first with the same
    // non-empty strong name, else the data file holding every field name of this one (several: the one
    // with the same menu name, else the first). 0 when none matches.
    int FindMatchingFile(CCatalogueDb* other) const;
    bool MatchesFile(CCatalogueDb* other, int fileNumber) const;

    // ---- the stored form -------------------------------------------------------------------------
    // The "DataFile" node of this definition (with its "DataField" children), as the tree holds it.
    std::unique_ptr<CMarkupNode> BuildNode() const;
    // Fills the record from a "DataFile" node of a definition tree; fields are taken in the order of
    // the node's children. Without `hasOwnedTable` the own-it button is off.
    void LoadFromNode(CMarkupNode& node, bool hasOwnedTable);
    // Makes field names unique and sets unset letters to 'F', as the stored tree needs them.
    void PrepareForTree();

    // ---- fields by index (0 to 99; outside, getters give 0, false or "" and setters do nothing) -----
    const CFieldDef& GetField(int i) const;
    CFieldDef* Field(int i);
    int GetFieldCount() const { return m_fieldCount; }

    int GetFieldLength(int i) const { return GetField(i).GetLength(); }
    void SetFieldLength(int i, int length);
    char GetFieldType(int i) const { return GetField(i).GetFieldType(); }
    void SetFieldType(int i, char type);
    bool IsFieldNotBinary(int i) const { return GetFieldType(i) != 'B'; }
    char GetFieldFillInType(int i) const { return GetField(i).GetFillInType(); }
    void SetFieldFillInType(int i, char type);
    char GetFieldKind(int i) const { return GetField(i).GetKind(); }
    void SetFieldKind(int i, char kind);
    bool IsPhoneField(int i) const { return GetFieldKind(i) == 'T'; }
    bool IsFieldKindE(int i) const { return GetFieldKind(i) == 'E'; }
    bool IsFieldKindW(int i) const { return GetFieldKind(i) == 'W'; }
    void SetFieldSelectionable(int i);
    int GetFieldReferralFileNumber(int i) const { return GetField(i).GetReferralFileNumber(); }
    void SetFieldReferralFileNumber(int i, int number);
    int GetFieldDimension(int i) const { return GetField(i).GetDimension(); }
    // True when the value changed.
    bool SetFieldDimension(int i, int dimension);
    const std::string& GetFieldReferralFieldName(int i) const { return GetField(i).GetReferralFieldName(); }
    void SetFieldReferralFieldName(int i, std::string_view name);
    const std::string& GetFieldName(int i) const { return GetField(i).GetFieldName(); }
    // At most 10 bytes.
    void SetFieldFieldName(int i, std::string_view name);
    const std::string& GetFieldInternalName(int i) const { return GetField(i).GetInternalName(); }
    void SetFieldInternalName(int i, std::string_view name);
    char GetFieldAdditionalFormatting(int i) const { return GetField(i).GetAdditionalFormatting(); }
    void SetFieldAdditionalFormatting(int i, char value);
    bool IsFieldColumnHeader(int i) const { return GetField(i).IsColumnHeader(); }
    void SetFieldColumnHeader(int i, int flag);
    bool IsFieldNameHeader(int i) const { return GetField(i).IsNameHeader(); }
    void SetFieldNameHeader(int i, int flag);
    bool CanFieldBeHeader(int i) const { return GetField(i).CanBeHeader(); }
    void SetFieldCanBeHeader(int i, int flag);
    bool IsFieldExported(int i) const { return GetField(i).IsExported(); }
    void SetFieldExport(int i, int flag);
    void SetFieldGroupedIn(int i, std::string_view group);
    std::string GetFieldGroupName(int i) const { return GetField(i).GetGroupName(); }
    int GetFieldGroupNumber(int i) const { return GetField(i).GetGroupNumber(); }

    // ---- the data file -----------------------------------------------------------------------------
    int GetFileNumber() const { return m_fileNumber; }
    void SetFileNumber(int number) { m_fileNumber = number; }
    const std::string& GetFileName() const { return m_fileName; }
    void SetFileName(std::string_view name); // at most 12 bytes
    const std::string& GetMenuName() const { return m_menuName; }
    void SetMenuName(std::string_view name); // at most 49 bytes
    // Null when the menu name is empty or begins with a blank (a free slot).
    const std::string* GetMenuNameIfSet() const;
    // Offered when new items are made: the menu flag, unless the data file is shown only as a child.
    bool IsInMenu() const { return m_menu && !m_onlyChild; }
    bool GetMenuFlag() const { return m_menu; }
    void SetMenuFlag(bool flag) { m_menu = flag; }
    // 1 for a data file shown only as a child, else the stored "table" value.
    int GetTableNumber() const { return m_onlyChild ? 1 : m_tableNumber; }
    int GetStoredTableNumber() const { return m_tableNumber; }
    void SetTableNumber(int number) { m_tableNumber = number; }
    bool IsAllArea() const { return m_allArea; }
    void SetAllArea(bool flag) { m_allArea = flag; }
    bool IsOnlyChild() const { return m_onlyChild; }
    void SetOnlyChild(bool flag) { m_onlyChild = flag; }
    // At most 48 bytes.
    std::string GetStrongName() const;
    void SetStrongName(std::string_view name); // at most 49 bytes
    // The texts with their line breaks as carriage return and line feed (at most 399 bytes stored).
    std::string GetDescription() const;
    void SetDescription(std::string_view text);
    std::string GetOrderedBy() const;
    void SetOrderedBy(std::string_view text);
    // The stored forms, with the line-break markers.
    const std::string& GetStoredDescription() const { return m_description; }
    const std::string& GetStoredOrderedBy() const { return m_orderedBy; }
    const std::string& GetLargeIcon() const { return m_largeIcon; }
    const std::string& GetLargeIcon1() const { return m_largeIcon1; }
    // A name of 40 bytes or more is ignored.
    void SetLargeIcon(std::string_view name);
    void SetLargeIcon1(std::string_view name);
    // largeIcon when the icon selector is 1, else largeIcon1.
    const std::string& GetCurrentLargeIcon() const
    {
        return m_iconSelector == 1 ? m_largeIcon : m_largeIcon1;
    }
    void SetIconSelector(int selector) { m_iconSelector = selector; }
    // Both icons set and different (ignoring case).
    bool HasTwoLargeIcons() const;
    int GetDeleteChildren() const { return m_deleteChildren; }
    void SetDeleteChildren(int value) { m_deleteChildren = value; }
    int GetGroup() const { return m_group; }
    void SetGroup(int group) { m_group = group; }
    bool HasOwnItButton() const { return m_ownItButton; }
    void SetOwnItButton(bool flag) { m_ownItButton = flag; }
    int GetRecordLength() const { return m_recordLength; }
    // Counts the descriptors in use (up to the first empty one) and sums their lengths.
    void CountFields();

    // ---- field searches (up to the first empty descriptor) ----------------------------------------
    // Index of the field with that name, ignoring case; -1 when none.
    int FindFieldByName(std::string_view name) const;
    // The same on the internal names, trailing blanks of both sides removed.
    int FindFieldByInternalName(std::string_view name) const;
    // True when a field's group name is this one (ignoring case), over all 100 descriptors.
    bool HasGroup(std::string_view groupName) const;
    bool HasFieldOfKindF() const { return FindKind('F', 0) >= 0; }
    bool HasFieldOfKindT() const { return FindKind('T', 0) >= 0; }
    bool HasFieldOfKindE() const { return FindKind('E', 0) >= 0; }
    // Index of the first web-address field; 0 when none.
    int FindFieldOfKindW() const;
    // Walk the fields of one kind letter; -1 at the end. Each record has its own cursors.
    int FirstFieldOfKindF();
    int NextFieldOfKindF();
    int FirstFieldOfKindE();
    int NextFieldOfKindE();
    // Copies the descriptor into the first empty one among the first 99 (else the hundredth) and
    // returns its index.
    int AppendField(const CFieldDef& field);

    // ---- SQL pieces --------------------------------------------------------------------------------
    // False only when the title fields mix a currency field with fields of other types.
    bool IsStrongNameUnmixed() const;
    // The record title for a select list: the title fields joined by blanks, named recName
    // (" , [NAME] + \" \" + [YEAR] as recName "). Empty when the data file has no such fields.
    std::string BuildRecNameExpression() const;
    // The title fields as a column list ("[NAME] ,[YEAR]").
    std::string BuildNameFieldList() const;
    // The searchable text fields joined by blanks, with the operator `join` ("&" joins so that an empty
    // field does not hide the others).
    std::string BuildSearchNameExpression(std::string_view join = "+") const;

    bool operator==(const CDataFileDef& other) const;

private:
    int FindKind(char kind, int from) const;
    int UsedFields() const;

    int m_fieldCount = 0;
    bool m_menu = false;
    int m_tableNumber = 0;
    std::string m_menuName;
    std::string m_fileName;
    std::string m_description;
    std::string m_orderedBy;
    int m_fileNumber = 0;
    int m_deleteChildren = 0;
    bool m_allArea = false;
    bool m_onlyChild = false;
    std::string m_strongName;
    std::string m_largeIcon;
    std::string m_largeIcon1;
    int m_group = 0;
    bool m_ownItButton = false;
    std::array<CFieldDef, kMaxFields> m_fields;
    int m_recordLength = 0;
    int m_iconSelector = 1;
    CCatalogueDb* m_catalogue = nullptr;
    int m_kindFCursor = -1;
    int m_kindECursor = -1;
};
