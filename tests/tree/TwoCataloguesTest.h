#pragma once
// A fixture for copying records between catalogues: the typical fixture catalogue as the source, and a
// smaller one, "My coins" (number 5: coins, countries and addresses as data files 1 to 3), as the
// target, each under its own catalogue node of class `CatalogueNode` below one root.

#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tree/base/BaseItemNode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>

namespace lumarc::test {

template <class CatalogueNode>
class TwoCataloguesTest : public testing::Test
{
protected:
    // Makes both catalogues in fresh temporary folders; Open opens them.
    void MakeCatalogues()
    {
        made = MakeTypicalCatalogue(MakeTempFolder("source"));
        targetPath = CatalogueBuilder(MakeTempFolder("target") / "mine.ctg")
                         .Name("My coins")
                         .Number(5)
                         .DataFile(CoinsFile(1))
                         .DataFile(CountriesFile(2))
                         .DataFile(AddressesFile(3))
                         .Build();
    }
    // Opens both catalogues (again) under a fresh root and builds their top-level nodes.
    void Open()
    {
        root.reset();
        root = std::make_unique<CBaseItemNode>();
        source = std::make_unique<CCatalogueDb>(made.path);
        target = std::make_unique<CCatalogueDb>(targetPath);
        ASSERT_TRUE(source->IsOpen());
        ASSERT_TRUE(target->IsOpen());
        sourceNode = CTreeNode::AppendNode<CatalogueNode>(*root, *source);
        targetNode = CTreeNode::AppendNode<CatalogueNode>(*root, *target);
        sourceNode->PopulateChildren(nullptr);
        targetNode->PopulateChildren(nullptr);
    }
    void TearDown() override { root.reset(); }

    // A set of the source's records, on its first one.
    CItemSet SetOf(std::initializer_list<RecordKey> keys)
    {
        CItemSet set(source.get());
        for (const RecordKey& key : keys) {
            set.AddRecordByKey(key.In(*source));
        }
        set.MoveFirst();
        return set;
    }
    CItemSet SetOf(const RecordKey& key) { return SetOf({key}); }

    TypicalCatalogue made;
    std::filesystem::path targetPath;
    std::unique_ptr<CBaseItemNode> root;
    std::unique_ptr<CCatalogueDb> source;
    std::unique_ptr<CCatalogueDb> target;
    CatalogueNode* sourceNode = nullptr;
    CatalogueNode* targetNode = nullptr;
};

} // namespace lumarc::test
