#include "skin/controls/SkinTab.h"

#include "framework/Handles.h"
#include "framework/PageControl.h"
#include "framework/WindowText.h"
#include "skin/controls/SkinCaptionText.h"
#include "skin/controls/SkinClassify.h"
#include "skin/controls/SkinPropText.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"

#include <commctrl.h>
#include <algorithm>
#include <utility>

QX_DEFINE_CLASS(TSkinTab, TSkinControl, b) {}

int TabPosition(DWORD style) {
    const bool second = (style & TCS_BOTTOM) != 0;  // TCS_RIGHT has the same bit
    if (style & TCS_VERTICAL) return second ? 3 : 2;
    return second ? 1 : 0;
}

//--- the strip's coordinates

SIZE TTabStripMap::BitmapSize() const {
    const int w = Strip.right - Strip.left, h = Strip.bottom - Strip.top;
    return Position >= 2 ? SIZE{h, w} : SIZE{w, h};
}

// Top tabs sit one pixel lower, bottom tabs move up by the display area's bottom + 1; left
// tabs are read bottom to top and right tabs right to left, so that turning the bitmap upright
// puts every tab back where the control has it.
RECT TTabStripMap::ToStrip(const RECT& r) const {
    const SIZE size = BitmapSize();
    switch (Position) {
    case 1: return RECT{r.left, r.top - Display.bottom - 1, r.right, r.bottom - Display.bottom - 1};
    case 2: return RECT{size.cx - r.bottom, r.left - Strip.left + 1, size.cx - r.top, r.right - Strip.left + 1};
    case 3: return RECT{r.top, Strip.right - r.right + 1, r.bottom, Strip.right - r.left + 1};
    default: return RECT{r.left, r.top + 1, r.right, r.bottom + 1};
    }
}

RECT TTabStripMap::ToControl(const RECT& r) const {
    const SIZE size = BitmapSize();
    switch (Position) {
    case 1: return RECT{r.left, r.top + Display.bottom + 1, r.right, r.bottom + Display.bottom + 1};
    case 2: return RECT{r.top + Strip.left - 1, size.cx - r.right, r.bottom + Strip.left - 1, size.cx - r.left};
    case 3: return RECT{Strip.right - r.bottom + 1, r.left, Strip.right - r.top + 1, r.right};
    default: return RECT{r.left, r.top - 1, r.right, r.bottom - 1};
    }
}

RECT TabCloseBox(const RECT& t) { return RECT{t.right - 8, t.top + 2, t.right - 2, t.top + 8}; }

//--- attaching

TSkinTab::TSkinTab(qx::TComponent* owner) : TSkinControl(owner) {}

void TSkinTab::Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) {
    TSkinControl::Attach(form, skinData, colourFlag, canvas);
    if (!FAttached) return;
    FEnabled = !(WindowLong(FWindow, GWL_STYLE) & WS_DISABLED);
    // A page control that draws its own tabs keeps them as they are.
    FCloseBoxes = FControl && FControl->Tag() == kCloseBoxTag && IsControlKind(*FControl, {L"TPageControl"}) &&
                  LowerText(PropText(*FControl, L"OwnerDraw")) != L"true";
    PrepareImages();
    WrapUpDown();
}

void TSkinTab::AttachWindow(HWND window, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas) {
    TSkinControl::AttachWindow(window, skinData, form, canvas);
    if (!FAttached) return;
    FEnabled = !(WindowLong(FWindow, GWL_STYLE) & WS_DISABLED);
    PrepareImages();
    WrapUpDown();
}

void TSkinTab::Notification(qx::TComponent* component, qx::TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == qx::TOperation::opRemove && component == FUpDown) FUpDown = nullptr;
}

// The scroll arrows of a single-line strip that does not fit (they appear only then).
void TSkinTab::WrapUpDown() {
    if (FUpDown || !FWindow) return;
    for (HWND child = ::GetWindow(FWindow, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (qx::LowerCase(qx::ClassNameOf(child)) != L"msctls_updown32") continue;
        if (::SendMessageW(child, SKN_QUERY, 0, 0) == 1) return;
        // Owned as the classification owns its wrappers (the control, or the form for a raw
        // window), never by this wrapper: the form frees each wrapper it holds on its own.
        qx::TComponent* owner = FControl ? static_cast<qx::TComponent*>(FControl) : FForm ? FForm->HostComponent() : nullptr;
        if (!owner) return;
        auto* upDown = new TSkinUpDown(owner);
        upDown->FreeNotification(this);
        upDown->AttachWindow(child, FSkinData, FForm, FCanvas);
        FUpDown = upDown;
        return;
    }
}

// Copies of the tab and border images turned for the tab position.
void TSkinTab::PrepareImages() {
    FPosition = TabPosition(static_cast<DWORD>(WindowLong(FWindow, GWL_STYLE)));
    FTabImage.SetSize(0, 0);
    FBorderImage.SetSize(0, 0);
    TDataSkinBorder* tabs = FSkinData ? FSkinData->Tabs.get() : nullptr;
    if (!tabs || tabs->Bitmap.Empty()) return;
    FTabImage.Assign(&tabs->Bitmap);
    FTabImage.SetPixelFormat(qx::TPixelFormat::pf24bit);
    if (!tabs->AuxBitmap.Empty()) {
        FBorderImage.Assign(&tabs->AuxBitmap);
        FBorderImage.SetPixelFormat(qx::TPixelFormat::pf24bit);
    }
    if (FPosition == 1) {
        FlipBitmap(FTabImage);
        FlipBitmap(FBorderImage);
    } else if (FPosition == 2) {
        RotateBitmapLeft(FBorderImage);
    } else if (FPosition == 3) {
        RotateBitmapRight(FBorderImage);
    }
}

void TSkinTab::SkinChanged() {
    PrepareImages();
    TSkinControl::SkinChanged();
}

//--- close boxes

bool TSkinTab::BeforeMessage(qx::TMessage& m) {
    if (m.Msg == WM_LBUTTONDOWN && FCloseBoxes && CloseBoxClick(m)) return false;
    return TSkinControl::BeforeMessage(m);
}

// The press on a close box is the wrapper's: the form is asked, and answers 0 to let the page
// go. The boxes are those of the last paint; they are dropped with the page.
bool TSkinTab::CloseBoxClick(qx::TMessage& m) {
    const POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
    int index = -1;
    for (size_t i = 0; i < FCloseRects.size(); ++i)
        if (::PtInRect(&FCloseRects[i], p)) index = static_cast<int>(i);
    if (index < 0) return false;
    HWND form = FForm ? FForm->HostWindow() : nullptr;
    if (!form) form = ::GetAncestor(FWindow, GA_ROOT);
    const LRESULT answer = ::SendMessageW(form, SKN_TABCLOSE, reinterpret_cast<WPARAM>(FWindow), index);
    if (answer == 0)
        if (auto* pages = dynamic_cast<qx::TPageControl*>(FControl))
            if (qx::TTabSheet* page = pages->PageOfTab(index)) {
                FCloseRects.clear();
                delete page;
                ::InvalidateRect(FWindow, nullptr, TRUE);
            }
    m.Result = 0;
    return true;
}

//--- painting

void TSkinTab::Paint(HDC dc, const RECT& r) {
    if (FTabImage.Empty() || !FSkinData || !FSkinData->Tabs) return;
    TDataSkinBorder& look = *FSkinData->Tabs;
    if (!FUpDown) WrapUpDown();

    // The display area, grown by 4 and moved one pixel toward the strip.
    RECT d = r;
    ::SendMessageW(FWindow, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&d));
    ::InflateRect(&d, 4, 4);
    TTabStripMap map;
    map.Position = FPosition;
    switch (FPosition) {
    case 1: d.bottom -= 1; map.Strip = RECT{r.left, d.bottom, r.right, r.bottom}; break;
    case 2: d.left += 1; map.Strip = RECT{r.left, r.top, d.left, r.bottom}; break;
    case 3: d.right -= 1; map.Strip = RECT{d.right, r.top, r.right, r.bottom}; break;
    default: d.top += 1; map.Strip = RECT{r.left, r.top, r.right, d.top}; break;
    }
    map.Display = d;
    const SIZE size = map.BitmapSize();
    const int count = static_cast<int>(::SendMessageW(FWindow, TCM_GETITEMCOUNT, 0, 0));
    FCloseRects.assign(FCloseBoxes ? static_cast<size_t>(std::max(count, 0)) : 0, RECT{});

    if (size.cx > 0 && size.cy > 0) {
        qx::TBitmap strip;
        strip.SetPixelFormat(qx::TPixelFormat::pf24bit);
        strip.SetSize(size.cx, size.cy);
        HDC s = strip.Canvas().Handle();
        FillBackground(s, RECT{0, 0, size.cx, size.cy});
        HFONT font = FControl ? FControl->Font()->Handle() : reinterpret_cast<HFONT>(::SendMessageW(FWindow, WM_GETFONT, 0, 0));
        {
            qx::SelectGuard selectFont(s, font);
            const int focused = static_cast<int>(::SendMessageW(FWindow, TCM_GETCURFOCUS, 0, 0));
            auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(FWindow, TCM_GETIMAGELIST, 0, 0));
            const bool enabled = WindowEnabled();
            for (int i = 0; i < count; ++i) {
                RECT item{};
                if (!::SendMessageW(FWindow, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) continue;
                const RECT t = map.ToStrip(item);
                const int frame = i == focused ? 2 : 1;
                DrawSkinImage(s, t, FTabImage, look.Margins, false, look.Tile != 0, look.Trans != 0, look.FrameCount, frame);
                if (FCloseBoxes) {
                    const RECT box = TabCloseBox(t);
                    qx::UniquePen pen(::CreatePen(PS_SOLID, 1, qx::ColorToRGB(look.NormalColour2)));
                    qx::SelectGuard selectPen(s, pen.get());
                    qx::SelectGuard selectBrush(s, ::GetStockObject(NULL_BRUSH));
                    ::Rectangle(s, box.left, box.top, box.right, box.bottom);
                    ::MoveToEx(s, box.left, box.top, nullptr);
                    ::LineTo(s, box.right, box.bottom);
                    ::MoveToEx(s, box.right - 1, box.top, nullptr);
                    ::LineTo(s, box.left - 1, box.bottom);
                    FCloseRects[static_cast<size_t>(i)] = map.ToControl(box);
                }
                ::SetTextColor(s, qx::ColorToRGB(frame == 2 ? look.MouseOverColour2 : look.NormalColour2));
                wchar_t text[81]{};
                TCITEMW info{};
                info.mask = TCIF_TEXT | TCIF_IMAGE;
                info.pszText = text;
                info.cchTextMax = 80;
                info.iImage = -1;
                ::SendMessageW(FWindow, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
                RECT caption = t;
                if (FCloseBoxes) caption.right -= 8;
                DrawTabCaption(s, caption, text, images, info.iImage, 1, enabled);
            }
        }
        ::GdiFlush();
        if (FPosition == 2) RotateBitmapLeft(strip);
        else if (FPosition == 3) RotateBitmapRight(strip);

        qx::DcStateGuard state(dc);
        if (FUpDown && ::IsWindowVisible(FUpDown->Window())) {
            RECT own{}, arrows{};
            ::GetWindowRect(FWindow, &own);
            ::GetWindowRect(FUpDown->Window(), &arrows);
            ::OffsetRect(&arrows, -own.left, -own.top);
            ::ExcludeClipRect(dc, arrows.left, arrows.top, arrows.right, arrows.bottom);
        }
        qx::BitmapDc source(strip);
        ::BitBlt(dc, map.Strip.left, map.Strip.top, map.Strip.right - map.Strip.left, map.Strip.bottom - map.Strip.top,
                 source.get(), 0, 0, SRCCOPY);
    }
    if (!FBorderImage.Empty()) DrawSkinEdges(dc, d, FBorderImage, RECT{4, 5, 4, 4}, false, 1, 1);
}
