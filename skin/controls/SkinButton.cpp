#include "skin/controls/SkinButton.h"

#include "framework/Handles.h"
#include "skin/controls/SkinPropText.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"

namespace {

constexpr int kButtonFrames = 5;
constexpr UINT kCaptionFlags = DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS;
constexpr qx::TColor kRawDisabledText = 0x808080;

bool IsDefaultPushStyle(LONG_PTR style) { return (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

}  // namespace

int PlainButtonFrame(bool focused, bool defaultLook, bool pressed, bool hot, bool enabled) {
    int frame = 1;
    if (focused) frame = 4;
    // The default button shows its own look while the focus is on a control that is no
    // button; a focused button is the default one anyway and keeps the focused look.
    else if (defaultLook) frame = 5;
    if (pressed) frame = 2;
    else if (hot) frame = 4;
    if (!enabled) frame = 3;
    return frame;
}

std::wstring ButtonCaptionText(std::wstring caption) {
    if (const size_t at = caption.find(L"||"); at != std::wstring::npos) caption.replace(at, 2, L"\r\n");
    return caption;
}

QX_DEFINE_CLASS(TSkinButton, TSkinControl, b) {}

TSkinButton::TSkinButton(qx::TComponent* owner) : TSkinControl(owner) {}

void TSkinButton::Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) {
    TSkinControl::Attach(form, skinData, colourFlag, canvas);
    if (!FControl) return;
    // Some families take the press themselves: their mouse-down is not forwarded.
    const std::wstring name = LowerText(FControl->ClassName());
    FVariant = (name.rfind(L"trz", 0) == 0 || name.rfind(L"tel", 0) == 0) ? 1 : 0;
    FTransparent = FControl->Tag() == kTransparentTag || (skinData && InSet(skinData->Options(), xoTransparent));
}

void TSkinButton::AttachWindow(HWND window, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas) {
    TSkinControl::AttachWindow(window, skinData, form, canvas);
    FTransparent = skinData && InSet(skinData->Options(), xoTransparent);
}

TDataSkinButton* TSkinButton::ButtonSkin() const {
    if (!FSkinData || !FSkinData->Button || FSkinData->Button->Bitmap.Empty()) return nullptr;
    return FSkinData->Button.get();
}

//--- messages

bool TSkinButton::BeforeMessage(qx::TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        // Without a usable image the system paints the button (a broken skin leaves it usable).
        if (!ButtonSkin()) break;
        PaintWholeWindow(m);
        return false;
    case WM_ERASEBKGND:
        if (!ButtonSkin()) break;
        m.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A button the system paints is pressed by the system too, so its pushed look shows.
        if (!ButtonSkin()) break;
        if (!WindowFocused()) ::SetFocus(FWindow);
        Press();
        if (FVariant == 0 && FControl) ForwardMouseDown(m);
        m.Result = 0;
        return false;
    default: break;
    }
    return TSkinControl::BeforeMessage(m);
}

// The press never reaches the system button, which therefore never captures the mouse: the
// wrapper does, so that a release anywhere ends the press and clicks
// (SkinButtonTest.ReleaseOutsideClicksOnce).
void TSkinButton::Press() {
    SetPressed(true);
    if (FWindow && ::GetCapture() != FWindow) ::SetCapture(FWindow);
    PaintWindow(nullptr);
}

void TSkinButton::ReleasePress(bool click) {
    SetPressed(false);
    Repaint();
    // Released before the click runs: a click that opens a modal window must not find the
    // mouse still captured by this button.
    if (FWindow && ::GetCapture() == FWindow) ::ReleaseCapture();
    if (!click) return;
    if (FControl) {
        FControl->Click();
    } else if (FWindow) {
        const int id = static_cast<int>(WindowLong(FWindow, GWLP_ID));
        ::PostMessageW(::GetParent(FWindow), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(FWindow));
    }
}

void TSkinButton::AfterMessage(qx::TMessage& m) {
    switch (m.Msg) {
    case WM_SETTEXT: PaintWindow(nullptr); return;
    case WM_KEYDOWN:
        if (m.WParam == VK_SPACE) {
            SetPressed(true);
            Repaint();
        }
        return;
    case WM_KEYUP:
        if (m.WParam == VK_SPACE) {
            SetPressed(false);
            Repaint();
        }
        return;
    case WM_MOUSEMOVE:
        if (WindowEnabled() && !Hot()) {
            SetHot(true);
            Repaint();
        }
        if (FWindow) TrackMouseLeave(FWindow);
        return;
    case WM_LBUTTONUP:
        if (Pressed()) ReleasePress(true);
        return;
    case WM_CAPTURECHANGED:
        // Capture taken away mid-press (another window, a menu): the press ends without a click.
        if (Pressed() && reinterpret_cast<HWND>(m.LParam) != FWindow && ::GetKeyState(VK_SPACE) >= 0)
            ReleasePress(false);
        return;
    case WM_MOUSELEAVE:
        SetHot(false);
        Repaint();
        return;
    case qx::CM_DIALOGKEY:
    case qx::CM_FOCUSCHANGED: Repaint(); return;
    default: TSkinControl::AfterMessage(m); return;
    }
}

//--- painting

qx::TColor TSkinButton::FrameTextColour(int frame, bool enabled, qx::TColor base) const {
    qx::TColor colour = base;
    if (const TDataSkinButton* skin = FSkinData ? FSkinData->Button.get() : nullptr) {
        if (frame == 1 && skin->HasNormalColour2) colour = skin->NormalColour2;
        else if ((frame == 4 || frame == 5) && skin->HasMouseOverColour2) colour = skin->MouseOverColour2;
        else if (frame == 2 && skin->HasPressedColour2) colour = skin->PressedColour2;
    }
    if (!enabled) colour = FControl || FGraphicControl ? qx::clGrayText : kRawDisabledText;
    return colour;
}

void TSkinButton::PaintButtonBackground(HDC dc, const RECT& r) {
    if (FTransparent) {
        if (qx::TControl* control = WrappedControl()) PaintParentBackground(control, dc);
        else FillParentColour(dc, r);
        return;
    }
    FillBackground(dc, r);
}

void TSkinButton::PaintButtonImage(HDC dc, const RECT& r, int frame) {
    TDataSkinButton* skin = ButtonSkin();
    if (!skin) return;
    DrawSkinImage(dc, r, skin->Bitmap, skin->Margins, false, skin->Tile != 0, skin->Trans == 1, kButtonFrames, frame);
}

void TSkinButton::Paint(HDC dc, const RECT& r) {
    if (!ButtonSkin() || !FWindow) return;
    FFocused = WindowFocused();
    FEnabled = WindowEnabled();
    FCaption = ButtonCaptionText(ReadCaption());
    const bool defaultLook = IsDefaultPushStyle(WindowLong(FWindow, GWL_STYLE));
    const int frame = PlainButtonFrame(FFocused, defaultLook, Pressed(), Hot(), FEnabled);
    FLastFrame = frame;

    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    FBuffer.SetSize(w, h);
    qx::BitmapDc buffer(FBuffer);
    const HDC bdc = buffer.get();
    const RECT local{0, 0, w, h};
    PaintButtonBackground(bdc, local);
    PaintButtonImage(bdc, local, frame);

    // A framework control's font; a raw window's WM_GETFONT font.
    HFONT font = FControl ? FControl->Font()->Handle()
                          : reinterpret_cast<HFONT>(::SendMessageW(FWindow, WM_GETFONT, 0, 0));
    qx::SelectGuard fontGuard(bdc, font);
    const qx::TColor base = FControl ? FControl->Font()->Color() : (FSkinData ? FSkinData->ButtonText : qx::clBtnText);
    ::SetTextColor(bdc, qx::ColorToRGB(FrameTextColour(frame, FEnabled, base)));

    RECT t = local;
    ::InflateRect(&t, -2, -2);
    ::SetBkMode(bdc, TRANSPARENT);
    DrawTextWide(bdc, FCaption, t, kCaptionFlags | DT_CALCRECT | DT_NOCLIP);
    ::OffsetRect(&t, -t.left, -t.top);
    ::OffsetRect(&t, (w - (t.right - t.left)) / 2, (h - (t.bottom - t.top)) / 2 - 1);
    DrawTextWide(bdc, FCaption, t, kCaptionFlags);
    ::SetBkMode(bdc, OPAQUE);
    if (FFocused && !(FSkinData && InSet(FSkinData->Options(), xoNoFocusRect))) {
        ::InflateRect(&t, 2, 2);
        ::DrawFocusRect(bdc, &t);
    }
    ::BitBlt(dc, r.left, r.top, w, h, bdc, 0, 0, SRCCOPY);
}
