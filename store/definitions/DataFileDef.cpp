#include "store/definitions/DataFileDef.h"

#include "platform/text/CaseFold.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <system_error>
#include <vector>

using platform::text::EqualsNoCase;
using platform::text::TruncateUtf8;

namespace {

std::string Cut(std::string_view text, size_t width)
{
    return std::string(TruncateUtf8(text, width - 1));
}

// Line breaks into their one-line markers and back.
std::string ToStoredLines(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c == '\r') {
            c = CDataFileDef::kCarriageReturnMark;
        } else if (c == '\n') {
            c = CDataFileDef::kLineFeedMark;
        }
    }
    return out;
}

std::string FromStoredLines(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c == CDataFileDef::kCarriageReturnMark) {
            c = '\r';
        } else if (c == CDataFileDef::kLineFeedMark) {
            c = '\n';
        }
    }
    return out;
}

std::string TrimTrailingBlanks(std::string_view text)
{
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return std::string(text);
}

bool IsCurrency(char type)
{
    return type == 'U' || type == 'u';
}

bool IsDate(char type)
{
    return type == 'D' || type == 'd';
}

// A letter as the tree stores it: its character code.
int LetterCode(char letter)
{
    return static_cast<unsigned char>(letter);
}

char LetterFrom(const CMarkupNode& node, std::string_view attribute)
{
    return static_cast<char>(node.GetAttributeInt(attribute));
}

// The export flag: written as the number "export_field"; also read from the truth value "Export" that
// other writers used, so that neither spelling is lost.
bool ExportFlagFrom(const CMarkupNode& node)
{
    std::string value;
    if (node.GetAttribute("export_field", value)) {
        return std::strtol(value.c_str(), nullptr, 10) != 0;
    }
    if (!node.GetAttribute("Export", value) || value.empty()) {
        return false;
    }
    if (EqualsNoCase(value, "TRUE") || EqualsNoCase(value, "T")) {
        return true;
    }
    if (EqualsNoCase(value, "FALSE") || EqualsNoCase(value, "F")) {
        return false;
    }
    return std::strtol(value.c_str(), nullptr, 10) != 0;
}

const CFieldDef& EmptyField()
{
    static const CFieldDef empty;
    return empty;
}

bool InRange(int i)
{
    return i >= 0 && i < CDataFileDef::kMaxFields;
}

} // namespace

// ---- record handling -----------------------------------------------------------------------------------

void CDataFileDef::Attach(CCatalogueDb* catalogue)
{
    Clear();
    m_catalogue = catalogue;
    m_iconSelector = 1;
}

void CDataFileDef::Clear()
{
    CCatalogueDb* catalogue = m_catalogue;
    *this = CDataFileDef();
    m_catalogue = catalogue;
}

bool CDataFileDef::SelectFile(int fileNumber)
{
    if (fileNumber == 0 || m_catalogue == nullptr) {
        return false;
    }
    m_catalogue->LoadDefinitionsIfNeeded();
    const CDataFileDef* found = m_catalogue->FindDefinition(fileNumber);
    if (found == nullptr) {
        return false;
    }
    CopyFrom(*found);
    return true;
}

bool CDataFileDef::SelectFileByName(std::string_view fileName)
{
    if (m_catalogue == nullptr) {
        return false;
    }
    m_catalogue->LoadDefinitionsIfNeeded();
    const CDataFileDef* found = m_catalogue->FindDefinitionByName(fileName);
    if (found == nullptr) {
        return false;
    }
    CopyFrom(*found);
    return true;
}

bool CDataFileDef::StoreInCatalogue() const
{
    if (m_catalogue == nullptr) {
        return false;
    }
    m_catalogue->LoadDefinitionsIfNeeded();
    return m_catalogue->StoreDefinition(*this);
}

void CDataFileDef::ClearMenuNameOf(int fileNumber) const
{
    if (m_catalogue == nullptr) {
        return;
    }
    m_catalogue->LoadDefinitionsIfNeeded();
    if (CDataFileDef* definition = m_catalogue->FindDefinition(fileNumber)) {
        definition->m_menuName.clear();
    }
}

void CDataFileDef::LoadDefinitions() const
{
    if (m_catalogue != nullptr) {
        m_catalogue->LoadDataStructure();
    }
}

void CDataFileDef::BuildDefinitionTree() const
{
    if (m_catalogue == nullptr) {
        return;
    }
    // Built from definitions never read, the tree would replace the stored ones by nothing.
    m_catalogue->LoadDefinitionsIfNeeded();
    auto root = std::make_unique<CMarkupNode>("dataFileDefinitions", "Container");
    root->SetAttributeLong("time", static_cast<long>(std::time(nullptr)));
    for (int slot = 1; slot < CCatalogueDb::kDefinitionSlots; ++slot) {
        CDataFileDef* definition = m_catalogue->GetDefinitionSlot(slot);
        if (definition != nullptr && definition->GetMenuNameIfSet() != nullptr) {
            definition->PrepareForTree();
            root->AddChild(definition->BuildNode());
        }
    }
    m_catalogue->SetDataStructure(std::move(root));
}

void CDataFileDef::SaveDefinitionTree() const
{
    if (m_catalogue == nullptr || m_catalogue->GetDatabase() == nullptr) {
        return;
    }
    const CMarkupNode* tree = m_catalogue->GetDataStructure();
    std::string stored;
    if (tree == nullptr || !m_catalogue->ReadFileText("metadata.txt", stored)) {
        return;
    }
    // A readable copy for support, in the product folder (never the current folder, which may be
    // anywhere).
    std::error_code error;
    const std::filesystem::path folder = GetProductDir();
    std::filesystem::create_directories(folder, error);
    tree->SaveToFile(folder / "A.txt");

    std::string text;
    tree->SaveToBuffer(text);
    m_catalogue->WriteFileText("metadata.txt", text);
}

int CDataFileDef::FindMatchingFile(CCatalogueDb* other) const
{
    if (other == nullptr) {
        return 0;
    }
    other->LoadDefinitionsIfNeeded();
    const std::string strongName = GetStrongName();
    if (!strongName.empty()) {
        for (int number = 0; number <= 98; ++number) {
            const CDataFileDef* candidate = other->FindDefinition(number);
            if (candidate != nullptr && EqualsNoCase(candidate->GetStrongName(), strongName)) {
                return number;
            }
        }
    }
    std::vector<int> candidates;
    for (int number = 0; number <= 98; ++number) {
        if (other->FindDefinition(number) != nullptr && MatchesFile(other, number)) {
            candidates.push_back(number);
        }
    }
    if (candidates.empty()) {
        return 0;
    }
    for (int number : candidates) {
        if (EqualsNoCase(other->FindDefinition(number)->GetMenuName(), m_menuName)) {
            return number;
        }
    }
    return candidates.front();
}

bool CDataFileDef::MatchesFile(CCatalogueDb* other, int fileNumber) const
{
    if (other == nullptr) {
        return false;
    }
    other->LoadDefinitionsIfNeeded();
    const CDataFileDef* candidate = other->FindDefinition(fileNumber);
    if (candidate == nullptr) {
        return false;
    }
    const std::string strongName = GetStrongName();
    if (!strongName.empty() && EqualsNoCase(candidate->GetStrongName(), strongName)) {
        return true;
    }
    for (int i = 0; i < UsedFields(); ++i) {
        const std::string& name = m_fields[static_cast<size_t>(i)].GetFieldName();
        if (!name.empty() && candidate->FindFieldByName(name) < 0) {
            return false;
        }
    }
    return true;
}

// ---- the stored form -----------------------------------------------------------------------------------

std::unique_ptr<CMarkupNode> CDataFileDef::BuildNode() const
{
    auto node = std::make_unique<CMarkupNode>(std::to_string(m_fileNumber), "DataFile");
    node->SetAttribute("description", m_description);
    node->SetAttribute("orderedBy", m_orderedBy);
    node->SetAttribute("menuName", m_menuName);
    node->SetAttributeInt("menu", m_menu ? 1 : 0);
    node->SetAttributeInt("table", m_tableNumber);
    node->SetAttribute("fileName", m_fileName);
    node->SetAttributeInt("fileNumber", m_fileNumber);
    node->SetAttributeInt("IsAllArea", m_allArea ? 1 : 0);
    node->SetAttribute("strongName", m_strongName);
    node->SetAttribute("largeIcon", m_largeIcon);
    node->SetAttribute("largeIcon1", m_largeIcon1);
    node->SetAttributeInt("IsOnlyChild", m_onlyChild ? 1 : 0);
    node->SetAttributeInt("OwnItButton", m_ownItButton ? 1 : 0);
    node->SetAttributeInt("deleteChildren", m_deleteChildren);
    node->SetAttributeInt("group", m_group);
    for (int i = 0; i < kMaxFields; ++i) {
        const CFieldDef& field = m_fields[static_cast<size_t>(i)];
        if (field.GetFieldName().empty()) {
            continue;
        }
        auto child = std::make_unique<CMarkupNode>(std::to_string(i), "DataField");
        child->SetAttributeInt("LENGTH", field.GetLength());
        child->SetAttributeInt("fieldType", LetterCode(field.GetFieldType()));
        child->SetAttributeInt("fillInType", LetterCode(field.GetFillInType()));
        child->SetAttributeInt("additionalFormatting", LetterCode(field.GetAdditionalFormatting()));
        child->SetAttributeInt("telephoneParam", LetterCode(field.GetKind()));
        child->SetAttributeInt("selectionable", field.IsSelectionable() ? 1 : 0);
        child->SetAttributeInt("referralFileNumber", field.GetReferralFileNumber());
        child->SetAttributeInt("dimension", field.GetDimension());
        child->SetAttribute("referralFieldName", field.GetReferralFieldName());
        child->SetAttribute("fieldName", field.GetFieldName());
        child->SetAttribute("className", field.GetClassName());
        child->SetAttribute("internalFieldName", field.GetInternalName());
        child->SetAttributeInt("column_header", field.IsColumnHeader() ? 1 : 0);
        child->SetAttributeInt("canBe_header", field.CanBeHeader() ? 1 : 0);
        child->SetAttributeInt("name_header", field.IsNameHeader() ? 1 : 0);
        child->SetAttributeInt("export_field", field.IsExported() ? 1 : 0);
        child->SetAttributeInt("quickSearch", field.IsQuickSearch() ? 1 : 0);
        child->SetAttributeInt("inFirstPage", field.GetInFirstPage());
        child->SetAttribute("groupedIn", field.GetGroupedIn());
        node->AddChild(std::move(child));
    }
    return node;
}

void CDataFileDef::LoadFromNode(CMarkupNode& node, bool hasOwnedTable)
{
    Attach(m_catalogue);
    m_fileNumber = static_cast<int>(
        std::clamp<long>(std::strtol(node.GetName().c_str(), nullptr, 10), INT_MIN, INT_MAX));
    m_menuName = Cut(node.GetAttribute("menuName"), kMenuNameWidth);
    m_description = Cut(node.GetAttribute("description"), kDescriptionWidth);
    m_orderedBy = Cut(node.GetAttribute("orderedBy"), kDescriptionWidth);
    m_strongName = Cut(node.GetAttribute("strongName"), kStrongNameWidth);
    m_largeIcon = Cut(node.GetAttribute("largeIcon"), kLargeIconWidth);
    m_largeIcon1 = Cut(node.GetAttribute("largeIcon1"), kLargeIconWidth);
    if (m_menuName.empty()) {
        m_menuName = TruncateUtf8(node.GetAttribute("internalFileName"), 19);
    }
    m_fileName = Cut(node.GetAttribute("fileName"), kFileNameWidth);
    m_ownItButton = hasOwnedTable && node.GetAttributeInt("OwnItButton") != 0;
    m_menu = node.GetAttributeInt("menu") != 0;
    m_tableNumber = node.GetAttributeInt("table");
    if (node.FindAttribute("fileNumber") != nullptr) {
        m_fileNumber = node.GetAttributeInt("fileNumber");
    }
    m_deleteChildren = node.GetAttributeInt("deleteChildren");
    m_allArea = node.GetAttributeInt("isAllArea") != 0;
    m_onlyChild = node.GetAttributeInt("isOnlyChild") != 0;
    m_group = node.GetAttributeInt("group");

    int i = 0;
    for (CMarkupNode* child = node.GetFirstChild(); child != nullptr && i < kMaxFields;
         child = child->GetNextSibling(), ++i) {
        CFieldDef& field = m_fields[static_cast<size_t>(i)];
        field.SetLength(child->GetAttributeInt("LENGTH"));
        field.SetFieldType(LetterFrom(*child, "fieldType"));
        field.SetFillInType(LetterFrom(*child, "fillInType"));
        field.SetKind(LetterFrom(*child, "telephoneParam"));
        field.SetSelectionable(child->GetAttributeInt("selectionable") != 0);
        field.SetReferralFileNumber(child->GetAttributeInt("referralFileNumber"));
        field.SetDimension(child->GetAttributeInt("dimension"));
        field.SetReferralFieldName(child->GetAttribute("referralFieldName"));
        field.SetFieldNameLimited(child->GetAttribute("fieldName"), CFieldDef::kFieldNameWidth - 1);
        field.SetClassName(child->GetAttribute("className"));
        field.SetInternalName(child->GetAttribute("internalFieldName"));
        field.SetAdditionalFormatting(LetterFrom(*child, "additionalFormatting"));
        field.SetColumnHeader(child->GetAttributeInt("column_header") != 0);
        field.SetCanBeHeader(child->GetAttributeInt("canbe_header") != 0);
        field.SetNameHeader(child->GetAttributeInt("name_header") != 0);
        field.SetExport(ExportFlagFrom(*child));
        field.SetQuickSearch(child->GetAttributeInt("quickSearch") != 0);
        field.SetInFirstPage(child->GetAttributeInt("inFirstPage"));
        field.SetGroupedIn(child->GetAttribute("groupedIn"));
    }
    m_fieldCount = i;
}

void CDataFileDef::PrepareForTree()
{
    for (int i = 0; i < kMaxFields; ++i) {
        CFieldDef& field = m_fields[static_cast<size_t>(i)];
        const std::string name = field.GetFieldName();
        if (name.empty()) {
            continue;
        }
        // Later fields of the same name get another last character: the next letter or digit, stepping
        // further for each field met ('9' wraps to '1', 'Z' to 'a', 'z' to 'A').
        int step = 1;
        for (int j = i + 1; j < kMaxFields; ++j) {
            CFieldDef& later = m_fields[static_cast<size_t>(j)];
            std::string other = later.GetFieldName();
            if (other.empty()) {
                break;
            }
            if (!EqualsNoCase(other, name)) {
                continue;
            }
            char& last = other.back();
            const bool steps =
                (last >= '0' && last <= '8') || (last >= 'a' && last <= 'y') || (last >= 'A' && last <= 'Y');
            if (steps) {
                // The scan goes on, so that a third field of the same name is changed as well.
                last = static_cast<char>(last + step);
                later.SetFieldNameLimited(other, CFieldDef::kFieldNameWidth - 1);
                ++step;
                continue;
            }
            if (last == '9') {
                last = '1';
            } else if (last == 'Z') {
                last = 'a';
            } else if (last == 'z') {
                last = 'A';
            }
            later.SetFieldNameLimited(other, CFieldDef::kFieldNameWidth - 1);
            ++step;
        }
        if (field.GetFieldType() == 0 || field.GetFieldType() == ' ') {
            field.SetFieldType('F');
        }
        if (field.GetFillInType() == 0 || field.GetFillInType() == ' ') {
            field.SetFillInType('F');
        }
        if (field.GetKind() == 0) {
            field.SetKind('F');
        }
    }
}

// ---- fields by index -----------------------------------------------------------------------------------

const CFieldDef& CDataFileDef::GetField(int i) const
{
    return InRange(i) ? m_fields[static_cast<size_t>(i)] : EmptyField();
}

CFieldDef* CDataFileDef::Field(int i)
{
    return InRange(i) ? &m_fields[static_cast<size_t>(i)] : nullptr;
}

void CDataFileDef::SetFieldLength(int i, int length)
{
    if (CFieldDef* field = Field(i)) {
        field->SetLength(length);
    }
}

void CDataFileDef::SetFieldType(int i, char type)
{
    if (CFieldDef* field = Field(i)) {
        field->SetFieldType(type);
    }
}

void CDataFileDef::SetFieldFillInType(int i, char type)
{
    if (CFieldDef* field = Field(i)) {
        field->SetFillInType(type);
    }
}

void CDataFileDef::SetFieldKind(int i, char kind)
{
    if (CFieldDef* field = Field(i)) {
        field->SetKind(kind);
    }
}

void CDataFileDef::SetFieldSelectionable(int i)
{
    if (CFieldDef* field = Field(i)) {
        field->SetSelectionable(true);
    }
}

void CDataFileDef::SetFieldReferralFileNumber(int i, int number)
{
    if (CFieldDef* field = Field(i)) {
        field->SetReferralFileNumber(number);
    }
}

bool CDataFileDef::SetFieldDimension(int i, int dimension)
{
    CFieldDef* field = Field(i);
    return field != nullptr && field->SetDimension(dimension);
}

void CDataFileDef::SetFieldReferralFieldName(int i, std::string_view name)
{
    if (CFieldDef* field = Field(i)) {
        field->SetReferralFieldName(name);
    }
}

void CDataFileDef::SetFieldFieldName(int i, std::string_view name)
{
    if (CFieldDef* field = Field(i)) {
        field->SetFieldNameLimited(name, 10);
    }
}

void CDataFileDef::SetFieldInternalName(int i, std::string_view name)
{
    if (CFieldDef* field = Field(i)) {
        field->SetInternalName(name);
    }
}

void CDataFileDef::SetFieldAdditionalFormatting(int i, char value)
{
    if (CFieldDef* field = Field(i)) {
        field->SetAdditionalFormatting(value);
    }
}

void CDataFileDef::SetFieldColumnHeader(int i, int flag)
{
    if (CFieldDef* field = Field(i)) {
        field->SetColumnHeader(flag != 0);
    }
}

void CDataFileDef::SetFieldNameHeader(int i, int flag)
{
    if (CFieldDef* field = Field(i)) {
        field->SetNameHeader(flag != 0);
    }
}

void CDataFileDef::SetFieldCanBeHeader(int i, int flag)
{
    if (CFieldDef* field = Field(i)) {
        field->SetCanBeHeader(flag != 0);
    }
}

void CDataFileDef::SetFieldExport(int i, int flag)
{
    if (CFieldDef* field = Field(i)) {
        field->SetExport(flag != 0);
    }
}

void CDataFileDef::SetFieldGroupedIn(int i, std::string_view group)
{
    if (CFieldDef* field = Field(i)) {
        field->SetGroupedIn(group);
    }
}

// ---- the data file -------------------------------------------------------------------------------------

void CDataFileDef::SetFileName(std::string_view name)
{
    m_fileName = Cut(name, kFileNameWidth);
}

void CDataFileDef::SetMenuName(std::string_view name)
{
    m_menuName = Cut(name, kMenuNameWidth);
}

const std::string* CDataFileDef::GetMenuNameIfSet() const
{
    return m_menuName.empty() || m_menuName[0] == ' ' ? nullptr : &m_menuName;
}

std::string CDataFileDef::GetStrongName() const
{
    return std::string(TruncateUtf8(m_strongName, kStrongNameWidth - 2));
}

void CDataFileDef::SetStrongName(std::string_view name)
{
    m_strongName = Cut(name, kStrongNameWidth);
}

std::string CDataFileDef::GetDescription() const
{
    return FromStoredLines(m_description);
}

void CDataFileDef::SetDescription(std::string_view text)
{
    m_description = Cut(ToStoredLines(text), kDescriptionWidth);
}

std::string CDataFileDef::GetOrderedBy() const
{
    return FromStoredLines(m_orderedBy);
}

void CDataFileDef::SetOrderedBy(std::string_view text)
{
    m_orderedBy = Cut(ToStoredLines(text), kDescriptionWidth);
}

void CDataFileDef::SetLargeIcon(std::string_view name)
{
    if (name.size() < kLargeIconWidth) {
        m_largeIcon = name;
    }
}

void CDataFileDef::SetLargeIcon1(std::string_view name)
{
    if (name.size() < kLargeIconWidth) {
        m_largeIcon1 = name;
    }
}

bool CDataFileDef::HasTwoLargeIcons() const
{
    return !m_largeIcon.empty() && !m_largeIcon1.empty() && !EqualsNoCase(m_largeIcon, m_largeIcon1);
}

int CDataFileDef::UsedFields() const
{
    int count = 0;
    while (count < kMaxFields && m_fields[static_cast<size_t>(count)].GetLength() != 0) {
        ++count;
    }
    return count;
}

void CDataFileDef::CountFields()
{
    m_fieldCount = UsedFields();
    m_recordLength = 0;
    for (int i = 0; i < m_fieldCount; ++i) {
        m_recordLength += m_fields[static_cast<size_t>(i)].GetLength();
    }
}

// ---- field searches ------------------------------------------------------------------------------------

int CDataFileDef::FindFieldByName(std::string_view name) const
{
    for (int i = 0; i < UsedFields(); ++i) {
        if (EqualsNoCase(m_fields[static_cast<size_t>(i)].GetFieldName(), name)) {
            return i;
        }
    }
    return -1;
}

int CDataFileDef::FindFieldByInternalName(std::string_view name) const
{
    const std::string wanted = TrimTrailingBlanks(name);
    for (int i = 0; i < UsedFields(); ++i) {
        if (EqualsNoCase(TrimTrailingBlanks(m_fields[static_cast<size_t>(i)].GetInternalName()), wanted)) {
            return i;
        }
    }
    return -1;
}

bool CDataFileDef::HasGroup(std::string_view groupName) const
{
    for (const CFieldDef& field : m_fields) {
        if (EqualsNoCase(field.GetGroupName(), groupName)) {
            return true;
        }
    }
    return false;
}

int CDataFileDef::FindKind(char kind, int from) const
{
    const int used = UsedFields();
    for (int i = std::max(from, 0); i < used; ++i) {
        if (m_fields[static_cast<size_t>(i)].GetKind() == kind) {
            return i;
        }
    }
    return -1;
}

int CDataFileDef::FindFieldOfKindW() const
{
    const int found = FindKind('W', 0);
    return found < 0 ? 0 : found;
}

int CDataFileDef::FirstFieldOfKindF()
{
    return m_kindFCursor = FindKind('F', 0);
}

int CDataFileDef::NextFieldOfKindF()
{
    return m_kindFCursor = m_kindFCursor < 0 ? -1 : FindKind('F', m_kindFCursor + 1);
}

int CDataFileDef::FirstFieldOfKindE()
{
    return m_kindECursor = FindKind('E', 0);
}

int CDataFileDef::NextFieldOfKindE()
{
    return m_kindECursor = m_kindECursor < 0 ? -1 : FindKind('E', m_kindECursor + 1);
}

int CDataFileDef::AppendField(const CFieldDef& field)
{
    int at = kMaxFields - 1;
    for (int i = 0; i < kMaxFields - 1; ++i) {
        if (m_fields[static_cast<size_t>(i)].GetLength() == 0) {
            at = i;
            break;
        }
    }
    m_fields[static_cast<size_t>(at)].CopyFrom(field);
    return at;
}

// ---- SQL pieces ----------------------------------------------------------------------------------------

bool CDataFileDef::IsStrongNameUnmixed() const
{
    bool currency = false;
    bool other = false;
    for (int i = 0; i < UsedFields(); ++i) {
        const CFieldDef& field = m_fields[static_cast<size_t>(i)];
        if (field.IsNameHeader()) {
            (IsCurrency(field.GetFieldType()) ? currency : other) = true;
        }
    }
    return !(currency && other);
}

std::string CDataFileDef::BuildRecNameExpression() const
{
    std::string text;
    int taken = 0;
    std::optional<bool> currencyGroup;
    for (int i = 0; i < UsedFields(); ++i) {
        const CFieldDef& field = m_fields[static_cast<size_t>(i)];
        if (!field.IsNameHeader() || field.GetFillInType() != 'D') {
            continue;
        }
        const bool currency = IsCurrency(field.GetFieldType());
        if (!currencyGroup) {
            currencyGroup = currency;
        }
        if (currency != *currencyGroup) {
            continue;
        }
        text += taken == 0 ? " , [" : " + \" \" + [";
        text += field.GetFieldName();
        text += "]";
        ++taken;
    }
    if (taken == 1) {
        text += " + \" \"";
    }
    if (!text.empty()) {
        text += " as recName ";
    }
    return text;
}

std::string CDataFileDef::BuildNameFieldList() const
{
    std::string text;
    std::optional<bool> currencyGroup;
    for (int i = 0; i < UsedFields(); ++i) {
        const CFieldDef& field = m_fields[static_cast<size_t>(i)];
        if (!field.IsNameHeader()) {
            continue;
        }
        const bool currency = IsCurrency(field.GetFieldType());
        if (!currencyGroup) {
            currencyGroup = currency;
        }
        if (currency != *currencyGroup || IsDate(field.GetFieldType())) {
            continue;
        }
        text += text.empty() ? "[" : " ,[";
        text += field.GetFieldName();
        text += "]";
    }
    return text;
}

std::string CDataFileDef::BuildSearchNameExpression(std::string_view join) const
{
    const std::string between = " " + std::string(join) + " \" \" " + std::string(join) + " [";
    std::string text;
    int taken = 0;
    for (int i = 0; i < UsedFields(); ++i) {
        const CFieldDef& field = m_fields[static_cast<size_t>(i)];
        const char type = field.GetFieldType();
        if (type == 'B' || !field.CanBeHeader() || field.GetFillInType() == 'D' || IsCurrency(type) ||
            IsDate(type)) {
            continue;
        }
        text += taken == 0 ? " [" : between;
        text += field.GetFieldName();
        text += "]";
        ++taken;
    }
    if (taken == 1) {
        text += " " + std::string(join) + " \" \"";
    }
    return text;
}

bool CDataFileDef::operator==(const CDataFileDef& other) const
{
    return m_fieldCount == other.m_fieldCount && m_menu == other.m_menu &&
           m_tableNumber == other.m_tableNumber && m_menuName == other.m_menuName &&
           m_fileName == other.m_fileName && m_description == other.m_description &&
           m_orderedBy == other.m_orderedBy && m_fileNumber == other.m_fileNumber &&
           m_deleteChildren == other.m_deleteChildren && m_allArea == other.m_allArea &&
           m_onlyChild == other.m_onlyChild && m_strongName == other.m_strongName &&
           m_largeIcon == other.m_largeIcon && m_largeIcon1 == other.m_largeIcon1 &&
           m_group == other.m_group && m_ownItButton == other.m_ownItButton && m_fields == other.m_fields &&
           m_recordLength == other.m_recordLength;
}
