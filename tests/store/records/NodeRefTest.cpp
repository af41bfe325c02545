#include "store/records/NodeRef.h"

#include "store/catalogue/CatalogueDb.h"

#include <gtest/gtest.h>

namespace {

TEST(NodeRef, CodesCarryCatalogueKindAndNumber)
{
    CCatalogueDb catalogue;
    catalogue.SetCatalogueNumber(3);
    CNodeRef ref(&catalogue);
    EXPECT_TRUE(ref.IsValid());
    EXPECT_EQ(ref.GetKind(), 0);
    ref.Set(12, 45, &catalogue);
    EXPECT_EQ(ref.GetCode(), 31200045.0);
    EXPECT_EQ(ref.GetCatalogueNumber(), 3);

    CNodeRef back;
    back.SetFromCode(31200045.0, &catalogue);
    EXPECT_TRUE(back.IsValid());
    EXPECT_EQ(back.GetKind(), 12);
    EXPECT_EQ(back.GetNumber(), 45);
    EXPECT_EQ(back.GetCatalogue(), &catalogue);

    back.SetFromCode(1200045.0, &catalogue); // no catalogue part
    EXPECT_FALSE(back.IsValid());
    EXPECT_EQ(back.GetKind(), 12);
    EXPECT_EQ(back.GetNumber(), 45);
    EXPECT_EQ(back.GetCode(), 1200045.0);
    EXPECT_EQ(back.GetCatalogueNumber(), 0);

    back.SetFromCode(31299999.0, &catalogue);
    EXPECT_EQ(back.GetKind(), 12);
    EXPECT_EQ(back.GetNumber(), 99999);
}

TEST(NodeRef, SameElementNeedsKindNumberAndCatalogue)
{
    CCatalogueDb one;
    one.SetCatalogueNumber(1);
    CCatalogueDb two;
    two.SetCatalogueNumber(2);
    CNodeRef a(&one);
    CNodeRef b(&one);
    EXPECT_FALSE(a.IsSame(&b)); // kind 0 on both sides
    EXPECT_FALSE(a.IsSame(nullptr));
    a.Set(5, 7, &one);
    b.Set(5, 7, &one);
    EXPECT_TRUE(a.IsSame(&b));
    b.Set(5, 7, &two);
    EXPECT_FALSE(a.IsSame(&b));
    a.SetFromCode(500007.0, &one); // not valid: the catalogues do not count
    EXPECT_TRUE(a.IsSame(&b));
    b.SetNumber(8);
    EXPECT_FALSE(a.IsSame(&b));
    EXPECT_TRUE(a.IsKind(5));
    EXPECT_FALSE(a.IsKind(0));
    a.SetKindAndCatalogue(6, &two);
    EXPECT_TRUE(a.IsValid());
    EXPECT_EQ(a.GetCode(), 20600007.0);
}

} // namespace
