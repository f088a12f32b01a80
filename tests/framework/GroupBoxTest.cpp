// Group boxes and radio groups: the frame's place, the radio group's buttons following its
// items, its ItemIndex following clicks (one OnClick each) and the program, and the buttons
// being neither stored nor left enabled in a disabled group.
#include "framework/FormReader.h"
#include "framework/Forms.h"
#include "framework/GroupBox.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace qx;

namespace {

class GroupBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        RegisterFrameworkClasses();
        form = new TForm(Application);
        form->SetBounds(0, 0, 300, 260);
    }
    void TearDown() override { delete form; }

public:
    void GroupClicked(TObject*) { clicks.push_back(group->ItemIndex()); }

    TRadioGroup* MakeGroup() {
        group = new TRadioGroup(form);
        group->SetParent(form);
        group->SetBounds(10, 10, 200, 120);
        group->SetCaption(L"Mode");
        group->OnClick = TNotifyEvent::Of<&GroupBoxTest::GroupClicked>(this);
        return group;
    }

    TForm* form = nullptr;
    TRadioGroup* group = nullptr;
    std::vector<int> clicks;
};

TEST_F(GroupBoxTest, FramePaintsAtHalfTheCaptionHeight) {
    auto* box = new TGroupBox(form);
    box->SetParent(form);
    box->SetBounds(0, 0, 120, 60);
    box->SetColor(RGB(200, 220, 240));
    HWND wnd = box->Handle();
    wchar_t name[32] = {};
    ::GetClassNameW(wnd, name, 32);
    EXPECT_STREQ(name, L"TGroupBox");

    test::DibCanvas canvas(120, 60);
    canvas.Fill(RGB(1, 2, 3));
    test::PrintWindowTo(wnd, canvas);
    int top = box->FrameTop();
    ASSERT_GT(top, 0);
    // The etched line runs along y = top right of the caption; above it the box's colour.
    EXPECT_NE(canvas.PixelRef(100, top), RGB(200, 220, 240));
    EXPECT_EQ(canvas.PixelRef(100, top - 1), RGB(200, 220, 240));
    EXPECT_EQ(canvas.PixelRef(60, 40), RGB(200, 220, 240));

    // The caption is written in the box's font: its ink stays inside that font's line.
    box->Font()->SetName(L"Tahoma");
    box->Font()->SetHeight(-11);
    box->SetCaption(L"Dg");
    canvas.Fill(RGB(1, 2, 3));
    test::PrintWindowTo(wnd, canvas);
    HDC probe = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(probe, box->Font()->Handle());
    SIZE text{};
    ::GetTextExtentPoint32W(probe, L"Dg", 2, &text);
    ::SelectObject(probe, old);
    ::DeleteDC(probe);
    int inkRows = 0, lowest = -1;
    for (int y = 0; y < 40; ++y)  // above the bottom line
        for (int x = 8; x < 8 + text.cx; ++x)
            if (canvas.PixelRef(x, y) != RGB(200, 220, 240)) {
                lowest = std::max(lowest, y);
                ++inkRows;
            }
    EXPECT_GT(inkRows, 0);
    EXPECT_LT(lowest, text.cy);
}

TEST_F(GroupBoxTest, ButtonsFollowTheItemsAndStackInsideTheFrame) {
    MakeGroup();
    group->Items()->Add(L"first");
    group->Items()->Add(L"second");
    group->Items()->Add(L"third");
    ASSERT_EQ(group->ButtonCount(), 3);
    EXPECT_EQ(group->Buttons(1)->Caption(), L"second");
    for (int i = 0; i < 3; ++i) {
        TGroupButton* b = group->Buttons(i);
        EXPECT_EQ(b->Parent(), group);
        EXPECT_EQ(b->Left(), 8);
        EXPECT_GT(b->Top(), group->FrameTop());
        EXPECT_LE(b->Top() + b->Height(), group->Height());
        if (i) {
            EXPECT_EQ(b->Top(), group->Buttons(i - 1)->Top() + b->Height());
        }
    }
    group->Items()->Delete(0);
    ASSERT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->Buttons(0)->Caption(), L"second");

    group->SetColumns(2);
    EXPECT_GT(group->Buttons(1)->Left(), group->Buttons(0)->Left());
    EXPECT_EQ(group->Buttons(1)->Top(), group->Buttons(0)->Top());
}

TEST_F(GroupBoxTest, ClickingAButtonChoosesItsItemOnce) {
    MakeGroup();
    group->Items()->Add(L"a");
    group->Items()->Add(L"b");
    group->HandleNeeded();
    ::SendMessageW(group->Buttons(1)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_TRUE(group->Buttons(1)->Checked());
    EXPECT_FALSE(group->Buttons(0)->Checked());
    EXPECT_EQ(clicks, (std::vector<int>{1}));
    // Clicking the chosen one again changes nothing.
    ::SendMessageW(group->Buttons(1)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, (std::vector<int>{1}));
    // The program's choice moves the check and reports like a click; -1 clears every button.
    group->SetItemIndex(0);
    EXPECT_TRUE(group->Buttons(0)->Checked());
    EXPECT_EQ(::SendMessageW(group->Buttons(1)->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(clicks, (std::vector<int>{1, 0}));
    group->SetItemIndex(-1);
    EXPECT_FALSE(group->Buttons(0)->Checked());
    EXPECT_FALSE(group->Buttons(1)->Checked());
    group->SetItemIndex(9);
    EXPECT_EQ(group->ItemIndex(), 1);  // clamped to the last item
}

TEST_F(GroupBoxTest, DisabledGroupDisablesItsButtons) {
    MakeGroup();
    group->Items()->Add(L"a");
    group->HandleNeeded();
    group->SetEnabled(false);
    EXPECT_FALSE(group->Buttons(0)->Enabled());
    EXPECT_FALSE(::IsWindowEnabled(group->Buttons(0)->Handle()));
    group->Items()->Add(L"b");  // a button made later starts disabled too
    EXPECT_FALSE(group->Buttons(1)->Enabled());
    group->SetEnabled(true);
    EXPECT_TRUE(group->Buttons(1)->Enabled());
}

TEST_F(GroupBoxTest, DescriptionRoundTripKeepsItemsAndChoiceButNotTheButtons) {
    TForm* read = new TForm(Application);
    ReadComponentText(LR"(object Form1: TForm
  object RadioGroup1: TRadioGroup
    Left = 8
    Top = 8
    Width = 150
    Height = 90
    Caption = 'Device'
    ItemIndex = 1
    Items.Strings = (
      'Cisco'
      'Huawei')
  end
end
)",
                      read);
    auto* g = dynamic_cast<TRadioGroup*>(read->FindComponent(L"RadioGroup1"));
    ASSERT_NE(g, nullptr);
    ASSERT_EQ(g->ButtonCount(), 2);
    EXPECT_EQ(g->ItemIndex(), 1);
    EXPECT_TRUE(g->Buttons(1)->Checked());
    std::wstring text = WriteComponentText(read);
    EXPECT_EQ(text.find(L"TGroupButton"), std::wstring::npos) << std::string(text.begin(), text.end());
    EXPECT_NE(text.find(L"'Huawei'"), std::wstring::npos);
    delete read;
}

}  // namespace
