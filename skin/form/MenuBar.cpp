// The skinned menu bar: reading the window's menu bar, laying the buttons out in rows, painting
// the band and the buttons, and giving the native menu back.
#include "skin/form/MenuBar.h"

#include "framework/Forms.h"
#include "framework/Handles.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"
#include "skin/form/SkinMenuItems.h"
#include "skin/form/WinSkinForm.h"

#include <array>
#include <cwctype>

namespace {

COLORREF Rgb(qx::TColor c) { return qx::ColorToRGB(c); }

// A caption centred in a rectangle, single line, "&" underlining the next character.
void DrawCentredCaption(HDC dc, const RECT& r, const std::wstring& caption, COLORREF colour, bool enabled) {
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    RECT size = r;
    ::DrawTextW(dc, caption.c_str(), -1, &size, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE | DT_CENTER);
    const int dx = ((r.right - r.left) - (size.right - size.left)) / 2;
    const int dy = ((r.bottom - r.top) - (size.bottom - size.top)) / 2;
    RECT at{r.left + dx, r.top + dy, r.left + dx + (size.right - size.left), r.top + dy + (size.bottom - size.top)};
    const COLORREF oldColour = ::SetTextColor(dc, enabled ? colour : ::GetSysColor(COLOR_BTNSHADOW));
    ::DrawTextW(dc, caption.c_str(), -1, &at, DT_EXPANDTABS | DT_SINGLELINE | DT_CENTER);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
}

}  // namespace

//--- layout

TBarLayout LayoutMenuBar(const std::vector<TBarButtonSize>& buttons, const RECT& band, int start, int rowHeight,
                         bool rightToLeft) {
    TBarLayout layout;
    layout.Rects.resize(buttons.size());
    if (rightToLeft) {
        int right = (band.right - band.left) - start;
        for (size_t i = 0; i < buttons.size(); ++i) {
            if (!buttons[i].Visible) continue;
            layout.Rects[i] = RECT{band.left + right - buttons[i].Width, band.top, band.left + right, band.bottom - 1};
            right -= buttons[i].Width;
        }
        return layout;
    }
    int x = start, row = 0;
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (!buttons[i].Visible) continue;
        // The band's right edge is compared in window coordinates, as the bar always did; a
        // button that is first on its row stays there, so no row is ever left empty.
        if (x + buttons[i].CaptionWidth > band.right && x != start) {
            ++row;
            x = start;
        }
        layout.Rects[i] = RECT{band.left + x, band.top + row * rowHeight, band.left + x + buttons[i].Width,
                               band.top + (row + 1) * rowHeight - 1};
        x += buttons[i].Width;
    }
    layout.Rows = row + 1;
    return layout;
}

wchar_t AcceleratorOf(const std::wstring& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

//--- TMenuBtn

void TMenuBtn::Paint() {
    qx::WindowDc window(FForm->Handle(), true);
    if (window.get()) PaintTo(window.get());
}

// The band behind the button from the saved background, a frame in ButtonHilight when hot or
// pressed, and the caption.
void TMenuBtn::PaintTo(HDC dc) {
    TSkinData* skin = FBar.SkinData();
    if (!skin || FRect.right <= FRect.left) return;
    const RECT bar = FBar.BarRect();
    qx::TBitmap& back = FBar.Background();
    if (!back.Empty()) {
        qx::BitmapDc from(back);
        ::BitBlt(dc, FRect.left, FRect.top, FRect.right - FRect.left, FRect.bottom - FRect.top, from.get(),
                 FRect.left - bar.left, FRect.top - bar.top, SRCCOPY);
    }
    if (FState == kFramePressed || FState == kFrameHot) {
        qx::UniqueBrush frame(::CreateSolidBrush(Rgb(skin->ButtonHilight)));
        ::FrameRect(dc, &FRect, frame.get());
    }
    qx::SelectGuard font(dc, FBar.Font());
    DrawCentredCaption(dc, FRect, FCaption, Rgb(FEnabled ? skin->MenuBarText : skin->ButtonShadow), FEnabled);
}

//--- TWinSkinMenu

TMenuBarPart::TMenuBarPart() = default;
TMenuBarPart::~TMenuBarPart() = default;

TWinSkinMenu::TWinSkinMenu(TWinSkinForm& form) : FForm(form) {}

TSkinData* TWinSkinMenu::SkinData() const { return FForm.SkinData(); }

bool TWinSkinMenu::RightToLeft() const { return FMenu ? FMenu->IsRightToLeft() : FForm.RightToLeft(); }

HFONT TWinSkinMenu::Font() const { return qx::Screen ? qx::Screen->MenuFont()->Handle() : nullptr; }

void TWinSkinMenu::Clear() {
    if (FForm.HotObject() && std::any_of(FButtons.begin(), FButtons.end(),
                                         [&](const auto& b) { return b.get() == FForm.HotObject(); }))
        FForm.SetHotObject(nullptr);
    FButtons.clear();
    FCount = 0;
}

void TWinSkinMenu::Build() {
    HWND wnd = FForm.Handle();
    if (HMENU menu = ::GetMenu(wnd)) FMenuHandle = menu;
    if (!FMenuHandle) return;
    if (qx::TCustomForm* form = FForm.Form()) {
        if (!form->Menu()) {
            Clear();
            return;
        }
        FMenu = form->Menu();
    }
    Clear();
    FCount = ::GetMenuItemCount(FMenuHandle);
    for (int i = 0; i < FCount; ++i) AddButton(i, FMenuHandle, false);
    ::SetMenu(wnd, nullptr);
}

void TWinSkinMenu::BuildFromMDIMenu(HMENU menu) {
    if (!menu) return;
    FMenuHandle = menu;
    Clear();
    FCount = ::GetMenuItemCount(FMenuHandle);
    for (int i = 0; i < FCount; ++i) AddButton(i, FMenuHandle, true);
    ::SetMenu(FForm.Handle(), nullptr);
}

void TWinSkinMenu::AddButton(int index, HMENU menu, bool fromMdi) {
    std::array<wchar_t, 81> text{};
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text.data();
    info.cch = 80;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info)) return;
    auto button = std::make_unique<TMenuBtn>(&FForm, *this);
    button->FIndex = index;
    button->FSubMenu = info.hSubMenu;
    button->FEnabled = (info.fState & 3) == 0;
    button->FVisible = true;
    button->FCommand = info.wID;
    button->FCaption = text.data();
    // The framework item behind it has the caption as the program wrote it; an MDI frame menu
    // keeps its native values unless it has no text.
    qx::TMenuItem* item = FMenu ? FMenu->Items()->Find(info.wID) : nullptr;
    if (item && (!fromMdi || button->FCaption.empty())) {
        button->FCaption = item->Caption();
        button->FEnabled = item->Enabled();
        button->FItem = item;
        button->FCommand = item->Command();
        button->FSubMenu = item->Count() > 0 ? item->Handle() : nullptr;
    }
    FButtons.push_back(std::move(button));
}

void TWinSkinMenu::Restore() {
    HWND wnd = FForm.Handle();
    RestoreOwnerDrawn();
    if (!wnd || !::IsWindow(wnd)) return;
    if (auto* bar = dynamic_cast<qx::TMainMenu*>(FMenu)) ::SetMenu(wnd, bar->Handle());
    else if (FMenuHandle && ::IsMenu(FMenuHandle)) ::SetMenu(wnd, FMenuHandle);
}

//--- painting

void TWinSkinMenu::PaintBar(HDC dc, const RECT& band) {
    TSkinData* skin = SkinData();
    const int w = band.right - band.left, h = band.bottom - band.top;
    if (!skin || w <= 0 || h <= 0) return;
    const RECT rel{0, 0, w, h};
    FWork.SetPixelFormat(qx::TPixelFormat::pf24bit);
    FWork.SetSize(w, h);
    const bool rtl = RightToLeft();
    int start = 6;
    TDataSkinObject* image = skin->MenuBar && !skin->MenuBar->Bitmap.Empty() ? skin->MenuBar.get() : nullptr;
    {
        qx::TCanvas& canvas = FWork.Canvas();
        if (image) {
            const int frame = FForm.Active() ? 1 : 2;
            if (image->Tile == 1)
                DrawSkinImage(canvas.Handle(), rel, image->Bitmap, image->Margins, true, false, false, 2, frame);
            else
                DrawSkinStrip(canvas, rel, image->Bitmap, image->Margins, frame, 2, false, true);
            start = rtl ? image->Margins.right + 8 : image->Margins.left + 4;
            if (w < start) start = 12;
        } else {
            canvas.Brush().SetColor(skin->MenubarColour);
            canvas.FillRect(rel);
        }
    }
    FBarRect = band;

    // Measure: the width of a button counts from the band's left edge, as the bar always did.
    HDC work = FWork.Canvas().Handle();
    qx::SelectGuard font(work, Font());
    const int rowHeight = ::GetSystemMetrics(SM_CYMENU);
    std::vector<TBarButtonSize> sizes;
    for (const auto& b : FButtons) {
        TBarButtonSize s;
        s.Visible = b->FVisible;
        RECT r{band.left, 0, band.left, 0};
        ::DrawTextW(work, b->FCaption.c_str(), -1, &r, DT_CALCRECT | DT_NOCLIP);
        s.Width = r.right > 0 ? r.right + 10 : r.right;
        SIZE extent{};
        ::GetTextExtentPoint32W(work, b->FCaption.c_str(), static_cast<int>(b->FCaption.size()), &extent);
        s.CaptionWidth = extent.cx;
        sizes.push_back(s);
    }
    const TBarLayout layout = LayoutMenuBar(sizes, band, start, rowHeight, rtl);
    for (size_t i = 0; i < FButtons.size(); ++i) FButtons[i]->FRect = layout.Rects[i];
    if (rtl) {
        // Right to left the captions go into the band itself.
        for (const auto& b : FButtons) {
            if (!b->FVisible) continue;
            RECT at = b->FRect;
            ::OffsetRect(&at, -band.left, -band.top);
            at.bottom = h - 1;
            DrawCentredCaption(work, at, b->FCaption, Rgb(b->FEnabled ? skin->MenuBarText : skin->ButtonShadow), b->FEnabled);
        }
    }
    FBackground.Assign(&FWork);

    // The band follows its rows: a new height takes effect through a frame change, whose paint
    // draws the band again at its new size.
    const int height = rowHeight * layout.Rows;
    if (height != FForm.Metrics().Menu) {
        FForm.SetMenuBandHeight(height);
        FForm.RefreshFrame();
        return;
    }
    ::BitBlt(dc, band.left, band.top, w, h, work, 0, 0, SRCCOPY);
    for (const auto& b : FButtons)
        if (b->FVisible) b->PaintTo(dc);
}

//--- lookups

TMenuBtn* TWinSkinMenu::ButtonAt(POINT pt) {
    for (const auto& b : FButtons)
        if (!b->FCaption.empty() && ::PtInRect(&b->FRect, pt)) return b.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::FindAccelerator(wchar_t ch) {
    if (!ch) return nullptr;
    for (const auto& b : FButtons)
        if (b->FEnabled && b->FVisible && std::towupper(AcceleratorOf(b->FCaption)) == std::towupper(ch)) return b.get();
    return nullptr;
}
