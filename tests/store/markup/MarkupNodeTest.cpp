#include "store/markup/MarkupNode.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <random>

using lumarc::test::ScopedNumericLocale;

namespace {

// True when both trees hold the same names, types, attributes with all values, and children.
::testing::AssertionResult SameTree(const CMarkupNode& a, const CMarkupNode& b)
{
    if (a.GetName() != b.GetName() || a.GetType() != b.GetType()) {
        return ::testing::AssertionFailure()
               << "node " << a.GetName() << "/" << a.GetType() << " vs " << b.GetName() << "/" << b.GetType();
    }
    if (a.Attributes().size() != b.Attributes().size()) {
        return ::testing::AssertionFailure() << "attribute count differs at " << a.GetName();
    }
    for (size_t i = 0; i < a.Attributes().size(); ++i) {
        const auto& x = *a.Attributes()[i];
        const auto& y = *b.Attributes()[i];
        if (x.GetName() != y.GetName()) {
            return ::testing::AssertionFailure() << "attribute " << x.GetName() << " vs " << y.GetName();
        }
        for (int v = 0; v < 4; ++v) {
            if (x.Value(v) != y.Value(v)) {
                return ::testing::AssertionFailure() << "value " << v << " of " << x.GetName() << ": ["
                                                     << x.Value(v) << "] vs [" << y.Value(v) << "]";
            }
        }
    }
    const CMarkupNode* ca = a.GetFirstChild();
    const CMarkupNode* cb = b.GetFirstChild();
    for (; ca != nullptr && cb != nullptr; ca = ca->GetNextSibling(), cb = cb->GetNextSibling()) {
        if (auto result = SameTree(*ca, *cb); !result) {
            return result;
        }
    }
    if (ca != nullptr || cb != nullptr) {
        return ::testing::AssertionFailure() << "child count differs at " << a.GetName();
    }
    return ::testing::AssertionSuccess();
}

// A tree with texts of every kind a user can type.
std::unique_ptr<CMarkupNode> SampleTree()
{
    auto root = std::make_unique<CMarkupNode>("Catalogue", "DataStructure");
    root->SetAttribute("comment", "Pièces de 5 francs, ½ écu & § {braces} ~ tilde");
    root->SetAttribute("long_value", std::string(5000, 'v') + " end");
    root->SetAttribute("empty", "");
    root->SetAttribute("blank", " ");
    root->SetAttribute("multi", "first");
    root->SetAttribute("multi", "a~b~c~d~e");
    root->SetAttribute("lines", "line one\r\nline two\nthree");
    auto* child = root->AddChild(std::make_unique<CMarkupNode>("Münzen Ærø", "Folder"));
    child->SetAttributeInt("ORDER", -12);
    child->SetAttributeDouble("scale", 1.5);
    auto* grandchild = child->AddChild(std::make_unique<CMarkupNode>("Ελλάδα", "Кириллица"));
    grandchild->SetAttribute("x", "value with  two  blanks");
    root->AddChild(std::make_unique<CMarkupNode>());
    return root;
}

} // namespace

TEST(MarkupNode, BufferAndFileRoundTripsGiveEqualTrees)
{
    auto tree = SampleTree();
    std::string buffer;
    tree->SaveToBuffer(buffer);
    CMarkupNode fromBuffer;
    ASSERT_EQ(fromBuffer.LoadFromBuffer(buffer), 1);
    EXPECT_TRUE(SameTree(*tree, fromBuffer));

    const auto file = lumarc::test::MakeTempFolder() / "tree.txt";
    ASSERT_TRUE(tree->SaveToFile(file));
    CMarkupNode fromFile;
    ASSERT_EQ(fromFile.LoadFromFile(file), 1);
    EXPECT_TRUE(SameTree(*tree, fromFile));

    // Writing what was read gives the same text again.
    std::string again;
    fromBuffer.SaveToBuffer(again);
    EXPECT_EQ(buffer, again);
}

TEST(MarkupNode, StoredTextsAreSanitised)
{
    CMarkupNode node("a{b}c§d  ", "t");
    EXPECT_EQ(node.GetName(), "a b c d");
    node.SetAttribute("v", "x{y}§ ");
    EXPECT_EQ(node.GetAttribute("v"), "x y");
    node.SetAttribute("nl", "a\r\nb");
    EXPECT_EQ(node.GetAttribute("nl"), "a\xFC\xF6"
                                       "b"); // line breaks kept as marker bytes
    CMarkupNode empty("", "");
    EXPECT_EQ(empty.GetName(), " ");
}

TEST(MarkupNode, ReadsOwnTextIntoNameTypeAndAttributes)
{
    CMarkupNode node;
    ASSERT_EQ(node.LoadFromBuffer("{Name§My folder Type§Folder comment§a b c x§1~2~3}"), 1);
    EXPECT_EQ(node.GetName(), "My folder");
    EXPECT_EQ(node.GetType(), "Folder");
    EXPECT_EQ(node.GetAttribute("comment"), "a b c");
    EXPECT_EQ(node.GetAttribute("x"), "1");
    std::string third;
    EXPECT_TRUE(node.GetField("x", third, 2));
    EXPECT_EQ(third, "3");
    EXPECT_TRUE(node.GetField("name", third));
    EXPECT_EQ(third, "My folder");
}

TEST(MarkupNode, KeepsLongValuesWhole)
{
    const std::string value(2000, 'q');
    CMarkupNode node;
    ASSERT_EQ(node.LoadFromBuffer("{Name§n Type§t v§" + value + "}"), 1);
    EXPECT_EQ(node.GetAttribute("v"), value);
}

TEST(MarkupNode, EmptyValueIsWrittenAsNullAndReadsEmpty)
{
    CMarkupNode node("n", "t");
    node.SetAttribute("e", "");
    std::string buffer;
    node.SaveToBuffer(buffer);
    EXPECT_NE(buffer.find("e§NULL"), std::string::npos);
    CMarkupNode back;
    back.LoadFromBuffer(buffer);
    std::string value = "unchanged";
    EXPECT_FALSE(back.GetAttribute("e", value));
    EXPECT_EQ(value, "");
    EXPECT_FALSE(back.GetAttributeBool("e"));
}

TEST(MarkupNode, BlanksInAttributeNamesReadBackAsUnderscores)
{
    CMarkupNode node("n", "t");
    node.SetAttribute("two words", "v");
    std::string buffer;
    node.SaveToBuffer(buffer);
    CMarkupNode back;
    back.LoadFromBuffer(buffer);
    EXPECT_EQ(back.GetAttribute("two_words"), "v");
    // A name that differs only by blank or underscore is the same attribute, before and after a reload.
    node.SetAttribute("two_words", "w");
    EXPECT_EQ(node.Attributes().size(), 1u);
    EXPECT_EQ(node.GetAttribute("two words"), "w");
}

TEST(MarkupNode, ConvertsAttributeValues)
{
    CMarkupNode node("n", "t");
    struct Case
    {
        const char* value;
        int asInt;
        bool asBool;
    };
    const Case cases[] = {
        {"TRUE", 0, true}, {"t", 0, true},    {"FALSE", 0, false}, {"f", 0, false},
        {"yes", 0, true},  {"42x", 42, true}, {"-7", -7, true},    {"NULL", 0, false},
    };
    for (const auto& c : cases) {
        node.SetAttribute("a", c.value);
        EXPECT_EQ(node.GetAttributeInt("a"), c.asInt) << c.value;
        EXPECT_EQ(node.GetAttributeBool("a"), c.asBool) << c.value;
    }
    EXPECT_FALSE(node.GetAttributeBool("absent"));
    EXPECT_EQ(node.GetAttributeInt("absent"), 0);
    node.SetAttributeDouble("d", 0.25);
    EXPECT_EQ(node.GetAttribute("d"), "0.2500000000");
    node.SetAttribute("ctl", "\x05hidden");
    std::string out = "x";
    EXPECT_TRUE(node.GetAttribute("ctl", out));
    EXPECT_EQ(out, "");
}

TEST(MarkupNode, WritesNumbersWithAPointUnderADecimalCommaLocale)
{
    ScopedNumericLocale german("de_DE.UTF-8");
    if (!german.IsSet()) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    CMarkupNode node("n", "t");
    node.SetAttributeDouble("d", -1234.5);
    EXPECT_EQ(node.GetAttribute("d"), "-1234.5000000000");
}

TEST(MarkupNode, SettingAnExistingAttributeSplitsAtTilde)
{
    CMarkupNode node("n", "t");
    node.SetAttribute("a", "x~y"); // new: the whole text
    EXPECT_EQ(node.GetAttribute("a"), "x~y");
    node.SetAttribute("a", "1~2~3~4~5"); // existing: four values, the fifth dropped
    std::string v;
    node.GetField("a", v, 3);
    EXPECT_EQ(v, "4");
    EXPECT_EQ(node.GetAttribute("a"), "1");
    node.SetAttribute("Name", "ignored"); // new attribute named Name
    node.SetAttribute("Name", "renamed"); // existing: renames the node too
    EXPECT_EQ(node.GetName(), "renamed");
    EXPECT_TRUE(node.SetAttributeValueAt("a", 9, 1));
    EXPECT_FALSE(node.SetAttributeValueAt("absent", 9, 1));
    EXPECT_TRUE(node.AttributeEquals("a", "9"));
}

TEST(MarkupNode, GeneratesNamesForEmptyNames)
{
    CMarkupNode a;
    CMarkupNode b;
    a.SetName("");
    b.SetName("");
    const int first = std::stoi(a.GetName().substr(5));
    EXPECT_EQ(a.GetName().substr(0, 5), "tmpNm");
    EXPECT_EQ(b.GetName(), "tmpNm" + std::to_string(first + 1));
}

TEST(MarkupNode, BuildsAndRearrangesChildren)
{
    CMarkupNode root("root", "t");
    auto* a = root.AddChild(std::make_unique<CMarkupNode>("a", "t"));
    auto* b = root.AddChild(std::make_unique<CMarkupNode>("b", "t"));
    auto* first = root.InsertChildBefore(std::make_unique<CMarkupNode>("first", "t"), a);
    auto* last = root.InsertChildBefore(std::make_unique<CMarkupNode>("last", "t"), &root); // not a child
    auto names = [&] {
        std::string out;
        for (auto* c = root.FirstChild(); c != nullptr; c = root.NextChild()) {
            out += c->GetName() + ",";
        }
        return out;
    };
    EXPECT_EQ(names(), "first,a,b,last,");
    root.SwapChildren(first, last);
    EXPECT_EQ(names(), "last,a,b,first,");
    root.SwapChildren(a, b);
    EXPECT_EQ(names(), "last,b,a,first,");
    auto detached = root.DetachChild(b);
    ASSERT_TRUE(detached);
    EXPECT_EQ(detached->GetParent(), nullptr);
    EXPECT_EQ(names(), "last,a,first,");
    EXPECT_EQ(root.LastChild(), first);
    // Moving a child of another node detaches it there.
    auto* moved = a->AddChild(std::move(detached));
    EXPECT_EQ(moved->GetParent(), a);
    EXPECT_EQ(moved->GetDepth(), 2);
    EXPECT_FALSE(root.DetachChild(&root));
}

TEST(MarkupNode, SortsChildrenStablyByTwoAttributes)
{
    CMarkupNode root("root", "t");
    const std::pair<int, int> keys[] = {{2, 1}, {1, 5}, {1, 2}, {2, 1}, {1, 2}};
    int serial = 0;
    for (auto [x, y] : keys) {
        auto* child = root.AddChild(std::make_unique<CMarkupNode>(std::to_string(serial++), "t"));
        child->SetAttributeInt("A", x);
        child->SetAttributeInt("B", y);
    }
    root.SortChildren("A", "B");
    std::string order;
    for (auto* c = root.FirstChild(); c != nullptr; c = root.NextChild()) {
        order += c->GetName();
    }
    EXPECT_EQ(order, "24103");
}

TEST(MarkupNode, WalksSearchesAndPaths)
{
    CMarkupNode root("root", "r");
    auto* x = root.AddChild(std::make_unique<CMarkupNode>("A", "Folder"));
    auto* y = x->AddChild(std::make_unique<CMarkupNode>("B", "Item"));
    y->SetAttribute("flag", "TRUE");
    auto* z = root.AddChild(std::make_unique<CMarkupNode>("C", "Folder"));
    auto* w = z->AddChild(std::make_unique<CMarkupNode>("b", "Item"));

    std::string walk;
    for (auto* n = root.BeginWalk(); n != nullptr; n = root.NextWalk()) {
        walk += n->GetName();
    }
    EXPECT_EQ(walk, "ABCb");

    EXPECT_EQ(root.FindFirstByName("b"), y);
    EXPECT_EQ(root.FindNextByName("b"), w);
    EXPECT_EQ(root.FindNextByName("b"), nullptr);
    EXPECT_EQ(root.FindFirstByType("folder", false), x);
    EXPECT_EQ(root.FindNextByType("folder", false), z);
    EXPECT_EQ(root.FindFirstByType("item", false), nullptr); // only direct children
    EXPECT_EQ(root.FindFirstByAttribute("flag", "true"), y);
    EXPECT_EQ(root.FindTrueAttributeBelow("flag"), y);
    EXPECT_FALSE(z->HasTrueAttributeBelow("flag"));
    EXPECT_EQ(root.CountChildrenOf("Folder"), 1);

    EXPECT_EQ(w->FindByPath("A/B"), y);
    EXPECT_EQ(root.FindByPath("C/B"), w);
    EXPECT_EQ(root.FindByRelativePath("A/B"), y);
    EXPECT_EQ(root.FindByRelativePath("B"), nullptr);
    EXPECT_EQ(y->FindByPathPrefix("C/x"), z);
    EXPECT_EQ(y->FindByPathPrefix("C"), &root);
    EXPECT_EQ(w->GetPathName(), "C/b");
}

TEST(MarkupNode, IteratesAttributesInCreationOrder)
{
    CMarkupNode node("n", "t");
    node.SetAttribute("one", "1");
    node.SetAttribute("two", "2");
    std::string name;
    std::string value;
    ASSERT_TRUE(node.FirstAttribute(name, value));
    EXPECT_EQ(name + value, "one1");
    ASSERT_TRUE(node.NextAttribute(name, value));
    EXPECT_EQ(name + value, "two2");
    EXPECT_FALSE(node.NextAttribute(name, value));
    EXPECT_EQ(name, "two");
    EXPECT_TRUE(node.RemoveAttribute("ONE"));
    EXPECT_FALSE(node.FindAttribute("one"));
}

TEST(MarkupNode, CopiesTreesWithAllValues)
{
    auto tree = SampleTree();
    auto copy = CMarkupNode::CopyTree(tree.get());
    EXPECT_TRUE(SameTree(*tree, *copy));
    auto flat = CMarkupNode::CopyFrom(*tree);
    EXPECT_FALSE(flat->HasChildren());
    EXPECT_EQ(flat->Attributes().size(), tree->Attributes().size());
    auto empty = CMarkupNode::CopyTree(nullptr);
    EXPECT_EQ(empty->GetName(), "");
}

TEST(MarkupNode, DescribesFonts)
{
    CMarkupNode node("font", "t");
    node.SetDefaultFont(96);
    LogFont font;
    node.GetLogFont(font, 96);
    EXPECT_EQ(font.height, -13);
    EXPECT_EQ(font.weight, 400);
    EXPECT_EQ(font.faceName, "Times New Roman");
    node.SetAttributeInt("fontDim", 3);
    node.SetAttributeInt("bold", 1);
    node.GetLogFont(font, 96);
    EXPECT_EQ(font.height, -16);
    EXPECT_EQ(font.weight, 700);
    font.weight = 300;
    node.SetLogFont(font);
    EXPECT_EQ(node.GetAttribute("bold"), "0");
}

TEST(MarkupNode, BrokenTextGivesATreeOrAnErrorNeverACrash)
{
    const std::string inputs[] = {
        "",
        "no brace at all",
        "{Name§a Type§b",   // ends before the closing brace
        "{Name§a {Name§b}", // unbalanced
        "}}}{",
        "{§§§ ~~~ § ~ §}",
        std::string("{Name§a\0 Type§b}", 16),
        "{" + std::string(5000, '{'), // deeper than the reader accepts
        "{x§" + std::string(100000, '~') + "}",
    };
    for (const auto& input : inputs) {
        CMarkupNode node;
        const int result = node.LoadFromBuffer(input);
        EXPECT_TRUE(result == 1 || result == -1);
    }
    CMarkupNode partial;
    EXPECT_EQ(partial.LoadFromBuffer("{Name§a Type§b {Name§c Type§d}"), -1);
    ASSERT_NE(partial.GetFirstChild(), nullptr); // what was read stays attached
    EXPECT_EQ(partial.GetFirstChild()->GetName(), "c");

    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string junk(static_cast<size_t>(random() % 400), '\0');
        for (auto& c : junk) {
            c = static_cast<char>(random() % 256);
        }
        CMarkupNode node;
        node.LoadFromBuffer("{" + junk);
        std::string out;
        node.SaveToBuffer(out);
        CMarkupNode back;
        EXPECT_EQ(back.LoadFromBuffer(out), 1); // whatever was read writes a well-nested text
    }
}
