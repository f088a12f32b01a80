#include "Graphics.h"

#include <cwchar>
#include <cwctype>

namespace qx {

//--- colours

COLORREF ColorToRGB(TColor c) {
    if (c < 0) return ::GetSysColor(c & 0xFF);
    return static_cast<COLORREF>(c) & 0xFFFFFF;
}

namespace {
struct NamedColor {
    TColor Value;
    const wchar_t* Name;
};
constexpr NamedColor kColorNames[] = {
    {clBlack, L"clBlack"}, {clMaroon, L"clMaroon"}, {0x008000, L"clGreen"}, {0x008080, L"clOlive"},
    {clNavy, L"clNavy"}, {0x800080, L"clPurple"}, {0x808000, L"clTeal"}, {clGray, L"clGray"},
    {clSilver, L"clSilver"}, {clRed, L"clRed"}, {clLime, L"clLime"}, {0x00FFFF, L"clYellow"},
    {clBlue, L"clBlue"}, {clFuchsia, L"clFuchsia"}, {0xFFFF00, L"clAqua"}, {clWhite, L"clWhite"},
    {clNone, L"clNone"}, {clDefault, L"clDefault"},
    {SysColor(COLOR_SCROLLBAR), L"clScrollBar"}, {SysColor(COLOR_BACKGROUND), L"clBackground"},
    {SysColor(COLOR_ACTIVECAPTION), L"clActiveCaption"}, {SysColor(COLOR_INACTIVECAPTION), L"clInactiveCaption"},
    {SysColor(COLOR_MENU), L"clMenu"}, {clWindow, L"clWindow"}, {SysColor(COLOR_WINDOWFRAME), L"clWindowFrame"},
    {SysColor(COLOR_MENUTEXT), L"clMenuText"}, {clWindowText, L"clWindowText"},
    {SysColor(COLOR_CAPTIONTEXT), L"clCaptionText"}, {SysColor(COLOR_ACTIVEBORDER), L"clActiveBorder"},
    {SysColor(COLOR_INACTIVEBORDER), L"clInactiveBorder"}, {SysColor(COLOR_APPWORKSPACE), L"clAppWorkSpace"},
    {clHighlight, L"clHighlight"}, {clHighlightText, L"clHighlightText"}, {clBtnFace, L"clBtnFace"},
    {clBtnShadow, L"clBtnShadow"}, {clGrayText, L"clGrayText"}, {clBtnText, L"clBtnText"},
    {SysColor(COLOR_INACTIVECAPTIONTEXT), L"clInactiveCaptionText"}, {clBtnHighlight, L"clBtnHighlight"},
    {cl3DDkShadow, L"cl3DDkShadow"}, {cl3DLight, L"cl3DLight"}, {SysColor(COLOR_INFOTEXT), L"clInfoText"},
    {SysColor(COLOR_INFOBK), L"clInfoBk"},
};
}  // namespace

std::wstring ColorToString(TColor c) {
    for (const auto& n : kColorNames)
        if (n.Value == c) return n.Name;
    wchar_t buf[16];
    std::swprintf(buf, 16, L"$%08X", static_cast<unsigned>(c));
    return buf;
}

bool StringToColor(const std::wstring& s, TColor& c) {
    for (const auto& n : kColorNames)
        if (SameText(n.Name, s)) return c = n.Value, true;
    if (s.empty()) return false;
    wchar_t* end = nullptr;
    unsigned long long v = s[0] == L'$' ? std::wcstoull(s.c_str() + 1, &end, 16) : std::wcstoll(s.c_str(), &end, 10);
    if (!end || *end || (s[0] == L'$' && s.size() == 1)) return false;
    c = static_cast<TColor>(static_cast<uint32_t>(v));
    return true;
}

//--- graphics objects

QX_DEFINE_CLASS(TGraphicsObject, TPersistent, b) {}

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

static const std::vector<std::wstring> kFontStyleNames{L"fsBold", L"fsItalic", L"fsUnderline", L"fsStrikeOut"};

QX_DEFINE_CLASS(TFont, TGraphicsObject, b) {
    b.Integer(L"Charset", &TFont::Charset, &TFont::SetCharset);
    b.Integer(L"Color", &TFont::Color, &TFont::SetColor);
    b.Integer(L"Height", &TFont::Height, &TFont::SetHeight);
    b.String(L"Name", &TFont::Name, &TFont::SetName);
    b.Set(L"Style", kFontStyleNames, &TFont::Style, [](TFont& f, uint64_t s) { f.SetStyle(static_cast<TFontStyles>(s)); });
}

TFont::TFont() = default;

HFONT TFont::Handle() {
    if (!FHandle) {
        LOGFONTW lf{};
        lf.lfHeight = FHeight;
        lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (FStyle & fsItalic) != 0;
        lf.lfUnderline = (FStyle & fsUnderline) != 0;
        lf.lfStrikeOut = (FStyle & fsStrikeOut) != 0;
        lf.lfCharSet = static_cast<BYTE>(FCharset);
        lf.lfQuality = DEFAULT_QUALITY;
        wcsncpy(lf.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
        FHandle.reset(::CreateFontIndirectW(&lf));
    }
    return FHandle.get();
}

void TFont::Assign(TPersistent* source) {
    if (auto* f = dynamic_cast<TFont*>(source)) {
        FName = f->FName;
        FHeight = f->FHeight;
        FStyle = f->FStyle;
        FColor = f->FColor;
        FCharset = f->FCharset;
        Modified();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TFont::Modified() {
    FHandle.reset();
    Changed();
}

void TFont::SetName(const std::wstring& name) { if (name != FName) { FName = name; Modified(); } }
void TFont::SetHeight(int height) { if (height != FHeight) { FHeight = height; Modified(); } }
void TFont::SetStyle(TFontStyles style) { if (style != FStyle) { FStyle = style; Modified(); } }
void TFont::SetCharset(int charset) { if (charset != FCharset) { FCharset = charset; Modified(); } }
// The colour is not part of the GDI font: no new handle.
void TFont::SetColor(TColor color) { if (color != FColor) { FColor = color; Changed(); } }

int TFont::Size() const { return -MulDiv(FHeight, 72, 96); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }

static const std::vector<std::wstring> kBrushStyleNames{L"bsSolid", L"bsClear"};

QX_DEFINE_CLASS(TBrush, TGraphicsObject, b) {
    b.Integer(L"Color", &TBrush::Color, &TBrush::SetColor);
    b.Enum<TBrushStyle>(L"Style", kBrushStyleNames, &TBrush::Style, &TBrush::SetStyle);
}

HBRUSH TBrush::Handle() {
    if (!FHandle) {
        if (FStyle == TBrushStyle::bsClear) {
            LOGBRUSH lb{BS_NULL, 0, 0};
            FHandle.reset(::CreateBrushIndirect(&lb));
        } else {
            FHandle.reset(::CreateSolidBrush(ColorToRGB(FColor)));
        }
    }
    return FHandle.get();
}

void TBrush::Assign(TPersistent* source) {
    if (auto* b = dynamic_cast<TBrush*>(source)) {
        FColor = b->FColor;
        FStyle = b->FStyle;
        FHandle.reset();
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TBrush::SetColor(TColor color) {
    if (color == FColor && FStyle == TBrushStyle::bsSolid) return;
    FColor = color;
    FStyle = TBrushStyle::bsSolid;
    FHandle.reset();
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    FHandle.reset();
    Changed();
}

static const std::vector<std::wstring> kPenStyleNames{L"psSolid", L"psDash", L"psDot", L"psDashDot",
                                                      L"psDashDotDot", L"psClear", L"psInsideFrame"};

QX_DEFINE_CLASS(TPen, TGraphicsObject, b) {
    b.Integer(L"Color", &TPen::Color, &TPen::SetColor);
    b.Integer(L"Width", &TPen::Width, &TPen::SetWidth);
    b.Enum<TPenStyle>(L"Style", kPenStyleNames, &TPen::Style, &TPen::SetStyle);
}

HPEN TPen::Handle() {
    if (!FHandle) {
        static const int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        FHandle.reset(::CreatePen(kStyles[static_cast<int>(FStyle)], FWidth, ColorToRGB(FColor)));
    }
    return FHandle.get();
}

void TPen::Assign(TPersistent* source) {
    if (auto* p = dynamic_cast<TPen*>(source)) {
        FColor = p->FColor;
        FWidth = p->FWidth;
        FStyle = p->FStyle;
        FHandle.reset();
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TPen::SetColor(TColor color) { if (color != FColor) { FColor = color; FHandle.reset(); Changed(); } }
void TPen::SetWidth(int width) { if (width != FWidth) { FWidth = width; FHandle.reset(); Changed(); } }
void TPen::SetStyle(TPenStyle style) { if (style != FStyle) { FStyle = style; FHandle.reset(); Changed(); } }

//--- canvas

QX_DEFINE_CLASS(TCanvas, TPersistent, b) {}
QX_DEFINE_CLASS(TGraphic, TPersistent, b) {}

TCanvas::TCanvas() {
    FFont.OnChange = TNotifyEvent::Of<&TCanvas::ObjectChanged>(this);
    FBrush.OnChange = TNotifyEvent::Of<&TCanvas::ObjectChanged>(this);
    FPen.OnChange = TNotifyEvent::Of<&TCanvas::ObjectChanged>(this);
}

TCanvas::~TCanvas() { DeselectObjects(); }

HDC TCanvas::Handle() {
    if (!FHandle) CreateHandle();
    RequireObjects();
    return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == FHandle) return;
    DeselectObjects();
    FHandle = dc;
}

void TCanvas::ObjectChanged(TObject*) {
    // The old GDI object is about to be deleted by its owner: take it out of the DC first.
    DeselectObjects();
}

void TCanvas::RequireObjects() {
    if (!FHandle || FObjectsValid) return;
    FOldFont = ::SelectObject(FHandle, FFont.Handle());
    FOldBrush = ::SelectObject(FHandle, FBrush.Handle());
    FOldPen = ::SelectObject(FHandle, FPen.Handle());
    ::SetTextColor(FHandle, ColorToRGB(FFont.Color()));
    ::SetBkColor(FHandle, ColorToRGB(FBrush.Color()));
    ::SetBkMode(FHandle, FBrush.Style() == TBrushStyle::bsClear ? TRANSPARENT : OPAQUE);
    FObjectsValid = true;
}

void TCanvas::DeselectObjects() {
    if (!FHandle || !FObjectsValid) return;
    ::SelectObject(FHandle, FOldFont);
    ::SelectObject(FHandle, FOldBrush);
    ::SelectObject(FHandle, FOldPen);
    FObjectsValid = false;
}

void TCanvas::FillRect(const RECT& r) {
    HDC dc = Handle();
    if (FBrush.Style() != TBrushStyle::bsClear) ::FillRect(dc, &r, FBrush.Handle());
}
void TCanvas::FrameRect(const RECT& r) { ::FrameRect(Handle(), &r, FBrush.Handle()); }
void TCanvas::Rectangle(int x1, int y1, int x2, int y2) { ::Rectangle(Handle(), x1, y1, x2, y2); }
void TCanvas::Ellipse(int x1, int y1, int x2, int y2) { ::Ellipse(Handle(), x1, y1, x2, y2); }
void TCanvas::MoveTo(int x, int y) { ::MoveToEx(Handle(), x, y, nullptr); }
void TCanvas::LineTo(int x, int y) { ::LineTo(Handle(), x, y); }
void TCanvas::Polygon(const POINT* points, int count) { ::Polygon(Handle(), points, count); }
void TCanvas::Polyline(const POINT* points, int count) { ::Polyline(Handle(), points, count); }
void TCanvas::TextOut(int x, int y, const std::wstring& text) {
    ::TextOutW(Handle(), x, y, text.c_str(), static_cast<int>(text.size()));
}
void TCanvas::TextRect(const RECT& r, int x, int y, const std::wstring& text) {
    UINT opts = ETO_CLIPPED | (FBrush.Style() != TBrushStyle::bsClear ? ETO_OPAQUE : 0);
    ::ExtTextOutW(Handle(), x, y, opts, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}
SIZE TCanvas::TextExtent(const std::wstring& text) {
    SIZE s{};
    ::GetTextExtentPoint32W(Handle(), text.c_str(), static_cast<int>(text.size()), &s);
    return s;
}
void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (graphic && !graphic->Empty()) graphic->Draw(*this, RECT{x, y, x + graphic->Width(), y + graphic->Height()});
}
void TCanvas::StretchDraw(const RECT& r, TGraphic* graphic) {
    if (graphic && !graphic->Empty()) graphic->Draw(*this, r);
}
void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& src) {
    ::StretchBlt(Handle(), dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.Handle(),
                 src.left, src.top, src.right - src.left, src.bottom - src.top, SRCCOPY);
}
COLORREF TCanvas::Pixel(int x, int y) { return ::GetPixel(Handle(), x, y); }
void TCanvas::SetPixel(int x, int y, TColor c) { ::SetPixel(Handle(), x, y, ColorToRGB(c)); }
RECT TCanvas::ClipRect() {
    RECT r{};
    ::GetClipBox(Handle(), &r);
    return r;
}

}  // namespace qx
