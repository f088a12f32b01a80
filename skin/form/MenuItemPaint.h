// Drawing one owner-drawn menu item from the skin: the item's MenuItem piece (normal or selected
// frame) over the background of the menu window's skinned frame, then its content (glyph or
// check mark, caption, shortcut); separators get the image's separator piece. Without a
// MenuItem image the item is drawn plainly in the skin's menu colours. Painting is a function
// of (look, skin, target, rectangle): where the item came from is the callers' concern.
#pragma once

#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"

#include <string>
#include <windows.h>

class TSkinData;

// What one menu item shows.
struct TMenuItemLook {
    std::wstring Caption;   // "&" marks the accelerator; "-" is a separator
    std::wstring ShortCut;  // drawn right-aligned
    bool Enabled = true;
    bool Checked = false;
    bool Radio = false;
    bool Default = false;
    qx::TImageList* Images = nullptr;
    int ImageIndex = -1;
    bool RightToLeft = false;
    bool IsLine() const { return Caption == L"-"; }
    bool HasImage() const { return Images && ImageIndex >= 0 && ImageIndex < Images->Count(); }
};

// The look of a framework item (its menu's images and reading order).
TMenuItemLook LookOf(qx::TMenuItem& item);
// The look of a native item by command: its text (split at a tab into caption and shortcut,
// "-" when empty), enabled unless grayed or disabled, checked.
TMenuItemLook NativeLook(HMENU menu, UINT command);

// The skin's MenuItem image when it has pixels, else null.
class TDataSkinObject;
TDataSkinObject* MenuItemImage(const TSkinData& skin);

// Frames of the MenuItem image (5 side by side).
inline constexpr int kMenuItemFrames = 5;
inline constexpr int kMenuItemNormal = 1;
inline constexpr int kMenuItemSeparator = 2;
inline constexpr int kMenuItemSelected = 4;

// The item drawn at `r` of `target` in `font`. `frame`: the frame image of the menu window
// showing the item (its client lies 3 pixels in), or null for the Menu colour. `everyPiece`:
// separators too get the MenuItem piece and the content (items of native menus).
void DrawSkinMenuItem(HDC target, const RECT& r, const TMenuItemLook& look, const TSkinData& skin, bool selected,
                      qx::TBitmap* frame, HFONT font, bool everyPiece = false);
// Without a MenuItem image: Hilight or Menu behind the content.
void DrawPlainMenuItem(HDC target, const RECT& r, const TMenuItemLook& look, const TSkinData& skin, bool selected,
                       HFONT font);
// The content alone (glyph, caption, shortcut; an etched line for a separator) on `dc` in its
// current font.
void DrawMenuItemContent(HDC dc, const RECT& r, const TMenuItemLook& look, const TSkinData& skin, bool selected);

// Extra width the skinned item needs beyond the framework's own measure.
int SkinItemExtraWidth(const TSkinData& skin, bool hasImageList, bool subItem);
