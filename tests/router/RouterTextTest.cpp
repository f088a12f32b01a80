#include "router/RouterText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using router::SplitLines;
using testing::ElementsAre;

TEST(SplitLinesTest, CutsAtEachCrLfPair) {
    EXPECT_THAT(SplitLines("a\r\nb\r\n"), ElementsAre("a", "b"));
    EXPECT_THAT(SplitLines("a\r\n\r\nb"), ElementsAre("a", "", "b"));
    EXPECT_THAT(SplitLines("one line"), ElementsAre("one line"));
}

TEST(SplitLinesTest, LeadingLineEndsAreDropped) {
    EXPECT_THAT(SplitLines("\r\na"), ElementsAre("a"));
    EXPECT_THAT(SplitLines("\n\r\n\ra\r\nb"), ElementsAre("a", "b"));
}

TEST(SplitLinesTest, EmptyOrOnlyLineEndsGiveOneEmptyLine) {
    EXPECT_THAT(SplitLines(""), ElementsAre(""));
    EXPECT_THAT(SplitLines("\r\n\r\n\n"), ElementsAre(""));
}

TEST(SplitLinesTest, LoneCrOrLfStaysInsideItsLine) {
    EXPECT_THAT(SplitLines("a\nb\r\nc\rd"), ElementsAre("a\nb", "c\rd"));
    // "\n\r" is not a pair: the cut is at the CR LF that follows.
    EXPECT_THAT(SplitLines("x\n\r\ny"), ElementsAre("x\n", "y"));
}

TEST(SplitLinesTest, TrailingLoneLineFeedKeepsLastCharacter) {
    // A prompt followed by a bare LF must keep its "#", or a login would be judged failed.
    EXPECT_THAT(SplitLines("Password:\r\nRouter#\n"), ElementsAre("Password:", "Router#"));
    EXPECT_THAT(SplitLines("abc\r\n\n"), ElementsAre("abc"));
    EXPECT_THAT(SplitLines("x\r\n\r"), ElementsAre("x"));
}

TEST(RouterTextTest, TrimRemovesControlCharactersAndBlanksOnly) {
    EXPECT_EQ(router::TrimBlanks("\t\r\n  a b \x01\x1f "), "a b");
    EXPECT_EQ(router::TrimBlanks(" \x7f "), "\x7f");
    EXPECT_EQ(router::TrimBlanks("\xb2\xe2 "), "\xb2\xe2");  // GBK bytes are text
    EXPECT_EQ(router::TrimBlanks("   "), "");
}

TEST(RouterTextTest, FieldsSplitAtTheFirstBlank) {
    EXPECT_EQ(router::HeadBeforeBlank("6  1.2.3.4 x"), "6");
    EXPECT_EQ(router::TailAfterBlank("6  1.2.3.4 x"), "1.2.3.4 x");
    EXPECT_EQ(router::HeadBeforeBlank("single"), "");
    EXPECT_EQ(router::TailAfterBlank("single"), "single");
    // Only the space separates fields; a tab is part of the field.
    EXPECT_EQ(router::HeadBeforeBlank("a\tb c"), "a\tb");
}

TEST(RouterTextTest, WidenKeepsAsciiAndMarksOtherBytes) {
    EXPECT_EQ(router::WidenAscii("10.0.0.1"), L"10.0.0.1");
    EXPECT_EQ(router::WidenAscii("a\xc0z"), L"a\xFFFDz");
}

TEST(RouterTextAddresses, OnlyDottedIPv4AddressesPass) {
    for (const char* good : {"0.0.0.0", "192.168.0.10", "255.255.255.255", "10.0.0.1"})
        EXPECT_TRUE(router::IsDottedIPv4(good)) << good;
    for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1.2.3.4 ", " 1.2.3.4", "1..3.4", "a.b.c.d",
                            "1.2.3.4; write erase", "1234.1.1.1", "1.2.3.-4", "192.168.0.10:80"})
        EXPECT_FALSE(router::IsDottedIPv4(bad)) << bad;
}

TEST(RouterTextAddresses, CursorSequencesAreStrippedAndOtherEscapesKept) {
    EXPECT_EQ(router::StripCursorSequences("a\x1B[42Db\x1B[1;2Hc"), "abc");
    EXPECT_EQ(router::StripCursorSequences("\x1B[42"), "\x1B[42");  // incomplete: kept
    EXPECT_EQ(router::StripCursorSequences("x\x1B" "y"), "x\x1By");
}
