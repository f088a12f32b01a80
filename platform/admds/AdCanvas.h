#pragma once
// Drawing surface for one pass of the ad layouts. Layouts are written in the nominal pixel
// grid of their format (e.g. 180 x 60) and drawn twice: a shape pass into a supersampled DIB
// that is averaged down afterwards (smooth discs and rounded corners with plain GDI), then a
// text pass at the real size, so glyphs keep the font's own hinting. Each call belongs to one
// pass and does nothing in the other.
#include <windows.h>

#include <string>
#include <vector>

namespace admds {

struct TBox {
    double L, T, R, B;
};

enum TAdFontFamily {
    ffLatin,   // names and English lines
    ffCjk,     // Chinese lines
};

struct TAdFont {
    TAdFontFamily Family;
    double Px;          // nominal glyph height in pixels
    bool Bold = false;
};

class TAdCanvas {
public:
    // `scale` device pixels per real pixel (only the shape pass supersamples);
    // `fx`, `fy` map the layout's nominal grid onto the panel.
    TAdCanvas(HDC dc, bool shapePass, int scale, double fx, double fy) noexcept;
    TAdCanvas(const TAdCanvas&) = delete;
    TAdCanvas& operator=(const TAdCanvas&) = delete;

    bool ShapePass() const noexcept { return shapePass_; }

    //--- shape pass
    void Fill(const TBox& box, COLORREF colour) const noexcept;
    void Gradient(const TBox& box, COLORREF from, COLORREF to, bool vertical) const noexcept;
    void RoundCard(const TBox& box, double radius, COLORREF from, COLORREF to, bool vertical) const noexcept;
    void RoundFrame(const TBox& box, double radius, double width, COLORREF colour) const noexcept;
    void Disc(double cx, double cy, double r, COLORREF colour) const noexcept;
    void Ring(double cx, double cy, double r, double width, COLORREF colour) const noexcept;
    void Line(double x1, double y1, double x2, double y2, double width, COLORREF colour) const noexcept;
    // Later shapes stay inside the rounded box until Unclip.
    void ClipRound(const TBox& box, double radius) const noexcept;
    void Unclip() const noexcept;

    //--- text pass
    // Draws `text` inside `box` with DrawText `format` flags (single line). Shrinks the font
    // down to `minPx` when the text is too wide, then cuts it with an ellipsis.
    void Text(const TBox& box, const wchar_t* text, const TAdFont& font, COLORREF colour,
              UINT format, double minPx = 0) const noexcept;
    // Every text the text pass draws is also appended here (for tests of what an ad says).
    void RecordTexts(std::vector<std::wstring>* log) noexcept { textLog_ = log; }
    // Width of `text` in the nominal grid; 0 in the shape pass.
    double TextWidth(const wchar_t* text, const TAdFont& font) const noexcept;

private:
    int X(double x) const noexcept;
    int Y(double y) const noexcept;
    int Len(double d) const noexcept;   // uniform lengths: radii, pen widths
    RECT Map(const TBox& box) const noexcept;
    HFONT MakeFont(const TAdFont& font, double px) const noexcept;

    HDC dc_;
    bool shapePass_;
    int scale_;
    double fx_, fy_, uniform_;
    std::vector<std::wstring>* textLog_ = nullptr;
};

}  // namespace admds
