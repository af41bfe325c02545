// The catalogue's stored texts, pictures, fonts and queries, and the look-ups of copied records.

#include "store/catalogue/CatalogueDb.h"

#include "codecs/CatalogueImage.h"
#include "codecs/TextException.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/text/CaseFold.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueImageField.h"
#include "store/catalogue/DataRecordset.h"
#include "store/catalogue/SqlText.h"
#include "store/definitions/BuiltinDataFiles.h"
#include "store/program/Settings.h"
#include "store/program/TraceLog.h"

#include <algorithm>
#include <exception>
#include <fstream>
#include <iterator>

using namespace platform::dao;
using platform::text::EqualsNoCase;

namespace {

constexpr long kResourceFailed = 10220;
constexpr unsigned kQueryFileExtension = 39007;

void LogFailure(const std::exception& error)
{
    DebugLogNumber(kResourceFailed);
    AppendLogString("Exception ", error.what());
}

std::string Query(std::string_view table, std::string_view column, std::string_view value)
{
    return "SELECT * FROM " + std::string(table) + " where " + std::string(column) + " = " +
           std::string(value) + " ;";
}

// Writes a tree's text into an existing FILES row; false when there is none.
bool RewriteRow(CDaoDatabase* db, std::string_view name, const CMarkupNode& tree)
{
    CDataRecordset rs(db);
    rs.OpenQuery(dbOpenDynaset, Query("FILES", "name", SqlText(name)));
    if (rs.IsEOF()) {
        return false;
    }
    std::string text;
    tree.SaveToBuffer(text);
    rs.Edit();
    rs.SetFieldMemo("TEXT", text);
    rs.Update();
    return true;
}

// A font description as it reads back from its stored form, so that fonts compare the way they are kept.
LogFont StoredForm(const LogFont& font)
{
    CMarkupNode node("0", "font");
    node.SetLogFont(font);
    LogFont stored;
    node.GetLogFont(stored, 96);
    return stored;
}

LogFont ParseFont(const std::string& description, int screenDpiY)
{
    CMarkupNode node;
    node.LoadFromBuffer(description);
    LogFont font;
    node.GetLogFont(font, screenDpiY);
    return font;
}

} // namespace

// ---- stored texts --------------------------------------------------------------------------------------

bool CCatalogueDb::ReadFileTree(std::string_view name, CMarkupNode& tree)
{
    std::string text;
    if (!ReadFileText(name, text)) {
        return false;
    }
    tree.LoadFromBuffer(text);
    return true;
}

bool CCatalogueDb::WriteFileTree(std::string_view name, const CMarkupNode& tree)
{
    std::string text;
    tree.SaveToBuffer(text);
    return WriteFileText(name, text);
}

bool CCatalogueDb::DeleteFileRow(std::string_view name)
{
    return DeleteRowNamed("FILES", name);
}

std::time_t CCatalogueDb::GetFileModificationDate(std::string_view name)
{
    if (!m_database) {
        return 0;
    }
    CDataRecordset rs(m_database.get());
    try {
        rs.OpenQuery(dbOpenSnapshot, Query("FILES", "name", SqlText(name)));
        return rs.IsEOF() ? 0 : rs.GetFieldTime("MODIDATE");
    } catch (const std::exception& error) {
        LogFailure(error);
        return 0;
    }
}

CMarkupNode* CCatalogueDb::CachedTree(std::unique_ptr<CMarkupNode>& cache, std::string_view row,
                                      std::string_view name, std::string_view type)
{
    if (!cache && m_database) {
        cache = name.empty() ? std::make_unique<CMarkupNode>() : std::make_unique<CMarkupNode>(name, type);
        ReadFileTree(row, *cache);
    }
    return cache.get();
}

CMarkupNode* CCatalogueDb::GetGuiInfo()
{
    return CachedTree(m_guiInfo, "guiInfo.txt", {}, {});
}

CMarkupNode* CCatalogueDb::LoadCcInfo()
{
    return CachedTree(m_ccInfo, "ccInfo.txt", {}, {});
}

CMarkupNode* CCatalogueDb::GetPageFormats()
{
    return CachedTree(m_pageFormats, "pageFormats.txt", "pageFormat", "main");
}

CMarkupNode* CCatalogueDb::GetWebTemplates()
{
    return CachedTree(m_webTemplates, "webTemplates.txt", "WebTemplates", "main");
}

CMarkupNode* CCatalogueDb::GetReportTemplates()
{
    return CachedTree(m_reportTemplates, "reportTemplates.txt", "reportTemplates", "main");
}

void CCatalogueDb::DiscardGuiInfo()
{
    m_guiInfo.reset();
    m_ccInfo.reset();
}

int CCatalogueDb::SaveGuiInfo(CMarkupNode* ccTree, CMarkupNode* guiTree)
{
    if (!m_database || ccTree == nullptr) {
        return 0;
    }
    if (guiTree != nullptr) {
        // Control data of controls that no form holds any more goes.
        for (bool removed = true; removed;) {
            removed = false;
            for (CMarkupNode* node = ccTree->FindFirstByType("controlData"); node != nullptr;
                 node = ccTree->FindNextByType("controlData")) {
                if (!guiTree->NameEquals(node->GetName()) &&
                    guiTree->FindFirstByName(node->GetName()) == nullptr) {
                    ccTree->DetachChild(node);
                    removed = true;
                    break;
                }
            }
        }
    }
    try {
        if (guiTree != nullptr && !RewriteRow(m_database.get(), "guiInfo.txt", *guiTree)) {
            return 0;
        }
        return RewriteRow(m_database.get(), "ccInfo.txt", *ccTree) ? 1 : 0;
    } catch (const std::exception& error) {
        LogFailure(error);
        return 0;
    }
}

void CCatalogueDb::SaveCachedTree(std::unique_ptr<CMarkupNode>& cache, std::string_view row,
                                  std::string_view name, std::string_view type)
{
    if (CMarkupNode* tree = CachedTree(cache, row, name, type)) {
        WriteFileTree(row, *tree);
    }
}

void CCatalogueDb::SavePageFormats()
{
    SaveCachedTree(m_pageFormats, "pageFormats.txt", "pageFormat", "main");
}

void CCatalogueDb::SaveWebTemplates()
{
    SaveCachedTree(m_webTemplates, "webTemplates.txt", "WebTemplates", "main");
}

void CCatalogueDb::SaveReportTemplates()
{
    SaveCachedTree(m_reportTemplates, "reportTemplates.txt", "reportTemplates", "main");
}

void CCatalogueDb::SetDefaultTemplate(int dataNumber, std::string_view templateName)
{
    CMarkupNode* templates = GetWebTemplates();
    if (templates == nullptr) {
        return;
    }
    const std::string number = std::to_string(dataNumber);
    CMarkupNode* found = nullptr;
    for (CMarkupNode* node = templates->BeginWalk(); node != nullptr && found == nullptr;
         node = templates->NextWalk()) {
        if (node->AttributeEquals("DataName", number) && node->AttributeEquals("layoutType", "defaultHTML")) {
            found = node;
        }
    }
    if (found == nullptr) {
        found = templates->AddChild(std::make_unique<CMarkupNode>("default", "default"));
        found->SetAttribute("layoutType", "defaultHTML");
        found->SetAttribute("templateName", templateName);
        found->SetAttribute("DataName", number);
    } else {
        found->SetAttribute("templateName", templateName);
    }
    SaveWebTemplates();
}

std::optional<std::string> CCatalogueDb::GetDefaultTemplate(int dataNumber)
{
    CMarkupNode* templates = GetWebTemplates();
    if (templates == nullptr) {
        return std::nullopt;
    }
    const std::string number = std::to_string(dataNumber);
    for (CMarkupNode* node = templates->BeginWalk(); node != nullptr; node = templates->NextWalk()) {
        if (node->AttributeEquals("DataName", number) && node->AttributeEquals("layoutType", "defaultHTML")) {
            return std::string(platform::text::TruncateUtf8(node->GetAttribute("templateName"), 40));
        }
    }
    return std::nullopt;
}

namespace {

// Detaches every node below the root whose "DataName" is the number.
void DetachNodesOfFile(CMarkupNode& root, int dataNumber)
{
    const std::string number = std::to_string(dataNumber);
    root.DetachDescendantsIf(
        [&](const CMarkupNode& node) { return node.AttributeEquals("DataName", number); });
}

} // namespace

void CCatalogueDb::RemoveWebTemplatesOfFile(int dataNumber)
{
    if (CMarkupNode* templates = GetWebTemplates()) {
        DetachNodesOfFile(*templates, dataNumber);
        SaveWebTemplates();
    }
}

void CCatalogueDb::RemoveReportTemplatesOfFile(int dataNumber)
{
    if (CMarkupNode* templates = GetReportTemplates()) {
        DetachNodesOfFile(*templates, dataNumber);
        SaveReportTemplates();
    }
}

CMarkupNode* FindGuiInfoElement(int fileNumber, CCatalogueDb* catalogue)
{
    if (catalogue == nullptr || fileNumber == 0) {
        return nullptr;
    }
    CMarkupNode* gui = catalogue->GetGuiInfo();
    if (gui == nullptr) {
        return nullptr;
    }
    const std::string name = "23" + std::to_string(fileNumber);
    if (CMarkupNode* form = gui->FindFirstByName(name + "F")) {
        return form;
    }
    return gui->FindFirstByName(name);
}

namespace {

bool FormHasControl(int fileNumber, CCatalogueDb* catalogue, std::string_view className)
{
    CMarkupNode* form = FindGuiInfoElement(fileNumber, catalogue);
    if (form == nullptr) {
        return false;
    }
    for (CMarkupNode* node = form->BeginWalk(); node != nullptr; node = form->NextWalk()) {
        if (EqualsNoCase(node->GetType(), "element") && node->AttributeEquals("CNT_NAME", className)) {
            return true;
        }
    }
    return false;
}

} // namespace

bool IsFatherElement(int fileNumber, CCatalogueDb* catalogue)
{
    return FormHasControl(fileNumber, catalogue, "fatherName");
}

bool IsGrandfatherElement(int fileNumber, CCatalogueDb* catalogue)
{
    return FormHasControl(fileNumber, catalogue, "grandfatherName");
}

bool HasChildListElement(int fileNumber, CCatalogueDb* catalogue)
{
    return FormHasControl(fileNumber, catalogue, "childList");
}

// ---- pictures ------------------------------------------------------------------------------------------

bool CCatalogueDb::ReadImage(int number, CCatalogueImage& picture)
{
    if (!m_database) {
        return false;
    }
    CDataRecordset rs(m_database.get());
    try {
        rs.OpenQuery(dbOpenDynaset, Query("BMP", "number", std::to_string(number)));
        return !rs.IsEOF() && LoadFromField(picture, "BMP_DESCRIPTION", rs, true);
    } catch (const std::exception& error) {
        LogFailure(error);
        return false;
    }
}

bool CCatalogueDb::WriteImage(CCatalogueImage& picture, int number)
{
    if (!m_database) {
        return false;
    }
    CDataRecordset rs(m_database.get());
    try {
        rs.OpenQuery(dbOpenDynaset, Query("BMP", "number", std::to_string(number)));
        if (rs.IsEOF()) {
            rs.OpenQuery(dbOpenTable, "BMP");
            rs.AddNew();
        } else {
            rs.Edit();
        }
        StoreToField(picture, "BMP_DESCRIPTION", rs, true);
        rs.SetFieldLong("NUMBER", number);
        rs.Update();
        return true;
    } catch (const std::exception& error) {
        LogFailure(error);
        if (rs.IsOpen() && rs.GetEditMode() != dbEditNone) {
            rs.CancelUpdate();
        }
        return false;
    }
}

void CCatalogueDb::CopyImage(int number, CCatalogueDb& source, int newNumber)
{
    CCatalogueImage companion;
    if (source.ReadAltImage(number, companion)) {
        WriteAltImage(companion, newNumber);
    }
    CCatalogueImage main;
    if (source.ReadImage(number, main)) {
        WriteImage(main, newNumber);
    }
}

// ---- fonts ---------------------------------------------------------------------------------------------

bool LogFontsDiffer(const LogFont& a, const LogFont& b)
{
    return a.height != b.height || a.width != b.width || a.escapement != b.escapement ||
           a.orientation != b.orientation || a.weight != b.weight || a.italic != b.italic ||
           a.underline != b.underline || a.strikeOut != b.strikeOut || a.charSet != b.charSet ||
           a.outPrecision != b.outPrecision || a.clipPrecision != b.clipPrecision || a.quality != b.quality ||
           a.pitchAndFamily != b.pitchAndFamily || a.faceName != b.faceName;
}

std::optional<LogFont> CCatalogueDb::GetFont(int number, bool reset, int screenDpiY)
{
    if (reset) {
        m_fontNumber = 0;
        m_font.reset();
    }
    if (number == 0 || !m_database) {
        return std::nullopt;
    }
    if (number == m_fontNumber) {
        return m_font;
    }
    m_fontNumber = number;
    m_font.reset();
    CDataRecordset rs(m_database.get());
    try {
        rs.OpenQuery(dbOpenSnapshot, "SELECT * FROM FONTS where NUMBER = " + std::to_string(number) + " ;");
        if (!rs.IsEOF()) {
            m_font = ParseFont(rs.GetFieldText("FONT_DESCRIPTION"), screenDpiY);
        }
    } catch (const std::exception& error) {
        LogFailure(error);
    }
    return m_font;
}

int CCatalogueDb::GetFontNumber(const LogFont& font)
{
    if (!m_database) {
        return 0;
    }
    const LogFont wanted = StoredForm(font);
    CDataRecordset rs(m_database.get());
    try {
        rs.OpenQuery(dbOpenTable, "FONTS");
        int highest = 0;
        for (; !rs.IsEOF(); rs.MoveNext()) {
            const int number = rs.GetFieldLong("NUMBER");
            if (!LogFontsDiffer(ParseFont(rs.GetFieldText("FONT_DESCRIPTION"), 96), wanted)) {
                return number;
            }
            highest = std::max(highest, number);
        }
        const int number = highest + 1;
        CMarkupNode description(std::to_string(number), "font");
        description.SetLogFont(font);
        std::string text;
        description.SaveToBuffer(text);
        rs.AddNew();
        rs.SetFieldText("NUMBER", std::to_string(number));
        rs.SetFieldText("FONT_DESCRIPTION", text);
        rs.Update();
        return number;
    } catch (const std::exception& error) {
        LogFailure(error);
        return 0;
    }
}

// ---- stored queries ------------------------------------------------------------------------------------

bool CCatalogueDb::ReadQuery(std::string_view name, std::string& contents)
{
    if (!m_database) {
        return false;
    }
    CDataRecordset rs(m_database.get());
    try {
        rs.OpenQuery(dbOpenSnapshot, Query("QUERIES", "name", SqlText(name)));
        if (rs.IsEOF()) {
            return false;
        }
        contents = rs.GetFieldText("CONTENTS");
        return true;
    } catch (const std::exception& error) {
        LogFailure(error);
        return false;
    }
}

bool CCatalogueDb::WriteQuery(std::string_view name, std::string_view contents, double parent)
{
    if (!m_database) {
        return false;
    }
    CDataRecordset rs(m_database.get());
    try {
        rs.OpenQuery(dbOpenDynaset, Query("QUERIES", "name", SqlText(name)));
        if (rs.IsEOF()) {
            rs.OpenQuery(dbOpenTable, "QUERIES");
            rs.AddNew();
            // A new query is a record of data file 23 like any other: it gets its key code.
            CNodeRef key;
            key.Set(kQueriesFile, static_cast<std::uint32_t>(rs.GetFieldValue("AUTOINCR").GetLong()), this);
            rs.SetFieldDouble("UID", key.GetCode());
            rs.SetFieldBool("DELETED", false);
        } else {
            rs.Edit();
        }
        if (!contents.empty()) {
            rs.SetFieldText("CONTENTS", contents);
        }
        rs.SetFieldText("NAME", name);
        rs.SetFieldDouble("PARENT", parent);
        rs.Update();
        return true;
    } catch (const std::exception& error) {
        LogFailure(error);
        return false;
    }
}

bool CCatalogueDb::DeleteQuery(std::string_view name)
{
    return DeleteRowNamed("QUERIES", name);
}

bool CCatalogueDb::DeleteRowNamed(std::string_view table, std::string_view name)
{
    if (!m_database) {
        return false;
    }
    CDataRecordset rs(m_database.get());
    try {
        rs.OpenQuery(dbOpenDynaset, Query(table, "name", SqlText(name)));
        if (rs.IsEOF()) {
            return false;
        }
        rs.Delete();
        return true;
    } catch (const std::exception& error) {
        LogFailure(error);
        return false;
    }
}

bool ReadStoredQueryText(CCatalogueDb* catalogue, std::string_view name, std::string& text)
{
    if (catalogue != nullptr) {
        return catalogue->ReadQuery(name, text);
    }
    // The name comes from a clipboard or a page: it must name a file in the product folder itself.
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string_view::npos ||
        name.find('\0') != std::string_view::npos) {
        return false;
    }
    std::ifstream file(GetProductDir() / (std::string(name) + LoadResString(kQueryFileExtension)),
                       std::ios::binary);
    if (!file) {
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

// ---- copies of records of another catalogue ------------------------------------------------------------

double CCatalogueDb::FindCopyColumn(const CDataFileDef& definition, double keyCode, std::string_view column)
{
    if (!m_database) {
        return -2;
    }
    const int number = definition.FindMatchingFile(this);
    const CDataFileDef* here = FindDefinition(number);
    if (number == 0 || here == nullptr) {
        return -2;
    }
    CDataRecordset rs(m_database.get());
    try {
        rs.OpenQuery(dbOpenSnapshot, "SELECT * from " + SqlName(here->GetFileName()) +
                                         " WHERE DELETED = False AND [FROM-UID] = " + SqlNumber(keyCode) +
                                         " ;");
        if (rs.IsEOF()) {
            return -1;
        }
        try {
            return rs.GetFieldDouble(column);
        } catch (const std::exception&) {
            return 0;
        }
    } catch (const std::exception& error) {
        LogFailure(error);
        return -1;
    }
}

double CCatalogueDb::GetLinkedParent(const CDataFileDef& definition, double keyCode)
{
    return FindCopyColumn(definition, keyCode, "PARENT");
}

double CCatalogueDb::FindCopyUid(const CDataFileDef& definition, double keyCode)
{
    return FindCopyColumn(definition, keyCode, "UID");
}

bool CCatalogueDb::HasOtherDataFile(const CDataFileDef& definition)
{
    const std::string strongName = definition.GetStrongName();
    if (strongName.empty() || !m_database) {
        return false;
    }
    LoadDefinitionsIfNeeded();
    for (int number = 0; number <= 98; ++number) {
        const CDataFileDef* candidate = FindDefinition(number);
        if (candidate != nullptr && EqualsNoCase(candidate->GetStrongName(), strongName)) {
            return true;
        }
    }
    return false;
}
