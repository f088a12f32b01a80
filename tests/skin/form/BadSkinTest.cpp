// Broken skins made with the packer: no borders, empty or missing bitmaps, zero frame counts,
// margins larger than the window. The window still works and the frame paints what it can.
#include "support/FormTestSupport.h"

#include <gtest/gtest.h>

using namespace formtest;

namespace {

// Attaches, paints, hit-tests, resizes (also to almost nothing), reshapes and lets go.
void Exercise(std::unique_ptr<TSkinData> skin, const char* name) {
    ASSERT_TRUE(skin) << name;
    auto s = MakeSkinned(WS_OVERLAPPEDWINDOW, 0, L"Broken skin", {300, 200}, std::move(skin));
    ASSERT_TRUE(s->Attach()) << name;
    auto shot = Print(s->Handle());
    SaveShot(*shot, std::string("BadSkin_") + name);
    const RECT client = ClientRectOf(s->Handle());
    EXPECT_EQ(client.right, 300) << name;
    EXPECT_EQ(client.bottom, 200) << name;
    ::SendMessageW(s->Handle(), WM_NCHITTEST, 0, ScreenPoint(s->Handle(), {20, 5}));
    ::SendMessageW(s->Handle(), WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(s->Handle(), {20, 5}));
    for (SIZE size : {SIZE{12, 9}, SIZE{1, 1}, SIZE{500, 400}}) {
        ::SetWindowPos(s->Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        s->LayOut();
    }
    ::SendMessageW(s->Handle(), WM_NCACTIVATE, FALSE, 0);
    s->LayOut();
    s->Form->Detach();
    EXPECT_FALSE(s->Form->Subclassed()) << name;
}

class BadSkinTest : public ::testing::Test {
protected:
    void SetUp() override { qx::test::EnsureApplication(); }
};

TEST_F(BadSkinTest, NoBorderImages) {
    auto members = DefaultSkinMembers();
    for (const char* name : {"frameleft.bmp", "frameright.bmp", "frametop.bmp", "framebottom.bmp"}) RemoveMember(members, name);
    auto skin = LoadSkin(members);
    ASSERT_TRUE(skin);
    EXPECT_TRUE(skin->BorderTop->Bitmap.Empty());
    Exercise(std::move(skin), "NoBorders");
}

TEST_F(BadSkinTest, EmptyImageKeysAndEmptyBitmaps) {
    auto members = DefaultSkinMembers();
    SetIniValue(members, "Personality", "Top", "");
    SetIniValue(members, "Personality", "TextBack", "missing.bmp");
    PutMember(members, "frameleft.bmp", {});
    PutMember(members, "btnclose.bmp", std::vector<std::uint8_t>{'B', 'M', 0, 0});
    Exercise(LoadSkin(members), "EmptyBitmaps");
}

TEST_F(BadSkinTest, ZeroFrameCounts) {
    auto members = DefaultSkinMembers();
    for (const char* key : {"LeftFrame", "RightFrame", "TopFrame", "BottomFrame"}) SetIniValue(members, "Personality", key, "0");
    SetIniValue(members, "Button0", "frame", "0");
    auto skin = LoadSkin(members);
    ASSERT_TRUE(skin);
    skin->BorderLeft->FrameCount = 0;  // whatever the loader made of it
    skin->BorderTop->FrameCount = -3;
    Exercise(std::move(skin), "ZeroFrames");
}

TEST_F(BadSkinTest, MarginsLargerThanTheWindow) {
    auto members = DefaultSkinMembers();
    SetIniValue(members, "Personality", "LeftTopHeight", "5000");
    SetIniValue(members, "Personality", "LeftBotHeight", "5000");
    SetIniValue(members, "Personality", "TopTopHeight", "3000");
    SetIniValue(members, "Personality", "BottomBotHeight", "3000");
    SetIniValue(members, "Personality", "TextShift", "9999");
    SetIniValue(members, "Personality", "TXTBackleft", "500");
    SetIniValue(members, "Personality", "TextRightClip", "-400");
    SetIniValue(members, "Button0", "Xcoord", "-100000");
    Exercise(LoadSkin(members), "HugeMargins");
}

TEST_F(BadSkinTest, HugeBorderImages) {
    auto members = DefaultSkinMembers();
    // A top border far thicker than the window is tall.
    PutMember(members, "frametop.bmp", Bmp24(8, 1200, [](int, int y) { return y % 7 ? RGB(90, 90, 200) : RGB(255, 0, 255); }));
    Exercise(LoadSkin(members), "HugeTop");
}

}  // namespace
