// MDI with plain Win32 windows: a frame with its MDI client and a child, the kinds they get,
// the client's subclass (scroll bars, the skin's menu setting, full redraws) and the caption
// buttons that act on the active child.
#include "support/FormTestSupport.h"

#include "skin/form/SkinFormHost.h"

#include <gtest/gtest.h>

#include <functional>

using namespace formtest;
using qx::test::PumpUntil;

namespace {

HWND gClient = nullptr;

LRESULT CALLBACK FrameProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    return ::DefFrameProcW(wnd, gClient, msg, wp, lp);
}

LRESULT CALLBACK ChildProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    return ::DefMDIChildProcW(wnd, msg, wp, lp);
}

void RegisterClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = &FrameProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = L"QxMdiFrame";
    ::RegisterClassExW(&wc);
    wc.lpfnWndProc = &ChildProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"QxMdiChild";
    ::RegisterClassExW(&wc);
}

class MdiTest : public ::testing::Test {
protected:
    void SetUp() override {
        qx::test::EnsureApplication();
        RegisterClasses();
        frame = ::CreateWindowExW(0, L"QxMdiFrame", L"MDI frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                                  50, 50, 500, 400, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        CLIENTCREATESTRUCT ccs{nullptr, 1000};
        gClient = client = ::CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                                             480, 340, frame, nullptr, ::GetModuleHandleW(nullptr), &ccs);
        ASSERT_NE(client, nullptr);
    }
    void TearDown() override {
        forms.clear();
        if (::IsWindow(frame)) ::DestroyWindow(frame);
        gClient = nullptr;
    }
    HWND NewChild(const wchar_t* title) {
        MDICREATESTRUCTW mcs{L"QxMdiChild", title, ::GetModuleHandleW(nullptr), CW_USEDEFAULT, CW_USEDEFAULT, 200, 150, 0, 0};
        return reinterpret_cast<HWND>(::SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    }
    TWinSkinForm* Skin(HWND wnd, TSkinData* skin) {
        forms.push_back(std::make_unique<TWinSkinForm>(nullptr));
        TWinSkinForm* form = forms.back().get();
        form->SetHandle(wnd);
        form->Attach(skin);
        ::PostMessageW(wnd, SKN_ACTIVATE, 0, 1000);
        EXPECT_TRUE(PumpUntil([&] { return form->State() == kFormActive; }));
        return form;
    }
    HWND frame = nullptr, client = nullptr;
    std::vector<std::unique_ptr<TWinSkinForm>> forms;
};

TEST_F(MdiTest, FrameAndChildKindsAndTheClientsSubclass) {
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    TWinSkinForm* parent = Skin(frame, skin.get());
    EXPECT_EQ(parent->FormKind(), kFormMDIParent);
    EXPECT_EQ(parent->MDIClient(), client);
    EXPECT_EQ(ManagerMDIClient(), client);
    // The skin draws no scroll bars on the client (xoMDIScrollbar is off).
    ::SetWindowLongPtrW(client, GWL_STYLE, ::GetWindowLongPtrW(client, GWL_STYLE) | WS_VSCROLL | WS_HSCROLL);
    ::SetWindowPos(client, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(::GetWindowLongPtrW(client, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    // A child switches the skin's menu updates off while children exist.
    ASSERT_TRUE(skin->MenuUpdate());
    HWND child = NewChild(L"Child one");
    ASSERT_NE(child, nullptr);
    EXPECT_FALSE(skin->MenuUpdate());
    TWinSkinForm* childForm = Skin(child, skin.get());
    EXPECT_EQ(childForm->FormKind(), kFormMDIChild);
    EXPECT_EQ(childForm->ShowState(), kShowNormal);
    EXPECT_TRUE(childForm->HasRegion());
    auto shot = Print(frame);
    SaveShot(*shot, "Mdi_FrameWithChild");
    // The manager's menu-active flag: on clears the child's region, off gives it back.
    SetMenuActive(true);
    EXPECT_FALSE(childForm->HasRegion());
    SetMenuActive(false);
    EXPECT_TRUE(childForm->HasRegion());
    ::SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
    EXPECT_TRUE(skin->MenuUpdate());
    // SKN_MDIREDRAW is the client's own: answered there.
    EXPECT_EQ(::SendMessageW(client, SKN_MDIREDRAW, reinterpret_cast<WPARAM>(frame), 0), 0);
}

TEST_F(MdiTest, TheManagersClientHandleGoesWithTheParent) {
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    // The parent's window destroyed, or its skinning object freed with the window left.
    const std::function<void()> endings[] = {[&] { ::DestroyWindow(frame); }, [&] { forms.clear(); }};
    for (const auto& end : endings) {
        if (!::IsWindow(frame)) SetUp();
        Skin(frame, skin.get());
        ASSERT_EQ(ManagerMDIClient(), client);
        end();
        EXPECT_EQ(ManagerMDIClient(), nullptr);
    }
}

TEST_F(MdiTest, MdiChildButtonsActOnTheActiveChild) {
    auto members = DefaultSkinMembers();
    // The icon button closes the active child instead (Action 9), a drawn button at Align 0.
    SetIniValue(members, "Button5", "Action", "9");
    auto skin = LoadSkin(members);
    ASSERT_TRUE(skin);
    TWinSkinForm* parent = Skin(frame, skin.get());
    HWND child = NewChild(L"Closing child");
    ASSERT_NE(child, nullptr);
    ASSERT_EQ(reinterpret_cast<HWND>(::SendMessageW(client, WM_MDIGETACTIVE, 0, 0)), child);
    Print(frame);
    TWinSysButton* button = nullptr;
    for (auto& b : parent->Buttons())
        if (b->FVisible && b->FData->Action == 9) button = b.get();
    ASSERT_NE(button, nullptr);
    const POINT at{(button->FRect.left + button->FRect.right) / 2, (button->FRect.top + button->FRect.bottom) / 2};
    ::SendMessageW(frame, WM_NCLBUTTONDOWN, HTCAPTION, ScreenPoint(frame, at));
    ::SendMessageW(frame, WM_NCLBUTTONUP, HTCAPTION, ScreenPoint(frame, at));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(child); }));
}

TEST_F(MdiTest, AMaximisedChildLeavesItsFrameToTheSystem) {
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    Skin(frame, skin.get());
    HWND child = NewChild(L"Maximised child");
    TWinSkinForm* childForm = Skin(child, skin.get());
    ::SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    ASSERT_TRUE(::IsZoomed(child));
    EXPECT_EQ(childForm->ShowState(), kShowMaximized);
    // Its frame geometry is the system's.
    NCCALCSIZE_PARAMS params{}, system{};
    WINDOWPOS pos{};
    params.rgrc[0] = params.rgrc[1] = params.rgrc[2] = RECT{0, 0, 200, 150};
    params.lppos = &pos;
    system = params;
    ::SendMessageW(child, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    ::DefMDIChildProcW(child, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&system));
    EXPECT_TRUE(::EqualRect(&params.rgrc[0], &system.rgrc[0]));
    EXPECT_FALSE(childForm->HasRegion());
    ::SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
    EXPECT_EQ(childForm->ShowState(), kShowNormal);
    SetMenuActive(false);
}

// A frame with a menu bar: the skinned bar takes a child's frame menu over (WM_MDISETMENU), and a
// maximised child's buttons go into the band.
TEST_F(MdiTest, TheMenuBarFollowsFrameMenusAndCarriesAMaximisedChildsButtons) {
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    HMENU own = ::CreateMenu();
    ::AppendMenuW(own, MF_STRING, 10, L"&Window");
    ::SetMenu(frame, own);
    TWinSkinForm* parent = Skin(frame, skin.get());
    ASSERT_NE(parent->MenuBar(), nullptr);
    ASSERT_EQ(parent->MenuBar()->Buttons().size(), 1u);

    HMENU childMenu = ::CreateMenu();
    ::AppendMenuW(childMenu, MF_STRING, 11, L"&File");
    ::AppendMenuW(childMenu, MF_STRING, 12, L"&Edit");
    ::SendMessageW(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(childMenu), 0);
    EXPECT_EQ(::GetMenu(frame), nullptr);
    ASSERT_EQ(parent->MenuBar()->Buttons().size(), 2u);
    EXPECT_EQ(parent->MenuBar()->Buttons()[1]->FCaption, L"&Edit");

    HWND child = NewChild(L"Child");
    ::SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    EXPECT_TRUE(parent->MdiChildMaximizedInBand());
    parent->PaintFrame();
    int inBand = 0;
    for (const auto& b : parent->Buttons())
        if (b->FData->Visibility == 100 && b->FVisible) {
            ++inBand;
            EXPECT_GE(b->FRect.top, parent->Metrics().Top);
            EXPECT_LE(b->FRect.bottom, parent->Metrics().ClientTop());
        }
    EXPECT_EQ(inBand, 3);
    SaveShot(*Print(frame), "Mdi_MenuBandWithChildButtons");
    ::DestroyMenu(childMenu);
}

}  // namespace
