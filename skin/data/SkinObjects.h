// Skin objects: what a skin description turns into. Each object is one visual element's image
// with its fixed margins, frame layout, transparency and text colours; the painters only read
// them. A skin data component owns the whole set (TSkinObjectSet) and the skin colours.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Graphics.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

// Magenta: the transparent key colour of every skin image and of window regions.
inline constexpr qx::TColor kSkinKeyColour = 0xFF00FF;
// A title text colour the skin does not give.
inline constexpr qx::TColor kNoSkinColour = 0x1FFFFFFF;

class TDataSkinObject : public qx::TObject {
    QX_CLASS(TDataSkinObject)
public:
    explicit TDataSkinObject(std::string name);
    ~TDataSkinObject() override = default;

    // Width of one of FrameCount frames laid side by side; a frame count below 1 counts as 1,
    // so a painter never divides by zero.
    int FrameWidth() const;
    // Height of one frame when the frames are stacked.
    int FrameHeight() const;

    RECT Margins{};         // Left, Top, Right, Bottom: the fixed, unscaled border widths
    qx::TBitmap Bitmap;     // always present, may be empty
    std::int32_t Trans = 0; // 1: magenta pixels are transparent
    std::int32_t Tile = 0;  // 0: the middle is stretched, 1: tiled (borders: their Stretch value)
    std::string Name;
    std::int32_t FrameCount = 1;
    std::int32_t Style = 0;
    // Text colour choice per state, an index the skin chooses; the readers that take these keys
    // store -1 when the skin gives none.
    std::int32_t NormalColour = 0;
    std::int32_t MouseOverColour = 0;
    std::int32_t PressedColour = 0;
    // Text colour per state as the skin writes it (red, green, blue).
    qx::TColor NormalColour2 = 0;
    qx::TColor MouseOverColour2 = 0;
    qx::TColor PressedColour2 = 0;
};

// An element with a second image: tab page border, progress chunk, up-down glyphs, or the
// mirrored combo button.
class TDataSkinBorder : public TDataSkinObject {
    QX_CLASS(TDataSkinBorder)
public:
    using TDataSkinObject::TDataSkinObject;
    qx::TBitmap AuxBitmap;
};

// The push button, with the check box and radio button images.
class TDataSkinButton : public TDataSkinObject {
    QX_CLASS(TDataSkinButton)
public:
    using TDataSkinObject::TDataSkinObject;
    qx::TBitmap CheckBitmap;
    qx::TBitmap RadioBitmap;
    std::int32_t RadioFrames = 0;
    std::int32_t CheckFrames = 0;
    // The skin gave NormalColour2 / MouseOverColour2 / PressedColour2.
    std::uint8_t HasNormalColour2 = 0;
    std::uint8_t HasMouseOverColour2 = 0;
    std::uint8_t HasPressedColour2 = 0;
};

// The caption. Margins carries Left = TextShift, Top = TextShiftVert, Right = TextRightClip.
class TDataSkinTitle : public TDataSkinObject {
    QX_CLASS(TDataSkinTitle)
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t TextAlignment = 0;
    std::int32_t Textbackground = 0;
    std::int32_t FontHeight = 0;
    std::int32_t TXTBackleft = 0;
    std::int32_t TXTBackRight = 0;
    qx::TColor ActiveText = kNoSkinColour;
    qx::TColor InActiveText = kNoSkinColour;
};

// A caption button: the skin's own [ButtonN] sections and the three buttons of a maximized MDI
// child.
class TDataSkinSysButton : public TDataSkinObject {
    QX_CLASS(TDataSkinSysButton)
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t Action = 0;
    std::int32_t Align = 0;
    std::int32_t Xcoord = 0;
    std::int32_t Ycoord = 0;
    std::int32_t CombineOp = 0;
    std::int32_t Visibility = 0;
    std::int32_t Visibility1 = 0;
};

// The group box caption background.
class TDataSkinBoxLabel : public TDataSkinObject {
    QX_CLASS(TDataSkinBoxLabel)
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t BackgroundLeftShift = 0;
    std::int32_t BackgroundRightShift = 0;
    std::int32_t BackgroundAlignment = 0;
};

// The skin's colours. Each defaults to a system colour reference until a skin gives it.
struct TSkinColours {
    qx::TColor WindowText = qx::SysColor(COLOR_WINDOWTEXT);
    qx::TColor TitleTextActive = qx::SysColor(COLOR_CAPTIONTEXT);
    qx::TColor TitleTextNoActive = qx::SysColor(COLOR_INACTIVECAPTIONTEXT);
    qx::TColor ButtonFace = qx::SysColor(COLOR_BTNFACE);
    qx::TColor ButtonText = qx::SysColor(COLOR_BTNTEXT);
    qx::TColor ButtonHilight = qx::SysColor(COLOR_BTNHIGHLIGHT);
    qx::TColor Buttonlight = qx::SysColor(COLOR_BTNHIGHLIGHT);
    qx::TColor ButtonShadow = qx::SysColor(COLOR_BTNSHADOW);
    qx::TColor ButtonDkShadow = qx::SysColor(COLOR_3DDKSHADOW);
    qx::TColor HilightText = qx::SysColor(COLOR_HIGHLIGHTTEXT);
    qx::TColor Hilight = qx::SysColor(COLOR_HIGHLIGHT);
    qx::TColor MenubarColour = qx::SysColor(COLOR_BTNFACE);
    qx::TColor MenuBarText = qx::SysColor(COLOR_MENUTEXT);
    qx::TColor MenuText = qx::SysColor(COLOR_MENUTEXT);
    qx::TColor Menu = qx::SysColor(COLOR_MENU);
    qx::TColor ScrollbarColour = qx::SysColor(COLOR_SCROLLBAR);
    // One colour per [ColourN] section, in file order.
    std::vector<qx::TColor> ColourList;
    // [Customcolors] Color0..Color9.
    std::array<qx::TColor, 10> CustomColours{};

    TSkinColours() { CustomColours.fill(qx::clWhite); }
};

// Every skin object of a loaded skin. Members that a skin may leave out are null then, and
// every painter tests for that. Title, Button and the four borders exist from construction
// and are refilled by every load; Toolbar, Track and TrackVert exist after the first load.
struct TSkinObjectSet {
    TSkinObjectSet();

    std::unique_ptr<TDataSkinTitle> Title;
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;
    std::unique_ptr<TDataSkinButton> Button;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinBorder> UpDownHorz;
    std::unique_ptr<TDataSkinBorder> UpDownVert;
    std::unique_ptr<TDataSkinObject> SunkEdge;
    std::unique_ptr<TDataSkinObject> ExtraImages;
    std::unique_ptr<TDataSkinBorder> ComboButton;
    std::unique_ptr<TDataSkinObject> GroupBoxEdge;
    std::unique_ptr<TDataSkinObject> Toolbar;
    std::unique_ptr<TDataSkinObject> ToolBars;
    std::unique_ptr<TDataSkinBoxLabel> GroupBox;
    std::unique_ptr<TDataSkinObject> StatusBarEdges;
    std::unique_ptr<TDataSkinObject> Headerbar;
    std::unique_ptr<TDataSkinObject> MenuBar;
    std::unique_ptr<TDataSkinObject> MenuItem;
    std::unique_ptr<TDataSkinObject> MenuBackground;
    std::unique_ptr<TDataSkinObject> Scrollbar;
    std::unique_ptr<TDataSkinObject> HorzScroll;
    std::unique_ptr<TDataSkinObject> VertScroll;
    std::unique_ptr<TDataSkinObject> HorzScrollThumb;
    std::unique_ptr<TDataSkinObject> VertScrollThumb;
    std::unique_ptr<TDataSkinObject> ThumbHorz;
    std::unique_ptr<TDataSkinObject> ThumbVert;
    std::unique_ptr<TDataSkinObject> Track;
    std::unique_ptr<TDataSkinObject> TrackVert;
    std::unique_ptr<TDataSkinObject> ThumbLeft;
    std::unique_ptr<TDataSkinObject> ThumbRight;
    std::unique_ptr<TDataSkinObject> ThumbUp;
    std::unique_ptr<TDataSkinObject> ThumbDown;
    std::unique_ptr<TDataSkinBorder> BorderLeft;
    std::unique_ptr<TDataSkinBorder> BorderRight;
    std::unique_ptr<TDataSkinBorder> BorderTop;
    std::unique_ptr<TDataSkinBorder> BorderBottom;
};
