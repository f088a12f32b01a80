#include "Buttons.h"

#include "Forms.h"

#include <algorithm>

namespace qx {

const std::vector<std::wstring>& ButtonLayoutNames() {
    static const std::vector<std::wstring> names{L"blGlyphLeft", L"blGlyphRight", L"blGlyphTop", L"blGlyphBottom"};
    return names;
}

//--- glyph and caption layout

TGlyphLayout LayoutGlyphButton(const RECT& client, SIZE glyph, SIZE text, TButtonLayout layout, int margin, int spacing) {
    const int cw = client.right - client.left, ch = client.bottom - client.top;
    const bool horizontal = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
    const int axis = horizontal ? cw : ch;
    const int g = horizontal ? glyph.cx : glyph.cy;
    const int t = horizontal ? text.cx : text.cy;
    if (glyph.cx == 0 || text.cx == 0) spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (axis - g - t) / 3;
            spacing = margin;
        } else {
            margin = (axis - (g + spacing + t)) / 2;
        }
    } else if (spacing == -1) {
        spacing = (axis - margin - g - t) / 2;
    }
    TGlyphLayout out;
    POINT textPos{};
    if (horizontal) {
        out.GlyphPos.y = (ch - glyph.cy + 1) / 2;
        textPos.y = (ch - text.cy + 1) / 2;
        if (layout == TButtonLayout::blGlyphLeft) {
            out.GlyphPos.x = margin;
            textPos.x = margin + glyph.cx + spacing;
        } else {
            out.GlyphPos.x = cw - margin - glyph.cx;
            textPos.x = out.GlyphPos.x - spacing - text.cx;
        }
    } else {
        out.GlyphPos.x = (cw - glyph.cx + 1) / 2;
        textPos.x = (cw - text.cx + 1) / 2;
        if (layout == TButtonLayout::blGlyphTop) {
            out.GlyphPos.y = margin;
            textPos.y = margin + glyph.cy + spacing;
        } else {
            out.GlyphPos.y = ch - margin - glyph.cy;
            textPos.y = out.GlyphPos.y - spacing - text.cy;
        }
    }
    out.GlyphPos.x += client.left;
    out.GlyphPos.y += client.top;
    out.TextRect = {client.left + textPos.x, client.top + textPos.y, client.left + textPos.x + text.cx,
                    client.top + textPos.y + text.cy};
    return out;
}

void DrawGlyphImage(HDC dc, int x, int y, TBitmap& glyph, int count, int index) {
    if (glyph.Empty()) return;
    count = std::max(1, count);
    const int w = glyph.Width() / count, h = glyph.Height();
    if (w <= 0 || h <= 0) return;
    index = std::clamp(index, 0, count - 1);
    const COLORREF key = ColorToRGB(glyph.Pixel(0, h - 1));
    BitmapDc source(glyph);
    ::TransparentBlt(dc, x, y, w, h, source.get(), w * index, 0, w, h, key);
}

namespace {

SIZE GlyphSize(TBitmap& glyph, int count) {
    if (glyph.Empty()) return {0, 0};
    return {glyph.Width() / std::max(1, count), glyph.Height()};
}

SIZE CaptionSize(HDC dc, const std::wstring& caption, const RECT& area) {
    if (caption.empty()) return {0, 0};
    RECT r = area;
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT | DT_WORDBREAK);
    return {r.right - r.left, r.bottom - r.top};
}

void DrawCaption(HDC dc, const std::wstring& caption, RECT r, bool enabled, TColor colour) {
    if (caption.empty()) return;
    const int mode = ::SetBkMode(dc, TRANSPARENT);
    if (!enabled) {
        // The engraved look of disabled text: highlight one pixel down and right, shadow on top.
        ::OffsetRect(&r, 1, 1);
        ::SetTextColor(dc, ColorToRGB(clBtnHighlight));
        ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CENTER | DT_WORDBREAK);
        ::OffsetRect(&r, -1, -1);
        colour = clBtnShadow;
    }
    ::SetTextColor(dc, ColorToRGB(colour));
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CENTER | DT_WORDBREAK);
    ::SetBkMode(dc, mode);
}

}  // namespace

//--- TBitBtn

QX_DEFINE_CLASS(TBitBtn, TButton, b) {
    b.Object(L"Glyph", [](TBitBtn& c) -> TObject* { return c.Glyph(); },
             [](TBitBtn& c, TObject* v) { c.SetGlyph(dynamic_cast<TBitmap*>(v)); });
    b.Integer(L"NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs);
    b.Enum<TButtonLayout>(L"Layout", ButtonLayoutNames(), &TBitBtn::Layout, &TBitBtn::SetLayout);
    b.Integer(L"Margin", &TBitBtn::Margin, &TBitBtn::SetMargin);
    b.Integer(L"Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing);
    b.Object(L"Images", [](TBitBtn& c) -> TObject* { return c.Images(); },
             [](TBitBtn& c, TObject* v) { c.SetImages(dynamic_cast<TImageList*>(v)); });
    b.Integer(L"ImageIndex", &TBitBtn::ImageIndex, &TBitBtn::SetImageIndex);
    b.Integer(L"DisabledIndex", &TBitBtn::DisabledIndex, &TBitBtn::SetDisabledIndex);
    b.Creatable();
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {}

TBitBtn::~TBitBtn() { SetImages(nullptr); }

// Owner-drawn: the system button keeps its behaviour (focus, keyboard, BN_CLICKED) and the
// control draws face, glyph and caption itself.
void TBitBtn::CreateParams(TCreateParams& p) {
    TButton::CreateParams(p);
    p.Style = (p.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::SetGlyph(TBitmap* glyph) {
    if (glyph) FGlyph.Assign(glyph);
    else FGlyph.SetSize(0, 0);
    Invalidate();
}

void TBitBtn::SetNumGlyphs(int count) {
    FNumGlyphs = std::clamp(count, 1, 4);
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout layout) {
    FLayout = layout;
    Invalidate();
}

void TBitBtn::SetMargin(int margin) {
    FMargin = std::max(-1, margin);
    Invalidate();
}

void TBitBtn::SetSpacing(int spacing) {
    FSpacing = std::max(-1, spacing);
    Invalidate();
}

void TBitBtn::SetImages(TImageList* images) {
    if (images == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = images;
    if (FImages) FImages->FreeNotification(this);
    Invalidate();
}

void TBitBtn::SetImageIndex(int index) {
    FImageIndex = std::max(-1, index);
    Invalidate();
}

void TBitBtn::SetDisabledIndex(int index) {
    FDisabledIndex = std::max(-1, index);
    Invalidate();
}

void TBitBtn::Notification(TComponent* component, TOperation operation) {
    TButton::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FImages) FImages = nullptr;
}

void TBitBtn::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
    case WM_LBUTTONDBLCLK:
        // An owner-drawn system button reports a double click instead of pressing: a second
        // quick click must press the button like the first.
        m.Msg = WM_LBUTTONDOWN;
        break;
    case CM_FOCUSCHANGED: {
        // The default look is drawn here: BM_SETSTYLE would turn the owner-drawn button into a
        // plain one.
        auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
        const bool look = dynamic_cast<TButton*>(focused) ? focused == this : Default();
        if (look != FDefaultLook) {
            FDefaultLook = look;
            Invalidate();
        }
        return;
    }
    case CM_DIALOGKEY:
        if (((m.WParam == VK_RETURN && FDefaultLook) || (m.WParam == VK_ESCAPE && Cancel())) && CanFocus()) {
            Click();
            m.Result = 1;
        }
        return;
    }
    TButton::WndProc(m);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    if (FDefaultLook || focused) {
        ::FrameRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::InflateRect(&r, -1, -1);
    }
    ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

    SelectGuard font(dc, Font()->Handle());
    const bool fromList = FImages && FImageIndex >= 0;
    const SIZE glyph = fromList ? SIZE{FImages->Width(), FImages->Height()} : GlyphSize(FGlyph, FNumGlyphs);
    RECT client = item.rcItem;
    ::InflateRect(&client, -2, -2);
    const std::wstring caption = Caption();
    const SIZE text = CaptionSize(dc, caption, client);
    TGlyphLayout layout = LayoutGlyphButton(item.rcItem, glyph, text, FLayout, FMargin, FSpacing);
    if (pressed) {
        ::OffsetRect(&layout.TextRect, 1, 1);
        ++layout.GlyphPos.x;
        ++layout.GlyphPos.y;
    }
    if (fromList) {
        TCanvas canvas;
        canvas.SetHandle(dc);
        const int index = !enabled && FDisabledIndex >= 0 ? FDisabledIndex : FImageIndex;
        FImages->Draw(canvas, layout.GlyphPos.x, layout.GlyphPos.y, index, enabled || FDisabledIndex >= 0);
        canvas.SetHandle(nullptr);
    } else {
        const int index = !enabled ? 1 : pressed ? 2 : 0;
        DrawGlyphImage(dc, layout.GlyphPos.x, layout.GlyphPos.y, FGlyph, FNumGlyphs, index < FNumGlyphs ? index : 0);
    }
    DrawCaption(dc, caption, layout.TextRect, enabled, Font()->Color());
    if (focused) {
        RECT f = item.rcItem;
        ::InflateRect(&f, -4, -4);
        ::DrawFocusRect(dc, &f);
    }
}

//--- TSpeedButton

QX_DEFINE_CLASS(TSpeedButton, TGraphicControl, b) {
    b.Boolean(L"Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
    b.Boolean(L"Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
    b.Object(L"Glyph", [](TSpeedButton& c) -> TObject* { return c.Glyph(); },
             [](TSpeedButton& c, TObject* v) { c.SetGlyph(dynamic_cast<TBitmap*>(v)); });
    b.Integer(L"NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs);
    b.Enum<TButtonLayout>(L"Layout", ButtonLayoutNames(), &TSpeedButton::Layout, &TSpeedButton::SetLayout);
    b.Integer(L"Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin);
    b.Integer(L"Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing);
    b.Creatable();
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    FWidth = 23;
    FHeight = 22;
}

void TSpeedButton::SetFlat(bool flat) {
    FFlat = flat;
    Invalidate();
}

void TSpeedButton::SetDown(bool down) {
    FDown = down;
    Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* glyph) {
    if (glyph) FGlyph.Assign(glyph);
    else FGlyph.SetSize(0, 0);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int count) {
    FNumGlyphs = std::clamp(count, 1, 4);
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout layout) {
    FLayout = layout;
    Invalidate();
}

void TSpeedButton::SetMargin(int margin) {
    FMargin = std::max(-1, margin);
    Invalidate();
}

void TSpeedButton::SetSpacing(int spacing) {
    FSpacing = std::max(-1, spacing);
    Invalidate();
}

void TSpeedButton::Paint() {
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(Canvas().Handle()), 0, 0};
    WindowProc(m);
}

void TSpeedButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        if (m.WParam) PaintButton(reinterpret_cast<HDC>(m.WParam));
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (FEnabled) {
            FPressed = true;
            Invalidate();
        }
        break;
    case WM_LBUTTONUP:
        if (FPressed) {
            FPressed = false;
            Invalidate();
        }
        break;
    case CM_MOUSEENTER:
        FHot = true;
        Invalidate();
        break;
    case CM_MOUSELEAVE:
        FHot = false;
        FPressed = false;
        Invalidate();
        break;
    }
    TGraphicControl::WndProc(m);
}

void TSpeedButton::PaintButton(HDC dc) {
    RECT r{0, 0, FWidth, FHeight};
    const bool down = FDown || FPressed;
    if (!FFlat) {
        ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0));
    } else if (down) {
        ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    } else if (FHot && FEnabled) {
        ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    }
    SelectGuard font(dc, Font()->Handle());
    RECT client{0, 0, FWidth, FHeight};
    RECT area = client;
    ::InflateRect(&area, -2, -2);
    const std::wstring caption = Caption();
    const SIZE text = CaptionSize(dc, caption, area);
    TGlyphLayout layout = LayoutGlyphButton(client, GlyphSize(FGlyph, FNumGlyphs), text, FLayout, FMargin, FSpacing);
    if (down) {
        ::OffsetRect(&layout.TextRect, 1, 1);
        ++layout.GlyphPos.x;
        ++layout.GlyphPos.y;
    }
    int index = !FEnabled ? 1 : FDown && FNumGlyphs >= 4 ? 3 : down ? 2 : 0;
    if (index >= FNumGlyphs) index = 0;
    DrawGlyphImage(dc, layout.GlyphPos.x, layout.GlyphPos.y, FGlyph, FNumGlyphs, index);
    DrawCaption(dc, caption, layout.TextRect, FEnabled, Font()->Color());
}

}  // namespace qx
