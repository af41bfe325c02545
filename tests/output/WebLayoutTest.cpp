#include "output/WebLayout.h"

#include "store/markup/MarkupNode.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

CMarkupNode* AddLayout(CMarkupNode& parent, const char* name, const char* type, const char* layoutType,
                       const char* dataName, const char* marker)
{
    auto* layout = parent.AddChild(std::make_unique<CMarkupNode>(name, type));
    layout->SetAttribute("layoutType", layoutType);
    layout->SetAttribute("DataName", dataName);
    layout->SetAttribute("marker", marker);
    return layout;
}

CMarkupNode* AddElement(CMarkupNode& layout, const char* name, const char* category)
{
    auto* element = layout.AddChild(std::make_unique<CMarkupNode>(name, "element"));
    element->SetAttribute("elementCategory", category);
    return element;
}

// A catalogue's web templates with near misses around the one layout that fits "Coins" of data file 3.
std::unique_ptr<CMarkupNode> WebTemplates()
{
    auto root = std::make_unique<CMarkupNode>("webTemplates", "root");
    AddLayout(*root, "Coins", "webDefinition", "HTML", "4", "other data file");
    AddLayout(*root, "Coins", "webDefinition", "PRINT", "3", "print layout");
    AddLayout(*root, "Coins", "reportDefinition", "HTML", "3", "other type");
    AddLayout(*root, "Medals", "webDefinition", "HTML", "3", "other name");
    auto* group = root->AddChild(std::make_unique<CMarkupNode>("group", "folder"));
    auto* layout = AddLayout(*group, "COINS", "WEBDEFINITION", "html", "3", "the one");
    auto* fields = layout->AddChild(std::make_unique<CMarkupNode>("fields", "FieldList"));
    fields->AddChild(std::make_unique<CMarkupNode>("Name", "field"));
    AddElement(*layout, "0", "LabelElement");
    AddElement(*layout, "1", "FieldElement");
    AddElement(*layout, "3", "HTMLElement");
    AddLayout(*root, "Coins", "webDefinition", "HTML", "3", "a later one");
    return root;
}

TEST(WebLayout, PreparesACopyOfTheMatchingLayout)
{
    const auto templates = WebTemplates();
    std::string before;
    templates->SaveToBuffer(before);

    WebLayoutContext context;
    EXPECT_EQ(context.GetLayout(), nullptr);
    PrepareWebLayout(context, templates.get(), "Coins", 3);

    EXPECT_EQ(context.GetLayoutName(), "Coins");
    ASSERT_NE(context.GetWorkingTree(), nullptr);
    EXPECT_EQ(context.GetWorkingTree()->GetName(), "tmp");
    EXPECT_EQ(context.GetWorkingTree()->GetType(), "tmp");
    EXPECT_EQ(context.GetWorkingTree()->ChildCount(), 1u);
    CMarkupNode* layout = context.GetLayout();
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->GetAttribute("marker"), "the one");

    // The copy has no field list; the elements "0" and "1" are marked, "3" (after the gap) is not.
    EXPECT_EQ(layout->FindChildByType("FieldList"), nullptr);
    ASSERT_EQ(layout->ChildCount(), 3u);
    for (const char* name : {"0", "1"}) {
        CMarkupNode* element = layout->FindChildByName(name);
        EXPECT_EQ(element->GetAttribute("recalculate"), "TRUE") << name;
        ASSERT_NE(element->FindAttribute("HFONT"), nullptr) << name;
        EXPECT_EQ(element->GetAttribute("HFONT"), "") << name;
    }
    EXPECT_EQ(layout->FindChildByName("3")->FindAttribute("recalculate"), nullptr);

    // Preparing reads the catalogue's tree and never changes it: its layout keeps its field list.
    std::string after;
    templates->SaveToBuffer(after);
    EXPECT_EQ(after, before);
}

TEST(WebLayout, MakesAnEmptyLayoutWhenNoneFits)
{
    const auto templates = WebTemplates();
    for (const CMarkupNode* tree :
         {static_cast<const CMarkupNode*>(templates.get()), static_cast<const CMarkupNode*>(nullptr)}) {
        WebLayoutContext context;
        PrepareWebLayout(context, tree, "Tokens", 3);
        CMarkupNode* layout = context.GetLayout();
        ASSERT_NE(layout, nullptr);
        EXPECT_EQ(layout->GetName(), "Tokens");
        EXPECT_EQ(layout->GetType(), "webDefinition");
        EXPECT_FALSE(layout->HasChildren());
        EXPECT_TRUE(layout->Attributes().empty());
    }
}

TEST(WebLayout, PageWriterPreparesItsContextAgainForAnotherLayout)
{
    const auto templates = WebTemplates();
    WriteWebLayoutPage writer;
    writer.Prepare(templates.get(), "Coins", 4);
    EXPECT_EQ(writer.GetContext().GetLayout()->GetAttribute("marker"), "other data file");
    writer.GetContext().SetHtmlFolder("/tmp/htm");

    writer.Prepare(templates.get(), "Medals", 3);
    EXPECT_EQ(writer.GetContext().GetLayoutName(), "Medals");
    EXPECT_EQ(writer.GetContext().GetLayout()->GetAttribute("marker"), "other name");
    EXPECT_EQ(writer.GetContext().GetWorkingTree()->ChildCount(), 1u);
}

} // namespace
