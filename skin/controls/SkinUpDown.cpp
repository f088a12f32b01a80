#include "skin/controls/SkinUpDown.h"

#include "framework/DibSurface.h"
#include "framework/Handles.h"
#include "framework/UpDown.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinPaintHelpers.h"

#include <algorithm>
#include <commctrl.h>

QX_DEFINE_CLASS(TSkinUpDown, TSkinControl, b) {}

TSkinUpDown::TSkinUpDown(qx::TComponent* owner) : TSkinControl(owner) {}

TSkinControl* MakeEmbeddedSkinUpDown(qx::TComponent* owner) {
    auto* w = new TSkinUpDown(owner);
    w->SetEmbedded(true);
    return w;
}

int UpDownFrame(int direction, bool enabled, bool underCursor, bool pressed, bool hot) {
    int state = 1;
    if (!enabled) state = 3;
    else if (underCursor && pressed) state = 2;
    else if (underCursor && hot) state = 4;
    return direction * 4 + state;
}

bool TSkinUpDown::Horizontal() const {
    return FHorizontal || (FWindow && (WindowLong(FWindow, GWL_STYLE) & UDS_HORZ));
}

// Each press goes to the control first (it captures the mouse and starts counting), then the
// pressed half is drawn at once.
bool TSkinUpDown::BeforeMessage(qx::TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT: PaintWholeWindow(m); return false;
    case WM_ERASEBKGND:
        if (!FControl) {
            RECT client{};
            ::GetClientRect(FWindow, &client);
            ::FillRect(reinterpret_cast<HDC>(m.WParam), &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        }
        m.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        CallDefault(m);
        SetPressed(true);
        PaintWindow(nullptr);
        return false;
    case WM_LBUTTONUP:
        SetPressed(false);
        CallDefault(m);
        PaintWindow(nullptr);
        return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

// The hot half follows the mouse; it is redrawn only when it changes.
void TSkinUpDown::AfterMessage(qx::TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEMOVE: {
        RECT r{};
        ::GetClientRect(FWindow, &r);
        const int half = HalfUnderCursor(r);
        SetHot(half >= 0);
        if (half != FHotHalf) {
            FHotHalf = half;
            TrackMouseLeave(FWindow);
            PaintWindow(nullptr);
        }
        return;
    }
    case WM_MOUSELEAVE:
        SetHot(false);
        FHotHalf = -1;
        PaintWindow(nullptr);
        return;
    default: TSkinControl::AfterMessage(m);
    }
}

int TSkinUpDown::HalfUnderCursor(const RECT& r) const {
    POINT p{};
    if (!::GetCursorPos(&p) || !::ScreenToClient(FWindow, &p) || !::PtInRect(&r, p)) return -1;
    if (Horizontal()) return p.x < (r.left + r.right) / 2 ? 0 : 1;
    return p.y < (r.top + r.bottom) / 2 ? 0 : 1;
}

namespace {

void FlatHalf(HDC dc, const RECT& r, int frame, int direction, bool horizontal, TSkinData* skin) {
    const int state = (frame - 1) % 4 + 1;
    const qx::TColor face = skin ? skin->ButtonFace : qx::clBtnFace;
    const qx::TColor shadow = skin ? skin->ButtonShadow : qx::clBtnShadow;
    const qx::TColor dark = skin ? skin->ButtonDkShadow : qx::SysColor(COLOR_3DDKSHADOW);
    const qx::TColor text = state == 3 ? shadow : (skin ? skin->ButtonText : qx::clBtnText);
    qx::UniqueBrush fill(::CreateSolidBrush(qx::ColorToRGB(state == 2 || state == 4 ? shadow : face)));
    ::FillRect(dc, &r, fill.get());
    qx::UniqueBrush edge(::CreateSolidBrush(qx::ColorToRGB(dark)));
    ::FrameRect(dc, &r, edge.get());
    // A small arrow of lines, centred (up and down arrows 2 pixels above the centre).
    qx::UniquePen pen(::CreatePen(PS_SOLID, 1, qx::ColorToRGB(text)));
    qx::SelectGuard select(dc, pen.get());
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    for (int i = 0; i < 3; ++i) {
        if (!horizontal) {
            const int y = cy - 2 + (direction == 0 ? i : 2 - i) + 1;
            ::MoveToEx(dc, cx - i, y, nullptr);
            ::LineTo(dc, cx + i + 1, y);
        } else {
            const int x = cx - 1 + (direction == 0 ? i : 2 - i);
            ::MoveToEx(dc, x, cy - i, nullptr);
            ::LineTo(dc, x, cy + i + 1);
        }
    }
}

}  // namespace

void TSkinUpDown::Paint(HDC dc, const RECT& whole) {
    RECT r = whole;
    // A framework up-down placed inside its edit may have been wrapped by its own row first.
    auto* upDown = dynamic_cast<qx::TUpDown*>(FControl);
    if (FEmbedded || (upDown && upDown->Embedded())) {
        RECT client{};
        ::GetClientRect(FWindow, &client);
        ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        // Keep at least 3 pixels to the edit's top, bottom and right window edges.
        HWND edit = ::GetParent(FWindow);
        RECT own{}, er{};
        if (edit && ::GetWindowRect(FWindow, &own) && ::GetWindowRect(edit, &er)) {
            ::OffsetRect(&er, -own.left, -own.top);
            r.top = std::max<LONG>(r.top, er.top + 3);
            r.bottom = std::min<LONG>(r.bottom, er.bottom - 3);
            r.right = std::min<LONG>(r.right, er.right - 3);
        }
    }
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    qx::TDibSurface buffer(w, h, 24, true, dc);
    if (buffer.Empty()) return;
    const RECT local{0, 0, w, h};
    FillBackground(buffer.Dc(), local);

    const bool horizontal = Horizontal();
    TDataSkinBorder* look = nullptr;
    if (FSkinData) look = horizontal ? FSkinData->UpDownHorz.get() : FSkinData->UpDownVert.get();
    if (look && look->Bitmap.Empty()) look = nullptr;
    const bool enabled = WindowEnabled();
    const int under = HalfUnderCursor(whole);
    for (int half = 0; half < 2; ++half) {
        RECT part = local;
        if (horizontal) (half == 0 ? part.right : part.left) = w / 2;
        else (half == 0 ? part.bottom : part.top) = h / 2;
        const int frame = UpDownFrame(half, enabled, under == half, Pressed(), Hot() || under == half);
        FLastFrame[half] = frame;
        if (look) {
            DrawSkinImage(buffer.Dc(), part, look->Bitmap, look->Margins, false, look->Tile != 0, look->Trans != 0,
                          look->FrameCount, frame);
            if (!look->AuxBitmap.Empty()) DrawSkinGlyph(buffer.Dc(), part, look->AuxBitmap, true, look->FrameCount, frame);
        } else {
            FlatHalf(buffer.Dc(), part, frame, half, horizontal, FSkinData);
        }
    }
    ::BitBlt(dc, r.left, r.top, w, h, buffer.Dc(), 0, 0, SRCCOPY);
}
