// The skinned menu bar: reading the window's menu bar, laying the buttons out in rows, painting
// the band and the buttons, and giving the native menu back.
#include "skin/form/MenuBar.h"

#include "framework/Forms.h"
#include "framework/Handles.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"
#include "skin/form/SkinFormHost.h"
#include "skin/form/SkinMenuItems.h"
#include "skin/form/WinSkinForm.h"

#include <array>
#include <cwctype>

namespace {

COLORREF Rgb(qx::TColor c) { return qx::ColorToRGB(c); }

// A caption centred in a rectangle, single line, "&" underlining the next character; a disabled
// caption in the system's button-shadow colour.
void DrawCentredCaption(HDC dc, const RECT& r, const std::wstring& caption, COLORREF colour, bool enabled) {
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(dc, enabled ? colour : ::GetSysColor(COLOR_BTNSHADOW));
    RECT at = r;
    ::DrawTextW(dc, caption.c_str(), -1, &at, DT_EXPANDTABS | DT_SINGLELINE | DT_CENTER | DT_VCENTER);
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
void TMenuBtn::PaintTo(HDC dc, bool withBackground) {
    TSkinData* skin = FBar.SkinData();
    if (!skin || FRect.right <= FRect.left) return;
    const RECT bar = FBar.BarRect();
    qx::TBitmap& back = FBar.Background();
    if (withBackground && !back.Empty())
        ::BitBlt(dc, FRect.left, FRect.top, FRect.right - FRect.left, FRect.bottom - FRect.top, back.Canvas().Handle(),
                 FRect.left - bar.left, FRect.top - bar.top, SRCCOPY);
    if (FState == kFramePressed || FState == kFrameHot) {
        qx::UniqueBrush frame(::CreateSolidBrush(Rgb(skin->ButtonHilight)));
        ::FrameRect(dc, &FRect, frame.get());
    }
    qx::SelectGuard font(dc, FBar.Font());
    DrawCentredCaption(dc, FRect, FCaption, Rgb(FEnabled ? skin->MenuBarText : skin->ButtonShadow), FEnabled);
}

//--- TWinSkinMenu

TFormMenus::TFormMenus() = default;
TFormMenus::~TFormMenus() = default;

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
    FMeasured = false;
    FLayoutBand = RECT{};
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

// The band's background (the MenuBar image in the active or inactive frame, or the menu-bar
// colour) is kept until the band's size, the activation or the skin changes; each paint then
// lays the buttons out, composes background and buttons off-screen and copies them in one go.
void TWinSkinMenu::PaintBar(HDC dc, const RECT& band) {
    TSkinData* skin = SkinData();
    const int w = band.right - band.left, h = band.bottom - band.top;
    if (!skin || w <= 0 || h <= 0) return;
    const bool active = FForm.Active();
    if (FBackground.Width() != w || FBackground.Height() != h || FBackActive != active || FBackSkin != skin) {
        RenderBackground(*skin, w, h, active);
        FLayoutBand = RECT{};
    }
    FBarRect = band;
    if (!::EqualRect(&FLayoutBand, &band)) LayOut(band);

    // The band follows its rows: a new height takes effect through a frame change, whose paint
    // draws the band again at its new size.
    const int height = ::GetSystemMetrics(SM_CYMENU) * FRows;
    if (height != FForm.Metrics().Menu) {
        FForm.SetMenuBandHeight(height);
        FForm.RefreshFrame();
        return;
    }
    // The band with its buttons is composed again only when a button's look changed; a repaint
    // is then one copy.
    std::vector<int> look;
    for (const auto& b : FButtons) look.push_back(b->FVisible ? (b->FState << 1) | (b->FEnabled ? 1 : 0) : -1);
    const bool mdiButtons = FForm.MdiChildMaximizedInBand();
    look.push_back(mdiButtons);
    if (look != FComposedLook || FComposed.Width() != w || FComposed.Height() != h) {
        FComposed.SetPixelFormat(qx::TPixelFormat::pf32bit);
        FComposed.SetSize(w, h);
        HDC composed = FComposed.Canvas().Handle();
        ::BitBlt(composed, 0, 0, w, h, FBackground.Canvas().Handle(), 0, 0, SRCCOPY);
        ::SetViewportOrgEx(composed, -band.left, -band.top, nullptr);
        for (const auto& b : FButtons)
            if (b->FVisible) b->PaintTo(composed, false);
        // A maximised MDI child's buttons sit in the band, at the places the caption layout gave.
        if (mdiButtons)
            for (const auto& cb : FForm.Buttons())
                if (cb->FData->Visibility == 100 && cb->FVisible && !cb->FData->Bitmap.Empty())
                    DrawSkinFrame(composed, cb->FRect, cb->FData->Bitmap, true, cb->FData->FrameCount, 1);
        ::SetViewportOrgEx(composed, 0, 0, nullptr);
        FComposedLook = std::move(look);
    }
    ::BitBlt(dc, band.left, band.top, w, h, FComposed.Canvas().Handle(), 0, 0, SRCCOPY);
    if (mdiButtons && !MenuActive()) SetMenuActive(true);
}

void TWinSkinMenu::Invalidate() {
    FBackground.SetSize(0, 0);
    FComposedLook.clear();
    FBackSkin = nullptr;
    FMeasured = false;
    FLayoutBand = RECT{};
}

void TWinSkinMenu::RenderBackground(TSkinData& skin, int w, int h, bool active) {
    const RECT rel{0, 0, w, h};
    FBackground.SetPixelFormat(qx::TPixelFormat::pf32bit);
    FBackground.SetSize(w, h);
    FStart = 6;
    TDataSkinObject* image = skin.MenuBar && !skin.MenuBar->Bitmap.Empty() ? skin.MenuBar.get() : nullptr;
    qx::TCanvas& canvas = FBackground.Canvas();
    if (image) {
        const int frame = active ? 1 : 2;
        if (image->Tile == 1) DrawSkinImage(canvas.Handle(), rel, image->Bitmap, image->Margins, true, false, false, 2, frame);
        else DrawSkinStrip(canvas, rel, image->Bitmap, image->Margins, frame, 2, false, true);
        FStart = RightToLeft() ? image->Margins.right + 8 : image->Margins.left + 4;
        if (w < FStart) FStart = 12;
    } else {
        canvas.Brush().SetColor(skin.MenubarColour);
        canvas.FillRect(rel);
    }
    FBackActive = active;
    FBackSkin = &skin;
    FComposedLook.clear();
}

// Each button's width counts from the band's left edge (caption + 10 + the band's left edge),
// as the bar always measured it; captions are measured once per build.
void TWinSkinMenu::LayOut(const RECT& band) {
    if (!FMeasured) {
        qx::WindowDc screen(nullptr);
        qx::SelectGuard font(screen.get(), Font());
        for (const auto& b : FButtons) {
            RECT r{0, 0, 0, 0};
            ::DrawTextW(screen.get(), b->FCaption.c_str(), -1, &r, DT_CALCRECT | DT_NOCLIP);
            b->FCaptionWidth = r.right;
            SIZE extent{};
            ::GetTextExtentPoint32W(screen.get(), b->FCaption.c_str(), static_cast<int>(b->FCaption.size()), &extent);
            b->FTextWidth = extent.cx;
        }
        FMeasured = true;
    }
    std::vector<TBarButtonSize> sizes;
    for (const auto& b : FButtons) {
        const int right = band.left + b->FCaptionWidth;
        sizes.push_back({right > 0 ? right + 10 : right, b->FTextWidth, b->FVisible});
    }
    const TBarLayout layout = LayoutMenuBar(sizes, band, FStart, ::GetSystemMetrics(SM_CYMENU), RightToLeft());
    for (size_t i = 0; i < FButtons.size(); ++i) FButtons[i]->FRect = layout.Rects[i];
    FRows = layout.Rows;
    FLayoutBand = band;
    FComposedLook.clear();
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
