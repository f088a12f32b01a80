// The four wrappers together on one window, as the user sees it on screen: a recoloured panel
// with a label, edits and combo boxes in their states, a group box. The screen must show what
// the painters draw (combo frames compared with the painter's own picture of the same state),
// and switching the skinning off must give every control its system look back. Screenshots of
// both go to $QUELLOX_ARTIFACTS.
#include "framework/ComboBox.h"
#include "framework/ExtCtrls.h"
#include "framework/GroupBox.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinBox.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinGroupBox.h"
#include "support/BoxesTestSupport.h"

#include <gtest/gtest.h>

using namespace boxestest;
using qx::test::DibCanvas;

namespace {

class SkinBoxesScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin = LoadDefaultSkin();
        ASSERT_NE(skin, nullptr);
        host = std::make_unique<TTestHost>(skin.get());
        form = NewForm(420, 260);
        form->SetCaption(L"Skinned boxes");
        panel = new qx::TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(0, 0, 400, 220);
        panel->SetBevelOuter(qx::TBevelCut::bvNone);
        auto* label = new qx::TLabel(form);
        label->SetParent(panel);
        label->SetBounds(10, 8, 120, 14);
        label->SetCaption(L"Router address");
        for (int i = 0; i < 3; ++i) {
            edits[i] = new qx::TEdit(form);
            edits[i]->SetParent(panel);
            edits[i]->SetBounds(10, 26 + i * 30, 130, 22);
            edits[i]->SetText(i == 0 ? L"normal" : i == 1 ? L"focused" : L"disabled");
        }
        for (int i = 0; i < 3; ++i) {
            combos[i] = new qx::TComboBox(form);
            combos[i]->SetParent(panel);
            combos[i]->SetBounds(160, 26 + i * 30, 130, 21);
            combos[i]->Items()->Add(L"Huawei");
            combos[i]->Items()->Add(L"Cisco");
            combos[i]->SetItemIndex(0);
        }
        combos[2]->SetStyle(qx::TComboBoxStyle::csDropDownList);
        group = new qx::TGroupBox(form);
        group->SetParent(panel);
        group->SetBounds(10, 120, 280, 80);
        group->SetCaption(L"Device");
        auto* radio = new qx::TRadioButton(form);
        radio->SetParent(group);
        radio->SetBounds(12, 24, 100, 17);
        radio->SetCaption(L"Huawei");
        radio->SetChecked(true);
    }
    void TearDown() override { delete form; }

    void SkinEverything() {
        box = new TSkinBox(panel);
        box->Attach(host.get(), skin.get(), true, host->ControlCanvas());
        for (qx::TEdit* e : edits) {
            auto* w = new TSkinEdit(e);
            w->Attach(host.get(), skin.get(), false, host->ControlCanvas());
        }
        for (int i = 0; i < 3; ++i) {
            comboWrappers[i] = new TSkinComBox(combos[i]);
            comboWrappers[i]->Attach(host.get(), skin.get(), false, host->ControlCanvas());
        }
        auto* g = new TSkinGroupBox(group);
        g->Attach(host.get(), skin.get(), true, host->ControlCanvas());
    }
    void SetStates() {
        form->Show();
        edits[2]->SetEnabled(false);
        combos[2]->SetEnabled(false);
        edits[1]->SetFocus();
        combos[1]->Perform(qx::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(combos[1]));
        PaintNow(form->Handle());
    }
    // The window's picture of a child, cut from a picture of the form.
    POINT Offset(qx::TWinControl* c) {
        RECT fr{}, cr{};
        ::GetWindowRect(form->Handle(), &fr);
        ::GetWindowRect(c->Handle(), &cr);
        return {cr.left - fr.left, cr.top - fr.top};
    }

    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TTestHost> host;
    qx::TForm* form = nullptr;
    qx::TPanel* panel = nullptr;
    qx::TEdit* edits[3]{};
    qx::TComboBox* combos[3]{};
    TSkinComBox* comboWrappers[3]{};
    qx::TGroupBox* group = nullptr;
    TSkinBox* box = nullptr;
};

TEST_F(SkinBoxesScreenTest, ScreenShowsWhatThePaintersDrawAndSwitchingOffGivesTheSystemLookBack) {
    SkinEverything();
    SetStates();
    RECT fr{};
    ::GetWindowRect(form->Handle(), &fr);
    DibCanvas screen(fr.right - fr.left, fr.bottom - fr.top);
    ScreenShot(form->Handle(), screen);
    const std::string shot = SaveShot(screen, "SkinBoxes_Screen");

    const COLORREF face = qx::ColorToRGB(skin->ButtonFace);
    const COLORREF shadow = qx::ColorToRGB(skin->ButtonShadow);
    const POINT p = Offset(panel);
    EXPECT_EQ(screen.PixelRef(p.x + 380, p.y + 210), face) << shot;
    for (qx::TEdit* e : edits) {
        const POINT o = Offset(e);
        EXPECT_EQ(screen.PixelRef(o.x, o.y + 11), shadow) << shot;
        EXPECT_EQ(screen.PixelRef(o.x + 1, o.y + 11), RGB(255, 255, 255)) << shot;
        EXPECT_EQ(screen.PixelRef(o.x + 129, o.y + 11), shadow) << shot;
    }
    // Each combo's border and button are the painter's picture of its state.
    const int expectedFrames[3] = {1, 4, 3};
    TComboLook look{skin->SunkEdge.get(), skin->ComboButton.get(), skin->ExtraImages.get(), shadow};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(comboWrappers[i]->LastFrame(), expectedFrames[i]) << i;
        RECT r{};
        ::GetWindowRect(combos[i]->Handle(), &r);
        DibCanvas expected(r.right - r.left, r.bottom - r.top);
        expected.Fill(RGB(1, 2, 3));
        TComboPaintState state;
        state.Hot = i == 1;
        state.Enabled = i != 2;
        PaintSkinCombo(expected.Dc(), expected.Rect(), look, state, SystemComboMetrics());
        ::GdiFlush();
        const POINT o = Offset(combos[i]);
        int compared = 0, differing = 0;
        for (int y = 0; y < expected.Height(); ++y)
            for (int x = 0; x < expected.Width(); ++x) {
                if (expected.PixelRef(x, y) == RGB(1, 2, 3)) continue;  // the text area: the system's
                ++compared;
                differing += screen.PixelRef(o.x + x, o.y + y) != expected.PixelRef(x, y);
            }
        EXPECT_GT(compared, 200) << i;
        EXPECT_EQ(differing, 0) << "combo " << i << " " << shot << " " << SaveShot(expected, "SkinBoxes_ComboExpected" + std::to_string(i));
    }
    // The group box frame in ButtonShadow at half the caption height.
    const POINT g = Offset(group);
    EXPECT_EQ(screen.PixelRef(g.x + 260, g.y + group->FrameTop()), shadow) << shot;

    // The left button held down on the first combo's edit field: the pressed frame on screen.
    ::SendMessageW(comboWrappers[0]->EditWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    DibCanvas pressed(screen.Width(), screen.Height());
    ScreenShot(form->Handle(), pressed);
    const std::string pressedShot = SaveShot(pressed, "SkinBoxes_ScreenPressed");
    EXPECT_EQ(comboWrappers[0]->LastFrame(), 2);
    {
        RECT r{};
        ::GetWindowRect(combos[0]->Handle(), &r);
        DibCanvas expected(r.right - r.left, r.bottom - r.top);
        expected.Fill(RGB(1, 2, 3));
        PaintSkinCombo(expected.Dc(), expected.Rect(), look, {.Pressed = true, .Focused = true}, SystemComboMetrics());
        ::GdiFlush();
        const POINT o = Offset(combos[0]);
        const int x = expected.Width() - 3, y = expected.Height() / 2;  // inside the button
        EXPECT_EQ(pressed.PixelRef(o.x + x, o.y + y), expected.PixelRef(x, y)) << pressedShot;
    }
    ::SendMessageW(comboWrappers[0]->EditWindow(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));

    // Skinning off: every wrapper stops painting, the panel gets its colour back.
    for (TSkinControl* w : host->Wrappers()) ::SendMessageW(w->Window(), SKN_ENABLE, 0, 0);
    box->Detach();
    PaintNow(form->Handle());
    DibCanvas off(screen.Width(), screen.Height());
    ScreenShot(form->Handle(), off);
    const std::string offShot = SaveShot(off, "SkinBoxes_ScreenOff");
    EXPECT_NE(off.PixelRef(p.x + 380, p.y + 210), face) << offShot;
    for (qx::TEdit* e : edits) EXPECT_NE(off.PixelRef(Offset(e).x, Offset(e).y + 11), shadow) << offShot;
    EXPECT_NE(off.PixelRef(g.x + 260, g.y + group->FrameTop()), shadow) << offShot;

    // And on again.
    for (TSkinControl* w : host->Wrappers()) ::SendMessageW(w->Window(), SKN_ENABLE, 1, 0);
    PaintNow(form->Handle());
    DibCanvas on(screen.Width(), screen.Height());
    ScreenShot(form->Handle(), on);
    for (qx::TEdit* e : edits) EXPECT_EQ(on.PixelRef(Offset(e).x, Offset(e).y + 11), shadow) << SaveShot(on, "SkinBoxes_ScreenOn");
}

}  // namespace
