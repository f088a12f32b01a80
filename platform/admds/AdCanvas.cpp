#include "AdCanvas.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "GdiHandles.h"

namespace admds {

namespace {

// Chinese lines need a face with CJK glyphs. A Chinese system has "Microsoft YaHei"; elsewhere
// the window font is asked for with the GB2312 character set, which the font mapper (or the
// font substitutes of the system) answers with a font that has them.
int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool HasFace(const wchar_t* face) noexcept {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = ::GetDC(nullptr);
    if (!screen) return false;
    ::EnumFontFamiliesExW(screen, &lf, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, screen);
    return found;
}

const wchar_t* CjkFace() noexcept {
    static const wchar_t* const face = HasFace(L"Microsoft YaHei") ? L"Microsoft YaHei" : L"MS Sans Serif";
    return face;
}

TUniquePen MakePen(int width, COLORREF colour) noexcept {
    LOGBRUSH lb{BS_SOLID, colour, 0};
    return TUniquePen(::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                                     std::max(width, 1), &lb, 0, nullptr));
}

}  // namespace

TAdCanvas::TAdCanvas(HDC dc, bool shapePass, int scale, double fx, double fy) noexcept
    : dc_(dc), shapePass_(shapePass), scale_(scale), fx_(fx), fy_(fy), uniform_(std::min(fx, fy)) {}

int TAdCanvas::X(double x) const noexcept { return static_cast<int>(std::lround(x * fx_ * scale_)); }
int TAdCanvas::Y(double y) const noexcept { return static_cast<int>(std::lround(y * fy_ * scale_)); }
int TAdCanvas::Len(double d) const noexcept { return static_cast<int>(std::lround(d * uniform_ * scale_)); }
RECT TAdCanvas::Map(const TBox& b) const noexcept { return RECT{X(b.L), Y(b.T), X(b.R), Y(b.B)}; }

//--- shape pass

void TAdCanvas::Fill(const TBox& box, COLORREF colour) const noexcept {
    if (!shapePass_) return;
    RECT r = Map(box);
    TUniqueBrush brush(::CreateSolidBrush(colour));
    ::FillRect(dc_, &r, brush.get());
}

void TAdCanvas::Gradient(const TBox& box, COLORREF from, COLORREF to, bool vertical) const noexcept {
    if (!shapePass_) return;
    RECT r = Map(box);
    TRIVERTEX v[2] = {
        {r.left, r.top, static_cast<COLOR16>(GetRValue(from) << 8), static_cast<COLOR16>(GetGValue(from) << 8),
         static_cast<COLOR16>(GetBValue(from) << 8), 0},
        {r.right, r.bottom, static_cast<COLOR16>(GetRValue(to) << 8), static_cast<COLOR16>(GetGValue(to) << 8),
         static_cast<COLOR16>(GetBValue(to) << 8), 0}};
    GRADIENT_RECT g{0, 1};
    ::GradientFill(dc_, v, 2, &g, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

void TAdCanvas::RoundCard(const TBox& box, double radius, COLORREF from, COLORREF to, bool vertical) const noexcept {
    if (!shapePass_) return;
    ClipRound(box, radius);
    Gradient(box, from, to, vertical);
    Unclip();
}

void TAdCanvas::RoundFrame(const TBox& box, double radius, double width, COLORREF colour) const noexcept {
    if (!shapePass_) return;
    TUniquePen pen = MakePen(Len(width), colour);
    TSelectGuard selPen(dc_, pen.get());
    TSelectGuard selBrush(dc_, ::GetStockObject(NULL_BRUSH));
    RECT r = Map(box);
    int d = Len(radius * 2);
    ::RoundRect(dc_, r.left, r.top, r.right, r.bottom, d, d);
}

void TAdCanvas::Disc(double cx, double cy, double r, COLORREF colour) const noexcept {
    if (!shapePass_) return;
    TUniqueBrush brush(::CreateSolidBrush(colour));
    TSelectGuard selBrush(dc_, brush.get());
    TSelectGuard selPen(dc_, ::GetStockObject(NULL_PEN));
    int x = X(cx), y = Y(cy), rr = Len(r);
    // A NULL pen leaves out the right and bottom edge; one more device pixel keeps it round.
    ::Ellipse(dc_, x - rr, y - rr, x + rr + 1, y + rr + 1);
}

void TAdCanvas::Ring(double cx, double cy, double r, double width, COLORREF colour) const noexcept {
    if (!shapePass_) return;
    TUniquePen pen = MakePen(Len(width), colour);
    TSelectGuard selPen(dc_, pen.get());
    TSelectGuard selBrush(dc_, ::GetStockObject(NULL_BRUSH));
    int x = X(cx), y = Y(cy), rr = Len(r);
    ::Ellipse(dc_, x - rr, y - rr, x + rr, y + rr);
}

void TAdCanvas::Line(double x1, double y1, double x2, double y2, double width, COLORREF colour) const noexcept {
    if (!shapePass_) return;
    TUniquePen pen = MakePen(Len(width), colour);
    TSelectGuard selPen(dc_, pen.get());
    ::MoveToEx(dc_, X(x1), Y(y1), nullptr);
    ::LineTo(dc_, X(x2), Y(y2));
}

void TAdCanvas::ClipRound(const TBox& box, double radius) const noexcept {
    if (!shapePass_) return;
    RECT r = Map(box);
    int d = Len(radius * 2);
    // SelectClipRgn copies the region, so ours can go at once.
    TUniqueRgn rgn(::CreateRoundRectRgn(r.left, r.top, r.right + 1, r.bottom + 1, d, d));
    ::SelectClipRgn(dc_, rgn.get());
}

void TAdCanvas::Unclip() const noexcept {
    if (shapePass_) ::SelectClipRgn(dc_, nullptr);
}

//--- text pass

namespace {
// Scaled-down panels keep readable text: glyphs stop shrinking at kMinReadablePx and the
// ellipsis shortens the line instead.
constexpr double kMinReadablePx = 8;
}  // namespace

HFONT TAdCanvas::MakeFont(const TAdFont& font, double px) const noexcept {
    bool cjk = font.Family == ffCjk;
    const double real = std::max(px * uniform_, std::min(px, kMinReadablePx));
    return ::CreateFontW(-static_cast<int>(std::lround(real)), 0, 0, 0,
                         font.Bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                         cjk ? GB2312_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, cjk ? CjkFace() : L"Tahoma");
}

void TAdCanvas::Text(const TBox& box, const wchar_t* text, const TAdFont& font, COLORREF colour,
                     UINT format, double minPx) const noexcept {
    if (shapePass_ || text == nullptr) return;
    if (textLog_) textLog_->emplace_back(text);
    RECT r = Map(box);
    int len = static_cast<int>(std::wcslen(text));
    double px = font.Px;
    TUniqueFont hfont(MakeFont(font, px));
    // Shrink in half-pixel steps until the line fits; below minPx the ellipsis takes over.
    while (minPx > 0 && px - 0.5 >= minPx) {
        SIZE extent{};
        {
            TSelectGuard sel(dc_, hfont.get());
            ::GetTextExtentPoint32W(dc_, text, len, &extent);
        }
        if (extent.cx <= r.right - r.left) break;
        px -= 0.5;
        hfont.reset(MakeFont(font, px));
    }
    TSelectGuard sel(dc_, hfont.get());
    ::SetBkMode(dc_, TRANSPARENT);
    ::SetTextColor(dc_, colour);
    ::DrawTextW(dc_, text, len, &r, format | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

double TAdCanvas::TextWidth(const wchar_t* text, const TAdFont& font) const noexcept {
    if (shapePass_ || text == nullptr) return 0;
    TUniqueFont hfont(MakeFont(font, font.Px));
    TSelectGuard sel(dc_, hfont.get());
    SIZE extent{};
    ::GetTextExtentPoint32W(dc_, text, static_cast<int>(std::wcslen(text)), &extent);
    return extent.cx / fx_;
}

}  // namespace admds
