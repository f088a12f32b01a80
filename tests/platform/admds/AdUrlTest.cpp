#include "AdUrl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>

namespace admds {
namespace {

constexpr const char* kUrl =
    "http://ads.example.invalid/0a1b2c3d4e/enter?MDS=00112233445566778899aabbccddeeff0011223344556677";

TEST(FindQueryValue, FindsTheParameterAmongOthers) {
    EXPECT_EQ(FindQueryValue("http://h/p?a=1&MDS=abc&b=2", "MDS"), "abc");
    EXPECT_EQ(FindQueryValue("http://h/p?MDS=abc", "mds"), "abc");        // key case-insensitive
    EXPECT_EQ(FindQueryValue("http://h/p?a=1&mds=xyz#frag", "MDS"), "xyz");   // fragment cut off
    EXPECT_EQ(FindQueryValue("http://h/p?MDS=&a=1", "MDS"), "");
}

TEST(FindQueryValue, IgnoresLookAlikes) {
    EXPECT_EQ(FindQueryValue("http://h/MDS=abc", "MDS"), "");               // no query at all
    EXPECT_EQ(FindQueryValue("http://h/p?XMDS=abc&MDSX=def", "MDS"), "");   // other keys
    EXPECT_EQ(FindQueryValue("http://h/p?a=1#MDS=abc", "MDS"), "");         // only in the fragment
    EXPECT_EQ(FindQueryValue("http://h/p?MDS", "MDS"), "");                 // key without value
    EXPECT_EQ(FindQueryValue("", "MDS"), "");
}

TEST(AdVariantFromUrl, NullUrlGivesTheFirstVariant) {
    TAdVariant v = AdVariantFromUrl(nullptr);
    EXPECT_EQ(v.Hash, 0u);
    EXPECT_EQ(v.Tagline, 0u);
    EXPECT_EQ(v.Theme, 0u);
}

TEST(AdVariantFromUrl, OnlyTheMdsValueCounts) {
    TAdVariant a = AdVariantFromUrl(kUrl);
    TAdVariant sameSlotOtherServer = AdVariantFromUrl(
        "http://other.invalid/ffffffffff/enter?x=1&mds=00112233445566778899AABBCCDDEEFF0011223344556677");
    TAdVariant otherSlot = AdVariantFromUrl(
        "http://ads.example.invalid/0a1b2c3d4e/enter?MDS=00112233445566778899aabbccddeeff0011223344556678");
    EXPECT_EQ(a.Hash, sameSlotOtherServer.Hash);
    EXPECT_EQ(a.Tagline, sameSlotOtherServer.Tagline);
    EXPECT_EQ(a.Theme, sameSlotOtherServer.Theme);
    EXPECT_NE(a.Hash, otherSlot.Hash);
    // Without an MDS value the whole text decides, so two such URLs still differ.
    EXPECT_NE(AdVariantFromUrl("http://h/a").Hash, AdVariantFromUrl("http://h/b").Hash);
}

TEST(AdVariantFromUrl, IndicesStayInRangeAndAllTaglinesOccur) {
    std::set<unsigned> taglines, themes;
    for (int i = 0; i < 200; ++i) {
        std::string url = "http://h/p/enter?MDS=" + std::to_string(i * 7919);
        TAdVariant v = AdVariantFromUrl(url.c_str());
        ASSERT_LT(v.Tagline, kTaglineCount);
        ASSERT_LT(v.Theme, kThemeCount);
        taglines.insert(v.Tagline);
        themes.insert(v.Theme);
    }
    EXPECT_EQ(taglines.size(), kTaglineCount);
    EXPECT_EQ(themes.size(), kThemeCount);
}

TEST(AdVariantFromUrl, ReadsNoFurtherThanTheLengthLimit) {
    // No terminator inside the buffer: reading past its end would be caught by the sanitizer.
    auto raw = std::make_unique<char[]>(kMaxUrlLength);
    std::memset(raw.get(), 'a', kMaxUrlLength);
    std::memcpy(raw.get(), "http://h/p?MDS=", 15);
    TAdVariant v = AdVariantFromUrl(raw.get());
    EXPECT_LT(v.Tagline, kTaglineCount);

    // Text past the limit does not change the variant.
    std::string longer(raw.get(), kMaxUrlLength);
    std::string a = longer + "bbbb", b = longer + "cccc";
    EXPECT_EQ(AdVariantFromUrl(a.c_str()).Hash, AdVariantFromUrl(b.c_str()).Hash);
}

}  // namespace
}  // namespace admds
