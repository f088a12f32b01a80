// The main window carries its skin: SkinData1 decodes the default skin while the window is read,
// with the settings of the stored description, and hands activation to the skin manager.
#include "support/MainWindowFixture.h"
#include "support/TestSupport.h"

#include "skin/controls/SkinManage.h"

#include <gtest/gtest.h>

using namespace qx;
using namespace qx::test;

namespace {

class MainWindowSkinTest : public MainWindowFixture {};

TEST_F(MainWindowSkinTest, SkinIsDecodedWhileTheWindowIsRead) {
    OpenWindow();
    TSkinData* skin = window->SkinData1;
    ASSERT_NE(skin, nullptr);
    EXPECT_TRUE(skin->Active());
    EXPECT_FALSE(skin->NotLoaded());
    EXPECT_EQ(skin->DisableTag(), 99);
    EXPECT_EQ(skin->Skin3rd()->Count(), 115);
    EXPECT_EQ(skin->Version(), L"3.40.09.21");
    EXPECT_EQ(skin->SkinFormtype(), TSkinFormType::sfMainform);
    EXPECT_TRUE(InSet(skin->Options(), xoPreview));
    EXPECT_TRUE(InSet(skin->Options(), xoToolbarBK));
    EXPECT_FALSE(InSet(skin->SkinControls(), xcMenuItem));
    EXPECT_TRUE(InSet(skin->SkinControls(), xcSystemMenu));
    // The frame, title and caption buttons of the default skin are there, with their images.
    ASSERT_TRUE(skin->Title);
    EXPECT_FALSE(skin->Title->Bitmap.Empty());
    ASSERT_TRUE(skin->BorderLeft && skin->BorderTop && skin->BorderRight && skin->BorderBottom);
    EXPECT_FALSE(skin->BorderTop->Bitmap.Empty());
    EXPECT_EQ(skin->SysButtons.size(), 9u);  // six [ButtonN] sections and the three [MdiControls] buttons
    ASSERT_TRUE(skin->Button);
    EXPECT_FALSE(skin->Button->Bitmap.Empty());
    ASSERT_TRUE(skin->Scrollbar);
    // Loaded registered the component with the single manager and switched skinning on.
    ASSERT_NE(SkinManager, nullptr);
    EXPECT_TRUE(SkinManager->Active());
    EXPECT_TRUE(SkinManager->HookInstalled());
}

}  // namespace
