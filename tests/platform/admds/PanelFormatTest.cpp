#include "PanelFormat.h"

#include <gtest/gtest.h>

namespace admds {
namespace {

TEST(AdFormatForSize, TheProgramsPanelSizes) {
    EXPECT_EQ(AdFormatForSize(180, 60), afBanner);
    EXPECT_EQ(AdFormatForSize(180, 20), afLine);
    EXPECT_EQ(AdFormatForSize(90, 90), afSquare);
    EXPECT_EQ(AdFormatForSize(180, 300), afColumn);
}

TEST(AdFormatForSize, EmptyAreasGetNoLayout) {
    EXPECT_EQ(AdFormatForSize(0, 60), afNone);
    EXPECT_EQ(AdFormatForSize(180, 0), afNone);
    EXPECT_EQ(AdFormatForSize(-5, 20), afNone);
}

TEST(AdFormatForSize, OtherSizesFitTheNearestFormat) {
    EXPECT_EQ(AdFormatForSize(176, 56), afBanner);    // a panel with a border
    EXPECT_EQ(AdFormatForSize(240, 90), afBanner);
    EXPECT_EQ(AdFormatForSize(120, 110), afSquare);
    EXPECT_EQ(AdFormatForSize(160, 120), afSquare);   // 4:3 is nearer square than banner
    EXPECT_EQ(AdFormatForSize(170, 280), afColumn);
    EXPECT_EQ(AdFormatForSize(60, 400), afColumn);    // even narrower columns stay columns
    EXPECT_EQ(AdFormatForSize(500, 50), afLine);      // a wide strip reads as a text line
}

TEST(AdFormatForSize, LowPanelsAreTextLinesWhateverTheWidth) {
    EXPECT_EQ(AdFormatForSize(30, 30), afLine);
    EXPECT_EQ(AdFormatForSize(100, kMinBlockHeight - 1), afLine);
    EXPECT_EQ(AdFormatForSize(kMinBlockHeight, kMinBlockHeight), afSquare);
}

}  // namespace
}  // namespace admds
