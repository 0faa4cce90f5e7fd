// Stored properties: reads with defaults, writes that drop default values,
// names without regard to case.
#include "platform/forms/PropertyBag.h"
#include <gtest/gtest.h>

using platform::forms::PropertyBag;

TEST(PropertyBag, ReadsStoredValuesByAnyCaseAndDefaultsTheRest) {
    const PropertyBag bag({{QStringLiteral("menuitemnames"), QStringLiteral("mnuFile ")},
                           {QStringLiteral("ImageHeight"), 20}});
    EXPECT_EQ(bag.read("MenuItemNames", "").toString(), QStringLiteral("mnuFile "));
    EXPECT_EQ(bag.read("IMAGEHEIGHT", 16).toInt(), 20);
    EXPECT_EQ(bag.read("ImageWidth", 16).toInt(), 16);
    EXPECT_FALSE(bag.read("ImageWidth").isValid());
}

TEST(PropertyBag, AValueEqualToItsDefaultIsNotKept) {
    PropertyBag bag;
    bag.write("MaskMode", 3, 0);
    EXPECT_EQ(bag.read("maskmode", 0).toInt(), 3);
    // Going back to the default forgets the stored value rather than keeping
    // a stale one.
    bag.write("MASKMODE", 0, 0);
    EXPECT_FALSE(bag.contains("MaskMode"));
    EXPECT_TRUE(bag.isEmpty());

    bag.write("Bold", false, false);
    EXPECT_FALSE(bag.contains("Bold"));
    // Without a default a value is always kept.
    bag.write("MenuFont", QStringLiteral("MS UI Gothic"));
    bag.write("Empty", QString());
    EXPECT_TRUE(bag.contains("menufont"));
    EXPECT_TRUE(bag.contains("Empty"));
}

TEST(PropertyBag, KeepsTheSpellingANameWasFirstStoredWith) {
    PropertyBag bag;
    bag.write("MenuItemNames", QStringLiteral("a "), QString());
    bag.write("menuitemnames", QStringLiteral("a b "), QString());
    const QVariantMap values = bag.values();
    ASSERT_EQ(values.size(), 1);
    EXPECT_EQ(values.firstKey(), QStringLiteral("MenuItemNames"));
    EXPECT_EQ(values.first().toString(), QStringLiteral("a b "));
}
