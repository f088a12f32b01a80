// TQuickIni: what a skin description's lines mean to the reader.
#include "QuickIni.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TQuickIni Ini(std::string_view text) {
    TQuickIni ini;
    ini.Load(text);
    return ini;
}

}  // namespace

TEST(QuickIniLoad, KeepsTrimmedLinesWithoutBlanksOrComments) {
    const TQuickIni ini = Ini(" [A] \r\n; comment\n\r\n   \n\tkey = value \rx\x01\r\n  ;indented comment\nlast");
    EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"[A]", "key = value", "x", "last"}));
}

TEST(QuickIniLoad, ZeroByteEndsTheText) {
    const TQuickIni ini = Ini(std::string_view("[A]\nk=1\0\nk2=2\n", 14));
    EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"[A]", "k=1"}));
    EXPECT_EQ(ini.ReadString("A", "k2", "none"), "none");
}

TEST(QuickIniLoad, LoadReplacesEverything) {
    TQuickIni ini = Ini("[A]\nk=1\n");
    ini.Load(std::string_view("[B]\nk=2\n"));
    EXPECT_EQ(ini.ReadString("A", "k", "gone"), "gone");
    EXPECT_EQ(ini.ReadString("B", "k", ""), "2");
    const std::string text = "[C]\nk=3\n";
    ini.Load(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    EXPECT_EQ(ini.ReadString("C", "k", ""), "3");
    EXPECT_EQ(ini.ReadString("B", "k", "gone"), "gone");
}

TEST(QuickIniRead, SectionsAndKeysIgnoreLetterCase) {
    const TQuickIni ini = Ini("[MdiControls]\nImage=mdi.bmp\n[Personality]\nInactiveTextR=12\n");
    EXPECT_EQ(ini.ReadString("MDICONTROLS", "image", ""), "mdi.bmp");
    EXPECT_EQ(ini.ReadInteger("personality", "InActiveTextR", -1), 12);
}

TEST(QuickIniRead, FirstSectionAndFirstKeyDecide) {
    const TQuickIni ini = Ini(
        "[S]\n"
        "Empty=\n"
        "Empty=later\n"
        "Twice=first\n"
        "Twice=second\n"
        "[s]\n"
        "Other=in the second section\n");
    EXPECT_EQ(ini.ReadString("S", "Twice", "d"), "first");
    // The first line of a key decides even when its value is empty: the default stays.
    EXPECT_EQ(ini.ReadString("S", "Empty", "d"), "d");
    // Only the first section of a name is searched.
    EXPECT_EQ(ini.ReadString("S", "Other", "d"), "d");
}

TEST(QuickIniRead, KeysEndAtTheNextHeader) {
    const TQuickIni ini = Ini("[A]\na=1\n[B]\nb=2\n[C]\n");
    EXPECT_EQ(ini.ReadString("A", "b", "d"), "d");
    EXPECT_EQ(ini.ReadString("B", "b", "d"), "2");
    EXPECT_EQ(ini.ReadString("C", "b", "d"), "d");
    EXPECT_EQ(ini.ReadString("Missing", "a", "d"), "d");
    EXPECT_EQ(Ini("").ReadString("A", "a", "d"), "d");
}

TEST(QuickIniRead, ValuesAreTakenLiterally) {
    const TQuickIni ini = Ini(
        "[A]\n"
        "  Image  =  CandyGlass_2\\Menu Background.bmp  \n"
        "expr=a=b\n"
        "quoted=\"x\" ; not a comment\n"
        "novalue\n"
        "=orphan\n");
    EXPECT_EQ(ini.ReadString("A", "image", ""), "CandyGlass_2\\Menu Background.bmp");
    EXPECT_EQ(ini.ReadString("A", "expr", ""), "a=b");
    EXPECT_EQ(ini.ReadString("A", "quoted", ""), "\"x\" ; not a comment");
    // A line without "=" is no key of that name.
    EXPECT_EQ(ini.ReadString("A", "novalue", "d"), "d");
    // Requested keys are not trimmed.
    EXPECT_EQ(ini.ReadString("A", " image", "d"), "d");
}

TEST(QuickIniRead, HeaderWithSpacesInsideDoesNotMatchTheBareName) {
    const TQuickIni ini = Ini("[ Colours ]\nMenu=1 2 3\n");
    EXPECT_EQ(ini.ReadString("Colours", "Menu", "d"), "d");
    EXPECT_EQ(ini.ReadString(" Colours ", "Menu", "d"), "1 2 3");
}

TEST(QuickIniInteger, ConvertsDecimalAndHexadecimal) {
    const TQuickIni ini = Ini(
        "[N]\n"
        "dec=42\nneg=-17\nplus=+5\nspaced=  7  \n"
        "hex1=0x1F\nhex2=0XfF\nhex3=$10\nallbits=0xFFFFFFFF\nhexmin=0x80000000\n"
        "max=2147483647\nmin=-2147483648\nover=2147483648\nunder=-2147483649\nhexover=0x100000000\n"
        "bare0x=0x\nbaredollar=$\ntrailing=12abc\nfraction=1.5\ninner=1 2\nnegspace=- 1\nnegx=-0x10\nempty=\n");
    EXPECT_EQ(ini.ReadInteger("N", "dec", -1), 42);
    EXPECT_EQ(ini.ReadInteger("N", "neg", -1), -17);
    EXPECT_EQ(ini.ReadInteger("N", "plus", -1), 5);
    EXPECT_EQ(ini.ReadInteger("N", "spaced", -1), 7);
    EXPECT_EQ(ini.ReadInteger("N", "hex1", -1), 31);
    EXPECT_EQ(ini.ReadInteger("N", "hex2", -1), 255);
    EXPECT_EQ(ini.ReadInteger("N", "hex3", -1), 16);
    EXPECT_EQ(ini.ReadInteger("N", "allbits", 0), -1);
    EXPECT_EQ(ini.ReadInteger("N", "hexmin", 0), INT32_MIN);
    EXPECT_EQ(ini.ReadInteger("N", "max", 0), INT32_MAX);
    EXPECT_EQ(ini.ReadInteger("N", "min", 0), INT32_MIN);
    for (const char* key : {"over", "under", "hexover", "bare0x", "baredollar", "trailing", "fraction", "inner",
                            "negspace", "negx", "empty", "missing"}) {
        EXPECT_EQ(ini.ReadInteger("N", key, -99), -99) << key;
    }
}

TEST(QuickIniSections, ListsNamesInFileOrder) {
    const TQuickIni ini = Ini("[Personality]\nx=1\n[ Button0 ]\n[Colours]\n[Personality]\n[]\n[Not a header\n");
    std::vector<std::string> sections = {"stale"};
    ini.ReadSections(sections);
    EXPECT_EQ(sections, (std::vector<std::string>{"Personality", "Button0", "Colours", "Personality", ""}));
}
