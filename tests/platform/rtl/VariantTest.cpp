#include "platform/rtl/Variant.h"

#include <gtest/gtest.h>

TEST(Variant, TextAndIntegerOfEachKind)
{
    EXPECT_EQ(Variant(42).ToString(), "42");
    EXPECT_EQ(Variant(2.5).ToString(), "2.5");
    EXPECT_EQ(Variant("Last").ToString(), "Last");
    EXPECT_EQ(Variant(-7).ToInteger(), -7);
    // Reals and real texts round halves to the even neighbour.
    EXPECT_EQ(Variant(2.5).ToInteger(), 2);
    EXPECT_EQ(Variant(3.5).ToInteger(), 4);
    EXPECT_EQ(Variant(" 12").ToInteger(), 12);
    EXPECT_EQ(Variant("$1F").ToInteger(), 31);
    EXPECT_EQ(Variant("6.5").ToInteger(), 6);
    EXPECT_TRUE(Variant("x").IsText());
    EXPECT_FALSE(Variant(1).IsText());
}

TEST(Variant, WhatIsNoIntegerRaisesTheCastError)
{
    try {
        Variant("Fifth").ToInteger();
        FAIL();
    } catch (const EVariantTypeCastError& E) {
        EXPECT_EQ(E.Message, "Could not convert variant of type (String) into type (Integer)");
    }
    EXPECT_THROW(Variant("").ToInteger(), EVariantError);
    EXPECT_THROW(Variant(3e10).ToInteger(), EVariantTypeCastError);
    EXPECT_THROW(Variant("1e300").ToInteger(), EVariantTypeCastError);
}
