#include "skin/form/WindowIcon.h"

#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinManagerLink.h"

#include <algorithm>

namespace {

// The application icon of the last registered main-form skin that has one.
qx::TBitmap* FallbackAppIcon() {
    const TSkinManagerLink* manager = SkinManagerLink();
    if (!manager) return nullptr;
    qx::TBitmap* found = nullptr;
    for (TSkinData* skin : manager->SkinDataList())
        if (skin && skin->SkinFormtype() == TSkinFormType::sfMainform && !skin->AppIcon.Empty()) found = &skin->AppIcon;
    return found;
}

}  // namespace

void TWindowIcon::Render(HWND wnd, TSkinData* skin) {
    const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
    FSize = cx;
    FBitmap.SetPixelFormat(qx::TPixelFormat::pf24bit);
    FBitmap.SetSize(cx, cy);
    qx::TCanvas& canvas = FBitmap.Canvas();
    canvas.Brush().SetColor(kSkinKeyColour);
    canvas.FillRect(RECT{0, 0, cx, cy});
    FIcon = reinterpret_cast<HICON>(::SendMessageW(wnd, WM_GETICON, ICON_SMALL, 0));
    if (!FIcon) FIcon = reinterpret_cast<HICON>(::SendMessageW(wnd, WM_GETICON, ICON_BIG, 0));
    if (FIcon) {
        qx::UniqueIcon copy(static_cast<HICON>(::CopyImage(FIcon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
        ::DrawIconEx(canvas.Handle(), 0, 0, copy ? copy.get() : FIcon, cx, cy, 0, nullptr, DI_NORMAL);
        return;
    }
    qx::TBitmap* source = skin && !skin->AppIcon.Empty() ? &skin->AppIcon : FallbackAppIcon();
    if (source) {
        FBitmap.Assign(source);
        return;
    }
    // Neither the window nor the application has an icon: the skin's own picture for the icon
    // button, rather than an empty gap before the title.
    if (!skin) return;
    for (auto& button : skin->SysButtons) {
        if (!button || (button->Action != 3 && button->Action != 11) || button->Bitmap.Empty()) continue;
        DrawSkinGlyph(canvas.Handle(), RECT{0, 0, cx, cy}, button->Bitmap, true, std::max(button->FrameCount, 1), 1);
        return;
    }
}

void TWindowIcon::Draw(HDC dc, const RECT& rect) {
    if (FIcon) {
        qx::UniqueIcon copy(static_cast<HICON>(::CopyImage(FIcon, IMAGE_ICON, FSize, FSize, LR_COPYFROMRESOURCE)));
        ::DrawIconEx(dc, rect.left, rect.top, copy ? copy.get() : FIcon, FSize, FSize, 0, nullptr, DI_NORMAL);
        return;
    }
    if (!FBitmap.Empty()) DrawTransparent(dc, rect, FBitmap, kSkinKeyColour);
}
