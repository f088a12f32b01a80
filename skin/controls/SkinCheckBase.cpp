#include "skin/controls/SkinCheckBase.h"

#include "framework/Handles.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"

#include <algorithm>

namespace {

constexpr int kCellWidth = 15;
constexpr int kCaptionIndent = 18;  // the cell and the 3-pixel gap after it

}  // namespace

int CheckImageFrame(int s, int n, bool indeterminate, bool disabled) {
    if (n != 12) return s;
    // 12 frames: unchecked, checked and mixed, each normal, hot, pressed and disabled.
    if (s == 2) s = 5;
    else if (s == 3) s = 4;
    else if (s == 4) s = 8;
    if (indeterminate) s = disabled ? 12 : 9;
    return s;
}

int RadioImageFrame(int s, int n) {
    if (n != 8) return s;
    // 8 frames: unchecked and checked, each normal, hot, pressed and disabled.
    if (s == 2) return 5;
    if (s == 3) return 4;
    if (s == 4) return 8;
    return s;
}

TCheckLayout CheckBoxLayout(const RECT& r, int w, int h, bool rightButton) {
    TCheckLayout out;
    out.Image.top = r.top + (r.bottom - r.top - h) / 2;
    out.Image.bottom = out.Image.top + h;
    out.CaptionArea = r;
    if (rightButton) {
        out.Image.right = r.right;
        out.Image.left = r.right - w;
        out.CaptionArea.right = r.right - kCaptionIndent;
        out.CaptionFlags = DT_RIGHT;
    } else {
        out.Image.left = r.left;
        out.Image.right = r.left + w;
        out.CaptionArea.left = r.left + kCaptionIndent;
        out.CaptionFlags = DT_WORDBREAK | DT_EXPANDTABS;
    }
    return out;
}

// A radio image narrower than the cell is centred in it.
TCheckLayout RadioButtonLayout(const RECT& r, int w, int h, bool rightButton) {
    TCheckLayout out = CheckBoxLayout(r, w, h, rightButton);
    const int inset = w < kCellWidth ? (kCellWidth - 1 - w) / 2 : 0;
    if (rightButton) {
        out.Image.right = w < kCellWidth ? r.right - inset : r.right - 1;
        out.Image.left = out.Image.right - w;
        out.CaptionFlags = DT_RIGHT | DT_WORDBREAK | DT_EXPANDTABS;
    } else {
        out.Image.left = r.left + inset;
        out.Image.right = out.Image.left + w;
    }
    return out;
}

QX_DEFINE_CLASS(TSkinCheckBase, TSkinControl, b) {}

TSkinCheckBase::TSkinCheckBase(qx::TComponent* owner) : TSkinControl(owner) {}

void TSkinCheckBase::Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) {
    TSkinControl::Attach(form, skinData, colourFlag, canvas);
    FVariant = 0;
    if (!FControl) return;
    FVariant = 1;
    FTransparent = FControl->Tag() == kTransparentTag || (skinData && InSet(skinData->Options(), xoTransparent));
}

void TSkinCheckBase::AttachWindow(HWND window, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas) {
    TSkinControl::AttachWindow(window, skinData, form, canvas);
    FVariant = 0;
}

bool TSkinCheckBase::RightButton() const { return FWindow && (WindowLong(FWindow, GWL_STYLE) & BS_RIGHTBUTTON) != 0; }

bool TSkinCheckBase::BeforeMessage(qx::TMessage& m) {
    if (!TSkinControl::BeforeMessage(m)) return false;
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINT:
    case WM_PRINTCLIENT: {
        if (FVariant != 1) return true;
        // An image that is not there hands the control back to the system's painting, from
        // this very paint on (SkinCheckBoxTest.EmptyImageLeavesTheSystemLook).
        int frames = 0;
        if (!Image(frames)) {
            FVariant = 0;
            return true;
        }
        PaintWholeWindow(m);
        return false;
    }
    case WM_ERASEBKGND:
        if (!FTransparent) return true;
        EraseWithParentBackground(m);
        return false;
    default: return true;
    }
}

void TSkinCheckBase::Paint(HDC dc, const RECT& r) {
    int n = 0;
    qx::TBitmap* image = Image(n);
    n = std::max(1, n);
    const int w = image ? image->Width() / n : 0, h = image ? image->Height() : 0;
    if (!image || w <= 0 || h <= 0 || !FWindow) {
        FVariant = 0;
        return;
    }
    FLastFrame = StateFrame(n);
    FLayout = Layout(r, w, h, RightButton());
    if (FVariant != 1) {
        DrawSkinFrame(dc, FLayout.Image, *image, true, n, FLastFrame);
        return;
    }
    // The whole control, composed off-screen and shown in one blit.
    const int cw = r.right - r.left, ch = r.bottom - r.top;
    if (cw <= 0 || ch <= 0) return;
    FBuffer.SetSize(cw, ch);
    qx::BitmapDc buffer(FBuffer);
    const HDC bdc = buffer.get();
    ::SetViewportOrgEx(bdc, -r.left, -r.top, nullptr);
    if (FTransparent && FControl) PaintParentBackground(FControl, bdc);
    else FillBackground(bdc, r);
    DrawSkinFrame(bdc, FLayout.Image, *image, true, n, FLastFrame);
    PaintCaption(bdc);
    ::SetViewportOrgEx(bdc, 0, 0, nullptr);
    ::BitBlt(dc, r.left, r.top, cw, ch, bdc, 0, 0, SRCCOPY);
}

void TSkinCheckBase::PaintCaption(HDC dc) {
    FCaption = ReadCaption();
    FFocused = WindowFocused();
    FEnabled = WindowEnabled();
    HFONT font = FControl ? FControl->Font()->Handle()
                          : reinterpret_cast<HFONT>(::SendMessageW(FWindow, WM_GETFONT, 0, 0));
    qx::SelectGuard fontGuard(dc, font);
    // Disabled text is grey, as the system draws it, next to the image's disabled frame.
    const qx::TColor colour = !FEnabled ? qx::clGrayText : FControl ? FControl->Font()->Color() : qx::clBtnText;
    const COLORREF oldColour = ::SetTextColor(dc, qx::ColorToRGB(colour));
    const COLORREF oldBack = ::SetBkColor(dc, qx::ColorToRGB(FSkinData ? FSkinData->ButtonFace : qx::clBtnFace));
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    RECT area = FLayout.CaptionArea;
    RECT measured = area;
    DrawTextWide(dc, FCaption, measured, FLayout.CaptionFlags | DT_CALCRECT | DT_NOCLIP);
    ::OffsetRect(&area, 0, (area.bottom - area.top - measured.bottom) / 2);
    if (FFocused) DrawFocus(dc, FLayout.CaptionFlags, area);
    DrawTextWide(dc, FCaption, area, FLayout.CaptionFlags);
    ::SetBkMode(dc, oldMode);
    ::SetBkColor(dc, oldBack);
    ::SetTextColor(dc, oldColour);
}

void TSkinCheckBase::AfterMessage(qx::TMessage& m) {
    constexpr UINT kDataChanged = 0xB0D0;  // sent by data-aware check boxes when their field changes
    switch (m.Msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case qx::CM_EXIT:
    case kDataChanged: Repaint(); return;
    case WM_PRINTCLIENT:
        if (FVariant == 0) PaintWindow(reinterpret_cast<HDC>(m.WParam));
        return;
    default: TSkinControl::AfterMessage(m); return;
    }
}
