// TSkinReader: package layout, lookups, and packages whose words point anywhere.
#include "SkinReader.h"

#include "LzhEncoder.h"
#include "PackageWriter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes FromText(std::string_view text) { return Bytes(text.begin(), text.end()); }
std::string AsText(std::span<const std::uint8_t> b) { return std::string(b.begin(), b.end()); }

// A decoded package with any header words, name list bytes, size words and member bytes.
Bytes RawPackage(std::int32_t version, std::int32_t listLength, std::string_view names,
                 const std::vector<std::int32_t>& sizes, std::string_view data) {
    Bytes p;
    AppendInt32(p, static_cast<std::uint32_t>(version));
    AppendInt32(p, static_cast<std::uint32_t>(listLength));
    AppendInt32(p, 0x12345678);
    AppendInt32(p, 0x9ABCDEF0);
    p.insert(p.end(), names.begin(), names.end());
    for (std::int32_t s : sizes) AppendInt32(p, static_cast<std::uint32_t>(s));
    p.insert(p.end(), data.begin(), data.end());
    return p;
}

Bytes RawPackage(std::string_view names, const std::vector<std::int32_t>& sizes, std::string_view data) {
    return RawPackage(kSkinPackageVersion, static_cast<std::int32_t>(names.size()), names, sizes, data);
}

std::vector<std::string> Names(const TSkinReader& r) {
    std::vector<std::string> out;
    for (const TSkinEntry& e : r.Entries()) out.push_back(e.Name);
    return out;
}

// Every present entry must lie inside the member data.
void ExpectEntriesInBounds(const TSkinReader& r) {
    for (std::size_t i = 0; i < r.Entries().size(); ++i) {
        const TSkinEntry& e = r.Entries()[i];
        if (!e.Present) {
            EXPECT_TRUE(r.EntryBytes(i).empty());
            continue;
        }
        EXPECT_GE(e.Offset, 0);
        EXPECT_LE(e.Offset + e.Size, static_cast<std::int64_t>(r.Data().size()));
        EXPECT_EQ(r.EntryBytes(i).size(), static_cast<std::size_t>(e.Size));
    }
}

}  // namespace

//--- layout and lookups

TEST(SkinReaderLayout, LooksUpMembersByName) {
    TSkinReader r;
    const Bytes pkg = RawPackage("Frame-Top.bmp\r\ndup.bmp\r\nDUP.bmp\r\nCandyGlass_2.ini\r\n", {3, 2, 4, 5},
                                 "TOPd1D2D2[ini]");
    ASSERT_EQ(r.ParsePackage(pkg), TPackageStatus::psLoaded);
    EXPECT_TRUE(r.Problem().empty());
    EXPECT_EQ(Names(r), (std::vector<std::string>{"frame-top.bmp", "dup.bmp", "dup.bmp", "candyglass_2.ini"}));
    EXPECT_EQ(r.HeaderWord2(), 0x12345678u);
    EXPECT_EQ(r.HeaderWord3(), 0x9ABCDEF0u);
    EXPECT_EQ(r.Data().size(), 14u);

    EXPECT_EQ(AsText(r.GetFile("FRAME-TOP.BMP")), "TOP");
    EXPECT_EQ(AsText(r.GetFile("Dup.bmp")), "d1") << "a repeated name yields its first entry";
    EXPECT_TRUE(r.GetFile("frame-top").empty());
    EXPECT_TRUE(r.GetFile("").empty());

    std::string found;
    EXPECT_EQ(AsText(r.FindFile(".ini", found)), "[ini]");
    EXPECT_EQ(found, "candyglass_2.ini");
    EXPECT_EQ(AsText(r.FindFile("dup", found)), "d1");
    EXPECT_EQ(found, "dup.bmp");
    EXPECT_TRUE(r.FindFile(".INI", found).empty()) << "the fragment is compared as given";
    EXPECT_EQ(found, "");
}

TEST(SkinReaderLayout, SplitsTheNameListIntoLines) {
    struct Case {
        std::string names;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},    // every terminator; last line unterminated
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},          // empty line in the middle is an entry
        {"a\n", {"a"}},                              // a terminator at the end opens no line
        {"\n", {""}},
        {"", {}},
        {"a\r\r\nb", {"a", "", "b"}},                // CR alone, then CR LF
        {std::string("a\r\nb\0c\r\n", 8), {"a", "b"}},  // a zero byte ends the text
    };
    for (const Case& c : cases) {
        std::vector<std::int32_t> sizes(c.expected.size(), 1);
        const Bytes pkg = RawPackage(c.names, sizes, std::string(c.expected.size(), 'x'));
        TSkinReader r;
        ASSERT_EQ(r.ParsePackage(pkg), TPackageStatus::psLoaded);
        EXPECT_EQ(Names(r), c.expected) << "name list " << ::testing::PrintToString(c.names);
        EXPECT_TRUE(r.Problem().empty()) << ::testing::PrintToString(c.names);
    }
}

TEST(SkinReaderLayout, EmptyNameIsAnEntryOfItsOwn) {
    TSkinReader r;
    ASSERT_EQ(r.ParsePackage(RawPackage("a\r\n\r\nb", {1, 2, 3}, "ABBCCC")), TPackageStatus::psLoaded);
    EXPECT_EQ(AsText(r.GetFile("")), "BB");
    EXPECT_EQ(AsText(r.GetFile("b")), "CCC");
}

// The layout's size table holds 1001 entries: a package of that many loads whole, one with more
// names is damaged and keeps no entry, however the lines are made and however many there are.
TEST(SkinReaderLayout, MoreNamesThanTheTableHoldsAreDamage) {
    struct Case {
        const char* what;
        std::string names;
        std::size_t count;
        bool compressed;
    };
    auto numbered = [](int n) {
        std::string names;
        for (int i = 0; i < n; ++i) names.append("m").append(std::to_string(i)).append(".bmp\r\n");
        return names;
    };
    const std::vector<Case> cases = {
        {"1001 names", numbered(1001), 1001, false},
        {"1002 names", numbered(1002), 1002, false},
        {"1002 empty names", std::string(1002, '\n'), 1002, false},
        {"1001 names and an unterminated last line", numbered(1001) + "x.bmp", 1002, false},
        // About 4 KB of compressed skin promising 196,000 empty names.
        {"compressed line feeds", std::string(196000, '\n'), 196000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<std::int32_t> sizes(std::min<std::size_t>(c.count, kMaxSkinEntries), 1);
        const Bytes package = RawPackage(c.names, sizes, std::string(sizes.size(), 'z'));
        TSkinReader r;
        const TPackageStatus status = c.compressed ? r.LoadPackage(CompressSkin(package)) : r.ParsePackage(package);
        if (c.count <= kMaxSkinEntries) {
            ASSERT_EQ(status, TPackageStatus::psLoaded);
            EXPECT_EQ(r.Entries().size(), c.count);
            EXPECT_EQ(AsText(r.GetFile("m1000.bmp")), "z");
            continue;
        }
        EXPECT_EQ(status, TPackageStatus::psDamaged);
        EXPECT_TRUE(r.Entries().empty());
        EXPECT_TRUE(r.Data().empty());
        EXPECT_NE(r.Problem().find("holds " + std::to_string(c.count) + " names"), std::string::npos) << r.Problem();
        EXPECT_STREQ(PackageStatusMessage(status), kOldSkinMessage);
    }
}

//--- version and header

TEST(SkinReaderHeader, OldVersionReportsTheMessageAndLoadsNothing) {
    TSkinReader r;
    ASSERT_EQ(r.ParsePackage(RawPackage("a.bmp\r\n", {1}, "x")), TPackageStatus::psLoaded);
    EXPECT_EQ(r.ParsePackage(RawPackage(19999, 7, "a.bmp\r\n", {1}, "x")), TPackageStatus::psOldVersion);
    EXPECT_EQ(r.Version(), 19999);
    EXPECT_TRUE(r.Entries().empty());
    EXPECT_TRUE(r.GetFile("a.bmp").empty());
    EXPECT_STREQ(PackageStatusMessage(TPackageStatus::psOldVersion),
                 "This is Older Skin File\rPlease update to new version !");
    EXPECT_STREQ(PackageStatusMessage(TPackageStatus::psDamaged), kOldSkinMessage);
    EXPECT_STREQ(PackageStatusMessage(TPackageStatus::psLoaded), "");
}

TEST(SkinReaderHeader, PackageWithoutCompleteHeaderIsDamaged) {
    for (std::size_t n : {0u, 1u, 15u}) {
        TSkinReader r;
        EXPECT_EQ(r.ParsePackage(Bytes(n, 0)), TPackageStatus::psDamaged) << n;
        EXPECT_FALSE(r.Problem().empty());
    }
    TSkinReader r;
    Bytes header;
    AppendInt32(header, kSkinPackageVersion);
    header.resize(16, 0);
    EXPECT_EQ(r.ParsePackage(header), TPackageStatus::psLoaded) << "a bare header is an empty package";
    EXPECT_TRUE(r.Entries().empty());
}

//--- damaged entries: never read outside the package

TEST(SkinReaderDamage, EntriesOutsideTheDataAreAbsent) {
    TSkinReader r;
    // Entry sizes: fine, negative, too large, fine again after the offsets went astray.
    ASSERT_EQ(r.ParsePackage(RawPackage("ok\r\nneg\r\nhuge\r\nafter", {2, -1, 1000, 1}, "OKxyz")),
              TPackageStatus::psLoaded);
    ASSERT_EQ(r.Entries().size(), 4u);
    EXPECT_EQ(AsText(r.GetFile("ok")), "OK");
    EXPECT_FALSE(r.Entries()[1].Present);
    EXPECT_TRUE(r.GetFile("neg").empty());
    EXPECT_FALSE(r.Entries()[2].Present);
    EXPECT_TRUE(r.GetFile("huge").empty());
    // "after" starts at 2 - 1 + 1000: beyond the data.
    EXPECT_FALSE(r.Entries()[3].Present);
    EXPECT_NE(r.Problem().find("3 of 4"), std::string::npos) << r.Problem();
    ExpectEntriesInBounds(r);
}

TEST(SkinReaderDamage, SizeOverflowNeverWrapsIntoTheData) {
    TSkinReader r;
    ASSERT_EQ(r.ParsePackage(RawPackage("a\r\nb\r\nc", {INT32_MAX, INT32_MAX, 2}, "xy")), TPackageStatus::psLoaded);
    for (const TSkinEntry& e : r.Entries()) EXPECT_FALSE(e.Present) << e.Name;
    ExpectEntriesInBounds(r);
}

TEST(SkinReaderDamage, SizeTableCutOffByTheEnd) {
    // Three names, but only one size word and a half follow.
    Bytes pkg = RawPackage("a\r\nb\r\nc\r\n", {1}, "");
    pkg.push_back(0x01);
    pkg.push_back(0x00);
    TSkinReader r;
    ASSERT_EQ(r.ParsePackage(pkg), TPackageStatus::psLoaded);
    ASSERT_EQ(r.Entries().size(), 3u);
    EXPECT_TRUE(r.Data().empty());
    for (const TSkinEntry& e : r.Entries()) EXPECT_FALSE(e.Present) << e.Name;
}

TEST(SkinReaderDamage, NameListLengthOutsideThePackage) {
    for (std::int32_t length : {-1, INT32_MIN, 100, INT32_MAX}) {
        TSkinReader r;
        ASSERT_EQ(r.ParsePackage(RawPackage(kSkinPackageVersion, length, "a.ini\r\n", {3}, "abc")),
                  TPackageStatus::psLoaded);
        EXPECT_TRUE(r.Entries().empty()) << length;
        EXPECT_TRUE(r.GetFile("a.ini").empty());
        EXPECT_FALSE(r.Problem().empty());
    }
}

//--- compressed skins

TEST(SkinReaderCompressed, LoadsWhatThePackerWrote) {
    const std::vector<TPackageMember> members = {
        {"Frame-Top.bmp", FromText("BM top bitmap")},
        {"empty.bmp", {}},
        {"Skin.ini", FromText("[Personality]\r\nTop=frame-top.bmp\r\n")},
    };
    const Bytes package = BuildPackage(members, 7, 8);
    const Bytes skin = CompressSkin(package);
    TSkinReader r;
    ASSERT_EQ(r.LoadPackage(skin), TPackageStatus::psLoaded);
    EXPECT_EQ(r.DeclaredLength(), static_cast<std::int32_t>(package.size()));
    EXPECT_EQ(r.Version(), kSkinPackageVersion);
    EXPECT_EQ(r.HeaderWord2(), 7u);
    EXPECT_EQ(AsText(r.GetFile("frame-top.bmp")), "BM top bitmap");
    EXPECT_TRUE(r.Entries()[1].Present);
    EXPECT_TRUE(r.GetFile("empty.bmp").empty());
    std::string found;
    EXPECT_EQ(AsText(r.FindFile(".ini", found)), "[Personality]\r\nTop=frame-top.bmp\r\n");
    EXPECT_EQ(found, "skin.ini");
}

TEST(SkinReaderCompressed, BytesPastTheDeclaredLengthAreNotPartOfThePackage) {
    const Bytes package = BuildPackage({{"a.bmp", FromText("AAAA")}, {"b.ini", Bytes(100, 'b')}});
    Bytes skin = CompressSkin(package);
    // Declare one byte less: decoding may run past it (the last match), the package may not.
    const auto shorter = static_cast<std::uint32_t>(package.size() - 1);
    for (int i = 0; i < 4; ++i) skin[i] = static_cast<std::uint8_t>(shorter >> (8 * i));
    TSkinReader r;
    ASSERT_EQ(r.LoadPackage(skin), TPackageStatus::psLoaded);
    EXPECT_EQ(AsText(r.GetFile("a.bmp")), "AAAA");
    EXPECT_FALSE(r.Entries()[1].Present);
    EXPECT_EQ(r.Data().size(), 103u);
}

TEST(SkinReaderCompressed, ImpossibleLengthWordsAreDamage) {
    const Bytes skin = CompressSkin(BuildPackage({{"a.ini", FromText("[x]")}}));
    auto withLength = [&](std::uint32_t d) {
        Bytes s = skin;
        for (int i = 0; i < 4; ++i) s[i] = static_cast<std::uint8_t>(d >> (8 * i));
        return s;
    };
    TSkinReader r;
    EXPECT_EQ(r.LoadPackage(Bytes{}), TPackageStatus::psDamaged);
    EXPECT_EQ(r.LoadPackage(Bytes{1, 0, 0}), TPackageStatus::psDamaged);
    EXPECT_EQ(r.LoadPackage(withLength(0)), TPackageStatus::psDamaged);
    EXPECT_EQ(r.LoadPackage(withLength(15)), TPackageStatus::psDamaged);
    EXPECT_EQ(r.LoadPackage(withLength(0xFFFFFFFF)), TPackageStatus::psDamaged);
    EXPECT_EQ(r.LoadPackage(withLength(0x7FFFFFFF)), TPackageStatus::psDamaged);
    EXPECT_EQ(r.LoadPackage(withLength(1000000)), TPackageStatus::psDamaged);
    EXPECT_NE(r.Problem().find("beyond what"), std::string::npos) << r.Problem();
    // Plausible for the stream, but larger than any skin.
    Bytes big(3 << 20, 0);
    const auto cap = static_cast<std::uint32_t>(kMaxSkinPackageSize + 1);
    for (int i = 0; i < 4; ++i) big[i] = static_cast<std::uint8_t>(cap >> (8 * i));
    EXPECT_EQ(r.LoadPackage(big), TPackageStatus::psDamaged);
    EXPECT_NE(r.Problem().find("too large"), std::string::npos) << r.Problem();
}

TEST(SkinReaderCompressed, CorruptedAndTruncatedSkinsNeverReadOutOfBounds) {
    std::vector<TPackageMember> members;
    for (int i = 0; i < 12; ++i) members.push_back({"image" + std::to_string(i) + ".bmp", Bytes(300 + i * 50, static_cast<std::uint8_t>(i))});
    members.push_back({"skin.ini", FromText("[Buttons]\r\nBitmap=image1.bmp\r\n")});
    const Bytes skin = CompressSkin(BuildPackage(members));
    std::mt19937 rng(77);
    int loaded = 0;
    for (int round = 0; round < 200; ++round) {
        Bytes bad = skin;
        if (round % 3 == 0) {
            bad.resize(rng() % bad.size());
        } else {
            for (int k = 1 + round % 5; k > 0; --k) bad[4 + rng() % (bad.size() - 4)] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
        }
        TSkinReader r;
        if (r.LoadPackage(bad) != TPackageStatus::psLoaded) {
            EXPECT_TRUE(r.Entries().empty());
            continue;
        }
        ++loaded;
        ExpectEntriesInBounds(r);
        std::string found;
        (void)r.FindFile(".ini", found);
        (void)r.GetFile("image3.bmp");
    }
    EXPECT_GT(loaded, 0) << "some damaged skins still load, with their entries checked";
}

//--- stored property form

TEST(StoredSkin, SplitsTheLengthWordOff) {
    Bytes prop;
    AppendInt32(prop, 3);
    prop.insert(prop.end(), {7, 8, 9});
    TStoredSkin s = ReadStoredSkin(prop);
    EXPECT_EQ(s.Kind, TStoredSkin::skSkin);
    EXPECT_EQ(Bytes(s.Skin.begin(), s.Skin.end()), (Bytes{7, 8, 9}));

    EXPECT_EQ(ReadStoredSkin(Bytes{0, 0, 0, 0}).Kind, TStoredSkin::skNone);
    EXPECT_EQ(ReadStoredSkin(Bytes{0xFF, 0xFF, 0xFF, 0xFF}).Kind, TStoredSkin::skNone);
    EXPECT_EQ(ReadStoredSkin(Bytes{4, 0, 0, 0, 1, 2, 3}).Kind, TStoredSkin::skDamaged);
    EXPECT_EQ(ReadStoredSkin(Bytes{1, 0, 0}).Kind, TStoredSkin::skDamaged);
    EXPECT_EQ(ReadStoredSkin(Bytes{0xFF, 0xFF, 0xFF, 0x7F, 1}).Kind, TStoredSkin::skDamaged);
}
