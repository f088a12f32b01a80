#include "router/StrictInt.h"

#include <gtest/gtest.h>

using router::StrictToInt;

TEST(StrictIntTest, DecimalWithSignAndLeadingBlanks) {
    EXPECT_EQ(StrictToInt("100"), 100);
    EXPECT_EQ(StrictToInt("   42"), 42);
    EXPECT_EQ(StrictToInt("+7"), 7);
    EXPECT_EQ(StrictToInt("-15"), -15);
    EXPECT_EQ(StrictToInt("0"), 0);
    EXPECT_EQ(StrictToInt("007"), 7);
}

TEST(StrictIntTest, HexadecimalForms) {
    EXPECT_EQ(StrictToInt("$1F"), 31);
    EXPECT_EQ(StrictToInt("x1f"), 31);
    EXPECT_EQ(StrictToInt("X10"), 16);
    EXPECT_EQ(StrictToInt("0x10"), 16);
    EXPECT_EQ(StrictToInt("0XaB"), 171);
    EXPECT_EQ(StrictToInt(" -$10"), -16);
    EXPECT_EQ(StrictToInt("$7FFFFFFF"), 2147483647);
    EXPECT_EQ(StrictToInt("-$80000000"), INT32_MIN);
}

TEST(StrictIntTest, RejectsAnythingNotConsumedWhole) {
    for (const char* text : {"", " ", "+", "-", "$", "x", "0x", "12a", "1 ", "100\r", "\t5", "- 5",
                             "--5", "+-5", "1.5", "1e3", "0x1g", "$-1", "00x1", "abc", "6 1.2.3.4"})
        EXPECT_FALSE(StrictToInt(text).has_value()) << '"' << text << '"';
}

TEST(StrictIntTest, RejectsValuesOutside32SignedBits) {
    EXPECT_EQ(StrictToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrictToInt("-2147483648"), INT32_MIN);
    EXPECT_FALSE(StrictToInt("2147483648"));
    EXPECT_FALSE(StrictToInt("-2147483649"));
    EXPECT_FALSE(StrictToInt("$80000000"));
    EXPECT_FALSE(StrictToInt("0xFFFFFFFF"));
    EXPECT_FALSE(StrictToInt("99999999999999999999999999"));
}
