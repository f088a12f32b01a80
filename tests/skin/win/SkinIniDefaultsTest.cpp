// Skin descriptions that leave things out or get them wrong: defaults, absent objects, frame
// counts of 0 or below, a second load over a first, and text that is no description at all.
#include "skin/data/SkinIni.h"
#include "support/SkinObjectTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace skinobjtest;

namespace {

class SkinIniDefaultsTest : public ::testing::Test {
protected:
    void SetUp() override { qx::test::EnsureApplication(); }
};

// Members that may be absent, by name, for messages.
std::vector<std::pair<const char*, const TDataSkinObject*>> OptionalMembers(const TSkinObjectSet& o) {
    return {{"Tabs", o.Tabs.get()},
            {"Progress", o.Progress.get()},
            {"UpDownHorz", o.UpDownHorz.get()},
            {"UpDownVert", o.UpDownVert.get()},
            {"SunkEdge", o.SunkEdge.get()},
            {"ExtraImages", o.ExtraImages.get()},
            {"ComboButton", o.ComboButton.get()},
            {"GroupBoxEdge", o.GroupBoxEdge.get()},
            {"ToolBars", o.ToolBars.get()},
            {"GroupBox", o.GroupBox.get()},
            {"StatusBarEdges", o.StatusBarEdges.get()},
            {"Headerbar", o.Headerbar.get()},
            {"MenuBar", o.MenuBar.get()},
            {"MenuItem", o.MenuItem.get()},
            {"MenuBackground", o.MenuBackground.get()},
            {"Scrollbar", o.Scrollbar.get()},
            {"HorzScroll", o.HorzScroll.get()},
            {"VertScroll", o.VertScroll.get()},
            {"HorzScrollThumb", o.HorzScrollThumb.get()},
            {"VertScrollThumb", o.VertScrollThumb.get()},
            {"ThumbHorz", o.ThumbHorz.get()},
            {"ThumbVert", o.ThumbVert.get()},
            {"ThumbLeft", o.ThumbLeft.get()},
            {"ThumbRight", o.ThumbRight.get()},
            {"ThumbUp", o.ThumbUp.get()},
            {"ThumbDown", o.ThumbDown.get()}};
}

void ExpectEmptySkin(const TLoadedSkin& skin) {
    const TSkinObjectSet& o = skin.Objects;
    for (const auto& [name, object] : OptionalMembers(o)) EXPECT_EQ(object, nullptr) << name;
    for (const TDataSkinBorder* border : {o.BorderLeft.get(), o.BorderRight.get(), o.BorderTop.get(), o.BorderBottom.get()}) {
        EXPECT_TRUE(border->Bitmap.Empty()) << border->Name;
        EXPECT_EQ(border->FrameCount, 1) << border->Name;
        EXPECT_EQ(border->Tile, 1) << border->Name;
        EXPECT_EQ(border->Trans, 1) << border->Name;
        EXPECT_TRUE(SameRect(border->Margins, RECT{0, 0, 0, 0})) << border->Name;
    }
    EXPECT_EQ(o.Title->FontHeight, 14);
    EXPECT_EQ(o.Title->ActiveText, kNoSkinColour);
    EXPECT_EQ(o.Title->InActiveText, kNoSkinColour);
    EXPECT_TRUE(o.Title->Bitmap.Empty());
    EXPECT_TRUE(o.Button->Bitmap.Empty());
    EXPECT_EQ(o.Button->RadioFrames, 4);  // measured on an empty image: the least count
    EXPECT_EQ(o.Button->CheckFrames, 4);
    EXPECT_EQ(o.Button->NormalColour, -1);
    EXPECT_EQ(o.Button->NormalColour2, qx::SysColor(COLOR_BTNTEXT));
    ASSERT_EQ(o.SysButtons.size(), 3u);  // only the MDI child's buttons
    for (const auto& b : o.SysButtons) EXPECT_TRUE(b->Bitmap.Empty());
    ASSERT_NE(o.Toolbar, nullptr);
    ASSERT_NE(o.Track, nullptr);
    ASSERT_NE(o.TrackVert, nullptr);

    const TSkinColours& c = skin.Colours;
    EXPECT_EQ(c.WindowText, qx::SysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(c.TitleTextActive, qx::SysColor(COLOR_CAPTIONTEXT));
    EXPECT_EQ(c.TitleTextNoActive, qx::SysColor(COLOR_INACTIVECAPTIONTEXT));
    EXPECT_EQ(c.ButtonFace, qx::SysColor(COLOR_BTNFACE));
    EXPECT_EQ(c.MenubarColour, qx::SysColor(COLOR_BTNFACE));
    EXPECT_EQ(c.ButtonDkShadow, qx::SysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(c.Menu, qx::SysColor(COLOR_MENU));
    EXPECT_TRUE(c.ColourList.empty());
    EXPECT_EQ(skin.SkinName, "");
}

}  // namespace

TEST_F(SkinIniDefaultsTest, PackageWithoutDescriptionGivesDefaultsAndNoOptionalObjects) {
    TLoadedSkin skin;
    std::vector<TMember> noIni = RealisticMembers();
    noIni.pop_back();  // the description
    ASSERT_TRUE(skin.Load(noIni));
    ExpectEmptySkin(skin);
}

TEST_F(SkinIniDefaultsTest, SectionsWithoutTheirImageKeysGiveNoObjects) {
    TLoadedSkin skin;
    ASSERT_TRUE(skin.Load(WithDescription("[Progress]\nImage=progress.bmp\nChunk=chunk.bmp\n"
                                          "[Tabs]\nBorder=tab-border.bmp\n[Personality]\nmenubar=\nTextBack=x.bmp\n"
                                          "[GroupBox]\nBackgroundAlignment=2\n[Scrollbar]\nTile=1\n",
                                          RealisticMembers())));
    ExpectEmptySkin(skin);
}

// A second skin replaces what the first one gave: absent members become null again, and the
// title's text colours do not survive into a skin that gives none.
TEST_F(SkinIniDefaultsTest, ASecondLoadReplacesTheFirst) {
    TLoadedSkin skin;
    ASSERT_TRUE(skin.Load(RealisticMembers()));
    const TDataSkinTitle* title = skin.Objects.Title.get();
    ASSERT_NE(skin.Objects.Progress, nullptr);
    ASSERT_TRUE(skin.Load(WithDescription("[Other]\nKey=1\n")));
    EXPECT_EQ(skin.Objects.Title.get(), title);  // refilled, not recreated
    ExpectEmptySkin(skin);
}

// A frame count of 0 or below would make every frame width a division by zero in the painters.
TEST_F(SkinIniDefaultsTest, FrameCountsOfZeroOrBelowAreTakenSoundly) {
    TLoadedSkin skin;
    std::vector<TMember> members = RealisticMembers();
    ASSERT_TRUE(skin.Load(WithDescription("[Personality]\nTop=frame-top.bmp\nTopFrame=0\nLeft=frame-left.bmp\n"
                                          "LeftFrame=-3\n[HorzScrollThumb]\nImage=hthumb.bmp\nFrameCount=0\n"
                                          "[VertScrollThumb]\nImage=vthumb.bmp\nFrameCount=-1\n"
                                          "[Button1]\nAction=1\nframe=-2\nButtonImage=btn-max.bmp\n"
                                          "[Buttons]\nRadioButton=radio.bmp\nRadioButtonFrame=-5\nCheckButtonFrame=0\n",
                                          members)));
    const TSkinObjectSet& o = skin.Objects;
    EXPECT_EQ(o.BorderTop->FrameCount, 1);
    EXPECT_EQ(o.BorderLeft->FrameCount, 1);
    EXPECT_EQ(o.BorderTop->FrameWidth(), 200);
    EXPECT_EQ(o.HorzScrollThumb->FrameCount, 3);
    EXPECT_EQ(o.VertScrollThumb->FrameCount, 3);
    ASSERT_EQ(o.SysButtons.size(), 4u);
    EXPECT_EQ(o.SysButtons[0]->FrameCount, 6);  // measured, as without the key
    EXPECT_EQ(o.Button->RadioFrames, 4);        // 64 wide, 16 high
    EXPECT_EQ(o.Button->CheckFrames, 4);

    TDataSkinObject loose("loose");
    loose.FrameCount = 0;
    EXPECT_EQ(loose.FrameWidth(), 0);  // empty bitmap, no division by zero
    loose.FrameCount = -4;
    EXPECT_EQ(loose.FrameHeight(), 0);
}

TEST_F(SkinIniDefaultsTest, NarrowMdiStripAndMissingMembersLeaveEmptyImages) {
    TLoadedSkin skin;
    std::vector<TMember> members = RealisticMembers();
    PutMember(members, "mdi.bmp", SolidBmp(11, 14, RGB(1, 2, 3)));
    ASSERT_TRUE(skin.Load(WithDescription("[MDICONTROLS]\nImage=mdi.bmp\n[Tabs]\nImage=gone.bmp\nBorder=gone2.bmp\n"
                                          "[ComboButton]\nImage=combo.bmp\n", members)));
    const auto& buttons = skin.Objects.SysButtons;
    ASSERT_EQ(buttons.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(buttons[i]->Bitmap.Empty());
        EXPECT_EQ(buttons[i]->Xcoord, 4 * (3 - i));  // a = 0
    }
    ASSERT_NE(skin.Objects.Tabs, nullptr);
    EXPECT_TRUE(skin.Objects.Tabs->Bitmap.Empty());
    EXPECT_TRUE(skin.Objects.Tabs->AuxBitmap.Empty());
    // No SunkEdge: the combo button stays as read, with its mirror.
    ASSERT_NE(skin.Objects.ComboButton, nullptr);
    EXPECT_EQ(skin.Objects.ComboButton->Bitmap.Width(), 68);
    EXPECT_EQ(skin.Objects.ComboButton->Style, 0);
    EXPECT_EQ(skin.Objects.ComboButton->AuxBitmap.Width(), 68);
}

// Broken bitmaps where the edit frame and the toolbar sample them: nothing to draw from, and
// nothing breaks.
TEST_F(SkinIniDefaultsTest, DerivedObjectsCopeWithEmptyImages) {
    TLoadedSkin skin;
    ASSERT_TRUE(skin.Load(WithDescription("[SunkEdge]\nImage=none.bmp\nLeftWidth=900\n[ComboButton]\nImage=none.bmp\n"
                                          "[ExtraImages]\nImage=none.bmp\n[Personality]\nTop=none.bmp\nTopFrame=50\n"
                                          "[Colours]\nButtonFace=10 20 30\n")));
    ASSERT_NE(skin.Objects.ComboButton, nullptr);
    EXPECT_EQ(skin.Objects.ComboButton->Bitmap.Width(), 200);  // the composite, all key colour
    EXPECT_TRUE(IsSolid(skin.Objects.ComboButton->Bitmap, RGB(255, 0, 255)));
    EXPECT_EQ(SkinFrameColour(skin.Objects, skin.Colours), 0x1E140A);  // no top border image
}

TEST_F(SkinIniDefaultsTest, NoDescriptionTextBreaksTheReader) {
    std::vector<std::string> texts = {
        std::string("\0\0\0[Personality]\nTop=frame-top.bmp", 32),
        "[",
        "]",
        "[]\n=\n==\n[=]\n=[]",
        "[Personality]\nTop\nTopFrame=99999999999999999999\nTopTopHeight=0x\nTopBotHeight=$FFFFFFFF\n",
        "[Buttons]\nBitmap=\\\nCheckButton=:\nRadioButton=.bmp\n",
        "[Button0]\n[button1]\nAction=-2147483648\nframe=2147483647\nButtonImage=btn-max.bmp\n",
        "[Colours]\nButtonFace=1 2 3 4 5 6 7 8 9 10 11 12\nWindowText=,,,,,\nMenu=99999999999999999999999999",
        std::string(100000, '['),
        std::string(20000, '\n') + "[Progress]\nBitmap=progress.bmp\nTile=-7\n",
    };
    std::mt19937 random(20240611);
    for (int i = 0; i < 40; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % 3000);
        const char alphabet[] = "[]=;\r\n \t0123456789-xX$.bmpBUTTONImagePersonality\\:";
        for (int k = 0; k < length; ++k) text += alphabet[random() % (sizeof alphabet - 1)];
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        TLoadedSkin skin;
        bool loaded = false;
        EXPECT_NO_THROW(loaded = skin.Load(WithDescription(text, RealisticMembers()))) << text.substr(0, 80);
        EXPECT_TRUE(loaded);
        for (const auto& b : skin.Objects.SysButtons) EXPECT_GT(b->FrameCount, 0);
        EXPECT_GT(skin.Objects.BorderTop->FrameCount, 0);
    }
}
