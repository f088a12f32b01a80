// The popup menu frame painter: the skinned frame on WM_NCPAINT, and the whole frame image with
// the system's items inside it on WM_PRINT (what a menu animation shows).
#include "skin/controls/SkinPopMenu.h"

#include "framework/Handles.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"
#include "skin/form/MenuHooks.h"

namespace {

TWinSkinPopMenu* gCurrentPopup = nullptr;

TSkinPopupPainter* MakePainter(HWND menuWindow, TSkinData* skin) {
    auto painter = std::make_unique<TWinSkinPopMenu>();
    if (!painter->Attach(menuWindow, skin, nullptr)) return nullptr;
    return painter.release();
}

RECT WindowBox(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return RECT{0, 0, r.right - r.left, r.bottom - r.top};
}

}  // namespace

TWinSkinPopMenu* CurrentPopupMenu() { return gCurrentPopup; }

void InstallPopupMenuPainters() {
    SetSkinPopupPainterFactory(&MakePainter);
    TMenuManagerHooks& hooks = MenuManagerHooks();
    hooks.MarkMenuBarPopups = [] {
        if (SkinManager) SkinManager->MarkMenuBarPopups();
    };
    hooks.AssignPopupMenuHandle = [](HMENU menu) {
        if (SkinManager) SkinManager->AssignPopupMenuHandle(menu);
    };
    hooks.FindPopupFrameImage = [](HMENU menu) -> qx::TBitmap* {
        return SkinManager ? SkinManager->FindPopupFrameImage(menu) : nullptr;
    };
}

TWinSkinPopMenu::~TWinSkinPopMenu() { Detach(); }

bool TWinSkinPopMenu::Attach(HWND window, TSkinData* skin, HMENU menu) {
    if (FSubclass.Installed() || !window) return false;
    FWindow = window;
    FSkinData = skin;
    FMenu = menu;
    FFromMenuBar = false;
    return FSubclass.Install(window, qx::TWndMethod::Of<&TWinSkinPopMenu::WndProc>(this));
}

void TWinSkinPopMenu::Detach() {
    if (gCurrentPopup == this) gCurrentPopup = nullptr;
    if (!FSubclass.Installed()) return;
    FSubclass.Release();
    FFrameImage.SetSize(0, 0);
}

void TWinSkinPopMenu::SetMenuHandle(HMENU menu) {
    FMenu = menu;
    if (menu && gCurrentPopup == this) gCurrentPopup = nullptr;
}

bool TWinSkinPopMenu::CanPaint() const {
    return FSkinData && !FSkinData->NotLoaded() && FSkinData->MenuBackground &&
           !FSkinData->MenuBackground->Bitmap.Empty();
}

bool TWinSkinPopMenu::BuildFrameImage(int width, int height) {
    if (!CanPaint() || width <= 0 || height <= 0) {
        FFrameImage.SetSize(0, 0);
        return false;
    }
    TDataSkinObject& back = *FSkinData->MenuBackground;
    FFrameImage.SetPixelFormat(qx::TPixelFormat::pf24bit);
    FFrameImage.SetSize(width, height);
    qx::BitmapDc dc(FFrameImage);
    DrawSkinImage(dc.get(), RECT{0, 0, width, height}, back.Bitmap, back.Margins, false, back.Tile != 0, false, 1, 1);
    return true;
}

//--- the window procedure

void TWinSkinPopMenu::WndProc(qx::TMessage& m) {
    if (m.Msg == SKN_QUERY) {
        m.Result = 1;
        return;
    }
    // Skinning switched off while the menu is open: everything goes through untouched.
    if (!SkinManager || !SkinManager->Active()) return Pass(m);
    switch (m.Msg) {
    case WM_DESTROY: {
        const WNDPROC old = FSubclass.Previous();
        const bool unicode = FSubclass.Unicode();
        Detach();
        m.Result = unicode ? ::CallWindowProcW(old, FWindow, m.Msg, m.WParam, m.LParam)
                           : ::CallWindowProcA(old, FWindow, m.Msg, m.WParam, m.LParam);
        return;
    }
    case WM_NCPAINT: WMNCPaint(m); return;
    case WM_PAINT: WMPaint(m); return;
    case WM_PRINT: WMPrint(m); return;
    default: Pass(m); return;
    }
}

// The four 3-pixel bands of the frame image go onto the window's frame; the system's frame is
// not drawn at all.
void TWinSkinPopMenu::WMNCPaint(qx::TMessage& m) {
    const RECT w = WindowBox(FWindow);
    if (!BuildFrameImage(w.right, w.bottom)) return Pass(m);
    if (!FMenu) gCurrentPopup = this;
    PaintBands();
    m.Result = 0;
}

// Some systems give a menu window no frame of its own and draw one with the items, inside the
// client area, on WM_PAINT: there the bands go over that frame once the items are drawn
// (PopupMenuFrameTest.AnOpenPopupMenuShowsTheSkinsFrame).
void TWinSkinPopMenu::WMPaint(qx::TMessage& m) {
    Pass(m);
    RECT client{};
    ::GetClientRect(FWindow, &client);
    const RECT w = WindowBox(FWindow);
    if (client.right != w.right || client.bottom != w.bottom) return;
    if (!BuildFrameImage(w.right, w.bottom)) return;
    if (!FMenu) gCurrentPopup = this;
    PaintBands();
}

void TWinSkinPopMenu::PaintBands() {
    const RECT w = WindowBox(FWindow);
    qx::WindowDc window(FWindow, true);
    if (!window.get() || FFrameImage.Empty()) return;
    qx::BitmapDc image(FFrameImage);
    const int f = kPopupFrame, width = w.right, height = w.bottom;
    ::BitBlt(window.get(), 0, 0, width, f, image.get(), 0, 0, SRCCOPY);
    ::BitBlt(window.get(), 0, height - f, width, f, image.get(), 0, height - f, SRCCOPY);
    ::BitBlt(window.get(), 0, f, f, height - f, image.get(), 0, f, SRCCOPY);
    ::BitBlt(window.get(), width - f, f, f, height - f, image.get(), width - f, f, SRCCOPY);
}

// The whole frame image into the given context, then the system's items clipped to the inside.
void TWinSkinPopMenu::WMPrint(qx::TMessage& m) {
    const auto dc = reinterpret_cast<HDC>(m.WParam);
    const RECT w = WindowBox(FWindow);
    if (!dc || !BuildFrameImage(w.right, w.bottom)) return Pass(m);
    if (!FMenu) gCurrentPopup = this;
    {
        qx::BitmapDc image(FFrameImage);
        ::BitBlt(dc, 0, 0, w.right, w.bottom, image.get(), 0, 0, SRCCOPY);
    }
    qx::UniqueRgn inner(::CreateRectRgn(kPopupFrame, kPopupFrame, w.right - kPopupFrame, w.bottom - kPopupFrame));
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    ::SelectClipRgn(dc, inner.get());
    Pass(m);
    ::SelectClipRgn(dc, nullptr);
    ::SetBkMode(dc, oldMode);
}
