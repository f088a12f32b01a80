// Skinned menu items: the MenuItem piece, the separator piece and the item content.
#include "skin/form/MenuItemPaint.h"

#include "framework/Handles.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"

#include <algorithm>
#include <array>

namespace {

// The popup's frame: the item's client coordinates lie this far inside the frame image.
constexpr int kFrameInset = 3;

COLORREF Rgb(qx::TColor c) { return qx::ColorToRGB(c); }

SIZE BitmapSize(qx::TBitmap& b) { return {b.Width(), b.Height()}; }

// The hatched box behind the image of a checked item: clBtnFace and clBtnHighlight alternating.
void FillCheckedBox(HDC dc, const RECT& box) {
    static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    qx::UniqueBitmap bits(::CreateBitmap(8, 8, 1, 1, pattern));
    qx::UniqueBrush brush(::CreatePatternBrush(bits.get()));
    const COLORREF oldText = ::SetTextColor(dc, ::GetSysColor(COLOR_BTNFACE));
    const COLORREF oldBack = ::SetBkColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    ::FillRect(dc, &box, brush.get());
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
    RECT edge = box;
    ::DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
}

// The system's check mark (a monochrome bitmap) in `colour`, transparent, centred in `box`
// and moved by (1, 1).
void DrawCheckMark(HDC dc, const RECT& box, COLORREF colour) {
    qx::UniqueBitmap check(::LoadBitmapW(nullptr, MAKEINTRESOURCEW(32760)));  // OBM_CHECK
    BITMAP info{};
    if (!check || !::GetObjectW(check.get(), sizeof(info), &info)) return;
    qx::UniqueMemDc source(::CreateCompatibleDC(dc));
    qx::SelectGuard bitmap(source.get(), check.get());
    qx::UniqueBrush brush(::CreateSolidBrush(colour));
    qx::SelectGuard pattern(dc, brush.get());
    const int x = box.left + (box.right - box.left - info.bmWidth) / 2 + 1;
    const int y = box.top + (box.bottom - box.top - info.bmHeight) / 2 + 1;
    const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
    // Where the mark's bit is 0 the brush, elsewhere the target stays (PSDPxax).
    ::BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, 0x00B8074A);
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
}

// A radio item's mark: a bullet in the text colour.
void DrawBullet(HDC dc, const RECT& box, COLORREF colour) {
    qx::UniqueBrush brush(::CreateSolidBrush(colour));
    qx::UniquePen pen(::CreatePen(PS_SOLID, 1, colour));
    qx::SelectGuard b(dc, brush.get());
    qx::SelectGuard p(dc, pen.get());
    const int cx = (box.left + box.right) / 2 + 1, cy = (box.top + box.bottom) / 2 + 1;
    ::Ellipse(dc, cx - 3, cy - 3, cx + 3, cy + 3);
}

COLORREF TextColour(const TMenuItemLook& look, const TSkinData& skin, bool selected) {
    if (look.Enabled) return Rgb(selected ? skin.HilightText : skin.MenuText);
    // A shadow colour equal to the text colour would hide that the item is disabled.
    return skin.ButtonShadow == skin.MenuText ? ::GetSysColor(COLOR_BTNSHADOW) : Rgb(skin.ButtonShadow);
}

// A bold copy of the DC's font, for the default item.
qx::UniqueFont BoldFontOf(HDC dc) {
    LOGFONTW lf{};
    if (!::GetObjectW(::GetCurrentObject(dc, OBJ_FONT), sizeof(lf), &lf)) return {};
    lf.lfWeight = FW_BOLD;
    return qx::UniqueFont(::CreateFontIndirectW(&lf));
}

// One off-screen bitmap for every item drawn on this thread: items are drawn one at a time, and
// a menu draws many.
qx::TBitmap& WorkBitmap(int w, int h) {
    thread_local qx::TBitmap work;
    work.SetPixelFormat(qx::TPixelFormat::pf32bit);
    if (work.Width() != w || work.Height() != h) work.SetSize(w, h);
    return work;
}

void FillColour(HDC dc, const RECT& r, COLORREF colour) {
    qx::UniqueBrush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &r, brush.get());
}

// The separator piece: frame 2 of the MenuItem image, its bottom rows when the image is taller
// than the item, as left end, stretched middle and right end, magenta transparent.
void DrawSeparatorPiece(HDC dc, const RECT& r, TDataSkinObject& image) {
    const int frameWidth = image.Bitmap.Width() / kMenuItemFrames;
    const int imageHeight = image.Bitmap.Height();
    const int rows = std::min<int>(imageHeight, r.bottom - r.top);
    if (frameWidth <= 0 || rows <= 0) return;
    qx::TBitmap piece;
    piece.SetPixelFormat(qx::TPixelFormat::pf24bit);
    piece.SetSize(frameWidth, rows);
    {
        qx::BitmapDc to(piece);
        qx::BitmapDc from(image.Bitmap);
        ::BitBlt(to.get(), 0, 0, frameWidth, rows, from.get(), frameWidth * (kMenuItemSeparator - 1), imageHeight - rows,
                 SRCCOPY);
    }
    const RECT ends{image.Margins.left, 0, image.Margins.right, 0};
    DrawSkinImage(dc, RECT{r.left, r.top, r.right, r.top + rows}, piece, ends, false, false, true, 1, 1);
}

}  // namespace

//--- looks

TMenuItemLook LookOf(qx::TMenuItem& item) {
    TMenuItemLook look;
    look.Caption = item.Caption();
    look.ShortCut = item.ShortCutText();
    look.Enabled = item.Enabled();
    look.Checked = item.Checked();
    look.Radio = item.RadioItem();
    look.Default = item.Default();
    look.ImageIndex = item.ImageIndex();
    if (qx::TMenu* menu = item.GetParentMenu()) {
        look.Images = menu->Images();
        look.RightToLeft = menu->IsRightToLeft();
    }
    return look;
}

TMenuItemLook NativeLook(HMENU menu, UINT command) {
    TMenuItemLook look;
    std::array<wchar_t, 81> text{};
    ::GetMenuStringW(menu, command, text.data(), 80, MF_BYCOMMAND);
    look.Caption = text.data();
    if (auto tab = look.Caption.find(L'\t'); tab != std::wstring::npos) {
        look.ShortCut = look.Caption.substr(tab + 1);
        look.Caption.resize(tab);
    }
    if (look.Caption.empty()) look.Caption = L"-";
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_STATE | MIIM_FTYPE;
    if (::GetMenuItemInfoW(menu, command, FALSE, &info)) {
        look.Enabled = (info.fState & 3) == 0;
        look.Checked = (info.fState & MFS_CHECKED) != 0;
        look.Default = (info.fState & MFS_DEFAULT) != 0;
        look.Radio = (info.fType & MFT_RADIOCHECK) != 0;
        look.RightToLeft = (info.fType & MFT_RIGHTORDER) != 0;
    }
    return look;
}

TDataSkinObject* MenuItemImage(const TSkinData& skin) {
    if (skin.NotLoaded() || !skin.MenuItem || skin.MenuItem->Bitmap.Empty()) return nullptr;
    return skin.MenuItem.get();
}

int SkinItemExtraWidth(const TSkinData& skin, bool hasImageList, bool subItem) {
    int extra = 0;
    if (TDataSkinObject* image = MenuItemImage(skin)) extra += image->Margins.left;
    if (subItem) return extra + 10 + (hasImageList ? 0 : 25);
    return extra + 12 + (hasImageList ? 0 : 23);
}

//--- the content

void DrawMenuItemContent(HDC dc, const RECT& r, const TMenuItemLook& look, const TSkinData& skin, bool selected) {
    const TDataSkinObject* image = MenuItemImage(skin);
    const int margin = image ? image->Margins.left : 0;
    int g = look.Images ? look.Images->Width() : 16;
    if (look.Checked) g = std::max(g, 16);
    const bool line = look.IsLine();
    RECT glyph{};
    if (!line) {
        glyph.top = r.top + 1;
        glyph.bottom = glyph.top + g;
        glyph.left = look.RightToLeft ? r.right - 1 - margin - g : r.left + 1 + margin;
        glyph.right = glyph.left + g;
    } else {
        glyph = RECT{r.left + 1 + margin, r.top, r.left + 1 + margin, r.top};
    }
    const COLORREF text = TextColour(look, skin, selected);
    if (!line && look.HasImage()) {
        if (look.Checked) FillCheckedBox(dc, glyph);
        qx::TCanvas canvas;
        canvas.SetHandle(dc);
        look.Images->Draw(canvas, glyph.left, glyph.top, look.ImageIndex, look.Enabled);
        canvas.SetHandle(nullptr);
    } else if (!line && look.Checked) {
        if (look.Radio) DrawBullet(dc, glyph, text);
        else DrawCheckMark(dc, glyph, ::GetSysColor(COLOR_BTNTEXT));
    }

    RECT textRect = look.RightToLeft ? RECT{r.left + 1, r.top, glyph.left - 3, r.bottom}
                                     : RECT{glyph.right + 3, r.top, r.right - 1, r.bottom};
    if (line) {
        RECT etched{textRect.left, textRect.top + 4, textRect.right, textRect.top + 6};
        ::DrawEdge(dc, &etched, EDGE_ETCHED, BF_TOP);
        return;
    }
    qx::UniqueFont bold = look.Default ? BoldFontOf(dc) : qx::UniqueFont();
    qx::SelectGuard font(dc, bold.get());
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(dc, text);
    // An empty caption, or a lone "&", is measured as if a space followed.
    std::wstring measured = look.Caption;
    if (measured.empty() || measured == L"&") measured += L" ";
    RECT size = textRect;
    const UINT align = look.RightToLeft ? DT_RIGHT : 0;
    ::DrawTextW(dc, measured.c_str(), -1, &size, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE | align);
    const int height = size.bottom - size.top, width = size.right - size.left;
    RECT caption = textRect;
    caption.top = r.top + (r.bottom - r.top - height) / 2;
    caption.bottom = caption.top + height;
    ::DrawTextW(dc, look.Caption.c_str(), -1, &caption, DT_EXPANDTABS | DT_SINGLELINE | align);
    if (!look.ShortCut.empty()) {
        RECT keys = look.RightToLeft ? RECT{r.left + 11, caption.top, textRect.right - width, caption.bottom}
                                     : RECT{textRect.left + width, caption.top, r.right - 11, caption.bottom};
        ::DrawTextW(dc, look.ShortCut.c_str(), -1, &keys, DT_SINGLELINE | DT_NOPREFIX | (look.RightToLeft ? DT_LEFT : DT_RIGHT));
    }
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
}

//--- whole items

void DrawSkinMenuItem(HDC target, const RECT& r, const TMenuItemLook& look, const TSkinData& skin, bool selected,
                      qx::TBitmap* frame, HFONT font, bool everyPiece) {
    TDataSkinObject* image = MenuItemImage(skin);
    if (!image) return DrawPlainMenuItem(target, r, look, skin, selected, font);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    qx::BitmapDc dc(WorkBitmap(w, h));
    const RECT rel{0, 0, w, h};
    FillColour(dc.get(), rel, Rgb(skin.Menu));
    if (frame && !frame->Empty()) {
        // The popup's own background behind the item: its frame image, 3 pixels in.
        qx::BitmapDc back(*frame);
        const SIZE fs = BitmapSize(*frame);
        const int cw = std::min<int>(w, fs.cx - (r.left + kFrameInset));
        const int ch = std::min<int>(h, fs.cy - (r.top + kFrameInset));
        if (cw > 0 && ch > 0) ::BitBlt(dc.get(), 0, 0, cw, ch, back.get(), r.left + kFrameInset, r.top + kFrameInset, SRCCOPY);
    }
    if (look.IsLine() && !everyPiece) {
        ::BitBlt(target, r.left, r.top, w, h, dc.get(), 0, 0, SRCCOPY);
        DrawSeparatorPiece(target, r, *image);
        return;
    }
    const int k = selected ? kMenuItemSelected : kMenuItemNormal;
    DrawSkinImage(dc.get(), rel, image->Bitmap, image->Margins, false, image->Tile != 0, image->Trans != 0,
                  kMenuItemFrames, k);
    {
        qx::SelectGuard f(dc.get(), font);
        DrawMenuItemContent(dc.get(), rel, look, skin, selected);
    }
    ::BitBlt(target, r.left, r.top, w, h, dc.get(), 0, 0, SRCCOPY);
}

void DrawPlainMenuItem(HDC target, const RECT& r, const TMenuItemLook& look, const TSkinData& skin, bool selected,
                       HFONT font) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    qx::BitmapDc dc(WorkBitmap(w, h));
    const RECT rel{0, 0, w, h};
    FillColour(dc.get(), rel, Rgb(selected ? skin.Hilight : skin.Menu));
    {
        qx::SelectGuard f(dc.get(), font);
        DrawMenuItemContent(dc.get(), rel, look, skin, selected);
    }
    ::BitBlt(target, r.left, r.top, w, h, dc.get(), 0, 0, SRCCOPY);
}
