#pragma once
// Colours, fonts, brushes, pens and the canvas. Each graphics object owns its GDI handle,
// created on first use and re-created after a change.
#include "Classes.h"
#include "Handles.h"

#include <cstdint>
#include <string>
#include <windows.h>

namespace qx {

// 0x00BBGGRR for a literal colour; 0xFF0000nn for system colour nn.
using TColor = int32_t;
constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000);
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF, clRed = 0x0000FF, clLime = 0x00FF00, clBlue = 0xFF0000;
constexpr TColor clGray = 0x808080, clSilver = 0xC0C0C0, clNavy = 0x800000, clMaroon = 0x000080, clFuchsia = 0xFF00FF;
constexpr TColor SysColor(int index) { return clSystemColor | index; }
constexpr TColor clBtnFace = SysColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SysColor(COLOR_BTNSHADOW);
constexpr TColor clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT);
constexpr TColor clBtnText = SysColor(COLOR_BTNTEXT);
constexpr TColor clWindow = SysColor(COLOR_WINDOW);
constexpr TColor clWindowText = SysColor(COLOR_WINDOWTEXT);
constexpr TColor clHighlight = SysColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clGrayText = SysColor(COLOR_GRAYTEXT);
constexpr TColor cl3DDkShadow = SysColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SysColor(COLOR_3DLIGHT);

// A system colour reference resolved to its current RGB value; literal colours unchanged.
COLORREF ColorToRGB(TColor c);
// Colour names ("clBtnFace", "clRed") and numbers ("$00FF00FF", "16711935") for form descriptions.
std::wstring ColorToString(TColor c);
bool StringToColor(const std::wstring& s, TColor& c);

class TGraphicsObject : public TPersistent {
    QX_CLASS(TGraphicsObject)
public:
    TNotifyEvent OnChange;

protected:
    void Changed();
};

enum TFontStyle : uint32_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint32_t;

class TFont : public TGraphicsObject {
    QX_CLASS(TFont)
public:
    TFont();
    HFONT Handle();
    void Assign(TPersistent* source) override;

    const std::wstring& Name() const { return FName; }
    void SetName(const std::wstring& name);
    int Height() const { return FHeight; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    int Charset() const { return FCharset; }
    void SetCharset(int charset);

private:
    void Modified();
    std::wstring FName = L"MS Sans Serif";
    int FHeight = -11;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    int FCharset = DEFAULT_CHARSET;
    UniqueFont FHandle;
};

enum class TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
    QX_CLASS(TBrush)
public:
    HBRUSH Handle();
    void Assign(TPersistent* source) override;
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle style);

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = TBrushStyle::bsSolid;
    UniqueBrush FHandle;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
    QX_CLASS(TPen)
public:
    HPEN Handle();
    void Assign(TPersistent* source) override;
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle style);

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = TPenStyle::psSolid;
    UniquePen FHandle;
};

class TGraphic;

// Drawing on a device context with the canvas's font, brush and pen. The canvas does not own
// a DC it was given; descendants that make their own (bitmaps, controls) release it.
class TCanvas : public TPersistent {
    QX_CLASS(TCanvas)
public:
    TCanvas();
    ~TCanvas() override;

    HDC Handle();
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont& Font() { return FFont; }
    TBrush& Brush() { return FBrush; }
    TPen& Pen() { return FPen; }

    void FillRect(const RECT& r);
    void FrameRect(const RECT& r);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Ellipse(int x1, int y1, int x2, int y2);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polygon(const POINT* points, int count);
    void Polyline(const POINT* points, int count);
    void TextOut(int x, int y, const std::wstring& text);
    void TextRect(const RECT& r, int x, int y, const std::wstring& text);
    SIZE TextExtent(const std::wstring& text);
    int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
    int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const RECT& r, TGraphic* graphic);
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& src);
    COLORREF Pixel(int x, int y);
    void SetPixel(int x, int y, TColor c);
    RECT ClipRect();

protected:
    virtual void CreateHandle() {}
    // Puts the canvas's objects into the DC (again after a change).
    void RequireObjects();
    void DeselectObjects();

private:
    void ObjectChanged(TObject*);

    HDC FHandle = nullptr;
    TFont FFont;
    TBrush FBrush;
    TPen FPen;
    HGDIOBJ FOldFont = nullptr, FOldBrush = nullptr, FOldPen = nullptr;
    bool FObjectsValid = false;
};

// Anything a canvas can draw: bitmaps (TBitmap) and whatever else comes later.
class TGraphic : public TPersistent {
    QX_CLASS(TGraphic)
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    virtual void Draw(TCanvas& canvas, const RECT& r) = 0;
    virtual void LoadFromStream(class TStream& stream) = 0;
    virtual void SaveToStream(class TStream& stream) = 0;

    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool on) { FTransparent = on; Changed(); }
    TNotifyEvent OnChange;

protected:
    void Changed() { if (OnChange) OnChange(this); }

private:
    bool FTransparent = false;
};

}  // namespace qx
