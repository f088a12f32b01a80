// Popup menu frames: a painter frames its window with the skin's MenuBackground image and lets
// everything through while skinning is off or the skin has no such image; a real popup menu gets
// a painter from the manager for as long as it is open.
#include "skin/controls/SkinManage.h"
#include "skin/controls/SkinPopMenu.h"
#include "support/FormTestSupport.h"

using namespace formtest;

namespace {

class PopupMenuFrameTest : public ::testing::Test {
protected:
    void TearDown() override { FreeSkinManager(); }
};

TEST_F(PopupMenuFrameTest, APainterDrawsTheFrameOnlyWhileSkinningIsOnAndTheSkinHasTheImage) {
    std::vector<TPackageMember> members = DefaultSkinMembers();
    SetIniValue(members, "MenuBackground", "Image", "missing.bmp");
    auto noImage = LoadSkin(members);
    ASSERT_TRUE(noImage);
    auto skin = LoadDefaultSkin();
    TSkinManage& manager = CreateSkinManager();
    const struct {
        TSkinData* Skin;
        bool Active;
        bool Painted;
    } cases[] = {{skin.get(), true, true}, {skin.get(), false, false}, {noImage.get(), true, false}};
    for (const auto& c : cases) {
        manager.SetActive(c.Active);
        TPlainWindow window(WS_POPUP | WS_BORDER | WS_VISIBLE, 0, L"", {120, 80});
        TWinSkinPopMenu painter;
        ASSERT_TRUE(painter.Attach(window.Handle(), c.Skin, nullptr));
        EXPECT_EQ(::SendMessageW(window.Handle(), SKN_QUERY, 0, 0), 1);
        const int before = window.Count(WM_NCPAINT);
        ::SendMessageW(window.Handle(), WM_NCPAINT, 1, 0);
        EXPECT_EQ(window.Count(WM_NCPAINT) - before, c.Painted ? 0 : 1);
        EXPECT_EQ(painter.FrameImage() != nullptr, c.Painted);
        if (c.Painted) {
            // Printed: the frame image around, the window's own drawing inside.
            auto shot = Print(window.Handle());
            qx::TBitmap& back = c.Skin->MenuBackground->Bitmap;
            EXPECT_EQ(CanvasPixel(*shot, 0, 0), static_cast<COLORREF>(back.Pixel(0, 0)));
            EXPECT_EQ(CanvasPixel(*shot, 1, 40), static_cast<COLORREF>(back.Pixel(1, back.Height() / 2)));
            EXPECT_EQ(CurrentPopupMenu(), &painter);
            painter.SetMenuHandle(reinterpret_cast<HMENU>(1));
            EXPECT_EQ(CurrentPopupMenu(), nullptr);
        }
        painter.Detach();
    }
}

TEST_F(PopupMenuFrameTest, AnOpenPopupMenuShowsTheSkinsFrame) {
    auto skin = LoadDefaultSkin();
    TSkinManage& manager = CreateSkinManager();
    manager.AddSkinData(skin.get());
    manager.InstallHook();
    manager.SetActive(true);
    qx::TPopupMenu menu(nullptr);
    for (const wchar_t* caption : {L"One", L"Two"}) {
        auto* item = new qx::TMenuItem(&menu);
        item->SetCaption(caption);
        menu.Items()->Add(item);
    }
    menu.SetOwnerDraw(true);
    struct TSeenOpen {
        size_t Painters = 0;
        HWND Window = nullptr;
        std::string Shot;
        COLORREF Corner = 0, Inside = 0;
    } seen;
    static TSeenOpen* current;
    current = &seen;
    static TSkinManage* mgr;
    mgr = &manager;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 40, [](HWND, UINT, UINT_PTR, DWORD) noexcept {
        HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
        if (!menuWindow || !::IsWindowVisible(menuWindow)) return;
        current->Painters = mgr->PopupMenuCount();
        current->Window = menuWindow;
        qx::test::DibCanvas canvas(SizeOf(WindowRectOf(menuWindow)).cx, SizeOf(WindowRectOf(menuWindow)).cy);
        qx::test::CaptureScreen(menuWindow, canvas);
        current->Corner = canvas.PixelRef(0, 0);
        current->Inside = canvas.PixelRef(1, canvas.Height() / 2);
        current->Shot = SaveShot(canvas, "PopupMenuFrame_Open");
        ::EndMenu();
    });
    menu.Popup(100, 100);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(seen.Painters, 1u);
    EXPECT_FALSE(seen.Shot.empty());
    qx::TBitmap& back = skin->MenuBackground->Bitmap;
    EXPECT_EQ(seen.Corner, static_cast<COLORREF>(back.Pixel(0, 0)));
    EXPECT_EQ(seen.Inside, static_cast<COLORREF>(back.Pixel(1, back.Height() / 2)));
    qx::test::PumpPending();
    EXPECT_EQ(manager.PopupMenuCount(), 0u);
    EXPECT_FALSE(manager.MenuBarPopups());
}

}  // namespace
