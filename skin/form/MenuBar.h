// The skinned menu bar: TWinSkinMenu takes a window's native menu bar over (one TMenuBtn per
// top-level item), removes it from the window and draws it in the menu band under the caption
// from the skin's MenuBar image, wrapping to more rows when the items do not fit. A button
// opens its item's submenu with TrackPopupMenu; while that is open a thread message-filter
// hook moves to the neighbouring menus with the arrow keys or when the mouse passes over
// another button (MenuTracking.cpp).
#pragma once

#include "framework/Bitmap.h"
#include "framework/Menus.h"
#include "skin/form/CaptionButtons.h"

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

class TSkinData;
class TWinSkinForm;
class TWinSkinMenu;
class TSkinMenuItems;

class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TWinSkinForm* form, TWinSkinMenu& bar) : TNCObject(form), FBar(bar) {}
    // Draws the button in its state straight onto the window.
    void Paint() override;
    // The same into a device context in window coordinates; without the background when it is
    // there already.
    void PaintTo(HDC dc, bool withBackground = true);

    qx::TMenuItem* FItem = nullptr;
    int FIndex = 0;
    std::wstring FCaption;
    bool FEnabled = true;
    HMENU FSubMenu = nullptr;
    UINT FCommand = 0;
    int FCaptionWidth = 0;  // DT_CALCRECT width of the caption in the menu font
    int FTextWidth = 0;     // its text extent, "&" counted

private:
    TWinSkinMenu& FBar;
};

// Where the buttons of a bar go: each button's width (caption + 10) and caption width, the band,
// the start offset and the row height; hidden buttons get an empty rectangle.
struct TBarButtonSize {
    int Width = 0;
    int CaptionWidth = 0;
    bool Visible = true;
};
struct TBarLayout {
    std::vector<RECT> Rects;
    int Rows = 1;
};
// Left to right, a button that would pass the band's right edge starts a new row (unless it is
// the first of its row); right to left, the buttons go from the right edge without wrapping.
TBarLayout LayoutMenuBar(const std::vector<TBarButtonSize>& buttons, const RECT& band, int start, int rowHeight,
                         bool rightToLeft);

// The first accelerator character of a caption ("&File" → 'F'; "&&" is a plain ampersand); 0
// when it has none.
wchar_t AcceleratorOf(const std::wstring& caption);

class TWinSkinMenu {
public:
    explicit TWinSkinMenu(TWinSkinForm& form);
    ~TWinSkinMenu();
    TWinSkinMenu(const TWinSkinMenu&) = delete;
    TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

    // Reads the window's menu bar into buttons and takes it off the window.
    void Build();
    // A new frame menu of an MDI parent.
    void BuildFromMDIMenu(HMENU menu);
    // Gives the window its native menu back, its items as they were.
    void Restore();

    // Forgets the painted background and the measured captions (the skin changed).
    void Invalidate();
    // The band at `band` (window coordinates) into `dc`; the band's height follows the rows.
    void PaintBar(HDC dc, const RECT& band);
    // The first button with a caption whose rectangle holds the window point.
    TMenuBtn* ButtonAt(POINT pt);
    // The first enabled, visible button whose caption has `ch` as its accelerator.
    TMenuBtn* FindAccelerator(wchar_t ch);
    // Opens the button's submenu and returns once it closed; false when none was shown.
    bool OpenMenu(TMenuBtn* button);
    // Posts a click on the button, which opens its menu.
    void ClickButton(TMenuBtn* button);
    // WM_MENUSELECT of the open menu (sent to the window).
    void MenuSelect(WPARAM wParam, LPARAM lParam);

    const std::vector<std::unique_ptr<TMenuBtn>>& Buttons() const { return FButtons; }
    TWinSkinForm& Form() const { return FForm; }
    TSkinData* SkinData() const;
    qx::TMenu* Menu() const { return FMenu; }
    HMENU MenuHandle() const { return FMenuHandle; }
    RECT BarRect() const { return FBarRect; }
    qx::TBitmap& Background() { return FBackground; }
    bool RightToLeft() const;
    HFONT Font() const;

private:
    void Clear();
    void RenderBackground(TSkinData& skin, int w, int h, bool active);
    void LayOut(const RECT& band);
    void AddButton(int index, HMENU menu, bool fromMdi);
    void TidySeparators(qx::TMenuItem& item);
    void MakeOwnerDrawn(HMENU menu);
    void RestoreOwnerDrawn();

    TWinSkinForm& FForm;
    std::vector<std::unique_ptr<TMenuBtn>> FButtons;
    int FCount = 0;
    qx::TMenu* FMenu = nullptr;
    HMENU FMenuHandle = nullptr;
    RECT FBarRect{};
    qx::TBitmap FBackground;  // the band without buttons
    bool FBackActive = false;
    const TSkinData* FBackSkin = nullptr;
    int FStart = 6;           // where the first button begins
    bool FMeasured = false;
    RECT FLayoutBand{};       // the band the buttons were laid out for
    int FRows = 1;
    qx::TBitmap FComposed;          // the band with its buttons as last painted
    std::vector<int> FComposedLook;  // each button's state and enabled flag in it
    // Items this bar made owner-drawn, to give back plain on Restore.
    std::vector<std::pair<HMENU, UINT>> FOwnerDrawn;
};

// Whether a message-filter hook of the menu bar is installed now (tests).
bool MenuBarHookInstalled();
