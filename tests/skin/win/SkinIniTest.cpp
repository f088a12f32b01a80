// Reading a skin description into skin objects: the values, every kind of object reader and
// the objects derived after reading, on a description laid out like a shipped one.
// This program carries no bitmap resources, so the built-in track images load empty here.
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinIni.h"
#include "support/SkinObjectTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace skinobjtest;

namespace {

class SkinIniTest : public ::testing::Test {
protected:
    void SetUp() override { qx::test::EnsureApplication(); }
};

}  // namespace

//--- values

TEST(SkinColourText, ThreeNumbersAndTheirEdgeCases) {
    const qx::TColor def = 0x123456;
    EXPECT_EQ(ParseSkinColour("3 32 108", def), 0x006C2003);
    EXPECT_EQ(ParseSkinColour("  3,32,108  ", def), 0x006C2003);
    EXPECT_EQ(ParseSkinColour("3,32,108,", def), 0x006C2003);   // every run ended by a comma
    EXPECT_EQ(ParseSkinColour("255", def), 0);                  // a single number: black
    EXPECT_EQ(ParseSkinColour("1 2", def), 0x000001);           // two numbers: red only
    EXPECT_EQ(ParseSkinColour("1 2 3 4", def), 0x030201);       // a fourth number is ignored
    EXPECT_EQ(ParseSkinColour("1 2 3 4 5 6", def), 0x030201);
    EXPECT_EQ(ParseSkinColour("256 257 511", def), 0xFF0100);   // low 8 bits of each
    EXPECT_EQ(ParseSkinColour("999999999999999999999 0 0", def), 0x0000FF);
    EXPECT_EQ(ParseSkinColour("red green blue", def), 0);
    EXPECT_EQ(ParseSkinColour("", def), def);
    EXPECT_EQ(ParseSkinColour(" \t ", def), def);
    EXPECT_EQ(ParseSkinColour("-1 -2 -3", def), 0x030201);      // a sign is just a separator
}

TEST(SkinBitmapReference, OnlyTheFileNameOfALowerCaseBmpCounts) {
    EXPECT_EQ(SkinBitmapMemberName("CandyGlass_2\\MenuBackground.bmp"), "MenuBackground.bmp");
    EXPECT_EQ(SkinBitmapMemberName("C:top.bmp"), "top.bmp");
    EXPECT_EQ(SkinBitmapMemberName("dir/top.bmp"), "dir/top.bmp");  // a slash is no separator
    EXPECT_EQ(SkinBitmapMemberName("frame-top.bmp"), "frame-top.bmp");
    EXPECT_EQ(SkinBitmapMemberName("TOP.BMP"), "");
    EXPECT_EQ(SkinBitmapMemberName("top.png"), "");
    EXPECT_EQ(SkinBitmapMemberName("top.bmp.txt"), "");
    EXPECT_EQ(SkinBitmapMemberName("top"), "");
    EXPECT_EQ(SkinBitmapMemberName("dir.bmp\\"), "");
    EXPECT_EQ(SkinBitmapMemberName(""), "");
}

TEST_F(SkinIniTest, BitmapMembersLoadOrLeaveAnEmptyBitmap) {
    std::vector<TMember> members = WithDescription("");
    PutMember(members, "good.bmp", SolidBmp(5, 3, RGB(1, 2, 3)));
    std::vector<std::uint8_t> badHeader = SolidBmp(5, 3, RGB(1, 2, 3));
    badHeader[18] = 0xFF;  // width -1 ... and the rest of the word too
    badHeader[19] = badHeader[20] = badHeader[21] = 0xFF;
    PutMember(members, "badheader.bmp", badHeader);
    std::vector<std::uint8_t> truncated = SolidBmp(50, 50, RGB(1, 2, 3));
    truncated.resize(100);
    PutMember(members, "truncated.bmp", truncated);
    PutMember(members, "notabitmap.bmp", {'h', 'e', 'l', 'l', 'o'});
    PutMember(members, "empty.bmp", {});
    TSkinReader reader;
    TQuickIni ini;
    ASSERT_TRUE(LoadMembers(members, reader, ini));

    qx::TBitmap bitmap;
    EXPECT_TRUE(LoadSkinBitmap(reader, "skins\\GOOD.bmp", bitmap));  // member names ignore case
    EXPECT_TRUE(IsSolid(bitmap, RGB(1, 2, 3)));
    for (const char* value : {"badheader.bmp", "truncated.bmp", "notabitmap.bmp", "empty.bmp", "missing.bmp",
                              "good.BMP", ""}) {
        ASSERT_TRUE(LoadSkinBitmap(reader, "good.bmp", bitmap));
        EXPECT_FALSE(LoadSkinBitmap(reader, value, bitmap)) << value;
        EXPECT_TRUE(bitmap.Empty()) << value;
    }
}

TEST(SkinSections, ANullListBreaksTheAssertion) {
    TQuickIni ini;
    ini.Load(std::string_view("[A]\n[B]\n"));
    try {
        ReadSkinSections(ini, nullptr);
        FAIL() << "no assertion";
    } catch (const EAssertionFailed& e) {
        EXPECT_STREQ(e.what(), "The parameter Strings is unassigned! (Winskinini, line 318)");
        EXPECT_EQ(e.Unit(), "Winskinini");
        EXPECT_EQ(e.Line(), 318);
    }
    std::vector<std::string> sections{"stale"};
    ReadSkinSections(ini, &sections);
    EXPECT_EQ(sections, (std::vector<std::string>{"A", "B"}));
}

//--- a realistic description

TEST_F(SkinIniTest, RealisticDescriptionFillsTheFrameAndTitle) {
    TLoadedSkin skin;
    ASSERT_TRUE(skin.Load(RealisticMembers()));
    const TSkinObjectSet& o = skin.Objects;
    EXPECT_EQ(skin.SkinName, "Candy Test");

    // Left and right carry their end parts as top and bottom margins, top and bottom as left
    // and right ones.
    EXPECT_TRUE(SameRect(o.BorderLeft->Margins, RECT{0, 5, 0, 6}));
    EXPECT_TRUE(SameRect(o.BorderRight->Margins, RECT{0, 7, 0, 8}));
    EXPECT_TRUE(SameRect(o.BorderTop->Margins, RECT{30, 0, 40, 0}));
    EXPECT_TRUE(SameRect(o.BorderBottom->Margins, RECT{9, 0, 10, 0}));
    EXPECT_EQ(o.BorderTop->FrameCount, 2);
    EXPECT_EQ(o.BorderTop->Tile, 1);      // Stretch 2 is taken as 1
    EXPECT_EQ(o.BorderLeft->Tile, 0);
    EXPECT_EQ(o.BorderRight->Tile, 1);    // default
    EXPECT_EQ(o.BorderTop->Trans, 0);
    EXPECT_EQ(o.BorderLeft->Trans, 1);    // default
    EXPECT_EQ(o.BorderTop->Name, "Top");
    EXPECT_TRUE(IsSolid(o.BorderLeft->Bitmap, MemberColour("frame-left.bmp")));
    EXPECT_EQ(o.BorderBottom->Bitmap.Width(), 200);

    const TDataSkinTitle& t = *o.Title;
    EXPECT_TRUE(SameRect(t.Margins, RECT{12, 3, 60, 0}));
    EXPECT_EQ(t.TextAlignment, 1);
    EXPECT_EQ(t.Textbackground, 1);
    EXPECT_EQ(t.TXTBackleft, 4);
    EXPECT_EQ(t.TXTBackRight, 5);
    EXPECT_EQ(t.FontHeight, 13);
    EXPECT_EQ(t.ActiveText, 0x00FFFF);
    EXPECT_EQ(t.InActiveText, 0x828180);  // keys written InactiveText... match
    EXPECT_EQ(t.FrameCount, 2);
    EXPECT_EQ(t.Bitmap.Width(), 40);

    ASSERT_NE(o.MenuBar, nullptr);
    EXPECT_EQ(o.MenuBar->Name, "Personality");
    EXPECT_EQ(o.MenuBar->Tile, 1);        // TileMenu 3 becomes 1
    EXPECT_TRUE(SameRect(o.MenuBar->Margins, RECT{0, 0, 1, 0}));
    EXPECT_EQ(o.MenuBar->FrameCount, 2);
}

TEST_F(SkinIniTest, RealisticDescriptionFillsColoursAndButtons) {
    TLoadedSkin skin;
    ASSERT_TRUE(skin.Load(RealisticMembers()));
    const TSkinColours& c = skin.Colours;
    EXPECT_EQ(c.WindowText, 0x030201);
    EXPECT_EQ(c.ButtonFace, 0xD8E9EC);
    EXPECT_EQ(c.MenubarColour, c.ButtonFace);  // no Menubar key: the button face just read
    EXPECT_EQ(c.ButtonText, 0x6C2003);
    EXPECT_EQ(c.MenuText, 0x090807);
    EXPECT_EQ(c.MenuBarText, qx::SysColor(COLOR_MENUTEXT));
    EXPECT_EQ(c.Buttonlight, qx::SysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(c.ScrollbarColour, qx::SysColor(COLOR_SCROLLBAR));
    EXPECT_EQ(c.ColourList, (std::vector<qx::TColor>{0x1E140A, qx::SysColor(COLOR_WINDOWTEXT), 0x3C3228}));
    for (qx::TColor custom : c.CustomColours) EXPECT_EQ(custom, qx::clWhite);

    const TDataSkinButton& b = *skin.Objects.Button;
    EXPECT_EQ(b.Name, "Buttons");
    EXPECT_TRUE(SameRect(b.Margins, RECT{3, 5, 4, 6}));
    EXPECT_EQ(b.Trans, 1);
    EXPECT_EQ(b.Tile, 0);                 // 2 is taken as 0
    EXPECT_EQ(b.FrameCount, 5);
    EXPECT_EQ(b.RadioFrames, 8);          // given
    EXPECT_EQ(b.CheckFrames, 6);          // 78 wide, 13 high: 13-pixel glyphs
    EXPECT_EQ(b.NormalColour, 2);
    EXPECT_EQ(b.MouseOverColour, -1);
    EXPECT_TRUE(b.HasNormalColour2);
    EXPECT_FALSE(b.HasMouseOverColour2);
    EXPECT_FALSE(b.HasPressedColour2);    // present but empty
    EXPECT_EQ(b.NormalColour2, 0x006C2003);
    EXPECT_EQ(b.PressedColour2, c.ButtonText);
}

TEST_F(SkinIniTest, SystemButtonsKeepTheUsedSectionsAndCutTheMdiStrip) {
    TLoadedSkin skin;
    ASSERT_TRUE(skin.Load(RealisticMembers()));
    const auto& buttons = skin.Objects.SysButtons;
    std::vector<std::string> names;
    for (const auto& b : buttons) names.push_back(b->Name);
    // Button6 and Button9 are dropped (Action -1, Visibility not 0); Button7 is kept.
    ASSERT_EQ(names, (std::vector<std::string>{"BUTTON0", "BUTTON1", "BUTTON2", "BUTTON3", "BUTTON4", "BUTTON5",
                                               "BUTTON7", "BUTTON8", "MDICONTROLS", "MDICONTROLS", "MDICONTROLS"}));
    EXPECT_EQ(buttons[0]->FrameCount, 6);  // 120 x 21: wide
    EXPECT_EQ(buttons[0]->Xcoord, 25);
    EXPECT_EQ(buttons[0]->Ycoord, 5);
    EXPECT_EQ(buttons[0]->Align, 1);
    EXPECT_EQ(buttons[0]->CombineOp, -1);
    EXPECT_EQ(buttons[0]->Visibility1, 0);
    EXPECT_EQ(buttons[3]->FrameCount, 3);  // 63 x 21: short ...
    EXPECT_TRUE(buttons[3]->Bitmap.Empty());  // ... but Action 3 without a frame key has no image
    EXPECT_EQ(buttons[4]->FrameCount, 3);
    EXPECT_FALSE(buttons[4]->Bitmap.Empty());
    EXPECT_EQ(buttons[5]->Action, 11);
    EXPECT_TRUE(buttons[5]->Bitmap.Empty());
    EXPECT_EQ(buttons[5]->FrameCount, 6);
    EXPECT_EQ(buttons[6]->Action, -1);
    EXPECT_EQ(buttons[6]->Visibility1, -1);
    EXPECT_EQ(buttons[6]->FrameCount, 6);  // a negative action takes six frames
    EXPECT_EQ(buttons[7]->FrameCount, 2);  // given
    EXPECT_EQ(buttons[7]->CombineOp, 3);
    EXPECT_EQ(buttons[7]->Visibility1, 2);

    const int xcoords[3] = {57, 38, 19};
    for (int i = 0; i < 3; ++i) {
        const TDataSkinSysButton& mdi = *buttons[8 + i];
        EXPECT_EQ(mdi.Action, 7 + i);
        EXPECT_EQ(mdi.Align, 100);
        EXPECT_EQ(mdi.Visibility, 100);
        EXPECT_EQ(mdi.Visibility1, 100);
        EXPECT_EQ(mdi.FrameCount, 4);
        EXPECT_EQ(mdi.Xcoord, xcoords[i]);
        ASSERT_EQ(mdi.Bitmap.Width(), 60);
        ASSERT_EQ(mdi.Bitmap.Height(), 14);
        // Columns 60 i .. 60 i + 59 of the strip, which say where they came from.
        EXPECT_EQ(static_cast<COLORREF>(mdi.Bitmap.Pixel(0, 0)), RGB(60 * i, 7, 9));
        EXPECT_EQ(static_cast<COLORREF>(mdi.Bitmap.Pixel(59, 13)), RGB(60 * i + 59, 7, 9));
    }
}

TEST_F(SkinIniTest, ImageObjectsReadTheirSectionsAndFrameCounts) {
    TLoadedSkin skin;
    ASSERT_TRUE(skin.Load(RealisticMembers()));
    const TSkinObjectSet& o = skin.Objects;

    ASSERT_NE(o.Progress, nullptr);
    EXPECT_EQ(o.Progress->Tile, 1);            // 2 becomes 1 here, not 0
    EXPECT_EQ(o.Progress->NormalColour, 0);     // colour keys are not read for it
    EXPECT_EQ(o.Progress->AuxBitmap.Width(), 6);
    EXPECT_EQ(o.Progress->FrameCount, 2);
    EXPECT_TRUE(SameRect(o.Progress->Margins, RECT{2, 0, 2, 0}));

    ASSERT_NE(o.Tabs, nullptr);
    EXPECT_EQ(o.Tabs->Style, 0);               // not read for objects with a second image
    EXPECT_EQ(o.Tabs->AuxBitmap.Width(), 20);
    EXPECT_EQ(o.Tabs->FrameCount, 5);
    EXPECT_EQ(o.Tabs->NormalColour2, skin.Colours.ButtonText);

    ASSERT_NE(o.HorzScroll, nullptr);
    EXPECT_EQ(o.HorzScroll->Tile, 0);          // 2 becomes 0 in a generic section
    ASSERT_NE(o.MenuItem, nullptr);
    EXPECT_EQ(o.MenuItem->Tile, 1);
    ASSERT_NE(o.ThumbHorz, nullptr);
    EXPECT_EQ(o.ThumbHorz->Style, 3);
    EXPECT_EQ(o.ThumbHorz->NormalColour, -1);
    EXPECT_EQ(o.ThumbHorz->Name, "Trackbar.ThumbHorz");
    EXPECT_EQ(o.ThumbLeft, nullptr);            // empty Image key
    ASSERT_NE(o.ThumbRight, nullptr);          // upper-case extension: an object, no image
    EXPECT_TRUE(o.ThumbRight->Bitmap.Empty());
    ASSERT_NE(o.MenuBackground, nullptr);      // directory part dropped
    EXPECT_EQ(o.MenuBackground->Bitmap.Width(), 30);
    ASSERT_NE(o.UpDownHorz, nullptr);
    EXPECT_EQ(o.UpDownHorz->AuxBitmap.Width(), 64);
    EXPECT_EQ(o.UpDownVert, nullptr);
    EXPECT_EQ(o.GroupBox, nullptr);            // no [GroupBox] section

    const std::pair<const TDataSkinObject*, int> frames[] = {
        {o.GroupBoxEdge.get(), 2}, {o.StatusBarEdges.get(), 3}, {o.ToolBars.get(), 5},  {o.ExtraImages.get(), 5},
        {o.Headerbar.get(), 5},    {o.MenuItem.get(), 5},       {o.MenuBackground.get(), 1}, {o.Scrollbar.get(), 23},
        {o.HorzScroll.get(), 4},   {o.VertScroll.get(), 4},     {o.HorzScrollThumb.get(), 4}, {o.VertScrollThumb.get(), 3},
        {o.ThumbHorz.get(), 5},    {o.ThumbVert.get(), 5},      {o.ThumbRight.get(), 5},  {o.UpDownHorz.get(), 8},
        {o.ComboButton.get(), 4},  {o.SunkEdge.get(), 4},       {o.Toolbar.get(), 1}};
    for (const auto& [object, count] : frames) {
        ASSERT_NE(object, nullptr) << count;
        EXPECT_EQ(object->FrameCount, count) << object->Name;
    }
    EXPECT_EQ(o.Scrollbar->FrameWidth(), 16);
}

//--- derived and generated objects

TEST_F(SkinIniTest, EditFrameCombinesSunkEdgeComboButtonAndGlyph) {
    TLoadedSkin skin;
    ASSERT_TRUE(skin.Load(RealisticMembers()));
    TDataSkinBorder& combo = *skin.Objects.ComboButton;
    TDataSkinObject& sunk = *skin.Objects.SunkEdge;
    const int w = ::GetSystemMetrics(SM_CXHSCROLL) + 2;

    EXPECT_EQ(combo.Style, 2);
    EXPECT_TRUE(SameRect(combo.Margins, RECT{2, 4, w + 2, 5}));
    EXPECT_TRUE(SameRect(sunk.Margins, RECT{w + 2, 4, 2, 5}));
    ASSERT_EQ(combo.Bitmap.Width(), 200);   // four states of 50 x 21
    ASSERT_EQ(combo.Bitmap.Height(), 21);
    ASSERT_EQ(sunk.Bitmap.Width(), 200);
    // The mirror image of the combo button as it was read (68 x 21, four frames).
    EXPECT_EQ(combo.AuxBitmap.Width(), 68);
    EXPECT_EQ(static_cast<COLORREF>(combo.AuxBitmap.Pixel(0, 0)), MemberColour("combo.bmp"));

    const COLORREF sunkColour = MemberColour("sunk.bmp"), comboColour = MemberColour("combo.bmp");
    const COLORREF extraColour = MemberColour("extra.bmp");
    for (int state = 0; state < 4; ++state) {
        const int x0 = 50 * state;
        EXPECT_EQ(static_cast<COLORREF>(combo.Bitmap.Pixel(x0, 0)), sunkColour) << state;
        EXPECT_EQ(static_cast<COLORREF>(combo.Bitmap.Pixel(x0 + 10, 10)), RGB(255, 0, 255)) << state;  // inner hole
        EXPECT_EQ(static_cast<COLORREF>(combo.Bitmap.Pixel(x0 + 49, 1)), comboColour) << state;
        EXPECT_EQ(static_cast<COLORREF>(combo.Bitmap.Pixel(x0 + 50 - w / 2, 10)), extraColour) << state;
    }
    // The edit frame is the combo frame mirrored: the button end is on the left.
    for (int x = 0; x < 200; x += 7)
        for (int y = 0; y < 21; y += 5)
            ASSERT_EQ(sunk.Bitmap.Pixel(x, y), combo.Bitmap.Pixel(199 - x, y)) << x << "," << y;
}

TEST_F(SkinIniTest, ToolbarBackgroundIsAGradientTowardsTheFrameColour) {
    TLoadedSkin skin;
    ASSERT_TRUE(skin.Load(RealisticMembers()));
    const TDataSkinObject& toolbar = *skin.Objects.Toolbar;
    EXPECT_EQ(toolbar.Name, "Toolbar");
    ASSERT_EQ(toolbar.Bitmap.Width(), 10);
    ASSERT_EQ(toolbar.Bitmap.Height(), 40);
    EXPECT_EQ(SkinFrameColour(skin.Objects, skin.Colours), static_cast<qx::TColor>(MemberColour("frame-top.bmp")));
    const qx::TColor top = MixColors(skin.Colours.ButtonFace, qx::clWhite, 150);
    const qx::TColor bottom = MixColors(qx::clGray, MemberColour("frame-top.bmp"), 150);
    EXPECT_EQ(toolbar.Bitmap.Pixel(5, 0), top);
    const qx::TColor last = toolbar.Bitmap.Pixel(5, 39);
    for (int shift : {0, 8, 16})  // a falling channel may end one step short
        EXPECT_LE(std::abs(((last >> shift) & 0xFF) - ((bottom >> shift) & 0xFF)), 1) << shift;

    // The same object is kept and repainted by the next load.
    const TDataSkinObject* before = skin.Objects.Toolbar.get();
    ASSERT_TRUE(skin.Load(WithDescription("")));
    EXPECT_EQ(skin.Objects.Toolbar.get(), before);
    EXPECT_EQ(skin.Objects.Toolbar->Bitmap.Pixel(5, 0),
              MixColors(qx::SysColor(COLOR_BTNFACE), qx::clWhite, 150));
}

TEST_F(SkinIniTest, BuiltInTracksExistEvenWithoutTheResources) {
    TLoadedSkin skin;
    ASSERT_TRUE(skin.Load(RealisticMembers()));
    for (const TDataSkinObject* track : {skin.Objects.Track.get(), skin.Objects.TrackVert.get()}) {
        ASSERT_NE(track, nullptr);
        EXPECT_TRUE(SameRect(track->Margins, RECT{3, 3, 3, 3}));
        EXPECT_EQ(track->FrameCount, 1);
        EXPECT_EQ(track->Tile, 0);
        EXPECT_TRUE(track->Bitmap.Empty());
    }
    EXPECT_EQ(skin.Objects.Track->Name, "TRACK");
    EXPECT_EQ(skin.Objects.TrackVert->Name, "TRACKVERT");
}
