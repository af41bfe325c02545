#include "store/definitions/DataFileDef.h"

#include "platform/dao/DaoDatabase.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

using lumarc::test::CatalogueBuilder;
using lumarc::test::CoinsFile;
using lumarc::test::CountriesFile;
using lumarc::test::DataFileSpec;
using lumarc::test::MakeTempFolder;

namespace {

std::filesystem::path NewCatalogue(const std::string& hint, std::vector<DataFileSpec> files = {},
                                   bool owned = true)
{
    CatalogueBuilder builder(MakeTempFolder(hint) / "test.ctg");
    for (auto& file : files) {
        builder.DataFile(std::move(file));
    }
    if (!owned) {
        builder.WithoutOwnedTable();
    }
    return builder.Build();
}

// A definition with every attribute away from its default and every type letter in its fields.
CDataFileDef FullDefinition(CCatalogueDb* catalogue)
{
    CDataFileDef definition(catalogue);
    definition.SetFileNumber(7);
    definition.SetFileName("MÜNZEN");
    definition.SetMenuName("Münzen & Medaillen");
    definition.SetMenuFlag(true);
    definition.SetTableNumber(2);
    definition.SetDescription("Erste Zeile mit ü\r\nzweite Zeile mit ö ~ und Ende");
    definition.SetOrderedBy("ORDER BY [NAME]\r\n, [YEAR]");
    definition.SetAllArea(true);
    definition.SetStrongName("Coin");
    definition.SetLargeIcon("coin.bmp");
    definition.SetLargeIcon1("coin1.bmp");
    definition.SetDeleteChildren(-1);
    definition.SetGroup(3);
    definition.SetOwnItButton(true);
    const std::string letters = "UDPMBIFCSTOudpmbifcsto";
    for (size_t i = 0; i < letters.size(); ++i) {
        CFieldDef field;
        field.Init(static_cast<int>(10 + i), letters[i], i % 2 == 0 ? 'Y' : ' ', i % 3 == 0 ? 'D' : 'C',
                   "TEWF"[i % 4], i % 2 == 1, static_cast<int>(i));
        field.SetFieldNameLimited("F" + std::to_string(i) + "é", 10);
        field.SetReferralFieldName("REF" + std::to_string(i));
        field.SetClassName("edit");
        field.SetInternalName("Feld Nummer " + std::to_string(i));
        field.SetAdditionalFormatting(i == 4 ? 'Y' : 'I');
        field.SetDimension(static_cast<int>(i) * 2);
        field.SetColumnHeader(i % 2 == 0);
        field.SetCanBeHeader(i % 3 == 1);
        field.SetExport(i % 4 == 2);
        field.SetQuickSearch(i % 5 == 3);
        field.SetInFirstPage(static_cast<int>(i) - 5);
        field.SetGroupedIn("Gruppe:" + std::to_string(i));
        definition.AppendField(field);
    }
    definition.CountFields();
    return definition;
}

TEST(DataFileDef, DefinitionTreeWrittenAndReadBackGivesEqualDefinitions)
{
    const auto path = NewCatalogue("roundtrip");
    CDataFileDef original;
    {
        CCatalogueDb catalogue(path);
        original = FullDefinition(&catalogue);
        ASSERT_TRUE(original.StoreInCatalogue());
        original.BuildDefinitionTree();
        original.SaveDefinitionTree();

        std::string stored;
        ASSERT_TRUE(catalogue.ReadFileText("metaData.txt", stored));
        // Line breaks of the description stay on one line as their markers; "ü" keeps its UTF-8 bytes.
        EXPECT_NE(stored.find("mit \xC3\xBC\xFC\xF6zweite"), std::string::npos);
        EXPECT_EQ(stored.find('\n'), std::string::npos);
        EXPECT_NE(stored.find("fieldType\xC2\xA7"
                              "85"),
                  std::string::npos); // 'U' as its code
    }
    CCatalogueDb reopened(path);
    CDataFileDef loaded(&reopened);
    ASSERT_TRUE(loaded.SelectFile(7));
    EXPECT_EQ(loaded, original);
    EXPECT_EQ(loaded.GetFieldCount(), 22);
    EXPECT_EQ(loaded.GetDescription(), "Erste Zeile mit ü\r\nzweite Zeile mit ö ~ und Ende");
    EXPECT_EQ(loaded.GetOrderedBy(), "ORDER BY [NAME]\r\n, [YEAR]");
    EXPECT_TRUE(loaded.IsFieldExported(2));
    EXPECT_FALSE(loaded.IsFieldExported(3));
    EXPECT_EQ(loaded.GetFieldGroupName(5), "Gruppe");
    EXPECT_EQ(loaded.GetFieldGroupNumber(5), 5);
}

TEST(DataFileDef, BuildingTheTreeMakesFieldNamesUniqueAndFillsUnsetLetters)
{
    struct Case
    {
        std::vector<std::string> names;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{"YEAR", "year"}, {"YEAR", "yeas"}},
        {{"A9", "A9", "A9"}, {"A9", "A1", "A2"}},
        {{"NAMEZ", "NAMEZ", "OTHER"}, {"NAMEZ", "NAMEa", "OTHER"}},
        {{"PRICE", "PRICE", "PRICE"}, {"PRICE", "PRICF", "PRICG"}}, // all three distinct
        {{"YEAR", "year", "YEAR"}, {"YEAR", "yeas", "YEAT"}},
    };
    for (const Case& c : cases) {
        CDataFileDef definition;
        for (const auto& name : c.names) {
            CFieldDef field;
            field.SetLength(10);
            field.SetFieldName(name);
            definition.AppendField(field);
        }
        definition.PrepareForTree();
        for (size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(definition.GetFieldName(static_cast<int>(i)), c.expected[i]) << c.names[0];
        }
        EXPECT_EQ(definition.GetFieldType(0), 'F');
        EXPECT_EQ(definition.GetFieldFillInType(0), 'F');
        EXPECT_EQ(definition.GetFieldKind(0), 'F');
    }
}

TEST(DataFileDef, DataFilesWithoutMenuNameAreNotWritten)
{
    CCatalogueDb catalogue(NewCatalogue("menuless", {CoinsFile(1), CountriesFile(2)}));
    CDataFileDef definition(&catalogue);
    definition.ClearMenuNameOf(2);
    definition.BuildDefinitionTree();
    CMarkupNode* tree = catalogue.GetDataStructure();
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->GetName(), "dataFileDefinitions");
    EXPECT_EQ(tree->GetType(), "Container");
    ASSERT_EQ(tree->ChildCount(), 1u);
    EXPECT_EQ(tree->GetFirstChild()->GetName(), "1");
    EXPECT_EQ(tree->GetFirstChild()->GetAttribute("fileName"), "COINS");
}

TEST(DataFileDef, ExportFlagIsReadFromEitherSpelling)
{
    struct Case
    {
        const char* attribute;
        const char* value;
        bool exported;
    };
    const Case cases[] = {{"export_field", "1", true}, {"export_field", "0", false}, {"Export", "TRUE", true},
                          {"Export", "F", false},      {"Export", "1", true},        {"Export", "0", false}};
    for (const Case& c : cases) {
        CMarkupNode file("1", "DataFile");
        auto* field = file.AddChild(std::make_unique<CMarkupNode>("0", "DataField"));
        field->SetAttribute("LENGTH", "10");
        field->SetAttribute("fieldName", "NAME");
        field->SetAttribute(c.attribute, c.value);
        CDataFileDef definition;
        definition.LoadFromNode(file, true);
        EXPECT_EQ(definition.IsFieldExported(0), c.exported) << c.attribute << "=" << c.value;
    }
}

TEST(DataFileDef, LoaderTakesInternalFileNameForAMissingMenuName)
{
    CMarkupNode file("12", "DataFile");
    file.SetAttribute("internalFileName", "An internal name that is long");
    file.SetAttribute("OwnItButton", "1");
    CDataFileDef definition;
    definition.LoadFromNode(file, false);
    EXPECT_EQ(definition.GetFileNumber(), 12); // from the node's name when no attribute says otherwise
    EXPECT_EQ(definition.GetMenuName(), "An internal name th");
    EXPECT_FALSE(definition.HasOwnItButton()); // no OWNED table
}

TEST(DataFileDef, CatalogueWithoutOwnedTableHasNoOwnItButtons)
{
    const auto path = NewCatalogue("unowned", {}, false);
    {
        CCatalogueDb catalogue(path);
        EXPECT_FALSE(catalogue.HasOwnedTable());
        CDataFileDef definition = FullDefinition(&catalogue);
        definition.StoreInCatalogue();
        definition.BuildDefinitionTree();
        definition.SaveDefinitionTree();
    }
    CCatalogueDb catalogue(path);
    CDataFileDef definition(&catalogue);
    ASSERT_TRUE(definition.SelectFile(7));
    EXPECT_FALSE(definition.HasOwnItButton());
}

TEST(DataFileDef, SelectingAndStoringWorkOnTheCataloguesSlots)
{
    CCatalogueDb catalogue(NewCatalogue("slots", {CoinsFile(1), CountriesFile(4)}));
    CDataFileDef definition(&catalogue);
    EXPECT_FALSE(definition.SelectFile(0));
    ASSERT_TRUE(definition.SelectFile(4));
    EXPECT_FALSE(definition.SelectFile(9)); // unknown: the record stays as it was
    EXPECT_EQ(definition.GetFileName(), "COUNTRIES");
    ASSERT_TRUE(definition.SelectFileByName("coins"));
    EXPECT_EQ(definition.GetFileNumber(), 1);
    EXPECT_EQ(catalogue.NextDataFileNumber(), 5);

    // The built-in data files have their own slots and no menu name.
    for (const auto& [number, table] :
         {std::pair{20, "Notes"}, {21, "Editor"}, {22, "DistList"}, {23, "Queries"}}) {
        ASSERT_TRUE(definition.SelectFile(number)) << number;
        EXPECT_EQ(definition.GetFileName(), table);
        EXPECT_EQ(definition.GetMenuNameIfSet(), nullptr);
    }
    EXPECT_TRUE(definition.SelectFile(22) && definition.IsFieldNameHeader(0) &&
                !definition.IsFieldNameHeader(1));

    // Storing over the same number replaces; a new one takes a free slot. Many user data files never
    // take the built-in data files' slots.
    definition.SelectFile(4);
    definition.SetMenuName("Land");
    ASSERT_TRUE(definition.StoreInCatalogue());
    EXPECT_EQ(catalogue.FindDefinition(4)->GetMenuName(), "Land");
    for (int number = 30; number < 80; ++number) {
        CDataFileDef extra(&catalogue);
        extra.SetFileNumber(number);
        extra.SetFileName("T" + std::to_string(number));
        extra.SetMenuName("Table " + std::to_string(number));
        EXPECT_EQ(extra.StoreInCatalogue(), number < 73) << number; // 45 user slots in all
    }
    EXPECT_EQ(catalogue.FindDefinition(20)->GetFileName(), "Notes");
    EXPECT_EQ(catalogue.FindDefinition(23)->GetFileName(), "Queries");
    EXPECT_EQ(catalogue.FindDefinition(30)->GetMenuName(), "Table 30");
}

TEST(DataFileDef, TextsKeepTheirLimitsWithoutSplittingLetters)
{
    CDataFileDef definition;
    definition.SetFileName("ABCDEFGHIJKLMNOP");
    EXPECT_EQ(definition.GetFileName(), "ABCDEFGHIJKL");
    definition.SetFieldFieldName(0, "ÄÄÄÄÄÄ"); // 12 bytes: cut to 10 is five letters
    EXPECT_EQ(definition.GetFieldName(0), "ÄÄÄÄÄ");
    definition.SetFieldFieldName(100, "X"); // outside: ignored
    EXPECT_EQ(definition.GetFieldName(100), "");
    EXPECT_EQ(definition.GetFieldLength(-1), 0);
    definition.SetLargeIcon(std::string(40, 'a'));
    EXPECT_EQ(definition.GetLargeIcon(), "");
    definition.SetLargeIcon("one.bmp");
    definition.SetLargeIcon1("ONE.BMP");
    EXPECT_FALSE(definition.HasTwoLargeIcons());
    definition.SetStrongName(std::string(60, 's'));
    EXPECT_EQ(definition.GetStrongName().size(), 48u);
    definition.SetOnlyChild(true);
    definition.SetMenuFlag(true);
    EXPECT_FALSE(definition.IsInMenu());
    EXPECT_EQ(definition.GetTableNumber(), 1);
}

TEST(DataFileDef, FieldSearchesStopAtTheFirstEmptyDescriptor)
{
    CDataFileDef definition;
    const char kinds[] = {'F', 'E', 'T', 'E', 'W', 'F'};
    for (size_t i = 0; i < std::size(kinds); ++i) {
        CFieldDef field;
        field.Init(10, 'C', ' ', 'C', kinds[i], false, 0);
        field.SetFieldName("F" + std::to_string(i));
        field.SetInternalName("Internal " + std::to_string(i) + "  ");
        field.SetGroupedIn(i < 3 ? "Main:1" : "Other");
        definition.AppendField(field);
    }
    CFieldDef hidden; // after an empty descriptor: out of every walk
    hidden.Init(10, 'C', ' ', 'C', 'W', false, 0);
    hidden.SetFieldName("HIDDEN");
    *definition.Field(7) = hidden;

    EXPECT_EQ(definition.FindFieldByName("f3"), 3);
    EXPECT_EQ(definition.FindFieldByName("HIDDEN"), -1);
    EXPECT_EQ(definition.FindFieldByInternalName("internal 2"), 2);
    EXPECT_EQ(definition.FindFieldOfKindW(), 4);
    EXPECT_TRUE(definition.HasFieldOfKindT());
    EXPECT_TRUE(definition.HasGroup("main"));
    EXPECT_TRUE(definition.HasGroup("Other"));
    EXPECT_EQ(definition.FirstFieldOfKindE(), 1);
    EXPECT_EQ(definition.NextFieldOfKindE(), 3);
    EXPECT_EQ(definition.NextFieldOfKindE(), -1);
    EXPECT_EQ(definition.FirstFieldOfKindF(), 0);
    EXPECT_EQ(definition.NextFieldOfKindF(), 5);
    definition.CountFields();
    EXPECT_EQ(definition.GetFieldCount(), 6);
    EXPECT_EQ(definition.GetRecordLength(), 60);
}

struct TitleField
{
    const char* name;
    char type;
    char fillInType;
    bool title;
    bool canBeHeader;
};

CDataFileDef WithFields(std::initializer_list<TitleField> fields)
{
    CDataFileDef definition;
    for (const TitleField& spec : fields) {
        CFieldDef field;
        field.Init(10, spec.type, spec.title ? 'Y' : ' ', spec.fillInType, 'F', false, 0);
        field.SetFieldName(spec.name);
        field.SetCanBeHeader(spec.canBeHeader);
        definition.AppendField(field);
    }
    return definition;
}

TEST(DataFileDef, SqlPiecesFollowTheTitleAndSearchFields)
{
    const CDataFileDef two = WithFields({{"NAME", 'C', 'D', true, true}, {"YEAR", 'I', 'D', true, true}});
    EXPECT_EQ(two.BuildRecNameExpression(), " , [NAME] + \" \" + [YEAR] as recName ");
    EXPECT_EQ(two.BuildNameFieldList(), "[NAME] ,[YEAR]");

    const CDataFileDef mixed = WithFields({{"PRICE", 'U', 'D', true, true}, {"NAME", 'C', 'D', true, true}});
    EXPECT_EQ(mixed.BuildRecNameExpression(), " , [PRICE] + \" \" as recName ");
    EXPECT_FALSE(mixed.IsStrongNameUnmixed());
    EXPECT_TRUE(two.IsStrongNameUnmixed());

    const CDataFileDef none = WithFields({{"NAME", 'C', 'C', true, true}, {"DAY", 'D', 'C', true, false}});
    EXPECT_EQ(none.BuildRecNameExpression(), "");   // title fields must be filled in by reference ('D')
    EXPECT_EQ(none.BuildNameFieldList(), "[NAME]"); // dates are left out of the list

    const CDataFileDef search = WithFields({{"NAME", 'C', 'C', false, true},
                                            {"FLAG", 'B', 'C', false, true},
                                            {"PRICE", 'U', 'C', false, true},
                                            {"REF", 'C', 'D', false, true},
                                            {"CITY", 'C', 'C', false, true},
                                            {"HIDDEN", 'C', 'C', false, false}});
    EXPECT_EQ(search.BuildSearchNameExpression(), " [NAME] + \" \" + [CITY]");
    EXPECT_EQ(WithFields({{"NAME", 'C', 'C', false, true}}).BuildSearchNameExpression(), " [NAME] + \" \"");
    EXPECT_EQ(search.BuildSearchNameExpression("&"), " [NAME] & \" \" & [CITY]");
}

TEST(DataFileDef, MatchingFindsTheDataFileOfAnotherCatalogue)
{
    DataFileSpec pieces = CoinsFile(5);
    pieces.strongName = "";
    pieces.menuName = "Pieces";
    pieces.table = "PIECES";
    DataFileSpec coins = CoinsFile(6);
    coins.strongName = "";
    CCatalogueDb other(NewCatalogue("matchother", {CountriesFile(3), pieces, coins}));
    CCatalogueDb here(NewCatalogue("matchhere", {CoinsFile(1), CountriesFile(2)}));

    CDataFileDef definition(&here);
    ASSERT_TRUE(definition.SelectFile(2));
    EXPECT_EQ(definition.FindMatchingFile(&other), 3); // same strong name
    ASSERT_TRUE(definition.SelectFile(1));
    definition.SetStrongName("");
    EXPECT_EQ(definition.FindMatchingFile(&other), 6); // same fields; the menu name decides
    definition.SetMenuName("Something else");
    EXPECT_EQ(definition.FindMatchingFile(&other), 5); // else the first
    definition.SetFieldFieldName(0, "UNKNOWN");
    EXPECT_EQ(definition.FindMatchingFile(&other), 0);
    EXPECT_FALSE(definition.MatchesFile(&other, 5));
    EXPECT_EQ(definition.FindMatchingFile(nullptr), 0);
}

TEST(DataFileDef, SavedDefinitionsLeaveAReadableCopyInTheProductFolder)
{
    CCatalogueDb catalogue(NewCatalogue("copy", {CoinsFile(1)}));
    const auto copy = GetProductDir() / "A.txt";
    std::filesystem::remove(copy);
    CDataFileDef definition(&catalogue);
    definition.BuildDefinitionTree();
    definition.SaveDefinitionTree();
    CMarkupNode read;
    ASSERT_EQ(read.LoadFromFile(copy), 1);
    EXPECT_EQ(read.GetName(), "dataFileDefinitions");
    EXPECT_NE(read.FindChildByName("1"), nullptr);
}

TEST(DataFileDef, NothingIsSavedWithoutTheDefinitionRow)
{
    CCatalogueDb catalogue(NewCatalogue("norow", {CoinsFile(1)}));
    catalogue.GetDatabase()->Execute("DELETE FROM FILES");
    CDataFileDef definition(&catalogue);
    definition.BuildDefinitionTree();
    definition.SaveDefinitionTree();
    std::string text;
    EXPECT_FALSE(catalogue.ReadFileText("metaData.txt", text));
}

} // namespace
